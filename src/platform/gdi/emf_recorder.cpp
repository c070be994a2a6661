#include "platform/gdi/emf_recorder.h"

#include <algorithm>
#include <initializer_list>

#include "platform/image/little_endian.h"

namespace linnet::gdi {

namespace {

using image::Append16;
using image::Append32;

// Record types of the format, named once.
enum EmfType : std::uint32_t {
  kEmrHeader = 1,
  kEmrPolygon = 3,
  kEmrSetWindowExtEx = 9,
  kEmrSetWindowOrgEx = 10,
  kEmrSetViewportExtEx = 11,
  kEmrSetViewportOrgEx = 12,
  kEmrEof = 14,
  kEmrSetMapMode = 17,
  kEmrSetBkMode = 18,
  kEmrSetTextAlign = 22,
  kEmrSetTextColor = 24,
  kEmrSetBkColor = 25,
  kEmrSelectObject = 37,
  kEmrCreatePen = 38,
  kEmrCreateBrushIndirect = 39,
  kEmrDeleteObject = 40,
  kEmrEllipse = 42,
  kEmrRectangle = 43,
  kEmrRoundRect = 44,
  kEmrExtCreateFontIndirectW = 82,
  kEmrExtTextOutW = 84,
  kEmrExtCreatePen = 95,
  kEmrSetTextJustification = 120,
};

constexpr std::uint32_t kSignature = 0x464D4520;  // " EMF"
constexpr std::uint32_t kVersion = 0x00010000;
constexpr std::uint32_t kHeaderSize = 108;  // with both header extensions
constexpr std::uint32_t kStockNullBrush = 0x80000005;
constexpr std::uint32_t kStockNullPen = 0x80000008;
constexpr std::uint32_t kMapModeText = 1;
constexpr std::uint32_t kMapModeAnisotropic = 8;
constexpr std::uint32_t kGraphicsModeCompatible = 1;
constexpr std::uint32_t kPenGeometric = 0x00010000;
constexpr std::uint32_t kPenFlatEnds = 0x00000200;
constexpr std::size_t kFaceNameChars = 32;

std::uint32_t U(std::int32_t v) {
  return static_cast<std::uint32_t>(v);
}

void AppendRect(std::vector<std::uint8_t>& out, const RectL& r) {
  Append32(out, U(r.left));
  Append32(out, U(r.top));
  Append32(out, U(r.right));
  Append32(out, U(r.bottom));
}

// A record opened with a placeholder size that Close fills in, padded to four bytes.
class OpenRecord {
 public:
  OpenRecord(std::vector<std::uint8_t>& out, std::uint32_t type) : out_(out), start_(out.size()) {
    Append32(out_, type);
    Append32(out_, 0);
  }
  OpenRecord(const OpenRecord&) = delete;
  OpenRecord& operator=(const OpenRecord&) = delete;
  ~OpenRecord() {
    while ((out_.size() - start_) % 4 != 0) {
      out_.push_back(0);
    }
    image::Put32(&out_[start_ + 4], static_cast<std::uint32_t>(out_.size() - start_));
  }

 private:
  std::vector<std::uint8_t>& out_;
  size_t start_;
};

}  // namespace

EmfRecorder::EmfRecorder(std::u16string_view application, std::u16string_view title, size_t byteBudget)
    : budget_(byteBudget) {
  description_.append(application);
  description_.push_back(u'\0');
  description_.append(title);
  description_.push_back(u'\0');
  description_.push_back(u'\0');
}

void EmfRecorder::Emit(std::uint32_t type, std::initializer_list<std::uint32_t> fields) {
  Append32(records_, type);
  Append32(records_, static_cast<std::uint32_t>(8 + 4 * fields.size()));
  for (const std::uint32_t f : fields) {
    Append32(records_, f);
  }
  ++recordCount_;
}

void EmfRecorder::Replace(std::optional<Realised>& current, Realised next) {
  Emit(kEmrSelectObject, {next.index});
  if (current && !current->stock) {
    Emit(kEmrDeleteObject, {current->index});
    slots_.Free(current->index);
  }
  current = next;
}

void EmfRecorder::UsePen(const Pen& wanted) {
  const bool null = wanted.style == PenStyle::Null;
  if (pen_ && (null ? pen_->stock : (!pen_->stock && realisedPen_ == wanted))) {
    return;
  }
  if (null) {
    Replace(pen_, {true, kStockNullPen});
    return;
  }
  const std::uint32_t index = slots_.Create();
  const auto style = static_cast<std::uint32_t>(wanted.style);
  if (wanted.geometric) {
    // offBmi, cbBmi, offBits, cbBits, then the extended pen without style entries.
    Emit(kEmrExtCreatePen,
         {index, 0, 0, 0, 0, kPenGeometric | kPenFlatEnds | style, U(wanted.width), 0, wanted.color, 0, 0});
  } else {
    Emit(kEmrCreatePen, {index, style, U(wanted.width), 0, wanted.color});
  }
  realisedPen_ = wanted;
  Replace(pen_, {false, index});
}

void EmfRecorder::UseBrush(const Brush& wanted) {
  if (brush_ && (wanted.hollow ? brush_->stock : (!brush_->stock && realisedBrush_ == wanted))) {
    return;
  }
  if (wanted.hollow) {
    Replace(brush_, {true, kStockNullBrush});
    return;
  }
  const std::uint32_t index = slots_.Create();
  Emit(kEmrCreateBrushIndirect, {index, 0 /* solid */, wanted.color, 0});
  realisedBrush_ = wanted;
  Replace(brush_, {false, index});
}

void EmfRecorder::UseFont(const LogFont& wanted) {
  if (font_ && realisedFont_ == wanted) {
    return;
  }
  const std::uint32_t index = slots_.Create();
  {
    const OpenRecord record(records_, kEmrExtCreateFontIndirectW);
    Append32(records_, index);
    Append32(records_, U(wanted.height));
    Append32(records_, 0);  // width: the face's own
    Append32(records_, U(wanted.escapement));
    Append32(records_, U(wanted.escapement));  // orientation follows the escapement
    Append32(records_, U(wanted.weight));
    records_.push_back(wanted.italic ? 1 : 0);
    records_.push_back(wanted.underline ? 1 : 0);
    records_.push_back(wanted.strikeOut ? 1 : 0);
    records_.push_back(static_cast<std::uint8_t>(wanted.charset));
    records_.push_back(0);  // output precision
    records_.push_back(0);  // clipping precision
    records_.push_back(static_cast<std::uint8_t>(wanted.quality));
    records_.push_back(0);  // pitch and family
    for (std::size_t i = 0; i < kFaceNameChars; ++i) {
      Append16(records_, i + 1 < kFaceNameChars && i < wanted.faceName.size() ? wanted.faceName[i] : 0);
    }
  }
  ++recordCount_;
  realisedFont_ = wanted;
  Replace(font_, {false, index});
}

void EmfRecorder::TextOut(const GdiCall& call) {
  UseFont(call.font);
  const auto chars = static_cast<std::uint32_t>(call.text.size());
  constexpr std::uint32_t kStringOffset = 76;
  const std::uint32_t dxOffset = kStringOffset + (chars * 2 + 3) / 4 * 4;
  {
    const OpenRecord record(records_, kEmrExtTextOutW);
    AppendRect(records_, {0, 0, -1, -1});  // bounds not computed
    Append32(records_, kGraphicsModeCompatible);
    Append32(records_, 0);  // x and y scale: unused in the compatible mode
    Append32(records_, 0);
    Append32(records_, U(call.point.x));
    Append32(records_, U(call.point.y));
    Append32(records_, chars);
    Append32(records_, kStringOffset);
    Append32(records_, 0);  // options
    AppendRect(records_, {0, 0, -1, -1});
    Append32(records_, dxOffset);
    for (const char16_t c : call.text) {
      Append16(records_, c);
    }
    if (chars % 2 != 0) {
      Append16(records_, 0);
    }
    for (std::uint32_t i = 0; i < chars; ++i) {
      Append32(records_, i < call.advances.size() ? U(call.advances[i]) : 0);
    }
  }
  ++recordCount_;
}

void EmfRecorder::Polygon(const GdiCall& call) {
  UsePen(call.pen);
  UseBrush(call.brush);
  RectL box{0, 0, 0, 0};
  if (!call.points.empty()) {
    box = {call.points[0].x, call.points[0].y, call.points[0].x, call.points[0].y};
    for (const PointL& p : call.points) {
      box = {std::min(box.left, p.x), std::min(box.top, p.y), std::max(box.right, p.x), std::max(box.bottom, p.y)};
    }
  }
  {
    const OpenRecord record(records_, kEmrPolygon);
    AppendRect(records_, box);
    Append32(records_, static_cast<std::uint32_t>(call.points.size()));
    for (const PointL& p : call.points) {
      Append32(records_, U(p.x));
      Append32(records_, U(p.y));
    }
  }
  ++recordCount_;
}

void EmfRecorder::FlushFill() {
  if (!fill_.active) {
    return;
  }
  fill_.active = false;
  UsePen(Pen{PenStyle::Null});
  UseBrush(fill_.brush);
  const RectL& r = fill_.rect;
  Emit(kEmrRectangle, {U(r.left), U(r.top), U(r.right), U(r.bottom)});
}

void EmfRecorder::Record(const GdiCall& call) {
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
  const auto x = U(call.point.x);
  const auto y = U(call.point.y);
  switch (call.op) {
    case GdiOp::SetMapMode:
      Emit(kEmrSetMapMode,
           {call.value == static_cast<std::int64_t>(MapMode::Anisotropic) ? kMapModeAnisotropic : kMapModeText});
      break;
    case GdiOp::SetWindowExt:
      Emit(kEmrSetWindowExtEx, {x, y});
      break;
    case GdiOp::SetViewportExt:
      Emit(kEmrSetViewportExtEx, {x, y});
      break;
    case GdiOp::SetWindowOrg:
      Emit(kEmrSetWindowOrgEx, {x, y});
      break;
    case GdiOp::SetViewportOrg:
      Emit(kEmrSetViewportOrgEx, {x, y});
      break;
    case GdiOp::SetTextColor:
      Emit(kEmrSetTextColor, {static_cast<std::uint32_t>(call.value)});
      break;
    case GdiOp::SetBkColor:
      Emit(kEmrSetBkColor, {static_cast<std::uint32_t>(call.value)});
      break;
    case GdiOp::SetBkMode:
      Emit(kEmrSetBkMode, {static_cast<std::uint32_t>(call.value)});
      break;
    case GdiOp::SetTextAlign:
      Emit(kEmrSetTextAlign, {static_cast<std::uint32_t>(call.value)});
      break;
    case GdiOp::SetTextJustification:
      Emit(kEmrSetTextJustification, {static_cast<std::uint32_t>(call.value), U(call.count)});
      break;
    case GdiOp::RoundRect:
      UsePen(call.pen);
      UseBrush(call.brush);
      Emit(kEmrRoundRect, {U(call.rect.left), U(call.rect.top), U(call.rect.right), U(call.rect.bottom), x, y});
      break;
    case GdiOp::Ellipse:
      UsePen(call.pen);
      UseBrush(call.brush);
      Emit(kEmrEllipse, {U(call.rect.left), U(call.rect.top), U(call.rect.right), U(call.rect.bottom)});
      break;
    case GdiOp::Polygon:
      Polygon(call);
      break;
    case GdiOp::TextOut:
      TextOut(call);
      break;
    // Objects are realised when a drawing call uses them; the extra travels in the advances.
    case GdiOp::FillRect:  // joined above
    case GdiOp::SelectFont:
    case GdiOp::SelectPen:
    case GdiOp::SelectBrush:
    case GdiOp::SetTextCharacterExtra:
      break;
  }
  EnforceBudget();
}

void EmfRecorder::EnforceBudget() {
  if (records_.size() > budget_) {
    overflowed_ = true;
    records_.clear();
    records_.shrink_to_fit();
  }
}

bool EmfRecorder::Finish(SizeL frame, image::ByteSink& sink) {
  FlushFill();
  if (overflowed_ || records_.size() > budget_) {
    return false;
  }
  std::vector<std::uint8_t> eof;
  Append32(eof, kEmrEof);
  Append32(eof, 20);
  Append32(eof, 0);   // no palette entries
  Append32(eof, 16);  // where they would start
  Append32(eof, 20);  // the size again, read backwards by players

  const auto descriptionBytes = static_cast<std::uint32_t>(description_.size() * 2);
  const std::uint32_t headerBytes = kHeaderSize + (descriptionBytes + 3) / 4 * 4;
  const std::uint64_t total = std::uint64_t{headerBytes} + records_.size() + eof.size();
  if (total > 0xFFFFFFFFu) {
    return false;
  }
  // The frame in reference pixels; both rectangles include their right and bottom edges.
  auto pixels = [](std::int32_t hundredths, std::int32_t pixelsAcross, std::int32_t millimetres) {
    return static_cast<std::int32_t>(static_cast<std::int64_t>(hundredths) * pixelsAcross / (millimetres * 100));
  };
  const std::int32_t right =
      std::max(0, pixels(frame.cx, kReferenceScreenPixels.cx, kReferenceScreenMillimetres.cx) - 1);
  const std::int32_t bottom =
      std::max(0, pixels(frame.cy, kReferenceScreenPixels.cy, kReferenceScreenMillimetres.cy) - 1);

  std::vector<std::uint8_t> header;
  header.reserve(headerBytes);
  Append32(header, kEmrHeader);
  Append32(header, headerBytes);
  AppendRect(header, {0, 0, right, bottom});
  AppendRect(header, {0, 0, std::max(0, frame.cx - 1), std::max(0, frame.cy - 1)});
  Append32(header, kSignature);
  Append32(header, kVersion);
  Append32(header, static_cast<std::uint32_t>(total));
  Append32(header, recordCount_ + 2);  // with the header and the end-of-file record
  Append16(header, slots_.Count());
  Append16(header, 0);
  Append32(header, static_cast<std::uint32_t>(description_.size()));
  Append32(header, kHeaderSize);
  Append32(header, 0);  // palette entries
  Append32(header, U(kReferenceScreenPixels.cx));
  Append32(header, U(kReferenceScreenPixels.cy));
  Append32(header, U(kReferenceScreenMillimetres.cx));
  Append32(header, U(kReferenceScreenMillimetres.cy));
  Append32(header, 0);  // no pixel format
  Append32(header, 0);
  Append32(header, 0);  // no OpenGL records
  Append32(header, U(kReferenceScreenMillimetres.cx * 1000));
  Append32(header, U(kReferenceScreenMillimetres.cy * 1000));
  for (const char16_t c : description_) {
    Append16(header, c);
  }
  header.resize(headerBytes, 0);
  return sink.Write(header.data(), header.size()) && sink.Write(records_.data(), records_.size()) &&
         sink.Write(eof.data(), eof.size());
}

}  // namespace linnet::gdi
