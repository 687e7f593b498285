#!/usr/bin/env python3
"""Runs a Linux program with transparent huge pages off for it and the processes it starts:
    small_pages.py PROGRAM [ARGUMENT...]

Where Linux gives the program's large arrays 2 MB pages (the history's rows, an imported file), a
Windows program gets 4 KB pages: large pages need a privilege users do not hold. Run this way, the
Linux build touches its memory in the pages the Windows build must use, so that the two can be
compared on what is theirs alone."""
import ctypes
import os
import sys

PR_SET_THP_DISABLE = 41  # linux/prctl.h; kept across fork and execve

if len(sys.argv) < 2:
    sys.exit(__doc__)
libc = ctypes.CDLL(None, use_errno=True)
if libc.prctl(PR_SET_THP_DISABLE, 1, 0, 0, 0) != 0:
    sys.exit(f"prctl(PR_SET_THP_DISABLE): {os.strerror(ctypes.get_errno())}")
os.execv(sys.argv[1], sys.argv[1:])
