// Angle constants as the console was written against them. The 2006
// interface quoted PI to fifteen significant digits; the console keeps that
// value for its own figures (the angles in its texts, the programs' numbers)
// whatever headers it is compiled against, so that they do not move in the
// last digits when newer headers carry a full-precision PI.
#pragma once

const double kPi = 3.14159265358979;
const double kRad = kPi / 180.0;  // degrees to radians
const double kDeg = 180.0 / kPi;  // radians to degrees
