#include "EarthEntry.h"

#include <cmath>
#include <cstdio>
#include <stdexcept>
#include <string>

#include "OsculatingPeriapsis.h"
#include "bodies/PlanetRotation.h"

namespace earth_entry {

namespace {

// The program's entry and landing-site constants.
const double kGroundRadius = 6371000.0;
const double kEntryInterfaceRadius = 6491000.0;
const double kFlightPathAngle = 31.0 * RAD;
const double kGroundPointOffset = 1.66 * RAD;
const double kLandingSiteLatitude = 45.9375 * RAD;
const double kHourAngleOffset = 63.33125 * RAD;
// Keeps the target date clear of the half days at which the program's
// reference day changes.
const double kDayMargin = 0.35;

double Wrap(double angle) { return std::atan2(std::sin(angle), std::cos(angle)); }

[[noreturn]] void Fail(const char *what) {
    throw std::runtime_error(std::string("earth entry design: ") + what);
}

}  // namespace

Target DesignTarget(const sim::SolarSystemEphemeris &ephemeris, const Design &design) {
    const double gm = sim::bodyConstants(sim::BodyId::Earth).gm;
    const sim::PlanetRotation &earth = sim::planetRotation(sim::BodyId::Earth);
    Target target;

    VECTOR3 earthPos, earthVel, sunPos, sunVel;
    ephemeris.state(sim::BodyId::Earth, design.wantedArrivalMjd, earthPos, earthVel);
    ephemeris.state(sim::BodyId::Sun, design.wantedArrivalMjd, sunPos, sunVel);
    const VECTOR3 along = unit(earthVel - sunVel), sunward = unit(sunPos - earthPos);
    const VECTOR3 &axes = design.approachAxes;
    const VECTOR3 u = unit(along * axes.x + sunward * axes.y + _V(0.0, 1.0, 0.0) * axes.z);
    target.approachDirection = u;

    // The entry hyperbola: v_inf, and 31 degrees below the horizontal at the
    // entry interface.
    const double vInf2 = design.vInfinity * design.vInfinity;
    const double entrySpeed = std::sqrt(vInf2 + 2.0 * gm / kEntryInterfaceRadius);
    const double h = kEntryInterfaceRadius * entrySpeed * std::cos(kFlightPathAngle);
    const double p = h * h / gm;
    const double e = std::sqrt(1.0 + vInf2 * h * h / (gm * gm));
    const double periapsisRadius = p / (1.0 + e);
    const double a = gm / vInf2;
    const double groundAnomaly = std::acos((p / kEntryInterfaceRadius - 1.0) / e) - kGroundPointOffset;
    const double F = 2.0 * std::atanh(std::sqrt((e - 1.0) / (e + 1.0)) * std::tan(groundAnomaly / 2.0));
    target.entryToPeriapsis = std::sqrt(a * a * a / gm) * (e * std::sinh(F) - F);
    // Angle between the approach direction and the ground point: from the
    // asymptote to the periapsis, and on to the ground point.
    const double cone = std::acos(1.0 / e) + groundAnomaly;

    // Longitudes (equatorial frame) of the landing-site latitude at that angle
    // from u: u_x cos L + u_z sin L = k.
    const MATRIX3 toEcliptic = earth.obliquityMatrix();
    const VECTOR3 uEq = tmul(toEcliptic, u);
    const double lat = kLandingSiteLatitude;
    const double k = (std::cos(cone) - uEq.y * std::sin(lat)) / std::cos(lat);
    const double rho = std::hypot(uEq.x, uEq.z);
    if (std::fabs(k) > rho) Fail("the landing-site latitude is out of reach of this approach");
    const double psi = std::atan2(uEq.z, uEq.x), spread = std::acos(k / rho);

    // The landing site passes under a longitude L on day D at
    // D + (L - lambda(D)) T / 2pi; the day is the one nearest to that date.
    const double period = earth.siderealPeriod / 86400.0;
    double best = 1e9, bestLongitude = 0.0;
    for (double longitude : {Wrap(psi + spread), Wrap(psi - spread)}) {
        for (int shift = -3; shift <= 3; ++shift) {
            const double day = std::floor(design.wantedArrivalMjd + 0.5) + shift;
            const double lambda = std::asin(std::sin(earth.rotationAt(day) + kHourAngleOffset));
            const double date = day + (longitude - lambda) * period / (2.0 * PI);
            const double arrival = date + target.entryToPeriapsis / 86400.0;
            if (std::fabs(date - day) < kDayMargin && std::fabs(arrival - design.wantedArrivalMjd) < best) {
                best = std::fabs(arrival - design.wantedArrivalMjd);
                bestLongitude = longitude;
                target.groundMjd = date;
            }
        }
    }
    if (best > 5.0) Fail("no target date near the wanted arrival");

    const VECTOR3 groundEq =
        _V(std::cos(lat) * std::cos(bestLongitude), std::sin(lat), std::cos(lat) * std::sin(bestLongitude));
    const VECTOR3 g = mul(toEcliptic, groundEq);
    target.groundPoint = g * kGroundRadius;
    // The periapsis lies the remaining anomaly further, toward u.
    const VECTOR3 towardU = unit(u - g * dotp(u, g));
    const VECTOR3 periapsisDirection = g * std::cos(groundAnomaly) + towardU * std::sin(groundAnomaly);
    target.periapsisPosition = periapsisDirection * periapsisRadius;
    const VECTOR3 motion = unit(u - periapsisDirection * dotp(u, periapsisDirection));
    target.periapsisVelocity = motion * std::sqrt(vInf2 + 2.0 * gm / periapsisRadius);
    target.periapsisMjd = target.groundMjd + target.entryToPeriapsis / 86400.0;
    return target;
}

FreeState DesignStart(const sim::SolarSystemEphemeris &ephemeris, const sim::GravityModel &gravity,
                      const Design &design, const Target &target) {
    VECTOR3 earthPos, earthVel;
    ephemeris.state(sim::BodyId::Earth, target.periapsisMjd, earthPos, earthVel);
    FreeState s = {target.periapsisMjd, earthPos + target.periapsisPosition,
                   earthVel + target.periapsisVelocity};
    s = arrival_design::Advance(gravity, s, (design.startMjd - target.periapsisMjd) * 86400.0);
    s.mjd = design.startMjd;
    s.velocity += design.velocityOffset;
    return s;
}

Arrival ArrivalSeenFrom(const sim::SolarSystemEphemeris &ephemeris, const sim::GravityModel &gravity,
                        const FreeState &state, double maxDays) {
    const arrival_design::Periapsis closest =
        arrival_design::FindPeriapsis(ephemeris, gravity, sim::BodyId::Earth, state, maxDays);
    Arrival arrival;
    arrival.closestMjd = closest.mjd;
    arrival.closestPosition = closest.relativePosition;
    VECTOR3 v;
    const VECTOR3 r = arrival_design::BodyRelative(ephemeris, sim::BodyId::Earth, state, &v);
    const arrival_design::OsculatingPeriapsis osculating =
        arrival_design::PeriapsisOf(sim::bodyConstants(sim::BodyId::Earth).gm, r, v);
    arrival.osculatingMjd = state.mjd + osculating.secondsAhead / 86400.0;
    arrival.osculatingPosition = osculating.position;
    return arrival;
}

Arrival FindArrival(const sim::SolarSystemEphemeris &ephemeris, const sim::GravityModel &gravity,
                    const FreeState &start, double maxDays) {
    const arrival_design::Periapsis closest =
        arrival_design::FindPeriapsis(ephemeris, gravity, sim::BodyId::Earth, start, maxDays);
    const FreeState before =
        arrival_design::Advance(gravity, start, (closest.mjd - start.mjd - 1.0 / 24.0) * 86400.0);
    return ArrivalSeenFrom(ephemeris, gravity, before, 1.0);
}

std::string ScenarioText(const sim::SolarSystemEphemeris &ephemeris, const FreeState &start,
                         const Target &target, const std::vector<ScenarioVessel> &onState,
                         const std::string &focus, const std::string &otherBlocks) {
    const char *spacecraft = onState.empty() ? "" : onState.front().name.c_str();
    char description[512];
    std::snprintf(description, sizeof(description),
                  "%s returning to the Earth, %.1f days before the periapsis of its entry\n"
                  "(MJD %.4f, aimed below the surface; the entry over the landing-site latitude).\n"
                  "The uncorrected entry misses the PLE target by some hundred km. PLE -10 seeds the\n"
                  "increment and PLE 310 solves for it, to be made 600 s after the command; the\n"
                  "transmitted records turn TAVR-12 and burn its engine.\n",
                  spacecraft, target.periapsisMjd - start.mjd, target.periapsisMjd);
    return arrival_design::ScenarioText(ephemeris, description, start, onState, focus, otherBlocks);
}

}  // namespace earth_entry
