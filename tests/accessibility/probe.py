#!/usr/bin/python3
"""Reads Tallymar's window as a screen reader does, over AT-SPI, and checks it.

    probe.py TALLYMAR tape|keyboard

It starts itself again on a virtual display of its own (xvfb-run) in a private
D-Bus session (dbus-run-session), whose accessibility bus starts when first asked
for. There it starts a copy of the program in a folder of its own with Qt's bridge
to AT-SPI on, types keys through the X server as a person does (xdotool), and reads
the accessible tree after them. Each check prints "ok: ..." or "FAIL: ..." with the
objects concerned below it; the run ends with "N passed, N failed". Exit status 0,
1 when a check failed, 77 when the machine lacks a tool (the test is skipped).
"""
import os
import shutil
import signal
import subprocess
import sys
import tempfile
import time

INSIDE = "TALLYMAR_PROBE_INSIDE"
SECONDS = 80  # for the whole run, the program ended after
QUIET = 0.3  # seconds the window stays quiet after keys before it is read
PATIENCE = 5  # seconds a failing check is read again, for a window slow on a busy machine
SPOKEN = ("object:property-change:accessible-name", "object:property-change:accessible-description",
          "object:property-change:accessible-value", "object:state-changed:focused",
          "object:announcement")
DECIMALS = ["Automatic 2 decimal places", "Floating decimal places", "No decimal places",
            "One decimal place", "2 decimal places", "4 decimal places", "6 decimal places"]
DIALOGS = [  # the keys that open it, its title, the keys that close it
    (["alt+o", "m"], "Tallymar Mode", ["Escape"]),
    (["alt+o", "d"], "Date, time", ["Escape"]),
    (["alt+f", "v"], "Print Preview", ["alt+c"]),
    (["alt+o", "s"], "Sound", ["Escape"]),
    (["alt+o", "c"], "Tallymar Colors", ["Escape"]),
    (["alt+h", "a"], "About Tallymar", ["Escape"]),
    (["alt+o", "n"], "Converter", []),
]


def skip(reason):
    print("SKIP: " + reason)
    sys.exit(77)


def start_inside():
    for tool in ("xvfb-run", "xauth", "dbus-run-session", "xdotool"):
        if not shutil.which(tool):
            skip(tool + " is not installed")
    if not os.path.exists("/usr/libexec/at-spi-bus-launcher"):
        skip("at-spi2-core is not installed")
    try:
        import gi
        gi.require_version("Atspi", "2.0")
        import pyatspi  # noqa: F401
    except (ImportError, ValueError):
        skip("python3-pyatspi is not installed")
    # The accessibility bus's socket and the program's folder go in `work`.
    with tempfile.TemporaryDirectory(prefix="tallymar-atspi-") as work:
        env = {k: v for k, v in os.environ.items()
               if k not in ("DBUS_SESSION_BUS_ADDRESS", "AT_SPI_BUS_ADDRESS", "WAYLAND_DISPLAY")}
        env.update({INSIDE: "1", "XDG_RUNTIME_DIR": work, "TMPDIR": work})
        # -noreset: else the server starts over when its last client leaves, and the
        # program, connecting just then, is refused.
        return subprocess.run(["xvfb-run", "-a", "-s", "-screen 0 1280x1024x24 -noreset",
                               "dbus-run-session", "--", sys.executable, "-B", *sys.argv],
                              env=env, stdin=subprocess.DEVNULL).returncode


class Probe:
    def __init__(self, binary):
        self.folder = tempfile.mkdtemp(prefix="tallymar-probe-")
        copy = shutil.copy2(binary, self.folder)  # the Tallymar.ini beside it seeds its settings
        with open(os.path.join(self.folder, "Tallymar.ini"), "w") as ini:
            ini.write("[OPTIONS]\nDecimals=2\n")
        self.log = open(os.path.join(self.folder, "program.log"), "w+")
        env = dict(os.environ, QT_QPA_PLATFORM="xcb", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1",
                   QT_ACCESSIBILITY="1", XDG_CONFIG_HOME=os.path.join(self.folder, "config"),
                   XDG_STATE_HOME=os.path.join(self.folder, "state"))
        self.program = subprocess.Popen([copy], cwd=self.folder, env=env, stdin=subprocess.DEVNULL,
                                        stdout=self.log, stderr=subprocess.STDOUT)
        self.passed = self.failed = 0
        self.events, self.heard_at = [], time.monotonic()
        for kind in ("object:property-change", "object:state-changed", "object:text-changed",
                     "object:children-changed", "object:announcement"):
            pyatspi.Registry.registerEventListener(self.hear, kind)

    def hear(self, event):
        try:
            if event.source.get_process_id() != self.program.pid:
                return
            self.heard_at = time.monotonic()
            if event.type.startswith(SPOKEN) and (event.detail1 or "focused" not in event.type):
                data = event.any_data if isinstance(event.any_data, (str, int, float)) else ""
                self.events.append("%s %r %r %r" % (event.type, event.source.name,
                                                    event.source.description, data))
        except Exception:  # the object went away meanwhile
            pass

    def pump(self, seconds):
        context, end = GLib.MainContext.default(), time.monotonic() + seconds
        while True:
            while context.pending():
                context.iteration(False)
            if time.monotonic() >= end:
                return
            time.sleep(0.01)

    def press(self, *keys, text=""):
        """Types `text`, then presses `keys` (X key names: "Return", "ctrl+Tab") to the X
        input focus, as a keyboard does (Qt ignores xdotool's --window events); then waits
        until the window is quiet."""
        self.events = []
        for kind, what in (("type", [text] if text else []), ("key", list(keys))):
            if what:
                subprocess.run(["xdotool", kind, "--delay", "30", "--", *what], check=True)
        start = self.heard_at = time.monotonic()
        while time.monotonic() - self.heard_at < QUIET and time.monotonic() - start < 5:
            self.pump(0.05)

    def find_window(self):
        desktop, end = pyatspi.Registry.getDesktop(0), time.monotonic() + 30
        while time.monotonic() < end and self.program.poll() is None:
            for app in filter(None, (desktop.getChildAtIndex(i) for i in range(desktop.childCount))):
                try:
                    if app.get_process_id() == self.program.pid and any(
                            w.getState().contains(pyatspi.STATE_SHOWING) for w in app):
                        self.app = app
                        # With no window manager, keys would go to the window under the pointer.
                        windows = subprocess.run(["xdotool", "search", "--onlyvisible", "--pid",
                                                  str(self.program.pid), "--name", "."],
                                                 capture_output=True, text=True).stdout.split()
                        subprocess.run(["xdotool", "windowfocus", "--sync", windows[-1]])
                        return self.press()
                except Exception:  # an application that went away meanwhile
                    pass
            self.pump(0.1)
        self.report(False, "the program's window is shown on the accessibility bus",
                    self.tail())
        raise SystemExit(1)

    def tree(self):
        """(path, role, name, states) of every object of the program that can be read."""
        nodes = []

        def walk(accessible, path):
            try:
                states = {pyatspi.stateToString(s) for s in accessible.getState().getStates()}
                nodes.append((path, accessible.getRoleName(), accessible.name or "", states))
                children = [accessible.getChildAtIndex(i) for i in range(accessible.childCount)]
            except Exception:  # gone while read
                return
            for index, child in enumerate(children):
                if child is not None and len(path) < 40:
                    walk(child, path + (index,))

        walk(self.app, ())
        return nodes

    def tail(self):
        self.log.seek(0)
        return self.log.read().splitlines()[-15:]

    def report(self, ok, sentence, details=()):
        ok = bool(ok)
        print(("ok: " if ok else "FAIL: ") + sentence)
        for detail in [] if ok else details:
            print("    " + detail)
        sys.stdout.flush()
        self.passed += ok
        self.failed += not ok

    def check(self, sentence, test):
        """test(nodes) gives (ok, details); a failing test is read again for a while."""
        end = time.monotonic() + PATIENCE
        ok, details = test(self.tree())
        while not ok and time.monotonic() < end:
            self.pump(0.2)
            ok, details = test(self.tree())
        self.report(ok, sentence, details if self.program.poll() is None else self.tail())

    def window(self, title):
        frames = lambda nodes: [name for _, role, name, _ in nodes if role in ("frame", "dialog")]
        self.check("a window is named %r" % title,
                   lambda nodes: (title in frames(nodes), ["the windows: %s" % frames(nodes)]))

    def all_named(self, where):
        def test(nodes):
            controls = [n for n in nodes if {"focusable", "showing"} <= n[3]]
            unnamed = ["%s at %s" % (role, path) for path, role, name, _ in controls
                       if not name.strip()]
            return controls and not unnamed, unnamed or ["no control can take the focus"]

        self.check("every focusable control shown with %s has a name" % where, test)

    def named(self, text):
        self.check("a shown object's name has %r" % text, lambda nodes: (
            any(text in name for _, _, name, states in nodes if "showing" in states), []))

    def focused(self, text):
        def test(nodes):  # Qt marks the window too: the focus is the deepest focused object
            focus = max((n for n in nodes if "focused" in n[3]), key=lambda n: len(n[0]),
                        default=(None, None, "", None))
            return text in focus[2], ["the focus is on %s %r" % focus[1:3]]

        self.check("the focused object's name has %r" % text, test)

    def checked(self, name):
        self.check("%r is checked" % name, lambda nodes: (
            any(n[2] == name and "checked" in n[3] for n in nodes), []))

    def spoken(self, text):
        end = time.monotonic() + PATIENCE
        while not any(text in e for e in self.events) and time.monotonic() < end:
            self.pump(0.1)
        self.report(any(text in e for e in self.events),
                    "an event the program sent since the last keys carries %r" % text,
                    self.events[:12] or ["no event was heard"])

    def ring(self, key, names, choose=None):
        """`key`, pressed again and again, puts the focus on each of `names` in turn (at
        most one round of the controls each), and `choose` then checks it."""
        for name in names:
            seen = []
            for _ in range(len([n for n in self.tree() if {"focusable", "showing"} <= n[3]]) + 2):
                focus = [n[2] for n in self.tree() if "focused" in n[3]]
                if name in focus:
                    break
                seen.append(focus[-1] if focus else "(nothing)")
                self.press(key)
            self.report(name in focus, "%s reaches %r" % (key, name), ["the focus was on %s"
                        % ", ".join(dict.fromkeys(seen))])
            if choose and name in focus:
                self.press(choose)
                self.checked(name)


def tape(probe):
    probe.window("Tape1 - Tallymar")
    probe.check("the menu bar holds File, Edit, Options and Help", lambda nodes: (
        {"File", "Edit", "Options", "Help"} <= {n[2] for n in nodes if "menu" in n[1]}, []))
    probe.all_named("the tape")
    probe.press("Return", text="5+3+")
    probe.named("total 8.00")
    probe.spoken("total 8.00")
    probe.focused("new entry")
    probe.press("Up", text="12.5+")
    probe.focused("12.50 plus")
    probe.press("Down", text="7")
    probe.named("7.00 plus")
    probe.all_named("the keyed lines")


def keyboard(probe):
    probe.ring("ctrl+shift+Tab", ["Tape position", "Converter", "Clear tape"])
    probe.ring("ctrl+Tab", DECIMALS, choose="space")
    probe.focused("new entry")
    probe.press(text="5+")
    probe.named("5.000000 plus")
    probe.press("ctrl+2")
    probe.checked("2 decimal places")
    for opening, title, closing in DIALOGS:
        for key in opening:  # one at a time, as a person waits for the menu to open
            probe.press(key)
        probe.window(title)
        probe.all_named("the %s window" % title)
        if closing:
            probe.press(*closing)
            probe.focused("new entry")


def main(binary, scenario):
    Atspi.set_timeout(3000, 10000)  # no call to a stuck program waits long
    probe = Probe(binary)

    def end(*_):
        probe.program.terminate()
        try:
            probe.program.wait(timeout=5)
        except subprocess.TimeoutExpired:
            probe.program.kill()
        shutil.rmtree(probe.folder, ignore_errors=True)
        print("%d passed, %d failed" % (probe.passed, probe.failed))
        sys.stdout.flush()

    def out_of_time(*_):  # raised here, it could be lost in a callback of the bus
        probe.report(False, "the run ends within %d s" % SECONDS)
        end()
        os._exit(1)

    signal.signal(signal.SIGALRM, out_of_time)
    signal.alarm(SECONDS)
    try:
        probe.find_window()
        {"tape": tape, "keyboard": keyboard}[scenario](probe)
    finally:
        signal.alarm(0)
        end()
    return 1 if probe.failed else 0


if __name__ == "__main__":
    if len(sys.argv) != 3 or sys.argv[2] not in ("tape", "keyboard"):
        sys.exit(__doc__)
    if not os.environ.get(INSIDE):
        sys.exit(start_inside())
    import gi
    gi.require_version("Atspi", "2.0")
    import pyatspi
    from gi.repository import Atspi, GLib
    sys.exit(main(*sys.argv[1:]))
