// A folder of a test's own under the system's temporary folder, made with a
// unique name and removed with everything in it when the object goes.
#pragma once

#include <string>

namespace testsupport {

class TemporaryFolder {
public:
    TemporaryFolder();
    ~TemporaryFolder();
    TemporaryFolder(const TemporaryFolder &) = delete;
    TemporaryFolder &operator=(const TemporaryFolder &) = delete;

    const std::string &path() const { return path_; }
    // The path of an entry of the folder ("a/b" for one further down).
    std::string operator/(const std::string &name) const { return path_ + "/" + name; }
    // Makes a folder inside (and its parents) and returns its path.
    std::string makeFolder(const std::string &name) const;
    // Writes a file inside (its folder must exist) and returns its path.
    std::string writeFile(const std::string &name, const std::string &text) const;

private:
    std::string path_;
};

}  // namespace testsupport
