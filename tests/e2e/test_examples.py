"""The sample scripts in examples/ run as a user would run them, and print exactly what they promise."""
import re
import time
from concurrent.futures import ThreadPoolExecutor, wait

import pytest

from harness import WS_VISIBLE, clipboard, example, probe_bytes, probe_facts, window_facts, wait_until


def matches(lines, expected):
    """Each line equals its expected text, or fully matches it when that is a compiled pattern."""
    assert len(lines) == len(expected), lines
    for line, want in zip(lines, expected):
        assert want.fullmatch(line) if isinstance(want, re.Pattern) else line == want, (line, lines)


TEXT_OUTPUT = [
    "strlength: 21",
    "strpos: 17",
    "strcopy: tout",
    "uppercase: BONJOUR",
    "compare 10 9: 1",
    "pwr 2 -1: 0,5",
    "isnumeric: 1 (12,5)",
    "isnumeric douze: 0",
    "add: 3,75",
    "div 7 2: 4",
    "round 2,5: 2",
    "sqr 2: 1,4142135623731",
    "getdate yyyy: 4 digits",
    "getfilename: bilan.final.txt",
    "getfileext: .txt",
    "getfilenamewithoutext: bilan.final",
    "getfiledir: C:\\Rapports\\2026",
    "getfiledrive: C:",
    "includebackslash: C:\\Rapports\\",
]


def test_hello_example_counts_its_runs_in_a_user_variable(wine):
    runs = [wine.batch(example("hello.bat")).splitlines() for _ in range(2)]
    assert runs == [["Length: 21", f"This sample has run {n} time(s).", "A missing argument sets ERROR=1."]
                    for n in (1, 2)], runs


@pytest.mark.parametrize("locale, separator", [("fr", ","), ("en", ".")])
def test_text_example_follows_the_regional_decimal_separator(wine, locale, separator):
    out = wine.batch(example("text.bat"), locale=locale)
    assert out.splitlines() == [line.replace(",", separator) for line in TEXT_OUTPUT], out


def test_files_example_works_in_a_temporary_folder_and_removes_it(wine):
    # A line put before the script tells where its temporary folder is.
    temp, *out = wine.batch("echo %TEMP%\n" + example("files.bat")).splitlines()
    folder = wine.host_path(temp) / "TovrikExemple"
    assert out == [
        "createtree: 1",
        "INIRESULT=100%",
        "iniread (missing key): inconnu",
        "countlinesoftextfile: 2",
        "readlineoftextfile 1: deux 2",
        "fileexists: 1",
        "filesize: 24",
        "renameitem: old 0, new 1",
        "getspecialfolder wintemp: %TEMP%\\",
        "silentdirdelete: 0",
    ], out
    assert folder.parent.is_dir() and not folder.exists()


def test_system_example_shows_stable_facts_and_the_clipboard_escape(wine):
    out = wine.batch(example("system.bat"))
    matches(out.splitlines(), [
        re.compile(r"getsystemdrive: [A-Z]:"),
        re.compile(r"getvolumeserial: [0-9A-F]{10}"),
        "getguid: 38 characters, starting with {",
        re.compile(r"isconnected: [01]"),
        # The return file's own line, then the value after CALL.
        "SET CLIPBOARD=Tom ^& Jerry",
        'clipboardgettext: "Tom & Jerry"',
        "getwinver WINNT: 1",
    ])
    assert clipboard(wine)[1] == b"Tom & Jerry"


def shown_label(wine, title):
    """The message of a dialog once it is shown with its controls: the text of its first Static with text."""
    def label():
        facts = window_facts(wine, title)
        if not facts["style"] & WS_VISIBLE:
            return None
        texts = [c.text for c in facts["controls"] if c.cls == "Static" and c.text]
        return texts[0] if texts else None

    return wait_until(label, f"{title!r} shown")


def answer(wine, title, typed, keys):
    label = shown_label(wine, title)
    if typed:
        assert wine.probe("chars", title, typed, "30000").returncode == 0
    assert wine.probe("keys", title, keys, "30000").returncode == 0
    return label


@pytest.mark.parametrize("answers, output", [
    # (dialog caption, characters typed, keys, its message) for each dialog in turn, then what the script printed.
    ([("Exemple", "Tom & Jerry", "{ENTER}", "Votre nom :"),
      ("Confirmation", "", "{ENTER}", "Bonjour Tom & Jerry !\r\nVoulez-vous un dernier message ?"),
      ("Information", "", "{ENTER}", "Au revoir, Tom & Jerry.")],
     ['EXECUTED=1 TEXT="Tom & Jerry"', "BUTTON=0", "Fin."]),
    ([("Exemple", "", "{ENTER}", "Votre nom :"),
      ("Confirmation", "", "{ESC}", "Bonjour Camille !\r\nVoulez-vous un dernier message ?")],
     ['EXECUTED=1 TEXT="Camille"', "BUTTON=1"]),
    ([("Exemple", "x", "{ESC}", "Votre nom :")],
     ['EXECUTED=0 TEXT=""', "Annule."]),
])
def test_dialogs_example_carries_the_typed_name_through_its_dialogs(wine, answers, output):
    with ThreadPoolExecutor(max_workers=1) as pool:
        script = pool.submit(wine.batch, example("dialogs.bat"), timeout=60)
        try:
            for title, typed, keys, message in answers:
                assert answer(wine, title, typed, keys) == message
            out = script.result(timeout=30)
        finally:
            # A failed step leaves a dialog open: close them all so that the script ends.
            while not script.done():
                for title in ("Exemple", "Confirmation", "Information"):
                    wine.probe("close", title, "200")
                wait([script], timeout=1)
    assert out.splitlines() == output, out


def balloons(wine):
    """The texts of the balloons Wine's shell shows, and whether any icon is in the notification area."""
    facts = probe_facts(wine.probe("tray"), lists=("tray", "icon", "balloon"))
    # Wine 8 draws the icons in its tray window, shown only while it holds one.
    return ([probe_bytes(b[6]).decode("cp1252") for b in facts["balloon"] if b[0] == "1"],
            any(i[0] == "1" for i in facts["icon"] or facts["tray"]))


@pytest.mark.parametrize("keys, output, balloon", [
    ("{ENTER}", ['EXECUTED=1 INDEX=2 TEXT="Archive 7-Zip & chiffrement"', "Notification lancee."],
     "Sauvegarde choisie : Archive 7-Zip & chiffrement"),
    ("{DOWN}{ENTER}", ['EXECUTED=1 INDEX=3 TEXT="Copie simple"', "Notification lancee."],
     "Sauvegarde choisie : Copie simple"),
    ("{ESC}", ['EXECUTED=0 INDEX= TEXT=""', "Annule."], None),
])
def test_choose_example_hands_the_chosen_entry_to_a_notification_it_does_not_wait_for(wine, keys, output, balloon):
    with ThreadPoolExecutor(max_workers=1) as pool:
        script = pool.submit(wine.batch, example("choose.bat"), timeout=60)
        try:
            assert answer(wine, "Exemple", "", keys) == "Format de la sauvegarde :"
            out = script.result(timeout=30)
        finally:
            while not script.done():
                wine.probe("close", "Exemple", "200")
                wait([script], timeout=1)
    assert out.splitlines() == output, out
    if balloon:
        # The script has ended; its notification shows on, then goes away on its own.
        assert wait_until(lambda: balloon in balloons(wine)[0], "the balloon", 20)
        wait_until(lambda: not balloons(wine)[1], "the icon to go", 30)


def test_choose_example_takes_its_default_entry_when_nobody_answers_in_ten_seconds(wine):
    started = time.monotonic()
    out = wine.batch(example("choose.bat"), timeout=60)
    assert time.monotonic() - started >= 10
    assert out.splitlines() == ['EXECUTED=1 INDEX=2 TEXT="Archive 7-Zip & chiffrement"',
                                "Personne n'a repondu : choix par defaut.", "Notification lancee."], out
    assert wait_until(lambda: "Sauvegarde choisie : Archive 7-Zip & chiffrement" in balloons(wine)[0], "the balloon",
                      20)
    wait_until(lambda: not balloons(wine)[1], "the icon to go", 30)
