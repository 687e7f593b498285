#!/usr/bin/env bash
# Runs a Windows program under wine for CTest (the cross build's CMAKE_CROSSCOMPILING_EMULATOR).
# A program under wine may leave helper processes of wine's own behind, holding the output pipe
# CTest reads until it closes: a test that ended would then look hung. The output goes through a
# file instead, and is passed on once the program has ended.
#
# Now and then, on a busy machine, wine fails to start a program at all: it ends at once, non-zero,
# before the program's main() has printed a line (a test program always prints its filter first).
# Such a start is tried again, twice at most, and says so; a program that ran is never run again.
out=$(mktemp)
for attempt in 1 2 3; do
  wine "$@" > "$out" 2>&1
  status=$?
  if [ "$status" = 0 ] || [ -s "$out" ] || [ "$attempt" = 3 ]; then break; fi
  echo "wine-run: wine ended with $status before $(basename "$1") printed anything; starting it again" >&2
done
cat "$out"
rm -f "$out"
exit "$status"
