"""What the periapsis reference scripts share.

A state vector holds, three numbers each, the central body's position and
velocity, then the spacecraft's, then any further body's; the closest
approach is the root of r.v = 0 on the dense output of the integration,
after the increment has been added at the burn time. The reference file has
one case a line, read by tests/programs/PeriapsisReference.h: the name, the
start state, the increment, the periapsis time [s] and the periapsis
position and velocity relative to the central body.
"""
import os

import numpy as np


def closest_approach(integrate, burn_time, y0, delta_v):
    """Time, relative position and velocity of the closest approach."""
    def receding(t, y):
        return np.dot(y[6:9] - y[0:3], y[9:12] - y[3:6])

    receding.direction = 1.0
    first = integrate(y0, 0.0, burn_time)
    y1 = first.y[:, -1].copy()
    y1[9:12] += delta_v
    second = integrate(y1, burn_time, 3.0e6, events=receding)
    t = second.t_events[0][0]
    y = second.y_events[0][0]
    return t, y[6:9] - y[0:3], y[9:12] - y[3:6]


def write_reference(name, header, cases, integrate, burn_time):
    """Writes the cases (name, start state, increment) into the file `name`
    next to this script, with their closest approaches."""
    path = os.path.join(os.path.dirname(os.path.abspath(__file__)), name)
    with open(path, "w") as out:
        out.write(header + "\n")
        for case, y0, dv in cases:
            t, r, v = closest_approach(integrate, burn_time, y0, dv)
            numbers = list(y0) + list(dv) + [t] + list(r) + list(v)
            out.write(case + " " + " ".join("%.17g" % x for x in numbers) + "\n")
            print(case, "periapsis at %.3f s, radius %.3f km" % (t, np.linalg.norm(r) / 1e3))
