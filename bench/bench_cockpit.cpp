// Cost of presentation in the headless frame loop: the console's main panel
// (panel 0: terminal, composer fields, readouts, clocks, status display and
// three MFD screens redrawn every frame) against the bare panel 1, and the
// pictures the runner and the window grab ask for.
//
// Needs the build tree's installation (Config/, Modules/ with K12_OKUL and
// Tavr12): run bin/bench_cockpit after building them.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <memory>
#include <string>

#include "CameraPointing.h"
#include "FileContents.h"
#include "TestInstallation.h"
#include "WorkingFolderScope.h"
#include "cockpit/Cockpit.h"
#include "cockpit/PictureRows.h"
#include "core/Simulation.h"

namespace {

// The Mars approach scenario with the console in focus, so that its panel
// is the one shown, in an installation of the build's classes and modules.
// The benchmark is skipped with the reason when it cannot be loaded.
std::unique_ptr<sim::Simulation> consoleSimulation(benchmark::State &state) {
    static const testsupport::TestInstallation installation(
        testsupport::TestInstallation::FromBuild::kClassesAndModules);
    static const testsupport::WorkingFolderScope workingFolder(installation.work());
    std::string scenario =
        testsupport::ReadFile(std::string(OKUL_SOURCE_DIR) + "/scenarios/mars_approach.scn");
    const std::string focus = "Ship TAVR-12";
    const std::size_t at = scenario.find(focus);
    if (at != std::string::npos) scenario.replace(at, focus.size(), "Ship K12");
    const std::string path = installation.writeScenario("console.scn", scenario);
    auto simulation = std::make_unique<sim::Simulation>(installation.root(), installation.work());
    std::string error;
    if (!simulation->loadScenario(path, error)) {
        state.SkipWithError(error.c_str());
        return nullptr;
    }
    // Past the console's start-up steps and the first simulated second, so
    // that every area has something to draw.
    for (int i = 0; i < 100; ++i) simulation->frame();
    return simulation;
}

void frames(benchmark::State &state, int panel) {
    std::unique_ptr<sim::Simulation> simulation = consoleSimulation(state);
    if (!simulation) return;
    if (simulation->cockpit().showPanel(panel) != panel) {
        state.SkipWithError("the console did not load the panel");
        return;
    }
    for (auto _ : state) simulation->frame();
    state.counters["frames/s"] = benchmark::Counter(double(state.iterations()), benchmark::Counter::kIsRate);
}

// A whole frame of the loop with the main panel shown.
void BM_FrameMainPanel(benchmark::State &state) { frames(state, 0); }
BENCHMARK(BM_FrameMainPanel)->Unit(benchmark::kMicrosecond);

// The same frame with the bare panel: the difference is the presentation.
void BM_FrameBarePanel(benchmark::State &state) { frames(state, 1); }
BENCHMARK(BM_FrameBarePanel)->Unit(benchmark::kMicrosecond);

// The console two Mars radii from the planet's centre on the side of the
// Sun and a little off it, looking at the planet: Mars fills the picture
// with its lit face and a strip of the terminator.
void lookAtMarsFillingTheView(sim::Simulation &simulation) {
    const sim::Body &mars = *simulation.body(sim::BodyId::Mars);
    const sim::Body &sun = *simulation.body(sim::BodyId::Sun);
    const VECTOR3 towardsSun = unit(sun.position() - mars.position());
    const VECTOR3 aside = unit(crossp(towardsSun, _V(0, 1, 0)));
    Vessel *focus = simulation.focus();
    focus->position = mars.position() + unit(towardsSun + aside * 0.8) * (2 * mars.radius());
    focus->rotation = testsupport::lookingAlong(mars.position() - focus->position);
}

void BM_Pictures(benchmark::State &state) {
    std::unique_ptr<sim::Simulation> simulation = consoleSimulation(state);
    if (!simulation) return;
    sim::Cockpit &cockpit = simulation->cockpit();
    if (state.range(0) >= 3) lookAtMarsFillingTheView(*simulation);
    for (auto _ : state) {
        switch (state.range(0)) {
            case 0:
                benchmark::DoNotOptimize(cockpit.panelImage());
                break;
            case 1:
            case 3:
                benchmark::DoNotOptimize(cockpit.viewImage());
                break;
            default:
                benchmark::DoNotOptimize(cockpit.windowImage());
                break;
        }
    }
}
// 0: composed panel, 1: outside view, 2: window (view and panel) as the
// Mars approach shows them; 3: outside view, 4: window with Mars filling the
// view.
BENCHMARK(BM_Pictures)->Arg(0)->Arg(1)->Arg(2)->Arg(3)->Arg(4)->Unit(benchmark::kMillisecond);

// The view with Mars filling it drawn on one thread and on the picture
// threads (one a processor) in turn, each iteration both ways: wall times,
// their ratio, and a check that the two pictures agree to the bit.
void BM_ViewThreads(benchmark::State &state) {
    std::unique_ptr<sim::Simulation> simulation = consoleSimulation(state);
    if (!simulation) return;
    lookAtMarsFillingTheView(*simulation);
    sim::Cockpit &cockpit = simulation->cockpit();
    using Clock = std::chrono::steady_clock;
    double oneThread = 0, threads = 0;
    for (auto _ : state) {
        sim::setPictureThreads(1);
        const Clock::time_point start = Clock::now();
        const sim::Surface alone = cockpit.viewImage();
        const Clock::time_point middle = Clock::now();
        sim::setPictureThreads(0);
        const sim::Surface shared = cockpit.viewImage();
        const Clock::time_point end = Clock::now();
        oneThread += std::chrono::duration<double, std::milli>(middle - start).count();
        threads += std::chrono::duration<double, std::milli>(end - middle).count();
        if (!std::equal(alone.row(0), alone.row(0) + std::size_t(alone.width()) * alone.height(),
                        shared.row(0))) {
            state.SkipWithError("the pictures drawn on one thread and on several differ");
            break;
        }
    }
    const double n = double(state.iterations());
    state.counters["one_thread_ms"] = oneThread / n;
    state.counters["threads_ms"] = threads / n;
    state.counters["threads"] = sim::pictureThreads();
    state.counters["speedup"] = threads > 0 ? oneThread / threads : 0;
}
BENCHMARK(BM_ViewThreads)->Unit(benchmark::kMillisecond)->Iterations(10);

}  // namespace

BENCHMARK_MAIN();
