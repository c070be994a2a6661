#include <string>

#include "control/qln_barcode.h"
#include "platform/gdi/system_colors.h"
#include "render/drawing_surface.h"
#include "render/layout_font.h"
#include "render/linear_drawers.h"
#include "render/rotation.h"
#include "render/units.h"

namespace linnet {

namespace {

constexpr double kDigitScale = 0.67;

// Calls `visit` for every '|'-separated token, empty ones included.
template <class Visit>
void ForEachToken(std::string_view pattern, Visit&& visit) {
  size_t start = 0;
  while (true) {
    const size_t end = pattern.find('|', start);
    visit(pattern.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start));
    if (end == std::string_view::npos) {
      return;
    }
    start = end + 1;
  }
}

bool IsLowerOrDigit(char c) {
  return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
}

bool IsBarsOnly(std::string_view token) {
  return token[0] == 'b' || token[0] == 's';
}

// The text height of the digits' font: tmHeight + tmExternalLeading.
std::int32_t DigitLineHeight(const gdi::TextMetrics& tm) {
  return tm.tmHeight + tm.tmExternalLeading;
}

}  // namespace

DrawUpcEan DrawUpcEan::For(const CQlnBarcode& control, DrawingSurface& surface) {
  const auto& p = control.Properties();
  return {control, surface, gdi::TranslateColor(p.foreColor), DotsFromUser(control, p.narrowBarWidth),
          DotsFromUser(control, p.barHeight)};
}

SizeL DrawUpcEan::Measure(std::string_view pattern) const {
  std::int64_t modules = 0;
  int outsideDigits = 0;
  bool digits = false;
  ForEachToken(pattern, [&](std::string_view token) {
    if (token.empty()) {
      return;
    }
    if (token.size() == 1) {
      if (token[0] == ' ') {
        modules += 7;
      } else if (IsLowerOrDigit(token[0])) {
        // The drawing advances ten modules past the first outside digit, nine past others.
        modules += outsideDigits++ == 0 ? 10 : 9;
        digits = true;
      }
      return;
    }
    if (IsBarsOnly(token)) {
      modules += static_cast<std::int64_t>(token.size());
    } else {
      modules += static_cast<std::int64_t>(token.size()) - 1;
      digits = true;
    }
  });
  std::int64_t height = barHeight;
  if (digits) {
    // Measured on the output context, upright.
    gdi::DeviceContext& output = surface.Output();
    gdi::FontHandle previous = output.SelectFont(CreateLayoutFont(control, control.FontRef().get(), 0, 1.0));
    height += DigitLineHeight(output.GetTextMetrics()) / 2;
    output.SelectFont(std::move(previous));
  }
  return {ClampDots(modules * module), ClampDots(height)};
}

void DrawUpcEan::Draw(PointL at, std::string_view pattern, int quarterTurns) const {
  if (pattern.empty()) {
    return;
  }
  const gdi::FontHandle full = CreateLayoutFont(control, control.FontRef().get(), quarterTurns, 1.0);
  const gdi::FontHandle small = CreateLayoutFont(control, control.FontRef().get(), quarterTurns, kDigitScale);
  gdi::FontHandle previousFont = surface.SelectFont(full);
  const gdi::BkMode previousMode = surface.SetBkMode(gdi::BkMode::Transparent);
  const gdi::ColorRef previousColor = surface.SetTextColor(color);
  const std::uint32_t previousAlign = surface.Attribute().TextAlign();
  const std::int32_t h = DigitLineHeight(surface.GetTextMetrics());
  bool digitDrawn = false;
  bool supplement = false;
  PointL pen = at;
  auto print = [&](PointL where, std::uint32_t align, char16_t c) {
    surface.SetTextAlign(align);
    const std::u16string text(1, c);
    surface.TextOut(where.x, where.y, text);
  };
  // Guard bars run the full height, data bars stop short of the digits under them, and
  // supplement bars leave a band of the digits' height free above them.
  auto drawModules = [&](std::string_view modules, bool guard) {
    const std::int32_t start = supplement ? h : 0;
    const std::int32_t extent = supplement ? barHeight - h : (guard ? barHeight : barHeight + (-h / 2));
    PointL m = pen;
    for (const char c : modules) {
      if (c == 'b' || c == 'B') {
        DrawRect(surface, color, MoveAcross(m, quarterTurns, start), extent, module, quarterTurns);
      }
      m = MoveAlong(m, quarterTurns, module);
    }
  };
  ForEachToken(pattern, [&](std::string_view token) {
    if (token.empty()) {
      return;
    }
    if (token.size() == 1 && token[0] == ' ') {
      supplement = true;
      pen = MoveAlong(pen, quarterTurns, 7 * static_cast<std::int64_t>(module));
      return;
    }
    if (token.size() == 1) {
      // An outside digit: 'a' to 'j' stand for the digits in the smaller font.
      const char c = token[0];
      const bool smallDigit = c >= 'a' && c <= 'j';
      if (smallDigit) {
        surface.SelectFont(small);
      }
      const char16_t shown =
          smallDigit ? static_cast<char16_t>(c - 49) : static_cast<char16_t>(static_cast<unsigned char>(c));
      const PointL baseline = MoveAcross(pen, quarterTurns, static_cast<std::int64_t>(barHeight) + h / 2);
      if (!digitDrawn) {
        print(baseline, gdi::TA_LEFT | gdi::TA_BOTTOM, shown);
        pen = MoveAlong(pen, quarterTurns, 10 * static_cast<std::int64_t>(module));
      } else {
        print(MoveAlong(baseline, quarterTurns, 9 * static_cast<std::int64_t>(module)), gdi::TA_RIGHT | gdi::TA_BOTTOM,
              shown);
        pen = MoveAlong(pen, quarterTurns, 9 * static_cast<std::int64_t>(module));
      }
      if (smallDigit) {
        surface.SelectFont(full);
      }
      digitDrawn = true;
      return;
    }
    if (IsBarsOnly(token)) {
      drawModules(token, true);
      pen = MoveAlong(pen, quarterTurns, static_cast<std::int64_t>(token.size()) * module);
      return;
    }
    const std::string_view modules = token.substr(1);
    const std::int64_t e = static_cast<std::int64_t>(modules.size()) * module;
    drawModules(modules, false);
    const std::int64_t bottom = supplement ? h : static_cast<std::int64_t>(barHeight) + (-h / 2) + h;
    print(Offset(pen, quarterTurns, e / 2, bottom), gdi::TA_CENTER | gdi::TA_BOTTOM,
          static_cast<char16_t>(static_cast<unsigned char>(token[0])));
    pen = MoveAlong(pen, quarterTurns, e);
  });
  surface.SetTextAlign(previousAlign);
  surface.SetTextColor(previousColor);
  surface.SetBkMode(previousMode);
  surface.SelectFont(std::move(previousFont));
}

}  // namespace linnet
