"""Window commands and keystrokes against windows that the helper program creates and serves: finding
them by title or class, reading and closing, hiding, restoring, posting, and typing into an edit."""

import pytest

from harness import ServedProbe, example, hex_arg, probe_text, set_lines, value, wait_until

TITLE_LONG100 = "Tvk-L100 " + "a" * 70 + "ZYXW" + "z" * 17
TITLE_LONG300 = "Tvk-L300 " + "b" * 245 + "c" * 46
EDIT_TITLE = "Tvk-Saisie"


class ServedWindows:
    """The helper's windows, served until the test ends; handles by name as the helper reports them."""

    def __init__(self, wine):
        self.wine = wine
        self.served = ServedProbe(wine, "testwindows", "120000")
        self.handles = {}
        for line in iter(self.served.readline, b""):
            words = line.split()
            if words == [b"ready"]:
                break
            self.handles[words[0].decode()] = int(words[1])
        assert "edit" in self.handles, self.handles

    def states(self, *names):
        """name -> dict of exists, visible, iconic, foreground (0 or 1) and text."""
        out = self.wine.probe("windowstate", *(str(self.handles[n]) for n in names)).stdout.decode()
        result = {}
        for name, line in zip(names, out.splitlines()):
            words = line.split()
            assert int(words[0]) == self.handles[name], line
            facts = {words[i]: int(words[i + 1]) for i in range(1, 9, 2)}
            facts["text"] = probe_text(words[10])
            result[name] = facts
        return result

    def close(self):
        self.served.stop()


@pytest.fixture
def windows(wine):
    served = ServedWindows(wine)
    yield served
    served.close()


def test_finders_report_the_helpers_handles(wine, windows):
    h = windows.handles
    cases = [
        ("findwinhandle", "tvk-cachée", "HANDLE", h["hidden"]),
        ("findwinhandle", "L100 aaaa", "HANDLE", h["long100"]),
        # Characters 80 on of a title take part only in the search for the whole title.
        ("findwinhandle", "aZYXW", "HANDLE", 0),
        ("findwinhandle", TITLE_LONG100, "HANDLE", h["long100"]),
        ("findwinhandle", "TVK-BAR", "HANDLE", h["whole"]),
        ("findwinhandle", "Bar et", "HANDLE", h["part"]),
        ("findwinhandle", "Tvk-absente", "HANDLE", 0),
        ("findwinhandle", "x" * 30000, "HANDLE", 0),
        ("findwindow", "Tvk-Mini fenêtre", "WINHANDLE", h["minimized"]),
        ("findwindow", "Tvk-Mini", "WINHANDLE", 0),
        ("findwindow", TITLE_LONG300, "WINHANDLE", h["long300"]),
        ("findwindowclass", "tvkprobeedit", "WINHANDLE", h["edit"]),
        ("findwindowclass", "TvkProbe", "WINHANDLE", 0),
    ]
    for word, text, name, expected in cases:
        assert value(wine.run(word, text), name) == str(expected), (word, text[:40])
    assert value(wine.run("getwindowtext", str(h["long300"])), "TEXT") == TITLE_LONG300[:254]
    assert value(wine.run("getwindowtext", str(h["hidden"])), "TEXT") == "Tvk-Cachée fenêtre"
    assert value(wine.run("getwindowtext", "$%X" % h["long100"]), "TEXT") == TITLE_LONG100
    assert windows.states("hidden")["hidden"]["visible"] == 0


def test_winactivate_restores_a_minimised_window_and_brings_it_to_the_front(wine, windows):
    before = windows.states("minimized")["minimized"]
    assert before["iconic"] == 1 and before["foreground"] == 0, before
    assert value(wine.run("winactivate", "mini FEN"), "HANDLE") == str(windows.handles["minimized"])
    after = wait_until(lambda: (lambda s: s if s["foreground"] else None)(windows.states("minimized")["minimized"]),
                       "the restored window in front")
    assert after["iconic"] == 0 and after["visible"] == 1, after
    # A text that matches nothing changes nothing.
    assert value(wine.run("winactivate", "Tvk-nulle part"), "HANDLE") == "0"
    assert windows.states("minimized")["minimized"]["foreground"] == 1


def test_close_hide_and_post(wine, windows):
    h = windows.handles
    assert set_lines(wine.run("closewin", str(h["toclose"]))) == []
    assert set_lines(wine.run("hidewin", str(h["tohide"]))) == []
    assert value(wine.run("postmessage", str(h["topost"]), "$10", "0", "0"), "INQUEUE") == "1"
    wait_until(lambda: not windows.states("topost")["topost"]["exists"], "the posted WM_CLOSE")
    states = windows.states("toclose", "tohide", "long100")
    assert states["toclose"]["exists"] == 0
    assert states["tohide"]["exists"] == 1 and states["tohide"]["visible"] == 0
    assert states["long100"]["visible"] == 1

    # A handle of a window that is gone: nothing happens and nothing fails.
    gone = str(h["toclose"])
    assert set_lines(wine.run("closewin", gone)) == []
    assert set_lines(wine.run("getwindowtext", gone)) == [b"SET TEXT="]
    assert value(wine.run("postmessage", gone, "16", "0", "0"), "INQUEUE") == "0"
    for args in [("closewin", "NULL"), ("hidewin", "$100000000"), ("getwindowtext", "12 "),
                 ("postmessage", str(h["long100"]), "16x", "0", "0"), ("postmessage", str(h["long100"]), "16"),
                 ("closewin",)]:
        assert set_lines(wine.run(*args)) == [b"SET ERROR=1"], args
    assert windows.states("long100")["long100"]["exists"] == 1


# Key strings and what the edit then holds; the multi-line edit takes Enter as a line break.
KEY_CASES = [
    ("+abc", "Abc"),
    ("+(abc)", "ABC"),
    ("abc{LEFT 2}x", "axbc"),
    ("abc{BS}", "ab"),
    ("a~b", "a\r\nb"),
    ("{{}{}}", "{}"),
    ("{ENTER}}", "\r\n}"),
    ("{+}{%}{^}{~}", "+%^~"),
    ("{x}{a 3}", "XAAA"),
    ("^(ac)", ""),
    ("a b", "a b"),
    ("+(ab", "AB"),
]


def edit_text(wine, expected):
    out = wine.probe("edittext", EDIT_TITLE, hex_arg(expected), "5000").stdout.decode().split()
    assert out[0] == "text", out
    return probe_text(out[1]), [int(w) for w in out[3:6]]


def test_sendkeys_types_into_the_focused_edit_and_holds_nothing_down(wine, windows):
    assert value(wine.run("winactivate", EDIT_TITLE), "HANDLE") == str(windows.handles["edit"])
    wait_until(lambda: windows.states("edit")["edit"]["foreground"], "the edit window in front")
    for keys, expected in KEY_CASES:
        assert set_lines(wine.run("sendkeys", keys)) == [], keys
        assert edit_text(wine, expected) == (expected, [0, 0, 0]), keys
    assert set_lines(wine.run("sendkeyswait", "+xyz")) == []
    assert edit_text(wine, "Xyz") == ("Xyz", [0, 0, 0])
    # A bad repeat count fails the command after the keys before it; the open group lets go of Shift.
    assert set_lines(wine.run("sendkeys", "+(ab{ENTER x}c")) == [b"SET ERROR=1"]
    assert edit_text(wine, "AB") == ("AB", [0, 0, 0])
    # A braced character the layout has no key for is skipped without a box (Xvfb's US map, as Wine reads
    # it, has none for the parentheses).
    codes = wine.probe("keycodes", "()").stdout.split()
    expected = "".join(c for c, code in zip("()", codes) if code != b"ffff")
    assert set_lines(wine.run("sendkeys", "{(}{)}")) == []
    assert edit_text(wine, expected) == (expected, [0, 0, 0])
    assert set_lines(wine.run("sendkeys", "{LEFT 0}" * 3750)) == []
    assert set_lines(wine.run("sendkeys", "{a 65536}b")) == []
    assert edit_text(wine, "b") == ("b", [0, 0, 0])


def test_bad_key_strings_show_the_engines_boxes(wine, windows, started):
    assert value(wine.run("winactivate", EDIT_TITLE), "HANDLE") == str(windows.handles["edit"])
    wait_until(lambda: windows.states("edit")["edit"]["foreground"], "the edit window in front")
    cases = [
        ("a{F17}b", ["Invalid Key Name"], "ab"),
        ("x\u00e9y", ["Invalid KeyName"], "xy"),
        ("{SPACE}+c{ENTER", ["Invalid Key Name", "No Close"], "C"),
    ]
    for keys, boxes, expected in cases:
        run = started("tovrik.exe", "sendkeys", keys)
        out = wine.probe("closeboxes", str(len(boxes)), "15000", EDIT_TITLE).stdout.decode().splitlines()
        assert run.wait(timeout=30) == 0
        shown = [probe_text(line.split()[1]) for line in out if line.startswith("box ")]
        assert shown == boxes, (keys, out)
        assert all(line.endswith(" ok 1") for line in out if line.startswith("box ")), out
        assert edit_text(wine, expected) == (expected, [0, 0, 0]), keys
        assert set_lines(wine.return_file_now()) == [], keys


def test_progress_example_waits_for_its_window(wine):
    out = wine.batch(example("progress.bat"))
    assert out.splitlines() == ["Fichier un", "Fichier deux", "Fichier trois", "Fichier quatre", "Fichier cinq",
                                "Fini."], out
    wait_until(lambda: value(wine.run("findwindow", "Sauvegarde"), "WINHANDLE") == "0", "the window closed")


def test_typing_example_types_into_notepad(wine):
    try:
        out = wine.batch(example("type_into_notepad.bat"))
        assert out.startswith('Texte tape dans "'), out
        handle = value(wine.run("findwindowclass", "Notepad"), "WINHANDLE")
        title = value(wine.run("getwindowtext", handle), "TEXT")
        expected = "Bonjour de Tovrik\r\nTVK {fin!}"
        out = wine.probe("edittext", hex_arg(title), hex_arg(expected), "5000").stdout.decode().split()
        assert (out[0], probe_text(out[1])) == ("text", expected), out
        assert out[3:6] == ["0", "0", "0"], out
    finally:
        wine.run("killapp", "notepad.exe")
