"""Shared by the module's tests: the module under test and the command line it must agree with."""

import csv
import io
import os
import subprocess

import pytest


@pytest.fixture(scope="session")
def run_tool():
    """Runs tarvex-budget --batch on rows (dicts of column -> text) and returns its records as dicts."""
    tool = os.environ["TARVEX_BUDGET"]

    def run(rows, values="exact", *options):
        columns = list(dict.fromkeys(name for row in rows for name in row))
        text = io.StringIO()
        writer = csv.DictWriter(text, columns, restval="", lineterminator="\n")
        writer.writeheader()
        writer.writerows(rows)
        done = subprocess.run([tool, "--batch", "-", "--values", values, *options], input=text.getvalue(),
                              capture_output=True, text=True, check=False)
        assert done.returncode in (0, 1), done.stderr
        return list(csv.DictReader(io.StringIO(done.stdout, newline="")))

    return run
