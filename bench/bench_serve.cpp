// Cost of the live console on its simulation thread, per frame of its
// loop, with and without a page: the frame, and with a page the state
// published every third frame and, for whole pictures, the window picture
// rendered for each published state (what the page asks for next), for
// changes, what changed taken for the changes worker (which finds the
// changed tiles on its own thread); and the work a request thread does per
// picture (the PNG encoding) and per state.
//
// Needs the build tree's installation (Config/, Modules/, Scenarios/):
// run bin/bench_serve after building them.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "LiveConsole.h"
#include "TestInstallation.h"
#include "WorkingFolderScope.h"
#include "gdi/PngWriter.h"

namespace {

struct LiveSetup {
    explicit LiveSetup(okulsim::LiveConsole::Options options = {}) : workingFolder(installation.work()) {
        simulation = std::make_unique<sim::Simulation>(installation.root(), installation.work());
        if (!simulation->loadScenario(std::string(OKUL_ROOT_DIR) + "/Scenarios/mars_approach.scn", error)) {
            simulation.reset();
            return;
        }
        console = std::make_unique<okulsim::LiveConsole>(*simulation, events, broadcast, options);
        // Past the console's start-up, so that every area has something to draw.
        for (int i = 0; i < 100; ++i) console->step(0.02);
    }
    ~LiveSetup() {
        if (simulation) simulation->shutdown();
    }
    testsupport::TestInstallation installation{testsupport::TestInstallation::FromBuild::kClassesAndModules};
    testsupport::WorkingFolderScope workingFolder;
    std::string error;
    std::unique_ptr<sim::Simulation> simulation;
    okulsim::ConsoleEvents events;
    okulsim::StateBroadcast broadcast;
    std::unique_ptr<okulsim::LiveConsole> console;
};

// 0: no page; 1: a page listening and fetching a whole picture for every
// state; 2: a page getting the changes; 3: the changes, a state every frame.
void BM_LiveFrame(benchmark::State &state) {
    okulsim::LiveConsole::Options options;
    options.pictures = state.range(0) == 1 ? okulsim::PictureStream::Whole : okulsim::PictureStream::Changes;
    if (state.range(0) == 3) options.publishEvery = 1;
    LiveSetup live(options);
    if (!live.simulation) {
        state.SkipWithError(live.error.c_str());
        return;
    }
    std::unique_ptr<okulsim::StateBroadcast::Listener> page;
    if (state.range(0) >= 1) page = std::make_unique<okulsim::StateBroadcast::Listener>(live.broadcast);
    long pictures = 0;
    for (auto _ : state) {
        if (live.console->step(0.02) && page && state.range(0) == 1) {
            okulsim::PictureJob job = live.console->pictureJob(okulsim::PictureKind::Window);
            benchmark::DoNotOptimize(job.layers);
            ++pictures;
        }
    }
    state.counters["pictures/frame"] = double(pictures) / double(state.iterations());
    // The simulation thread's processor time a state to take what changed,
    // and the changes worker's to find the changed tiles.
    const std::string stats = live.console->statsJson();
    auto meanAfter = [&stats](const char *key) {
        const std::size_t at = stats.find(key);
        const std::size_t mean = stats.find("\"meanCpuMs\":", at);
        return at != std::string::npos && mean != std::string::npos ? std::stod(stats.substr(mean + 12))
                                                                    : 0.0;
    };
    state.counters["changes ms/state"] = meanAfter("\"changeUpdates\"");
    state.counters["worker ms/state"] = meanAfter("\"worker\"");
}
BENCHMARK(BM_LiveFrame)->Arg(0)->Arg(1)->Arg(2)->Arg(3)->Unit(benchmark::kMicrosecond);

// The outside view drawn once (both ways of sending pictures draw it for
// every picture or state).
void BM_RenderView(benchmark::State &state) {
    LiveSetup live;
    if (!live.simulation) {
        state.SkipWithError(live.error.c_str());
        return;
    }
    for (auto _ : state) benchmark::DoNotOptimize(live.simulation->cockpit().renderView().pixels());
}
BENCHMARK(BM_RenderView)->Unit(benchmark::kMicrosecond);

// A request thread's work for one picture of the window: the layers put
// together, the PNG encoded.
void BM_WindowPng(benchmark::State &state) {
    LiveSetup live;
    if (!live.simulation) {
        state.SkipWithError(live.error.c_str());
        return;
    }
    const sim::Cockpit::WindowLayers layers = live.simulation->cockpit().windowLayers();
    std::vector<unsigned char> png;
    std::string error;
    for (auto _ : state)
        sim::encodePng(sim::Cockpit::composeWindow(layers), sim::PngCompression::Fast, png, error);
    state.counters["bytes"] = double(png.size());
}
BENCHMARK(BM_WindowPng)->Unit(benchmark::kMillisecond);

// The state the event stream sends, as the simulation thread writes it.
void BM_StateJson(benchmark::State &state) {
    LiveSetup live;
    if (!live.simulation) {
        state.SkipWithError(live.error.c_str());
        return;
    }
    std::size_t size = 0;
    for (auto _ : state) size = live.console->stateJson().size();
    state.counters["bytes"] = double(size);
}
BENCHMARK(BM_StateJson)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
