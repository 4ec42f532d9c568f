#include "ConsoleScenario.h"

#include <cstdio>
#include <fstream>

namespace arrival_design {

bool OpenInstallation(int argc, char **argv, sim::SolarSystemEphemeris &ephemeris, int &status) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s <installation folder> <scenario file>\n", argv[0]);
        status = 2;
        return false;
    }
    std::string error;
    if (!ephemeris.load(std::string(argv[1]) + "/Config/Ephemeris/de405_1970_1989.bin", error)) {
        std::fprintf(stderr, "%s\n", error.c_str());
        status = 1;
        return false;
    }
    status = 0;
    return true;
}

std::vector<ScenarioVessel> SpacecraftWithConsole(double propellantLevel) {
    char spacecraft[128];
    std::snprintf(spacecraft, sizeof(spacecraft), "  AROT 0.0 0.0 0.0\n  PRPLEVEL 0:%.2f\n  MODE 0\n",
                  propellantLevel);
    return {{"TAVR-12", "Tavr12", spacecraft},
            {"OKUL", "OkulVessel",
             "  AROT 0.0 0.0 0.0\n  ATTACHED 0:0,TAVR-12\n  CONFIGURATION_T12 1\n  SUB_CONFIGURA_T12 0\n"}};
}

std::string RelayAboutMars() {
    return "K12 Orbiter:K12Orbiter\n"
           "  STATUS Orbiting Mars\n"
           "  RPOS 10000000.0 0.0 0.0\n"
           "  RVEL 0.0 1034.74996 1792.23950\n"
           "  AROT 0.0 0.0 0.0\n"
           "END\n";
}

bool WriteScenario(const std::string &path, const std::string &text) {
    std::ofstream out(path);
    out << text;
    if (!out) {
        std::fprintf(stderr, "cannot write %s\n", path.c_str());
        return false;
    }
    return true;
}

}  // namespace arrival_design
