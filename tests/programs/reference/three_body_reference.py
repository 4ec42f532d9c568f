#!/usr/bin/python3
"""Reference Earth approaches for the PLE three-body propagator.

Integrates the same force model as the propagator (the Sun fixed at the
origin; the Earth and the Moon pulled by the Sun and each other; the vessel
pulled by all three) with scipy's DOP853 at rtol 1e-13, adds the increment
600 s after the start, and finds the closest approach to the Earth as the
root of r.v = 0 on the dense output. Writes three_body_reference.txt next to
this script; ThreeBodyPropagatorTest.cpp compares the propagator, completed
on the osculating orbit as PLE does, with it.

Run with /usr/bin/python3 (Debian's python3-scipy).
"""
import numpy as np
from scipy.integrate import solve_ivp

from periapsis_reference import write_reference

GM_SUN = 1.3271243995508995e20
GM_EARTH = 398600439968871.2
GM_MOON = 4902794932976.0
BURN_TIME = 600.0

# Heliocentric Earth and Moon at MJD 43537.0 (DE405 through the simulator),
# simulator axes (y = ecliptic north), m and m/s.
EARTH_POS = np.array([-92793318040.699, 5177064.084, 114458064522.510])
EARTH_VEL = np.array([-23625.096412, -2.133775, -18858.265297])
MOON_POS = np.array([-93180979113.901, 1920674.833, 114442023318.207])
MOON_VEL = np.array([-23539.329695, 87.649877, -19862.967177])


def inverse_square(r):
    return r / np.linalg.norm(r) ** 3


def derivatives(t, y):
    earth, earth_v, ship, ship_v, moon, moon_v = (y[i:i + 3] for i in range(0, 18, 3))
    earth_to_moon = inverse_square(moon - earth)
    a_earth = -GM_SUN * inverse_square(earth) + GM_MOON * earth_to_moon
    a_moon = -GM_SUN * inverse_square(moon) - GM_EARTH * earth_to_moon
    a_ship = (-GM_SUN * inverse_square(ship) - GM_EARTH * inverse_square(ship - earth)
              - GM_MOON * inverse_square(ship - moon))
    return np.concatenate([earth_v, a_earth, ship_v, a_ship, moon_v, a_moon])


def integrate(y0, t0, t1, **kw):
    return solve_ivp(derivatives, (t0, t1), y0, method="DOP853", rtol=1e-13, atol=1e-6, **kw)


def approach_start(days_before, periapsis_radius, v_infinity, radial, along):
    """Start state days_before days ahead of a periapsis built over the Earth's state then."""
    t = days_before * 86400.0
    bodies = np.concatenate([EARTH_POS, EARTH_VEL, EARTH_POS + 1e12, EARTH_VEL, MOON_POS, MOON_VEL])
    end = integrate(bodies, 0.0, t).y[:, -1]
    radial = np.array(radial, dtype=float)
    radial /= np.linalg.norm(radial)
    along = np.array(along, dtype=float)
    along -= radial * np.dot(along, radial)
    along /= np.linalg.norm(along)
    speed = np.sqrt(v_infinity ** 2 + 2 * GM_EARTH / periapsis_radius)
    end[6:9] = end[0:3] + periapsis_radius * radial
    end[9:12] = end[3:6] + speed * along
    return integrate(end, t, 0.0).y[:, -1]


def main():
    cases = [
        ("entry", approach_start(18.0, 4.9e6, 3400.0, [0.3, 0.5, -0.8], [-0.1, 0.2, 1.0]), np.zeros(3)),
        ("corrected", approach_start(15.0, 7.0e6, 4200.0, [-0.6, -0.2, 0.7], [0.5, 1.0, 0.2]),
         np.array([0.8, -0.5, 1.2])),
    ]
    write_reference("three_body_reference.txt",
                    "# name; start state (earthPos earthVel vesselPos vesselVel moonPos moonVel); deltaV;"
                    " periapsis time [s]; periapsis position and velocity relative to the Earth",
                    cases, integrate, BURN_TIME)


if __name__ == "__main__":
    main()
