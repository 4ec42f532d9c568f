// The cases of a periapsis reference file in tests/programs/reference/ (made
// by the script beside it with a DOP853 integration of the same forces): one
// case a line, '#' lines are comments: its name, the start state's vectors
// (x y z each, in the order the file's header gives), the velocity
// increment, then the reference periapsis: time [s], position and velocity.
#pragma once

#include <OrbiterAPI.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

template <typename Start>
struct PeriapsisReferenceCase {
    std::string name;
    Start start;
    VECTOR3 deltaV;
    double time;
    VECTOR3 position, velocity;
};

// startVectors(start) lists the start state's vectors in the file's order.
template <typename Start, typename StartVectors>
std::vector<PeriapsisReferenceCase<Start>> ReadPeriapsisReference(const std::string &file,
                                                                  StartVectors startVectors) {
    std::vector<PeriapsisReferenceCase<Start>> cases;
    std::ifstream in(std::string(OKUL_SOURCE_DIR) + "/tests/programs/reference/" + file);
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#') continue;
        std::istringstream fields(line);
        PeriapsisReferenceCase<Start> c{};
        fields >> c.name;
        std::vector<VECTOR3 *> vectors = startVectors(c.start);
        vectors.push_back(&c.deltaV);
        for (VECTOR3 *v : vectors) fields >> v->x >> v->y >> v->z;
        fields >> c.time >> c.position.x >> c.position.y >> c.position.z >> c.velocity.x >> c.velocity.y >>
            c.velocity.z;
        if (fields) cases.push_back(c);
    }
    return cases;
}
