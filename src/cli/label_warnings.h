#pragma once
// Warnings about a label the control draws without complaint but that is probably not what
// was meant: a DataBar message written with its "(01)" AI, a check digit given that differs
// from the one the control computes and uses, message characters the ANSI code page turned
// into '?', a fixed label size that cuts off the symbol or its text, and colours the
// two-colour image cannot tell apart. They go through `warnings` and change nothing.
#include <optional>
#include <string>

namespace linnet {
class CQlnBarcode;
}

namespace linnet::cli {

class Warnings;

// What the symbol is made of, for encode and export; `given` is the Message text given
// (UTF-8), if one was.
void WarnAboutSymbol(const CQlnBarcode& control, const std::optional<std::string>& given, Warnings& warnings);

// How the label is drawn, for export; `twoColour` when the image is a two-colour bitmap.
// May change the control's label size: call it when the control has done its work.
void WarnAboutDrawing(CQlnBarcode& control, bool twoColour, Warnings& warnings);

}  // namespace linnet::cli
