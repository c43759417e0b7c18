"""The program as the probe meets it on the accessibility bus: found by its
process id, read as a tree, typed into, and listened to.

The probe hears the events a screen reader speaks from (a name, description or
value that changed, the focus that moved, an announcement) and keeps those of
the program since the last keys. Every other event of the program only tells
that the window is still changing: after keys, the window is read once it has
been quiet for a moment.
"""

import time

import pyatspi
from gi.repository import GLib

import atspi_tree
import keyboard

SPOKEN_EVENTS = [
    "object:property-change:accessible-name",
    "object:property-change:accessible-description",
    "object:property-change:accessible-value",
    "object:state-changed:focused",
    "object:announcement",
]
BUSY_EVENTS = ["object:text-changed", "object:children-changed", "object:state-changed"]

QUIET_SECONDS = 0.3  # how long the window stays quiet after keys before it is read
MOST_SETTLING_SECONDS = 5.0


class BusSession:
    def __init__(self, program, show_events=False):
        self.program = program
        self.show_events = show_events
        self.application = None
        self.events = []  # what a screen reader could have spoken since the last keys
        self.context = GLib.MainContext.default()
        self.last_event = time.monotonic()
        for kind in SPOKEN_EVENTS + BUSY_EVENTS:
            pyatspi.Registry.registerEventListener(self._heard, kind)

    def find_application(self, seconds):
        """Waits for the program's window on the bus; returns None, or what went wrong."""
        desktop = pyatspi.Registry.getDesktop(0)
        end = time.monotonic() + seconds
        while time.monotonic() < end:
            if self.program.exit_code() is not None:
                return "the program ended with status %d before it was on the bus" % (
                    self.program.exit_code()
                )
            if self.application is None:
                self.application = self._application_on(desktop)
            if self.application is not None and self._window_shown():
                keyboard.focus_window(self.program.pid)
                self._settle()
                return None
            self._pump(0.1)
        if self.application is None:
            return "the program did not appear on the accessibility bus within %g s" % seconds
        return "the program's window was not shown within %g s" % seconds

    def tree(self):
        return atspi_tree.snapshot(self.application)

    def press(self, script):
        """Types the keys, then waits until the window has taken them."""
        self.events = []
        keyboard.send(script)
        self.last_event = time.monotonic()  # a key that changes nothing still gets its time
        self._settle()

    def listen(self, seconds):
        """Goes on hearing events for a while."""
        self._pump(seconds)

    def _application_on(self, desktop):
        for index in range(desktop.childCount):
            try:
                candidate = desktop.getChildAtIndex(index)
                if candidate is not None and candidate.get_process_id() == self.program.pid:
                    return candidate
            except Exception:  # an application that went away meanwhile
                continue
        return None

    def _window_shown(self):
        try:
            for index in range(self.application.childCount):
                child = self.application.getChildAtIndex(index)
                if child is not None and child.getState().contains(pyatspi.STATE_SHOWING):
                    return True
        except Exception:
            return False
        return False

    def _heard(self, event):
        try:
            if event.source.get_process_id() != self.program.pid:
                return
        except Exception:
            return
        self.last_event = time.monotonic()
        if not any(event.type.startswith(kind) for kind in SPOKEN_EVENTS):
            return
        if event.type == "object:state-changed:focused" and not event.detail1:
            return  # the focus leaving an object says nothing
        said = {"event": event.type, "role": "?", "name": "", "description": ""}
        try:
            said["role"] = event.source.getRoleName()
            said["name"] = event.source.name or ""
            said["description"] = event.source.description or ""
        except Exception:
            pass
        if isinstance(event.any_data, (str, int, float)):
            said["data"] = str(event.any_data)
        self.events.append(said)
        if self.show_events:
            print("  event: " + describe_event(said))

    def _pump(self, seconds):
        end = time.monotonic() + seconds
        while True:
            while self.context.pending():
                self.context.iteration(False)
            if time.monotonic() >= end:
                return
            time.sleep(0.01)

    def _settle(self):
        start = time.monotonic()
        self._pump(0.05)
        while time.monotonic() - start < MOST_SETTLING_SECONDS:
            if time.monotonic() - self.last_event >= QUIET_SECONDS:
                return
            self._pump(0.05)


def describe_event(said):
    words = [said["event"], said["role"], "name=%r" % said["name"]]
    if said["description"]:
        words.append("description=%r" % said["description"])
    if "data" in said:
        words.append("data=%r" % said["data"])
    return " ".join(words)
