"""The Python module against the built library: what a reader decodes, what the command line
prints for the same settings and failures, threads, and the ctypes table against linnet.h."""

import ctypes
import os
import re
import shutil
import subprocess
import sys
import tempfile
import threading
import unittest
import xml.etree.ElementTree as ET

import linnet
from linnet import _native

LINNET = os.environ.get("LINNET_BINARY", "linnet")
HEADER = os.environ.get("LINNET_HEADER", "")
PYPROJECT = os.path.join(os.path.dirname(linnet.__file__), "..", "pyproject.toml")


def zxing_text(path):
    """The text ZXingReader decodes from an image file, or None."""
    run = subprocess.run(["ZXingReader", path], capture_output=True, text=True)
    found = re.search(r'^Text:\s+"(.*)"$', run.stdout, re.M)
    return found.group(1) if found else None


class Decoding(unittest.TestCase):
    def test_exported_png_scans_and_matches_the_command_line(self):
        cases = [
            # symbology, message (without the comment, which crowds a small square symbol)
            ("qlxCode128", "Linnet 123"),
            ("qlxPDF417", "From Python"),
            ("qlxDataMatrix", "ctypes"),
        ]
        for symbology, message in cases:
            with self.subTest(symbology=symbology), tempfile.TemporaryDirectory() as folder:
                path = os.path.join(folder, "label.png")
                with linnet.Barcode(symbology=symbology, message=message, show_comment=False) as b:
                    b.export(path)
                    in_memory = b.to_bytes("png")
                self.assertEqual(zxing_text(path), message)
                with open(path, "rb") as file:
                    self.assertEqual(file.read(), in_memory)
                command = [LINNET, "export", "-b", symbology, "-d", message, "--set", "ShowComment=false"]
                cli = subprocess.run(command + ["-o", "-", "--format", "png"], capture_output=True, check=True)
                self.assertEqual(cli.stdout, in_memory)


class Errors(unittest.TestCase):
    def test_refusals_carry_the_number_and_the_command_lines_text(self):
        cases = [
            # attribute, value, number, the --set the command line refuses the same way
            ("bar_height", 0, 6116, "BarHeight=0"),
            ("zoom_ratio", 0.01, 6104, "ZoomRatio=0.01"),
            ("NarrowToWideRatio", 4.0, 6105, "NarrowToWideRatio=4"),
        ]
        for attribute, value, number, setting in cases:
            with self.subTest(attribute=attribute), linnet.Barcode() as b:
                before = getattr(b, attribute)
                with self.assertRaises(linnet.LinnetError) as caught:
                    setattr(b, attribute, value)
                self.assertEqual(caught.exception.number, number)
                self.assertEqual(getattr(b, attribute), before)  # a refusal changes nothing
                cli = subprocess.run([LINNET, "show", "--set", setting], capture_output=True, text=True)
                self.assertEqual(cli.returncode, 2)
                # linnet names the setting, then gives the same error text.
                self.assertEqual(cli.stderr.strip(), "linnet: %s refused: %s" % (setting, caught.exception))

    def test_wrong_values_and_names(self):
        with linnet.Barcode() as b:
            with self.assertRaises(AttributeError):
                b.no_such_property = 1
            with self.assertRaises(linnet.LinnetError) as caught:
                b.bar_height = "tall"  # text for an integer
            self.assertEqual(caught.exception.number & 0xFFFFFFFF, 0x80020005)
            with self.assertRaises(linnet.LinnetError) as caught:
                b.bar_height = 2**40  # would wrap silently in a 32-bit argument
            self.assertEqual(caught.exception.number, _native.E_OVERFLOW)
            with self.assertRaises(linnet.LinnetError):
                b.symbology = "qlxNoSuchCode"
            self.assertEqual(b.bar_height, 1000)

    def test_a_closed_barcode_refuses_calls(self):
        b = linnet.Barcode()
        b.close()
        b.close()  # twice is harmless
        with self.assertRaises(linnet.LinnetError) as caught:
            b.to_bytes()
        self.assertEqual(caught.exception.number, _native.E_POINTER)


class Properties(unittest.TestCase):
    def test_values_come_back_in_their_python_types(self):
        cases = [
            # attribute, value set, value read back
            ("symbology", "qlxPDF417", 40),  # an enumerator name reads back as its number
            ("Symbology", 8, 8),
            ("message", "Zo\u00eb", "Zo\u00eb"),  # through the control's code page and back
            ("show_hr_text", False, False),
            ("zoom_ratio", 2, 2.0),  # an int for a double property
            ("back_color", 0x80000005, 0x80000005),  # system colour: the top bit survives
            ("pdf417_module_width", 20, 20),  # extension property, snake case
            ("I2OF5OPTIONALCHECKDIGIT", True, True),  # automation name in any case
        ]
        for attribute, value, expected in cases:
            with self.subTest(attribute=attribute), linnet.Barcode(symbology="qlxCode128") as b:
                setattr(b, attribute, value)
                got = getattr(b, attribute)
                self.assertEqual(got, expected)
                self.assertIs(type(got), type(expected))

    def test_error_callback_hears_the_engines_code(self):
        codes = []
        with linnet.Barcode(symbology="qlxDataBarExpanded", message="ABC") as b:
            b.on_barcode_error(codes.append)
            b.to_bytes("bmp")
            b.on_barcode_error(None)
            b.to_bytes("bmp")
        self.assertEqual(codes, [10])


def readable_values(barcode):
    """Every property the typed functions serve, by name."""
    served = (_native.TYPE_BOOLEAN, _native.TYPE_INTEGER, _native.TYPE_DOUBLE, _native.TYPE_TEXT,
              _native.TYPE_COLOR, _native.TYPE_ENUM)
    names = [n for n in linnet.properties() if _native.lib.linnet_property_type(n.encode()) in served]
    return {name: barcode.get(name) for name in names}


class PropertyFiles(unittest.TestCase):
    MESSAGE = "saved <&> \"quoted\"\nsecond line"

    def saved_barcode(self):
        # The default comment holds a literal backslash-n, which the Comment setter (and so every
        # load) turns into a line break; a comment without one round-trips exactly.
        b = linnet.Barcode(symbology="qlxPDF417", message=self.MESSAGE, bar_height=777, show_hr_text=False,
                           comment="Saved from Python")
        self.addCleanup(b.close)
        return b

    def test_xml_file_reads_elsewhere_and_loads_back(self):
        with tempfile.TemporaryDirectory() as folder:
            path = os.path.join(folder, "label.xml")
            original = self.saved_barcode()
            original.save(path)
            root = ET.parse(path).getroot()  # an outside parser reads what was written
            self.assertEqual(root.tag, "Object")
            self.assertEqual(root.find("BarHeight").text, "777")
            self.assertEqual(root.find("Message").text, self.MESSAGE)
            with linnet.Barcode() as copy:
                copy.load(path)
                self.assertEqual(readable_values(copy), readable_values(original))

    def test_both_forms_round_trip_in_memory_and_match_the_command_line(self):
        for form, flags in (("xml", ["--xml"]), ("binary", [])):
            with self.subTest(form=form):
                original = self.saved_barcode()
                data = original.save_bytes(form)
                with linnet.Barcode() as copy:
                    copy.load_bytes(data, form)
                    self.assertEqual(readable_values(copy), readable_values(original))
                if form == "xml":
                    command = [LINNET, "save", "-b", "qlxPDF417", "-d", self.MESSAGE, "--set", "BarHeight=777",
                               "--set", "ShowHRText=false", "--set", "Comment=Saved from Python", "-o", "-"] + flags
                    self.assertEqual(subprocess.run(command, capture_output=True, check=True).stdout, data)

    def test_a_truncated_file_is_error_6114(self):
        data = self.saved_barcode().save_bytes("xml")
        with linnet.Barcode() as b, self.assertRaises(linnet.LinnetError) as caught:
            b.load_bytes(data[: len(data) // 2], "xml")
        self.assertEqual(caught.exception.number, 6114)


class Threads(unittest.TestCase):
    def test_four_controls_export_in_parallel(self):
        messages = ["thread %d" % n for n in range(4)]
        expected = {}
        for message in messages:
            with linnet.Barcode(symbology="qlxCode128", message=message) as b:
                expected[message] = b.to_bytes("png")
        results, errors = {}, []

        def work(message):
            try:
                with linnet.Barcode(symbology="qlxCode128", message=message) as b:
                    results[message] = [b.to_bytes("png") for _ in range(25)]
            except Exception as error:  # reported by the main thread
                errors.append(error)

        threads = [threading.Thread(target=work, args=(m,)) for m in messages]
        for t in threads:
            t.start()
        for t in threads:
            t.join()
        self.assertEqual(errors, [])
        for message in messages:
            self.assertTrue(all(png == expected[message] for png in results[message]), message)
        with tempfile.TemporaryDirectory() as folder:
            path = os.path.join(folder, "t.png")
            with open(path, "wb") as file:
                file.write(results[messages[3]][-1])
            self.assertEqual(zxing_text(path), messages[3])


# How each C type of linnet.h travels through ctypes: an oracle independent of the table.
C_TO_CTYPES = {
    "void": None,
    "unsigned": ctypes.c_uint,
    "int": ctypes.c_int,
    "int32_t": ctypes.c_int32,
    "linnet_result": ctypes.c_int32,
    "double": ctypes.c_double,
    "size_t": ctypes.c_size_t,
    "const char*": ctypes.c_char_p,
    "const char**": ctypes.POINTER(ctypes.c_char_p),
    "char**": ctypes.POINTER(ctypes.c_void_p),  # owned: freed with linnet_free
    "unsigned char*": ctypes.c_void_p,
    "const unsigned char*": ctypes.c_char_p,
    "unsigned char**": ctypes.POINTER(ctypes.c_void_p),
    "void*": ctypes.c_void_p,
    "int*": ctypes.POINTER(ctypes.c_int),
    "int32_t*": ctypes.POINTER(ctypes.c_int32),
    "double*": ctypes.POINTER(ctypes.c_double),
    "size_t*": ctypes.POINTER(ctypes.c_size_t),
    "linnet_barcode*": ctypes.c_void_p,
    "const linnet_barcode*": ctypes.c_void_p,
    "linnet_barcode**": ctypes.POINTER(ctypes.c_void_p),
    "linnet_barcode_error_callback": _native.ERROR_CALLBACK,
}


def parse_header(path):
    with open(path) as file:
        text = re.sub(r"/\*.*?\*/", "", file.read(), flags=re.S)
    declarations = {}
    for result, name, parameters in re.findall(r"LINNET_API\s+([\w\s*]+?)\s*\b(linnet_\w+)\((.*?)\);", text, re.S):
        types = []
        for parameter in parameters.split(","):
            parameter = " ".join(parameter.split())
            if parameter in ("void", ""):
                continue
            types.append(re.sub(r"\s*\*", "*", re.sub(r"\s+\w+$", "", parameter)))
        declarations[name] = (re.sub(r"\s*\*", "*", result.strip()), types)
    return declarations


class Table(unittest.TestCase):
    @unittest.skipUnless(os.path.exists(HEADER), "linnet.h not found (LINNET_HEADER)")
    def test_ctypes_table_matches_the_header(self):
        declared = parse_header(HEADER)
        table = {name: (restype, argtypes) for name, restype, argtypes in _native.PROTOTYPES}
        self.assertEqual(sorted(table), sorted(declared))
        for name, (result, parameters) in declared.items():
            with self.subTest(function=name):
                self.assertEqual(table[name][0], C_TO_CTYPES[result])
                self.assertEqual(list(table[name][1]), [C_TO_CTYPES[p] for p in parameters])

    @unittest.skipUnless(os.environ.get("LINNET_LIBRARY"), "needs LINNET_LIBRARY to copy from")
    def test_a_library_beside_the_package_is_found_first(self):
        with tempfile.TemporaryDirectory() as folder:
            package = os.path.join(folder, "linnet")
            shutil.copytree(os.path.dirname(linnet.__file__), package)
            shutil.copy(os.environ["LINNET_LIBRARY"], os.path.join(package, "liblinnet.so.3"))
            environment = {k: v for k, v in os.environ.items() if k not in ("LINNET_LIBRARY", "LD_LIBRARY_PATH")}
            environment["PYTHONPATH"] = folder
            run = subprocess.run([sys.executable, "-c", "import linnet; print(linnet._native.lib._name)"],
                                 env=environment, capture_output=True, text=True, check=True)
            self.assertEqual(run.stdout.strip(), os.path.join(package, "liblinnet.so.3"))

    def test_package_version_is_the_librarys(self):
        with open(PYPROJECT) as file:
            declared = re.search(r'^version = "(.*)"$', file.read(), re.M).group(1)
        self.assertEqual(declared, linnet.version())


if __name__ == "__main__":
    unittest.main()
