"""Where the tests find quarvel-cli: QUARVEL_CLI (ctest sets it), else the build folder's."""
import os
import subprocess

import pytest


@pytest.fixture(scope="session")
def cli():
    path = os.environ.get("QUARVEL_CLI", "build-py/src/quarvel-cli")

    def run(*arguments, cwd=None):
        done = subprocess.run([path, *arguments], capture_output=True, text=True, check=False, cwd=cwd)
        return done.stdout

    return run
