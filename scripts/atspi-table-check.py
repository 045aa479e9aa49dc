#!/usr/bin/python3
"""Reads the running game through AT-SPI, as a screen reader would, and checks
what it finds: the table named "Card table" with the human's hand as a list of
eight cards named in words, the computer players' names and the game line;
the chooser dialog by its name; and the keyboard's focus mark reported as the
focused card, with a focus event. Run by scripts/atspi under Xvfb with a
private D-Bus session; prints one line per check and exits 1 on a failure.
"""
import re
import sys
import time

import pyatspi
from gi.repository import Atspi, GLib

KEYS = {"Tab": 0xFF09, "Home": 0xFF50, "Down": 0xFF54, "space": 0x20, "Return": 0xFF0D,
        "Right": 0xFF53}
CARD = re.compile(r"^(Seven|Eight|Nine|Ten|Jack|Queen|King|Ace) of (hearts|spades|diamonds|clubs)$")
failures = []
focus_events = []


def check(what, ok):
    print(("ok    " if ok else "FAIL  ") + what)
    if not ok:
        failures.append(what)


def find(node, test, depth=0):
    if node is None or depth > 12:
        return None
    try:
        if test(node):
            return node
        for child in node:
            found = find(child, test, depth + 1)
            if found:
                return found
    except GLib.Error:
        pass
    return None


def wait_for(probe, seconds=10):
    end = time.time() + seconds
    while time.time() < end:
        found = probe()
        if found:
            return found
        pump(0.1)
    return None


def pump(seconds):
    end = time.time() + seconds
    context = GLib.MainContext.default()
    while time.time() < end:
        while context.iteration(False):
            pass
        time.sleep(0.02)


def click(node, at_end=False):
    e = node.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    x, y = (e.x + e.width - 5, e.y + e.height - 5) if at_end else (e.x + e.width // 2, e.y + e.height // 2)
    pyatspi.Registry.generateMouseEvent(x, y, "b1c")
    pump(0.4)


def key(name):
    pyatspi.Registry.generateKeyboardEvent(KEYS[name], None, pyatspi.KEY_SYM)
    pump(0.15)


def on_focus(event):
    if event.detail1 == 1 and event.source:
        focus_events.append(event.source.name)


def game():
    for app in pyatspi.Registry.getDesktop(0):
        if app and app.name == "Varlo":
            return app
    return None


def main():
    pyatspi.Registry.registerEventListener(on_focus, "object:state-changed:focused")
    app = wait_for(game, 20)
    check("the game is on the accessibility bus", app is not None)
    if not app:
        return
    click(find(app, lambda n: n.getRoleName() == "menu item" and n.name == "Game"))
    click(find(app, lambda n: n.getRoleName() == "menu item" and n.name == "New"))
    chooser = wait_for(lambda: find(app, lambda n: n.name == "Choose a game"))
    check("the chooser dialog is named", chooser is not None)
    for k in ["Tab", "Home", "Down", "space", "Return"]:  # Whist, from the keyboard
        key(k)
    pump(1)
    table = find(app, lambda n: n.getRoleName() == "canvas")
    check("the table is named \"Card table\"", table is not None and table.name == "Card table")
    names = [c.name for c in table] if table else []
    check("the table reads the name, hand, players and game line: %s" % names,
          names[:3] == ["You", "Your hand", "Jack"] and "Ben" in names and "Sandra" in names
          and "Current Game: Whist" in names)
    hand = find(table, lambda n: n.name == "Your hand")
    cards = [c.name for c in hand] if hand else []
    check("the hand lists eight cards in words: %s" % cards,
          len(cards) == 8 and all(CARD.match(c) for c in cards))
    click(table, at_end=True)  # the game window takes the keyboard again
    focus_events.clear()
    key("Right")
    key("Right")
    pump(0.5)
    for child in [table] + list(hand):
        Atspi.Accessible.clear_cache(child)
    focused = [c.name for c in hand if c.getState().contains(pyatspi.STATE_FOCUSED)]
    check("the focus mark is the focused card: %s" % focused, focused == [cards[1]])
    check("a focus event named the card: %s" % focus_events, cards[1] in focus_events)


if __name__ == "__main__":
    main()
    sys.exit(1 if failures else 0)
