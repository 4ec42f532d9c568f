// Fuzz target of the live console's HTTP API: the input is what a client
// sends on one connection, any bytes, read by httplib's request parsing and
// answered by the console's admission and routes, as `okulsim serve` does,
// with the console's frame loop running the Mars approach with the real
// modules on a thread of its own. No socket is opened: the input is the
// connection's incoming bytes (on 127.0.0.1 port 8012) and the answers are
// collected, up to a bound. Up to eight requests are read from one input,
// as on a kept-alive connection.
//
// Checked, for each request: every answer is a well-formed HTTP answer; no
// handler fails (500); a JSON answer parses, an error holds its message;
// a request that is not refused (below 400) named this machine in its Host
// and carried the token. After every input the console still takes work
// and its state is JSON.
#include <httplib.h>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <atomic>
#include <cctype>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <thread>

#include "ConsoleHttpApi.h"
#include "FuzzSupport.h"

using fuzzsupport::Require;

namespace {

const char kToken[] = "fuzz-token";
const int kPort = 8012;
const int kMaxRequests = 8;
// Answers are kept up to this size; a longer one (a picture) fails to be
// written on, as to a client that went away.
const std::size_t kAnswerLimit = 64 * 1024;

// A connection: the input's bytes come in, answers go out into a bounded
// buffer. An event stream takes its first state and then stops taking.
class InputConnection : public httplib::Stream {
public:
    InputConnection(const std::uint8_t *data, std::size_t size) : data_(data), size_(size) {}

    bool atEnd() const { return position_ >= size_; }
    std::size_t position() const { return position_; }
    const std::uint8_t *data() const { return data_; }
    // Starts a new answer.
    void nextAnswer() { answer_.clear(); }
    const std::string &answer() const { return answer_; }

    bool is_readable() const override { return true; }
    bool is_writable() const override { return taking(); }
    ssize_t read(char *ptr, std::size_t size) override {
        const std::size_t n = std::min(size, size_ - position_);
        if (n > 0) std::memcpy(ptr, data_ + position_, n);
        position_ += n;
        return ssize_t(n);
    }
    ssize_t write(const char *ptr, std::size_t size) override {
        if (!taking()) return -1;
        answer_.append(ptr, std::min(size, kAnswerLimit - answer_.size()));
        return ssize_t(size);
    }
    void get_remote_ip_and_port(std::string &ip, int &port) const override {
        ip = "127.0.0.1";
        port = 40000;
    }
    void get_local_ip_and_port(std::string &ip, int &port) const override {
        ip = "127.0.0.1";
        port = kPort;
    }
    socket_t socket() const override { return INVALID_SOCKET; }

private:
    bool taking() const {
        if (answer_.size() >= kAnswerLimit) return false;
        const std::size_t head = answer_.find("\r\n\r\n");
        if (head == std::string::npos || answer_.find("text/event-stream") > head) return true;
        return answer_.find("\n\n", head + 4) == std::string::npos;
    }

    const std::uint8_t *data_;
    std::size_t size_;
    std::size_t position_ = 0;
    std::string answer_;
};

// httplib's server with its request handling open to the target; it never
// listens. Its listening socket is a placeholder that reads as open, so
// that an event stream runs as on a running server.
class ConnectionServer : public httplib::Server {
public:
    ConnectionServer() { svr_sock_ = ::open("/dev/null", O_RDONLY); }
    bool answer(httplib::Stream &connection, bool &closed) {
        return process_request(connection, false, closed, nullptr);
    }
};

struct Console {
    okulsim::ConsoleEvents events;
    okulsim::StateBroadcast broadcast;
    okulsim::LiveConsole live;
    okulsim::ConsoleHttpApi api;
    ConnectionServer server;
    std::atomic<bool> stop{false};
    std::thread loop;

    explicit Console(sim::Simulation &simulation)
        : live(simulation, events, broadcast),
          api(events, live, broadcast, fuzzsupport::Installation().work(), kToken) {
        api.install(server);
        loop = std::thread([this] { live.run(stop); });
    }
};

Console *console = nullptr;

void StopConsole() {
    console->stop = true;
    console->loop.join();
    console->broadcast.close();
    console->events.close();
}

std::string Lowered(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char ch) { return char(std::tolower(ch)); });
    return text;
}

// The answer, with a "100 Continue" before it passed over; empty when
// there is none.
std::string FinalAnswer(const std::string &answer) {
    static const char kContinue[] = "HTTP/1.1 100 Continue\r\n\r\n";
    if (answer.compare(0, sizeof kContinue - 1, kContinue) == 0) return answer.substr(sizeof kContinue - 1);
    return answer;
}

void CheckAnswer(const std::string &request, const std::string &answer) {
    if (answer.empty()) return;  // httplib gave up on the request
    Require(answer.compare(0, 9, "HTTP/1.1 ") == 0 && answer.size() >= 12, "an answer without a status line");
    const int status = std::atoi(answer.c_str() + 9);
    Require(status >= 100 && status < 600, "an answer with no status");
    Require(status != 500, "a request made a handler fail");
    const std::size_t headEnd = answer.find("\r\n\r\n");
    if (headEnd == std::string::npos) return;  // cut at the bound
    const std::string head = answer.substr(0, headEnd);
    if (status < 400) {
        const std::string lowered = Lowered(request);
        Require(request.find(kToken) != std::string::npos, "a request without the token was served");
        Require(lowered.find("127.0.0.1:8012") != std::string::npos ||
                    lowered.find("localhost:8012") != std::string::npos ||
                    lowered.find("[::1]:8012") != std::string::npos,
                "a request without this machine in its Host was served");
    }
    // httplib gives a request with a Range header that part of any answer,
    // an error's too: such a JSON answer is a piece of one.
    const std::size_t lengthAt = head.find("Content-Length: ");
    if (head.find("Content-Type: application/json") == std::string::npos || lengthAt == std::string::npos ||
        Lowered(request).find("\nrange:") != std::string::npos)
        return;
    const std::size_t length = std::strtoul(head.c_str() + lengthAt + 16, nullptr, 10);
    if (headEnd + 4 + length > answer.size()) return;  // cut at the bound
    const nlohmann::json body = nlohmann::json::parse(answer.substr(headEnd + 4, length), nullptr, false);
    Require(!body.is_discarded(), "a JSON answer that does not parse");
    if (status >= 400)
        Require(body.is_object() && body.contains("error") && body["error"].is_string() &&
                    !body["error"].get<std::string>().empty(),
                "an error answer without its message");
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***) {
    sim::Simulation &simulation = fuzzsupport::KeptSimulation("mars_approach.scn", 2);
    console = new Console(simulation);
    std::atexit(StopConsole);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    InputConnection connection(data, size);
    for (int i = 0; i < kMaxRequests && !connection.atEnd(); ++i) {
        const std::size_t start = connection.position();
        connection.nextAnswer();
        bool closed = false;
        const bool answered = console->server.answer(connection, closed);
        const std::string request(reinterpret_cast<const char *>(data) + start,
                                  connection.position() - start);
        const std::string answer = FinalAnswer(connection.answer());
        CheckAnswer(request, answer);
        // A client leaves a connection the server closes.
        const std::string head = answer.substr(0, answer.find("\r\n\r\n"));
        if (!answered || closed || connection.position() == start ||
            head.find("Connection: close") != std::string::npos)
            break;
    }

    // The next input finds the console running at real time; the scenarios
    // it saved go now and then.
    static unsigned long inputs = 0;
    const bool clear = ++inputs % 256 == 0;
    const std::string state = console->events
                                  .post([clear] {
                                      okulsim::LiveConsole &live = console->live;
                                      live.setPaused(false);
                                      live.simulation().setTimeAcceleration(1.0);
                                      if (clear) fuzzsupport::ClearWorkingFolder();
                                      return live.stateJson();
                                  })
                                  .get();
    Require(nlohmann::json::parse(state, nullptr, false).is_object(), "a state that is no JSON object");
    return 0;
}
