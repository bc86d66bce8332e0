"""Waits up to argv[1] seconds for velmora's windows on the accessibility bus:
the main window showing, the help, presentation and about windows built; the
volume control enabled (an audio output was found) and moved by one step,
which the program keeps in its configuration."""
import os
import sys
import time

import pyatspi

MAIN = "Velmora w zakresie wybranych przykładów wymowy dzieci przedszkolnych (Demo)"
SECONDARY = {"Velmora Demo - Pomoc", "Międzynarodowy alfabet fonetyczny", "O Programie"}


def windows():
    for app in pyatspi.Registry.getDesktop(0):
        if app is not None and app.name == "velmora":
            return {w.name: w for w in (app.getChildAtIndex(i) for i in range(app.childCount)) if w is not None}
    return {}


def sliders(node, depth=0):
    if node is None or depth > 6:
        return
    if node.getRole() == pyatspi.ROLE_SLIDER:
        yield node
    for i in range(node.childCount):
        yield from sliders(node.getChildAtIndex(i), depth + 1)


deadline = time.monotonic() + float(sys.argv[1])
found = {}
while time.monotonic() < deadline:
    found = windows()
    if MAIN in found and found[MAIN].getState().contains(pyatspi.STATE_SHOWING) and SECONDARY <= found.keys():
        break
    time.sleep(0.1)
else:
    sys.exit(f"windows seen: {sorted(found)}")

# The pause slider comes first, the volume second.
volume = list(sliders(found[MAIN]))[1]
if not volume.getState().contains(pyatspi.STATE_ENABLED):
    sys.exit("the volume control is disabled: no audio output")
value = volume.queryValue()
start = value.currentValue
value.currentValue = start + 10
conf = os.path.join(os.environ["XDG_CONFIG_HOME"], "velmora", "velmora.conf")
while time.monotonic() < deadline:
    if os.path.exists(conf) and f"volume={int(start) + 10}" in open(conf).read():
        break
    time.sleep(0.1)
else:
    sys.exit(f"the volume moved from {start} was not kept")
print("main window showing, secondary windows built, volume", start, "->", start + 10)
