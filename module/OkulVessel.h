// The console vessel. It rides on a host spacecraft as an attached child,
// copies the host's masses and main engine every second, and carries the
// console's panels, terminal, command composer and trajectory programs.
#ifndef OKUL_MODULE_OKULVESSEL_H
#define OKUL_MODULE_OKULVESSEL_H

#include <OrbiterAPI.h>
#include <VesselAPI.h>

#include "CommandComposer.h"
#include "Quaternion.h"
#include "ShipProgram.h"
#include "Terminal.h"

class OkulVessel final : public VESSEL2 {
public:
    OkulVessel(OBJHANDLE hVessel, int flightModel);
    ~OkulVessel();

    // Callbacks, in the simulator's slot order.
    void clbkSetClassCaps(FILEHANDLE cfg) override;
    void clbkSaveState(FILEHANDLE scn) override;
    void clbkLoadStateEx(FILEHANDLE scn, void *status) override;
    void clbkPostCreation() override;
    void clbkPreStep(double simt, double simdt, double mjd) override;
    void clbkPostStep(double simt, double simdt, double mjd) override;
    void clbkMFDMode(int mfd, int mode) override;
    int clbkConsumeDirectKey(char *kstate) override;
    int clbkConsumeBufferedKey(DWORD key, bool down, char *kstate) override;
    bool clbkLoadPanel(int id) override;
    bool clbkPanelMouseEvent(int id, int event, int mx, int my) override;
    bool clbkPanelRedrawEvent(int id, int event, SURFHANDLE surf) override;

    // The physical set-up: masses, shape, the tank and the one engine.
    void ApplyVesselSetup();

    CommandComposer composer;
    Terminal terminal;

    PROPELLANT_HANDLE propellant;
    THRUSTER_HANDLE thruster;
    THGROUP_HANDLE mainGroup;
    double emptyMass;
    double fuelMass;
    double maxFuelMass;
    double massSyncTimer;
    int configuration;
    int subConfiguration;
    VESSEL *host;
    int hostMode;
    double hostValueA;
    double hostValueB;
    double relayAngle;
    ATTACHMENTHANDLE ownAttachment;
    VECTOR3 axisZ;
    VECTOR3 axisX;
    double keyStep;
    Quaternion pointing;
    bool targetVisible;
    double attachTimer;
    double lightTime;
    double transmissionEstimate;
    SHIPprg *hostProgram;
    int startupCount;
    bool restartRequested;
    bool linking;

private:
    // The per-step driver's parts.
    bool RunStartupSequence();
    void RunAttachCycle(double simdt);
    void CopyHostMassAndEngine(double simdt);
    void ApplyPointing();
    void UpdateAxes();
    void UpdateSignalTime();
    void UpdateVisibility();
    void PassFrameSlots(double simdt, double mjd);
    // Says once on the debug line that something the driver needs is missing.
    void ReportMissing(int what, const char *text);

    VECTOR3 earthInHostFrame;  // Earth's position in the host's frame, from the signal time
    bool earthKnown;
    int missingReported;       // bit set of what was reported missing
};

#endif  // OKUL_MODULE_OKULVESSEL_H
