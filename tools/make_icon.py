#!/usr/bin/env python3
"""Draws the program icon: a clock face over three rising green bars, on a
rounded blue tile. Writes resources/lumidor.ico with 16, 24, 32, 48 and 256
pixel images (the largest PNG-compressed). Standard library only; run by hand
when the icon changes, the result is committed."""
import math
import struct
import sys
import zlib

SUPERSAMPLE = 4


def inside_rounded_square(x, y, size, radius):
    cx = min(max(x, radius), size - radius)
    cy = min(max(y, radius), size - radius)
    return (x - cx) ** 2 + (y - cy) ** 2 <= radius ** 2


def colour_at(x, y, size):
    """Colour (r, g, b, a) of a point of the unit design scaled to size."""
    u, v = x / size, y / size
    if not inside_rounded_square(u, v, 1.0, 0.18):
        return (0, 0, 0, 0)
    # Tile: blue, lighter towards the top.
    tile = (int(30 + 40 * (1 - v)), int(90 + 60 * (1 - v)), int(170 + 50 * (1 - v)), 255)
    # Bars of the chart along the bottom.
    bars = [(0.16, 0.30, 0.62), (0.40, 0.54, 0.45), (0.64, 0.78, 0.30)]
    for left, right, top in bars:
        if left <= u <= right and top <= v <= 0.86:
            return (40, 200, 70, 255)
    # Clock face in the upper left.
    cx, cy, r = 0.42, 0.40, 0.30
    d = math.hypot(u - cx, v - cy)
    if d <= r:
        if d >= r - 0.05:
            return (20, 40, 90, 255)
        # Hands: to twelve and to three.
        if abs(u - cx) <= 0.028 and cy - r * 0.72 <= v <= cy + 0.02:
            return (20, 40, 90, 255)
        if abs(v - cy) <= 0.028 and cx - 0.02 <= u <= cx + r * 0.55:
            return (20, 40, 90, 255)
        return (255, 255, 255, 255)
    return tile


def render(size):
    pixels = []
    for py in range(size):
        row = []
        for px in range(size):
            acc = [0, 0, 0, 0]
            for sy in range(SUPERSAMPLE):
                for sx in range(SUPERSAMPLE):
                    c = colour_at(px + (sx + 0.5) / SUPERSAMPLE, py + (sy + 0.5) / SUPERSAMPLE, size)
                    a = c[3]
                    acc[0] += c[0] * a
                    acc[1] += c[1] * a
                    acc[2] += c[2] * a
                    acc[3] += a
            n = SUPERSAMPLE * SUPERSAMPLE
            alpha = acc[3] / n
            if acc[3]:
                row.append((round(acc[0] / acc[3]), round(acc[1] / acc[3]), round(acc[2] / acc[3]), round(alpha)))
            else:
                row.append((0, 0, 0, 0))
        pixels.append(row)
    return pixels


def bmp_entry(pixels):
    size = len(pixels)
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    body = bytearray()
    for row in reversed(pixels):
        for r, g, b, a in row:
            body += bytes((b, g, r, a))
    mask_row = ((size + 31) // 32) * 4
    mask = bytearray()
    for row in reversed(pixels):
        bits = bytearray(mask_row)
        for i, (_, _, _, a) in enumerate(row):
            if a == 0:
                bits[i // 8] |= 0x80 >> (i % 8)
        mask += bits
    return header + bytes(body) + bytes(mask)


def png_entry(pixels):
    size = len(pixels)
    raw = bytearray()
    for row in pixels:
        raw.append(0)
        for r, g, b, a in row:
            raw += bytes((r, g, b, a))

    def chunk(kind, data):
        return struct.pack('>I', len(data)) + kind + data + struct.pack('>I', zlib.crc32(kind + data))

    return (b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', struct.pack('>IIBBBBB', size, size, 8, 6, 0, 0, 0)) +
            chunk(b'IDAT', zlib.compress(bytes(raw), 9)) + chunk(b'IEND', b''))


def main(path):
    sizes = [16, 24, 32, 48, 256]
    images = [png_entry(render(s)) if s == 256 else bmp_entry(render(s)) for s in sizes]
    out = struct.pack('<HHH', 0, 1, len(sizes))
    offset = 6 + 16 * len(sizes)
    for s, data in zip(sizes, images):
        out += struct.pack('<BBBBHHII', s % 256, s % 256, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    out += b''.join(images)
    with open(path, 'wb') as f:
        f.write(out)


if __name__ == '__main__':
    main(sys.argv[1] if len(sys.argv) > 1 else 'resources/lumidor.ico')
