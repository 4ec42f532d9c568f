// The live console's queue of requests and its broadcast of states.
#include "ConsoleEvents.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "StateBroadcast.h"

using okulsim::ConsoleEvents;
using okulsim::StateBroadcast;

TEST(ConsoleEvents, WorkRunsInOrderOnTheTakingThread) {
    ConsoleEvents events;
    std::vector<int> order;
    std::thread::id ranOn;
    std::vector<std::future<int>> results;
    for (int i = 0; i < 5; ++i)
        results.push_back(events.post([&order, &ranOn, i] {
            order.push_back(i);
            ranOn = std::this_thread::get_id();
            return i * i;
        }));
    EXPECT_EQ(events.runPending(), 5);
    EXPECT_EQ(order, std::vector<int>({0, 1, 2, 3, 4}));
    EXPECT_EQ(ranOn, std::this_thread::get_id());
    EXPECT_EQ(results[3].get(), 9);
    EXPECT_EQ(events.runPending(), 0);
}

TEST(ConsoleEvents, WorkPostedFromAnotherThreadRunsBeforeTheDeadline) {
    ConsoleEvents events;
    std::future<std::string> answer;
    std::thread poster([&] { answer = events.post([] { return std::string("taken"); }); });
    ConsoleEvents::Clock::duration busy{};
    int ran = 0;
    const auto deadline = ConsoleEvents::Clock::now() + std::chrono::seconds(5);
    while (ran == 0 && ConsoleEvents::Clock::now() < deadline)
        ran += events.runUntil(ConsoleEvents::Clock::now() + std::chrono::milliseconds(20), busy);
    poster.join();
    EXPECT_EQ(ran, 1);
    EXPECT_EQ(answer.get(), "taken");
}

TEST(ConsoleEvents, ClosingDropsWaitingAndLaterWork) {
    ConsoleEvents events;
    bool ran = false;
    std::future<void> waiting = events.post([&ran] { ran = true; });
    events.close();
    std::future<void> late = events.post([&ran] { ran = true; });
    EXPECT_EQ(events.runPending(), 0);
    EXPECT_FALSE(ran);
    EXPECT_THROW(waiting.get(), std::future_error);
    EXPECT_THROW(late.get(), std::future_error);
    EXPECT_TRUE(events.closed());
}

TEST(StateBroadcast, ListenersTakeTheLatestStateOnce) {
    StateBroadcast broadcast;
    std::string json;
    {
        StateBroadcast::Listener listener(broadcast);
        EXPECT_EQ(broadcast.listeners(), 1);
        EXPECT_FALSE(listener.next(json, std::chrono::milliseconds(1)));  // nothing yet
        broadcast.publish("{\"serial\":1}");
        broadcast.publish("{\"serial\":2}");
        ASSERT_TRUE(listener.next(json, std::chrono::milliseconds(1)));
        EXPECT_EQ(json, "{\"serial\":2}");  // a listener that fell behind skips to the latest
        EXPECT_FALSE(listener.next(json, std::chrono::milliseconds(1)));
        // A listener that comes later starts with the latest state.
        StateBroadcast::Listener late(broadcast);
        ASSERT_TRUE(late.next(json, std::chrono::milliseconds(1)));
        EXPECT_EQ(json, "{\"serial\":2}");
    }
    EXPECT_EQ(broadcast.listeners(), 0);
    EXPECT_EQ(broadcast.departures(), 2u);
}

TEST(StateBroadcast, ClosingWakesAWaitingListener) {
    StateBroadcast broadcast;
    bool woke = false, got = true;
    std::thread stream([&] {
        StateBroadcast::Listener listener(broadcast);
        std::string json;
        got = listener.next(json, std::chrono::seconds(30));
        woke = true;
    });
    while (broadcast.listeners() == 0) std::this_thread::yield();
    broadcast.close();
    stream.join();
    EXPECT_TRUE(woke);
    EXPECT_FALSE(got);
    EXPECT_TRUE(broadcast.closed());
}
