// The stars of the outside view: the Yale Bright Star Catalogue (5th revised
// edition, 9,100 stars to about magnitude 6.5, positions of J2000) as Debian's
// xplanet package ships it in /usr/share/xplanet/stars/BSC; the build copies
// it into the installation as Config/Sky/BSC.
//
// The file is text: '#' comment lines, then one star a line, "Dec RA Mag"
// (degrees, hours, visual magnitude) followed by the name in quotes and the
// catalogue numbers, which are not used.
#pragma once

#include <OrbiterAPI.h>

#include <cstdint>
#include <istream>
#include <string>
#include <vector>

namespace sim {

struct Star {
    VECTOR3 direction;     // unit vector, global frame
    double magnitude;      // visual
    std::uint32_t colour;  // at full brightness, 0x00RRGGBB
};

// The direction of a star at J2000 right ascension and declination (radians)
// in the global frame.
VECTOR3 starDirection(double rightAscension, double declination);

// Reads the catalogue; on a line it cannot read returns false with the line
// number in `error`.
bool readStarCatalogue(std::istream &in, std::vector<Star> &stars, std::string &error);

}  // namespace sim
