#pragma once
// LZW compression of 8-bit samples in the two dialects image files use: GIF's (codes packed
// from the least significant bit, the code width growing one code late) and TIFF's (packed
// from the most significant bit, growing one code early). The codes are the ones any LZW
// encoder of that dialect emits for the same input: a string table that starts with a clear
// code, widens at the dialect's points up to 12 bits and starts over when full, so every
// decoder reads the result.
//
// What differs is the speed of the longest-match search on runs. Samples arrive as runs of
// one value, and the table keeps, per value, the codes of the runs it holds: a run is matched
// in one step however long it is, so a label that is mostly one colour costs per run and per
// code emitted, not per pixel.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace linnet::image {

enum class LzwDialect { Gif, Tiff };

class LzwEncoder {
 public:
  // Appends the codes of each stream to `out`. The GIF dialect assumes a minimum code size of 8.
  LzwEncoder(LzwDialect dialect, std::vector<std::uint8_t>& out);

  // `count` samples of `value`.
  void Run(std::uint8_t value, size_t count);
  // Ends the stream: the pending code, the end-of-information code and the padding to a
  // whole byte. The next Run starts a new stream with a fresh table.
  void Finish();

 private:
  void Start();
  void Put(std::uint32_t code);
  void Miss(std::uint8_t value);
  void Add(std::uint32_t prefix, std::uint8_t value);
  void ResetTable();

  LzwDialect dialect_;
  std::vector<std::uint8_t>& out_;
  std::uint64_t pending_ = 0;  // bits not yet written
  int pendingBits_ = 0;
  int width_ = 9;
  std::uint32_t next_ = 0;                 // the next code the table assigns
  std::int32_t current_ = -1;              // the code of the string matched so far; -1 before the stream
  std::vector<std::uint16_t> child_;       // [code * 256 + value]: the code of that string plus value, 0 none
  std::vector<std::uint32_t> used_;        // the child_ slots set since the table was last cleared
  std::vector<std::uint16_t> runValue_;    // [code]: the value a string of one repeated value holds, else 256
  std::vector<std::uint16_t> runLength_;   // [code]: that string's length
  std::vector<std::uint16_t> runCode_;     // [value * kRunSlots + length]: the run's code
  std::vector<std::uint16_t> longestRun_;  // [value]: the longest run of it the table holds
};

}  // namespace linnet::image
