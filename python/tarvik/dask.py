"""Archives of reports decoded on a Dask cluster.

read_frame() cuts the input files into blocks at line ends and decodes each
block with tarvik.read_frame() on a worker; every worker needs the tarvik
package (the python3-tarvik Debian package, or PYTHONPATH to a build).
"""
from dask import delayed
import dask.bytes
import dask.dataframe as dd
from dask.dataframe.utils import clear_known_categories

import tarvik

__all__ = ["read_frame"]


def _decode_block(block, month, columns):
    return tarvik.read_frame(block.split(b"\n"), month=month, columns=columns)


def read_frame(paths_or_glob, *, month=None, columns=None, blocksize="64MB"):
    """Decode report files on a Dask cluster into a dask.dataframe.

    paths_or_glob: a path, a glob pattern ("archive/2024-02-*.txt") or a
        list of them; anything dask.bytes.read_bytes() takes, so also
        remote file systems that fsspec knows.
    month: "YYYY-MM", the month of every report (see tarvik.read_frame()).
    columns: the names of the columns wanted (default: all).
    blocksize: the size of the blocks each file is cut into, at line ends
        (bytes, or a text such as "64MB"); None for one block per file.

    The partitions are the blocks in file order, then in order within each
    file, so the rows are in the files' order. Columns and types are those
    of tarvik.read_frame(); the categories of category columns are found
    as the partitions are computed.
    """
    columns = None if columns is None else list(columns)
    _, blocks = dask.bytes.read_bytes(paths_or_glob, delimiter=b"\n", blocksize=blocksize,
                                      sample=False)
    decode = delayed(_decode_block, pure=True)
    parts = [decode(block, month, columns) for file_blocks in blocks for block in file_blocks]
    meta = clear_known_categories(tarvik.read_frame([], month=month, columns=columns))
    if not parts:
        return dd.from_pandas(meta, npartitions=1)
    return dd.from_delayed(parts, meta=meta, verify_meta=False)
