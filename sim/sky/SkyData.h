// What the outside view draws besides the geometry: the stars and the maps
// of the bodies, read from the installation's Config/Sky folder, which the
// build fills from Debian's packages (sim/sky/sources.cmake):
//   Stars.txt                the star table: xplanet's Bright Star Catalogue
//                            with B-V from stellarium-data's Hipparcos stars
//   <Body>.ppm               each body's map, named as the body (stellarium-data;
//                            Earth from xplanet-images)
//   Earth_night.ppm          Earth's lights by night (xplanet-images)
#pragma once

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "bodies/BodyId.h"
#include "sky/StarCatalogue.h"
#include "sky/SurfaceMap.h"

namespace sim {

struct SkyData {
    std::vector<Star> stars;
    std::array<SurfaceMap, kBodyCount> maps;  // by BodyId
    SurfaceMap earthNight;

    const SurfaceMap &map(BodyId id) const { return maps[std::size_t(id)]; }
};

// Reads the folder; on a missing or unreadable file returns null with a
// message naming it.
std::shared_ptr<const SkyData> loadSkyData(const std::string &folder, std::string &error);

}  // namespace sim
