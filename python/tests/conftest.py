"""What the module's tests share: the programs built beside it, and a configuration folder of
their own, so that no test reads or writes the user's."""

import os
import subprocess

import pytest


def program(name):
    """The path of a program of this build, as ctest hands it in (KESTREL_EDIT, ...)."""
    path = os.environ.get(name)
    if not path:
        pytest.fail(f"{name} is not set: run the tests through ctest")
    return path


@pytest.fixture
def config_dir(tmp_path):
    """An empty configuration folder: the default homes, no arm.ini."""
    folder = tmp_path / "config"
    folder.mkdir()
    return str(folder)


def run(args, **kwargs):
    """A program run to its end, its output kept as bytes."""
    return subprocess.run(args, capture_output=True, timeout=60, **kwargs)
