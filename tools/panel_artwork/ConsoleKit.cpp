#include "ConsoleKit.h"

#include <cmath>
#include <utility>

using namespace palette;

void ConsoleKit::Face(uint32_t seed) {
    const Box all{0, 0, canvas.Width(), canvas.Height()};
    canvas.VerticalGradient(all, Scale(kFace, 1.08f), Scale(kFace, 0.88f));
    canvas.Grain(all, 0.035f, seed);
    canvas.Bevel(all, 3, kPlateLight, kPlateDark, 0.7f);
}

void ConsoleKit::Plate(const Box &box, const std::string &title, uint32_t seed, int screws) {
    canvas.DropShadow(box, 6, 0.45f);
    canvas.VerticalGradient(box, Scale(kPlate, 1.06f), Scale(kPlate, 0.92f));
    canvas.Grain(box, 0.03f, seed);
    canvas.Bevel(box, 2, kPlateLight, kPlateDark, 0.85f);
    const float inset = 7.5f;
    if (screws & kTopLeft) Screw(box.left + inset, box.top + inset, 0.6f + seed * 0.37f);
    if (screws & kTopRight) Screw(box.right - inset, box.top + inset, 2.1f + seed * 0.51f);
    if (screws & kBottomLeft) Screw(box.left + inset, box.bottom - inset, 1.2f + seed * 0.23f);
    if (screws & kBottomRight) Screw(box.right - inset, box.bottom - inset, 0.2f + seed * 0.71f);
    if (!title.empty()) Heading(title, box.left + 18, box.top + 15, box.right - 18);
}

void ConsoleKit::Heading(const std::string &title, int x, int baseline, int ruleEnd) {
    const TextStyle style{Weight::Bold, 11, 1.2f};
    const int ruleStart = int(x + text.Measure(title, style) + 6);
    Label(title, x, baseline, Align::Left, 11, Weight::Bold, 1.2f);
    if (ruleEnd - ruleStart >= 20) Rule(ruleStart, baseline - 4, ruleEnd);
}

void ConsoleKit::GroupFrame(const Box &box, const std::string &title) {
    const TextStyle style{Weight::Bold, 9, 0.8f};
    const int gapLeft = box.left + 8;
    const int gapRight = title.empty() ? gapLeft : int(gapLeft + text.Measure(title, style) + 8);
    const Color line = kPaint;
    const float a = 0.75f;
    auto stroke = [&](const Box &b) {
        canvas.Fill({b.left + 1, b.top + 1, b.right + 1, b.bottom + 1}, kShadow, 0.4f);
        canvas.Fill(b, line, a);
    };
    stroke({box.left + 3, box.top, gapLeft, box.top + 1});
    stroke({gapRight, box.top, box.right - 3, box.top + 1});
    stroke({box.left + 3, box.bottom - 1, box.right - 3, box.bottom});
    stroke({box.left, box.top + 3, box.left + 1, box.bottom - 3});
    stroke({box.right - 1, box.top + 3, box.right, box.bottom - 3});
    // Rounded corners.
    for (const auto &corner : {std::pair<float, float>{box.left + 3.0f, box.top + 3.0f},
                               {box.right - 3.0f, box.top + 3.0f},
                               {box.left + 3.0f, box.bottom - 3.0f},
                               {box.right - 3.0f, box.bottom - 3.0f}}) {
        const float sx = corner.first < (box.left + box.right) / 2.0f ? -1.0f : 1.0f;
        const float sy = corner.second < (box.top + box.bottom) / 2.0f ? -1.0f : 1.0f;
        for (int i = 0; i <= 6; ++i) {
            const float angle = i * 3.14159265f / 12.0f;
            const float x = corner.first + sx * (2.5f * std::cos(angle));
            const float y = corner.second + sy * (2.5f * std::sin(angle));
            canvas.Disc(x, y, 0.55f, line, a);
        }
    }
    if (!title.empty()) Label(title, gapLeft + 4, box.top + 4, Align::Left, 9, Weight::Bold, 0.8f);
}

void ConsoleKit::Screw(float cx, float cy, float slotAngle) {
    canvas.Disc(cx + 0.8f, cy + 1.0f, 4.8f, kShadow, 0.55f);
    canvas.Disc(cx, cy, 4.5f, Rgb(128, 134, 128));
    canvas.Disc(cx - 0.7f, cy - 0.7f, 3.3f, Rgb(176, 182, 176), 0.75f);
    canvas.Ring(cx, cy, 4.5f, 0.8f, Rgb(44, 48, 46), 0.8f);
    const float dx = std::cos(slotAngle) * 3.6f, dy = std::sin(slotAngle) * 3.6f;
    canvas.Line(cx - dx + 0.5f, cy - dy + 0.5f, cx + dx + 0.5f, cy + dy + 0.5f, 1.0f, Rgb(220, 224, 220),
                0.5f);
    canvas.Line(cx - dx, cy - dy, cx + dx, cy + dy, 1.4f, Rgb(30, 33, 32));
}

void ConsoleKit::Screen(const Box &inner, int bezelWidth) {
    const Box outer = inner.Grown(bezelWidth);
    canvas.DropShadow(outer, 4, 0.5f);
    canvas.Fill(outer, kBezel);
    canvas.Grain(outer, 0.02f, uint32_t(inner.left * 31 + inner.top));
    canvas.Bevel(outer, 2, Rgb(96, 104, 100), Rgb(10, 12, 11));
    canvas.Bevel(inner.Grown(2), -2, Rgb(80, 88, 84), Rgb(0, 0, 0));
    canvas.VerticalGradient(inner, kGlassTop, kGlassBottom);
    // A faint reflection across the upper part of the glass.
    canvas.Fill({inner.left, inner.top, inner.right, inner.top + inner.Height() / 10}, Rgb(120, 150, 135),
                0.025f);
}

void ConsoleKit::Field(const Box &box) {
    canvas.Fill(box.Grown(2), Rgb(30, 34, 33));
    canvas.Bevel(box.Grown(2), -2, Rgb(150, 164, 154), Rgb(8, 10, 9));
    canvas.VerticalGradient(box, Rgb(6, 12, 10), Rgb(12, 20, 16));
}

bool ConsoleKit::Button(const Box &box, const std::string &label, ButtonKind kind) {
    Color top, bottom, ink;
    switch (kind) {
        case ButtonKind::Ivory:
            top = Rgb(228, 224, 200), bottom = Rgb(176, 172, 150), ink = Rgb(20, 20, 18);
            break;
        case ButtonKind::Grey:
            top = Rgb(120, 126, 124), bottom = Rgb(70, 75, 74), ink = Rgb(236, 236, 228);
            break;
        case ButtonKind::Red:
            top = Rgb(212, 96, 80), bottom = Rgb(140, 40, 34), ink = Rgb(255, 246, 232);
            break;
        case ButtonKind::Amber:
            top = Rgb(236, 184, 84), bottom = Rgb(176, 120, 30), ink = Rgb(24, 18, 8);
            break;
        case ButtonKind::Green:
            top = Rgb(170, 206, 170), bottom = Rgb(104, 142, 108), ink = Rgb(14, 24, 14);
            break;
    }
    const float l = box.left, t = box.top, r = box.right, b = box.bottom;
    // Collar and the dark gap around the key.
    canvas.RoundedBox(l - 4, t - 4, r + 4, b + 4, 5, Rgb(0, 0, 0), 0.35f);
    canvas.RoundedGradient(l - 3, t - 3, r + 3, b + 3, 4, Rgb(40, 44, 43), Rgb(110, 118, 114));
    canvas.RoundedBox(l - 1, t - 1, r + 1, b + 1, 3, Rgb(8, 9, 9));
    // The key face.
    canvas.RoundedGradient(l, t, r, b, 3, top, bottom);
    canvas.RoundedBox(l + 1, t + 1, r - 1, t + 2, 1, Rgb(255, 255, 255), 0.35f);
    canvas.RoundedBox(l + 1, b - 2, r - 1, b - 1, 1, Rgb(0, 0, 0), 0.25f);
    if (label.empty()) return true;
    for (int size = 11; size >= 8; --size) {
        for (Weight weight : {Weight::Bold, Weight::Regular}) {
            const TextStyle style{weight, size, 0.0f};
            if (text.Measure(label, style) > box.Width() - 5) continue;
            const float cap = text.CapHeight(style);
            const float baseline = std::round(t + (box.Height() + cap) / 2.0f);
            text.Draw(canvas, label, (l + r) / 2.0f, baseline, Align::Centre, style, ink);
            return true;
        }
    }
    return false;
}

void ConsoleKit::Label(const std::string &label, float x, float baseline, Align align, int size,
                       Weight weight, float spacing) {
    const TextStyle style{weight, size, spacing};
    text.Draw(canvas, label, x + 1, baseline + 1, align, style, kShadow, 0.55f);
    text.Draw(canvas, label, x, baseline, align, style, kPaint);
}

void ConsoleKit::Legend(const std::string &label, float x, float baseline, Align align, int size) {
    const TextStyle style{Weight::Regular, size, 0.0f};
    text.Draw(canvas, label, x + 1, baseline + 1, align, style, kShadow, 0.45f);
    text.Draw(canvas, label, x, baseline, align, style, kLegend);
}

void ConsoleKit::Rule(int x0, int y, int x1) {
    if (x1 <= x0) return;
    canvas.Fill({x0 + 1, y + 1, x1 + 1, y + 2}, kShadow, 0.5f);
    canvas.Fill({x0, y, x1, y + 1}, kPaint, 0.8f);
}

void ConsoleKit::Lamp(float cx, float cy, float radius, Color glass) {
    canvas.Disc(cx + 1, cy + 1, radius + 3, kShadow, 0.4f);
    canvas.Disc(cx, cy, radius + 3, Rgb(150, 154, 150));
    canvas.Ring(cx, cy, radius + 3, 1.0f, Rgb(60, 64, 62));
    canvas.Disc(cx, cy, radius, Scale(glass, 0.55f));
    canvas.Disc(cx - radius * 0.15f, cy - radius * 0.15f, radius * 0.75f, glass, 0.6f);
    canvas.Disc(cx - radius * 0.35f, cy - radius * 0.4f, radius * 0.28f, Rgb(255, 255, 255), 0.45f);
}

void ConsoleKit::VentSlots(const Box &box, int count) {
    const float pitch = float(box.Height()) / count;
    for (int i = 0; i < count; ++i) {
        const float y = box.top + i * pitch + pitch / 2;
        canvas.RoundedBox(box.left, y - 2, box.right, y + 2, 2, Rgb(6, 8, 7));
        canvas.Line(box.left + 2, y + 2.5f, box.right - 2, y + 2.5f, 1.0f, kPlateLight, 0.5f);
    }
}

void ConsoleKit::DarkBox(const Box &box) {
    canvas.Fill(box.Grown(1), Rgb(0, 0, 0), 0.6f);
    canvas.Bevel(box.Grown(2), -1, kPlateLight, kPlateDark, 0.8f);
    canvas.VerticalGradient(box, Rgb(22, 24, 24), Rgb(4, 5, 5));
}
