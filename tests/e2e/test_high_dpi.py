"""Every window of the program on a screen of 120 and 144 DPI (125 % and 150 %): laid out at its 96-DPI
measures times the scale, within a pixel, its text in a font of the scaled height. Each window is measured
at 96 DPI in the same run and compared with itself, so that the fonts installed do not matter."""
import struct
from contextlib import contextmanager

import pytest

from harness import RESULTS, WindowRun, hex_arg, muldiv, probe_facts, shoot_window, shown, wait_until, window_facts
from test_config_form import TITLE as CONFIG_TITLE, ConfigForm, read_samples, screen_colours

DESKTOP_KEY = r"Control Panel\Desktop"
REG_DWORD = 4
SCALES = [(120, 1.25), (144, 1.5)]


@contextmanager
def screen_dpi(wine, dpi):
    """Programs started in the block see a screen of `dpi` (Wine reads LogPixels when a process starts);
    the value the prefix had is put back afterwards."""
    before = wine.reg_get(DESKTOP_KEY, "LogPixels")
    wine.reg_set(DESKTOP_KEY, "LogPixels", REG_DWORD, struct.pack("<I", dpi))
    try:
        yield
    finally:
        wine.reg_restore(DESKTOP_KEY, "LogPixels", before)


@contextmanager
def at_dpi(wine, dpi):
    """The block at `dpi`, or at the prefix's own 96 DPI for dpi 96."""
    if dpi == 96:
        yield
    else:
        with screen_dpi(wine, dpi):
            yield


def font(wine, face, height_96, dpi, text="fg"):
    """Measures of the font `face` of 96-DPI height `height_96` scaled to `dpi`, as the probe takes them
    on the same screen: {"units": (average width, height), "extent": (width, height) of the text}."""
    with at_dpi(wine, dpi):
        out = wine.probe("fontmeasure", face, str(muldiv(height_96, dpi, 96)), hex_arg(text))
    facts = {word: tuple(map(int, numbers)) for word, numbers in probe_facts(out).items()}
    assert facts["dpi"] == (dpi,), f"the probe sees {facts['dpi']} DPI, not {dpi}"
    return facts


def near(measured, base, factor):
    return abs(measured - base * factor) <= 1


def assert_scaled(small, large, factor, what):
    """Each number of `large` is the matching one of `small` times the factor, within one pixel."""
    assert all(near(b, a, factor) for a, b in zip(small, large)), (what, small, large, factor)


def shown_window(wine, title):
    # The status windows show before their text is set and laid out: wait until two readings agree.
    last = {}

    def settled():
        facts = shown(window_facts(wine, title))
        if facts is None:
            return None
        agree = facts == last.get("facts")
        last["facts"] = facts
        return facts if agree else None
    return wait_until(settled, f"{title!r} shown")


def geometry(control):
    return control.left, control.top, control.width, control.height


def keep_picture(name):
    """The README's 150 % pictures (docs/) are copied from these shots in build/test-results."""
    assert (RESULTS / name).stat().st_size > 1000


# --- the configuration form --------------------------------------------------------------------------

def config_form_at(wine, dpi, shot=None):
    """The form's facts at `dpi`, its client origin on the screen, and the screen's colours at the
    picture's sample points (scaled)."""
    with at_dpi(wine, dpi):
        form = ConfigForm(wine)
        try:
            facts = form.wait_shown()
            placement = form.placement()
            origin_x, origin_y = map(int, placement["client"])
            picture = RESULTS / f"config-form-{dpi}-screen.png"
            wine.screenshot(picture)
            points = [(origin_x + muldiv(x, dpi, 96), origin_y + muldiv(y, dpi, 96)) for (x, y), _ in read_samples()]
            colours = screen_colours(picture, points)
            picture.unlink()
            if shot:
                shoot_window(wine, CONFIG_TITLE, shot)
        finally:
            form.cleanup()
    return facts, colours


@pytest.mark.parametrize("dpi, factor", SCALES)
def test_configuration_form_scales(wine, dpi, factor):
    base, _ = config_form_at(wine, 96)
    facts, colours = config_form_at(wine, dpi, "config-form-150.png" if dpi == 144 else None)
    assert_scaled(base["client"], facts["client"], factor, "client")
    assert [c.cls for c in facts["controls"]] == [c.cls for c in base["controls"]]
    labels, base_labels = facts["controls"][:5], base["controls"][:5]
    for label, base_label in zip(labels, base_labels):
        assert_scaled((base_label.left, base_label.top, base_label.width), (label.left, label.top, label.width),
                      factor, label.text)
    for control, base_control in zip(facts["controls"][5:], base["controls"][5:]):
        assert_scaled(geometry(base_control), geometry(control), factor, control.text)

    # The labels' text is laid out in Tahoma of the scaled height: a label is as tall as its lines in that
    # font, at 96 DPI as at this one.
    for at, labels_at in ((96, base_labels), (dpi, labels)):
        line = font(wine, "Tahoma", -11, at)["extent"][1]
        small_line = font(wine, "Tahoma", -8, at)["extent"][1]
        assert [labels_at[i].height for i in (0, 1, 3)] == [2 * line, line, line], (at, line, labels_at)
        assert labels_at[2].height % line == 0 and labels_at[4].height % small_line == 0, (at, labels_at)
    assert labels[1].height != base_labels[1].height

    # The picture fills the scaled client area: where no control covers it, its colours are where the
    # 96-DPI form has them, scaled (smoothed, so a little looser than at 100 %).
    for ((x, y), expected), colour in zip(read_samples(), colours):
        assert all(abs(a - b) <= 8 for a, b in zip(colour, expected)), ((x, y), colour, expected)
    if dpi == 144:
        keep_picture("config-form-150.png")


# --- the password and logon dialogs ------------------------------------------------------------------

CREDENTIALS = [
    ("createpassworddlg", "Mot de passe DPI", ["Veuillez saisir le mot de passe :"]),
    ("createlongondlg", "Connexion DPI", ["Utilisateur :", "Mot de passe :"]),
]


def dialog_at(wine, dpi, title, *args, shot=None):
    with at_dpi(wine, dpi):
        run = WindowRun(wine, *args, title=title)
        try:
            facts = shown_window(wine, title)
            if shot:
                shoot_window(wine, title, shot)
        finally:
            run.cleanup()
    return facts


@pytest.mark.parametrize("dpi, factor", SCALES)
@pytest.mark.parametrize("word, title, prompts", CREDENTIALS)
def test_credential_dialogs_scale(wine, dpi, factor, word, title, prompts):
    args = (word, title, *prompts)
    base = dialog_at(wine, 96, title, *args)
    facts = dialog_at(wine, dpi, title, *args)
    assert_scaled(base["client"], facts["client"], factor, "client")
    for control, base_control in zip(facts["controls"], base["controls"], strict=True):
        if control.cls == "Static":
            # A prompt is as wide as its text in the forms' font of the scaled height.
            for at, label in ((96, base_control), (dpi, control)):
                assert label.width == font(wine, "MS Sans Serif", -11, at, label.text)["extent"][0], (at, label)
            assert_scaled((base_control.left, base_control.top, base_control.height),
                          (control.left, control.top, control.height), factor, control.text)
        else:
            assert_scaled(geometry(base_control), geometry(control), factor, control.cls)


# --- the wait and progress windows -------------------------------------------------------------------

STATUS = [
    ("createwaitdlg", "Patience DPI", ["Un instant..."]),
    ("createprogressdlg", "Sauvegarde", ["<b>Sauvegarde</b> de vos documents<br>Veuillez patienter...", "5"]),
]


@pytest.mark.parametrize("dpi, factor", SCALES)
@pytest.mark.parametrize("word, title, rest", STATUS, ids=["wait", "progress"])
def test_status_windows_scale(wine, dpi, factor, word, title, rest):
    args = (word, title, *rest)
    shot = "progress-window-150.png" if dpi == 144 and word == "createprogressdlg" else None
    base = dialog_at(wine, 96, title, *args)
    facts = dialog_at(wine, dpi, title, *args, shot=shot)
    assert_scaled(base["client"], facts["client"], factor, "client")
    for control, base_control in zip(facts["controls"], base["controls"], strict=True):
        if control.cls == "TJvLinkLabel":
            assert_scaled((base_control.left, base_control.top, base_control.width),
                          (control.left, control.top, control.width), factor, "label")
            # One line per <br> plus one, each as tall as "fg" in the forms' font of the scaled height.
            lines = control.text.count("<br>") + 1
            for at, label in ((96, base_control), (dpi, control)):
                assert label.height == lines * font(wine, "MS Sans Serif", -11, at)["extent"][1], (at, label)
        else:
            assert_scaled(geometry(base_control), geometry(control), factor, control.cls)
    if shot:
        keep_picture(shot)


# --- message boxes and the input dialog --------------------------------------------------------------

@pytest.mark.parametrize("dpi, factor", SCALES)
def test_message_box_measures_with_the_font_of_its_dpi(wine, dpi, factor):
    message = "Copier les fichiers maintenant ?\\nLa copie peut durer plusieurs minutes."
    for at in (96, dpi):
        facts = dialog_at(wine, at, "Confirmation", "dlgokcancel", message)
        units = font(wine, "MS Sans Serif", -11, at)["units"]
        icon, label, ok, cancel = facts["controls"]
        assert (icon.width, icon.height) == (muldiv(32, at, 96),) * 2, (at, icon)
        assert ok.height == cancel.height == muldiv(14, units[1], 8), (at, units, ok)
        assert ok.width == cancel.width >= muldiv(50, units[0], 4), (at, units, ok)
        assert cancel.left - ok.left - ok.width == muldiv(4, units[0], 4), (at, units, ok, cancel)
        assert label.left == icon.left + icon.width + muldiv(10, units[0], 4), (at, units, icon, label)
        assert label.top == icon.top == muldiv(8, units[1], 8), (at, units, label)
        # Both lines in the scaled font: the label is two of its lines tall.
        assert label.height == 2 * units[1], (at, units, label)


def prompted_dialog_sizes(wine, dpi, title, args, field_class, field_height):
    """The input and list dialogs' shared layout at 96 DPI and at `dpi`, in the font of each: the prompt, the
    field (edit or list) of the height field_height(character height, dpi) gives, OK and Annuler."""
    sizes = {}
    for at in (96, dpi):
        facts = dialog_at(wine, at, title, *args)
        x, y = font(wine, "MS Sans Serif", -11, at)["units"]
        label, field, ok, cancel = facts["controls"]
        assert facts["client"][0] == muldiv(180, x, 4), (at, x, facts["client"])
        assert (label.left, label.top, label.height) == (muldiv(8, x, 4), muldiv(8, y, 8), y), (at, x, y, label)
        assert (field.cls, field.left, field.width, field.height) == (
            field_class, muldiv(8, x, 4), muldiv(164, x, 4), field_height(y, at)), (at, field)
        assert field.top == label.top + label.height + muldiv(5, at, 96), (at, label, field)
        assert (ok.left, ok.top, ok.width, ok.height) == (
            muldiv(38, x, 4), field.top + field.height + muldiv(15, at, 96), muldiv(50, x, 4), muldiv(14, y, 8)), at
        assert (cancel.left, cancel.top) == (muldiv(92, x, 4), ok.top), at
        assert facts["client"][1] == ok.top + ok.height + muldiv(13, at, 96), (at, facts["client"])
        sizes[at] = facts["client"]
    assert sizes[dpi][0] > sizes[96][0] and sizes[dpi][1] > sizes[96][1], sizes


@pytest.mark.parametrize("dpi, factor", SCALES)
def test_input_dialog_measures_with_the_font_of_its_dpi(wine, dpi, factor):
    prompted_dialog_sizes(wine, dpi, "Nom DPI", ["createinputdialog", "Nom DPI", "Nom :", "Lundi"], "Edit",
                          lambda y, at: y + muldiv(8, at, 96))


@pytest.mark.parametrize("dpi, factor", SCALES)
def test_list_dialog_measures_with_the_font_of_its_dpi(wine, dpi, factor):
    # Four rows at the least, each as tall as a line of the scaled font.
    prompted_dialog_sizes(wine, dpi, "Choix DPI", ["createlistdialog", "Choix DPI", "Format :", "Zip|7-Zip|Copie"],
                          "ListBox", lambda y, at: 4 * y + muldiv(4, at, 96))


# --- moving to a screen of another DPI ---------------------------------------------------------------

MOVED = [
    ("config", None, []),
    ("password", "Mot de passe DPI", ["createpassworddlg", "Mot de passe DPI", "Veuillez saisir le mot de passe :"]),
    ("progress", "Sauvegarde", ["createprogressdlg", "Sauvegarde", "<b>Sauvegarde</b> de vos documents", "5"]),
    ("message", "Confirmation", ["dlgokcancel", "Copier les fichiers maintenant ?\\nLa copie peut durer."]),
    ("input", "Nom DPI", ["createinputdialog", "Nom DPI", "Nom :", "Lundi"]),
    ("list", "Choix DPI", ["createlistdialog", "Choix DPI", "Format :", "Zip|7-Zip|Copie"]),
]


def started_at(wine, dpi, title, args, then=None):
    """The window's facts at `dpi`; `then` runs on the shown window first."""
    with at_dpi(wine, dpi):
        run = ConfigForm(wine) if title is None else WindowRun(wine, *args, title=title)
        try:
            shown_window(wine, run.title)
            if then:
                then(run.title)
            return shown_window(wine, run.title)
        finally:
            run.cleanup()


@pytest.mark.parametrize("name, title, args", MOVED, ids=[m[0] for m in MOVED])
def test_a_window_moved_to_a_screen_of_144_dpi_lays_out_as_one_shown_there(wine, name, title, args):
    def move(shown_title):
        assert wine.probe("dpichange", shown_title, "144", "30000").stdout.strip() == b"sent"

    moved = started_at(wine, 96, title, args, then=move)
    native = started_at(wine, 144, title, args)
    assert moved["client"] == native["client"], (moved["client"], native["client"])
    assert [(c.cls, *geometry(c)) for c in moved["controls"]] == [(c.cls, *geometry(c)) for c in native["controls"]]
