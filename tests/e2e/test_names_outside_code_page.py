"""Names outside the ANSI code page (1252 under French settings), passed as cmd.exe passes them, in UTF-16:
the program acts on the very item a script names, through its short form where the file system gives it
one, and otherwise refuses the whole command; it never acts on the look-alike that best fit makes of a
name (Łódź -> Lódz, Ω -> O, ∞ -> 8, a fullwidth quote -> a quote)."""
import shutil
import time

import pytest

from harness import TIME_SCALE, texts, value

AREA = "C:\\tovrik-names"
DIR = None  # a folder in a tree description
REFUSED = ["SET ERROR=1"]


@pytest.fixture
def area(wine, folders):
    base = folders(AREA)
    yield base
    wine.run("killapp", "o.exe")  # a look-alike a failed test started


def make_tree(root, tree):
    for name, content in tree.items():
        path = root / name.replace("\\", "/")
        if content is DIR:
            path.mkdir(parents=True, exist_ok=True)
        else:
            path.parent.mkdir(parents=True, exist_ok=True)
            path.write_bytes(content)


def snapshot(root):
    """Every file and folder under root, with each file's bytes."""
    return {str(p.relative_to(root)): (DIR if p.is_dir() else p.read_bytes()) for p in sorted(root.rglob("*"))}


def count(wine, name):
    words = wine.probe("countprocesses", name).stdout.split()
    assert words[0] == b"count", words
    return int(words[1])


def a(name):
    return AREA + "\\" + name


# Each row: the tree before, the command line ({} stands for the area), the SET lines. A refused command
# leaves the tree exactly as it was: the look-alike beside the name is neither read, changed nor made.
MISSING_NAME_ROWS = [
    # The shell's copy, move and delete.
    ("delete-lodz", {"Lódz.txt": b"twin"}, ["silentdirdelete", a("Łódź.txt")]),
    ("copy-lodz", {"Lódz.txt": b"twin"}, ["silentdircopy", a("Łódź.txt"), a("copy")]),
    ("move-omega", {"O.txt": b"twin"}, ["silentdirmove", a("Ω.txt"), a("moved")]),
    ("delete-fullwidth-backslash", {"sub\\keep.txt": b"keep"}, ["silentdirdelete", a("sub＼keep.txt")]),
    # Best fit turns an emoji or a CJK name into question marks: a pattern of the shell.
    ("delete-emoji", {"ab.txt": b"twin", "x.txt": b"twin"}, ["silentdirdelete", a("😀.txt")]),
    ("delete-cjk", {"ab.txt": b"twin"}, ["silentdirdelete", a("漢字.txt")]),
    # A fullwidth quote never ends a quoted stretch: the destination stays one argument.
    ("copy-fullwidth-quote", {"src.txt": b"src", "victim.txt": b"victim"},
     ["filecopy", a("src.txt"), a("x＂ ＂") + a("victim.txt")]),
    ("copy-fullwidth-colon", {"src.txt": b"src"}, ["filecopy", a("src.txt"), a("a：b.txt")]),
    ("copy-from-lodz", {"Lódz.txt": b"twin"}, ["filecopy", a("Łódź.txt"), a("copy.txt")]),
    ("rename-to-omega", {"r.txt": b"r"}, ["renameitem", a("r.txt"), a("Ω.txt")]),
    ("createtree-infinity", {}, ["createtree", a("dir∞")]),
    ("fileexists-omega", {"O.txt": b"twin"}, ["fileexists", a("Ω.txt")]),
    ("directoryexists-infinity", {"dir8": DIR}, ["directoryexists", a("dir∞")]),
    ("filesize-omega", {"O.txt": b"twin"}, ["filesize", a("Ω.txt"), "1"]),
    ("filedate-omega", {"O.txt": b"twin"}, ["filedate", a("Ω.txt"), "yyyy"]),
    ("iniwrite-omega", {"O.ini": b"[S]\r\nK=old\r\n"}, ["iniwrite", a("Ω.ini"), "S", "K", "new"]),
    ("readline-omega", {"O.txt": b"twin\r\nmore\r\n"}, ["readlineoftextfile", a("Ω.txt"), "0"]),
    ("setcurrentdir-infinity", {"dir8": DIR}, ["setcurrentdir", a("dir∞")]),
    # Texts that are not names are refused the same way.
    ("strlength-fullwidth-quote", {}, ["strlength", "a＂ ＂b"]),
    ("uppercase-infinity", {}, ["uppercase", "∞"]),
]


@pytest.mark.parametrize("tree, args", [row[1:] for row in MISSING_NAME_ROWS],
                         ids=[row[0] for row in MISSING_NAME_ROWS])
def test_a_name_is_never_turned_into_its_look_alike(wine, area, tree, args):
    make_tree(area, tree)
    before = snapshot(area)
    run = wine.run(*args)
    assert run.exit_code == 0
    assert texts(run) == REFUSED
    assert snapshot(area) == before


@pytest.mark.parametrize("word, args", [
    ("exec", [a("Ω.exe"), "idle 60000"]),
    ("shellexecute", ["open", a("Ω.exe"), "idle 60000", "NULL", "0"]),
])
def test_a_program_is_never_started_through_its_look_alike(wine, area, word, args):
    shutil.copy(wine.exe_dir / "probe.exe", area / "O.exe")
    run = wine.run(word, *args)
    assert texts(run) == REFUSED
    time.sleep(1 * TIME_SCALE)  # a started program would show within this
    assert count(wine, "o.exe") == 0


# An existing item outside the code page is reached through its short form: the command acts on it, and
# on nothing else.
RESCUE_ROWS = [
    ("delete", {"Łódź.txt": b"real", "Lódz.txt": b"twin"}, ["silentdirdelete", a("Łódź.txt")], [],
     {"Lódz.txt": b"twin"}),
    ("copy", {"Ω.txt": b"real", "O.txt": b"twin"}, ["filecopy", a("Ω.txt"), a("copy.txt")], [],
     {"Ω.txt": b"real", "O.txt": b"twin", "copy.txt": b"real"}),
    ("rename", {"漢字.txt": b"real", "ab.txt": b"twin"}, ["renameitem", a("漢字.txt"), a("renamed.txt")], [],
     {"renamed.txt": b"real", "ab.txt": b"twin"}),
    ("fileexists", {"Ω.txt": b"real"}, ["fileexists", a("Ω.txt")], ["SET ITEMEXISTS=1"], None),
    ("directoryexists", {"dir∞": DIR}, ["directoryexists", a("dir∞")], ["SET ITEMEXISTS=1"], None),
    ("filesize", {"Ω.txt": b"12345", "O.txt": b"1"}, ["filesize", a("Ω.txt"), "1"], ["SET SIZE=5"], None),
    ("readline", {"😀.txt": b"real\r\nmore\r\n", "ab.txt": b"twin\r\nmore\r\n"}, ["readlineoftextfile", a("😀.txt"), "0"],
     ["SET LINE=real"], None),
    ("shell-copy-folder", {"dir∞\\f.txt": b"real", "dir8": DIR}, ["silentdircopy", a("dir∞"), a("copy")], [],
     {"dir∞": DIR, "dir∞\\f.txt": b"real", "dir8": DIR, "copy": DIR, "copy\\f.txt": b"real"}),
]


@pytest.mark.parametrize("tree, args, expected, after", [row[1:] for row in RESCUE_ROWS],
                         ids=[row[0] for row in RESCUE_ROWS])
def test_an_existing_item_is_reached_through_its_short_name(wine, area, tree, args, expected, after):
    make_tree(area, tree)
    before = snapshot(area)
    run = wine.run(*args)
    assert texts(run) == expected
    assert snapshot(area) == (before if after is None else {name.replace("\\", "/"): content
                                                           for name, content in after.items()})


# The code page's own characters (é, ß, €, œ) pass unchanged, as they always have.
def test_the_code_pages_own_characters_still_work_everywhere(wine, area):
    name = "éß€œ"
    make_tree(area, {name + ".txt": b"line\r\nmore\r\n", "Lódz.txt": b"twin"})
    cases = [
        (["fileexists", a(name + ".txt")], ["SET ITEMEXISTS=1"]),
        (["filesize", a(name + ".txt"), "1"], ["SET SIZE=12"]),
        (["readlineoftextfile", a(name + ".txt"), "0"], ["SET LINE=line"]),
        (["filecopy", a(name + ".txt"), a(name + "2.txt")], []),
        (["renameitem", a(name + "2.txt"), a(name + "3.txt")], []),
        (["createtree", a(name + "\\" + name)], []),
        (["directoryexists", a(name + "\\" + name)], ["SET ITEMEXISTS=1"]),
        (["iniwrite", a(name + ".ini"), "S", "K", "V"], []),
        (["silentdircopy", a(name), a(name + "-copy")], []),
        (["silentdirdelete", a(name + "3.txt")], []),
        (["strlength", name], ["SET STRLEN=4"]),
    ]
    for index, (args, expected) in enumerate(cases):
        assert texts(wine.run(*args)) == expected, (index, args)
    assert snapshot(area) == {
        "Lódz.txt": b"twin",
        name + ".ini": b"[S]\r\nK=V\r\n",
        name + ".txt": b"line\r\nmore\r\n",
        name: DIR,
        name + "/" + name: DIR,
        name + "-copy": DIR,
        name + "-copy/" + name: DIR,
    }


def test_killapp_never_ends_a_program_through_its_look_alike(wine, area, started):
    shutil.copy(wine.exe_dir / "probe.exe", area / "Ω.exe")
    program = started(str(area / "Ω.exe"), "idle", "60000")
    time.sleep(2 * TIME_SCALE)
    assert program.poll() is None, "the program did not start"
    assert texts(wine.run("killapp", "o.exe")) == []
    time.sleep(1 * TIME_SCALE)
    assert program.poll() is None, "killapp o.exe ended Ω.exe"


def test_paths_from_the_system_are_never_look_alikes(wine, area):
    """The return file's path from the settings, the current directory and relative paths against it, in a
    folder outside the code page beside its look-alike."""
    real, twin = area / "Łódź", area / "Lódz"
    for folder, content in ((real, b"real"), (twin, b"twin")):
        folder.mkdir()
        (folder / "f.txt").write_bytes(content)
    short = value(wine.run("converttomsdospath", a("Łódź")), "STRING")
    assert "~" in short and short != a("Lódz"), short

    # The return file lands in the folder named, written by its UTF-16 name.
    done = wine.call("reg", "add", "HKCU\\Software\\Orlenta\\Tovrik", "/v", "RFile", "/d",
                     a("Łódź") + "\\Tovrik.bat", "/f")
    assert done.returncode == 0, done.stderr
    return_file = real / "Tovrik.bat"
    assert texts(wine.run("strlength", "abc", return_file=return_file)) == ["SET STRLEN=3"]
    assert not (twin / "Tovrik.bat").exists()

    # The current directory is reported by its short form, and relative paths resolve inside it.
    assert texts(wine.run("getcurrentdir", cwd=real, return_file=return_file)) == [f"SET DIR={short}\\"]
    assert texts(wine.run("silentdirdelete", "f.txt", cwd=real, return_file=return_file)) == []
    assert not (real / "f.txt").exists()
    assert (twin / "f.txt").read_bytes() == b"twin"
