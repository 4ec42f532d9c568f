#include "bodies/BodyEphemerisModule.h"

#include <cmath>

namespace sim {

namespace {

const double kTwoPi = 6.283185307179586476925;

// Writes the polar form of a heliocentric state at out[0..5]: longitude,
// latitude (rad), radius (AU), then their rates per second.
void writePolar(const VECTOR3 &pos, const VECTOR3 &vel, double *out) {
    const double planar2 = pos.x * pos.x + pos.z * pos.z;
    const double planar = std::sqrt(planar2);
    const double radius2 = planar2 + pos.y * pos.y;
    const double radius = std::sqrt(radius2);
    double longitude = std::atan2(pos.z, pos.x);
    if (longitude < 0.0) longitude += kTwoPi;
    out[0] = longitude;
    out[1] = std::atan2(pos.y, planar);
    out[2] = radius / AU;
    out[3] = (pos.x * vel.z - pos.z * vel.x) / planar2;
    out[4] = (vel.y * planar2 - pos.y * (pos.x * vel.x + pos.z * vel.z)) / (radius2 * planar);
    out[5] = dotp(pos, vel) / radius / AU;
}

void writeRectangular(const VECTOR3 &pos, const VECTOR3 &vel, double *out) {
    for (int i = 0; i < 3; ++i) {
        out[i] = pos.data[i];
        out[3 + i] = vel.data[i];
    }
}

class BodyEphemerisModule final : public CELBODY {
public:
    BodyEphemerisModule(BodyId id, const SolarSystemEphemeris &eph) : id_(id), eph_(eph) {}

    bool bEphemeris() const override { return true; }

    int clbkEphemeris(double mjd, int req, double *ret) override {
        if (!ret || !eph_.covers(mjd)) return 0;
        VECTOR3 pos, vel;
        eph_.state(id_, mjd, pos, vel);
        switch (id_) {
            case BodyId::Sun:
                writeRectangular(pos, vel, ret);
                writeRectangular(pos, vel, ret + 6);
                return EPHEM_TRUEPOS | EPHEM_TRUEVEL | EPHEM_BARYPOS | EPHEM_BARYVEL | EPHEM_BARYISTRUE;
            case BodyId::Moon: {
                VECTOR3 earthPos, earthVel;
                eph_.state(BodyId::Earth, mjd, earthPos, earthVel);
                writeRectangular(pos - earthPos, vel - earthVel, ret);
                writeRectangular(pos - earthPos, vel - earthVel, ret + 6);
                return EPHEM_TRUEPOS | EPHEM_TRUEVEL | EPHEM_BARYISTRUE;
            }
            case BodyId::Mars:
            case BodyId::Jupiter:
            case BodyId::Saturn:
            case BodyId::Mercury:
            case BodyId::Venus:
            case BodyId::Earth:
                break;
        }
        VECTOR3 sunPos, sunVel;
        eph_.state(BodyId::Sun, mjd, sunPos, sunVel);
        const VECTOR3 helioPos = pos - sunPos, helioVel = vel - sunVel;
        if (id_ == BodyId::Mars || id_ == BodyId::Jupiter || id_ == BodyId::Saturn) {
            // DE405 carries these planets as their systems' barycentres.
            writePolar(helioPos, helioVel, ret + 6);
            return EPHEM_BARYPOS | EPHEM_BARYVEL | EPHEM_POLAR;
        }
        writePolar(helioPos, helioVel, ret);
        return EPHEM_TRUEPOS | EPHEM_TRUEVEL | EPHEM_POLAR;
    }

private:
    BodyId id_;
    const SolarSystemEphemeris &eph_;
};

}  // namespace

void BodyEphemerisModuleDeleter::operator()(CELBODY *module) const {
    delete static_cast<BodyEphemerisModule *>(module);
}

BodyEphemerisModulePtr makeBodyEphemerisModule(BodyId id, const SolarSystemEphemeris &eph) {
    return BodyEphemerisModulePtr(new BodyEphemerisModule(id, eph));
}

}  // namespace sim
