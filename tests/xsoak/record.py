"""Reads the fields the soak checks out of a 14664-byte data record (offsets of
exprwin/record_layout.h), without starting any program on it."""

import struct

SIZE = 14664
MAGIC = b"\x07Tobrisk"
ACTIVE = 188
SLOTS = 256
COUNT = 360
KINDS = 364
NAMES = 608
VALUES = 2992
INT_VALUES = 3480
REGISTERS = 14536
DISPLAY_MODE = 14640
DIGITS = 14644
FIN_LANGUAGE_SLOT = 22


def _int(rec, off):
    return struct.unpack_from("<i", rec, off)[0]


def whole(rec):
    return len(rec) == SIZE and rec[:8] == MAGIC


def active(rec):
    return _int(rec, ACTIVE)


def slot(rec, k):
    return _int(rec, SLOTS + 4 * k)


def register(rec, k):
    return struct.unpack_from("<d", rec, REGISTERS + 8 * k)[0]


def display_mode(rec):
    return _int(rec, DISPLAY_MODE), _int(rec, DIGITS)


def variable(rec, name):
    """The value of the variable `name` (exact integers as int), or None."""
    count = max(0, min(60, _int(rec, COUNT)))
    for i in range(1, count + 1):
        off = NAMES + 31 * i
        n = rec[off + 1:off + 1 + min(30, rec[off])].decode("cp1252", "replace")
        if n != name:
            continue
        kind = _int(rec, KINDS + 4 * i)
        if kind == 3:
            return struct.unpack_from("<q", rec, INT_VALUES + 8 * i)[0]
        if kind == 0:
            return struct.unpack_from("<d", rec, VALUES + 8 * i)[0]
    return None
