// The view out of the focus vessel's window: the picture the simulator's
// render window shows behind the panel.
//
// The camera sits at the vessel's camera offset and looks along the
// vessel's +z axis with +y up (its rotation matrix takes the axes to the
// global frame); the vertical half field of view is the camera aperture.
// The picture holds a black sky with the stars of the catalogue (sky/), and
// the Sun, the planets and the Moon as discs of their true angular size in
// their true directions. Each disc carries its body's map, turned with the
// body's rotation (the rotation the planet frames of the interface report),
// lit by the Sun with a soft terminator and a faint night side where Earth's
// city lights show; the Sun's disc darkens towards its limb. A body smaller
// than a few pixels is drawn as a small dot, brightened by its phase, so that
// planets remain visible points. With the HUD on, a line of flight data and a
// boresight cross are drawn over the view.
//
// The drawing is arithmetic on the surface's pixels alone, the same in the
// Linux and the Windows build.
#pragma once

#include <OrbiterAPI.h>
#include <VesselAPI.h>

#include <cstdint>
#include <vector>

#include "gdi/Surface.h"
#include "sky/SkyData.h"

namespace sim {

class Simulation;
class Body;

class OutsideView {
public:
    static constexpr int width = 1280;
    static constexpr int height = 960;

    // The colour of a body drawn as a dot.
    static std::uint32_t bodyColour(const Body &body);

    // Draws the sky, the stars and the bodies as the focus vessel's camera
    // sees them at the simulation's date into `image` (width x height).
    static void drawScene(Surface &image, const Simulation &simulation, VESSEL &focus, double aperture,
                          const SkyData &sky);

    // Renders into `target` (a registered surface of width x height); with
    // `hudMode` other than HUD_NONE draws the HUD line with `hudFont`.
    static void render(SURFHANDLE target, const Simulation &simulation, VESSEL &focus, double aperture,
                       int hudMode, HFONT hudFont);
};

}  // namespace sim
