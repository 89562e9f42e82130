"""The standard dialogs as a script meets them: the run waits while the user answers, and the return file
carries the choice. The common dialogs are driven through their control identifiers, the program's own
boxes through their keys, buttons and close box."""

import pytest

from harness import (WindowRun, clipboard, muldiv, probe_bytes, probe_facts, probe_text, set_lines, shoot_region,
                     shoot_window, wait_until)

SS_ICON = 0x3
BS_DEFPUSHBUTTON = 0x1
SCREEN_WIDTH = 1280
DASHES = b"-" * 27 + b"\r\n"


class Shown(WindowRun):
    """A dialog-showing run found by the caption it shows (`title`), not by its first argument."""

    def __init__(self, wine, title, *args):
        super().__init__(wine, *args, title=title)

    def rect(self):
        """Window rectangle, work area, and the focused control (class, text, selection and limit)."""
        return probe_facts(self.wine.probe("windowrect", self.title, "30000"))

    def shoot(self, name):
        shoot_window(self.wine, self.title, name)


@pytest.fixture
def shown(window_runs):
    return lambda title, *args: window_runs(title, *args, kind=Shown)


@pytest.fixture
def files(folders):
    """A folder of the test's own under C:\\, removed afterwards."""
    return folders("C:\\tovrik-e2e")


def header_only(run):
    assert run.exit_code == 0
    return set_lines(run) == []


# --- message boxes ---------------------------------------------------------------------------------

BOXES = [
    ("dlgcritical", "Erreur", ["OK"]),
    ("dlgwarning", "Avertissement", ["OK"]),
    ("dlginformation", "Information", ["OK"]),
    ("dlgyesno", "Confirmation", ["&Oui", "&Non"]),
    ("dlgokcancel", "Confirmation", ["OK", "Annuler"]),
]


@pytest.mark.parametrize("word, caption, buttons", BOXES)
def test_message_box_layout(wine, shown, word, caption, buttons):
    message = "Le fichier C:\\Données\\rapport.txt a été modifié.\\nVoulez-vous continuer ?"
    box = shown(caption, word, message)
    facts = box.wait_shown()
    icon, label, *row = facts["controls"]
    assert icon.cls == "Static" and icon.style & 0xF == SS_ICON and (icon.width, icon.height) == (32, 32)
    assert label.text == "Le fichier C:\\Données\\rapport.txt a été modifié.\r\nVoulez-vous continuer ?"
    assert label.left > icon.left + 32 and label.width <= SCREEN_WIDTH // 2
    assert [b.text for b in row] == buttons
    assert len({b.width for b in row}) == 1 and len({b.top for b in row}) == 1
    assert all(b.top > label.top + label.height and b.top > icon.top + 32 for b in row)
    gaps = [row[i + 1].left - row[i].left - row[i].width for i in range(len(row) - 1)]
    assert len(set(gaps)) <= 1
    width = facts["client"][0]
    assert abs(row[0].left - (width - (row[-1].left + row[-1].width))) <= 1  # centred
    default = [b.text for b in row if b.style & BS_DEFPUSHBUTTON]
    assert default == ["&Oui" if word == "dlgyesno" else "OK"]
    rect = box.rect()
    left, top, right, bottom = map(int, rect["rect"])
    assert abs((left + right) - SCREEN_WIDTH) <= 2  # centred on the screen
    box.shoot(f"{word}.png")
    box.keys("{ESC}")
    assert box.lines() == {"dlgyesno": [b"SET BUTTON=1"], "dlgokcancel": [b"SET BUTTON=3"]}.get(word, [])


@pytest.mark.parametrize("word, how, expected", [
    ("dlgyesno", "{ENTER}", b"SET BUTTON=0"),
    ("dlgyesno", "{TAB}{ENTER}", b"SET BUTTON=1"),  # Enter presses the button that has the focus
    ("dlgyesno", "close", b"SET BUTTON=1"),
    ("dlgokcancel", "{ENTER}", b"SET BUTTON=2"),
    ("dlgokcancel", "{TAB}{ENTER}", b"SET BUTTON=3"),
    ("dlgokcancel", "close", b"SET BUTTON=3"),
    ("dlgcritical", "close", None),
    ("dlginformation", "{ENTER}", None),
])
def test_message_box_answers(wine, shown, word, how, expected):
    box = shown({"dlgyesno": "Confirmation", "dlgokcancel": "Confirmation", "dlgcritical": "Erreur",
                 "dlginformation": "Information"}[word], word, "Question")
    box.wait_shown()
    if how == "close":
        assert wine.probe("close", box.title, "1000").returncode == 0
    else:
        box.keys(how)
    assert box.lines() == ([expected] if expected else [])


def test_line_break_escape_and_ctrl_c_copy(wine, shown):
    line_height = int(wine.probe("lineheight").stdout)
    assert wine.probe("emptyclipboard").returncode == 0
    box = shown("Confirmation", "dlgyesno", "un\\ndeux \\Ntrois & quatre")
    label = box.wait_shown()["controls"][1]
    assert label.text == "un\r\ndeux \\Ntrois & quatre"
    assert label.height == 2 * line_height
    assert wine.probe("ctrlkey", box.title, "C", "30000").returncode == 0
    # Ctrl+C leaves the box open.
    assert wine.probe("windowrect", box.title, "1000").stdout.startswith(b"rect")
    copied = clipboard(wine)[1]
    assert copied == (DASHES + b"Confirmation\r\n" + DASHES + b"un\r\ndeux \\Ntrois & quatre\r\n" + DASHES
                      + b"Oui   Non   \r\n" + DASHES)
    box.keys("{ENTER}")
    assert box.lines() == [b"SET BUTTON=0"]


def test_huge_message_stays_within_the_work_area(wine, shown):
    message = ("mot " * 7500)[:29990] + "\\nfin"
    box = shown("Avertissement", "dlgwarning", message)
    # Wine's edit field wraps so long a text slowly.
    facts = wait_until(lambda: len(box.wait_shown(120)["controls"]) == 3 and box.wait_shown(), "the OK button", 120)
    rect = box.rect()
    left, top, right, bottom = map(int, rect["rect"])
    work_left, work_top, work_right, work_bottom = map(int, rect["workarea"])
    assert work_left <= left and work_top <= top and right <= work_right and bottom <= work_bottom
    ok = facts["controls"][-1]
    assert ok.text == "OK" and ok.top + ok.height <= facts["client"][1]
    field = facts["controls"][1]
    assert field.cls == "Edit" and field.height > 500
    box.keys("{ENTER}")
    assert box.lines() == []


def test_unbroken_message_wider_than_half_the_screen(wine, shown):
    box = shown("Information", "dlginformation", "x" * 3000)
    rect = box.rect()
    left, top, right, bottom = map(int, rect["rect"])
    assert right - left <= SCREEN_WIDTH // 2 + 200 and left >= 0
    assert wine.probe("close", box.title, "1000").returncode == 0
    assert box.lines() == []


def test_message_boxes_need_their_message(wine):
    for word, _, _ in BOXES:
        run = wine.run(word)
        assert (run.exit_code, set_lines(run)) == (0, [b"SET ERROR=1"]), word


# --- input dialog ----------------------------------------------------------------------------------

def test_input_dialog_layout_and_answer(wine, shown):
    units = probe_facts(wine.probe("dialogunits"))
    x, y = int(units["units"][0]), int(units["units"][1])
    prompt = "Saisissez le nom du dossier de sauvegarde que le script doit créer sur le serveur :"
    dialog = shown("Nom du dossier", "createinputdialog", "Nom du dossier", prompt, "Sauvegarde 2026")
    facts = dialog.wait_shown()
    assert facts["client"][0] == muldiv(180, x, 4)
    label, edit, ok, cancel = facts["controls"]
    assert (label.text, label.left, label.top) == (prompt, muldiv(8, x, 4), muldiv(8, y, 8))
    assert label.width <= muldiv(164, x, 4) and label.height > y  # wrapped
    assert (edit.cls, edit.left, edit.width) == ("Edit", muldiv(8, x, 4), muldiv(164, x, 4))
    assert edit.top == label.top + label.height + 5
    assert (ok.text, ok.left, ok.top, ok.width, ok.height) == ("OK", muldiv(38, x, 4), edit.top + edit.height + 15,
                                                               muldiv(50, x, 4), muldiv(14, y, 8))
    assert (cancel.text, cancel.left, cancel.top) == ("Annuler", muldiv(92, x, 4), ok.top)
    assert ok.style & BS_DEFPUSHBUTTON and not cancel.style & BS_DEFPUSHBUTTON
    assert facts["client"][1] == ok.top + ok.height + 13
    focus = dialog.rect()
    assert focus["focus"][0] == "Edit" and probe_bytes(focus["focus"][1]) == "Sauvegarde 2026".encode()
    assert focus["selection"] == ["0", "15", "limit", "255"]
    dialog.shoot("createinputdialog.png")
    dialog.keys("{ENTER}")
    assert dialog.lines() == [b"SET EXECUTED=1", b"SET TEXT=Sauvegarde 2026"]


@pytest.mark.parametrize("initial, typed, keys, expected", [
    # Typing replaces the selected initial text and stops at 255 characters.
    ("abc", "y" * 300, "{ENTER}", [b"SET EXECUTED=1", b"SET TEXT=" + b"y" * 255]),
    # A longer initial text is kept whole.
    ("z" * 300, "", "{ENTER}", [b"SET EXECUTED=1", b"SET TEXT=" + b"z" * 300]),
    ("abc", "100% & co", "{ENTER}", [b"SET EXECUTED=1", b"SET TEXT=100%% ^& co"]),
    ("abc", "", "{ESC}", [b"SET EXECUTED=0"]),
    ("abc", "x", "close", [b"SET EXECUTED=0"]),
    ("abc", "", "{TAB}{TAB}{ENTER}", [b"SET EXECUTED=0"]),  # Enter on Annuler
])
def test_input_dialog_answers(wine, shown, initial, typed, keys, expected):
    dialog = shown("Saisie e2e", "createinputdialog", "Saisie e2e", "Texte :", initial)
    dialog.wait_shown()
    if typed:
        assert wine.probe("chars", dialog.title, typed, "30000").returncode == 0
    if keys == "close":
        assert wine.probe("close", dialog.title, "1000").returncode == 0
    else:
        dialog.keys(keys)
    assert dialog.lines() == expected


def test_input_dialog_with_huge_prompt_keeps_its_buttons_on_the_screen(wine, shown):
    dialog = shown("Invite e2e", "createinputdialog", "Invite e2e", "mot " * 7500, "x")
    rect = dialog.rect()
    left, top, right, bottom = map(int, rect["rect"])
    work_left, work_top, work_right, work_bottom = map(int, rect["workarea"])
    assert work_top <= top and bottom <= work_bottom
    dialog.keys("{ENTER}")
    assert dialog.lines() == [b"SET EXECUTED=1", b"SET TEXT=x"]


def test_input_dialog_needs_three_arguments(wine):
    run = wine.run("createinputdialog", "Titre", "Invite")
    assert (run.exit_code, set_lines(run)) == (0, [b"SET ERROR=1"])


# --- file dialogs ----------------------------------------------------------------------------------

class FileDialog(Shown):
    def drive(self, name="-", button="-"):
        """The type list ("type": its entries as text), the name and the rectangle; then types the name and
        presses the button."""
        facts = probe_facts(self.wine.probe("filedlg", self.title, "30000", name, button), lists=("type",))
        facts["type"] = [probe_text(words[0]) for words in facts["type"]]
        return facts


@pytest.fixture
def file_dialog(window_runs):
    return lambda title, *args: window_runs(title, *args, kind=FileDialog)


def test_open_dialog_with_three_pairs_picks_a_file_in_a_drive_root(wine, file_dialog, files):
    root_file = wine.drive_c / "tovrik-e2e.ini"
    root_file.write_bytes(b"[x]\r\n")
    try:
        dialog = file_dialog("Ouvrir e2e", "createopendialog", " Ouvrir e2e ",
                             "Textes (*.txt)|*.txt|Réglages (*.ini)|*.ini|Tous|*.*", "C:\\tovrik-e2e")
        facts = dialog.drive("C:\\tovrik-e2e.ini", "ok")
        assert facts["type"] == ["Textes (*.txt)", "Réglages (*.ini)", "Tous"] and facts["types"][2] == "0"
        left, top, right, bottom = map(int, facts["rect"])
        assert abs((left + right) - SCREEN_WIDTH) <= 2  # centred by the hook
        assert dialog.lines() == [b"SET EXECUTED=1", b"SET FILEPATH=C:\\tovrik-e2e.ini",
                                  b"SET FILENAME=tovrik-e2e.ini", b"SET FILEDIR=C:\\", b"SET FILEEXT=.ini"]
    finally:
        root_file.unlink()


def test_open_dialog_name_without_extension_and_cancel(wine, file_dialog, files):
    (files / "LISEZMOI").write_bytes(b"x")
    dialog = file_dialog("Ouvrir e2e", "createopendialog", "Ouvrir e2e", "NULL", "C:\\tovrik-e2e")
    assert dialog.drive("LISEZMOI", "ok")["types"][0] == "0"  # no type list
    assert dialog.lines() == [b"SET EXECUTED=1", b"SET FILEPATH=C:\\tovrik-e2e\\LISEZMOI",
                              b"SET FILENAME=LISEZMOI", b"SET FILEDIR=C:\\tovrik-e2e\\", b"SET FILEEXT="]
    dialog = file_dialog("Ouvrir e2e", "createopendialog", "Ouvrir e2e", "Tous|*.*", "C:\\absent\\dossier")
    dialog.drive("-", "cancel")
    assert dialog.lines() == [b"SET EXECUTED=0"]


@pytest.mark.parametrize("extension", ["txt", ".txt"])
def test_save_dialog_adds_the_default_extension(wine, file_dialog, files, extension):
    (files / "rapport.txt").write_bytes(b"x")
    dialog = file_dialog("Enregistrer e2e", "createsavedialog", "Enregistrer e2e", "Textes|*.txt",
                         "C:\\tovrik-e2e", "brouillon", extension)
    dialog.drive("rapport", "ok")
    assert dialog.lines() == [b"SET EXECUTED=1", b"SET FILEPATH=C:\\tovrik-e2e\\rapport.txt",
                              b"SET FILENAME=rapport.txt", b"SET FILEDIR=C:\\tovrik-e2e\\", b"SET FILEEXT=.txt"]


def test_save_dialog_keeps_the_initial_name_and_cancels(wine, file_dialog, files):
    dialog = file_dialog("Enregistrer e2e", "createsavedialog", "Enregistrer e2e", "NULL", "C:\\tovrik-e2e",
                         "brouillon", "NULL")
    assert probe_bytes(dialog.drive("-", "cancel")["name"][0]) == b"brouillon"
    assert dialog.lines() == [b"SET EXECUTED=0"]


def test_file_dialogs_need_all_their_arguments(wine):
    for args in (["createsavedialog", "T", "NULL", "C:\\", "nom"], ["createopendialog", "T", "NULL"]):
        run = wine.run(*args)
        assert (run.exit_code, set_lines(run)) == (0, [b"SET ERROR=1"]), args


def test_odd_and_huge_filters(wine, file_dialog, files):
    dialog = file_dialog("Filtre e2e", "createopendialog", "Filtre e2e", "Textes|*.txt|Orphelin", "C:\\tovrik-e2e")
    assert dialog.drive("-", "cancel")["type"][:2] == ["Textes", "Orphelin"]
    assert dialog.lines() == [b"SET EXECUTED=0"]
    huge = "|".join(["Type|*.t"] * 3000)[:30000]
    dialog = file_dialog("Filtre e2e", "createopendialog", "Filtre e2e", huge, "C:\\tovrik-e2e")
    assert int(dialog.drive("-", "cancel")["types"][0]) > 1000
    assert dialog.lines() == [b"SET EXECUTED=0"]


# --- folder browser --------------------------------------------------------------------------------

class FolderBrowser(WindowRun):
    def __init__(self, wine, *args):
        super().__init__(wine, *args)
        self.text = args[1].strip()

    def drive(self, select="-", button="-"):
        return probe_facts(self.wine.probe("folderdlg", self.text, "30000", select, button))

    def cleanup(self):
        if self.process.poll() is None:
            self.drive("-", "cancel")
        super().cleanup()


@pytest.fixture
def browser(window_runs):
    return lambda *args: window_runs(*args, kind=FolderBrowser)


def test_browse_drive_root_at_the_screen_corner(wine, browser):
    shown = browser("browsedirectory", " Choisissez un dossier e2e ", " C:\\ ")
    facts = shown.drive()
    assert facts["rect"][:2] == ["0", "0"]
    assert probe_bytes(facts["status"][0]) == b"C:\\" and facts["okenabled"] == ["1"]
    left, top, right, bottom = map(int, facts["rect"])
    shoot_region("browsedirectory.png", left, top, right - left, bottom - top)
    shown.drive("-", "ok")
    assert shown.lines() == [b"SET EXECUTED=1", b"SET DIRPATH=C:\\", b"SET DIRNAME=", b"SET DIRDRIVE=C:\\"]


def test_browse_folder_below_the_root(wine, browser, files):
    shown = browser("browsedirectory", "Choisissez e2e", "C:\\tovrik-e2e")
    facts = shown.drive("-", "ok")
    assert probe_bytes(facts["status"][0]) == b"C:\\tovrik-e2e"
    assert shown.lines() == [b"SET EXECUTED=1", b"SET DIRPATH=C:\\tovrik-e2e\\", b"SET DIRNAME=tovrik-e2e",
                             b"SET DIRDRIVE=C:\\"]


@pytest.mark.skip(reason="Wine's folder browser selects the desktop instead of a folder two levels below a "
                         "drive (C:\\tovrik-e2e\\x), so the status line shows nothing to shorten")
def test_browse_folder_shows_a_long_path_shortened_in_its_middle(wine, browser, files):
    levels = ["Documents_de_travail_et_rapports", "Exercice_2026_premier_trimestre", "Dossier_final"]
    files.joinpath(*levels).mkdir(parents=True)
    windows_path = "C:\\tovrik-e2e\\" + "\\".join(levels)
    shown = browser("browsedirectory", "Choisissez e2e", windows_path)
    status = probe_bytes(shown.drive()["status"][0])
    assert b"..." in status and status.endswith(b"\\Dossier_final") and status.startswith(b"C:\\")
    shown.drive("-", "ok")
    assert shown.lines() == [b"SET EXECUTED=1", b"SET DIRPATH=" + windows_path.encode() + b"\\",
                             b"SET DIRNAME=Dossier_final", b"SET DIRDRIVE=C:\\"]


def test_browse_virtual_folder_and_cancel(wine, browser, files):
    shown = browser("browsedirectory", "Choisissez e2e", "C:\\tovrik-e2e")
    assert probe_bytes(shown.drive()["status"][0]) == b"C:\\tovrik-e2e"
    # Among the desktop's items, the first that has no file-system path (the computer, the network...).
    for index in range(10):
        facts = shown.drive(str(index))
        assert "noitem" not in facts, "no virtual folder under the desktop"
        if probe_bytes(facts["status"][0]) == b"":
            break
    assert facts["okenabled"] == ["1"]
    shown.drive("-", "ok")
    assert shown.lines() == [b"SET EXECUTED=0"]
    shown = browser("browsedirectory", "Choisissez e2e", "C:\\absent\\dossier")
    shown.drive("-", "cancel")
    assert shown.lines() == [b"SET EXECUTED=0"]


def test_browse_needs_both_arguments(wine):
    run = wine.run("browsedirectory", "Titre")
    assert (run.exit_code, set_lines(run)) == (0, [b"SET ERROR=1"])


# --- sounds ----------------------------------------------------------------------------------------

def test_beep_and_sound_files(wine, files):
    # A short silent wave file: RIFF header, 8 kHz mono 8-bit, 800 samples.
    samples = b"\x80" * 800
    wave = (b"RIFF" + (36 + len(samples)).to_bytes(4, "little") + b"WAVEfmt " + (16).to_bytes(4, "little")
            + (1).to_bytes(2, "little") + (1).to_bytes(2, "little") + (8000).to_bytes(4, "little")
            + (8000).to_bytes(4, "little") + (1).to_bytes(2, "little") + (8).to_bytes(2, "little")
            + b"data" + len(samples).to_bytes(4, "little") + samples)
    (files / "son.wav").write_bytes(wave)
    for args in (["messagebeep"], ["messagebeep", "encore", "des", "mots"], ["playwav", "C:\\tovrik-e2e\\son.wav"],
                 ["playwav", "C:\\tovrik-e2e\\absent.wav"], ["playwav", "C:\\tovrik-e2e"]):
        assert header_only(wine.run(*args)), args
    run = wine.run("playwav")
    assert set_lines(run) == [b"SET ERROR=1"]


# --- bad input -------------------------------------------------------------------------------------

def test_huge_caption_still_shows_a_dialog_that_closes(wine, shown):
    title = ("Titre " * 5000)[:30000]
    dialog = shown(title, "createinputdialog", title, "Invite", "x")
    dialog.keys("{ESC}")
    assert dialog.lines() == [b"SET EXECUTED=0"]
