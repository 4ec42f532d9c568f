#!/usr/bin/python3
"""Writes the outside view's star table: the Bright Star Catalogue as Debian's
xplanet ships it, with each star's B-V colour index from the Hipparcos
catalogues of Debian's stellarium-data.

    star_table.py BSC STELLARIUM_STARS_FOLDER OUTPUT

BSC is xplanet's catalogue (/usr/share/xplanet/stars/BSC: "Dec RA Mag" in
degrees, hours and magnitudes, the name in quotes, then the BSC (HR), HD and
SAO numbers). STELLARIUM_STARS_FOLDER is stellarium-data's
stars/default: cross-id.dat (tab-separated HIP, component, SAO, HD, HR) and
the binary catalogues stars_0_0v0_8.cat, stars_1_0v0_8.cat and
stars_2_0v0_8.cat, which hold the Hipparcos stars with their B-V.

A BSC star finds its Hipparcos number through its HR number, failing that
its HD number; a star without one, or whose Hipparcos star carries no
record, gets a neutral B-V of 0.60 (a yellowish white) and is counted and
listed. Where Hipparcos split a star into components (Arcturus, Dubhe),
the catalogues hold a record for each, and the brightest one's B-V is taken:
bluer than the whole star's (Arcturus +0.82 against +1.23).

The output is text, one star a line: "Dec RA Mag B-V HR", the first three as
in the BSC, B-V with two decimals.

The binary catalogues (all numbers little-endian):
  header, 32 bytes: magic 0x835f040a, type (0: the records below), major
      and minor version (0, 8), level of the geodesic grid, then the
      magnitude scale as signed integers: minimum (millimagnitudes),
      range (millimagnitudes) and steps
  the star count of each of the grid's 20 * 4^level zones, 32 bits each
  the records, 28 bytes each, zone after zone:
      bytes 0-2   Hipparcos number (24 bits)
      byte  3     component id (0 for a single star)
      bytes 4-11  position (two signed 32-bit numbers, unused here)
      byte  12    B-V: byte * 4 / 127 - 0.5, so 0 to 127 is -0.5 to +3.5
      byte  13    magnitude: (minimum + byte * range / steps) / 1000
      bytes 14-15 spectral type's index (unused here)
      bytes 16-27 proper motion and parallax (unused here)
"""
import os
import struct
import sys

MAGIC = 0x835F040A
HEADER = struct.Struct("<IIIIIiii")
RECORD_SIZE = 28
FILES = ("stars_0_0v0_8.cat", "stars_1_0v0_8.cat", "stars_2_0v0_8.cat")
NEUTRAL = 0.60

# Hipparcos stars whose B-V the decoding must give (the Hipparcos main
# catalogue's values, within the byte's step of 0.032).
KNOWN = {
    27989: ("Betelgeuse", 1.50),
    24436: ("Rigel", -0.03),
    91262: ("Vega", 0.00),
    80763: ("Antares", 1.86),
    32349: ("Sirius", 0.01),
    65474: ("Spica", -0.24),
    21421: ("Aldebaran", 1.54),
    37279: ("Procyon", 0.43),
}


def b_v_of(byte):
    return byte * 4.0 / 127.0 - 0.5


def read_catalogue(path, colours):
    """Adds {hip: (magnitude, b_v)} of the file's records to colours, keeping
    a Hipparcos number's brightest component."""
    with open(path, "rb") as f:
        data = f.read()
    if len(data) < HEADER.size:
        raise ValueError(f"{path}: too short for a header")
    magic, kind, major, minor, level, mag_min, mag_range, mag_steps = HEADER.unpack_from(data)
    if magic != MAGIC or kind != 0 or (major, minor) != (0, 8) or level > 8 or mag_steps <= 0:
        raise ValueError(f"{path}: not a stellarium star catalogue of the first type, version 0.8")
    zones = 20 << (2 * level)
    at = HEADER.size + 4 * zones
    if len(data) < at:
        raise ValueError(f"{path}: too short for its {zones} zones")
    count = sum(struct.unpack_from(f"<{zones}I", data, HEADER.size))
    if len(data) != at + count * RECORD_SIZE:
        raise ValueError(f"{path}: {count} records do not fill its {len(data) - at} bytes")
    for i in range(count):
        r = data[at + i * RECORD_SIZE:at + (i + 1) * RECORD_SIZE]
        hip = r[0] | r[1] << 8 | r[2] << 16
        if hip == 0:  # a Tycho star
            continue
        magnitude = (mag_min + r[13] * mag_range / mag_steps) / 1000.0
        if hip not in colours or magnitude < colours[hip][0]:
            colours[hip] = (magnitude, b_v_of(r[12]))


def read_cross_ids(path):
    """{HR: HIP} and {HD: HIP}, the first Hipparcos number listed for each."""
    by_hr, by_hd = {}, {}
    with open(path) as f:
        for line in f:
            if line.startswith("#"):
                continue
            fields = line.rstrip("\r\n").split("\t")
            if len(fields) != 5 or not fields[0].isdigit():
                raise ValueError(f"{path}: expected HIP, component, SAO, HD, HR: {line!r}")
            hip = int(fields[0])
            if fields[3].isdigit():
                by_hd.setdefault(int(fields[3]), hip)
            if fields[4].isdigit():
                by_hr.setdefault(int(fields[4]), hip)
    return by_hr, by_hd


def main(argv):
    if len(argv) != 4:
        print(__doc__, file=sys.stderr)
        return 2
    bsc, folder, output = argv[1:]
    colours = {}
    try:
        for name in FILES:
            read_catalogue(os.path.join(folder, name), colours)
        by_hr, by_hd = read_cross_ids(os.path.join(folder, "cross-id.dat"))
    except (OSError, ValueError) as e:
        print(f"{e}; tools/setup-debian.sh installs stellarium-data", file=sys.stderr)
        return 1
    for hip, (name, expected) in KNOWN.items():
        if hip not in colours or abs(colours[hip][1] - expected) > 0.02:
            print(f"HIP {hip} ({name}): B-V {colours.get(hip, (0, None))[1]}, expected {expected}",
                  file=sys.stderr)
            return 1

    lines = ["# The Bright Star Catalogue (5th revised edition, from Debian's xplanet) with",
             "# B-V from the Hipparcos catalogues of Debian's stellarium-data",
             f"# ({os.path.basename(__file__)}); B-V {NEUTRAL:.2f} where there is none.",
             "#    Dec      RA   Mag   B-V    HR"]
    matched, unmatched = 0, []
    with open(bsc) as f:
        for number, line in enumerate(f, 1):
            if not line.strip() or line.lstrip().startswith("#"):
                continue
            words = line.split()
            numbers = line.rpartition('"')[2].split()
            if len(words) < 3 or '"' not in line or not numbers or not numbers[0].isdigit():
                print(f"{bsc}:{number}: expected Dec, RA, Mag, \"name\", HR", file=sys.stderr)
                return 1
            hr = int(numbers[0])
            hd = int(numbers[1]) if len(numbers) > 1 and numbers[1].isdigit() else None
            hip = by_hr.get(hr)
            if hip not in colours and hd is not None:
                hip = by_hd.get(hd)
            if hip in colours:
                b_v = colours[hip][1]
                matched += 1
            else:
                b_v = NEUTRAL
                unmatched.append(hr)
            lines.append(f"{words[0]:>8} {words[1]:>7} {words[2]:>5} {b_v:5.2f} {hr:5d}")
    if matched == 0:
        print(f"{bsc}: no star found in the Hipparcos catalogues", file=sys.stderr)
        return 1
    partial = output + ".part"
    with open(partial, "w") as f:
        f.write("\n".join(lines) + "\n")
    os.replace(partial, output)
    print(f"{output}: {matched} stars with B-V, {len(unmatched)} without"
          + (f" (HR {', '.join(map(str, unmatched))})" if unmatched else ""))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
