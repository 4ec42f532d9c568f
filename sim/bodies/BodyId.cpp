#include "bodies/BodyId.h"

namespace sim {

namespace {

// Gravitational parameters (m^3/s^2) and mean radii (m). Mass follows as
// GM / GGRAV where a mass is asked for.
const BodyConstants kConstants[kBodyCount] = {
    {"Sun", 1.3271243995508995e20, 6.96e8, BodyId::Sun}, {"Mercury", 2.2032e13, 2.44e6, BodyId::Sun},
    {"Venus", 3.24858592e14, 6.0518e6, BodyId::Sun},     {"Earth", 398600439968871.2, 6.37101e6, BodyId::Sun},
    {"Moon", 4902794932976.0, 1.738e6, BodyId::Earth},   {"Mars", 4.282829916378e13, 3.38992e6, BodyId::Sun},
    {"Jupiter", 1.26686534e17, 7.1492e7, BodyId::Sun},   {"Saturn", 3.7931187e16, 6.0268e7, BodyId::Sun},
};

}  // namespace

const BodyConstants &bodyConstants(BodyId id) { return kConstants[static_cast<int>(id)]; }

}  // namespace sim
