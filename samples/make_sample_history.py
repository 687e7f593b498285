#!/usr/bin/env python3
"""Writes the sample histories shipped for new users, in 历史号码/:

示例历史号码.txt, for the original game: made-up draws, 120 a day over three weeks from 22 December
2016 to 11 January 2017, so that the file crosses a day, a month and a year boundary. Each line is
a history text line: the issue's nine stored digits (yymmddnnn), a blank, the five digits, CR LF.

示例每天一期.csv, for a game of one draw a day numbered by year: made-up draws every day from
1 October 2025 to 28 February 2026, so that the numbering starts again at 001 in the new year. It
is written as results sites publish such a game, a CSV with a header and the draw date beside the
issue ("2025274,2025-10-01,31330"), which the import preview reads with the dates.

The digits come from fixed xorshift generators, so running this again writes the same bytes.

    python3 samples/make_sample_history.py
"""

import datetime
import pathlib

FOLDER = pathlib.Path(__file__).resolve().parent / "历史号码"

FIRST_DAY = datetime.date(2016, 12, 22)
DAYS = 21
DRAWS_PER_DAY = 120
SEED = 0x5EED5A3B1E
OUTPUT = FOLDER / "示例历史号码.txt"

DAILY_FIRST = datetime.date(2025, 10, 1)
DAILY_LAST = datetime.date(2026, 2, 28)
DAILY_SEED = 0xDA11F5EED
DAILY_OUTPUT = FOLDER / "示例每天一期.csv"


def digits(state):
    """Yields one digit 0-9 per call of next(), from a 64-bit xorshift* sequence."""
    mask = (1 << 64) - 1
    while True:
        state ^= state >> 12
        state ^= (state << 25) & mask
        state ^= state >> 27
        yield (((state * 0x2545F4914F6CDD1D) & mask) >> 32) % 10


def draw(source):
    return "".join(str(next(source)) for _ in range(5))


def lines():
    source = digits(SEED)
    for day in range(DAYS):
        date = FIRST_DAY + datetime.timedelta(days=day)
        for sequence in range(1, DRAWS_PER_DAY + 1):
            issue = f"{date:%y%m%d}{sequence:03d}"
            yield f"{issue} {draw(source)}\r\n"


def daily_lines():
    """The header, then one row a day: the issue is the year and the day's number within it."""
    yield "期号,开奖日期,开奖号码\r\n"
    source = digits(DAILY_SEED)
    date = DAILY_FIRST
    while date <= DAILY_LAST:
        issue = f"{date.year}{date.timetuple().tm_yday:03d}"
        yield f"{issue},{date:%Y-%m-%d},{draw(source)}\r\n"
        date += datetime.timedelta(days=1)


def main():
    FOLDER.mkdir(parents=True, exist_ok=True)
    OUTPUT.write_bytes("".join(lines()).encode("ascii"))
    print(f"wrote {DAYS * DRAWS_PER_DAY} draws to {OUTPUT}")
    rows = list(daily_lines())
    DAILY_OUTPUT.write_bytes("".join(rows).encode("utf-8"))
    print(f"wrote {len(rows) - 1} draws to {DAILY_OUTPUT}")


if __name__ == "__main__":
    main()
