// okulsim: runs a scenario in the headless simulator, scripted or live.
//
//   okulsim run SCENARIO [--script FILE] [--out DIR] [--root DIR]
//   okulsim serve SCENARIO [--port N] [--host ADDR] [--out DIR] [--root DIR]
//
// --root  installation folder holding Config/ and Modules/ (default: the
//         folder above the executable's bin/, i.e. the build tree)
// --out   working folder where modules write their files (default ./okulsim-out);
//         PHOTO and Q4K12techout are created in it
// --port  the live console's port (default 8012; 0 takes any free port)
// --host  the address it listens on (default 127.0.0.1)
#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <iostream>
#include <string>

#include "NumberParsing.h"
#include "ScriptRunner.h"
#include "ServeCommand.h"

namespace {

int usage() {
    std::cerr << "usage: okulsim run SCENARIO [--script FILE] [--out DIR] [--root DIR]\n"
                 "       okulsim serve SCENARIO [--port N] [--host ADDR] [--out DIR] [--root DIR]\n";
    return 2;
}

std::string absolutePath(const std::string &path) {
    if (!path.empty() && path[0] == '/') return path;
    char cwd[PATH_MAX];
    if (!getcwd(cwd, sizeof cwd)) return path;
    return std::string(cwd) + "/" + path;
}

std::string executableRoot() {
    char self[PATH_MAX];
    ssize_t n = readlink("/proc/self/exe", self, sizeof self - 1);
    if (n <= 0) return ".";
    self[n] = '\0';
    std::string path(self);
    path = path.substr(0, path.find_last_of('/'));  // bin/
    return path.substr(0, path.find_last_of('/'));  // the installation root
}

bool makeFolder(const std::string &path) {
    struct stat info;
    if (stat(path.c_str(), &info) == 0) return S_ISDIR(info.st_mode);
    return mkdir(path.c_str(), 0755) == 0;
}

bool makeWorkingFolder(const std::string &outDir) {
    if (makeFolder(outDir) && makeFolder(outDir + "/PHOTO") && makeFolder(outDir + "/Q4K12techout"))
        return true;
    std::cerr << "okulsim: cannot create the working folder " << outDir << "\n";
    return false;
}

}  // namespace

int main(int argc, char **argv) {
    if (argc < 3) return usage();
    const std::string command = argv[1];
    if (command != "run" && command != "serve") return usage();
    std::string scenario = argv[2], script, outDir = "okulsim-out", rootDir = executableRoot();
    okulsim::ServeOptions serve;
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
        else if (option == "--host" && command == "serve")
            serve.host = value;
        else if (option == "--port" && command == "serve") {
            if (!okulsim::parseInt(value, serve.port, error) || serve.port < 0 || serve.port > 65535) {
                std::cerr << "okulsim: --port takes a port number from 0 to 65535\n";
                return 2;
            }
        } else
            return usage();
    }
    const std::string out = absolutePath(outDir);
    if (!makeWorkingFolder(out)) return 1;
    if (command == "serve") {
        serve.scenario = absolutePath(scenario);
        serve.rootDir = absolutePath(rootDir);
        serve.outDir = out;
        return okulsim::serveScenario(serve, std::cout, std::cerr);
    }
    okulsim::RunOptions options;
    options.scenario = absolutePath(scenario);
    options.script = script.empty() ? std::string() : absolutePath(script);
    options.rootDir = absolutePath(rootDir);
    options.outDir = out;
    options.progress = isatty(STDERR_FILENO);
    return okulsim::runScenario(options, std::cout, std::cerr);
}
