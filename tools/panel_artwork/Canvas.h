// A floating-point RGB drawing surface with the few primitives a console face
// needs: filled and gradient rectangles, anti-aliased rounded rectangles,
// circles and lines, bevels and a brushed-metal grain. Pixels can be marked
// transparent (the simulator's colour key) and are then only replaced by
// drawing that covers them at least half.
#ifndef OKUL_PANEL_ARTWORK_CANVAS_H
#define OKUL_PANEL_ARTWORK_CANVAS_H

#include <cstdint>
#include <vector>

struct Color {
    float r = 0, g = 0, b = 0;
};

Color Rgb(int r, int g, int b);
Color Mix(Color a, Color b, float t);
Color Scale(Color c, float factor);

// Half-open rectangle in pixels: left <= x < right, top <= y < bottom, the
// convention of the panel area tables.
struct Box {
    int left = 0, top = 0, right = 0, bottom = 0;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    Box Grown(int by) const { return {left - by, top - by, right + by, bottom + by}; }
};

class Canvas {
public:
    Canvas(int width, int height);

    int Width() const { return width; }
    int Height() const { return height; }
    const Color &At(int x, int y) const { return pixels[Index(x, y)]; }
    bool IsTransparent(int x, int y) const { return transparent[Index(x, y)] != 0; }

    // Blends colour c over pixel (x, y) with coverage alpha (0..1).
    void Blend(int x, int y, Color c, float alpha);

    void Fill(const Box &box, Color c, float alpha = 1.0f);
    void VerticalGradient(const Box &box, Color top, Color bottom);
    void MarkTransparent(const Box &box);

    // Adds a deterministic grain, stretched horizontally like brushed metal.
    void Grain(const Box &box, float strength, uint32_t seed);

    // Anti-aliased rounded rectangle (edge coordinates are pixel borders).
    void RoundedBox(float left, float top, float right, float bottom, float radius, Color c,
                    float alpha = 1.0f);
    void RoundedGradient(float left, float top, float right, float bottom, float radius, Color top_colour,
                         Color bottom_colour);
    void Disc(float cx, float cy, float radius, Color c, float alpha = 1.0f);
    void Ring(float cx, float cy, float radius, float thickness, Color c, float alpha = 1.0f);
    void Line(float x0, float y0, float x1, float y1, float thickness, Color c, float alpha = 1.0f);

    // Raised (depth > 0) or sunken (depth < 0) edge of |depth| pixels just
    // inside box: light on the top and left, dark on the bottom and right
    // for a raised edge, the other way round for a sunken one.
    void Bevel(const Box &box, int depth, Color light, Color dark, float alpha = 1.0f);
    // A soft shadow around box, falling off over size pixels.
    void DropShadow(const Box &box, int size, float strength);

private:
    int Index(int x, int y) const { return y * width + x; }
    bool Inside(int x, int y) const { return x >= 0 && y >= 0 && x < width && y < height; }
    template <typename Coverage>
    void Paint(float left, float top, float right, float bottom, Coverage coverage, Color c, float alpha);

    int width, height;
    std::vector<Color> pixels;
    std::vector<uint8_t> transparent;
};

#endif
