#!/usr/bin/env python3
"""Plays a replay timeline into the real game window in real time with xdotool:
pointer changes become mouse moves, key changes key presses (to the focused
window), each at its frame's time (frame x frame seconds after the start).

usage: play_timeline.py TIMELINE WINDOW_ID WIDTH HEIGHT [SECONDS] [FRAME_SECONDS]
"""
import subprocess
import sys
import time

KEYS = {"up": "Up", "down": "Down", "left": "Left", "right": "Right", "space": "space",
        "ctrl": "Control_L", "insert": "Insert", "delete": "Delete"}


def changes(path):
    with open(path) as timeline:
        for line in timeline:
            words = line.split("#", 1)[0].split()
            if words:
                yield int(words[0]), words[1:]


def main():
    path, window, width, height = sys.argv[1], sys.argv[2], int(sys.argv[3]), int(sys.argv[4])
    seconds = float(sys.argv[5]) if len(sys.argv) > 5 else 1e9
    frame_seconds = float(sys.argv[6]) if len(sys.argv) > 6 else 0.03
    start = time.monotonic()
    for frame, change in changes(path):
        due = start + frame * frame_seconds
        if due - start > seconds:
            break
        time.sleep(max(0.0, due - time.monotonic()))
        if change[0] == "pointer":
            x = round((float(change[1]) + 1) / 2 * (width - 1))
            y = round((float(change[2]) + 1) / 2 * (height - 1))
            command = ["mousemove", "--window", window, str(x), str(y)]
        else:
            command = ["keydown" if change[2] == "down" else "keyup", KEYS[change[1]]]
        subprocess.run(["xdotool"] + command, check=False)


if __name__ == "__main__":
    main()
