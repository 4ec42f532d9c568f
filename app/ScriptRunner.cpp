#include "ScriptRunner.h"

#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

#include "CockpitCommands.h"
#include "TrajectoryCommands.h"
#include "ScriptCommands.h"
#include "core/Simulation.h"

namespace okulsim {

namespace {

std::string trimmed(const std::string &s) {
    size_t b = s.find_first_not_of(" \t\r");
    if (b == std::string::npos) return "";
    size_t e = s.find_last_not_of(" \t\r");
    return s.substr(b, e - b + 1);
}

}  // namespace

bool parseScriptLine(const std::string &text, int number, ScriptLine &parsed) {
    const std::string line = trimmed(text);
    if (line.empty() || line[0] == '#') return false;
    parsed = ScriptLine{};
    parsed.number = number;
    const size_t space = line.find_first_of(" \t");
    parsed.command = line.substr(0, space);
    parsed.rest = space == std::string::npos ? "" : trimmed(line.substr(space));
    std::istringstream words(parsed.rest);
    for (std::string w; words >> w;) parsed.args.push_back(w);
    return true;
}

bool runScriptLine(ScriptContext &context, const ScriptLine &line, std::string &error) {
    const ScriptCommand *command = findCommand(line.command);
    if (command == nullptr) {
        error = "unknown command \"" + line.command + "\"";
        return false;
    }
    context.rest = line.rest;
    error.clear();
    if (!command->handler(context, line.args, error)) return false;
    if (context.halted.empty()) return true;
    error = context.halted;
    return false;
}

bool readScript(const std::string &path, std::vector<ScriptLine> &lines, std::string &error) {
    std::ifstream in(path);
    if (!in) {
        error = "cannot open script " + path;
        return false;
    }
    std::string raw;
    int number = 0;
    while (std::getline(in, raw)) {
        ScriptLine parsed;
        if (!parseScriptLine(raw, ++number, parsed)) continue;
        if (!findCommand(parsed.command)) {
            error = path + ":" + std::to_string(number) + ": unknown command \"" + parsed.command + "\"";
            return false;
        }
        lines.push_back(parsed);
    }
    return true;
}

bool runScript(ScriptContext &context, const std::string &path, const std::vector<ScriptLine> &lines,
               std::string &error) {
    for (const ScriptLine &line : lines) {
        std::string message;
        if (!runScriptLine(context, line, message)) {
            error = path + ":" + std::to_string(line.number) + ": " + message;
            return false;
        }
    }
    return true;
}

void registerAllCommands() {
    static bool done = false;
    if (done) return;
    done = true;
    registerCoreCommands();
    registerCockpitCommands();
    registerTrajectoryCommands();
}

bool enterWorkingFolder(const std::string &outDir, std::string &error) {
    // Modules write their files relative to the working folder: the
    // process's current folder, as on Windows.
    std::error_code entered;
    std::filesystem::current_path(outDir, entered);
    if (entered) {
        error = "cannot enter the working folder " + outDir;
        return false;
    }
    return true;
}

int runScenario(const RunOptions &options, std::ostream &out, std::ostream &err) {
    registerAllCommands();
    std::vector<ScriptLine> script;
    std::string error;
    if (!options.script.empty() && !readScript(options.script, script, error)) {
        err << "okulsim: " << error << "\n";
        return 1;
    }
    if (!enterWorkingFolder(options.outDir, error)) {
        err << "okulsim: " << error << "\n";
        return 1;
    }

    sim::Simulation simulation(options.rootDir, options.outDir);
    if (!simulation.loadScenario(options.scenario, error)) {
        err << "okulsim: " << error << "\n";
        return 1;
    }
    std::string scriptDir =
        options.script.empty() ? options.outDir : options.script.substr(0, options.script.find_last_of('/'));
    ScriptContext context{simulation, out, scriptDir, options.outDir, options.progress, ""};
    if (script.empty()) {
        context.frame();
        out << "loaded " << options.scenario << ": " << simulation.vessels().size() << " vessels at MJD "
            << simulation.mjd() << "\n";
    }
    if (!runScript(context, options.script, script, error)) {
        err << "okulsim: " << error << "\n";
        simulation.shutdown();
        return 1;
    }
    simulation.shutdown();
    return 0;
}

}  // namespace okulsim
