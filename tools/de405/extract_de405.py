#!/usr/bin/python3
"""Extract a slice of JPL DE405 for the headless simulator.

Reads the DE405 table that Debian's casacore-data-jpl-de405 installs (through
python3-casacore; run with /usr/bin/python3) and writes the 32-day blocks that
cover MJD 40587-47892 (1970-1989) for the eight bodies the simulator moves:
Mercury, Venus, Earth-Moon barycentre, Mars, Jupiter, Saturn, geocentric Moon
and Sun.  The output is sim/bodies/data/de405_1970_1989.bin.

DE405 is public domain (JPL/Caltech, US government material).

File layout, all little-endian:

  offset size  field
  0      8     magic "DE405SLC"
  8      4     uint32 format version (1)
  12     4     uint32 body count (8)
  16     4     uint32 block count
  20     4     uint32 doubles per block record (1 + coefficients of all bodies)
  24     8     double MJD (TDB) of the first block's start
  32     8     double block length in days (32)
  40     8     double astronomical unit of the ephemeris in km
  48     8     double Earth/Moon mass ratio (EMRAT)
  56     8*16  per body, in the order Mercury, Venus, Earth-Moon barycentre,
               Mars, Jupiter, Saturn, Moon (geocentric), Sun:
               uint32 JPL body number (0-based: 0 Mercury ... 9 Moon, 10 Sun),
               uint32 offset of its coefficients within a block record
                      (in doubles, counting the record's leading start date),
               uint32 coefficients per component and sub-interval,
               uint32 sub-intervals per block
  184    ...   block records, one after the other: double start MJD of the
               block, then each body's coefficients in JPL's order
               (sub-interval by sub-interval, x then y then z, lowest
               Chebyshev degree first).

Positions are barycentric ICRS in km (the Moon geocentric); each
sub-interval maps its time span onto [-1, 1].
"""

import os
import struct
import sys

from casacore import tables

TABLE = '/usr/share/casacore/data/ephemerides/DE405'
FIRST_MJD = 40587.0
LAST_MJD = 47892.0
# JPL body numbers (0-based) in file order.
BODIES = [0, 1, 2, 3, 4, 5, 9, 10]
MAGIC = b'DE405SLC'
VERSION = 1


def main():
    root = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(root, 'sim', 'bodies', 'data',
                                                             'de405_1970_1989.bin')
    table = tables.table(TABLE, ack=False)
    keywords = table.getkeywords()
    pointers = table.getcolkeywords('x')['Description'].reshape(3, 13)
    block_days = float(keywords['dMJD'])
    starts = table.getcol('MJD')

    rows = [i for i, start in enumerate(starts)
            if start + block_days > FIRST_MJD and start <= LAST_MJD]
    for a, b in zip(rows, rows[1:]):
        assert starts[b] - starts[a] == block_days, 'blocks are not contiguous'

    layout = []
    offset = 1  # after the record's start date
    for body in BODIES:
        first = int(pointers[0][body]) - 3  # JPL counts the two date words, 1-based
        count = int(pointers[1][body])
        subintervals = int(pointers[2][body])
        layout.append((body, first, count, subintervals, offset))
        offset += 3 * count * subintervals
    record = offset

    with open(out, 'wb') as f:
        f.write(MAGIC)
        f.write(struct.pack('<IIII', VERSION, len(BODIES), len(rows), record))
        f.write(struct.pack('<dddd', float(starts[rows[0]]), block_days, float(keywords['AU']),
                            float(keywords['EMRAT'])))
        for body, first, count, subintervals, body_offset in layout:
            f.write(struct.pack('<IIII', body, body_offset, count, subintervals))
        for row in rows:
            coefficients = table.getcell('x', row)
            values = [float(starts[row])]
            for body, first, count, subintervals, body_offset in layout:
                values.extend(float(c) for c in coefficients[first:first + 3 * count * subintervals])
            assert len(values) == record
            f.write(struct.pack('<%dd' % record, *values))
    print('%s: %d blocks, MJD %.1f-%.1f, %d bytes' %
          (out, len(rows), starts[rows[0]], starts[rows[-1]] + block_days, os.path.getsize(out)))


if __name__ == '__main__':
    main()
