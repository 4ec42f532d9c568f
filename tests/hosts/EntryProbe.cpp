// A vessel module that counts how often the simulator calls its entry
// points; the test reads the counts through EntryProbeCounts.
#include <new>

#include <OrbiterAPI.h>
#include <VesselAPI.h>

namespace {

enum { kInit, kExit, kCreate, kDestroy, kVersion, kCountersSize };
int counters[kCountersSize];

class EntryProbe final : public VESSEL2 {
public:
    using VESSEL2::VESSEL2;
    void clbkLoadStateEx(FILEHANDLE scn, void *status) override {
        char *line;
        while (oapiReadScenario_nextline(scn, line)) ParseScenarioLineEx(line, status);
    }
};

}  // namespace

DLLCLBK void InitModule(HINSTANCE hModule) { ++counters[kInit]; }

DLLCLBK void ExitModule(HINSTANCE hModule) { ++counters[kExit]; }

DLLCLBK VESSEL *ovcInit(OBJHANDLE hvessel, int flightmodel) {
    ++counters[kCreate];
    return new (std::nothrow) EntryProbe(hvessel, flightmodel);
}

DLLCLBK void ovcExit(VESSEL *vessel) {
    ++counters[kDestroy];
    delete static_cast<EntryProbe *>(vessel);
}

DLLCLBK int GetModuleVersion(void) {
    ++counters[kVersion];
    return 60425;
}

// InitModule, ExitModule, ovcInit, ovcExit, GetModuleVersion.
DLLCLBK const int *EntryProbeCounts() { return counters; }
