// The three-body propagation, completed on the osculating orbit the way PLE
// completes it, against a DOP853 (rtol 1e-13) integration of the same forces
// to the true closest approach (tests/programs/reference/three_body_reference.py).
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "OrbitRecord.h"
#include "ThreeBodyPropagator.h"

namespace {

struct ReferenceCase {
    std::string name;
    ThreeBodyState start;
    VECTOR3 deltaV;
    double time;
    VECTOR3 position, velocity;
};

std::vector<ReferenceCase> ReadReference() {
    std::vector<ReferenceCase> cases;
    std::ifstream in(OKUL_SOURCE_DIR "/tests/programs/reference/three_body_reference.txt");
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#') continue;
        std::istringstream fields(line);
        ReferenceCase c;
        VECTOR3 *vectors[] = {&c.start.earthPos, &c.start.earthVel, &c.start.vesselPos, &c.start.vesselVel,
                              &c.start.moonPos,  &c.start.moonVel,  &c.deltaV};
        fields >> c.name;
        for (VECTOR3 *v : vectors) fields >> v->x >> v->y >> v->z;
        fields >> c.time >> c.position.x >> c.position.y >> c.position.z >> c.velocity.x >> c.velocity.y >>
            c.velocity.z;
        if (fields) cases.push_back(c);
    }
    return cases;
}

TEST(ThreeBodyPropagator, AgreesWithTheReferenceIntegration) {
    const std::vector<ReferenceCase> cases = ReadReference();
    ASSERT_EQ(cases.size(), 2u);
    for (const ReferenceCase &c : cases) {
        ThreeBodyState s = c.start;
        ThreeBodyParameters p = {360.0, 3000000.0, 0.001};
        OrbitRecord orbit = {};
        long evaluations = 0;
        ASSERT_TRUE(Propagate(s, p, orbit, c.deltaV, 600.0, &evaluations)) << c.name;
        // Without a simulation the record's date counts from MJD 0.
        StateToElements(orbit);
        orbit.epoch = orbit.periapsisTime;
        ElementsToState(orbit);
        const double timeError = orbit.periapsisTime * 86400.0 - c.time;
        const double positionError = length(orbit.position - c.position);
        const double velocityError = length(orbit.velocity - c.velocity);
        std::printf(
            "%s: periapsis time error %.4f s, position error %.3f m, velocity error %.2e m/s (%ld force "
            "evaluations)\n",
            c.name.c_str(), timeError, positionError, velocityError, evaluations);
        EXPECT_LT(std::fabs(timeError), 0.05);
        EXPECT_LT(positionError, 20.0);
    }
}

}  // namespace
