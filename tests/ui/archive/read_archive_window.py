# Reads the archive window as a screen reader does, through the accessibility
# bus: a development saved from the main window, then the archive window's
# search box, list, table, trend and buttons found by their names, and the
# saved assessment read in the table and the trend once the subject is selected.
import os
import sys
import time

import pyatspi

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))
from screen_reader import develop_subject, find, press, walk, window_named  # noqa: E402

main = window_named("Nutrivo", least_children=10)
develop_subject(main)
press(find(main, pyatspi.ROLE_PUSH_BUTTON, "Salva nell'archivio"))
saved = window_named("Salva nell'archivio")
press(next(n for n in walk(saved) if n.getRole() == pyatspi.ROLE_PUSH_BUTTON))
time.sleep(0.5)
press(find(main, pyatspi.ROLE_PUSH_BUTTON, "Archivio..."))

window = window_named("Archivio valutazioni", least_children=5)
failures = []
find(window, pyatspi.ROLE_TEXT, "Cerca soggetto")
subjects = find(window, pyatspi.ROLE_LIST, "Soggetti")
table = find(window, pyatspi.ROLE_TABLE, "Valutazioni del soggetto")
buttons = {n.name for n in walk(window) if n.getRole() == pyatspi.ROLE_PUSH_BUTTON}
for name in ("Apri valutazione", "Elimina valutazione", "Rinomina soggetto...",
             "Elimina soggetto", "Salva una copia...", "Ripristina da una copia...",
             "Archivio dello studio...", "Stampa andamento", "Esporta CSV...", "Chiudi"):
    if name not in buttons:
        failures.append(f"no button named {name!r}: {sorted(buttons)}")

items = [n.name for n in walk(subjects) if n is not subjects and n.name]
if not any(item.startswith("Rossi Mario (") for item in items):
    failures.append(f"the saved subject is not read in the list: {items}")
subjects.queryTable().addRowSelection(0)
for _ in range(50):
    cells = [n.name for n in walk(table) if n.getRole() == pyatspi.ROLE_TABLE_CELL]
    if "in Normopeso" in cells:
        break
    time.sleep(0.1)
if "in Normopeso" not in cells or "Data" not in [n.name for n in walk(table)]:
    failures.append(f"the saved assessment is not read in the table: {cells}")

trend = next((n for n in walk(window) if n.name == "Andamento del soggetto"
              and n.getRole() != pyatspi.ROLE_LABEL), None)
if trend is None or not trend.description.startswith("Una valutazione: ") \
        or "in Normopeso" not in trend.description:
    failures.append(f"the trend is not read: {trend and trend.description!r}")

print(f"{len(buttons)} named buttons, {len(items)} subjects, {len(cells)} cells read")
for failure in failures:
    print("FAIL:", failure)
sys.exit(1 if failures else 0)
