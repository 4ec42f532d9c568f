#include "cockpit/PictureRows.h"

#include <algorithm>
#include <atomic>

// MinGW's win32 thread model (Debian's default cross compiler) has no
// std::thread; such builds shade on the calling thread.
#if !defined(__GLIBCXX__) || defined(_GLIBCXX_HAS_GTHREADS)
#define OKUL_PICTURE_THREADS 1
#include <thread>
#include <vector>
#else
#define OKUL_PICTURE_THREADS 0
#endif

namespace sim {

namespace {

std::atomic<int> requestedThreads{0};

// Rows handed out at a time: small enough that a disc's busy rows spread
// over all threads, large enough that the counter is not contended.
constexpr int kRowsPerChunk = 8;

}  // namespace

void setPictureThreads(int threads) { requestedThreads = std::max(0, threads); }

int pictureThreads() {
#if OKUL_PICTURE_THREADS
    const int requested = requestedThreads;
    if (requested > 0) return requested;
    return int(std::max(1u, std::min(8u, std::thread::hardware_concurrency())));
#else
    return 1;
#endif
}

void shadePictureRows(int top, int bottom, long pixelsPerRow, const std::function<void(int, int)> &shade) {
    if (bottom <= top) return;
    const int rows = bottom - top;
    const int threads = std::min(pictureThreads(), (rows + kRowsPerChunk - 1) / kRowsPerChunk);
    if (threads <= 1 || long(rows) * pixelsPerRow < parallelPixels) {
        shade(top, bottom);
        return;
    }
#if OKUL_PICTURE_THREADS
    std::atomic<int> next{top};
    auto work = [&] {
        for (int first; (first = next.fetch_add(kRowsPerChunk)) < bottom;)
            shade(first, std::min(bottom, first + kRowsPerChunk));
    };
    std::vector<std::thread> helpers;
    helpers.reserve(std::size_t(threads - 1));
    for (int i = 1; i < threads; ++i) helpers.emplace_back(work);
    work();
    for (std::thread &helper : helpers) helper.join();
#endif
}

}  // namespace sim
