#include "cockpit/Mfd.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdarg>
#include <cstring>
#include <cstdio>

#include "core/Simulation.h"
#include "gdi/SurfaceHandles.h"

namespace sim {

namespace {

enum Action { NoAction, NextReference, ToggleUnits, NextHud, ToggleDate, PickOrbit, PickSurface, PickInfo };

const int kModes[] = {MFD_ORBIT, MFD_SURFACE, MFD_INFO};
const char *const kModeNames[] = {"Orbit", "Surface", "Info"};

const char *modeName(int mode) {
    for (int i = 0; i < 3; ++i)
        if (kModes[i] == mode) return kModeNames[i];
    return "";
}

const char *hudName(int mode) {
    switch (mode) {
        case HUD_ORBIT:
            return "Orbit";
        case HUD_SURFACE:
            return "Surface";
        case HUD_DOCKING:
            return "Docking";
        default:
            return "off";
    }
}

// Text lines of a page, drawn in one go.
class PageWriter {
public:
    PageWriter(SURFHANDLE display, HFONT font) : surface(display), dc(oapiGetDC(display)) {
        if (dc == nullptr) return;
        if (font != nullptr) SelectObject(dc, font);
        SetBkMode(dc, TRANSPARENT);
        SetTextAlign(dc, TA_LEFT | TA_TOP);
    }
    ~PageWriter() {
        if (dc != nullptr) oapiReleaseDC(surface, dc);
    }
    void title(const char *text) { write(6, 4, RGB(230, 230, 230), text); }
    // Line `n` of the body below the title.
    void line(int n, const char *format, ...) __attribute__((format(printf, 3, 4))) {
        char text[128];
        va_list args;
        va_start(args, format);
        std::vsnprintf(text, sizeof text, format, args);
        va_end(args);
        write(6, 30 + 18 * n, RGB(0, 255, 0), text);
    }
    void write(int x, int y, COLORREF colour, const char *text, UINT align = TA_LEFT) {
        lowest = std::max(lowest, y + kLineHeight);
        if (dc == nullptr) return;
        SetTextColor(dc, colour);
        SetTextAlign(dc, align | TA_TOP);
        TextOutA(dc, x, y, text, int(std::strlen(text)));
    }

    // The row below the lowest text written.
    int bottom() const { return lowest; }

private:
    static constexpr int kLineHeight = 20;  // covers the 14-pixel font's cell
    SURFHANDLE surface;
    HDC dc;
    int lowest = 0;
};

struct CalendarTime {
    long year;
    int month, day, hour, minute, second;
};

// The Gregorian date and time of an MJD, to the second below (H. Hinnant's
// civil-from-days, counting days from 1 March of year 0).
CalendarTime calendarTime(double mjd) {
    const long long total = static_cast<long long>(std::floor((mjd - 40587.0) * 86400.0));  // from 1970
    long long daysFrom1970 = total / 86400;
    if (total % 86400 < 0) --daysFrom1970;
    const long long seconds = total - daysFrom1970 * 86400;
    const long long days = daysFrom1970 + 719468;
    const long long era = (days >= 0 ? days : days - 146096) / 146097;
    const long long dayOfEra = days - era * 146097;
    const long long yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const long long dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const long long monthIndex = (5 * dayOfYear + 2) / 153;  // from March
    CalendarTime time;
    time.day = int(dayOfYear - (153 * monthIndex + 2) / 5 + 1);
    time.month = int(monthIndex < 10 ? monthIndex + 3 : monthIndex - 9);
    time.year = long(yearOfEra + era * 400 + (time.month <= 2 ? 1 : 0));
    time.hour = int(seconds / 3600);
    time.minute = int(seconds / 60 % 60);
    time.second = int(seconds % 60);
    return time;
}

Body *asBody(const Simulation *simulation, OBJHANDLE handle) {
    if (simulation == nullptr || !simulation->isBody(handle)) return nullptr;
    return static_cast<Body *>(static_cast<SimObject *>(handle));
}

}  // namespace

// Button tables: 12 entries, buttons 0-5 on the left edge, 6-11 on the right.
const Mfd::Button kOrbitButtons[Mfd::buttonCount] = {
    {"REF", "Reference body: next", OAPI_KEY_R, NextReference},
    {"UNT", "Units: km or m", OAPI_KEY_U, ToggleUnits},
};
const Mfd::Button kSurfaceButtons[Mfd::buttonCount] = {
    {"REF", "Reference body: next", OAPI_KEY_R, NextReference},
    {"UNT", "Units: km or m", OAPI_KEY_U, ToggleUnits},
};
const Mfd::Button kInfoButtons[Mfd::buttonCount] = {
    {"HUD", "HUD mode: next", OAPI_KEY_H, NextHud},
    {"DTF", "Date: MJD or calendar", OAPI_KEY_D, ToggleDate},
};
const Mfd::Button kSelectButtons[Mfd::buttonCount] = {
    {"ORB", "Orbit", 0, PickOrbit},
    {"SRF", "Surface", 0, PickSurface},
    {"INF", "Info", 0, PickInfo},
};

const Mfd::Button *Mfd::buttons() const {
    const Button *table = kOrbitButtons;
    if (currentPage == Page::ModeSelect)
        table = kSelectButtons;
    else if (currentMode == MFD_SURFACE)
        table = kSurfaceButtons;
    else if (currentMode == MFD_INFO)
        table = kInfoButtons;
    return table;
}

Mfd::Mfd(int index, int mode) : mfdIndex(index), currentMode(isMode(mode) ? mode : MFD_ORBIT) {}

bool Mfd::isMode(int mode) { return mode == MFD_ORBIT || mode == MFD_SURFACE || mode == MFD_INFO; }

const char *Mfd::buttonLabel(int button) const {
    if (!powered || button < 0 || button >= buttonCount) return nullptr;
    return buttons()[button].label;
}

Mfd::Change Mfd::pressButton(int button, int event, bool &handled) {
    handled = false;
    if (!powered || button < 0 || button >= buttonCount) return Change::None;
    const Button &spec = buttons()[button];
    if (spec.label == nullptr || !(event & PANEL_MOUSE_LBDOWN)) return Change::None;
    handled = true;
    Change change = act(spec.action);
    // A button picked from the menu page acts and brings the display back.
    if (currentPage == Page::ButtonMenu && showPage(Page::Display) != Change::None && change == Change::None)
        change = Change::Labels;
    return change;
}

Mfd::Change Mfd::sendKey(DWORD key, bool &handled) {
    handled = false;
    if (!powered) return Change::None;
    if (key == OAPI_KEY_F1) {
        handled = true;
        return showPage(currentPage == Page::ModeSelect ? Page::Display : Page::ModeSelect);
    }
    if (key == OAPI_KEY_GRAVE) {
        handled = true;
        return showPage(currentPage == Page::ButtonMenu ? Page::Display : Page::ButtonMenu);
    }
    if (currentPage == Page::ModeSelect) return Change::None;
    const Button *table = buttons();
    for (int i = 0; i < buttonCount; ++i) {
        if (table[i].label != nullptr && table[i].key == key) {
            handled = true;
            return act(table[i].action);
        }
    }
    return Change::None;
}

Mfd::Change Mfd::togglePower() {
    powered = !powered;
    currentPage = Page::Display;
    return Change::Mode;
}

Mfd::Change Mfd::open(int mode) {
    if (mode == MFD_NONE) {
        if (!powered) return Change::None;
        return togglePower();
    }
    if (!isMode(mode)) return Change::None;
    const bool changed = !powered || mode != currentMode || currentPage != Page::Display;
    powered = true;
    currentMode = mode;
    currentPage = Page::Display;
    return changed ? Change::Mode : Change::None;
}

Mfd::Change Mfd::showPage(Page page) {
    if (page == currentPage) return Change::None;
    currentPage = page;
    return Change::Labels;
}

Mfd::Change Mfd::act(int action) {
    Simulation *simulation = Simulation::current();
    switch (action) {
        case NextReference: {
            const int bodyCount = simulation != nullptr ? int(simulation->bodies().size()) : 0;
            reference = reference + 1 < bodyCount ? reference + 1 : -1;
            return Change::None;
        }
        case ToggleUnits:
            kilometres = !kilometres;
            return Change::None;
        case NextHud:
            oapiSetHUDMode(oapiGetHUDMode() >= HUD_DOCKING ? HUD_NONE : oapiGetHUDMode() + 1);
            return Change::None;
        case ToggleDate:
            calendarDate = !calendarDate;
            return Change::None;
        case PickOrbit:
            return open(MFD_ORBIT) == Change::None ? Change::Labels : Change::Mode;
        case PickSurface:
            return open(MFD_SURFACE) == Change::None ? Change::Labels : Change::Mode;
        case PickInfo:
            return open(MFD_INFO) == Change::None ? Change::Labels : Change::Mode;
        default:
            return Change::None;
    }
}

// ---------------------------------------------------------------------------
// Drawing

void Mfd::draw(SURFHANDLE display, const MFDSPEC &spec, HFONT font, const Simulation *simulation,
               VESSEL *focus) const {
    Surface *surface = surfaceFromHandle(display);
    if (surface == nullptr) return;
    // Only the rows that held text need clearing: the rest is still black.
    surface->fillRect(0, 0, surface->width(), std::min(surface->height(), drawnBottom), 0);
    surface->clearTexts();
    drawnBottom = 0;
    if (!powered) return;
    PageWriter page(display, font);
    struct Extent {
        const PageWriter &page;
        int &bottom;
        ~Extent() { bottom = page.bottom(); }
    } extent{page, drawnBottom};
    const int width = surface->width();
    const Button *table = buttons();

    if (currentPage == Page::ModeSelect) {
        page.title("Mode selection");
        for (int i = 0; i < buttonCount; ++i) {
            if (table[i].label == nullptr) continue;
            const int y = spec.bt_yofs + (i % 6) * spec.bt_ydist - 7;
            const bool left = i < 6;
            const COLORREF colour = i < 3 && kModes[i] == currentMode ? RGB(255, 255, 0) : RGB(0, 255, 0);
            page.write(left ? 6 : width - 6, y, colour, table[i].help, left ? TA_LEFT : TA_RIGHT);
        }
        return;
    }
    if (currentPage == Page::ButtonMenu) {
        char title[64];
        std::snprintf(title, sizeof title, "%s buttons", modeName(currentMode));
        page.title(title);
        int n = 0;
        for (int i = 0; i < buttonCount; ++i) {
            if (table[i].label == nullptr) continue;
            char text[96];
            std::snprintf(text, sizeof text, "%-3s %s", table[i].label, table[i].help);
            page.line(n++, "%s", text);
        }
        return;
    }

    if (simulation == nullptr || focus == nullptr) {
        page.title(modeName(currentMode));
        page.line(0, "No data");
        return;
    }
    Body *body = reference >= 0 && reference < int(simulation->bodies().size())
                     ? simulation->bodies()[reference].get()
                     : asBody(simulation, focus->GetGravityRef());
    if (currentMode == MFD_INFO) {
        page.title("Info");
        page.line(0, "Vessel %s", focus->GetName());
        const double mjd = simulation->mjd();
        if (calendarDate) {
            const CalendarTime utc = calendarTime(mjd);
            page.line(1, "UTC  %04ld-%02d-%02d %02d:%02d:%02d", utc.year, utc.month, utc.day, utc.hour,
                      utc.minute, utc.second);
        } else {
            page.line(1, "MJD  %.5f", mjd);
        }
        page.line(2, "SimT %.2f s", simulation->simTime());
        page.line(3, "Warp %.1fx", simulation->timeAcceleration());
        page.line(4, "HUD  %s", hudName(simulation->hudMode()));
        return;
    }
    if (body == nullptr) {
        page.title(modeName(currentMode));
        page.line(0, "No reference");
        return;
    }
    char title[96];
    std::snprintf(title, sizeof title, "%s  %s%s", modeName(currentMode), body->name().c_str(),
                  reference < 0 ? " (auto)" : "");
    page.title(title);

    VECTOR3 position, velocity;
    focus->GetGlobalPos(position);
    focus->GetGlobalVel(velocity);
    const VECTOR3 r = position - body->position();
    const VECTOR3 v = velocity - body->velocity();
    const double distance = length(r), speed = length(v);
    const double lengthUnit = kilometres ? 1000.0 : 1.0;
    const char *lengthName = kilometres ? "km" : "m";
    const char *speedName = kilometres ? "km/s" : "m/s";

    if (currentMode == MFD_SURFACE) {
        double longitude = 0, latitude = 0;
        body->globalToSurface(simulation->mjd(), position, longitude, latitude);
        page.line(0, "Alt  %.3f %s", (distance - body->radius()) / lengthUnit, lengthName);
        page.line(1, "Lng  %.4f %c", std::fabs(longitude * DEG), longitude < 0 ? 'W' : 'E');
        page.line(2, "Lat  %.4f %c", std::fabs(latitude * DEG), latitude < 0 ? 'S' : 'N');
        page.line(3, "Vel  %.4f %s", speed / lengthUnit, speedName);
        return;
    }

    // Orbit: elements of the two-body orbit through the present state.
    const double mu = body->gm();
    page.line(0, "R    %.3f %s", distance / lengthUnit, lengthName);
    page.line(1, "V    %.4f %s", speed / lengthUnit, speedName);
    if (distance <= 0 || mu <= 0) return;
    const double energy = speed * speed / 2 - mu / distance;
    const VECTOR3 eccentricityVector = (r * (speed * speed - mu / distance) - v * dotp(r, v)) / mu;
    const double eccentricity = length(eccentricityVector);
    // The global frame is left-handed with y to ecliptic north: a prograde
    // orbit has its r x v along -y.
    const VECTOR3 h = crossp(r, v);
    const double hLength = length(h);
    const double inclination = hLength > 0 ? std::acos(std::fmax(-1.0, std::fmin(1.0, -h.y / hLength))) : 0.0;
    const double periapsis = hLength * hLength / mu / (1 + eccentricity);
    page.line(2, "Ecc  %.5f", eccentricity);
    page.line(3, "Inc  %.3f deg", inclination * DEG);
    page.line(4, "PeR  %.3f %s", periapsis / lengthUnit, lengthName);
    if (energy < 0) {
        const double semiMajorAxis = -mu / (2 * energy);
        page.line(5, "SMa  %.3f %s", semiMajorAxis / lengthUnit, lengthName);
        page.line(6, "ApR  %.3f %s", semiMajorAxis * (1 + eccentricity) / lengthUnit, lengthName);
        page.line(7, "T    %.2f h",
                  2 * PI * std::sqrt(semiMajorAxis * semiMajorAxis * semiMajorAxis / mu) / 3600.0);
    } else {
        page.line(5, "Escape trajectory");
    }
}

}  // namespace sim
