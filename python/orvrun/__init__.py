"""Python bindings of liborvrun over its C host interface (ctypes, standard library only).

Texts are str at this edge and Windows-1250 inside the library; a character Windows-1250 cannot
hold is refused with ValueError. Procedures come from the library's own table, so every exported
procedure can be called by name with no binding code of its own:

    import orvrun
    orvrun.create("demo.db", demo=True)
    orvrun.open("demo.db")
    orvrun.sign_in(user=7)
    orvrun.call("ZAZNACZSQL", 1, 1001)
    orvrun.call("ILEZAZNACZONYCH", 1).value      # 1
"""

import ctypes
import json
import os
from typing import NamedTuple

__all__ = [
    "Error", "Result", "call", "close", "create", "get_global", "headless", "messages",
    "open", "procedures", "set_global", "sign_in", "sign_out", "table", "windows",
]

TEXT, LONG, BYTE, REAL, HANDLE, LIST = 1, 2, 3, 4, 5, 6
SHORT, BOOL, GROUP, TEXTS, WINDOW, BAND = 8, 9, 10, 11, 12, 13
# Kinds that cross a call as JSON text: records (lists of field dicts), ten texts, report bands,
# lists (a dict as orvrun_list.h describes it).
_JSON_KINDS = (GROUP, TEXTS, BAND, LIST)
_MESSAGES, _WINDOWS = 0, 1


class Error(Exception):
    """A call of the host interface that failed, with the library's reason."""


class _ParamInfo(ctypes.Structure):
    _fields_ = [("name", ctypes.c_char_p), ("type", ctypes.c_int32), ("optional", ctypes.c_uint8),
                ("by_ref", ctypes.c_uint8), ("capacity", ctypes.c_uint32)]


class _ProcInfo(ctypes.Structure):
    _fields_ = [("name", ctypes.c_char_p), ("summary", ctypes.c_char_p),
                ("result", ctypes.c_int32), ("params", ctypes.c_int32)]


class _Value(ctypes.Structure):
    _fields_ = [("given", ctypes.c_uint8), ("number", ctypes.c_double),
                ("text", ctypes.c_char_p), ("out", ctypes.c_void_p)]


_P = ctypes.POINTER
_ERR = _P(ctypes.c_void_p)
# name: (result type, argument types); a c_void_p result is a text the binding frees.
_SIGNATURES = {
    "ORVRUN_FREE": (None, [ctypes.c_void_p]),
    "ORVRUN_HOST_INIT": (None, [ctypes.c_void_p]),
    "ORVRUN_OPEN": (ctypes.c_uint8, [ctypes.c_char_p, ctypes.c_uint32, _ERR]),
    "ORVRUN_CLOSE": (None, []),
    "ORVRUN_CREATE": (ctypes.c_uint8, [ctypes.c_char_p, ctypes.c_uint8, ctypes.c_uint8, _ERR]),
    "ORVRUN_SIGN_IN": (ctypes.c_uint8, [_P(ctypes.c_double)] * 3 + [_ERR]),
    "ORVRUN_SIGN_OUT": (ctypes.c_uint8, [_ERR]),
    "ORVRUN_GLOBAL_TYPE": (ctypes.c_int32, [ctypes.c_char_p]),
    "ORVRUN_GLOBAL_GET": (ctypes.c_double, [ctypes.c_char_p]),
    "ORVRUN_GLOBAL_GET_TEXT": (ctypes.c_void_p, [ctypes.c_char_p]),
    "ORVRUN_GLOBAL_SET": (ctypes.c_uint8, [ctypes.c_char_p, ctypes.c_double]),
    "ORVRUN_GLOBAL_SET_TEXT": (ctypes.c_uint8, [ctypes.c_char_p, ctypes.c_char_p]),
    "ORVRUN_TABLE_ROWS": (ctypes.c_int32, [ctypes.c_char_p]),
    "ORVRUN_TABLE_CLEAR": (ctypes.c_uint8, [ctypes.c_char_p]),
    "ORVRUN_TABLE_ADD": (ctypes.c_int32, [ctypes.c_char_p]),
    "ORVRUN_TABLE_SET": (ctypes.c_uint8, [ctypes.c_char_p, ctypes.c_int32, ctypes.c_char_p,
                                          ctypes.c_char_p]),
    "ORVRUN_TABLE_GET": (ctypes.c_void_p, [ctypes.c_char_p, ctypes.c_int32, ctypes.c_char_p]),
    "ORVRUN_TABLE_FIELD": (ctypes.c_void_p, [ctypes.c_char_p, ctypes.c_int32]),
    "ORVRUN_UI_HEADLESS": (ctypes.c_uint8, [ctypes.c_char_p, ctypes.c_uint8, _ERR]),
    "ORVRUN_UI_ANSWER": (None, [ctypes.c_char_p]),
    "ORVRUN_SHOWN_COUNT": (ctypes.c_int32, [ctypes.c_int32]),
    "ORVRUN_SHOWN_GET": (ctypes.c_void_p, [ctypes.c_int32, ctypes.c_int32, ctypes.c_char_p]),
    "ORVRUN_SHOWN_FAILURE": (ctypes.c_void_p, []),
    "ORVRUN_PROC_COUNT": (ctypes.c_int32, []),
    "ORVRUN_PROC_INFO_GET": (ctypes.c_uint8, [ctypes.c_int32, _P(_ProcInfo)]),
    "ORVRUN_PARAM_INFO_GET": (ctypes.c_uint8, [ctypes.c_int32, ctypes.c_int32, _P(_ParamInfo)]),
    "ORVRUN_CALL": (ctypes.c_uint8, [ctypes.c_int32, _P(_Value), ctypes.c_int32, _P(_Value),
                                     _ERR]),
    "ORVRUN_FROM_UTF8": (ctypes.c_void_p, [ctypes.c_char_p, _ERR]),
    "ORVRUN_TO_UTF8": (ctypes.c_void_p, [ctypes.c_char_p]),
}

_lib = None


def _library():
    """liborvrun, loaded once: $ORVRUN_LIBRARY, else the installed liborvrun.so.0."""
    global _lib
    if _lib is None:
        lib = ctypes.CDLL(os.environ.get("ORVRUN_LIBRARY") or "liborvrun.so.0")
        for name, (restype, argtypes) in _SIGNATURES.items():
            f = getattr(lib, name)
            f.restype, f.argtypes = restype, argtypes
        lib.ORVRUN_HOST_INIT(None)
        _lib = lib
    return _lib


def _taken(pointer):
    """The bytes of a text the library gave, freed."""
    if not pointer:
        return b""
    data = ctypes.string_at(pointer)
    _library().ORVRUN_FREE(pointer)
    return data


def _cp1250(text):
    if isinstance(text, bytes):
        return text
    error = ctypes.c_void_p()
    out = _library().ORVRUN_FROM_UTF8(str(text).encode("utf-8"), ctypes.byref(error))
    if not out:
        raise ValueError(_taken(error.value).decode("utf-8", "replace"))
    return _taken(out)


def _str(cp1250_pointer):
    data = _taken(cp1250_pointer)
    return _taken(_library().ORVRUN_TO_UTF8(data)).decode("utf-8")


def _checked(ok, error):
    if not ok:
        raise Error(_str(error.value))


def create(path, demo=False, force=False):
    """A new database file with the schema and, with demo, the demo company."""
    error = ctypes.c_void_p()
    _checked(_library().ORVRUN_CREATE(os.fsencode(path), demo, force, ctypes.byref(error)), error)


def open(target, odbc=False):  # noqa: A001 - the interface's own word
    """Opens an SQLite file, or with odbc=True an ODBC connection string."""
    error = ctypes.c_void_p()
    name = os.fsencode(target) if not odbc else str(target).encode("utf-8")
    _checked(_library().ORVRUN_OPEN(name, 1 if odbc else 0, ctypes.byref(error)), error)


def close():
    _library().ORVRUN_CLOSE()


def sign_in(user=None, company=None, warehouse=None):
    """What a host does after log-in; a given identifier must exist in the database."""
    def ref(v):
        return ctypes.byref(ctypes.c_double(v)) if v is not None else None
    error = ctypes.c_void_p()
    _checked(_library().ORVRUN_SIGN_IN(ref(user), ref(company), ref(warehouse),
                                       ctypes.byref(error)), error)


def sign_out():
    error = ctypes.c_void_p()
    _checked(_library().ORVRUN_SIGN_OUT(ctypes.byref(error)), error)


def get_global(name):
    """A global of the shared context: a float for numbers, a str for texts."""
    lib = _library()
    kind = lib.ORVRUN_GLOBAL_TYPE(_cp1250(name))
    if kind == 0:
        raise KeyError(name)
    if kind == TEXT:
        return _str(lib.ORVRUN_GLOBAL_GET_TEXT(_cp1250(name)))
    return lib.ORVRUN_GLOBAL_GET(_cp1250(name))


def set_global(name, value):
    lib = _library()
    if isinstance(value, str):
        ok = lib.ORVRUN_GLOBAL_SET_TEXT(_cp1250(name), _cp1250(value))
    else:
        ok = lib.ORVRUN_GLOBAL_SET(_cp1250(name), float(value))
    if not ok:
        raise ValueError("%s cannot take %r" % (name, value))


def table(name):
    """The rows of a global in-memory table as a list of dicts of texts."""
    lib = _library()
    rows = lib.ORVRUN_TABLE_ROWS(_cp1250(name))
    if rows < 0:
        raise KeyError(name)
    fields = []
    while True:
        field = _str(lib.ORVRUN_TABLE_FIELD(_cp1250(name), len(fields)))
        if not field:
            break
        fields.append(field)
    return [{f: _str(lib.ORVRUN_TABLE_GET(_cp1250(name), r, f.encode())) for f in fields}
            for r in range(1, rows + 1)]


def headless(script="", answers=(), strict=False):
    """Windows and boxes of later calls run by a script; what they show is recorded."""
    lib = _library()
    error = ctypes.c_void_p()
    _checked(lib.ORVRUN_UI_HEADLESS(_cp1250(script), strict, ctypes.byref(error)), error)
    for answer in answers:
        lib.ORVRUN_UI_ANSWER(_cp1250(answer))


def messages():
    """Boxes and SQL error windows shown since the backend was chosen, as dicts."""
    lib = _library()
    out = []
    for i in range(lib.ORVRUN_SHOWN_COUNT(_MESSAGES)):
        m = {f: _str(lib.ORVRUN_SHOWN_GET(_MESSAGES, i, f.encode()))
             for f in ("kind", "title", "text", "answer")}
        if m["kind"] == "error":
            m["answer"] = None
        out.append(m)
    return out


def windows():
    """Each window as it closed: name, title and the final values of its controls."""
    lib = _library()
    out = []
    for i in range(lib.ORVRUN_SHOWN_COUNT(_WINDOWS)):
        def get(field):
            return _str(lib.ORVRUN_SHOWN_GET(_WINDOWS, i, field.encode()))
        controls = {get("id:%d" % k): get("value:%d" % k) for k in range(int(get("controls")))}
        out.append({"name": get("name"), "title": get("title"), "controls": controls})
    return out


class Param(NamedTuple):
    name: str
    type: int
    optional: bool
    by_ref: bool


class Procedure(NamedTuple):
    index: int
    name: str
    summary: str
    result: int
    params: tuple


class Result(NamedTuple):
    value: object  # None for a procedure without a result
    out: dict      # the reference parameters given, by name, after the call


_procedures = None


def procedures():
    """Every exported procedure by name, from the library's table."""
    global _procedures
    if _procedures is None:
        lib = _library()
        table_ = {}
        for i in range(lib.ORVRUN_PROC_COUNT()):
            info = _ProcInfo()
            lib.ORVRUN_PROC_INFO_GET(i, ctypes.byref(info))
            params = []
            for k in range(info.params):
                p = _ParamInfo()
                lib.ORVRUN_PARAM_INFO_GET(i, k, ctypes.byref(p))
                params.append(Param(p.name.decode(), p.type, bool(p.optional), bool(p.by_ref)))
            name = info.name.decode()
            table_[name] = Procedure(i, name, info.summary.decode("utf-8", "replace"),
                                     info.result, tuple(params))
        _procedures = table_
    return _procedures


def _value(kind, v):
    if kind == TEXT:
        return _str(v.out)
    if kind in _JSON_KINDS:
        return json.loads(_str(v.out))
    if kind == BOOL:
        return v.number != 0
    if kind in (LONG, BYTE, SHORT, WINDOW):
        return int(v.number)
    if kind == REAL:
        return v.number
    return None


def call(name, *args, **kwargs):
    """Calls an exported procedure with Python values, positionally or by parameter name.

    Reference parameters take their value in and are given back in Result.out."""
    proc = procedures().get(str(name).upper())
    if proc is None:
        raise KeyError("no procedure %s" % name)
    slots = [p for p in proc.params if p.type != HANDLE]
    if len(args) > len(slots):
        raise TypeError("%s takes at most %d arguments" % (proc.name, len(slots)))
    given = dict(zip((p.name for p in slots), args))
    given.update(kwargs)
    values = (_Value * max(len(proc.params), 1))()
    keep = []
    for i, p in enumerate(proc.params):
        if given.get(p.name) is None:  # left out
            given.pop(p.name, None)
            continue
        v = given.pop(p.name)
        values[i].given = 1
        if p.type in _JSON_KINDS and not isinstance(v, str):
            v = "@band" if p.type == BAND else json.dumps(v, ensure_ascii=False)
        if p.type == TEXT or p.type in _JSON_KINDS:
            keep.append(_cp1250(v))
            values[i].text = keep[-1]
        elif isinstance(v, str):
            keep.append(v.encode("ascii", "replace"))
            values[i].text = keep[-1]
        else:
            values[i].number = float(v)
    if given:
        raise TypeError("%s has no parameter %s" % (proc.name, ", ".join(given)))
    result = _Value()
    error = ctypes.c_void_p()
    _checked(_library().ORVRUN_CALL(proc.index, values, len(proc.params), ctypes.byref(result),
                                    ctypes.byref(error)), error)
    out = {p.name: _value(p.type, values[i]) for i, p in enumerate(proc.params)
           if p.by_ref and values[i].given}
    return Result(_value(proc.result, result), out)
