"""A choice from a list and a notification, as a script meets them: the list dialog waits for the user and
reports the entry chosen; the notification puts the program's icon in the notification area with a balloon,
waits for a click or its time, and takes the icon away again however it ends."""
import subprocess

import pytest

from harness import (TIME_SCALE, WindowRun, muldiv, probe_bytes, probe_facts, set_lines, shoot_region, shoot_window,
                     wait_until)

BS_DEFPUSHBUTTON = 0x1
LBS_NOTIFY = 0x1
SCREEN_WIDTH = 1280
ABC = "Alpha|Beta|Gamma"


def list_facts(wine, title):
    """The dialog's list box: count, selected, top, focus and rows as numbers, "entries" as bytes."""
    facts = probe_facts(wine.probe("listbox", title, str(int(30000 * TIME_SCALE))), lists=("entry",))
    assert "count" in facts, facts
    numbers = {word: int(facts[word][0]) for word in ("count", "selected", "top", "focus", "rows")}
    return {**numbers, "entries": [probe_bytes(words[0]) for words in facts["entry"]]}


@pytest.fixture
def list_dialog(window_runs):
    return lambda *args: window_runs("createlistdialog", *args)


# --- the list dialog -------------------------------------------------------------------------------

def test_list_dialog_layout_focus_and_default(wine, list_dialog):
    units = probe_facts(wine.probe("dialogunits"))
    x, y = int(units["units"][0]), int(units["units"][1])
    prompt = "Choisissez le format de la sauvegarde que le script doit créer sur le serveur :"
    entries = "Archive zip|Archive 7-Zip chiffrée|Copie simple des fichiers|Image disque|Aucune"
    dialog = list_dialog("Format", prompt, entries, "Copie simple des fichiers")
    facts = dialog.wait_shown()
    label, box, ok, cancel = facts["controls"]
    assert facts["client"][0] == muldiv(180, x, 4)
    assert (label.text, label.left, label.top) == (prompt, muldiv(8, x, 4), muldiv(8, y, 8))
    assert label.width <= muldiv(164, x, 4) and label.height > y  # wrapped
    assert (box.cls, box.left, box.width) == ("ListBox", muldiv(8, x, 4), muldiv(164, x, 4))
    assert box.style & LBS_NOTIFY
    assert box.top == label.top + label.height + 5
    assert box.height == 5 * y + 4  # five rows of the forms' font, no more
    assert (ok.text, ok.left, ok.top, ok.width, ok.height) == ("OK", muldiv(38, x, 4), box.top + box.height + 15,
                                                               muldiv(50, x, 4), muldiv(14, y, 8))
    assert (cancel.text, cancel.left, cancel.top) == ("Annuler", muldiv(92, x, 4), ok.top)
    assert ok.style & BS_DEFPUSHBUTTON and not cancel.style & BS_DEFPUSHBUTTON
    assert facts["client"][1] == ok.top + ok.height + 13
    shown = list_facts(wine, "Format")
    assert shown == {"count": 5, "selected": 2, "top": 0, "focus": 1, "rows": 5,
                     "entries": [e.encode("cp1252") for e in entries.split("|")]}, shown
    rect = probe_facts(wine.probe("windowrect", "Format", "30000"))
    left, top, right, bottom = map(int, rect["rect"])
    assert abs((left + right) - SCREEN_WIDTH) <= 2  # centred on the screen
    shoot_window(wine, "Format", "createlistdialog.png")
    dialog.keys("{ENTER}")
    assert dialog.lines() == [b"SET EXECUTED=1", b"SET TEXT=Copie simple des fichiers", b"SET INDEX=3"]


@pytest.mark.parametrize("items, default, how, expected", [
    # Enter takes the default; no default selects the first entry.
    (ABC, "Beta", "{ENTER}", [b"SET EXECUTED=1", b"SET TEXT=Beta", b"SET INDEX=2"]),
    (ABC, None, "{ENTER}", [b"SET EXECUTED=1", b"SET TEXT=Alpha", b"SET INDEX=1"]),
    # The default by its number; arrow keys move the selection at once (the list has the focus).
    (ABC, "3", "{UP}{UP}{DOWN}{ENTER}", [b"SET EXECUTED=1", b"SET TEXT=Beta", b"SET INDEX=2"]),
    (ABC, None, "{END}{ENTER}", [b"SET EXECUTED=1", b"SET TEXT=Gamma", b"SET INDEX=3"]),
    # OK by Tab to it, Annuler by Tab twice: Enter presses the focused button.
    (ABC, "Gamma", "{TAB}{ENTER}", [b"SET EXECUTED=1", b"SET TEXT=Gamma", b"SET INDEX=3"]),
    (ABC, "Gamma", "{TAB}{TAB}{ENTER}", [b"SET EXECUTED=0"]),
    (ABC, "Gamma", "{ESC}", [b"SET EXECUTED=0"]),
    (ABC, "Gamma", "close", [b"SET EXECUTED=0"]),
    # Empty entries are dropped before the numbering.
    ("||Alpha|||Beta|", "2", "{ENTER}", [b"SET EXECUTED=1", b"SET TEXT=Beta", b"SET INDEX=2"]),
    # Characters that cmd.exe would take as operators come back escaped: CALL gives them back as they were.
    ("Tom & Jerry|100%|a^b|<x>", "Tom & Jerry", "{ENTER}", [b"SET EXECUTED=1", b"SET TEXT=Tom ^& Jerry",
                                                           b"SET INDEX=1"]),
    ("Tom & Jerry|100%|a^b|<x>", "100%", "{DOWN}{ENTER}", [b"SET EXECUTED=1", b"SET TEXT=a^^b", b"SET INDEX=3"]),
    ("Tom & Jerry|100%|a^b|<x>", "2", "{ENTER}", [b"SET EXECUTED=1", b"SET TEXT=100%%", b"SET INDEX=2"]),
    ("Tom & Jerry|100%|a^b|<x>", "4", "{ENTER}", [b"SET EXECUTED=1", b"SET TEXT=^<x^>", b"SET INDEX=4"]),
], ids=["default", "first", "number-and-arrows", "end-key", "tab-ok", "tab-annuler", "escape", "close-box",
        "empty-entries", "ampersand", "caret", "percent", "angle-brackets"])
def test_list_dialog_answers(wine, list_dialog, items, default, how, expected):
    dialog = list_dialog("Choix e2e", "Lequel ?", items, *([default] if default else []))
    dialog.wait_shown()
    if how == "close":
        assert wine.probe("close", dialog.title, "1000").returncode == 0
    else:
        dialog.keys(how)
    assert dialog.lines() == expected


def test_list_dialog_double_click_chooses_the_entry_under_the_pointer(wine, list_dialog):
    dialog = list_dialog("Choix e2e", "Lequel ?", ABC)
    dialog.wait_shown()
    row = int(probe_facts(wine.probe("dialogunits"))["units"][1])
    assert list_facts(wine, "Choix e2e")["selected"] == 0
    # The middle of the second row, in the list's client area.
    assert wine.probe("listdblclick", "Choix e2e", "10", str(row + row // 2)).returncode == 0
    assert dialog.lines() == [b"SET EXECUTED=1", b"SET TEXT=Beta", b"SET INDEX=2"]


def test_list_dialog_shows_a_thousand_entries_and_scrolls_to_the_default(wine, list_dialog):
    items = "|".join(f"Entrée {n}" for n in range(1, 1001))
    dialog = list_dialog("Mille e2e", "Laquelle ?", items, "1000")
    dialog.wait_shown()
    shown = list_facts(wine, "Mille e2e")
    assert (shown["count"], shown["selected"], shown["focus"], shown["rows"]) == (1000, 999, 1, 10), shown
    assert shown["top"] + shown["rows"] > 999, "the selected entry is in view"
    assert shown["entries"][0] == "Entrée 1".encode("cp1252"), shown["entries"][0]
    assert shown["entries"][999] == "Entrée 1000".encode("cp1252"), shown["entries"][999]
    dialog.keys("{UP}{ENTER}")
    # The return file is in the console's code page (850 under French settings).
    assert dialog.lines() == [b"SET EXECUTED=1", "SET TEXT=Entrée 999".encode("cp850"), b"SET INDEX=999"]


@pytest.mark.parametrize("args", [
    ("Choix", "Lequel ?", "|||"),                  # no entries
    ("Choix", "Lequel ?", "NULL"),
    ("Choix", "Lequel ?", "|".join(f"e{n}" for n in range(1, 1002))),  # 1,001 entries
    ("Choix", "Lequel ?"),                         # the list itself is missing
], ids=["only-bars", "null", "1001-entries", "missing"])
def test_list_dialog_refuses_an_empty_or_too_long_list_without_showing_anything(wine, args):
    # A dialog would keep the run waiting until the test's time is up.
    run = wine.run("createlistdialog", *args, timeout=30)
    assert (run.exit_code, set_lines(run)) == (0, [b"SET ERROR=1"])
    assert wine.probe("windowrect", "Choix", "500").stdout.strip() == b"nowindow"


# --- the notification ------------------------------------------------------------------------------

WM_APP = 0x8000
NIN_BALLOONTIMEOUT = 0x404
NIN_BALLOONUSERCLICK = 0x405
WINDOW_CLASS = "TovrikNotification"


def tray(wine, click=False):
    """Wine's shell as the probe sees it: {"tray": [...], "icon": [...], "balloon": [...], "tip": [...]}, each
    window as (visible, left, top, right, bottom, text); with click, the probe first clicks the first icon."""
    done = wine.probe("tray", *(["click"] if click else []))
    assert not click or b"clicked" in done.stdout, done.stdout
    facts = probe_facts(done, lists=("tray", "icon", "balloon", "tip"))
    return {kind: [(int(w[0]), *map(int, w[1:5]), probe_bytes(w[6]).decode("cp1252")) for w in facts[kind]]
            for kind in ("tray", "icon", "balloon", "tip")}


def visible_icons(wine):
    """Where icons show: windows of their own, or (Wine 8) the stand-alone tray window, which draws them
    itself and shows only while it holds one."""
    facts = tray(wine)
    if facts["icon"]:
        return [icon for icon in facts["icon"] if icon[0]]
    return [window for window in facts["tray"] if window[0]]


def icon_cell(window):
    """The screen rectangle of the first icon: the whole icon window, or the right end of the tray."""
    visible, left, top, right, bottom, _ = window
    return (right - (bottom - top), top, right, bottom) if right - left > bottom - top else (left, top, right, bottom)


class Notification(WindowRun):
    """A shownotification run in the background; it shows no window of its own, so the test ends it through
    its hidden window's class."""

    def __init__(self, wine, *args):
        super().__init__(wine, "shownotification", *args, title=None)

    def cleanup(self):
        if self.process.poll() is None:
            self.wine.probe("postclass", WINDOW_CLASS, str(0x10), "0", "0", "1000")  # WM_CLOSE
            try:
                self.process.wait(timeout=10 * TIME_SCALE)
            except subprocess.TimeoutExpired:
                self.process.kill()
                self.process.wait()


@pytest.fixture
def notification(window_runs):
    return lambda *args: window_runs(*args, kind=Notification)


@pytest.fixture
def empty_tray(wine):
    assert visible_icons(wine) == [], "an icon of an earlier test is still there"
    yield
    wait_until(lambda: visible_icons(wine) == [], "the tray to be empty again", 30)


def test_notification_icon_and_balloon_then_the_timeout_removes_the_icon(wine, notification, empty_tray):
    shown = notification("Sauvegarde e2e", "La copie des 1 245 fichiers est terminée.", "info", "8")
    icon = icon_cell(wait_until(lambda: visible_icons(wine), "the icon in the notification area")[0])
    # Wine's shell shows the balloon a moment after the icon, as a balloon tooltip at the icon.
    balloon = wait_until(lambda: [b for b in tray(wine)["balloon"] if b[0]], "the balloon", 20)[0]
    assert balloon[5] == "La copie des 1 245 fichiers est terminée.", balloon
    assert shown.still_open()
    left = min(icon[0], balloon[1]) - 8
    top = min(icon[1], balloon[2]) - 8
    right = max(icon[2], balloon[3])
    bottom = max(icon[3], balloon[4])
    shoot_region("shownotification.png", left, top, right - left, bottom - top)
    # Nobody clicks: the run ends when its time is up, with its icon gone.
    assert shown.lines() == [b"SET CLICKED=0"]
    assert visible_icons(wine) == []


def test_notification_clicked_on_its_icon_reports_the_click_and_removes_the_icon(wine, notification, empty_tray):
    shown = notification("Clic e2e", "Cliquez sur l'icône", "warning", "60")
    wait_until(lambda: visible_icons(wine), "the icon in the notification area")
    tray(wine, click=True)
    assert shown.lines() == [b"SET CLICKED=1"]
    assert visible_icons(wine) == []


@pytest.mark.parametrize("event, expected", [
    (NIN_BALLOONUSERCLICK, b"SET CLICKED=1"),
    (NIN_BALLOONTIMEOUT, b"SET CLICKED=0"),
], ids=["balloon-clicked", "balloon-closed"])
def test_notification_ends_on_the_balloon_events_the_shell_sends(wine, notification, empty_tray, event, expected):
    # Wine's shell never reports a click on its balloon nor its end (its balloon is a plain tooltip): the
    # event is posted to the program's window as the Windows shell posts it.
    shown = notification("Ballon e2e", "Texte", "error", "60")
    wait_until(lambda: visible_icons(wine), "the icon in the notification area")
    done = wine.probe("postclass", WINDOW_CLASS, str(WM_APP + 1), "1", str(event), "30000")
    assert done.stdout.strip() == b"posted"
    assert shown.lines() == [expected]
    assert visible_icons(wine) == []


def test_notification_closed_by_another_program_removes_its_icon(wine, notification, empty_tray):
    shown = notification("Fermer e2e", "Texte", "info", "60")
    wait_until(lambda: visible_icons(wine), "the icon in the notification area")
    assert wine.probe("postclass", WINDOW_CLASS, str(0x10), "0", "0", "30000").returncode == 0  # WM_CLOSE
    assert shown.lines() == [b"SET CLICKED=0"]
    assert visible_icons(wine) == []


@pytest.mark.parametrize("args", [
    (),
    ("Titre",),
    ("Titre", "Texte", "question"),
    ("Titre", "Texte", "info", "dix"),
    ("Titre", "Texte", "avertissement", "5"),
], ids=["nothing", "no-text", "unknown-kind", "bad-seconds", "kind-before-seconds"])
def test_notification_argument_errors_show_no_icon(wine, empty_tray, args):
    run = wine.run("shownotification", *args, timeout=30)
    assert (run.exit_code, set_lines(run)) == (0, [b"SET ERROR=1"])
    assert visible_icons(wine) == []


def test_notification_seconds_are_brought_into_range(wine, empty_tray):
    # 0 becomes 1 second: the run ends on its own, with the icon gone.
    run = wine.run("shownotification", "Court e2e", "Texte", "NULL", "0", timeout=30)
    assert (run.exit_code, set_lines(run)) == (0, [b"SET CLICKED=0"])
    assert visible_icons(wine) == []
