#!/usr/bin/env python3
"""Turns the XPM data of a C++ source into a PNG: to look at a drawn resource, or to install
the applet's icon at the sizes desktops ask for.

python3 res/tools/xpm_to_png.py res/Bitmap130.cpp banner.png [--scale N | --size PIXELS]
Reads the string literals of the source's array as the XPM lines (one character per pixel).
--scale repeats each pixel N times each way; --size makes a square picture that many pixels
wide, each of its pixels the average of the area of the picture it covers (whole multiples of
the picture's size therefore stay sharp).
"""

import argparse
import re
import struct
import zlib
from fractions import Fraction


def read_xpm(source_path):
    with open(source_path, encoding="ascii") as source:
        array = source.read().split("= {", 1)[1]
    lines = re.findall(r'"([^"]*)"', array)
    width, height, colours, chars_per_pixel = map(int, lines[0].split())
    if chars_per_pixel != 1:
        raise ValueError("only one character per pixel is supported")
    palette = {}
    for entry in lines[1:1 + colours]:
        value = entry[1:].split()[-1]
        palette[entry[0]] = (0, 0, 0, 0) if value == "None" else tuple(bytes.fromhex(value[1:])) + (255,)
    rows = lines[1 + colours:1 + colours + height]
    return [[palette[c] for c in row] for row in rows]


def scaled(rows, scale):
    return [[pixel for pixel in row for _ in range(scale)] for row in rows for _ in range(scale)]


def overlaps(count, size):
    """For each of `size` output cells, the (source index, share) pairs of `count` cells it covers."""
    cells = []
    for out in range(size):
        start, end = Fraction(out * count, size), Fraction((out + 1) * count, size)
        cells.append([(i, min(end, i + 1) - max(start, i)) for i in range(int(start), -(-end // 1))
                      if min(end, i + 1) > max(start, i)])
    return cells


def resampled(rows, size):
    """Averages with colours weighted by their opacity, so transparent pixels add no colour."""
    across, down = overlaps(len(rows[0]), size), overlaps(len(rows), size)
    result = []
    for y_cells in down:
        line = []
        for x_cells in across:
            total = [Fraction(0)] * 4
            for y, y_share in y_cells:
                for x, x_share in x_cells:
                    r, g, b, a = rows[y][x]
                    weight = y_share * x_share
                    total = [total[0] + r * a * weight, total[1] + g * a * weight,
                             total[2] + b * a * weight, total[3] + a * weight]
            area = sum(s for _, s in x_cells) * sum(s for _, s in y_cells)
            alpha = total[3]
            colour = [round(c / alpha) if alpha else 0 for c in total[:3]]
            line.append(tuple(colour) + (round(alpha / area),))
        result.append(line)
    return result


def png_chunk(kind, data):
    return (struct.pack(">I", len(data)) + kind + data
            + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF))


def write_png(path, rows):
    raw = b"".join(b"\x00" + b"".join(bytes(pixel) for pixel in row) for row in rows)
    header = struct.pack(">IIBBBBB", len(rows[0]), len(rows), 8, 6, 0, 0, 0)
    with open(path, "wb") as out:
        out.write(b"\x89PNG\r\n\x1a\n")
        out.write(png_chunk(b"IHDR", header))
        out.write(png_chunk(b"IDAT", zlib.compress(raw)))
        out.write(png_chunk(b"IEND", b""))


def main():
    parser = argparse.ArgumentParser(description="Draws a resource's XPM data as a PNG.")
    parser.add_argument("source")
    parser.add_argument("png")
    how = parser.add_mutually_exclusive_group()
    how.add_argument("--scale", type=int, default=1)
    how.add_argument("--size", type=int)
    arguments = parser.parse_args()
    rows = read_xpm(arguments.source)
    write_png(arguments.png, resampled(rows, arguments.size) if arguments.size else scaled(rows, arguments.scale))


if __name__ == "__main__":
    main()
