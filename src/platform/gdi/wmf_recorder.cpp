#include "platform/gdi/wmf_recorder.h"

#include <algorithm>

#include "platform/codepage.h"
#include "platform/image/little_endian.h"

namespace linnet::gdi {

namespace {

using image::Append16;
using image::Append32;

// Record functions of the format, named once.
enum WmfFunction : std::uint16_t {
  kMetaEof = 0x0000,
  kMetaSetBkMode = 0x0102,
  kMetaSetMapMode = 0x0103,
  kMetaSetTextCharExtra = 0x0108,
  kMetaSelectObject = 0x012D,
  kMetaSetTextAlign = 0x012E,
  kMetaDeleteObject = 0x01F0,
  kMetaSetBkColor = 0x0201,
  kMetaSetTextColor = 0x0209,
  kMetaSetTextJustification = 0x020A,
  kMetaSetWindowOrg = 0x020B,
  kMetaSetWindowExt = 0x020C,
  kMetaSetViewportOrg = 0x020D,
  kMetaSetViewportExt = 0x020E,
  kMetaCreatePenIndirect = 0x02FA,
  kMetaCreateFontIndirect = 0x02FB,
  kMetaCreateBrushIndirect = 0x02FC,
  kMetaPolygon = 0x0324,
  kMetaEllipse = 0x0418,
  kMetaRectangle = 0x041B,
  kMetaTextOut = 0x0521,
  kMetaRoundRect = 0x061C,
};

constexpr std::uint16_t kMemoryMetafile = 1;
constexpr std::uint16_t kHeaderWords = 9;
constexpr std::uint16_t kVersion = 0x0300;
constexpr std::int64_t kMapModeText = 1;
constexpr std::int64_t kMapModeAnisotropic = 8;
constexpr std::int64_t kSolidBrush = 0;
constexpr std::int64_t kNullBrush = 1;
constexpr std::size_t kFaceNameBytes = 32;

// An unsigned 16-bit field (a colour half, a flag set) as the signed word that holds it.
std::int64_t Word(std::uint32_t v) {
  v &= 0xFFFF;
  return v > 0x7FFF ? static_cast<std::int64_t>(v) - 0x10000 : v;
}

}  // namespace

void WmfRecorder::Append(std::int64_t value) {
  if (value < INT16_MIN || value > INT16_MAX) {
    failed_ = true;
  }
  Append16(records_, static_cast<std::uint32_t>(value));
}

void WmfRecorder::Close(size_t start) {
  if (records_.size() % 2 != 0) {
    records_.push_back(0);
  }
  const auto words = static_cast<std::uint32_t>((records_.size() - start) / 2);
  image::Put32(&records_[start], words);
  largest_ = std::max(largest_, words);
}

void WmfRecorder::Emit(std::uint16_t function, std::initializer_list<std::int64_t> parameters) {
  const size_t start = records_.size();
  Append32(records_, 0);
  Append16(records_, function);
  for (const std::int64_t p : parameters) {
    Append(p);
  }
  Close(start);
}

void WmfRecorder::EmitColor(std::uint16_t function, std::uint32_t color) {
  Emit(function, {Word(color), Word(color >> 16)});
}

void WmfRecorder::Replace(std::optional<std::uint32_t>& current, std::uint32_t next) {
  Emit(kMetaSelectObject, {next});
  if (current) {
    Emit(kMetaDeleteObject, {*current});
    slots_.Free(*current);
  }
  current = next;
}

void WmfRecorder::UsePen(const Pen& wanted) {
  if (pen_ && realisedPen_ == wanted) {
    return;
  }
  const std::uint32_t index = slots_.Create();
  const std::int64_t style = static_cast<std::int64_t>(wanted.style);
  Emit(kMetaCreatePenIndirect, {style, wanted.width, 0, Word(wanted.color), Word(wanted.color >> 16)});
  realisedPen_ = wanted;
  Replace(pen_, index);
}

void WmfRecorder::UseBrush(const Brush& wanted) {
  if (brush_ && realisedBrush_ == wanted) {
    return;
  }
  const std::uint32_t index = slots_.Create();
  Emit(kMetaCreateBrushIndirect,
       {wanted.hollow ? kNullBrush : kSolidBrush, Word(wanted.color), Word(wanted.color >> 16), 0});
  realisedBrush_ = wanted;
  Replace(brush_, index);
}

void WmfRecorder::UseFont(const LogFont& wanted) {
  if (font_ && realisedFont_ == wanted) {
    return;
  }
  const std::uint32_t index = slots_.Create();
  const size_t start = records_.size();
  Append32(records_, 0);
  Append16(records_, kMetaCreateFontIndirect);
  for (const std::int64_t v : {std::int64_t{wanted.height}, std::int64_t{0}, std::int64_t{wanted.escapement},
                               std::int64_t{wanted.escapement}, std::int64_t{wanted.weight}}) {
    Append(v);
  }
  records_.push_back(wanted.italic ? 1 : 0);
  records_.push_back(wanted.underline ? 1 : 0);
  records_.push_back(wanted.strikeOut ? 1 : 0);
  records_.push_back(static_cast<std::uint8_t>(wanted.charset));
  records_.push_back(0);  // output precision
  records_.push_back(0);  // clipping precision
  records_.push_back(static_cast<std::uint8_t>(wanted.quality));
  records_.push_back(0);  // pitch and family
  std::string face = WideToAnsi(wanted.faceName);
  face.resize(kFaceNameBytes - 1, '\0');
  records_.insert(records_.end(), face.begin(), face.end());
  records_.push_back(0);
  Close(start);
  realisedFont_ = wanted;
  Replace(font_, index);
}

void WmfRecorder::TextOut(const GdiCall& call) {
  UseFont(call.font);
  const std::string text = WideToAnsi(call.text);
  const size_t start = records_.size();
  Append32(records_, 0);
  Append16(records_, kMetaTextOut);
  Append(static_cast<std::int64_t>(std::min<size_t>(text.size(), size_t{1} << 20)));
  records_.insert(records_.end(), text.begin(), text.end());
  if (text.size() % 2 != 0) {
    records_.push_back(0);
  }
  Append(call.point.y);
  Append(call.point.x);
  Close(start);
}

void WmfRecorder::Polygon(const GdiCall& call) {
  UsePen(call.pen);
  UseBrush(call.brush);
  const size_t start = records_.size();
  Append32(records_, 0);
  Append16(records_, kMetaPolygon);
  Append(static_cast<std::int64_t>(std::min<size_t>(call.points.size(), size_t{1} << 20)));
  for (const PointL& p : call.points) {
    Append(p.x);
    Append(p.y);
  }
  Close(start);
}

void WmfRecorder::FlushFill() {
  if (!fill_.active) {
    return;
  }
  fill_.active = false;
  UsePen(Pen{PenStyle::Null, 0, kBlack, false});
  UseBrush(fill_.brush);
  const RectL& r = fill_.rect;
  Emit(kMetaRectangle, {r.bottom, r.right, r.top, r.left});
}

void WmfRecorder::Record(const GdiCall& call) {
  if (failed_) {
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
  const RectL& r = call.rect;
  switch (call.op) {
    case GdiOp::SetMapMode:
      Emit(kMetaSetMapMode,
           {call.value == static_cast<std::int64_t>(MapMode::Anisotropic) ? kMapModeAnisotropic : kMapModeText});
      break;
    // Points travel y first.
    case GdiOp::SetWindowExt:
      Emit(kMetaSetWindowExt, {call.point.y, call.point.x});
      break;
    case GdiOp::SetViewportExt:
      Emit(kMetaSetViewportExt, {call.point.y, call.point.x});
      break;
    case GdiOp::SetWindowOrg:
      Emit(kMetaSetWindowOrg, {call.point.y, call.point.x});
      break;
    case GdiOp::SetViewportOrg:
      Emit(kMetaSetViewportOrg, {call.point.y, call.point.x});
      break;
    case GdiOp::SetTextColor:
      EmitColor(kMetaSetTextColor, static_cast<std::uint32_t>(call.value));
      break;
    case GdiOp::SetBkColor:
      EmitColor(kMetaSetBkColor, static_cast<std::uint32_t>(call.value));
      break;
    case GdiOp::SetBkMode:
      Emit(kMetaSetBkMode, {call.value});
      break;
    case GdiOp::SetTextAlign:
      Emit(kMetaSetTextAlign, {Word(static_cast<std::uint32_t>(call.value))});
      break;
    case GdiOp::SetTextCharacterExtra:
      Emit(kMetaSetTextCharExtra, {call.value});
      break;
    case GdiOp::SetTextJustification:
      Emit(kMetaSetTextJustification, {call.count, call.value});
      break;
    // Rectangles travel bottom, right, top, left.
    case GdiOp::RoundRect:
      UsePen(call.pen);
      UseBrush(call.brush);
      Emit(kMetaRoundRect, {call.point.y, call.point.x, r.bottom, r.right, r.top, r.left});
      break;
    case GdiOp::Ellipse:
      UsePen(call.pen);
      UseBrush(call.brush);
      Emit(kMetaEllipse, {r.bottom, r.right, r.top, r.left});
      break;
    case GdiOp::Polygon:
      Polygon(call);
      break;
    case GdiOp::TextOut:
      TextOut(call);
      break;
    // Objects are realised when a drawing call uses them.
    case GdiOp::FillRect:  // joined above
    case GdiOp::SelectFont:
    case GdiOp::SelectPen:
    case GdiOp::SelectBrush:
      break;
  }
  EnforceBudget();
}

void WmfRecorder::EnforceBudget() {
  if (records_.size() > budget_) {
    failed_ = true;
  }
  if (failed_) {
    records_.clear();
    records_.shrink_to_fit();
  }
}

bool WmfRecorder::Finish(image::ByteSink& sink) {
  FlushFill();
  if (failed_ || records_.size() > budget_) {
    return false;
  }
  std::vector<std::uint8_t> eof;
  Append32(eof, 3);
  Append16(eof, kMetaEof);
  const std::uint64_t words = kHeaderWords + (records_.size() + eof.size()) / 2;
  if (words > 0xFFFFFFFFu || slots_.Count() > 0xFFFF) {
    return false;
  }
  std::vector<std::uint8_t> header;
  Append16(header, kMemoryMetafile);
  Append16(header, kHeaderWords);
  Append16(header, kVersion);
  Append32(header, static_cast<std::uint32_t>(words));
  Append16(header, slots_.Count());
  Append32(header, std::max<std::uint32_t>(largest_, 3));
  Append16(header, 0);  // no members
  return sink.Write(header.data(), header.size()) && sink.Write(records_.data(), records_.size()) &&
         sink.Write(eof.data(), eof.size());
}

}  // namespace linnet::gdi
