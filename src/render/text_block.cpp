#include "render/text_block.h"

#include <algorithm>

#include "control/qln_barcode.h"
#include "platform/gdi/system_colors.h"
#include "render/drawing_surface.h"
#include "render/layout_font.h"
#include "render/rotation.h"
#include "render/units.h"

namespace linnet {

namespace {

constexpr char16_t kSpace = u' ';
constexpr char16_t kLineFeed = u'\n';

// Where the next line of a paragraph ends: at the start of the first word that would make
// the line reach the box width (a first word stays on the line however wide it is); at the
// end of the text on the last line, unless the text there is wider than the box.
// A text's extent is the sum of its characters' advances, so the line's width grows by
// measuring each word once, never the line again from its start.
size_t LineEnd(DrawingSurface& surface, std::u16string_view text, size_t lineStart, std::int32_t width) {
  surface.SetTextJustification(0, 0);
  std::int64_t lineWidth = 0;
  size_t measuredTo = lineStart;
  auto widthTo = [&](size_t end) {
    lineWidth += surface.GetTextExtent(text.substr(measuredTo, end - measuredTo)).cx;
    measuredTo = end;
    return lineWidth;
  };
  size_t wordStart = lineStart;
  bool firstWord = true;
  for (size_t i = lineStart; i < text.size(); ++i) {
    if (text[i] != kSpace) {
      continue;
    }
    if (i + 1 >= text.size()) {
      break;
    }
    if (widthTo(i) >= width) {
      return firstWord ? i : wordStart;
    }
    wordStart = i + 1;
    firstWord = false;
  }
  const size_t end = text.back() == kSpace ? text.size() - 1 : text.size();
  if (widthTo(end) > width && !firstWord) {
    return wordStart;
  }
  return text.size();
}

std::uint32_t TextAlignFor(std::int32_t alignment) {
  switch (alignment) {
    case qlxAlignRight:
      return gdi::TA_RIGHT | gdi::TA_TOP;
    case qlxAlignCenter:
    case qlxAlignJustify:
      return gdi::TA_CENTER | gdi::TA_TOP;
    default:
      return gdi::TA_LEFT | gdi::TA_TOP;
  }
}

// The along offset of a line's reference point in a box of width W.
std::int32_t AlongFor(std::int32_t alignment, std::int32_t width) {
  switch (alignment) {
    case qlxAlignRight:
      return width;
    case qlxAlignCenter:
    case qlxAlignJustify:
      return width / 2;
    default:
      return 0;
  }
}

}  // namespace

SizeL DrawTextParagraph(const CQlnBarcode& control, DrawingSurface& surface, const TextBox& box,
                        std::u16string_view text, const FontObject* font) {
  gdi::FontHandle layoutFont = CreateLayoutFont(control, font, box.quarterTurns, 1.0);
  gdi::FontHandle previous = surface.SelectFont(layoutFont);
  std::int32_t widest = 0;
  std::int32_t lineHeight = 0;
  std::int32_t lines = 0;
  size_t pos = 0;
  while (true) {
    while (pos < text.size() && text[pos] == kSpace) {
      ++pos;
    }
    if (pos >= text.size()) {
      break;
    }
    const size_t lineStart = pos;
    pos = LineEnd(surface, text, lineStart, box.width);
    size_t lineEnd = pos;
    while (lineEnd > lineStart && text[lineEnd - 1] == kSpace) {
      --lineEnd;
    }
    const std::u16string_view line = text.substr(lineStart, lineEnd - lineStart);
    surface.SetTextJustification(0, 0);
    const SizeL extent = surface.GetTextExtent(line);
    widest = std::max(widest, extent.cx);
    lineHeight = extent.cy;
    if (box.alignment == qlxAlignJustify) {
      surface.SetTextCharacterExtra(static_cast<std::int32_t>((static_cast<std::int64_t>(box.width) - extent.cx) /
                                                              static_cast<std::int64_t>(line.size())));
    }
    if (!box.measureOnly) {
      const PointL at = Offset(box.at, box.quarterTurns, AlongFor(box.alignment, box.width),
                               static_cast<std::int64_t>(lines) * extent.cy);
      surface.SetTextAlign(TextAlignFor(box.alignment));
      surface.TextOut(at.x, at.y, line);
    }
    ++lines;
  }
  surface.SelectFont(std::move(previous));
  surface.SetTextCharacterExtra(0);
  surface.SetTextAlign(gdi::TA_LEFT | gdi::TA_TOP);
  return {widest, ClampDots(static_cast<std::int64_t>(lineHeight) * lines)};
}

SizeL DrawTextBlock(const CQlnBarcode& control, DrawingSurface& surface, const TextBox& box, std::u16string_view text,
                    const FontObject* font) {
  if (text.empty()) {
    return {box.width, 0};
  }
  const auto& p = control.Properties();
  const gdi::BkMode previousMode = surface.SetBkMode(gdi::BkMode::Opaque);
  const gdi::ColorRef previousBack = surface.SetBkColor(gdi::TranslateColor(p.backColor));
  const gdi::ColorRef previousText = surface.SetTextColor(gdi::TranslateColor(p.foreColor));
  SizeL result;
  if (text.find(kLineFeed) == std::u16string_view::npos) {
    result = DrawTextParagraph(control, surface, box, text, font);
  } else {
    // A line feed that ends the text starts no further paragraph.
    const std::u16string_view body = text.back() == kLineFeed ? text.substr(0, text.size() - 1) : text;
    std::int64_t height = 0;
    size_t start = 0;
    while (start <= body.size()) {
      const size_t end = std::min(body.find(kLineFeed, start), body.size());
      TextBox paragraph = box;
      paragraph.at = MoveAcross(box.at, box.quarterTurns, height);
      height += DrawTextParagraph(control, surface, paragraph, body.substr(start, end - start), font).cy;
      start = end + 1;
    }
    result = {box.width, ClampDots(height)};
  }
  surface.SetTextColor(previousText);
  surface.SetBkColor(previousBack);
  surface.SetBkMode(previousMode);
  return result;
}

}  // namespace linnet
