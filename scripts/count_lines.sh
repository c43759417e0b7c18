#!/bin/bash
# Lines of code in src/ and in tests/, and the ratio of the two.
# A line counts when it holds code: blank lines and lines that are only a comment
# (a // line, a /* ... */ body, a # line of a Python or shell file, a Python docstring)
# do not count. C++ sources (.cpp, .h) are counted in src/; in tests/ also the Python
# and shell files and any data file the tests read (.txt, .csv, .json, .tsv).
set -eu
cd "$(dirname "$0")/.."
python3 - "$@" <<'PY'
import pathlib, re

def cpp_lines(text):
    n, in_block = 0, False
    for line in text.splitlines():
        s, code = line.strip(), False
        while s:
            if in_block:
                end = s.find("*/")
                if end < 0:
                    s = ""
                else:
                    s, in_block = s[end + 2:].strip(), False
                continue
            if s.startswith("//"):
                break
            if s.startswith("/*"):
                in_block, s = True, s[2:]
                continue
            code = True
            break
        n += code
    return n

def hash_lines(text, python):
    n, doc = 0, None
    for line in text.splitlines():
        s = line.strip()
        if doc:
            if doc in s:
                doc = None
            continue
        if python and s[:3] in ('"""', "'''"):
            q = s[:3]
            if s.count(q) < 2 or len(s) == 3:
                doc = q
            continue
        if s and not s.startswith("#"):
            n += 1
    return n

def count(folder, data):
    total = 0
    for p in sorted(pathlib.Path(folder).rglob("*")):
        if not p.is_file():
            continue
        text = p.read_text(errors="replace")
        if p.suffix in (".cpp", ".h"):
            total += cpp_lines(text)
        elif data and p.suffix in (".py", ".sh"):
            total += hash_lines(text, p.suffix == ".py")
        elif data and p.suffix in (".txt", ".csv", ".json", ".tsv"):
            total += sum(1 for l in text.splitlines() if l.strip())
    return total

src, tests = count("src", False), count("tests", True)
print(f"src    {src}")
print(f"tests  {tests}")
print(f"ratio  {100 * tests / src:.1f}%")
PY
