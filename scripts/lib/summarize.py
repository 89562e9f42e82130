"""Adds up the JUnit XML reports of a test run and prints the closing line 'N passed, N failed'.
   summarize.py RESULTS_DIR [--note LINE] REPORT...   (LINE is printed just before the closing line)"""
import sys
import xml.etree.ElementTree as ElementTree
from pathlib import Path


def count(report: Path) -> tuple[int, int, int]:
    passed = failed = skipped = 0
    for case in ElementTree.parse(report).getroot().iter("testcase"):
        if case.find("failure") is not None or case.find("error") is not None:
            failed += 1
        elif case.find("skipped") is not None or case.get("result") == "skipped" or case.get("status") == "notrun":
            skipped += 1
        else:
            passed += 1
    return passed, failed, skipped


def main() -> int:
    results = Path(sys.argv[1])
    expected = sys.argv[2:]  # report names that must exist (a suite that crashed wrote none)
    note = None
    if expected[:1] == ["--note"]:
        note, expected = expected[1], expected[2:]
    passed = failed = skipped = 0
    for name in expected:
        report = results / name
        if not report.is_file():
            print(f"{name}: no report (the suite did not finish)")
            failed += 1
            continue
        p, f, s = count(report)
        print(f"{name}: {p} passed, {f} failed, {s} skipped")
        passed, failed, skipped = passed + p, failed + f, skipped + s
    line = f"{passed} passed, {failed} failed"
    if note:
        print(note)
    print(line + (f", {skipped} skipped" if skipped else ""))
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
