#!/usr/bin/env python3
"""Checks that every #include in src/ points down the layers: a folder may include its own files and
those of the layers below it, never a folder beside it or above it. With --graph, prints the arrows
between folders (with how many includes each carries) instead.

Exits non-zero and names each include against the order when there is one."""
import collections
import pathlib
import re
import sys

# Bottom first. Folders on one line are side by side and must not include each other.
LAYERS = [
    ["command"],               # what every command sees: the command, its arguments, its lines, the errors
    ["platform"],              # the system behind small interfaces, and the owners of Win32 resources
    ["markup", "text"],        # the markup label; number, date and path rules and the text commands
    ["settings"],              # the settings store and its commands
    ["files", "windows", "system", "dialogs", "forms"],  # the command families and the windows they show
    ["frontend"],              # entry, command table, error guard, return file
]
RANK = {folder: rank for rank, folders in enumerate(LAYERS) for folder in folders}
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^/"]+)/[^"]+"', re.M)


def includes(src):
    for path in sorted(src.rglob("*")):
        if path.suffix not in (".h", ".cpp", ".c"):
            continue
        folder = path.relative_to(src).parts[0]
        for target in INCLUDE.findall(path.read_text(encoding="utf-8", errors="replace")):
            yield path, folder, target


def main():
    src = pathlib.Path(__file__).resolve().parents[2] / "src"
    found = list(includes(src))
    if "--graph" in sys.argv:
        arrows = collections.Counter((folder, target) for _, folder, target in found if folder != target)
        for (folder, target), count in sorted(arrows.items(), key=lambda a: (RANK.get(a[0][0], 99), a[0])):
            print(f"{folder} -> {target} ({count})")
        return 0
    wrong = []
    for path, folder, target in found:
        if folder == target:
            continue
        if folder not in RANK or target not in RANK:
            wrong.append(f"{path.relative_to(src.parent)}: folder {folder if folder not in RANK else target} has no layer")
        elif RANK[target] >= RANK[folder]:
            wrong.append(f"{path.relative_to(src.parent)}: {folder}/ includes {target}/, which is not below it")
    for line in wrong:
        print(line)
    print(f"include layers: {len(wrong)} against the order")
    return 1 if wrong else 0


if __name__ == "__main__":
    sys.exit(main())
