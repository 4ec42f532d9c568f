// While it lives, a folder is the working folder as the runner sets it: the
// process's current folder, where the modules' relative file names resolve
// (the programs' reports, the photographs). The previous one comes back when
// it goes.
#pragma once

#include <string>

namespace testsupport {

class WorkingFolderScope {
public:
    explicit WorkingFolderScope(const std::string &folder);
    ~WorkingFolderScope();
    WorkingFolderScope(const WorkingFolderScope &) = delete;
    WorkingFolderScope &operator=(const WorkingFolderScope &) = delete;

private:
    std::string previous_;
};

}  // namespace testsupport
