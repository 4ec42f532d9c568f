// Rows of a picture shared among threads: every row exactly once, small
// jobs on the calling thread alone.
#include "cockpit/PictureRows.h"

#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <thread>

namespace {

struct ThreadSetting {
    explicit ThreadSetting(int threads) { sim::setPictureThreads(threads); }
    ~ThreadSetting() { sim::setPictureThreads(0); }
};

}  // namespace

TEST(PictureRows, EveryRowIsShadedOnceWhateverTheSplit) {
    const struct {
        int threads, top, bottom;
        long width;
    } jobs[] = {
        {4, 0, 960, 1280},   // the whole view
        {3, 17, 974, 800},   // a disc's box: rows not a multiple of the chunk
        {8, 5, 14, 100000},  // fewer chunks than threads
        {2, 0, 1, 1 << 20},  // one row
        {4, 40, 40, 1280},   // no row
        {1, 0, 960, 1280},   // one thread asked for
    };
    for (const auto &job : jobs) {
        ThreadSetting setting(job.threads);
        std::unique_ptr<std::atomic<int>[]> visits(new std::atomic<int>[1000]());
        std::atomic<int> calls{0};
        sim::shadePictureRows(job.top, job.bottom, job.width, [&](int first, int last) {
            ++calls;
            EXPECT_LT(first, last);
            for (int row = first; row < last; ++row) ++visits[row];
        });
        for (int row = 0; row < 1000; ++row)
            EXPECT_EQ(visits[row], row >= job.top && row < job.bottom ? 1 : 0)
                << "row " << row << " of " << job.top << ".." << job.bottom << ", " << job.threads
                << " threads";
        if (job.threads == 1 || job.bottom - job.top == 1) EXPECT_EQ(calls, job.bottom > job.top ? 1 : 0);
    }
}

TEST(PictureRows, SmallJobsStayOnTheCallingThread) {
    ThreadSetting setting(4);
    const std::thread::id caller = std::this_thread::get_id();
    int calls = 0;
    // A disc of 255 x 256 pixels: below the share worth a thread.
    sim::shadePictureRows(100, 356, 255, [&](int first, int last) {
        ++calls;
        EXPECT_EQ(std::this_thread::get_id(), caller);
        EXPECT_EQ(first, 100);
        EXPECT_EQ(last, 356);
    });
    EXPECT_EQ(calls, 1);
}
