#!/usr/bin/python3
"""Starts the reader and reads its window through AT-SPI as a screen reader does: every
control a reader can reach must have a name, the lists' column headers must be words, and
the texts on show (views, conversion result, count panels, concordance rows) must be
readable. Prints each fault and exits 1 when there is one.
Usage: read_window.py PROGRAM TOOL CONFIG_DIR   (on a display, with a session bus)"""
import os
import subprocess
import sys
import time

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi  # noqa: E402

program, tool, config = sys.argv[1:4]
data = os.path.join(os.path.dirname(program), "Data")
Role = Atspi.Role

# The controls a reader moves to and acts on. Table cells, scroll bars, labels and panels
# are read, not reached.
INTERACTIVE = {
    Role.PAGE_TAB: "tab",
    Role.PUSH_BUTTON: "button",
    Role.TOGGLE_BUTTON: "button",
    Role.CHECK_BOX: "check box",
    Role.RADIO_BUTTON: "radio button",
    Role.COMBO_BOX: "combo",
    Role.TABLE: "grid",
    Role.TREE_TABLE: "grid",
    Role.LIST: "list",
    Role.TEXT: "text",
    Role.ENTRY: "text",
    Role.PASSWORD_TEXT: "text",
    Role.SPIN_BUTTON: "spin box",
    Role.SLIDER: "slider",
}
# Their insides are walked through their own interfaces, not child by child: a list of
# thousands of rows would take minutes over the bus.
LEAVES = {Role.TABLE, Role.TREE_TABLE, Role.LIST, Role.TEXT, Role.ENTRY}

faults = []


def fault(text):
    faults.append(text)
    print("FAIL: " + text, flush=True)


def wait_for(what, seconds, probe):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        found = probe()
        if found:
            return found
        if reader.poll() is not None:
            sys.exit("the reader ended (%d) while waiting for %s:\n%s" %
                     (reader.returncode, what, reader.stderr.read().decode(errors="replace")))
        time.sleep(0.2)
    sys.exit("timed out waiting for " + what)


def application():
    desktop = Atspi.get_desktop(0)
    for i in range(desktop.get_child_count()):
        app = desktop.get_child_at_index(i)
        try:
            if app is not None and app.get_process_id() == reader.pid and app.get_child_count() > 0:
                return app
        except gi.repository.GLib.Error:
            pass
    return None


def walk(node, path=()):
    """Every node under node with the names of its ancestors, the tables and texts as leaves."""
    try:
        role = node.get_role()
        name = node.get_name() or ""
    except gi.repository.GLib.Error:
        return
    here = path + ((role, name),)
    yield node, role, name, here
    if role in LEAVES:
        return
    for i in range(node.get_child_count()):
        child = node.get_child_at_index(i)
        if child is not None:
            yield from walk(child, here)


def identity(node):
    """The control's object name where the toolkit tells it, to find it in the code."""
    try:
        found = node.get_accessible_id()
    except (AttributeError, gi.repository.GLib.Error):
        found = ""
    return " %r" % found if found else ""


def where(path):
    return " / ".join("%s %r" % (role.value_nick, name) if name else role.value_nick for role, name in path)


def find(root, role, name):
    for node, r, n, _ in walk(root):
        if r == role and n == name:
            return node
    return None


def text_of(node):
    return Atspi.Text.get_text(node, 0, Atspi.Text.get_character_count(node))


def spoken(name):
    """Whether a name says something: "▲" or "×" says nothing to a listener."""
    return any(c.isalnum() for c in name or "")


def labels_of(node):
    found = []
    for relation in node.get_relation_set():
        if relation.get_relation_type() == Atspi.RelationType.LABELLED_BY:
            found += [relation.get_target(i).get_name() for i in range(relation.get_n_targets())]
    return found


def named(node, role, name):
    # A combo box's name on this platform is the item it shows; its label tells what it is.
    if role == Role.COMBO_BOX:
        return any(spoken(label) for label in labels_of(node))
    return spoken(name)


def find_label(root, test):
    for node, role, name, _ in walk(root):
        if role == Role.LABEL and name and test(name) and node.get_state_set().contains(Atspi.StateType.SHOWING):
            return node
    return None


def press_tab(root, caption):
    tab = find(root, Role.PAGE_TAB, caption)
    if tab is None:
        sys.exit("no tab " + caption)
    Atspi.Action.do_action(tab, 0)
    time.sleep(0.5)


def press_button(root, caption):
    Atspi.Action.do_action(find(root, Role.PUSH_BUTTON, caption), 0)
    time.sleep(0.5)


def click(node):
    extents = Atspi.Component.get_extents(node, Atspi.CoordType.SCREEN)
    Atspi.generate_mouse_event(extents.x + extents.width // 2, extents.y + extents.height // 2, "b1c")
    time.sleep(0.5)


def number_of(table, row):
    return Atspi.Table.get_accessible_at(table, row, 0).get_name()


env = dict(os.environ)
env.update({
    "QT_QPA_PLATFORM": "xcb",
    "QT_LINUX_ACCESSIBILITY_ALWAYS_ON": "1",
    "XDG_CONFIG_HOME": config,
    "LANG": "C.UTF-8",
    # A search once the data are in, so that the result list, its count and the concordance
    # have rows; the reader closes itself after the given time should this script die.
    "VESKO3_TEST_SEARCH": "비구",
    "VESKO3_TEST_CLOSE_MS": "120000",
})
reader = subprocess.Popen([program], env=env, stdout=subprocess.DEVNULL, stderr=subprocess.PIPE)
try:
    app = wait_for("the window on the accessibility bus", 30, application)
    frame = app.get_child_at_index(0)
    counts = wait_for("the search result", 30, lambda: find(frame, Role.TABLE, "검색 결과") or
                      find(frame, Role.TABLE, ""))

    # 1. Every control a reader can reach is named.
    unnamed = []
    tables = []
    for node, role, name, path in walk(frame):
        if role in INTERACTIVE and not named(node, role, name):
            unnamed.append("%s%s at %s" % (INTERACTIVE[role], identity(node), where(path[:-1])))
        if role in (Role.TABLE, Role.TREE_TABLE):
            tables.append((node, name, path))
    print("unnamed interactive controls: %d" % len(unnamed))
    for line in unnamed:
        print("  unnamed " + line)
    if unnamed:
        fault("%d controls have no accessible name" % len(unnamed))

    # 2. Column headers are words, as a reader says them, not column numbers.
    for node, name, path in tables:
        headers = [Atspi.Table.get_column_description(node, c) for c in range(Atspi.Table.get_n_columns(node))]
        print("grid %r columns %s" % (name, headers))
        if any(not spoken(h) or h.strip().isdigit() for h in headers):
            fault("grid %s has column headers %s" % (where(path), headers))

    try:
        # 3. The texts on show are read: a result row clicked shows its sutra in the views, whole.
        press_tab(frame, "검색하기")
        results = find(frame, Role.TABLE, "검색 결과")
        count = find_label(frame, lambda text: text.endswith(" 개"))
        print("count panel reads %r" % (count.get_name() if count else None))
        if count is None:
            fault("no count panel reads its count")
        cell = Atspi.Table.get_accessible_at(results, 1, 1)
        title = cell.get_name()
        click(cell)
        together = find(frame, Role.TEXT, "한글대장경")
        text = wait_for("the clicked row's sutra in the views", 10, lambda: title in text_of(together) and text_of(together))
        lines = text.count("\n") + 1
        print("한글대장경 view reads %d characters, %d lines, first %r" % (len(text), lines, text.split("\n")[0]))
        shown = subprocess.run([tool, "show", "--data", data, number_of(results, 1), "--view", "total-han"],
                               capture_output=True, text=True, check=True).stdout

        def flat(t):
            return t.replace("\r", "").replace("\n", "").replace("\u2029", "")

        if flat(text) != flat(shown):
            fault("the view reads %d characters of the sutra's %d" % (len(flat(text)), len(flat(shown))))

        # 4. The concordance rows read their contexts, and the conversion result its readings.
        press_tab(frame, "용례")
        concordance = find(frame, Role.TABLE, "용례")
        row = wait_for("the concordance rows", 10, lambda: Atspi.Table.get_n_rows(concordance) > 0 and
                       Atspi.Table.get_accessible_at(concordance, 0, 1).get_name())
        print("용례 row 1 reads %r" % row)
        if "비구" not in row:
            fault("a concordance row does not read its context: %r" % row)

        press_tab(frame, "한자음변환")
        source = find(frame, Role.TEXT, "변환할 한문")
        Atspi.Component.grab_focus(source)
        time.sleep(0.3)
        # One character at a time: the keyboard has no key of its own for each.
        for character in "如是我聞":
            Atspi.generate_keyboard_event(0, character, Atspi.KeySynthType.STRING)
            time.sleep(0.2)
        wait_for("the typed source", 10, lambda: text_of(source).strip())
        press_button(frame, "변환하기")
        result = find(frame, Role.TEXT, "변환 결과")
        converted = wait_for("the conversion result", 10, lambda: text_of(result).strip())
        print("변환 결과 reads %r" % converted)
        if not converted:
            fault("the conversion result reads nothing")
    except (TypeError, AttributeError, gi.repository.GLib.Error) as error:
        # A control the reading needs is missing or unnamed.
        fault("could not read the window's texts: %s" % error)
finally:
    if reader.poll() is None:
        reader.terminate()
    try:
        reader.wait(10)
    except subprocess.TimeoutExpired:
        reader.kill()

sys.exit(1 if faults else 0)
