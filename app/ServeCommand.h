// okulsim serve: runs a scenario in real time and serves the live console,
// a page and its API, over HTTP until SIGINT or SIGTERM.
#pragma once

#include <ostream>
#include <string>

namespace okulsim {

struct ServeOptions {
    std::string scenario;  // absolute paths
    std::string rootDir;
    std::string outDir;  // working folder (exists)
    std::string host = "127.0.0.1";
    int port = 8012;    // 0: any free port
    std::string token;  // empty: a random one
};

// True for an address only this machine reaches: 127.0.0.0/8, ::1,
// "localhost".
bool isLoopbackHost(const std::string &host);

// Returns the process exit code: 0 after a clean stop, 1 when the scenario
// does not load or the address cannot be served (one message on `err`).
int serveScenario(const ServeOptions &options, std::ostream &out, std::ostream &err);

}  // namespace okulsim
