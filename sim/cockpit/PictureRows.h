// Rows of a picture shaded on several processors. Each row is shaded by
// exactly the code that would shade it on one, so the picture is the same
// to the last bit however many threads draw it.
#pragma once

#include <functional>

namespace sim {

// Calls shade(first, last) for consecutive row ranges that together cover
// [top, bottom) exactly once; shade must touch only its own rows. Large
// jobs (rows x pixelsPerRow of at least parallelPixels) are spread over
// the picture threads, the calling thread among them; it returns when
// every row is done.
void shadePictureRows(int top, int bottom, long pixelsPerRow, const std::function<void(int, int)> &shade);

// Threads that shade a large picture: 0 (the default) is one for each
// processor, up to eight; 1 shades on the calling thread alone. Builds
// without threads always use one.
void setPictureThreads(int threads);
int pictureThreads();

constexpr long parallelPixels = 65536;

}  // namespace sim
