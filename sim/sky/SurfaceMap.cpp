#include "sky/SurfaceMap.h"

#include <OrbiterAPI.h>

#include <algorithm>
#include <cmath>

namespace sim {

SurfaceMap::SurfaceMap(int width, int height, std::vector<std::uint8_t> rgb)
    : width_(width), height_(height), rgb_(std::move(rgb)) {
    computeMean();
}

bool SurfaceMap::read(std::istream &in, std::string &error) {
    std::string magic;
    long width = 0, height = 0, maximum = 0;
    in >> magic;
    // Header fields are separated by white space; comments are not written
    // by the converter and not accepted.
    if (magic != "P6" || !(in >> width >> height >> maximum) || width < 2 || height < 2 || width > 16384 ||
        height > 16384 || maximum != 255) {
        error = "not a binary PPM of 8-bit channels";
        return false;
    }
    in.get();  // the single white-space character before the pixels
    std::vector<std::uint8_t> rgb(std::size_t(width) * std::size_t(height) * 3);
    if (!in.read(reinterpret_cast<char *>(rgb.data()), std::streamsize(rgb.size()))) {
        error = "the pixels end early";
        return false;
    }
    *this = SurfaceMap(int(width), int(height), std::move(rgb));
    return true;
}

void SurfaceMap::computeMean() {
    double r = 0, g = 0, b = 0, weights = 0;
    for (int y = 0; y < height_; ++y) {
        const double weight = std::cos(((y + 0.5) / height_ - 0.5) * PI);
        const std::uint8_t *row = &rgb_[std::size_t(y) * width_ * 3];
        double rr = 0, gg = 0, bb = 0;
        for (int x = 0; x < width_; ++x) {
            rr += row[3 * x];
            gg += row[3 * x + 1];
            bb += row[3 * x + 2];
        }
        r += weight * rr;
        g += weight * gg;
        b += weight * bb;
        weights += weight * width_;
    }
    if (weights > 0) mean_ = Colour{r / weights, g / weights, b / weights};
}

Colour SurfaceMap::at(double longitude, double latitude) const {
    if (empty()) return Colour{};
    // Texel centres sit at half-integer positions.
    const double u = (longitude / (2 * PI) + 0.5) * width_ - 0.5;
    const double v = (0.5 - latitude / PI) * height_ - 0.5;
    const double uf = std::floor(u), vf = std::floor(v);
    const double fu = u - uf, fv = v - vf;
    // Longitudes within a turn of the range need no division.
    auto wrap = [&](double x) {
        if (x >= 0 && x < width_) return int(x);
        if (x >= -width_ && x < 0) return int(x) + width_;
        if (x >= width_ && x < 2.0 * width_) return int(x) - width_;
        const double turns = std::floor(x / width_);
        return std::min(width_ - 1, std::max(0, int(x - turns * width_)));
    };
    const int x0 = wrap(uf), x1 = wrap(uf + 1);
    const int y0 = int(std::max(0.0, std::min(double(height_ - 1), vf)));
    const int y1 = int(std::max(0.0, std::min(double(height_ - 1), vf + 1)));
    const std::uint8_t *a = &rgb_[(std::size_t(y0) * width_ + x0) * 3];
    const std::uint8_t *b = &rgb_[(std::size_t(y0) * width_ + x1) * 3];
    const std::uint8_t *c = &rgb_[(std::size_t(y1) * width_ + x0) * 3];
    const std::uint8_t *d = &rgb_[(std::size_t(y1) * width_ + x1) * 3];
    auto mix = [&](int k) {
        const double top = a[k] + (b[k] - a[k]) * fu;
        const double bottom = c[k] + (d[k] - c[k]) * fu;
        return top + (bottom - top) * fv;
    };
    return Colour{mix(0), mix(1), mix(2)};
}

}  // namespace sim
