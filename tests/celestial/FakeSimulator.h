// A scripted stand-in for the simulator's body and planet functions, so
// that the conversions can be checked against known answers.
#pragma once

#include <CelBodyAPI.h>
#include <OrbiterAPI.h>

#include <string>

struct FakeBody : CELBODY {
    std::string name;
    bool hasEphemeris = true;
    int answerFlags = 3;
    double answer[12] = {0};
    double obliquity = 0, theta = 0, rotation = 0, period = 0;

    bool bEphemeris() const override { return hasEphemeris; }
    int clbkEphemeris(double mjd, int req, double *ret) override;
};

namespace fake {
// Registers a body (not owned); null interface when withInterface is false.
void AddBody(FakeBody *body, bool withInterface = true);
void Clear();
extern double simMjd;
}  // namespace fake
