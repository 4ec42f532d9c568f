// Loads a scenario into a simulation, runs a script against it, and ends the
// session the way the simulator does.
#pragma once

#include <ostream>
#include <string>

namespace okulsim {

struct RunOptions {
    std::string scenario;  // absolute paths
    std::string script;    // empty: no script
    std::string rootDir;
    std::string outDir;  // working folder (exists)
    bool progress = false;
};

// Makes the working folder the current one, where modules write their
// files; false with a message when it cannot be entered.
bool enterWorkingFolder(const std::string &outDir, std::string &error);

// Returns the process exit code: 0 on success, 1 on a failed scenario,
// script or expectation (one message on `err`).
int runScenario(const RunOptions &options, std::ostream &out, std::ostream &err);

}  // namespace okulsim
