// A live console running for a test: the simulation in its frame loop on a
// thread of its own, a probe vessel in focus recording what reaches it, the
// HTTP API on a free loopback port and a client that carries the token.
#pragma once

#include <httplib.h>
#include <nlohmann/json.hpp>

#include <atomic>
#include <chrono>
#include <memory>
#include <thread>

#include "CockpitFixture.h"
#include "ConsoleHttpApi.h"

namespace livetest {

using Json = nlohmann::json;

inline constexpr char kToken[] = "test-token_0123456789";

class LiveConsoleTest : public cockpittest::CockpitTest {
protected:
    // The console's settings: `okulsim serve`'s defaults unless a test says.
    virtual okulsim::LiveConsole::Options consoleOptions() const { return {}; }
    void SetUp() override {
        CockpitTest::SetUp();
        if (HasFatalFailure()) return;
        simulation->frame();
        console = std::make_unique<okulsim::LiveConsole>(*simulation, events, broadcast, consoleOptions());
        api = std::make_unique<okulsim::ConsoleHttpApi>(events, *console, broadcast, installation.work(),
                                                        kToken);
        api->install(server);
        port = server.bind_to_any_port("127.0.0.1");
        ASSERT_GT(port, 0);
        http = okulsim::serveOnThread(server);
        loop = std::thread([this] { console->run(stop); });
        client = std::make_unique<httplib::Client>("127.0.0.1", port);
        client->set_read_timeout(20, 0);
        client->set_default_headers({{okulsim::RequestAdmission::tokenHeader, kToken}});
    }
    void TearDown() override {
        stopConsole();
        CockpitTest::TearDown();
    }
    // Ends the loop and the server; afterwards the test reads the probe.
    void stopConsole() {
        if (!loop.joinable()) return;
        stop = true;
        loop.join();
        broadcast.close();
        events.close();
        server.stop();
        http.join();
    }

    httplib::Result post(const char *path, const httplib::Params &params = {}) {
        return client->Post(path, params);
    }
    // The status of a request; its JSON body in `body`.
    int status(const httplib::Result &result) {
        if (!result) return 0;
        body = Json::parse(result->body, nullptr, false);
        return result->status;
    }
    std::string errorText() const {
        return body.is_object() && body.contains("error") ? body["error"].get<std::string>() : "";
    }
    Json state() {
        auto result = client->Get("/api/state");
        return result ? Json::parse(result->body, nullptr, false) : Json();
    }
    // Waits until `frames` more frames have run.
    void waitFrames(long frames) {
        const long until = state()["frame"].get<long>() + frames;
        for (int i = 0; i < 500 && state()["frame"].get<long>() < until; ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }

    okulsim::ConsoleEvents events;
    okulsim::StateBroadcast broadcast;
    std::unique_ptr<okulsim::LiveConsole> console;
    std::unique_ptr<okulsim::ConsoleHttpApi> api;
    httplib::Server server;
    std::thread http, loop;
    std::atomic<bool> stop{false};
    std::unique_ptr<httplib::Client> client;
    int port = 0;
    Json body;
};

}  // namespace livetest
