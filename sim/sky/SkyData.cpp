#include "sky/SkyData.h"

#include <fstream>

namespace sim {

namespace {

bool readMap(const std::string &path, SurfaceMap &map, std::string &error) {
    std::ifstream in(path, std::ios::binary);
    std::string why;
    if (!in)
        why = "missing (the build makes it from Debian's stellarium-data and xplanet-images)";
    else if (map.read(in, why))
        return true;
    error = path + ": " + why;
    return false;
}

}  // namespace

std::shared_ptr<const SkyData> loadSkyData(const std::string &folder, std::string &error) {
    auto sky = std::make_shared<SkyData>();
    const std::string catalogue = folder + "/Stars.txt";
    std::ifstream in(catalogue);
    std::string why;
    if (!in) {
        error =
            catalogue + ": missing (the build makes it from Debian's xplanet and stellarium-data packages)";
        return nullptr;
    }
    if (!readStarCatalogue(in, sky->stars, why)) {
        error = catalogue + ": " + why;
        return nullptr;
    }
    for (int i = 0; i < kBodyCount; ++i)
        if (!readMap(folder + "/" + bodyConstants(BodyId(i)).name + ".ppm", sky->maps[std::size_t(i)], error))
            return nullptr;
    if (!readMap(folder + "/Earth_night.ppm", sky->earthNight, error)) return nullptr;
    return sky;
}

}  // namespace sim
