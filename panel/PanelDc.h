// A device context lent by the simulator for drawing on one panel area's
// surface, prepared with the panel's usual drawing state: `fontSmall`,
// left/top text alignment, transparent text background, text colour
// RGB(250, 250, 250), `brushBlack` and the null pen (rectangles are filled
// black without an outline). The context is given back when the object
// goes out of scope.
#ifndef OKUL_PANEL_PANELDC_H
#define OKUL_PANEL_PANELDC_H

#include <OrbiterAPI.h>

class PanelDc {
public:
    static constexpr COLORREF kTextColour = RGB(250, 250, 250);

    explicit PanelDc(SURFHANDLE surface);
    ~PanelDc();
    PanelDc(const PanelDc &) = delete;
    PanelDc &operator=(const PanelDc &) = delete;

    // Null when the simulator lent no context; nothing should be drawn then.
    HDC dc() const { return context; }
    explicit operator bool() const { return context != nullptr; }

    // Draws `text` (zero-terminated) at (x, y) with the current alignment.
    void Text(int x, int y, const char *text) const;
    // Text formatted printf-style, cut to 255 bytes.
    void FormattedText(int x, int y, const char *format, ...) const
#if defined(__GNUC__)
        __attribute__((format(printf, 4, 5)))
#endif
        ;

private:
    SURFHANDLE surface;
    HDC context;
};

#endif  // OKUL_PANEL_PANELDC_H
