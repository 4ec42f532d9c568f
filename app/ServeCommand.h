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
    // States published a second (at most the frame rate, 50), and whether
    // pages get the picture's changes or whole pictures.
    double rate = 50.0 / 3.0;
    bool wholePictures = false;
};

// The frames between published states for a rate of states a second; false
// when the rate is not above 0 and at most the frame rate.
bool publishInterval(double rate, int &frames);

// True for an address only this machine reaches: 127.0.0.0/8, ::1,
// "localhost".
bool isLoopbackHost(const std::string &host);

// Returns the process exit code: 0 after a clean stop, 1 when the scenario
// does not load or the address cannot be served (one message on `err`).
int serveScenario(const ServeOptions &options, std::ostream &out, std::ostream &err);

}  // namespace okulsim
