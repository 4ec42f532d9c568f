// The stars of the outside view: the Yale Bright Star Catalogue (5th revised
// edition, 9,100 stars to about magnitude 6.5, positions of J2000) as Debian's
// xplanet package ships it in /usr/share/xplanet/stars/BSC, with each star's
// B-V colour index from the Hipparcos catalogues of Debian's stellarium-data.
// The build joins the two (tools/sky_maps/star_table.py) into the
// installation's Config/Sky/Stars.txt.
//
// The file is text: '#' comment lines, then one star a line, "Dec RA Mag B-V"
// (degrees, hours, visual magnitude, colour index) followed by the star's
// BSC (HR) number, which is not used.
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
    double colourIndex;    // B-V
    std::uint32_t colour;  // at full brightness, 0x00RRGGBB, from B-V
};

// The direction of a star at J2000 right ascension and declination (radians)
// in the global frame.
VECTOR3 starDirection(double rightAscension, double declination);

// The colour of a star of colour index `bv` (B-V) at full brightness,
// 0x00RRGGBB: the temperature after Ballesteros (2012),
// T = 4600 K (1 / (0.92 B-V + 1.7) + 1 / (0.92 B-V + 0.62)), then a black
// body's colour at it, from red-orange (B-V +2.0, 3,200 K) through white
// (+0.45, 6,600 K) to blue-white (-0.4, 21,700 K); B-V beyond those ends
// takes the end's colour. Integer arithmetic on B-V in hundredths, the same
// on every platform.
std::uint32_t starColour(double bv);

// Reads the catalogue; on a line it cannot read returns false with the line
// number in `error`.
bool readStarCatalogue(std::istream &in, std::vector<Star> &stars, std::string &error);

}  // namespace sim
