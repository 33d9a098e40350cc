#!/usr/bin/python3
"""Plays the running program through AT-SPI alone, as a screen reader's user would: reads the
board's cells, plays a whole game against the CPU by the cells' press action and reads its result
from the status line. Usage: atspi_play.py PROGRAM (through with_atspi_bus.sh); exits 77 when the
program never shows up on the accessibility bus."""
import os
import subprocess
import sys
import tempfile
import time

import pyatspi
from gi.repository import Atspi


def wait_for(what, find, seconds=20):
    """Asks again until find() answers: the program works on its own clock."""
    end = time.monotonic() + seconds
    while time.monotonic() < end:
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


def main():
    home = tempfile.mkdtemp(prefix="vextal-atspi-")
    os.makedirs(os.path.join(home, "Vextal"))
    with open(os.path.join(home, "Vextal", "Vextal.conf"), "w") as f:
        f.write("[cpu]\nenabled=true\n")
    env = dict(os.environ, XDG_CONFIG_HOME=home, HOME=home, LANGUAGE="en", LC_ALL="C.UTF-8")
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
        table = wait_for("board", lambda: descendants(app, pyatspi.ROLE_TABLE))[0].queryTable()
        assert (table.nColumns, table.nRows) == (5, 4), (table.nColumns, table.nRows)
        cell = lambda c, r: table.getAccessibleAt(r - 1, c - 1)

        # A stage of twelve nodes keeps the game short.
        press(next(m for m in descendants(app, pyatspi.ROLE_MENU_ITEM) if m.name == "Stage 2"))
        wait_for("stage 2's board", lambda: cell(1, 1).name == "Column 1, row 1: no node")
        assert cell(2, 1).name == "Column 2, row 1: free", cell(2, 1).name
        # The status line is the one label of the strip along the bottom.
        status = next(f.getChildAtIndex(4) for f in descendants(app, pyatspi.ROLE_FILLER)
                      if f.childCount == 5)
        player = next(l for l in descendants(app) if l.name in ("Player", "Player, to move"))

        # Whenever the person is to move, it presses the first cell its words say it may play.
        end = time.monotonic() + 60
        while time.monotonic() < end:
            windows = (app.getChildAtIndex(i) for i in range(app.childCount))
            box = next((w for w in windows
                        if w.getRole() in (pyatspi.ROLE_DIALOG, pyatspi.ROLE_ALERT)), None)
            if box is not None:
                result = status.name
                print("result:", result, "|", [l.name for l in descendants(box) if l.name])
                assert "wins (" in result or "Draw" in result, result
                press(next(b for b in descendants(box, pyatspi.ROLE_PUSH_BUTTON) if b.name == "OK"))
                return 0
            if player.name.endswith(", to move"):
                for c, r in [(c, r) for r in range(1, 5) for c in range(1, 6)]:
                    words = cell(c, r).name.split(": ", 1)[1]
                    free = words.startswith("free") and "blocked for you" not in words \
                        and "blocked for both" not in words
                    if free or (words.startswith("yours") and "expanded" not in words):
                        press(cell(c, r))
                        break
            time.sleep(0.1)
        sys.exit("FAIL: the game did not end in time")
    finally:
        process.terminate()
        process.wait(10)


if __name__ == "__main__":
    sys.exit(main())
