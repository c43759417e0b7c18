"""Keys typed into the program through the X server, as a person types them.

A key script is the notation tallymar-cli reads: characters are typed as they
stand, and a braced token is one key, with "C-", "S-" and "A-" for Ctrl, Shift
and Alt: "5+3+{Enter}", "{S-Enter}", "{C-Tab}", "{C-S-Tab}", "{Up}", "{A-4}".
"{{" types a "{". Keys go through xdotool to the window that has the X input
focus, so they take the same way as a real keyboard's.
"""

import subprocess

# Token names that differ from X key names; any other name is an X key name
# (Up, Tab, F1, KP_Add, space, ...).
KEY_NAMES = {
    "Enter": "Return",
    "Esc": "Escape",
    "Bksp": "BackSpace",
    "Del": "Delete",
    "PgUp": "Prior",
    "PgDn": "Next",
    "Space": "space",
}
MODIFIERS = {"C": "ctrl", "S": "shift", "A": "alt"}

# Milliseconds between two keys: slow enough for the program to take each one.
KEY_DELAY_MS = 30


class KeyScriptError(ValueError):
    pass


def parse(script):
    """The script as a list of ("type", text) and ("key", "ctrl+shift+Tab") steps."""
    steps = []
    text = ""
    i = 0
    while i < len(script):
        c = script[i]
        if c != "{" or script.startswith("{{", i):
            text += c
            i += 2 if c == "{" else 1
            continue
        close = script.find("}", i)
        if close < 0:
            raise KeyScriptError("a key in %r is not closed with }" % script)
        if text:
            steps.append(("type", text))
            text = ""
        steps.append(("key", _key(script[i + 1 : close])))
        i = close + 1
    if text:
        steps.append(("type", text))
    return steps


def _key(token):
    if not token:
        raise KeyScriptError("an empty key {}")
    held = []
    while len(token) > 2 and token[1] == "-" and token[0] in MODIFIERS:
        held.append(MODIFIERS[token[0]])
        token = token[2:]
    if not token.replace("_", "").isalnum():
        raise KeyScriptError("unknown key {%s}" % token)
    return "+".join(held + [KEY_NAMES.get(token, token)])


def send(script):
    """Types the script; raises KeyScriptError or subprocess.CalledProcessError.

    Keys go to the X input focus, never with xdotool's --window, whose synthetic
    events Qt ignores.
    """
    for kind, what in parse(script):
        command = ["xdotool", kind, "--delay", str(KEY_DELAY_MS), "--", what]
        subprocess.run(command, check=True, timeout=30, capture_output=True)


def focus_window(pid):
    """Gives the X input focus to the program's shown window; returns its id or None.

    Without a window manager the X server does not move the focus by itself, and
    keys would go to whatever window is under the pointer.
    """
    found = subprocess.run(
        ["xdotool", "search", "--all", "--onlyvisible", "--pid", str(pid), "--name", "."],
        capture_output=True,
        text=True,
        timeout=10,
    )
    windows = found.stdout.split()
    if not windows:
        return None
    window = windows[-1]
    subprocess.run(["xdotool", "windowfocus", "--sync", window], capture_output=True, timeout=10)
    return window
