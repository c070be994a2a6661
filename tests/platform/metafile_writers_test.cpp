#include <gtest/gtest.h>

#include <string>

#include "platform/gdi/emf_recorder.h"
#include "platform/gdi/svg_recorder.h"
#include "platform/gdi/wmf_recorder.h"
#include "support/failing_sink.h"
#include "support/metafile_records.h"

namespace linnet::gdi {
namespace {

using testing::Bytes;

using testing::FailingSink;

GdiCall Fill(RectL rect, ColorRef color) {
  GdiCall c;
  c.op = GdiOp::FillRect;
  c.rect = rect;
  c.brush = Brush{color, false};
  return c;
}

GdiCall Set(GdiOp op, std::int64_t value, PointL point = {}) {
  GdiCall c;
  c.op = op;
  c.value = value;
  c.point = point;
  return c;
}

// A small drawing with each kind of call: mapping, two fills that continue each other, a fill
// of another colour, an ellipse with a geometric pen, and a turned text.
std::vector<GdiCall> Drawing() {
  std::vector<GdiCall> calls = {
      Set(GdiOp::SetMapMode, static_cast<std::int64_t>(MapMode::Anisotropic)),
      Set(GdiOp::SetWindowExt, 0, {1440, 1440}),
      Fill({0, 0, 10, 5}, kBlack),
      Fill({10, 0, 20, 5}, kBlack),
      Fill({30, 0, 40, 5}, kRed),
  };
  GdiCall ellipse;
  ellipse.op = GdiOp::Ellipse;
  ellipse.rect = {0, 10, 20, 30};
  ellipse.pen = Pen{PenStyle::Solid, 3, kBlack, true};
  ellipse.brush = Brush{kWhite, false};
  calls.push_back(ellipse);
  GdiCall text;
  text.op = GdiOp::TextOut;
  text.point = {5, 40};
  text.text = u"H\u00E9";
  text.advances = {11, 9};
  text.font.height = -180;
  text.font.escapement = 900;
  text.font.faceName = u"Arial";
  calls.push_back(text);
  return calls;
}

template <class Recorder>
void RecordAll(Recorder& recorder, const std::vector<GdiCall>& calls) {
  for (const auto& c : calls) {
    recorder.Record(c);
  }
}

TEST(MetafileWriters, EmfRecordsEachCallWithItsObjects) {
  EmfRecorder recorder(u"APP", u"TITLE");
  RecordAll(recorder, Drawing());
  Bytes bytes;
  image::VectorSink sink(bytes);
  ASSERT_TRUE(recorder.Finish({500, 300}, sink));
  std::string problem;
  const auto records = testing::WalkEmf(bytes, problem);
  ASSERT_EQ(problem, "");
  // Worked by hand from the record layouts: type, size, and the field that matters.
  const struct {
    std::uint32_t type, size;
    size_t at;
    std::uint32_t value;
    const char* why;
  } expected[] = {
      {1, 108 + 24, 60, 11, "header; description APP, TITLE, two NULs: 11 units"},
      {17, 12, 8, 8, "anisotropic"},
      {9, 16, 8, 1440, "window extent"},
      {37, 12, 8, 0x80000008, "the null pen for fills"},
      {39, 24, 8, 1, "black brush in slot 1"},
      {37, 12, 8, 1, ""},
      {43, 24, 16, 20, "the two black fills as one rectangle to x = 20"},
      {39, 24, 16, kRed, "red brush in slot 2"},
      {37, 12, 8, 2, ""},
      {40, 12, 8, 1, "the black brush deleted"},
      {43, 24, 8, 30, ""},
      {95, 52, 28, 0x10200, "geometric pen with flat ends in slot 1"},
      {37, 12, 8, 1, "no stock pen to delete"},
      {39, 24, 8, 3, "white brush in slot 3"},
      {37, 12, 8, 3, ""},
      {40, 12, 8, 2, ""},
      {42, 24, 12, 10, "ellipse"},
      {82, 104, 20, 900, "font in slot 2, turned a quarter"},
      {37, 12, 8, 2, ""},
      {84, 76 + 4 + 8, 44, 2, "two UTF-16 units, two advances"},
      {14, 20, 8, 0, "end of file"},
  };
  ASSERT_EQ(records.size(), std::size(expected));
  for (size_t i = 0; i < records.size(); ++i) {
    SCOPED_TRACE(std::to_string(i) + " " + expected[i].why);
    EXPECT_EQ(records[i].type, expected[i].type);
    EXPECT_EQ(records[i].bytes.size(), expected[i].size);
    EXPECT_EQ(records[i].U32(expected[i].at), expected[i].value);
  }
  const auto& header = records.front();
  EXPECT_EQ(header.U32(48), bytes.size());
  EXPECT_EQ(header.U32(52), records.size());
  EXPECT_EQ(header.U32(56) & 0xFFFF, 4U);  // slots 0 to 3
  EXPECT_EQ(header.Utf16(108, 11), std::u16string(u"APP\0TITLE\0\0", 11));
  // 500 hundredths of a millimetre are 18 pixels of the 96-dot screen (18.9).
  EXPECT_EQ(header.I32(16), 17);
  EXPECT_EQ(header.I32(32), 499);
  const auto& text = records[19];
  EXPECT_EQ(text.Utf16(76, 2), u"H\u00E9");
  EXPECT_EQ(text.U32(text.U32(72) + 4), 9U);
}

TEST(MetafileWriters, WmfRecordsEachCallInSixteenBits) {
  WmfRecorder recorder;
  RecordAll(recorder, Drawing());
  Bytes bytes;
  image::VectorSink sink(bytes);
  ASSERT_TRUE(recorder.Finish(sink));
  testing::WmfHeader header;
  std::string problem;
  const auto records = testing::WalkWmf(bytes, header, problem);
  ASSERT_EQ(problem, "");
  const struct {
    std::uint16_t function;
    std::uint32_t words;
    size_t param;
    std::int16_t value;
    const char* why;
  } expected[] = {
      {0x0103, 4, 0, 8, "anisotropic"},
      {0x020C, 5, 1, 1440, "window extent, y first"},
      {0x02FA, 8, 0, 5, "a null pen in slot 0: no stock objects"},
      {0x012D, 4, 0, 0, ""},
      {0x02FC, 7, 0, 0, "solid black brush in slot 1"},
      {0x012D, 4, 0, 1, ""},
      {0x041B, 7, 1, 20, "the joined fills: bottom, right = 20"},
      {0x02FC, 7, 1, static_cast<std::int16_t>(kRed), "red brush in slot 2"},
      {0x012D, 4, 0, 2, ""},
      {0x01F0, 4, 0, 1, ""},
      {0x041B, 7, 3, 30, "left = 30"},
      {0x02FA, 8, 1, 3, "the geometric pen, three wide, in slot 1"},
      {0x012D, 4, 0, 1, ""},
      {0x01F0, 4, 0, 0, "the null pen deleted"},
      {0x02FC, 7, 0, 0, "white brush in slot 0"},
      {0x012D, 4, 0, 0, ""},
      {0x01F0, 4, 0, 2, ""},
      {0x0418, 7, 0, 30, "ellipse bottom"},
      {0x02FB, 28, 2, 900, "font escapement, slot 2"},
      {0x012D, 4, 0, 2, ""},
      {0x0521, 7, 0, 2, "two ANSI bytes"},
      {0x0000, 3, 0, 0, "end"},
  };
  ASSERT_EQ(records.size(), std::size(expected));
  for (size_t i = 0; i < records.size(); ++i) {
    SCOPED_TRACE(std::to_string(i) + " " + expected[i].why);
    EXPECT_EQ(records[i].function, expected[i].function);
    EXPECT_EQ(records[i].words, expected[i].words);
    EXPECT_EQ(records[i].Param(expected[i].param), expected[i].value);
  }
  EXPECT_EQ(header.sizeWords * 2U, bytes.size());
  EXPECT_EQ(header.objects, 3);
  EXPECT_EQ(header.largestRecordWords, 28U);
  EXPECT_EQ(records[20].bytes[8], 'H');
  EXPECT_EQ(records[20].bytes[9], 0xE9);  // in the ANSI code page
}

// Every writer reports a sink that stops taking bytes, at every point of the output, and a
// recording that outgrows its budget or (classic metafiles) its 16-bit coordinates.
TEST(MetafileWriters, FailuresAreReported) {
  auto finishEmf = [](EmfRecorder& r, image::ByteSink& s) { return r.Finish({100, 100}, s); };
  auto finishSvg = [](SvgRecorder& r, image::ByteSink& s) { return r.Finish({10, 10}, {100, 100}, s); };
  auto wholeSize = [](auto& recorder, auto finish) {
    Bytes bytes;
    image::VectorSink sink(bytes);
    EXPECT_TRUE(finish(recorder, sink));
    return bytes.size();
  };
  auto budgets = [](size_t size) { return std::vector<size_t>{0, 1, size / 2, size - 1}; };
  {
    EmfRecorder whole(u"A", u"B");
    RecordAll(whole, Drawing());
    for (const size_t budget : budgets(wholeSize(whole, finishEmf))) {
      SCOPED_TRACE("emf " + std::to_string(budget));
      EmfRecorder r(u"A", u"B");
      RecordAll(r, Drawing());
      FailingSink sink(budget);
      EXPECT_FALSE(finishEmf(r, sink));
    }
  }
  {
    WmfRecorder whole;
    RecordAll(whole, Drawing());
    for (const size_t budget :
         budgets(wholeSize(whole, [](WmfRecorder&r, image::ByteSink&s) { return r.Finish(s); }))) {
      SCOPED_TRACE("wmf " + std::to_string(budget));
      WmfRecorder r;
      RecordAll(r, Drawing());
      FailingSink sink(budget);
      EXPECT_FALSE(r.Finish(sink));
    }
  }
  {
    SvgRecorder whole;
    RecordAll(whole, Drawing());
    for (const size_t budget : budgets(wholeSize(whole, finishSvg))) {
      SCOPED_TRACE("svg " + std::to_string(budget));
      SvgRecorder r;
      RecordAll(r, Drawing());
      FailingSink sink(budget);
      EXPECT_FALSE(finishSvg(r, sink));
    }
  }
  Bytes out;
  image::VectorSink sink(out);
  std::vector<GdiCall> many;
  for (std::int32_t i = 0; i < 100; ++i) {
    many.push_back(Fill({2 * i, 0, 2 * i + 1, 5}, kBlack));  // apart: none join
  }
  EmfRecorder smallEmf(u"A", u"B", 256);
  RecordAll(smallEmf, many);
  EXPECT_FALSE(finishEmf(smallEmf, sink));
  WmfRecorder smallWmf(256);
  RecordAll(smallWmf, many);
  EXPECT_FALSE(smallWmf.Finish(sink));
  SvgRecorder smallSvg(256);
  RecordAll(smallSvg, many);
  EXPECT_FALSE(finishSvg(smallSvg, sink));
  for (const std::int32_t edge : {32768, -32769}) {
    SCOPED_TRACE(edge);
    WmfRecorder wide;
    wide.Record(Fill({0, 0, edge, 5}, kBlack));
    EXPECT_FALSE(wide.Finish(sink));
  }
  WmfRecorder widest;
  widest.Record(Fill({-32768, 0, 32767, 5}, kBlack));
  EXPECT_TRUE(widest.Finish(sink));
  EXPECT_TRUE(out.size() > 0);
}

TEST(SvgWriter, XmlTextIsEscapedAndCleaned) {
  const struct {
    std::u16string in;
    std::string out;
    const char* why;
  } cases[] = {
      {u"a&b<c>\"'", "a&amp;b&lt;c&gt;&quot;&apos;", "markup characters"},
      {u"\t\n\r", "\t\n\r", "the three controls XML keeps"},
      {std::u16string(u"x\x01\x1F\0y", 5), "xy", "other C0 controls, NUL included"},
      {u"\uFFFE\uFFFFz", "z", "non-characters"},
      {u"\u00E9\u20AC", "\xC3\xA9\xE2\x82\xAC", "UTF-8 out"},
      {u"\U0001F600", "\xF0\x9F\x98\x80", "a surrogate pair is one character"},
      {std::u16string(u"\xD800q\xDC00", 3), "q", "unpaired surrogates"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.why);
    std::string out;
    AppendXmlText(out, c.in);
    EXPECT_EQ(out, c.out);
  }
}

// Fills of one colour become one path whatever their number; text keeps its position,
// rotation and family.
TEST(SvgWriter, FillsMergeIntoPathsAndTextKeepsItsPlace) {
  SvgRecorder recorder;
  for (std::int32_t row = 0; row < 3; ++row) {
    for (std::int32_t k = 0; k < 40; ++k) {
      recorder.Record(Fill({3 * k, 4 * row, 3 * k + 2, 4 * row + 4}, kBlack));
    }
  }
  recorder.Record(Fill({200, 0, 210, 4}, kRed));
  GdiCall text;
  text.op = GdiOp::TextOut;
  text.point = {100, 50};
  text.text =
      u"A&\x01"
      u"B";
  text.advances = {10, 12, 0, 8};
  text.metrics.tmAscent = 16;
  text.metrics.tmDescent = 4;
  text.metrics.tmHeight = 20;
  text.metrics.tmInternalLeading = 2;
  text.font.escapement = 900;
  text.textAlign = TA_LEFT | TA_TOP;
  text.family = "Liberation Sans";
  text.textColor = Rgb(0x12, 0x34, 0x56);
  recorder.Record(Set(GdiOp::SetBkMode, static_cast<std::int64_t>(BkMode::Transparent)));
  recorder.Record(text);
  Bytes bytes;
  image::VectorSink sink(bytes);
  ASSERT_TRUE(recorder.Finish({300, 100}, {2117, 706}, sink));
  const std::string svg(bytes.begin(), bytes.end());
  auto count = [&](const std::string& what) {
    size_t n = 0;
    for (size_t at = svg.find(what); at != std::string::npos; at = svg.find(what, at + 1)) {
      ++n;
    }
    return n;
  };
  EXPECT_EQ(count("<path"), 2U);
  EXPECT_EQ(count("M"), 121U);    // 120 black modules and the red one, each a subpath
  EXPECT_EQ(count("<rect"), 0U);  // a transparent background paints nothing
  EXPECT_NE(svg.find("width=\"21.17mm\" height=\"7.06mm\" viewBox=\"0 0 300 100\""), std::string::npos);
  EXPECT_NE(svg.find("fill=\"#FF0000\""), std::string::npos);
  // Turned a quarter anticlockwise: the baseline is one ascent to the right of the reference
  // point, and characters follow their advances; the dropped control keeps its advance.
  EXPECT_NE(svg.find("x=\"116 126 138\" y=\"50\" font-family=\"Liberation Sans\" font-size=\"18\""), std::string::npos)
      << svg;
  EXPECT_NE(svg.find("fill=\"#123456\" transform=\"rotate(-90 116 50)\">A&amp;B</text>"), std::string::npos) << svg;
}

}  // namespace
}  // namespace linnet::gdi
