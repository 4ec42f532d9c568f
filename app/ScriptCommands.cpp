#include "ScriptCommands.h"

#include "CockpitControls.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

#include "gdi/BmpDecoder.h"
#include "gdi/Cp1251.h"

#include <cstdio>

namespace okulsim {

namespace {

std::vector<ScriptCommand> &registry() {
    static std::vector<ScriptCommand> list;
    return list;
}

// A progress bar on standard error while a long run goes on; only on a terminal.
class ProgressBar {
public:
    ProgressBar(bool enabled, double total) : enabled_(enabled && total > 0), total_(total) {}
    void update(double done) {
        if (!enabled_) return;
        int percent = static_cast<int>(100.0 * done / total_);
        if (percent == shown_) return;
        shown_ = percent;
        int filled = percent / 2;
        std::fprintf(stderr, "\r[%-50.*s] %3d%%", filled,
                     "##################################################", percent);
        std::fflush(stderr);
    }
    ~ProgressBar() {
        if (enabled_ && shown_ >= 0) std::fprintf(stderr, "\r%60s\r", "");
    }

private:
    bool enabled_;
    double total_;
    int shown_ = -1;
};

const double kShortestFrame = 0.001;  // s
const double kLongestFrame = 100.0;   // s

bool needArgs(const std::vector<std::string> &args, size_t n, const char *usage, std::string &error) {
    if (args.size() == n) return true;
    error = std::string("usage: ") + usage;
    return false;
}

bool cmdFrame(ScriptContext &c, const std::vector<std::string> &args, std::string &error) {
    double seconds;
    if (!needArgs(args, 1, "frame SECONDS", error) || !parseNumber(args[0], seconds, error)) return false;
    // Real frames last from a millisecond to a minute or so; outside that a
    // script would stall on frames too short or skip whole orbits in one.
    if (!(seconds >= kShortestFrame && seconds <= kLongestFrame)) {
        error = "the frame length must lie between 0.001 and 100 s";
        return false;
    }
    c.simulation.setFrameLength(seconds);
    return true;
}

bool cmdWarp(ScriptContext &c, const std::vector<std::string> &args, std::string &error) {
    double warp;
    if (!needArgs(args, 1, "warp FACTOR", error) || !parseNumber(args[0], warp, error) ||
        !checkTimeAcceleration(warp, error))
        return false;
    c.simulation.setTimeAcceleration(warp);
    return true;
}

bool cmdRun(ScriptContext &c, const std::vector<std::string> &args, std::string &error) {
    double seconds;
    if (!needArgs(args, 1, "run SECONDS", error) || !parseNumber(args[0], seconds, error)) return false;
    const double end = c.simulation.simTime() + seconds;
    ProgressBar bar(c.progress && seconds > 60, seconds);
    const double start = c.simulation.simTime();
    while (c.simulation.simTime() < end - 1e-9 && c.frame()) bar.update(c.simulation.simTime() - start);
    return true;
}

bool cmdFrames(ScriptContext &c, const std::vector<std::string> &args, std::string &error) {
    long n;
    if (!needArgs(args, 1, "frames N", error) || !parseCount(args[0], n, error)) return false;
    ProgressBar bar(c.progress && n > 2000, static_cast<double>(n));
    for (long i = 0; i < n && c.frame(); ++i) bar.update(static_cast<double>(i + 1));
    return true;
}

bool cmdUntil(ScriptContext &c, const std::vector<std::string> &args, std::string &error) {
    double mjd;
    if (!needArgs(args, 1, "until MJD", error) || !parseNumber(args[0], mjd, error)) return false;
    const double start = c.simulation.mjd();
    ProgressBar bar(c.progress && mjd - start > 0.01, mjd - start);
    while (c.simulation.mjd() < mjd && c.frame()) bar.update(c.simulation.mjd() - start);
    return true;
}

bool cmdSave(ScriptContext &c, const std::vector<std::string> &args, std::string &error) {
    if (!needArgs(args, 1, "save FILE", error)) return false;
    return c.simulation.saveScenario(c.path(args[0]), error);
}

bool cmdState(ScriptContext &c, const std::vector<std::string> &args, std::string &error) {
    if (args.empty()) {
        error = "usage: state NAME";
        return false;
    }
    const std::string &name = c.rest;
    Vessel *v = c.simulation.vesselByName(name);
    if (!v) {
        const sim::Body *body = c.simulation.bodyByName(name);
        if (!body) {
            error = "no vessel or body \"" + name + "\"";
            return false;
        }
        char line[512];
        std::snprintf(line, sizeof line, "%s: MJD %.8f pos %.3f %.3f %.3f vel %.6f %.6f %.6f",
                      body->name().c_str(), c.simulation.mjd(), body->position().x, body->position().y,
                      body->position().z, body->velocity().x, body->velocity().y, body->velocity().z);
        c.out << line << "\n";
        return true;
    }
    char line[512];
    std::snprintf(line, sizeof line, "%s: MJD %.8f ref %s pos %.3f %.3f %.3f vel %.6f %.6f %.6f",
                  v->name().c_str(), c.simulation.mjd(), v->gravityRef ? v->gravityRef->name().c_str() : "-",
                  v->position.x, v->position.y, v->position.z, v->velocity.x, v->velocity.y, v->velocity.z);
    c.out << line << "\n";
    double maxThrust = 0, isp = 0;
    if (ThrusterGroup *main = v->groupOfType(THGROUP_MAIN))
        for (Thruster *t : main->thrusters) {
            maxThrust += t->maxThrust0;
            isp = t->isp0;
        }
    double fuel = 0, maxFuel = 0;
    if (v->defaultPropellant) {
        fuel = v->defaultPropellant->mass;
        maxFuel = v->defaultPropellant->maxMass;
    }
    std::snprintf(line, sizeof line, "%s: mass empty %.3f fuel %.3f max fuel %.3f main thrust %.3f isp %.3f",
                  v->name().c_str(), v->emptyMass, fuel, maxFuel, maxThrust, isp);
    c.out << line << "\n";
    return true;
}

bool cmdDebug(ScriptContext &c, const std::vector<std::string> &args, std::string &error) {
    if (!needArgs(args, 0, "debug", error)) return false;
    c.out << c.simulation.debugString() << "\n";
    return true;
}

bool cmdPrint(ScriptContext &c, const std::vector<std::string> &args, std::string &error) {
    c.out << c.rest << "\n";
    return true;
}

// expectfile FILE TEXT: the file in the working folder (Windows-1251 text, as
// the console writes its reports) contains TEXT; "\n" in TEXT is a line feed.
bool cmdExpectFile(ScriptContext &c, const std::vector<std::string> &args, std::string &error) {
    if (args.size() < 2) {
        error = "usage: expectfile FILE TEXT";
        return false;
    }
    std::string text = c.rest.substr(c.rest.find(args[0]) + args[0].size());
    text = text.substr(text.find_first_not_of(" \t"));
    for (size_t at; (at = text.find("\\n")) != std::string::npos;) text.replace(at, 2, "\n");
    // Read as text: the modules write their reports as text files, whose
    // line ends Windows stores as CR LF.
    std::ifstream in(c.path(args[0]));
    if (!in) {
        error = "cannot read " + c.path(args[0]);
        return false;
    }
    std::stringstream content;
    content << in.rdbuf();
    std::string utf8 = sim::cp1251ToUtf8(content.str());
    if (utf8.find(text) == std::string::npos) {
        error = "file " + args[0] + " does not contain \"" + text + "\"; it holds:\n" + utf8;
        return false;
    }
    return true;
}

// expectbmp FILE WIDTH HEIGHT [SHARE]: the file in the working folder is a
// BMP picture of that size; with SHARE, at least that share of its pixels is
// brighter than mid-grey (a lit body in a photograph). Prints what it found.
bool cmdExpectBmp(ScriptContext &c, const std::vector<std::string> &args, std::string &error) {
    double width, height, share = 0.0;
    if ((args.size() != 3 && args.size() != 4) || !parseNumber(args[1], width, error) ||
        !parseNumber(args[2], height, error) || (args.size() == 4 && !parseNumber(args[3], share, error))) {
        if (error.empty()) error = "usage: expectbmp FILE WIDTH HEIGHT [SHARE]";
        return false;
    }
    std::ifstream in(c.path(args[0]), std::ios::binary);
    if (!in) {
        error = "cannot read " + c.path(args[0]);
        return false;
    }
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::string why;
    const std::unique_ptr<sim::Surface> picture =
        sim::decodeBmp(reinterpret_cast<const unsigned char *>(bytes.data()), bytes.size(), why);
    if (!picture) {
        error = args[0] + " is no BMP picture: " + why;
        return false;
    }
    long bright = 0;
    double level = 0.0;
    for (int y = 0; y < picture->height(); ++y)
        for (int x = 0; x < picture->width(); ++x) {
            const std::uint32_t p = picture->pixel(x, y);
            const double grey = (sim::Surface::red(p) + sim::Surface::green(p) + sim::Surface::blue(p)) / 3.0;
            level += grey;
            bright += grey > 128.0;
        }
    const double pixels = double(picture->width()) * picture->height();
    char line[256];
    std::snprintf(line, sizeof line, "%s: %d x %d, %d bits, mean level %.1f, %.3f%% brighter than mid-grey",
                  args[0].c_str(), picture->width(), picture->height(), picture->bitsPerPixel(),
                  level / pixels, 100.0 * bright / pixels);
    c.out << line << "\n";
    // Compared as numbers: a size no picture has (1e300) simply differs.
    if (picture->width() != width || picture->height() != height) {
        error = std::string("unexpected size: ") + line;
        return false;
    }
    if (bright < share * pixels) {
        error = std::string("too few bright pixels: ") + line;
        return false;
    }
    return true;
}

}  // namespace

std::string ScriptContext::path(const std::string &name) const {
    if (std::filesystem::path(name).is_absolute()) return name;
    return outDir + "/" + name;
}

bool ScriptContext::frame() {
    if (!halted.empty()) return false;
    if (frameLimit >= 0 && framesRun >= frameLimit) {
        halted = "the script's limit of " + std::to_string(frameLimit) + " frames is reached";
        return false;
    }
    const sim::SolarSystemEphemeris &ephemeris = simulation.ephemeris();
    const double next = simulation.mjd() + simulation.frameLength() * simulation.timeAcceleration() / 86400.0;
    if (!ephemeris.covers(next)) {
        char text[160];
        std::snprintf(text, sizeof text,
                      "the next frame would reach MJD %.5f, past the ephemeris (MJD %.1f to %.1f)", next,
                      ephemeris.firstMjd(), ephemeris.lastMjd());
        halted = text;
        return false;
    }
    simulation.frame();
    ++framesRun;
    if (afterFrame) afterFrame();
    return true;
}

void registerCommand(const char *name, ScriptHandler handler, const char *usage) {
    registry().push_back({name, handler, usage});
}

const ScriptCommand *findCommand(const std::string &name) {
    for (const ScriptCommand &command : registry())
        if (name == command.name) return &command;
    return nullptr;
}

const std::vector<ScriptCommand> &commands() { return registry(); }

void registerCoreCommands() {
    registerCommand("frame", cmdFrame, "frame SECONDS  (real length of a frame, default 0.02)");
    registerCommand("warp", cmdWarp, "warp FACTOR  (time acceleration)");
    registerCommand("run", cmdRun, "run SECONDS  (advance that much simulated time)");
    registerCommand("frames", cmdFrames, "frames N");
    registerCommand("until", cmdUntil, "until MJD");
    registerCommand("save", cmdSave, "save FILE");
    registerCommand("state", cmdState,
                    "state NAME  (a vessel: MJD, reference body, global position and velocity, masses; a "
                    "body: its global state)");
    registerCommand("debug", cmdDebug, "debug  (prints the debug line)");
    registerCommand("print", cmdPrint, "print TEXT");
    registerCommand(
        "expectbmp", cmdExpectBmp,
        "expectbmp FILE WIDTH HEIGHT [SHARE]  (a BMP of that size, SHARE of it brighter than mid-grey)");
    registerCommand("expectfile", cmdExpectFile,
                    "expectfile FILE TEXT  (a file in the working folder contains TEXT)");
}

}  // namespace okulsim
