// The runner's script language: one command a line. Each command has a
// handler registered by name; the core set is in ScriptCommands.cpp, the
// cockpit's (panels, mouse, keys, pictures) in CockpitCommands.cpp.
#pragma once

#include <functional>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "NumberParsing.h"
#include "core/Simulation.h"

namespace okulsim {

struct ScriptContext {
    ScriptContext(sim::Simulation &simulation, std::ostream &out, std::string scriptDir, std::string outDir,
                  bool progress = false, std::string rest = "")
        : simulation(simulation),
          out(out),
          scriptDir(std::move(scriptDir)),
          outDir(std::move(outDir)),
          progress(progress),
          rest(std::move(rest)) {}

    sim::Simulation &simulation;
    std::ostream &out;
    std::string scriptDir;  // relative file names in scripts resolve here
    std::string outDir;     // the working folder
    bool progress = false;  // draw a progress bar on long runs (terminal only)
    std::string rest;       // the current command's text after its name, as written
    long frameLimit = -1;   // frames the whole script may advance; negative: no limit

    // Resolves a file name given in the script: files the script writes
    // (pictures, saved scenarios) land in the working folder.
    std::string path(const std::string &name) const;
    // Advances one frame. False, with the simulation left as it is and the
    // reason in `halted`, once the frame limit is spent or when the frame
    // would carry the date past the ephemeris; every later call is refused
    // too. The runner fails the script line that was halted.
    bool frame();
    std::string halted;
    long framesRun = 0;
    // Called after every frame the script runs (measurements of long runs).
    std::function<void()> afterFrame;
};

using ScriptHandler = bool (*)(ScriptContext &context, const std::vector<std::string> &args,
                               std::string &error);

struct ScriptCommand {
    const char *name;
    ScriptHandler handler;
    const char *usage;
};

void registerCommand(const char *name, ScriptHandler handler, const char *usage);
const ScriptCommand *findCommand(const std::string &name);
const std::vector<ScriptCommand> &commands();

// The core commands: frame, warp, run, frames, until, save, state, debug, print.
void registerCoreCommands();

}  // namespace okulsim
