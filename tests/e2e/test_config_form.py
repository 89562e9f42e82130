"""The configuration form as a user meets it: run without parameters, the program deletes the old return
file, shows the form with the stored path, and stores what the user leaves in the edit box however the
form is closed; only OK also publishes it as TvkFile. No return file is written."""
import subprocess

import pytest

from harness import (RESULTS, ROOT, SETTINGS_KEY, WindowRun, hex_arg, probe_facts, probe_text, set_lines,
                     wait_until, window_facts)

TITLE = "Selvane Tovrik"
WS_THICKFRAME = 0x00040000
WS_SYSMENU = 0x00080000
WS_MAXIMIZEBOX = 0x00010000
WS_MINIMIZEBOX = 0x00020000
BS_DEFPUSHBUTTON = 0x1

LABELS = [
    # left, top, width, text
    (48, 10, 257, "<b>Selvane Tovrik</b><br>Copyright (c) 2026 Orlenta"),
    (8, 48, 305, "<link>Cliquez ici pour visiter notre site Internet...</link>"),
    (8, 69, 305, None),  # the terms of use, two lines
    (7, 109, 305, "<b>Adresse du fichier de retour :</b>"),
    (7, 151, 305, "Attention : la modification de la variable d'environnement %TVKFILE% associée à "
                  "l'adresse du fichier de retour aura lieu au prochain redémarrage."),
]


class ConfigForm(WindowRun):
    """A configuration run started in the background; closed and reaped however the test ends."""

    def __init__(self, wine):
        super().__init__(wine, title=TITLE)

    def placement(self):
        facts = probe_facts(self.wine.probe("placement", TITLE, "30000"), lists=("tab",))
        assert "window" in facts, facts
        facts["tab"] = [(cls, probe_text(text)) for cls, text in facts["tab"]]
        return facts

    def click(self, x, y):
        assert self.wine.probe("click", TITLE, str(x), str(y)).returncode == 0

    def close_box(self):
        assert self.wine.probe("close", TITLE, "30000").returncode == 0

    def set_path(self, text):
        self.wait_shown()
        assert self.wine.probe("setedit", TITLE, hex_arg(text)).returncode == 0

    def edit_text(self):
        self.wait_shown()
        out = self.wine.probe("edittext", TITLE).stdout.decode().split()
        assert out[0] == "text", out
        return probe_text(out[1])

    def closed(self):
        assert self.exit_code() == 0


@pytest.fixture
def config_form(window_runs):
    return lambda: window_runs(kind=ConfigForm)


def stored_path(wine):
    return wine.reg_string(SETTINGS_KEY, "RFile")


def published_path(wine):
    return wine.reg_string("Environment", "TvkFile")


def read_samples():
    samples = []
    for line in (ROOT / "resources" / "background.samples").read_text().splitlines():
        if line and not line.startswith("#"):
            x, y, r, g, b = map(int, line.split())
            samples.append(((x, y), (r, g, b)))
    return samples


def screen_colours(shot, points):
    """The colours of a screenshot at the given screen points."""
    formats = " ".join(f"%[fx:int(255*p{{{x},{y}}}.r+0.5)],%[fx:int(255*p{{{x},{y}}}.g+0.5)],"
                       f"%[fx:int(255*p{{{x},{y}}}.b+0.5)]" for x, y in points)
    out = subprocess.run(["convert", str(shot), "-format", formats, "info:"], check=True, capture_output=True,
                         text=True, timeout=60).stdout.split()
    return [tuple(map(int, word.split(","))) for word in out]


def test_form_as_shown_and_ok_publishes_the_edited_path(wine, config_form):
    old_file = wine.host_path("C:\\config-e2e.bat")
    old_file.write_bytes(b"SET OLD=1\r\n")
    wine.reg_set_string(SETTINGS_KEY, "RFile", "C:\\config-e2e.bat")
    form = config_form()
    facts = form.wait_shown()
    assert not old_file.exists(), "start-up did not delete the return file"

    assert facts["client"] == (320, 212)
    assert facts["style"] & WS_SYSMENU
    assert not facts["style"] & (WS_THICKFRAME | WS_MAXIMIZEBOX | WS_MINIMIZEBOX)
    controls = facts["controls"]
    assert [c.cls for c in controls] == ["TJvLinkLabel"] * 5 + ["Button", "Edit", "Button"]
    labels = controls[:5]
    for label, (left, top, width, text) in zip(labels, LABELS):
        assert (label.left, label.top, label.width) == (left, top, width), label
        if text is not None:
            assert label.text == text
    line = labels[1].height  # one line of the labels' font
    assert line > 8
    assert labels[0].height == 2 * line and labels[2].height == 2 * line and labels[3].height == line
    assert 0 < labels[4].height < 3 * line  # the smaller font: two lines
    ok, edit, cancel = controls[5:]
    assert (edit.left, edit.top, edit.width, edit.height) == (8, 128, 305, 21)
    assert form.edit_text() == "C:\\config-e2e.bat"
    assert (cancel.text, cancel.left, cancel.top, cancel.width, cancel.height) == ("&Annuler", 160, 184, 75, 25)
    assert (ok.text, ok.left, ok.top, ok.width, ok.height) == ("&OK", 238, 184, 75, 25)
    assert ok.style & BS_DEFPUSHBUTTON and not cancel.style & BS_DEFPUSHBUTTON

    placement = form.placement()
    assert placement["window"][:2] == ["10", "10"]
    assert placement["focus"] == ["Button"]
    assert [cls for cls, _ in placement["tab"]] == ["Button", "Edit", "Button"]
    assert placement["tab"][0][1] == "&OK" and placement["tab"][2][1] == "&Annuler"

    # The picture as drawn on the screen, where no control covers it.
    origin_x, origin_y = map(int, placement["client"])
    shot = RESULTS / "config-form.png"
    wine.screenshot(shot)
    samples = read_samples()
    seen = screen_colours(shot, [(origin_x + x, origin_y + y) for (x, y), _ in samples])
    for ((x, y), expected), colour in zip(samples, seen):
        assert all(abs(a - b) <= 3 for a, b in zip(colour, expected)), ((x, y), colour, expected)
    # The form alone, as the README shows it (docs/config-form.png).
    left, top, right, bottom = map(int, placement["window"])
    subprocess.run(["convert", str(shot), "-crop", f"{right - left}x{bottom - top}+{left}+{top}", "+repage",
                    str(shot.with_name("config-form-window.png"))], check=True, timeout=60)

    form.keys("{TAB}C:\\nouveau-e2e.bat{ENTER}")
    form.closed()
    assert stored_path(wine) == published_path(wine) == "C:\\nouveau-e2e.bat"
    assert not wine.host_path("C:\\nouveau-e2e.bat").exists() and not old_file.exists()
    assert not wine.default_return_file.exists()


def test_annuler_and_the_close_box_store_without_publishing(wine, config_form):
    form = config_form()
    form.keys("{TAB}C:\\annule-e2e.bat")
    form.click(160 + 37, 184 + 12)
    form.closed()
    assert (stored_path(wine), published_path(wine)) == ("C:\\annule-e2e.bat", None)

    form = config_form()
    assert form.edit_text() == "C:\\annule-e2e.bat"
    form.keys("{TAB}C:\\ferme-e2e.bat")
    form.close_box()
    form.closed()
    assert (stored_path(wine), published_path(wine)) == ("C:\\ferme-e2e.bat", None)
    assert not wine.default_return_file.exists()


def test_escape_does_nothing_and_enter_presses_ok(wine, config_form):
    form = config_form()
    assert form.edit_text() == "C:\\Tovrik.bat"
    form.keys("{ESC}")
    assert form.still_open()
    form.keys("{ENTER}")
    form.closed()
    assert stored_path(wine) == published_path(wine) == "C:\\Tovrik.bat"


def test_an_empty_path_is_stored_and_the_next_command_writes_to_the_fallback(wine, config_form):
    form = config_form()
    form.set_path("")
    wait_until(lambda: form.edit_text() == "", "the empty edit box")
    form.close_box()
    form.closed()
    assert stored_path(wine) == ""
    assert not wine.default_return_file.exists()
    run = wine.run("strlength", "abc")
    assert set_lines(run) == [b"SET STRLEN=3"]


@pytest.mark.parametrize("stored", ["long", "outside the code page", "no settings key"])
def test_bad_stored_paths_show_close_and_store(wine, config_form, stored):
    if stored == "long":
        path = "C:\\" + "x" * (30000 - 7) + ".bat"
        assert wine.probe("regsetlong", SETTINGS_KEY, "RFile", "30000").returncode == 0
    elif stored == "outside the code page":
        # Read through the ANSI code page, characters it lacks become its nearest or default character:
        # what the form shows is what it stores.
        wide = "C:\\Ωmega\\日本.bat"
        assert wine.probe("regsetw", SETTINGS_KEY, "RFile", wide.encode("utf-16-le").hex()).returncode == 0
        path = None
    else:
        path = "C:\\Tovrik.bat"
    form = config_form()
    shown = form.edit_text()
    if path is None:
        path = shown
        assert shown.startswith("C:\\") and shown.endswith(".bat") and "mega\\" in shown, shown
    assert shown == path
    form.close_box()
    form.closed()
    assert stored_path(wine) == path
    assert published_path(wine) is None


def test_a_refused_store_shows_the_error_box_and_the_form_still_closes(wine, config_form):
    assert wine.probe("regaccess", SETTINGS_KEY, "deny").returncode == 0
    try:
        form = config_form()
        assert form.edit_text() == "C:\\Tovrik.bat"  # start-up could not read the key either
        form.close_box()
        box = window_facts(wine, "Erreur d'application")
        assert any("RegistryError" in c.text for c in box["controls"]), box["controls"]
        assert form.still_open()
        assert wine.probe("keys", "Erreur d'application", "{ENTER}", "30000").returncode == 0
        form.closed()
    finally:
        assert wine.probe("regaccess", SETTINGS_KEY, "allow").returncode == 0
    assert stored_path(wine) is None


def link_colour_counts(wine, shot, origin):
    """Pixels of the link colour (blue) and of the pressed-link colour (red) in the web link's label."""
    left, top = origin[0] + 8, origin[1] + 48
    out = subprocess.run(["convert", str(shot), "-crop", f"305x17+{left}+{top}", "+repage", "-format", "%c",
                          "histogram:info:-"], check=True, capture_output=True, text=True, timeout=60).stdout
    counts = {"blue": 0, "red": 0}
    for line in out.splitlines():
        count = int(line.split(":")[0])
        if "#0000FF" in line.upper():
            counts["blue"] += count
        elif "#FF0000" in line.upper():
            counts["red"] += count
    return counts


@pytest.mark.parametrize("button", ["left", "right", "middle"])
def test_a_link_pressed_then_released_outside_returns_to_the_link_colour(wine, config_form, button):
    """Any button held on the link shows it pressed; dragged out of the form and released there, the
    link is normal again (the label had the mouse captured), and a full repaint draws it in LinkColor."""
    form = config_form()
    form.wait_shown()
    origin = tuple(map(int, form.placement()["client"]))
    link = (30, 54)

    def mouse(x, y, action):
        assert wine.probe("mouse", TITLE, str(x), str(y), action).returncode == 0

    try:
        mouse(*link, "move")
        mouse(*link, button + "down")
        wine.screenshot(RESULTS / f"link-{button}-held.png")
        held = link_colour_counts(wine, RESULTS / f"link-{button}-held.png", origin)
        assert held["red"] > 0, held
        mouse(420, -40, "move")
        mouse(420, -40, button + "up")
        assert wine.probe("redraw", TITLE).returncode == 0
        wine.screenshot(RESULTS / f"link-{button}-released.png")
        released = link_colour_counts(wine, RESULTS / f"link-{button}-released.png", origin)
        assert released["red"] == 0 and released["blue"] > 0, released
        assert form.still_open(), "no click: the button went up outside the link"
    finally:
        mouse(420, -40, button + "up")
