#include "WorkingFolderScope.h"

#include <filesystem>

#include "gdi/WorkingFolder.h"

namespace fs = std::filesystem;

namespace testsupport {

WorkingFolderScope::WorkingFolderScope(const std::string &folder)
    : previousCurrent_(fs::current_path().string()), previousWorking_(sim::workingFolder()) {
    fs::current_path(folder);
    sim::setWorkingFolder(folder);
}

WorkingFolderScope::~WorkingFolderScope() {
    std::error_code ignored;
    fs::current_path(previousCurrent_, ignored);
    sim::setWorkingFolder(previousWorking_);
}

}  // namespace testsupport
