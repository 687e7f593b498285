#!/usr/bin/env python3
"""Prints a benchmark's Linux and Windows figures side by side:
    side_by_side.py LINUX-OUTPUT WINDOWS-OUTPUT

Both files are the output of the same benchmark, so their lines pair up one for one. A line whose
figures are the same on both (a heading, a count of draws) is printed as it is; for any other the
first figure that differs is printed for Linux and for Windows with their ratio, and a time more
than 1.5 times Linux's is marked."""
import re
import sys

NUMBER = re.compile(r"-?\d+(?:\.\d+)?")
LIMIT = 1.5


def read(path):
    with open(path, encoding="utf-8", errors="replace") as f:
        # A target missed is marked on one side only: it is not part of the line's shape.
        return [line.rstrip("\r\n").replace("  ABOVE TARGET", "") for line in f]


def shape(line):
    return " ".join(NUMBER.sub("#", line).split())


def compare(linux, windows):
    if len(linux) != len(windows):
        print(f"(the outputs differ in length: {len(linux)} and {len(windows)} lines;"
              " pairing the first ones)")
    print(f"{'':64} {'Linux':>9} {'Windows':>9}  ratio")
    for left, right in zip(linux, windows):
        ours, theirs = NUMBER.findall(left), NUMBER.findall(right)
        if shape(left) != shape(right) or ours == theirs:
            print(left)
            continue
        first = next(i for i, (a, b) in enumerate(zip(ours, theirs)) if a != b)
        at = list(NUMBER.finditer(left))[first].start()
        label = " ".join(left[:at].split())
        a, b = float(ours[first]), float(theirs[first])
        if b < 0:  # a figure Windows does not give (the machine's load): Linux's line as it is
            print(left)
            continue
        if a <= 0:
            print(f"{label:64} {ours[first]:>9} {theirs[first]:>9}")
            continue
        ratio = b / a
        is_time = "MB" not in left and "memory" not in left and "load" not in label
        mark = f"  beyond {LIMIT}×" if is_time and ratio > LIMIT else ""
        print(f"{label:64} {ours[first]:>9} {theirs[first]:>9}  {ratio:4.2f}×{mark}")


if __name__ == "__main__":
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    compare(read(sys.argv[1]), read(sys.argv[2]))
