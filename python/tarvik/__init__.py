"""Tarvik: METAR and SPECI aviation weather reports decoded into Python
objects and pandas frames.

- decode(text) gives one report as a dict: the content of tarvik-decode's
  JSON line for it.
- decode_lines(lines) gives a dict for each report of any iterable of
  lines, in order, as it goes.
- read_frame(source) gives a pandas.DataFrame with the columns of
  tarvik-decode's CSV table, typed.
- tarvik.dask.read_frame(paths) gives the same as a dask.dataframe over
  blocks of many files.

Decoding runs without the GIL, so threads decode side by side; `jobs`
decodes one call's reports on that many threads.
"""
import io
import itertools
import json
import os
from pathlib import Path

from . import _core

__all__ = ["decode", "decode_lines", "read_frame", "columns", "__version__"]
__version__ = _core.__version__

# Reports decode_lines() decodes together: enough to keep `jobs` threads
# busy, few enough that the first dicts come at once.
_LINES_PER_CHUNK = 4096


def _stations_path():
    """The station directory: beside the package in a build, else the
    programs' copy in <prefix>/share/tarvik."""
    here = Path(__file__).resolve().parent
    for candidate in (here / "stations.txt",
                      here.parents[3] / "share" / "tarvik" / "stations.txt",
                      Path("/usr/share/tarvik/stations.txt")):
        if candidate.is_file():
            return str(candidate)
    raise FileNotFoundError("tarvik: no station directory (stations.txt) beside the package "
                            "or in /usr/share/tarvik")


def decode(text, *, month=None):
    """Decode one report.

    text: the report, str or bytes (bytes that are not UTF-8 are kept as
        the decoder reads them; the texts given back have U+FFFD for them).
    month: "YYYY-MM", the report's month: the dict then has the full
        observationTime.

    Returns a dict with the keys of tarvik-decode's JSON line: "input",
    "result" (0, or the decoder's error number 8 or 12 for a rejected
    report), "observationTime", "report", "notDecoded", "derived" and
    "extended"; keys without a value are left out, as in the JSON. A
    forecast (a text beginning TAF, or CCCC ddhhmmZ ddhh/ddhh) gives the
    forecast's JSON line instead: "input", "result" (20 or 21 too for a
    malformed header), "kind": "TAF", "taf" and "notDecoded".
    """
    return json.loads(_core.json_line(text, _stations_path(), month))


def decode_lines(lines, *, month=None, jobs=None):
    """Decode each report of `lines`, in order, as the lines come.

    lines: any iterable of str or bytes, one report each (a line end at the
        end is removed; blank lines are skipped, as in a file).
    jobs: threads for each chunk of 4096 reports (default 1).

    Yields one dict per report, as decode() gives it.
    """
    stations = _stations_path()
    iterator = iter(lines)
    while True:
        chunk = list(itertools.islice(iterator, _LINES_PER_CHUNK))
        if not chunk:
            return
        for line in _core.json_lines(chunk, stations, month, jobs):
            yield json.loads(line)


def columns():
    """The names of read_frame()'s columns, in order: those of
    tarvik-decode's CSV table."""
    return [name for name, _ in _core.column_types()]


def _string_array(values):
    """A pandas string array over `values`, an object array of str and
    pandas.NA that the module made. Its checks (every element a str or NA)
    are skipped where pandas allows it: the module guarantees them, and they
    cost more than the decoding."""
    import pandas as pd
    from pandas.core.arrays.string_ import StringArray
    if hasattr(StringArray, "_simple_new"):
        return StringArray._simple_new(values, pd.StringDtype())
    return StringArray(values)


def _frame(parts):
    """The frame of the module's columns: ([(name, type code, row in its
    kind's block, categories)], {type code: (block, mask block)}). Numbers
    become frame blocks as they are; every other column is a view of its
    block's row."""
    import pandas as pd
    described, blocks = parts
    columns = {}
    for name, code, row, categories in described:
        values, mask = blocks[code]
        if code == "i":
            columns[name] = pd.arrays.IntegerArray(values[row], mask[row])
        elif code == "b":
            columns[name] = pd.arrays.BooleanArray(values[row], mask[row])
        elif code == "t":
            columns[name] = pd.arrays.DatetimeArray(values[row].view("M8[ns]"),
                                                    dtype=pd.DatetimeTZDtype(tz="UTC"))
        elif code == "s":
            columns[name] = _string_array(values[row])
        elif code == "c":
            columns[name] = pd.Categorical.from_codes(
                values[row], dtype=pd.CategoricalDtype(pd.Index(categories, dtype=object)))
    rows = next(iter(blocks.values()))[0].shape[1] if blocks else 0
    try:
        return _frame_of_blocks(described, blocks, columns, rows)
    except (ImportError, AttributeError, TypeError):  # pandas without these internals
        data = {name: columns[name] if name in columns else blocks[code][0][row]
                for name, code, row, _ in described}
        return pd.DataFrame(data)


def _frame_of_blocks(described, blocks, columns, rows):
    """The frame put together from its blocks without a copy: each kind of
    number one block of its own, every other column a block of one."""
    import numpy as np
    import pandas as pd
    from pandas.core.internals import BlockManager
    from pandas.core.internals.api import make_block
    made = []
    for code in ("f", "d"):
        if code in blocks:
            places = [i for i, (_, c, _, _) in enumerate(described) if c == code]
            made.append(make_block(blocks[code][0], placement=np.array(places), ndim=2))
    for i, (name, code, _, _) in enumerate(described):
        if name in columns:
            made.append(make_block(columns[name], placement=np.array([i]), ndim=2))
    axes = [pd.Index([name for name, _, _, _ in described]), pd.RangeIndex(rows)]
    return pd.DataFrame(BlockManager(made, axes, verify_integrity=True))


def read_frame(source, *, month=None, columns=None, jobs=None):
    """Decode every report of `source` into a pandas.DataFrame.

    source: a path (str or os.PathLike), read as tarvik-decode reads a
        file (one report per line, blank lines skipped); an open file, text
        or binary; or an iterable of str or bytes, one report each.
    month: "YYYY-MM", the month of every report: observationTime is then
        the full time, else absent.
    columns: the names of the columns wanted (default: all of them, in the
        CSV table's order; see columns()).
    jobs: threads to decode on (default 1).

    One row per report, one column per CSV column, typed: whole numbers
    Int32, decimals float32 or float64 as the record holds them, flags
    boolean, texts string (category for station identifiers, covers,
    units and the flight category), observationTime datetime64[ns, UTC].
    Absent values are <NA> or NaN. A rejected report has its input and
    result and nothing else; so has a forecast, whose values the reports'
    columns have no place for (decode() and decode_lines() give them).
    """
    stations = _stations_path()
    if columns is not None:
        columns = list(columns)
    if isinstance(source, (str, bytes, os.PathLike)):
        parts = _core.columns_of_file(os.fsdecode(source), stations, month, columns, jobs)
    elif isinstance(source, io.TextIOBase) or hasattr(source, "read"):
        parts = _core.columns_of_lines(_lines_of_file(source), stations, month, columns, jobs)
    else:
        try:
            lines = iter(source)
        except TypeError:
            raise TypeError("read_frame: source must be a path, an open file or an iterable "
                            f"of str or bytes, not {type(source).__name__}") from None
        parts = _core.columns_of_lines(lines, stations, month, columns, jobs)
    return _frame(parts)


def _lines_of_file(file):
    """The lines of an open file, text or binary, split only at LF (as
    tarvik-decode splits them)."""
    data = file.read()
    if isinstance(data, str):
        data = data.encode("utf-8", "surrogateescape")
    return data.split(b"\n")
