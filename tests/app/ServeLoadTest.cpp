// The live console under load, on loopback: eight pages (each an event
// stream and a picture fetched for every new state it has seen, one at a
// time, as the page does) and fifty API clients, each typing a numbered
// sequence ("AB17;" for client AB's eighteenth request) and now and then
// reading the state, for OKUL_LOAD_SECONDS (default 8; the long run: 60).
//
// Checked: every request is answered 200; every page sees states in
// order; every client's text reaches the vessel whole and in order, none
// lost, none twice; but under AddressSanitizer, the process's resident
// memory stays flat after the first seconds; and on a machine with a
// processor to spare, every client gets at least two answers a second and
// the loop keeps its frame rate. The figures are printed.
#include <gtest/gtest.h>
#include <httplib.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <unistd.h>
#include <vector>

#include "CameraPointing.h"
#include "LiveConsoleFixture.h"

using namespace cockpittest;
using livetest::Json;
using livetest::kToken;

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kPages = 8;
constexpr int kClients = 50;
// A client's pause between requests, and how often it reads the state.
constexpr auto kClientPause = std::chrono::milliseconds(100);
constexpr int kStateEvery = 5;
// The longest run the variable may ask for.
constexpr int kLongestRun = 600;

// Under AddressSanitizer the rates and the memory are not the console's.
#if defined(__SANITIZE_ADDRESS__)
constexpr bool kSanitized = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool kSanitized = true;
#else
constexpr bool kSanitized = false;
#endif
#else
constexpr bool kSanitized = false;
#endif

int runSeconds() {
    const char *text = std::getenv("OKUL_LOAD_SECONDS");
    const int seconds = text ? std::atoi(text) : 8;
    return std::max(2, std::min(seconds, kLongestRun));
}

double residentMb() {
    long pages = 0, resident = 0;
    std::ifstream("/proc/self/statm") >> pages >> resident;
    return double(resident) * double(sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0);
}

// The share of a processor this thread gets while it spins for a moment:
// about 1 on a machine with a processor to spare; 0.5 to 0.6 on one whose
// two processors run a dozen other jobs.
double processorShare() {
    const auto cpuSeconds = [] {
        timespec now{};
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
        return double(now.tv_sec) + 1e-9 * double(now.tv_nsec);
    };
    const auto start = Clock::now();
    const double cpuStart = cpuSeconds();
    while (Clock::now() - start < std::chrono::milliseconds(300)) {
    }
    return (cpuSeconds() - cpuStart) / std::chrono::duration<double>(Clock::now() - start).count();
}

// A client's name: two letters.
std::string clientName(int client) { return {char('A' + client / 26), char('A' + client % 26)}; }

// Reads the characters that reach the vessel back into each client's
// numbers, as they come, and counts what is out of order.
class TypedSequences {
public:
    explicit TypedSequences(int clients) : next_(std::size_t(clients), 0) {
        for (char c = 'A'; c <= 'Z'; ++c) characters_[okulsim::characterKey(c)] = c;
        for (char c = '0'; c <= '9'; ++c) characters_[okulsim::characterKey(c)] = c;
        characters_[okulsim::characterKey(';')] = ';';
    }
    // The key presses a vessel took, in order.
    void take(const std::vector<Call> &keys) {
        for (const Call &key : keys) {
            if (key.event != 1) continue;
            const auto found = characters_.find(key.id);
            const char c = found == characters_.end() ? '?' : found->second;
            if (c != ';') {
                word_ += c;
                continue;
            }
            const int client = word_.size() >= 3 ? (word_[0] - 'A') * 26 + (word_[1] - 'A') : -1;
            if (client < 0 || client >= int(next_.size()) ||
                word_.find_first_not_of("0123456789", 2) != std::string::npos) {
                faults_.push_back("unreadable \"" + word_ + "\"");
            } else {
                const long number = std::atol(word_.c_str() + 2);
                if (number != next_[std::size_t(client)])
                    faults_.push_back(clientName(client) + ": " + std::to_string(number) + " after " +
                                      std::to_string(next_[std::size_t(client)] - 1));
                next_[std::size_t(client)] = number + 1;
            }
            word_.clear();
        }
    }
    long received(int client) const { return next_[std::size_t(client)]; }
    const std::vector<std::string> &faults() const { return faults_; }

private:
    std::map<int, char> characters_;
    std::vector<long> next_;
    std::string word_;
    std::vector<std::string> faults_;
};

class ServeLoadTest : public livetest::LiveConsoleTest {
protected:
    // The pages here fetch whole window pictures, so the console serves
    // them as `--pictures whole` does (no changes kept beside them).
    okulsim::LiveConsole::Options consoleOptions() const override {
        okulsim::LiveConsole::Options options;
        options.pictures = okulsim::PictureStream::Whole;
        return options;
    }
    // Hands what the probe recorded to `sequences` and forgets it, on the
    // simulation thread, so that the probe does not grow over the run.
    void drainProbe(TypedSequences &sequences) {
        events
            .post([this, &sequences] {
                sequences.take(probe->bufferedKeys);
                probe->bufferedKeys.clear();
                probe->redraws.clear();
                probe->directKeys.clear();
                probe->mouse.clear();
            })
            .wait();
    }
};

}  // namespace

TEST_F(ServeLoadTest, EightPagesAndFiftyClientsAreServedInOrderAtFullFrameRate) {
    const int seconds = runSeconds();
    // The rates are the console's only on a machine that has processors to
    // spare (CI runs this test alone); on a busy one they are printed.
    const double share = processorShare();
    const bool ratesChecked = !kSanitized && share > 0.9;
    // What is measured is the server's work: the probe looks away from the
    // Earth, whose mapped disc filling the picture would cost more than the
    // pages and clients together (that cost is bench_cockpit's).
    events
        .post([this] {
            Vessel *focus = simulation->focus();
            focus->rotation =
                testsupport::lookingAlong(focus->position - simulation->body(sim::BodyId::Earth)->position());
        })
        .wait();
    const auto start = Clock::now(), deadline = start + std::chrono::seconds(seconds);
    const long startFrame = state()["frame"].get<long>();
    std::atomic<long> failures{0}, retries{0}, requests{0}, states{0}, pictures{0}, pictureBytes{0},
        disorders{0};
    std::mutex failureMutex;
    std::string firstFailure;
    const auto fail = [&](const std::string &what) {
        ++failures;
        std::lock_guard<std::mutex> lock(failureMutex);
        if (firstFailure.empty()) firstFailure = what;
    };
    const httplib::Headers token{{okulsim::RequestAdmission::tokenHeader, kToken}};

    std::vector<std::thread> threads;
    for (int page = 0; page < kPages; ++page) {
        auto latest = std::make_shared<std::atomic<long>>(0);
        threads.emplace_back([&, latest] {
            httplib::Client stream("127.0.0.1", port);
            stream.set_default_headers(token);
            stream.set_read_timeout(5, 0);
            std::string buffer;
            long last = 0;
            stream.Get("/api/events", [&](const char *data, std::size_t length) {
                buffer.append(data, length);
                for (std::size_t end; (end = buffer.find("\n\n")) != std::string::npos;
                     buffer.erase(0, end + 2)) {
                    if (buffer.compare(0, 19, "event: state\ndata: ") != 0) continue;
                    const Json pushed = Json::parse(buffer.substr(19, end - 19), nullptr, false);
                    const long serial = pushed.is_object() ? pushed.value("serial", 0L) : 0L;
                    if (serial <= last) ++disorders;
                    last = serial;
                    latest->store(serial);
                    ++states;
                }
                return Clock::now() < deadline;
            });
        });
        threads.emplace_back([&, latest] {
            httplib::Client pictureClient("127.0.0.1", port);
            pictureClient.set_default_headers(token);
            pictureClient.set_read_timeout(20, 0);
            long shown = 0;
            while (Clock::now() < deadline) {
                if (latest->load() == shown) {
                    std::this_thread::sleep_for(std::chrono::milliseconds(5));
                    continue;
                }
                shown = latest->load();
                auto result = pictureClient.Get("/api/window.png?serial=" + std::to_string(shown));
                if (!result || result->status != 200)
                    fail("a picture: " +
                         (result ? std::to_string(result->status) : httplib::to_string(result.error())));
                else {
                    ++pictures;
                    pictureBytes += long(result->body.size());
                }
            }
        });
    }
    std::vector<long> sent(kClients, 0);
    for (int client = 0; client < kClients; ++client) {
        threads.emplace_back([&, client] {
            httplib::Client api("127.0.0.1", port);
            api.set_default_headers(token);
            api.set_read_timeout(20, 0);
            for (long number = 0; Clock::now() < deadline; ++number) {
                const std::string text = clientName(client) + std::to_string(number) + ";";
                // A connection the server closed as it was taken again is
                // tried anew, as browsers do: a request the console took
                // twice would show in the sequence.
                httplib::Result result = api.Post("/api/type", httplib::Params{{"text", text}});
                for (int retry = 0; !result && retry < 2; ++retry) {
                    ++retries;
                    result = api.Post("/api/type", httplib::Params{{"text", text}});
                }
                ++requests;
                if (!result || result->status != 200) {
                    fail(text + ": " + (result ? result->body : httplib::to_string(result.error())));
                    break;
                }
                sent[std::size_t(client)] = number + 1;
                if (number % kStateEvery == 0) {
                    auto read = api.Get("/api/state");
                    ++requests;
                    if (!read || read->status != 200) fail("a state");
                }
                std::this_thread::sleep_for(kClientPause);
            }
        });
    }

    // The monitor: the probe drained, the frames and the resident memory
    // sampled each second.
    TypedSequences sequences(kClients);
    std::vector<double> resident;
    std::vector<double> frameRates;  // between samples
    long lastFrame = startFrame;
    for (auto next = start, last = start; Clock::now() < deadline;) {
        next += std::chrono::seconds(1);
        std::this_thread::sleep_until(next);
        drainProbe(sequences);
        resident.push_back(residentMb());
        const long frame = state()["frame"].get<long>();
        const auto now = Clock::now();
        frameRates.push_back(double(frame - lastFrame) / std::chrono::duration<double>(now - last).count());
        lastFrame = frame;
        last = now;
    }
    for (std::thread &thread : threads) thread.join();
    const double elapsed = std::chrono::duration<double>(Clock::now() - start).count();
    const long frames = state()["frame"].get<long>() - startFrame;
    waitFrames(3);  // the last keys reach the vessel
    drainProbe(sequences);
    const Json stats = Json::parse(client->Get("/api/stats")->body);

    long typed = 0;
    for (int c = 0; c < kClients; ++c) typed += sent[std::size_t(c)];
    std::printf("load: %d pages, %d API clients, %.1f s; a processor share of %.2f before%s\n", kPages,
                kClients, elapsed, share, ratesChecked ? "" : ": rates not checked");
    std::printf(
        "frames: %.1f a second (loop rate %.0f; slowest second %.0f); frame time with pages: mean %.2f ms "
        "(processor %.2f ms), max %.1f ms\n",
        double(frames) / elapsed, okulsim::LiveConsole::frameRate,
        *std::min_element(frameRates.begin(), frameRates.end()), stats["withPage"]["meanMs"].get<double>(),
        stats["withPage"]["meanCpuMs"].get<double>(), stats["withPage"]["maxMs"].get<double>());
    std::printf(
        "API: %ld requests (%.0f a second), %ld typed texts, %zu out of order or lost, %ld failed, %ld tried "
        "again on a closed connection\n",
        requests.load(), double(requests) / elapsed, typed, sequences.faults().size(), failures.load(),
        retries.load());
    std::printf(
        "pages: %ld states (%.1f a second a page), %ld pictures (%.1f a second a page, %.1f MB/s in all), "
        "%ld states out of order; encoding %.1f ms a picture\n",
        states.load(), double(states) / elapsed / kPages, pictures.load(),
        double(pictures) / elapsed / kPages, double(pictureBytes) / elapsed / 1e6, disorders.load(),
        stats["encodings"]["meanMs"].get<double>());
    std::printf("resident memory, MB, each second:");
    for (double mb : resident) std::printf(" %.1f", mb);
    std::printf("\n");

    EXPECT_EQ(failures.load(), 0) << firstFailure;
    EXPECT_EQ(disorders.load(), 0);
    EXPECT_TRUE(sequences.faults().empty()) << sequences.faults().front();
    for (int c = 0; c < kClients; ++c) {
        EXPECT_EQ(sequences.received(c), sent[std::size_t(c)]) << clientName(c);
        EXPECT_GT(sent[std::size_t(c)], 0) << clientName(c);
    }
    EXPECT_GT(pictures.load(), 0);
    if (kSanitized) return;  // its timing and memory are the sanitizers'
    if (ratesChecked) {
        // Paced at ten a second: at least two a second answered.
        EXPECT_GE(*std::min_element(sent.begin(), sent.end()), 2 * seconds);
        EXPECT_GT(pictures.load(), long(kPages) * seconds);
        // The loop's rate, with room: the pages' pictures cost the
        // simulation thread 9 to 14 ms of processor time a frame (their
        // layers), near the 20 ms a frame has.
        EXPECT_GT(double(frames) / elapsed, 0.8 * okulsim::LiveConsole::frameRate);
    }
    // Flat after the first seconds (threads, buffers and the picture cache
    // settle): less than 32 MB from the third second's sample to the end.
    ASSERT_GE(resident.size(), 2u);
    const double settled = resident[std::min<std::size_t>(2, resident.size() - 1)];
    EXPECT_LT(*std::max_element(resident.begin(), resident.end()) - settled, 32.0);
}
