// A throw-away installation for simulator tests: a temporary root whose
// Config/Ephemeris and Modules are those of the build, with class
// configuration files and scenarios the test writes itself.
#pragma once

#include <string>

namespace testworld {

class TestWorld {
public:
    TestWorld();
    ~TestWorld();
    const std::string &root() const { return root_; }
    // Writes Config/Vessels/<className>.cfg.
    void writeClass(const std::string &className, const std::string &text) const;
    // Writes a file under the root and returns its path.
    std::string writeFile(const std::string &name, const std::string &text) const;

private:
    std::string root_;
};

std::string readFile(const std::string &path);

}  // namespace testworld
