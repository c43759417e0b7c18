#!/usr/bin/python3
"""Reads Tallymar's window as a screen reader does, over AT-SPI, and checks it.

Run it through run_probe.sh, which gives it a virtual display and private D-Bus
and accessibility buses. It starts the program in a folder of its own, waits for
it on the accessibility bus, then carries out the steps of its command line in
order: keys typed, tree dumps and checks. Each check prints one line, "ok: ..."
or "FAIL: ..." (the objects concerned indented below a failure), and the run
ends with "N passed, N failed".

  run_probe.sh --program build/src/shell/tallymar --setting Decimals=2 \\
      --expect-all-focusable-named --keys '5+3+{Enter}' --expect-name-contains 8.00 --dump

Exit status: 0 when every check passed, 1 when one failed or the program could
not be read, 2 for a wrong command line, 77 when the machine lacks what AT-SPI
needs (the test is then skipped, not failed).
"""

import argparse
import importlib
import os
import signal
import sys
import threading
import time

SKIP = 77
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

try:
    import gi

    gi.require_version("Atspi", "2.0")
    from gi.repository import Atspi

    importlib.import_module("pyatspi")
except (ImportError, ValueError) as missing:
    print("SKIP: python3-pyatspi (AT-SPI for Python) is not installed: %s" % missing)
    sys.exit(SKIP)

import atspi_tree  # noqa: E402
import keyboard  # noqa: E402
from bus_session import BusSession, describe_event  # noqa: E402
from program import Program  # noqa: E402

# A check that fails is read again for this long, for a window slow to take keys.
PATIENCE_SECONDS = 1.0


class Steps(argparse.Action):
    """Keeps every step option in one list, in the order given."""

    def __call__(self, parser, namespace, values, option_string=None):
        steps = getattr(namespace, "steps", None) or []
        steps.append((self.dest, values))
        namespace.steps = steps


def parse_arguments(argv):
    parser = argparse.ArgumentParser(
        description=__doc__.split("\n\n")[0],
        epilog="The steps (--keys, --dump and the --expect checks) run in the order given. "
        "NAMES are comma-separated. Keys are written as tallymar-cli's --keys: "
        "5+3+{Enter}, {S-Enter}, {C-Tab}, {C-S-Tab}, {Up}, {A-4}, {space}.",
    )
    parser.add_argument("--program", required=True, help="the tallymar binary to start")
    parser.add_argument("--ini", help="a settings file the program starts with")
    parser.add_argument(
        "--setting",
        action="append",
        default=[],
        metavar="KEY=VALUE",
        help="a key of the settings' [OPTIONS] section, e.g. Decimals=2 (added to --ini's)",
    )
    parser.add_argument("--arg", action="append", default=[], help="a program argument")
    parser.add_argument("--timeout", type=float, default=60, help="seconds the run may take (60)")
    parser.add_argument("--show-events", action="store_true", help="print every event heard")
    step = parser.add_argument_group("steps")
    step.add_argument("--keys", action=Steps, metavar="SCRIPT", help="type keys")
    step.add_argument("--dump", action=Steps, nargs=0, help="print the accessible tree")
    step.add_argument("--dump-showing", action=Steps, nargs=0, help="the same, shown objects only")
    step.add_argument(
        "--show-focus", action=Steps, nargs=0, help="print the object with the keyboard focus"
    )
    step.add_argument("--expect-frame", action=Steps, metavar="TITLE", help="a frame or dialog is named TITLE")
    step.add_argument(
        "--expect-menus", action=Steps, metavar="NAMES", help="the menu bar holds these menus"
    )
    step.add_argument(
        "--expect-all-focusable-named",
        action=Steps,
        nargs=0,
        help="every focusable showing control has a name",
    )
    step.add_argument(
        "--expect-all-controls-named",
        action=Steps,
        nargs=0,
        help="every showing button, choice, text, list or scroll bar has a name, focusable or not",
    )
    step.add_argument(
        "--expect-name-contains", action=Steps, metavar="TEXT", help="a shown object's name has TEXT"
    )
    step.add_argument(
        "--expect-text-contains", action=Steps, metavar="TEXT", help="a shown object's text has TEXT"
    )
    step.add_argument(
        "--expect-focused-name-contains",
        action=Steps,
        metavar="TEXT",
        help="the object with the keyboard focus has TEXT in its name",
    )
    step.add_argument(
        "--expect-event-name-contains",
        action=Steps,
        metavar="TEXT",
        help="since the last keys, the program sent a name, description or value change, a "
        "focus move or an announcement that carries TEXT",
    )
    step.add_argument(
        "--expect-checked", action=Steps, metavar="NAME", help="the object named NAME is checked"
    )
    step.add_argument(
        "--expect-reachable",
        action=Steps,
        nargs=2,
        metavar=("KEY", "NAMES"),
        help="pressing KEY again and again puts the focus on each of NAMES",
    )
    step.add_argument(
        "--expect-choosable",
        action=Steps,
        nargs=3,
        metavar=("KEY", "CHOOSE", "NAMES"),
        help="for each of NAMES: KEY, pressed until it has the focus, reaches it, and CHOOSE "
        "checks it",
    )
    arguments = parser.parse_args(argv)
    if not getattr(arguments, "steps", None):
        parser.error("give at least one step (--keys, --dump or an --expect check)")
    for name, value in arguments.steps:
        scripts = {"keys": [value], "expect_reachable": value[:1], "expect_choosable": value[:2]}
        for script in scripts.get(name, []):
            try:
                keyboard.parse(script)
            except keyboard.KeyScriptError as error:
                parser.error(str(error))
    for setting in arguments.setting:
        if "=" not in setting:
            parser.error("a --setting is KEY=VALUE, not %r" % setting)
    if not os.access(arguments.program, os.X_OK):
        parser.error("no program at %s" % arguments.program)
    return arguments


def settings_text(arguments):
    """The settings file the program starts with, or None for a first start without one."""
    lines = []
    if arguments.ini:
        with open(arguments.ini, encoding="utf-8", errors="replace") as ini:
            lines = ini.read().splitlines()
        if not arguments.setting:
            return "\n".join(lines) + "\n"
    if not arguments.setting:
        return None
    if "[OPTIONS]" not in lines:
        lines.append("[OPTIONS]")
    at = lines.index("[OPTIONS]") + 1
    lines[at:at] = arguments.setting
    return "\n".join(lines) + "\n"


def names_of(text):
    return [name.strip() for name in text.split(",") if name.strip()]


def unique_in_order(items):
    seen = []
    for item in items:
        if item not in seen:
            seen.append(item)
    return seen


def focus_label(nodes):
    focus = atspi_tree.focused(nodes)
    return focus.label() if focus is not None else "(nothing has the focus)"


def focus_name(nodes):
    focus = atspi_tree.focused(nodes)
    return focus.name if focus is not None else None


class Probe:
    def __init__(self, session):
        self.session = session
        self.passed = 0
        self.failed = 0

    def report(self, ok, sentence, reason="", details=()):
        if ok:
            self.passed += 1
            print("ok: " + sentence)
        else:
            self.failed += 1
            print("FAIL: %s: %s" % (sentence, reason) if reason else "FAIL: " + sentence)
            for detail in details:
                print("    " + detail)
        sys.stdout.flush()

    def run(self, name, value):
        sentence = "%s %s" % (name.replace("_", " "), value or "")
        program = self.session.program
        if program.exit_code() is not None:
            self.report(False, sentence, "the program has ended (status %d)" % program.exit_code(),
                        program.log_tail().splitlines())
            return
        try:
            getattr(self, "step_" + name)(value)
        except Exception as error:  # the bus or xdotool failed: a failed step, not a crash
            self.report(False, sentence, "%s: %s" % (type(error).__name__, error))

    def until(self, check):
        """Reads the tree until `check(nodes)` holds, for a short while; gives its last answer."""
        end = time.monotonic() + PATIENCE_SECONDS
        while True:
            answer = check(self.session.tree())
            if answer[0] or time.monotonic() >= end:
                return answer
            self.session.listen(0.2)

    def step_keys(self, script):
        print("keys: " + script)
        self.session.press(script)

    def step_dump(self, _):
        print(atspi_tree.dump(self.session.tree()))

    def step_dump_showing(self, _):
        print(atspi_tree.dump([n for n in self.session.tree() if n.has("showing")]))

    def step_show_focus(self, _):
        print("focus: " + focus_label(self.session.tree()))

    def step_expect_frame(self, title):
        def check(nodes):
            frames = [n.name for n in nodes if n.role in ("frame", "dialog")]
            return (title in frames, "the frames and dialogs are named "
                    + ", ".join(map(repr, frames)), [])

        self.checked("a frame or dialog is named %r" % title, check)

    def step_expect_menus(self, names):
        def check(nodes):
            bars = [n.path for n in nodes if n.role == "menu bar"]
            held = [n.name for n in nodes if n.path[:-1] in bars and "menu" in n.role]
            missing = [name for name in names_of(names) if name not in held]
            reason = ("there is no menu bar" if not bars else "it lacks %s; it holds %s"
                      % (", ".join(map(repr, missing)), ", ".join(map(repr, held))))
            return bool(bars) and not missing, reason, []

        self.checked("the menu bar holds the menus " + names, check)

    def step_expect_all_focusable_named(self, _):
        def check(nodes):
            controls = atspi_tree.focusable_showing(nodes)
            unnamed = [n for n in controls if not n.name.strip()]
            reason = ("no control can take the focus" if not controls
                      else "%d of %d have none" % (len(unnamed), len(controls)))
            return bool(controls) and not unnamed, reason, [n.label() for n in unnamed]

        self.checked("every focusable showing control has a name", check)

    def step_expect_all_controls_named(self, _):
        def check(nodes):
            controls = atspi_tree.controls_showing(nodes)
            unnamed = [n for n in controls if not n.name.strip()]
            return not unnamed, "%d of %d have none" % (len(unnamed), len(controls)), [
                n.label() for n in unnamed]

        self.checked("every showing control has a name", check)

    def step_expect_name_contains(self, text):
        def check(nodes):
            shown = [n for n in nodes if n.has("showing")]
            elsewhere = [n.label() for n in shown if text in (n.text or "") + n.description]
            reason = "no name has it" + ("; it is only in the text or description of:"
                                         if elsewhere else "")
            return any(text in n.name for n in shown), reason, elsewhere

        self.checked("a shown object's name has %r" % text, check)

    def step_expect_text_contains(self, text):
        def check(nodes):
            texts = [n.text for n in nodes if n.has("showing") and n.text is not None]
            return (any(text in t for t in texts),
                    "the texts shown are " + ", ".join(map(repr, texts)), [])

        self.checked("a shown object's text has %r" % text, check)

    def step_expect_focused_name_contains(self, text):
        def check(nodes):
            name = focus_name(nodes)
            return name is not None and text in name, "the focus is on " + focus_label(nodes), []

        self.checked("the focused object's name has %r" % text, check)

    def step_expect_event_name_contains(self, text):
        def carries(said):
            return any(text in said.get(field, "") for field in ("name", "description", "data"))

        end = time.monotonic() + PATIENCE_SECONDS
        while not any(map(carries, self.session.events)) and time.monotonic() < end:
            self.session.listen(0.1)
        events = self.session.events
        self.report(
            any(map(carries, events)),
            "an event the program sent since the last keys carries %r" % text,
            "none of the %d events heard has it" % len(events),
            [describe_event(said) for said in events[:12]],
        )

    def step_expect_checked(self, name):
        def check(nodes):
            named = atspi_tree.by_name(nodes, name)
            reason = "no object has that name" if not named else "it is not checked"
            return any(n.has("checked") for n in named), reason, []

        self.checked("%r is checked" % name, check)

    def walk_focus(self, key, stop):
        """Presses `key` until `stop(name)` holds for the focused object's name, a whole
        round of the controls has been made, or a press leaves the focus where it was.
        Gives the labels of the objects the focus was on, the first one included."""
        nodes = self.session.tree()
        visited = [focus_label(nodes)]
        for _ in range(len(atspi_tree.focusable_showing(nodes)) + 2):
            if stop(focus_name(nodes)):
                break
            self.session.press(key)
            nodes = self.session.tree()
            visited.append(focus_label(nodes))
            if visited[-1] == visited[-2]:
                visited.append("(%s left the focus there)" % key)
                break
        return focus_name(nodes), visited

    def step_expect_reachable(self, value):
        key, names = value
        wanted = names_of(names)
        reached = set()

        def stop(name):
            reached.add(name)
            return all(w in reached for w in wanted)

        _, visited = self.walk_focus(key, stop)
        missing = [name for name in wanted if name not in reached]
        self.report(
            not missing,
            "%s puts the focus on each of %s" % (key, names),
            "never on %s; the focus was on:" % ", ".join(map(repr, missing)),
            unique_in_order(visited),
        )

    def step_expect_choosable(self, value):
        key, choose, names = value
        problems = []
        for name in names_of(names):
            focus, visited = self.walk_focus(key, lambda focus: focus == name)
            if focus != name:
                problems.append("%r: never reached; the focus was on %s"
                                % (name, "; ".join(unique_in_order(visited))))
                continue
            self.session.press(choose)
            if not self.until(lambda nodes: (any(n.has("checked") for n in
                                                 atspi_tree.by_name(nodes, name)),))[0]:
                problems.append("%r: reached, but %s left it unchecked" % (name, choose))
        self.report(
            not problems,
            "%s reaches and %s chooses each of %s" % (key, choose, names),
            "%d of %d not" % (len(problems), len(names_of(names))),
            problems,
        )

    def checked(self, sentence, check):
        ok, reason, details = self.until(check)
        self.report(ok, sentence, reason, details)


def main(argv):
    arguments = parse_arguments(argv)
    Atspi.set_timeout(3000, 10000)  # no call to a stuck program waits long
    program = Program(arguments.program, settings_text(arguments), arguments.arg)

    def out_of_time():
        print("FAIL: the run took longer than %g s; the program was ended" % arguments.timeout)
        sys.stdout.flush()
        program.end()
        os._exit(1)

    # Stopped from outside, the program still goes with the probe.
    signal.signal(signal.SIGTERM, lambda *_: sys.exit("FAIL: the probe was stopped"))
    watchdog = threading.Timer(arguments.timeout, out_of_time)
    watchdog.daemon = True
    watchdog.start()
    probe = None
    try:
        session = BusSession(program, arguments.show_events)
        probe = Probe(session)
        problem = session.find_application(min(30.0, arguments.timeout / 2))
        probe.report(not problem, "the program is on the accessibility bus with its window shown",
                     problem, program.log_tail().splitlines() if problem else [])
        if not problem:
            for name, value in arguments.steps:
                probe.run(name, value)
    finally:
        watchdog.cancel()
        program.end()
        if probe is not None:
            print("%d passed, %d failed" % (probe.passed, probe.failed))
    return 1 if probe.failed else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
