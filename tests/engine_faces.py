#!/usr/bin/env python3
"""Keeps the engine's classes small: no class declared in src/engine/*.h may have more
than 25 public methods or 15 data members. Constructors, destructors, deleted members,
nested types and friends are not counted; two overloads of one accessor count as two.
Prints every class with its counts; exits 1 naming the classes over the limits."""
import glob
import re
import sys

MAX_PUBLIC_METHODS = 25
MAX_DATA_MEMBERS = 15


def class_bodies(text):
    for match in re.finditer(r"(?m)^class (\w+)[^;{]*\{", text):
        depth, i = 1, match.end()
        while depth:
            depth += {"{": 1, "}": -1}.get(text[i], 0)
            i += 1
        yield match.group(1), text[match.end():i - 1]


def top_level(body):
    """The body with nested braces (inline bodies, nested types) cut out."""
    out, depth = [], 0
    for ch in re.sub(r"//[^\n]*", "", body):
        if ch == "{":
            depth += 1
        if depth == 0:
            out.append(ch)
        if ch == "}":
            depth -= 1
            if depth == 0:
                out.append(";")
    return "".join(out)


def count(name, body):
    access, methods, members = "private", 0, 0
    for part in re.split(r"(public:|private:|protected:)", top_level(body)):
        if part.endswith(":") and part[:-1] in ("public", "private", "protected"):
            access = part[:-1]
            continue
        for declaration in part.split(";"):
            d = " ".join(declaration.split())
            if not d or re.match(r"^(friend|enum|using|static constexpr|struct|class)\b", d):
                continue
            if "(" in d and not re.match(r"^[\w:<>, ]+ \w+\{", d):
                special = re.match(r"^(explicit )?~?" + name + r"\(", d) or "= delete" in d
                if access == "public" and not special:
                    methods += 1
            else:
                members += 1
    return methods, members


def main(folder):
    over = []
    for header in sorted(glob.glob(f"{folder}/*.h")):
        for name, body in class_bodies(open(header, encoding="utf-8").read()):
            methods, members = count(name, body)
            print(f"{name:16} {methods:3} public methods {members:3} data members")
            if methods > MAX_PUBLIC_METHODS or members > MAX_DATA_MEMBERS:
                over.append(name)
    if over:
        print("over the limits:", ", ".join(over))
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1] if len(sys.argv) > 1 else "src/engine"))
