// PLE on the Earth entry scenario: a spacecraft 18 days before its entry,
// designed in the simulator's gravity to miss the program's target by about
// 310 km. PLE 10 (probe factor 1000, at most nine passes) from the first
// guess of PLE 1, as a user runs it, and PLE 310 (probe factor 1).
#include <benchmark/benchmark.h>

#include "DesignedProbes.h"
#include "PleProgram.h"

namespace {

// The solve of control word `word` from the first guess; the counters are
// those of one run.
void SolveFromFirstGuess(benchmark::State &state, int word) {
    static testsupport::EarthEntryProbe entry;
    if (!entry.vessel()) {
        state.SkipWithError(entry.error().c_str());
        return;
    }
    PleProgram ple(entry.vessel());
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
