"""The return file holds whichever way cmd.exe reads it: with or without delayed expansion, with ECHO on,
with values too long for a batch line or holding Ctrl-Z. Each value goes in through the registry and
comes back through getvar; every file is CALLed by the model of Windows' cmd.exe (tests/cmdexe) and by
Wine's cmd.exe, in both modes."""
import pytest

from cmd_model import run_return_file
from harness import HEADER_2, OEM_CODE_PAGES, VARIABLES_KEY, fresh_folder, return_file_halves
from hostile import CALLER, HOSTILE_VALUES, call_in_wines_cmd, expected_value

LONGEST = 8190  # bytes of a line before its CR LF
ROOM = LONGEST - len("SET VAR=")
FOLDER = "C:\\tovrik-modes"
MODES = ["plain", "delayed"]

# (name, value, whether its line fits, the file's body where it is worth spelling out)
CASES = [
    ("x!b!y", "x!b!y", True, b'@if "!!"=="" goto tovrik_delayed_expansion\r\nSET VAR=x!b!y\r\n@goto :eof\r\n'
                             b":tovrik_delayed_expansion\r\nSET VAR=x^^!b^^!y\r\n"),
    ("hello-bang", "Hello!", True, None),
    ("caller-path", "!PATH!", True, None),
    ("bang-alone", "!", True, None),
    ("bang-pair", "!!", True, None),
    ("bang-caller-pair", "!b!!bang!", True, None),
    ("bang-caret", "a^b!c^", True, None),
    ("bang-percent", "100% !b! %PATH% %%", True, None),
    ("bang-ampersand", "a&b!c | d!", True, None),
    ("bang-quotes", '"q ^ !b! & x" ^ !', True, None),
    ("bang-open-quote", '"open ^ & !', True, None),
    ("no-bang", "Tom & Jerry ^ 100%", True, b"SET VAR=Tom ^& Jerry ^^ 100%%\r\n"),
    ("ctrl-z", "abc\x1amkdir C:\\tovrik-modes\\ran", True, b"SET VAR=abc mkdir C:\\tovrik-modes\\ran\r\n"),
    ("ctrl-z-bang", "a!\x1a!b", True, None),
    ("line-breaks", "one\r\ntwo\nthree\rfour!", True, None),
    ("long-fits", "a" * ROOM, True, None),
    ("long-over", "a" * (ROOM + 1), False, None),
    ("escapes-fit", "&" * (ROOM // 2), True, None),
    ("escapes-over", "&" * (ROOM // 2 + 1), False, None),
    ("ampersands-4100", "&" * 4100, False, None),
    ("bangs-fit", "!" * (ROOM // 3), True, None),
    ("bangs-over", "!" * (ROOM // 3 + 1), False, None),
    ("bang-long-tail", "x" * (ROOM - 10) + "!!!!", False, None),
    ("long-tail-runs", "y" * 8200 + "&mkdir C:\\tovrik-modes\\ran", False, None),
] + [(f"hostile-{index}", value, True, None) for index, value in enumerate(HOSTILE_VALUES)]
IDS = [case[0] for case in CASES]


@pytest.fixture(scope="module")
def files(wine):
    """Each case's return file, as getvar wrote it. Made before the first test's own fresh start, so it
    starts from a fresh account itself."""
    wine.reset()
    made = {}
    for name, value, _, _ in CASES:
        wine.reg_set_string(VARIABLES_KEY, "v", value)
        run = wine.run("getvar", "v", "x")
        assert run.exit_code == 0 and run.file is not None, name
        made[name] = run.file
    wine.reset()
    return made


def body(data):
    return data[data.index(HEADER_2) + len(HEADER_2):]


@pytest.mark.parametrize("name, value, fits, expected_body", CASES, ids=IDS)
def test_every_line_fits_and_a_long_value_is_left_out(files, name, value, fits, expected_body):
    data = files[name]
    lines = data.split(b"\r\n")[:-1]
    assert all(len(line) <= LONGEST for line in lines), [len(line) for line in lines]
    plain, delayed = return_file_halves(body(data))
    if fits:
        assert [line.split(b"=", 1)[0] for line in plain] == [b"SET VAR"]
        # A file whose value holds no "!" is what it always was: one version of its lines.
        assert (plain is delayed) == ("!" not in value)
    else:
        assert body(data) == b"SET ERROR=1\r\n"
    if expected_body is not None:
        assert body(data) == expected_body


@pytest.mark.parametrize("mode", MODES)
@pytest.mark.parametrize("name, value, fits, _", CASES, ids=IDS)
def test_the_model_of_windows_cmd_gets_exactly_the_value(files, name, value, fits, _, mode):
    outcome = run_return_file(files[name], CALLER, delayed=mode == "delayed", encoding=OEM_CODE_PAGES["fr"])
    assert outcome.ran == [] and outcome.faults == []
    if fits:
        assert outcome.value("VAR") == expected_value(value)
        assert outcome.value("ERROR") is None
    else:
        assert outcome.value("VAR") is None and outcome.value("ERROR") == "1"
    assert {name: outcome.value(name) for name in CALLER} == CALLER


def call_in_wine(wine, files, mode):
    """CALLs every case's file in one run of Wine's cmd.exe: each case's (VAR, ERROR) as printed, None for
    an undefined variable, the caller's variables afterwards, and whether a command of a value ran."""
    with fresh_folder(wine, FOLDER) as folder:
        results, caller = call_in_wines_cmd(wine, [files[name] for name, *_ in CASES], mode == "delayed",
                                            also=("VAR", "ERROR"))
        ran = (folder / "ran").exists()
    return {case[0]: (got["VAR"], got["ERROR"]) for case, got in zip(CASES, results)}, caller, ran


@pytest.fixture(scope="module")
def wine_cmd(wine, files):
    """Both modes' runs of Wine's cmd.exe over all the files, made once."""
    return {mode: call_in_wine(wine, files, mode) for mode in MODES}


@pytest.mark.parametrize("mode", MODES)
@pytest.mark.parametrize("name, value, fits, _", CASES, ids=IDS)
def test_wines_cmd_gets_exactly_the_value(wine_cmd, name, value, fits, _, mode):
    if mode == "delayed" and "!" in value and fits:
        pytest.skip("wine-cmd-delayed-caret: Wine's cmd.exe never removes a caret in its delayed-expansion "
                    "pass, so it cannot store a '!' under EnableDelayedExpansion; the model of Windows' cmd "
                    "checks this case")
    results, caller, ran = wine_cmd[mode]
    assert not ran, "a value ran as a command"
    assert caller == CALLER
    if fits:
        assert results[name] == (expected_value(value), None)
    else:
        assert results[name] == (None, "1")


PASSWORDS = [("s3cr%t&x", "s3cr%%t^&x"), ("p!w^d&", None)]


@pytest.mark.parametrize("password, written", PASSWORDS, ids=["plain", "with-bang"])
def test_a_password_never_echoes(wine, window_runs, password, written):
    shown = window_runs("createpassworddlg", "Mot de passe e2e", "Code :")
    shown.wait_shown()
    shown.keys(password + "{ENTER}")
    assert shown.exit_code() == 0
    data = wine.return_file_now().file
    plain, delayed = return_file_halves(body(data))
    assert all(line.startswith(b"@SET ") for line in plain + delayed if line.startswith(b"@SET PASSWORD="))
    assert plain[0].startswith(b"@SET PASSWORD=") and plain[1] == b"SET EXECUTED=1"
    if written:
        assert plain[0] == b"@SET PASSWORD=" + written.encode()
    for mode in MODES:
        outcome = run_return_file(data, CALLER, delayed=mode == "delayed", echo=True)
        assert outcome.value("PASSWORD") == password and outcome.ran == [] and outcome.faults == []
        assert outcome.echoed[-1] == "SET EXECUTED=1", outcome.echoed
        assert not any(password[:4] in line for line in outcome.echoed), outcome.echoed
    # Wine's cmd, ECHO on: the lines without "@" show, the password only where the script prints it.
    with fresh_folder(wine, FOLDER) as folder:
        (folder / "password.bat").write_bytes(data)
        printed = wine.batch(f"echo on\nCALL {FOLDER}\\password.bat\n@set PASSWORD\n")
    assert "SET EXECUTED=1" in printed, printed
    assert f"PASSWORD={password}" in printed.splitlines() and printed.count(password[:4]) == 1, printed
