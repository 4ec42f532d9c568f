#include "OkulVessel.h"
#include "InterfaceConstants.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "FrameReception.h"
#include "HostSpacecraft.h"
#include "PanelFields.h"
#include "PhotoCapture.h"
#include "VectorMath.h"

namespace {

const char kHostInterplanetary[] = "TAVR-12";
const char kHostLaunchStack[] = "U5-Q4";

const double kReferencePressure = 101400.0;

enum MissingItem { kMissingHost = 1, kMissingEarth = 2, kMissingRelay = 4 };

// The first n characters of a and b equal, letters compared without case.
bool SameStartIgnoringCase(const char *a, const char *b, size_t n) {
    for (size_t i = 0; i < n; ++i) {
        unsigned char ca = static_cast<unsigned char>(a[i]), cb = static_cast<unsigned char>(b[i]);
        if (std::toupper(ca) != std::toupper(cb)) return false;
        if (ca == '\0') return true;
    }
    return true;
}

void SetDebugLine(const char *text) { std::snprintf(oapiDebugString(), 256, "%s", text); }

}  // namespace

OkulVessel::OkulVessel(OBJHANDLE hVessel, int flightModel)
    : VESSEL2(hVessel, flightModel),
      composer(),
      terminal(this),
      propellant(nullptr),
      thruster(nullptr),
      mainGroup(nullptr),
      emptyMass(100.0),
      fuelMass(50.0),
      maxFuelMass(100.0),
      massSyncTimer(0.0),
      configuration(0),
      subConfiguration(0),
      host(nullptr),
      hostMode(-1),
      hostValueA(0.0),
      hostValueB(0.0),
      relayAngle(90.0 * kRad),
      ownAttachment(nullptr),
      axisZ(_V(0, 0, 1)),
      axisX(_V(1, 0, 0)),
      keyStep(0.0),
      pointing(0.0, _V(1, 1, 1)),
      targetVisible(false),
      attachTimer(kAttachIdle),
      lightTime(0.0),
      transmissionEstimate(0.0),
      hostProgram(nullptr),
      startupCount(0),
      restartRequested(true),
      linking(true),
      earthInHostFrame(_V(0, 0, 0)),
      earthKnown(false),
      missingReported(0) {}

OkulVessel::~OkulVessel() = default;

// ---------------------------------------------------------------------------
// Physical set-up and scenario state

void OkulVessel::clbkSetClassCaps(FILEHANDLE cfg) {
    // The set-up itself waits for the host's masses (see CopyHostMassAndEngine).
    propellant = nullptr;
}

void OkulVessel::ApplyVesselSetup() {
    SetEmptyMass(emptyMass);
    SetSize(10.0);
    SetCW(0.09, 0.09, 2.0, 1.4);
    SetCrossSections(_V(1.0, 1.0, 1.0));
    SetTouchdownPoints(_V(-1.0, 0, 0), _V(0.7, 0.7, 0), _V(0.7, -0.7, 0));
    SetSurfaceFrictionCoeff(2.0, 2.0);
    SetPMI(_V(1.0, 1.0, 1.0));
    SetCameraOffset(_V(0, 0, 0));
    if (!propellant) propellant = CreatePropellantResource(maxFuelMass, -1.0, 1.0);
    SetDefaultPropellantResource(propellant);
    if (!GetThrusterGroupHandle(THGROUP_MAIN)) {
        thruster = CreateThruster(_V(0, 0, 0), _V(0, 0, 1), 0.001, propellant, 1.0, 0.0, kReferencePressure);
        mainGroup = CreateThrusterGroup(&thruster, 1, THGROUP_MAIN);
        SetThrusterGroupLevel(mainGroup, 0.0);
    }
}

void OkulVessel::clbkLoadStateEx(FILEHANDLE scn, void *status) {
    static const char kConfigurationKey[] = "CONFIGURATION_T12";
    static const char kSubConfigurationKey[] = "SUB_CONFIGURA_T12";
    const size_t keyLength = sizeof kConfigurationKey - 1;  // 17
    char *line;
    while (oapiReadScenario_nextline(scn, line)) {
        if (SameStartIgnoringCase(line, kConfigurationKey, keyLength)) {
            // The number is read from the 18th character on; a line that is
            // too short or not a number leaves the field unchanged.
            if (std::strlen(line) > keyLength) std::sscanf(line + keyLength, "%d", &configuration);
        } else if (SameStartIgnoringCase(line, kSubConfigurationKey, keyLength)) {
            if (std::strlen(line) > keyLength) std::sscanf(line + keyLength, "%d", &subConfiguration);
        } else {
            ParseScenarioLineEx(line, status);
        }
    }
}

void OkulVessel::clbkSaveState(FILEHANDLE scn) {
    VESSEL2::clbkSaveState(scn);
    char configurationKey[] = "CONFIGURATION_T12";
    char subConfigurationKey[] = "SUB_CONFIGURA_T12";
    oapiWriteScenario_int(scn, configurationKey, configuration);
    oapiWriteScenario_int(scn, subConfigurationKey, subConfiguration);
}

void OkulVessel::clbkPostCreation() {}

void OkulVessel::clbkPostStep(double simt, double simdt, double mjd) {}

// ---------------------------------------------------------------------------
// The per-step driver

void OkulVessel::ReportMissing(int what, const char *text) {
    if (missingReported & what) return;
    missingReported |= what;
    SetDebugLine(text);
}

bool OkulVessel::RunStartupSequence() {
    if (restartRequested) {
        startupCount = 0;
        restartRequested = false;
        linking = true;
        SetDebugLine("ZERO");
    }
    if (startupCount < 10) {
        ++startupCount;
        SetDebugLine("first");
        return true;
    }
    if (startupCount < 20) {
        char hostName[16];
        std::snprintf(hostName, sizeof hostName, "%s",
                      configuration != 0 ? kHostInterplanetary : kHostLaunchStack);
        OBJHANDLE hostHandle = oapiGetVesselByName(hostName);
        host = hostHandle ? oapiGetVesselInterface(hostHandle) : nullptr;
        hostProgram = host ? HostProgramOf(host) : nullptr;
        ownAttachment = GetAttachmentHandle(true, 0);
        massSyncTimer = 0.0;
        ++startupCount;
        SetDebugLine("loading");
        return true;
    }
    if (startupCount < 30) {
        ++startupCount;
        SetDebugLine("end");
        hostMode = -1;
        return true;
    }
    linking = false;
    return false;
}

void OkulVessel::RunAttachCycle(double simdt) {
    ATTACHMENTHANDLE hostPoint =
        host ? host->GetAttachmentHandle(false, configuration == 0 ? 1 : 0) : nullptr;
    if (attachTimer > kAttachRequested) {
        if (host) host->DetachChild(hostPoint, 0.0);
        attachTimer = 1.0;
    }
    if (attachTimer > 0.0) {
        if (host) {
            // Free for a moment: follow the host's reference body and
            // landed status, keeping our own position, velocity and attitude.
            VESSELSTATUS hostStatus, ownStatus;
            host->GetStatus(hostStatus);
            GetStatus(ownStatus);
            ownStatus.rbody = hostStatus.rbody;
            ownStatus.status = hostStatus.status;
            if (hostStatus.status == 1) ownStatus.vdata[0] = hostStatus.vdata[0];
            DefSetState(&ownStatus);
        }
        attachTimer -= simdt;
    }
    if (attachTimer <= 0.0 && attachTimer > kAttachCounting) {
        if (host) host->AttachChild(GetHandle(), hostPoint, ownAttachment);
        attachTimer = kAttachIdle;
    }
}

void OkulVessel::CopyHostMassAndEngine(double simdt) {
    if (massSyncTimer > 1.0) {
        emptyMass = host->GetEmptyMass();
        fuelMass = host->GetFuelMass();
        maxFuelMass = host->GetMaxFuelMass();
        ApplyVesselSetup();
        SetPropellantMaxMass(propellant, maxFuelMass);
        SetPropellantMass(propellant, fuelMass);
        THGROUP_HANDLE hostMain = host->GetThrusterGroupHandle(THGROUP_MAIN);
        if (hostMain) {
            DWORD count = host->GetGroupThrusterCount(hostMain);
            THRUSTER_HANDLE first = host->GetGroupThruster(hostMain, 0);
            SetThrusterMax0(thruster, host->GetThrusterMax0(first) * count);
            SetThrusterIsp(thruster, host->GetThrusterIsp0(first), 0.0, kReferencePressure);
            DelThrusterGroup(mainGroup, THGROUP_MAIN, false);
            mainGroup = CreateThrusterGroup(&thruster, 1, THGROUP_MAIN);
            SetThrusterGroupLevel(mainGroup, 0.0);
        } else {
            SetThrusterMax0(thruster, 0.001);
            SetThrusterIsp(thruster, 1.0, 0.0, kReferencePressure);
        }
        massSyncTimer = 0.0;
    } else {
        massSyncTimer += simdt;
    }
}

void OkulVessel::ApplyPointing() {
    if (!ownAttachment) return;
    MATRIX3 m = pointing.ToMatrix();
    VECTOR3 direction, reference;
    MatrixTimesVector(_V(0, 0, 1), m, direction);
    MatrixTimesVector(_V(1, 0, 0), m, reference);
    SetAttachmentParams(ownAttachment, _V(0, 0, 0), direction, reference);
}

void OkulVessel::UpdateAxes() {
    // The local points (0,0,1) and (1,0,0) taken to global coordinates, less
    // the global position: the rotation alone, which keeps full precision
    // where a difference of two points some 1e11 m from the origin would not.
    GlobalRot(_V(0, 0, 1), axisZ);
    GlobalRot(_V(1, 0, 0), axisX);
}

void OkulVessel::UpdateSignalTime() {
    char earthName[] = "Earth";
    OBJHANDLE earth = oapiGetGbodyByName(earthName);
    if (!earth) {
        ReportMissing(kMissingEarth, "OKUL: no body \"Earth\"; signal time not computed");
        return;
    }
    missingReported &= ~kMissingEarth;
    VECTOR3 earthGlobal;
    oapiGetGlobalPos(earth, &earthGlobal);
    host->Global2Local(earthGlobal, earthInHostFrame);
    earthKnown = true;
    lightTime = length(earthInHostFrame) * 3.3333333333333334e-9;
}

void OkulVessel::UpdateVisibility() {
    if (configuration == 0) {
        targetVisible = true;
        return;
    }
    if (configuration != 1) return;
    switch (hostMode) {
        case -1:
        case 2:
        case 3:
        case 4:
        case 6:
            targetVisible = false;
            break;
        case 0:
        case 7:
        case 8: {
            if (!earthKnown) break;
            const VECTOR3 &v = earthInHostFrame;
            double r = length(v);
            double offAxis = std::asin(std::sqrt(v.x * v.x + v.z * v.z) / r);
            targetVisible = offAxis <= 10.0 * kRad && v.y >= 0.0;
            break;
        }
        case 5: {
            if (!host) break;
            char relayName[] = "K12 Orbiter";
            OBJHANDLE relay = oapiGetVesselByName(relayName);
            if (!relay) {
                ReportMissing(kMissingRelay, "OKUL: no vessel \"K12 Orbiter\"; relay test skipped");
                break;
            }
            missingReported &= ~kMissingRelay;
            VECTOR3 relayGlobal, w;
            oapiGetGlobalPos(relay, &relayGlobal);
            host->Global2Local(relayGlobal, w);
            double angle = std::asin(std::sqrt(w.x * w.x + w.y * w.y) / length(w));
            if (angle > 60.0 * kRad || w.z < 0.0) {
                targetVisible = false;
            } else {
                relayAngle = angle;
                targetVisible = true;
            }
            break;
        }
        case 9:
            targetVisible = true;
            break;
        default:
            break;  // 1 and any other mode keep the last result
    }
}

void OkulVessel::PassFrameSlots(double simdt, double mjd) {
    // Each slot is handed on once per step by the state it has at the start
    // of its turn; a state a handler sets is acted upon in the next step.
    const CameraMount mount = {this, ownAttachment, host};
    bool accelerationCut = false;
    for (int index = 0; index < FrameTable::kSlotCount; ++index) {
        FrameSlot &slot = terminal.frameTable.slots[index];
        switch (slot.state) {
            case kFrameScheduled:
                CaptureStep1(mount, slot, simdt, mjd, accelerationCut);
                break;
            case kFrameCameraSet:
                CaptureStep2(mount, slot, mjd);
                break;
            case kFramePictureRequested:
                CaptureStep3(mount, slot, index);
                break;
            case kFrameTransmitting:
                if (!TransmitStep(slot, index, simdt, mjd, accelerationCut, relayAngle))
                    terminal.AddFormattedLine("кадр %d не записан: PHOTO\\photo%d.bmp", index, index);
                break;
            case kFrameResend:
                RestartTransmission(slot);
                break;
            default:
                break;  // empty, on board, transmitted: nothing to do
        }
    }
}

void OkulVessel::clbkPreStep(double simt, double simdt, double mjd) {
    if (RunStartupSequence()) return;
    if (!host) {
        char text[64];
        std::snprintf(text, sizeof text, "OKUL: host %s not found",
                      configuration != 0 ? kHostInterplanetary : kHostLaunchStack);
        ReportMissing(kMissingHost, text);
    } else {
        missingReported &= ~kMissingHost;
    }
    RunAttachCycle(simdt);
    if (host) CopyHostMassAndEngine(simdt);
    ApplyPointing();
    UpdateAxes();
    earthKnown = false;
    if (host) UpdateSignalTime();
    relayAngle = 90.0 * kRad;
    UpdateVisibility();
    PassFrameSlots(simdt, mjd);
}
