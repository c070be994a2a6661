#include "symbology/rss_expanded.h"

#include <cstdint>
#include <mutex>

#include "symbology/rss_expanded_detail.h"

namespace Quillon::BrindleLib {

namespace {

// One encoding at a time in the whole process, so that the diagnostics of one encoding are
// never interleaved with another's.
std::mutex& EncoderLock() {
  static std::mutex lock;
  return lock;
}

}  // namespace

int NormalizeSegmentsPerRow(int maxCols) {
  const std::int64_t even = maxCols % 2 == 0 ? maxCols : static_cast<std::int64_t>(maxCols) + 1;
  return even >= 1 && even <= detail::kExpandedMaxSegmentsPerRow ? static_cast<int>(even)
                                                                 : detail::kExpandedMaxSegmentsPerRow;
}

int CRSSExpandedEncoder::Encode(const std::string& message, int segmentsPerRow, std::string& pattern,
                                std::string& text) const {
  detail::ExpandedState state;
  state.segmentsPerRow = NormalizeSegmentsPerRow(segmentsPerRow);
  const std::lock_guard<std::mutex> hold(EncoderLock());
  pattern.clear();
  std::string data;
  if (detail::ParseElements(UpToTerminator(message), data, text) < 0) {
    throw invalid_ean128_format_error(10, "The AI portion of an EAN-128 structure must be numeric.");
  }
  detail::pack(data, state);
  if (detail::RSS14Eenc(state, pattern) < 0) {
    throw out_of_capacity_error(
        210,
        "Data is too big to be encoded with the current symbology. Reduce the data, or reduce the security "
        "level if permitted.");
  }
  return 1;
}

}  // namespace Quillon::BrindleLib
