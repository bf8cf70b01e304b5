#!/usr/bin/env python3
"""Draws the applet's icon 12000 and banner bitmap 130 and writes them as XPM data in C++ sources.

Run from anywhere: python3 res/tools/draw_resources.py
It rewrites res/Icon12000.cpp and res/Bitmap130.cpp beside this folder.
Both pictures use the 16 colours of the classic 4-bit palette; the icon adds
transparency for its background.
"""

from pathlib import Path

# name -> (XPM character, RGB); the classic 16-colour palette.
PALETTE = {
    "none": (" ", "None"),
    "black": (".", "#000000"),
    "maroon": ("m", "#800000"),
    "green": ("g", "#008000"),
    "olive": ("o", "#808000"),
    "navy": ("n", "#000080"),
    "purple": ("p", "#800080"),
    "teal": ("t", "#008080"),
    "silver": ("s", "#C0C0C0"),
    "gray": ("d", "#808080"),
    "red": ("r", "#FF0000"),
    "lime": ("l", "#00FF00"),
    "yellow": ("y", "#FFFF00"),
    "blue": ("b", "#0000FF"),
    "fuchsia": ("f", "#FF00FF"),
    "aqua": ("a", "#00FFFF"),
    "white": ("w", "#FFFFFF"),
}


class Canvas:
    def __init__(self, width, height, background):
        self.width, self.height = width, height
        self.pixels = [[background] * width for _ in range(height)]

    def put(self, x, y, colour):
        if 0 <= x < self.width and 0 <= y < self.height:
            self.pixels[y][x] = colour

    def fill(self, x0, y0, x1, y1, colour):
        """Fills the rectangle with corners (x0, y0) and (x1, y1), both inclusive."""
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                self.put(x, y, colour)

    def bevel(self, x0, y0, x1, y1, face, light, shade, edge):
        """A raised box: black edge, light top-left, shaded bottom-right."""
        self.fill(x0, y0, x1, y1, edge)
        self.fill(x0 + 1, y0 + 1, x1 - 1, y1 - 1, shade)
        self.fill(x0 + 1, y0 + 1, x1 - 2, y1 - 2, light)
        self.fill(x0 + 2, y0 + 2, x1 - 2, y1 - 2, face)

    def polygon(self, points, face, edge):
        """Fills a polygon (pixel centres inside it) and rims it with a one-pixel edge."""
        inside = {(x, y) for y in range(self.height) for x in range(self.width)
                  if contains(points, x + 0.5, y + 0.5)}
        for x, y in inside:
            neighbours = ((x + 1, y), (x - 1, y), (x, y + 1), (x, y - 1))
            rim = any(n not in inside for n in neighbours)
            self.put(x, y, edge if rim else face)

    def paste(self, other, left, top, scale=1):
        """Copies another canvas, each pixel as a scale-by-scale block, skipping transparency."""
        for y, row in enumerate(other.pixels):
            for x, colour in enumerate(row):
                if colour != "none":
                    self.fill(left + x * scale, top + y * scale,
                              left + x * scale + scale - 1, top + y * scale + scale - 1, colour)


def contains(points, px, py):
    """Even-odd rule: is the point inside the polygon?"""
    inside = False
    for (x0, y0), (x1, y1) in zip(points, points[1:] + points[:1]):
        if (y0 > py) != (y1 > py):
            cross_x = x0 + (py - y0) * (x1 - x0) / (y1 - y0)
            if px < cross_x:
                inside = not inside
    return inside


def arrow(top, bottom, left, right, pointing_up):
    """Polygon of a broad arrow filling the box; the head takes the half next to its tip."""
    mid = (left + right) / 2
    shaft = (right - left) / 5
    neck = (top + bottom) / 2
    points = [(mid, top), (right, neck), (mid + shaft, neck), (mid + shaft, bottom),
              (mid - shaft, bottom), (mid - shaft, neck), (left, neck)]
    if pointing_up:
        return points
    return [(x, top + bottom - y) for x, y in points]


def draw_icon():
    """A server tower with an upload and a download arrow beside it."""
    icon = Canvas(32, 32, "none")
    icon.bevel(1, 1, 17, 30, "silver", "white", "gray", "black")
    for bay_top in (5, 10):  # two drive bays with their slots
        icon.fill(4, bay_top, 14, bay_top + 3, "gray")
        icon.fill(5, bay_top + 1, 14, bay_top + 3, "white")
        icon.fill(5, bay_top + 1, 13, bay_top + 2, "silver")
        icon.fill(6, bay_top + 2, 12, bay_top + 2, "black")
    icon.fill(4, 17, 5, 18, "lime")  # power light
    icon.fill(7, 17, 8, 18, "yellow")  # activity light
    for vent in (22, 24, 26):
        icon.fill(4, vent, 14, vent, "gray")
    icon.polygon(arrow(1, 15, 19, 32, True), "lime", "green")
    icon.polygon(arrow(16, 30, 19, 32, False), "blue", "navy")
    return icon


# A 5-by-7 pixel font: only the letters the banner needs.
GLYPHS = {
    "V": ["#...#", "#...#", "#...#", "#...#", "#...#", ".#.#.", "..#.."],
    "S": [".####", "#....", "#....", ".###.", "....#", "....#", "####."],
    "e": [".....", ".....", ".###.", "#...#", "#####", "#....", ".###."],
    "l": [".##..", "..#..", "..#..", "..#..", "..#..", "..#..", ".###."],
    "t": [".#...", ".#...", "####.", ".#...", ".#...", ".#..#", "..##."],
    "r": [".....", ".....", "#.##.", "##..#", "#....", "#....", "#...."],
    "a": [".....", ".....", ".###.", "....#", ".####", "#...#", ".####"],
    "n": [".....", ".....", "#.##.", "##..#", "#...#", "#...#", "#...#"],
    "v": [".....", ".....", "#...#", "#...#", "#...#", ".#.#.", "..#.."],
}


def text_width(text, scale):
    return (len(text) * 6 - 1) * scale


def draw_text(canvas, text, left, top, scale, colour, shadow):
    """Writes text in the pixel font with a drop shadow down and to the right."""
    offset = max(1, scale // 2)
    for layer_colour, shift in ((shadow, offset), (colour, 0)):
        for index, letter in enumerate(text):
            glyph_left = left + index * 6 * scale + shift
            for row, bits in enumerate(GLYPHS[letter]):
                for column, bit in enumerate(bits):
                    if bit == "#":
                        x = glyph_left + column * scale
                        y = top + row * scale + shift
                        canvas.fill(x, y, x + scale - 1, y + scale - 1, layer_colour)


def draw_banner(icon):
    """The product name on a dark blue field beside the icon, drawn at twice its size on a light plate."""
    banner = Canvas(300, 70, "navy")
    banner.fill(0, 0, 299, 1, "blue")
    banner.fill(0, 66, 299, 67, "teal")
    banner.fill(0, 68, 299, 69, "aqua")
    banner.fill(0, 2, 71, 65, "silver")
    banner.fill(72, 2, 72, 65, "white")
    banner.paste(icon, 4, 1, 2)
    text_left = 80
    draw_text(banner, "Veltrane", text_left, 6, 4, "white", "black")
    server_left = text_left + text_width("Veltrane", 4) - text_width("Server", 3)
    draw_text(banner, "Server", server_left, 40, 3, "yellow", "black")
    return banner


def xpm_lines(canvas):
    used = [name for name in PALETTE if any(name in row for row in canvas.pixels)]
    lines = [f"{canvas.width} {canvas.height} {len(used)} 1"]
    lines += [f"{PALETTE[name][0]} c {PALETTE[name][1]}" for name in used]
    lines += ["".join(PALETTE[name][0] for name in row) for row in canvas.pixels]
    return lines


def write_source(path, symbol, description, canvas):
    body = ",\n".join(f'    "{line}"' for line in xpm_lines(canvas))
    path.write_text(
        f"// {description}, as XPM data.\n"
        f"// Generated by res/tools/draw_resources.py: edit and rerun the script, not this file.\n"
        f"// clang-format off\n"
        f"\n"
        f'#include "res/XpmData.h"\n'
        f"\n"
        f"namespace res {{\n"
        f"\n"
        f"extern const char* const {symbol}[] = {{\n"
        f"{body}}};\n"
        f"\n"
        f"}}  // namespace res\n")


def main():
    res_folder = Path(__file__).resolve().parent.parent
    icon = draw_icon()
    write_source(res_folder / "Icon12000.cpp", "kIcon12000Xpm",
                 "Icon 12000: the applet's 32 by 32, 16-colour emblem", icon)
    write_source(res_folder / "Bitmap130.cpp", "kBitmap130Xpm",
                 "Bitmap 130: the About page's 300 by 70 banner", draw_banner(icon))


if __name__ == "__main__":
    main()
