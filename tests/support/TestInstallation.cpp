#include "TestInstallation.h"

#include <filesystem>
#include <fstream>

#include "FileContents.h"

namespace fs = std::filesystem;

namespace testsupport {

std::string BuildRoot() { return OKUL_ROOT_DIR; }

std::string BuildEphemerisFile() { return BuildRoot() + "/Config/Ephemeris/de405_1970_1989.bin"; }

TestInstallation::TestInstallation(FromBuild fromBuild)
    : root_(folder_.makeFolder("root")), work_(folder_.makeFolder("work")) {
    fs::create_directories(root_ + "/Config/Vessels");
    fs::create_directories(root_ + "/Scenarios");
    fs::create_symlink(BuildRoot() + "/Config/Ephemeris", root_ + "/Config/Ephemeris");
    fs::create_symlink(BuildRoot() + "/Config/Sky", root_ + "/Config/Sky");
    fs::create_directories(work_ + "/PHOTO");
    fs::create_directories(work_ + "/Q4K12techout");
    if (fromBuild == FromBuild::kClassesAndModules) {
        for (const fs::directory_entry &entry : fs::directory_iterator(BuildRoot() + "/Config/Vessels"))
            fs::create_symlink(entry.path(), root_ + "/Config/Vessels/" + entry.path().filename().string());
        linkModules(BuildRoot() + "/Modules");
    }
}

void TestInstallation::linkModules(const std::string &folder) const {
    fs::create_directory_symlink(folder, root_ + "/Modules");
}

void TestInstallation::writeClass(const std::string &className, const std::string &text) const {
    std::ofstream(root_ + "/Config/Vessels/" + className + ".cfg") << text;
}

std::string TestInstallation::writeScenario(const std::string &name, const std::string &text) const {
    const std::string path = root_ + "/Scenarios/" + name;
    std::ofstream(path) << text;
    return path;
}

std::string TestInstallation::readWorkFile(const std::string &name) const { return ReadFile(workFile(name)); }

}  // namespace testsupport
