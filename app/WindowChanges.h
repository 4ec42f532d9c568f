// The live console's pictures as changes, the way remote-screen protocols
// send a screen: the window is cut into tiles, and a page that has the
// picture of one state gets, for the next, only the tiles whose pixels
// differ, packed into one small picture.
//
// WindowMirror (simulation thread) keeps the window as last published and
// finds the changed tiles of each published state: it looks only where
// something was drawn (the panel areas the module redrew, the MFD screens)
// and where the outside view shows (around the panel and through its
// transparent colour), and compares each tile with the picture that covers
// it (an area's, an MFD's, the view's) without putting the window together. WindowHistory (any thread) keeps
// the changes of the last states and puts together the changes from one state to another.
#pragma once

#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
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

class WindowMirror {
public:
    // The outside view is drawn afresh for a state at most every this many
    // frames (drawing it takes longer than finding the panel's changes).
    static constexpr long viewEveryFrames = 3;

    // Brings the mirror to the cockpit's window as it stands and returns the
    // tiles that changed since the last update (state `since`).
    TileChanges update(sim::Cockpit &cockpit, unsigned long long since, unsigned long long serial);
    // The window as of the last update.
    const sim::Surface &window() const { return window_; }
    unsigned long long serial() const { return serial_; }

private:
    // What a tile of the window shows, found when a panel is shown: the
    // view alone, or one layer of the panel (an area's picture, an MFD
    // screen) over the whole tile, or a mix (the background among them).
    static constexpr int viewOnly = -1, mixed = -2;
    void classifyTiles(const sim::Panel *panel, int left, int top);
    // Brings one tile up to date; true when its pixels changed.
    bool refreshTile(const sim::Panel *panel, int tile, int left, int top, const sim::Surface *view);

    sim::Surface window_{sim::Cockpit::windowWidth, sim::Cockpit::windowHeight};
    sim::Surface panel_{0, 0};  // scratch: the panel composed where a tile mixes layers
    bool started_ = false;
    unsigned panelSerial_ = 0;
    unsigned long long serial_ = 0;
    long viewFrame_ = 0;  // the frame the view was last drawn for
    std::vector<unsigned long long> areaDrawn_;
    // Each layer's fingerprint when last looked at: a redrawn area that
    // drew the same picture (most are redrawn every frame) is not looked at.
    std::vector<std::uint64_t> layerPrints_;
    std::vector<int> tileLayer_ = std::vector<int>(WindowTiles::count, viewOnly);
    std::vector<char> viewTiles_ = std::vector<char>(WindowTiles::count, 1);
    bool keyed_ = false;
    std::uint32_t key_ = 0;
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

// Packs the tiles given by `tileOf` (null where a tile is not in) into
// rectangles: runs along a row of tiles, merged downwards where a run of
// the next row has the same columns. Exposed for its tests.
std::vector<WindowPatch::Piece> tileRectangles(const std::vector<const std::uint32_t *> &tileOf);

}  // namespace okulsim
