#include "render/label.h"

#include "control/qln_barcode.h"
#include "render/drawing_surface.h"
#include "render/rotation.h"
#include "render/symbol_block.h"
#include "render/text_block.h"
#include "render/units.h"

namespace linnet {

namespace {

TextBox CommentBox(const CQlnBarcode& control, PointL at, std::int32_t width, int quarterTurns, bool measureOnly) {
  TextBox box;
  box.at = at;
  box.width = width;
  box.alignment = control.Properties().commentAlignment;
  box.quarterTurns = quarterTurns;
  box.measureOnly = measureOnly;
  return box;
}

}  // namespace

SizeL MeasureCommentBox(const CQlnBarcode& control, DrawingSurface& surface, std::int32_t symbolWidth) {
  const auto& p = control.Properties();
  auto d = [&](std::int32_t length) { return static_cast<std::int64_t>(DotsFromUser(control, length)); };
  const std::int64_t width = p.autoLabelSize != 0 ? d(p.commentMarginLeft) + d(p.commentMarginRight) + symbolWidth
                                                  : d(p.labelWidth) - d(p.symbolMarginRight) - d(p.commentMarginRight) -
                                                        d(p.commentMarginLeft) - d(p.symbolMarginLeft);
  const std::int32_t cw = ClampDots(width);
  const SizeL text =
      DrawTextBlock(control, surface, CommentBox(control, {}, cw, 0, true), p.comment, control.CommentFontRef().get());
  return {cw, text.cy};
}

void DrawLabel(CQlnBarcode& control, DrawingSurface& surface) {
  const auto& p = control.Properties();
  const SizeL symbol = MeasureSymbolBlock(control, surface);
  const bool showComment = p.showComment != 0;
  // A hidden comment takes no room, so its text is not measured.
  const SizeL comment = showComment ? MeasureCommentBox(control, surface, symbol.cx) : SizeL{};
  auto d = [&](std::int32_t length) { return static_cast<std::int64_t>(DotsFromUser(control, length)); };
  const bool autoLabel = p.autoLabelSize != 0;
  // Along: margin-based while the label sizes itself, the symbol centred otherwise.
  const std::int64_t symbolAlong =
      autoLabel ? d(p.symbolMarginLeft) + d(p.commentMarginLeft) : (d(p.labelWidth) - symbol.cx) / 2;
  const std::int64_t commentAlong = autoLabel ? d(p.symbolMarginLeft) : d(p.symbolMarginLeft) + d(p.commentMarginLeft);
  std::int64_t symbolAcross = d(p.symbolMarginTop);
  std::int64_t commentAcross = 0;
  if (showComment && p.commentOnTop != 0) {
    commentAcross = d(p.symbolMarginTop) + d(p.commentMarginTop);
    symbolAcross = commentAcross + comment.cy + d(p.commentMarginBottom);
  } else if (showComment) {
    commentAcross = d(p.symbolMarginTop) + symbol.cy + d(p.commentMarginTop);
  }
  const int turns = QuarterTurns(p.rotation);
  const PointL origin = control.Layout().origin;
  if (showComment) {
    DrawTextBlock(control, surface,
                  CommentBox(control, Offset(origin, turns, commentAlong, commentAcross), comment.cx, turns, false),
                  p.comment, control.CommentFontRef().get());
  }
  DrawSymbolBlock(control, surface, Offset(origin, turns, symbolAlong, symbolAcross), symbol.cx);
}

}  // namespace linnet
