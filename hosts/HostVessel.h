// What the two host spacecraft have in common: a tank and a main engine of
// several thrusters, attitude by mode, a queue of timed commands carried out
// through the SHIPprg interface, a status text and a command log. Tavr12 and
// q4varK_RN differ only in their figures.
#ifndef OKUL_HOSTS_HOSTVESSEL_H
#define OKUL_HOSTS_HOSTVESSEL_H

#include <cstdio>

#include <OrbiterAPI.h>
#include <VesselAPI.h>

#include "HostCommandQueue.h"
#include "SHIPprg.h"

struct HostFigures {
    double emptyMass;          // kg
    double maxPropellantMass;  // kg
    double size;               // m
    VECTOR3 inertia;           // principal moments of inertia per unit mass, m²
    int mainThrusterCount;     // thrusters of the main engine, at most kMaxMainThrusters
    double thrustPerThruster;  // vacuum thrust of one, N
    double isp;                // vacuum specific impulse, m/s
    double nozzleRingRadius;   // m: thrusters sit on a ring at the aft end
    double nozzleZ;            // m
    int defaultMode;           // mode of a vessel whose scenario names none
    // The spacecraft the console commands takes the console over from the
    // vessel that carries it once the console reads this vessel's status.
    bool takesOverConsole;
};

// Command codes the host carries out.
enum HostCommandCode {
    kCommandAxes = 1,       // +z along a, +x along b
    kCommandBurn = 130,     // main engine along +z until the velocity changed by a.y m/s
    kCommandPointZ = 210,   // +z along a
    kCommandSetMode = 500,  // mode = trunc(a.x)
};

class HostVessel : public VESSEL2, public SHIPprg {
public:
    static const int kMaxMainThrusters = 8;

    HostVessel(OBJHANDLE hVessel, int flightModel, const HostFigures &figures);
    ~HostVessel();
    HostVessel(const HostVessel &) = delete;
    HostVessel &operator=(const HostVessel &) = delete;

    void clbkSetClassCaps(FILEHANDLE cfg) override;
    void clbkLoadStateEx(FILEHANDLE scn, void *status) override;
    void clbkSaveState(FILEHANDLE scn) override;
    void clbkPreStep(double simt, double simdt, double mjd) override;
    void clbkPostStep(double simt, double simdt, double mjd) override;

    double ExecuteCommand(int line, int code, double time, VECTOR3 a, VECTOR3 b, VECTOR3 c) override;
    int GetStatusText(int capacity, char *buffer) override;

private:
    void Execute(const HostCommand &command, double mjd);
    void StartBurn(const HostCommand &command, double mjd);
    void PlanBurnStep(double simdt);
    void MeasureBurnStep(double mjd);
    void EndBurn();
    void FollowMode();
    // A console (class OkulVessel) that reads this vessel's status while it
    // hangs on another vessel is moved onto this vessel's point 0.
    void TakeOverConsole(double mjd);
    // Turns the vessel so that its +z and +x axes lie along z and x (global,
    // unit, perpendicular); an attached stack turns with it.
    void SetAxes(const VECTOR3 &z, const VECTOR3 &x);
    // Mass of the whole attached stack this vessel belongs to.
    double StackMass() const;
    void Log(double mjd, const char *format, ...) __attribute__((format(printf, 3, 4)));

    const HostFigures &figures;
    PROPELLANT_HANDLE tank;
    THGROUP_HANDLE mainGroup;
    int mode;
    bool attitudeHold;  // a commanded turn stands until the next mode command
    HostCommandQueue queue;
    double burnRemaining;  // m/s still to give; 0 when the engine is off
    double burnTarget;     // m/s of the running burn
    double burnUsed;       // kg of propellant used by the running burn
    double stepLevel;      // engine level set for the present step
    double stepTankMass;   // tank contents at the start of the present step
    bool relayMissingLogged;
    bool statusRead;  // GetStatusText was asked since the last step
    std::FILE *logFile;
};

// The interface date both host modules were built against, "Apr 25 2006",
// in the simulator's integer form.
int HostInterfaceVersion();

#endif  // OKUL_HOSTS_HOSTVESSEL_H
