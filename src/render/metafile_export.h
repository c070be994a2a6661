#pragma once
// The label drawn into a metafile or an SVG document and written to a sink. Each writer
// draws the whole label afresh (background and label) on a context made for the purpose:
//  - WriteEmf: an enhanced metafile on a context of the reference device (the screen)
//    through the metafile mapping, described as "QUILLON LINNET" and `title`;
//  - WriteWmf: a classic metafile through the twips mapping, the screen measuring;
//  - WriteSvg: an SVG document laid out at 1440 dots per inch, one dot per user unit.
// Each answers false when the drawing could not be recorded (a label too large for the
// format or the budget) or the sink failed; the sink may then hold part of the output. The
// layout resolution is left at 1440.
#include <string_view>

#include "platform/image/byte_sink.h"

namespace linnet {

class CQlnBarcode;

// Metafile titles: a file written directly, and a metafile recorded in memory.
inline constexpr std::u16string_view kFileEmfTitle = u"EXPORT EMF";
inline constexpr std::u16string_view kMemoryEmfTitle = u"MEMORY EXPORT EMF";

bool WriteEmf(CQlnBarcode& control, std::u16string_view title, image::ByteSink& sink);
bool WriteWmf(CQlnBarcode& control, image::ByteSink& sink);
bool WriteSvg(CQlnBarcode& control, image::ByteSink& sink);

}  // namespace linnet
