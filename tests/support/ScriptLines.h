// Script lines run on a simulation the way the runner runs them, for tests
// that keep the simulation afterwards. For test programs linking the runner
// (okulsim_runner).
#pragma once

#include <fstream>
#include <string>

#include "ScriptRunner.h"

namespace testsupport {

// Runs one line (the command's name, then its words); false with the
// command's message ("no command" for a blank line or a comment).
inline bool RunScriptLine(okulsim::ScriptContext &context, const std::string &text, std::string &error) {
    okulsim::ScriptLine line;
    if (!okulsim::parseScriptLine(text, 0, line)) {
        error = "no command";
        return false;
    }
    return okulsim::runScriptLine(context, line, error);
}

// Runs every line of a script file but blank lines and comments; false with
// "line N: " and the message of the first line that fails.
inline bool RunScriptFile(okulsim::ScriptContext &context, const std::string &path, std::string &error) {
    std::ifstream in(path);
    if (!in) {
        error = "cannot open " + path;
        return false;
    }
    std::string text;
    for (int number = 1; std::getline(in, text); ++number) {
        okulsim::ScriptLine line;
        if (!okulsim::parseScriptLine(text, number, line)) continue;
        if (!okulsim::runScriptLine(context, line, error)) {
            error = "line " + std::to_string(number) + ": " + error;
            return false;
        }
    }
    return true;
}

}  // namespace testsupport
