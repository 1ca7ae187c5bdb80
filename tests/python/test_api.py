"""How the module takes its inputs and gives its results, where that can go wrong on its own."""

import ast
import math
import pathlib
import pydoc

import numpy as np
import pytest

import tarvex_uncertainty as tu

START = tu.budget()


@pytest.mark.parametrize("value", [-10, -10.0, "-10", " -10 ", np.int16(-10), np.float32(-10), np.int64(-10)])
def test_a_number_may_be_given_in_any_of_its_python_forms(value):
    assert tu.budget(level_dbm=value).MU == tu.budget(level_dbm="-10").MU


@pytest.mark.parametrize("missing", [None, "", math.nan])
def test_a_missing_value_keeps_the_start_value(missing):
    assert tu.budget(frequency_ghz=missing).inputs == START.inputs


@pytest.mark.parametrize("keywords, error, message", [
    ({"levl_dbm": 1}, TypeError, "budget() got an unknown keyword argument 'levl_dbm' (did you mean level_dbm?)"),
    ({"colour": 1}, TypeError, "(one of sensor, basic_unit,"),
    ({"level_dbm": True}, ValueError, "level_dbm: 'True' is not a number"),
    ({"frequency_ghz": math.inf}, ValueError, "frequency_ghz: 'inf' is not a number"),
    ({"level_dbm": 2**70}, ValueError, "level_dbm: 1180591620717411303424 is above TS-301's top level 20 dBm"),
    ({"sensor": "TS-3O1", "frequency_ghz": 99}, ValueError, "sensor: unknown 'TS-3O1' (did you mean TS-301?)"),
])
def test_wrong_inputs_raise_with_the_tools_words(keywords, error, message):
    with pytest.raises(error) as raised:
        tu.budget(**keywords)
    assert message in str(raised.value)


@pytest.mark.parametrize("call, error, message", [
    (lambda: tu.sweep("levle"), ValueError, "unknown axis 'levle' (one of frequency, level)"),
    (lambda: tu.coverage("exakt"), ValueError, "method: unknown method 'exakt' (did you mean exact?)"),
    (lambda: tu.budgets({"level_dbm": [0]}, "shown"), ValueError,
     "values: unknown style 'shown' (one of exact, display)"),
    # A function's own keywords are among the names a mistyped keyword is matched with.
    (lambda: tu.sweep(axs="level"), TypeError, "sweep() got an unknown keyword argument 'axs' (did you mean axis?)"),
    (lambda: tu.coverage(sed=1), TypeError, "coverage() got an unknown keyword argument 'sed' (did you mean seed?)"),
])
def test_a_name_that_no_choice_has_raises_with_the_nearest_or_every_choice(call, error, message):
    with pytest.raises(error) as raised:
        call()
    assert str(raised.value) == message


def test_budget_gives_every_result_by_key_and_as_the_window_writes_it():
    b = tu.budget(sensor="TS-106", frequency_ghz=20, level_dbm=8, unit="percent", fd_lin="systematic",
                  exclude=["temp", "noise"])
    assert b.unit == "percent" and b.systematic_error is not None and START.systematic_error is None
    assert [getattr(b, key) for key in b.contributions] == list(b.contributions.values())
    assert [key for key, on in b.included.items() if not on] == ["noise", "temp"]
    assert b.texts["MU"] == "5.5 %" and b.texts["systematic_error"] == "1.8 %"
    assert "Expanded Uncertainty of Power (k=2)      5.5 %" in str(b)
    assert b.inputs["exclude"] == "noise temp"


@pytest.mark.parametrize("columns, message", [
    ({"sensor": ["TS-301"] * 3, "level_dbm": [1, 2]}, "the columns differ in length (rows: sensor 3, level_dbm 2)"),
    ({"id": [1, 2], "unit": ["dB"]}, "the columns differ in length (rows: id 2, unit 1)"),
    ({"level_dbm": np.zeros((2, 2))}, "level_dbm: a column must be one-dimensional, this one has 2 dimensions"),
    ({"level": [1]}, "unknown column 'level' (did you mean level_dbm?)"),
    ({"sensor": ["TS-301"], " Sensor": ["TS-106"]}, "column sensor appears twice"),
])
def test_budgets_raises_for_columns_that_cannot_be_read(columns, message):
    with pytest.raises(ValueError) as raised:
        tu.budgets(columns)
    assert str(raised.value) == message


def test_budgets_takes_one_value_for_all_rows_and_passes_ids_and_other_columns_through():
    result = tu.budgets({"operator": "Kim", "Level_dBm ": np.array([0, 8, 99]), "id": ["a", "b", "c"],
                         "sensor": "TS-106", "MU": [1.0, 2.0, 3.0], "unit": ["dB", "percent", "dB"]})
    assert list(result) == ["id", "operator", "unit"] + [f"u_{k}" for k in START.contributions] + [
        "uc", "MU", "systematic_error", "error"]
    assert [list(result[c]) for c in ("id", "operator", "unit")] == [["a", "b", "c"], ["Kim"] * 3,
                                                                     ["dB", "percent", ""]]
    assert result["MU"][0] == tu.budget(sensor="TS-106", level_dbm=0).MU
    assert result["error"][2].startswith("level_dbm: 99 is above TS-106's top level")
    assert all(len(column) == 3 for column in result.values())


@pytest.mark.parametrize("column", [np.array(["TS-106", "TS-301"]), np.array([b"TS-106", b"TS-301"]),
                                    ["TS-106", "TS-301"], ("TS-106", "TS-301"), np.array(["TS-106", "TS-301"], "O")])
def test_budgets_reads_text_columns_of_every_kind(column):
    assert list(tu.budgets({"sensor": column})["MU"]) == [tu.budget(sensor=s).MU for s in ("TS-106", "TS-301")]


@pytest.mark.parametrize("text", ["TS-3\u00e91", "TS-301\u00a0", "\U0001d4af", "\ud800"])
def test_texts_beyond_ascii_read_alike_in_budgets_and_budget(text):
    """A column's texts are read where they stand; those that are not ASCII, or not UTF-8 at all, too."""
    try:
        tu.budget(sensor=text)
        expected = ""
    except ValueError as raised:
        expected = str(raised)
    assert list(tu.budgets({"sensor": np.array([text, "TS-106"], "O")})["error"]) == [expected, ""]


def test_no_rows_give_empty_columns():
    result = tu.budgets({"sensor": []})
    assert all(len(column) == 0 for column in result.values())


@pytest.mark.parametrize("sensor", tu.sensors())
def test_each_sensors_limits_are_allowed_and_one_step_beyond_is_not(sensor):
    lim = tu.limits(sensor)
    assert set(lim) <= set(START.inputs)
    for low, high in [lim["frequency_ghz"], lim["level_dbm"]]:
        assert low < high
    for (f, level) in [(lim["frequency_ghz"][0], lim["level_dbm"][0]), (lim["frequency_ghz"][1], lim["level_dbm"][1])]:
        tu.budget(sensor=sensor, frequency_ghz=f, level_dbm=level)
    with pytest.raises(ValueError):
        tu.budget(sensor=sensor, level_dbm=lim["level_dbm"][1] + 1)


@pytest.mark.parametrize("axis, setup", [("frequency", {"sensor": "TS-106", "level_dbm": 8}),
                                         ("level", {"sensor": "TS-301", "fd_lin": "systematic", "exclude": "cal"})])
def test_a_sweep_passes_through_the_setup_itself(axis, setup):
    arrays = tu.sweep(axis, **setup)
    x = arrays.pop("x")
    assert np.all(np.diff(x) > 0)
    own = tu.budget(**setup)
    at = int(np.flatnonzero(x == float(own.inputs["frequency_ghz" if axis == "frequency" else "level_dbm"]))[0])
    expected = {f"u_{k}": v for k, v in own.contributions.items() if own.included[k]}
    expected |= {"uc": own.uc, "MU": own.MU}
    if own.systematic_error is not None:
        expected["systematic_error"] = own.systematic_error
    assert {name: column[at] for name, column in arrays.items()} == expected


def test_the_stub_and_the_help_name_everything_the_module_offers():
    stub = ast.parse(pathlib.Path(tu.__file__).with_name("__init__.pyi").read_text())
    stubbed = {node.name for node in stub.body if isinstance(node, (ast.FunctionDef, ast.ClassDef))}
    assert stubbed == set(tu.__all__)
    budget_stub = next(n for n in stub.body if getattr(n, "name", "") == "budget")
    assert [a.arg for a in budget_stub.args.kwonlyargs] == list(START.inputs)
    assert {n.name for n in next(n for n in stub.body if getattr(n, "name", "") == "Budget").body
            if isinstance(n, ast.FunctionDef)} >= set(START.contributions)
    text = pydoc.render_doc(tu, renderer=pydoc.plaintext)
    for name in tu.__all__:
        assert getattr(tu, name).__doc__, name
        assert f"{name}(" in text or f"class {name}" in text, name
