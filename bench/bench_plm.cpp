// PLM 5 on the Mars approach: a spacecraft 20 days out, designed in the
// simulator's gravity to miss the target point by about 330 km.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "MarsApproach.h"
#include "PlmProgram.h"
#include "ProbeSimulation.h"

namespace fs = std::filesystem;

namespace {

// The approach scenario with a probe on the designed start state.
struct ApproachSimulation {
    ApproachSimulation() : probes(OKUL_ROOT_DIR, "bench_plm") {
        mars_approach::Design design;
        design.velocityOffset = _V(0.18, -0.10, 0.14);
        const mars_approach::FreeState start =
            mars_approach::DesignStart(probes.ephemeris(), probes.gravity(), design);
        std::string error;
        if (probes.load(mars_approach::ScenarioText(
                            probes.ephemeris(), start,
                            {{"PROBE", arrival_design::ProbeSimulation::kProbeClass, ""}}, "PROBE"),
                        "PROBE", error))
            vessel = probes.vessel();
        fs::current_path(probes.workFolder());
    }
    ~ApproachSimulation() { fs::current_path(fs::temp_directory_path()); }
    arrival_design::ProbeSimulation probes;
    VESSEL *vessel = nullptr;
};

void BM_Plm5(benchmark::State &state) {
    static ApproachSimulation approach;
    if (!approach.vessel) {
        state.SkipWithError("approach scenario did not load");
        return;
    }
    PlmProgram plm(approach.vessel);
    for (auto _ : state) {
        plm.Run(-1);  // back to the starting correction, report emptied
        benchmark::DoNotOptimize(plm.Run(5));
    }
    state.SetLabel(plm.resultLines[2]);
}
BENCHMARK(BM_Plm5)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
