"""Shared fixtures: the command line the module is compared with, and the
real drawings saved by Jw_cad (a missing folder is an error, never a skip)."""
import json
import os
import pathlib
import subprocess

import pytest


def _required_path(variable):
    value = os.environ.get(variable)
    if not value:
        raise RuntimeError(f"{variable} is not set: run these tests through ctest")
    return pathlib.Path(value)


CLI = _required_path("TW_CLI")
SHARED = _required_path("TW_SHARED_TESTDATA")
if not SHARED.is_dir():
    raise RuntimeError(f"the shared drawings are missing: {SHARED}")
DRAWINGS = sorted(SHARED.glob("*.jww"))
if not DRAWINGS:
    raise RuntimeError(f"no drawings in {SHARED}")


def cli(*args):
    """Runs tintwright-cli and returns its standard output; fails on an error."""
    done = subprocess.run([str(CLI), *map(str, args)], capture_output=True, check=False)
    assert done.returncode == 0, done.stderr.decode(errors="replace")
    return done.stdout


def dump(path):
    return json.loads(cli("dump", "--json", path))


@pytest.fixture(params=DRAWINGS, ids=lambda p: p.name)
def drawing_path(request):
    return request.param
