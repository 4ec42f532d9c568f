// While it lives, a folder is the working folder as the runner sets it: the
// process's current folder (the programs open their reports relative to it)
// and the simulator's working folder (where file names of the Win32 file
// functions resolve). The previous ones come back when it goes.
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
    std::string previousCurrent_, previousWorking_;
};

}  // namespace testsupport
