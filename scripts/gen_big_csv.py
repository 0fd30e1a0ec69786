#!/usr/bin/env python3
"""Writes a large CSV for timing the viewer's loader (not kept in the repository).

    python3 scripts/gen_big_csv.py OUT.csv [ROWS]      # default 1,000,000 rows, about 60 MB

Five columns of the kinds a person's export holds: a text name, a whole number, a decimal amount,
a date in the control's en-US short form with a time, and a category. Every tenth name is quoted
and holds a comma, so the parser's quoted path is timed too. The content is fixed by the seed.
"""
import random
import sys

CATEGORIES = ["hardware", "software", "services", "travel", "office", "training", "licences"]
WORDS = ["alpha", "bravo", "charlie", "delta", "echo", "foxtrot", "golf", "hotel", "india", "juliet"]


def main():
    if len(sys.argv) < 2:
        sys.exit(__doc__)
    rows = int(sys.argv[2]) if len(sys.argv) > 2 else 1_000_000
    rng = random.Random(15)
    with open(sys.argv[1], "w", encoding="utf-8", newline="") as out:
        out.write("name,quantity,amount,ordered,category\r\n")
        lines = []
        for i in range(rows):
            name = f"{rng.choice(WORDS)} {rng.choice(WORDS)} {i:07d}"
            if i % 10 == 0:
                name = f'"{name}, ltd"'
            month, day, year = rng.randint(1, 12), rng.randint(1, 28), rng.randint(2015, 2025)
            hour, minute = rng.randint(1, 12), rng.randint(0, 59)
            ampm = "AM" if rng.random() < 0.5 else "PM"
            lines.append(f"{name},{rng.randint(1, 5000)},{rng.uniform(0, 100000):.2f},"
                         f"{month}/{day}/{year} {hour}:{minute:02d} {ampm},{rng.choice(CATEGORIES)}\r\n")
            if len(lines) == 10000:
                out.writelines(lines)
                lines.clear()
        out.writelines(lines)


if __name__ == "__main__":
    main()
