// A body's map: reading the converted pictures and sampling them by
// longitude and latitude.
#include "sky/SurfaceMap.h"

#include <gtest/gtest.h>

#include <OrbiterAPI.h>

#include <sstream>

namespace {

// A 4 x 2 map: texel (x, y) has red 10 * x + 100 * y, green 7, blue x.
sim::SurfaceMap smallMap() {
    std::vector<std::uint8_t> rgb;
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 4; ++x) {
            rgb.push_back(std::uint8_t(10 * x + 100 * y));
            rgb.push_back(7);
            rgb.push_back(std::uint8_t(x));
        }
    return sim::SurfaceMap(4, 2, std::move(rgb));
}

}  // namespace

TEST(SurfaceMap, SamplesTexelCentresAndBlendsBetweenThem) {
    const sim::SurfaceMap map = smallMap();
    // Texel (1, 0) is centred at longitude -45, latitude +45 degrees.
    sim::Colour c = map.at(-45 * RAD, 45 * RAD);
    EXPECT_DOUBLE_EQ(c.r, 10);
    EXPECT_DOUBLE_EQ(c.g, 7);
    EXPECT_DOUBLE_EQ(c.b, 1);
    // Half-way between texels (1, 0) and (2, 0): the prime meridian.
    c = map.at(0, 45 * RAD);
    EXPECT_DOUBLE_EQ(c.r, 15);
    // Half-way down to the southern row: the equator.
    c = map.at(-45 * RAD, 0);
    EXPECT_DOUBLE_EQ(c.r, 60);
}

TEST(SurfaceMap, WrapsAcrossTheDateLineAndHoldsAtThePoles) {
    const sim::SurfaceMap map = smallMap();
    // Longitude 180: half-way between the last texel (x 3) and the first.
    EXPECT_DOUBLE_EQ(map.at(PI, 45 * RAD).r, 15);
    EXPECT_DOUBLE_EQ(map.at(-PI, 45 * RAD).r, 15);
    // A longitude beyond a turn is the same place.
    EXPECT_NEAR(map.at(-45 * RAD + 4 * PI, 45 * RAD).r, 10, 1e-9);
    // North of the top row's centres: the top row.
    EXPECT_DOUBLE_EQ(map.at(-45 * RAD, PI / 2).r, 10);
    EXPECT_DOUBLE_EQ(map.at(-45 * RAD, -PI / 2).r, 110);
}

TEST(SurfaceMap, MeanWeighsRowsByTheirArea) {
    std::vector<std::uint8_t> rgb(4 * 4 * 3, 0);
    // Only the top row (near the pole) is white: a small share of the sphere.
    for (int i = 0; i < 4 * 3; ++i) rgb[std::size_t(i)] = 255;
    const sim::SurfaceMap map(4, 4, std::move(rgb));
    // Rows at latitudes 67.5, 22.5, -22.5, -67.5: cosines 0.383 and 0.924.
    EXPECT_NEAR(map.mean().r, 255 * 0.38268 / (2 * (0.38268 + 0.92388)), 0.01);
}

TEST(SurfaceMap, ReadsBinaryPixmapsAndRefusesOthers) {
    std::string ppm = "P6\n4 2\n255\n";
    for (int i = 0; i < 4 * 2 * 3; ++i) ppm += char(i);
    std::istringstream good(ppm);
    sim::SurfaceMap map;
    std::string error;
    ASSERT_TRUE(map.read(good, error)) << error;
    EXPECT_EQ(map.width(), 4);
    EXPECT_EQ(map.height(), 2);
    EXPECT_DOUBLE_EQ(map.at(-45 * RAD, 45 * RAD).r, 3);  // texel (1, 0): bytes 3, 4, 5

    const struct {
        std::string text;
        const char *error;
    } cases[] = {
        {"P3\n4 2\n255\n", "not a binary PPM of 8-bit channels"},
        {"P6\n4 2\n65535\n", "not a binary PPM of 8-bit channels"},
        {"P6\n1 2\n255\n", "not a binary PPM of 8-bit channels"},
        {"P6\n99999 2\n255\n", "not a binary PPM of 8-bit channels"},
        {ppm.substr(0, ppm.size() - 1), "the pixels end early"},
    };
    for (const auto &c : cases) {
        std::istringstream in(c.text);
        sim::SurfaceMap other;
        EXPECT_FALSE(other.read(in, error));
        EXPECT_EQ(error, c.error);
        EXPECT_TRUE(other.empty());
    }
}
