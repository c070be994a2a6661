// The dispatch rows of the two-of-five, Code 93, Codabar, Code 11, MSI, postal and Telepen
// encoders: which options reach which encoder, and that no byte string breaks them.
#include <gtest/gtest.h>

#include <random>

#include "control/linear_registry.h"
#include "symbology/codabar.h"
#include "symbology/code11.h"
#include "symbology/code93.h"
#include "symbology/msi.h"
#include "symbology/postal.h"
#include "symbology/telepen.h"
#include "symbology/two_of_five.h"

namespace linnet {
namespace {

using namespace Quillon::BrindleLib;

struct Encoded {
  std::string pattern, text;
  bool operator==(const Encoded&) const = default;
};

Encoded ThroughRow(int symbology, const std::string& message, const LinearOptions& options) {
  const LinearEncoderEntry* entry = FindLinearEncoder(symbology);
  EXPECT_NE(entry, nullptr) << symbology;
  Encoded e;
  if (entry != nullptr) {
    entry->encode(message, options, e.pattern, e.text);
  }
  return e;
}

template <class Call>
Encoded Direct(Call call) {
  Encoded e;
  call(e.pattern, e.text);
  return e;
}

LinearOptions Options(bool i2of5, bool code25, bool show) {
  LinearOptions o;
  o.i2of5CheckDigit = i2of5;
  o.code25CheckDigit = code25;
  o.showCheckDigit = show;
  o.code39CheckDigit = true;  // reaches none of these encoders
  return o;
}

TEST(LinearRegistryRows, OptionsReachTheirEncoders) {
  for (const bool i2of5 : {false, true}) {
    for (const bool code25 : {false, true}) {
      for (const bool show : {false, true}) {
        SCOPED_TRACE(::testing::Message() << "i2of5 " << i2of5 << " code25 " << code25 << " show " << show);
        const LinearOptions o = Options(i2of5, code25, show);
        EXPECT_EQ(ThroughRow(31, "123", o),
                  Direct([&](auto& p, auto& t) { CCode25Symbol().Encode("123", code25, show, p, t); }));
        EXPECT_EQ(ThroughRow(7, "123", o),
                  Direct([&](auto& p, auto& t) { CItf25Symbol().Encode("123", i2of5, show, p, t); }));
        EXPECT_EQ(ThroughRow(3, "123", o), Direct([&](auto& p, auto& t) { CCodabarSymbol().Encode("123", p, t); }));
        EXPECT_EQ(ThroughRow(4, "TEST93", o),
                  Direct([&](auto& p, auto& t) { CCode93Symbol().Encode("TEST93", show, p, t); }));
        EXPECT_EQ(ThroughRow(13, "ABC", o),
                  Direct([&](auto& p, auto& t) { CTelepenSymbol().Encode("ABC", show, p, t); }));
        EXPECT_EQ(ThroughRow(14, "1234", o),
                  Direct([&](auto& p, auto& t) { CTelepenNumericSymbol().Encode("1234", show, p, t); }));
        EXPECT_EQ(ThroughRow(20, "12345", o),
                  Direct([&](auto& p, auto& t) { CPostnetSymbol().Encode("12345", show, p, t); }));
        EXPECT_EQ(ThroughRow(21, "12345", o),
                  Direct([&](auto& p, auto& t) { CPlanetSymbol().Encode("12345", show, p, t); }));
        EXPECT_EQ(ThroughRow(22, "SN34RD1A", o),
                  Direct([&](auto& p, auto& t) { CRoyalMailSymbol().Encode("SN34RD1A", show, p, t); }));
        EXPECT_EQ(ThroughRow(30, "1234567", o),
                  Direct([&](auto& p, auto& t) { CMSISymbol().Encode("1234567", show, p, t); }));
        EXPECT_EQ(ThroughRow(32, "123-45", o),
                  Direct([&](auto& p, auto& t) { CCode11Symbol().Encode("123-45", show, p, t); }));
      }
    }
  }
  // The Code 25 check digit follows its own option only.
  EXPECT_EQ(ThroughRow(31, "123", Options(true, false, true)).text, "123");
  EXPECT_EQ(ThroughRow(31, "123", Options(false, true, true)).text, "1236");
}

// Each row's symbology and the letters its patterns are written in.
const struct {
  int symbology;
  std::string alphabet;
} kRows[] = {{3, "NW"},  {4, "bs"},    {7, "nw"},  {13, "nw"}, {14, "nw"}, {20, "hl"},
             {21, "hl"}, {22, "abcd"}, {30, "bs"}, {31, "NW"}, {32, "NW"}};

TEST(LinearRegistryRows, AnyByteStringIsValidatedOrEncodedSafely) {
  std::mt19937 random(20240611);
  std::vector<std::string> messages = {"", std::string(1, '\0'), std::string(300, '\\'), "\\255\\000\\999\\"};
  for (int i = 0; i < 400; ++i) {
    std::string m(random() % 40, '\0');
    for (char& c : m) {
      c = static_cast<char>(random() % 256);
    }
    messages.push_back(m);
  }
  for (const auto& row : kRows) {
    const LinearEncoderEntry* entry = FindLinearEncoder(row.symbology);
    ASSERT_NE(entry, nullptr) << row.symbology;
    const auto symbol = entry->create();
    for (const auto& m : messages) {
      try {
        symbol->Validate(m);
      } catch (const invalid_character_error& e) {
        EXPECT_EQ(e.code, 1);
      }
      for (const bool option : {false, true}) {
        Encoded e;
        ASSERT_NO_THROW(entry->encode(m, Options(option, option, option), e.pattern, e.text)) << row.symbology;
        ASSERT_FALSE(e.pattern.empty()) << row.symbology;
        ASSERT_EQ(e.pattern.find_first_not_of(row.alphabet), std::string::npos) << row.symbology;
      }
    }
  }
}

}  // namespace
}  // namespace linnet
