// Positions and velocities of the Sun, the planets and the Moon from a slice of
// JPL DE405 (the file written by tools/de405/extract_de405.py).
//
// Data file, little-endian:
//   "DE405SLC"; uint32 version (1), body count (8), block count, doubles per
//   block record; double first block start (MJD, TDB), block length (days),
//   AU (km), Earth/Moon mass ratio; then per series (Mercury, Venus, Earth-Moon
//   barycentre, Mars, Jupiter, Saturn, geocentric Moon, Sun) four uint32: JPL
//   body number, offset within a block record (doubles), coefficients per
//   component, sub-intervals per block; then the block records: the block's
//   start MJD followed by every series' Chebyshev coefficients in JPL's order
//   (sub-interval, then x, y, z; ICRS, km).
//
// States are answered in the simulator's global frame: origin at the
// solar-system barycentre, ecliptic and equinox J2000, left-handed with
// x towards the vernal equinox and y towards ecliptic north; metres and m/s.
#pragma once

#include <OrbiterAPI.h>

#include <string>
#include <vector>

#include "bodies/BodyId.h"

namespace sim {

// Turns a vector of ICRS axes (J2000 mean equator, as JPL and star catalogues
// give them) into the global frame's axes.
VECTOR3 icrsToGlobal(const VECTOR3 &v);

class SolarSystemEphemeris {
public:
    // Reads the data file; on failure returns false, leaves the ephemeris
    // empty and says why in error.
    bool load(const std::string &path, std::string &error);

    bool loaded() const { return blockCount_ > 0; }
    // Covered span [firstMjd, lastMjd] (TDB); both 0 while nothing is loaded.
    double firstMjd() const;
    double lastMjd() const;
    bool covers(double mjd) const;

    // Barycentric state of the body at the date (TDB). Dates outside the
    // covered span are answered at the nearest end of the span: callers check
    // covers() first. With nothing loaded the state is zero.
    void state(BodyId body, double mjd, VECTOR3 &pos, VECTOR3 &vel) const;

private:
    enum Series {
        Mercury,
        Venus,
        EarthMoonBarycentre,
        Mars,
        Jupiter,
        Saturn,
        GeocentricMoon,
        Sun,
        kSeriesCount
    };

    struct SeriesLayout {
        int offset = 0;            // first coefficient within a block record
        int coefficientCount = 0;  // per component and sub-interval
        int subIntervals = 0;
        double subIntervalDays = 0.0;
        double subIntervalsPerDay = 0.0;
    };

    // ICRS position (km) and velocity (km/s) of one series, relative to its
    // own origin (barycentre, or Earth for the Moon).
    void evaluate(Series series, double mjd, double pos[3], double vel[3]) const;

    std::vector<double> records_;
    SeriesLayout layout_[kSeriesCount];
    int blockCount_ = 0;
    int recordSize_ = 0;
    double firstMjd_ = 0.0;
    double blockDays_ = 0.0;
    double blocksPerDay_ = 0.0;
    double spanDays_ = 0.0;
    double earthShareOfMoon_ = 0.0;  // 1 / (1 + Earth/Moon mass ratio)
};

}  // namespace sim
