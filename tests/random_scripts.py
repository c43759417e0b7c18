#!/usr/bin/env python3
"""Random key scripts replayed by tallymar-cli, compared two ways.

Rows: the same build at two window heights (3 and 40 rows by default). Without
the paging keys the window's height must not change the tape, the total or
anything heard or shown in a message box; only the row dump (which lines the rows
show) may differ, so the "rows"/"R..." lines of the output are left out of the
comparison. A script clicks a line with {ClickLine N}, which means the same line
at every height. ctest runs this mode:

    tests/random_scripts.py rows --cli build/src/cli/tallymar-cli --count 300

Builds: the same scripts through two builds of tallymar-cli at the same height,
every line of the output compared, rows included. This is for checking that a
refactoring changes no behaviour; build the old commit in a second worktree and
point at both programs:

    git worktree add /tmp/old HEAD~1
    cmake -S /tmp/old -B /tmp/old/build -DCMAKE_BUILD_TYPE=RelWithDebInfo
    cmake --build /tmp/old/build --target tallymar-cli
    tests/random_scripts.py builds --old /tmp/old/build/src/cli/tallymar-cli \\
        --new build/src/cli/tallymar-cli --count 500 --seed 7

The scripts of the builds mode click rows with {Click N} (N 0 to 2), which older
builds read too. Every script is made from --seed and its number, so a failure
is reproduced with the same seed; --show N prints script N, --shrink N the
fewest of its steps that still differ, and --keep DIR writes
every script that differed, with both outputs, to DIR. The exit status is 1 when
any script differed and 2 when a script could not run at all.
"""

import argparse
import os
import random
import re
import subprocess
import sys

VOICES = ["Grunk", "Rusty", "Vesna", "Murph", "Dermot", "Pippa", "None"]
MACHINES = ["Burroughs", "Canon", "Facit", "None"]
DECIMALS = [0, 1, 2, 4, 6, 16, 17]
WORDS = ["rent", "tea", "x", "note", "bus fare", "q1"]
PAGING = ("{PgUp}", "{PgDn}", "{Home}", "{End}")


def amount(rng):
    kind = rng.random()
    if kind < 0.15:
        return ""  # an empty entry: repeat-add, or the total above
    if kind < 0.25:
        return "0"
    digits = str(rng.randint(1, 9999))
    if rng.random() < 0.3:
        digits += "." + str(rng.randint(0, 99))
    return digits


# What the builds mode adds: the window's own moves, which change the rows shown
# (and so may differ between heights), but must not differ between builds.
WINDOW = ["{PgUp}", "{PgDn}", "{Home}", "{End}", "{Scroll %d}", "{Wheel %d}", "{Rows %d}",
          "{S-Click %d}", "{S-Drag %d %d}", "{SelectAll}", "{Undo}", "{Redo}"]


def window_step(rng):
    step = rng.choice(WINDOW)
    if step.startswith("{Scroll"):
        return step % rng.randint(0, 40)
    if step.startswith("{Wheel"):
        return step % rng.choice([-2, -1, 1, 2])
    if step.startswith("{Rows"):
        return step % rng.randint(1, 12)
    if step.startswith("{S-Click"):
        return step % rng.randint(0, 2)
    if step.startswith("{S-Drag"):
        return step % (rng.randint(0, 2), rng.randint(-2, 4))
    return step


def token(rng, mode):
    """One step of a script: keys, a window action or a setting."""
    if mode == "builds" and rng.random() < 0.12:
        return window_step(rng)
    r = rng.random()
    if r < 0.40:
        return amount(rng) + rng.choice("++++---**//%=")
    if r < 0.50:
        return amount(rng) + rng.choice(["{Enter}", "{Enter}", "{S-Enter}"])
    if r < 0.60:
        return rng.choice(["{Up}", "{Down}", "{Up}{Up}", "{Down}{Down}"])
    if r < 0.68:
        if mode == "rows":
            return "{ClickLine %d}" % rng.randint(0, 25)
        return "{Click %d}" % rng.randint(0, 2)
    if r < 0.72:
        return rng.choice(WORDS) + rng.choice(["{Enter}", "{Up}", "{Down}"])
    if r < 0.75:
        return "{Insert}"
    if r < 0.78:
        return rng.choice(["{Delete}", "{S-Up}{S-Up}{Answer yes}{Delete}",
                           "{S-Down}{Answer no}{Delete}"])
    if r < 0.81:
        return rng.choice(["{S-Up}{S-Up}{C-c}", "{S-Down}{C-c}", "{C-c}"])
    if r < 0.85:
        return "{Decimals %d}" % rng.choice(DECIMALS)
    if r < 0.87:
        return rng.choice(["{Mode calc}", "{Mode adder}"])
    if r < 0.90:
        return "{Callback}"
    if r < 0.92:
        return rng.choice(["{Voice %s}", "{CallbackVoice %s}"]) % rng.choice(VOICES)
    if r < 0.94:
        return "{Bksp}"
    if r < 0.96:
        return "{Answer yes}" + amount(rng) + rng.choice(["{Up}", "{Down}", "{Enter}"])
    if mode == "rows" and r < 0.98:
        # Undo and redo must not depend on the window's height either (older builds
        # have neither, so the builds mode leaves them out).
        return rng.choice(["{Undo}", "{Undo}{Undo}", "{Redo}", "{Undo}{Redo}"])
    return rng.choice(["{Enter}", "{S-Enter}", "="])


def script(seed, number, mode):
    """The options and the steps of script `number`."""
    rng = random.Random("%s/%d" % (seed, number))
    steps = [token(rng, mode) for _ in range(rng.randint(4, 30))]
    assert mode != "rows" or not any(key in step for key in PAGING for step in steps)
    options = ["--decimals", str(rng.choice(DECIMALS)),
               "--voice", rng.choice(VOICES),
               "--callback-voice", rng.choice(VOICES),
               "--machine", rng.choice(MACHINES)]
    if rng.random() < 0.3:
        options.append("--calc-mode")
    return options, steps


def run(program, rows, options, text):
    done = subprocess.run([program, "--rows", str(rows)] + options + ["-"],
                          input=text.encode(), capture_output=True, timeout=60)
    stderr = done.stderr.decode(errors="replace").strip()
    if done.returncode == 2 and stderr.startswith("script error"):
        # A click on a row the window does not have: the same script must stop at
        # the same place in both programs.
        return done.stdout.decode(errors="replace").splitlines() + [stderr]
    if done.returncode != 0:
        raise RuntimeError("%s --rows %d %s failed (%d): %s" % (
            program, rows, " ".join(options), done.returncode,
            done.stderr.decode(errors="replace").strip()))
    return done.stdout.decode(errors="replace").splitlines()


ROW_DUMP = re.compile(r"^(rows |R\d+ )")


def without_rows(lines):
    return [line for line in lines if not ROW_DUMP.match(line)]


def first_difference(a, b):
    for i, (x, y) in enumerate(zip(a, b)):
        if x != y:
            return i, x, y
    i = min(len(a), len(b))
    return i, a[i] if i < len(a) else "<end>", b[i] if i < len(b) else "<end>"


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("mode", choices=["rows", "builds"])
    parser.add_argument("--cli", help="tallymar-cli (rows mode)")
    parser.add_argument("--old", help="the old build's tallymar-cli (builds mode)")
    parser.add_argument("--new", help="the new build's tallymar-cli (builds mode)")
    parser.add_argument("--rows", type=int, nargs=2, default=[3, 40],
                        help="the two heights (rows mode); the first is the builds mode's")
    parser.add_argument("--count", type=int, default=300)
    parser.add_argument("--seed", default="1")
    parser.add_argument("--show", type=int, help="print script N and exit")
    parser.add_argument("--shrink", type=int,
                        help="print the fewest steps of script N that still differ")
    parser.add_argument("--keep", help="write the scripts that differed to this folder")
    parser.add_argument("--quiet", action="store_true", help="no line per difference")
    args = parser.parse_args()

    if args.show is not None:
        options, steps = script(args.seed, args.show, args.mode)
        print(" ".join(options))
        print("".join(steps))
        return 0
    if args.mode == "rows":
        if not args.cli:
            parser.error("rows mode needs --cli")
        a = lambda o, t: without_rows(run(args.cli, args.rows[0], o, t))
        b = lambda o, t: without_rows(run(args.cli, args.rows[1], o, t))
        names = ("%d rows" % args.rows[0], "%d rows" % args.rows[1])
    else:
        if not (args.old and args.new):
            parser.error("builds mode needs --old and --new")
        a = lambda o, t: run(args.old, args.rows[0], o, t)
        b = lambda o, t: run(args.new, args.rows[0], o, t)
        names = ("old", "new")

    if args.shrink is not None:
        # Leaves out one step after another while the outputs still differ.
        options, steps = script(args.seed, args.shrink, args.mode)
        if a(options, "".join(steps)) == b(options, "".join(steps)):
            print("script %d does not differ" % args.shrink)
            return 0
        i = 0
        while i < len(steps):
            fewer = steps[:i] + steps[i + 1:]
            if a(options, "".join(fewer)) != b(options, "".join(fewer)):
                steps = fewer
            else:
                i += 1
        print(" ".join(options))
        print("".join(steps))
        return 1

    differed = 0
    for number in range(args.count):
        options, steps = script(args.seed, number, args.mode)
        text = "".join(steps)
        try:
            out_a, out_b = a(options, text), b(options, text)
        except (RuntimeError, subprocess.TimeoutExpired) as error:
            print("script %d: %s" % (number, error), file=sys.stderr)
            return 2
        if out_a == out_b:
            continue
        differed += 1
        if not args.quiet:
            at, x, y = first_difference(out_a, out_b)
            print("script %d differs at output line %d:\n  %s: %s\n  %s: %s" % (
                number, at, names[0], x, names[1], y))
        if args.keep:
            os.makedirs(args.keep, exist_ok=True)
            base = os.path.join(args.keep, "script%d" % number)
            with open(base + ".keys", "w") as f:
                f.write(" ".join(options) + "\n" + text + "\n")
            for name, out in zip(names, (out_a, out_b)):
                with open(base + "." + name.replace(" ", "") + ".out", "w") as f:
                    f.write("\n".join(out) + "\n")
    print("%d of %d scripts differ between %s and %s (seed %s)" % (
        differed, args.count, names[0], names[1], args.seed))
    return 1 if differed else 0


if __name__ == "__main__":
    sys.exit(main())
