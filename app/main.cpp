// okulsim: runs a scenario in the headless simulator, scripted or live.
//
//   okulsim run SCENARIO [--script FILE] [--out DIR] [--root DIR]
//   okulsim serve SCENARIO [--port N] [--host ADDR] [--token T] [--rate N]
//                 [--pictures changes|whole] [--out DIR] [--root DIR]
//
// --root  installation folder holding Config/ and Modules/ (default: the
//         folder above the executable's bin/, i.e. the build tree)
// --out   working folder where modules write their files (default ./okulsim-out);
//         PHOTO and Q4K12techout are created in it
// --port  the live console's port (default 8012; 0 takes any free port)
// --host  the address it listens on (default 127.0.0.1)
// --token the token every request must carry (default: a random one, shown
//         in the address printed)
// --rate  states sent to the pages a second (default 16.7, at most 50: every frame)
// --pictures  changes (default): pages get what changed since their last
//         picture; whole: a whole picture each time (to compare)
//
// The Windows build runs scripts only: the live console's libraries
// (cpp-httplib, nlohmann-json) and threads are those of the Linux build.
#if defined(_WIN32)
#include <io.h>
#include <windows.h>
#else
#include <unistd.h>
#endif

#include <cstdio>
#include <filesystem>
#include <iostream>
#include <string>

#include "NumberParsing.h"
#include "ScriptRunner.h"
#if !defined(_WIN32)
#include "RequestAdmission.h"
#include "ServeCommand.h"
#define OKULSIM_SERVE 1
#endif

namespace fs = std::filesystem;

namespace {

int usage() {
    std::cerr << "usage: okulsim run SCENARIO [--script FILE] [--out DIR] [--root DIR]\n";
#if defined(OKULSIM_SERVE)
    std::cerr
        << "       okulsim serve SCENARIO [--port N] [--host ADDR] [--token T] [--rate N]\n"
           "                     [--pictures changes|whole] [--out DIR] [--root DIR]\n";
#endif
    return 2;
}

// Forward slashes throughout: the runner and the simulator join paths with '/'.
std::string absolutePath(const std::string &path) {
    std::error_code ignored;
    return fs::absolute(fs::path(path), ignored).generic_string();
}

fs::path executablePath() {
#if defined(_WIN32)
    char self[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, self, sizeof self);
    return length > 0 && length < sizeof self ? fs::path(std::string(self, length)) : fs::path();
#else
    std::error_code ignored;
    return fs::read_symlink("/proc/self/exe", ignored);
#endif
}

// The installation root: the folder above bin/.
std::string executableRoot() {
    const fs::path self = executablePath();
    return self.empty() ? std::string(".") : self.parent_path().parent_path().generic_string();
}

bool makeFolder(const std::string &path) {
    std::error_code ignored;
    fs::create_directory(path, ignored);
    return fs::is_directory(path, ignored);
}

bool makeWorkingFolder(const std::string &outDir) {
    if (makeFolder(outDir) && makeFolder(outDir + "/PHOTO") && makeFolder(outDir + "/Q4K12techout"))
        return true;
    std::cerr << "okulsim: cannot create the working folder " << outDir << "\n";
    return false;
}

bool standardErrorIsTerminal() {
#if defined(_WIN32)
    return _isatty(_fileno(stderr)) != 0;
#else
    return isatty(STDERR_FILENO) != 0;
#endif
}

}  // namespace

int main(int argc, char **argv) {
    if (argc < 3) return usage();
    const std::string command = argv[1];
#if defined(OKULSIM_SERVE)
    if (command != "run" && command != "serve") return usage();
    okulsim::ServeOptions serve;
#else
    if (command != "run") return usage();
#endif
    std::string scenario = argv[2], script, outDir = "okulsim-out", rootDir = executableRoot();
    for (int i = 3; i < argc; ++i) {
        std::string option = argv[i];
        if (i + 1 >= argc) return usage();
        const std::string value = argv[++i];
        std::string error;
        if (option == "--out")
            outDir = value;
        else if (option == "--root")
            rootDir = value;
        else if (option == "--script" && command == "run")
            script = value;
#if defined(OKULSIM_SERVE)
        else if (option == "--host" && command == "serve")
            serve.host = value;
        else if (option == "--token" && command == "serve") {
            if (!okulsim::RequestAdmission::checkToken(value, error)) {
                std::cerr << "okulsim: --token: " << error << "\n";
                return 2;
            }
            serve.token = value;
        } else if (option == "--rate" && command == "serve") {
            int frames = 0;
            if (!okulsim::parseNumber(value, serve.rate, error) ||
                !okulsim::publishInterval(serve.rate, frames)) {
                std::cerr << "okulsim: --rate takes states a second, above 0 and at most 50\n";
                return 2;
            }
        } else if (option == "--pictures" && command == "serve") {
            if (value != "changes" && value != "whole") {
                std::cerr << "okulsim: --pictures takes changes or whole\n";
                return 2;
            }
            serve.wholePictures = value == "whole";
        } else if (option == "--port" && command == "serve") {
            if (!okulsim::parseInt(value, serve.port, error) || serve.port < 0 || serve.port > 65535) {
                std::cerr << "okulsim: --port takes a port number from 0 to 65535\n";
                return 2;
            }
        }
#endif
        else
            return usage();
    }
    const std::string out = absolutePath(outDir);
    if (!makeWorkingFolder(out)) return 1;
#if defined(OKULSIM_SERVE)
    if (command == "serve") {
        serve.scenario = absolutePath(scenario);
        serve.rootDir = absolutePath(rootDir);
        serve.outDir = out;
        return okulsim::serveScenario(serve, std::cout, std::cerr);
    }
#endif
    okulsim::RunOptions options;
    options.scenario = absolutePath(scenario);
    options.script = script.empty() ? std::string() : absolutePath(script);
    options.rootDir = absolutePath(rootDir);
    options.outDir = out;
    options.progress = standardErrorIsTerminal();
    return okulsim::runScenario(options, std::cout, std::cerr);
}
