#include "render/text_block.h"

#include <gtest/gtest.h>

#include "control/qln_barcode.h"
#include "render/layout_font.h"
#include "render/recording_surface.h"

namespace linnet {
namespace {

using gdi::GdiOp;

// Paragraphs drawn at R = 1440 in the control's own font, upright unless asked.
class TextBlockTest : public ::testing::Test {
 protected:
  TextBlockTest() { control.Layout().resolution = 1440; }

  // The width the paragraph font gives `text`, with no extra spacing.
  std::int32_t Width(std::u16string_view text) {
    testing::RecordingSurface measuring;
    measuring.surface.SelectFont(CreateLayoutFont(control, control.FontRef().get(), 0, 1.0));
    return measuring.surface.GetTextExtent(text).cx;
  }

  std::int32_t LineHeight() {
    testing::RecordingSurface measuring;
    measuring.surface.SelectFont(CreateLayoutFont(control, control.FontRef().get(), 0, 1.0));
    return measuring.surface.GetTextMetrics().tmHeight;
  }

  SizeL Paragraph(std::u16string_view text, std::int32_t width, std::int32_t alignment = qlxAlignLeft,
                  int quarterTurns = 0) {
    TextBox box;
    box.at = {1000, 2000};
    box.width = width;
    box.alignment = alignment;
    box.quarterTurns = quarterTurns;
    return DrawTextParagraph(control, rec.surface, box, text, control.FontRef().get());
  }

  std::vector<std::u16string> Lines() const {
    std::vector<std::u16string> lines;
    for (const auto& call : rec.Calls(GdiOp::TextOut)) {
      lines.push_back(call.text);
    }
    return lines;
  }

  CQlnBarcode control;
  testing::RecordingSurface rec{96};
};

TEST_F(TextBlockTest, WrapsAtSpaces) {
  const std::int32_t two = Width(u"alpha beta");
  struct Case {
    std::u16string text;
    std::int32_t width;
    std::vector<std::u16string> lines;
  };
  const Case cases[] = {
      // Two words that together exceed the box go on two lines.
      {u"alpha beta", two - 1, {u"alpha", u"beta"}},
      {u"alpha beta", two + 1, {u"alpha beta"}},
      // On the last line, text exactly as wide as the box stays together.
      {u"alpha beta", two, {u"alpha beta"}},
      // Mid-paragraph, a line reaching the box width exactly pushes its last word on.
      {u"alpha beta alpha", two, {u"alpha", u"beta alpha"}},
      // A word wider than the box stands alone and overflows.
      {u"extraordinarily a", 10, {u"extraordinarily", u"a"}},
      {u"a extraordinarily b", 10, {u"a", u"extraordinarily", u"b"}},
      // Lines never start or end with spaces.
      {u"  alpha   beta  ", two - 1, {u"alpha", u"beta"}},
      {u"alpha ", two, {u"alpha"}},
      {u"   ", 100, {}},
      {u"", 100, {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.text.begin(), c.text.end()));
    rec.log.Clear();
    Paragraph(c.text, c.width);
    EXPECT_EQ(Lines(), c.lines);
  }
}

// The lines the wrap rule gives when every candidate line is measured whole from its start:
// the reference the word-by-word measurement must agree with.
std::vector<std::u16string> WholeLineBreaks(DrawingSurface& surface, std::u16string_view text, std::int32_t width) {
  std::vector<std::u16string> lines;
  size_t pos = 0;
  while (true) {
    while (pos < text.size() && text[pos] == u' ') {
      ++pos;
    }
    if (pos >= text.size()) {
      return lines;
    }
    const size_t start = pos;
    auto wide = [&](size_t end) { return surface.GetTextExtent(text.substr(start, end - start)).cx; };
    size_t wordStart = start;
    bool firstWord = true;
    pos = text.size();
    for (size_t i = start; i + 1 < text.size(); ++i) {
      if (text[i] != u' ') {
        continue;
      }
      if (wide(i) >= width) {
        pos = firstWord ? i : wordStart;
        break;
      }
      wordStart = i + 1;
      firstWord = false;
    }
    if (pos == text.size()) {
      const size_t end = text.back() == u' ' ? text.size() - 1 : text.size();
      if (wide(end) > width && !firstWord) {
        pos = wordStart;
      }
    }
    size_t end = pos;
    while (end > start && text[end - 1] == u' ') {
      --end;
    }
    lines.emplace_back(text.substr(start, end - start));
  }
}

TEST_F(TextBlockTest, WordByWordBreaksMatchWholeLineMeasurement) {
  const std::int32_t word = Width(u"alpha");
  const struct {
    std::u16string text;
    std::int32_t width;
    std::int32_t charExtra;
  } cases[] = {
      {u"the quick brown fox jumps over the lazy dog", 3 * word, 0},
      {u"the quick brown fox jumps over the lazy dog", word, 0},
      {u"the quick brown fox jumps over the lazy dog", 1, 0},
      {u"  many   spaces  between    words   and at the ends  ", 2 * word, 0},
      {u"a b c d e f g h i j k l m n o p q r s t u v w x y z", word, 0},
      {u"short words then averyveryverylongwordthatoverflows and more", 2 * word, 0},
      {u"with extra spacing on every character of the line", 3 * word, 40},
      {u"with tightened spacing on every character of the line", 2 * word, -20},
      {u"one", 1, 0},
      {u"trailing space ", 2 * word, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << std::string(c.text.begin(), c.text.end()) << " in " << c.width);
    testing::RecordingSurface reference;
    reference.surface.SelectFont(CreateLayoutFont(control, control.FontRef().get(), 0, 1.0));
    reference.surface.SetTextCharacterExtra(c.charExtra);
    rec.log.Clear();
    rec.surface.SetTextCharacterExtra(c.charExtra);
    Paragraph(c.text, c.width);
    EXPECT_EQ(Lines(), WholeLineBreaks(reference.surface, c.text, c.width));
  }
}

TEST_F(TextBlockTest, ParagraphSizeIsWidestLineByLineCount) {
  const SizeL size = Paragraph(u"alpha beta gamma", Width(u"alpha beta") - 1);
  const auto outs = rec.Calls(GdiOp::TextOut);
  ASSERT_EQ(outs.size(), 3U);
  const std::int32_t lineHeight = LineHeight();
  EXPECT_EQ(size.cy, 3 * lineHeight);
  EXPECT_EQ(size.cx, std::max({Width(u"alpha"), Width(u"beta"), Width(u"gamma")}));
  EXPECT_EQ(Paragraph(u"   ", 100), (SizeL{0, 0}));
}

TEST_F(TextBlockTest, LinePositionsByAlignmentAndRotation) {
  const std::int32_t w = Width(u"alpha beta") - 1;
  const std::int32_t h = LineHeight();
  struct Case {
    std::int32_t alignment;
    int turns;
    PointL second;  // the second line's reference point
    std::uint32_t align;
  };
  // Start point (1000, 2000); lines stack across, the reference moves along by 0, W or W/2.
  const Case cases[] = {
      {qlxAlignLeft, 0, {1000, 2000 + h}, gdi::TA_LEFT | gdi::TA_TOP},
      {qlxAlignRight, 0, {1000 + w, 2000 + h}, gdi::TA_RIGHT | gdi::TA_TOP},
      {qlxAlignCenter, 0, {1000 + w / 2, 2000 + h}, gdi::TA_CENTER | gdi::TA_TOP},
      {qlxAlignLeft, 1, {1000 + h, 2000}, gdi::TA_LEFT | gdi::TA_TOP},
      {qlxAlignRight, 1, {1000 + h, 2000 - w}, gdi::TA_RIGHT | gdi::TA_TOP},
      {qlxAlignCenter, 2, {1000 - w / 2, 2000 - h}, gdi::TA_CENTER | gdi::TA_TOP},
      {qlxAlignRight, 3, {1000 - h, 2000 + w}, gdi::TA_RIGHT | gdi::TA_TOP},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << "alignment " << c.alignment << " turns " << c.turns);
    rec.log.Clear();
    Paragraph(u"alpha beta", w, c.alignment, c.turns);
    const auto outs = rec.Calls(GdiOp::TextOut);
    ASSERT_EQ(outs.size(), 2U);
    EXPECT_EQ(outs[1].point, c.second);
    EXPECT_EQ(outs[1].textAlign, c.align);
    EXPECT_EQ(outs[1].font.escapement, c.turns * 900);
  }
}

TEST_F(TextBlockTest, JustifySpreadsTheRestOverTheCharactersAndKeepsIt) {
  const std::u16string first = u"alpha";
  const std::int32_t width = Width(u"alpha beta") - 1;
  Paragraph(u"alpha beta", width, qlxAlignJustify);
  const auto outs = rec.Calls(GdiOp::TextOut);
  ASSERT_EQ(outs.size(), 2U);
  const std::int32_t extra = (width - Width(first)) / static_cast<std::int32_t>(first.size());
  EXPECT_EQ(outs[0].charExtra, extra);
  EXPECT_EQ(outs[0].textAlign, gdi::TA_CENTER | gdi::TA_TOP);
  EXPECT_EQ(outs[0].point.x, 1000 + width / 2);
  // The second line is measured with the first line's extra still set.
  const std::int32_t measured = Width(u"beta") + 4 * extra;
  EXPECT_EQ(outs[1].charExtra, (width - measured) / 4);
  // The paragraph leaves no extra behind.
  EXPECT_EQ(rec.context.CharacterExtra(), 0);
  EXPECT_EQ(rec.context.TextAlign(), gdi::TA_LEFT | gdi::TA_TOP);
}

TEST_F(TextBlockTest, JustifyOfALineWiderThanTheBoxTightens) {
  Paragraph(u"extraordinarily", 10, qlxAlignJustify);
  const auto outs = rec.Calls(GdiOp::TextOut);
  ASSERT_EQ(outs.size(), 1U);
  EXPECT_EQ(outs[0].charExtra, (10 - Width(u"extraordinarily")) / 15);
  EXPECT_LT(outs[0].charExtra, 0);
}

TEST_F(TextBlockTest, BlocksSplitAtLineFeeds) {
  const std::int32_t h = LineHeight();
  struct Case {
    std::u16string text;
    std::vector<std::u16string> lines;
    std::vector<std::int32_t> tops;
    std::int32_t height;
  };
  const Case cases[] = {
      {u"one", {u"one"}, {0}, h},
      {u"one\ntwo", {u"one", u"two"}, {0, h}, 2 * h},
      // The empty paragraph between two line feeds takes no height.
      {u"one\n\ntwo", {u"one", u"two"}, {0, h}, 2 * h},
      // A closing line feed starts nothing.
      {u"one\n", {u"one"}, {0}, h},
      {u"\n", {}, {}, 0},
      {u"", {}, {}, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.text.begin(), c.text.end()));
    rec.log.Clear();
    TextBox box;
    box.at = {0, 0};
    box.width = 5000;
    const SizeL size = DrawTextBlock(control, rec.surface, box, c.text, control.FontRef().get());
    EXPECT_EQ(size.cy, c.height);
    const auto outs = rec.Calls(GdiOp::TextOut);
    ASSERT_EQ(outs.size(), c.lines.size());
    for (size_t i = 0; i < outs.size(); ++i) {
      EXPECT_EQ(outs[i].text, c.lines[i]);
      EXPECT_EQ(outs[i].point.y, c.tops[i]);
    }
  }
}

TEST_F(TextBlockTest, BlocksPaintCellsInTheControlsColoursAndRestoreThem) {
  control.put_ForeColor(0x00112233);
  control.put_BackColor(0x00445566);
  rec.surface.SetTextColor(gdi::kRed);
  TextBox box;
  box.width = 5000;
  DrawTextBlock(control, rec.surface, box, u"text", control.FontRef().get());
  const auto outs = rec.Calls(GdiOp::TextOut);
  ASSERT_EQ(outs.size(), 1U);
  EXPECT_EQ(outs[0].textColor, 0x00112233U);
  const auto modes = rec.Calls(GdiOp::SetBkMode);
  ASSERT_FALSE(modes.empty());
  EXPECT_EQ(modes.front().value, static_cast<std::int64_t>(gdi::BkMode::Opaque));
  EXPECT_EQ(rec.Calls(GdiOp::SetBkColor).front().value, 0x00445566);
  EXPECT_EQ(rec.context.TextColor(), gdi::kRed);
}

TEST_F(TextBlockTest, MeasureOnlyDrawsNothing) {
  TextBox box;
  box.width = 100;
  box.measureOnly = true;
  const SizeL size = DrawTextBlock(control, rec.surface, box, u"alpha beta gamma", control.FontRef().get());
  EXPECT_GT(size.cy, 0);
  EXPECT_TRUE(rec.Calls(GdiOp::TextOut).empty());
}

}  // namespace
}  // namespace linnet
