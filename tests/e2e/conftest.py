"""Shared fixtures: one Wine session for all tests, and a fresh account state before each test."""
import pytest

from harness import Wine


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
