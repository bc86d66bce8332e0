"""The program driven by real key presses (xdotool), as a user without a
mouse drives it: Down selects the next group, Space switches repetition,
+ and - the volume, F1
opens the help and Escape closes it, Tab and Enter open the phonetic
alphabet, whose Right key turns the page. What the keys did is read back
over the accessibility bus.
  dbus-run-session -- /usr/bin/python3 keyboard_test.py VELMORA VELMORA_CONTENT"""

import re
import sys

from desktop_session import CAPTION, DesktopSession, fail, find, program_accessible, wait_for

HELP_TITLE = "Velmora Demo - Pomoc"
ALPHABET_TITLE = "Międzynarodowy alfabet fonetyczny"


def title_pattern(title):
    return re.sub(r"([().\\[\]*+?^$|{}])", r"\\\1", title)


def main(program, tool):
    # A window manager gives each window the keyboard focus when it opens.
    with DesktopSession(program, tool, window_manager=True) as session:
        app = program_accessible()
        window = next(w for w in app if w.name == CAPTION)
        main_window = wait_for("the main window", lambda: session.windows_named(title_pattern(CAPTION)))[0]
        session.xdotool("windowfocus", "--sync", main_window)
        start = next(b for b in find(window, "push button") if b.name == "Start")
        menu = find(window, "list", "Grupy ćwiczeń")[0]
        wait_for("the first group selected", lambda: find(window, "frame", "Zwierzęta"))

        def key(*names):
            session.xdotool("key", "--clearmodifiers", *names)

        print("== Down: the second group's title")
        key("Down")
        wait_for("the title of the second group", lambda: find(window, "frame", "Głoska S"))
        if menu[1].name != "Głoska S":
            fail("the second tile is not the second group")

        print("== Space: Start becomes Stop, and back")
        key("space")
        wait_for("Stop", lambda: start.name == "Stop")
        key("space")
        wait_for("Start", lambda: start.name == "Start")

        print("== + and - move the volume by 10")
        volume = find(window, "slider", "Głośność")[0]
        before = int(volume.description.rstrip("%"))
        key("plus")
        wait_for(f"the volume at {before + 10}%", lambda: volume.description == f"{before + 10}%")
        key("minus")
        wait_for(f"the volume back at {before}%", lambda: volume.description == f"{before}%")

        print("== F1 opens the help, Escape closes it")
        key("F1")
        session.active_window_named(title_pattern(HELP_TITLE))
        key("Escape")
        wait_for("the help window closed", lambda: not session.windows_named(title_pattern(HELP_TITLE)))
        session.active_window_named(title_pattern(CAPTION))

        print("== Tab to the phonetic alphabet, Enter opens it, Right turns to page 2")
        # From the menu: centre, Start, pause, volume, help, alphabet.
        key(*["Tab"] * 6)
        key("Return")
        session.active_window_named(title_pattern(ALPHABET_TITLE))
        presentation = wait_for("the presentation on the bus",
                                lambda: next((w for w in app if w.name == ALPHABET_TITLE
                                              and w.getState().contains(__import__("pyatspi").STATE_SHOWING)), None))
        wait_for("page 1", lambda: find(presentation, "label", "Strona 1 / 6"))
        key("Right")
        wait_for("page 2", lambda: find(presentation, "label", "Strona 2 / 6"))
        key("Escape")
        wait_for("the presentation closed", lambda: not session.windows_named(title_pattern(ALPHABET_TITLE)))
        print("passed")


if __name__ == "__main__":
    main(sys.argv[1], sys.argv[2])
