#include "FakeSimulator.h"

#include <cmath>
#include <cstring>
#include <map>

namespace fake {
double simMjd = 43000.0;
namespace {
std::map<std::string, FakeBody *> bodies;
std::map<std::string, bool> interfaces;
}  // namespace
void AddBody(FakeBody *body, bool withInterface) {
    bodies[body->name] = body;
    interfaces[body->name] = withInterface;
}
void Clear() {
    bodies.clear();
    interfaces.clear();
}
}  // namespace fake

CELBODY::CELBODY() {}
CELBODY::~CELBODY() {}
void CELBODY::clbkInit(FILEHANDLE) {}
bool CELBODY::bEphemeris() const { return false; }
int CELBODY::clbkEphemeris(double, int, double *) { return 0; }
int CELBODY::clbkFastEphemeris(double, int, double *) { return 0; }

int FakeBody::clbkEphemeris(double, int, double *ret) {
    std::memcpy(ret, answer, sizeof(answer));
    return answerFlags;
}

namespace {
FakeBody *Body(OBJHANDLE h) { return static_cast<FakeBody *>(h); }
}  // namespace

OBJHANDLE oapiGetGbodyByName(char *name) {
    auto it = fake::bodies.find(name);
    return it == fake::bodies.end() ? nullptr : it->second;
}
CELBODY *oapiGetCelbodyInterface(OBJHANDLE h) { return fake::interfaces[Body(h)->name] ? Body(h) : nullptr; }
double oapiGetPlanetPeriod(OBJHANDLE h) { return Body(h)->period; }
double oapiGetPlanetObliquity(OBJHANDLE h) { return Body(h)->obliquity; }
double oapiGetPlanetTheta(OBJHANDLE h) { return Body(h)->theta; }
double oapiGetPlanetCurrentRotation(OBJHANDLE h) { return Body(h)->rotation; }
void oapiGetPlanetObliquityMatrix(OBJHANDLE h, MATRIX3 *m) {
    // [cos t 0 -sin t; 0 1 0; sin t 0 cos t] * [1 0 0; 0 cos e -sin e; 0 sin e cos e]
    const double ct = std::cos(Body(h)->theta), st = std::sin(Body(h)->theta);
    const double ce = std::cos(Body(h)->obliquity), se = std::sin(Body(h)->obliquity);
    *m = mul(_M(ct, 0, -st, 0, 1, 0, st, 0, ct), _M(1, 0, 0, 0, ce, -se, 0, se, ce));
}
double oapiGetSimMJD() { return fake::simMjd; }
