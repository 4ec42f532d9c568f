// The view out of the focus vessel's window: the picture the simulator's
// render window shows behind the panel.
//
// The camera sits at the vessel's camera offset and looks along the
// vessel's +z axis with +y up (its rotation matrix takes the axes to the
// global frame); the vertical half field of view is the camera aperture.
// The picture holds a black sky, a fixed catalogue of stars, and the Sun,
// the planets and the Moon as discs of their true angular size in their
// true directions, lit by the Sun (Lambert shading, so a terminator shows).
// A body smaller than a few pixels is drawn as a small dot, brightened by
// its phase, so that planets remain visible points. With the HUD on, a line
// of flight data and a boresight cross are drawn over the view.
#pragma once

#include <OrbiterAPI.h>
#include <VesselAPI.h>

#include <cstdint>
#include <vector>

#include "gdi/Surface.h"

namespace sim {

class Simulation;
class Body;

class OutsideView {
public:
    static constexpr int width = 1280;
    static constexpr int height = 960;

    struct Star {
        VECTOR3 direction;  // unit vector, global frame
        double magnitude;
        std::uint32_t colour;  // at full brightness, 0x00RRGGBB
    };
    // The star catalogue: fixed directions and magnitudes, the same in every run.
    static const std::vector<Star> &stars();
    // The base colour of a body's disc.
    static std::uint32_t bodyColour(const Body &body);

    // Renders into `target` (a registered surface of width x height); with
    // `hudMode` other than HUD_NONE draws the HUD line with `hudFont`.
    static void render(SURFHANDLE target, const Simulation &simulation, VESSEL &focus, double aperture,
                       int hudMode, HFONT hudFont);
};

}  // namespace sim
