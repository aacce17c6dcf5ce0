# Reads "Come si calcola" as a screen reader does, through the accessibility
# bus: a development typed into the main window, the window opened by its
# button, and the working read from its text by name.
import os
import re
import sys

import pyatspi

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))
from screen_reader import develop_subject, find, press, walk, window_named  # noqa: E402

main = window_named("Nutrivo", least_children=10)
develop_subject(main)
press(find(main, pyatspi.ROLE_PUSH_BUTTON, "Come si calcola..."))

window = window_named("Come si calcola", least_children=3)
failures = []
text = next((n for n in walk(window) if n.name == "Come si calcola"
             and n.getRole() in (pyatspi.ROLE_TEXT, pyatspi.ROLE_LABEL)), None)
content = ""
if text is None:
    failures.append("no text named 'Come si calcola'")
else:
    reading = text.queryText()
    content = reading.getText(0, reading.characterCount)
    # In whichever decimal mark the program's locale has.
    for expected in (r"Metabolismo basale: 1691 Kcal/giorno", r"11[.,]6 × 70 \+ 879 = 1691",
                     r"Riferimenti"):
        if not re.search(expected, content):
            failures.append(f"{expected!r} is not read: {content[:300]!r}")
buttons = {n.name for n in walk(window) if n.getRole() == pyatspi.ROLE_PUSH_BUTTON}
for name in ("Stampa", "Salva come PDF...", "Chiudi"):
    if name not in buttons:
        failures.append(f"no button named {name!r}: {sorted(buttons)}")

print(f"{len(content)} characters read, {len(buttons)} named buttons")
for failure in failures:
    print("FAIL:", failure)
sys.exit(1 if failures else 0)
