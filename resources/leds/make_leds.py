#!/usr/bin/env python3
"""Draws the port LED's 15 x 15 lamp pictures: a lit and an unlit one per kind.

Each picture is a palette PNG of at most 16 colours whose background entry is transparent.
Run once from this folder; the PNGs are committed.
"""
import math
import struct
import zlib

SIZE = 15
CENTRE = 7.0

# Lit centre colour and unlit centre colour per kind.
LAMPS = {
    "RED": ((255, 40, 40), (110, 0, 0)),
    "GREEN": ((60, 255, 60), (0, 90, 0)),
    "BLUE": ((70, 110, 255), (0, 0, 110)),
    "YELLOW": ((255, 240, 40), (120, 110, 0)),
    "PURPLE": ((230, 60, 230), (90, 0, 90)),
}
BULB = ((255, 255, 200), (150, 150, 140))


def scale(colour, factor):
    return tuple(max(0, min(255, round(c * factor))) for c in colour)


def mix(a, b, t):
    return tuple(round(x + (y - x) * t) for x, y in zip(a, b))


def lamp_pixel(x, y, centre_colour, lit):
    dx, dy = x - CENTRE, y - CENTRE
    r = math.hypot(dx, dy)
    if r > 6.9:
        return None
    if r > 5.8:
        # Rim: lighter at the top left, darker at the bottom right.
        return (170, 170, 170) if dx + dy < 0 else (64, 64, 64)
    # Glass: brighter towards the centre, a highlight at the top left.
    level = round((1.0 - r / 5.8) * 3) / 3
    colour = scale(centre_colour, 0.55 + 0.45 * level)
    if math.hypot(x - 5, y - 5) <= 1.2:
        colour = mix(colour, (255, 255, 255), 0.7 if lit else 0.35)
    return colour


def bulb_pixel(x, y, glass, lit):
    # A round glass on top of a grey screw base.
    if y >= 11:
        if 5 <= x <= 9:
            return (120, 120, 120) if y % 2 == 0 else (80, 80, 80)
        return None
    dx, dy = x - CENTRE, y - 5.5
    r = math.hypot(dx, dy)
    if r > 5.6 and not (y >= 9 and 5 <= x <= 9):
        return None
    if r > 4.8 and not (y >= 9 and 6 <= x <= 8):
        return (60, 60, 60)
    colour = glass
    if lit and r < 2.0:
        colour = (255, 200, 40)  # the glowing filament
    elif math.hypot(x - 5.5, y - 3.5) <= 1.0:
        colour = mix(glass, (255, 255, 255), 0.6)
    return colour


def write_png(path, pixels):
    palette = [(255, 0, 255)]  # index 0: the transparent background
    rows = []
    for row in pixels:
        line = bytearray([0])  # filter type none
        for colour in row:
            if colour is None:
                line.append(0)
                continue
            if colour not in palette:
                palette.append(colour)
            line.append(palette.index(colour))
        rows.append(bytes(line))
    assert len(palette) <= 16, (path, len(palette))

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

    header = struct.pack(">IIBBBBB", SIZE, SIZE, 8, 3, 0, 0, 0)
    plte = b"".join(bytes(c) for c in palette)
    trns = bytes([0])
    data = zlib.compress(b"".join(rows), 9)
    with open(path, "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n")
        f.write(chunk(b"IHDR", header) + chunk(b"PLTE", plte) + chunk(b"tRNS", trns))
        f.write(chunk(b"IDAT", data) + chunk(b"IEND", b""))


def main():
    for name, (on, off) in LAMPS.items():
        for suffix, colour, lit in (("ON", on, True), ("OFF", off, False)):
            pixels = [[lamp_pixel(x, y, colour, lit) for x in range(SIZE)] for y in range(SIZE)]
            write_png(f"LED{name}{suffix}.png", pixels)
    for suffix, glass, lit in (("ON", BULB[0], True), ("OFF", BULB[1], False)):
        pixels = [[bulb_pixel(x, y, glass, lit) for x in range(SIZE)] for y in range(SIZE)]
        write_png(f"LEDBULB{suffix}.png", pixels)


if __name__ == "__main__":
    main()
