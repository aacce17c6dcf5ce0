# Reads the main window as a screen reader does, through the accessibility
# bus: no decorative row, the four boxes and eight options named, and after a
# development each result read with what it is and its value.
import os
import sys
import time

import pyatspi

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))
from screen_reader import develop_subject, text_of, walk, window_named  # noqa: E402

RULE = set("*-| ")

window = window_named("Nutrivo", least_children=10)
nodes = list(walk(window))
failures = []

decorative = [n.name or text_of(n) for n in nodes
              if (n.name or text_of(n)).strip() and set(n.name or text_of(n)) <= RULE]
if decorative:
    failures.append(f"decorative rows are read aloud: {decorative}")

boxes = [n for n in nodes if n.getRole() == pyatspi.ROLE_TEXT and n.name]
options = [n for n in nodes if n.getRole() == pyatspi.ROLE_RADIO_BUTTON and n.name]
if len(boxes) != 4:
    failures.append(f"{len(boxes)} named boxes, not 4: {[b.name for b in boxes]}")
if len(options) != 8:
    failures.append(f"{len(options)} named options, not 8: {[o.name for o in options]}")

develop_subject(window)

# What each result is, and its value (the separators are the machine's).
expected = [("Peso ideale", "65 Kg"), ("Indice di massa corporea", "24"),
            ("Fianchi ideali", "91 cm"), ("Protidi, grammi", "65.53 g"),
            ("Fabbisogno energetico giornaliero", "2621.05 Kcal/giorno")]


def read(names, what, value):
    return any(n.startswith(what + ", ") and value in n for n in names)


for _ in range(50):
    names = [n.name for n in walk(window) if n.getRole() == pyatspi.ROLE_LABEL]
    if all(read(names, *e) for e in expected):
        break
    time.sleep(0.1)
missing = [e for e in expected if not read(names, *e)]
if missing:
    failures.append(f"results not read as expected: {missing}; read: {names}")

print(f"{len(boxes)} named boxes, {len(options)} named options, no decorative row read")
for failure in failures:
    print("FAIL:", failure)
sys.exit(1 if failures else 0)
