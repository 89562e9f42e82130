"""The password and logon dialogs as a script meets them: the run waits while the user types, and the
return file carries what was typed, or EXECUTED=0."""
import pytest

from harness import set_lines, shoot_window

WS_SYSMENU = 0x00080000
WS_TABSTOP = 0x00010000
WS_MINIMIZEBOX = 0x00020000
WS_MAXIMIZEBOX = 0x00010000
BS_DEFPUSHBUTTON = 0x1


def test_password_dialog_layout(wine, window_runs):
    facts = window_runs("createpassworddlg", "Mot de passe e2e", "Code du coffre :").wait_shown()
    assert facts["client"] == (233, 93)
    assert facts["style"] & WS_SYSMENU and not facts["style"] & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX)
    controls = facts["controls"]
    label, edit, ok, cancel = controls
    assert (label.cls, label.text, label.left, label.top, label.height) == ("Static", "Code du coffre :", 8, 9, 13)
    assert 0 < label.width < 233  # follows its text
    assert (edit.cls, edit.left, edit.top, edit.width, edit.height, edit.password_char) == ("Edit", 8, 27, 217, 21, ord("*"))
    assert (ok.text, ok.left, ok.top, ok.width, ok.height) == ("OK", 70, 59, 75, 25)
    assert (cancel.text, cancel.left, cancel.top) == ("Annuler", 150, 59)
    assert ok.style & BS_DEFPUSHBUTTON and not cancel.style & BS_DEFPUSHBUTTON
    assert all(c.style & WS_TABSTOP for c in (edit, ok, cancel))
    shoot_window(wine, "Mot de passe e2e", "createpassworddlg.png")


def test_logon_dialog_layout(wine, window_runs):
    facts = window_runs("createlongondlg", "Connexion e2e", "Nom :", "Secret :").wait_shown()
    assert facts["client"] == (265, 162)
    user_label, user, password_label, password, ok, cancel = facts["controls"]
    assert (user_label.text, user_label.left, user_label.top) == ("Nom :", 16, 16)
    assert (user.left, user.top, user.width, user.password_char) == (16, 32, 233, 0)
    assert (password_label.text, password_label.left, password_label.top) == ("Secret :", 16, 72)
    assert (password.left, password.top, password.width, password.password_char) == (16, 88, 233, ord("*"))
    assert (ok.text, ok.left, ok.top) == ("&OK", 96, 128)
    assert (cancel.text, cancel.left, cancel.top) == ("&Annuler", 176, 128)
    shoot_window(wine, "Connexion e2e", "createlongondlg.png")


def test_long_prompt_is_cut_at_the_dialog_edge(window_runs):
    prompt = "Une invite bien plus longue que la largeur de ce petit dialogue de mot de passe"
    label = window_runs("createpassworddlg", "Invite longue e2e", prompt).wait_shown()["controls"][0]
    assert label.text == prompt and label.height == 13 and label.width > 233


@pytest.mark.parametrize("keys, expected", [
    # Percent signs and ampersands reach the script as typed (the return file escapes them).
    ("s3cr%t&x{ENTER}", [b"@SET PASSWORD=s3cr%%t^&x", b"SET EXECUTED=1"]),
    ("{ENTER}", [b"@SET PASSWORD=", b"SET EXECUTED=1"]),
    ("abc{ESC}", [b"SET EXECUTED=0"]),
    # Enter on the OK button that the Tab key reached.
    ("abc{TAB}{ENTER}", [b"@SET PASSWORD=abc", b"SET EXECUTED=1"]),
])
def test_password_dialog_answers(window_runs, keys, expected):
    shown = window_runs("createpassworddlg", "Mot de passe e2e", "Code :")
    shown.wait_shown()
    shown.keys(keys)
    assert shown.lines() == expected


def test_logon_dialog_returns_user_and_password_in_tab_order(window_runs):
    shown = window_runs("createlongondlg", "Connexion e2e", "Nom :", "Secret :")
    shown.wait_shown()
    shown.keys("jdupont{TAB}p4ss{ENTER}")
    assert shown.lines() == [b"@SET PASSWORD=p4ss", b"SET TEXT=jdupont", b"SET EXECUTED=1"]


def test_escape_leaves_the_logon_dialog_open_and_the_close_box_cancels(wine, window_runs):
    shown = window_runs("createlongondlg", "Connexion e2e", "Nom :", "Secret :")
    shown.wait_shown()
    shown.keys("jdupont{ESC}")
    assert shown.still_open()
    assert wine.probe("close", shown.title, "1000").returncode == 0
    assert shown.lines() == [b"SET EXECUTED=0"]


def test_close_box_cancels_the_password_dialog(wine, window_runs):
    shown = window_runs("createpassworddlg", "Mot de passe e2e", "Code :")
    shown.wait_shown()
    shown.keys("abc")
    assert wine.probe("close", shown.title, "1000").returncode == 0
    assert shown.lines() == [b"SET EXECUTED=0"]


def test_missing_prompt_shows_no_dialog(wine):
    run = wine.run("createlongondlg", "Connexion e2e", "Nom :")
    assert (run.exit_code, set_lines(run)) == (0, [b"SET ERROR=1"])
