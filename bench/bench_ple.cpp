// PLE on the Earth entry scenario: a spacecraft 18 days before its entry,
// designed in the simulator's gravity to miss the program's target by about
// 310 km. PLE 10 (probe factor 1000, at most nine passes) from the first
// guess of PLE 1, as a user runs it, and PLE 310 (probe factor 1).
#include <benchmark/benchmark.h>

#include <string>

#include "EarthEntry.h"
#include "PleProgram.h"
#include "ProbeSimulation.h"

namespace {

// The entry scenario with a probe on the designed start state.
struct EntrySimulation {
    EntrySimulation() : probes(OKUL_ROOT_DIR, "bench_ple") {
        const earth_entry::Design design;
        const earth_entry::Target target = earth_entry::DesignTarget(probes.ephemeris(), design);
        const earth_entry::FreeState start =
            earth_entry::DesignStart(probes.ephemeris(), probes.gravity(), design, target);
        std::string error;
        if (probes.load(earth_entry::ScenarioText(
                            probes.ephemeris(), start, target,
                            {{"PROBE", arrival_design::ProbeSimulation::kProbeClass, ""}}, "PROBE"),
                        "PROBE", error))
            vessel = probes.vessel();
    }
    arrival_design::ProbeSimulation probes;
    VESSEL *vessel = nullptr;
};

// The solve of control word `word` from the first guess; the counters are
// those of one run.
void SolveFromFirstGuess(benchmark::State &state, int word) {
    static EntrySimulation entry;
    if (!entry.vessel) {
        state.SkipWithError("entry scenario did not load");
        return;
    }
    PleProgram ple(entry.vessel);
    ple.Run(-10);
    ple.Run(1);
    const VECTOR3 firstGuess = ple.deltaV;
    double answer = 0.0;
    for (auto _ : state) {
        ple.deltaV = firstGuess;
        answer = ple.Run(word);
        benchmark::DoNotOptimize(answer);
    }
    state.counters["answer"] = answer;
    state.counters["propagations"] = static_cast<double>(ple.propagationCount);
    state.counters["force_evaluations"] = static_cast<double>(ple.forceEvaluationCount);
    state.SetLabel(ple.resultLines[2]);
}

void BM_Ple10(benchmark::State &state) { SolveFromFirstGuess(state, 10); }
void BM_Ple310(benchmark::State &state) { SolveFromFirstGuess(state, 310); }

BENCHMARK(BM_Ple10)->Unit(benchmark::kMillisecond)->Repetitions(10)->ReportAggregatesOnly(true);
BENCHMARK(BM_Ple310)->Unit(benchmark::kMillisecond)->Repetitions(10)->ReportAggregatesOnly(true);

}  // namespace

BENCHMARK_MAIN();
