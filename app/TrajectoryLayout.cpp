#include "TrajectoryLayout.h"

#include <algorithm>
#include <cmath>

#include "core/Body.h"
#include "core/Simulation.h"
#include "core/Vessel.h"

namespace okulsim {

namespace {

const double kPeriapsisSearchDays = 60.0;
// The approach close up: a long path leaves the picture.
const double kLargestExtentInRadii = 15.0;

}  // namespace

VECTOR3 surfacePoint(const sim::Body &body, double mjd, double longitude, double latitude, double radius) {
    VECTOR3 point, velocity, bodyPos, bodyVel;
    body.surfaceToGlobal(mjd, longitude, latitude, radius, point, velocity);
    body.stateAt(mjd, bodyPos, bodyVel);
    return point - bodyPos;
}

TrajectoryLayout layOutTrajectory(const sim::Simulation &simulation, const Vessel &vessel,
                                  const sim::Body &body, double days, int count, const SurfacePoint *target) {
    TrajectoryLayout layout;
    layout.bodyRadius = body.radius();
    const std::vector<VECTOR3> path = sim::predictPath(simulation, vessel, body, days, count);
    layout.periapsis =
        sim::predictPeriapsis(simulation, vessel, body, days > 0 ? days : kPeriapsisSearchDays);
    const sim::PredictedPeriapsis &periapsis = layout.periapsis;
    // The plane of the motion: x toward the periapsis (or the nearest point
    // of the path), y along the motion there.
    std::size_t nearest = 0;
    for (std::size_t i = 1; i < path.size(); ++i)
        if (length(path[i]) < length(path[nearest])) nearest = i;
    const VECTOR3 toward = periapsis.found ? periapsis.position : path[nearest];
    const VECTOR3 moving =
        periapsis.found ? periapsis.velocity : path[std::min(nearest + 1, path.size() - 1)] - path[nearest];
    const VECTOR3 xAxis = unit(toward);
    const VECTOR3 normal = unit(crossp(toward, moving));
    const VECTOR3 yAxis = unit(crossp(normal, xAxis));
    auto flat = [&](const VECTOR3 &p) { return TrajectoryLayout::Point{dotp(p, xAxis), dotp(p, yAxis)}; };

    layout.extent = body.radius() * 1.5;
    for (const VECTOR3 &p : path) {
        layout.path.push_back(flat(p));
        layout.extent = std::max(layout.extent,
                                 std::max(std::fabs(layout.path.back().x), std::fabs(layout.path.back().y)));
    }
    layout.extent = std::min(layout.extent, body.radius() * kLargestExtentInRadii);
    if (periapsis.found) layout.periapsisAt = flat(periapsis.position);
    if (target != nullptr && periapsis.found) {
        const double pointMjd = target->mjd > 0.0 ? target->mjd : periapsis.mjd;
        const VECTOR3 aim = surfacePoint(body, pointMjd, target->longitude, target->latitude, target->radius);
        layout.withTarget = true;
        layout.targetAt = flat(aim);
        layout.targetMiss = length(aim - periapsis.position);
    }
    return layout;
}

double mapDays(const sim::Simulation &simulation, const Vessel &vessel, const sim::Body &body,
               double longest) {
    const sim::PredictedPeriapsis osculating = sim::osculatingPeriapsis(simulation, vessel, body);
    const double speed = length(osculating.velocity);
    // Bound: one turn of the ellipse (from the vis-viva energy at the periapsis).
    const double energy = speed * speed / 2.0 - body.gm() / osculating.radius;
    if (energy < 0.0) {
        const double a = -body.gm() / (2.0 * energy);
        return std::min(longest, 2.0 * PI * std::sqrt(a * a * a / body.gm()) / 86400.0);
    }
    const double toPeriapsis = osculating.mjd - simulation.mjd();
    return toPeriapsis > 0.0 ? std::min(longest, std::max(0.05, 2.0 * toPeriapsis)) : std::min(longest, 1.0);
}

}  // namespace okulsim
