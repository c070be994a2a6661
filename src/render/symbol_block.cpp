#include "render/symbol_block.h"

#include "control/qln_barcode.h"
#include "control/symbology_dispatch.h"
#include "control/symbology_family.h"
#include "platform/codepage.h"
#include "platform/gdi/system_colors.h"
#include "render/drawing_surface.h"
#include "render/encoding_error.h"
#include "render/linear_drawers.h"
#include "render/quiet_zone.h"
#include "render/rotation.h"
#include "render/symbol_encoding_cache.h"
#include "render/text_block.h"
#include "render/two_dimensional.h"
#include "render/units.h"

namespace linnet {

namespace {

constexpr std::int32_t kPdf417 = 40;

// The bars alone, by the family's measure.
SizeL MeasureBars(const CQlnBarcode& control, DrawingSurface& surface, Family family, std::string_view pattern) {
  switch (family) {
    case Family::Module:
      return DrawModules::For(control, surface).Measure(pattern);
    case Family::HeightModulated:
      return DrawPostalHeights::For(control, surface).Measure(pattern);
    case Family::FourState:
      return DrawFourState::For(control, surface).Measure(pattern);
    case Family::UpcEan:
      return DrawUpcEan::For(control, surface).Measure(pattern);
    case Family::DataBar:
    case Family::DataBarExpanded:
      return DrawDataBar::For(control, surface).Measure(pattern);
    default:
      return DrawTwoWidth::For(control, surface).Measure(pattern);
  }
}

void DrawBars(const CQlnBarcode& control, DrawingSurface& surface, Family family, PointL at, std::string_view pattern,
              int quarterTurns) {
  switch (family) {
    case Family::Module:
      DrawModules::For(control, surface).Draw(at, pattern, quarterTurns);
      return;
    case Family::HeightModulated:
      DrawPostalHeights::For(control, surface).Draw(at, pattern, quarterTurns);
      return;
    case Family::FourState:
      DrawFourState::For(control, surface).Draw(at, pattern, quarterTurns);
      return;
    case Family::UpcEan:
      DrawUpcEan::For(control, surface).Draw(at, pattern, quarterTurns);
      return;
    case Family::DataBar:
    case Family::DataBarExpanded:
      DrawDataBar::For(control, surface).Draw(at, pattern, quarterTurns);
      return;
    default:
      DrawTwoWidth::For(control, surface).Draw(at, pattern, quarterTurns);
      return;
  }
}

TextBox HumanReadableBox(const CQlnBarcode& control, PointL at, std::int32_t width, bool measureOnly) {
  const auto& p = control.Properties();
  TextBox box;
  box.at = at;
  box.width = width;
  box.alignment = p.textAlignment;
  box.quarterTurns = QuarterTurns(p.rotation);
  box.measureOnly = measureOnly;
  return box;
}

}  // namespace

SizeL MeasureSymbolBlock(const CQlnBarcode& control, DrawingSurface& surface) {
  const auto& p = control.Properties();
  const Family family = SymbologyFamily(p.symbology);
  if (family == Family::MaxiCode) {
    return MeasureMaxiCode(control, surface);
  }
  if (family == Family::Matrix) {
    return p.symbology == kPdf417 ? MeasurePdf417(control, surface) : MeasureDataMatrix(control, surface);
  }
  SizeL bars;
  std::string text;
  try {
    EncodedSymbol symbol = LinearSymbolFor(control);
    bars = MeasureBars(control, surface, family, symbol.pattern);
    text = std::move(symbol.text);
  } catch (const Quillon::BrindleLib::barlib_error&) {
    const std::int32_t inch = DotsFromMils(control, 1000);
    bars = {inch, inch};
  }
  std::int64_t height = bars.cy;
  if (p.showHRText != 0 && family != Family::UpcEan) {
    height += DrawTextBlock(control, surface, HumanReadableBox(control, {}, bars.cx, true), AnsiToWide(text),
                            control.FontRef().get())
                  .cy;
  }
  const SizeL q = QuietZone(control);
  return {ClampDots(static_cast<std::int64_t>(bars.cx) + 2 * static_cast<std::int64_t>(q.cx)),
          ClampDots(height + 2 * static_cast<std::int64_t>(q.cy))};
}

void DrawSymbolBlock(CQlnBarcode& control, DrawingSurface& surface, PointL at, std::int32_t blockWidth) {
  const auto& p = control.Properties();
  const Family family = SymbologyFamily(p.symbology);
  if (family == Family::MaxiCode) {
    DrawMaxiCode(control, surface, at);
    return;
  }
  if (family == Family::Matrix) {
    if (p.symbology == kPdf417) {
      DrawPdf417(control, surface, at);
    } else {
      DrawDataMatrix(control, surface, at);
    }
    return;
  }
  const int turns = QuarterTurns(p.rotation);
  const SizeL q = QuietZone(control);
  const PointL moved = Offset(at, turns, q.cx, q.cy);
  EncodedSymbol symbol;
  try {
    symbol = LinearSymbolFor(control);
  } catch (const Quillon::BrindleLib::barlib_error& error) {
    DrawEncodingError(control, surface, moved, error);
    return;
  }
  if (family == Family::UpcEan) {
    DrawBars(control, surface, family, moved, symbol.pattern, turns);
    return;
  }
  const SizeL bars = MeasureBars(control, surface, family, symbol.pattern);
  const std::int32_t textWidth = ClampDots(static_cast<std::int64_t>(blockWidth) - 2 * static_cast<std::int64_t>(q.cx));
  const TextBox textBox = HumanReadableBox(control, moved, textWidth, false);
  const std::u16string text = AnsiToWide(symbol.text);
  PointL barsAt = moved;
  if (p.showHRText != 0 && p.textOnTop != 0) {
    barsAt = MoveAcross(moved, turns, DrawTextBlock(control, surface, textBox, text, control.FontRef().get()).cy);
  }
  DrawBars(control, surface, family, barsAt, symbol.pattern, turns);
  if (p.showHRText != 0 && p.textOnTop == 0) {
    TextBox below = textBox;
    below.at = MoveAcross(moved, turns, bars.cy);
    DrawTextBlock(control, surface, below, text, control.FontRef().get());
  }
  if (p.bearerBars != 0 && (family == Family::TwoWidth || family == Family::Module)) {
    DrawBearerBars(control, surface, barsAt, bars);
  }
}

void DrawBearerBars(const CQlnBarcode& control, DrawingSurface& surface, PointL at, SizeL size) {
  const auto& p = control.Properties();
  const int turns = QuarterTurns(p.rotation);
  const std::int32_t t = DotsFromUser(control, ClampUser(6 * static_cast<std::int64_t>(p.narrowBarWidth)));
  const gdi::ColorRef color = gdi::TranslateColor(p.foreColor);
  DrawRect(surface, color, at, t, size.cx, turns);
  DrawRect(surface, color, MoveAcross(at, turns, static_cast<std::int64_t>(size.cy) - t), t, size.cx, turns);
}

}  // namespace linnet
