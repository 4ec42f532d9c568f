#include "SoakRun.h"

#include <dirent.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <sstream>
#include <stdexcept>
#include <sys/stat.h>
#include <vector>

#include "ScriptRunner.h"
#include "core/Simulation.h"
#include "gdi/SurfaceHandles.h"

namespace soak {

namespace {

const double kSecondsPerDay = 86400.0;
// Waits that take longer than this many frames mean the console stopped
// doing what it is asked: the run fails.
const long kPatienceFrames = 200000;
const int kPhaseCount = 5;
// Phase 2 cycles through this many kinds of action (Soak::action).
const int kActionKinds = 8;
const char *const kPhaseNames[kPhaseCount] = {
    "input (keys, mouse, commands and programs)", "vessels' pre-step (console: capture, reception)",
    "motion (bodies, gravity integration)", "vessels' post-step", "drawing (panel areas, MFDs)"};

struct Resources {
    double residentMb = 0.0;
    sim::GdiCounts gdi{};
    std::vector<std::string> descriptors;
};

double ResidentMb() {
    std::ifstream statm("/proc/self/statm");
    long pages = 0, resident = 0;
    statm >> pages >> resident;
    return resident * double(sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0);
}

// What the process's open file descriptors lead to (the listing's own left out).
std::vector<std::string> OpenDescriptors() {
    std::vector<std::string> targets;
    if (DIR *folder = opendir("/proc/self/fd")) {
        const int own = dirfd(folder);
        while (dirent *entry = readdir(folder)) {
            if (entry->d_name[0] == '.' || std::atoi(entry->d_name) == own) continue;
            char target[512];
            const std::string link = std::string("/proc/self/fd/") + entry->d_name;
            const ssize_t n = readlink(link.c_str(), target, sizeof target - 1);
            targets.push_back(n > 0 ? std::string(target, std::size_t(n)) : link);
        }
        closedir(folder);
    }
    std::sort(targets.begin(), targets.end());
    return targets;
}

Resources Measure() { return Resources{ResidentMb(), sim::liveGdiCounts(), OpenDescriptors()}; }

std::string Describe(const Resources &r) {
    char text[200];
    std::snprintf(text, sizeof text,
                  "resident %.1f MB, surfaces %zu, GDI objects %zu, device contexts %zu, file handles %zu, "
                  "descriptors %zu",
                  r.residentMb, r.gdi.surfaces, r.gdi.objects, r.gdi.contexts, r.gdi.files,
                  r.descriptors.size());
    return text;
}

bool SameHandles(const Resources &a, const Resources &b) {
    return a.gdi.surfaces == b.gdi.surfaces && a.gdi.objects == b.gdi.objects &&
           a.gdi.contexts == b.gdi.contexts && a.gdi.files == b.gdi.files && a.descriptors == b.descriptors;
}

bool FileExists(const std::string &path) {
    struct stat info;
    return stat(path.c_str(), &info) == 0;
}

struct FrameRecord {
    double mjd;
    float phase[kPhaseCount];  // seconds
    int activity;
    float total() const {
        float sum = 0.0f;
        for (float p : phase) sum += p;
        return sum;
    }
};

double Percentile(std::vector<double> values, double share) {
    if (values.empty()) return 0.0;
    std::sort(values.begin(), values.end());
    const std::size_t index = std::min(values.size() - 1, std::size_t(share * double(values.size())));
    return values[index];
}

class Soak {
public:
    Soak(const SoakOptions &options, std::ostream &out)
        : options_(options),
          out_(out),
          simulation_(options.rootDir, options.outDir),
          context_(simulation_, log_, options.outDir, options.outDir) {}

    void run();
    int report();

private:
    // A runner line; a failure ends the run.
    void line(const std::string &text);
    void type(const std::string &command) {
        line("type " + command);
        line("key ENTER");
    }
    // Frames until `done`, keeping the time acceleration at `warp` (the
    // console lowers it around a photograph and a reception) except from
    // `holdFrom` (MJD) on.
    void advance(const std::function<bool()> &done, double warp, double holdFrom = 1e9);
    void cruiseTo(double mjd) {
        advance([&] { return simulation_.mjd() >= mjd; }, options_.cruiseWarp);
    }
    void takePhotograph(int frame);
    void receive(int frame);
    void action(int index);
    std::string photoPath(int frame) const {
        return options_.outDir + "/PHOTO/photo" + std::to_string(frame) + ".bmp";
    }

    const SoakOptions &options_;
    std::ostream &out_;
    std::ostringstream log_;
    sim::Simulation simulation_;
    okulsim::ScriptContext context_;
    std::vector<FrameRecord> frames_;
    std::vector<std::string> activities_{"cruise"};
    int activity_ = 0;
    double startMjd_ = 0.0;
    double wallSeconds_ = 0.0;
    Resources atStart_, cassetteFull_, steady_, atEnd_;
    std::vector<std::pair<double, Resources>> samples_;
    int photographsTaken_ = 0;
};

void Soak::line(const std::string &text) {
    okulsim::ScriptLine parsed;
    std::string error;
    if (!okulsim::parseScriptLine(text, 0, parsed) || !okulsim::runScriptLine(context_, parsed, error))
        throw std::runtime_error("\"" + text + "\": " + error);
}

void Soak::advance(const std::function<bool()> &done, double warp, double holdFrom) {
    for (long waited = 0; !done(); ++waited) {
        if (waited > kPatienceFrames)
            throw std::runtime_error("waited " + std::to_string(kPatienceFrames) + " frames for " +
                                     activities_[activity_] + " at MJD " + std::to_string(simulation_.mjd()));
        if (simulation_.mjd() < holdFrom && simulation_.timeAcceleration() != warp)
            simulation_.setTimeAcceleration(warp);
        if (!context_.frame()) throw std::runtime_error(context_.halted);
    }
}

void Soak::takePhotograph(int frame) {
    activity_ = 1;
    line("warp 1");
    const double due = simulation_.mjd() + 300.0 / kSecondsPerDay;
    char command[64];
    std::snprintf(command, sizeof command, "PHO %.6f", due);
    type(command);
    // The console slows the simulation down for the capture and shows the
    // bare panel while it takes the picture; panel 0 again means the frame is
    // on board.
    advance([&] { return simulation_.mjd() > due && simulation_.cockpit().currentPanel() == 0; }, 100.0,
            due - 60.0 / kSecondsPerDay);
    line("frames 2");
    receive(frame);
    ++photographsTaken_;
}

void Soak::receive(int frame) {
    activity_ = 2;
    std::remove(photoPath(frame).c_str());
    line("warp 1");
    type("CLF");
    type("ADD 0 610;0;" + std::to_string(frame) + ";" + std::to_string(frame));
    line("click 204");
    advance([&] { return FileExists(photoPath(frame)); }, 100.0);
    activity_ = 0;
}

void Soak::action(int index) {
    char command[96];
    const double mjd = simulation_.mjd();
    activity_ = 3;
    line("warp 1");
    switch (index % kActionKinds) {
        case 0:
            type("PSI");
            break;
        case 1:
            type("PLM 0");
            break;
        case 2:
            std::snprintf(command, sizeof command, "PIE %.3f;1;0;0;0;0;0;0.000001;0;1", mjd + 2.0);
            type(command);
            break;
        case 3:
            type("PLE 0");
            break;
        case 4:
            // An attitude command for the host, sent with the transmission button.
            type("CLF");
            type("ADD 0 210;0;0;1;0");
            type("ADD 1 620;0");
            line("click 204");
            break;
        case 5:
            line("panel 2");
            line("frames 20");
            line("panel 0");
            type("LST");
            break;
        case 6:
            // A frame already received, sent again.
            if (photographsTaken_ > 0) receive(index % photographsTaken_);
            break;
        default:
            type("HLP");
            type("CLS");
            break;
    }
    activity_ = 0;
}

void Soak::run() {
    std::string error;
    const std::string scenario = options_.rootDir + "/Scenarios/" + options_.scenario;
    if (!simulation_.loadScenario(scenario, error)) throw std::runtime_error(error);
    activities_ = {"cruise", "photograph", "reception", "terminal command"};
    context_.afterFrame = [this] {
        const sim::Simulation::FrameTimes &t = simulation_.lastFrameTimes();
        frames_.push_back(FrameRecord{
            simulation_.mjd(),
            {float(t.input), float(t.preStep), float(t.motion), float(t.postStep), float(t.drawing)},
            activity_});
    };
    const auto start = std::chrono::steady_clock::now();
    startMjd_ = simulation_.mjd();
    line("frame " + std::to_string(options_.frameSeconds));
    line("frames 40");  // the console links to its host
    line("click 51");   // and takes the keyboard
    atStart_ = Measure();

    for (int k = 0; k < options_.photographs; ++k) {
        takePhotograph(k);
        cruiseTo(startMjd_ + 2.0 * (k + 1));
    }
    cassetteFull_ = Measure();
    samples_.emplace_back(simulation_.mjd(), cassetteFull_);

    const double end = startMjd_ + options_.days;
    double nextSample = simulation_.mjd() + 30.0;
    steady_ = cassetteFull_;
    for (int index = 0; simulation_.mjd() < end; ++index) {
        action(index);
        cruiseTo(std::min(end, simulation_.mjd() + options_.actionDays));
        // Every kind of action has run once: what is open now (the host's
        // log, the fonts) stays open; from here on nothing may grow.
        if (index + 1 == kActionKinds) {
            steady_ = Measure();
            samples_.emplace_back(simulation_.mjd(), steady_);
        }
        if (simulation_.mjd() >= nextSample) {
            samples_.emplace_back(simulation_.mjd(), Measure());
            nextSample += 30.0;
        }
    }
    atEnd_ = Measure();
    wallSeconds_ = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    simulation_.shutdown();
}

int Soak::report() {
    char text[400];
    std::snprintf(
        text, sizeof text,
        "soak: %.1f simulated days from MJD %.1f (%s) in %zu frames, %.1f s; %d photographs taken and "
        "received, one action every %.1f days after them\n",
        simulation_.mjd() - startMjd_, startMjd_, options_.scenario.c_str(), frames_.size(), wallSeconds_,
        photographsTaken_, options_.actionDays);
    out_ << text;
    out_ << "  start:          " << Describe(atStart_) << "\n";
    out_ << "  cassette full:  " << Describe(cassetteFull_) << "\n";
    out_ << "  (from here on, after one round of every action, nothing may grow)\n";
    for (const auto &sample : samples_) {
        std::snprintf(text, sizeof text, "  day %5.1f:      ", sample.first - startMjd_);
        out_ << text << Describe(sample.second) << "\n";
    }
    out_ << "  end:            " << Describe(atEnd_) << "\n";

    // Frame times: all frames, then by phase and by what the run was doing.
    std::vector<double> totals;
    std::vector<double> phases[kPhaseCount];
    double phaseSums[kPhaseCount] = {};
    double sum = 0.0;
    for (const FrameRecord &f : frames_) {
        totals.push_back(f.total() * 1000.0);
        sum += f.total();
        for (int p = 0; p < kPhaseCount; ++p) {
            phases[p].push_back(f.phase[p] * 1000.0);
            phaseSums[p] += f.phase[p];
        }
    }
    auto percentiles = [&](const std::vector<double> &v) {
        char row[160];
        std::snprintf(row, sizeof row, "p50 %7.3f  p90 %7.3f  p99 %7.3f  p99.9 %8.3f  max %8.3f",
                      Percentile(v, 0.5), Percentile(v, 0.9), Percentile(v, 0.99), Percentile(v, 0.999),
                      v.empty() ? 0.0 : *std::max_element(v.begin(), v.end()));
        return std::string(row);
    };
    out_ << "frame time, ms (" << frames_.size() << " frames, " << sum << " s in frames):\n";
    out_ << "  all frames        " << percentiles(totals) << "\n";
    for (int p = 0; p < kPhaseCount; ++p) {
        std::snprintf(text, sizeof text, "  %5.1f%% %s\n         ",
                      sum > 0 ? 100.0 * phaseSums[p] / sum : 0.0, kPhaseNames[p]);
        out_ << text << "          " << percentiles(phases[p]) << "\n";
    }
    for (std::size_t a = 0; a < activities_.size(); ++a) {
        std::vector<double> v;
        double time = 0.0;
        for (const FrameRecord &f : frames_)
            if (f.activity == int(a)) {
                v.push_back(f.total() * 1000.0);
                time += f.total();
            }
        std::snprintf(text, sizeof text,
                      "  while %-17s %7zu frames, %5.1f%% of the time: ", activities_[a].c_str(), v.size(),
                      sum > 0 ? 100.0 * time / sum : 0.0);
        out_ << text << percentiles(v) << "\n";
    }
    std::vector<const FrameRecord *> slowest;
    for (const FrameRecord &f : frames_) slowest.push_back(&f);
    const std::size_t shown = std::min<std::size_t>(8, slowest.size());
    std::partial_sort(slowest.begin(), slowest.begin() + shown, slowest.end(),
                      [](const FrameRecord *a, const FrameRecord *b) { return a->total() > b->total(); });
    out_ << "slowest frames:\n";
    for (std::size_t i = 0; i < shown; ++i) {
        const FrameRecord &f = *slowest[i];
        const int dominant = int(std::max_element(f.phase, f.phase + kPhaseCount) - f.phase);
        std::snprintf(text, sizeof text, "  MJD %.5f  %8.3f ms  %s, mostly %s\n", f.mjd, f.total() * 1000.0,
                      activities_[f.activity].c_str(), kPhaseNames[dominant]);
        out_ << text;
    }

    std::ofstream csv(options_.outDir + "/soak_frames.csv");
    csv << "mjd,activity,input_ms,prestep_ms,motion_ms,poststep_ms,drawing_ms\n";
    for (const FrameRecord &f : frames_) {
        csv << std::fixed;
        csv.precision(6);
        csv << f.mjd << "," << activities_[f.activity];
        csv.precision(4);
        for (float p : f.phase) csv << "," << p * 1000.0;
        csv << "\n";
    }

    bool steady = true;
    if (!SameHandles(steady_, atEnd_)) {
        out_ << "FAILED: surfaces, objects, contexts, file handles or descriptors grew after one round of "
                "every "
                "action\n";
        for (const std::string &d : atEnd_.descriptors)
            if (std::find(steady_.descriptors.begin(), steady_.descriptors.end(), d) ==
                steady_.descriptors.end())
                out_ << "  newly open: " << d << "\n";
        steady = false;
    }
    const double growth = atEnd_.residentMb - steady_.residentMb;
    if (growth > options_.allowedGrowthMb) {
        std::snprintf(text, sizeof text, "FAILED: resident memory grew by %.1f MB (allowed %.1f MB)\n",
                      growth, options_.allowedGrowthMb);
        out_ << text;
        steady = false;
    }
    if (steady) {
        std::snprintf(
            text, sizeof text,
            "steady: no handle left behind; resident memory %+.1f MB from the first round of actions to "
            "the end\n",
            growth);
        out_ << text;
    }
    return steady ? 0 : 1;
}

}  // namespace

int runSoak(const SoakOptions &options, std::ostream &out, std::ostream &err) {
    okulsim::registerAllCommands();
    for (const std::string &folder :
         {options.outDir, options.outDir + "/PHOTO", options.outDir + "/Q4K12techout"})
        mkdir(folder.c_str(), 0755);
    if (chdir(options.outDir.c_str()) != 0) {
        err << "okul_soak: cannot enter the working folder " << options.outDir << "\n";
        return 1;
    }
    try {
        Soak soak(options, out);
        soak.run();
        return soak.report();
    } catch (const std::exception &e) {
        err << "okul_soak: " << e.what() << "\n";
        return 1;
    }
}

}  // namespace soak
