#!/usr/bin/env bash
# Runs a Windows program under wine for CTest (the cross build's CMAKE_CROSSCOMPILING_EMULATOR).
# A program under wine may leave helper processes of wine's own behind, holding the output pipe
# CTest reads until it closes: a test that ended would then look hung. The output goes through a
# file instead, and is passed on once the program has ended.
out=$(mktemp)
wine "$@" > "$out" 2>&1
status=$?
cat "$out"
rm -f "$out"
exit "$status"
