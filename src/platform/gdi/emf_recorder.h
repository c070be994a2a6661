#pragma once
// An enhanced-metafile writer: a recorder on a context of technology EnhancedMetafile that
// turns every call into the public EMF record it stands for, in logical units as called.
//
// Mapping, colour, background, alignment and justification calls become one state record
// each. Pens, brushes and fonts are realised when a drawing call uses them: the writer
// creates the object in the lowest free slot of its object table, selects it and deletes
// the one it replaces, so a run of bars in one colour shares one brush. Consecutive fills
// that continue each other (the modules of one bar) are joined first; each fill is then a
// rectangle drawn with the null pen (the platform fills such a rectangle left/top inclusive,
// right/bottom exclusive, as FillRect does). Text is one ExtTextOutW with the UTF-16 text, its
// reference point and the advances the context measured; the inter-character extra has no
// record of its own in the format and travels in those advances.
//
// The header is written last: it holds the bounds (reference-device pixels) and frame
// (hundredths of a millimetre) of the picture, the record, byte and handle totals of what was
// written, the reference device (a 96-dot-per-inch screen) and the description (application
// name and title, UTF-16, each NUL-terminated, a second NUL at the end).
//
// The records are kept in memory up to a byte budget; past it the recording has failed and
// Finish answers false, as it does when the sink refuses the bytes.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/gdi/gdi_recorder.h"
#include "platform/gdi/object_slots.h"
#include "platform/gdi/touching_fills.h"
#include "platform/image/byte_sink.h"

namespace linnet::gdi {

// The reference device of every metafile: the 96-dot screen, 1920 x 1440 pixels, 508 x 381 mm.
inline constexpr SizeL kReferenceScreenPixels{1920, 1440};
inline constexpr SizeL kReferenceScreenMillimetres{508, 381};

// The most record bytes a metafile may hold in memory.
inline constexpr size_t kMetafileByteBudget = size_t{64} << 20;

class EmfRecorder final : public GdiRecorder {
 public:
  EmfRecorder(std::u16string_view application, std::u16string_view title, size_t byteBudget = kMetafileByteBudget);
  void Record(const GdiCall& call) override;
  // Writes the header for a picture of `frame` hundredths of a millimetre (width, height),
  // the records and the end-of-file record. False when the recording overflowed its budget
  // or the sink failed; the sink may then hold part of the metafile.
  bool Finish(SizeL frame, image::ByteSink& sink);

 private:
  struct Realised {
    bool stock = false;  // one of the platform's stock objects, not in the table
    std::uint32_t index = 0;
  };
  void Emit(std::uint32_t type, std::initializer_list<std::uint32_t> fields);
  void UsePen(const Pen& pen);
  void UseBrush(const Brush& brush);
  void UseFont(const LogFont& font);
  // Selects the new object and deletes the one it replaces.
  void Replace(std::optional<Realised>& current, Realised next);
  void TextOut(const GdiCall& call);
  void Polygon(const GdiCall& call);
  void FlushFill();
  // Past the budget the recording has failed and its bytes are let go.
  void EnforceBudget();

  std::u16string description_;
  size_t budget_;
  bool overflowed_ = false;
  std::vector<std::uint8_t> records_;
  std::uint32_t recordCount_ = 0;
  ObjectSlots slots_{1};
  std::optional<Realised> pen_, brush_, font_;
  Pen realisedPen_;
  Brush realisedBrush_;
  LogFont realisedFont_;
  PendingFill fill_;
};

}  // namespace linnet::gdi
