// The parts a console face is built of: metal plates with screws and
// painted group titles, recessed screens and fields, push buttons, lamps,
// vent slots. All colours of the console live here.
#ifndef OKUL_PANEL_ARTWORK_CONSOLE_KIT_H
#define OKUL_PANEL_ARTWORK_CONSOLE_KIT_H

#include <string>

#include "Canvas.h"
#include "TextPainter.h"

enum class ButtonKind {
    Ivory,  // ordinary backlit push button (unlit: pale ivory, black text)
    Grey,   // resets and auxiliary functions
    Red,    // transmission
    Amber,  // mechanical actions on the spacecraft
    Green,  // panel switching and frame stepping
};

class ConsoleKit {
public:
    ConsoleKit(Canvas &canvas, TextPainter &text) : canvas(canvas), text(text) {}

    // The whole console face: dark grey-green brushed metal.
    void Face(uint32_t seed);
    // Corner screws of a plate.
    enum Corners { kTopLeft = 1, kTopRight = 2, kBottomLeft = 4, kBottomRight = 8, kAllCorners = 15 };
    // A raised instrument plate with bevelled edges, corner screws and an
    // optional painted title at its top left.
    void Plate(const Box &box, const std::string &title, uint32_t seed, int screws = kAllCorners);
    // A painted group outline with its title set into a gap of the top line.
    void GroupFrame(const Box &box, const std::string &title);
    void Screw(float cx, float cy, float slotAngle);
    // A dark screen: inner is the glass; a bezel of bezelWidth pixels is
    // drawn around it, outside inner.
    void Screen(const Box &inner, int bezelWidth);
    // A small recessed input or readout window filling box, with a one
    // pixel sunken frame just outside it.
    void Field(const Box &box);
    // A push button whose face fills box; the collar lies just outside.
    // The label is written on the face if it fits; returns false if not.
    bool Button(const Box &box, const std::string &label, ButtonKind kind);
    // Painted white label with a faint shadow.
    void Label(const std::string &label, float x, float baseline, Align align, int size,
               Weight weight = Weight::Regular, float spacing = 0.0f);
    // Label in the dim legend colour (secondary texts, units).
    void Legend(const std::string &label, float x, float baseline, Align align, int size);
    // A bold group heading followed by a rule up to ruleEnd (no rule if
    // there is no room for one).
    void Heading(const std::string &title, int x, int baseline, int ruleEnd);
    // A painted rule line with a shadow.
    void Rule(int x0, int y, int x1);
    void Lamp(float cx, float cy, float radius, Color glass);
    void VentSlots(const Box &box, int count);
    // A black recessed key box like those the MFD button columns show.
    void DarkBox(const Box &box);

    Canvas &canvas;
    TextPainter &text;
};

// Colours.
namespace palette {
const Color kFace = Rgb(58, 70, 64);
const Color kPlate = Rgb(76, 90, 82);
const Color kPlateLight = Rgb(140, 156, 146);
const Color kPlateDark = Rgb(22, 28, 25);
const Color kBezel = Rgb(36, 40, 39);
const Color kGlassTop = Rgb(10, 20, 16);
const Color kGlassBottom = Rgb(4, 9, 7);
const Color kPaint = Rgb(226, 222, 204);
const Color kLegend = Rgb(168, 180, 168);
const Color kShadow = Rgb(0, 0, 0);
}  // namespace palette

#endif
