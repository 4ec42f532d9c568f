// What the fuzz targets share: reading an input piece by piece, the checks
// that end a run with a finding, the build's installation in a temporary
// folder, a simulation kept for the whole run, and the module libraries held
// loaded.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "OrbiterAPI.h"
#include "TestInstallation.h"
#include "VesselAPI.h"
#include "core/Simulation.h"

namespace fuzzsupport {

// An input read front to back; past its end every read gives zeros and
// empty text.
class InputReader {
public:
    InputReader(const std::uint8_t *data, std::size_t size) : data_(data), size_(size) {}

    bool atEnd() const { return position_ >= size_; }
    std::uint8_t byte();
    // Eight bytes as a double: any bit pattern, NaN and infinities included.
    double number();
    // Up to the next line feed (not included), cut to `maxLength` bytes;
    // zero bytes are kept.
    std::string line(std::size_t maxLength);
    // Everything not read yet.
    std::string rest();

private:
    const std::uint8_t *data_;
    std::size_t size_;
    std::size_t position_ = 0;
};

// Ends the run with a finding when the condition fails: the message on
// standard error, then abort (the fuzzer keeps the input).
void Require(bool condition, const char *what);

// A zero byte within the first `size` bytes.
bool Terminated(const char *buffer, std::size_t size);

// No "nan" or "inf" in a text the console shows or sends.
bool FreeOfNonNumbers(const char *text);

// The build's installation (classes, modules, ephemeris, scenarios) linked
// into a temporary folder, with a working folder holding PHOTO and
// Q4K12techout; made at the first call. The process's current folder and the
// simulator's working folder are the working folder from then on.
testsupport::TestInstallation &Installation();

// The path of an installed scenario of the build (Scenarios/<name>).
std::string InstalledScenario(const char *name);

// Holds every module library of the build loaded for the rest of the
// process, so that simulations made and ended per input never unload
// instrumented code that the fuzzer still counts.
void HoldModules();

// A simulation of an installed scenario, loaded at the first call and run for
// `frames` frames of a second, then kept for the process; a scenario that does
// not load ends the run.
sim::Simulation &KeptSimulation(const char *scenarioName, int frames);

// A vessel of the kept simulation by its name; a missing one ends the run.
VESSEL *KeptVessel(const char *scenarioName, int frames, const char *vesselName);

// Empties the working folder but for its PHOTO and Q4K12techout folders,
// which are emptied too.
void ClearWorkingFolder();

}  // namespace fuzzsupport
