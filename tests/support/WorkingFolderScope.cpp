#include "WorkingFolderScope.h"

#include <filesystem>

namespace fs = std::filesystem;

namespace testsupport {

WorkingFolderScope::WorkingFolderScope(const std::string &folder) : previous_(fs::current_path().string()) {
    fs::current_path(folder);
}

WorkingFolderScope::~WorkingFolderScope() {
    std::error_code ignored;
    fs::current_path(previous_, ignored);
}

}  // namespace testsupport
