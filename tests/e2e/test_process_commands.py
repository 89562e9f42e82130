"""Process commands under Wine: starting through the shell, killing helper processes by name (the
invocation itself spared), and pausing."""
import shutil
import time

import pytest

from harness import set_lines, wait_until

AREA = "C:\\tovrik-procs"


@pytest.fixture
def area(wine, folders):
    base = folders(AREA)
    shutil.copy(wine.exe_dir / "probe.exe", base / "KillMe.exe")
    yield base
    wine.run("killapp", "killme.exe")  # helpers a failed test left running


def count(wine, name):
    words = wine.probe("countprocesses", name).stdout.split()
    assert words[0] == b"count", words
    return int(words[1])


def test_killapp_ends_every_instance_named_in_any_letter_case(wine, area, started):
    helpers = [started(str(area / "KillMe.exe"), "idle", "60000") for _ in range(3)]
    wait_until(lambda: count(wine, "killme.exe") == 3, "three helpers running")
    # exec starts one more through the shell.
    handle = int(set_lines(wine.run("exec", AREA + "\\KillMe.exe", "idle 60000"))[0].split(b"=")[1])
    assert handle > 32
    wait_until(lambda: count(wine, "killme.exe") == 4, "the helper started by exec")

    assert set_lines(wine.run("killapp", "notKillMe.exe")) == []
    assert count(wine, "killme.exe") == 4
    assert set_lines(wine.run("killapp", "kILLme.EXE")) == []
    for helper in helpers:
        assert helper.wait(timeout=30) == 0
    assert count(wine, "killme.exe") == 0


def test_killapp_of_its_own_name_spares_the_invocation(wine, started):
    sleepers = [started(str(wine.exe_dir / "tovrik.exe"), "sleep", "60000") for _ in range(2)]
    wait_until(lambda: count(wine, "tovrik.exe") == 2, "two other invocations running")
    run = wine.run("killapp", "TOVRIK.exe")
    assert run.exit_code == 0
    assert set_lines(run) == []
    for sleeper in sleepers:
        sleeper.wait(timeout=30)
    assert count(wine, "tovrik.exe") == 0


def test_exec_reports_the_shells_error_numbers(wine, area):
    (area / "note.tvkzz").write_text("pas d'application\n")
    assert set_lines(wine.run("exec", AREA + "\\absent.exe", "NULL")) == [b"SET EXECHWND=2"]
    assert set_lines(wine.run("exec", AREA + "\\note.tvkzz", "NULL")) == [b"SET EXECHWND=31"]
    # Argument 3 is read before anything starts.
    assert set_lines(wine.run("exec", AREA + "\\KillMe.exe")) == [b"SET ERROR=1"]
    assert set_lines(wine.run("shellexecute", "open", AREA + "\\KillMe.exe", "idle 60000", "NULL")) == [b"SET ERROR=1"]
    assert count(wine, "killme.exe") == 0


def test_shellexecute_starts_with_every_argument(wine, area):
    run = wine.run("shellexecute", "NULL", AREA + "\\KillMe.exe", "idle 60000", AREA, "0")
    assert set_lines(run) == []
    wait_until(lambda: count(wine, "killme.exe") == 1, "the helper started in its directory")
    assert set_lines(wine.run("killapp", "killme.exe")) == []
    wait_until(lambda: count(wine, "killme.exe") == 0, "the helper ended")


def test_sleep(wine):
    start = time.monotonic()
    assert set_lines(wine.run("sleep", "1500")) == []
    assert time.monotonic() - start >= 1.5
    assert set_lines(wine.run("sleep", "0")) == []
    # A negative pause would ask for weeks (or forever for -1): refused at once.
    for bad in ("-1", "-2147483648", "1,5", "NULL"):
        assert set_lines(wine.run("sleep", bad, timeout=30)) == [b"SET ERROR=1"], bad
