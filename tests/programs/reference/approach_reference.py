#!/usr/bin/python3
"""Reference periapsis passages for the Mars approach propagator.

Integrates the same force model as the propagator (Sun fixed at the origin,
Mars pulled by the Sun, the spacecraft pulled by the Sun and Mars) with
scipy's DOP853 at rtol 1e-13 and finds the closest approach to Mars as the
root of r.v = 0 on the dense output. Writes approach_reference.txt next to
this script; ApproachPropagatorTest.cpp compares the propagator with it.

Run with /usr/bin/python3 (Debian's python3-scipy).
"""
import numpy as np
from scipy.integrate import solve_ivp

from periapsis_reference import write_reference

GM_SUN = 1.3271243995508995e20
GM_MARS = 4.282829916378e13
BURN_TIME = 5300.0

# Heliocentric Mars at MJD 43644.0 (DE405), simulator axes (y = north), m and m/s.
MARS_POS = np.array([-245796735.0, 6763205.0, 33956883.0]) * 1e3
MARS_VEL = np.array([-2.404471, -0.400127, -21.934149]) * 1e3


def derivatives(t, y):
    mars, mars_v, ship, ship_v = y[0:3], y[3:6], y[6:9], y[9:12]
    rel = ship - mars
    a_mars = -GM_SUN * mars / np.linalg.norm(mars) ** 3
    a_ship = -GM_MARS * rel / np.linalg.norm(rel) ** 3 - GM_SUN * ship / np.linalg.norm(ship) ** 3
    return np.concatenate([mars_v, a_mars, ship_v, a_ship])


def integrate(y0, t0, t1, **kw):
    return solve_ivp(derivatives, (t0, t1), y0, method="DOP853", rtol=1e-13, atol=1e-6, **kw)


def approach_start(days_before, periapsis_radius, v_infinity, tilt):
    """State days_before days ahead of a periapsis built over Mars' state."""
    t = days_before * 86400.0
    mars_end = integrate(np.concatenate([MARS_POS, MARS_VEL, MARS_POS + 1e12, MARS_VEL]), 0.0, t).y[:, -1]
    speed = np.sqrt(v_infinity ** 2 + 2 * GM_MARS / periapsis_radius)
    radial = np.array([np.cos(tilt), np.sin(tilt), 0.3])
    radial /= np.linalg.norm(radial)
    along = np.cross(radial, np.array([0.2, 0.1, 1.0]))
    along /= np.linalg.norm(along)
    ship = mars_end[0:3] + periapsis_radius * radial
    ship_v = mars_end[3:6] + speed * along
    back = integrate(np.concatenate([mars_end[0:6], ship, ship_v]), t, 0.0)
    return back.y[:, -1]


def main():
    cases = [
        ("uncorrected", approach_start(20.0, 3.36e6, 2600.0, 0.4), np.zeros(3)),
        ("corrected", approach_start(25.0, 4.0e6, 3100.0, -1.1), np.array([0.8, -0.5, 1.2])),
    ]
    write_reference("approach_reference.txt",
                    "# name; start state (marsPos marsVel shipPos shipVel); deltaV;"
                    " periapsis time [s]; periapsis position and velocity relative to Mars",
                    cases, integrate, BURN_TIME)


if __name__ == "__main__":
    main()
