#include "render/encoding_error.h"

#include <string>

#include "control/matrix_dispatch.h"
#include "control/qln_barcode.h"
#include "platform/codepage.h"
#include "render/drawing_surface.h"
#include "render/rotation.h"
#include "render/text_block.h"
#include "render/units.h"

namespace linnet {

SizeL DrawEncodingError(CQlnBarcode& control, DrawingSurface& surface, PointL at,
                        const Quillon::BrindleLib::barlib_error& error) {
  const std::int32_t inch = DotsFromMils(control, 1000);
  const std::string text = EncodingErrorText(control.Properties().symbology, error.code, error.message);
  const gdi::ColorRef previous = surface.SetTextColor(gdi::kRed);
  TextBox box;
  box.at = at;
  box.width = inch;
  box.alignment = qlxAlignLeft;
  box.quarterTurns = QuarterTurns(control.Properties().rotation);
  DrawTextParagraph(control, surface, box, AnsiToWide(text), control.ErrorFont().get());
  surface.SetTextColor(previous);
  control.FireBarcodeError(error.code);
  return {inch, inch};
}

}  // namespace linnet
