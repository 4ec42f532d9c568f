#include "core/ScenarioFile.h"

#include <cstring>

namespace sim {

bool ScenarioLineReader::next(char *&line) {
    if (index_ >= lines_.size()) return false;
    const std::string &text = lines_[index_++];
    size_t start = text.find_first_not_of(" \t");
    std::string trimmed = start == std::string::npos ? std::string() : text.substr(start);
    buffer_.assign(trimmed.begin(), trimmed.end());
    buffer_.push_back('\0');
    line = buffer_.data();
    return true;
}

}  // namespace sim
