"""Unattended runs: in a window station without visible surfaces, where a scheduled task or a service
runs, every word that waits for a person's answer ends at once with "SET ERROR=1" and does nothing else,
unless the script gave its dialog a time-out, which then answers at once; the words that need no answer
run as before. The same words still show their windows in the visible
station: test_standard_dialogs, test_credential_dialogs, test_config_form, and the dirdelete question in
test_shell_commands."""
from pathlib import Path

import pytest

from harness import HEADER_1, HEADER_2, SETTINGS_KEY, TIME_SCALE, probe_facts, set_lines

ROOT = "C:\\tovrik-unattended"
KEEP = {"a.txt": "a", "sub/b.txt": "b"}
# Each run must end well inside this; the probe ends it there otherwise (a dialog waits for ever).
BOUND_MS = int(15000 * TIME_SCALE)

WAITING = [
    (),  # the configuration form
    ("createopendialog", "Ouvrir", "Textes|*.txt", "C:\\"),
    ("createsavedialog", "Enregistrer", "Textes|*.txt", "C:\\", "a.txt", "txt"),
    ("createinputdialog", "Saisie", "Votre nom", "x"),
    ("createlistdialog", "Choix", "Votre choix", "un|deux|trois"),
    ("shownotification", "Sauvegarde", "Terminée", "info", "5"),
    ("browsedirectory", "Dossier", "C:\\"),
    ("dlgcritical", "m"),
    ("dlgwarning", "m"),
    ("dlginformation", "m"),
    ("dlgyesno", "m"),
    ("dlgokcancel", "m"),
    ("createpassworddlg", "Mot de passe", "Tapez-le"),
    ("createlongondlg", "Connexion", "Nom", "Mot de passe"),
    ("netstartconbox",),
    ("dircopy", f"{ROOT}\\keep", f"{ROOT}\\copy"),
    ("dirmove", f"{ROOT}\\keep", f"{ROOT}\\moved"),
    ("dirdelete", f"{ROOT}\\keep"),
]


def contents(path: Path) -> dict:
    return {p.relative_to(path).as_posix(): (None if p.is_dir() else p.read_text()) for p in sorted(path.rglob("*"))}


def command_line(wine, *args) -> str:
    return " ".join(f'"{a}"' for a in (wine.windows_exe(), *args))


def run_hidden(wine, *command_lines):
    """Runs the command lines in turn in a window station of their own; the probe's facts: "visible", and
    per line "ended INDEX CODE MS" or "timeout INDEX"."""
    done = wine.probe("hiddenstation", str(BOUND_MS), *command_lines, timeout=120 + 3 * BOUND_MS / 1000)
    assert done.returncode == 0, done.stdout
    return probe_facts(done, lists=("ended", "timeout", "createprocess"))


def ended_at_once(facts, count):
    """Checks that each of `count` runs ended by itself with exit code 0 within the bound."""
    assert facts["visible"] == ["0"], f"the station has visible surfaces: {facts['visible']}"
    assert facts["timeout"] == [] and facts["createprocess"] == [], facts
    assert [(int(i), int(code)) for i, code, _ in facts["ended"]] == [(i, 0) for i in range(1, count + 1)], facts


@pytest.mark.parametrize("args", WAITING, ids=lambda args: args[0] if args else "configuration")
def test_a_waiting_word_ends_at_once_with_an_error_and_touches_nothing(wine, folders, args):
    area = folders(ROOT)
    for name, text in KEEP.items():
        (area / "keep" / name).parent.mkdir(parents=True, exist_ok=True)
        (area / "keep" / name).write_text(text)
    wine.default_return_file.write_bytes(b"SET OLD=1\r\n")
    ended_at_once(run_hidden(wine, command_line(wine, *args)), 1)
    data = wine.default_return_file.read_bytes()
    first_end = data.index(b"\r\n") + 2
    assert HEADER_1["fr"].fullmatch(data[:first_end]), data
    assert data[first_end:] == HEADER_2 + b"SET ERROR=1\r\n"
    assert contents(area) == {"keep": None, "keep/a.txt": "a", "keep/sub": None, "keep/sub/b.txt": "b"}


# A dialog given a time-out answers there at once what its time-out stands for: the script said what it
# wants when nobody answers. A minute each: a run that waited for it would pass the bound.
TIMED = [
    (("dlgcritical", "m", "60"), [b"SET TIMEDOUT=1"]),
    (("dlgwarning", "m", "60"), [b"SET TIMEDOUT=1"]),
    (("dlginformation", "m", "60"), [b"SET TIMEDOUT=1"]),
    (("dlgyesno", "m", "60"), [b"SET BUTTON=1", b"SET TIMEDOUT=1"]),
    (("dlgyesno", "m", "60", "0"), [b"SET BUTTON=0", b"SET TIMEDOUT=1"]),
    (("dlgokcancel", "m", "60"), [b"SET BUTTON=3", b"SET TIMEDOUT=1"]),
    (("dlgokcancel", "m", "60", "2"), [b"SET BUTTON=2", b"SET TIMEDOUT=1"]),
    (("createlistdialog", "Choix", "Votre choix", "un|deux|trois", "deux", "60"),
     [b"SET EXECUTED=1", b"SET TEXT=deux", b"SET INDEX=2", b"SET TIMEDOUT=1"]),
    (("createlistdialog", "Choix", "Votre choix", "un|deux|trois", "NULL", "60"),
     [b"SET EXECUTED=0", b"SET TIMEDOUT=1"]),
    (("createinputdialog", "Saisie", "Votre nom", "x", "60"), [b"SET EXECUTED=0", b"SET TIMEDOUT=1"]),
    # A time-out the word refuses is an error there too.
    (("dlgyesno", "m", "60", "7"), [b"SET ERROR=1"]),
]


@pytest.mark.parametrize("args, lines", TIMED, ids=[
    "critical", "warning", "information", "yesno", "yesno-answer-0", "okcancel", "okcancel-answer-2",
    "list-default", "list-no-default", "input", "bad-answer"])
def test_a_dialog_given_a_time_out_answers_at_once_as_its_time_out_would(wine, args, lines):
    ended_at_once(run_hidden(wine, command_line(wine, *args)), 1)
    assert set_lines(wine.return_file_now()) == lines


def test_the_silent_shell_words_still_work_there(wine, folders):
    area = folders(ROOT)
    (area / "data" / "sub").mkdir(parents=True)
    (area / "data" / "sub" / "b.txt").write_text("b")
    ended_at_once(run_hidden(wine, command_line(wine, "silentdircopy", f"{ROOT}\\data", f"{ROOT}\\copy"),
                             command_line(wine, "silentdirmove", f"{ROOT}\\copy", f"{ROOT}\\moved"),
                             command_line(wine, "silentdirdelete", f"{ROOT}\\data")), 3)
    assert set_lines(wine.return_file_now()) == []
    assert contents(area) == {"moved": None, "moved/sub": None, "moved/sub/b.txt": "b"}


@pytest.mark.parametrize("create,close", [
    (("createwaitdlg", "Attente sans personne", "Un <b>instant</b>"), "closewaitdlg"),
    (("createprogressdlg", "Progression sans personne", "Copie", "10"), "closeprogressdlg"),
])
def test_wait_and_progress_windows_open_and_close_there(wine, create, close):
    title = create[1]
    probe = wine.windows_exe("probe.exe")
    # The probes run in the station write to this probe's output: "hwnd ..." once the window exists, then
    # the bar's position.
    facts = run_hidden(wine, "&" + command_line(wine, *create),
                       f'"{probe}" window "{title}" {BOUND_MS}',
                       command_line(wine, "incrementprogressform", title, "4"),
                       *([f'"{probe}" progress "{title}"'] if create[0] == "createprogressdlg" else []),
                       command_line(wine, close, title))
    assert facts["visible"] == ["0"] and facts["timeout"] == [], facts
    assert "hwnd" in facts, facts
    # Every later line ended by itself, then the creating run, ended by the close command.
    count = len(facts["ended"])
    assert [(int(i), int(code)) for i, code, _ in facts["ended"]] == [*((i, 0) for i in range(2, count + 1)), (1, 0)], facts
    if create[0] == "createprogressdlg":
        assert facts["pos"] == ["4", "range", "0", "10"], facts
    assert set_lines(wine.return_file_now()) == [], "the close command's header only"


def test_an_unwritable_return_file_exits_1_without_a_box_there(wine):
    wine.reg_set_string(SETTINGS_KEY, "RFile", "C:\\no such dir\\r.bat")
    facts = run_hidden(wine, command_line(wine, "strlength", "x"))
    assert facts["timeout"] == [] and [(i, code) for i, code, _ in facts["ended"]] == [("1", "1")], facts
    assert not wine.host_path("C:\\no such dir").exists()
