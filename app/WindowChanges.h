// The live console's pictures as changes, the way remote-screen protocols
// send a screen: the window is cut into tiles, and a page that has the
// picture of one state gets, for the next, only the tiles whose pixels
// differ, packed into one small picture.
//
// WindowMirror keeps the window as last published. For each published
// state the simulation thread takes a snapshot of what may have changed
// (copies of the panel areas the module redrew, the MFD screens, the
// outside view when drawn afresh) and hands it to the ChangesWorker, which
// puts the window together on its own thread, compares it tile by tile with
// the mirror and adds the changed tiles to the WindowHistory (any thread),
// which keeps the changes of the last states and puts together the changes
// from one state to another.
#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "cockpit/Cockpit.h"
#include "gdi/Surface.h"

namespace okulsim {

struct WindowTiles {
    static constexpr int size = 16;  // pixels a side
    static constexpr int columns = sim::Cockpit::windowWidth / size;
    static constexpr int rows = sim::Cockpit::windowHeight / size;
    static constexpr int count = columns * rows;
    static constexpr int pixels = size * size;
};
static_assert(sim::Cockpit::windowWidth % WindowTiles::size == 0 &&
                  sim::Cockpit::windowHeight % WindowTiles::size == 0,
              "the window divides into whole tiles");

// The tiles of one published state that differ from the state before it.
struct TileChanges {
    unsigned long long since = 0;  // the state before (0: none, a black window)
    unsigned long long serial = 0;
    std::vector<std::uint16_t> tiles;   // row-major indices, ascending
    std::vector<std::uint32_t> pixels;  // WindowTiles::pixels per tile, rows top down
};

// Pieces of the window packed into one picture: piece i is the block of
// `picture` at (atlasX, atlasY) that goes to (x, y) of the window.
struct WindowPatch {
    unsigned long long since = 0;
    unsigned long long serial = 0;
    struct Piece {
        int x, y, width, height, atlasX, atlasY;
    };
    std::vector<Piece> pieces;
    sim::Surface picture{0, 0};
};

// What the simulation thread takes of the window for one state, while the
// cockpit's surfaces hold still: copies of what may have changed since the
// state before (the panel's layers redrawn, the MFD screens, the outside
// view when drawn afresh), and, with a new panel, all of it. The changed
// tiles are found from it later, on another thread.
struct WindowSnapshot {
    unsigned long long since = 0, serial = 0;
    bool newPanel = false;  // the first snapshot, or a panel shown since the last
    // With a new panel: the panel's picture, where it lies, its transparent
    // colour and how many layers it has (background empty: no panel picture).
    sim::Surface background{0, 0};
    int left = 0, top = 0;
    bool keyed = false;
    std::uint32_t key = 0;
    int layerCount = 0;
    // A layer of the panel (an area's picture, an MFD screen, drawn over the
    // areas) that may have changed: its index, where it lies on the panel and
    // its pixels there (empty: no picture).
    struct Layer {
        int index = 0, left = 0, top = 0;
        sim::Surface picture{0, 0};
    };
    std::vector<Layer> layers;
    bool hasView = false;  // the view drawn afresh; otherwise the last one stands
    sim::Surface view{0, 0};
};

// The window as last published, and its changes state by state. take runs
// on the simulation thread; apply on one thread at a time (the changes
// worker), in the order the snapshots were taken; they share nothing but a
// flag saying whether the view shows and a pool of pictures to copy into.
class WindowMirror {
public:
    // The outside view is drawn afresh for a state at most every this many
    // frames (drawing it takes longer than everything else a state costs).
    static constexpr long viewEveryFrames = 3;

    // Simulation thread: what changed in the cockpit since the last snapshot.
    WindowSnapshot take(sim::Cockpit &cockpit, unsigned long long since, unsigned long long serial);
    // The serial of the last snapshot taken (simulation thread).
    unsigned long long taken() const { return taken_; }
    // Brings the mirror to the snapshot's window and returns the tiles that
    // changed since the snapshot before.
    TileChanges apply(WindowSnapshot snapshot);
    // Both at once (one thread).
    TileChanges update(sim::Cockpit &cockpit, unsigned long long since, unsigned long long serial) {
        return apply(take(cockpit, since, serial));
    }
    // The window as of the last apply.
    const sim::Surface &window() const { return window_; }
    unsigned long long serial() const { return serial_; }

private:
    // ---- simulation thread (take)
    bool started_ = false;
    unsigned panelSerial_ = 0;
    unsigned long long taken_ = 0;
    long viewFrame_ = 0;  // the frame the view was last drawn for
    std::vector<unsigned long long> areaDrawn_;
    sim::Surface copyOf(const sim::Surface &source, int width, int height);
    WindowSnapshot::Layer copyLayer(const sim::Panel &panel, int index);
    // ---- shared
    // Whether the last window applied showed some of the view (when it does
    // not, the view is not drawn).
    std::atomic<bool> viewShows_{true};
    // Pictures apply is done with (views and layers replaced), for take to
    // copy the next ones into: no new memory to fault in for each copy.
    sim::Surface spare(int width, int height);
    void giveBack(sim::Surface picture);
    std::mutex spareMutex_;
    std::vector<sim::Surface> spares_;
    std::size_t sparePixels_ = 0;
    // ---- apply
    unsigned long long serial_ = 0;
    sim::Surface window_{sim::Cockpit::windowWidth, sim::Cockpit::windowHeight};
    sim::Surface view_{sim::Cockpit::windowWidth, sim::Cockpit::windowHeight};  // black until drawn
    sim::Surface background_{0, 0};
    std::vector<WindowSnapshot::Layer> layers_;
    int left_ = 0, top_ = 0;
    bool keyed_ = false;
    std::uint32_t key_ = 0;
    sim::Surface panel_{0, 0};  // the panel put together
    // Which tiles showed some of the view when last put together.
    std::vector<char> viewTiles_ = std::vector<char>(WindowTiles::count, 1);
    // Puts the panel together again in a rectangle (panel pixels).
    void composePanel(int left, int top, int right, int bottom);
};

class WindowHistory {
public:
    // How many states' changes are kept, and how many of their pixels at
    // most (a panel switch changes the whole window).
    static constexpr std::size_t keptStates = 200;
    static constexpr std::size_t keptPixels = 16 * 1024 * 1024;

    void add(std::shared_ptr<const TileChanges> changes);
    // The changes from state `since` to state `serial` put together (the
    // latest pixels of every tile that changed on the way), in as few
    // rectangles as the tiles make; false when the history does not hold
    // every state from `since` to `serial`.
    bool patch(unsigned long long since, unsigned long long serial, WindowPatch &patch) const;
    unsigned long long latest() const;

private:
    mutable std::mutex mutex_;
    std::deque<std::shared_ptr<const TileChanges>> states_;
    std::size_t pixels_ = 0;
};

// Finds the changes of the snapshots given to it on a thread of its own, in
// the order given, and adds them to the history.
class ChangesWorker {
public:
    // Snapshots waiting at most: taking another waits for the worker (the
    // snapshots' pictures are not left to pile up).
    static constexpr std::size_t mostWaiting = 4;

    ChangesWorker(WindowMirror &mirror, WindowHistory &history);
    ~ChangesWorker();
    ChangesWorker(const ChangesWorker &) = delete;
    ChangesWorker &operator=(const ChangesWorker &) = delete;

    void submit(WindowSnapshot snapshot);
    // Waits until the changes of state `serial` are in the history, if that
    // state was submitted (any thread); false when it was not or the wait
    // ran out.
    bool waitFor(unsigned long long serial, std::chrono::milliseconds longest);
    // Waits until every snapshot submitted is applied, then copies the
    // mirror's window (the thread that submits).
    sim::Surface window(unsigned long long &serial);
    // The worker's processor time so far and the states it applied.
    void times(double &cpuMs, long &states) const;

private:
    void run();

    WindowMirror &mirror_;
    WindowHistory &history_;
    mutable std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<WindowSnapshot> waiting_;
    bool busy_ = false, stop_ = false;
    unsigned long long submitted_ = 0, applied_ = 0;
    double cpuMs_ = 0.0;
    long states_ = 0;
    std::thread thread_;
};

// Packs the tiles given by `tileOf` (null where a tile is not in) into
// rectangles: runs along a row of tiles, merged downwards where a run of
// the next row has the same columns. Exposed for its tests.
std::vector<WindowPatch::Piece> tileRectangles(const std::vector<const std::uint32_t *> &tileOf);

}  // namespace okulsim
