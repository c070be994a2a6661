#include "symbology2d/pdf417_geometry.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <limits>

#include "symbology/barlib_error.h"

namespace Quillon::BrindleLib::pdf417 {

namespace {

// The ratio the cost aims at when no ratio is wished: a third as high as wide.
constexpr std::int64_t kDefaultRatio = 33;

[[noreturn]] void ThrowTooSmall(std::size_t codewords, int maxRows, int maxCols) {
  char message[256];
  std::snprintf(message, sizeof message,
                "The size required is too small to hold all the codewords(%d). Try increasing MaxRows(%d) and "
                "MaxCols(%d) properties, or reducing the data encoded.",
                static_cast<int>(codewords), maxRows, maxCols);
  throw prescribed_size_too_small(30, message);
}

// The grid would leave more codewords before the check codewords than a length descriptor
// can count.
[[noreturn]] void ThrowTooLarge(std::size_t codewords, int maxRows, int maxCols) {
  char message[256];
  std::snprintf(message, sizeof message,
                "The size required is too large for the codewords(%d): a symbol holds at most 928 codewords besides "
                "its error correction. Try reducing MaxRows(%d) and MaxCols(%d) properties.",
                static_cast<int>(codewords), maxRows, maxCols);
  throw prescribed_size_too_small(30, message);
}

// 100 times the wished height/width ratio, truncated; NaN counts as no wish.
std::int64_t WishedRatio(double aspectRatio) {
  if (std::isnan(aspectRatio)) {
    return 0;
  }
  return static_cast<std::int64_t>(std::clamp(aspectRatio, -1e12, 1e12) * 100);
}

}  // namespace

Geometry ChooseGeometry(std::size_t codewords, std::size_t maxGridCodewords, int maxRows, int maxCols,
                        double aspectRatio, int rowHeight, int moduleWidth) {
  const auto needed = static_cast<std::int64_t>(codewords);
  if (maxRows != 0 && maxCols != 0) {
    if (std::int64_t{maxRows} * maxCols < needed) {
      ThrowTooSmall(codewords, maxRows, maxCols);
    }
    if (std::int64_t{maxRows} * maxCols > static_cast<std::int64_t>(maxGridCodewords)) {
      ThrowTooLarge(codewords, maxRows, maxCols);
    }
    return {maxRows, maxCols};
  }
  if ((maxRows != 0 && std::int64_t{maxRows} * kMaxColumns < needed) ||
      (maxCols != 0 && std::int64_t{kMaxRows} * maxCols < needed)) {
    ThrowTooSmall(codewords, maxRows, maxCols);
  }
  const std::int64_t wished = WishedRatio(aspectRatio);
  const bool ratioWished = !std::isnan(aspectRatio) && aspectRatio != 0;
  const std::int64_t height = std::max(rowHeight, 1);
  const std::int64_t width = std::max(moduleWidth, 1);
  const bool bothOpen = maxRows == 0 && maxCols == 0;

  Geometry best;
  std::int64_t bestCost = std::numeric_limits<std::int64_t>::max();
  for (int r = maxRows != 0 ? maxRows : kMinRows; r <= (maxRows != 0 ? maxRows : kMaxRows); ++r) {
    for (int n = maxCols != 0 ? maxCols : kMinColumns; n <= (maxCols != 0 ? maxCols : kMaxColumns); ++n) {
      const std::int64_t cells = std::int64_t{r} * n;
      if (cells < needed) {
        continue;
      }
      const std::int64_t waste = cells - needed;
      if (waste >= bestCost || cells > static_cast<std::int64_t>(maxGridCodewords)) {
        break;  // more columns only add waste
      }
      // 100 times the symbol's height/width ratio, the width counted as 17 * (n + 4) modules.
      const std::int64_t ratio = (1000 * height * r) / (170 * width * (n + 4));
      std::int64_t cost = waste;
      if (ratioWished) {
        cost += 2 * std::abs(ratio - wished);
      } else if (bothOpen) {
        cost += std::abs(ratio - kDefaultRatio) / 2;
      }
      if (cost < bestCost) {
        bestCost = cost;
        best = {r, n};
      }
    }
  }
  if (best.rows == 0) {
    ThrowTooLarge(codewords, maxRows, maxCols);
  }
  return best;
}

}  // namespace Quillon::BrindleLib::pdf417
