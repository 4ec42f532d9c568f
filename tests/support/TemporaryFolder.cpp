#include "TemporaryFolder.h"

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <stdexcept>

namespace fs = std::filesystem;

namespace testsupport {

TemporaryFolder::TemporaryFolder() {
    std::string pattern = (fs::temp_directory_path() / "okul-test-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("cannot make a folder like " + pattern);
    path_ = pattern;
}

TemporaryFolder::~TemporaryFolder() {
    std::error_code ignored;
    fs::remove_all(path_, ignored);
}

std::string TemporaryFolder::makeFolder(const std::string &name) const {
    const std::string folder = *this / name;
    fs::create_directories(folder);
    return folder;
}

std::string TemporaryFolder::writeFile(const std::string &name, const std::string &text) const {
    const std::string file = *this / name;
    std::ofstream(file, std::ios::binary) << text;
    return file;
}

}  // namespace testsupport
