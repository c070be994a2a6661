#include "control/qln_barcode.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "control/error_info.h"
#include "platform/com/error_object.h"

namespace linnet {
namespace {

// Logs the host signals as "request:F4", "changed:F4", "view", "data", "pos".
class RecordingHost : public HostObserver {
 public:
  HRESULT OnRequestEdit(DISPID dispid) override {
    log.push_back("request:" + Hex(dispid));
    return veto ? S_FALSE : S_OK;
  }
  void OnChanged(DISPID dispid) override { log.push_back("changed:" + Hex(dispid)); }
  void OnViewChange() override { log.push_back("view"); }
  void OnDataChange() override { log.push_back("data"); }
  bool HasInPlaceSite() const override { return true; }
  void OnPosRectChange(const RectL& /*rect*/) override { log.push_back("pos"); }

  static std::string Hex(DISPID d) {
    char b[16];
    std::snprintf(b, sizeof b, "%X", static_cast<unsigned>(d) & (d < 0 ? 0xFFFFFFFFU : 0xFFFU));
    return b;
  }

  std::vector<std::string> log;
  bool veto = false;
};

TEST(ControlProperties, ValuesAtCreation) {
  CQlnBarcode c;
  const auto& p = c.Properties();
  EXPECT_EQ(p.symbology, 0);
  EXPECT_EQ(p.message, u"QUILLON");
  EXPECT_EQ(p.barHeight, 1000);
  EXPECT_EQ(p.narrowBarWidth, 13);
  EXPECT_EQ(p.narrowToWideRatio, 2.5);
  EXPECT_EQ(p.zoomRatio, 1.0);
  EXPECT_EQ(p.symbolMarginLeft, 100);
  EXPECT_EQ(p.rasterImageResolution, 300);
  EXPECT_EQ(p.textAlignment, qlxAlignCenter);
  EXPECT_EQ(p.code39StartStopChars, VARIANT_TRUE);
  EXPECT_EQ(p.maxicodeZipCode, u"B01056");
  EXPECT_EQ(p.comment, u"Quillon Linnet 3.3 (build 1)\nTo force another line, enter \\n at the line end.");
  EXPECT_EQ(c.FontRef()->Description().name, u"Arial");
  EXPECT_EQ(c.FontRef()->Description().sizeTenThousandths, 90000);
  EXPECT_EQ(c.CommentFontRef()->Description().sizeTenThousandths, 80000);
  EXPECT_EQ(c.ErrorFont()->Description().name, u"Courier New");
  EXPECT_EQ(c.ErrorFont()->Description().weight, 700);
  EXPECT_EQ(c.Layout().resolution, 1440);
  EXPECT_FALSE(c.IsModified());
  VARIANT_BOOL enabled = 0;
  EXPECT_EQ(c.get_Enabled(&enabled), S_OK);
  EXPECT_EQ(enabled, VARIANT_TRUE);
  EXPECT_EQ(c.get_BarHeight(nullptr), E_POINTER);
}

// One row per validated setter: a value just inside, just outside and the error it gives.
struct RangeCase {
  const char* name;
  std::function<HRESULT(CQlnBarcode&, double)> put;
  double inside;
  double outside;
  std::int32_t error;
};

TEST(ControlProperties, RangesAndTheirErrors) {
  const auto i32 = [](auto method) {
    return [method](CQlnBarcode& c, double v) { return (c.*method)(static_cast<std::int32_t>(v)); };
  };
  const auto dbl = [](auto method) { return [method](CQlnBarcode& c, double v) { return (c.*method)(v); }; };
  const RangeCase cases[] = {
      {"BarHeight", i32(&CQlnBarcode::put_BarHeight), 1, 0, 6116},
      {"BarHeight negative", i32(&CQlnBarcode::put_BarHeight), 1, -5, 6116},
      {"BarWidthReduction", i32(&CQlnBarcode::put_BarWidthReduction), 99, 100, 6106},
      {"BarWidthReduction low", i32(&CQlnBarcode::put_BarWidthReduction), -99, -100, 6106},
      {"NarrowToWideRatio", dbl(&CQlnBarcode::put_NarrowToWideRatio), 3.0, 3.001, 6105},
      {"NarrowToWideRatio low", dbl(&CQlnBarcode::put_NarrowToWideRatio), 2.0, 1.999, 6105},
      {"NarrowToWideRatio NaN", dbl(&CQlnBarcode::put_NarrowToWideRatio), 2.0, std::nan(""), 6105},
      {"ZoomRatio", dbl(&CQlnBarcode::put_ZoomRatio), 100, 100.01, 6104},
      {"ZoomRatio low", dbl(&CQlnBarcode::put_ZoomRatio), 0.1, 0.099, 6104},
      {"RasterImageResolution", i32(&CQlnBarcode::put_RasterImageResolution), 50, 49, 6108},
      {"MaxicodeClass", i32(&CQlnBarcode::put_MaxicodeClass), 999, 1000, 6120},
      {"MaxicodeClass negative", i32(&CQlnBarcode::put_MaxicodeClass), 0, -1, 6120},
      {"MaxicodeCountryCode", i32(&CQlnBarcode::put_MaxicodeCountryCode), 999, -1, 6118},
      {"MaxicodeMode", [](CQlnBarcode& c, double v) { return c.put_MaxicodeMode(static_cast<std::int16_t>(v)); }, 6, 7,
       6119},
      {"MaxicodeMode low", [](CQlnBarcode& c, double v) { return c.put_MaxicodeMode(static_cast<std::int16_t>(v)); }, 2,
       1, 6119},
  };
  for (const auto& t : cases) {
    SCOPED_TRACE(t.name);
    CQlnBarcode c;
    EXPECT_EQ(t.put(c, t.inside), S_OK);
    EXPECT_TRUE(c.IsModified() || std::string(t.name).rfind("MaxicodeMode", 0) == 0);
    c.SetModified(false);
    const ControlProperties before = c.Properties();
    ClearThreadErrorObject();
    EXPECT_EQ(t.put(c, t.outside), ControlErrorHResult(t.error));
    EXPECT_FALSE(c.IsModified());
    const auto error = ThreadErrorObject();
    ASSERT_TRUE(error.has_value());
    EXPECT_EQ(error->source, u"Quillon.Linnet.1");
    const std::string message = ErrorTableMessage(t.error);
    EXPECT_EQ(error->description, std::u16string(message.begin(), message.end()));
    EXPECT_EQ(c.Properties().barHeight, before.barHeight);
    EXPECT_EQ(c.Properties().zoomRatio, before.zoomRatio);
    EXPECT_EQ(c.Properties().narrowToWideRatio, before.narrowToWideRatio);
  }
}

TEST(ControlProperties, BarHeightErrorIsTheDocumentedHresult) {
  CQlnBarcode c;
  EXPECT_EQ(c.put_BarHeight(0), static_cast<HRESULT>(0x832817E4U));
  EXPECT_EQ(ThreadErrorObject()->description, u"Invalid value for BarHeight property.");
}

TEST(ControlProperties, GettersRoundRatiosDownToThreeDecimals) {
  CQlnBarcode c;
  double v = 0;
  ASSERT_EQ(c.put_NarrowToWideRatio(2.3456), S_OK);
  c.get_NarrowToWideRatio(&v);
  EXPECT_DOUBLE_EQ(v, 2.345);
  ASSERT_EQ(c.put_ZoomRatio(1.23999), S_OK);
  c.get_ZoomRatio(&v);
  EXPECT_DOUBLE_EQ(v, 1.239);
}

TEST(ControlProperties, RefusalsWithoutError) {
  CQlnBarcode c;
  std::int32_t v = 0;
  EXPECT_EQ(c.put_TexAlignment(4), S_FALSE);
  c.get_TexAlignment(&v);
  EXPECT_EQ(v, 2);
  EXPECT_EQ(c.put_Rotation(4), S_FALSE);
  EXPECT_EQ(c.put_Rotation(-1), S_FALSE);
  EXPECT_EQ(c.put_CommentAlignment(4), S_OK);
  c.get_CommentAlignment(&v);
  EXPECT_EQ(v, 0);
  EXPECT_EQ(c.put_Symbology(0), S_FALSE);
  EXPECT_EQ(c.put_Measurement(7), S_FALSE);   // already English
  EXPECT_EQ(c.put_LabelWidth(500), S_FALSE);  // AutoLabelSize is on

  // The check-digit flags are stored even when the symbology does not use them.
  ASSERT_EQ(c.put_Symbology(5), S_OK);
  EXPECT_EQ(c.put_Code39OptionalCheckDigit(VARIANT_TRUE), S_FALSE);
  VARIANT_BOOL b = 0;
  c.get_Code39OptionalCheckDigit(&b);
  EXPECT_EQ(b, VARIANT_TRUE);
  EXPECT_EQ(c.put_I2of5OptionalCheckDigit(VARIANT_TRUE), S_FALSE);
  EXPECT_EQ(c.put_Code39StartStopChars(VARIANT_FALSE), S_FALSE);
  EXPECT_EQ(c.put_Code25OptionalCheckDigit(VARIANT_TRUE), S_OK);
  ASSERT_EQ(c.put_Symbology(7), S_OK);
  EXPECT_EQ(c.put_I2of5OptionalCheckDigit(VARIANT_TRUE), S_OK);
}

TEST(ControlProperties, SymbologyReplacesTheMessage) {
  const struct {
    std::int32_t symbology;
    std::u16string sample;
  } cases[] = {{10, u"978073520044|51299"},
               {2, u"+A123BJC5D6E71"},
               {22, u"A1B 2C3"},
               {38, u"(01)9 0 012345 67890 8 (3103)001750"},
               {14, u"123456"}};
  for (const auto& t : cases) {
    CQlnBarcode c;
    ASSERT_EQ(c.put_Message(u"OTHER"), S_OK);
    c.SetModified(false);
    ASSERT_EQ(c.put_Symbology(t.symbology), S_OK);
    EXPECT_EQ(c.Properties().message, t.sample);
    EXPECT_FALSE(c.IsModified());
  }
  CQlnBarcode c;
  for (const std::int32_t bad : {15, 19, 23, 29, 39, 43, -1}) {
    EXPECT_TRUE(Failed(c.put_Symbology(bad))) << bad;
    EXPECT_EQ(c.Properties().symbology, 0);
    EXPECT_EQ(c.Properties().message, u"QUILLON");
  }
}

TEST(ControlProperties, MeasurementConvertsEveryLength) {
  CQlnBarcode c;
  ASSERT_EQ(c.put_BarWidthReduction(-40), S_OK);
  ASSERT_EQ(c.put_Measurement(qlxMeasureMetrics), S_OK);
  const auto& p = c.Properties();
  EXPECT_EQ(p.barHeight, 2540);
  EXPECT_EQ(p.narrowBarWidth, 33);
  EXPECT_EQ(p.symbolMarginLeft, 254);
  EXPECT_EQ(p.borderWidth, 38);
  EXPECT_EQ(p.barWidthReduction, -102);
  EXPECT_EQ(p.pdf417ModuleWidth, 33);
  EXPECT_EQ(p.dataMatrixModuleSize, 51);
  ASSERT_EQ(c.put_Measurement(5), S_OK);  // any value but 1 means English
  EXPECT_EQ(p.barHeight, 1000);
  EXPECT_EQ(p.narrowBarWidth, 13);
  EXPECT_EQ(p.symbolMarginLeft, 100);
  EXPECT_EQ(p.barWidthReduction, -40);

  // A metric value may move by one unit on the way there and back.
  ASSERT_EQ(c.put_Measurement(qlxMeasureMetrics), S_OK);
  ASSERT_EQ(c.put_NarrowBarWidth(4), S_OK);
  ASSERT_EQ(c.put_Measurement(qlxMeasureEnglish), S_OK);
  EXPECT_EQ(p.narrowBarWidth, 2);
  ASSERT_EQ(c.put_Measurement(qlxMeasureMetrics), S_OK);
  EXPECT_EQ(p.narrowBarWidth, 5);

  // Lengths at the edge of their range stay in range.
  ASSERT_EQ(c.put_Measurement(qlxMeasureEnglish), S_OK);
  ASSERT_EQ(c.put_SymbolMarginTop(2000000000), S_OK);
  ASSERT_EQ(c.put_Measurement(qlxMeasureMetrics), S_OK);
  EXPECT_EQ(p.symbolMarginTop, 2147483647);
}

TEST(ControlProperties, LoadingStoresLengthsUnconverted) {
  CQlnBarcode c;
  c.SetLoading(true);
  ASSERT_EQ(c.put_Measurement(qlxMeasureMetrics), S_OK);
  EXPECT_EQ(c.Properties().barHeight, 1000);
  c.SetLoading(false);
}

TEST(ControlProperties, LabelSizeWhenNotAutomatic) {
  CQlnBarcode c;
  ASSERT_EQ(c.put_Measurement(qlxMeasureMetrics), S_OK);
  ASSERT_EQ(c.put_AutoLabelSize(VARIANT_FALSE), S_OK);
  std::int32_t w = 0;
  c.get_LabelWidth(&w);
  EXPECT_EQ(w, 5080);
  EXPECT_EQ(c.put_LabelWidth(0), ControlErrorHResult(6109));
  EXPECT_EQ(c.put_LabelHeight(-3), ControlErrorHResult(6109));
  EXPECT_EQ(c.put_LabelWidth(7000), S_OK);
  c.get_LabelWidth(&w);
  EXPECT_EQ(w, 7000);
  EXPECT_EQ(c.put_AutoLabelSize(VARIANT_FALSE), S_OK);  // unchanged: nothing happens
  c.get_LabelWidth(&w);
  EXPECT_EQ(w, 7000);
}

TEST(ControlProperties, AutomaticLabelSizeFollowsEveryChange) {
  // The label-size getters may reuse a measurement, but never one older than a property, or
  // than a font the host changed in place (the Font object is shared, no setter runs).
  CQlnBarcode c;
  std::int32_t before = 0;
  std::int32_t again = 0;
  c.get_LabelHeight(&before);
  c.get_LabelHeight(&again);
  EXPECT_EQ(again, before);
  const struct {
    const char* change;
    std::function<void(CQlnBarcode&)> apply;
  } changes[] = {
      {"a property", [](CQlnBarcode& control) { control.put_BarHeight(2000); }},
      {"the shared font in place",
       [](CQlnBarcode& control) { control.FontRef()->MutableDescription().sizeTenThousandths = 360000; }},
      {"the comment font in place",
       [](CQlnBarcode& control) { control.CommentFontRef()->MutableDescription().sizeTenThousandths = 360000; }},
  };
  for (const auto& row : changes) {
    SCOPED_TRACE(row.change);
    row.apply(c);
    std::int32_t after = 0;
    c.get_LabelHeight(&after);
    EXPECT_GT(after, before);
    before = after;
  }
}

TEST(ControlProperties, CommentLineBreakEscape) {
  const struct {
    std::u16string in;
    std::u16string stored;
  } cases[] = {{u"two\\nlines", u"two\nlines"},
               {u"\\\\n", u"\\\n"},
               {u"end\\", u"end\\"},
               {u"\\N", u"\\N"},
               {u"\u20ac\u4e2d", u"\u20ac?"}};
  for (const auto& t : cases) {
    CQlnBarcode c;
    ASSERT_EQ(c.put_Comment(t.in), S_OK);
    EXPECT_EQ(c.Properties().comment, t.stored);
  }
}

TEST(ControlProperties, MessageIsCheckedByTheSymbology) {
  CQlnBarcode c;
  EXPECT_EQ(c.put_Message(u"abc"), ControlErrorHResult(6113));  // lower case is not Code 39
  EXPECT_EQ(c.Properties().message, u"QUILLON");
  EXPECT_EQ(c.put_Message(u"ABC 123"), S_OK);
  // Characters outside the code page are stored as its default character.
  ASSERT_EQ(c.put_Symbology(1), S_OK);
  EXPECT_EQ(c.put_Message(u"caf\u00e9 \u4e2d"), ControlErrorHResult(6113));  // é is above 127
  EXPECT_EQ(c.put_Message(u"x \u4e2d"), S_OK);
  EXPECT_EQ(c.Properties().message, u"x ?");
  ASSERT_EQ(c.put_Symbology(41), S_OK);
  EXPECT_EQ(c.put_Message(u"anything \u00e9 at all"), S_OK);
}

TEST(ControlProperties, ExtensionClamping) {
  CQlnBarcode c;
  const auto& p = c.Properties();
  const struct {
    std::int32_t in, maxRows, maxCols, width;
  } cases[] = {{0, 0, 0, 1}, {1, 3, 1, 1}, {-7, 3, 0, 1}, {91, 90, 30, 91}, {200, 90, 30, 100}, {45, 45, 30, 45}};
  for (const auto& t : cases) {
    c.put_MaxRows(t.in);
    c.put_MaxCols(t.in);
    c.put_PDF417ModuleWidth(t.in);
    EXPECT_EQ(p.maxRows, t.maxRows) << t.in;
    EXPECT_EQ(p.maxCols, t.maxCols) << t.in;
    EXPECT_EQ(p.pdf417ModuleWidth, t.width) << t.in;
  }
  c.put_PDF417SecurityLevel(-2);
  EXPECT_EQ(p.pdf417SecurityLevel, 0);
  c.put_PDF417SecurityLevel(12);
  EXPECT_EQ(p.pdf417SecurityLevel, 9);
  c.put_PDF417AspectRatio(0.0);
  EXPECT_EQ(p.pdf417AspectRatio, 0.01);
  VARIANT_BOOL truncated = 0;
  c.put_PDF417Truncated(1);  // only exactly -1 means true
  c.get_PDF417Truncated(&truncated);
  EXPECT_EQ(truncated, 0);
  c.put_PDF417Truncated(VARIANT_TRUE);
  c.get_PDF417Truncated(&truncated);
  EXPECT_EQ(truncated, 1);
}

TEST(ControlProperties, MaxicodeZipCode) {
  const struct {
    std::u16string zip;
    bool ok;
  } cases[] = {{u"123456789", true}, {u"AB12CD34E", true}, {u"", true},       {u"1234567890", false},
               {u"12 34", false},    {u"12-34", false},    {u"\u00e9", false}};
  for (const auto& t : cases) {
    CQlnBarcode c;
    EXPECT_EQ(c.put_MaxicodeZipCode(t.zip), t.ok ? S_OK : ControlErrorHResult(6117));
    EXPECT_EQ(c.Properties().maxicodeZipCode, t.ok ? t.zip : u"B01056");
  }
}

TEST(ControlNotifications, OrderOfTheHostSignals) {
  const struct {
    const char* name;
    std::function<HRESULT(CQlnBarcode&)> call;
    std::vector<std::string> expected;
  } cases[] = {
      {"BackColor",
       [](CQlnBarcode& c) { return c.put_BackColor(0x123456); },
       {"request:FFFFFE0B", "changed:FFFFFE0B", "view", "data"}},
      {"Message",
       [](CQlnBarcode& c) { return c.put_Message(u"ABC"); },
       {"request:F4", "pos", "data", "view", "changed:F4"}},
      {"Comment",
       [](CQlnBarcode& c) { return c.put_Comment(u"x"); },
       {"request:C8", "changed:C8", "pos", "data", "view"}},
      {"BarHeight", [](CQlnBarcode& c) { return c.put_BarHeight(500); }, {"pos", "data", "view"}},
      {"RasterImageResolution", [](CQlnBarcode& c) { return c.put_RasterImageResolution(600); }, {}},
      {"TextOnTop", [](CQlnBarcode& c) { return c.put_TextOnTop(VARIANT_TRUE); }, {"data", "view"}},
  };
  for (const auto& t : cases) {
    SCOPED_TRACE(t.name);
    CQlnBarcode c;
    auto host = std::make_shared<RecordingHost>();
    c.SetHostObserver(host);
    EXPECT_EQ(t.call(c), S_OK);
    EXPECT_EQ(host->log, t.expected);
  }
}

TEST(ControlNotifications, VetoAndFreeze) {
  CQlnBarcode c;
  auto host = std::make_shared<RecordingHost>();
  c.SetHostObserver(host);
  host->veto = true;
  EXPECT_EQ(c.put_Message(u"ABC"), S_FALSE);
  EXPECT_EQ(c.Properties().message, u"QUILLON");
  EXPECT_EQ(c.put_ForeColor(0xFF), S_FALSE);
  EXPECT_FALSE(c.IsModified());
  c.FreezeEvents(true);  // frozen: nobody is asked, so nobody can veto
  host->log.clear();
  EXPECT_EQ(c.put_ForeColor(0xFF), S_OK);
  EXPECT_EQ(host->log, (std::vector<std::string>{"view", "data"}));
}

TEST(ControlNotifications, AutoSizeResetsZoom) {
  CQlnBarcode c;
  ASSERT_EQ(c.put_ZoomRatio(3.0), S_OK);
  ASSERT_EQ(c.put_AutoSize(VARIANT_TRUE), S_OK);
  EXPECT_EQ(c.Properties().zoomRatio, 1.0);
  EXPECT_EQ(c.Properties().autoSize, 1);  // stored as value & 1
}

}  // namespace
}  // namespace linnet
