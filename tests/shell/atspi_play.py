#!/usr/bin/python3
"""Plays the running program through AT-SPI alone, as a screen reader's user would: reads the
board's cells, moves the keyboard's frame with arrow keys typed through the registry and hears
each focused cell, plays a whole game against the CPU (by Space on the focused cell and by the
cells' press action), hears the moves where the focus is, a refusal and the result in the status
line, and reads the result. Usage: atspi_play.py PROGRAM (through with_atspi_bus.sh); exits 77
when the program never shows up on the accessibility bus or its window never gets the keyboard's
focus."""
import os
import re
import subprocess
import sys
import tempfile
import time

import pyatspi
from gi.repository import Atspi, GLib

KEYS = {"Left": 0xFF51, "Up": 0xFF52, "Right": 0xFF53, "Down": 0xFF54, "space": 0x20}
CELL = re.compile(r"^Column (\d+), row (\d+): (.*)$")
CPU_MOVE = re.compile(r"^CPU (claims|expands) column (\d+), row (\d+)")


class Ears:
    """What a screen reader hears: the focus and name changes the program sends, in order."""

    def __init__(self):
        self.heard = []  # (kind, role, name) of every event so far
        self.listener = Atspi.EventListener.new(self.hear)
        for kind in ("focus:", "object:state-changed:focused",
                     "object:property-change:accessible-name",
                     "object:property-change:accessible-description"):
            self.listener.register(kind)

    def hear(self, event):
        if event.type.startswith("object:state-changed:focused") and not event.detail1:
            return  # the focus left
        try:
            source = event.source
            said = source.description if event.type.endswith("description") else source.name
            self.heard.append((event.type, source.getRole(), said))
        except GLib.Error:
            pass  # gone before it could be asked

    def wait(self, what, heard, since, seconds=20):
        """Listens until an event after the since-th answers heard(kind, role, name)."""
        end = time.monotonic() + seconds
        while time.monotonic() < end:
            while GLib.MainContext.default().iteration(False):
                pass
            for kind, role, name in self.heard[since:]:
                if heard(kind, role, name):
                    return name
            time.sleep(0.02)
        sys.exit(f"FAIL: did not hear {what} within {seconds} s; heard {self.heard[since:]}")

    def wait_count(self, what, heard, count, since, seconds=20):
        """Listens until count events after the since-th answer heard(kind, role, name)."""
        end = time.monotonic() + seconds
        while time.monotonic() < end:
            while GLib.MainContext.default().iteration(False):
                pass
            if sum(1 for event in self.heard[since:] if heard(*event)) >= count:
                return
            time.sleep(0.02)
        sys.exit(f"FAIL: did not hear {what} within {seconds} s; heard {self.heard[since:]}")

    def focused_cell(self, since):
        name = self.wait("a cell taking the focus", lambda kind, role, name:
                         kind.startswith("object:state-changed:focused")
                         and role == pyatspi.ROLE_TABLE_CELL, since)
        match = CELL.match(name)
        return int(match.group(1)), int(match.group(2))

    def status(self, what, pattern, since, status):
        return self.wait(what, lambda kind, role, name: kind.endswith("accessible-name")
                         and role == pyatspi.ROLE_LABEL and re.search(pattern, name)
                         and status.name == name, since)


def wait_for(what, find, seconds=20):
    """Asks again until find() answers: the program works on its own clock."""
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        while GLib.MainContext.default().iteration(False):
            pass
        found = find()
        if found:
            return found
        time.sleep(0.05)
    sys.exit(f"FAIL: no {what} within {seconds} s")


def descendants(node, role=None):
    found, stack = [], [node]
    while stack:
        here = stack.pop()
        if role is None or here.getRole() == role:
            found.append(here)
        if here.getRole() != pyatspi.ROLE_TABLE_CELL:
            stack.extend(here.getChildAtIndex(i) for i in range(here.childCount))
    return found


def program(pid):
    desktop = pyatspi.Registry.getDesktop(0)
    apps = (desktop.getChildAtIndex(i) for i in range(desktop.childCount))
    return next((a for a in apps if a is not None and a.get_process_id() == pid), None)


def press(node):
    node.queryAction().doAction(0)


def type_key(name):
    Atspi.generate_keyboard_event(KEYS[name], None, Atspi.KeySynthType.SYM)


def main():
    home = tempfile.mkdtemp(prefix="vextal-atspi-")
    os.makedirs(os.path.join(home, "Vextal"))
    with open(os.path.join(home, "Vextal", "Vextal.conf"), "w") as f:
        f.write("[cpu]\nenabled=true\n")
    env = dict(os.environ, XDG_CONFIG_HOME=home, HOME=home, LANGUAGE="en", LC_ALL="C.UTF-8")
    ears = Ears()
    process = subprocess.Popen([sys.argv[1]], env=env)
    try:
        end = time.monotonic() + 20
        app = program(process.pid)
        while app is None and time.monotonic() < end:
            time.sleep(0.05)
            app = program(process.pid)
        if app is None:
            print("SKIP: the program never appeared on the accessibility bus")
            return 77
        app.set_cache_mask(Atspi.Cache.NONE)  # the names change as the game goes on
        frame = app.getChildAtIndex(0)
        try:
            wait_for("active window", lambda: frame.getState().contains(pyatspi.STATE_ACTIVE), 10)
        except SystemExit:
            print("SKIP: no window manager gave the window the keyboard's focus")
            return 77
        board = wait_for("board", lambda: descendants(app, pyatspi.ROLE_TABLE))[0]
        table = board.queryTable()
        assert (table.nColumns, table.nRows) == (5, 4), (table.nColumns, table.nRows)
        cell = lambda c, r: table.getAccessibleAt(r - 1, c - 1)

        # A stage of twelve nodes keeps the game short.
        press(next(m for m in descendants(app, pyatspi.ROLE_MENU_ITEM) if m.name == "Stage 2"))
        wait_for("stage 2's board", lambda: cell(1, 1).name == "Column 1, row 1: no node")
        assert cell(2, 1).name == "Column 2, row 1: free", cell(2, 1).name
        wait_for("board with the focus", lambda: board.getState().contains(pyatspi.STATE_FOCUSED))
        # The status line is the one label of the strip along the bottom.
        status = next(f.getChildAtIndex(4) for f in descendants(app, pyatspi.ROLE_FILLER)
                      if f.childCount == 5)
        player = next(l for l in descendants(app) if l.name in ("Player", "Player, to move"))

        # The first arrow shows the frame on the node nearest to where it rests, (1, 1) having
        # none; each further one moves it and the screen reader hears the cell it reached.
        mark = len(ears.heard)
        type_key("Right")
        at = ears.focused_cell(mark)
        assert at == (2, 1), at
        for key, expected in (("Down", (2, 2)), ("Right", (3, 2)), ("Up", (3, 1))):
            mark = len(ears.heard)
            type_key(key)
            at = ears.focused_cell(mark)
            assert at == expected, (key, at, expected)

        def go_to(target):
            """Arrow keys from the focused cell to the target, hearing every cell on the way."""
            nonlocal at
            for _ in range(20):
                if at == target:
                    return
                (c, r), (tc, tr) = at, target
                key = "Right" if tc > c else "Left" if tc < c else "Down" if tr > r else "Up"
                mark = len(ears.heard)
                type_key(key)
                at = ears.focused_cell(mark)
            sys.exit(f"FAIL: the arrow keys did not reach {target} from {at}")

        moves = 0
        refused = False
        cpu_heard = 0
        end = time.monotonic() + 90
        while time.monotonic() < end:
            windows = (app.getChildAtIndex(i) for i in range(app.childCount))
            box = next((w for w in windows
                        if w.getRole() in (pyatspi.ROLE_DIALOG, pyatspi.ROLE_ALERT)), None)
            if box is not None:
                result = ears.status("the result", r"wins \(|Draw", 0, status)
                print("result:", result, "|", [l.name for l in descendants(box) if l.name])
                assert refused and cpu_heard > 0 and moves > 2, (refused, cpu_heard, moves)
                press(next(b for b in descendants(box, pyatspi.ROLE_PUSH_BUTTON) if b.name == "OK"))
                return 0
            if not player.name.endswith(", to move"):
                time.sleep(0.05)
                continue
            words = {(c, r): CELL.match(cell(c, r).name).group(3)
                     for r in range(1, 5) for c in range(1, 6)}
            theirs = [p for p, w in words.items() if w.startswith("owned by CPU")]
            if not refused and theirs:
                # Space on the CPU's node: refused, and the reason is said.
                go_to(theirs[0])
                mark = len(ears.heard)
                type_key("space")
                ears.status("the refusal", r"^Refused: column %d, row %d belongs to your opponent"
                            % theirs[0], mark, status)
                refused = True
                continue
            target = next(p for p, w in words.items()
                          if (w.startswith("free") and "blocked for you" not in w
                              and "blocked for both" not in w)
                          or (w.startswith("yours") and "expanded" not in w))
            mark = len(ears.heard)
            if moves % 2 == 0:  # by the keys: the focused cell's new words are heard
                go_to(target)
                mark = len(ears.heard)
                type_key("space")
                cell_heard = "Column %d, row %d: yours" % target
            else:  # by the cell's press action
                press(cell(*target))
                cell_heard = "Column %d, row %d: yours" % target
            ears.wait(f"the move on {target}", lambda kind, role, name:
                      kind.endswith("accessible-name") and role == pyatspi.ROLE_TABLE_CELL
                      and name.startswith(cell_heard), mark)
            moves += 1
            # The CPU's answer is said where the focus is, as the focused cell's description,
            # unless the move ended the game.
            said = ears.wait("the CPU's move or the result", lambda kind, role, name:
                             (role == pyatspi.ROLE_TABLE_CELL and kind.endswith("description")
                              and CPU_MOVE.search(name)) or (role == pyatspi.ROLE_LABEL and
                                                             re.search(r"wins \(|Draw", name)),
                             mark)
            cpu_heard += 1 if CPU_MOVE.search(said) else 0
            if moves % 2 == 1:
                # The key move was said where the focus is before the CPU's answer. Counted, as
                # this Qt's events do not carry the text, which may have changed when read.
                ears.wait_count("the move said where the focus is", lambda kind, role, name:
                                kind.endswith("description") and role == pyatspi.ROLE_TABLE_CELL,
                                2 if CPU_MOVE.search(said) else 1, mark)
        sys.exit("FAIL: the game did not end in time")
    finally:
        process.terminate()
        process.wait(10)


if __name__ == "__main__":
    sys.exit(main())
