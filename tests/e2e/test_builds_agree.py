"""The 32-bit product and its x86-64 twin compute the same numbers: decimal arithmetic runs in the x87
unit's 80-bit type in both, and where the kernel runs no 32-bit code the product's x87 instructions are
emulated. The same table of commands runs in one batch script under each build, and every return file must
be the same bytes but for the header's time stamp."""
import os

import pytest

from harness import fresh_folder, other_build

# Inputs of the arithmetic and number-rule tables: results with 15 significant digits, halfway rounding,
# the extended type's limits (largest, denormal, overflow), transcendental powers and integer truncation.
CASES = {
    "fr": [
        "add 1,5 2,25", "add 0,1 0,2", "add 1E4932 1E4932", "add 1E500 -1E500", "add 1,18973149535723176502E4932 0",
        "sub 5 8", "sub 0,3 0,1", "sub -1E4932 1E4932", "sub 1 1E-17",
        "mul 1E10 1E10", "mul 1E-4000 1E-4000", "mul 1E3000 1E3000", "mul 1,1 1,1", "mul 2E-4951 1",
        "mul 2E-4951 0,5", "mul 123456789 987654321", "mul 1E2000 1E2000",
        "div 7 2", "div 5 2", "div -7 2", "div 1 3", "div 1 0", "div 0 0", "div -9223372036854775808 1",
        "div 9223372036854775807 1", "div 9223372036854775808 1", "div 1E30 1", "div 10 3",
        "inc 1,5", "inc 2,5", "inc -1,5", "inc 9,2E18", "inc 1E19", "dec 0", "dec -1E19", "dec 2,5",
        "round 123456789012345678", "round 2,5", "round 3,5", "round -2,5", "round -0,4", "round 999999999999999",
        "round 1E-4000", "round 9,3E18", "round 4503599627370495,5",
        "sqr 16", "sqr 2", "sqr 3", "sqr -0", "sqr 1E4000", "sqr 2E-4951", "sqr -1", "sqr 0,0001",
        "abs -0", "abs -2,5", "abs -1E-4000", "abs -2E-4951",
        "pwr 2 10", "pwr 2 -1", "pwr 0 0", "pwr -2 3", "pwr 4 0,5", "pwr 2 0,5", "pwr 10 -5", "pwr 3 0,333333",
        "pwr 1,0000001 10000000", "pwr -1 2147483647", "pwr 1 1E4000", "pwr 1E3000 1", "pwr -8 0,5", "pwr 0 -1",
        "pwr 2 2147483647", "pwr 0,5 16382", "pwr 0,5 16445", "pwr 2,718281828459045 2,302585092994046",
        "isnumeric 1,5", "isnumeric 1E4933", "isnumeric $FFFFFFFF", "isnumeric 0x1F",
        "add 18446744073709551617 0", "add 18446744073709551619 0", "add 25e-3 1e0499",
    ],
    "en": [
        "add 1.5 2.25", "sub 0.3 0.1", "mul 0.5 1E-3", "div 7.5 2.5", "inc 1.5", "dec 2.5",
        "round 123456789012345678", "sqr 2", "abs -1.25", "pwr 2 -1", "pwr 10 -5", "pwr 7 0.1",
        "mul 3.14159265358979 2.71828182845905",
    ],
}


def run_cases(wine, locale):
    """Runs every case of the locale in one script; gives each case's return file, header time stripped."""
    with fresh_folder(wine, "C:\\tovrik-agree") as folder:
        script = "".join(f'"%TOVRIK%" {case}\ncopy /y C:\\Tovrik.bat C:\\tovrik-agree\\{index}.bat >nul\n'
                         for index, case in enumerate(CASES[locale]))
        wine.batch(script, locale=locale, timeout=300)
        files = []
        for index in range(len(CASES[locale])):
            path = folder / f"{index}.bat"
            data = path.read_bytes() if path.is_file() else None
            files.append(data.split(b"\r\n", 1)[1] if data else data)
        return files


@pytest.mark.parametrize("locale", ["fr", "en"])
def test_product_and_twin_compute_the_same_numbers(wine, locale):
    if os.environ["TOVRIK_WINE_ARCH"] != "win32":
        pytest.skip("the suite runs the x86-64 twin itself: there is no second build to compare")
    product = run_cases(wine, locale)
    with other_build("win64") as twin:
        twin_files = run_cases(twin, locale)
    differences = [(case, mine, theirs) for case, mine, theirs in zip(CASES[locale], product, twin_files)
                   if mine != theirs or mine is None]
    assert not differences, "\n".join(f"{case}: product {mine!r}, twin {theirs!r}" for case, mine, theirs in differences)
    # The table exercises results, not only refusals.
    assert sum(b"SET RESULT=" in data for data in product) > len(CASES[locale]) // 2
