#!/usr/bin/env python3
"""Draws the floor texture assets/japan.bmp: a stylised sea chart of an island
chain, from fixed-seed value noise, written as a 24-bit bottom-up bitmap.

Usage: tools/make_texture.py [OUTPUT]   (default: assets/japan.bmp next to tools/)

Only integer hashing, arithmetic and square roots are used, so every run on
every machine writes the same bytes.
"""

import math
import os
import struct
import sys

SIZE = 512
SEED = 20240611

# The chain of islands follows the floor's tile windows (centres in image
# fractions, v from the top), from the lower left to the upper right; the
# third value is how much land each point raises, low values open straits.
CHAIN = [(0.16, 0.93, 1.0), (0.2, 0.82, 0.5), (0.3, 0.79, 1.0), (0.4, 0.7, 0.2),
         (0.52, 0.71, 0.9), (0.6, 0.62, 1.0), (0.6, 0.5, 0.3), (0.69, 0.47, 1.0),
         (0.7, 0.36, 0.7), (0.66, 0.26, 0.2), (0.73, 0.17, 1.0), (0.85, 0.14, 0.6)]
CHAIN_REACH = 0.13  # how far from the chain the land bias fades out
SEA_LEVEL = 0.5


def lattice(ix, iy, octave):
    """A pseudo-random value in [0, 1) for one lattice point."""
    h = (ix * 374761393 + iy * 668265263 + octave * 2246822519 + SEED * 3266489917)
    h &= 0xFFFFFFFF
    h = ((h ^ (h >> 13)) * 1274126177) & 0xFFFFFFFF
    h ^= h >> 16
    return h / 4294967296.0


def smooth(t):
    return t * t * (3.0 - 2.0 * t)


def value_noise(x, y, octave):
    ix, iy = math.floor(x), math.floor(y)
    fx, fy = smooth(x - ix), smooth(y - iy)
    a = lattice(ix, iy, octave)
    b = lattice(ix + 1, iy, octave)
    c = lattice(ix, iy + 1, octave)
    d = lattice(ix + 1, iy + 1, octave)
    top = a + (b - a) * fx
    bottom = c + (d - c) * fx
    return top + (bottom - top) * fy


def fbm(u, v):
    """Fractal noise in [0, 1]: six octaves from five cells across the image."""
    total, amplitude, frequency, norm = 0.0, 0.5, 5.0, 0.0
    for octave in range(6):
        total += amplitude * value_noise(u * frequency, v * frequency, octave)
        norm += amplitude
        amplitude *= 0.5
        frequency *= 2.0
    return total / norm


def chain_lift(u, v):
    """How much the chain raises the land at (u, v): 0 far away, up to 1 on it."""
    best = 0.0
    for (ax, ay, aw), (bx, by, bw) in zip(CHAIN, CHAIN[1:]):
        dx, dy = bx - ax, by - ay
        t = ((u - ax) * dx + (v - ay) * dy) / (dx * dx + dy * dy)
        t = min(1.0, max(0.0, t))
        px, py = ax + t * dx - u, ay + t * dy - v
        reach = max(0.0, 1.0 - (px * px + py * py) / (CHAIN_REACH * CHAIN_REACH))
        best = max(best, reach * reach * (aw + (bw - aw) * t))
    return best


def height_at(u, v):
    return 0.78 * fbm(u, v) + 0.32 * chain_lift(u, v) - 0.05


def heightmap():
    return [[height_at((x + 0.5) / SIZE, (y + 0.5) / SIZE) for x in range(SIZE)]
            for y in range(SIZE)]


def mix(a, b, t):
    t = min(1.0, max(0.0, t))
    return tuple(p + (q - p) * t for p, q in zip(a, b))


DEEP = (18, 42, 96)
SHALLOW = (64, 140, 190)
SURF = (150, 205, 220)
SAND = (226, 208, 150)
LOWLAND = (92, 160, 72)
FOREST = (40, 110, 52)
HIGHLAND = (128, 112, 76)
ROCK = (142, 134, 126)
SNOW = (246, 246, 250)


def base_colour(h):
    if h < SEA_LEVEL - 0.03:
        return mix(DEEP, SHALLOW, (h - 0.25) / (SEA_LEVEL - 0.28))
    if h < SEA_LEVEL:
        return mix(SHALLOW, SURF, (h - SEA_LEVEL + 0.03) / 0.03)
    if h < SEA_LEVEL + 0.012:
        return SAND
    if h < 0.6:
        return mix(LOWLAND, FOREST, (h - SEA_LEVEL - 0.012) / 0.088)
    if h < 0.68:
        return mix(FOREST, HIGHLAND, (h - 0.6) / 0.08)
    if h < 0.74:
        return mix(HIGHLAND, ROCK, (h - 0.68) / 0.06)
    return mix(ROCK, SNOW, (h - 0.74) / 0.03)


def shade(heights, x, y):
    """Relief light from the upper left on land; flat water."""
    x0, x1 = max(0, x - 1), min(SIZE - 1, x + 1)
    y0, y1 = max(0, y - 1), min(SIZE - 1, y + 1)
    gx = (heights[y][x1] - heights[y][x0]) * SIZE * 0.5
    gy = (heights[y1][x] - heights[y0][x]) * SIZE * 0.5
    length = math.sqrt(gx * gx + gy * gy + 1.0)
    lit = (-gx - gy + 1.0) / (math.sqrt(3.0) * length)
    return 0.55 + 0.6 * max(0.0, lit)


def is_graticule(x, y):
    """Faint latitude and longitude lines every eighth of the image, dotted."""
    return (x % 64 == 0 and y % 4 < 2) or (y % 64 == 0 and x % 4 < 2)


def render(heights):
    rows = []
    for y in range(SIZE):
        row = []
        for x in range(SIZE):
            h = heights[y][x]
            colour = base_colour(h)
            if h >= SEA_LEVEL:
                colour = tuple(c * shade(heights, x, y) for c in colour)
            if is_graticule(x, y):
                colour = mix(colour, (255, 255, 255), 0.3)
            row.append(tuple(min(255, max(0, int(c + 0.5))) for c in colour))
        rows.append(row)
    return rows


def bitmap_bytes(rows):
    """24-bit BMP with a 40-byte info header, rows bottom-up."""
    width, height = len(rows[0]), len(rows)
    stride = (width * 3 + 3) // 4 * 4
    pixels = bytearray()
    for row in reversed(rows):
        for r, g, b in row:
            pixels += bytes((b, g, r))
        pixels += bytes(stride - width * 3)
    header = struct.pack('<2sIHHI', b'BM', 54 + len(pixels), 0, 0, 54)
    info = struct.pack('<IiiHHIIiiII', 40, width, height, 1, 24, 0, len(pixels),
                       2835, 2835, 0, 0)
    return header + info + bytes(pixels)


def main():
    default = os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', 'assets',
                           'japan.bmp')
    output = sys.argv[1] if len(sys.argv) > 1 else default
    with open(output, 'wb') as out:
        out.write(bitmap_bytes(render(heightmap())))


if __name__ == '__main__':
    main()
