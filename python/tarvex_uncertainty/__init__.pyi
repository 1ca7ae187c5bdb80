# Type stub of tarvex_uncertainty, for editors and type checkers. The defaults are the window's start
# values; see help(tarvex_uncertainty.budget).

from collections.abc import Mapping, Sequence
from typing import Any, Literal, Union

import numpy as np
import numpy.typing as npt

__version__: str

_Number = Union[int, float, str, None]
_Text = Union[str, None]
_Keys = Union[str, Sequence[str], None]
_Column = Union[npt.ArrayLike, Sequence[Any], int, float, str, None]

class Budget:
    """The evaluated budget of one setup, made by budget()."""

    @property
    def cal(self) -> float: ...
    @property
    def drift(self) -> float: ...
    @property
    def noise(self) -> float: ...
    @property
    def lin(self) -> float: ...
    @property
    def temp(self) -> float: ...
    @property
    def GG(self) -> float: ...
    @property
    def res(self) -> float: ...
    @property
    def M(self) -> float: ...
    @property
    def P_Coeff(self) -> float: ...
    @property
    def fd_Lin(self) -> float: ...
    @property
    def Harmonics2f(self) -> float: ...
    @property
    def Harmonics3f(self) -> float: ...
    @property
    def uc(self) -> float: ...
    @property
    def MU(self) -> float: ...
    @property
    def systematic_error(self) -> float | None: ...
    @property
    def unit(self) -> Literal["dB", "percent"]: ...
    @property
    def contributions(self) -> dict[str, float]: ...
    @property
    def included(self) -> dict[str, bool]: ...
    @property
    def texts(self) -> dict[str, str]: ...
    @property
    def inputs(self) -> dict[str, str]: ...

def budget(
    *,
    sensor: _Text = ...,
    basic_unit: _Text = ...,
    resolution: _Text = ...,
    frequency_ghz: _Number = ...,
    level_dbm: _Number = ...,
    return_loss_db: _Number = ...,
    filter: _Number = ...,
    harmonic_2f_dbc: _Number = ...,
    harmonic_3f_dbc: _Number = ...,
    temp_min_c: _Number = ...,
    temp_max_c: _Number = ...,
    mismatch: Literal["probable", "conservative"] | None = ...,
    fd_lin: Literal["statistical", "systematic"] | None = ...,
    exclude: _Keys = ...,
    unit: Literal["dB", "percent"] | None = ...,
) -> Budget:
    """The uncertainty budget of one setup; see help(tarvex_uncertainty.budget)."""

def budgets(
    columns: Mapping[str, _Column], values: Literal["exact", "display"] = ...
) -> dict[str, npt.NDArray[Any]]:
    """The budgets of many setups at once, one result row per input row."""

def sweep(
    axis: Literal["frequency", "level"] = ...,
    *,
    sensor: _Text = ...,
    basic_unit: _Text = ...,
    resolution: _Text = ...,
    frequency_ghz: _Number = ...,
    level_dbm: _Number = ...,
    return_loss_db: _Number = ...,
    filter: _Number = ...,
    harmonic_2f_dbc: _Number = ...,
    harmonic_3f_dbc: _Number = ...,
    temp_min_c: _Number = ...,
    temp_max_c: _Number = ...,
    mismatch: Literal["probable", "conservative"] | None = ...,
    fd_lin: Literal["statistical", "systematic"] | None = ...,
    exclude: _Keys = ...,
    unit: Literal["dB", "percent"] | None = ...,
) -> dict[str, npt.NDArray[np.float64]]:
    """The chart's arrays over the sensor's frequency or level range."""

def coverage(
    method: Literal["exact", "montecarlo"] = ...,
    seed: int | None = ...,
    *,
    sensor: _Text = ...,
    basic_unit: _Text = ...,
    resolution: _Text = ...,
    frequency_ghz: _Number = ...,
    level_dbm: _Number = ...,
    return_loss_db: _Number = ...,
    filter: _Number = ...,
    harmonic_2f_dbc: _Number = ...,
    harmonic_3f_dbc: _Number = ...,
    temp_min_c: _Number = ...,
    temp_max_c: _Number = ...,
    mismatch: Literal["probable", "conservative"] | None = ...,
    fd_lin: Literal["statistical", "systematic"] | None = ...,
    exclude: _Keys = ...,
    unit: Literal["dB", "percent"] | None = ...,
) -> dict[str, float] | None:
    """What MU covers and the 95 % interval; None without a distribution."""

def sensors() -> list[str]: ...
def basic_units() -> list[str]: ...
def resolutions() -> list[str]: ...
def limits(sensor: str) -> dict[str, tuple[float, float]]: ...
