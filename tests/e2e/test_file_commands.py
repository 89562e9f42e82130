"""File, text-file and INI command words on real files in the prefix's drive C, as scripts use them."""
import datetime
import os
import subprocess
from pathlib import Path
from zoneinfo import ZoneInfo

import pytest

from harness import WINE_TIME_ZONE, holding, texts

AREA = "C:\\tovrik-files"
LONG_NAME = "L" * 300  # past MAX_PATH on its own


@pytest.fixture
def area(folders):
    """An empty folder C:\\tovrik-files (host Path), removed with everything in it afterwards."""
    return folders(AREA)


def run_in(wine, cwd: Path, *args, locale="fr"):
    """Runs tovrik.exe with its current directory at a host folder of the prefix, as a script in that folder."""
    run = wine.run(*args, locale=locale, cwd=cwd)
    assert run.exit_code == 0
    return run


def check_all(wine, cases, locale="fr"):
    for index, (args, expected) in enumerate(cases):
        run = wine.run(*args, locale=locale)
        assert run.exit_code == 0, (index, args)
        assert texts(run, locale) == expected, (index, args)


def snapshot(root: Path):
    """Every file and folder under root with the bytes of each file."""
    return {str(p.relative_to(root)): (None if p.is_dir() else p.read_bytes()) for p in sorted(root.rglob("*"))}


def held_open(wine, windows_path):
    """Another process holds the file open for writing (others may read it) while the block runs."""
    return holding(wine, "holdopen", windows_path, "60000")


def make_read_only(path: Path):
    """The read-only attribute, and a refusal the file system enforces even for root (the tests run as
    root, whom Wine's mapping of the attribute to permission bits does not stop)."""
    os.chmod(path, 0o555 if path.is_dir() else 0o444)
    if subprocess.run(["chattr", "+i", str(path)], stderr=subprocess.DEVNULL).returncode != 0:
        pytest.skip("read-only destination: this file system has no immutable attribute to stop root")


# --- current directory ------------------------------------------------------------------------------

def test_current_directory_ends_in_one_backslash(wine, area):
    odd = area / "été & 100%"
    odd.mkdir()
    assert texts(run_in(wine, area.parent, "getcurrentdir")) == ["SET DIR=C:\\"]
    assert texts(run_in(wine, area, "getcurrentdir")) == ["SET DIR=C:\\tovrik-files\\"]
    assert texts(run_in(wine, odd, "getcurrentdir")) == ["SET DIR=C:\\tovrik-files\\été ^& 100%%\\"]
    check_all(wine, [
        (["setcurrentdir", AREA], []),
        (["setcurrentdir", AREA + "\\missing"], []),
        (["setcurrentdir", AREA + "\\" + LONG_NAME], []),
        (["setcurrentdir"], ["SET ERROR=1"]),
    ])


# --- copies and renames -------------------------------------------------------------------------------

def test_copies_replace_or_keep_the_target_and_report_nothing(wine, area):
    (area / "a.txt").write_bytes(b"new\r\n")
    (area / "old.txt").write_bytes(b"old\r\n")
    (area / "kept.txt").write_bytes(b"kept\r\n")
    (area / "dir").mkdir()
    (area / "Tom & Jerry 100% été.txt").write_bytes(b"odd\r\n")
    check_all(wine, [
        (["filecopy", AREA + "\\a.txt", AREA + "\\b.txt"], []),
        (["filecopy", AREA + "\\a.txt", AREA + "\\old.txt"], []),
        (["FILECOPYNOOVERWRITE", AREA + "\\a.txt", AREA + "\\kept.txt"], []),
        (["filecopynooverwrite", AREA + "\\a.txt", AREA + "\\c.txt"], []),
        (["filecopy", AREA + "\\Tom & Jerry 100% été.txt", AREA + "\\copie été & 100%.txt"], []),
        (["filecopy", AREA + "\\a.txt", AREA + "\\a.txt"], []),
        (["filecopy", AREA + "\\missing.txt", AREA + "\\d.txt"], []),
        (["filecopy", AREA + "\\*.txt", AREA + "\\e.txt"], []),
        (["filecopy", AREA + "\\a.txt", AREA + "\\*.txt"], []),
        (["filecopy", AREA + "\\dir", AREA + "\\f.txt"], []),
        (["filecopy", AREA + "\\a.txt", AREA + "\\dir"], []),
        (["filecopy", AREA + "\\a.txt", AREA + "\\" + LONG_NAME], []),
        (["filecopy", AREA + "\\a.txt"], ["SET ERROR=1"]),
    ])
    assert snapshot(area) == {
        "a.txt": b"new\r\n", "b.txt": b"new\r\n", "old.txt": b"new\r\n", "kept.txt": b"kept\r\n",
        "c.txt": b"new\r\n", "dir": None, "Tom & Jerry 100% été.txt": b"odd\r\n",
        "copie été & 100%.txt": b"odd\r\n",
    }


def test_rename_moves_files_and_folders_and_never_replaces(wine, area):
    (area / "a.txt").write_bytes(b"a")
    (area / "b.txt").write_bytes(b"b")
    (area / "dir").mkdir()
    (area / "dir" / "inner.txt").write_bytes(b"i")
    check_all(wine, [
        (["renameitem", AREA + "\\a.txt", AREA + "\\é & %.txt"], []),
        (["renameitem", AREA + "\\dir", AREA + "\\moved dir"], []),
        (["renameitem", AREA + "\\b.txt", AREA + "\\é & %.txt"], []),
        (["renameitem", AREA + "\\missing", AREA + "\\x"], []),
        (["renameitem", AREA + "\\*.txt", AREA + "\\y.txt"], []),
        (["renameitem", AREA + "\\b.txt", AREA + "\\" + LONG_NAME], []),
        (["renameitem", AREA + "\\b.txt"], ["SET ERROR=1"]),
    ])
    assert snapshot(area) == {"é & %.txt": b"a", "b.txt": b"b", "moved dir": None, "moved dir/inner.txt": b"i"}


# --- sizes, dates, existence ----------------------------------------------------------------------------

def test_file_size_uses_all_64_bits(wine, area):
    (area / "a.txt").write_bytes(b"x" * 2560)
    (area / "b.txt").write_bytes(b"x" * 3584)
    (area / "c.bin").write_bytes(b"x" * 1536)
    (area / "dir").mkdir()
    five = area / "five.iso"
    huge = area / "huge.img"
    with open(five, "wb"):
        pass
    os.truncate(five, 5 * 1024**3)  # sparse: no disk space used
    with open(huge, "wb"):
        pass
    os.truncate(huge, 4 * 1024**3 + 2560)
    cases = [
        (["filesize", AREA + "\\a.txt", "1024"], ["SET SIZE=2"]),
        (["filesize", AREA + "\\b.txt", "1024"], ["SET SIZE=4"]),
        (["filesize", AREA + "\\c.bin", "1024"], ["SET SIZE=2"]),
        (["filesize", AREA + "\\five.iso", "1"], ["SET SIZE=5368709120"]),
        (["filesize", AREA + "\\huge.img", "1024"], ["SET SIZE=4194306"]),
        (["filesize", AREA + "\\five.iso", "1073741824"], ["SET SIZE=5"]),
        (["filesize", AREA + "\\a.*", "1"], ["SET SIZE=2560"]),
        (["filesize", AREA + "\\?.bin", "0,5"], ["SET SIZE=3072"]),
        (["filesize", AREA + "\\dir", "1"], ["SET SIZE=0"]),
        (["filesize", AREA + "\\missing*", "1"], ["SET SIZE=0"]),
        (["filesize", AREA + "\\" + LONG_NAME, "1"], ["SET SIZE=0"]),
        (["filesize", AREA + "\\a.txt", "0"], ["SET ERROR=1"]),
        (["filesize", AREA + "\\dir", "0"], ["SET ERROR=1"]),
        (["filesize", AREA + "\\a.txt", "abc"], ["SET ERROR=1"]),
        (["filesize", AREA + "\\a.txt", "0.5"], ["SET ERROR=1"]),
        (["filesize", AREA + "\\a.txt"], ["SET ERROR=1"]),
    ]
    check_all(wine, cases)
    check_all(wine, [(["filesize", AREA + "\\a.txt", "0.5"], ["SET SIZE=5120"])], locale="en")


# The system turns a file time into local time with the time zone's offset as it stands now, not as it
# stood at the file's date (FileTimeToLocalFileTime); the tests run Wine with TZ=Europe/Paris.
def current_offset() -> datetime.timedelta:
    return datetime.datetime.now(ZoneInfo(WINE_TIME_ZONE)).utcoffset()


def set_local_write_time(path: Path, local: datetime.datetime):
    """Sets the last-write time that the system will report as this local time."""
    stamp = (local - current_offset()).replace(tzinfo=datetime.timezone.utc).timestamp()
    os.utime(path, (stamp, stamp))


def test_file_date_reports_even_seconds_of_the_local_time(wine, area):
    (area / "odd.txt").write_bytes(b"x")
    set_local_write_time(area / "odd.txt", datetime.datetime(2026, 12, 7, 10, 15, 37, 250000))
    (area / "midnight.txt").write_bytes(b"x")
    set_local_write_time(area / "midnight.txt", datetime.datetime(2026, 3, 1))
    (area / "old.txt").write_bytes(b"x")
    os.utime(area / "old.txt", (86400 * 365 * 5, 86400 * 365 * 5))  # 1975
    (area / "dir").mkdir()
    check_all(wine, [
        (["filedate", AREA + "\\odd.txt", "nn:ss"], ["SET DATE=15:36"]),
        (["filedate", AREA + "\\odd.txt", "yyyy-mm-dd hh:nn:ss zzz"], ["SET DATE=2026-12-07 10:15:36 000"]),
        (["filedate", AREA + "\\odd.txt", "NULL"], ["SET DATE=07/12/2026 10:15:36"]),
        (["filedate", AREA + "\\midnight.txt", "NULL"], ["SET DATE=01/03/2026"]),
        (["filedate", AREA + "\\od?.*", "ss"], ["SET DATE=36"]),
        (["filedate", AREA + "\\old.txt", "yyyy"], ["SET ERROR=1"]),
        (["filedate", AREA + "\\dir", "yyyy"], ["SET ERROR=1"]),
        (["filedate", AREA + "\\missing.txt", "yyyy"], ["SET ERROR=1"]),
        (["filedate", AREA + "\\" + LONG_NAME, "yyyy"], ["SET ERROR=1"]),
        (["filedate", AREA + "\\odd.txt"], ["SET ERROR=1"]),
    ])
    check_all(wine, [(["filedate", AREA + "\\odd.txt", "dddd"], ["SET DATE=Monday"])], locale="en")


def test_existence_of_files_and_folders(wine, area):
    (area / "a.txt").write_bytes(b"x")
    (area / "été & 100%.txt").write_bytes(b"x")
    (area / "old.dat").write_bytes(b"x")
    os.utime(area / "old.dat", (86400 * 365 * 5, 86400 * 365 * 5))
    (area / "sub dir").mkdir()
    check_all(wine, [
        (["fileexists", AREA + "\\a.txt"], ["SET ITEMEXISTS=1"]),
        (["fileexists", AREA + "\\été & 100%.txt"], ["SET ITEMEXISTS=1"]),
        (["fileexists", AREA + "\\*.txt"], ["SET ITEMEXISTS=1"]),
        (["fileexists", AREA + "\\s*"], ["SET ITEMEXISTS=0"]),  # the first match is a folder
        (["fileexists", AREA + "\\sub dir"], ["SET ITEMEXISTS=0"]),
        (["fileexists", AREA + "\\old.dat"], ["SET ITEMEXISTS=0"]),  # a 1975 time is outside the DOS range
        (["fileexists", AREA + "\\missing.txt"], ["SET ITEMEXISTS=0"]),
        (["fileexists", AREA + "\\" + LONG_NAME], ["SET ITEMEXISTS=0"]),
        (["fileexists"], ["SET ERROR=1"]),
        (["directoryexists", AREA + "\\sub dir"], ["SET ITEMEXISTS=1"]),
        (["directoryexists", AREA + "\\sub dir\\"], ["SET ITEMEXISTS=1"]),
        (["directoryexists", "C:\\"], ["SET ITEMEXISTS=1"]),
        (["directoryexists", AREA + "\\a.txt"], ["SET ITEMEXISTS=0"]),
        (["directoryexists", AREA + "\\sub*"], ["SET ITEMEXISTS=0"]),
        (["directoryexists", AREA + "\\" + LONG_NAME], ["SET ITEMEXISTS=0"]),
        (["directoryexists"], ["SET ERROR=1"]),
    ])


# --- createtree -----------------------------------------------------------------------------------------

def test_create_tree_makes_every_missing_level(wine, area):
    (area / "A").mkdir()
    (area / "file").write_bytes(b"x")
    check_all(wine, [
        (["createtree", AREA + "\\A\\B\\C\\"], []),
        (["createtree", AREA + "\\é & 100%\\x y"], []),
        (["createtree", AREA + "\\file\\sub"], []),
        (["createtree", AREA + "\\w*x\\y"], []),
        (["createtree", AREA + "\\" + LONG_NAME + "\\z"], []),
        (["createtree", "C:"], []),
        (["createtree", "C:\\"], []),
        (["createtree", "NULL"], ["SET ERROR=1"]),
        (["createtree"], ["SET ERROR=1"]),
    ])
    assert snapshot(area) == {"A": None, "A/B": None, "A/B/C": None, "é & 100%": None, "é & 100%/x y": None,
                              "file": b"x"}


def test_create_tree_of_a_relative_path_fails_when_its_first_folder_is_missing(wine, area):
    (area / "have").mkdir()
    assert texts(run_in(wine, area, "createtree", "abc\\def")) == ["SET ERROR=1"]
    assert texts(run_in(wine, area, "createtree", "have\\sub\\deeper")) == []
    assert snapshot(area) == {"have": None, "have/sub": None, "have/sub/deeper": None}


# --- text files -----------------------------------------------------------------------------------------

TEXT_CASES = [
    # content, COUNT, {index: LINE or None for "SET ERROR=1"}
    (b"a\r\nb\r\nc", 2, {"0": "a", "1": "b", "2": None, "-1": "a"}),
    (b"a\r\nb\r\nc\r\n", 2, {"1": "b", "2": None}),
    (b"a\nb\nc\n", 2, {"0": "a", "1": "b", "2": None}),
    (b"a\rb\rc", 2, {"1": "b"}),
    (b"a\n\rb", 2, {"1": ""}),
    (b"one", 0, {"0": None, "-1": "one"}),
    (b"", -1, {"0": None, "-1": None}),
    (b"a\r\nb\0c\r\nd\r\n", 1, {"0": "a", "1": None}),
    (b"\xe9t\xe9 & 100%\r\nfin", 1, {"0": "été ^& 100%%"}),
    (b"".join(b"L%d\r\n" % i for i in range(18)), 17, {"$10": "L16", "abc": None, "NULL": None, "17": None}),
]


def test_text_files_split_into_lines_by_the_rule(wine, area):
    cases = []
    for number, (content, count, reads) in enumerate(TEXT_CASES):
        name = f"{AREA}\\t{number}.txt"
        (area / f"t{number}.txt").write_bytes(content)
        cases.append((["countlinesoftextfile", name], [f"SET COUNT={count}"]))
        for index, line in reads.items():
            cases.append((["readlineoftextfile", name, index], ["SET ERROR=1" if line is None else "SET LINE=" + line]))
    check_all(wine, cases)


def test_text_commands_on_what_is_not_a_readable_file(wine, area):
    (area / "a.txt").write_bytes(b"x\r\ny\r\n")
    (area / "dir").mkdir()
    for path in [AREA + "\\missing.txt", AREA + "\\dir", AREA + "\\*.txt", AREA + "\\" + LONG_NAME, "NULL",
                 "NUL", "CON", "COM1", AREA + "\\nul"]:
        check_all(wine, [
            (["countlinesoftextfile", path], ["SET ERROR=1"]),
            (["readlineoftextfile", path, "0"], ["SET ERROR=1"]),
        ])
    check_all(wine, [(["readlineoftextfile", AREA + "\\a.txt"], ["SET ERROR=1"])])


# --- INI files ------------------------------------------------------------------------------------------

def test_ini_files_with_and_without_a_path(wine, area):
    windows_ini = wine.host_path("C:\\windows\\tovrik-e2e.ini")
    windows_ini.unlink(missing_ok=True)
    try:
        check_all(wine, [
            (["iniwrite", AREA + "\\app.ini", "Main", "Name", "Tom & Jerry 100% été"], []),
            (["iniwrite", AREA + "\\app.ini", "Main", "Empty", "NULL"], []),
            (["iniread", AREA + "\\app.ini", "main", "NAME", "none"], ["SET INIRESULT=Tom ^& Jerry 100%% été"]),
            (["iniread", AREA + "\\app.ini", "Main", "Empty", "none"], ["SET INIRESULT="]),
            (["iniread", AREA + "\\app.ini", "Main", "Other", "none"], ["SET INIRESULT=none"]),
            (["iniread", AREA + "\\app.ini", "Main", "Other", "NULL"], ["SET INIRESULT="]),
            (["iniread", AREA + "\\never.ini", "Main", "Name", "none"], ["SET INIRESULT=none"]),
            (["iniwrite", "tovrik-e2e.ini", "S", "K", "v"], []),
            (["iniread", "tovrik-e2e.ini", "S", "K", "none"], ["SET INIRESULT=v"]),
            (["iniwrite", AREA + "\\*.ini", "S", "K", "v"], ["SET ERROR=1"]),
            (["iniwrite", AREA + "\\app.ini", "Main", "Name"], ["SET ERROR=1"]),
            (["iniread", AREA + "\\app.ini", "Main", "Name"], ["SET ERROR=1"]),
        ])
        assert (area / "app.ini").read_bytes() == b"[Main]\r\nName=Tom & Jerry 100% \xe9t\xe9\r\nEmpty=\r\n"
        assert sorted(p.name for p in area.iterdir()) == ["app.ini"], "reading must not create a file"
        assert windows_ini.read_bytes() == b"[S]\r\nK=v\r\n"
    finally:
        windows_ini.unlink(missing_ok=True)


def test_ini_names_too_long_for_the_system_are_refused(wine, area):
    # Run in the folder: the values must not land in some other file there.
    for name in [AREA + "\\" + LONG_NAME + ".ini", LONG_NAME + ".ini", "sub\\" + LONG_NAME[:250] + ".ini"]:
        assert texts(run_in(wine, area, "iniwrite", name, "S", "K", "v")) == ["SET ERROR=1"], name
        assert texts(run_in(wine, area, "iniread", name, "S", "K", "none")) == ["SET INIRESULT=none"], name
    assert snapshot(area) == {}


# --- files that cannot be written ------------------------------------------------------------------------

def test_a_file_held_open_for_writing(wine, area):
    (area / "log.txt").write_bytes(b"a\r\nb\r\nc\r\n")
    (area / "log.ini").write_bytes(b"[s]\r\nk=v\r\n")
    (area / "new.txt").write_bytes(b"new")
    with held_open(wine, AREA + "\\log.txt"):
        check_all(wine, [
            (["countlinesoftextfile", AREA + "\\log.txt"], ["SET ERROR=1"]),
            (["readlineoftextfile", AREA + "\\log.txt", "0"], ["SET ERROR=1"]),
            (["fileexists", AREA + "\\log.txt"], ["SET ITEMEXISTS=1"]),
            (["filesize", AREA + "\\log.txt", "1"], ["SET SIZE=9"]),
            (["filecopy", AREA + "\\new.txt", AREA + "\\log.txt"], []),
            (["renameitem", AREA + "\\log.txt", AREA + "\\moved.txt"], []),
            (["filecopy", AREA + "\\log.txt", AREA + "\\copy.txt"], []),
        ])
    with held_open(wine, AREA + "\\log.ini"):
        check_all(wine, [
            (["iniwrite", AREA + "\\log.ini", "s", "k", "w"], ["SET ERROR=1"]),
            (["iniread", AREA + "\\log.ini", "s", "k", "none"], ["SET INIRESULT=v"]),
        ])
    after = snapshot(area)
    # Whether a file being written can be copied is the platform's rule; a copy, if made, is whole.
    assert after.pop("copy.txt", b"a\r\nb\r\nc\r\n") == b"a\r\nb\r\nc\r\n"
    assert after == {"log.txt": b"a\r\nb\r\nc\r\n", "log.ini": b"[s]\r\nk=v\r\n", "new.txt": b"new"}


def test_a_read_only_destination_stays_unchanged(wine, area):
    (area / "new.txt").write_bytes(b"new")
    (area / "ro.txt").write_bytes(b"old")
    (area / "ro.ini").write_bytes(b"[s]\r\nk=v\r\n")
    (area / "ro dir").mkdir()
    for name in ["ro.txt", "ro.ini", "ro dir"]:
        make_read_only(area / name)
    check_all(wine, [
        (["filecopy", AREA + "\\new.txt", AREA + "\\ro.txt"], []),
        (["filecopy", AREA + "\\new.txt", AREA + "\\ro dir\\new.txt"], []),
        (["renameitem", AREA + "\\new.txt", AREA + "\\ro dir\\new.txt"], []),
        (["createtree", AREA + "\\ro dir\\a\\b"], []),
        (["iniwrite", AREA + "\\ro.ini", "s", "k", "w"], ["SET ERROR=1"]),
        (["iniread", AREA + "\\ro.ini", "s", "k", "none"], ["SET INIRESULT=v"]),
        (["countlinesoftextfile", AREA + "\\ro.txt"], ["SET COUNT=0"]),
        (["readlineoftextfile", AREA + "\\ro.ini", "0"], ["SET LINE=[s]"]),
    ])
    assert snapshot(area) == {"new.txt": b"new", "ro.txt": b"old", "ro.ini": b"[s]\r\nk=v\r\n", "ro dir": None}
