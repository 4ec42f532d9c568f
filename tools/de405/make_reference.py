#!/usr/bin/python3
"""Write reference body states for the ephemeris test.

Evaluates DE405 straight from the casacore table (python3-casacore; run with
/usr/bin/python3) with numpy's Chebyshev routines, independently of the
extracted data file and of the simulator's reader, and writes
tests/sim/bodies/de405_reference.txt.

Each data line: MJD (TDB), body name, then the barycentric position (m) and
velocity (m/s) in the simulator's global frame: ecliptic and equinox J2000,
left-handed, x to the vernal equinox, y to ecliptic north.  Earth is the
Earth-Moon barycentre less Moon/(1 + EMRAT); the Moon is Earth plus the
geocentric Moon.
"""

import os

import numpy as np
from numpy.polynomial import chebyshev
from casacore import tables

TABLE = '/usr/share/casacore/data/ephemerides/DE405'

# ICRS to right-handed ecliptic J2000 (IAU 2006 obliquity 84381.406" with
# frame bias).
ICRS_TO_ECLIPTIC = np.array([
    [0.999999999999994, -0.000000070783690, 0.000000080562140],
    [0.000000032897004, 0.917482129914958, 0.397776999444048],
    [-0.000000102070447, -0.397776999444043, 0.917482129914956],
])

JPL_NUMBER = {'Mercury': 0, 'Venus': 1, 'EMB': 2, 'Mars': 3, 'Jupiter': 4, 'Saturn': 5,
              'MoonGeo': 9, 'Sun': 10}

# Dates inside the 1970-1989 slice: block starts, sub-interval boundaries,
# the span's edges and dates in between.
DATES = [40560.0, 40587.0, 40600.25, 41000.0, 41317.5, 41999.875, 42416.0, 42420.0,
         42424.0, 42428.0, 43200.0, 43500.123456, 43644.0, 43907.75, 44239.0, 44800.5,
         45001.0, 45678.9, 46111.0, 46543.21, 47000.0, 47500.5, 47892.0, 47919.999]


class Ephemeris:
    def __init__(self):
        self.table = tables.table(TABLE, ack=False)
        self.starts = self.table.getcol('MJD')
        self.block_days = float(self.table.getkeywords()['dMJD'])
        self.emrat = float(self.table.getkeywords()['EMRAT'])
        self.pointers = self.table.getcolkeywords('x')['Description'].reshape(3, 13)

    def raw(self, body, mjd):
        """Position (km) and velocity (km/s), ICRS, as DE405 gives them."""
        row = int(np.searchsorted(self.starts, mjd, side='right')) - 1
        if row == len(self.starts) - 1 or mjd - self.starts[row] >= self.block_days:
            raise ValueError('date outside the table')
        coefficients = self.table.getcell('x', row)
        first = int(self.pointers[0][body]) - 3
        count = int(self.pointers[1][body])
        subintervals = int(self.pointers[2][body])
        length = self.block_days / subintervals
        sub = min(int((mjd - self.starts[row]) // length), subintervals - 1)
        tc = 2.0 * (mjd - (self.starts[row] + sub * length)) / length - 1.0
        base = first + sub * 3 * count
        pos = np.zeros(3)
        vel = np.zeros(3)
        for axis in range(3):
            c = coefficients[base + axis * count: base + (axis + 1) * count]
            pos[axis] = chebyshev.chebval(tc, c)
            vel[axis] = chebyshev.chebval(tc, chebyshev.chebder(c)) * 2.0 / length / 86400.0
        return pos, vel

    def states(self, mjd):
        raw = {name: self.raw(number, mjd) for name, number in JPL_NUMBER.items()}
        emb, moon_geo = raw['EMB'], raw['MoonGeo']
        earth = tuple(emb[i] - moon_geo[i] / (1.0 + self.emrat) for i in range(2))
        moon = tuple(earth[i] + moon_geo[i] for i in range(2))
        result = {name: raw[name] for name in ('Sun', 'Mercury', 'Venus', 'Mars', 'Jupiter', 'Saturn')}
        result['Earth'] = earth
        result['Moon'] = moon
        return result


def to_simulator(vector_km):
    ecliptic = ICRS_TO_ECLIPTIC.dot(vector_km) * 1000.0
    return np.array([ecliptic[0], ecliptic[2], ecliptic[1]])


def main():
    root = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
    out = os.path.join(root, 'tests', 'sim', 'bodies', 'de405_reference.txt')
    ephemeris = Ephemeris()
    with open(out, 'w') as f:
        f.write('# DE405 reference states, evaluated directly from the casacore DE405 table\n')
        f.write('# (tools/de405/make_reference.py). Barycentric, ecliptic J2000, simulator axes\n')
        f.write('# (x equinox, y ecliptic north, z completing, left-handed).\n')
        f.write('# mjd_tdb body x_m y_m z_m vx_mps vy_mps vz_mps\n')
        for mjd in DATES:
            states = ephemeris.states(mjd)
            for name in ('Sun', 'Mercury', 'Venus', 'Earth', 'Moon', 'Mars', 'Jupiter', 'Saturn'):
                pos, vel = states[name]
                p = to_simulator(pos)
                v = to_simulator(vel)
                f.write('%.6f %s %.17g %.17g %.17g %.17g %.17g %.17g\n' %
                        (mjd, name, p[0], p[1], p[2], v[0], v[1], v[2]))
    print('wrote', out)


if __name__ == '__main__':
    main()
