// okulsim: runs a scenario in the headless simulator, scripted.
//
//   okulsim run SCENARIO [--script FILE] [--out DIR] [--root DIR]
//
// --root  installation folder holding Config/ and Modules/ (default: the
//         folder above the executable's bin/, i.e. the build tree)
// --out   working folder where modules write their files (default ./okulsim-out);
//         PHOTO and Q4K12techout are created in it
#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <iostream>
#include <memory>
#include <string>

#include "ScriptRunner.h"

namespace {

int usage() {
    std::cerr << "usage: okulsim run SCENARIO [--script FILE] [--out DIR] [--root DIR]\n";
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

}  // namespace

int main(int argc, char **argv) {
    if (argc < 3 || std::string(argv[1]) != "run") return usage();
    std::string scenario = argv[2], script, outDir = "okulsim-out", rootDir = executableRoot();
    for (int i = 3; i < argc; ++i) {
        std::string option = argv[i];
        if (i + 1 >= argc) return usage();
        if (option == "--script")
            script = argv[++i];
        else if (option == "--out")
            outDir = argv[++i];
        else if (option == "--root")
            rootDir = argv[++i];
        else
            return usage();
    }
    okulsim::RunOptions options;
    options.scenario = absolutePath(scenario);
    options.script = script.empty() ? std::string() : absolutePath(script);
    options.rootDir = absolutePath(rootDir);
    options.outDir = absolutePath(outDir);
    if (!makeFolder(options.outDir) || !makeFolder(options.outDir + "/PHOTO") ||
        !makeFolder(options.outDir + "/Q4K12techout")) {
        std::cerr << "okulsim: cannot create the working folder " << options.outDir << "\n";
        return 1;
    }
    options.progress = isatty(STDERR_FILENO);
    return okulsim::runScenario(options, std::cout, std::cerr);
}
