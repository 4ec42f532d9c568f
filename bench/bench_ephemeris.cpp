// Cost of one body state from the DE405 slice and of one body module answer.
// Run from the build tree: bin/bench_ephemeris (reads the installed slice).
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

#include "bodies/BodyEphemerisModule.h"
#include "bodies/SolarSystemEphemeris.h"

namespace {

const sim::SolarSystemEphemeris &ephemeris() {
    static sim::SolarSystemEphemeris eph;
    static bool loaded = [] {
        std::string error;
        const bool ok = eph.load(std::string(OKUL_ROOT_DIR) + "/Config/Ephemeris/de405_1970_1989.bin", error);
        if (!ok) std::fprintf(stderr, "%s\n", error.c_str());
        return ok;
    }();
    (void)loaded;
    return eph;
}

void BM_BodyState(benchmark::State &state) {
    const sim::BodyId body = sim::BodyId(state.range(0));
    const sim::SolarSystemEphemeris &eph = ephemeris();
    double mjd = 43644.0;
    VECTOR3 pos, vel;
    for (auto _ : state) {
        eph.state(body, mjd, pos, vel);
        benchmark::DoNotOptimize(pos);
        benchmark::DoNotOptimize(vel);
        mjd += 0.01;
        if (mjd > 47000.0) mjd = 43644.0;
    }
    state.SetLabel(sim::bodyConstants(body).name);
}
BENCHMARK(BM_BodyState)->DenseRange(0, sim::kBodyCount - 1);

void BM_ModuleEphemeris(benchmark::State &state) {
    sim::BodyEphemerisModulePtr earth = sim::makeBodyEphemerisModule(sim::BodyId::Earth, ephemeris());
    double ret[12];
    double mjd = 43644.0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(earth->clbkEphemeris(mjd, EPHEM_TRUEPOS | EPHEM_TRUEVEL, ret));
        benchmark::ClobberMemory();
        mjd += 0.01;
        if (mjd > 47000.0) mjd = 43644.0;
    }
}
BENCHMARK(BM_ModuleEphemeris);

}  // namespace

BENCHMARK_MAIN();
