#pragma once
// PDF417 and Macro PDF417: a message with tilde escapes becomes module rows.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "symbology/symbol.h"
#include "symbology2d/pdf417_codewords.h"
#include "symbology2d/pdf417_text_class.h"

namespace Quillon::BrindleLib {

class CPDF417Encoder2 : public CSymbol {
 public:
  // The state of one compaction: the pending data bytes of the current segment and the
  // codewords produced for it so far.
  class CDataEncodationBuilder {
   public:
    CDataEncodationBuilder() = default;
    CDataEncodationBuilder(const CDataEncodationBuilder&) = default;
    CDataEncodationBuilder& operator=(const CDataEncodationBuilder&) = default;
    CDataEncodationBuilder(CDataEncodationBuilder&&) = default;
    CDataEncodationBuilder& operator=(CDataEncodationBuilder&&) = default;
    virtual ~CDataEncodationBuilder() = default;

    // The whole message: escapes resolved, every segment compacted, GLIs and a Macro
    // control block appended. `stream` starts with the length descriptor.
    void EncodeMessage(const char* text, std::size_t length, pdf417::Codewords& stream);
    // A Macro PDF417 control block, `text` starting with its "~2" marker, appended to the
    // segment codewords.
    void EncodeControlBlock(std::string_view text);
    void SetData(std::string_view bytes);

    // Compacts the pending data from `mode` on; returns the mode in force at its end.
    pdf417::CompactionMode CompactSegment(pdf417::CompactionMode mode);
    void CompactNumeric(std::size_t start, std::size_t count);
    void CompactBytes(std::size_t start, std::size_t count);
    pdf417::TextSubmode CompactText(std::size_t start, std::size_t count, pdf417::TextSubmode submode);

    // The class of the data byte at `position`; none past the end.
    [[nodiscard]] pdf417::TextClassEntry TextClass(std::size_t position) const;
    // Text-compactible bytes from `position`, up to a run of 13 or more digits.
    [[nodiscard]] std::size_t TextRunLength(std::size_t position) const;
    // Bytes from `position` up to a run of 13 or more digits or a text run of 5 or more.
    [[nodiscard]] std::size_t ByteRunLength(std::size_t position) const;

    [[nodiscard]] const pdf417::Codewords& SegmentCodewords() const { return codewords; }

   private:
    [[nodiscard]] std::size_t DigitRunLength(std::size_t position) const;
    // TextRunLength, but stops counting once `limit` bytes are reached.
    [[nodiscard]] std::size_t BoundedTextRunLength(std::size_t position, std::size_t limit) const;
    [[nodiscard]] bool HoldsNextTwo(std::size_t position, pdf417::TextSubmode submode) const;
    void EnsureSegmentRoom(std::size_t more) const;
    void Emit(std::uint16_t codeword) { codewords.push_back(codeword); }
    // Compacts the pending data and moves the segment's codewords to the stream.
    void FlushSegment(pdf417::CompactionMode& mode, pdf417::Codewords& stream);
    void TraceRun(const char* modeName, std::size_t start) const;

    std::vector<std::uint8_t> data;
    pdf417::Codewords codewords;
  };

  // Tells whether the message encodes with these options: throws what EncodeToRows would,
  // returns non-zero otherwise.
  virtual int CheckEncodable(const std::string& message, int moduleWidth, int rowHeight, double aspectRatio,
                             int maxRows, int maxCols, int securityLevel) const;

  // Fills `rows` with the symbol's module rows, top row first, '1' dark and '0' light.
  // moduleWidth and rowHeight (any one length unit) and aspectRatio (height / width, 0 for
  // no wish) steer the automatic geometry; maxRows (3..90) and maxCols (1..30) fix the grid,
  // 0 leaves it automatic; securityLevel is 0..8, or 9 for automatic. Returns non-zero, or
  // throws a barlib_error before `rows` is touched.
  virtual int EncodeToRows(const std::string& message, std::vector<std::string>& rows, int moduleWidth, int rowHeight,
                           double aspectRatio, int maxRows, int maxCols, int securityLevel, bool truncated) const;
};

}  // namespace Quillon::BrindleLib
