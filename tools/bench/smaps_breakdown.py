#!/usr/bin/env python3
"""Where a process's anonymous memory is, from /proc/PID/smaps, in kB:
   driver  the OpenGL driver's own mappings (Mesa, LLVM and the GL dispatch
           libraries): their data, relocated when they are loaded;
   heap    the main malloc arena ([heap]);
   other   every other anonymous page: blocks mapped on their own (textures,
           the driver's buffers, anything of 128 kB and more), the malloc
           arenas of other threads, stacks, other libraries' data, and every
           library's zero-filled .bss (an unnamed mapping that the kernel
           may merge with blocks mapped beside it).
usage: smaps_breakdown.py PID   prints "driver N heap N other N total N"
"""
import re
import sys

DRIVER = re.compile(r"/(libLLVM[^/]*|[^/]*_dri\.so|libgallium[^/]*|libglapi[^/]*|libGLX_mesa[^/]*|"
                    r"libGLdispatch[^/]*|libGL\.so[^/]*|libGLX\.so[^/]*|libz3[^/]*)$")
HEADER = re.compile(r"^[0-9a-f]+-[0-9a-f]+ \S+ \S+ \S+ \S+\s*(.*)$")


def breakdown(lines):
    totals = {"driver": 0, "heap": 0, "other": 0}
    owner = None  # the class of the mapping being read
    for line in lines:
        header = HEADER.match(line)
        if header:
            name = header.group(1).strip()
            owner = "driver" if DRIVER.search(name) else "heap" if name == "[heap]" else "other"
        elif line.startswith("Anonymous:") and owner:
            totals[owner] += int(line.split()[1])
    return totals


def main():
    with open(f"/proc/{sys.argv[1]}/smaps") as smaps:
        t = breakdown(smaps)
    print(f"driver {t['driver']} heap {t['heap']} other {t['other']} total {sum(t.values())}")


if __name__ == "__main__":
    main()
