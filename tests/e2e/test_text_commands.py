"""The string and arithmetic command words as scripts call them, under French and English settings."""
import datetime
import re
from zoneinfo import ZoneInfo

import pytest

from harness import WINE_TIME_ZONE, texts

LOCALES = ["fr", "en"]
ERROR = ["ERROR=1"]


def values(wine, args, locale):
    """The SET lines of one run as text ("NAME=value"), decoded from the console code page."""
    run = wine.run(*args, locale=locale)
    assert run.exit_code == 0, args
    return [text[len("SET "):] for text in texts(run, locale)]


def check_cases(wine, locale, cases):
    failures = []
    for index, (args, expected) in enumerate(cases):
        got = values(wine, args, locale)
        if got != expected:
            failures.append(f"case {index} {[a[:40] for a in args]}: got {got}, expected {expected}")
    assert not failures, "\n".join(failures)


# Every word once as it should work and once as it should fail, under each locale.
EVERY_LOCALE_CASES = [
    (["strlength", "NULL"], ["STRLEN=0"]),
    (["strpos", "B", "abc"], ["STRPOS=2"]),
    (["strpos", "a"], ERROR),
    (["strcopy", "abcdef", "3", "2"], ["STRCOPY=cd"]),
    (["strcopy", "abcdef", "3"], ERROR),
    (["uppercase", "éa"], ["STRING=éA"]),
    (["uppercase"], ERROR),
    (["lowercase", "ABNULL"], ["STRING=abnull"]),
    (["lowercase"], ["STRING="]),
    (["isnumeric", "12"], ["INT=12", "ISNUMERIC=1"]),
    (["isnumeric"], ["ISNUMERIC=0"]),
    (["compare", "10", "9"], ["RESULT=1"]),
    (["compare", "x", "1"], ERROR),
    (["getdate"], ERROR),
    (["sub", "5", "8"], ["RESULT=-3"]),
    (["sub", "5"], ERROR),
    (["mul", "1E10", "1E10"], ["RESULT=1E20"]),
    (["mul", "1E3000", "1E3000"], ERROR),
    (["div", "-7", "2"], ["RESULT=-4"]),
    (["div", "1", "0"], ERROR),
    (["dec", "0"], ["RESULT=-1"]),
    (["dec", "x"], ERROR),
    (["random", "1"], ["RANDOM=0"]),
    (["random", "abc"], ERROR),
]

# The remaining edge cases; the regional settings play no part in them.
EDGE_CASES = [
    (["strpos", "x", "abc"], ["STRPOS=0"]),
    (["strpos", "NULL", "abc"], ["STRPOS=0"]),
    (["strcopy", "abcdef", "3", "NULL"], ["STRCOPY=cdef"]),
    (["strcopy", "abcdef", "0", "2"], ["STRCOPY=ab"]),
    (["strcopy", "abcdef", "9", "2"], ["STRCOPY="]),
    (["strcopy", "abcdef", "2147483647", "2147483647"], ["STRCOPY="]),
    (["strcopy", "abcdef", "-2147483648", "2147483647"], ["STRCOPY=abcdef"]),
    (["strcopy", "abcdef", "$2", "-1"], ["STRCOPY="]),
    (["strcopy", "abcdef", "2", "2 "], ERROR),
    (["strcopy", "abcdef", "x", "2"], ERROR),
    (["uppercase", "abNULL"], ["STRING=AB"]),
    (["lowercase", "ÉTÉ X"], ["STRING=ÉtÉ x"]),
    (["lowercase", "A", "B"], ["STRING=a"]),
    (["isnumeric", "007"], ["INT=7", "ISNUMERIC=1"]),
    (["isnumeric", "1e3"], ["INT=1000", "ISNUMERIC=1"]),
    (["isnumeric", "abc"], ["ISNUMERIC=0"]),
    (["isnumeric", "1e99999"], ["ISNUMERIC=0"]),
    (["compare", "-1", "1"], ["RESULT=2"]),
    (["compare", "$10", "16"], ["RESULT=0"]),
    (["compare", "2147483648", "1"], ERROR),
    (["compare", "1"], ERROR),
    (["add", "1"], ERROR),
    (["add", "1E99999", "1"], ERROR),
    (["add", "9" * 10000, "1"], ERROR),
    (["div", "7", "2"], ["RESULT=4"]),
    (["div", "5", "2"], ["RESULT=2"]),
    (["div", "1E30", "1"], ERROR),
    (["inc"], ERROR),
    (["round", "1E19"], ERROR),
    (["sqr", "16"], ["RESULT=4"]),
    (["sqr", "-1"], ERROR),
    (["abs", "-0"], ["RESULT=0"]),
    (["pwr", "2", "10"], ["RESULT=1024"]),
    (["pwr", "0", "0"], ["RESULT=1"]),
    (["pwr", "0", "-1"], ERROR),
    (["pwr", "2", "1E4000"], ERROR),
    (["pwr", "2"], ERROR),
    (["random", "0"], ["RANDOM=0"]),
    (["random", "5 "], ERROR),
    (["random"], ERROR),
]

# Results written with, or read through, the regional decimal separator: (args, fr, en).
DECIMAL_CASES = [
    (["isnumeric", "1,5"], ["INT=1,5", "ISNUMERIC=1"], ["ISNUMERIC=0"]),
    (["isnumeric", "1.5"], ["ISNUMERIC=0"], ["INT=1.5", "ISNUMERIC=1"]),
    (["add", "1,5", "2,25"], ["RESULT=3,75"], ERROR),
    (["add", "1.5", "2.25"], ERROR, ["RESULT=3.75"]),
    (["add", "0,1", "0,2"], ["RESULT=0,3"], ERROR),
    (["add", "1 ", " 2 "], ["RESULT=3"], ["RESULT=3"]),
    (["inc", "1,5"], ["RESULT=2"], ERROR),
    (["inc", "2.5"], ERROR, ["RESULT=4"]),
    (["round", "123456789012345678"], ["RESULT=1,23456789012346E17"], ["RESULT=1.23456789012346E17"]),
    (["sqr", "2"], ["RESULT=1,4142135623731"], ["RESULT=1.4142135623731"]),
    (["abs", "-2,5"], ["RESULT=2,5"], ERROR),
    (["pwr", "2", "-1"], ["RESULT=0,5"], ["RESULT=0.5"]),
    (["pwr", "-8", "0,5"], ERROR, ERROR),
]


@pytest.mark.parametrize("locale", LOCALES)
def test_every_word(wine, locale):
    check_cases(wine, locale, EVERY_LOCALE_CASES)


def test_edge_cases(wine):
    check_cases(wine, "fr", EDGE_CASES)


@pytest.mark.parametrize("locale", LOCALES)
def test_decimal_separator_of_the_locale(wine, locale):
    column = LOCALES.index(locale)
    check_cases(wine, locale, [(args, expected[column]) for args, *expected in DECIMAL_CASES])


def test_long_texts_and_numbers(wine):
    # Beyond the 32767 characters of a command line only wine.run can pass 30,000-character texts whole.
    text = "ab" * 15000
    check_cases(wine, "fr", [
        (["strpos", "BZ", text + "bz"], ["STRPOS=30001"]),
        (["strcopy", text + "xyz", "30001", "2147483647"], ["STRCOPY=xyz"]),
        # A value whose line cmd.exe could not read whole (8,190 bytes before CR LF) is left out.
        (["uppercase", "a" * 30000], ERROR),
        (["lowercase", "A" * 30000], ERROR),
        (["uppercase", "a" * 8179], ["STRING=" + "A" * 8179]),
        (["lowercase", "A" * 8180], ERROR),
        (["isnumeric", "0," + "3" * 10000], ["INT=0,333333333333333", "ISNUMERIC=1"]),
        (["add", "1", "0," + "0" * 9999 + "1"], ["RESULT=1"]),
    ])


def test_random_draws_below_the_bound(wine):
    for bound, limit in (("$10", 16), ("1000", 1000)):
        draws = [int(values(wine, ["random", bound], "fr")[0].split("=")[1]) for _ in range(3)]
        assert all(0 <= r < limit for r in draws), (bound, draws)


FRENCH_DAYS = ["lundi", "mardi", "mercredi", "jeudi", "vendredi", "samedi", "dimanche"]
ENGLISH_DAYS = ["Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday", "Sunday"]
# "c": the short date, then the long time unless it is exactly midnight.
DEFAULT_SHAPE = {
    "fr": r"\d\d/\d\d/\d{4}( \d\d:\d\d:\d\d)?",
    "en": r"\d{1,2}/\d{1,2}/\d{4}( \d{1,2}:\d\d:\d\d [AP]M)?",
}


@pytest.mark.parametrize("locale", LOCALES)
def test_getdate_formats_the_current_date(wine, locale):
    zone = ZoneInfo(WINE_TIME_ZONE)
    before = datetime.datetime.now(zone)
    iso = values(wine, ["getdate", "yyyy-mm-dd"], locale)
    after = datetime.datetime.now(zone)
    days = {before.date().isoformat(), after.date().isoformat()}
    assert len(iso) == 1 and iso[0].startswith("DATE=") and iso[0][5:] in days, (iso, days)

    (time,) = values(wine, ["getdate", "hh:mm"], locale)
    assert re.fullmatch(r"DATE=([01]\d|2[0-3]):[0-5]\d", time), time
    (slashed,) = values(wine, ["getdate", "dd/mm/yyyy"], locale)
    assert re.fullmatch(r"DATE=\d\d/\d\d/\d{4}", slashed), slashed
    (day,) = values(wine, ["getdate", "dddd"], locale)
    names = FRENCH_DAYS if locale == "fr" else ENGLISH_DAYS
    assert day[5:] in {names[before.weekday()], names[after.weekday()]}, day
    for empty in ("NULL", "c"):
        (default,) = values(wine, ["getdate", empty], locale)
        assert re.fullmatch("DATE=" + DEFAULT_SHAPE[locale], default), (empty, default)


def test_getdate_uses_the_locale_date_separator(wine):
    (dotted,) = values(wine, ["getdate", "dd/mm/yyyy"], "de")
    assert re.fullmatch(r"DATE=\d\d\.\d\d\.\d{4}", dotted), dotted


def test_arithmetic_results_reach_a_script(wine):
    out = wine.batch(
        "set TVKFILE=C:\\Tovrik.bat\n"
        '"%TOVRIK%" add 1,5 2,25\nCALL %TVKFILE%\necho sum [%RESULT%]\n'
        '"%TOVRIK%" div 7 2\nCALL %TVKFILE%\nset /a NEXT=%RESULT%+1\necho next [%NEXT%]\n'
        '"%TOVRIK%" isnumeric abc\nCALL %TVKFILE%\necho numeric [%ISNUMERIC%]\n'
        '"%TOVRIK%" compare 10 9\nCALL %TVKFILE%\nif "%RESULT%"=="1" echo greater\n'
        '"%TOVRIK%" div 1 0\nCALL %TVKFILE%\nif defined ERROR echo error [%ERROR%]\n'
    )
    assert out.splitlines() == ["sum [3,75]", "next [5]", "numeric [0]", "greater", "error [1]"], out
