// The live console's HTTP interface: the page and its files, and the API
// the page uses (documented in the README). Requests that touch the
// simulation go through the event queue and wait for the simulation
// thread's answer; pictures are encoded on the request's own thread.
#pragma once

#include <memory>
#include <string>
#include <thread>

#include "ConsoleEvents.h"
#include "LiveConsole.h"
#include "RequestAdmission.h"
#include "StateBroadcast.h"

namespace httplib {
class Server;
}

namespace okulsim {

class ConsoleHttpApi {
public:
    // How long a request waits for the simulation thread to take it (a
    // program running in a key callback holds the thread for a while).
    static constexpr int requestTimeoutSeconds = 10;
    // The longest text one `type` request sends.
    static constexpr std::size_t typeLimit = 256;
    // The server's threads, and how many of them pages' event streams may
    // hold (each holds one while the page is open): the rest answer
    // requests, so that open pages never starve the API.
    static constexpr int serverThreads = 80;
    static constexpr int eventStreamLimit = 16;
    // How much lower than the simulation thread the server's threads run
    // (a nice value added to theirs).
    static constexpr int requestThreadNice = 5;

    // `workDir`: the working folder, where `save` writes; `token`: the one
    // every request must carry (see RequestAdmission).
    ConsoleHttpApi(ConsoleEvents &events, LiveConsole &console, StateBroadcast &broadcast,
                   std::string workDir, std::string token);

    // The admission of requests, the routes, and the server's timeouts,
    // request size and socket options.
    void install(httplib::Server &server);

private:
    // Runs `work` on the simulation thread through the queue and waits for
    // its result; false with a 503 in `refusal` when it was not taken.
    template <class Work, class Result>
    bool runOnSimulation(Work work, Result &result, ApiReply &refusal);
    template <class Work>
    ApiReply onSimulation(Work work);
    ApiReply picture(PictureKind kind);
    std::shared_ptr<const EncodedPicture> finish(PictureJob &job, ApiReply &refusal);

    ConsoleEvents &events_;
    LiveConsole &console_;
    StateBroadcast &broadcast_;
    std::string workDir_;
    RequestAdmission admission_;
};

// Runs a bound server's accept loop on a thread of its own and returns once
// the loop runs, so that a stop cannot come before it (httplib's stop does
// nothing to a server that has not started).
std::thread serveOnThread(httplib::Server &server);

}  // namespace okulsim
