// A simulator installation of a test's own, in a temporary folder removed
// with it:
//   root/Config/Ephemeris  the build's ephemeris
//   root/Config/Vessels    class files the test writes (and, when asked,
//                          the build's)
//   root/Modules           the build's modules, when asked, or another
//                          folder of modules
//   root/Scenarios         scenarios the test writes
//   work/                  the working folder, with PHOTO and Q4K12techout
//                          as the runner makes it
#pragma once

#include <string>

#include "TemporaryFolder.h"

namespace testsupport {

// The build's installation (bin/, Config/, Modules/, Scenarios/) and its
// ephemeris file.
std::string BuildRoot();
std::string BuildEphemerisFile();

class TestInstallation {
public:
    // What the installation takes from the build besides its ephemeris.
    enum class FromBuild { kEphemerisOnly, kClassesAndModules };

    explicit TestInstallation(FromBuild fromBuild = FromBuild::kEphemerisOnly);

    const std::string &root() const { return root_; }
    const std::string &work() const { return work_; }

    // Modules/ becomes another folder of modules (without the build's).
    void linkModules(const std::string &folder) const;

    // Writes Config/Vessels/<className>.cfg.
    void writeClass(const std::string &className, const std::string &text) const;
    // Writes Scenarios/<name> and returns its path.
    std::string writeScenario(const std::string &name, const std::string &text) const;

    // A file of the working folder: its path, its contents.
    std::string workFile(const std::string &name) const { return work_ + "/" + name; }
    std::string readWorkFile(const std::string &name) const;

private:
    TemporaryFolder folder_;
    std::string root_, work_;
};

}  // namespace testsupport
