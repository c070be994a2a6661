#include "symbology2d/maxicode_secondary.h"

#include <array>
#include <string>

#include "symbology2d/maxicode_code_sets.h"
#include "symbology2d/maxicode_digits.h"
#include "symbology2d/maxicode_errors.h"

namespace Quillon::BrindleLib::maxicode {

namespace {

constexpr std::size_t kNumericShiftDigits = 9;
constexpr std::size_t kLockInRun = 4;
constexpr std::size_t kEciDigits = 6;
constexpr std::size_t kByteEscapeDigits = 3;
constexpr std::array kShiftableSets = {kSetC, kSetD, kSetE};

// Walks over one segment, choosing for every byte between numeric shift, lock-in, a shift
// to C, D or E, and the shifts and latches between A and B.
class CodeSetWriter {
 public:
  CodeSetWriter(std::string_view segment, int set, Codewords& out) : segment_(segment), set_(set), out_(out) {}

  int Run() {
    while (p_ < segment_.size()) {
      Step();
    }
    if (set_ >= kSetC) {
      Put(FunctionValue(set_, kLatchA));
      set_ = kSetA;
    }
    return set_;
  }

 private:
  [[nodiscard]] bool Holds(int set, std::size_t i) const {
    return i < segment_.size() && InSet(set, static_cast<unsigned char>(segment_[i]));
  }
  [[nodiscard]] bool OnlyInB(std::size_t i) const { return Holds(kSetB, i) && !Holds(kSetA, i); }

  // How many bytes from `from` on lie in `set`, counted up to `limit`.
  [[nodiscard]] std::size_t RunIn(int set, std::size_t from, std::size_t limit) const {
    std::size_t n = 0;
    while (n < limit && Holds(set, from + n)) {
      ++n;
    }
    return n;
  }

  [[nodiscard]] bool NineDigitsAhead() const {
    if (segment_.size() - p_ < kNumericShiftDigits) {
      return false;
    }
    return AllDigits(segment_.substr(p_, kNumericShiftDigits));
  }

  void Put(int codeword) { out_.push_back(static_cast<std::uint8_t>(codeword)); }
  void PutByte(int set) { Put(ValueInSet(set, static_cast<unsigned char>(segment_[p_++]))); }

  void Step() {
    if (NineDigitsAhead()) {
      PutNumericShift();
    } else if (const int lock = LockInSet(); lock >= 0) {
      const int shift = ShiftValue(set_, lock);
      Put(shift);
      Put(shift);
      set_ = lock;
      while (Holds(set_, p_)) {
        PutByte(set_);
      }
    } else if (const int shifted = ShiftSet(); shifted >= 0) {
      Put(ShiftValue(set_, shifted));
      PutByte(shifted);
    } else if (set_ == kSetA) {
      StepInA();
    } else if (set_ == kSetB) {
      StepInB();
    } else {
      StepInShiftedSet();
    }
  }

  void PutNumericShift() {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < kNumericShiftDigits; ++i) {
      value = value * 10 + static_cast<std::uint32_t>(segment_[p_ + i] - '0');
    }
    Put(kNumericShiftCodeword);
    for (int shift = 24; shift >= 0; shift -= 6) {
      Put(static_cast<int>((value >> shift) & 0x3F));
    }
    p_ += kNumericShiftDigits;
  }

  // C, D or E when the next four bytes all lie in it.
  [[nodiscard]] int LockInSet() const {
    for (const int set : kShiftableSets) {
      if (RunIn(set, p_, kLockInRun) == kLockInRun) {
        return set;
      }
    }
    return -1;
  }

  // C, D or E for a byte outside the set in force.
  [[nodiscard]] int ShiftSet() const {
    if (Holds(set_, p_)) {
      return -1;
    }
    for (const int set : kShiftableSets) {
      if (Holds(set, p_)) {
        return set;
      }
    }
    return -1;
  }

  void StepInA() {
    if (!OnlyInB(p_)) {
      PutByte(kSetA);
    } else if (Holds(kSetB, p_ + 1)) {
      Put(FunctionValue(kSetA, kLatchB));
      set_ = kSetB;
      while (Holds(kSetB, p_)) {
        PutByte(kSetB);
      }
    } else {
      Put(FunctionValue(kSetA, kShiftB));
      PutByte(kSetB);
    }
  }

  void StepInB() {
    const std::size_t k = RunIn(kSetA, p_, kLockInRun);
    if (k == 0) {
      PutByte(kSetB);
    } else if (k == kLockInRun) {
      Put(FunctionValue(kSetB, kLatchA));
      set_ = kSetA;
      PutByte(kSetA);
    } else {
      Put(FunctionValue(kSetB, k == 1 ? kShiftA : (k == 2 ? kTwoShiftA : kThreeShiftA)));
      for (std::size_t i = 0; i < k; ++i) {
        PutByte(kSetA);
      }
    }
  }

  // In C, D or E: back to B for a byte of B only, else to A; a byte of neither stays here.
  void StepInShiftedSet() {
    if (OnlyInB(p_)) {
      Put(FunctionValue(set_, kLatchB));
      set_ = kSetB;
      StepInB();
    } else if (Holds(kSetA, p_)) {
      Put(FunctionValue(set_, kLatchA));
      set_ = kSetA;
      StepInA();
    } else {
      PutByte(set_);
    }
  }

  std::string_view segment_;
  int set_;
  Codewords& out_;
  std::size_t p_ = 0;
};

void PutEci(std::uint32_t value, Codewords& out) {
  auto put = [&out](std::uint32_t v) { out.push_back(static_cast<std::uint8_t>(v & 0x3F)); };
  out.push_back(kEciCodeword);
  if (value < 32) {
    put(value);
  } else if (value < 1024) {
    put(0x20 | (value >> 6));
    put(value);
  } else if (value < 32768) {
    put(0x30 | (value >> 12));
    put(value >> 6);
    put(value);
  } else {
    put(0x38 | (value >> 18));
    put(value >> 12);
    put(value >> 6);
    put(value);
  }
}

}  // namespace

int EncodeCodeSets(std::string_view segment, int set, Codewords& out) {
  return CodeSetWriter(segment, set, out).Run();
}

Codewords EncodeSecondary(std::string_view text) {
  Codewords out;
  out.reserve(96);
  std::string pending;
  int set = kSetA;
  std::size_t i = 0;
  while (i < text.size()) {
    const char c = text[i];
    const char next = i + 1 < text.size() ? text[i + 1] : '\0';
    if (c != '~' || i + 1 == text.size()) {
      pending.push_back(c);
      ++i;
    } else if (next >= '@' && next <= 'Z') {
      pending.push_back(static_cast<char>(next - '@'));
      i += 2;
    } else if (next == '~') {
      pending.push_back('~');
      i += 2;
    } else if (next == '7') {
      const std::string_view digits = text.substr(i + 2, kEciDigits);
      if (digits.size() < kEciDigits || !AllDigits(digits)) {
        ThrowEciError();
      }
      set = EncodeCodeSets(pending, set, out);
      pending.clear();
      PutEci(static_cast<std::uint32_t>(DigitValue(digits, 1000000)), out);
      i += 2 + kEciDigits;
    } else if (const std::string_view digits = text.substr(i + 2, kByteEscapeDigits);
               next == 'd' && digits.size() == kByteEscapeDigits && AllDigits(digits) &&
               DigitValue(digits, 256) <= 255) {
      pending.push_back(static_cast<char>(DigitValue(digits, 256)));
      i += 2 + kByteEscapeDigits;
    } else {
      pending.push_back('~');
      ++i;
    }
  }
  EncodeCodeSets(pending, set, out);
  return out;
}

}  // namespace Quillon::BrindleLib::maxicode
