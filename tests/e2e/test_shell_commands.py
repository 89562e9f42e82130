"""Shell copy, move and delete, special folders, shortcuts, INF installation and executable lookup, with
real files in the prefix's drive C."""
import os
import struct
import time
from contextlib import contextmanager
from pathlib import Path

import pytest

from harness import ANSI, hex_arg, probe_text, set_lines, texts

ROOT = "C:\\tovrik-shell"
# The shell's confirmation box for deleting a folder, per regional setting.
DELETE_FOLDER_TITLES = {"fr": "Confirmez la suppression du dossier", "en": "Confirm folder deletion"}
SUB_WORDS_AND_CSIDLS = [
    ("sendto", 9), ("desktop", 16), ("programs", 2), ("recents", 8), ("startmenu", 11), ("startup", 7),
    ("templates", 21), ("nethood", 19), ("personal", 5), ("cookies", 33), ("favorites", 6), ("fonts", 20),
    ("history", 34), ("internetcache", 32),
]


def contents(path: Path) -> dict:
    """Relative path -> file text (None for a directory) of everything below path."""
    return {p.relative_to(path).as_posix(): (None if p.is_dir() else p.read_text(encoding="utf-8"))
            for p in sorted(path.rglob("*"))}


def make_files(base: Path, files: dict):
    for name, text in files.items():
        target = base / name
        target.parent.mkdir(parents=True, exist_ok=True)
        target.write_text(text, encoding="utf-8")


@pytest.fixture
def area(folders):
    return folders(ROOT)


@contextmanager
def tvkdoc_opened_by_notepad(wine):
    """Registers the .tvkdoc documents as opened by Notepad for the block."""
    wine.reg_set_string(r"HKLM\Software\Classes\.tvkdoc", "", "tvkdocfile")
    wine.reg_set_string(r"HKLM\Software\Classes\tvkdocfile\shell\open\command", "",
                        '"C:\\windows\\system32\\notepad.exe" "%1"')
    try:
        yield
    finally:
        wine.reg_delete_key(r"HKLM\Software\Classes\.tvkdoc")
        wine.reg_delete_key(r"HKLM\Software\Classes\tvkdocfile")


# --- copy, move, delete --------------------------------------------------------------------------

SOURCE_FILES = {"a.txt": "a", "b.tmp": "b", "sub/c.txt": "c", "sub/d.tmp": "d"}


@pytest.mark.parametrize("source,destination", [
    ("data", "new"),
    ("Tom & Jerry 100%", "copie été\\plus loin"),
])
def test_silent_copy_of_a_pattern_creates_the_destination(wine, area, source, destination):
    make_files(area / source, SOURCE_FILES)
    run = wine.run("silentdircopy", f"{ROOT}\\{source}\\*.*", f"{ROOT}\\{destination}", timeout=60)
    assert set_lines(run) == []
    copied = area / destination.replace("\\", "/")
    assert contents(copied) == contents(area / source)
    assert contents(area / source)["sub/c.txt"] == "c", "the source stays"


def test_silent_delete_of_a_pattern_of_a_file_and_of_a_tree(wine, area):
    make_files(area / "data", SOURCE_FILES)
    assert set_lines(wine.run("silentdirdelete", f"{ROOT}\\data\\*.tmp")) == []
    # Whether a pattern reaches into sub-directories is the shell's own rule (Wine's does not).
    left = set(contents(area / "data"))
    assert "b.tmp" not in left and {"a.txt", "sub", "sub/c.txt"} <= left
    assert set_lines(wine.run("silentdirdelete", f"{ROOT}\\data\\a.txt")) == []
    assert "a.txt" not in set(contents(area / "data"))
    assert set_lines(wine.run("silentdirdelete", f"{ROOT}\\data")) == []
    assert not (area / "data").exists()
    assert set_lines(wine.run("silentdirdelete", f"{ROOT}\\data")) == [], "a missing item is not reported"


def test_silent_move_of_a_tree_and_of_a_pattern(wine, area):
    make_files(area / "data", SOURCE_FILES)
    expected = contents(area / "data")
    assert set_lines(wine.run("silentdirmove", f"{ROOT}\\data", f"{ROOT}\\moved")) == []
    assert not (area / "data").exists()
    assert contents(area / "moved") == expected
    (area / "texts").mkdir()
    assert set_lines(wine.run("silentdirmove", f"{ROOT}\\moved\\*.txt", f"{ROOT}\\texts")) == []
    assert "a.txt" in contents(area / "texts")
    assert {"b.tmp", "sub", "sub/d.tmp"} <= set(contents(area / "moved")) and "a.txt" not in contents(area / "moved")


def test_relative_paths_expand_against_the_scripts_current_directory(wine, area):
    make_files(area / "data", {"a.txt": "a"})
    (area / "copie").mkdir()
    wine.batch(f'cd /d {ROOT}\\data\n"%TOVRIK%" silentdircopy a.txt ..\\copie\n')
    assert set_lines(wine.return_file_now()) == []
    assert contents(area / "copie") == {"a.txt": "a"}


def test_unusable_paths_report_an_error_or_nothing_and_touch_nothing_else(wine, area):
    make_files(area, {"data/a.txt": "a", "file.txt": "keep", "readonly/a.txt": "old"})
    # The runs start here: a path that reached the shell empty would make it copy into this directory.
    (area / "cwd").mkdir()
    os.chmod(area / "readonly" / "a.txt", 0o444)
    long_path = f"{ROOT}\\" + "x" * 300
    cases = [
        (("silentdircopy", f"{ROOT}\\data", long_path), [b"SET ERROR=1"]),
        (("silentdirmove", long_path, f"{ROOT}\\moved"), [b"SET ERROR=1"]),
        (("silentdirdelete", long_path + "\\*.*"), [b"SET ERROR=1"]),
        (("silentdircopy", f"{ROOT}\\data"), [b"SET ERROR=1"]),
        (("silentdircopy", f"{ROOT}\\missing\\*.*", f"{ROOT}\\out"), []),
        (("silentdircopy", f"{ROOT}\\data", f"{ROOT}\\file.txt"), []),
        (("silentdircopy", f"{ROOT}\\data\\a.txt", f"{ROOT}\\readonly"), []),
        (("silentdircopy", f"{ROOT}\\data", "NULL"), [b"SET ERROR=1"]),
        (("silentdircopy", f"{ROOT}\\data\\*.txt", f"{ROOT}\\o*t"), [b"SET ERROR=1"]),
        (("silentdirmove", f"{ROOT}\\data\\a.txt", f"{ROOT}\\out?"), [b"SET ERROR=1"]),
        (("silentdirmove", f"{ROOT}\\data", "NULL"), [b"SET ERROR=1"]),
        (("silentdirdelete", "NULL"), [b"SET ERROR=1"]),
    ]
    before = contents(area)
    for index, (args, expected) in enumerate(cases):
        run = wine.run(*args, cwd=area / "cwd")
        assert run.exit_code == 0, index
        assert set_lines(run) == expected, index
    after = contents(area)
    assert after.pop("data/a.txt") == "a" and after.pop("file.txt") == "keep"
    assert after.pop("readonly/a.txt") in ("a", "old")
    assert set(after) <= set(before), f"new items: {set(after) - set(before)}"
    assert not any((area / "cwd").iterdir())


def test_plain_delete_asks_first_and_a_closed_box_deletes_nothing(wine, area, started):
    make_files(area / "keep", {"a.txt": "a"})
    process = started("tovrik.exe", "dirdelete", f"{ROOT}\\keep")
    box = wine.probe("window", DELETE_FOLDER_TITLES["fr"], "30000", timeout=60).stdout.decode(ANSI)
    assert box.startswith("hwnd "), box
    assert wine.probe("close", DELETE_FOLDER_TITLES["fr"], "5000").returncode == 0
    assert process.wait(timeout=30) == 0
    assert contents(area / "keep") == {"a.txt": "a"}
    assert set_lines(wine.return_file_now()) == []


def test_plain_copy_into_a_new_directory_copies_without_a_question(wine, area):
    make_files(area / "data", SOURCE_FILES)
    run = wine.run("dircopy", f"{ROOT}\\data\\*.*", f"{ROOT}\\new", timeout=60)
    assert set_lines(run) == []
    assert contents(area / "new") == contents(area / "data")


# --- special folders --------------------------------------------------------------------------------

def test_every_sub_word_names_the_folder_the_system_reports(wine):
    report = wine.probe("folders", *[str(csidl) for _, csidl in SUB_WORDS_AND_CSIDLS]).stdout.decode().split("\n")
    facts = {}
    for line in filter(None, (line.strip() for line in report)):
        words = line.split()
        key, value = (int(words[1]), words[2]) if words[0] == "csidl" else (words[0], words[1])
        facts[key] = probe_text(value)
    expected = {word: facts[csidl] + "\\" if facts[csidl] else "" for word, csidl in SUB_WORDS_AND_CSIDLS}
    expected["wintemp"] = facts["temp"]
    expected["sysdir"] = facts["system"] + "\\"
    expected["windir"] = facts["windows"] + "\\"
    assert len(expected) == 17
    for word, path in expected.items():
        assert texts(wine.run("getspecialfolder", word)) == ["SET DIR=" + path], word
    assert expected["windir"].lower() == "c:\\windows\\"


@pytest.mark.parametrize("args,expected", [
    ((" Desktop ",), "desktop"),
    (("DESK",), None),
    (("NULL",), None),
    ((), "error"),
])
def test_sub_words_are_trimmed_and_unknown_ones_add_nothing(wine, args, expected):
    lines = set_lines(wine.run("getspecialfolder", *args))
    if expected is None:
        assert lines == []
    elif expected == "error":
        assert lines == [b"SET ERROR=1"]
    else:
        assert lines == set_lines(wine.run("getspecialfolder", expected))
        assert len(lines) == 1 and lines[0].endswith(b"\\Desktop\\")


def test_wintemp_is_c_when_the_temporary_directory_is_missing(wine):
    wine.batch('set TMP=C:\\tovrik-no-such-dir\nset TEMP=C:\\tovrik-no-such-dir\n'
               '"%TOVRIK%" getspecialfolder wintemp\n')
    assert set_lines(wine.return_file_now()) == [b"SET DIR=c:\\"]


# --- shortcuts -----------------------------------------------------------------------------------------

def read_link(wine, path: str) -> dict:
    out = wine.probe("readlink", hex_arg(path)).stdout.decode()
    facts = dict(line.split(" ", 1) for line in out.strip().splitlines())
    return {name: value if name == "showcmd" else probe_text(value) for name, value in facts.items()}


def test_createshortcut_writes_a_link_that_the_shell_reads_back(wine, area):
    make_files(area, {"Outils/app été.exe": "MZ"})
    (area / "Liens").mkdir()
    target = f"{ROOT}\\Outils\\app été.exe"
    run = wine.run("createshortcut", target, f"{ROOT}\\Liens\\Mon outil.old", "Démo & 100%", "-v /x:1")
    assert set_lines(run) == []
    assert sorted(p.name for p in (area / "Liens").iterdir()) == ["Mon outil.lnk"]
    link = read_link(wine, f"{ROOT}\\Liens\\Mon outil.lnk")
    del link["showcmd"]  # the shell reads every value but 1, 3 and 7 back as 1: the file holds what was set
    assert link == {"target": target, "arguments": "-v /x:1", "workdir": "", "description": "Démo & 100%"}
    header = (area / "Liens" / "Mon outil.lnk").read_bytes()
    assert struct.unpack_from("<I", header, 60) == (5,), "show command SW_SHOW"

    run = wine.run("createshortcut", target, f"{ROOT}\\Liens\\Mon outil", "Autre", "NULL")
    assert set_lines(run) == []
    link = read_link(wine, f"{ROOT}\\Liens\\Mon outil.lnk")
    assert (link["description"], link["arguments"]) == ("Autre", ""), "an existing shortcut is replaced"

    assert set_lines(wine.run("createshortcut", target, f"{ROOT}\\Liens\\Résumé", "d", "a")) == []
    assert read_link(wine, f"{ROOT}\\Liens\\Résumé.lnk")["target"] == target
    assert sorted(p.name for p in (area / "Liens").iterdir()) == ["Mon outil.lnk", "Résumé.lnk"]


def test_createshortcut_failures_write_nothing(wine, area):
    make_files(area, {"Outils/app.exe": "MZ"})
    (area / "Liens").mkdir()
    cases = [
        (f"{ROOT}\\Outils", f"{ROOT}\\Liens\\dir"),
        (f"{ROOT}\\Outils\\missing.exe", f"{ROOT}\\Liens\\missing"),
        (f"{ROOT}\\Outils\\*.exe", f"{ROOT}\\Liens\\pattern"),
        (f"{ROOT}\\Outils\\app.exe", f"{ROOT}\\Liens\\" + "n" * 300),
        (f"{ROOT}\\" + "t" * 300 + ".exe", f"{ROOT}\\Liens\\long"),
        ("NULL", f"{ROOT}\\Liens\\empty"),
    ]
    for index, (target, name) in enumerate(cases):
        assert set_lines(wine.run("createshortcut", target, name, "d", "a")) == [b"SET ERROR=1"], index
    assert set_lines(wine.run("createshortcut", f"{ROOT}\\Outils\\app.exe", f"{ROOT}\\Liens\\x", "d")) == [
        b"SET ERROR=1"]
    # A name the file system refuses fails only at the save, which goes unreported.
    assert set_lines(wine.run("createshortcut", f"{ROOT}\\Outils\\app.exe", f"{ROOT}\\Liens\\w*ld?", "d", "a")) == []
    assert list((area / "Liens").iterdir()) == []


# --- INF installation and executable lookup --------------------------------------------------------

INF_KEY = r"Software\TovrikShellTest"
INF_TEXT = """[Version]
Signature="$Windows NT$"

[DefaultInstall]
AddReg=Tovrik.AddReg

[Tovrik.AddReg]
HKCU,"Software\\TovrikShellTest",Installed,,"yes"
"""


def test_installinf_runs_the_default_section_of_a_path_with_blanks(wine, area):
    make_files(area, {"mes pilotes/pilote été.inf": INF_TEXT})
    wine.reg_delete_key(INF_KEY)
    try:
        run = wine.run("installinf", f"{ROOT}\\mes pilotes\\pilote été.inf")
        assert set_lines(run) == []
        deadline = time.monotonic() + 30
        while wine.reg_string(INF_KEY, "Installed") is None and time.monotonic() < deadline:
            time.sleep(0.5)
        assert wine.reg_string(INF_KEY, "Installed") == "yes", "rundll32 did not install the section"
    finally:
        wine.reg_delete_key(INF_KEY)
    assert set_lines(wine.run("installinf")) == [b"SET ERROR=1"]


def test_findexec_reports_the_associated_program_or_nothing(wine, area):
    make_files(area, {"doc été.tvkdoc": "x", "doc.tvkzz": "x", "dir/x": "x"})
    with tvkdoc_opened_by_notepad(wine):
        cases = [
            (f"{ROOT}\\doc été.tvkdoc", b"SET EXEPATH=C:\\windows\\system32\\notepad.exe"),
            (f"{ROOT}\\doc.tvkzz", b"SET EXEPATH="),
            (f"{ROOT}\\missing.tvkzz", b"SET EXEPATH="),
            (f"{ROOT}\\dir", b"SET EXEPATH="),
            (f"{ROOT}\\*.tvkdoc", b"SET EXEPATH="),
            (f"{ROOT}\\" + "x" * 300 + ".tvkdoc", b"SET EXEPATH="),
            ("C:\\windows\\notepad.exe", b"SET EXEPATH=C:\\windows\\notepad.exe"),
        ]
        for document, expected in cases:
            assert set_lines(wine.run("findexec", document)) == [expected], document
    assert set_lines(wine.run("findexec")) == [b"SET ERROR=1"]


def test_findexec_of_a_path_beyond_the_system_limit_reports_nothing(wine, area):
    """The shell is never handed a path longer than it can take: Wine's lookup overflowed its stack on
    2,000 accented letters (the run never ended) and on 20,000 letters (no return file)."""
    long_name = "n" * (260 - len(ROOT) - 1 - len(".tvkdoc")) + ".tvkdoc"  # a whole path of 260 characters
    make_files(area, {long_name: "x", "short.tvkdoc": "x"})
    with tvkdoc_opened_by_notepad(wine):
        cases = [
            (f"{ROOT}\\short.tvkdoc", b"SET EXEPATH=C:\\windows\\system32\\notepad.exe"),
            (f"{ROOT}\\{long_name}", b"SET EXEPATH="),
            ("é" * 2000, b"SET EXEPATH="),
            ("A" * 20000, b"SET EXEPATH="),
            (f"{ROOT}\\" + "é" * 2000 + ".tvkdoc", b"SET EXEPATH="),
        ]
        for document, expected in cases:
            run = wine.run("findexec", document, timeout=60)
            assert run.exit_code == 0, len(document)
            assert set_lines(run) == [expected], len(document)
