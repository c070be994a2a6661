// Whatever a host sets, a label is measured and drawn without a crash: property values at
// and beyond their edges, any message, any symbology, any rotation.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "control/automation.h"
#include "control/qln_barcode.h"
#include "control/sample_messages.h"
#include "render/export_image.h"

namespace linnet {
namespace {

std::u16string RandomMessage(std::mt19937& random) {
  std::uniform_int_distribution<int> length(0, 60);
  std::uniform_int_distribution<int> kind(0, 3);
  std::uniform_int_distribution<int> digit('0', '9');
  std::uniform_int_distribution<int> ascii(1, 0x7F);
  std::uniform_int_distribution<int> unit(1, 0xFFFF);
  const char16_t syntax[] = u"~\\()|[]-+ \x1d\x1e\x04";
  std::uniform_int_distribution<size_t> pick(0, std::char_traits<char16_t>::length(syntax) - 1);
  std::u16string message;
  const int n = length(random);
  for (int i = 0; i < n; ++i) {
    switch (kind(random)) {
      case 0:
        message.push_back(static_cast<char16_t>(digit(random)));
        break;
      case 1:
        message.push_back(syntax[pick(random)]);
        break;
      case 2:
        message.push_back(static_cast<char16_t>(ascii(random)));
        break;
      default:
        message.push_back(static_cast<char16_t>(unit(random)));
    }
  }
  return message;
}

TEST(RandomLabels, EveryLabelIsDrawnOrRefusedCleanly) {
  std::mt19937 random(7);
  std::vector<int> symbologies;
  for (int s = 0; s <= 42; ++s) {
    if (IsSymbologyValue(s)) {
      symbologies.push_back(s);
    }
  }
  // Values at and beyond the edges of what the setters take; refusals are fine.
  const struct {
    const char* name;
    std::vector<std::int32_t> values;
  } settings[] = {
      {"Rotation", {0, 1, 2, 3}},
      {"NarrowBarWidth", {-5, 0, 1, 13, 400}},
      {"BarHeight", {1, 40, 1000, 20000}},
      {"BarWidthReduction", {-99, 0, 50, 99}},
      {"SymbolMarginLeft", {-300, 0, 100}},
      {"CommentMarginTop", {-500, 0, 200}},
      {"QuietZones", {0, -1}},
      {"BearerBars", {0, -1}},
      {"ShowHRText", {0, -1}},
      {"TextOnTop", {0, -1}},
      {"ShowComment", {0, -1}},
      {"CommentAlignment", {0, 1, 2, 3}},
      {"TexAlignment", {0, 1, 2, 3}},
      {"AutoLabelSize", {0, -1}},
      {"Measurement", {0, 1}},
      {"MaxRows", {0, 3, 90}},
      {"MaxCols", {0, 1, 30}},
      {"PDF417SecurityLevel", {0, 8, 9}},
      {"DataMatrixTargetSize", {-2, -1, 0, 5, 23, 29, 30, 31}},
      {"MaxicodeMode", {2, 3, 4, 5, 6}},
      {"RasterImageResolution", {50, 96, 300}},
  };
  std::uniform_int_distribution<size_t> whichSymbology(0, symbologies.size() - 1);
  std::uniform_int_distribution<int> coin(0, 2);
  int written = 0;
  for (int round = 0; round < 160; ++round) {
    CQlnBarcode control;
    control.put_Symbology(symbologies[whichSymbology(random)]);
    for (const auto& s : settings) {
      if (coin(random) != 0) {
        continue;
      }
      std::uniform_int_distribution<size_t> which(0, s.values.size() - 1);
      const AutomationMember* member = FindAutomationMember(s.name, true);
      ASSERT_NE(member, nullptr) << s.name;
      PutAutomationProperty(control, *member, Variant::Long(s.values[which(random)]));
    }
    if (coin(random) != 0) {
      control.put_Message(RandomMessage(random));
    }
    control.put_Comment(RandomMessage(random));
    std::vector<unsigned char> image;
    const HRESULT hr = ExportImageToStream(control, image, qlxFormatPNG);
    SCOPED_TRACE(control.Properties().symbology);
    // A label that fits the bitmap budget is written; only an oversized one is refused.
    if (Succeeded(hr)) {
      ASSERT_GT(image.size(), 8U);
      ++written;
      EXPECT_EQ(image[1], 'P');
    } else {
      EXPECT_EQ(hr, static_cast<HRESULT>(0x83280000U + 6122));
    }
    EXPECT_EQ(control.Layout().resolution, 1440);
  }
  EXPECT_GT(written, 150);
}

}  // namespace
}  // namespace linnet
