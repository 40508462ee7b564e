# Type stubs of the tarvik package.
import os
from typing import IO, Any, Iterable, Iterator, Optional, Sequence, Union

import pandas

__version__: str

Text = Union[str, bytes]
Source = Union[str, bytes, os.PathLike[str], IO[str], IO[bytes], Iterable[Text]]

def decode(text: Text, *, month: Optional[str] = ...) -> dict[str, Any]: ...
def decode_lines(
    lines: Iterable[Text], *, month: Optional[str] = ..., jobs: Optional[int] = ...
) -> Iterator[dict[str, Any]]: ...
def read_frame(
    source: Source,
    *,
    month: Optional[str] = ...,
    columns: Optional[Sequence[str]] = ...,
    jobs: Optional[int] = ...,
) -> pandas.DataFrame: ...
def columns() -> list[str]: ...
