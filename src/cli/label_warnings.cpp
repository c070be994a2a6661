#include "cli/label_warnings.h"

#include <algorithm>
#include <string>
#include <string_view>

#include "cli/warnings.h"
#include "control/automation.h"
#include "control/qln_barcode.h"
#include "platform/codepage.h"
#include "platform/gdi/gdi_types.h"
#include "render/raster_export.h"

namespace linnet::cli {

namespace {

// Symbologies whose message may end in a check digit the control recomputes, with the digit
// count that includes it (the add-on after '|' aside).
const struct {
  const char* symbology;
  std::size_t digits;
} kCheckDigitCarriers[] = {
    {"qlxUPC_A", 12},          {"qlxEAN_13", 13},           {"qlxEAN_8", 8},           {"qlxBookland", 13},
    {"qlxDataBar", 14},        {"qlxDataBarTruncated", 14}, {"qlxDataBarStacked", 14}, {"qlxDataBarStackedOmni", 14},
    {"qlxDataBarLimited", 14},
};

// The DataBar symbologies that take the GTIN digits alone.
constexpr const char* kDataBar14[] = {"qlxDataBar", "qlxDataBarTruncated", "qlxDataBarStacked",
                                      "qlxDataBarStackedOmni"};

bool Is(int symbology, const char* name) {
  return FindEnumerator(name, ValueKind::Symbology) == symbology;
}

// The GS1 check digit of `digits` (the check digit itself not included): weights 3 and 1
// alternating from the right.
char Gs1CheckDigit(std::string_view digits) {
  int sum = 0;
  int weight = 3;
  for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
    sum += (*it - '0') * weight;
    weight = 4 - weight;
  }
  return static_cast<char>('0' + (10 - sum % 10) % 10);
}

void CheckTheCheckDigit(std::string_view number, Warnings& warnings) {
  const char computed = Gs1CheckDigit(number.substr(0, number.size() - 1));
  if (number.back() != computed) {
    warnings.Warn("check digit " + std::string(1, number.back()) + " of " + std::string(number) +
                  " differs from the computed " + computed + ", which the symbol uses");
  }
}

bool AllDigits(std::string_view text) {
  return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

}  // namespace

void WarnAboutSymbol(const CQlnBarcode& control, const std::optional<std::string>& given, Warnings& warnings) {
  const int symbology = control.Properties().symbology;
  const std::string ansi = WideToAnsi(control.Properties().message);
  const std::string text = given.value_or("");
  const std::string converted = WideToAnsi(Utf8ToWide(text));
  const auto lost = std::count(converted.begin(), converted.end(), kAnsiDefaultCharacter) -
                    std::count(text.begin(), text.end(), kAnsiDefaultCharacter);
  if (lost > 0) {
    warnings.Warn(std::to_string(lost) + " character(s) of the message have no place in the ANSI code page " +
                  "(Windows-1252) and became '?'");
  }
  const bool dataBar14 =
      std::any_of(std::begin(kDataBar14), std::end(kDataBar14), [&](const char* n) { return Is(symbology, n); });
  if (dataBar14 && ansi.starts_with("(01)")) {
    warnings.Warn("this DataBar takes the GTIN digits alone: the AI digits of \"(01)\" become data");
  }
  const std::string number = ansi.substr(0, ansi.find('|'));
  for (const auto& carrier : kCheckDigitCarriers) {
    if (Is(symbology, carrier.symbology) && number.size() == carrier.digits && AllDigits(number)) {
      CheckTheCheckDigit(number, warnings);
    }
  }
  // A GTIN in a GS1 element string: "(01)" and exactly 14 digits.
  constexpr std::string_view kGtinAi = "(01)";
  constexpr std::size_t kGtinDigits = 14;
  for (std::size_t at = ansi.find(kGtinAi); at != std::string::npos && !dataBar14; at = ansi.find(kGtinAi, at + 1)) {
    const std::string_view digits = std::string_view(ansi).substr(at + kGtinAi.size(), kGtinDigits);
    const std::size_t after = at + kGtinAi.size() + kGtinDigits;
    if (digits.size() == kGtinDigits && AllDigits(digits) &&
        (after >= ansi.size() || !AllDigits(ansi.substr(after, 1)))) {
      CheckTheCheckDigit(digits, warnings);
    }
  }
}

void WarnAboutDrawing(CQlnBarcode& control, bool twoColour, Warnings& warnings) {
  if (twoColour && LabelTwoTone(control).Indistinct()) {
    warnings.Warn("ForeColor and BackColor are equally bright: the two-colour image draws black on white");
  }
  const auto& p = control.Properties();
  if (p.autoLabelSize != 0) {
    return;
  }
  // The size the label needs is what AutoLabelSize finds; the command is done with the
  // control, so finding it may overwrite the fixed size.
  const std::int32_t width = p.labelWidth;
  const std::int32_t height = p.labelHeight;
  control.put_AutoLabelSize(VARIANT_TRUE);
  (void)control.NaturalSize();  // measuring stores the label size it finds
  if (width < p.labelWidth || height < p.labelHeight) {
    warnings.Warn("the fixed label size " + std::to_string(width) + " x " + std::to_string(height) +
                  " is smaller than the label needs (" + std::to_string(p.labelWidth) + " x " +
                  std::to_string(p.labelHeight) + "): the symbol or its text is cut off; set AutoLabelSize=true " +
                  "or a larger LabelWidth and LabelHeight");
  }
}

}  // namespace linnet::cli
