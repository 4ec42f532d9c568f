// Helpers of the panel tests and the fuzz targets: the vessel fields the
// panel works on, a host spacecraft stand-in, and simulator surfaces whose
// text records show what was drawn where.
#pragma once

#include <OrbiterAPI.h>

#include <cstring>
#include <string>
#include <vector>

#include "PanelFields.h"
#include "gdi/Surface.h"
#include "gdi/SurfaceHandles.h"

namespace panel_test {

// A host spacecraft's program interface that records the commands it gets
// and answers a fixed status text.
class FakeHost : public SHIPprg {
public:
    struct Command {
        int line;
        int code;
        double time;
        VECTOR3 a, b, c;
    };

    double ExecuteCommand(int line, int code, double time, VECTOR3 a, VECTOR3 b, VECTOR3 c) override {
        commands.push_back(Command{line, code, time, a, b, c});
        return 0.0;
    }
    int GetStatusText(int capacity, char *buffer) override {
        lastCapacity = capacity;
        std::strncpy(buffer, statusText.c_str(), capacity);
        return 0;
    }

    std::string statusText;
    int lastCapacity = 0;
    std::vector<Command> commands;
};

// The console vessel's fields with their start values.
struct ConsoleState {
    Terminal terminal{nullptr};
    CommandComposer composer;
    Quaternion pointing;
    double keyStep = 0.0;
    VECTOR3 axisZ = _V(0.0, 0.0, 1.0);
    VECTOR3 axisX = _V(1.0, 0.0, 0.0);
    double attachTimer = 0.0;
    SHIPprg *hostProgram = nullptr;
    int hostMode = 0;
    double hostValueA = 0.0;
    double hostValueB = 0.0;
    bool linking = false;
    double transmissionEstimate = 0.0;
    double lightTime = 0.0;
    double relayAngle = 0.0;
    bool targetVisible = true;
    int configuration = 0;
    bool restartRequested = false;

    PanelFields Fields() {
        return PanelFields{terminal,
                           composer,
                           pointing,
                           keyStep,
                           axisZ,
                           axisX,
                           attachTimer,
                           hostProgram,
                           hostMode,
                           hostValueA,
                           hostValueB,
                           linking,
                           transmissionEstimate,
                           lightTime,
                           relayAngle,
                           targetVisible,
                           configuration,
                           restartRequested};
    }
};

// A panel area's surface, filled with a background colour that no drawing
// of the panel uses.
class AreaSurface {
public:
    static constexpr std::uint32_t kBackground = sim::Surface::rgb(0, 128, 64);

    AreaSurface(int width, int height) : handle(oapiCreateSurface(width, height)) {
        surface().fill(kBackground);
    }
    ~AreaSurface() { oapiDestroySurface(handle); }
    AreaSurface(const AreaSurface &) = delete;
    AreaSurface &operator=(const AreaSurface &) = delete;

    sim::Surface &surface() const { return *sim::surfaceFromHandle(handle); }
    const std::deque<sim::Surface::TextRecord> &texts() const { return surface().texts(); }
    std::uint32_t at(int x, int y) const { return surface().pixel(x, y); }
    bool untouched() const {
        for (int y = 0; y < surface().height(); ++y)
            for (int x = 0; x < surface().width(); ++x)
                if (at(x, y) != kBackground) return false;
        return texts().empty();
    }

    SURFHANDLE handle;
};

}  // namespace panel_test
