#include "StateBroadcast.h"

namespace okulsim {

void StateBroadcast::publish(std::string json) {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        latest_.swap(json);
        ++serial_;
    }
    changed_.notify_all();
    // The old text is freed here, outside the lock.
}

void StateBroadcast::close() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        closed_ = true;
    }
    changed_.notify_all();
}

bool StateBroadcast::closed() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return closed_;
}

StateBroadcast::Listener::Listener(StateBroadcast &broadcast) : broadcast_(broadcast) {
    ++broadcast_.listeners_;
}

StateBroadcast::Listener::~Listener() {
    --broadcast_.listeners_;
    ++broadcast_.departures_;
}

bool StateBroadcast::Listener::next(std::string &json, std::chrono::milliseconds timeout) {
    std::unique_lock<std::mutex> lock(broadcast_.mutex_);
    const bool fresh = broadcast_.changed_.wait_for(
        lock, timeout, [this] { return broadcast_.closed_ || broadcast_.serial_ != seen_; });
    if (!fresh || broadcast_.closed_) return false;
    seen_ = broadcast_.serial_;
    json = broadcast_.latest_;
    return true;
}

}  // namespace okulsim
