"""Dialogs given a time-out, as a script meets them when nobody answers and when a person does: the button
the time-out will press counts the seconds down, the dialog closes by itself when they are up and the
return file carries the script's own default and SET TIMEDOUT=1; a key or a click stops the countdown for
good. Where no one can see a window: test_unattended."""
import subprocess
import time

import pytest

from harness import (TIME_SCALE, clipboard, probe_facts, probe_text, set_lines, shoot_window,
                     wait_until, window_facts)

DASHES = b"-" * 27 + b"\r\n"
# A run starts Wine's process and the program before its dialog shows, and ends them after it closes.
START_AND_END = 6 * TIME_SCALE
ABC = "Alpha|Beta|Gamma"


class Watched:
    """A run given a time-out, timed from its start to its exit, and the probe watching its buttons
    change: "buttons" as (milliseconds since the dialog showed, [captions]), "gone" when it closed."""

    def __init__(self, wine, title, *args):
        self.wine = wine
        self.title = title
        self.started = time.monotonic()
        self.process = wine.start("tovrik.exe", *args)
        self.watcher = wine.start("probe.exe", "captions", title, str(int(60000 * TIME_SCALE)),
                                  stdout=subprocess.PIPE)

    def wait(self, timeout=60):
        code = self.process.wait(timeout=timeout * TIME_SCALE)
        self.seconds = time.monotonic() - self.started
        out, _ = self.watcher.communicate(timeout=30 * TIME_SCALE)
        facts = probe_facts(subprocess.CompletedProcess([], 0, out), lists=("buttons",))
        assert "shown" in facts, out
        self.buttons = [(int(words[0]), [probe_text(w) for w in words[1:]]) for words in facts["buttons"]]
        self.gone = int(facts["gone"][0]) if "gone" in facts else None
        assert code == 0
        return set_lines(self.wine.return_file_now())

    def cleanup(self):
        for process in (self.process, self.watcher):
            if process.poll() is None:
                self.wine.probe("close", self.title, "1000")
                try:
                    process.wait(timeout=10 * TIME_SCALE)
                except subprocess.TimeoutExpired:
                    process.kill()
                    process.wait()


@pytest.fixture
def watched(window_runs):
    return lambda title, *args: window_runs(title, *args, kind=Watched)


def counting(buttons, index):
    """The captions one button showed in turn, with the moment each came."""
    shown = []
    for at, captions in buttons:
        if len(captions) > index and (not shown or shown[-1][1] != captions[index]):
            shown.append((at, captions[index]))
    return shown


# (caption, arguments, index of the button that counts, its caption, the lines when nobody answers)
TIMED = [
    ("Erreur", ("dlgcritical", "Disque plein", "3"), 0, "OK", [b"SET TIMEDOUT=1"]),
    ("Avertissement", ("dlgwarning", "Attention", "3"), 0, "OK", [b"SET TIMEDOUT=1"]),
    ("Information", ("dlginformation", "Fini", "3"), 0, "OK", [b"SET TIMEDOUT=1"]),
    ("Confirmation", ("dlgyesno", "Redémarrer ?", "3"), 1, "&Non", [b"SET BUTTON=1", b"SET TIMEDOUT=1"]),
    ("Confirmation", ("dlgyesno", "Redémarrer ?", "3", "0"), 0, "&Oui", [b"SET BUTTON=0", b"SET TIMEDOUT=1"]),
    ("Confirmation", ("dlgokcancel", "Copier ?", "3"), 1, "Annuler", [b"SET BUTTON=3", b"SET TIMEDOUT=1"]),
    ("Confirmation", ("dlgokcancel", "Copier ?", "3", "2"), 0, "OK", [b"SET BUTTON=2", b"SET TIMEDOUT=1"]),
    ("Choix e2e", ("createlistdialog", "Choix e2e", "Lequel ?", ABC, "Gamma", "3"), 0, "OK",
     [b"SET EXECUTED=1", b"SET TEXT=Gamma", b"SET INDEX=3", b"SET TIMEDOUT=1"]),
    ("Choix e2e", ("createlistdialog", "Choix e2e", "Lequel ?", ABC, "NULL", "3"), 1, "Annuler",
     [b"SET EXECUTED=0", b"SET TIMEDOUT=1"]),
    ("Saisie e2e", ("createinputdialog", "Saisie e2e", "Nom :", "Lundi", "3"), 1, "Annuler",
     [b"SET EXECUTED=0", b"SET TIMEDOUT=1"]),
]


@pytest.mark.parametrize("title, args, index, caption, lines", TIMED,
                         ids=["critical", "warning", "information", "yesno", "yesno-answer-0", "okcancel",
                              "okcancel-answer-2", "list-default", "list-no-default", "input"])
def test_nobody_answers_the_dialog_counts_down_and_closes_after_its_seconds(wine, watched, title, args, index,
                                                                           caption, lines):
    run = watched(title, *args)
    assert run.wait() == lines
    shown = counting(run.buttons, index)
    assert [text for _, text in shown] == [f"{caption} (3)", f"{caption} (2)", f"{caption} (1)"], run.buttons
    # The other button keeps its caption.
    others = {captions[1 - index] for _, captions in run.buttons if len(captions) == 2}
    assert len(others) <= 1 and "(" not in "".join(others), run.buttons
    # Once a second, from the moment the dialog showed: the probe sees it within its polling step.
    (_, _), (two, _), (one, _) = shown
    step = 100 * TIME_SCALE
    assert abs(one - two - 1000) <= step, shown
    assert run.gone is not None and abs(run.gone - two - 2000) <= step, (shown, run.gone)
    # Not before its seconds, and soon after them.
    assert 3 <= run.seconds <= 3 + START_AND_END, run.seconds


def facts_of(wine, title):
    return wait_until(lambda: (lambda f: f if f["controls"] else None)(window_facts(wine, title)), title)


def button_texts(wine, title):
    return [c.text for c in facts_of(wine, title)["controls"] if c.cls == "Button"]


# (caption, arguments, how a person touches it, the keys that answer it later, the lines)
TOUCHED = [
    ("Confirmation", ("dlgokcancel", "Copier ?", "3"), "{TAB}", "{TAB}{ENTER}", [b"SET BUTTON=2"]),
    ("Confirmation", ("dlgyesno", "Redémarrer ?", "3", "0"), "click", "{TAB}{ENTER}", [b"SET BUTTON=1"]),
    ("Information", ("dlginformation", "Fini", "3"), "click", "{ENTER}", []),
    ("Choix e2e", ("createlistdialog", "Choix e2e", "Lequel ?", ABC, "Alpha", "3"), "{DOWN}", "{ENTER}",
     [b"SET EXECUTED=1", b"SET TEXT=Beta", b"SET INDEX=2"]),
    ("Saisie e2e", ("createinputdialog", "Saisie e2e", "Nom :", "Lundi", "3"), "z", "{ENTER}",
     [b"SET EXECUTED=1", b"SET TEXT=z"]),
]


@pytest.mark.parametrize("title, args, touch, keys, lines", TOUCHED,
                         ids=["key-okcancel", "click-yesno", "click-information", "arrow-list", "typing-input"])
def test_a_key_or_a_click_stops_the_countdown_for_good(wine, window_runs, title, args, touch, keys, lines):
    run = window_runs(*args, title=title)
    run.wait_shown()
    assert any("(" in text for text in button_texts(wine, title))
    if touch == "click":
        # On the message, which hands its clicks to the box.
        label = [c for c in facts_of(wine, title)["controls"] if c.cls == "Static"][-1]
        assert wine.probe("click", title, str(label.left + 2), str(label.top + 2)).returncode == 0
    else:
        run.keys(touch)
    plain = wait_until(lambda: (lambda t: t if not any("(" in x for x in t) else None)(button_texts(wine, title)),
                       "the plain captions back")
    assert plain in (["&Oui", "&Non"], ["OK", "Annuler"], ["OK"]), plain
    # The time is past: the dialog still waits for its person, with the plain captions.
    time.sleep(3.5)
    assert run.still_open()
    assert button_texts(wine, title) == plain
    run.keys(keys)
    assert run.lines() == lines


def test_ctrl_c_copies_the_plain_captions_while_counting(wine, window_runs):
    assert wine.probe("emptyclipboard").returncode == 0
    box = window_runs("dlgyesno", "Question", "20", title="Confirmation")
    box.wait_shown()
    assert button_texts(wine, "Confirmation")[1].startswith("&Non (")
    assert wine.probe("ctrlkey", "Confirmation", "C", "30000").returncode == 0
    copied = wait_until(lambda: clipboard(wine)[1], "the copy")
    assert copied == DASHES + b"Confirmation\r\n" + DASHES + b"Question\r\n" + DASHES + b"Oui   Non   \r\n" + DASHES
    box.keys("{ENTER}")
    assert box.lines() == [b"SET BUTTON=0"]


def test_the_readme_example_counts_down_from_a_minute(wine, window_runs):
    box = window_runs("dlgyesno", "Redémarrer maintenant ?", "60", "1", title="Confirmation")
    box.wait_shown()
    # Its picture once the count has begun: Non (the answer asked for) shows the seconds left.
    wait_until(lambda: button_texts(wine, "Confirmation")[1] in ("&Non (59)", "&Non (58)"), "the count at 59")
    shoot_window(wine, "Confirmation", "dlgyesno-countdown.png")
    box.keys("{ESC}")
    assert box.lines() == [b"SET BUTTON=1"]


@pytest.mark.parametrize("args", [
    ("dlgyesno", "m", "0"),
    ("dlgyesno", "m", "86401"),
    ("dlgyesno", "m", "trente"),
    ("dlgyesno", "m", "10", "2"),
    ("dlgokcancel", "m", "10", "1"),
    ("dlgwarning", "m", "-1"),
    ("createlistdialog", "Choix", "Lequel ?", ABC, "NULL", "1,5"),
    ("createinputdialog", "Choix", "Nom :", "x", "90000"),
], ids=["zero", "over-a-day", "words", "yesno-answer-2", "okcancel-answer-1", "negative", "list-decimal",
        "input-over-a-day"])
def test_argument_errors_show_nothing(wine, args):
    run = wine.run(*args, timeout=30)
    assert (run.exit_code, set_lines(run)) == (0, [b"SET ERROR=1"])
    for title in ("Confirmation", "Avertissement", "Choix"):
        assert wine.probe("windowrect", title, "300").stdout.strip() == b"nowindow"
