#include "TrajectoryCommands.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "ScriptCommands.h"
#include "TrajectoryLayout.h"
#include "TrajectoryPicture.h"
#include "core/Body.h"
#include "core/TrajectoryPrediction.h"
#include "core/Vessel.h"

namespace okulsim {

namespace {

const double kDefaultSearchDays = 60.0;

bool isNumber(const std::string &text) {
    char *end = nullptr;
    std::strtod(text.c_str(), &end);
    return !text.empty() && end && *end == '\0';
}

// "NAME... BODY" followed by `numbers` numbers: the vessel's name may hold
// blanks, the body's does not.
bool vesselAndBody(ScriptContext &c, const std::vector<std::string> &args, std::size_t numbers,
                   const char *usage, const Vessel *&vessel, const sim::Body *&body, std::string &error) {
    if (args.size() < numbers + 2) {
        error = std::string("usage: ") + usage;
        return false;
    }
    const std::size_t bodyIndex = args.size() - numbers - 1;
    std::string name = args[0];
    for (std::size_t i = 1; i < bodyIndex; ++i) name += " " + args[i];
    vessel = c.simulation.vesselByName(name);
    if (!vessel) {
        error = "no vessel \"" + name + "\"";
        return false;
    }
    body = c.simulation.bodyByName(args[bodyIndex]);
    if (!body) {
        error = "no body \"" + args[bodyIndex] + "\"";
        return false;
    }
    return true;
}

// The prediction over `days` from now (negative: back) stays within the
// ephemeris; a longer one would also take the integration forever.
bool withinEphemeris(const ScriptContext &c, double days, std::string &error) {
    const sim::SolarSystemEphemeris &ephemeris = c.simulation.ephemeris();
    const double reach = c.simulation.mjd() + days;
    if (ephemeris.covers(reach)) return true;
    char text[160];
    std::snprintf(text, sizeof text, "%g days reach MJD %.1f, outside the ephemeris (MJD %.1f to %.1f)", days,
                  reach, ephemeris.firstMjd(), ephemeris.lastMjd());
    error = text;
    return false;
}

std::string describe(const char *what, const std::string &vessel, const sim::Body &body,
                     const sim::PredictedPeriapsis &p) {
    char line[512];
    std::snprintf(line, sizeof line,
                  "%s of %s about %s: MJD %.6f radius %.3f km altitude %.3f km longitude %.4f latitude %.4f "
                  "speed %.2f m/s",
                  what, vessel.c_str(), body.name().c_str(), p.mjd, p.radius / 1000.0,
                  (p.radius - body.radius()) / 1000.0, p.longitude * DEG, p.latitude * DEG,
                  length(p.velocity));
    return line;
}

bool cmdPeriapsis(ScriptContext &c, const std::vector<std::string> &args, std::string &error) {
    const bool withDays = args.size() >= 3 && isNumber(args.back());
    const Vessel *vessel;
    const sim::Body *body;
    if (!vesselAndBody(c, args, withDays ? 1 : 0, "periapsis NAME BODY [DAYS]", vessel, body, error))
        return false;
    double days = kDefaultSearchDays;
    if (withDays && (!parseNumber(args.back(), days, error) || !withinEphemeris(c, days, error)))
        return false;
    const sim::PredictedPeriapsis p = sim::predictPeriapsis(c.simulation, *vessel, *body, days);
    if (!p.found) {
        error = "no periapsis of " + vessel->name() + " about " + body->name() + " within " + args.back() +
                " days";
        return false;
    }
    c.out << describe("periapsis", vessel->name(), *body, p) << "\n";
    return true;
}

bool cmdOsculating(ScriptContext &c, const std::vector<std::string> &args, std::string &error) {
    const Vessel *vessel;
    const sim::Body *body;
    if (!vesselAndBody(c, args, 0, "osculating NAME BODY", vessel, body, error)) return false;
    c.out << describe("osculating periapsis", vessel->name(), *body,
                      sim::osculatingPeriapsis(c.simulation, *vessel, *body))
          << "\n";
    return true;
}

// expectperiapsis NAME BODY LON LAT RADIUS_KM WITHIN_KM [MJD]: the next
// periapsis lies within WITHIN_KM of the point over the rotating body as it
// stands at MJD (by default at the periapsis date).
bool cmdExpectPeriapsis(ScriptContext &c, const std::vector<std::string> &args, std::string &error) {
    const char *usage = "expectperiapsis NAME BODY LON LAT RADIUS_KM WITHIN_KM [MJD]";
    const std::size_t numbers = args.size() >= 7 && isNumber(args[args.size() - 5]) ? 5 : 4;
    const Vessel *vessel;
    const sim::Body *body;
    if (!vesselAndBody(c, args, numbers, usage, vessel, body, error)) return false;
    double values[5] = {0, 0, 0, 0, 0};
    for (std::size_t i = 0; i < numbers; ++i)
        if (!parseNumber(args[args.size() - numbers + i], values[i], error)) return false;
    const sim::PredictedPeriapsis p = sim::predictPeriapsis(c.simulation, *vessel, *body, kDefaultSearchDays);
    if (!p.found) {
        error = "no periapsis of " + vessel->name() + " about " + body->name() + " ahead";
        return false;
    }
    const double pointMjd = numbers == 5 ? values[4] : p.mjd;
    const VECTOR3 point = surfacePoint(*body, pointMjd, values[0] * RAD, values[1] * RAD, values[2] * 1000.0);
    const double miss = length(p.position - point) / 1000.0;
    char line[256];
    std::snprintf(line, sizeof line,
                  "  from the target (%.4f, %.4f, %.3f km at MJD %.6f): %.3f km (allowed %.3f km)", values[0],
                  values[1], values[2], pointMjd, miss, values[3]);
    c.out << describe("periapsis", vessel->name(), *body, p) << "\n" << line << "\n";
    if (miss <= values[3]) return true;
    error = std::string("the periapsis misses the target:") + line;
    return false;
}

// expectperiapsisdate NAME BODY MJD WITHIN_S: the next periapsis comes
// within WITHIN_S seconds of MJD.
bool cmdExpectPeriapsisDate(ScriptContext &c, const std::vector<std::string> &args, std::string &error) {
    const Vessel *vessel;
    const sim::Body *body;
    double mjd, within;
    if (!vesselAndBody(c, args, 2, "expectperiapsisdate NAME BODY MJD WITHIN_S", vessel, body, error) ||
        !parseNumber(args[args.size() - 2], mjd, error) || !parseNumber(args.back(), within, error))
        return false;
    const sim::PredictedPeriapsis p = sim::predictPeriapsis(c.simulation, *vessel, *body, kDefaultSearchDays);
    if (!p.found) {
        error = "no periapsis of " + vessel->name() + " about " + body->name() + " ahead";
        return false;
    }
    const double late = (p.mjd - mjd) * 86400.0;
    char line[256];
    std::snprintf(line, sizeof line, "  periapsis at MJD %.6f: %+.2f s from MJD %.6f (allowed %.2f s)", p.mjd,
                  late, mjd, within);
    c.out << line << "\n";
    if (std::fabs(late) <= within) return true;
    error = std::string("the periapsis comes at another time:") + line;
    return false;
}

// plot FILE.png NAME BODY DAYS [LON LAT RADIUS_KM [MJD]]: the path in the plane of
// the motion about the body, the body to scale, the periapsis marked.
bool cmdPlot(ScriptContext &c, const std::vector<std::string> &args, std::string &error) {
    const char *usage = "plot FILE.png NAME BODY DAYS [LON LAT RADIUS_KM [MJD]]";
    if (args.size() < 4) {
        error = std::string("usage: ") + usage;
        return false;
    }
    const std::string file = args[0];
    std::vector<std::string> rest(args.begin() + 1, args.end());
    // DAYS, then perhaps the target point and the date its longitude and
    // latitude refer to.
    std::size_t numbers = 0;
    while (numbers < rest.size() && numbers < 5 && isNumber(rest[rest.size() - 1 - numbers])) ++numbers;
    if (numbers != 1 && numbers != 4 && numbers != 5) {
        error = std::string("usage: ") + usage;
        return false;
    }
    const bool withTarget = numbers >= 4;
    const Vessel *vessel;
    const sim::Body *body;
    if (!vesselAndBody(c, rest, numbers, usage, vessel, body, error)) return false;
    double values[5] = {0, 0, 0, 0, 0};
    for (std::size_t i = 0; i < numbers; ++i)
        if (!parseNumber(rest[rest.size() - numbers + i], values[i], error)) return false;
    const double days = values[0];
    if (!withinEphemeris(c, days, error)) return false;

    SurfacePoint aim;
    if (withTarget)
        aim = SurfacePoint{values[1] * RAD, values[2] * RAD, values[3] * 1000.0,
                           numbers == 5 ? values[4] : 0.0};
    const TrajectoryLayout layout =
        layOutTrajectory(c.simulation, *vessel, *body, days, 2000, withTarget ? &aim : nullptr);
    const sim::PredictedPeriapsis &periapsis = layout.periapsis;
    const int size = 900;
    const double scale = (size / 2.0 - 40.0) / layout.extent;
    auto toPicture = [&](const TrajectoryLayout::Point &p, TrajectoryPicture::Point &at) {
        at.x = size / 2.0 + p.x * scale;
        at.y = size / 2.0 - p.y * scale;
    };

    TrajectoryPicture picture;
    picture.size = size;
    picture.bodyRadius = layout.bodyRadius * scale;
    picture.ahead = days >= 0;
    for (const TrajectoryLayout::Point &p : layout.path) {
        picture.path.emplace_back();
        toPicture(p, picture.path.back());
    }
    char text[256];
    if (periapsis.found) {
        picture.periapsis.shown = true;
        toPicture(layout.periapsisAt, picture.periapsis.at);
        std::snprintf(text, sizeof text, "periapsis MJD %.4f, %.1f km up, %.2f / %.2f deg", periapsis.mjd,
                      (periapsis.radius - body->radius()) / 1000.0, periapsis.longitude * DEG,
                      periapsis.latitude * DEG);
        picture.periapsis.label = text;
    }
    if (layout.withTarget) {
        picture.target.shown = true;
        toPicture(layout.targetAt, picture.target.at);
        std::snprintf(text, sizeof text, "target, %.1f km from the periapsis", layout.targetMiss / 1000.0);
        picture.target.label = text;
    }
    std::snprintf(text, sizeof text, "%s about %s, %+.2f days from MJD %.4f", vessel->name().c_str(),
                  body->name().c_str(), days, c.simulation.mjd());
    picture.title = text;
    std::snprintf(text, sizeof text, "%.0f km across", 2.0 * layout.extent / 1000.0);
    picture.scale = text;
    return paintTrajectoryPicture(picture, c.path(file), error);
}

}  // namespace

void registerTrajectoryCommands() {
    registerCommand(
        "periapsis", cmdPeriapsis,
        "periapsis NAME BODY [DAYS]  (next periapsis about BODY by the simulator's own propagation)");
    registerCommand("osculating", cmdOsculating,
                    "osculating NAME BODY  (periapsis of the two-body orbit through the present state)");
    registerCommand(
        "expectperiapsis", cmdExpectPeriapsis,
        "expectperiapsis NAME BODY LON LAT RADIUS_KM WITHIN_KM [MJD]  (fail unless the next periapsis "
        "lies that near the point over the rotating body, as it stands at MJD)");
    registerCommand(
        "expectperiapsisdate", cmdExpectPeriapsisDate,
        "expectperiapsisdate NAME BODY MJD WITHIN_S  (fail unless the next periapsis comes that near MJD)");
    registerCommand(
        "plot", cmdPlot,
        "plot FILE.png NAME BODY DAYS [LON LAT RADIUS_KM [MJD]]  (the path about BODY, periapsis and target "
        "marked)");
}

}  // namespace okulsim
