"""Waits up to argv[1] seconds for velmora's windows on the accessibility bus:
the main window showing, the help, presentation and about windows built; the
volume control enabled (an audio output was found) and moved by one step,
which the program keeps in its configuration. Then selects the first item
and presses "Start", for the caller to hear the word."""
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


def descendants(node, role, depth=0):
    if node is None or depth > 6:
        return
    if node.getRole() == role:
        yield node
    for i in range(node.childCount):
        yield from descendants(node.getChildAtIndex(i), role, depth + 1)


def press(node):
    node.queryAction().doAction(0)


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
volume = list(descendants(found[MAIN], pyatspi.ROLE_SLIDER))[1]
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

# The item list is the one beside the group's title (a frame); its first
# item of the first group carries a word.
items = next(l for l in descendants(found[MAIN], pyatspi.ROLE_LIST)
             if any(l.parent.getChildAtIndex(i).getRole() == pyatspi.ROLE_FRAME for i in range(l.parent.childCount)))
press(items.getChildAtIndex(0))
press(next(b for b in descendants(found[MAIN], pyatspi.ROLE_PUSH_BUTTON) if b.name == "Start"))
print("first item selected, Start pressed")
