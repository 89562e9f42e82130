"""The hostile-argument sweep: command lines drawn (seeded, so reproducible) from classes of hostile
arguments, run one after the other by the probe inside Wine, and the rules every run must keep: it ends
within its time, exits 0, and leaves a whole return file whose values cannot run, redirect or expand
anything when a script CALLs it.

Used by tests/e2e/test_hostile_sweep.py (a few hundred runs) and by bench/hostile.sh (thousands):
    python3 tests/e2e/hostile.py RUNS SEED     (inside a session, as bench/hostile.sh starts it)"""
import random
import re
import sys
import time
from dataclasses import dataclass, field
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent))
sys.path.insert(0, str(Path(__file__).resolve().parents[1] / "cmdexe"))
from cmd_model import LONGEST_LINE, run_return_file  # noqa: E402
from harness import HEADER_1, HEADER_2, OEM_CODE_PAGES, TIME_SCALE, fresh_folder, return_file_halves  # noqa: E402

# Words that show no window and change nothing outside their run: text and numbers, paths, reading
# files, folders and the registry, looking windows up, system facts.
QUIET_WORDS = [
    "getversion", "strlength", "strpos", "strcopy", "uppercase", "lowercase", "isnumeric", "compare", "getdate",
    "add", "sub", "mul", "div", "inc", "dec", "round", "sqr", "abs", "pwr", "random",
    "getfilepath", "getfilename", "getfileext", "getfiledir", "getfiledrive", "getfilenamewithoutext",
    "converttomsdospath", "includebackslash", "excludebackslash", "getcurrentdir", "setcurrentdir",
    "filesize", "filedate", "fileexists", "directoryexists", "countlinesoftextfile", "readlineoftextfile",
    "iniread", "getspecialfolder", "findexec", "getvar",
    "findwinhandle", "findwindow", "findwindowclass", "getwindowtext",
    "getwinver", "getsystemdrive", "getvolumeserial", "getvolumelabel", "diskindrive", "getguid", "isconnected",
    "getip", "clipboardgettext",
    # No word at all: one that matches nothing, and empty ones ("" alone is no parameter: the form opens).
    "notaword", "NULL", " ",
]

# Words that show a window, each with arguments that make it fail before it shows anything: none at all
# (the first argument it reads is missing), or a number that is not one where the word reads it first.
FAILING_WINDOW_RUNS = [
    ("createwaitdlg", []), ("createprogressdlg", []), ("createpassworddlg", []), ("createlongondlg", []),
    ("createopendialog", []), ("createsavedialog", []), ("createinputdialog", []), ("browsedirectory", []),
    ("dlgcritical", []), ("dlgwarning", []), ("dlginformation", []), ("dlgyesno", []), ("dlgokcancel", []),
]

# The classes of hostile arguments, as the bytes the program receives (the ANSI code page, 1252).
ARGUMENT_CLASSES = {
    "empty": [b"", b"NULL", b"NULLNULL", b" ", b"\t"],
    "huge number": [b"99999999999999999999999999", b"-2147483649", b"4294967296", b"1e4932", b"-1e4933",
                    b"9" * 400, b"0." + b"0" * 300 + b"1"],
    "malformed number": [b"1,2,3", b"--1", b"+-1", b"0x", b"$", b"1e", b" 12", b"12 ", b"1.2.3", b"NaN", b"INF",
                         b"\xbd", b"\xb2", b"1\xa02"],
    "hexadecimal": [b"$FFFFFFFF", b"0x7fffffff", b"x80000000", b"$" + b"F" * 20, b"0X10", b"$-1", b"0x-0"],
    "long text": [b"A" * 30000, b"\xe9" * 30000, b"a b " * 7000, b"%" * 30000, b"^" * 29999],
    "high bytes": [b"\xe9t\xe9", b"\xff", b"\x80\x81\x8d\x8f\x90\x9d", b"\xc4\xd6\xdc\xdf", b"\xa0", b"\xe9" * 2000],
    "wildcards": [b"*", b"?", b"C:\\*.*", b"*.bat", b"C:\\windows\\*\\*", b"<", b">", b"\"*\""],
    "devices": [b"CON", b"NUL", b"COM1", b"LPT1", b"C:\\NUL", b"CON.txt", b"\\\\.\\COM1", b"AUX", b"PRN", b"CONIN$",
                b"\\\\.\\PhysicalDrive0", b"COM9:"],
    "network paths": [b"\\\\server\\share\\file.txt", b"\\\\?\\C:\\", b"\\\\?\\UNC\\host\\share", b"\\\\", b"\\\\.\\",
                      b"\\\\?\\" + b"d\\" * 400, b"\\\\localhost\\c$\\windows"],
    "date formats": [b"dddd dd mmmm yyyy hh:nn:ss", b"c", b"\"\"", b"y" * 200, b"am/pm", b"a/p", b"ddddddd",
                     b"'''", b"z" * 50, b"\"unterminated"],
    "cmd specials": [b"%", b"%PATH%", b"&", b"|", b"<", b">", b"^", b"\"", b"a & echo x > C:\\tovrik-hostile.txt",
                     b"%%", b"!PATH!", b"a^", b"\"a&b\"c&d", b"x\r\nSET INJECTED=1", b")", b"%~dp0", b"^\"&"],
}
CLASS_NAMES = list(ARGUMENT_CLASSES)
LONGEST_COMMAND_LINE = 32000  # CreateProcess takes 32,767 characters, the program's path included


@dataclass
class Case:
    index: int
    word: str
    arguments: list
    classes: list = field(default_factory=list)

    def describe(self):
        shown = [a[:40] + (b"...(%d)" % len(a) if len(a) > 40 else b"") for a in self.arguments]
        return f"#{self.index} {self.word} {shown} ({', '.join(self.classes)})"


def quote(argument: bytes) -> bytes:
    """As a script would pass it: in double quotes when it is empty or holds blanks."""
    if argument == b"" or any(c in argument for c in b" \t"):
        return b'"' + argument + b'"'
    return argument


def command_line(program: str, case: Case) -> bytes:
    parts = [b'"' + program.encode() + b'"', quote(case.word.encode())]
    parts += [quote(a) for a in case.arguments]
    return b" ".join(parts)


def fit(arguments: list) -> list:
    """Whole command lines stay within what CreateProcess takes: long arguments share the room."""
    while sum(len(a) + 3 for a in arguments) > LONGEST_COMMAND_LINE - 200:
        longest = max(range(len(arguments)), key=lambda i: len(arguments[i]))
        arguments[longest] = arguments[longest][:len(arguments[longest]) // 2]
    return arguments


def generate(runs: int, seed: int) -> list:
    """The first runs take every quiet word with every class in turn and every failing window run once;
    the rest draw words, argument counts and arguments from the seeded generator."""
    rng = random.Random(seed)
    cases = []
    for word, arguments in FAILING_WINDOW_RUNS:
        cases.append(Case(len(cases), word, list(arguments), ["failing window"]))
    for offset, word in enumerate(QUIET_WORDS):
        name = CLASS_NAMES[offset % len(CLASS_NAMES)]
        argument = rng.choice(ARGUMENT_CLASSES[name])
        cases.append(Case(len(cases), word, fit([argument] * (1 + offset % 3)), [name]))
    while len(cases) < runs:
        word = rng.choice(QUIET_WORDS)
        names = [rng.choice(CLASS_NAMES) for _ in range(rng.choice([0, 1, 1, 2, 2, 3, 4, 5]))]
        arguments = fit([rng.choice(ARGUMENT_CLASSES[name]) for name in names])
        cases.append(Case(len(cases), word, arguments, names))
    return cases[:runs]


# A value is inert when CALLing the file gives the variable exactly it: every "%" doubled, every one of
# & | < > ^ outside a double-quoted stretch escaped by a caret, and no caret left to join the next line.
def value_fault(value: bytes):
    if b"\0" in value:
        return "NUL in a value"
    quoted = False
    i = 0
    while i < len(value):
        c = value[i]
        if c == ord("%"):
            if value[i + 1:i + 2] != b"%":
                return f"lone % at {i}"
            i += 2
            continue
        if c == ord('"'):
            quoted = not quoted
        elif not quoted and c == ord("^"):
            if i + 1 >= len(value):
                return "caret at the end of the line"
            i += 2
            continue
        elif not quoted and c in b"&|<>":
            return f"unescaped {chr(c)} at {i}"
        i += 1
    return None


SET_LINE = re.compile(rb"@?SET ([A-Z][A-Z0-9_]*)=(.*)", re.S)
# The caller's variables when a file is CALLed: a value that let "!b!" or "%PATH%" through would bring them in.
CALLER = {"b": "caller-b", "PATH": "caller-path", "bang": "caller-bang"}

# Values scripts hand the program (through getvar, a text line, the clipboard...): each must come back
# exactly after CALL, in both modes of cmd.exe.
HOSTILE_VALUES = [
    "Tom & Jerry.mp3",
    "a|b>c<d^e",
    "100% %PATH% %% %1 %~dp0",
    '"quoted & safe" & unquoted',
    '"never closed & |',
    "(paren) ) (",
    "trailing caret^",
    "!bang! stays",
    "équipe & café",
]


def expected_value(value: str) -> str:
    """What a variable holds after CALL: line breaks and Ctrl-Z are one space each, NUL is dropped."""
    return value.replace("\r\n", " ").replace("\r", " ").replace("\n", " ").replace("\x1a", " ").replace("\0", "")


def model_faults(data: bytes, locale="fr") -> list:
    """What goes wrong when the model of Windows' cmd.exe CALLs the file, in either mode: a command that
    runs, a line it cannot read, a variable that differs between the two modes or takes in the caller's."""
    faults, results = [], {}
    for delayed in (False, True):
        mode = "delayed" if delayed else "plain"
        outcome = run_return_file(data, CALLER, delayed=delayed, encoding=OEM_CODE_PAGES[locale])
        faults += [f"{mode}: ran {command[:60]!r}" for command in outcome.ran]
        faults += [f"{mode}: {fault}" for fault in outcome.faults]
        results[mode] = outcome.variables
    if results["plain"] != results["delayed"]:
        differing = sorted(name for name in set(results["plain"]) | set(results["delayed"])
                           if results["plain"].get(name) != results["delayed"].get(name))
        faults.append(f"the modes differ in {differing}: "
                      f"{[(results['plain'].get(n, '')[:40], results['delayed'].get(n, '')[:40]) for n in differing]}")
    return faults


def file_faults(data: bytes, locale="fr") -> list:
    """What is wrong with a return file's bytes: its header, its line ends and lengths, its SET lines'
    values, and what the model of Windows' cmd.exe makes of it in both modes."""
    if not data.endswith(b"\r\n"):
        return ["the file does not end with CR LF"]
    lines = data[:-2].split(b"\r\n")
    faults = []
    if len(lines) < 2 or not HEADER_1[locale].fullmatch(lines[0] + b"\r\n") or lines[1] + b"\r\n" != HEADER_2:
        faults.append(f"header {lines[:2]!r}")
    faults += [f"a line of {len(line)} bytes" for line in lines if len(line) + 1 > LONGEST_LINE]
    try:
        plain, delayed = return_file_halves(b"".join(line + b"\r\n" for line in lines[2:]))
    except AssertionError as error:
        return faults + [f"the two versions: {error}"]
    for line in plain + (delayed if delayed is not plain else []):
        if b"\r" in line or b"\n" in line:
            faults.append(f"a bare CR or LF in {line[:60]!r}")
            continue
        match = SET_LINE.fullmatch(line)
        if not match:
            faults.append(f"not a SET line: {line[:60]!r}")
            continue
        fault = value_fault(match.group(2))
        if fault:
            faults.append(f"{match.group(1).decode()}: {fault} in {match.group(2)[:60]!r}")
    return faults + model_faults(data, locale)


def run_sweep(wine, cases, seconds_per_run=20, locale="fr", files=None):
    """Runs the cases through the probe; returns (faults as (case, text), counts). files: a list that
    takes (case, bytes) of every inert return file."""
    limit_ms = int(seconds_per_run * 1000 * TIME_SCALE)
    started = time.monotonic()
    try:
        with fresh_folder(wine, "C:\\tovrik-sweep") as work:
            program = wine.windows_exe()
            (work / "cases.txt").write_text("".join(command_line(program, case).hex() + "\n" for case in cases))
            done = wine.probe("sweep", "C:\\tovrik-sweep\\cases.txt", "C:\\tovrik-sweep\\results.txt",
                              "C:\\Tovrik.bat", str(limit_ms), locale=locale,
                              timeout=len(cases) * (seconds_per_run + 10) + 60)
            assert done.stdout.split() == [b"swept", str(len(cases)).encode()], done.stdout
            outcomes = (work / "results.txt").read_bytes().splitlines()
    finally:
        wine.default_return_file.unlink(missing_ok=True)
    counts = {"runs": len(cases), "ended": 0, "exit 0": 0, "well-formed": 0, "inert": 0,
              "seconds": round(time.monotonic() - started, 1)}
    faults = []
    for case, outcome in zip(cases, outcomes):
        words = outcome.split(b" ")
        assert int(words[0]) == case.index, outcome[:80]
        if words[1] == b"timeout":
            faults.append((case, f"did not end within {seconds_per_run} s"))
            continue
        assert words[1] == b"exit", outcome[:80]
        counts["ended"] += 1
        if words[2] != b"0":
            faults.append((case, f"exit code {words[2].decode()}"))
            continue
        counts["exit 0"] += 1
        if words[3] == b"nofile":
            faults.append((case, "no return file"))
            continue
        data = bytes.fromhex(words[4].decode())
        if words[3] != b"wellformed":
            faults.append((case, f"malformed file {data[:120]!r}"))
            continue
        counts["well-formed"] += 1
        found = file_faults(data, locale)
        if found:
            faults.append((case, "; ".join(found)))
            continue
        counts["inert"] += 1
        if files is not None:
            files.append((case, data))
    return faults, counts


def names_set(data: bytes) -> list:
    """The variables a return file sets, in order, once each."""
    body = b"".join(line + b"\r\n" for line in data.split(b"\r\n")[2:-1])
    return list(dict.fromkeys(SET_LINE.fullmatch(line).group(1).decode() for line in return_file_halves(body)[0]))


def call_in_wines_cmd(wine, files, delayed, also=(), locale="fr"):
    """CALLs each return file in turn in one run of Wine's cmd.exe, in the mode given, from a script that
    holds the CALLER variables. Gives, per file, {name: value, None when undefined} of the variables it
    sets and those named in `also`, and the CALLER variables afterwards."""
    script = ["setlocal EnableDelayedExpansion" if delayed else "setlocal"]
    script += [f"set {name}={value}" for name, value in CALLER.items()]
    asked = []
    with fresh_folder(wine, "C:\\tovrik-cmd-calls") as folder:
        for index, data in enumerate(files):
            (folder / f"r{index}.bat").write_bytes(data)
            asked.append(list(dict.fromkeys([*names_set(data), *also])))
            script += [f"@echo ==file {index}", f"@CALL C:\\tovrik-cmd-calls\\r{index}.bat"]
            for name in asked[-1]:
                script += [f"@set {name}", f"@set {name}="]
        script += ["@echo ==caller"] + [f"@set {name}" for name in CALLER]
        printed = wine.batch("\n".join(script) + "\n", locale=locale, timeout=600).replace("\r\n", "\n")
    blocks = printed.split("==file ")[1:]
    assert len(blocks) == len(files) and "==caller\n" in blocks[-1], printed[-400:]
    blocks[-1], caller_block = blocks[-1].split("==caller\n", 1)

    # "set NAME" lists every variable whose name starts with NAME: keep the one of that name.
    def values(block, names):
        lines = block.split("\n")
        return {name: next((line[len(name) + 1:] for line in lines if line.startswith(name + "=")), None)
                for name in names}
    return [values(block, names) for block, names in zip(blocks, asked)], values(caller_block, CALLER)


def wine_cmd_mismatches(wine, files, delayed, locale="fr"):
    """CALLs each (case, file) in Wine's cmd.exe in the mode given and compares every variable it sets with
    what the model of Windows' cmd.exe gives. Returns the mismatches as (case, text) and the number of
    values left to the model alone: holding "!" under delayed expansion, which Wine's cmd cannot store
    (its delayed pass never removes a caret)."""
    results, caller = call_in_wines_cmd(wine, [data for _, data in files], delayed, locale=locale)
    mismatches, left_to_model = [], 0
    if caller != CALLER:
        mismatches.append((files[0][0], f"the caller's variables became {caller}"))
    for (case, data), got in zip(files, results):
        variables = run_return_file(data, CALLER, delayed=delayed, encoding=OEM_CODE_PAGES[locale]).variables
        for name, value in got.items():
            wanted = variables.get(name)
            if delayed and wanted is not None and "!" in wanted:
                left_to_model += 1
            elif value != wanted:
                mismatches.append((case, f"{name}: Wine's cmd {str(value)[:60]!r}, the model {str(wanted)[:60]!r}"))
    return mismatches, left_to_model


def main():
    from harness import Wine
    runs = int(sys.argv[1]) if len(sys.argv) > 1 else 3000
    seed = int(sys.argv[2]) if len(sys.argv) > 2 else 16
    wine = Wine()
    wine.reset()
    faults, counts = run_sweep(wine, generate(runs, seed))
    wine.reset()
    for case, fault in faults:
        print(f"FAULT {case.describe()}: {fault}")
    print(f"seed {seed}: " + ", ".join(f"{value} {name}" for name, value in counts.items())
          + f", {len(faults)} faults")
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
