#include "TestWorld.h"

#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <fstream>
#include <sstream>

namespace testworld {

TestWorld::TestWorld() {
    char pattern[] = "/tmp/okul-world-XXXXXX";
    root_ = mkdtemp(pattern);
    mkdir((root_ + "/Config").c_str(), 0755);
    mkdir((root_ + "/Config/Vessels").c_str(), 0755);
    symlink(OKUL_ROOT_DIR "/Config/Ephemeris", (root_ + "/Config/Ephemeris").c_str());
    symlink(OKUL_ROOT_DIR "/Modules", (root_ + "/Modules").c_str());
}

TestWorld::~TestWorld() {
    std::string command = "rm -rf '" + root_ + "'";
    if (system(command.c_str()) != 0) {
    }
}

void TestWorld::writeClass(const std::string &className, const std::string &text) const {
    std::ofstream(root_ + "/Config/Vessels/" + className + ".cfg") << text;
}

std::string TestWorld::writeFile(const std::string &name, const std::string &text) const {
    std::string path = root_ + "/" + name;
    std::ofstream(path) << text;
    return path;
}

std::string readFile(const std::string &path) {
    std::ifstream in(path);
    std::stringstream buffer;
    buffer << in.rdbuf();
    return buffer.str();
}

}  // namespace testworld
