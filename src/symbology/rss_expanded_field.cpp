#include <algorithm>

#include "symbology/rss_expanded_detail.h"

namespace Quillon::BrindleLib::detail {

namespace {

enum class Mode { kNumeric, kAlphanumeric, kIso646 };

// Latches between the modes.
constexpr std::uint32_t kNumericToAlphanumeric = 0b0000;  // 4 bits
constexpr std::uint32_t kToNumeric = 0b000;               // 3 bits, from either other mode
constexpr std::uint32_t kToIso646 = 0b00100;              // 5 bits, from alphanumeric
constexpr std::uint32_t kIso646ToAlphanumeric = 0b00100;  // 5 bits
constexpr char kCaret = '^';                              // ends its mode like FNC1, back to numeric

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}
bool IsNumeric(char c) {
  return IsDigit(c) || c == kExpandedFnc1;
}
bool IsUpper(char c) {
  return c >= 'A' && c <= 'Z';
}
bool IsLower(char c) {
  return c >= 'a' && c <= 'z';
}

bool IsAlphanumeric(char c) {
  return IsNumeric(c) || IsUpper(c) || c == '*' || c == ',' || c == '-' || c == '.' || c == '/' || c == '^';
}

// A character's value in a mode and its width in bits; 0 bits for a character without one.
struct Code {
  std::uint32_t value;
  int bits;
};

constexpr std::string_view kIso646Punctuation = "!\"%&'()*+,-./:;<=>?_ ^";  // 232 up, in order

Code DigitOrFnc1(char c) {
  return c == kExpandedFnc1 ? Code{15, 5} : Code{static_cast<std::uint32_t>(c - '0' + 5), 5};
}

Code AlphanumericCode(char c) {
  if (IsNumeric(c)) {
    return DigitOrFnc1(c);
  }
  if (IsUpper(c)) {
    return {static_cast<std::uint32_t>(c - 'A' + 32), 6};
  }
  constexpr std::string_view kSymbols = "*,-./^";  // 58 up, in order
  return {static_cast<std::uint32_t>(58 + kSymbols.find(c)), 6};
}

Code Iso646Code(char c) {
  if (IsNumeric(c)) {
    return DigitOrFnc1(c);
  }
  if (IsUpper(c)) {
    return {static_cast<std::uint32_t>(c - 'A' + 64), 7};
  }
  if (IsLower(c)) {
    return {static_cast<std::uint32_t>(c - 'a' + 90), 7};
  }
  const auto at = kIso646Punctuation.find(c);
  return at == std::string_view::npos ? Code{0, 0} : Code{static_cast<std::uint32_t>(232 + at), 8};
}

int NumericValue(char c) {
  return c == kExpandedFnc1 ? 10 : c - '0';
}

class FieldWriter {
 public:
  FieldWriter(std::string_view data, size_t start, ExpandedState& state) : d_(data), at_(start), state_(state) {}

  void Run() {
    bool more = true;
    while (more) {
      switch (mode_) {
        case Mode::kNumeric:
          more = NumericStep();
          break;
        case Mode::kAlphanumeric:
          more = AlphanumericStep();
          break;
        case Mode::kIso646:
          more = Iso646Step();
          break;
      }
    }
  }

 private:
  // Bits left before the end of the symbol that the bits written so far need.
  int Remaining() const {
    return 12 * ExpandedDataCharacters(state_.bitCount, state_.segmentsPerRow) - state_.bitCount;
  }

  bool AtEnd() const { return at_ >= d_.size(); }
  size_t Left() const { return d_.size() - at_; }

  void Put(std::uint32_t value, int bits) { putBits(state_, value, bits); }

  void Write(const Code& code) {
    Put(code.value, code.bits);
    const char c = d_[at_++];
    if (c == kExpandedFnc1 || c == kCaret) {
      mode_ = Mode::kNumeric;
    }
  }

  bool NumericStep() {
    if (AtEnd()) {
      Put(0, std::min(4, Remaining()));
      return false;
    }
    const char c = d_[at_];
    if (IsDigit(c) && Left() == 1) {
      const int remaining = Remaining();
      if (remaining >= 4 && remaining <= 6) {
        Put(static_cast<std::uint32_t>(c - '0' + 1), 4);
        Put(0, remaining - 4);
      } else {
        Put(static_cast<std::uint32_t>(8 + 11 * (c - '0') + 10), 7);
        Put(0, remaining == 7 ? 0 : (remaining >= 8 && remaining <= 11 ? remaining - 7 : 4));
      }
      return false;
    }
    if (Left() >= 2 && IsNumeric(c) && IsNumeric(d_[at_ + 1]) &&
        !(c == kExpandedFnc1 && d_[at_ + 1] == kExpandedFnc1)) {
      Put(static_cast<std::uint32_t>(8 + 11 * NumericValue(c) + NumericValue(d_[at_ + 1])), 7);
      at_ += 2;
      return true;
    }
    Put(kNumericToAlphanumeric, 4);
    mode_ = Mode::kAlphanumeric;
    return true;
  }

  // Numeric characters from the current one on, at most `limit`.
  size_t NumericRun(size_t limit) const {
    size_t n = 0;
    while (n < limit && at_ + n < d_.size() && IsNumeric(d_[at_ + n])) {
      ++n;
    }
    return n;
  }

  bool AlphanumericStep() {
    if (AtEnd()) {
      return false;
    }
    const char c = d_[at_];
    if (!IsAlphanumeric(c)) {
      Put(kToIso646, 5);
      mode_ = Mode::kIso646;
      return true;
    }
    if (IsDigit(c) && (Left() == 1 || d_[at_ + 1] != kExpandedFnc1)) {
      const size_t run = NumericRun(6);
      if (run == 6 || (run == Left() && run >= 4)) {
        Put(kToNumeric, 3);
        mode_ = Mode::kNumeric;
        return true;
      }
    }
    Write(AlphanumericCode(c));
    return true;
  }

  bool Iso646Step() {
    if (AtEnd()) {
      return false;
    }
    const char c = d_[at_];
    if (IsAlphanumeric(c) && c != kExpandedFnc1) {
      const size_t window = std::min<size_t>(10, Left());
      const bool allAlphanumeric = std::all_of(d_.begin() + static_cast<std::ptrdiff_t>(at_),
                                               d_.begin() + static_cast<std::ptrdiff_t>(at_ + window), IsAlphanumeric);
      if (allAlphanumeric) {
        const bool numericAhead = NumericRun(window) >= 4;
        if (numericAhead) {
          Put(kToNumeric, 3);
          mode_ = Mode::kNumeric;
          return true;
        }
        if (Left() >= 5) {
          Put(kIso646ToAlphanumeric, 5);
          mode_ = Mode::kAlphanumeric;
          return true;
        }
      }
    }
    Write(Iso646Code(c));
    return true;
  }

  std::string_view d_;
  size_t at_;
  ExpandedState& state_;
  Mode mode_ = Mode::kNumeric;
};

}  // namespace

bool HasGeneralFieldValue(char c) {
  return Iso646Code(c).bits > 0;
}

void encodeGeneralField(std::string_view data, size_t start, ExpandedState& state) {
  FieldWriter(data, start, state).Run();
}

}  // namespace Quillon::BrindleLib::detail
