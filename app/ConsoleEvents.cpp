#include "ConsoleEvents.h"

namespace okulsim {

void ConsoleEvents::push(std::function<void()> task) {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        if (closed_) return;  // the task and its promise are dropped
        queue_.push_back(std::move(task));
    }
    arrived_.notify_one();
}

int ConsoleEvents::runUntil(Clock::time_point deadline, Clock::duration &busy) {
    int ran = 0;
    std::unique_lock<std::mutex> lock(mutex_);
    while (true) {
        arrived_.wait_until(lock, deadline, [this] { return !queue_.empty() || closed_; });
        if (queue_.empty()) return ran;
        std::deque<std::function<void()>> batch;
        batch.swap(queue_);
        lock.unlock();
        const Clock::time_point start = Clock::now();
        for (std::function<void()> &task : batch) {
            task();
            ++ran;
        }
        busy += Clock::now() - start;
        batch.clear();  // the tasks' captures go before the lock is taken again
        lock.lock();
        if (Clock::now() >= deadline) return ran;
    }
}

int ConsoleEvents::runPending() {
    Clock::duration busy{};
    return runUntil(Clock::now(), busy);
}

void ConsoleEvents::close() {
    std::deque<std::function<void()>> dropped;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        closed_ = true;
        dropped.swap(queue_);
    }
    arrived_.notify_all();
    // `dropped` goes out of scope outside the lock: the waiting futures see
    // broken promises.
}

bool ConsoleEvents::closed() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return closed_;
}

}  // namespace okulsim
