// The one queue through which the live console's requests reach the
// simulation: any thread posts work, the simulation thread takes it in
// order between frames, so that everything that touches the simulation
// (and every module callback) runs on that thread.
#pragma once

#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <future>
#include <memory>
#include <mutex>

namespace okulsim {

class ConsoleEvents {
public:
    using Clock = std::chrono::steady_clock;

    // Queues `work` for the simulation thread; the future holds its result.
    // After close() the work is dropped and the future reports a broken
    // promise.
    template <class Work>
    auto post(Work work) -> std::future<decltype(work())> {
        using Result = decltype(work());
        auto task = std::make_shared<std::packaged_task<Result()>>(std::move(work));
        std::future<Result> result = task->get_future();
        push([task] { (*task)(); });
        return result;
    }

    // The simulation thread: runs queued work, in order, as it arrives,
    // until `deadline`; adds the time the work took to `busy` and returns
    // how many pieces ran.
    int runUntil(Clock::time_point deadline, Clock::duration &busy);
    // Runs what is queued now, without waiting.
    int runPending();

    // Drops what is queued and refuses further work.
    void close();
    bool closed() const;

private:
    void push(std::function<void()> task);

    mutable std::mutex mutex_;
    std::condition_variable arrived_;
    std::deque<std::function<void()>> queue_;
    bool closed_ = false;
};

}  // namespace okulsim
