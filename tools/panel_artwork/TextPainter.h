// Draws UTF-8 text on a Canvas with FreeType: Liberation Sans regular and
// bold, any pixel size, optional letter spacing.
#ifndef OKUL_PANEL_ARTWORK_TEXT_PAINTER_H
#define OKUL_PANEL_ARTWORK_TEXT_PAINTER_H

#include <string>

#include "Canvas.h"

struct FT_LibraryRec_;
struct FT_FaceRec_;

enum class Weight { Regular, Bold };
enum class Align { Left, Centre, Right };

struct TextStyle {
    Weight weight = Weight::Regular;
    int pixelSize = 11;
    float letterSpacing = 0.0f;  // extra pixels after every character
};

class TextPainter {
public:
    TextPainter() = default;
    ~TextPainter();
    TextPainter(const TextPainter &) = delete;
    TextPainter &operator=(const TextPainter &) = delete;

    // Loads LiberationSans-Regular.ttf and LiberationSans-Bold.ttf from
    // fontDirectory. Returns false (with a message on stderr) if either fails.
    bool Open(const std::string &fontDirectory);

    // Advance width of text in pixels.
    float Measure(const std::string &text, const TextStyle &style);
    // Draws text with its baseline at y; x is the left end, the centre or
    // the right end as align says.
    void Draw(Canvas &canvas, const std::string &text, float x, float baseline, Align align,
              const TextStyle &style, Color colour, float alpha = 1.0f);
    // Distance from the baseline to the top of capital letters.
    float CapHeight(const TextStyle &style);

private:
    FT_FaceRec_ *Select(const TextStyle &style);

    FT_LibraryRec_ *library = nullptr;
    FT_FaceRec_ *regular = nullptr;
    FT_FaceRec_ *bold = nullptr;
};

#endif
