#!/usr/bin/env python3
"""Counts the pixels of a PNG picture (8-bit RGB or RGBA, as grab_window
writes them) inside a rectangle whose red + green + blue is at least a level.

usage: count_pixels.py PICTURE X0 Y0 X1 Y1 LEVEL   (X1 and Y1 excluded, y down)
"""
import struct
import sys
import zlib


def paeth(a, b, c):
    p = a + b - c
    pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
    return a if pa <= pb and pa <= pc else (b if pb <= pc else c)


def rows(path):
    data = open(path, "rb").read()
    pos, chunks = 8, b""
    while pos < len(data):
        length, kind = struct.unpack(">I4s", data[pos:pos + 8])
        if kind == b"IHDR":
            width, height, _, colour = struct.unpack(">IIBB", data[pos + 8:pos + 18])
        elif kind == b"IDAT":
            chunks += data[pos + 8:pos + 8 + length]
        pos += 12 + length
    step = 4 if colour == 6 else 3
    raw, stride = zlib.decompress(chunks), width * step + 1
    previous = bytearray(width * step)
    for y in range(height):
        kind, line = raw[y * stride], bytearray(raw[y * stride + 1:(y + 1) * stride])
        for i in range(len(line)):
            a = line[i - step] if i >= step else 0
            b = previous[i]
            c = previous[i - step] if i >= step else 0
            line[i] = (line[i] + (0, a, b, (a + b) // 2, paeth(a, b, c))[kind]) & 255
        yield line, step
        previous = line


def main():
    path = sys.argv[1]
    x0, y0, x1, y1, level = (int(v) for v in sys.argv[2:7])
    count = 0
    for y, (line, step) in enumerate(rows(path)):
        if y0 <= y < y1:
            count += sum(1 for x in range(x0, x1) if sum(line[x * step:x * step + 3]) >= level)
    print(count)


if __name__ == "__main__":
    main()
