"""Shared fixtures: one Wine session for all tests, and a fresh account state before each test."""
import os
import signal
from contextlib import ExitStack

import pytest

from harness import Wine, WindowRun, fresh_folder


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
def folders(wine):
    """Makes empty folders of the prefix (folders("C:\\...") gives the host Path), each removed afterwards
    with everything in it."""
    with ExitStack() as made:
        yield lambda windows_path: made.enter_context(fresh_folder(wine, windows_path))


@pytest.fixture
def started(wine):
    """Starts programs under Wine in the background, as wine.start does; each in a process group of its own,
    so that one still running at the end is killed with everything it started."""
    processes = []

    def start(program, *args, **options):
        processes.append(wine.start(program, *args, start_new_session=True, **options))
        return processes[-1]

    yield start
    for process in processes:
        if process.poll() is None:
            os.killpg(process.pid, signal.SIGKILL)
            process.wait(timeout=30)


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
