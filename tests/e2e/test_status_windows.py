"""Wait and progress windows across invocations: one run shows the window and stays, later runs find it
by title, move its bar or close it, as a script using `start` would."""

import pytest

from harness import SETTINGS_KEY, probe_text, set_lines, shoot_window, wait_until, window_facts

WS_SYSMENU = 0x00080000
WS_EX_TOPMOST = 0x00000008


def label_height(wine, title):
    return [c for c in window_facts(wine, title)["children"] if c[0] == "TJvLinkLabel"][0][4]


def progress(wine, title):
    words = wine.probe("progress", title).stdout.split()
    assert words[0] == b"pos", words
    return int(words[1]), (int(words[3]), int(words[4]))


def test_progress_window_driven_from_other_invocations(wine, window_runs):
    # The creating run reads the return-file path at start-up: point it at a file of its own, so that
    # anything it wrote would show there.
    creator_file = wine.host_path("C:\\creator.bat")
    creator_file.unlink(missing_ok=True)
    wine.reg_set_string(SETTINGS_KEY, "RFile", "C:\\creator.bat")
    window = window_runs("createprogressdlg", "Copie e2e", "<b>Fichier</b> en cours", "25")
    facts = window.wait_shown()
    wine.reg_set_string(SETTINGS_KEY, "RFile", "C:\\Tovrik.bat")

    assert facts["client"] == (432, 61)
    assert not facts["style"] & WS_SYSMENU
    assert not facts["exstyle"] & WS_EX_TOPMOST
    assert ("msctls_progress32", 8, 38, 417, 17) in facts["children"]
    wait_until(lambda: progress(wine, "Copie e2e") == (0, (0, 25)), "the range 0 to 25")

    steps = [("incrementprogressform", "10", 10), ("incrementprogressform", "10", 20),
             ("incrementprogressform", "10", 25), ("incrementprogressform", "-5", 20),
             ("setprogressform", "-3", 0), ("setprogressform", "1000", 25), ("setprogressform", "$7", 7),
             ("incrementprogressform", "2147483647", 25)]
    for word, amount, expected in steps:
        run = wine.run(word, "Copie e2e", amount)
        assert set_lines(run) == [], (word, amount)
        assert progress(wine, "Copie e2e")[0] == expected, (word, amount)

    # A bad amount is an error of the finder; the bar does not move.
    assert set_lines(wine.run("setprogressform", "Copie e2e", "abc")) == [b"SET ERROR=1"]
    assert progress(wine, "Copie e2e")[0] == 25

    run = wine.run("closeprogressdlg", "Copie e2e")
    assert set_lines(run) == []
    assert window.exit_code() == 0
    assert not creator_file.exists(), "the creating invocation wrote a return file"


def test_wait_window_is_topmost_without_system_menu_and_ignores_progress(wine, window_runs):
    window = window_runs("createwaitdlg", "Patience e2e", "Un instant...")
    facts = window.wait_shown()
    assert facts["client"] == (435, 64)
    assert not facts["style"] & WS_SYSMENU
    assert facts["exstyle"] & WS_EX_TOPMOST
    label = [c for c in facts["children"] if c[0] == "TJvLinkLabel"]
    assert label and label[0][1:4] == (8, 16, 417)

    for word in ("incrementprogressform", "setprogressform"):
        assert set_lines(wine.run(word, "Patience e2e", "10")) == []
    wine.probe("send", "Patience e2e", "1275", "1", "5")
    assert window.process.poll() is None, "the wait window must ignore the progress message"

    # Either close command closes either window.
    assert set_lines(wine.run("closeprogressdlg", "Patience e2e")) == []
    assert window.exit_code() == 0


def test_the_windows_use_the_themed_common_controls(wine, window_runs):
    # Version 6 of the common controls lies in the side-by-side store, the classic version in the system
    # directory.
    window = window_runs("createprogressdlg", "Themes e2e", "x", "10")
    window.wait_shown()
    listed = wine.probe("modules", "Themes e2e", "30000")
    assert listed.returncode == 0, listed.stdout
    modules = [probe_text(line.split()[1]).lower() for line in listed.stdout.decode().splitlines()]
    controls = [module for module in modules if module.endswith("\\comctl32.dll")]
    assert len(controls) == 1 and "\\winsxs\\" in controls[0], controls
    assert set_lines(wine.run("closeprogressdlg", "Themes e2e")) == []
    assert window.exit_code() == 0


def test_creating_keeps_the_return_file_of_the_command_before(wine, window_runs):
    run = wine.run("strlength", "abc")
    assert set_lines(run) == [b"SET STRLEN=3"]
    window = window_runs("createwaitdlg", "Garde e2e", "x")
    window.wait_shown()
    assert set_lines(wine.return_file_now()) == [b"SET STRLEN=3"]
    wine.run("closewaitdlg", "Garde e2e")
    assert window.exit_code() == 0


@pytest.mark.parametrize("maximum", ["abc", "-1", "NULL"])
def test_a_failing_creation_reports_the_error_and_takes_its_window(wine, maximum):
    run = wine.run("createprogressdlg", "Echec e2e", "texte", maximum, timeout=60)
    assert run.exit_code == 0
    assert set_lines(run) == [b"SET ERROR=1"]
    assert wine.probe("window", "Echec e2e", "0").stdout.startswith(b"nowindow")


def test_finders_without_a_window_do_nothing(wine):
    for args in (["incrementprogressform", "Absent e2e", "pas un nombre"], ["setprogressform", "Absent e2e"],
                 ["closewaitdlg", "Absent e2e"], ["closeprogressdlg", "Absent e2e"]):
        assert set_lines(wine.run(*args)) == [], args


def test_racing_finders_all_reach_the_window(wine, window_runs):
    window = window_runs("createprogressdlg", "Course e2e", "x", "1000")
    window.wait_shown()
    wait_until(lambda: progress(wine, "Course e2e")[1] == (0, 1000), "the range 0 to 1000")
    finders = [wine.start("tovrik.exe", "incrementprogressform", "Course e2e", "3") for _ in range(8)]
    assert [f.wait(timeout=60) for f in finders] == [0] * 8
    assert progress(wine, "Course e2e")[0] == 24
    closers = [wine.start("tovrik.exe", "closeprogressdlg", "Course e2e") for _ in range(2)]
    assert [c.wait(timeout=60) for c in closers] == [0, 0]
    assert window.exit_code() == 0


def test_wait_window_renders_markup_and_sizes_its_label(wine, window_runs):
    line_height = int(wine.probe("lineheight").stdout)
    short = window_runs("createwaitdlg", "Court e2e", "Une ligne")
    short.wait_shown()
    assert label_height(wine, "Court e2e") == line_height
    wine.run("closewaitdlg", "Court e2e")

    text = ("<b>Gras</b> <i>italique</i> <u>souligné</u> et un <link>lien</link><br>"
            + "Un long texte qui ne tient pas sur une seule ligne de la fenêtre d'attente et qui passe donc "
              "à la ligne suivante, mot après mot, sans rien couper.")
    window = window_runs("createwaitdlg", "Rendu e2e", text)
    window.wait_shown()
    height = wait_until(lambda: label_height(wine, "Rendu e2e") if label_height(wine, "Rendu e2e") > line_height
                        else 0, "the text's layout")
    assert height % line_height == 0 and height // line_height >= 3, (height, line_height)
    # The window keeps its size: this text is chosen to fit, so that the picture shows all of it.
    label_top = [c for c in window_facts(wine, "Rendu e2e")["children"] if c[0] == "TJvLinkLabel"][0][2]
    assert label_top + height <= window_facts(wine, "Rendu e2e")["client"][1]
    shoot_window(wine, "Rendu e2e", "wait-window.png")
    wine.run("closewaitdlg", "Rendu e2e")
    assert window.exit_code() == 0
