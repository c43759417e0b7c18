"""The accessible tree of one application as a screen reader reads it over AT-SPI.

A snapshot walks the tree once and keeps, for every object, what a screen reader
would say or act on: role, name, description, the states that matter for
keyboard use, and the value or text the object holds. Checks and dumps work on
snapshots, never on live objects, so that an object going away while it is read
costs one line of the dump instead of the run.
"""

import pyatspi

# The states the dump shows, in this order.
SHOWN_STATES = [
    ("focusable", pyatspi.STATE_FOCUSABLE),
    ("focused", pyatspi.STATE_FOCUSED),
    ("showing", pyatspi.STATE_SHOWING),
    ("checked", pyatspi.STATE_CHECKED),
    ("selected", pyatspi.STATE_SELECTED),
    ("editable", pyatspi.STATE_EDITABLE),
    ("read-only", pyatspi.STATE_READ_ONLY),
    ("enabled", pyatspi.STATE_ENABLED),
]

# Deeper trees than this are a loop in the bridge, not a window.
MAX_DEPTH = 40


class Node:
    """One accessible object as read at the time of the snapshot."""

    def __init__(self, path, depth):
        self.path = path  # child indexes from the application down, e.g. (0, 2, 0, 5)
        self.depth = depth
        self.role = "?"
        self.name = ""
        self.description = ""
        self.states = set()
        self.value = None  # the current value of a value interface
        self.text = None  # the whole text of a text interface
        self.error = None  # why the object could not be read
        self.accessible = None

    def has(self, state):
        return state in self.states

    def label(self):
        """A short, unambiguous way to point at this object in a message."""
        parts = [self.role]
        if self.name:
            parts.append(repr(self.name))
        elif self.text:
            parts.append("showing text " + repr(self.text))
        elif self.description:
            parts.append("described " + repr(self.description))
        parts.append("at " + "/".join(str(i) for i in self.path))
        return " ".join(parts)

    def line(self):
        """The object as one line of the dump."""
        states = [word for word, _ in SHOWN_STATES if word in self.states]
        fields = [self.role, "name=" + repr(self.name)]
        if self.description:
            fields.append("description=" + repr(self.description))
        if states:
            fields.append("[" + " ".join(states) + "]")
        if self.value is not None:
            fields.append("value=%g" % self.value)
        if self.text is not None:
            fields.append("text=" + repr(self.text))
        if self.error:
            fields.append("unreadable: " + self.error)
        return "  " * self.depth + " ".join(fields)


def _read(accessible, node):
    node.accessible = accessible
    node.role = accessible.getRoleName()
    node.name = accessible.name or ""
    node.description = accessible.description or ""
    state_set = accessible.getState()
    node.states = {word for word, state in SHOWN_STATES if state_set.contains(state)}
    try:
        node.value = accessible.queryValue().currentValue
    except NotImplementedError:
        pass
    try:
        text = accessible.queryText()
        node.text = text.getText(0, text.characterCount)
    except NotImplementedError:
        pass


def snapshot(application):
    """Every object under `application`, depth first, the application itself first."""
    nodes = []

    def walk(accessible, path):
        node = Node(path, len(path))
        nodes.append(node)
        try:
            _read(accessible, node)
            count = accessible.childCount
        except Exception as error:  # the object went away or the bridge failed on it
            node.error = str(error).splitlines()[0] if str(error) else type(error).__name__
            return
        if len(path) >= MAX_DEPTH:
            node.error = "deeper than %d levels, not read further" % MAX_DEPTH
            return
        for index in range(count):
            try:
                child = accessible.getChildAtIndex(index)
            except Exception:
                child = None
            if child is not None:
                walk(child, path + (index,))

    walk(application, ())
    return nodes


def focused(nodes):
    """The object that has the keyboard focus: the deepest focused one, or None.

    Qt marks the window that holds the focus as focused too, so the focus is the
    focused object that has no focused object below it.
    """
    found = None
    for node in nodes:
        if node.has("focused") and (found is None or node.depth > found.depth):
            found = node
    return found


def focusable_showing(nodes):
    """The controls a keyboard user can land on in what is shown now."""
    return [n for n in nodes if n.has("focusable") and n.has("showing")]


# Roles of the objects a user acts on or reads a value from, focusable or not.
CONTROL_ROLES = {
    "push button", "toggle button", "radio button", "check box", "text", "entry",
    "password text", "spin button", "slider", "scroll bar", "combo box", "list", "tree",
    "table", "page tab",
}


def controls_showing(nodes):
    """Every shown control, whether or not it can take the focus today."""
    return [n for n in nodes if n.role in CONTROL_ROLES and n.has("showing")]


def by_name(nodes, name):
    return [n for n in nodes if n.name == name]


def dump(nodes):
    return "\n".join(node.line() for node in nodes)
