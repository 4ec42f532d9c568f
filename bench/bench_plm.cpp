// PLM 5 on the Mars approach: a spacecraft 20 days out, designed in the
// simulator's gravity to miss the target point by about 330 km.
#include <benchmark/benchmark.h>

#include "DesignedProbes.h"
#include "PlmProgram.h"

namespace {

void BM_Plm5(benchmark::State &state) {
    static testsupport::MarsApproachProbe approach;
    if (!approach.vessel()) {
        state.SkipWithError(approach.error().c_str());
        return;
    }
    PlmProgram plm(approach.vessel());
    for (auto _ : state) {
        plm.Run(-1);  // back to the starting correction, report emptied
        benchmark::DoNotOptimize(plm.Run(5));
    }
    state.SetLabel(plm.resultLines[2]);
}
BENCHMARK(BM_Plm5)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
