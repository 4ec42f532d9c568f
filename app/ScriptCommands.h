// The runner's script language: one command a line. Each command has a
// handler registered by name; the core set is in ScriptCommands.cpp, the
// cockpit's (panels, mouse, keys, pictures) in CockpitCommands.cpp.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "NumberParsing.h"
#include "core/Simulation.h"

namespace okulsim {

struct ScriptContext {
    sim::Simulation &simulation;
    std::ostream &out;
    std::string scriptDir;  // relative file names in scripts resolve here
    std::string outDir;     // the working folder
    bool progress = false;  // draw a progress bar on long runs (terminal only)
    std::string rest;       // the current command's text after its name, as written

    // Resolves a file name given in the script: files the script writes
    // (pictures, saved scenarios) land in the working folder.
    std::string path(const std::string &name) const;
    // Advances one frame.
    void frame();
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
