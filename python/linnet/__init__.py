"""Linnet barcode labels from Python.

    import linnet
    with linnet.Barcode(symbology="qlxCode128", message="Hello") as b:
        b.bar_height = 600
        b.export("hello.png")
        png = b.to_bytes("png")

Properties are attributes, by automation name in any case (b.BarHeight) or in snake case
(b.bar_height); enumerations take their enumerator names ("qlxCode128") or numbers. A value
the control refuses raises LinnetError with the control's number (6116 for bar_height = 0)
and message. A Barcode is used by one thread at a time; separate Barcodes work in parallel.
"""

import ctypes
import os
import re
import threading
from ctypes import byref, c_char_p, c_double, c_int, c_int32, c_size_t, c_void_p

from . import _native
from ._native import LinnetError

__all__ = ["Barcode", "LinnetError", "properties", "version"]

_lib = _native.lib


def version():
    """The loaded library's version, "MAJOR.MINOR.PATCH"."""
    return _lib.linnet_version_string().decode()


def properties():
    """The automation names of every property, in the control's order."""
    return [_lib.linnet_property_name(i).decode() for i in range(_lib.linnet_property_count())]


def _snake(name):
    return re.sub(r"(?<=[a-z0-9])(?=[A-Z])|(?<=[A-Z])(?=[A-Z][a-z])", "_", name).lower()


_attribute_lock = threading.Lock()
_attributes = {}


def _property_named(attribute):
    """The automation name an attribute stands for (BarHeight, barheight or bar_height)."""
    with _attribute_lock:
        if not _attributes:
            for name in properties():
                _attributes[name.lower()] = name
                _attributes[_snake(name)] = name
        return _attributes.get(attribute.lower())


def _format_number(format):
    if isinstance(format, int):
        return format
    number = c_int()
    _lib.linnet_format_named(format.encode(), byref(number))
    return number.value


def _persist_number(format, path=None):
    """A property file form: "xml", "binary", a number, or by default XML for a .xml path."""
    if format is None:
        format = "xml" if path is not None and str(path).lower().endswith(".xml") else "binary"
    if isinstance(format, int):
        return format
    if format not in _native.PERSIST_FORMATS:
        raise ValueError("a property file is 'xml' or 'binary', not %r" % (format,))
    return _native.PERSIST_FORMATS[format]


def _signed32(value, name):
    if not -(2**31) <= value < 2**32:
        raise LinnetError(_native.E_OVERFLOW, "%d is out of the range of %s." % (value, name))
    return value - 2**32 if value >= 2**31 else value


class Barcode:
    """One control. Close it with close() or a with block."""

    def __init__(self, **settings):
        handle = c_void_p()
        _lib.linnet_barcode_new(byref(handle))
        object.__setattr__(self, "_handle", handle)
        object.__setattr__(self, "_callback", None)
        try:
            for attribute, value in settings.items():
                setattr(self, attribute, value)
        except BaseException:
            self.close()
            raise

    def close(self):
        handle, self.__dict__["_handle"] = self._handle, c_void_p()
        _lib.linnet_barcode_free(handle)

    def __enter__(self):
        return self

    def __exit__(self, *exception):
        self.close()

    def __del__(self):
        if self.__dict__.get("_handle"):
            self.close()

    # ---- Properties ------------------------------------------------------------------

    def __getattr__(self, attribute):
        name = _property_named(attribute) if not attribute.startswith("_") else None
        if name is None:
            raise AttributeError("Barcode has no property %r" % attribute)
        return self.get(name)

    def __setattr__(self, attribute, value):
        name = _property_named(attribute)
        if name is None:
            raise AttributeError("Barcode has no property %r" % attribute)
        self.set(name, value)

    def set(self, name, value):
        """Sets the property `name` (its automation name) to `value`."""
        key = name.encode()
        kind = _lib.linnet_property_type(key)
        if isinstance(value, bool):
            _lib.linnet_barcode_set_bool(self._handle, key, int(value))
        elif isinstance(value, int) and kind == _native.TYPE_DOUBLE:
            _lib.linnet_barcode_set_double(self._handle, key, float(value))
        elif isinstance(value, int):
            _lib.linnet_barcode_set_int(self._handle, key, _signed32(value, name))
        elif isinstance(value, float):
            _lib.linnet_barcode_set_double(self._handle, key, value)
        elif isinstance(value, str) and kind == _native.TYPE_ENUM:
            _lib.linnet_barcode_set_enum(self._handle, key, value.encode())
        elif isinstance(value, str):
            _lib.linnet_barcode_set_text(self._handle, key, value.encode())
        else:
            raise TypeError("%s takes bool, int, float or str, not %s" % (name, type(value).__name__))

    def get(self, name):
        """The value of the property `name`: bool, int, float or str by its type."""
        key = name.encode()
        kind = _lib.linnet_property_type(key)
        if kind == _native.TYPE_BOOLEAN:
            value = c_int()
            _lib.linnet_barcode_get_bool(self._handle, key, byref(value))
            return bool(value.value)
        if kind == _native.TYPE_DOUBLE:
            value = c_double()
            _lib.linnet_barcode_get_double(self._handle, key, byref(value))
            return value.value
        if kind in (_native.TYPE_TEXT, _native.TYPE_FONT):
            text, length = c_void_p(), c_size_t()
            _lib.linnet_barcode_get_text(self._handle, key, byref(text), byref(length))
            try:
                return ctypes.string_at(text, length.value).decode("utf-8")
            finally:
                _lib.linnet_free(text)
        value = c_int32()
        _lib.linnet_barcode_get_int(self._handle, key, byref(value))
        return value.value & 0xFFFFFFFF if kind == _native.TYPE_COLOR else value.value

    def enumerator(self, name):
        """The enumerator name of an enumeration property's value ("qlxCode128"), or None."""
        value = c_char_p()
        _lib.linnet_barcode_get_enum(self._handle, name.encode(), byref(value))
        return value.value.decode() if value.value else None

    # ---- Methods ---------------------------------------------------------------------

    def refresh(self):
        _lib.linnet_barcode_refresh(self._handle)

    def export(self, path, format=None):
        """Writes the label to `path`; the format is a name ("png"), a number, or by default
        the file's extension (PNG when it has none the library knows)."""
        if format is None:
            extension = os.path.splitext(str(path))[1]
            number = c_int(_native.FORMAT_PNG)
            if extension:
                try:
                    _lib.linnet_format_named(extension.encode(), byref(number))
                except LinnetError:
                    number = c_int(_native.FORMAT_PNG)
            format = number.value
        _lib.linnet_barcode_export_file(self._handle, str(path).encode(), _format_number(format))

    def to_bytes(self, format="png"):
        """The label as the bytes of an image file."""
        data, size = c_void_p(), c_size_t()
        _lib.linnet_barcode_export_memory(self._handle, _format_number(format), byref(data), byref(size))
        try:
            return ctypes.string_at(data, size.value)
        finally:
            _lib.linnet_free(data)

    def save(self, path, format=None):
        """Writes the properties to a property file; XML for a .xml path unless `format` says."""
        _lib.linnet_barcode_save(self._handle, str(path).encode(), _persist_number(format, path))

    def load(self, path, format=None):
        """Reads the properties from a property file written by save()."""
        _lib.linnet_barcode_load(self._handle, str(path).encode(), _persist_number(format, path))

    def save_bytes(self, format="xml"):
        """The property file as bytes."""
        data, size = c_void_p(), c_size_t()
        _lib.linnet_barcode_save_memory(self._handle, _persist_number(format), byref(data), byref(size))
        try:
            return ctypes.string_at(data, size.value)
        finally:
            _lib.linnet_free(data)

    def load_bytes(self, data, format="xml"):
        """Reads the properties from the bytes of a property file."""
        _lib.linnet_barcode_load_memory(self._handle, _persist_number(format), bytes(data), len(data))

    def on_barcode_error(self, callback):
        """Calls `callback(code)` whenever the message cannot be encoded and the label carries
        the error text instead; None stops it."""
        native = _native.ERROR_CALLBACK(lambda _user, code: callback(code)) if callback else _native.ERROR_CALLBACK()
        _lib.linnet_barcode_set_error_callback(self._handle, native, None)
        self.__dict__["_callback"] = native
