// PDF417 measured and drawn on a recording surface, and exported labels read back.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "control/qln_barcode.h"
#include "platform/gdi/device_context.h"
#include "platform/gdi/system_colors.h"
#include "render/drawing_surface.h"
#include "render/two_dimensional.h"
#include "support/run_command.h"
#include "support/symbol_image.h"
#include "symbology2d/pdf417_encoder.h"

namespace linnet {
namespace {

class ErrorLog : public IBarcodeEvents {
 public:
  HRESULT BarcodeError(std::int32_t /*handle*/, std::int32_t nError) override {
    codes.push_back(nError);
    return S_OK;
  }
  std::vector<std::int32_t> codes;
};

// Ten rows of three columns (120 modules), two dots by six at one dot per mil.
class Pdf417Drawing : public ::testing::Test {
 protected:
  Pdf417Drawing() : context_(gdi::DeviceCaps{}), surface_(context_) {
    control_.put_Symbology(40);
    control_.put_Message(u"Linnet PDF417");
    control_.put_MaxRows(10);
    control_.put_MaxCols(3);
    control_.put_PDF417ModuleWidth(2);
    control_.put_PDF417RowHeight(6);
    control_.put_ForeColor(0x00336699);
    control_.Layout().resolution = 1000;
    control_.Events().Advise(errors_);
    context_.SetRecorder(&log_);
  }

  std::vector<std::string> Rows() const {
    std::vector<std::string> rows;
    Quillon::BrindleLib::CPDF417Encoder2().EncodeToRows("Linnet PDF417", rows, 2, 6, 0.5, 10, 3, 9, false);
    return rows;
  }

  CQlnBarcode control_;
  gdi::CallLog log_;
  gdi::DeviceContext context_;
  DrawingSurface surface_;
  std::shared_ptr<ErrorLog> errors_ = std::make_shared<ErrorLog>();
};

TEST_F(Pdf417Drawing, MeasuresRowsAndQuietZones) {
  const struct {
    VARIANT_BOOL quietZones;
    std::int32_t rotation;
    SizeL size;
  } cases[] = {{VARIANT_FALSE, 0, {240, 60}}, {VARIANT_TRUE, 0, {244, 72}}, {VARIANT_TRUE, 1, {244, 72}}};
  for (const auto& c : cases) {
    control_.put_QuietZones(c.quietZones);
    control_.put_Rotation(c.rotation);
    const SizeL size = MeasurePdf417(control_, surface_);
    EXPECT_EQ(size.cx, c.size.cx);
    EXPECT_EQ(size.cy, c.size.cy);
  }
  control_.put_Message(u"~2[0]");
  const SizeL failed = MeasurePdf417(control_, surface_);
  EXPECT_EQ(failed.cx, 1000 + 4);
  EXPECT_EQ(failed.cy, 1000 + 12);
  EXPECT_TRUE(errors_->codes.empty());
  EXPECT_TRUE(log_.Calls().empty());
}

TEST_F(Pdf417Drawing, DrawsEveryDarkModuleInEachRotation) {
  std::size_t dark = 0;
  for (const auto& row : Rows()) {
    dark += static_cast<std::size_t>(std::count(row.begin(), row.end(), '1'));
  }
  // The symbol's extent from the block corner (5000, 5000), past quiet zones of 2 dots along
  // and 6 across; the size returned is along and across the symbol, as it was measured.
  const struct {
    std::int32_t rotation;
    RectL bounds;
    SizeL moduleRect;
    SizeL returned;
  } cases[] = {
      {0, {5002, 5006, 5242, 5066}, {2, 6}, {244, 72}},
      {1, {5006, 4758, 5066, 4998}, {6, 2}, {244, 72}},
      {2, {4758, 4934, 4998, 4994}, {2, 6}, {244, 72}},
      {3, {4934, 5002, 4994, 5242}, {6, 2}, {244, 72}},
  };
  control_.put_QuietZones(VARIANT_TRUE);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.rotation);
    control_.put_Rotation(c.rotation);
    log_.Clear();
    const SizeL returned = DrawPdf417(control_, surface_, {5000, 5000});
    EXPECT_EQ(returned.cx, c.returned.cx);
    EXPECT_EQ(returned.cy, c.returned.cy);
    const auto rects = log_.Of(gdi::GdiOp::FillRect);
    ASSERT_EQ(rects.size(), dark);
    RectL bounds = rects.front().rect;
    for (const auto& call : rects) {
      EXPECT_EQ(call.rect.right - call.rect.left, c.moduleRect.cx);
      EXPECT_EQ(call.rect.bottom - call.rect.top, c.moduleRect.cy);
      EXPECT_EQ(call.brush.color, gdi::TranslateColor(0x00336699));
      bounds = {std::min(bounds.left, call.rect.left), std::min(bounds.top, call.rect.top),
                std::max(bounds.right, call.rect.right), std::max(bounds.bottom, call.rect.bottom)};
    }
    EXPECT_EQ(bounds.left, c.bounds.left);
    EXPECT_EQ(bounds.top, c.bounds.top);
    EXPECT_EQ(bounds.right, c.bounds.right);
    EXPECT_EQ(bounds.bottom, c.bounds.bottom);
    EXPECT_EQ(log_.Calls().size(), rects.size());  // nothing but the modules
  }
  EXPECT_TRUE(errors_->codes.empty());
}

TEST_F(Pdf417Drawing, EncodingErrorIsDrawnInRedAndReported) {
  control_.put_QuietZones(VARIANT_TRUE);
  const struct {
    std::u16string message;
    std::int32_t code;
    std::u16string text;
  } cases[] = {
      {u"~2[0]", 20, u"PDF417 Encoding Error 20. A required MacroPDF417 field is not present in the message."},
      {u"~7999999", 40, u"PDF417 Encoding Error 40. GLI must be 6 digits in the range between 0 and 811,799."},
  };
  for (const auto& c : cases) {
    control_.put_Message(c.message);
    log_.Clear();
    errors_->codes.clear();
    const SizeL returned = DrawPdf417(control_, surface_, {100, 100});
    EXPECT_EQ(returned.cx, 1004);
    EXPECT_EQ(returned.cy, 1012);
    std::u16string drawn;
    for (const auto& call : log_.Of(gdi::GdiOp::TextOut)) {
      EXPECT_EQ(call.textColor, gdi::kRed);
      drawn += drawn.empty() ? call.text : u" " + call.text;
    }
    EXPECT_EQ(drawn, c.text);
    EXPECT_TRUE(log_.Of(gdi::GdiOp::FillRect).empty());
    EXPECT_EQ(errors_->codes, std::vector<std::int32_t>{c.code});
  }
}

TEST(Pdf417Export, LabelsReadBackInEveryRotation) {
  const std::string dir = testing::MakeTempDir();
  const struct {
    std::string message;
    std::vector<std::string> settings;
    std::string text;
  } cases[] = {
      {"Exported PDF417 label 0123456789012345", {}, "Exported PDF417 label 0123456789012345"},
      {"Truncated label", {"PDF417Truncated=true"}, "Truncated label"},
      {"Fixed grid label", {"MaxRows=12", "MaxCols=4", "PDF417SecurityLevel=3"}, "Fixed grid label"},
      {"Macro segment~2[1][FILE1][3]", {}, "Macro segment"},
  };
  int n = 0;
  for (const auto& c : cases) {
    for (int rotation = 0; rotation < 4; ++rotation) {
      SCOPED_TRACE(::testing::Message() << c.message << " rotation " << rotation);
      const std::string path = dir + "/label" + std::to_string(n++) + ".png";
      std::vector<std::string> argv = {testing::LinnetBinary(),
                                       "export",
                                       "-b",
                                       "40",
                                       "-d",
                                       c.message,
                                       "--set",
                                       "Rotation=" + std::to_string(rotation),
                                       "--set",
                                       "QuietZones=true"};
      for (const auto& s : c.settings) {
        argv.insert(argv.end(), {"--set", s});
      }
      argv.insert(argv.end(), {"-o", path});
      const auto result = testing::RunCommand(argv);
      ASSERT_EQ(result.exitCode, 0) << result.err;
      EXPECT_EQ(testing::ZxingRead(path, "PDF417").value_or("<unread>"), c.text);
    }
  }
  std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace linnet
