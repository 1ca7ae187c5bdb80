"""The measurement uncertainty budget of RF power measurements with Tarvex sensors.

The same budget as the window program and the command line tarvex-budget, from the same C++ core:
the same inputs (named like tarvex-budget's batch columns), checks, messages and numbers.

    >>> import tarvex_uncertainty as tu
    >>> b = tu.budget(sensor="TS-301", frequency_ghz=1.5, level_dbm=-10)
    >>> b.MU            # expanded uncertainty (k = 2), dB
    >>> print(b)        # the budget as tarvex-budget's text table

budget(**setup)            one setup -> Budget (contributions by key, uc, MU, systematic_error, texts)
budgets(columns)           many setups as columns (dict or pandas DataFrame) -> dict of NumPy arrays
sweep(axis, **setup)       the chart's arrays over the sensor's frequency or level range
coverage(method, **setup)  what MU covers and the 95 % interval (exact or Monte Carlo)
sensors(), basic_units(), resolutions(), limits(sensor)
                           what the inputs may be

Every input left out keeps the window's start value. A value that is not allowed raises ValueError
with tarvex-budget's message; budgets() never raises for an invalid row but gives its message in the
error column.
"""

from tarvex_uncertainty._core import (
    Budget,
    __version__,
    basic_units,
    budget,
    budgets,
    coverage,
    limits,
    resolutions,
    sensors,
    sweep,
)

__all__ = [
    "Budget",
    "basic_units",
    "budget",
    "budgets",
    "coverage",
    "limits",
    "resolutions",
    "sensors",
    "sweep",
]

Budget.__module__ = __name__
