#include "WindowChanges.h"

#include <time.h>

#include <algorithm>
#include <cstring>
#include <map>

#include "cockpit/Panel.h"
#include "core/Simulation.h"
#include "gdi/SurfaceHandles.h"

namespace okulsim {

namespace {

constexpr int kTile = WindowTiles::size;
constexpr std::size_t kWindowPixels = std::size_t(sim::Cockpit::windowWidth) * sim::Cockpit::windowHeight;
constexpr std::size_t kMostSpares = 512;

// Processor time of the calling thread.
double threadCpuMs() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) * 1e3 + double(now.tv_nsec) * 1e-6;
}

}  // namespace

sim::Surface WindowMirror::spare(int width, int height) {
    std::lock_guard<std::mutex> lock(spareMutex_);
    for (std::size_t i = spares_.size(); i-- > 0;) {
        if (spares_[i].width() != width || spares_[i].height() != height) continue;
        sim::Surface picture = std::move(spares_[i]);
        spares_.erase(spares_.begin() + std::ptrdiff_t(i));
        sparePixels_ -= std::size_t(width) * height;
        return picture;
    }
    return sim::Surface(width, height);
}

void WindowMirror::giveBack(sim::Surface picture) {
    const std::size_t pixels = std::size_t(picture.width()) * picture.height();
    if (pixels == 0) return;
    std::lock_guard<std::mutex> lock(spareMutex_);
    // Room once for all: a picture moved into a vector that grows is copied
    // (a surface's moves may throw).
    if (spares_.capacity() < kMostSpares) spares_.reserve(kMostSpares);
    // About what a state takes at most (the view and the panel's layers),
    // twice; beyond that the oldest go.
    while (!spares_.empty() && (sparePixels_ + pixels > 4 * kWindowPixels || spares_.size() >= kMostSpares)) {
        sparePixels_ -= std::size_t(spares_.front().width()) * spares_.front().height();
        spares_.erase(spares_.begin());
    }
    sparePixels_ += pixels;
    spares_.push_back(std::move(picture));
}

sim::Surface WindowMirror::copyOf(const sim::Surface &source, int width, int height) {
    width = std::min(width, source.width());
    height = std::min(height, source.height());
    if (width <= 0 || height <= 0) return sim::Surface(0, 0);
    sim::Surface copy = spare(width, height);
    for (int y = 0; y < height; ++y)
        std::memcpy(copy.row(y), source.row(y), sizeof(std::uint32_t) * std::size_t(width));
    return copy;
}

// Layer i of the panel as it stands (the areas in registration order, then
// the MFD screens, drawn over the areas), copied.
WindowSnapshot::Layer WindowMirror::copyLayer(const sim::Panel &panel, int index) {
    WindowSnapshot::Layer layer;
    layer.index = index;
    const int areas = int(panel.areas().size());
    if (index < areas) {
        // An area's picture covers its rectangle, however large the picture.
        const sim::PanelArea &area = panel.areas()[std::size_t(index)];
        layer.left = area.rect.left, layer.top = area.rect.top;
        layer.picture = copyOf(area.shown, area.width(), area.height());
    } else {
        const sim::PanelMfd &mfd = panel.mfds()[std::size_t(index - areas)];
        layer.left = mfd.spec.pos.left, layer.top = mfd.spec.pos.top;
        if (const sim::Surface *display = sim::surfaceFromHandle(mfd.display))
            layer.picture = copyOf(*display, display->width(), display->height());
    }
    return layer;
}

WindowSnapshot WindowMirror::take(sim::Cockpit &cockpit, unsigned long long since,
                                  unsigned long long serial) {
    WindowSnapshot snapshot;
    snapshot.since = since;
    snapshot.serial = serial;
    taken_ = serial;

    const sim::Panel *panel = cockpit.shownPanel();
    int left = 0, top = 0;
    if (panel == nullptr || !cockpit.panelOrigin(left, top)) panel = nullptr;
    const long frame = sim::Simulation::current() != nullptr ? sim::Simulation::current()->frameCount() : 0;
    bool drawView = frame - viewFrame_ >= viewEveryFrames;

    if (!started_ || cockpit.panelSerial() != panelSerial_) {
        // A new panel: all of it.
        started_ = true;
        panelSerial_ = cockpit.panelSerial();
        snapshot.newPanel = true;
        drawView = true;
        areaDrawn_.clear();
        if (panel != nullptr) {
            // Every layer goes too (each covers its place in the composed
            // picture), to be put over it again as they change.
            snapshot.background = panel->compose();
            snapshot.left = left, snapshot.top = top;
            snapshot.keyed = panel->hasColourKey();
            snapshot.key = panel->colourKey();
            snapshot.layerCount = int(panel->areas().size() + panel->mfds().size());
            snapshot.layers.reserve(std::size_t(snapshot.layerCount));
            for (const sim::PanelArea &area : panel->areas()) areaDrawn_.push_back(area.drawn);
            for (int i = 0; i < snapshot.layerCount; ++i) snapshot.layers.push_back(copyLayer(*panel, i));
        }
    } else if (panel != nullptr) {
        // What may have been drawn since: the areas the module redrew, and
        // the MFD screens.
        const int areas = int(panel->areas().size());
        // Room for all (growing would copy the pictures: see giveBack).
        snapshot.layers.reserve(panel->areas().size() + panel->mfds().size());
        for (int i = 0; i < std::min(areas, int(areaDrawn_.size())); ++i) {
            const unsigned long long drawn = panel->areas()[std::size_t(i)].drawn;
            if (drawn == areaDrawn_[std::size_t(i)]) continue;
            areaDrawn_[std::size_t(i)] = drawn;
            snapshot.layers.push_back(copyLayer(*panel, i));
        }
        for (int i = areas; i < areas + int(panel->mfds().size()); ++i)
            snapshot.layers.push_back(copyLayer(*panel, i));
    }
    if (drawView && (snapshot.newPanel || viewShows_.load())) {
        viewFrame_ = frame;
        snapshot.hasView = true;
        snapshot.view = spare(sim::Cockpit::windowWidth, sim::Cockpit::windowHeight);
        cockpit.renderViewInto(snapshot.view);
    }
    return snapshot;
}

namespace {

bool samePicture(const WindowSnapshot::Layer &a, const WindowSnapshot::Layer &b) {
    const sim::Surface &p = a.picture, &q = b.picture;
    return a.left == b.left && a.top == b.top && p.width() == q.width() && p.height() == q.height() &&
           std::memcmp(p.pixels(), q.pixels(), sizeof(std::uint32_t) * std::size_t(p.width()) * p.height()) ==
               0;
}

}  // namespace

void WindowMirror::composePanel(int left, int top, int right, int bottom) {
    left = std::max(left, 0), top = std::max(top, 0);
    right = std::min(right, panel_.width()), bottom = std::min(bottom, panel_.height());
    if (right <= left || bottom <= top) return;
    panel_.copyFrom(background_, left, top, right - left, bottom - top, left, top);
    for (const WindowSnapshot::Layer &layer : layers_) {
        const int fromX = std::max(left, layer.left), fromY = std::max(top, layer.top);
        const int toX = std::min(right, layer.left + layer.picture.width());
        const int toY = std::min(bottom, layer.top + layer.picture.height());
        if (toX > fromX && toY > fromY)
            panel_.copyFrom(layer.picture, fromX - layer.left, fromY - layer.top, toX - fromX, toY - fromY,
                            fromX, fromY);
    }
}

TileChanges WindowMirror::apply(WindowSnapshot snapshot) {
    TileChanges changes;
    changes.since = snapshot.since;
    changes.serial = snapshot.serial;
    serial_ = snapshot.serial;

    // The tiles to put together again: where a layer drew something new,
    // and where the view shows when it was drawn afresh.
    std::vector<char> dirty(WindowTiles::count, 0);
    auto markTiles = [&](int left, int top, int right, int bottom) {
        left = std::max(left + left_, 0), top = std::max(top + top_, 0);
        right = std::min(right + left_, sim::Cockpit::windowWidth);
        bottom = std::min(bottom + top_, sim::Cockpit::windowHeight);
        if (right <= left || bottom <= top) return;
        for (int ty = top / kTile; ty <= (bottom - 1) / kTile; ++ty)
            for (int tx = left / kTile; tx <= (right - 1) / kTile; ++tx)
                dirty[ty * WindowTiles::columns + tx] = 1;
    };
    if (snapshot.newPanel) {
        background_ = std::move(snapshot.background);
        left_ = snapshot.left, top_ = snapshot.top;
        keyed_ = snapshot.keyed;
        key_ = snapshot.key;
        layers_.assign(std::size_t(snapshot.layerCount), WindowSnapshot::Layer{});
        panel_ = sim::Surface(background_.width(), background_.height());
        std::fill(dirty.begin(), dirty.end(), 1);
    }
    for (WindowSnapshot::Layer &layer : snapshot.layers) {
        if (layer.index < 0 || layer.index >= int(layers_.size())) continue;
        WindowSnapshot::Layer &kept = layers_[std::size_t(layer.index)];
        if (snapshot.newPanel) {
            std::swap(kept, layer);
            continue;
        }
        // Most areas are redrawn every frame and draw the same picture.
        if (samePicture(kept, layer)) {
            giveBack(std::move(layer.picture));
            continue;
        }
        // Where the picture was and where it is now.
        const int left = std::min(kept.left, layer.left), top = std::min(kept.top, layer.top);
        const int right = std::max(kept.left + kept.picture.width(), layer.left + layer.picture.width());
        const int bottom = std::max(kept.top + kept.picture.height(), layer.top + layer.picture.height());
        std::swap(kept, layer);
        giveBack(std::move(layer.picture));
        composePanel(left, top, right, bottom);
        markTiles(left, top, right, bottom);
    }
    if (snapshot.newPanel) composePanel(0, 0, panel_.width(), panel_.height());
    if (snapshot.hasView && snapshot.view.width() == sim::Cockpit::windowWidth &&
        snapshot.view.height() == sim::Cockpit::windowHeight) {
        std::swap(view_, snapshot.view);
        giveBack(std::move(snapshot.view));
        for (int tile = 0; tile < WindowTiles::count; ++tile) dirty[tile] = dirty[tile] || viewTiles_[tile];
    }

    // Each tile to look at put together (the view with the panel over it,
    // the view showing through the transparent colour) and compared with
    // the mirror's.
    const int panelWidth = panel_.width(), panelHeight = panel_.height();
    std::uint32_t fresh[WindowTiles::pixels];
    for (int tile = 0; tile < WindowTiles::count; ++tile) {
        if (!dirty[tile]) continue;
        const int tx = (tile % WindowTiles::columns) * kTile, ty = (tile / WindowTiles::columns) * kTile;
        bool showsView = false, same = true;
        for (int y = 0; y < kTile; ++y) {
            std::uint32_t *out = fresh + y * kTile;
            const std::uint32_t *view = view_.row(ty + y) + tx;
            const int py = ty + y - top_;
            const int px0 = tx - left_;
            if (py >= 0 && py < panelHeight && px0 >= 0 && px0 + kTile <= panelWidth) {
                const std::uint32_t *source = panel_.row(py) + px0;
                if (!keyed_) {
                    std::memcpy(out, source, sizeof(std::uint32_t) * kTile);
                } else {
                    bool through = false;
                    for (int x = 0; x < kTile; ++x) {
                        const bool key = source[x] == key_;
                        through = through || key;
                        out[x] = key ? view[x] : source[x];
                    }
                    showsView = showsView || through;
                }
            } else {
                // At or past the panel's edge.
                for (int x = 0; x < kTile; ++x) {
                    const int px = px0 + x;
                    const bool inside = py >= 0 && py < panelHeight && px >= 0 && px < panelWidth;
                    const std::uint32_t pixel = inside ? panel_.pixel(px, py) : 0;
                    const bool through = !inside || (keyed_ && pixel == key_);
                    showsView = showsView || through;
                    out[x] = through ? view[x] : pixel;
                }
            }
            same = same && std::memcmp(out, window_.row(ty + y) + tx, sizeof(std::uint32_t) * kTile) == 0;
        }
        viewTiles_[tile] = showsView;
        if (same) continue;
        for (int y = 0; y < kTile; ++y)
            std::memcpy(window_.row(ty + y) + tx, fresh + y * kTile, sizeof(std::uint32_t) * kTile);
        changes.tiles.push_back(static_cast<std::uint16_t>(tile));
        changes.pixels.insert(changes.pixels.end(), fresh, fresh + WindowTiles::pixels);
    }
    viewShows_.store(std::find(viewTiles_.begin(), viewTiles_.end(), 1) != viewTiles_.end());
    return changes;
}

ChangesWorker::ChangesWorker(WindowMirror &mirror, WindowHistory &history)
    : mirror_(mirror), history_(history), thread_([this] { run(); }) {}

ChangesWorker::~ChangesWorker() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stop_ = true;
    }
    changed_.notify_all();
    thread_.join();
}

void ChangesWorker::submit(WindowSnapshot snapshot) {
    {
        std::unique_lock<std::mutex> lock(mutex_);
        changed_.wait(lock, [this] { return waiting_.size() < mostWaiting; });
        submitted_ = snapshot.serial;
        waiting_.push_back(std::move(snapshot));
    }
    changed_.notify_all();
}

bool ChangesWorker::waitFor(unsigned long long serial, std::chrono::milliseconds longest) {
    std::unique_lock<std::mutex> lock(mutex_);
    if (serial > submitted_) return false;
    return changed_.wait_for(lock, longest, [&] { return applied_ >= serial; });
}

sim::Surface ChangesWorker::window(unsigned long long &serial) {
    std::unique_lock<std::mutex> lock(mutex_);
    changed_.wait(lock, [this] { return waiting_.empty() && !busy_; });
    // Idle, and nothing is submitted meanwhile (this is the submitting thread).
    serial = mirror_.serial();
    return mirror_.window();
}

void ChangesWorker::times(double &cpuMs, long &states) const {
    std::lock_guard<std::mutex> lock(mutex_);
    cpuMs = cpuMs_;
    states = states_;
}

void ChangesWorker::run() {
    for (;;) {
        WindowSnapshot snapshot;
        {
            std::unique_lock<std::mutex> lock(mutex_);
            changed_.wait(lock, [this] { return stop_ || !waiting_.empty(); });
            if (waiting_.empty()) return;
            snapshot = std::move(waiting_.front());
            waiting_.pop_front();
            busy_ = true;
        }
        changed_.notify_all();  // room for another
        const double before = threadCpuMs();
        auto changes = std::make_shared<const TileChanges>(mirror_.apply(std::move(snapshot)));
        history_.add(changes);
        const double ms = threadCpuMs() - before;
        {
            std::lock_guard<std::mutex> lock(mutex_);
            busy_ = false;
            applied_ = changes->serial;
            cpuMs_ += ms;
            ++states_;
        }
        changed_.notify_all();
    }
}

void WindowHistory::add(std::shared_ptr<const TileChanges> changes) {
    std::lock_guard<std::mutex> lock(mutex_);
    pixels_ += changes->pixels.size();
    states_.push_back(std::move(changes));
    while (states_.size() > 1 && (states_.size() > keptStates || pixels_ > keptPixels)) {
        pixels_ -= states_.front()->pixels.size();
        states_.pop_front();
    }
}

unsigned long long WindowHistory::latest() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return states_.empty() ? 0 : states_.back()->serial;
}

std::vector<WindowPatch::Piece> tileRectangles(const std::vector<const std::uint32_t *> &tileOf) {
    std::vector<WindowPatch::Piece> pieces;
    // Open rectangles by their column range, from the row above.
    std::map<std::pair<int, int>, std::size_t> open;
    for (int ty = 0; ty < WindowTiles::rows; ++ty) {
        std::map<std::pair<int, int>, std::size_t> next;
        for (int tx = 0; tx < WindowTiles::columns;) {
            if (tileOf[ty * WindowTiles::columns + tx] == nullptr) {
                ++tx;
                continue;
            }
            int end = tx;
            while (end < WindowTiles::columns && tileOf[ty * WindowTiles::columns + end] != nullptr) ++end;
            const auto columns = std::make_pair(tx, end);
            auto above = open.find(columns);
            if (above != open.end()) {
                pieces[above->second].height += kTile;
                next[columns] = above->second;
            } else {
                next[columns] = pieces.size();
                pieces.push_back(WindowPatch::Piece{tx * kTile, ty * kTile, (end - tx) * kTile, kTile, 0, 0});
            }
            tx = end;
        }
        open.swap(next);
    }
    return pieces;
}

bool WindowHistory::patch(unsigned long long since, unsigned long long serial, WindowPatch &patch) const {
    std::vector<std::shared_ptr<const TileChanges>> chain;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        auto it =
            std::find_if(states_.begin(), states_.end(),
                         [since](const std::shared_ptr<const TileChanges> &c) { return c->since == since; });
        for (unsigned long long last = since; it != states_.end() && (*it)->since == last; ++it) {
            chain.push_back(*it);
            last = (*it)->serial;
            if (last == serial) break;
        }
    }
    if (chain.empty() || chain.back()->serial != serial) return false;

    // The latest pixels of every tile changed on the way.
    std::vector<const std::uint32_t *> tileOf(WindowTiles::count, nullptr);
    for (const auto &changes : chain)
        for (std::size_t i = 0; i < changes->tiles.size(); ++i)
            tileOf[changes->tiles[i]] = changes->pixels.data() + i * WindowTiles::pixels;

    patch.since = since;
    patch.serial = serial;
    patch.pieces = tileRectangles(tileOf);
    // Shelves: the tallest pieces first, left to right, a new shelf when a
    // piece does not fit the window's width.
    std::vector<std::size_t> order(patch.pieces.size());
    for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        return patch.pieces[a].height > patch.pieces[b].height;
    });
    int x = 0, y = 0, shelf = 0, width = 0;
    for (std::size_t i : order) {
        WindowPatch::Piece &piece = patch.pieces[i];
        if (x + piece.width > sim::Cockpit::windowWidth) {
            y += shelf;
            x = shelf = 0;
        }
        piece.atlasX = x;
        piece.atlasY = y;
        x += piece.width;
        shelf = std::max(shelf, piece.height);
        width = std::max(width, x);
    }
    // Nothing changed: a one-pixel picture with no pieces.
    patch.picture = sim::Surface(std::max(width, 1), std::max(y + shelf, 1));
    for (const WindowPatch::Piece &piece : patch.pieces) {
        for (int ty = piece.y / kTile; ty < (piece.y + piece.height) / kTile; ++ty) {
            for (int tx = piece.x / kTile; tx < (piece.x + piece.width) / kTile; ++tx) {
                const std::uint32_t *tile = tileOf[ty * WindowTiles::columns + tx];
                const int ax = piece.atlasX + tx * kTile - piece.x, ay = piece.atlasY + ty * kTile - piece.y;
                for (int row = 0; row < kTile; ++row)
                    std::memcpy(patch.picture.row(ay + row) + ax, tile + row * kTile,
                                sizeof(std::uint32_t) * kTile);
            }
        }
    }
    return true;
}

}  // namespace okulsim
