#include "symbology2d/pdf417_ecc.h"

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
  // The remainder of the data polynomial times x^k divided by the generator, kept as
  // c[0..k-1]; c[k-1] is its highest term.
  std::uint16_t c[512] = {};
  for (const std::uint16_t d : stream) {
    const std::uint32_t t = (d + c[k - 1]) % kModulus;
    for (std::size_t j = k - 1; j > 0; --j) {
      c[j] = static_cast<std::uint16_t>((c[j - 1] + kModulus - t * a[j] % kModulus) % kModulus);
    }
    c[0] = static_cast<std::uint16_t>((kModulus - t * a[0] % kModulus) % kModulus);
  }
  for (std::size_t j = k; j-- > 0;) {
    stream.push_back(static_cast<std::uint16_t>(c[j] == 0 ? 0 : kModulus - c[j]));
  }
}

}  // namespace Quillon::BrindleLib::pdf417
