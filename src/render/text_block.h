#pragma once
// Word-wrapped text: the human-readable text, the comment and the error texts.
#include <cstdint>
#include <string_view>

#include "platform/com/font_object.h"
#include "platform/com/host_observer.h"

namespace linnet {

class CQlnBarcode;
class DrawingSurface;

struct TextBox {
  PointL at;                   // the block's start point: top-left corner in its rotation
  std::int32_t width = 0;      // the box width W along the text
  std::int32_t alignment = 0;  // AlignmentEnum: 0 left, 1 right, 2 centre, 3 justify
  int quarterTurns = 0;
  bool measureOnly = false;
};

// Paints text cells in BackColor, text in ForeColor, and splits the text at line feeds into
// paragraphs stacked across. An empty text is (W, 0); one paragraph gives that paragraph's
// size; several give (W, the sum of their heights).
SizeL DrawTextBlock(const CQlnBarcode& control, DrawingSurface& surface, const TextBox& box, std::u16string_view text,
                    const FontObject* font);

// One paragraph, wrapped at spaces into lines of at most W (a word wider than W stands
// alone). Returns (widest line, lines x line height). Justify leaves its character extra
// set for the following lines of the paragraph, measurements included.
SizeL DrawTextParagraph(const CQlnBarcode& control, DrawingSurface& surface, const TextBox& box,
                        std::u16string_view text, const FontObject* font);

}  // namespace linnet
