#include "symbology/upc_ean.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "support/run_command.h"
#include "support/symbol_image.h"
#include "symbology/linear_reference.h"
#include "symbology/upc_ean_tokens.h"

namespace Quillon::BrindleLib {
namespace {

std::vector<std::string> Tokens(const std::string& pattern) {
  std::vector<std::string> tokens;
  std::size_t start = 0;
  while (start <= pattern.size()) {
    auto end = pattern.find('|', start);
    if (end == std::string::npos) {
      end = pattern.size();
    }
    tokens.push_back(pattern.substr(start, end - start));
    start = end + 1;
  }
  return tokens;
}

bool IsModules(const std::string& t) {
  return !t.empty() && t.find_first_not_of("bs") == std::string::npos;
}

// One letter per token: 'O' a full-size outside digit, 'r' a reduced outside digit, 'G' bars
// at guard height (a guard, or a data character without its digit), 'd' a data character
// with its digit, ' ' the gap, '?' anything else. Empty tokens (between a leading '|' and
// the supplement) are skipped.
std::string Shape(const std::string& pattern) {
  std::string shape;
  for (const auto& t : Tokens(pattern)) {
    if (t.empty()) {
      continue;
    }
    if (t == " ") {
      shape += ' ';
    } else if (t.size() == 1 && t[0] >= '0' && t[0] <= '9') {
      shape += 'O';
    } else if (t.size() == 1 && t[0] >= 'a' && t[0] <= 'j') {
      shape += 'r';
    } else if (IsModules(t)) {
      shape += 'G';
    } else if (t[0] >= '0' && t[0] <= '9' && IsModules(t.substr(1))) {
      shape += 'd';
    } else {
      shape += '?';
    }
  }
  return shape;
}

// The printed digits of the pattern, in order ("a".."j" as their digit).
std::string PrintedDigits(const std::string& pattern) {
  std::string digits;
  for (const auto& t : Tokens(pattern)) {
    if (t.size() == 1 && t[0] >= 'a' && t[0] <= 'j') {
      digits += static_cast<char>(t[0] - 'a' + '0');
    } else if (!t.empty() && t[0] >= '0' && t[0] <= '9') {
      digits += t[0];
    }
  }
  return digits;
}

// Bars of the symbol, '1' dark; the gap token becomes nine light modules.
std::string Modules(const std::string& pattern, std::string* guards = nullptr) {
  std::string modules;
  for (auto t : Tokens(pattern)) {
    if (t == " ") {
      modules += "000000000";
      if (guards != nullptr) {
        *guards += "000000000";
      }
      continue;
    }
    const bool labelled = !t.empty() && t[0] >= '0' && t[0] <= '9';
    if (labelled) {
      t.erase(0, 1);
    }
    if (!IsModules(t)) {
      continue;
    }
    for (const char c : t) {
      modules += c == 'b' ? '1' : '0';
      if (guards != nullptr) {
        *guards += c == 'b' && !labelled ? '1' : '0';
      }
    }
  }
  return modules;
}

struct Encoded {
  std::string pattern, text;
};

Encoded Encode(const CUebSymbol& symbol, const std::string& message, bool show = true) {
  Encoded e{"stale", "stale"};
  EXPECT_NE(symbol.Encode(message, show, e.pattern, e.text), 0);
  return e;
}

const CUebSymbol& Symbol(const std::string& name) {
  static const std::map<std::string, std::shared_ptr<CUebSymbol>> symbols = {
      {"UPC-A", std::make_shared<CUpcaSymbol>()},        {"UPC-E", std::make_shared<CUpceSymbol>()},
      {"EAN-13", std::make_shared<CEan13Symbol>()},      {"EAN-8", std::make_shared<CEan8Symbol>()},
      {"Bookland", std::make_shared<CBooklandSymbol>()},
  };
  return *symbols.at(name);
}

TEST(UpcEan, WorkedExamples) {
  const struct {
    std::string symbology, message;
    bool show;
    std::string text, shape;
  } cases[] = {
      {"EAN-13", "400638133393", true, "4006381333931 ", "OGddddddGddddddG "},
      {"EAN-13", "4006381333939", true, "4006381333931 ", "OGddddddGddddddG "},
      {"EAN-13", "4006381333931|12", true, "4006381333931 12", "OGddddddGddddddG Gdd"},
      {"EAN-13", "4006381333931|52495", true, "4006381333931 52495", "OGddddddGddddddG Gddddd"},
      {"EAN-13", "400638133393", false, "4006381333931 ", "GGGGGGGGGGGGGGG "},
      {"EAN-13", "400638133393|12", false, "4006381333931 12", "GGGGGGGGGGGGGGG GGG"},
      {"UPC-A", "03600029145", true, "036000291452 ", "rGGdddddGdddddGGr "},
      {"UPC-A", "036000291459|99", true, "036000291452 99", "rGGdddddGdddddGGr Gdd"},
      {"UPC-E", "123456", true, "01234565 ", "rGddddddGr "},
      {"UPC-E", "1234560|12345", true, "01234565 12345", "rGddddddGr Gddddd"},
      {"EAN-8", "5512345", true, "55123457 ", "GddddGddddG "},
      {"EAN-8", "55123450|07", true, "55123457 07", "GddddGddddG Gdd"},
      {"Bookland", "0-7356-1967-0", true, "9780735619678  ", "OGddddddGddddddG "},
      {"Bookland", "0-7356-1967-X|90000", true, "9780735619678  90000", "OGddddddGddddddG Gddddd"},
      {"Bookland", "ISBN 0 7356 1967", true, "9780735619678  ", "OGddddddGddddddG "},
      {"EAN-13", "|12", true, "12", "Gdd"},  // supplement alone: no gap
      {"EAN-13", "400638133393|", true, "4006381333931 ", "OGddddddGddddddG "},
      {"EAN-13", "400638133393|123", true, "4006381333931 12300", "OGddddddGddddddG Gddddd"},
      {"EAN-13", "400638133393|1234567", true, "4006381333931 12345", "OGddddddGddddddG Gddddd"},
      {"EAN-13", "400638133393|1", true, "4006381333931 10", "OGddddddGddddddG Gdd"},
      {"EAN-13", "400638133393| ", true, "4006381333931 00", "OGddddddGddddddG Gdd"},
      // A main part that bypassed Validate is completed with zeros on the right.
      {"EAN-13", "40063813", true, "4006381300001 ", "OGddddddGddddddG "},
      {"UPC-A", "", true, "", ""},
      {"UPC-A", "0360 0029 145", true, "036000291452 ", "rGGdddddGdddddGGr "},
      {"EAN-8", "55A12345", true, "55123457 ", "GddddGddddG "},  // not encodable: dropped
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.symbology + " " + c.message);
    const auto e = Encode(Symbol(c.symbology), c.message, c.show);
    EXPECT_EQ(e.text, c.text);
    EXPECT_EQ(Shape(e.pattern), c.shape);
    if (c.show) {
      // Every digit of the text is printed somewhere, in order.
      std::string textDigits;
      for (const char ch : e.text) {
        if (ch != ' ') {
          textDigits += ch;
        }
      }
      EXPECT_EQ(PrintedDigits(e.pattern), textDigits);
    } else {
      EXPECT_EQ(e.pattern.find_first_of("0123456789acdefghij"), std::string::npos);
    }
  }
}

TEST(UpcEan, OutsideDigitsAndGuards) {
  const auto upca = Encode(CUpcaSymbol(), "03600029145");
  EXPECT_EQ(upca.pattern.substr(0, 6), "a|bsb|");                       // number system 0
  EXPECT_EQ(upca.pattern.substr(upca.pattern.size() - 8), "|bsb|c| ");  // check digit 2
  const auto upce = Encode(CUpceSymbol(), "123456");
  EXPECT_EQ(upce.pattern.substr(upce.pattern.size() - 11), "|sbsbsb|f| ");
  const auto ean13 = Encode(CEan13Symbol(), "400638133393");
  EXPECT_EQ(ean13.pattern.substr(0, 6), "4|bsb|");
  const auto supplement = Encode(CEan13Symbol(), "|12");
  EXPECT_EQ(supplement.pattern.substr(0, 6), "|bsbb|");
  const auto bookland = Encode(CBooklandSymbol(), "0-7356-1967-0");
  EXPECT_EQ(bookland.pattern, Encode(CEan13Symbol(), "978073561967").pattern);
}

TEST(UpcEan, ExpandUpcE) {
  const struct {
    std::string upce, upca;  // empty upca: invalid
  } cases[] = {
      {"0123450", "01200000345"},
      {"0123451", "01210000345"},
      {"0123452", "01220000345"},
      {"0123453", "01230000045"},
      {"0123454", "01234000005"},
      {"0123455", "01234500005"},
      {"0123456", "01234500006"},
      {"0123459", "01234500009"},
      {"0129453", "01290000045"},
      {"0120453", ""},
      {"0121453", ""},
      {"0122453", ""},
      {"1123456", ""},
      {"012345", ""},
      {"01234567", ""},
      {"01234a6", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.upce);
    if (c.upca.empty()) {
      try {
        ExpandUpcE(c.upce);
        ADD_FAILURE() << "accepted";
      } catch (const invalid_upce_number_error& e) {
        EXPECT_EQ(e.code, 3);
        EXPECT_EQ(e.message, "Invalid UPCE number");
      }
    } else {
      EXPECT_EQ(ExpandUpcE(c.upce), c.upca);
    }
  }
  // The bad expansion is found when the symbol is drawn, not when the message is set.
  EXPECT_NO_THROW(CUpceSymbol().Validate("120453"));
  std::string pattern;
  std::string text;
  EXPECT_THROW(CUpceSymbol().Encode("120453", true, pattern, text), invalid_upce_number_error);
  EXPECT_EQ(IsbnToEan13("0-7356-1967-0"), "978073561967");
  EXPECT_EQ(IsbnToEan13("12"), "978120000000");
}

TEST(UpcEan, Validation) {
  const struct {
    std::string symbology, message;
    int code;  // 0: accepted
    std::string text;
  } cases[] = {
      {"EAN-13", "400638133393", 0, ""},
      {"EAN-13", "4006381333931|12", 0, ""},
      {"EAN-13", "|52495", 0, ""},
      {"EAN-13", "", 0, ""},
      {"EAN-13", "400638133393|", 0, ""},
      {"EAN-13", "40063813339", 2, "EAN-13 main symbol requires 12 or 13 digits."},
      {"EAN-13", "40063813339A", 1, "EAN-13 main symbol can only encode numeric data."},
      {"EAN-13", "4006 38133393", 1, "EAN-13 main symbol can only encode numeric data."},
      {"EAN-13", "400638133393|123", 2, "UPC/EAN supplements can encode only 2 digits or 5 digits numeric data."},
      {"EAN-13", "400638133393|1 2", 1, "2-digit or 5-digit numeric data is required for UPC/EAN supplements."},
      {"EAN-13", "4006381333|1x", 1, "2-digit or 5-digit numeric data is required for UPC/EAN supplements."},
      {"UPC-A", "03600029145", 0, ""},
      {"UPC-A", "036000291452", 0, ""},
      {"UPC-A", "0360002914", 2, "UPC-A main symbol requires 11 or 12 digits."},
      {"UPC-A", "0360002914x", 1, "UPC-A main symbol can only encode numeric data."},
      {"UPC-E", "123456", 0, ""},
      {"UPC-E", "12345678", 2, "UPC-E main symbol requires 6 or 7 digits."},
      {"UPC-E", "12345-", 1, "UPC-E main symbol can only encode numeric data."},
      {"EAN-8", "5512345", 0, ""},
      {"EAN-8", "551234", 2, "EAN-8 main symbol requires 7 or 8 digits."},
      {"EAN-8", "55123.5", 1, "EAN-8 main symbol can only encode numeric data."},
      {"Bookland", "0-7356-1967-0", 0, ""},
      {"Bookland", "0-7356-1967-X|90000", 0, ""},
      {"Bookland", "ISBN 073561967", 0, ""},
      {"Bookland", "0-7356-196", 2, "ISBN string should contain at least 9 digits. "},
      {"Bookland", "0-7356-1967-01", 2, "ISBN string should contain at least 9 digits. "},
      {"Bookland", "0-7356-1967-0|123", 2, "Supplement must be either 2 digits or 5 digits. "},
      {"Bookland", "0-7356-1967-0|", 0, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.symbology + " " + c.message);
    try {
      Symbol(c.symbology).Validate(c.message);
      EXPECT_EQ(c.code, 0);
    } catch (const barlib_error& e) {
      EXPECT_EQ(e.code, c.code);
      EXPECT_EQ(e.message, c.text);
      EXPECT_EQ(dynamic_cast<const invalid_length_error*>(&e) != nullptr, c.code == 2);
    }
  }
}

// The EAN/UPC reference tables by "KIND key": the modules, parity letters or guard.
std::map<std::string, std::string> ReadReference() {
  std::map<std::string, std::string> table;
  for (const char* kind :
       {"EAN_A", "EAN_B", "EAN_C", "EAN13_PARITY", "UPCE_PARITY", "ADDON5_PARITY", "ADDON2_PARITY", "EAN_GUARD"}) {
    for (const auto& record : linnet::testing::LinearReference(kind)) {
      std::string name = kind;
      name += ' ';
      name += record.front();
      table[name] = record.back();
    }
  }
  return table;
}

std::string AsLetters(std::string modules) {
  for (char& c : modules) {
    c = c == '1' ? 'b' : 's';
  }
  return modules;
}

TEST(UpcEan, TablesMatchTheStandard) {
  auto ref = ReadReference();
  ASSERT_FALSE(ref.empty());
  using upc_ean::NumberSet;
  for (char d = '0'; d <= '9'; ++d) {
    SCOPED_TRACE(d);
    const std::string key(1, d);
    EXPECT_EQ(upc_ean::DigitModules(d, NumberSet::A), AsLetters(ref["EAN_A " + key]));
    EXPECT_EQ(upc_ean::DigitModules(d, NumberSet::B), AsLetters(ref["EAN_B " + key]));
    EXPECT_EQ(upc_ean::DigitModules(d, NumberSet::C), AsLetters(ref["EAN_C " + key]));
    std::string ean13 = ref["EAN13_PARITY " + key];
    std::string upce = ref["UPCE_PARITY " + key];
    std::string addon = ref["ADDON5_PARITY " + key];
    for (auto* s : {&ean13, &upce}) {
      for (char& c : *s) {
        c = c == 'A' ? 'O' : 'E';
      }
    }
    for (char& c : addon) {
      c = c == 'A' ? '1' : '0';
    }
    EXPECT_EQ(upc_ean::Ean13Parity(d), ean13);
    EXPECT_EQ(upc_ean::UpcEParity(d), upce);
    EXPECT_EQ(upc_ean::Supplement5Parity(d), addon);
  }
  EXPECT_EQ(upc_ean::kNormalGuard, AsLetters(ref["EAN_GUARD NORMAL"]));
  EXPECT_EQ(upc_ean::kCentreGuard, AsLetters(ref["EAN_GUARD CENTRE"]));
  EXPECT_EQ(upc_ean::kUpcEEndGuard, AsLetters(ref["EAN_GUARD UPCE_END"]));
  EXPECT_EQ(upc_ean::kSupplementStart, AsLetters(ref["EAN_GUARD ADDON_START"]));
  EXPECT_EQ(upc_ean::kSupplementDelineator, AsLetters(ref["EAN_GUARD ADDON_SEP"]));
}

// Symbols rebuilt from the reference tables alone must equal the encoder's modules.
TEST(UpcEan, SymbolsEqualTheirReferenceConstruction) {
  auto ref = ReadReference();
  const auto digit = [&](char set, char d) { return ref[std::string("EAN_") + set + " " + d]; };
  const auto guard = [&](const char* name) { return ref[std::string("EAN_GUARD ") + name]; };
  std::mt19937 random(15420);
  for (int trial = 0; trial < 300; ++trial) {
    std::string d;
    for (int k = 0; k < 12; ++k) {
      d += static_cast<char>('0' + random() % 10);
    }
    const std::string supplement = std::to_string(random() % 100000 + 100000).substr(1, trial % 2 == 0 ? 2 : 5);
    d += GtinCheckDigit(d);
    std::string message = d;
    message += '|';
    message += supplement;
    SCOPED_TRACE(message);
    std::string expected = guard("NORMAL");
    for (int k = 1; k < 7; ++k) {
      expected += digit(ref["EAN13_PARITY " + d.substr(0, 1)][k - 1], d[k]);
    }
    expected += guard("CENTRE");
    for (int k = 7; k < 13; ++k) {
      expected += digit('C', d[k]);
    }
    expected += guard("NORMAL") + "000000000" + guard("ADDON_START");
    std::string sets;
    if (supplement.size() == 2) {
      sets = ref["ADDON2_PARITY " + std::to_string(std::stoi(supplement) % 4)];
    } else {
      const auto v = [&](int k) { return supplement[k] - '0'; };
      sets = ref["ADDON5_PARITY " + std::to_string((3 * (v(0) + v(2) + v(4)) + 9 * (v(1) + v(3))) % 10)];
    }
    for (std::size_t k = 0; k < supplement.size(); ++k) {
      if (k > 0) {
        expected += guard("ADDON_SEP");
      }
      expected += digit(sets[k], supplement[k]);
    }
    EXPECT_EQ(Modules(Encode(CEan13Symbol(), message).pattern), expected);
  }
}

// Encodes, draws with guard bars five modules longer than data bars, and reads back.
std::string DrawLabel(const std::string& path, const CUebSymbol& symbol, const std::string& message) {
  const auto e = Encode(symbol, message);
  std::string guards;
  const std::string bars = Modules(e.pattern, &guards);
  linnet::testing::ModuleRows rows(50, bars);
  rows.insert(rows.end(), 5, guards);
  linnet::testing::WriteModulePng(path, rows, 3, 1, 12);
  return e.text;
}

TEST(UpcEan, ReadersDecodeTheSymbols) {
  const auto dir = linnet::testing::MakeTempDir();
  const struct {
    std::string symbology, message;
    std::string zxing;  // ZXingReader's text: the main number, then a supplement after a space
    std::string zbar;   // zbarimg's lines, the supplement first
  } cases[] = {
      {"EAN-13", "400638133393", "4006381333931", "EAN-13:4006381333931"},
      {"EAN-13", "5901234123457|12", "5901234123457 12", "EAN-2:12\nEAN-13:5901234123457"},
      {"EAN-13", "400638133393|52495", "4006381333931 52495", "EAN-5:52495\nEAN-13:4006381333931"},
      {"UPC-A", "03600029145", "036000291452", "UPC-A:036000291452"},
      {"UPC-A", "03600029145|05", "036000291452 05", "EAN-2:05\nUPC-A:036000291452"},
      {"UPC-E", "123456", "01234565", "UPC-E:01234565"},
      {"UPC-E", "425261|51000", "04252614 51000", "EAN-5:51000\nUPC-E:04252614"},
      {"EAN-8", "9638507", "96385074", "EAN-8:96385074"},
      {"EAN-8", "5512345|07", "55123457 07", "EAN-2:07\nEAN-8:55123457"},
      {"Bookland", "0-7356-1967-0", "9780735619678", "ISBN-13:9780735619678"},
      {"Bookland", "0-7356-1967-0|90000", "9780735619678 90000", "EAN-5:90000\nISBN-13:9780735619678"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.symbology + " " + c.message);
    const auto path = dir + "/upc.png";
    DrawLabel(path, Symbol(c.symbology), c.message);
    const auto zxing = linnet::testing::RunCommand({"ZXingReader", path});
    EXPECT_NE(zxing.out.find("Text:       \"" + c.zxing + "\""), std::string::npos) << zxing.out;
    auto zbar = linnet::testing::RunCommand({"zbarimg", "--quiet", "-Sean2.enable", "-Sean5.enable", "-Supca.enable",
                                             "-Supce.enable", "-Sisbn13.enable", path});
    while (!zbar.out.empty() && zbar.out.back() == '\n') {
      zbar.out.pop_back();
    }
    EXPECT_EQ(zbar.out, c.zbar);
  }
  std::filesystem::remove_all(dir);
}

TEST(UpcEan, AnyByteStringIsEncodedOrRefused) {
  std::mt19937 random(8);
  const std::string alphabet = "0123456789|| -X\x80";
  const char* names[] = {"UPC-A", "UPC-E", "EAN-13", "EAN-8", "Bookland"};
  for (int trial = 0; trial < 500; ++trial) {
    std::string message;
    const int length = static_cast<int>(random() % 22);
    for (int k = 0; k < length; ++k) {
      message.push_back(trial % 4 == 0 ? static_cast<char>(random() % 256) : alphabet[random() % alphabet.size()]);
    }
    const CUebSymbol& symbol = Symbol(names[trial % 5]);
    SCOPED_TRACE(std::string(names[trial % 5]) + " " + message);
    std::string pattern;
    std::string text;
    try {
      symbol.Encode(message, trial % 3 != 0, pattern, text);
      EXPECT_EQ(Shape(pattern).find('?'), std::string::npos);
    } catch (const invalid_upce_number_error& e) {
      EXPECT_EQ(e.code, 3);
    }
    try {
      symbol.Validate(message);
    } catch (const barlib_error& e) {
      EXPECT_TRUE(e.code == 1 || e.code == 2) << e.code;
    }
  }
}

}  // namespace
}  // namespace Quillon::BrindleLib
