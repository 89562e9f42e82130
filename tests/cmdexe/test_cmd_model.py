"""The model of Windows' cmd.exe against the behaviour its sources publish: each row is a return file's
body, the caller's variables, and what the model must give in each mode."""
import pytest

from cmd_model import run_return_file

CALLER = {"b": "B", "PATH": "C:\\Windows", "var": "V"}


# (lines of the file, mode, the variable X afterwards or None, commands that ran, a fault the model finds)
ROWS = [
    # Phase 1: "%%" is "%", an undefined variable is nothing, a lone "%" is removed.
    (["SET X=100%%"], "plain", "100%", [], None),
    (["SET X=%PATH%;x"], "plain", "C:\\Windows;x", [], None),
    (["SET X=%UNDEFINED%end"], "plain", "end", [], None),
    (["SET X=50% off"], "plain", "50 off", [], None),
    (["SET X=%PATH:~0,2%"], "plain", "C:", [], None),
    (["SET X=%PATH:Windows=W%"], "plain", "C:\\W", [], None),
    (["SET X=%~dp0|"], "plain", "C:\\Tovrik.bat", [], "unescaped |"),
    # Phase 2: carets escape outside quotes only; operators split and redirect.
    (["SET X=a^&b^|c^<d^>e^^"], "plain", "a&b|c<d>e^", [], None),
    (['SET X="a^&b"'], "plain", '"a^&b"', [], None),
    (['SET X="a&b" & c'], "plain", '"a&b" ', ["c"], "unescaped &"),
    (["SET X=a&mkdir C:\\x"], "plain", "a", ["mkdir C:\\x"], "unescaped &"),
    (["SET X=a > C:\\x"], "plain", "a ", [], "redirection to 'C:\\\\x'"),
    (["SET X=a>C:\\x b"], "plain", "a b", [], "redirection"),
    (["SET X=end^", "SET Y=1"], "plain", "end", [], "a caret ends the line"),
    # Phase 5: only under delayed expansion, only on a token that holds "!".
    (["SET X=Hello!"], "plain", "Hello!", [], None),
    (["SET X=Hello!"], "delayed", "Hello", [], None),
    (["SET X=x!b!y"], "delayed", "xBy", [], None),
    (["SET X=!PATH!"], "delayed", "C:\\Windows", [], None),
    (["SET X=!var:~0,1!!"], "delayed", "V", [], None),
    (["SET X=a^^b"], "delayed", "a^b", [], None),
    (["SET X=a^^b!"], "delayed", "ab", [], None),
    (["SET X=^^!"], "delayed", "!", [], None),
    (["SET X=x^^!b^^!y"], "delayed", "x!b!y", [], None),
    (['SET X="^!"'], "delayed", '"!"', [], None),
    (["SET X=!!b!"], "delayed", "B", [], None),
    # IF and GOTO: "!!" is "" only under delayed expansion.
    (['@if "!!"=="" goto two', "SET X=one", "@goto :eof", ":two", "SET X=two"], "plain", "one", [], None),
    (['@if "!!"=="" goto two', "SET X=one", "@goto :eof", ":two", "SET X=two"], "delayed", "two", [], None),
    (["goto nowhere", "SET X=1"], "plain", None, [], "no label 'nowhere'"),
    # Phase 0: Ctrl-Z ends the line that runs; GOTO reads it as a character.
    (["SET X=abc\x1amkdir C:\\x"], "plain", "abc", ["mkdir C:\\x"], None),
    (["SET X=" + "a" * 8184], "plain", "a" * 8184, [], None),
    (["SET X=" + "a" * 8185], "plain", "a" * 8185, [], "more than cmd.exe reads"),
    # SET without "=" lists variables: a command that ran.
    (["SET X"], "plain", None, ["SET X"], None),
    (["SET X=1", "SET X="], "plain", None, [], None),
]


@pytest.mark.parametrize("lines, mode, expected, ran, fault", ROWS,
                         ids=[f"{i}-{row[1]}" for i, row in enumerate(ROWS)])
def test_the_model_follows_the_published_rules(lines, mode, expected, ran, fault):
    data = "".join(line + "\r\n" for line in lines).encode("cp850")
    outcome = run_return_file(data, CALLER, delayed=mode == "delayed")
    assert outcome.value("X") == expected
    assert outcome.ran == ran
    if fault:
        assert any(fault in found for found in outcome.faults), outcome.faults
    else:
        assert outcome.faults == []
    assert {name: outcome.value(name) for name in CALLER} == CALLER


def test_echo_on_prints_every_command_but_those_with_at():
    data = b"REM - header\r\nSET A=1\r\n@SET PASSWORD=secret\r\n@if \"!!\"==\"\" goto x\r\n:x\r\n"
    echoed = run_return_file(data, {}, delayed=False, echo=True).echoed
    assert echoed == ["REM - header", "SET A=1"]
    assert run_return_file(data, {}, delayed=False, echo=False).echoed == []
