// PLM 5 on the Mars approach: a spacecraft 20 days out, designed in the
// simulator's gravity to miss the target point by about 330 km.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "MarsApproach.h"
#include "PlmProgram.h"
#include "core/Simulation.h"

namespace fs = std::filesystem;

namespace {

struct ApproachSimulation {
    ApproachSimulation() {
        base = fs::temp_directory_path() / ("bench_plm_" + std::to_string(getpid()));
        fs::create_directories(base / "root/Config/Vessels");
        fs::create_directories(base / "root/Config/Ephemeris");
        fs::create_directories(base / "work/Q4K12techout");
        const fs::path ephemerisFile = base / "root/Config/Ephemeris/de405_1970_1989.bin";
        fs::copy_file(std::string(OKUL_ROOT_DIR) + "/Config/Ephemeris/de405_1970_1989.bin", ephemerisFile);
        std::ofstream(base / "root/Config/Vessels/PlmProbe.cfg") << "ClassName = PlmProbe\nMass = 1000\n";

        sim::SolarSystemEphemeris ephemeris;
        std::string error;
        ephemeris.load(ephemerisFile.string(), error);
        sim::GravityModel gravity(ephemeris);
        mars_approach::Design design;
        design.velocityOffset = _V(0.18, -0.10, 0.14);
        const mars_approach::FreeState start = mars_approach::DesignStart(ephemeris, gravity, design);
        std::ofstream(base / "approach.scn")
            << mars_approach::ScenarioText(ephemeris, start, {{"PROBE", "PlmProbe", ""}}, "PROBE");

        simulation = std::make_unique<sim::Simulation>((base / "root").string(), (base / "work").string());
        loaded = simulation->loadScenario((base / "approach.scn").string(), error);
        char name[] = "PROBE";
        vessel = loaded ? oapiGetVesselInterface(oapiGetVesselByName(name)) : nullptr;
        fs::current_path(base / "work");
    }
    ~ApproachSimulation() {
        simulation.reset();
        fs::current_path(fs::temp_directory_path());
        fs::remove_all(base);
    }
    fs::path base;
    std::unique_ptr<sim::Simulation> simulation;
    VESSEL *vessel = nullptr;
    bool loaded = false;
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
