// Loads a scenario into a simulation, runs a script against it, and ends the
// session the way the simulator does.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "ScriptCommands.h"

namespace okulsim {

struct RunOptions {
    std::string scenario;  // absolute paths
    std::string script;    // empty: no script
    std::string rootDir;
    std::string outDir;  // working folder (exists)
    bool progress = false;
};

// One line of a script: its number in the file, the command's name, its
// words and the text after the name as written (blanks around it removed).
struct ScriptLine {
    int number = 0;
    std::string command;
    std::vector<std::string> args;
    std::string rest;
};

// Parses one line of a script (`number` is its line number); false for a
// blank line or a comment.
bool parseScriptLine(const std::string &text, int number, ScriptLine &line);

// Runs one line on the context's simulation; false with its command's message
// (an unknown command's, or why the simulation halted).
bool runScriptLine(ScriptContext &context, const ScriptLine &line, std::string &error);

// Reads the whole script and checks every command's name, so that a bad line
// fails before the scenario runs. False with "path:line: ..." (or "cannot
// open script path").
bool readScript(const std::string &path, std::vector<ScriptLine> &lines, std::string &error);

// Runs the lines in order on the context's simulation. False at the first
// line that fails (its command's message, or why the simulation halted), with
// "path:line: message".
bool runScript(ScriptContext &context, const std::string &path, const std::vector<ScriptLine> &lines,
               std::string &error);

// Every command of the runner, registered once.
void registerAllCommands();

// Makes the working folder the current one, where modules write their
// files; false with a message when it cannot be entered.
bool enterWorkingFolder(const std::string &outDir, std::string &error);

// Returns the process exit code: 0 on success, 1 on a failed scenario,
// script or expectation (one message on `err`).
int runScenario(const RunOptions &options, std::ostream &out, std::ostream &err);

}  // namespace okulsim
