// The headless simulator: the solar system, the vessels and their modules,
// simulation time, and the frame loop that calls the modules the way the
// simulator does. One simulation is current at a time; the oapi functions
// act on it.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include <OrbiterAPI.h>
#include <VesselAPI.h>

#include "bodies/SolarSystemEphemeris.h"
#include "cockpit/Cockpit.h"
#include "core/Body.h"
#include "core/GravityModel.h"
#include "core/ModuleLoader.h"
#include "core/Vessel.h"
#include "sky/SkyData.h"

namespace sim {

struct PendingAttachment;

class Simulation {
public:
    // rootDir: installation folder holding Config/ and Modules/.
    // workDir: the working folder where modules write their files.
    Simulation(const std::string &rootDir, const std::string &workDir);
    ~Simulation();
    Simulation(const Simulation &) = delete;
    Simulation &operator=(const Simulation &) = delete;

    static Simulation *current();

    // Loads a scenario: bodies at its date, vessels with their modules. On
    // failure returns false with a message naming the file and line.
    bool loadScenario(const std::string &path, std::string &error);
    bool saveScenario(const std::string &path, std::string &error);
    // Ends the session: ovcExit for every vessel, then ExitModule per library.
    void shutdown();

    // One frame: input, clbkPreStep, state update, clbkPostStep, panel redraw.
    void frame();

    // Where the last frame's time went, in seconds of the process's steady
    // clock.
    struct FrameTimes {
        double input = 0.0;     // the cockpit's message loop: keys, mouse, input boxes, what they start
        double preStep = 0.0;   // every vessel's clbkPreStep
        double motion = 0.0;    // bodies and vessels moved
        double postStep = 0.0;  // every vessel's clbkPostStep
        double drawing = 0.0;   // panel areas and MFDs redrawn
    };
    const FrameTimes &lastFrameTimes() const { return frameTimes_; }

    // Time
    double simTime() const { return simTime_; }
    double simStep() const { return simStep_; }
    double mjd() const { return mjd_; }
    // The stars and the bodies' maps (Config/Sky), read with the scenario.
    const SkyData &sky() const { return *sky_; }
    double frameLength() const { return frameLength_; }  // real seconds per frame
    void setFrameLength(double seconds) { frameLength_ = seconds; }
    // The time acceleration, kept within its range.
    static constexpr double minTimeAcceleration = 0.1;
    static constexpr double maxTimeAcceleration = 100000.0;
    double timeAcceleration() const { return warp_; }
    void setTimeAcceleration(double warp);
    double frameRate() const { return frameLength_ > 0 ? 1.0 / frameLength_ : 0.0; }
    long frameCount() const { return frameCount_; }

    // Objects
    const std::vector<std::unique_ptr<Body>> &bodies() const { return bodies_; }
    const std::vector<std::unique_ptr<Vessel>> &vessels() const { return vessels_; }
    Body *bodyByName(const std::string &name) const;
    Body *body(BodyId id) const { return bodies_[static_cast<int>(id)].get(); }
    Vessel *vesselByName(const std::string &name) const;
    Vessel *focus() const { return focus_; }
    bool isVessel(const void *handle) const;
    bool isBody(const void *handle) const;
    Body *gravityReferenceFor(const VECTOR3 &position) const;

    // Camera and HUD
    double cameraAperture() const { return cameraAperture_; }
    void setCameraAperture(double aperture) { cameraAperture_ = aperture; }
    int hudMode() const { return hudMode_; }
    void setHudMode(int mode) { hudMode_ = mode; }

    char *debugString() { return debugString_; }
    const std::string &rootDir() const { return rootDir_; }
    const std::string &workDir() const { return workDir_; }
    const SolarSystemEphemeris &ephemeris() const { return ephemeris_; }
    const GravityModel &gravity() const { return *gravity_; }
    Cockpit &cockpit() { return cockpit_; }

    // Attachment operations shared by the VESSEL interface and scenario loading.
    bool attach(Vessel *parent, Attachment *parentPoint, Vessel *child, Attachment *childPoint);
    bool detach(Attachment *parentPoint, double separationSpeed);
    void placeAttachedChildren(Vessel *parent);

    // Scenario state of one vessel (the `status` a module's clbkLoadStateEx passes on).
    void writeStandardLines(Vessel *vessel, FILEHANDLE scn);

    // Standard scenario file writing for oapiWriteScenario_* (FILEHANDLE is a std::string*).
    static void writeLine(FILEHANDLE scn, const std::string &line);

private:
    bool loadBodies(double mjd, std::string &error);
    bool createVessel(const std::string &name, const std::string &className,
                      const std::vector<std::string> &lines, const std::string &path, int firstLine,
                      std::string &error);
    void updateBodies(double mjd);
    void applyStatus(Vessel *vessel, const VESSELSTATUS &status);
    void propagateVessels(double mjd0, double dt);

    std::string rootDir_;
    std::string workDir_;
    std::string scenarioDescription_;
    SolarSystemEphemeris ephemeris_;
    std::unique_ptr<GravityModel> gravity_;
    std::vector<std::unique_ptr<Body>> bodies_;
    std::vector<std::unique_ptr<Vessel>> vessels_;
    std::vector<std::unique_ptr<PendingAttachment>> pendingAttachments_;
    ModuleLoader modules_;
    Cockpit cockpit_;
    Vessel *focus_ = nullptr;

    double simTime_ = 0.0;
    double simStep_ = 0.0;
    double mjd_ = 0.0;
    std::shared_ptr<const SkyData> sky_ = std::make_shared<SkyData>();
    double frameLength_ = 0.02;
    double warp_ = 1.0;
    long frameCount_ = 0;
    FrameTimes frameTimes_;
    double cameraAperture_ = 20.0 * RAD;
    int hudMode_ = HUD_ORBIT;
    char debugString_[256] = {0};
    bool running_ = false;
};

}  // namespace sim
