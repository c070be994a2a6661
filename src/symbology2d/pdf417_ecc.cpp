#include "symbology2d/pdf417_ecc.h"

#include <vector>

#include "symbology2d/pdf417_tables.h"

namespace Quillon::BrindleLib::pdf417 {

namespace {

constexpr std::uint32_t kModulus = 929;

}  // namespace

std::size_t CheckCodewordCount(int level) {
  return std::size_t{2} << level;
}

int MaxSecurityLevel(std::size_t freeCodewords) {
  int level = 0;
  while (level < kMaxSecurityLevel && CheckCodewordCount(level + 1) <= freeCodewords) {
    ++level;
  }
  return level;
}

void AppendPdf417Ecc(Codewords& stream, int level) {
  const std::size_t k = CheckCodewordCount(level);
  const std::uint16_t* a = kGeneratorCoefficients + (k - 2);
  // Subtracting t * a_j is adding t * (929 - a_j).
  std::uint32_t negated[512];
  for (std::size_t j = 0; j < k; ++j) {
    negated[j] = (kModulus - a[j]) % kModulus;
  }
  // The remainder of the data polynomial times x^k divided by the generator, c[0..k-1],
  // lives in a window that slides down `terms` by one place per data codeword, so that
  // shifting the remainder costs nothing. Terms are reduced only when read: a term takes at
  // most k products below 929^2 before it leaves the window, which stays below 2^32.
  std::vector<std::uint32_t> terms(stream.size() + k, 0);
  std::size_t window = stream.size();
  for (const std::uint16_t d : stream) {
    const std::uint32_t t = (d + terms[window + k - 1]) % kModulus;
    std::uint32_t* c = terms.data() + --window;
    for (std::size_t j = 0; j < k; ++j) {
      c[j] += negated[j] * t;
    }
  }
  const std::uint32_t* c = terms.data() + window;
  for (std::size_t j = k; j-- > 0;) {
    const std::uint32_t remainder = c[j] % kModulus;
    stream.push_back(static_cast<std::uint16_t>(remainder == 0 ? 0 : kModulus - remainder));
  }
}

}  // namespace Quillon::BrindleLib::pdf417
