#pragma once
// A classic-metafile writer: a recorder on a context of technology Metafile that turns every
// call into the public WMF record it stands for, in logical units as called (twips when the
// label is drawn through the twips mapping, whose window extent then gives the label's size).
// There is no placeable header: the file starts with the standard header.
//
// As in the enhanced writer, fills that continue each other are joined, and pens, brushes
// and fonts are realised when a drawing call uses them, in the lowest free slot of the object table; the classic format
// has no stock objects, so the null pen and the hollow brush are created like any other. Text is one TextOut record in
// the ANSI code page; the inter-character extra and the justification are state records the player applies.
//
// Every coordinate, extent and size of the format is 16 bits: a call whose values do not fit
// fails the recording rather than wrapping, as does passing the byte budget. The header is
// written last: size in 16-bit words, the object count, the largest record.
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <optional>
#include <vector>

#include "platform/gdi/emf_recorder.h"
#include "platform/gdi/gdi_recorder.h"
#include "platform/gdi/object_slots.h"
#include "platform/gdi/touching_fills.h"
#include "platform/image/byte_sink.h"

namespace linnet::gdi {

class WmfRecorder final : public GdiRecorder {
 public:
  explicit WmfRecorder(size_t byteBudget = kMetafileByteBudget) : budget_(byteBudget) {}
  void Record(const GdiCall& call) override;
  // Writes the header, the records and the end record. False when a value did not fit the
  // format, the recording overflowed its budget or the sink failed.
  bool Finish(image::ByteSink& sink);

 private:
  // One record of 16-bit parameters, each checked to fit.
  void Emit(std::uint16_t function, std::initializer_list<std::int64_t> parameters);
  void EmitColor(std::uint16_t function, std::uint32_t color);
  void Close(size_t start);
  void UsePen(const Pen& pen);
  void UseBrush(const Brush& brush);
  void UseFont(const LogFont& font);
  void Replace(std::optional<std::uint32_t>& current, std::uint32_t next);
  void TextOut(const GdiCall& call);
  void Polygon(const GdiCall& call);
  void Append(std::int64_t value);
  void FlushFill();
  // Past the budget the recording has failed and its bytes are let go.
  void EnforceBudget();

  size_t budget_;
  bool failed_ = false;
  std::vector<std::uint8_t> records_;
  std::uint32_t largest_ = 0;  // in words
  ObjectSlots slots_{0};
  std::optional<std::uint32_t> pen_, brush_, font_;
  Pen realisedPen_;
  Brush realisedBrush_;
  LogFont realisedFont_;
  PendingFill fill_;
};

}  // namespace linnet::gdi
