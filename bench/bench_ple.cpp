// PLE on the Earth entry scenario: a spacecraft 18 days before its entry,
// designed in the simulator's gravity to miss the program's target by about
// 310 km. PLE 10 (probe factor 1000, at most nine passes) from the first
// guess of PLE 1, as a user runs it, and PLE 310 (probe factor 1).
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "EarthEntry.h"
#include "PleProgram.h"
#include "core/Simulation.h"

namespace fs = std::filesystem;

namespace {

struct EntrySimulation {
    EntrySimulation() {
        base = fs::temp_directory_path() / ("bench_ple_" + std::to_string(getpid()));
        fs::create_directories(base / "root/Config/Vessels");
        fs::create_directories(base / "root/Config/Ephemeris");
        fs::create_directories(base / "work");
        const fs::path ephemerisFile = base / "root/Config/Ephemeris/de405_1970_1989.bin";
        fs::copy_file(std::string(OKUL_ROOT_DIR) + "/Config/Ephemeris/de405_1970_1989.bin", ephemerisFile);
        std::ofstream(base / "root/Config/Vessels/PleProbe.cfg") << "ClassName = PleProbe\nMass = 1000\n";

        sim::SolarSystemEphemeris ephemeris;
        std::string error;
        ephemeris.load(ephemerisFile.string(), error);
        sim::GravityModel gravity(ephemeris);
        const earth_entry::Design design;
        const earth_entry::Target target = earth_entry::DesignTarget(ephemeris, design);
        const earth_entry::FreeState start = earth_entry::DesignStart(ephemeris, gravity, design, target);
        std::ofstream(base / "entry.scn")
            << earth_entry::ScenarioText(ephemeris, start, target, {{"PROBE", "PleProbe", ""}}, "PROBE");

        simulation = std::make_unique<sim::Simulation>((base / "root").string(), (base / "work").string());
        loaded = simulation->loadScenario((base / "entry.scn").string(), error);
        char name[] = "PROBE";
        vessel = loaded ? oapiGetVesselInterface(oapiGetVesselByName(name)) : nullptr;
    }
    ~EntrySimulation() {
        simulation.reset();
        fs::remove_all(base);
    }
    fs::path base;
    std::unique_ptr<sim::Simulation> simulation;
    VESSEL *vessel = nullptr;
    bool loaded = false;
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
