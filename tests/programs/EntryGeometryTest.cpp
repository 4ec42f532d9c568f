// The landing-site construction of PLE's entry geometry.
#include <gtest/gtest.h>

#include <cmath>

#include "EntryGeometry.h"

namespace {

// Points of the landing-site construction: on the sphere, with the wanted
// projection on u, and (when crossed) at the latitude.
TEST(EntryGeometry, LatitudeCandidatesInEveryCase) {
    const double R = 6371000.0, lat = 45.9375 * RAD;
    const VECTOR3 u = unit(_V(0.3, -0.2, 0.9));
    VECTOR3 a, b;
    ASSERT_EQ(LatitudeCandidates(u, R * std::cos(80.0 * RAD), R, lat, a, b), kLatitudeCrossed);
    for (const VECTOR3 &c : {a, b}) {
        EXPECT_NEAR(length(c), R, 1e-6);
        EXPECT_NEAR(c.y, R * std::sin(lat), 1e-6);
        EXPECT_NEAR(dotp(c, u), R * std::cos(80.0 * RAD), 1e-6);
    }
    EXPECT_GT(length(a - b), 1e6);

    // A cone of 20 degrees about a direction near the pole never comes down to
    // the latitude: its point in the plane of u and the pole, on the pole side.
    const VECTOR3 polar = unit(_V(0.1, 0.99, 0.05));
    ASSERT_EQ(LatitudeCandidates(polar, R * std::cos(20.0 * RAD), R, lat, a, b), kNearestOnCircle);
    EXPECT_NEAR(length(a), R, 1e-6);
    EXPECT_NEAR(dotp(a, polar), R * std::cos(20.0 * RAD), 1e-6);
    EXPECT_NEAR(dotp(a, _V(-polar.z, 0.0, polar.x)), 0.0, 1e-6);
    EXPECT_GT(dotp(a, _V(0.0, 1.0, 0.0) - polar * polar.y), 0.0);  // turned from u toward the pole
    EXPECT_EQ(a.x, b.x);

    // A projection beyond the radius has no real point at all: the nearest
    // real one, on the line toward the pole side, with no NaN.
    ASSERT_EQ(LatitudeCandidates(u, R * 1.0001, R, lat, a, b), kNoRealPointOnCircle);
    ASSERT_TRUE(std::isfinite(a.x) && std::isfinite(a.y) && std::isfinite(a.z));
    EXPECT_NEAR(dotp(a, u), R * 1.0001, 1e-6);
    EXPECT_NEAR(dotp(a, _V(-u.z, 0.0, u.x)), 0.0, 1e-6);
    EXPECT_NEAR(length(a - u * dotp(a, u)), 0.0, 1e-3);  // on u itself: the line's point nearest the centre
    EXPECT_EQ(a.z, b.z);
}

}  // namespace
