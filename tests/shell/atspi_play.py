#!/usr/bin/python3
"""Plays the running program through AT-SPI alone, as a screen reader's user would: reads the
board's cells, hears the focused cell follow the arrow keys, plays a whole game against the CPU
by the cells' press action and reads its result from the status line.

Usage: atspi_play.py PROGRAM (run through with_atspi_bus.sh). Exits 77 when the program never
shows up on the accessibility bus."""
import os
import subprocess
import sys
import tempfile
import time

import pyatspi
from gi.repository import Atspi

DEADLINE_S = 60


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
    found = []
    stack = [node]
    while stack:
        here = stack.pop()
        if here is None:
            continue
        try:
            if role is None or here.getRole() == role:
                found.append(here)
            if here.getRole() != pyatspi.ROLE_TABLE_CELL:
                stack.extend(here.getChildAtIndex(i) for i in range(here.childCount))
        except Exception:  # a node that went away while walked
            continue
    return found


def program(pid):
    desktop = pyatspi.Registry.getDesktop(0)
    for i in range(desktop.childCount):
        app = desktop.getChildAtIndex(i)
        if app is not None and app.get_process_id() == pid:
            return app
    return None


def named(app, role, name):
    for node in descendants(app, role):
        if node.name == name:
            return node
    return None


def press(node):
    action = node.queryAction()
    names = [action.getName(i) for i in range(action.nActions)]
    action.doAction(names.index("press") if "press" in names else 0)


def main():
    home = tempfile.mkdtemp(prefix="vextal-atspi-")
    config = os.path.join(home, "Vextal")
    os.makedirs(config)
    with open(os.path.join(config, "Vextal.conf"), "w") as f:
        f.write("[cpu]\nenabled=true\n")
    env = dict(os.environ, XDG_CONFIG_HOME=home, HOME=home, LANGUAGE="en", LC_ALL="C.UTF-8")
    app_process = subprocess.Popen([sys.argv[1]], env=env)
    try:
        end = time.monotonic() + 20
        app = None
        while app is None and time.monotonic() < end:
            app = program(app_process.pid)
            time.sleep(0.05)
        if app is None:
            print("SKIP: the program never appeared on the accessibility bus")
            return 77
        app.set_cache_mask(Atspi.Cache.NONE)  # names change as the game goes on: read them afresh
        board = wait_for("board", lambda: next(iter(descendants(app, pyatspi.ROLE_TABLE)), None))
        table = board.queryTable()
        assert (table.nColumns, table.nRows) == (5, 4), (table.nColumns, table.nRows)

        # A stage of twelve nodes keeps the game short.
        press(wait_for("stage 2", lambda: named(app, pyatspi.ROLE_MENU_ITEM, "Stage 2")))
        cell = lambda c, r: table.getAccessibleAt(r - 1, c - 1)
        wait_for("stage 2's board", lambda: cell(1, 1).name == "Column 1, row 1: no node")
        names = [cell(c, r).name for r in range(1, 5) for c in range(1, 6)]
        assert names[1] == "Column 2, row 1: free", names

        # The arrow keys move the focused cell, once the window holds the keyboard (a display
        # without a window manager may never hand it over: then only the in-process test hears it).
        for frame in descendants(app, pyatspi.ROLE_FRAME):
            frame.queryComponent().grabFocus()
        board.queryComponent().grabFocus()
        end = time.monotonic() + 3
        while not board.getState().contains(pyatspi.STATE_FOCUSED) and time.monotonic() < end:
            time.sleep(0.05)
        if board.getState().contains(pyatspi.STATE_FOCUSED):
            focused = lambda: [i for i in range(20) if table.getAccessibleAt(i // 5, i % 5)
                               .getState().contains(pyatspi.STATE_FOCUSED)]
            for keysym in (0xFF53, 0xFF54):  # Right, Down
                before = focused()
                pyatspi.Registry.generateKeyboardEvent(keysym, None, pyatspi.KEY_SYM)
                wait_for("focus moved by a key", lambda: focused() and focused() != before, 5)
            print("focused after Right, Down:", cell(focused()[0] % 5 + 1, focused()[0] // 5 + 1).name)
        else:
            print("NOTE: the window never took the keyboard's focus here; keys not tried")

        # A whole game: the person presses a cell it may play whenever it is to move.
        # The status line is the one label of the strip along the bottom.
        status = wait_for("status line", lambda: next(
            (f.getChildAtIndex(4) for f in descendants(app, pyatspi.ROLE_FILLER)
             if f.childCount == 5), None))
        player = wait_for("player label", lambda: next(
            (l for l in descendants(app) if l.name in ("Player", "Player, to move")), None))
        # Pressing a cell while the CPU is to move plays nothing, as a click would not.
        end = time.monotonic() + DEADLINE_S
        while time.monotonic() < end:
            # The result box is a window of its own beside the main one.
            box = next((w for w in (app.getChildAtIndex(i) for i in range(app.childCount))
                        if w is not None and w.getRole() in (pyatspi.ROLE_DIALOG, pyatspi.ROLE_ALERT)),
                       None)
            if box is not None:
                result = status.name
                texts = [l.name for l in descendants(box) if l.name]
                print("result:", result, "|", texts)
                assert "wins (" in result or "Draw" in result, result
                press(named(box, pyatspi.ROLE_PUSH_BUTTON, "OK"))
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
        app_process.terminate()
        app_process.wait(10)


if __name__ == "__main__":
    sys.exit(main())
