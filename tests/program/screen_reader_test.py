"""The program as a screen reader sees it: the windows, buttons, sliders and
tile lists by their names, the demo's groups and the first group's words as
list items, and buttons and tiles pressed through their accessible action.
  dbus-run-session -- /usr/bin/python3 screen_reader_test.py VELMORA VELMORA_CONTENT"""

import sys

from desktop_session import CAPTION, DesktopSession, fail, find, press, program_accessible, wait_for

DEMO_GROUPS = ["Zwierzęta", "Głoska S", "Głoska SZ", "Głoski Ż i RZ", "Głoska CZ", "Głoska C", "Głoska R",
               "Głoska L", "Słowa na co dzień", "Owoce", "Pojazdy", "Dom i zabawki"]
FIRST_GROUP_WORDS = ["kot", "pies", "krowa", "koń", "świnia", "mysz", "żaba", "ryba"]
SECOND_GROUP_WORDS = ["sowa", "ser", "sok", "samolot", "słoń", "sanki"]
BUTTONS = ["Velmora", "Start", "Informacje Dodatkowe", "Międzynarodowy Alfabet Fonetyczny", "O Programie"]


def only(nodes, what):
    if len(nodes) != 1:
        fail(f"expected one {what}, found {len(nodes)}")
    return nodes[0]


def item_names(list_node):
    return [item.name for item in list_node if item is not None]


def main(program, tool):
    with DesktopSession(program, tool) as session:
        app = program_accessible()
        window = only([w for w in app if w.name == CAPTION], "main window")
        print("== the main window is a frame named by its title:", window.getRoleName())
        if window.getRoleName() != "frame":
            fail(f"the main window is a {window.getRoleName()}")

        print("== the control bar's buttons are push buttons named by their captions")
        names = [button.name for button in find(window, "push button")]
        print(names)
        if sorted(names) != sorted(BUTTONS):
            fail(f"push buttons {names}")

        print("== the sliders are named, their values given as text")
        sliders = {slider.name: slider for slider in find(window, "slider")}
        if sorted(sliders) != ["Głośność", "Odstęp"]:
            fail(f"sliders {list(sliders)}")
        if sliders["Odstęp"].description != "0,5 s":
            fail(f"the pause reads '{sliders['Odstęp'].description}'")

        print("== the menu lists the twelve demo groups, the first selected")
        menu = only(find(window, "list", "Grupy ćwiczeń"), "menu list")
        wait_for("twelve groups", lambda: item_names(menu) == DEMO_GROUPS)
        wait_for("the first group selected", lambda: menu[0].getState().contains(__import__("pyatspi").STATE_SELECTED))

        print("== the centre lists the first group's words")
        centre = only(find(window, "list", "Ćwiczenia"), "centre list")
        wait_for("the first group's words", lambda: item_names(centre) == FIRST_GROUP_WORDS)

        print("== Start pressed through its action becomes Stop, and back")
        start = only([b for b in find(window, "push button") if b.name == "Start"], "Start button")
        press(start)
        wait_for("Stop", lambda: start.name == "Stop")
        press(start)
        wait_for("Start again", lambda: start.name == "Start")

        print("== a group pressed through its action fills the centre and the title")
        press(menu[1])
        wait_for("the second group's words", lambda: item_names(centre) == SECOND_GROUP_WORDS)
        wait_for("the title bar named", lambda: find(window, "frame", "Głoska S"))
        print("passed")


if __name__ == "__main__":
    main(sys.argv[1], sys.argv[2])
