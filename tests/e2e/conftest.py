"""Shared fixtures: one Wine session for all tests, and a fresh account state before each test."""
import pytest

from harness import Wine, WindowRun


@pytest.fixture(scope="session")
def wine():
    return Wine()


@pytest.fixture(autouse=True)
def fresh_state(wine):
    """Each test starts as a first run on a fresh account: no settings, no TvkFile, no return file."""
    wine.reset()
    yield


@pytest.fixture(scope="session", autouse=True)
def leave_the_prefix_clean(wine):
    yield
    wine.reset()


@pytest.fixture
def window_runs(wine):
    """Starts window-showing runs (WindowRun, or a subclass given as `kind`) and closes them afterwards."""
    started = []

    def start(*args, kind=WindowRun, **options):
        started.append(kind(wine, *args, **options))
        return started[-1]

    yield start
    for run in started:
        run.cleanup()
