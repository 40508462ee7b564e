# Type stubs of tarvik.dask.
from typing import Optional, Sequence, Union

import dask.dataframe

def read_frame(
    paths_or_glob: Union[str, Sequence[str]],
    *,
    month: Optional[str] = ...,
    columns: Optional[Sequence[str]] = ...,
    blocksize: Union[int, str, None] = ...,
) -> dask.dataframe.DataFrame: ...
