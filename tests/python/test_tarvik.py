"""The Python package against tarvik-decode: read_frame() equals the CSV
table read with the types the columns declare, cell for cell; decode() and
decode_lines() equal the JSON lines; hostile input gives the same results
or a clear exception; the Dask path on a local cluster of two worker
processes equals read_frame() row for row.

Run by ctest with TARVIK_DECODE (the program), TARVIK_CORPUS (tarvik-corpus),
TARVIK_WORK (a scratch folder) and, when real reports are at hand,
TARVIK_CORPUS_DIR (their first 20,000 lines of each file are used).
"""
import glob
import io
import json
import os
import subprocess

import numpy as np
import pandas as pd
import pytest

import tarvik

DECODE = os.environ["TARVIK_DECODE"]
WORK = os.environ["TARVIK_WORK"]
MONTH = "2024-04"
HOSTILE = (b'KABC 121755Z 24010KT 10SM CLR 24/12 A3001 RMK AO2 FOO,"BAR" SLP163\n'
           b'EGLL 071220Z 24015MPS 9999 FEW030 12/08 Q1013 NOSIG\n'
           b'KABC 121755Z 9999 R27/0600 RA\rBR 12/08 Q1013 BECMG \xe9T\xe9\n'
           b'metar, "rejected"\n'
           b'KABC 311755Z RMK RADAT 80L024 SLP163 SLP164\n'
           b'  \tKJFK 121751Z 24010KT 10SM FEW250 24/12 A3001 RMK AO2\x00 GONE\n'
           b'NA01 121755Z 24010KT 9999 FEW030 24/12 Q1013\n'
           b'UUWW 071230Z 18004MPS 4800 R24/P2000N -SHRASN BKN///CB 03/// Q1013 RESN WS R24 '
           b'R24/590160 W15/S3 BLU+BLU+ TEMPO FM1300 25010G15MPS 1200 +SN NSC\n'
           b'\n   \n')


@pytest.fixture(scope="module")
def archive():
    """Synthetic reports, hostile ones, and real ones when at hand."""
    os.makedirs(WORK, exist_ok=True)
    reports = subprocess.run([os.environ["TARVIK_CORPUS"], "3000"], check=True,
                             capture_output=True).stdout + HOSTILE
    corpus = os.environ.get("TARVIK_CORPUS_DIR", "")
    for name in ("us.txt", "intl.txt", "fixtures.txt"):
        path = os.path.join(corpus, name)
        if corpus and os.path.isfile(path):
            with open(path, "rb") as handle:
                reports += b"".join(handle.readlines()[:20000])
    path = os.path.join(WORK, "reports.txt")
    with open(path, "wb") as handle:
        handle.write(reports)
    return path


def run(path, *args):
    with open(path, "rb") as handle:
        return subprocess.run([DECODE, *args], stdin=handle, capture_output=True).stdout


def expected_column(text, dtype):
    """A CSV column's texts as the type read_frame() gives the column."""
    absent = text == ""
    if dtype == "Int32":
        return pd.array([None if a else int(t) for t, a in zip(text, absent)], dtype="Int32")
    if dtype in ("float32", "float64"):
        return np.where(absent, "nan", text).astype(np.float64).astype(dtype)
    if dtype == "boolean":
        return pd.array([None if a else t == "1" for t, a in zip(text, absent)], dtype="boolean")
    if dtype == "datetime64[ns, UTC]":
        return pd.to_datetime(pd.Series(text).replace("", None), format="%Y-%m-%dT%H:%MZ",
                              utc=True).array
    return np.where(absent, None, text).astype(object)


def as_comparable(values):
    """Values with every absent one as None, as an object array."""
    series = pd.Series(values).astype(object)
    return np.array([None if v is pd.NA or v is pd.NaT or (isinstance(v, float) and np.isnan(v))
                     else v for v in series], dtype=object)


def test_read_frame_equals_the_csv(archive):
    frame = tarvik.read_frame(archive, month=MONTH, jobs=3)
    table = pd.read_csv(io.BytesIO(run(archive, "-f", "csv", "--month", MONTH)), dtype=str,
                        keep_default_na=False, na_values=[])
    assert list(frame.columns) == list(table.columns) == tarvik.columns()
    assert len(frame) == len(table) > 3000
    for name in table.columns:
        dtype = str(frame[name].dtype)
        want = expected_column(table[name].to_numpy(), dtype)
        got = frame[name].array
        if dtype in ("float32", "float64"):
            assert np.array_equal(np.asarray(got), want, equal_nan=True), name
        else:
            assert (as_comparable(got) == as_comparable(want)).all(), name
    assert frame["StationId"].dtype == "category"
    assert frame.loc[frame["input"].str.startswith("NA01"), "StationId"].tolist() == ["NA01"]


def test_the_same_from_every_kind_of_source(archive):
    whole = tarvik.read_frame(archive, columns=["input", "result", "notDecoded"])
    with open(archive, "rb") as handle:
        lines = handle.read().split(b"\n")
    with open(archive, "rb") as binary:
        from_binary = tarvik.read_frame(binary, columns=["input", "result", "notDecoded"])
    from_lines = tarvik.read_frame(lines, columns=["input", "result", "notDecoded"], jobs=2)
    pd.testing.assert_frame_equal(whole, from_binary)
    pd.testing.assert_frame_equal(whole, from_lines)


def test_threads_decode_side_by_side(archive):
    """Calls from several threads at once (the GIL is let go while they
    decode) give what one thread gives."""
    from concurrent.futures import ThreadPoolExecutor
    with open(archive, "rb") as handle:
        lines = handle.read().split(b"\n")
    chunks = [lines[i::4] for i in range(4)]
    read = lambda chunk: tarvik.read_frame(chunk, month=MONTH, columns=["input", "notDecoded"])
    with ThreadPoolExecutor(4) as pool:
        together = list(pool.map(read, chunks))
    for chunk, frame in zip(chunks, together):
        pd.testing.assert_frame_equal(frame, read(chunk))


def test_decode_equals_the_json_lines(archive):
    want = [json.loads(line) for line in run(archive, "-f", "json", "--month", MONTH).splitlines()]
    with open(archive, "rb") as handle:
        lines = handle.read().split(b"\n")
    assert list(tarvik.decode_lines(lines, month=MONTH, jobs=2)) == want
    reports = [line.rstrip(b"\r") for line in lines if line.strip(b" \t")]
    sample = range(0, len(reports), 97)
    assert [tarvik.decode(reports[i], month=MONTH) for i in sample] == [want[i] for i in sample]


def test_forecasts_beside_reports():
    taf = "TAF EGLL 121700Z 1218/1324 24010KT 9999 SCT030 TEMPO 1220/1224 4000 RA"
    line = tarvik.decode(taf, month="2024-02")
    assert line["kind"] == "TAF"
    assert [p["type"] for p in line["taf"]["periods"]] == ["BASE", "TEMPO"]
    assert line["taf"]["periods"][1]["tillTime"] == "2024-02-13T00:00Z"  # hour 24
    frame = tarvik.read_frame([taf, "EGLL 121750Z 24010KT 9999 FEW030 12/08 Q1013"])
    assert frame["result"].tolist() == [0, 0]
    assert pd.isna(frame.loc[0, "StationId"])  # a forecast has no report's values
    assert frame.loc[1, "StationId"] == "EGLL"


def test_hostile_input():
    frame = tarvik.read_frame([b"KABC 121755Z \xff\xfeX", "KABC 121755Z CLR\x00 GONE", ""])
    assert frame["input"].tolist() == ["KABC 121755Z \ufffd\ufffdX", "KABC 121755Z CLR"]
    long = tarvik.read_frame([b"KJFK 121751Z RMK " + b"X" * 10_000_000], columns=["notDecoded"])
    assert len(long["notDecoded"][0]) == 10_000_000
    assert tarvik.decode(b"KJFK 121751Z RMK " + b"X" * 10_000_000)["notDecoded"] == ["X" * 10_000_000]
    empty = os.path.join(WORK, "empty.txt")
    open(empty, "wb").close()
    nothing = tarvik.read_frame(empty)
    assert len(nothing) == 0 and list(nothing.columns) == tarvik.columns()
    with pytest.raises(FileNotFoundError):
        tarvik.read_frame(os.path.join(WORK, "no-such-file.txt"))
    with pytest.raises(IsADirectoryError):
        tarvik.read_frame(WORK)
    with pytest.raises(TypeError):
        tarvik.read_frame(42)
    with pytest.raises(TypeError):
        tarvik.read_frame([b"KABC 121755Z", 7])
    with pytest.raises(TypeError):
        tarvik.decode(None)
    with pytest.raises(ValueError):
        tarvik.read_frame(["KABC 121755Z"], month="2024-13")
    with pytest.raises(ValueError):
        tarvik.read_frame(["KABC 121755Z"], jobs=0)
    with pytest.raises(KeyError):
        tarvik.read_frame(["KABC 121755Z"], columns=["NoSuchColumn"])


def test_dask_on_a_local_cluster_equals_read_frame(archive):
    from distributed import Client, LocalCluster
    import tarvik.dask

    with open(archive, "rb") as handle:
        lines = handle.read().splitlines(keepends=True)
    parts = os.path.join(WORK, "parts")
    os.makedirs(parts, exist_ok=True)
    for old in glob.glob(os.path.join(parts, "*.txt")):
        os.remove(old)
    step = len(lines) // 4 + 1
    for n, start in enumerate(range(0, len(lines), step)):
        with open(os.path.join(parts, f"part-{n}.txt"), "wb") as handle:
            handle.write(b"".join(lines[start:start + step]))
    columns = ["input", "result", "observationTime", "StationId", "Wind.Speed",
               "AltimeterInches", "Cavok", "derived.flightCategory", "extended.overflow"]
    with LocalCluster(n_workers=2, threads_per_worker=1, processes=True,
                      dashboard_address=None) as cluster, Client(cluster):
        frame = tarvik.dask.read_frame(os.path.join(parts, "part-*.txt"), month=MONTH,
                                       columns=columns, blocksize=20_000)
        assert frame.npartitions > 4
        got = frame.compute()
    want = tarvik.read_frame(archive, month=MONTH, columns=columns)
    assert list(got.dtypes.astype(str)) == list(want.dtypes.astype(str))
    pd.testing.assert_frame_equal(got.reset_index(drop=True), want, check_categorical=False)
