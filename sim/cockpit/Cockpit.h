// The user-facing side of the simulator: 2D panels and their areas, the
// three MFDs, keyboard state and buffered key events, mouse clicks, input
// boxes, the outside view and the window image.
//
// The simulation's frame loop drives it (see Simulation::frame):
//   beginFrame(focus)   message loop: answers for open input boxes, buffered
//                       keys, direct keys, mouse events
//   endFrame(focus)     after the state update: panel area redraws, MFD refresh
#pragma once

#include <VesselAPI.h>

namespace sim {

class Cockpit {
public:
    Cockpit();
    ~Cockpit();
    Cockpit(const Cockpit &) = delete;
    Cockpit &operator=(const Cockpit &) = delete;

    // Called once after all vessels are created: shows panel 0 of the focus vessel.
    void start(VESSEL *focus);
    // Called before every vessel and module is destroyed.
    void shutdown();

    void beginFrame(VESSEL *focus);
    void endFrame(VESSEL *focus);

private:
    struct Impl;
    Impl *impl;
};

}  // namespace sim
