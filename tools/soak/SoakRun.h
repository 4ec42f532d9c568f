// The console under load: a long cruise at high time acceleration with the
// panel drawn, photographs taken and received, the programs run and commands
// sent, driven through the runner's commands as a user would drive it. It
// measures the process's resident memory, the simulator's live surfaces, GDI
// objects, device contexts and file handles, the open file descriptors, and
// the time of every frame by the simulator's phases.
#pragma once

#include <ostream>
#include <string>

namespace soak {

struct SoakOptions {
    std::string rootDir;  // installation (Config/, Modules/, Scenarios/)
    std::string outDir;   // working folder (made with PHOTO and Q4K12techout)
    std::string scenario = "cruise_to_mars.scn";
    double days = 365.0;      // simulated days in all
    int photographs = 32;     // taken and received first, one every two days (the whole cassette)
    double actionDays = 5.0;  // then one action every so many days: programs, commands, a frame resent
    double cruiseWarp = 100000.0;
    double frameSeconds = 0.02;
    // Resident memory the run may gain from the end of the first round of
    // actions (after the full cassette) to its end.
    double allowedGrowthMb = 8.0;
};

// Runs the soak and writes its report to `out` (and soak_frames.csv, one line
// a frame, into the working folder). Returns 0 when memory stayed steady and
// no surface, object, context, file handle or descriptor was left behind; 1
// otherwise or when the run could not be carried out (the reason on `err`).
int runSoak(const SoakOptions &options, std::ostream &out, std::ostream &err);

}  // namespace soak
