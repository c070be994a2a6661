#pragma once
// Test-side pictures of encoder output, independent of the product's renderer, and the
// real barcode readers that check them.
#include <optional>
#include <string>
#include <vector>

namespace linnet::testing {

// '1' dark, '0' light, one string per module row, top row first.
using ModuleRows = std::vector<std::string>;

// 'n'/'w' (or 'N'/'W') elements alternating bar and space, starting with a bar.
std::string ModulesFromNarrowWide(const std::string& pattern, int wideModules = 3);
// 'b' dark module, 's' light module.
std::string ModulesFromBarSpace(const std::string& pattern);
// Element widths in modules ('1'..'9'), alternating; `startDark` tells the first colour.
std::string ModulesFromWidths(const std::string& widths, bool startDark);

// Writes an 8-bit grey-scale PNG of `width` x `height` pixels, rows top first.
void WriteGreyPng(const std::string& path, int width, int height, const std::vector<unsigned char>& pixels);

// Writes a grey-scale PNG: each module `scale` pixels square, each row repeated
// `rowHeight` times (in modules), framed by `quiet` light modules.
void WriteModulePng(const std::string& path, const ModuleRows& rows, int scale = 4, int rowHeight = 1, int quiet = 10);
// One linear row drawn `height` modules tall.
void WriteLinearPng(const std::string& path, const std::string& modules, int scale = 3, int height = 60,
                    int quiet = 12);

// The text that zxing-cpp reads from an image, or nothing. `format` is a ZXingReader format
// name ("Code39", "PDF417", ...). Non-graphical bytes come back as zxing prints them with
// -escape, e.g. "<GS>".
std::optional<std::string> ZxingRead(const std::string& path, const std::string& format);
// The raw content bytes that zxing-cpp reads, or nothing.
std::optional<std::string> ZxingReadBytes(const std::string& path, const std::string& format);
// Every symbol zbar reads, as "TYPE:data" lines, or nothing.
std::optional<std::string> ZbarRead(const std::string& path);

}  // namespace linnet::testing
