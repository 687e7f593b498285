#!/usr/bin/env python3
"""Writes the sample history file shipped for new users: 历史号码/示例历史号码.txt.

Made-up draws, 120 a day over three weeks from 22 December 2016 to 11 January 2017, so that the
file crosses a day, a month and a year boundary. Each line is a history text line: the issue's
nine stored digits (yymmddnnn), a blank, the five digits, CR LF. The digits come from a fixed
xorshift generator, so running this again writes the same bytes.

    python3 samples/make_sample_history.py
"""

import datetime
import pathlib

FIRST_DAY = datetime.date(2016, 12, 22)
DAYS = 21
DRAWS_PER_DAY = 120
SEED = 0x5EED5A3B1E

OUTPUT = pathlib.Path(__file__).resolve().parent / "历史号码" / "示例历史号码.txt"


def digits(state):
    """Yields one digit 0-9 per call of next(), from a 64-bit xorshift* sequence."""
    mask = (1 << 64) - 1
    while True:
        state ^= state >> 12
        state ^= (state << 25) & mask
        state ^= state >> 27
        yield (((state * 0x2545F4914F6CDD1D) & mask) >> 32) % 10


def lines():
    source = digits(SEED)
    for day in range(DAYS):
        date = FIRST_DAY + datetime.timedelta(days=day)
        for sequence in range(1, DRAWS_PER_DAY + 1):
            issue = f"{date:%y%m%d}{sequence:03d}"
            draw = "".join(str(next(source)) for _ in range(5))
            yield f"{issue} {draw}\r\n"


def main():
    OUTPUT.parent.mkdir(parents=True, exist_ok=True)
    OUTPUT.write_bytes("".join(lines()).encode("ascii"))
    print(f"wrote {DAYS * DRAWS_PER_DAY} draws to {OUTPUT}")


if __name__ == "__main__":
    main()
