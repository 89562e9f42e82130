"""A model of how Windows' cmd.exe runs a CALLed batch file, for the phases a return file meets.

Wine's cmd.exe differs from Windows' exactly where the return file is most exposed (Ctrl-Z, lines past the
length limit, carets under delayed expansion), so the tests run every return file through this model
beside Wine's cmd. It encodes the phases of the batch line parser as published in

  [SO]  "How does the Windows Command Interpreter (CMD.EXE) parse scripts?", Stack Overflow question
        4094699, the answer by jeb and dbenham (https://stackoverflow.com/a/4095133), and the dostips.com
        threads it cites: "Percent Phase" and "Exclamation Point Phase" (dbenham's second answer there,
        https://stackoverflow.com/a/7970912), and "CALL me, or better avoid call" (Ctrl-Z, GOTO);
  [KB]  Microsoft, "Command prompt (Cmd.exe) command-line string limitation" (KB 830473,
        https://learn.microsoft.com/troubleshoot/windows-client/shell-experience/command-line-string-limitation):
        "The maximum length of the string that you can use at the command prompt is 8191 characters ...
        this limitation also applies to batch file processing."

The rules, by phase:
  0  Read line [SO phase 0]: a line ends at the first LF; when the line is read to be run, Ctrl-Z (0x1A)
     also ends it (it is read as LF), while GOTO scanning for a label reads 0x1A as itself. A line of
     more than 8191 characters [KB] is a fault here: Windows' cmd then silently loses characters (what it
     keeps is not published, so the model does not guess).
  1  Percent expansion [SO phase 1, "Percent Phase"]: "%%" becomes "%"; %0 to %9 and %* are the
     CALL's arguments (%0 the file, the others empty: a return file is CALLed without arguments);
     %name% is the variable's value, or nothing when it is undefined, also with the :~start,length and
     :old=new forms; a "%" that starts no such form is removed.
  1.5 Every CR is removed [SO phase 1.5].
  2  Special characters [SO phase 2]: a double quote toggles the quote flag; outside quotes "^" escapes
     the next character and is removed ("^" ending the line joins the next line, a fault here), and
     & && | || split commands, < > >> redirect to the token after them (faults here: a return file
     must not run or redirect anything). Leading blanks, ";" "," "=" and "@" before the command are dropped; "@" hides the command
     from ECHO. A line whose first character after them is ":" is a label and is not run. REM takes the
     rest of the line as its remark.
  3  Echo [SO phase 3]: with ECHO on, a command that did not start with "@" is printed.
  5  Delayed expansion [SO phase 5, "Exclamation Point Phase"]: only when enabled, and only on a token
     that holds "!" (a token without one keeps its carets): "^" escapes the next character and is
     removed; "!name!" is the variable's value (nothing when undefined); consecutive opening "!" collapse
     into one; an unpaired "!" is removed. For SET the token is everything after "SET "; for IF, each of
     the two compared values.
  IF/GOTO: `if [/i] [not] left==right command` compares the two values as written (quotes included)
     and runs the command when they are equal; `goto label` searches the file for ":label" (from the line
     after the GOTO to the end, then from the top), matching up to the first blank, case-insensitively;
     `goto :eof` ends the CALLed file.
  SET name=value sets the variable (the name without case), SET name= removes it.

Everything else the model meets is a command that ran, which a return file must never contain.
"""
from dataclasses import dataclass, field

LONGEST_LINE = 8191  # [KB]; the line's CR counts, its LF ends it
CTRL_Z = "\x1a"
OPERATORS = "&|<>"
LEADING = " \t;,=@"  # dropped before the command token; "@" also hides it from ECHO


@dataclass
class Outcome:
    variables: dict                                  # the environment afterwards, keys upper case
    echoed: list = field(default_factory=list)       # what ECHO on printed
    ran: list = field(default_factory=list)          # commands other than SET, REM, IF, GOTO and labels
    faults: list = field(default_factory=list)       # lines Windows' cmd could not read as written

    def value(self, name):
        return self.variables.get(name.upper())


class _Environment(dict):
    """Variable names are case-insensitive."""

    def get_var(self, name):
        return self.get(name.upper())


def _expand_variable(body, env):
    """The value of a %...% or !...! body: a name, or a name with :~start[,length] or :old=new."""
    name, colon, operation = body.partition(":")
    value = env.get_var(name)
    if value is None:
        return None
    if not colon:
        return value
    if operation.startswith("~"):
        numbers = operation[1:].split(",")
        try:
            start = int(numbers[0] or 0)
            length = int(numbers[1]) if len(numbers) > 1 else None
        except ValueError:
            return None
        start = max(len(value) + start, 0) if start < 0 else start
        if length is None:
            return value[start:]
        return value[start:start + length] if length >= 0 else value[start:len(value) + length]
    old, equals, new = operation.partition("=")
    if not equals or not old:
        return None
    if old.startswith("*"):
        at = value.upper().find(old[1:].upper())
        return value if at < 0 else new + value[at + len(old) - 1:]
    out, upper, i = "", value.upper(), 0
    while True:
        at = upper.find(old.upper(), i)
        if at < 0:
            return out + value[i:]
        out += value[i:at] + new
        i = at + len(old)


def _modified_argument(line, start):
    """The end of a %~[modifiers]digit argument whose modifiers start at `start`, or 0."""
    i = start
    while i < len(line) and line[i].isalpha():
        i += 1
    return i + 1 if i < len(line) and line[i].isdigit() else 0


def percent_expand(line, env, file_name):
    """Phase 1."""
    out, i = [], 0
    while i < len(line):
        c = line[i]
        if c != "%":
            out.append(c)
            i += 1
            continue
        following = line[i + 1:i + 2]
        if following == "%":
            out.append("%")
            i += 2
        elif following.isdigit() or following == "*":
            out.append(file_name if following == "0" else "")
            i += 2
        elif following == "~" and _modified_argument(line, i + 2):
            end = _modified_argument(line, i + 2)
            out.append(file_name if line[end - 1] == "0" else "")
            i = end
        else:
            end = line.find("%", i + 1)
            if end < 0:
                i += 1  # a lone "%" is removed
                continue
            value = _expand_variable(line[i + 1:end], env)
            out.append(value or "")
            i = end + 1
    return "".join(out)


def delayed_expand(token, env):
    """Phase 5, for one token."""
    if "!" not in token:
        return token
    out, i = [], 0
    while i < len(token):
        c = token[i]
        if c == "^":
            if i + 1 < len(token):
                out.append(token[i + 1])
            i += 2
        elif c == "!":
            while token[i + 1:i + 2] == "!":  # consecutive opening "!" collapse
                i += 1
            end = token.find("!", i + 1)
            if end < 0:
                i += 1  # an unpaired "!" is removed
                continue
            out.append(_expand_variable(token[i + 1:end], env) or "")
            i = end + 1
        else:
            out.append(c)
            i += 1
    return "".join(out)


def _special_characters(line):
    """Phase 2 on one line: the commands it holds (their text with escaping carets removed, quotes kept),
    and what is wrong with it for a return file."""
    commands, current, faults = [], [], []
    quoted, i = False, 0
    while i < len(line):
        c = line[i]
        if c == '"':
            quoted = not quoted
            current.append(c)
        elif quoted:
            current.append(c)
        elif c == "^":
            if i + 1 >= len(line):
                faults.append("a caret ends the line and joins the next one")
            else:
                current.append(line[i + 1])
            i += 1
        elif c in "<>":
            # The redirection's target is the next token; the command goes on after it.
            operator = line[i:i + 2] if line[i + 1:i + 2] == c else c
            start = i + len(operator)
            while start < len(line) and line[start] in " \t":
                start += 1
            end = start
            while end < len(line) and line[end] not in " \t" + OPERATORS:
                end += 1
            faults.append(f"unescaped {operator}: redirection to {line[start:end]!r}")
            i = end - 1
        elif c in OPERATORS:
            operator = line[i:i + 2] if line[i + 1:i + 2] == c else c
            faults.append(f"unescaped {operator}")
            commands.append("".join(current))
            current = []
            i += len(operator) - 1
        else:
            current.append(c)
        i += 1
    commands.append("".join(current))
    return commands, faults


def _split_if(rest):
    """`[/i] [not] left==right command` of an IF, or None. The compared values are quote-aware tokens."""
    words = rest.lstrip(" \t")
    ignore_case = negate = False
    for flag in ("/i", "not"):
        if words[:len(flag) + 1].lower() in (flag + " ", flag + "\t"):
            if flag == "/i":
                ignore_case = True
            else:
                negate = True
            words = words[len(flag) + 1:].lstrip(" \t")

    def token(text):
        quoted, i = False, 0
        while i < len(text):
            if text[i] == '"':
                quoted = not quoted
            elif not quoted and (text[i] in " \t" or text.startswith("==", i)):
                break
            i += 1
        return text[:i], text[i:]

    left, after = token(words)
    after = after.lstrip(" \t")
    if not after.startswith("=="):
        return None
    right, after = token(after[2:].lstrip(" \t"))
    return ignore_case, negate, left, right, after.lstrip(" \t")


def run_return_file(data: bytes, caller: dict, delayed: bool, echo: bool = False,
                    encoding: str = "cp850", file_name: str = "C:\\Tovrik.bat") -> Outcome:
    """CALLs the file `data` from a script whose environment is `caller`, with delayed expansion on or
    off and ECHO on or off; returns the environment afterwards and what happened on the way."""
    env = _Environment({name.upper(): value for name, value in caller.items()})
    outcome = Outcome(env)
    text = data.decode(encoding)
    # Lines as a command reads them (phase 0) and as GOTO scans them for labels.
    run_lines, position = [], 0
    while position < len(text):
        ends = [e for e in (text.find("\n", position), text.find(CTRL_Z, position)) if e >= 0]
        end = min(ends) if ends else len(text)
        run_lines.append(text[position:end])
        position = end + 1
    label_lines = text.split("\n")

    def find_label(name, after_line):
        # GOTO reads lines with Ctrl-Z as itself: a label is found only at the start of a whole line.
        order = list(range(after_line + 1, len(label_lines))) + list(range(0, after_line + 1))
        for index in order:
            candidate = label_lines[index].lstrip(" \t")
            if candidate.startswith(":"):
                label = candidate[1:].replace("\r", "").split(None, 1)
                if label and label[0].lower() == name.lower():
                    return _run_line_index(label_lines, index, run_lines)
        return None

    index = 0
    while index < len(run_lines):
        raw = run_lines[index]
        if len(raw) > LONGEST_LINE:
            outcome.faults.append(f"line {index + 1} has {len(raw)} characters, more than cmd.exe reads")
        line = percent_expand(raw, env, file_name).replace("\r", "")
        commands, faults = _special_characters(line)
        outcome.faults += [f"line {index + 1}: {fault}" for fault in faults]
        jump = None
        for command in commands:
            jump = _run_command(command, env, delayed, echo, outcome, index, find_label)
            if jump is not None:
                break
        if jump == "eof":
            break
        index = jump if jump is not None else index + 1
    return outcome


def _run_line_index(label_lines, label_index, run_lines):
    """The index in run_lines of the line after the label line `label_index` of label_lines."""
    characters = sum(len(line) + 1 for line in label_lines[:label_index + 1])
    position, index = 0, 0
    while index < len(run_lines) and position < characters:
        position += len(run_lines[index]) + 1
        index += 1
    return index


def _run_command(command, env, delayed, echo, outcome, index, find_label):
    """Runs one command of phase 2's output; returns the index of the next line when it jumps, "eof" when
    it ends the file, else None."""
    stripped = command.lstrip(LEADING)
    hidden = "@" in command[:len(command) - len(stripped)]
    if not stripped.strip(" \t"):
        return None
    if stripped.startswith(":"):
        return None  # a label
    word, _, rest = stripped.partition(" ")
    keyword = word.lower()
    if echo and not hidden:
        outcome.echoed.append(stripped)
    if keyword == "rem" or keyword.startswith("rem\t"):
        return None
    if keyword == "set":
        argument = delayed_expand(rest, env) if delayed else rest
        name, equals, value = argument.lstrip(" \t").partition("=")
        if not equals or not name:
            outcome.ran.append(stripped)  # SET without "=" lists variables
            return None
        if value:
            env[name.upper()] = value
        else:
            env.pop(name.upper(), None)
        return None
    if keyword == "if":
        parts = _split_if(rest)
        if parts is None:
            outcome.ran.append(stripped)
            return None
        ignore_case, negate, left, right, then = parts
        if delayed:
            left, right = delayed_expand(left, env), delayed_expand(right, env)
        equal = left.lower() == right.lower() if ignore_case else left == right
        if equal != negate:
            return _run_command(then, env, delayed, False, outcome, index, find_label)
        return None
    if keyword == "goto":
        label = rest.strip(" \t").split(None, 1)[0] if rest.strip(" \t") else ""
        label = label[1:] if label.startswith(":") else label
        if label.lower() == "eof":
            return "eof"
        target = find_label(label, index)
        if target is None:
            outcome.faults.append(f"no label {label!r}")
            return "eof"
        return target
    outcome.ran.append(stripped)
    return None
