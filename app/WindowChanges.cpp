#include "WindowChanges.h"

#include <algorithm>
#include <cstring>
#include <map>

#include "cockpit/Panel.h"
#include "gdi/SurfaceHandles.h"

namespace okulsim {

namespace {

constexpr int kTile = WindowTiles::size;

// Marks the tiles a window rectangle touches.
void markTiles(std::vector<char> &marks, int left, int top, int right, int bottom) {
    left = std::max(left, 0);
    top = std::max(top, 0);
    right = std::min(right, sim::Cockpit::windowWidth);
    bottom = std::min(bottom, sim::Cockpit::windowHeight);
    if (right <= left || bottom <= top) return;
    for (int ty = top / kTile; ty <= (bottom - 1) / kTile; ++ty)
        for (int tx = left / kTile; tx <= (right - 1) / kTile; ++tx) marks[ty * WindowTiles::columns + tx] = 1;
}

}  // namespace

void WindowMirror::findViewTiles(int tileFrom, int tileTo, int left, int top, bool keyed, std::uint32_t key) {
    for (int tile = tileFrom; tile < tileTo; ++tile) {
        const int x0 = (tile % WindowTiles::columns) * kTile, y0 = (tile / WindowTiles::columns) * kTile;
        bool view = false;
        for (int y = y0; y < y0 + kTile && !view; ++y) {
            const int py = y - top;
            if (py < 0 || py >= panel_.height()) {
                view = true;
                break;
            }
            const std::uint32_t *row = panel_.row(py);
            for (int x = x0; x < x0 + kTile; ++x) {
                const int px = x - left;
                if (px < 0 || px >= panel_.width() || (keyed && row[px] == key)) {
                    view = true;
                    break;
                }
            }
        }
        viewTiles_[tile] = view;
    }
}

TileChanges WindowMirror::update(sim::Cockpit &cockpit, unsigned long long since, unsigned long long serial) {
    TileChanges changes;
    changes.since = since;
    changes.serial = serial;
    serial_ = serial;

    const sim::Panel *panel = cockpit.shownPanel();
    int left = 0, top = 0;
    const bool withPanel = panel != nullptr && cockpit.panelOrigin(left, top);
    const bool keyed = withPanel && panel->hasColourKey();
    const std::uint32_t key = withPanel ? panel->colourKey() : 0;
    std::vector<char> candidates(WindowTiles::count, 0);

    if (!started_ || cockpit.panelSerial() != panelSerial_) {
        // A new panel: everything is looked at.
        started_ = true;
        panelSerial_ = cockpit.panelSerial();
        panel_ = withPanel ? panel->compose() : sim::Surface(0, 0);
        areaDrawn_.clear();
        if (withPanel)
            for (const sim::PanelArea &area : panel->areas()) areaDrawn_.push_back(area.drawn);
        std::fill(candidates.begin(), candidates.end(), 1);
        findViewTiles(0, WindowTiles::count, left, top, keyed, key);
    } else if (withPanel) {
        // What was drawn since: areas the module redrew, the MFD screens.
        std::vector<char> redrawn(WindowTiles::count, 0);
        auto redraw = [&](const RECT &r) {
            panel->composeRegion(panel_, r.left, r.top, r.right, r.bottom);
            markTiles(redrawn, left + r.left, top + r.top, left + r.right, top + r.bottom);
        };
        const std::vector<sim::PanelArea> &areas = panel->areas();
        for (std::size_t i = 0; i < areas.size() && i < areaDrawn_.size(); ++i) {
            if (areas[i].drawn == areaDrawn_[i]) continue;
            areaDrawn_[i] = areas[i].drawn;
            redraw(areas[i].rect);
        }
        for (const sim::PanelMfd &mfd : panel->mfds()) redraw(mfd.spec.pos);
        // A redrawn area may have opened or closed a window onto the view.
        for (int tile = 0; tile < WindowTiles::count; ++tile) {
            if (!redrawn[tile]) continue;
            candidates[tile] = 1;
            findViewTiles(tile, tile + 1, left, top, keyed, key);
        }
    }

    const bool viewShows = std::find(viewTiles_.begin(), viewTiles_.end(), 1) != viewTiles_.end();
    const sim::Surface *view = viewShows ? &cockpit.renderView() : nullptr;
    std::uint32_t fresh[WindowTiles::pixels];
    for (int tile = 0; tile < WindowTiles::count; ++tile) {
        if (!candidates[tile] && !viewTiles_[tile]) continue;
        const int x0 = (tile % WindowTiles::columns) * kTile, y0 = (tile / WindowTiles::columns) * kTile;
        // The window's pixels: the panel's, except where it is transparent
        // or absent and the view shows.
        for (int y = 0; y < kTile; ++y) {
            std::uint32_t *out = fresh + y * kTile;
            const int wy = y0 + y, py = wy - top;
            const bool panelRow = withPanel && py >= 0 && py < panel_.height();
            const std::uint32_t *panelRowPixels = panelRow ? panel_.row(py) : nullptr;
            for (int x = 0; x < kTile; ++x) {
                const int px = x0 + x - left;
                if (panelRow && px >= 0 && px < panel_.width() && !(keyed && panelRowPixels[px] == key))
                    out[x] = panelRowPixels[px];
                else
                    out[x] = view != nullptr ? view->pixel(x0 + x, wy) : 0;
            }
        }
        bool same = true;
        for (int y = 0; y < kTile && same; ++y)
            same = std::memcmp(window_.row(y0 + y) + x0, fresh + y * kTile, sizeof(std::uint32_t) * kTile) == 0;
        if (same) continue;
        for (int y = 0; y < kTile; ++y)
            std::memcpy(window_.row(y0 + y) + x0, fresh + y * kTile, sizeof(std::uint32_t) * kTile);
        changes.tiles.push_back(static_cast<std::uint16_t>(tile));
        changes.pixels.insert(changes.pixels.end(), fresh, fresh + WindowTiles::pixels);
    }
    return changes;
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
        auto it = std::find_if(states_.begin(), states_.end(),
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
    std::stable_sort(order.begin(), order.end(),
                     [&](std::size_t a, std::size_t b) { return patch.pieces[a].height > patch.pieces[b].height; });
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
                    std::memcpy(patch.picture.row(ay + row) + ax, tile + row * kTile, sizeof(std::uint32_t) * kTile);
            }
        }
    }
    return true;
}

}  // namespace okulsim
