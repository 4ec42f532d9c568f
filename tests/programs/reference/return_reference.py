#!/usr/bin/python3
"""Reference for the PIE prediction of the Earth return.

Integrates the force model of the PIE program independently of its code:
the spacecraft about a fixed Sun, pulled by the Earth, Moon, Mars, Jupiter
(at 0.3265 of its attraction), Venus and Saturn, each body moving on the
two-body orbit of the checkpoint nearest in time (checkpoint states from
return_reference_input.txt; propagated here with universal variables, not
with orbital elements). Integration by scipy's DOP853 at rtol 1e-13; the
closest approach to the Earth's ephemeris position (cubic interpolation of
the minute samples of the input) is the root of (r - E).(v - dE/dt) = 0 on
the dense output. From the Earth-relative state there (the Earth's velocity
taken as the one-second difference, as the program does) the two-body
periapsis radius and date follow.

Writes return_reference.txt next to this script. Make the input first:
    build/dev/bin/pie_reference_input > tests/programs/reference/return_reference_input.txt
Run with /usr/bin/python3 (Debian's python3-scipy).
"""
import os

import numpy as np
from scipy.integrate import solve_ivp
from scipy.interpolate import CubicSpline

GM_SUN = 1.3271243995508995e20
GM_EARTH = 398600439968871.2  # the program's Earth-relative orbit
JUPITER_FACTOR = 0.3265
DAY = 86400.0
BODIES = ["Earth", "Moon", "Mars", "Jupiter", "Venus", "Saturn"]


def read_input(path):
    tables, earth = {}, []
    with open(path) as f:
        lines = iter(f.read().splitlines())
        for line in lines:
            words = line.split()
            if words[0] == "start":
                start = [float(x) for x in words[1:]]
            elif words[0] == "end":
                end = float(words[1])
            elif words[0] == "table":
                name, gm, count = words[1], float(words[2]), int(words[3])
                first, step = float(words[4]), float(words[5])
                rows = [[float(x) for x in next(lines).split()] for _ in range(count)]
                tables[name] = (gm, first, step, np.array(rows))
            elif words[0] == "earth":
                earth.append([float(x) for x in words[1:]])
    return start, end, tables, np.array(earth)


def stumpff(z):
    if z > 1e-8:
        s = np.sqrt(z)
        return (1 - np.cos(s)) / z, (s - np.sin(s)) / s ** 3
    if z < -1e-8:
        s = np.sqrt(-z)
        return (np.cosh(s) - 1) / -z, (np.sinh(s) - s) / s ** 3
    return 0.5 - z / 24, 1.0 / 6 - z / 120


def kepler(mu, r0, v0, dt):
    """Two-body position after dt seconds by the universal-variable method."""
    r0n = np.linalg.norm(r0)
    vr0 = np.dot(r0, v0) / r0n
    alpha = 2.0 / r0n - np.dot(v0, v0) / mu
    chi = np.sqrt(mu) * abs(alpha) * dt
    for _ in range(50):
        z = alpha * chi * chi
        c, s = stumpff(z)
        f = (r0n * vr0 / np.sqrt(mu) * chi * chi * c + (1 - alpha * r0n) * chi ** 3 * s + r0n * chi
             - np.sqrt(mu) * dt)
        df = (r0n * vr0 / np.sqrt(mu) * chi * (1 - z * s) + (1 - alpha * r0n) * chi * chi * c + r0n)
        step = f / df
        chi -= step
        if abs(step) < 1e-12 * max(1.0, abs(chi)):
            break
    z = alpha * chi * chi
    c, s = stumpff(z)
    f = 1 - chi * chi / r0n * c
    g = dt - chi ** 3 / np.sqrt(mu) * s
    return f * r0 + g * v0


class Body:
    def __init__(self, gm, first, step, rows):
        self.gm = gm
        self.start = first
        self.step = step
        self.rows = rows

    def position(self, mjd):
        index = (mjd - (self.start - self.step / 2.0)) / self.step
        i = int(min(max(np.trunc(index), 0), len(self.rows) - 1))
        row = self.rows[i]
        return kepler(row[1], row[2:5], row[5:8], (mjd - row[0]) * DAY)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    start, end, tables, earth_samples = read_input(os.path.join(here, "return_reference_input.txt"))
    mjd0 = start[0]
    bodies = {name: Body(*tables[name]) for name in BODIES}
    spline = CubicSpline(earth_samples[:, 0] - mjd0, earth_samples[:, 1:4])

    def derivatives(t, y):
        mjd = mjd0 + t / DAY
        r = y[0:3]
        earth = bodies["Earth"].position(mjd)
        a = -GM_SUN * r / np.linalg.norm(r) ** 3
        for name in BODIES:
            p = bodies[name].position(mjd)
            if name == "Earth":
                p = earth
            elif name == "Moon":
                p = p + earth
            d = r - p
            term = -bodies[name].gm * d / np.linalg.norm(d) ** 3
            a = a + (JUPITER_FACTOR * term if name == "Jupiter" else term)
        return np.concatenate([y[3:6], a])

    def earth_at(t):
        return spline(t / DAY)

    def closest(t, y):
        d = y[0:3] - earth_at(t)
        return np.dot(d, y[3:6] - spline(t / DAY, 1) / DAY)

    closest.direction = 1.0
    window = ((earth_samples[0, 0] - mjd0) * DAY, (earth_samples[-1, 0] - mjd0) * DAY)
    y0 = np.array(start[1:7])
    kw = dict(method="DOP853", rtol=1e-13, atol=1e-6)
    before = solve_ivp(derivatives, (0.0, window[0]), y0, **kw)
    around = solve_ivp(derivatives, window, before.y[:, -1], events=closest, **kw)
    t = around.t_events[0][0]
    y = around.y_events[0][0]

    d = y[0:3] - earth_at(t)
    earth_velocity = earth_at(t + 1.0) - earth_at(t)
    v = y[3:6] - earth_velocity
    h = np.cross(d, v)
    p = np.dot(h, h) / GM_EARTH
    e = np.sqrt(1 + np.dot(h, h) * (np.dot(v, v) - 2 * GM_EARTH / np.linalg.norm(d)) / GM_EARTH ** 2)
    rp = p / (1 + e)
    # Time from the periapsis along the hyperbola.
    a = p / (e * e - 1)
    cos_nu = (p / np.linalg.norm(d) - 1) / e
    nu = np.arccos(np.clip(cos_nu, -1, 1)) * np.sign(np.dot(d, v))
    S = np.sqrt((e - 1) / (e + 1)) * np.tan(nu / 2)
    F = np.log((1 + S) / (1 - S))
    since = np.sqrt(a ** 3 / GM_EARTH) * (e * np.sinh(F) - F)
    periapsis_mjd = mjd0 + (t - since) / DAY

    path = os.path.join(here, "return_reference.txt")
    with open(path, "w") as out:
        out.write("# closest approach [MJD]; periapsis radius [m]; periapsis date [MJD];"
                  " force evaluations\n")
        out.write("%.17g %.17g %.17g %d\n" % (mjd0 + t / DAY, rp, periapsis_mjd, before.nfev + around.nfev))
    print("closest approach MJD %.6f, periapsis radius %.3f km at MJD %.6f, %d evaluations"
          % (mjd0 + t / DAY, rp / 1e3, periapsis_mjd, before.nfev + around.nfev))


if __name__ == "__main__":
    main()
