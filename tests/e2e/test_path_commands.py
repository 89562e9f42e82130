"""The path command words as scripts use them: splitting, trailing backslashes and short (8.3) forms."""
import pytest

from harness import set_lines, texts, value

WORDS = ["getfilepath", "getfilename", "getfileext", "getfiledir", "getfiledrive", "getfilenamewithoutext",
         "converttomsdospath", "includebackslash", "excludebackslash"]

# Arguments and the one line each gives, as text; the return file holds it in the console code page.
# (The splitting rules have their own exhaustive tests; these show each word end to end.)
SPLIT_CASES = [
    (["getfilepath", "C:\\dir\\file.txt"], "SET STRING=C:\\dir\\"),
    (["getfilename", "C:file.txt"], "SET STRING=file.txt"),
    (["getfilename", "C:/dir/file.txt"], "SET STRING=/dir/file.txt"),
    (["getfileext", "archive.tar.gz"], "SET STRING=.gz"),
    (["getfiledir", "\\\\server\\share\\file"], "SET STRING=\\\\server\\share"),
    (["getfiledrive", "\\\\server\\share\\dir\\file"], "SET STRING=\\\\server\\share"),
    (["getfilenamewithoutext", "C:\\dir\\a.txt.txt"], "SET STRING=a"),
    (["includebackslash", "C:\\dir"], "SET DIR=C:\\dir\\"),
    (["includebackslash", "NULL"], "SET DIR=\\"),
    (["excludebackslash", "C:\\dir\\\\"], "SET DIR=C:\\dir\\"),
    (["getfiledir", " C:\\Données\\été .txt"], "SET STRING= C:\\Données"),
    (["getfilenamewithoutext", "C:\\Données\\été à la plage.txt"], "SET STRING=été à la plage"),
    (["getfilename", "C:\\dir\\" + "n" * 300 + ".txt"], "SET STRING=" + "n" * 300 + ".txt"),
    (["converttomsdospath", "C:\\no such dir\\no such file.txt"], "SET STRING="),
    (["converttomsdospath", "NULL"], "SET STRING="),
]


@pytest.mark.parametrize("locale", ["fr", "en"])
def test_each_word_gives_its_line(wine, locale):
    for index, (args, expected) in enumerate(SPLIT_CASES):
        run = wine.run(*args, locale=locale)
        assert run.exit_code == 0, index
        assert texts(run, locale) == [expected], (index, args)


def test_a_missing_path_is_an_error(wine):
    for word in WORDS:
        assert set_lines(wine.run(word)) == [b"SET ERROR=1"], word


@pytest.fixture
def long_names(folders):
    """C:\\Long Directory Name\\some long file name.txt, with a content that tells it apart."""
    (folders("C:\\Long Directory Name") / "some long file name.txt").write_bytes(b"long-named file\r\n")


@pytest.mark.parametrize("locale", ["fr", "en"])
def test_short_forms_name_the_same_file(wine, locale, long_names):
    long_dir = "C:\\Long Directory Name"
    long_file = long_dir + "\\some long file name.txt"
    short_dir = value(wine.run("converttomsdospath", long_dir, locale=locale), "STRING", locale)
    short_file = value(wine.run("converttomsdospath", long_file, locale=locale), "STRING", locale)
    for short in (short_dir, short_file):
        assert "~" in short and " " not in short and short[:3].upper() == "C:\\", short
    # Each short component fits 8.3, and the file's short form lies in the directory's.
    assert all(len(part) <= 12 for part in short_file[3:].split("\\")), short_file
    file_path = value(wine.run("getfilepath", short_file, locale=locale), "STRING", locale)
    assert file_path == short_dir + "\\", (short_file, short_dir)
    # Wine names short forms its own way; what matters is that the system finds the same file by them.
    out = wine.batch(f'"%TOVRIK%" converttomsdospath "{long_file}"\n'
                     "CALL C:\\Tovrik.bat\n"
                     'type "%STRING%"\n'
                     f'"%TOVRIK%" converttomsdospath "{long_dir}"\n'
                     "CALL C:\\Tovrik.bat\n"
                     'dir /b "%STRING%"\n', locale=locale)
    assert out.splitlines() == ["long-named file", "some long file name.txt"]


def test_paths_that_name_no_file_have_no_short_form(wine, long_names):
    for path in ["C:\\Long Directory Name\\*.txt", "C:\\Long Directory Name\\some long file name.tx?",
                 "C:\\Long Directory Name\\<", "C:\\" + "x" * 300, "C:\\Long Directory Name\\missing.txt"]:
        assert set_lines(wine.run("converttomsdospath", path)) == [b"SET STRING="], path


def test_a_short_form_too_long_for_the_buffer_is_empty(wine, folders):
    """A name such as "a.abcd" has a short form longer than itself; a chain of them gives a path that
    exists and fits MAX_PATH while its short form does not fit the 260-character buffer."""
    top = folders("C:\\deep")
    (top / "a.abcd").mkdir()
    one = value(wine.run("converttomsdospath", "C:\\deep\\a.abcd"), "STRING")
    step = len(one) - len("C:\\deep\\") + 1
    if step <= len("a.abcd\\"):
        pytest.skip(f"this file system's short form of a.abcd is no longer than the name ({one})")
    depth = -(-(260 - len("C:\\deep")) // step)  # the first depth whose short form reaches 260
    assert len("C:\\deep") + depth * len("\\a.abcd") < 250
    top.joinpath(*["a.abcd"] * depth).mkdir(parents=True, exist_ok=True)
    fits = "C:\\deep" + "\\a.abcd" * (depth - 1)
    too_long = "C:\\deep" + "\\a.abcd" * depth
    assert len(value(wine.run("converttomsdospath", fits), "STRING")) == len("C:\\deep") + (depth - 1) * step
    assert set_lines(wine.run("converttomsdospath", too_long)) == [b"SET STRING="]


@pytest.mark.parametrize("locale", ["fr", "en"])
def test_ampersands_and_percents_arrive_intact(wine, folders, locale):
    folder = folders("C:\\Tom & Jerry")
    (folder / "100% sure.txt").write_bytes(b"sure\r\n")
    # In a batch file % is written %%; the quotes keep & from cmd.exe.
    path = "C:\\Tom & Jerry\\100%% sure.txt"
    script = []
    for word in WORDS:
        name = "DIR" if word.endswith("backslash") else "STRING"
        script += [f'"%TOVRIK%" {word} "{path}"', "CALL C:\\Tovrik.bat", f"set {name}"]
    script += [f'"%TOVRIK%" converttomsdospath "{path}"', "CALL C:\\Tovrik.bat", 'type "%STRING%"',
               '"%TOVRIK%" getfilenamewithoutext "C:\\x\\%%PATH%% & more.bat"', "CALL C:\\Tovrik.bat",
               "set STRING"]
    out = wine.batch("\n".join(script) + "\n", locale=locale).splitlines()
    short = out[6]
    assert short.startswith("STRING=C:\\") and "~" in short, out
    assert out == [
        "STRING=C:\\Tom & Jerry\\",
        "STRING=100% sure.txt",
        "STRING=.txt",
        "STRING=C:\\Tom & Jerry",
        "STRING=C:",
        "STRING=100% sure",
        short,
        "DIR=C:\\Tom & Jerry\\100% sure.txt\\",
        "DIR=C:\\Tom & Jerry\\100% sure.txt",
        "sure",
        "STRING=%PATH% & more",
    ]


def test_an_accented_long_name_under_french_settings(wine, folders):
    folder = folders("C:\\Données d'été")
    (folder / "crème brûlée.txt").write_bytes(b"dessert\r\n")
    long_file = "C:\\Données d'été\\crème brûlée.txt"
    assert texts(wine.run("getfilename", long_file)) == ["SET STRING=crème brûlée.txt"]
    assert texts(wine.run("getfiledir", long_file)) == ["SET STRING=C:\\Données d'été"]
    short = value(wine.run("converttomsdospath", long_file), "STRING")
    assert short and " " not in short, short
    out = wine.batch(f'"%TOVRIK%" converttomsdospath "{long_file}"\n'
                     "CALL C:\\Tovrik.bat\n"
                     'type "%STRING%"\n'
                     f'"%TOVRIK%" getfilename "{long_file}"\n'
                     "CALL C:\\Tovrik.bat\n"
                     'if exist "C:\\Données d\'été\\%STRING%" echo found %STRING%\n')
    assert out.splitlines() == ["dessert", "found crème brûlée.txt"]
