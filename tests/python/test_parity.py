"""The module's numbers, texts and messages equal tarvex-budget's for the same rows, valid or not."""

import math
import random

import numpy as np
import pytest

import tarvex_uncertainty as tu

ROWS = 3000
INPUTS = ["sensor", "basic_unit", "resolution", "frequency_ghz", "level_dbm", "return_loss_db", "filter",
          "harmonic_2f_dbc", "harmonic_3f_dbc", "temp_min_c", "temp_max_c", "mismatch", "fd_lin", "exclude",
          "unit"]
KEYS = list(tu.budget().contributions)


# Mistakes people make, by column; an empty text is allowed (the start value) and is among the choices.
MISTAKES = {
    "sensor": ["TS-3O1", "ts-301"], "resolution": ["0.01", "0,01 dB"], "frequency_ghz": ["1,5", "99", "x"],
    "level_dbm": ["2.5", "999", "-"], "return_loss_db": ["61", "-1"], "filter": ["13", "7.5"],
    "harmonic_2f_dbc": ["-81"], "harmonic_3f_dbc": ["-9"], "temp_min_c": ["-1", "51"], "mismatch": ["worst"],
    "fd_lin": ["random"], "exclude": ["calibration", "cal,, lin"], "unit": ["W"],
}


def varied_row(rng):
    """One row of texts: allowed values, and in about a third of the rows one of the mistakes above."""
    sensor = rng.choice(tu.sensors() + [""])
    lim = tu.limits(sensor or "TS-301")
    f_low, f_high = lim["frequency_ghz"]
    l_low, l_high = lim["level_dbm"]
    t_min = rng.randint(0, 50)
    row = {
        "sensor": sensor,
        "basic_unit": rng.choice(tu.basic_units() + [""]),
        "resolution": rng.choice(tu.resolutions()),
        "frequency_ghz": rng.choice([f"{rng.uniform(f_low, f_high):.4g}", str(f_high), f"{f_low:g}", ""]),
        "level_dbm": rng.choice([str(rng.randint(l_low, l_high)), str(l_high), f" {l_low} ", ""]),
        "return_loss_db": rng.choice([f"{rng.uniform(0, 60):.3g}", "1e1", "60", ""]),
        "filter": str(rng.randint(0, 12)),
        "harmonic_2f_dbc": str(rng.randint(-80, -10)),
        "harmonic_3f_dbc": str(rng.randint(-80, -10)),
        "temp_min_c": str(t_min),
        "temp_max_c": str(rng.randint(t_min, 50)),
        "mismatch": rng.choice(["probable", "Conservative", ""]),
        "fd_lin": rng.choice(["statistical", "systematic", "SYSTEMATIC", ""]),
        "exclude": " ".join(rng.sample(KEYS, rng.choice([0, 0, 1, 2]))),
        "unit": rng.choice(["dB", "percent", "PERCENT", ""]),
    }
    if rng.random() < 0.35:
        column = rng.choice(list(MISTAKES))
        row[column] = rng.choice(MISTAKES[column])
    if rng.random() < 0.05:
        row["temp_min_c"], row["temp_max_c"] = row["temp_max_c"], str(int(row["temp_min_c"]) - 1)
    return row


@pytest.fixture(scope="module")
def rows():
    rng = random.Random(18)
    return [varied_row(rng) for _ in range(ROWS)]


def columns_of(rows):
    return {name: [row[name] for row in rows] for name in INPUTS}


def as_numbers(texts):
    """A numeric column as NumPy floats where every text is a plain number (NaN for empty), else None."""
    try:
        return np.array([float(t) if t.strip() else math.nan for t in texts])
    except ValueError:
        return None


def test_exact_values_and_errors_equal_the_tool(rows, run_tool):
    expected = run_tool(rows)
    result = tu.budgets(columns_of(rows))
    invalid = 0
    for i, record in enumerate(expected):
        assert result["error"][i] == record["error"], i
        invalid += record["error"] != ""
        assert result["unit"][i] == record["unit"], i
        for column in result:
            if column not in ("error", "unit"):
                value = result[column][i]
                assert (math.isnan(value) if record[column] == "" else value == float(record[column])), (i, column)
    assert 0.2 * ROWS < invalid < 0.8 * ROWS  # both kinds are well represented


def test_display_texts_equal_the_tool(rows, run_tool):
    expected = run_tool(rows, values="display")
    result = tu.budgets(columns_of(rows), values="display")
    for i, record in enumerate(expected):
        assert {c: result[c][i] for c in result} == {c: record[c] for c in result}, i


@pytest.mark.parametrize("kind", ["numpy", "pandas"])
def test_numbers_given_as_numbers_equal_numbers_given_as_texts(rows, kind):
    """Numeric columns as float arrays (NaN for an empty field) give what their texts give."""
    texts = columns_of(rows)
    numeric = {name: as_numbers(values) for name, values in texts.items()}
    mixed = {name: numeric[name] if numeric[name] is not None else values for name, values in texts.items()}
    assert sum(v is not None for v in numeric.values()) >= 5
    if kind == "pandas":
        pd = pytest.importorskip("pandas")
        mixed = pd.DataFrame(mixed)
    from_texts = tu.budgets(texts)
    from_numbers = tu.budgets(mixed)
    for column in from_texts:
        np.testing.assert_array_equal(from_numbers[column], from_texts[column], err_msg=column)


@pytest.mark.parametrize("column, values, texts", [
    # Whole numbers as int64 columns, beyond the ranges too (100000 is not written 1e+05 in a message).
    ("level_dbm", np.array([-5, 20, 21, 100000, -(2**62)]), ["-5", "20", "21", "100000", str(-(2**62))]),
    ("filter", np.array([0, 12, 13], dtype=np.uint64), ["0", "12", "13"]),
    # One value for all rows: a float, an int, a NumPy float, a bool and infinity read as their texts.
    ("return_loss_db", 2.5, "2.5"),
    ("temp_max_c", 10, "10"),
    ("frequency_ghz", np.float64(1e5), "1e+05"),
    ("harmonic_2f_dbc", True, "True"),
    ("level_dbm", math.inf, "inf"),
])
def test_numbers_read_as_their_texts(column, values, texts):
    """Numbers of every shape give the numbers and messages of the texts they are written as."""
    rows = 1 if isinstance(texts, str) else len(texts)
    from_numbers = tu.budgets({column: values, "id": list(range(rows))})
    from_texts = tu.budgets({column: texts, "id": list(range(rows))})
    for name in from_texts:
        np.testing.assert_array_equal(from_numbers[name], from_texts[name], err_msg=name)


def test_budget_agrees_with_budgets_row_by_row(rows):
    """budget() gives the same numbers, or raises ValueError with the same message, as budgets()."""
    table = tu.budgets(columns_of(rows[:300]))
    for i, row in enumerate(rows[:300]):
        setup = {name: text for name, text in row.items() if text != ""}
        if table["error"][i]:
            with pytest.raises(ValueError) as raised:
                tu.budget(**setup)
            assert str(raised.value) == table["error"][i]
            continue
        b = tu.budget(**setup)
        assert [b.MU, b.uc] == [table["MU"][i], table["uc"][i]]
        assert list(b.contributions.values()) == [table[f"u_{k}"][i] for k in KEYS]


@pytest.mark.parametrize("method", ["exact", "montecarlo"])
def test_coverage_equals_the_tools(method, run_tool):
    setups = [{"sensor": "TS-106", "frequency_ghz": "20", "level_dbm": "8", "unit": "percent"},
              {"sensor": "TS-301", "fd_lin": "systematic", "unit": "dB"},
              {"sensor": "TS-301", "fd_lin": "", "unit": "", "exclude": " ".join(KEYS)}]  # no distribution
    for setup, record in zip(setups, run_tool(setups, "exact", f"--coverage={method}")):
        figures = tu.coverage(method, **setup)
        if record["k95"] == "":
            assert figures is None
        else:
            assert figures == {name: type(value)(record[name]) for name, value in figures.items()}
