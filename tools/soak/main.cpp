// okul_soak: the console on a long cruise at high time acceleration (see
// SoakRun.h).
//
//   okul_soak [--days N] [--photographs N] [--every DAYS] [--out DIR] [--root DIR]
//
// --root  installation folder (default: the build tree the program belongs to)
// --out   working folder (default ./soak-out)
#include <limits.h>
#include <unistd.h>

#include <cstdlib>
#include <iostream>
#include <string>

#include "SoakRun.h"

namespace {

int usage() {
    std::cerr << "usage: okul_soak [--days N] [--photographs N] [--every DAYS] [--out DIR] [--root DIR]\n";
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
    const ssize_t n = readlink("/proc/self/exe", self, sizeof self - 1);
    if (n <= 0) return ".";
    self[n] = '\0';
    std::string path(self);
    path = path.substr(0, path.find_last_of('/'));  // bin/
    return path.substr(0, path.find_last_of('/'));
}

bool positiveNumber(const char *text, double &value) {
    char *end = nullptr;
    value = std::strtod(text, &end);
    return end != text && *end == '\0' && value > 0.0 && value < 1e6;
}

}  // namespace

int main(int argc, char **argv) {
    soak::SoakOptions options;
    options.rootDir = executableRoot();
    options.outDir = "soak-out";
    for (int i = 1; i < argc; ++i) {
        const std::string option = argv[i];
        if (i + 1 >= argc) return usage();
        const char *value = argv[++i];
        double number = 0.0;
        if (option == "--days" && positiveNumber(value, number))
            options.days = number;
        else if (option == "--photographs" && positiveNumber(value, number) && number <= 32)
            options.photographs = int(number);
        else if (option == "--every" && positiveNumber(value, number))
            options.actionDays = number;
        else if (option == "--out")
            options.outDir = value;
        else if (option == "--root")
            options.rootDir = value;
        else
            return usage();
    }
    options.rootDir = absolutePath(options.rootDir);
    options.outDir = absolutePath(options.outDir);
    return soak::runSoak(options, std::cout, std::cerr);
}
