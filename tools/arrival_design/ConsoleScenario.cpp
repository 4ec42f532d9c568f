#include "ConsoleScenario.h"

#include <cstdio>

namespace arrival_design {

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

bool LoadInstallationEphemeris(const std::string &installation, sim::SolarSystemEphemeris &ephemeris,
                               std::string &error) {
    return ephemeris.load(installation + "/Config/Ephemeris/de405_1970_1989.bin", error);
}

}  // namespace arrival_design
