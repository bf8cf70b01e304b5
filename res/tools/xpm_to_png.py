#!/usr/bin/env python3
"""Turns the XPM data of a C++ source into a PNG, to look at a drawn resource.

python3 res/tools/xpm_to_png.py res/Bitmap130.cpp banner.png [scale]
Reads the string literals of the source's array as the XPM lines (one character per pixel).
"""

import re
import struct
import sys
import zlib


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
        palette[entry[0]] = None if value == "None" else bytes.fromhex(value[1:]) + b"\xff"
    rows = lines[1 + colours:1 + colours + height]
    transparent = b"\xff\xff\xff\x00"
    return width, height, [[palette[c] or transparent for c in row] for row in rows]


def png_chunk(kind, data):
    return (struct.pack(">I", len(data)) + kind + data
            + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF))


def write_png(path, width, height, rows, scale):
    raw = b""
    for row in rows:
        line = b"\x00" + b"".join(pixel * scale for pixel in row)
        raw += line * scale
    header = struct.pack(">IIBBBBB", width * scale, height * scale, 8, 6, 0, 0, 0)
    with open(path, "wb") as out:
        out.write(b"\x89PNG\r\n\x1a\n")
        out.write(png_chunk(b"IHDR", header))
        out.write(png_chunk(b"IDAT", zlib.compress(raw)))
        out.write(png_chunk(b"IEND", b""))


def main():
    source_path, png_path = sys.argv[1], sys.argv[2]
    scale = int(sys.argv[3]) if len(sys.argv) > 3 else 1
    width, height, rows = read_xpm(source_path)
    write_png(png_path, width, height, rows, scale)


if __name__ == "__main__":
    main()
