// The picture as changes: the mirror of the window against the cockpit's own
// composition, the tiles a redraw changes, and the history's chains.
#include "WindowChanges.h"

#include <gtest/gtest.h>

#include "CockpitFixture.h"

using namespace cockpittest;
using okulsim::TileChanges;
using okulsim::WindowHistory;
using okulsim::WindowMirror;
using okulsim::WindowPatch;
using okulsim::WindowTiles;

namespace {

bool samePixels(const sim::Surface &a, const sim::Surface &b) {
    return a.width() == b.width() && a.height() == b.height() &&
           std::equal(a.pixels(), a.pixels() + std::size_t(a.width()) * a.height(), b.pixels());
}

// What a page does with a patch: its pieces painted over the picture it has.
void paint(sim::Surface &window, const WindowPatch &patch) {
    for (const WindowPatch::Piece &piece : patch.pieces)
        window.copyFrom(patch.picture, piece.atlasX, piece.atlasY, piece.width, piece.height, piece.x,
                        piece.y);
}

int tileAt(int x, int y) { return (y / WindowTiles::size) * WindowTiles::columns + x / WindowTiles::size; }

bool holds(const TileChanges &changes, int tile) {
    return std::find(changes.tiles.begin(), changes.tiles.end(), tile) != changes.tiles.end();
}

class WindowChangesTest : public CockpitTest {
protected:
    // The panel's top left corner in the window (1152 x 864 at the bottom, centred).
    static constexpr int left = 64, top = 96;
    WindowMirror mirror;
    WindowHistory history;
    unsigned long long serial = 0;

    const TileChanges &publish() {
        auto changes = std::make_shared<const TileChanges>(mirror.update(cockpit(), serial, serial + 1));
        ++serial;
        history.add(changes);
        kept.push_back(changes);
        return *changes;
    }
    std::vector<std::shared_ptr<const TileChanges>> kept;
};

}  // namespace

TEST_F(WindowChangesTest, TheMirrorIsTheWindowAndChangesPaintedInOrderMakeIt) {
    frames(1);
    publish();
    EXPECT_TRUE(samePixels(mirror.window(), cockpit().windowImage()));
    const sim::Surface first = mirror.window();

    cockpit().triggerRedraw(0, 11);
    frames(WindowMirror::viewEveryFrames);  // the view is drawn afresh too
    const TileChanges &second = publish();
    const sim::Surface now = cockpit().windowImage();
    EXPECT_TRUE(samePixels(mirror.window(), now));
    // Exactly the tiles whose pixels differ: area 10's count (redrawn every
    // frame), the view's moving stars, not area 11's redraw that drew the
    // same picture.
    std::vector<std::uint16_t> differing;
    for (int tile = 0; tile < WindowTiles::count; ++tile) {
        const int x0 = (tile % WindowTiles::columns) * WindowTiles::size;
        const int y0 = (tile / WindowTiles::columns) * WindowTiles::size;
        bool differs = false;
        for (int y = y0; y < y0 + WindowTiles::size; ++y)
            for (int x = x0; x < x0 + WindowTiles::size; ++x)
                differs = differs || first.pixel(x, y) != now.pixel(x, y);
        if (differs) differing.push_back(std::uint16_t(tile));
    }
    EXPECT_EQ(second.tiles, differing);
    EXPECT_FALSE(second.tiles.empty());
    EXPECT_FALSE(holds(second, tileAt(left + 320, top + 420)));  // area 12, never redrawn

    frames(WindowMirror::viewEveryFrames);
    publish();
    WindowPatch patch;
    ASSERT_TRUE(history.patch(1, 3, patch));
    sim::Surface painted = first;
    paint(painted, patch);
    EXPECT_TRUE(samePixels(painted, mirror.window()));
    // From nothing (a black window) too: the first state's changes are the
    // whole picture.
    ASSERT_TRUE(history.patch(0, 3, patch));
    sim::Surface fromBlack(sim::Cockpit::windowWidth, sim::Cockpit::windowHeight);
    paint(fromBlack, patch);
    EXPECT_TRUE(samePixels(fromBlack, mirror.window()));
}

TEST_F(WindowChangesTest, ANewPanelIsLookedAtWholeAndAQuietStateChangesNothing) {
    frames(1);
    publish();
    ASSERT_EQ(cockpit().showPanel(2), 2);
    frames(1);
    const TileChanges &switched = publish();
    EXPECT_TRUE(samePixels(mirror.window(), cockpit().windowImage()));
    EXPECT_GT(switched.tiles.size(), 10u);
    // Panel 1 has no picture: the view fills the window.
    ASSERT_EQ(cockpit().showPanel(1), 1);
    frames(1);
    publish();
    EXPECT_TRUE(samePixels(mirror.window(), cockpit().windowImage()));
    ASSERT_EQ(cockpit().showPanel(0), 0);
    frames(1);
    publish();
    EXPECT_TRUE(samePixels(mirror.window(), cockpit().windowImage()));
    // A state with nothing redrawn since and the view unchanged (paused):
    // no tiles.
    const TileChanges &quiet = publish();
    EXPECT_TRUE(quiet.tiles.empty());
    EXPECT_EQ(quiet.pixels.size(), 0u);
}

TEST_F(WindowChangesTest, TheWorkerFindsTheSnapshotsChangesInOrder) {
    // Snapshots taken between frames, their changes found on the worker's
    // thread while the cockpit goes on: painted in order they make each
    // state's window, the same as found at once.
    WindowMirror together;
    okulsim::ChangesWorker worker(mirror, history);
    std::vector<sim::Surface> windows;
    for (unsigned long long s = 1; s <= 6; ++s) {
        if (s == 4) ASSERT_EQ(cockpit().showPanel(2), 2);
        if (s == 5) ASSERT_EQ(cockpit().showPanel(0), 0);
        frames(2);
        worker.submit(mirror.take(cockpit(), s - 1, s));
        together.update(cockpit(), s - 1, s);
        windows.push_back(together.window());
    }
    EXPECT_FALSE(worker.waitFor(7, std::chrono::milliseconds(10)));  // never taken
    ASSERT_TRUE(worker.waitFor(6, std::chrono::seconds(10)));
    sim::Surface painted(sim::Cockpit::windowWidth, sim::Cockpit::windowHeight);
    for (unsigned long long s = 1; s <= 6; ++s) {
        WindowPatch patch;
        ASSERT_TRUE(history.patch(s - 1, s, patch)) << s;
        paint(painted, patch);
        EXPECT_TRUE(samePixels(painted, windows[s - 1])) << "state " << s;
    }
    unsigned long long serial = 0;
    EXPECT_TRUE(samePixels(worker.window(serial), windows.back()));
    EXPECT_EQ(serial, 6u);
}

TEST(WindowHistoryTest, PatchesFollowOnlyAnUnbrokenChainOfStates) {
    WindowHistory history;
    auto state = [](unsigned long long since, unsigned long long serial, std::vector<std::uint16_t> tiles) {
        auto changes = std::make_shared<TileChanges>();
        changes->since = since;
        changes->serial = serial;
        changes->tiles = tiles;
        for (std::size_t i = 0; i < tiles.size(); ++i)
            changes->pixels.insert(changes->pixels.end(), WindowTiles::pixels, std::uint32_t(serial));
        return changes;
    };
    history.add(state(0, 4, {0, 1}));
    history.add(state(4, 7, {1, 2}));
    history.add(state(7, 9, {}));
    EXPECT_EQ(history.latest(), 9u);
    WindowPatch patch;
    ASSERT_TRUE(history.patch(4, 9, patch));
    // Tiles 1 and 2 as of state 7, in one piece two tiles wide.
    ASSERT_EQ(patch.pieces.size(), 1u);
    EXPECT_EQ(patch.pieces[0].x, 16);
    EXPECT_EQ(patch.pieces[0].width, 32);
    EXPECT_EQ(patch.picture.pixel(0, 0), 7u);
    ASSERT_TRUE(history.patch(0, 4, patch));
    EXPECT_EQ(patch.picture.pixel(16, 15), 4u);
    ASSERT_TRUE(history.patch(7, 9, patch));
    EXPECT_TRUE(patch.pieces.empty());
    EXPECT_FALSE(history.patch(5, 9, patch));   // no state 5
    EXPECT_FALSE(history.patch(4, 8, patch));   // no state 8
    EXPECT_FALSE(history.patch(9, 10, patch));  // not yet
    // The oldest states fall out of the history.
    for (unsigned long long s = 10; s < 10 + WindowHistory::keptStates; ++s) history.add(state(s - 1, s, {}));
    EXPECT_FALSE(history.patch(0, 4, patch));
    EXPECT_TRUE(history.patch(20, 30, patch));
}

TEST(WindowTilesTest, TilesMakeRowRunsMergedDownwards) {
    std::vector<const std::uint32_t *> tiles(WindowTiles::count, nullptr);
    const std::uint32_t pixels[WindowTiles::pixels] = {};
    auto set = [&](int tx, int ty) { tiles[ty * WindowTiles::columns + tx] = pixels; };
    // A 2 x 2 block, a lone tile beside its second row, and a run at the
    // window's last row reaching its right edge.
    set(0, 0), set(1, 0), set(0, 1), set(1, 1), set(3, 1);
    for (int tx = WindowTiles::columns - 3; tx < WindowTiles::columns; ++tx) set(tx, WindowTiles::rows - 1);
    const auto pieces = okulsim::tileRectangles(tiles);
    ASSERT_EQ(pieces.size(), 3u);
    EXPECT_EQ((std::vector<int>{pieces[0].x, pieces[0].y, pieces[0].width, pieces[0].height}),
              (std::vector<int>{0, 0, 32, 32}));
    EXPECT_EQ((std::vector<int>{pieces[1].x, pieces[1].y, pieces[1].width, pieces[1].height}),
              (std::vector<int>{48, 16, 16, 16}));
    EXPECT_EQ((std::vector<int>{pieces[2].x, pieces[2].y, pieces[2].width, pieces[2].height}),
              (std::vector<int>{1232, 944, 48, 16}));
}
