"""The program's spine as scripts use it: splitting, dispatch, the return file, settings, user variables."""
import subprocess
import time

import pytest

from harness import ANSI, HEADER_2, SETTINGS_KEY, VARIABLES_KEY, ServedProbe, set_lines, texts, window_facts
from hostile import HOSTILE_VALUES

LOCALES = ["fr", "en", "de"]


@pytest.mark.parametrize("locale", LOCALES)
def test_unknown_word_leaves_the_header_only(wine, locale):
    run = wine.run("foo", locale=locale)
    assert run.exit_code == 0
    assert set_lines(run, locale) == []
    assert run.file.endswith(HEADER_2)


# Raw command lines (after the program name) and the SET lines they must give.
RAW_CASES = [
    (b"strlength Bonjour", [b"SET STRLEN=7"]),
    (b'" StrLength " abc', [b"SET STRLEN=3"]),
    (b"STRLENGTH abc", [b"SET STRLEN=3"]),
    (b"strlength", [b"SET ERROR=1"]),
    (b"strlength NULL", [b"SET STRLEN=0"]),
    (b"strlength xNULLy", [b"SET STRLEN=2"]),
    (b"strlength null", [b"SET STRLEN=4"]),
    (b'strlength ""', [b"SET ERROR=1"]),
    (b'strlength "" abc', [b"SET STRLEN=3"]),
    (b"strNULLlength abc", [b"SET STRLEN=3"]),
    (b'strlength "a b"', [b"SET STRLEN=3"]),
    (b'strlength a"b c"d', [b"SET STRLEN=5"]),
    (b"strlength caf\xe9", [b"SET STRLEN=4"]),
    (b"strlength NULL NULL NULL", [b"SET STRLEN=0"]),
    (b"NULL", []),
    (b"getversion", [b"SET RESULT=1000"]),
    (b"/CONFIG", []),
]


@pytest.mark.parametrize("command_line,expected", RAW_CASES, ids=[c[0][:30].decode("latin-1") for c in RAW_CASES])
def test_command_lines(wine, command_line, expected):
    run = wine.run_raw(command_line)
    assert run.exit_code == 0
    assert set_lines(run) == expected


def test_long_arguments(wine):
    assert set_lines(wine.run("strlength", "x" * 30000)) == [b"SET STRLEN=30000"]
    assert set_lines(wine.run("strlength", "a b " * 7000)) == [b"SET STRLEN=28000"]


def test_first_run_stores_the_default_path(wine):
    assert wine.reg_string(SETTINGS_KEY, "RFile") is None
    run = wine.run("strlength", "abc")
    assert set_lines(run) == [b"SET STRLEN=3"]
    assert wine.reg_string(SETTINGS_KEY, "RFile") == "C:\\Tovrik.bat"


def test_a_non_string_path_value_is_ignored_and_kept(wine):
    wine.reg_set(SETTINGS_KEY, "RFile", 4, (7).to_bytes(4, "little"))
    run = wine.run("strlength", "abcd")
    assert set_lines(run) == [b"SET STRLEN=4"]
    assert wine.reg_get(SETTINGS_KEY, "RFile") == (4, (7).to_bytes(4, "little"))


def test_the_stored_path_is_used_and_an_empty_one_falls_back(wine, folders):
    target = folders("C:\\tovrik-e2e") / "out file.bat"
    wine.reg_set_string(SETTINGS_KEY, "RFile", "C:\\tovrik-e2e\\out file.bat")
    run = wine.run("strlength", "abc", return_file=target)
    assert set_lines(run) == [b"SET STRLEN=3"]
    assert not wine.default_return_file.exists()

    wine.reg_set_string(SETTINGS_KEY, "RFile", "")
    run = wine.run("strlength", "ab")
    assert set_lines(run) == [b"SET STRLEN=2"]
    assert target.exists(), "an empty path must not delete anything"


def test_start_up_deletes_the_previous_file(wine):
    wine.default_return_file.write_bytes(b"SET OLD=1\r\n")
    run = wine.run("foo")
    assert b"OLD" not in run.file


def test_an_unwritable_path_shows_the_error_box_and_exits_1(wine, started):
    wine.reg_set_string(SETTINGS_KEY, "RFile", "C:\\no such dir\\r.bat")
    process = started("tovrik.exe", "strlength", "x")
    # The box is found by its title as soon as it exists; its text may come a moment later.
    deadline = time.monotonic() + 30
    message = None
    while message is None and time.monotonic() < deadline:
        shown = [c.text for c in window_facts(wine, "Erreur d'application")["controls"] if c.text]
        message = next((t for t in shown if t.startswith("Exception ")), None)
    assert message is not None, shown
    first, second = message.split("\n", 1)
    assert first.startswith("Exception FileCreateError dans le module tovrik.exe dans ")
    assert first.endswith(".")
    assert second.startswith('Impossible de créer le fichier "C:\\no such dir\\r.bat". ')
    wine.probe("close", "Erreur d'application", "5000")
    assert process.wait(timeout=30) == 1
    assert not wine.host_path("C:\\no such dir").exists()


def test_config_resets_the_path_and_publishes_it(wine):
    wine.reg_set_string(SETTINGS_KEY, "RFile", "C:\\old.bat")
    old = wine.host_path("C:\\old.bat")
    try:
        run = wine.run("/config", return_file=old)
        assert set_lines(run) == [], "the /config run writes to the path it started with"
        assert wine.reg_string(SETTINGS_KEY, "RFile") == "C:\\Tovrik.bat"
        assert wine.reg_string("Environment", "TvkFile") == "C:\\Tovrik.bat"
        # New processes get the published variable: a script can CALL %TVKFILE%.
        out = wine.batch('"%TOVRIK%" strlength Bonjour\nCALL %TVKFILE%\necho [%TVKFILE%] [%STRLEN%]\n')
        assert out.splitlines() == ["[C:\\Tovrik.bat] [7]"]
    finally:
        old.unlink(missing_ok=True)


USER_VARIABLE_STEPS = [
    (["getvar", "count", "0"], [b"SET VAR=0"], ("count", "0")),
    (["getvar", "count", "5"], [b"SET VAR=0"], ("count", "0")),
    (["registervar", "Name", "abc"], [], ("Name", "abc")),
    (["getvar", "NAME", "x"], [b"SET VAR=abc"], ("name", "abc")),
    (["registervar", "v", "NULL"], [], ("v", "")),
    (["getvar", "v", "x"], [b"SET VAR="], ("v", "")),
    (["deletevar", "v"], [], ("v", None)),
    (["getvar", "v", "d"], [b"SET VAR=d"], ("v", "d")),
    (["deletevar", "never-set"], [], ("never-set", None)),
    (["registervar", "lonely"], [b"SET ERROR=1"], ("lonely", None)),
    (["getvar", "count"], [b"SET ERROR=1"], ("count", "0")),
    (["registervar", "été", "crème brûlée"], [], ("été", "crème brûlée")),
    (["getvar", "été", "x"], [b"SET VAR=cr\xe8me br\xfbl\xe9e"], ("été", "crème brûlée")),
]


def test_user_variables_persist_across_runs(wine):
    for step, (args, expected, (name, stored)) in enumerate(USER_VARIABLE_STEPS):
        run = wine.run(*args, locale="en")  # English console code page 437 has these letters too
        assert run.exit_code == 0, step
        lines = texts(run, "en")
        # Return files are written for the console code page, so compare through it.
        assert [line.encode(ANSI) for line in lines] == expected, (step, args, lines)
        assert wine.reg_string(VARIABLES_KEY, name) == stored, (step, args)


def test_getvar_of_a_number_value_gives_the_default_and_keeps_it(wine):
    wine.reg_set(VARIABLES_KEY, "n", 4, (5).to_bytes(4, "little"))
    assert set_lines(wine.run("getvar", "n", "dflt")) == [b"SET VAR=dflt"]
    assert wine.reg_get(VARIABLES_KEY, "n") == (4, (5).to_bytes(4, "little"))


@pytest.mark.parametrize("locale", ["fr", "en"])
def test_hostile_values_reach_the_script_unchanged(wine, locale):
    """Each value goes in through the registry, comes back through getvar and CALL, and the script
    writes exactly what it received; nothing in it runs, redirects or expands."""
    for index, value in enumerate(HOSTILE_VALUES):
        wine.reg_set_string(VARIABLES_KEY, f"h{index}", value)
    wine.reg_set_string(VARIABLES_KEY, "lines", "first\r\nsecond\nthird\rfourth")
    script = []
    for index in range(len(HOSTILE_VALUES)):
        script += [f'"%TOVRIK%" getvar h{index} x', "CALL C:\\Tovrik.bat", "set VAR"]
    script += ['"%TOVRIK%" getvar lines x', "CALL C:\\Tovrik.bat", "set VAR", "echo done"]
    out = wine.batch("\n".join(script) + "\n", locale=locale)
    expected = [f"VAR={value}" for value in HOSTILE_VALUES] + ["VAR=first second third fourth", "done"]
    assert out.splitlines() == expected
    assert not list(wine.drive_c.glob("Jerry*")) and not (wine.drive_c / "c").exists()


def test_accented_file_names_name_the_file_after_call(wine, folders):
    folder = folders("C:\\Données")
    (folder / "été.txt").write_bytes(b"x")
    out = wine.batch('"%TOVRIK%" registervar F "C:\\Données\\été.txt"\n'
                     '"%TOVRIK%" getvar F x\n'
                     "CALL C:\\Tovrik.bat\n"
                     'if exist "%VAR%" (echo found %VAR%) else (echo missing %VAR%)\n')
    assert out.splitlines() == ["found C:\\Données\\été.txt"]
    assert wine.reg_string(VARIABLES_KEY, "F") == "C:\\Données\\été.txt"


def test_simultaneous_writers_never_leave_a_torn_file(wine):
    """Many invocations write the same return file at once: it is always one whole file."""
    lengths = [100, 2000, 8000, 16000, 24000, 30000]
    allowed = {f"SET STRLEN={n}".encode() for n in lengths}
    for round_ in range(3):
        processes = [wine.start("tovrik.exe", "strlength", "y" * n) for n in lengths]
        assert [p.wait(timeout=60) for p in processes] == [0] * len(lengths)
        lines = set_lines(wine.return_file_now())
        assert len(lines) == 1 and lines[0] in allowed, (round_, lines)
        assert not list(wine.drive_c.glob("Tovrik.bat.*.tmp")), "staging files left behind"


def test_a_return_file_held_open_by_a_reader_is_replaced_once_let_go(wine):
    """A script still reading the previous file holds it open for a moment (start-up cannot delete it):
    the run waits for the reader, then replaces the file whole and leaves no temporary file."""
    wine.default_return_file.write_bytes(b"SET OLD=1\r\n")
    with ServedProbe(wine, "holdopen", "C:\\Tovrik.bat", "60000") as reader:
        assert reader.readline().strip() == b"held"
        started = time.monotonic()
        process = wine.start("tovrik.exe", "strlength", "abcde")
        time.sleep(0.15)
    assert process.wait(timeout=60) == 0
    print(f"run ended {time.monotonic() - started:.2f} s after it started")
    assert set_lines(wine.return_file_now()) == [b"SET STRLEN=5"]
    assert not list(wine.drive_c.glob("Tovrik.bat.*.tmp")), "staging file left behind"


def test_configuration_mode_deletes_the_file_and_writes_none(wine, started):
    wine.default_return_file.write_bytes(b"SET OLD=1\r\n")
    for command_line in (b"", b"   "):
        raw = b'"' + wine.windows_exe().encode() + b'"' + command_line
        process = started("probe.exe", "exec", "hex:" + raw.hex(), stdout=subprocess.PIPE)
        window = wine.probe("window", "Selvane Tovrik", "30000").stdout.decode()
        assert "client 320 212" in window, window
        assert not wine.default_return_file.exists()
        wine.probe("close", "Selvane Tovrik", "5000")
        out, _ = process.communicate(timeout=30)
        assert out.split() == [b"exit", b"0"]
        assert not wine.default_return_file.exists()


def test_a_name_with_no_room_for_the_temporary_file_is_written_directly(wine):
    """A stored name of 250 characters leaves no room for "<name>.<pid>.tmp" (255 at most): the file
    itself is written, whole, and no temporary file is left."""
    name = "r" * 246 + ".bat"
    target = wine.host_path("C:\\" + name)
    wine.reg_set_string(SETTINGS_KEY, "RFile", "C:\\" + name)
    try:
        for text in ("abc", "abcdef"):
            run = wine.run("strlength", text, return_file=target)
            assert run.exit_code == 0
            assert set_lines(run) == [f"SET STRLEN={len(text)}".encode()]
        assert not [p for p in wine.drive_c.iterdir() if p.name.startswith("rrrr") and p != target]
    finally:
        target.unlink(missing_ok=True)


def test_a_folder_that_refuses_new_files_gets_the_existing_file_rewritten(wine, folders):
    """The user may rewrite the return file but not create files beside it (the folder is immutable to
    the host, which Wine reports as access denied): the file is rewritten in place, old bytes gone."""
    folder = folders("C:\\tovrik-locked")
    target = folder / "Tovrik.bat"
    target.write_bytes(b"SET OLD=" + b"x" * 500 + b"\r\n")
    if subprocess.run(["chattr", "+i", str(folder)], capture_output=True).returncode != 0:
        pytest.skip("the file system here cannot make a folder refuse new files (chattr +i)")
    # The folder does refuse new files to Wine.
    wine.batch("echo x> C:\\tovrik-locked\\new.txt\n")
    assert not (folder / "new.txt").exists()
    wine.reg_set_string(SETTINGS_KEY, "RFile", "C:\\tovrik-locked\\Tovrik.bat")
    run = wine.run("strlength", "abcd", return_file=target)
    assert run.exit_code == 0
    assert set_lines(run) == [b"SET STRLEN=4"]
    assert sorted(p.name for p in folder.iterdir()) == ["Tovrik.bat"]
