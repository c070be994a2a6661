#include "symbology/code128.h"

namespace Quillon::BrindleLib {

namespace {

// ISO/IEC 15417 symbol characters by value, as modules.
const PatternRecord kCode128Table[] = {
    {0, "bbsbbssbbss"},   {1, "bbssbbsbbss"},     {2, "bbssbbssbbs"},   {3, "bssbssbbsss"},   {4, "bssbsssbbss"},
    {5, "bsssbssbbss"},   {6, "bssbbssbsss"},     {7, "bssbbsssbss"},   {8, "bsssbbssbss"},   {9, "bbssbssbsss"},
    {10, "bbssbsssbss"},  {11, "bbsssbssbss"},    {12, "bsbbssbbbss"},  {13, "bssbbsbbbss"},  {14, "bssbbssbbbs"},
    {15, "bsbbbssbbss"},  {16, "bssbbbsbbss"},    {17, "bssbbbssbbs"},  {18, "bbssbbbssbs"},  {19, "bbssbsbbbss"},
    {20, "bbssbssbbbs"},  {21, "bbsbbbssbss"},    {22, "bbssbbbsbss"},  {23, "bbbsbbsbbbs"},  {24, "bbbsbssbbss"},
    {25, "bbbssbsbbss"},  {26, "bbbssbssbbs"},    {27, "bbbsbbssbss"},  {28, "bbbssbbsbss"},  {29, "bbbssbbssbs"},
    {30, "bbsbbsbbsss"},  {31, "bbsbbsssbbs"},    {32, "bbsssbbsbbs"},  {33, "bsbsssbbsss"},  {34, "bsssbsbbsss"},
    {35, "bsssbsssbbs"},  {36, "bsbbsssbsss"},    {37, "bsssbbsbsss"},  {38, "bsssbbsssbs"},  {39, "bbsbsssbsss"},
    {40, "bbsssbsbsss"},  {41, "bbsssbsssbs"},    {42, "bsbbsbbbsss"},  {43, "bsbbsssbbbs"},  {44, "bsssbbsbbbs"},
    {45, "bsbbbsbbsss"},  {46, "bsbbbsssbbs"},    {47, "bsssbbbsbbs"},  {48, "bbbsbbbsbbs"},  {49, "bbsbsssbbbs"},
    {50, "bbsssbsbbbs"},  {51, "bbsbbbsbsss"},    {52, "bbsbbbsssbs"},  {53, "bbsbbbsbbbs"},  {54, "bbbsbsbbsss"},
    {55, "bbbsbsssbbs"},  {56, "bbbsssbsbbs"},    {57, "bbbsbbsbsss"},  {58, "bbbsbbsssbs"},  {59, "bbbsssbbsbs"},
    {60, "bbbsbbbbsbs"},  {61, "bbssbssssbs"},    {62, "bbbbsssbsbs"},  {63, "bsbssbbssss"},  {64, "bsbssssbbss"},
    {65, "bssbsbbssss"},  {66, "bssbssssbbs"},    {67, "bssssbsbbss"},  {68, "bssssbssbbs"},  {69, "bsbbssbssss"},
    {70, "bsbbssssbss"},  {71, "bssbbsbssss"},    {72, "bssbbssssbs"},  {73, "bssssbbsbss"},  {74, "bssssbbssbs"},
    {75, "bbssssbssbs"},  {76, "bbssbsbssss"},    {77, "bbbbsbbbsbs"},  {78, "bbssssbsbss"},  {79, "bsssbbbbsbs"},
    {80, "bsbssbbbbss"},  {81, "bssbsbbbbss"},    {82, "bssbssbbbbs"},  {83, "bsbbbbssbss"},  {84, "bssbbbbsbss"},
    {85, "bssbbbbssbs"},  {86, "bbbbsbssbss"},    {87, "bbbbssbsbss"},  {88, "bbbbssbssbs"},  {89, "bbsbbsbbbbs"},
    {90, "bbsbbbbsbbs"},  {91, "bbbbsbbsbbs"},    {92, "bsbsbbbbsss"},  {93, "bsbsssbbbbs"},  {94, "bsssbsbbbbs"},
    {95, "bsbbbbsbsss"},  {96, "bsbbbbsssbs"},    {97, "bbbbsbsbsss"},  {98, "bbbbsbsssbs"},  {99, "bsbbbsbbbbs"},
    {100, "bsbbbbsbbbs"}, {101, "bbbsbsbbbbs"},   {102, "bbbbsbsbbbs"}, {103, "bbsbssssbss"}, {104, "bbsbssbssss"},
    {105, "bbsbssbbbss"}, {106, "bbsssbbbsbsbb"}, {kEndOfTable, ""},
};
constexpr int kValueCount = 107;

enum class CodeSet { A, B, C };

// CODE A / CODE B / FNC4 change meaning with the set they are written in.
constexpr int kCodeAInB = 101;
constexpr int kCodeAInC = 101;
constexpr int kCodeBInA = 100;
constexpr int kCodeBInC = 100;
constexpr int kFnc4InA = 101;
constexpr int kFnc4InB = 100;

bool IsDigit(std::uint16_t e) {
  return e >= '0' && e <= '9';
}

bool IsData(std::uint16_t e) {
  return e < 256;
}

bool IsExtended(std::uint16_t e) {
  return e >= 128 && e < 256;
}

// A data byte that needs set A (a control character, plain or extended).
bool NeedsSetA(std::uint16_t e) {
  return IsData(e) && (e & 0x7F) < 32;
}

// A data byte that needs set B (a lower-case letter, DEL and the like, plain or extended).
bool NeedsSetB(std::uint16_t e) {
  return IsData(e) && (e & 0x7F) >= 96;
}

int ValueInSetA(unsigned ch) {
  if (ch < 32) {
    return static_cast<int>(ch) + 64;
  }
  return ch < 96 ? static_cast<int>(ch) - 32 : 0;
}

int ValueInSetB(unsigned ch) {
  return ch >= 32 && ch < 128 ? static_cast<int>(ch) - 32 : 0;
}

// A function character's value in set A or B, or -1 for an element that is none of them.
int FunctionValue(std::uint16_t e, CodeSet set) {
  switch (e) {
    case kFnc1:
      return kCode128Fnc1;
    case kFnc2:
      return 97;
    case kFnc3:
      return 96;
    case kFnc4:
      return set == CodeSet::A ? kFnc4InA : kFnc4InB;
    default:
      return -1;
  }
}

// The code-set chooser: walks the elements once, emitting symbol values.
class CodeSetSelector {
 public:
  explicit CodeSetSelector(const Elements& elements) : elements_(elements) {
    values_.reserve(elements.size() + elements.size() / 2 + 4);
  }

  std::vector<int> Run() {
    Start();
    while (i_ < elements_.size()) {
      switch (set_) {
        case CodeSet::C:
          StepInSetC();
          break;
        case CodeSet::A:
        case CodeSet::B:
          StepInSetAOrB();
          break;
      }
    }
    AppendCheckAndStop();
    return std::move(values_);
  }

 private:
  void Emit(int value) { values_.push_back(value); }

  void Start() {
    if ((elements_.size() == 2 && IsDigit(elements_[0]) && IsDigit(elements_[1])) || DigitRun(elements_, 0) != 2) {
      Emit(kCode128StartC);
      set_ = CodeSet::C;
      return;
    }
    set_ = FirstNeededSet(0);
    Emit(set_ == CodeSet::A ? kCode128StartA : kCode128StartB);
  }

  // A when a control character comes before any set-B-only byte from `from` on, else B.
  [[nodiscard]] CodeSet FirstNeededSet(std::size_t from) const {
    for (std::size_t k = from; k < elements_.size(); ++k) {
      if (NeedsSetA(elements_[k])) {
        return CodeSet::A;
      }
      if (NeedsSetB(elements_[k])) {
        return CodeSet::B;
      }
    }
    return CodeSet::B;
  }

  void StepInSetC() {
    const std::uint16_t e = elements_[i_];
    if (e == kFnc1) {
      Emit(kCode128Fnc1);
      ++i_;
      return;
    }
    if (i_ + 1 >= elements_.size() || !IsDigit(e) || !IsDigit(elements_[i_ + 1])) {
      set_ = FirstNeededSet(i_);
      Emit(set_ == CodeSet::A ? kCodeAInC : kCodeBInC);
      return;
    }
    Emit((e - '0') * 10 + (elements_[i_ + 1] - '0'));
    i_ += 2;
  }

  void StepInSetAOrB() {
    switch (DigitRun(elements_, i_)) {
      case 0:
        Emit(kCode128CodeC);
        set_ = CodeSet::C;
        return;
      case 1:
        // The odd digit stays in this set. Encoding it like any other element also
        // unlatches extended mode first, so the digit is not read as a byte above 127.
        EncodeElement();
        Emit(kCode128CodeC);
        set_ = CodeSet::C;
        return;
      default:
        EncodeElement();
        return;
    }
  }

  // Encodes the element at i_ in set A or B; may instead change to the other set and
  // leave i_ where it is.
  void EncodeElement() {
    const bool inA = set_ == CodeSet::A;
    const std::uint16_t e = elements_[i_];
    const int fnc4 = inA ? kFnc4InA : kFnc4InB;
    const auto needsOther = inA ? NeedsSetB : NeedsSetA;
    const auto otherValue = inA ? ValueInSetB : ValueInSetA;
    const auto ownValue = inA ? ValueInSetA : ValueInSetB;
    if (needsOther(e)) {
      if (i_ + 1 < elements_.size() && needsOther(elements_[i_ + 1])) {
        Emit(inA ? kCodeBInA : kCodeAInB);
        set_ = inA ? CodeSet::B : CodeSet::A;
        return;
      }
      if (!IsExtended(e)) {
        Unlatch(fnc4);
      } else if (!latched_) {
        ExtendNext(fnc4);
      }
      Emit(kCode128Shift);
      Emit(otherValue(e & 0x7Fu));
    } else if (IsExtended(e)) {
      if (!latched_) {
        ExtendNext(fnc4);
      }
      Emit(ownValue(e & 0x7Fu));
    } else if (IsData(e)) {
      Unlatch(fnc4);
      Emit(ownValue(e));
    } else if (const int value = FunctionValue(e, set_); value >= 0) {
      Unlatch(fnc4);
      Emit(value);
    }
    ++i_;
  }

  // FNC4 before one extended character, doubled (latching) before a long stretch of them.
  void ExtendNext(int fnc4) {
    Emit(fnc4);
    if (LatchAhead(elements_, i_)) {
      Emit(fnc4);
      latched_ = true;
    }
  }

  void Unlatch(int fnc4) {
    if (latched_) {
      Emit(fnc4);
      Emit(fnc4);
      latched_ = false;
    }
  }

  void AppendCheckAndStop() {
    long sum = 0;
    for (std::size_t p = 0; p < values_.size(); ++p) {
      sum += static_cast<long>(values_[p]) * static_cast<long>(p == 0 ? 1 : p);
    }
    Emit(static_cast<int>(sum % 103));
    Emit(kCode128Stop);
  }

  const Elements& elements_;
  std::vector<int> values_;
  std::size_t i_ = 0;
  CodeSet set_ = CodeSet::B;
  bool latched_ = false;
};

}  // namespace

Elements ParseTilde(std::string_view message) {
  Elements elements;
  elements.reserve(message.size());
  for (std::size_t i = 0; i < message.size(); ++i) {
    const auto c = static_cast<unsigned char>(message[i]);
    if (c != '~' || i + 1 >= message.size()) {
      elements.push_back(c);
      continue;
    }
    const char next = message[i + 1];
    if (next == '@' || (next >= 'A' && next <= 'Z')) {
      elements.push_back(static_cast<std::uint16_t>(next - 64));
      ++i;
    } else if (next >= '1' && next <= '4') {
      constexpr std::uint16_t kFunctions[] = {kFnc1, kFnc2, kFnc3, kFnc4};
      elements.push_back(kFunctions[next - '1']);
      ++i;
    } else if (next == 'd' && i + 4 < message.size() && IsDigit(static_cast<unsigned char>(message[i + 2])) &&
               IsDigit(static_cast<unsigned char>(message[i + 3])) &&
               IsDigit(static_cast<unsigned char>(message[i + 4])) &&
               (message[i + 2] - '0') * 100 + (message[i + 3] - '0') * 10 + (message[i + 4] - '0') <= 255) {
      elements.push_back(static_cast<std::uint16_t>((message[i + 2] - '0') * 100 + (message[i + 3] - '0') * 10 +
                                                    (message[i + 4] - '0')));
      i += 4;
    } else {
      elements.push_back(c);
    }
  }
  return elements;
}

int DigitRun(const Elements& elements, std::size_t start) {
  std::size_t count = 0;
  for (std::size_t k = start; k < elements.size(); ++k) {
    if (IsDigit(elements[k])) {
      ++count;
    } else if (elements[k] == kFnc1 && (k - start) % 2 == 0) {
      count += 2;
    } else {
      break;
    }
  }
  if (count < 4) {
    return 2;
  }
  return count % 2 == 0 ? 0 : 1;
}

bool LatchAhead(const Elements& elements, std::size_t index) {
  const std::size_t n = elements.size();
  const auto extendedFrom = [&](std::size_t count) {
    for (std::size_t k = index; k < index + count; ++k) {
      if (!IsExtended(elements[k])) {
        return false;
      }
    }
    return true;
  };
  return (index + 3 == n && extendedFrom(3)) || (index + 5 <= n && extendedFrom(5));
}

std::vector<int> SelectCodeSets(const Elements& elements) {
  return CodeSetSelector(elements).Run();
}

std::string_view Code128ValuePattern(int value) {
  if (value < 0 || value >= kValueCount) {
    return {};
  }
  return kCode128Table[value].pattern;
}

void Code128Pattern(const Elements& elements, std::string& pattern) {
  const std::vector<int> values = SelectCodeSets(elements);
  pattern.clear();
  pattern.reserve(values.size() * 11 + 2);
  for (const int value : values) {
    pattern += Code128ValuePattern(value);
  }
}

int CCode128Symbol::Encode(const std::string& message, std::string& pattern, std::string& text) const {
  const Elements elements = ParseTilde(UpToTerminator(message));
  Code128Pattern(elements, pattern);
  text = BuildText(elements);
  return 1;
}

}  // namespace Quillon::BrindleLib
