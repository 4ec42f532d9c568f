// Writes the input of reference/return_reference.py: the PIE prediction of
// the Earth return (end MJD 43644, one-day tables) as the program makes it.
//   pie_reference_input > tests/programs/reference/return_reference_input.txt
#include <cstdio>

#include "DesignedProbes.h"
#include "ReturnReference.h"

using testsupport::SharedEarthReturnProbe;

int main() {
    testsupport::EarthReturnProbe &simulation = SharedEarthReturnProbe();
    if (!simulation.vessel()) {
        std::fprintf(stderr, "%s\n", simulation.error().c_str());
        return 1;
    }
    PieProgram pie(simulation.vessel());
    pie.Run("43644;0;0;0;0;0;0;0;0;-1");
    const std::string tables = return_reference::Tables(pie);
    pie.Run("43644;0;0;0;0;0;0;0.0000001;0;1");
    std::fputs(return_reference::Input(tables, pie).c_str(), stdout);
    return 0;
}
