#!/usr/bin/env python3
"""Writes tape files for the tape file fuzz target to start from: a short tape, and
a full one of 32,767 lines, the longest a tape can be (983,010 bytes, too big to keep
in the repository). Each line is a 30-byte record: signature 630, 17 characters of
entry, the amount as a double, the decimal code and the kind of line.

usage: tape_seeds.py FOLDER [--full]
"""
import os
import struct
import sys

MAX_LINES = 32767


def record(entry, amount, op, decimals=2):
    return struct.pack("<h17sdhc", 630, entry.ljust(17).encode("latin-1"), amount, decimals,
                       op.encode("latin-1"))


def tape(lines):
    """Amounts added in runs of 40, each run struck as a total under a rule, with a
    comment now and then, ending on the open line."""
    out, total = [], 0.0
    while len(out) < lines - 1:
        n = len(out)
        if n % 43 == 40:
            out.append(record(f"{total:,.2f}", total, "T"))
            total = 0.0
        elif n % 43 == 41:
            out.append(record("-" * 15, 0.0, "H"))
        elif n % 43 == 42:
            out.append(record(f"run {n // 43}", 0.0, "C"))
        else:
            amount = (n * 37 % 10000) / 4 * (-1 if n % 7 == 0 else 1)
            total += amount
            out.append(record(f"{amount:.2f}", amount, "-" if amount < 0 else "+"))
    out.append(record("", 0.0, "B"))
    return b"".join(out)


def main():
    folder = sys.argv[1]
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, "short.add"), "wb") as f:
        f.write(tape(60))
    if "--full" in sys.argv:
        with open(os.path.join(folder, "full.add"), "wb") as f:
            f.write(tape(MAX_LINES))


if __name__ == "__main__":
    main()
