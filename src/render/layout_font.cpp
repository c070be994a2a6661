#include "render/layout_font.h"

#include <algorithm>
#include <cmath>

#include "control/qln_barcode.h"
#include "render/units.h"

namespace linnet {

namespace {

// The platform's font objects call a font bold from the middle of the weight range up.
constexpr std::int16_t kBoldFromWeight = 551;

}  // namespace

gdi::FontHandle CreateLayoutFont(const CQlnBarcode& control, const FontObject* font, int quarterTurns, double scale) {
  const FontDescription d = font != nullptr ? font->Description() : FontDescription{};
  const double mils = std::trunc(d.SizePoints() * 1000.0 * scale / 72.0);
  gdi::LogFont lf;
  lf.height = -DotsFromMils(control, static_cast<std::int32_t>(std::clamp(mils, -2147483647.0, 2147483647.0)));
  lf.escapement = quarterTurns * 900;
  lf.weight = d.weight >= kBoldFromWeight ? 700 : 400;
  lf.italic = d.italic;
  lf.underline = d.underline;
  lf.strikeOut = d.strikethrough;
  lf.charset = d.charset;
  lf.quality = gdi::kProofQuality;
  lf.faceName = d.name;
  return gdi::CreateFontIndirect(lf);
}

}  // namespace linnet
