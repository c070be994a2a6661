#include "symbology2d/dmtx_reed_solomon.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <stdexcept>

namespace brindle2::dmtxencode {

namespace {

constexpr unsigned kFieldPolynomial = 0x12D;
constexpr std::size_t kMaxCheckPerBlock = 68;
constexpr std::size_t kMaxBlockData = 175;

struct Field {
  std::array<std::uint8_t, 510> exp{};  // doubled so that log a + log b needs no modulo
  std::array<std::size_t, 256> log{};
};

constexpr Field MakeField() {
  Field f;
  unsigned x = 1;
  for (std::size_t i = 0; i < 255; ++i) {
    f.exp[i] = static_cast<std::uint8_t>(x);
    f.exp[i + 255] = static_cast<std::uint8_t>(x);
    f.log[x] = i;
    x <<= 1;
    if (x & 0x100) {
      x ^= kFieldPolynomial;
    }
  }
  return f;
}

constexpr Field kField = MakeField();

constexpr std::uint8_t Multiply(std::uint8_t a, std::uint8_t b) {
  if (a == 0 || b == 0) {
    return 0;
  }
  return kField.exp[kField.log[a] + kField.log[b]];
}

// The generator (x - 2^1)(x - 2^2)...(x - 2^k), low coefficients first, leading 1 implied;
// every coefficient is non-zero, so it is kept as its logarithm too.
struct Generator {
  std::size_t degree = 0;
  std::array<std::uint8_t, kMaxCheckPerBlock> coefficients{};
  std::array<std::size_t, kMaxCheckPerBlock> logs{};
};

constexpr Generator MakeGenerator(std::size_t degree) {
  Generator g;
  g.degree = degree;
  std::array<std::uint8_t, kMaxCheckPerBlock + 1> poly{};
  poly[0] = 1;
  for (std::size_t i = 1; i <= degree; ++i) {
    const std::uint8_t root = kField.exp[i];
    for (std::size_t j = i; j > 0; --j) {
      poly[j] = static_cast<std::uint8_t>(poly[j - 1] ^ Multiply(poly[j], root));
    }
    poly[0] = Multiply(poly[0], root);
  }
  for (std::size_t j = 0; j < degree; ++j) {
    g.coefficients[j] = poly[j];
    g.logs[j] = kField.log[poly[j]];
  }
  return g;
}

constexpr std::array<std::size_t, 16> kCheckCounts{5, 7, 10, 11, 12, 14, 18, 20, 24, 28, 36, 42, 48, 56, 62, 68};

constexpr std::array<Generator, 16> MakeGenerators() {
  std::array<Generator, 16> all{};
  for (std::size_t i = 0; i < kCheckCounts.size(); ++i) {
    all[i] = MakeGenerator(kCheckCounts[i]);
  }
  return all;
}

constexpr std::array<Generator, 16> kGenerators = MakeGenerators();

const Generator& GeneratorOfDegree(std::size_t degree) {
  for (const auto& g : kGenerators) {
    if (g.degree == degree) {
      return g;
    }
  }
  throw std::invalid_argument("no Reed-Solomon generator of that degree");
}

}  // namespace

std::uint8_t GaloisMultiply(std::uint8_t a, std::uint8_t b) {
  return Multiply(a, b);
}

void ReedSolomonBlock(std::span<const std::uint8_t> data, std::span<std::uint8_t> check) {
  const Generator& g = GeneratorOfDegree(check.size());
  const std::size_t k = check.size();
  std::fill(check.begin(), check.end(), std::uint8_t{0});
  // Polynomial division of data(x) * x^k by g(x); check[0] is the highest coefficient.
  for (const std::uint8_t d : data) {
    const auto feedback = static_cast<std::uint8_t>(d ^ check[0]);
    if (feedback == 0) {
      std::copy(check.begin() + 1, check.end(), check.begin());
      check[k - 1] = 0;
      continue;
    }
    const std::size_t logFeedback = kField.log[feedback];
    for (std::size_t i = 0; i + 1 < k; ++i) {
      check[i] = static_cast<std::uint8_t>(check[i + 1] ^ kField.exp[logFeedback + g.logs[k - 1 - i]]);
    }
    check[k - 1] = kField.exp[logFeedback + g.logs[0]];
  }
}

void AddCheckCodewords(const SymbolSize& size, std::span<std::uint8_t> codewords) {
  const auto blocks = static_cast<std::size_t>(size.blocks);
  const auto dataCount = static_cast<std::size_t>(size.dataCodewords);
  const auto checkPerBlock = static_cast<std::size_t>(size.checkCodewordsPerBlock);
  std::array<std::uint8_t, kMaxBlockData> blockData{};
  std::array<std::uint8_t, kMaxCheckPerBlock> blockCheck{};
  // In the 144 x 144 symbol the check codewords of the two shorter blocks come first: that
  // is the order scanners read, so it is the order we write.
  const std::size_t slotShift = size.rows == 144 ? 2 : 0;
  for (std::size_t b = 0; b < blocks; ++b) {
    std::size_t n = 0;
    for (std::size_t i = b; i < dataCount; i += blocks) {
      blockData[n++] = codewords[i];
    }
    ReedSolomonBlock({blockData.data(), n}, {blockCheck.data(), checkPerBlock});
    for (std::size_t j = 0; j < checkPerBlock; ++j) {
      codewords[dataCount + j * blocks + (b + slotShift) % blocks] = blockCheck[j];
    }
  }
}

}  // namespace brindle2::dmtxencode
