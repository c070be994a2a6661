#include "symbology2d/maxicode_reed_solomon.h"

#include <algorithm>
#include <array>
#include <stdexcept>

namespace Quillon::BrindleLib::maxicode {

namespace {

constexpr int kFieldSize = 64;
constexpr int kFieldPolynomial = 0x43;  // x^6 + x + 1

struct FieldTables {
  std::array<std::uint8_t, 2 * static_cast<std::size_t>(kFieldSize)> exp{};
  std::array<std::uint8_t, kFieldSize> log{};
};

constexpr FieldTables BuildFieldTables() {
  FieldTables t;
  int x = 1;
  for (int i = 0; i < kFieldSize - 1; ++i) {
    t.exp[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(x);
    t.log[static_cast<std::size_t>(x)] = static_cast<std::uint8_t>(i);
    x <<= 1;
    if (x & kFieldSize) {
      x ^= kFieldPolynomial;
    }
  }
  // Doubled so that a sum of two logarithms indexes it directly.
  for (int i = kFieldSize - 1; i < 2 * kFieldSize; ++i) {
    t.exp[static_cast<std::size_t>(i)] = t.exp[static_cast<std::size_t>(i - (kFieldSize - 1))];
  }
  return t;
}

constexpr FieldTables kField = BuildFieldTables();

using ProductTable = std::array<std::array<std::uint8_t, kFieldSize>, kFieldSize>;

constexpr std::uint8_t Multiply(std::uint8_t a, std::uint8_t b) {
  if (a == 0 || b == 0) {
    return 0;
  }
  return kField.exp[static_cast<std::size_t>(kField.log[a]) + kField.log[b]];
}

constexpr ProductTable BuildProductTable() {
  ProductTable products{};
  for (int a = 0; a < kFieldSize; ++a) {
    for (int b = 0; b < kFieldSize; ++b) {
      products[static_cast<std::size_t>(a)][static_cast<std::size_t>(b)] =
          Multiply(static_cast<std::uint8_t>(a), static_cast<std::uint8_t>(b));
    }
  }
  return products;
}

constexpr ProductTable kProducts = BuildProductTable();

// Coefficients of (x - alpha^1)...(x - alpha^N) below the leading 1, highest order first.
template <int N>
constexpr std::array<std::uint8_t, N> Generator() {
  std::array<std::uint8_t, N + 1> g{};  // g[0] is the constant term
  g[0] = 1;
  for (int root = 1; root <= N; ++root) {
    const std::uint8_t a = kField.exp[static_cast<std::size_t>(root)];
    for (int j = root; j > 0; --j) {
      g[static_cast<std::size_t>(j)] =
          static_cast<std::uint8_t>(g[static_cast<std::size_t>(j - 1)] ^ Multiply(g[static_cast<std::size_t>(j)], a));
    }
    g[0] = Multiply(g[0], a);
  }
  std::array<std::uint8_t, N> highFirst{};
  for (int i = 0; i < N; ++i) {
    highFirst[static_cast<std::size_t>(i)] = g[static_cast<std::size_t>(N - 1 - i)];
  }
  return highFirst;
}

constexpr auto kGenerator10 = Generator<kPrimaryCheckCodewords>();
constexpr auto kGenerator20 = Generator<kSecondaryHalfCheckCodewords>();
constexpr auto kGenerator28 = Generator<kSecondaryHalfCheckCodewordsMode5>();

std::span<const std::uint8_t> GeneratorFor(std::size_t count) {
  switch (count) {
    case kPrimaryCheckCodewords:
      return kGenerator10;
    case kSecondaryHalfCheckCodewords:
      return kGenerator20;
    case kSecondaryHalfCheckCodewordsMode5:
      return kGenerator28;
    default:
      throw std::invalid_argument("no MaxiCode block has this many check codewords");
  }
}

}  // namespace

void ReedSolomonCheck(std::span<const std::uint8_t> data, std::span<std::uint8_t> check) {
  const auto generator = GeneratorFor(check.size());
  std::fill(check.begin(), check.end(), std::uint8_t{0});
  // The remainder of data(x) * x^n divided by the generator, as a shift register.
  for (const std::uint8_t d : data) {
    const auto& times = kProducts[static_cast<std::size_t>((d ^ check[0]) & 0x3F)];
    for (std::size_t j = 0; j + 1 < check.size(); ++j) {
      check[j] = static_cast<std::uint8_t>(check[j + 1] ^ times[generator[j]]);
    }
    check[check.size() - 1] = times[generator[check.size() - 1]];
  }
}

}  // namespace Quillon::BrindleLib::maxicode
