// The latest state of the live console for the pages' event streams: the
// simulation thread publishes, each stream waits for something newer and
// sends it. Publishing only swaps a text under a short lock, so a slow
// page never holds up the simulation; a stream that falls behind skips to
// the latest state.
#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>

namespace okulsim {

class StateBroadcast {
public:
    void publish(std::string json);

    // Counts an open stream while it lives.
    class Listener {
    public:
        explicit Listener(StateBroadcast &broadcast);
        ~Listener();
        Listener(const Listener &) = delete;
        Listener &operator=(const Listener &) = delete;

        // Waits up to `timeout` for a state newer than the last one this
        // listener took; false on timeout or when the broadcast closed.
        bool next(std::string &json, std::chrono::milliseconds timeout);

    private:
        StateBroadcast &broadcast_;
        unsigned long long seen_ = 0;
    };

    int listeners() const { return listeners_.load(); }
    // How many streams have closed so far.
    unsigned long long departures() const { return departures_.load(); }

    // Wakes every stream and ends them.
    void close();
    bool closed() const;

private:
    mutable std::mutex mutex_;
    std::condition_variable changed_;
    std::string latest_;
    unsigned long long serial_ = 0;
    bool closed_ = false;
    std::atomic<int> listeners_{0};
    std::atomic<unsigned long long> departures_{0};
};

}  // namespace okulsim
