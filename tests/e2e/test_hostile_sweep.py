"""Hostile arguments, end to end: every run ends within its time, exits 0 and leaves a whole return file
whose values stay inert when CALLed (the cases and the checks live in hostile.py; bench/hostile.sh runs
thousands)."""
import os

import pytest

from hostile import generate, run_sweep, value_fault

SEED = 16


@pytest.mark.parametrize("value,fault", [
    (b"plain", None), (b"50%%", None), (b"a^&b^|c^<d^>e^^", None), (b'"a&b|c<d>e^"', None),
    (b'"x"^&"y"', None), (b"", None),
    (b"50%", "lone % at 2"), (b"%PATH%", "lone % at 0"), (b"a&b", "unescaped & at 1"),
    (b'"a"&b', "unescaped & at 3"), (b"a>b", "unescaped > at 1"), (b"a^", "caret at the end of the line"),
    (b"a\0b", "NUL in a value"),
])
def test_the_sweep_tells_inert_values_from_active_ones(value, fault):
    assert value_fault(value) == fault


def test_hostile_arguments_end_exit_0_and_leave_an_inert_return_file(wine):
    runs = int(os.environ.get("TOVRIK_HOSTILE_RUNS", "300"))
    cases = generate(runs, SEED)
    faults, counts = run_sweep(wine, cases)
    print(f"hostile sweep, seed {SEED}: {counts}")
    assert not faults, "\n".join(f"{case.describe()}: {fault}" for case, fault in faults)
    assert counts["inert"] == runs, counts
    assert not wine.host_path("C:\\tovrik-hostile.txt").exists(), "an argument ran as a command"
