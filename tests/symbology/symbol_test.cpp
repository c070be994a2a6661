#include "symbology/symbol.h"

#include <gtest/gtest.h>

namespace Quillon::BrindleLib {
namespace {

class SetSymbol : public CSymbol {
 public:
  explicit SetSymbol(std::string set) : set_(std::move(set)) {}
  [[nodiscard]] std::string GetValidCharacters() const override { return set_; }

 private:
  std::string set_;
};

struct ValidateCase {
  std::string set;
  std::string message;
  bool ok;
  char named;  // the character the error names
};

TEST(SymbolValidate, ChecksAgainstTheValidSet) {
  const ValidateCase cases[] = {
      {"@@@@", "", true, 0},
      {"@@@@", "\xff\x80 anything", true, 0},
      {"####", std::string("\x01\x7f abc", 6), true, 0},
      {"####", "ab\x80z", false, '\x80'},
      {"0123456789", "12a4b", false, 'a'},
      {"0123456789", "", true, 0},
      {"", "x", false, 'x'},
      {"", "", true, 0},
      {"AB", std::string("AB\0C", 4), true, 0},  // the message ends at its zero byte
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.set + " / " + c.message);
    if (c.ok) {
      EXPECT_NO_THROW(SetSymbol(c.set).Validate(c.message));
      continue;
    }
    try {
      SetSymbol(c.set).Validate(c.message);
      ADD_FAILURE() << "accepted";
    } catch (const invalid_character_error& e) {
      EXPECT_EQ(e.code, 1);
      EXPECT_EQ(e.message, std::string("Invalid character found. The character ") + c.named +
                               " can not be encoded by the current symbology.");
    }
  }
}

TEST(SymbolValidate, AsciiSetAcceptsEveryByteBelow128) {
  std::string all;
  for (int c = 1; c < 128; ++c) {
    all.push_back(static_cast<char>(c));
  }
  EXPECT_NO_THROW(SetSymbol("####").Validate(all));
}

TEST(SymbolElements, ParseEscaped) {
  const struct {
    std::string message;
    Elements expected;
  } cases[] = {
      {"\\\\", {'\\'}},
      {"\\065", {'A'}},
      {"\\256", {'\\', '2', '5', '6'}},
      {"\\12", {'\\', '1', '2'}},
      {"\\", {'\\'}},
      {"a\\009b", {'a', 9, 'b'}},
      {"\\200", {200}},
      {"\\\\065", {'\\', '0', '6', '5'}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.message);
    EXPECT_EQ(ParseEscaped(c.message), c.expected);
  }
}

TEST(SymbolElements, ParsePlainKeepsEveryByte) {
  EXPECT_EQ(ParsePlain("\\0\xff"), (Elements{'\\', '0', 0xff}));
}

TEST(SymbolElements, FilterElements) {
  EXPECT_EQ(FilterElements({'1', '2', ' ', '3', '4', '-', '5'}, "0123456789"), (Elements{'1', '2', '3', '4', '5'}));
  EXPECT_EQ(FilterElements({'a', 300, 200, 'b'}, "####"), (Elements{'a', 300, 'b'}));
  EXPECT_EQ(FilterElements({'a', 300, 200}, "@@@@"), (Elements{'a', 300, 200}));
  EXPECT_EQ(FilterElements({'a', 300}, ""), (Elements{300}));
}

TEST(SymbolElements, BuildTextShowsControlsAsSpacesAndDropsFunctionCodes) {
  EXPECT_EQ(BuildText({'a', '\t', 'b', 0x7f, 300, 'c', 0xe9}), std::string("a b c\xe9"));
}

TEST(SymbolPatterns, LookupPattern) {
  const PatternRecord table[] = {{'A', "bsb"}, {0xC0, "bbs"}, {'A', "second"}, {kEndOfTable, ""}};
  EXPECT_EQ(LookupPattern('A', table), "bsb");
  EXPECT_EQ(LookupPattern(0xC0, table), "bbs");
  EXPECT_EQ(LookupPattern('Z', table), "");
}

}  // namespace
}  // namespace Quillon::BrindleLib
