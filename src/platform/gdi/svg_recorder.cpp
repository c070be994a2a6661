#include "platform/gdi/svg_recorder.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "platform/codepage.h"

namespace linnet::gdi {

namespace {

// At most two decimals (halves rounded away from zero), no trailing zeros, never "-0".
// Integer arithmetic: documents hold thousands of numbers and printf would dominate.
void AppendNumber(std::string& out, double v) {
  const double scaled = std::clamp(std::round(v * 100), -9.0e15, 9.0e15);
  const auto hundredths = static_cast<std::int64_t>(scaled);
  const std::uint64_t magnitude = hundredths < 0 ? static_cast<std::uint64_t>(-hundredths) : hundredths;
  char text[32];
  char* end = text;
  if (hundredths < 0) {
    *end++ = '-';
  }
  end = std::to_chars(end, text + sizeof text, magnitude / 100).ptr;
  const auto fraction = static_cast<unsigned>(magnitude % 100);
  if (fraction != 0) {
    *end++ = '.';
    *end++ = static_cast<char>('0' + fraction / 10);
    if (fraction % 10 != 0) {
      *end++ = static_cast<char>('0' + fraction % 10);
    }
  }
  out.append(text, end);
}

std::string Number(double v) {
  std::string out;
  AppendNumber(out, v);
  return out;
}

std::string Colour(ColorRef c) {
  constexpr char kHex[] = "0123456789ABCDEF";
  std::string out = "#000000";
  const unsigned channels[3] = {c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF};
  for (int i = 0; i < 3; ++i) {
    out[1 + 2 * i] = kHex[channels[i] >> 4];
    out[2 + 2 * i] = kHex[channels[i] & 0xF];
  }
  return out;
}

void AppendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out.push_back(static_cast<char>(c));
  } else if (c < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (c >> 6)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  } else if (c < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | (c >> 12)));
    out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | (c >> 18)));
    out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  }
}

// One character of XML text; false when XML cannot carry it and it was dropped.
bool AppendXmlChar(std::string& out, char32_t c) {
  switch (c) {
    case U'&':
      out += "&amp;";
      return true;
    case U'<':
      out += "&lt;";
      return true;
    case U'>':
      out += "&gt;";
      return true;
    case U'"':
      out += "&quot;";
      return true;
    case U'\'':
      out += "&apos;";
      return true;
    default:
      break;
  }
  const bool control = c < 0x20 && c != U'\t' && c != U'\n' && c != U'\r';
  if (control || c == 0xFFFE || c == 0xFFFF || (c >= 0xD800 && c <= 0xDFFF)) {
    return false;
  }
  AppendUtf8(out, c);
  return true;
}

// The code point starting at `i` and how many units it takes; an unpaired surrogate comes
// back as itself.
char32_t CodePointAt(std::u16string_view text, size_t i, size_t& units) {
  const char16_t c = text[i];
  units = 1;
  if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
    units = 2;
    return 0x10000 + ((static_cast<char32_t>(c) - 0xD800) << 10) + (text[i + 1] - 0xDC00);
  }
  return c;
}

// Steps along the text and across it (down the glyphs), in logical units, per quarter turn.
struct Direction {
  int ax, ay, cx, cy;
};
constexpr Direction kDirections[4] = {{1, 0, 0, 1}, {0, -1, 1, 0}, {-1, 0, 0, -1}, {0, 1, -1, 0}};

int QuarterTurnsOf(std::int32_t escapement) {
  const int turns = static_cast<int>(std::lround(escapement / 900.0)) % 4;
  return turns < 0 ? turns + 4 : turns;
}

std::string DashesFor(PenStyle style, double width) {
  const double w = std::max(width, 1.0);
  auto list = [&](std::initializer_list<double> pattern) {
    std::string out;
    for (const double p : pattern) {
      out += (out.empty() ? "" : " ") + Number(p * w);
    }
    return " stroke-dasharray=\"" + out + "\"";
  };
  switch (style) {
    case PenStyle::Dash:
      return list({6, 2});
    case PenStyle::Dot:
      return list({1, 1});
    case PenStyle::DashDot:
      return list({3, 2, 1, 2});
    case PenStyle::DashDotDot:
      return list({3, 1, 1, 1, 1, 1});
    default:
      return {};
  }
}

}  // namespace

void AppendXmlText(std::string& out, std::u16string_view text) {
  size_t units = 1;
  for (size_t i = 0; i < text.size(); i += units) {
    AppendXmlChar(out, CodePointAt(text, i, units));
  }
}

SvgRecorder::Point SvgRecorder::Map(PointL p) const {
  if (!anisotropic_) {
    return {static_cast<double>(p.x - windowOrg_.x + viewportOrg_.x),
            static_cast<double>(p.y - windowOrg_.y + viewportOrg_.y)};
  }
  return {(static_cast<double>(p.x) - windowOrg_.x) * viewportExt_.x / windowExt_.x + viewportOrg_.x,
          (static_cast<double>(p.y) - windowOrg_.y) * viewportExt_.y / windowExt_.y + viewportOrg_.y};
}

double SvgRecorder::ScaleX() const {
  return anisotropic_ ? std::abs(static_cast<double>(viewportExt_.x) / windowExt_.x) : 1.0;
}

double SvgRecorder::ScaleY() const {
  return anisotropic_ ? std::abs(static_cast<double>(viewportExt_.y) / windowExt_.y) : 1.0;
}

void SvgRecorder::ClosePath() {
  if (!pathData_.empty()) {
    body_ += "<path" + pathPaint_ + " d=\"" + pathData_ + "\"/>\n";
  }
  pathData_.clear();
  pathPaint_.clear();
}

void SvgRecorder::PathWith(const std::string& paint) {
  if (paint != pathPaint_) {
    ClosePath();
    pathPaint_ = paint;
  }
}

std::string SvgRecorder::Paint(const Pen& pen, const Brush& brush) const {
  std::string paint = brush.hollow ? " fill=\"none\"" : " fill=\"" + Colour(brush.color) + "\"";
  if (pen.style == PenStyle::Null) {
    return paint;
  }
  const double width = pen.geometric ? pen.width * ScaleX() : 1.0;
  return paint + " stroke=\"" + Colour(pen.color) + "\" stroke-width=\"" + Number(std::max(width, 1.0)) + "\"" +
         DashesFor(pen.style, width);
}

void SvgRecorder::FlushFill() {
  if (!fill_.active) {
    return;
  }
  fill_.active = false;
  if (fill_.brush.hollow) {
    return;
  }
  const Point a = Map({fill_.rect.left, fill_.rect.top});
  const Point b = Map({fill_.rect.right, fill_.rect.bottom});
  const double left = std::min(a.x, b.x);
  const double right = std::max(a.x, b.x);
  const double top = std::min(a.y, b.y);
  const double bottom = std::max(a.y, b.y);
  if (right <= left || bottom <= top) {
    return;
  }
  PathWith(" fill=\"" + Colour(fill_.brush.color) + "\"");
  if (!pathData_.empty() && top != lastTop_) {
    pathData_ += '\n';
  }
  lastTop_ = top;
  pathData_ += 'M';
  AppendNumber(pathData_, left);
  pathData_ += ' ';
  AppendNumber(pathData_, top);
  pathData_ += 'H';
  AppendNumber(pathData_, right);
  pathData_ += 'V';
  AppendNumber(pathData_, bottom);
  pathData_ += 'H';
  AppendNumber(pathData_, left);
  pathData_ += 'Z';
}

void SvgRecorder::Polygon(const GdiCall& call) {
  if (call.points.size() < 2) {
    return;
  }
  PathWith(Paint(call.pen, call.brush) + " fill-rule=\"evenodd\"");
  for (size_t i = 0; i < call.points.size(); ++i) {
    const Point p = Map(call.points[i]);
    pathData_ += i == 0 ? 'M' : 'L';
    AppendNumber(pathData_, p.x);
    pathData_ += ' ';
    AppendNumber(pathData_, p.y);
  }
  pathData_ += "Z\n";
}

void SvgRecorder::Shape(const GdiCall& call) {
  ClosePath();
  const Point a = Map({call.rect.left, call.rect.top});
  const Point b = Map({call.rect.right, call.rect.bottom});
  double left = std::min(a.x, b.x);
  double right = std::max(a.x, b.x);
  double top = std::min(a.y, b.y);
  double bottom = std::max(a.y, b.y);
  if (call.pen.style == PenStyle::InsideFrame) {
    const double half = call.pen.width * ScaleX() / 2;
    left += half;
    top += half;
    right = std::max(left, right - half);
    bottom = std::max(top, bottom - half);
  }
  const std::string paint = Paint(call.pen, call.brush);
  if (call.op == GdiOp::Ellipse) {
    body_ += "<ellipse cx=\"" + Number((left + right) / 2) + "\" cy=\"" + Number((top + bottom) / 2) + "\" rx=\"" +
             Number((right - left) / 2) + "\" ry=\"" + Number((bottom - top) / 2) + "\"" + paint + "/>\n";
    return;
  }
  body_ += "<rect x=\"" + Number(left) + "\" y=\"" + Number(top) + "\" width=\"" + Number(right - left) +
           "\" height=\"" + Number(bottom - top) + "\"";
  if (call.point.x != 0 && call.point.y != 0) {
    body_ += " rx=\"" + Number(std::abs(call.point.x * ScaleX()) / 2) + "\" ry=\"" +
             Number(std::abs(call.point.y * ScaleY()) / 2) + "\"";
  }
  body_ += paint + "/>\n";
}

void SvgRecorder::Text(const GdiCall& call) {
  ClosePath();
  std::int64_t total = 0;
  for (const std::int32_t a : call.advances) {
    total += a;
  }
  std::int64_t start = 0;
  switch (call.textAlign & kHorizontalAlignMask) {
    case TA_RIGHT:
      start = -total;
      break;
    case TA_CENTER:
      start = -total / 2;
      break;
    default:
      break;
  }
  const TextMetrics& m = call.metrics;
  std::int64_t baseline = m.tmAscent;
  switch (call.textAlign & kVerticalAlignMask) {
    case TA_BOTTOM:
      baseline = -m.tmDescent;
      break;
    case TA_BASELINE:
      baseline = 0;
      break;
    default:
      break;
  }
  const int turns = QuarterTurnsOf(call.font.escapement);
  const Direction& d = kDirections[turns];
  auto at = [&](std::int64_t along, std::int64_t across) {
    return Map({static_cast<std::int32_t>(call.point.x + along * d.ax + across * d.cx),
                static_cast<std::int32_t>(call.point.y + along * d.ay + across * d.cy)});
  };
  // Along the text, in the unturned frame of the element, user units per logical unit.
  const double along = turns % 2 == 0 ? ScaleX() : ScaleY();
  const Point origin = at(start, baseline);
  const std::string rotate = turns == 0 ? std::string()
                                        : " transform=\"rotate(" + Number(-90.0 * turns) + ' ' + Number(origin.x) +
                                              ' ' + Number(origin.y) + ")\"";
  if (opaque_ && total > 0) {
    const double across = turns % 2 == 0 ? ScaleY() : ScaleX();
    body_ += "<rect x=\"" + Number(origin.x) + "\" y=\"" + Number(origin.y - m.tmAscent * across) + "\" width=\"" +
             Number(static_cast<double>(total) * along) + "\" height=\"" + Number((m.tmAscent + m.tmDescent) * across) +
             "\" fill=\"" + Colour(bkColor_) + "\"" + rotate + "/>\n";
  }
  std::string glyphs;
  std::string xs;
  double pen = origin.x;
  size_t units = 1;
  for (size_t i = 0; i < call.text.size(); i += units) {
    if (AppendXmlChar(glyphs, CodePointAt(call.text, i, units))) {
      xs += (xs.empty() ? "" : " ") + Number(pen);
    }
    for (size_t k = i; k < i + units && k < call.advances.size(); ++k) {
      pen += call.advances[k] * along;
    }
  }
  if (glyphs.empty()) {
    return;
  }
  std::string family;
  AppendXmlText(family, call.family.empty() ? call.font.faceName : Utf8ToWide(call.family));
  const double em = (m.tmHeight - m.tmInternalLeading) * (turns % 2 == 0 ? ScaleY() : ScaleX());
  std::string decoration;
  if (call.font.underline || call.font.strikeOut) {
    decoration = std::string(" text-decoration=\"") + (call.font.underline ? "underline" : "") +
                 (call.font.underline && call.font.strikeOut ? " " : "") + (call.font.strikeOut ? "line-through" : "") +
                 "\"";
  }
  body_ += "<text xml:space=\"preserve\" x=\"" + xs + "\" y=\"" + Number(origin.y) + "\" font-family=\"" + family +
           "\" font-size=\"" + Number(em) + "\" font-weight=\"" + std::to_string(call.font.weight) + "\"" +
           (call.font.italic ? " font-style=\"italic\"" : "") + decoration + " fill=\"" + Colour(call.textColor) +
           "\"" + rotate + ">" + glyphs + "</text>\n";
}

void SvgRecorder::Record(const GdiCall& call) {
  if (overflowed_) {
    return;
  }
  if (call.op == GdiOp::FillRect) {
    if (!fill_.Join(call)) {
      FlushFill();
      fill_.Start(call);
    }
    EnforceBudget();
    return;
  }
  FlushFill();
  switch (call.op) {
    case GdiOp::SetMapMode:
      anisotropic_ = call.value == static_cast<std::int64_t>(MapMode::Anisotropic);
      break;
    case GdiOp::SetWindowExt:
      windowExt_ = call.point;
      break;
    case GdiOp::SetViewportExt:
      viewportExt_ = call.point;
      break;
    case GdiOp::SetWindowOrg:
      windowOrg_ = call.point;
      break;
    case GdiOp::SetViewportOrg:
      viewportOrg_ = call.point;
      break;
    case GdiOp::SetBkColor:
      bkColor_ = static_cast<ColorRef>(call.value);
      break;
    case GdiOp::SetBkMode:
      opaque_ = call.value == static_cast<std::int64_t>(BkMode::Opaque);
      break;
    case GdiOp::Polygon:
      Polygon(call);
      break;
    case GdiOp::RoundRect:
    case GdiOp::Ellipse:
      Shape(call);
      break;
    case GdiOp::TextOut:
      Text(call);
      break;
    // Pens, brushes, fonts and text state come with each drawing call.
    case GdiOp::FillRect:  // joined above
    case GdiOp::SelectFont:
    case GdiOp::SelectPen:
    case GdiOp::SelectBrush:
    case GdiOp::SetTextColor:
    case GdiOp::SetTextAlign:
    case GdiOp::SetTextCharacterExtra:
    case GdiOp::SetTextJustification:
      break;
  }
  EnforceBudget();
}

void SvgRecorder::EnforceBudget() {
  if (body_.size() + pathData_.size() > budget_) {
    overflowed_ = true;
    body_.clear();
    body_.shrink_to_fit();
    pathData_.clear();
  }
}

bool SvgRecorder::Finish(SizeL units, SizeL hundredthsOfMm, image::ByteSink& sink) {
  FlushFill();
  ClosePath();
  if (overflowed_) {
    return false;
  }
  const std::string head =
      "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"no\"?>\n"
      "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" width=\"" +
      Number(hundredthsOfMm.cx / 100.0) + "mm\" height=\"" + Number(hundredthsOfMm.cy / 100.0) + "mm\" viewBox=\"0 0 " +
      std::to_string(units.cx) + ' ' + std::to_string(units.cy) + "\">\n";
  const std::string tail = "</svg>\n";
  return sink.Write(head.data(), head.size()) && sink.Write(body_.data(), body_.size()) &&
         sink.Write(tail.data(), tail.size());
}

}  // namespace linnet::gdi
