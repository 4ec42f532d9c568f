// A celestial body of the simulated solar system: its ephemeris state at the
// current simulation date, its physical constants, its rotation and the
// CELBODY interface modules reach through oapiGetCelbodyInterface.
#pragma once

#include <memory>
#include <string>

#include <OrbiterAPI.h>
#include <CelBodyAPI.h>

#include "core/SimObject.h"
#include "bodies/BodyEphemerisModule.h"
#include "bodies/BodyId.h"
#include "bodies/PlanetRotation.h"
#include "bodies/SolarSystemEphemeris.h"

namespace sim {

class Body : public SimObject {
public:
    Body(BodyId id, const SolarSystemEphemeris &ephemeris);
    ~Body() override;

    BodyId id() const { return id_; }
    const std::string &name() const { return name_; }
    double gm() const { return gm_; }
    double mass() const { return gm_ / GGRAV; }
    double radius() const { return radius_; }
    Body *parent() const { return parent_; }
    void setParent(Body *parent) { parent_ = parent; }
    const PlanetRotation &rotation() const { return planetRotation(id_); }
    CELBODY *celbody() const { return celbody_.get(); }

    // Barycentric global state at the date of the last update.
    const VECTOR3 &position() const { return position_; }
    const VECTOR3 &velocity() const { return velocity_; }
    void update(double mjd);
    // Barycentric global state at any date (no caching).
    void stateAt(double mjd, VECTOR3 &pos, VECTOR3 &vel) const;

    // Planet-centred surface point (longitude, latitude, radius) to global
    // position and velocity at the given date.
    void surfaceToGlobal(double mjd, double longitude, double latitude, double radius, VECTOR3 &pos,
                         VECTOR3 &vel) const;
    // Global position to longitude and latitude on the rotating body.
    void globalToSurface(double mjd, const VECTOR3 &pos, double &longitude, double &latitude) const;

private:
    BodyId id_;
    std::string name_;
    double gm_;
    double radius_;
    Body *parent_ = nullptr;
    const SolarSystemEphemeris &ephemeris_;
    BodyEphemerisModulePtr celbody_;
    VECTOR3 position_{};
    VECTOR3 velocity_{};
};

}  // namespace sim
