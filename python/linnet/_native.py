"""Loading the Linnet shared library and declaring its C functions.

Every function of linnet.h is one row of PROTOTYPES: (name, result type, argument types).
Buffers the library hands out are declared c_void_p, never c_char_p, so the pointer survives
for linnet_free. Functions returning a linnet_result raise LinnetError on failure, with the
number and message the handle's last error holds.
"""

import ctypes
import ctypes.util
import os
from ctypes import POINTER, c_char_p, c_double, c_int, c_int32, c_size_t, c_uint, c_void_p

RESULT = c_int32  # linnet_result
ERROR_CALLBACK = ctypes.CFUNCTYPE(None, c_void_p, c_int32)

# Results the C header defines (as signed 32-bit values).
E_POINTER = ctypes.c_int32(0x80004003).value
E_OVERFLOW = ctypes.c_int32(0x8002000A).value
E_INVALIDARG = ctypes.c_int32(0x80070057).value

FORMAT_PNG = 5  # linnet_format
PERSIST_FORMATS = {"binary": 0, "xml": 1}  # linnet_persist_format

# linnet_type
TYPE_BOOLEAN, TYPE_INTEGER, TYPE_DOUBLE, TYPE_TEXT, TYPE_COLOR, TYPE_FONT, TYPE_PICTURE, TYPE_ENUM = range(1, 9)

PROTOTYPES = (
    ("linnet_version_number", c_uint, ()),
    ("linnet_version_string", c_char_p, ()),
    ("linnet_free", None, (c_void_p,)),
    ("linnet_property_count", c_size_t, ()),
    ("linnet_property_name", c_char_p, (c_size_t,)),
    ("linnet_property_type", c_int, (c_char_p,)),
    ("linnet_format_named", RESULT, (c_char_p, POINTER(c_int))),
    ("linnet_barcode_new", RESULT, (POINTER(c_void_p),)),
    ("linnet_barcode_free", None, (c_void_p,)),
    ("linnet_barcode_last_error", RESULT, (c_void_p, POINTER(c_int32), POINTER(c_char_p))),
    ("linnet_barcode_set_int", RESULT, (c_void_p, c_char_p, c_int32)),
    ("linnet_barcode_set_double", RESULT, (c_void_p, c_char_p, c_double)),
    ("linnet_barcode_set_bool", RESULT, (c_void_p, c_char_p, c_int)),
    ("linnet_barcode_set_text", RESULT, (c_void_p, c_char_p, c_char_p)),
    ("linnet_barcode_set_enum", RESULT, (c_void_p, c_char_p, c_char_p)),
    ("linnet_barcode_get_int", RESULT, (c_void_p, c_char_p, POINTER(c_int32))),
    ("linnet_barcode_get_double", RESULT, (c_void_p, c_char_p, POINTER(c_double))),
    ("linnet_barcode_get_bool", RESULT, (c_void_p, c_char_p, POINTER(c_int))),
    ("linnet_barcode_get_text", RESULT, (c_void_p, c_char_p, POINTER(c_void_p), POINTER(c_size_t))),
    ("linnet_barcode_get_enum", RESULT, (c_void_p, c_char_p, POINTER(c_char_p))),
    ("linnet_barcode_refresh", RESULT, (c_void_p,)),
    ("linnet_barcode_export_file", RESULT, (c_void_p, c_char_p, c_int)),
    ("linnet_barcode_export_memory", RESULT, (c_void_p, c_int, POINTER(c_void_p), POINTER(c_size_t))),
    ("linnet_barcode_export_buffer", RESULT, (c_void_p, c_int, c_void_p, c_size_t, POINTER(c_size_t))),
    ("linnet_barcode_save", RESULT, (c_void_p, c_char_p, c_int)),
    ("linnet_barcode_load", RESULT, (c_void_p, c_char_p, c_int)),
    ("linnet_barcode_save_memory", RESULT, (c_void_p, c_int, POINTER(c_void_p), POINTER(c_size_t))),
    ("linnet_barcode_load_memory", RESULT, (c_void_p, c_int, c_char_p, c_size_t)),
    ("linnet_barcode_set_error_callback", RESULT, (c_void_p, ERROR_CALLBACK, c_void_p)),
)


class LinnetError(Exception):
    """A failure of the library: `number` is the control's error number (6102..6123), the
    engine's code, or the 32-bit result itself; `message` says what went wrong."""

    def __init__(self, number, message):
        super().__init__(number, message)
        self.number = number
        self.message = message

    def __str__(self):
        if self.number >= 0:
            return "error %d: %s" % (self.number, self.message)
        return "error 0x%08X: %s" % (self.number & 0xFFFFFFFF, self.message)


_GENERAL_MESSAGES = {E_POINTER: "A required pointer argument is NULL.", E_INVALIDARG: "An argument is not valid."}


def _candidates():
    configured = os.environ.get("LINNET_LIBRARY")
    if configured:
        yield configured
        return
    here = os.path.dirname(os.path.abspath(__file__))
    for name in ("liblinnet.so.3", "liblinnet.so"):
        path = os.path.join(here, name)
        if os.path.exists(path):
            yield path
    yield ctypes.util.find_library("linnet") or "liblinnet.so.3"


def _load():
    problems = []
    for candidate in _candidates():
        try:
            return ctypes.CDLL(candidate)
        except OSError as error:
            problems.append(str(error))
    raise ImportError("cannot load the Linnet library: " + "; ".join(problems))


lib = _load()


def _check(result, function, arguments):
    if result >= 0:
        return result
    number, message = result, _GENERAL_MESSAGES.get(result, "The call failed.")
    if function.__name__.startswith("linnet_barcode_") and arguments and arguments[0]:
        last_number, last_message = c_int32(), c_char_p()
        if lib.linnet_barcode_last_error(arguments[0], ctypes.byref(last_number), ctypes.byref(last_message)) == 0:
            number, message = last_number.value, last_message.value.decode("utf-8", "replace")
    raise LinnetError(number, message)


for _name, _restype, _argtypes in PROTOTYPES:
    _function = getattr(lib, _name)
    _function.restype = _restype
    _function.argtypes = _argtypes
    if _restype is RESULT and _name != "linnet_barcode_last_error":
        _function.errcheck = _check
