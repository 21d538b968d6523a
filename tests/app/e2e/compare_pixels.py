#!/usr/bin/env python3
"""Counts the pixels in which two PNG pictures of the same size differ (any
channel by more than 8), outside an excluded rectangle.

usage: compare_pixels.py FIRST SECOND X0 Y0 X1 Y1   (X1 and Y1 excluded, y down)
"""
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from count_pixels import rows  # noqa: E402


def main():
    first, second = sys.argv[1], sys.argv[2]
    x0, y0, x1, y1 = (int(v) for v in sys.argv[3:7])
    count = 0
    for y, ((a, sa), (b, sb)) in enumerate(zip(rows(first), rows(second))):
        for x in range(min(len(a) // sa, len(b) // sb)):
            if x0 <= x < x1 and y0 <= y < y1:
                continue
            if any(abs(a[x * sa + i] - b[x * sb + i]) > 8 for i in range(3)):
                count += 1
    print(count)


if __name__ == "__main__":
    main()
