#include "FuzzSupport.h"

#include <dlfcn.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>

namespace fs = std::filesystem;

namespace fuzzsupport {

std::uint8_t InputReader::byte() { return atEnd() ? 0 : data_[position_++]; }

double InputReader::number() {
    std::uint8_t bytes[sizeof(double)] = {};
    for (std::uint8_t &b : bytes) b = byte();
    double value;
    std::memcpy(&value, bytes, sizeof value);
    return value;
}

std::string InputReader::line(std::size_t maxLength) {
    std::size_t end = position_;
    while (end < size_ && data_[end] != '\n') ++end;
    const std::size_t length = end - position_ < maxLength ? end - position_ : maxLength;
    std::string text(reinterpret_cast<const char *>(data_ + position_), length);
    position_ = end < size_ ? end + 1 : end;
    return text;
}

std::string InputReader::rest() {
    std::string text(reinterpret_cast<const char *>(data_ + position_), size_ - position_);
    position_ = size_;
    return text;
}

void Require(bool condition, const char *what) {
    if (condition) return;
    std::fprintf(stderr, "finding: %s\n", what);
    std::abort();
}

bool Terminated(const char *buffer, std::size_t size) { return std::memchr(buffer, '\0', size) != nullptr; }

bool FreeOfNonNumbers(const char *text) {
    return std::strstr(text, "nan") == nullptr && std::strstr(text, "inf") == nullptr &&
           std::strstr(text, "NAN") == nullptr && std::strstr(text, "INF") == nullptr;
}

testsupport::TestInstallation &Installation() {
    static testsupport::TestInstallation *installation = [] {
        auto *made =
            new testsupport::TestInstallation(testsupport::TestInstallation::FromBuild::kClassesAndModules);
        fs::current_path(made->work());
        return made;
    }();
    return *installation;
}

std::string InstalledScenario(const char *name) { return testsupport::BuildRoot() + "/Scenarios/" + name; }

void HoldModules() {
    static bool held = false;
    if (held) return;
    held = true;
    for (const fs::directory_entry &entry : fs::directory_iterator(testsupport::BuildRoot() + "/Modules")) {
        if (entry.path().extension() != ".so") continue;
        if (!dlopen(entry.path().c_str(), RTLD_NOW | RTLD_LOCAL)) {
            std::fprintf(stderr, "cannot hold %s: %s\n", entry.path().c_str(), dlerror());
            std::abort();
        }
    }
}

sim::Simulation &KeptSimulation(const char *scenarioName, int frames) {
    static sim::Simulation *kept = nullptr;
    if (kept) return *kept;
    testsupport::TestInstallation &installation = Installation();
    HoldModules();
    kept = new sim::Simulation(installation.root(), installation.work());
    std::string error;
    if (!kept->loadScenario(InstalledScenario(scenarioName), error)) {
        std::fprintf(stderr, "the fuzz target's scenario does not load: %s\n", error.c_str());
        std::abort();
    }
    kept->setFrameLength(1.0);
    for (int i = 0; i < frames; ++i) kept->frame();
    return *kept;
}

VESSEL *KeptVessel(const char *scenarioName, int frames, const char *vesselName) {
    KeptSimulation(scenarioName, frames);
    char name[64];
    std::snprintf(name, sizeof name, "%s", vesselName);
    OBJHANDLE handle = oapiGetVesselByName(name);
    if (!handle) {
        std::fprintf(stderr, "the fuzz target's scenario %s has no vessel %s\n", scenarioName, vesselName);
        std::abort();
    }
    return oapiGetVesselInterface(handle);
}

void ClearWorkingFolder() {
    const std::string work = Installation().work();
    std::error_code ignored;
    for (const fs::directory_entry &entry : fs::directory_iterator(work, ignored)) {
        const std::string name = entry.path().filename().string();
        if (name == "PHOTO" || name == "Q4K12techout") {
            for (const fs::directory_entry &inner : fs::directory_iterator(entry.path(), ignored))
                fs::remove_all(inner.path(), ignored);
        } else {
            fs::remove_all(entry.path(), ignored);
        }
    }
    fs::create_directories(work + "/PHOTO", ignored);
    fs::create_directories(work + "/Q4K12techout", ignored);
}

}  // namespace fuzzsupport
