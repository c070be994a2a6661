// DataMatrix in the label: measurement, modules, quiet zones, rotation, the error text, and
// exported labels read back by a real reader.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <set>
#include <string>
#include <tuple>

#include "control/datamatrix_entry.h"
#include "control/qln_barcode.h"
#include "platform/gdi/device_context.h"
#include "platform/gdi/gdi_recorder.h"
#include "render/drawing_surface.h"
#include "render/rotation.h"
#include "render/two_dimensional.h"
#include "render/units.h"
#include "support/run_command.h"
#include "support/symbol_image.h"

namespace linnet {
namespace {

class ErrorSink : public IBarcodeEvents {
 public:
  HRESULT BarcodeError(std::int32_t /*handle*/, std::int32_t nError) override {
    errors.push_back(nError);
    return S_OK;
  }
  std::vector<std::int32_t> errors;
};

struct Fixture {
  CQlnBarcode control;
  gdi::CallLog log;
  gdi::DeviceContext context{gdi::DeviceCaps{}};
  DrawingSurface surface{context};
  std::shared_ptr<ErrorSink> sink = std::make_shared<ErrorSink>();

  Fixture(const std::u16string& message, bool quietZones, std::int32_t rotation = 0, std::int32_t target = 0) {
    context.SetRecorder(&log);
    control.Events().Advise(sink);
    control.put_Symbology(41);
    control.put_Message(message);
    control.put_QuietZones(quietZones ? VARIANT_TRUE : VARIANT_FALSE);
    control.put_Rotation(rotation);
    control.put_DataMatrixTargetSize(target);
  }
  std::int32_t Module() const { return DotsFromUser(control, control.Properties().dataMatrixModuleSize); }
};

TEST(DataMatrixDrawing, MeasuresModulesAndQuietZones) {
  const struct {
    std::u16string message;
    std::int32_t target;
    int rows, columns;
  } cases[] = {{u"123456", 0, 10, 10}, {u"RECT", 25, 8, 32}, {u"HELLO", 30, 12, 12}};
  for (const auto& c : cases) {
    for (const std::int32_t rotation : {0, 1}) {
      Fixture plain(c.message, false, rotation, c.target);
      Fixture quiet(c.message, true, rotation, c.target);
      const std::int32_t m = plain.Module();
      EXPECT_EQ(MeasureDataMatrix(plain.control, plain.surface), (SizeL{c.columns * m, c.rows * m}));
      // Two modules of quiet zone on every side.
      EXPECT_EQ(MeasureDataMatrix(quiet.control, quiet.surface), (SizeL{(c.columns + 4) * m, (c.rows + 4) * m}));
    }
  }
}

TEST(DataMatrixDrawing, FailedSymbolIsOneInchSquare) {
  Fixture plain(u"~2[0][0][2]", false);
  const std::int32_t inch = DotsFromMils(plain.control, 1000);
  EXPECT_EQ(MeasureDataMatrix(plain.control, plain.surface), (SizeL{inch, inch}));
  EXPECT_TRUE(plain.log.Calls().empty());
  EXPECT_TRUE(plain.sink->errors.empty());  // measuring fires nothing
  Fixture quiet(u"~2[0][0][2]", true);
  const std::int32_t q = 2 * quiet.Module();
  EXPECT_EQ(MeasureDataMatrix(quiet.control, quiet.surface), (SizeL{inch + 2 * q, inch + 2 * q}));
}

TEST(DataMatrixDrawing, OneRectanglePerDarkModuleInEveryRotation) {
  const auto rows = EncodeDataMatrix(u"RECT", 25);
  for (int turns = 0; turns < 4; ++turns) {
    SCOPED_TRACE(turns);
    Fixture f(u"RECT", true, turns, 25);
    const PointL at{5000, 7000};
    const SizeL size = DrawDataMatrix(f.control, f.surface, at);
    EXPECT_EQ(size, MeasureDataMatrix(f.control, f.surface));
    const std::int32_t m = f.Module();
    const PointL origin = Offset(at, turns, 2 * m, 2 * m);  // past the quiet zone
    std::set<std::tuple<int, int, int, int>> expected;
    for (std::size_t r = 0; r < rows.size(); ++r) {
      for (std::size_t c = 0; c < rows[r].size(); ++c) {
        if (rows[r][c] == '1') {
          const RectL rect = RotatedRect(
              Offset(origin, turns, static_cast<std::int64_t>(c) * m, static_cast<std::int64_t>(r) * m), m, m, turns);
          expected.emplace(rect.left, rect.top, rect.right, rect.bottom);
        }
      }
    }
    std::set<std::tuple<int, int, int, int>> drawn;
    for (const auto& call : f.log.Of(gdi::GdiOp::FillRect)) {
      EXPECT_EQ(call.brush.color, gdi::kBlack);
      drawn.emplace(call.rect.left, call.rect.top, call.rect.right, call.rect.bottom);
    }
    EXPECT_EQ(f.log.Of(gdi::GdiOp::FillRect).size(), expected.size());
    EXPECT_EQ(drawn, expected);
  }
}

TEST(DataMatrixDrawing, ModulesFollowTheReadingDirection) {
  // Unrotated, the top-left module (always dark) starts right after the quiet zone, and the
  // bottom row of the finder is solid.
  Fixture f(u"123456", true, 0);
  const std::int32_t m = f.Module();
  DrawDataMatrix(f.control, f.surface, {0, 0});
  const auto rects = f.log.Of(gdi::GdiOp::FillRect);
  ASSERT_FALSE(rects.empty());
  EXPECT_EQ(rects.front().rect, (RectL{2 * m, 2 * m, 3 * m, 3 * m}));
  EXPECT_EQ(std::count_if(rects.begin(), rects.end(), [&](const auto& c) { return c.rect.top == 11 * m; }), 10);
}

TEST(DataMatrixDrawing, ForeColorAndErrorText) {
  {
    Fixture f(u"123456", false);
    f.control.put_ForeColor(0x00336699);
    DrawDataMatrix(f.control, f.surface, {0, 0});
    for (const auto& call : f.log.Of(gdi::GdiOp::FillRect)) {
      EXPECT_EQ(call.brush.color, 0x00336699U);
    }
  }
  Fixture f(u"AB~2[1][70000][2]", true);
  const std::int32_t inch = DotsFromMils(f.control, 1000);
  const std::int32_t q = 2 * f.Module();
  EXPECT_EQ(DrawDataMatrix(f.control, f.surface, {100, 200}), (SizeL{inch + 2 * q, inch + 2 * q}));
  // The paragraph is wrapped at spaces into one text call per line.
  std::u16string text;
  for (const auto& call : f.log.Of(gdi::GdiOp::TextOut)) {
    EXPECT_EQ(call.textColor, gdi::kRed);
    text += (text.empty() || text.back() == u' ' ? u"" : u" ") + call.text;
  }
  EXPECT_EQ(text, u"DataMatrix Encoding Error 54. invalid File ID value (SA).");
  EXPECT_TRUE(f.log.Of(gdi::GdiOp::FillRect).empty());
  EXPECT_EQ(f.sink->errors, (std::vector<std::int32_t>{54}));
}

TEST(DataMatrixDrawing, ExportedLabelsReadBackInAllFourRotations) {
  const std::string dir = testing::MakeTempDir();
  const struct {
    const char* message;
    const char* target;
  } cases[] = {{"Linnet DataMatrix 2024", "0"}, {"RECT 8x32", "25"}, {"~2[2][300][3]ABC", "0"}};
  for (const auto& c : cases) {
    for (int rotation = 0; rotation < 4; ++rotation) {
      SCOPED_TRACE(std::string(c.message) + " rotation " + std::to_string(rotation));
      const std::string path = dir + "/dm" + std::to_string(rotation) + ".png";
      const auto run =
          testing::RunCommand({testing::LinnetBinary(), "export", "-b", "41", "-d", c.message, "--set",
                               std::string("DataMatrixTargetSize=") + c.target, "--set",
                               "Rotation=" + std::to_string(rotation), "--set", "ShowComment=false", "-o", path});
      ASSERT_EQ(run.exitCode, 0) << run.err;
      const auto read = testing::ZxingRead(path, "DataMatrix");
      ASSERT_TRUE(read.has_value());
      EXPECT_EQ(*read, std::string(c.message).starts_with("~2") ? "ABC" : c.message);
    }
  }
}

}  // namespace
}  // namespace linnet
