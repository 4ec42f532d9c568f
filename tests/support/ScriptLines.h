// Script lines run on a simulation the way the runner runs them, for tests
// that keep the simulation afterwards. For test programs linking the runner
// (okulsim_runner).
#pragma once

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "ScriptCommands.h"

namespace testsupport {

// Runs one line (the command's name, then its words and the rest of the line
// as written, without the blanks around it); false with the command's
// message.
inline bool RunScriptLine(okulsim::ScriptContext &context, const std::string &line, std::string &error) {
    const char *const blanks = " \t\r";
    const std::size_t begin = line.find_first_not_of(blanks);
    const std::size_t end = line.find_first_of(blanks, begin);
    const std::string name = begin == std::string::npos ? "" : line.substr(begin, end - begin);
    const std::size_t rest = end == std::string::npos ? end : line.find_first_not_of(blanks, end);
    context.rest =
        rest == std::string::npos ? "" : line.substr(rest, line.find_last_not_of(blanks) + 1 - rest);
    std::istringstream words(context.rest);
    std::vector<std::string> args;
    for (std::string word; words >> word;) args.push_back(word);
    const okulsim::ScriptCommand *command = okulsim::findCommand(name);
    if (command == nullptr) {
        error = "no command " + name;
        return false;
    }
    error.clear();
    if (!command->handler(context, args, error)) return false;
    if (context.halted.empty()) return true;
    error = context.halted;
    return false;
}

// Runs every line of a script file but blank lines and comments; false with
// "line N: " and the message of the first line that fails.
inline bool RunScriptFile(okulsim::ScriptContext &context, const std::string &path, std::string &error) {
    std::ifstream in(path);
    if (!in) {
        error = "cannot open " + path;
        return false;
    }
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
        const std::size_t begin = line.find_first_not_of(" \t\r");
        if (begin == std::string::npos || line[begin] == '#') continue;
        if (!RunScriptLine(context, line, error)) {
            error = "line " + std::to_string(number) + ": " + error;
            return false;
        }
    }
    return true;
}

}  // namespace testsupport
