#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "control/maxicode_entry.h"
#include "control/qln_barcode.h"
#include "platform/gdi/system_colors.h"
#include "render/export_image.h"
#include "render/recording_surface.h"
#include "render/two_dimensional.h"
#include "support/maxicode_image.h"
#include "support/run_command.h"
#include "support/upright_png.h"
#include "symbology/barlib_error.h"

namespace linnet {
namespace {

using gdi::GdiCall;
using gdi::GdiOp;

constexpr std::int32_t kMaxiCode = 42;

class CountingSink : public IBarcodeEvents {
 public:
  HRESULT BarcodeError(std::int32_t /*handle*/, std::int32_t nError) override {
    codes.push_back(nError);
    return S_OK;
  }
  std::vector<std::int32_t> codes;
};

struct Label {
  std::int32_t resolution = 1440;
  bool quietZones = false;
  std::int32_t rotation = 0;
  std::int16_t mode = 2;
  std::u16string message;  // empty: the sample message MaxiCode starts with
  std::u16string zipCode = u"152382802";
  std::uint32_t foreColor = 0x000000;
  std::uint32_t backColor = 0xFFFFFF;
};

// Mode 2 takes a postal code of digits only.
Label FailingLabel() {
  Label label;
  label.message = u"Hello";
  label.zipCode = u"B01056";
  return label;
}

std::unique_ptr<CQlnBarcode> MakeControl(const Label& label) {
  auto control = std::make_unique<CQlnBarcode>();
  EXPECT_EQ(control->put_Symbology(kMaxiCode), S_OK);
  EXPECT_EQ(control->put_ShowComment(VARIANT_FALSE), S_OK);
  EXPECT_EQ(control->put_QuietZones(label.quietZones ? VARIANT_TRUE : VARIANT_FALSE), S_OK);
  EXPECT_EQ(control->put_Rotation(label.rotation), S_OK);
  EXPECT_EQ(control->put_MaxicodeMode(label.mode), S_OK);
  EXPECT_EQ(control->put_MaxicodeZipCode(label.zipCode), S_OK);
  EXPECT_EQ(control->put_MaxicodeCountryCode(840), S_OK);
  EXPECT_EQ(control->put_MaxicodeClass(1), S_OK);
  EXPECT_EQ(control->put_ForeColor(label.foreColor), S_OK);
  EXPECT_EQ(control->put_BackColor(label.backColor), S_OK);
  if (!label.message.empty()) {
    EXPECT_EQ(control->put_Message(label.message), S_OK);
  }
  control->Layout().resolution = label.resolution;
  return control;
}

// One drawing of the symbol alone, every call recorded in layout dots.
struct Recording {
  testing::RecordingSurface surface;
  SizeL size;
  std::vector<std::int32_t> events;

  [[nodiscard]] std::vector<GdiCall> Calls(GdiOp op) const { return surface.Calls(op); }
};

std::unique_ptr<Recording> RecordDrawing(const Label& label, PointL at) {
  auto control = MakeControl(label);
  auto sink = std::make_shared<CountingSink>();
  control->Events().Advise(sink);
  auto out = std::make_unique<Recording>();
  out->size = DrawMaxiCode(*control, out->surface.surface, at);
  out->events = sink->codes;
  return out;
}

std::vector<std::string> EncodedRows(const Label& label) {
  std::vector<std::string> rows;
  EncodeMaxiCode(MakeControl(label)->Properties(), rows);
  return rows;
}

// Along and across offsets from `at` of a point drawn in `turns` quarter turns.
PointL Unturned(PointL p, PointL at, int turns) {
  const std::int32_t dx = p.x - at.x;
  const std::int32_t dy = p.y - at.y;
  switch (turns) {
    case 1:
      return {-dy, dx};
    case 2:
      return {-dx, -dy};
    case 3:
      return {dy, -dx};
    default:
      return {dx, dy};
  }
}

PointL Centre(const RectL& r) {
  return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

TEST(MaxiCodeDrawing, SizesAtEveryResolutionIncludeTheQuietZonesUnrotated) {
  const struct {
    std::int32_t resolution;
    bool quietZones;
    std::int32_t rotation;
    bool fails;
    SizeL expected;
  } cases[] = {
      // 30 column pitches wide; 29 column pitches and one module high.
      {1440, false, 0, false, {1470, 1479}},
      {1440, true, 0, false, {1470 + 2 * 49, 1479 + 2 * 43}},
      {1440, true, 1, false, {1470 + 2 * 49, 1479 + 2 * 43}},
      {300, false, 0, false, {300, 302}},
      {300, true, 3, false, {320, 320}},
      {600, true, 2, false, {640, 640}},
      {96, false, 0, false, {90, 91}},
      // A message that cannot be encoded: one inch square (1449 dots at 1440).
      {1440, false, 0, true, {1449, 1449}},
      {1440, true, 1, true, {1449 + 2 * 49, 1449 + 2 * 43}},
      {300, true, 0, true, {320, 318}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << "R " << c.resolution << " quiet " << c.quietZones << " rotation " << c.rotation
                                      << " fails " << c.fails);
    Label label = c.fails ? FailingLabel() : Label{};
    label.resolution = c.resolution;
    label.quietZones = c.quietZones;
    label.rotation = c.rotation;
    auto control = MakeControl(label);
    testing::RecordingSurface surface;
    const SizeL measured = MeasureMaxiCode(*control, surface.surface);
    EXPECT_TRUE(surface.log.Calls().empty());
    EXPECT_EQ(measured.cx, c.expected.cx);
    EXPECT_EQ(measured.cy, c.expected.cy);
    const SizeL drawn = RecordDrawing(label, {0, 0})->size;
    EXPECT_EQ(drawn.cx, c.expected.cx);
    EXPECT_EQ(drawn.cy, c.expected.cy);
  }
}

// At 1440 dots per inch: w = 49, v = 43, hh = 58; the outline's offsets inside a cell.
constexpr PointL kOutline1440[8] = {{24, 4}, {38, 4}, {49, 24}, {49, 38}, {34, 58}, {24, 58}, {9, 38}, {9, 24}};

TEST(MaxiCodeDrawing, EveryDarkModuleIsAnOctagonInItsCellWithOddRowsShiftedHalfAPitch) {
  Label label;
  const PointL at{5000, 6000};
  const auto recording = RecordDrawing(label, at);
  const std::vector<std::string> rows = EncodedRows(label);
  std::multiset<std::pair<std::int32_t, std::int32_t>> expectedCells;
  for (size_t i = 0; i < rows.size(); ++i) {
    for (size_t k = 0; k < rows[i].size(); ++k) {
      if (rows[i][k] == '1') {
        expectedCells.emplace(static_cast<std::int32_t>(k) * 49 + (i % 2 == 1 ? 24 : 0),
                              static_cast<std::int32_t>(i) * 43);
      }
    }
  }
  std::multiset<std::pair<std::int32_t, std::int32_t>> drawnCells;
  for (const GdiCall& polygon : recording->Calls(GdiOp::Polygon)) {
    ASSERT_EQ(polygon.points.size(), 8U);
    const PointL cell{polygon.points[0].x - at.x - kOutline1440[0].x, polygon.points[0].y - at.y - kOutline1440[0].y};
    for (size_t v = 0; v < 8; ++v) {
      EXPECT_EQ(polygon.points[v].x - at.x - cell.x, kOutline1440[v].x) << "vertex " << v + 1;
      EXPECT_EQ(polygon.points[v].y - at.y - cell.y, kOutline1440[v].y) << "vertex " << v + 1;
    }
    EXPECT_EQ(polygon.brush, (gdi::Brush{gdi::kBlack, false}));
    drawnCells.emplace(cell.x, cell.y);
  }
  EXPECT_EQ(drawnCells, expectedCells);
  EXPECT_TRUE(recording->events.empty());
}

TEST(MaxiCodeDrawing, BullseyeIsThreeRingsInForeColorOnBackColorAroundTheCentre) {
  const struct {
    std::uint32_t foreColor;
    std::uint32_t backColor;
  } colours[] = {{0x000000, 0xFFFFFF}, {0x008000, 0xC0FFFF}, {0x80000008, 0x80000005}};
  for (const auto& c : colours) {
    SCOPED_TRACE(::testing::Message() << std::hex << "fore " << c.foreColor << " back " << c.backColor);
    Label label;
    label.foreColor = c.foreColor;
    label.backColor = c.backColor;
    const PointL at{5000, 6000};
    const auto recording = RecordDrawing(label, at);
    const std::vector<GdiCall> ellipses = recording->Calls(GdiOp::Ellipse);
    ASSERT_EQ(ellipses.size(), 3U);
    // Half a pitch past column 14, half a module down row 16.
    const PointL centre{at.x + 14 * 49 + 24, at.y + 16 * 43 + 29};
    const std::int32_t radii[] = {201, 126, 48};
    for (size_t i = 0; i < 3; ++i) {
      EXPECT_EQ(ellipses[i].rect.left, centre.x - radii[i]);
      EXPECT_EQ(ellipses[i].rect.right, centre.x + radii[i]);
      EXPECT_EQ(ellipses[i].rect.top, centre.y - radii[i]);
      EXPECT_EQ(ellipses[i].rect.bottom, centre.y + radii[i]);
      EXPECT_EQ(ellipses[i].pen.width, 38);
      EXPECT_EQ(ellipses[i].pen.style, gdi::PenStyle::Solid);
      EXPECT_TRUE(ellipses[i].pen.geometric);
      EXPECT_EQ(ellipses[i].pen.color, gdi::TranslateColor(c.foreColor));
      EXPECT_EQ(ellipses[i].brush, (gdi::Brush{gdi::TranslateColor(c.backColor), false}));
    }
    const std::vector<GdiCall> polygons = recording->Calls(GdiOp::Polygon);
    ASSERT_FALSE(polygons.empty());
    EXPECT_EQ(polygons[0].brush.color, gdi::TranslateColor(c.foreColor));
    // The modules keep the surface's own pen; pen and brush are the surface's again after.
    EXPECT_EQ(polygons[0].pen, gdi::Pen{});
    EXPECT_EQ(recording->surface.context.CurrentPen(), gdi::Pen{});
    EXPECT_EQ(recording->surface.context.CurrentBrush(), gdi::Brush{});
  }
}

TEST(MaxiCodeDrawing, EveryRotationTurnsTheSameDrawingAboutTheBlockCorner) {
  Label upright;
  upright.quietZones = true;
  const PointL at{3000, 3000};
  const auto reference = RecordDrawing(upright, at);
  const std::vector<GdiCall> polygons = reference->Calls(GdiOp::Polygon);
  const std::vector<GdiCall> ellipses = reference->Calls(GdiOp::Ellipse);
  // The quiet zone moves the drawing w along and v across.
  ASSERT_FALSE(polygons.empty());
  EXPECT_GE(polygons[0].points[0].x - at.x, 49);
  EXPECT_EQ(Centre(ellipses[0].rect).x - at.x, 49 + 710);
  EXPECT_EQ(Centre(ellipses[0].rect).y - at.y, 43 + 717);
  for (const std::int32_t rotation : {1, 2, 3}) {
    SCOPED_TRACE(::testing::Message() << "rotation " << rotation);
    Label turned = upright;
    turned.rotation = rotation;
    const auto recording = RecordDrawing(turned, at);
    const std::vector<GdiCall> turnedPolygons = recording->Calls(GdiOp::Polygon);
    ASSERT_EQ(turnedPolygons.size(), polygons.size());
    for (size_t i = 0; i < polygons.size(); ++i) {
      for (size_t v = 0; v < polygons[i].points.size(); ++v) {
        const PointL p = Unturned(turnedPolygons[i].points[v], at, rotation);
        ASSERT_EQ(p.x, polygons[i].points[v].x - at.x) << "module " << i << " vertex " << v;
        ASSERT_EQ(p.y, polygons[i].points[v].y - at.y) << "module " << i << " vertex " << v;
      }
    }
    const std::vector<GdiCall> turnedEllipses = recording->Calls(GdiOp::Ellipse);
    ASSERT_EQ(turnedEllipses.size(), 3U);
    for (size_t i = 0; i < 3; ++i) {
      const PointL c = Unturned(Centre(turnedEllipses[i].rect), at, rotation);
      EXPECT_EQ(c.x, Centre(ellipses[i].rect).x - at.x);
      EXPECT_EQ(c.y, Centre(ellipses[i].rect).y - at.y);
      EXPECT_EQ(turnedEllipses[i].rect.right - turnedEllipses[i].rect.left,
                ellipses[i].rect.right - ellipses[i].rect.left);
    }
  }
}

TEST(MaxiCodeDrawing, FailedEncodingDrawsTheRedErrorTextAndFiresOnce) {
  Label label = FailingLabel();
  label.quietZones = true;
  label.rotation = 1;
  std::vector<std::string> rows;
  std::int32_t code = 0;
  std::string message;
  try {
    EncodeMaxiCode(MakeControl(label)->Properties(), rows);
  } catch (const Quillon::BrindleLib::barlib_error& e) {
    code = e.code;
    message = e.message;
  }
  ASSERT_EQ(code, 201);
  const PointL at{4000, 4000};
  const auto recording = RecordDrawing(label, at);
  EXPECT_EQ(recording->events, std::vector<std::int32_t>{201});
  EXPECT_TRUE(recording->Calls(GdiOp::Polygon).empty());
  EXPECT_TRUE(recording->Calls(GdiOp::Ellipse).empty());
  const std::vector<GdiCall> texts = recording->Calls(GdiOp::TextOut);
  ASSERT_FALSE(texts.empty());
  std::u16string drawn;
  for (const GdiCall& t : texts) {
    EXPECT_EQ(t.textColor, gdi::kRed);
    drawn += t.text;
  }
  std::erase(drawn, u' ');
  std::string expected = "Maxicode Encoding Error 201. " + message;
  std::erase(expected, ' ');
  EXPECT_EQ(drawn, std::u16string(expected.begin(), expected.end()));
  // The text starts past the quiet zone, turned with the label: w along is 49 dots up.
  EXPECT_EQ(texts[0].point.x - at.x, 43);
  EXPECT_LE(texts[0].point.y, at.y - 49);
}

// The decoded secondary message of the sample: the reader puts the primary fields back
// after the header and drops nothing but the final EOT.
const std::string kSampleDecoded =
    "[)>\x1e"
    "01\x1d"
    "96152382802\x1d"
    "840\x1d"
    "001\x1d"
    "1Z00004951\x1d"
    "UPSN\x1d"
    "06X610\x1d"
    "159\x1d"
    "1234567\x1d"
    "1/1\x1d\x1d"
    "Y\x1d"
    "634 ALPHA DRIVE\x1d"
    "PITTSBURGH\x1d"
    "PA";

TEST(MaxiCodeExport, LabelsDecodeInEveryRotation) {
  const struct {
    std::int32_t rotation;
    std::int16_t mode;
    std::u16string message;
    std::string decoded;
  } cases[] = {
      {0, 2, u"", kSampleDecoded},
      {1, 2, u"", kSampleDecoded},
      {2, 2, u"", kSampleDecoded},
      {3, 2, u"", kSampleDecoded},
      {0, 4, u"Linnet mode 4: 1234567890 abc", "Linnet mode 4: 1234567890 abc"},
      {3, 4, u"Standard symbol, EEC, \u00e9t\u00e9", "Standard symbol, EEC, \xe9t\xe9"},
      {1, 5, u"ENHANCED 5", "ENHANCED 5"},
  };
  const std::string dir = testing::MakeTempDir();
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << "rotation " << c.rotation << " mode " << c.mode);
    Label label;
    label.quietZones = true;
    label.rotation = c.rotation;
    label.mode = c.mode;
    label.message = c.message;
    auto control = MakeControl(label);
    const std::string exported = dir + "/label" + std::to_string(c.rotation) + "-" + std::to_string(c.mode) + ".png";
    ASSERT_EQ(ExportImageToFile(*control, exported, qlxFormatPNG), S_OK);
    const std::string upright = dir + "/upright.png";
    testing::WriteUprightPng(exported, upright, c.rotation);
    for (const bool pure : {true, false}) {
      const auto reading = testing::ZxingReadMaxiCode(upright, pure);
      ASSERT_TRUE(reading.has_value()) << (pure ? "pure" : "searched");
      EXPECT_EQ(reading->bytes, c.decoded);
      EXPECT_EQ(reading->mode, c.mode);
    }
  }
  std::filesystem::remove_all(dir);
}

TEST(MaxiCodeExport, FailedLabelIsExportedWithItsErrorAndOneEvent) {
  Label label;
  label.mode = 4;
  label.message = std::u16string(200, u'A');  // beyond the 93 codewords of mode 4
  auto control = MakeControl(label);
  auto sink = std::make_shared<CountingSink>();
  control->Events().Advise(sink);
  const std::string dir = testing::MakeTempDir();
  const std::string path = dir + "/failed.png";
  ASSERT_EQ(ExportImageToFile(*control, path, qlxFormatPNG), S_OK);
  EXPECT_EQ(sink->codes, std::vector<std::int32_t>{210});
  EXPECT_GT(std::filesystem::file_size(path), 0U);
  EXPECT_FALSE(testing::ZxingReadMaxiCode(path, false).has_value());
  std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace linnet
