#!/usr/bin/env python3
"""Draws the break window's background: a quiet evening over hills and a lake, 640 x 480.

Writes a PPM and turns it into resources/break.jpg with ImageMagick's convert
(about 18 KB). Run by hand when the picture is to change: python3 make_break_image.py
"""
import math
import os
import subprocess

W, H = 640, 480
HORIZON = 300  # the lake's far shore


def mix(a, b, t):
    return tuple(int(a[i] + (b[i] - a[i]) * t) for i in range(3))


def sky(y):
    top, middle, low = (70, 110, 170), (240, 170, 150), (250, 215, 160)
    t = y / HORIZON
    return mix(top, middle, t / 0.7) if t < 0.7 else mix(middle, low, (t - 0.7) / 0.3)


def ridge(x, base, amplitude, period, phase):
    return base - amplitude * (math.sin(x / period + phase) * 0.6 + math.sin(x / (period * 0.37) + phase * 2) * 0.4)


HILLS = [  # (base height, amplitude, period, phase, colour)
    (230, 40, 70, 0.5, (120, 120, 160)),
    (265, 30, 50, 2.0, (80, 110, 120)),
    (295, 18, 35, 4.1, (50, 85, 80)),
]
SUN = (470, 205, 34)


def scene(x, y):
    """The colour above the water at (x, y)."""
    colour = sky(y)
    d = math.hypot(x - SUN[0], y - SUN[1])
    if d < SUN[2]:
        colour = mix(colour, (255, 240, 200), 0.9)
    elif d < SUN[2] * 3:
        colour = mix(colour, (255, 225, 180), 0.35 * (1 - (d - SUN[2]) / (SUN[2] * 2)))
    for base, amplitude, period, phase, hill in HILLS:
        if y >= ridge(x, base, amplitude, period, phase):
            colour = hill
    return colour


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    rows = []
    for y in range(H):
        row = bytearray()
        for x in range(W):
            if y < HORIZON:
                r, g, b = scene(x, y)
            else:
                # The lake: the scene mirrored, darkened and rippled.
                depth = (y - HORIZON) / (H - HORIZON)
                ripple = int(3 * math.sin(y * 0.9 + x * 0.02))
                mirrored = min(HORIZON - 1, max(0, 2 * HORIZON - y + ripple))
                r, g, b = mix(scene(x, mirrored), (30, 50, 80), 0.35 + 0.4 * depth)
            row += bytes((r, g, b))
        rows.append(bytes(row))
    ppm = os.path.join(here, "break.ppm")
    with open(ppm, "wb") as f:
        f.write(b"P6 %d %d 255\n" % (W, H))
        f.writelines(rows)
    subprocess.run(["convert", ppm, "-quality", "85", "-sampling-factor", "4:2:0",
                    "-strip", os.path.join(here, "break.jpg")], check=True)
    os.remove(ppm)


if __name__ == "__main__":
    main()
