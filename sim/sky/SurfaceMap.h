// A body's surface map: a picture in equirectangular projection, longitude
// -180 deg at the left edge to +180 deg at the right (east to the right,
// the prime meridian in the middle), north at the top.
//
// The build converts the maps Debian ships (PNG and JPEG) into binary
// portable pixmaps (PPM "P6", 8 bits a channel) with python3-pil, so that the
// Linux and the Windows build read the same bytes with no image library.
#pragma once

#include <cstdint>
#include <istream>
#include <string>
#include <vector>

namespace sim {

struct Colour {
    double r = 0, g = 0, b = 0;  // 0..255
};

class SurfaceMap {
public:
    SurfaceMap() = default;
    SurfaceMap(int width, int height, std::vector<std::uint8_t> rgb);

    // Reads a binary PPM; on failure returns false with the reason in `error`.
    bool read(std::istream &in, std::string &error);

    bool empty() const { return width_ == 0; }
    int width() const { return width_; }
    int height() const { return height_; }
    // The mean colour of the map (weighted by area on the sphere).
    const Colour &mean() const { return mean_; }

    // The colour at planetocentric longitude and latitude (radians),
    // interpolated between the four nearest texels; longitude wraps.
    Colour at(double longitude, double latitude) const;

private:
    void computeMean();

    int width_ = 0;
    int height_ = 0;
    std::vector<std::uint8_t> rgb_;  // rows from north to south
    Colour mean_;
};

}  // namespace sim
