# What the reader scripts share: finding the program's windows on the
# accessibility bus, walking them, and pressing what a screen reader presses.
import sys
import time

import pyatspi


def window_named(title, least_children=1):
    for _ in range(150):
        desktop = pyatspi.Registry.getDesktop(0)
        for application in desktop:
            if application is not None and application.name.lower() == "nutrivo":
                for window in application:
                    if window is not None and window.name == title and \
                            window.getState().contains(pyatspi.STATE_SHOWING) and \
                            window.childCount >= least_children:
                        return window
        time.sleep(0.1)
    sys.exit(f"the window {title!r} never appeared on the accessibility bus")


def walk(node):
    yield node
    for child in node:
        if child is not None:
            yield from walk(child)


def text_of(node):
    try:
        text = node.queryText()
        return text.getText(0, text.characterCount)
    except NotImplementedError:
        return ""


def find(window, role, name):
    for node in walk(window):
        if node.getRole() == role and node.name == name:
            return node
    sys.exit(f"no {role} named {name!r}")


def press(node):
    action = node.queryAction()
    for i in range(action.nActions):
        if action.getName(i) in ("Press", "press", "click", "Toggle", "toggle", "SetFocus"):
            action.doAction(i)
            return
    action.doAction(0)
