// A vessel's predicted path about a body laid out flat, for a picture: in
// the plane of the motion, x toward the periapsis (or the nearest point of
// the path), y along the motion there, in metres from the body's centre.
// The runner's `plot` paints it with Cairo (or GDI); the live console's map
// sends it to the page, which draws it.
#pragma once

#include <string>
#include <vector>

#include "core/TrajectoryPrediction.h"

namespace sim {
class Simulation;
class Body;
}  // namespace sim

namespace okulsim {

// A point fixed over a rotating body, as the programs give their target:
// angles in radians, the radius in metres, the date its longitude refers to.
struct SurfacePoint {
    double longitude = 0.0, latitude = 0.0, radius = 0.0;
    double mjd = 0.0;  // 0: the periapsis date
};

// The body-relative position (global axes) of a point fixed over the
// rotating body, as the body stands at `mjd`.
VECTOR3 surfacePoint(const sim::Body &body, double mjd, double longitude, double latitude, double radius);

struct TrajectoryLayout {
    struct Point {
        double x, y;
    };
    double bodyRadius = 0.0;
    std::vector<Point> path;  // from now on (or back, for negative days)
    // Half the side of the square that shows the approach close up (a long
    // path leaves it).
    double extent = 0.0;
    sim::PredictedPeriapsis periapsis;
    Point periapsisAt{0, 0};
    bool withTarget = false;
    Point targetAt{0, 0};
    double targetMiss = 0.0;  // m, from the periapsis (at the periapsis date, or the point's date)
};

// The path over `days` from now (at least `count` points), the periapsis
// searched over the same days (or 60 ahead for a path behind), and the
// target when one is given and there is a periapsis to place it by.
TrajectoryLayout layOutTrajectory(const sim::Simulation &simulation, const Vessel &vessel,
                                  const sim::Body &body, double days, int count, const SurfacePoint *target);

// The days of path a map shows: to the periapsis and as far again, or the
// whole ellipse of a bound orbit, within `longest` days.
double mapDays(const sim::Simulation &simulation, const Vessel &vessel, const sim::Body &body,
               double longest);

}  // namespace okulsim
