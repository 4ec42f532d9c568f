#include "Canvas.h"

#include <algorithm>
#include <cmath>

Color Rgb(int r, int g, int b) { return {r / 255.0f, g / 255.0f, b / 255.0f}; }

Color Mix(Color a, Color b, float t) {
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

Color Scale(Color c, float factor) { return {c.r * factor, c.g * factor, c.b * factor}; }

Canvas::Canvas(int width, int height)
    : width(width), height(height), pixels(size_t(width) * height), transparent(size_t(width) * height, 0) {}

void Canvas::Blend(int x, int y, Color c, float alpha) {
    if (!Inside(x, y) || alpha <= 0.0f) return;
    alpha = std::min(alpha, 1.0f);
    const int i = Index(x, y);
    if (transparent[i]) {
        // Partial coverage cannot be mixed with the colour key: the pixel
        // either stays see-through or takes the colour whole.
        if (alpha < 0.5f) return;
        transparent[i] = 0;
        pixels[i] = c;
        return;
    }
    pixels[i] = Mix(pixels[i], c, alpha);
}

void Canvas::Fill(const Box &box, Color c, float alpha) {
    for (int y = box.top; y < box.bottom; ++y)
        for (int x = box.left; x < box.right; ++x) Blend(x, y, c, alpha);
}

void Canvas::VerticalGradient(const Box &box, Color top, Color bottom) {
    const int h = std::max(1, box.Height() - 1);
    for (int y = box.top; y < box.bottom; ++y) {
        const Color c = Mix(top, bottom, float(y - box.top) / h);
        for (int x = box.left; x < box.right; ++x) Blend(x, y, c, 1.0f);
    }
}

void Canvas::MarkTransparent(const Box &box) {
    for (int y = std::max(0, box.top); y < std::min(height, box.bottom); ++y)
        for (int x = std::max(0, box.left); x < std::min(width, box.right); ++x) {
            transparent[Index(x, y)] = 1;
            pixels[Index(x, y)] = Rgb(255, 0, 255);
        }
}

void Canvas::Grain(const Box &box, float strength, uint32_t seed) {
    uint32_t state = seed * 2654435761u + 12345u;
    auto next = [&state]() {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        return float(state & 0xFFFF) / 65535.0f - 0.5f;
    };
    for (int y = box.top; y < box.bottom; ++y) {
        float streak = next();
        const float row = next() * 0.4f;
        for (int x = box.left; x < box.right; ++x) {
            // A slowly wandering streak value gives the brushed look.
            streak = streak * 0.92f + next() * 0.35f;
            if (!Inside(x, y) || transparent[Index(x, y)]) continue;
            const float d = (streak + row + next() * 0.5f) * strength;
            Color &p = pixels[Index(x, y)];
            p.r += d;
            p.g += d;
            p.b += d;
        }
    }
}

template <typename Coverage>
void Canvas::Paint(float left, float top, float right, float bottom, Coverage coverage, Color c,
                   float alpha) {
    // Four by four samples per pixel.
    const int x0 = int(std::floor(left)), x1 = int(std::ceil(right));
    const int y0 = int(std::floor(top)), y1 = int(std::ceil(bottom));
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x) {
            int hits = 0;
            for (int sy = 0; sy < 4; ++sy)
                for (int sx = 0; sx < 4; ++sx)
                    if (coverage(x + (sx + 0.5f) / 4.0f, y + (sy + 0.5f) / 4.0f)) ++hits;
            if (hits) Blend(x, y, c, alpha * hits / 16.0f);
        }
}

static bool InRoundedBox(float px, float py, float left, float top, float right, float bottom, float radius) {
    if (px < left || px > right || py < top || py > bottom) return false;
    const float cx = std::clamp(px, left + radius, right - radius);
    const float cy = std::clamp(py, top + radius, bottom - radius);
    const float dx = px - cx, dy = py - cy;
    return dx * dx + dy * dy <= radius * radius;
}

void Canvas::RoundedBox(float left, float top, float right, float bottom, float radius, Color c,
                        float alpha) {
    Paint(
        left, top, right, bottom,
        [=](float px, float py) { return InRoundedBox(px, py, left, top, right, bottom, radius); }, c, alpha);
}

void Canvas::RoundedGradient(float left, float top, float right, float bottom, float radius, Color top_colour,
                             Color bottom_colour) {
    const int y0 = int(std::floor(top)), y1 = int(std::ceil(bottom));
    for (int y = y0; y < y1; ++y) {
        const Color c = Mix(top_colour, bottom_colour, (y + 0.5f - top) / std::max(1.0f, bottom - top));
        Paint(
            left, float(y), right, float(y + 1),
            [=](float px, float py) { return InRoundedBox(px, py, left, top, right, bottom, radius); }, c,
            1.0f);
    }
}

void Canvas::Disc(float cx, float cy, float radius, Color c, float alpha) {
    Paint(
        cx - radius, cy - radius, cx + radius, cy + radius,
        [=](float px, float py) { return (px - cx) * (px - cx) + (py - cy) * (py - cy) <= radius * radius; },
        c, alpha);
}

void Canvas::Ring(float cx, float cy, float radius, float thickness, Color c, float alpha) {
    const float inner = radius - thickness;
    Paint(
        cx - radius, cy - radius, cx + radius, cy + radius,
        [=](float px, float py) {
            const float d = (px - cx) * (px - cx) + (py - cy) * (py - cy);
            return d <= radius * radius && d >= inner * inner;
        },
        c, alpha);
}

void Canvas::Line(float x0, float y0, float x1, float y1, float thickness, Color c, float alpha) {
    const float dx = x1 - x0, dy = y1 - y0;
    const float length2 = std::max(1e-6f, dx * dx + dy * dy);
    const float half = thickness / 2;
    Paint(
        std::min(x0, x1) - half, std::min(y0, y1) - half, std::max(x0, x1) + half, std::max(y0, y1) + half,
        [=](float px, float py) {
            const float t = std::clamp(((px - x0) * dx + (py - y0) * dy) / length2, 0.0f, 1.0f);
            const float ex = px - (x0 + t * dx), ey = py - (y0 + t * dy);
            return ex * ex + ey * ey <= half * half;
        },
        c, alpha);
}

void Canvas::Bevel(const Box &box, int depth, Color light, Color dark, float alpha) {
    const bool raised = depth > 0;
    const int n = std::abs(depth);
    const Color upper = raised ? light : dark;
    const Color lower = raised ? dark : light;
    for (int i = 0; i < n; ++i) {
        const float a = alpha * (1.0f - 0.35f * i / std::max(1, n));
        const Box r{box.left + i, box.top + i, box.right - i, box.bottom - i};
        Fill({r.left, r.top, r.right - 1, r.top + 1}, upper, a);
        Fill({r.left, r.top + 1, r.left + 1, r.bottom - 1}, upper, a);
        Fill({r.left + 1, r.bottom - 1, r.right, r.bottom}, lower, a);
        Fill({r.right - 1, r.top, r.right, r.bottom - 1}, lower, a);
    }
}

void Canvas::DropShadow(const Box &box, int size, float strength) {
    const Color black{0, 0, 0};
    for (int y = box.top - size; y < box.bottom + size + 2; ++y)
        for (int x = box.left - size; x < box.right + size + 2; ++x) {
            if (x >= box.left && x < box.right && y >= box.top && y < box.bottom) continue;
            // Shadow cast towards the lower right.
            const float dx = std::max({float(box.left - x), 0.0f, float(x - (box.right + 1))});
            const float dy = std::max({float(box.top - y), 0.0f, float(y - (box.bottom + 1))});
            const float d = std::sqrt(dx * dx + dy * dy);
            if (d >= size) continue;
            Blend(x, y, black, strength * (1.0f - d / size) * (1.0f - d / size));
        }
}
