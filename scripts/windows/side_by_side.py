#!/usr/bin/env python3
"""Prints a benchmark's Linux and Windows figures side by side:
    side_by_side.py LINUX-OUTPUT... -- WINDOWS-OUTPUT...
    side_by_side.py LINUX-OUTPUT WINDOWS-OUTPUT

All files are outputs of the same benchmark, so their lines pair up one for one; with several
outputs a side (rounds of the same run) each side's best, the smallest, figure counts. A line whose
figures are the same everywhere (a heading, a count of draws) is printed as it is; for any other the
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


def compare_line(lefts, rights):
    left = lefts[0]
    if any(shape(line) != shape(left) for line in lefts + rights):
        return left
    ours = [NUMBER.findall(line) for line in lefts]
    theirs = [NUMBER.findall(line) for line in rights]
    differing = [i for i in range(len(ours[0]))
                 if len({figures[i] for figures in ours + theirs}) > 1]
    if not differing:
        return left
    first = differing[0]
    at = list(NUMBER.finditer(left))[first].start()
    label = " ".join(left[:at].split())
    best_ours = min((figures[first] for figures in ours), key=float)
    best_theirs = min((figures[first] for figures in theirs), key=float)
    a, b = float(best_ours), float(best_theirs)
    if b < 0:  # a figure Windows does not give (the machine's load): Linux's line as it is
        return left
    if a <= 0:
        return f"{label:64} {best_ours:>9} {best_theirs:>9}"
    ratio = b / a
    is_time = "MB" not in left and "memory" not in left and "load" not in label
    mark = f"  beyond {LIMIT}×" if is_time and ratio > LIMIT else ""
    return f"{label:64} {best_ours:>9} {best_theirs:>9}  {ratio:4.2f}×{mark}"


def compare(linux, windows):
    lengths = {len(output) for output in linux + windows}
    if len(lengths) > 1:
        print(f"(the outputs differ in length: {sorted(lengths)} lines; pairing the first ones)")
    print(f"{'':64} {'Linux':>9} {'Windows':>9}  ratio")
    for lines in zip(*linux, *windows):
        print(compare_line(list(lines[:len(linux)]), list(lines[len(linux):])))


if __name__ == "__main__":
    args = sys.argv[1:]
    if "--" in args:
        split = args.index("--")
        linux, windows = args[:split], args[split + 1:]
    elif len(args) == 2:
        linux, windows = args[:1], args[1:]
    else:
        sys.exit(__doc__)
    if not linux or not windows:
        sys.exit(__doc__)
    compare([read(path) for path in linux], [read(path) for path in windows])
