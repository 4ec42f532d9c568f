// okulsim: runs a scenario in the headless simulator, scripted.
//
//   okulsim run SCENARIO [--script FILE] [--out DIR] [--root DIR]
//
// --root  installation folder holding Config/ and Modules/ (default: the
//         folder above the executable's bin/, i.e. the build tree)
// --out   working folder where modules write their files (default ./okulsim-out);
//         PHOTO and Q4K12techout are created in it
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

#include "ScriptRunner.h"

namespace fs = std::filesystem;

namespace {

int usage() {
    std::cerr << "usage: okulsim run SCENARIO [--script FILE] [--out DIR] [--root DIR]\n";
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

bool standardErrorIsTerminal() {
#if defined(_WIN32)
    return _isatty(_fileno(stderr)) != 0;
#else
    return isatty(STDERR_FILENO) != 0;
#endif
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
    options.progress = standardErrorIsTerminal();
    return okulsim::runScenario(options, std::cout, std::cerr);
}
