#include "ServeCommand.h"

#include <httplib.h>

#include <algorithm>
#include <cmath>
#include <csignal>
#include <cstdio>
#include <thread>

#include "ConsoleEvents.h"
#include "ConsoleHttpApi.h"
#include "LiveConsole.h"
#include "ScriptRunner.h"
#include "StateBroadcast.h"
#include "core/Simulation.h"

namespace okulsim {

namespace {

std::atomic<bool> stopRequested{false};

void requestStop(int) { stopRequested.store(true); }

// SIGINT and SIGTERM end the loop; the old handlers come back at the end.
class StopSignals {
public:
    StopSignals() {
        stopRequested.store(false);
        struct sigaction action {};
        action.sa_handler = requestStop;
        sigemptyset(&action.sa_mask);
        sigaction(SIGINT, &action, &oldInterrupt_);
        sigaction(SIGTERM, &action, &oldTerminate_);
        struct sigaction ignore {};
        ignore.sa_handler = SIG_IGN;
        sigaction(SIGPIPE, &ignore, &oldPipe_);
    }
    ~StopSignals() {
        sigaction(SIGINT, &oldInterrupt_, nullptr);
        sigaction(SIGTERM, &oldTerminate_, nullptr);
        sigaction(SIGPIPE, &oldPipe_, nullptr);
    }

private:
    struct sigaction oldInterrupt_ {
    }, oldTerminate_{}, oldPipe_{};
};

std::string hostInUrl(const std::string &host) {
    return host.find(':') != std::string::npos ? "[" + host + "]" : host;
}

}  // namespace

bool publishInterval(double rate, int &frames) {
    if (!(rate > 0.0) || rate > LiveConsole::frameRate) return false;
    frames = std::max(1, int(std::lround(LiveConsole::frameRate / rate)));
    return true;
}

bool isLoopbackHost(const std::string &host) {
    return host == "localhost" || host == "::1" || host.compare(0, 4, "127.") == 0;
}

int serveScenario(const ServeOptions &options, std::ostream &out, std::ostream &err) {
    std::string error;
    if (!enterWorkingFolder(options.outDir, error)) {
        err << "okulsim: " << error << "\n";
        return 1;
    }
    if (!isLoopbackHost(options.host))
        err << "okulsim: warning: " << options.host
            << " is not a loopback address: the token travels in plain HTTP, where others on the network can "
               "read it\n";
    std::string token = options.token;
    try {
        if (token.empty()) token = RequestAdmission::makeToken();
    } catch (const std::exception &failure) {
        err << "okulsim: " << failure.what() << "\n";
        return 1;
    }

    sim::Simulation simulation(options.rootDir, options.outDir);
    if (!simulation.loadScenario(options.scenario, error)) {
        err << "okulsim: " << error << "\n";
        return 1;
    }
    simulation.frame();

    ConsoleEvents events;
    StateBroadcast broadcast;
    LiveConsole::Options consoleOptions;
    consoleOptions.pictures = options.wholePictures ? PictureStream::Whole : PictureStream::Changes;
    if (!publishInterval(options.rate, consoleOptions.publishEvery)) {
        err << "okulsim: --rate takes states a second above 0 and at most " << LiveConsole::frameRate << "\n";
        simulation.shutdown();
        return 1;
    }
    LiveConsole console(simulation, events, broadcast, consoleOptions);
    ConsoleHttpApi api(events, console, broadcast, options.outDir, token);
    httplib::Server server;
    api.install(server);
    int port = options.port;
    if (port == 0)
        port = server.bind_to_any_port(options.host);
    else if (!server.bind_to_port(options.host, port))
        port = -1;
    if (port <= 0) {
        err << "okulsim: cannot listen on " << options.host << " port " << options.port << "\n";
        simulation.shutdown();
        return 1;
    }

    StopSignals signals;
    std::thread http = serveOnThread(server);
    char rate[32];
    std::snprintf(rate, sizeof rate, "%.3g", LiveConsole::frameRate / consoleOptions.publishEvery);
    out << "okulsim: serving " << options.scenario << " at http://" << hostInUrl(options.host) << ":" << port
        << "/?" << RequestAdmission::tokenParameter << "=" << token << " (Ctrl+C stops; " << rate
        << " states a second, " << (options.wholePictures ? "whole pictures" : "pictures as changes") << ")"
        << std::endl;

    console.run(stopRequested);

    broadcast.close();
    events.close();
    server.stop();
    http.join();
    simulation.shutdown();
    out << "okulsim: stopped; frame times " << console.statsJson() << std::endl;
    return 0;
}

}  // namespace okulsim
