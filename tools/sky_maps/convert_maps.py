#!/usr/bin/python3
"""Converts the planetary maps Debian ships into the binary portable pixmaps
(PPM "P6", 8-bit RGB) the simulator's outside view reads, so that neither
the Linux nor the Windows build needs an image library for them.

    convert_maps.py OUTPUT_FOLDER NAME=SOURCE [NAME=SOURCE ...]

writes OUTPUT_FOLDER/NAME.ppm from each SOURCE (any format python3-pil
reads: the PNG maps of stellarium-data, the JPEG maps of xplanet-images).
The maps keep their size; an alpha channel is dropped.
"""
import os
import sys

from PIL import Image


def main(argv):
    if len(argv) < 3:
        print(__doc__, file=sys.stderr)
        return 2
    output = argv[1]
    os.makedirs(output, exist_ok=True)
    for pair in argv[2:]:
        name, _, source = pair.partition("=")
        if not name or not source:
            print(f"expected NAME=SOURCE, got {pair!r}", file=sys.stderr)
            return 2
        if not os.path.exists(source):
            print(f"{source}: missing; tools/setup-debian.sh installs stellarium-data and xplanet-images",
                  file=sys.stderr)
            return 1
        image = Image.open(source).convert("RGB")
        target = os.path.join(output, name + ".ppm")
        partial = target + ".part"
        image.save(partial, format="PPM")
        os.replace(partial, target)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
