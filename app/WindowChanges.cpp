#include "WindowChanges.h"

#include <algorithm>
#include <cstring>
#include <map>

#include "cockpit/Panel.h"
#include "core/Simulation.h"
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
        for (int tx = left / kTile; tx <= (right - 1) / kTile; ++tx)
            marks[ty * WindowTiles::columns + tx] = 1;
}

}  // namespace

namespace {

// A layer of the panel: its picture and where it lies (panel pixels).
struct Layer {
    const sim::Surface *picture = nullptr;
    int left = 0, top = 0, right = 0, bottom = 0;
};

// Layer i: the areas in registration order, then the MFD screens (drawn
// over the areas).
Layer panelLayer(const sim::Panel &panel, int index) {
    Layer layer;
    const int areas = int(panel.areas().size());
    if (index < areas) {
        const sim::PanelArea &area = panel.areas()[std::size_t(index)];
        layer.picture = &area.shown;
        layer.left = area.rect.left, layer.top = area.rect.top;
        layer.right = area.rect.left + std::min(area.width(), area.shown.width());
        layer.bottom = area.rect.top + std::min(area.height(), area.shown.height());
    } else {
        const sim::PanelMfd &mfd = panel.mfds()[std::size_t(index - areas)];
        layer.picture = sim::surfaceFromHandle(mfd.display);
        if (layer.picture == nullptr) return layer;
        layer.left = mfd.spec.pos.left, layer.top = mfd.spec.pos.top;
        layer.right = layer.left + layer.picture->width();
        layer.bottom = layer.top + layer.picture->height();
    }
    return layer;
}

int layerCount(const sim::Panel &panel) { return int(panel.areas().size() + panel.mfds().size()); }

// A 64-bit fingerprint of a picture's pixels (and size): reading a picture
// once is cheaper than comparing it with a copy, which reads two. Four
// independent lanes keep the multiplications from waiting on each other.
std::uint64_t fingerprint(const sim::Surface &picture) {
    const std::size_t count = std::size_t(picture.width()) * picture.height();
    const std::uint32_t *pixels = picture.pixels();
    const std::uint64_t k = 0x9E3779B97F4A7C15ull;
    std::uint64_t lane[4] = {std::uint64_t(picture.width()), std::uint64_t(picture.height()), 3, 4};
    std::size_t i = 0;
    for (; i + 8 <= count; i += 8)
        for (int l = 0; l < 4; ++l) {
            std::uint64_t word;
            std::memcpy(&word, pixels + i + 2 * l, sizeof word);
            lane[l] = (lane[l] ^ word) * k;
            lane[l] ^= lane[l] >> 31;
        }
    for (; i < count; ++i) lane[0] = ((lane[0] ^ pixels[i]) * k) ^ (lane[0] >> 29);
    std::uint64_t h = 0;
    for (std::uint64_t value : lane) h = ((h ^ value) * k) ^ (h >> 32);
    return h;
}

}  // namespace

void WindowMirror::classifyTiles(const sim::Panel *panel, int left, int top) {
    const int layers = panel != nullptr ? layerCount(*panel) : 0;
    for (int tile = 0; tile < WindowTiles::count; ++tile) {
        const int x0 = (tile % WindowTiles::columns) * kTile - left,
                  y0 = (tile / WindowTiles::columns) * kTile - top;
        const int x1 = x0 + kTile, y1 = y0 + kTile;
        const int width = panel != nullptr ? panel->width() : 0,
                  height = panel != nullptr ? panel->height() : 0;
        int &kind = tileLayer_[tile];
        if (x1 <= 0 || y1 <= 0 || x0 >= width || y0 >= height) {
            kind = viewOnly;
            continue;
        }
        if (x0 < 0 || y0 < 0 || x1 > width || y1 > height) {
            kind = mixed;
            continue;
        }
        // The topmost layer over the tile, if it covers the whole tile.
        kind = mixed;
        for (int i = layers - 1; i >= 0; --i) {
            const Layer layer = panelLayer(*panel, i);
            if (layer.picture == nullptr || layer.right <= x0 || layer.bottom <= y0 || layer.left >= x1 ||
                layer.top >= y1)
                continue;
            kind = layer.left <= x0 && layer.top <= y0 && layer.right >= x1 && layer.bottom >= y1 ? i : mixed;
            break;
        }
    }
}

bool WindowMirror::refreshTile(const sim::Panel *panel, int tile, int left, int top,
                               const sim::Surface *view) {
    const int x0 = (tile % WindowTiles::columns) * kTile, y0 = (tile / WindowTiles::columns) * kTile;
    auto sameAsShown = [&](const std::uint32_t *const *rows) {
        for (int y = 0; y < kTile; ++y)
            if (std::memcmp(window_.row(y0 + y) + x0, rows[y], sizeof(std::uint32_t) * kTile) != 0)
                return false;
        return true;
    };
    // The view's pixel where the panel lets it through: the view drawn for
    // this state, or the last one drawn (the mirror's own; where the panel
    // has only just turned transparent, the view appears with its next
    // drawing, at most viewEveryFrames later).
    auto viewPixel = [&](int x, int y) { return view != nullptr ? view->pixel(x, y) : window_.pixel(x, y); };

    const std::uint32_t *rows[kTile];
    std::uint32_t mix[WindowTiles::pixels];
    const int kind = tileLayer_[tile];
    bool showsView = false;
    if (kind == viewOnly) {
        if (view == nullptr) return false;  // the view was not drawn afresh
        for (int y = 0; y < kTile; ++y) rows[y] = view->row(y0 + y) + x0;
        showsView = true;
    } else if (kind >= 0 && panelLayer(*panel, kind).picture != nullptr) {
        // One layer over the whole tile.
        const Layer layer = panelLayer(*panel, kind);
        const int px = x0 - left - layer.left, py = y0 - top - layer.top;
        for (int y = 0; y < kTile; ++y) rows[y] = layer.picture->row(py + y) + px;
        if (sameAsShown(rows)) {
            viewTiles_[tile] = 0;  // shown as the layer is: nothing of the view
            return false;
        }
        for (int y = 0; y < kTile && keyed_; ++y) {
            const std::uint32_t *source = rows[y];
            if (std::find(source, source + kTile, key_) == source + kTile) continue;
            // A transparent pixel lets the view through.
            showsView = true;
            std::uint32_t *out = mix + y * kTile;
            for (int x = 0; x < kTile; ++x)
                out[x] = source[x] != key_ ? source[x] : viewPixel(x0 + x, y0 + y);
            rows[y] = out;
        }
    } else {
        // Layers meet in the tile, or it reaches past the panel: the panel
        // put together here, the view where it is transparent or absent.
        const int px0 = x0 - left, py0 = y0 - top;
        panel->composeRegion(panel_, px0, py0, px0 + kTile, py0 + kTile);
        for (int y = 0; y < kTile; ++y) {
            std::uint32_t *out = mix + y * kTile;
            const int py = py0 + y;
            for (int x = 0; x < kTile; ++x) {
                const int px = px0 + x;
                const bool inside = py >= 0 && py < panel_.height() && px >= 0 && px < panel_.width();
                const std::uint32_t pixel = inside ? panel_.pixel(px, py) : 0;
                const bool through = !inside || (keyed_ && pixel == key_);
                showsView = showsView || through;
                out[x] = through ? viewPixel(x0 + x, y0 + y) : pixel;
            }
            rows[y] = out;
        }
    }
    viewTiles_[tile] = showsView;
    if (sameAsShown(rows)) return false;
    for (int y = 0; y < kTile; ++y)
        std::memcpy(window_.row(y0 + y) + x0, rows[y], sizeof(std::uint32_t) * kTile);
    return true;
}

TileChanges WindowMirror::update(sim::Cockpit &cockpit, unsigned long long since, unsigned long long serial) {
    TileChanges changes;
    changes.since = since;
    changes.serial = serial;
    serial_ = serial;

    const sim::Panel *panel = cockpit.shownPanel();
    int left = 0, top = 0;
    if (panel == nullptr || !cockpit.panelOrigin(left, top)) panel = nullptr;
    std::vector<char> candidates(WindowTiles::count, 0);
    const long frame = sim::Simulation::current() != nullptr ? sim::Simulation::current()->frameCount() : 0;
    bool drawView = frame - viewFrame_ >= viewEveryFrames;

    if (!started_ || cockpit.panelSerial() != panelSerial_) {
        // A new panel: everything is looked at.
        started_ = true;
        panelSerial_ = cockpit.panelSerial();
        keyed_ = panel != nullptr && panel->hasColourKey();
        key_ = panel != nullptr ? panel->colourKey() : 0;
        panel_ = panel != nullptr ? sim::Surface(panel->width(), panel->height()) : sim::Surface(0, 0);
        areaDrawn_.clear();
        layerPrints_.clear();
        if (panel != nullptr) {
            for (const sim::PanelArea &area : panel->areas()) areaDrawn_.push_back(area.drawn);
            for (int i = 0; i < layerCount(*panel); ++i) {
                const Layer layer = panelLayer(*panel, i);
                layerPrints_.push_back(layer.picture != nullptr ? fingerprint(*layer.picture) : 0);
            }
        }
        classifyTiles(panel, left, top);
        std::fill(candidates.begin(), candidates.end(), 1);
        drawView = true;
    } else if (panel != nullptr) {
        // What was drawn since: the areas the module redrew and the MFD
        // screens, where their pictures differ from the last ones looked at
        // (most areas are redrawn every frame and show the same).
        const int layers = layerCount(*panel);
        for (int i = 0; i < layers; ++i) {
            const bool area = i < int(areaDrawn_.size());
            if (area && panel->areas()[std::size_t(i)].drawn == areaDrawn_[std::size_t(i)]) continue;
            if (area) areaDrawn_[std::size_t(i)] = panel->areas()[std::size_t(i)].drawn;
            const Layer layer = panelLayer(*panel, i);
            if (layer.picture == nullptr) continue;
            const std::uint64_t print = fingerprint(*layer.picture);
            if (print == layerPrints_[std::size_t(i)]) continue;
            layerPrints_[std::size_t(i)] = print;
            markTiles(candidates, left + layer.left, top + layer.top, left + layer.right, top + layer.bottom);
        }
    }
    const sim::Surface *view = nullptr;
    if (drawView && std::find(viewTiles_.begin(), viewTiles_.end(), 1) != viewTiles_.end()) {
        view = &cockpit.renderView();
        viewFrame_ = frame;
    }
    for (int tile = 0; tile < WindowTiles::count; ++tile) {
        if (!candidates[tile] && !(view != nullptr && viewTiles_[tile])) continue;
        if (!refreshTile(panel, tile, left, top, view)) continue;
        const int x0 = (tile % WindowTiles::columns) * kTile, y0 = (tile / WindowTiles::columns) * kTile;
        changes.tiles.push_back(static_cast<std::uint16_t>(tile));
        for (int y = 0; y < kTile; ++y)
            changes.pixels.insert(changes.pixels.end(), window_.row(y0 + y) + x0,
                                  window_.row(y0 + y) + x0 + kTile);
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
