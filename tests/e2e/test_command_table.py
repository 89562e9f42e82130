"""Every word of the command table, run bare as a script might by mistake: a well-formed return file (the two
header lines, then SET lines only), exit code 0, no crash, no hang. The words that end the session are left
out: under Wine they would end every process of the test session."""
import re

from harness import ROOT, set_lines

ENDS_THE_SESSION = {"shutdown", "logoff", "reboot"}


def registered_words() -> list[str]:
    table = (ROOT / "src/frontend/dispatch.cpp").read_text()
    body = table[table.index("kCommands[] = {"):]
    body = body[:body.index("\n};")]
    words = re.findall(r'^\s*\{\.word = "([^"]+)",', body, flags=re.MULTILINE)
    return sorted(set(words))


def test_the_table_is_read():
    words = registered_words()
    assert {"/config", "strlength", "getspecialfolder", "createprogressdlg"} <= set(words), words


def test_every_word_without_arguments_leaves_a_well_formed_return_file(wine):
    problems = []
    for word in registered_words():
        if word in ENDS_THE_SESSION:
            continue
        wine.default_return_file.unlink(missing_ok=True)
        run = wine.run(word, timeout=60)
        if run.exit_code != 0:
            problems.append(f"{word}: exit code {run.exit_code:#x}")
            continue
        try:
            set_lines(run)
        except AssertionError as error:
            problems.append(f"{word}: {error}")
    assert not problems, "\n".join(problems)


def loaded_dlls(wine, *args) -> set[str]:
    """The DLLs Wine loads for one run of the program, from its loader trace."""
    done = wine.call("tovrik.exe", *args, env={"TOVRIK_WINEDEBUG": "+loaddll"})
    trace = done.stderr.decode(errors="replace")
    assert done.returncode == 0, trace[-4000:]
    return {name.lower() for name in re.findall(r'Loaded L"[^"]*\\([^"\\]+\.dll)"', trace, re.I)}


def test_a_command_that_shows_no_window_loads_no_window_or_shell_library(wine):
    late = {"user32.dll", "gdi32.dll", "shell32.dll", "ole32.dll", "oleaut32.dll", "comctl32.dll",
            "comdlg32.dll", "winmm.dll", "wininet.dll", "ws2_32.dll", "wsock32.dll", "mpr.dll", "version.dll"}
    plain = loaded_dlls(wine, "strlength", "abc")
    assert "kernel32.dll" in plain, plain  # the trace is read
    assert not plain & late, sorted(plain & late)
    # The same trace shows a late library once a command needs it.
    assert "shell32.dll" in loaded_dlls(wine, "getspecialfolder", "desktop")
