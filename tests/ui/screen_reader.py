# What the reader scripts share: finding the program's windows on the
# accessibility bus, walking them, pressing what a screen reader presses, and
# developing the subject the readers type.
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


def develop_subject(window):
    """Types Rossi Mario's data into the main window and presses "SVILUPPA ..."."""
    boxes = [n for n in walk(window) if n.getRole() == pyatspi.ROLE_TEXT and n.name]
    for name, value in (("Altezza", "1.70"), ("Peso reale", "70"), ("Età", "30"),
                        ("Cognome e nome", "Rossi Mario")):
        box = next((b for b in boxes if b.name.startswith(name)), None)
        if box is None:
            sys.exit(f"no box named {name}: {[b.name for b in boxes]}")
        box.queryEditableText().setTextContents(value)
    for name in ("Maschile", "Leggera", "Normale"):
        press(find(window, pyatspi.ROLE_RADIO_BUTTON, name))
    press(find(window, pyatspi.ROLE_PUSH_BUTTON, "SVILUPPA ..."))
    time.sleep(0.5)
