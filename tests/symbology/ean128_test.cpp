#include "symbology/ean128.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <string>

#include "support/run_command.h"
#include "support/symbol_image.h"
#include "symbology/code128.h"

namespace Quillon::BrindleLib {
namespace {

// The Code 128 pattern of `data`, where '#' stands for FNC1.
std::string PatternOf(const std::string& data) {
  Elements elements;
  for (const char c : data) {
    elements.push_back(c == '#' ? kFnc1 : static_cast<unsigned char>(c));
  }
  std::string pattern;
  Code128Pattern(elements, pattern);
  return pattern;
}

TEST(Ean128, FieldsAndSeparators) {
  const struct {
    std::string message;
    std::string encoded;  // '#' = FNC1
    std::string text;
  } cases[] = {
      {"(01)00614141000036", "#0100614141000036", "(01)00614141000036"},
      {"(01)0061414100003", "#0100614141000036", "(01)00614141000036"},
      {"(01)00614141000039", "#0100614141000036", "(01)00614141000036"},
      {"(01)0061 4141 00003", "#0100614141000036", "(01)0061 4141 00003 6"},
      {"(10)ABC123(21)XYZ", "#10ABC123#21XYZ", "(10)ABC123(21)XYZ"},
      {"(01)00614141000036(10)ABC", "#010061414100003610ABC", "(01)00614141000036(10)ABC"},
      {"(01)00614141000036!(10)X", "#0100614141000036#10X", "(01)00614141000036(10)X"},
      {"(10)ABC~(21)X", "#10ABC21X", "(10)ABC(21)X"},
      {"(3103)000500(15)991231", "#310300050015991231", "(3103)000500(15)991231"},
      {"(4300)ANYTHING(10)X", "#4300ANYTHING#10X", "(4300)ANYTHING(10)X"},
      {"(4300)A~1B", "#4300A~1B", "(4300)A~1B"},  // a tilde in the data is data
      {"abc(10)X", "#10X", "(10)X"},
      {"", "#", ""},
      // Fixed-length AIs outside the predefined-length list take a separator.
      {"(402)12345678901234567(10)X", "#40212345678901234567#10X", "(402)12345678901234567(10)X"},
      {"(8018)123456789012345675(21)X", "#8018123456789012345675#21X", "(8018)123456789012345675(21)X"},
      {"(422)250(10)X", "#422250#10X", "(422)250(10)X"},
      {"(422)250~(10)X", "#42225010X", "(422)250(10)X"},
      {"(7003)1005311230(10)X", "#70031005311230#10X", "(7003)1005311230(10)X"},
      {"(10)X(402)12345678901234567", "#10X#40212345678901234567", "(10)X(402)12345678901234567"},
      // ... predefined-length AIs do not.
      {"(00)106141411234567897(20)12(410)1234567890128(10)X", "#001061414112345678972012410123456789012810X",
       "(00)106141411234567897(20)12(410)1234567890128(10)X"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.message);
    std::string pattern = "stale";
    std::string text = "stale";
    EXPECT_NE(CEAN128Symbol().Encode(c.message, false, pattern, text), 0);
    EXPECT_NO_THROW(CEAN128Symbol().Validate(c.message));
    EXPECT_EQ(pattern, PatternOf(c.encoded));
    EXPECT_EQ(text, c.text);
  }
}

TEST(Ean128, ProblemsAreReportedWithTheirCodes) {
  const struct {
    std::string message;
    int code;
  } cases[] = {
      {"(11)9912", 14},
      {"(11)99123A", 13},
      {"(10)AB-C", 11},
      {"01)123", 12},
      {"(0A)123", 10},
      {"()12", 10},
      {"(01", 12},
      {"(10)X(11)1", 14},
      {"(01)0061414100003(20)1x", 13},
      {"(10)123456789012345678901", 14},
      {"(8110)123", 14},
      {"plain text", 12},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.message);
    for (const bool encode : {false, true}) {
      try {
        std::string pattern;
        std::string text;
        if (encode) {
          CEAN128Symbol().Encode(c.message, true, pattern, text);
        } else {
          CEAN128Symbol().Validate(c.message);
        }
        ADD_FAILURE() << "nothing thrown";
      } catch (const invalid_ean128_format_error& e) {
        EXPECT_EQ(e.code, c.code);
      }
    }
  }
}

TEST(Ean128, TheCheckDigitOptionChangesNothing) {
  std::string withOption;
  std::string without;
  std::string text;
  CEAN128Symbol().Encode("(01)0061414100003(10)A", true, withOption, text);
  CEAN128Symbol().Encode("(01)0061414100003(10)A", false, without, text);
  EXPECT_EQ(withOption, without);
}

// What zxing-cpp reports for a symbol: its symbology identifier and escaped text.
struct ZxingResult {
  std::string identifier, text;
};

ZxingResult ReadGs1(const std::string& path) {
  const auto result = linnet::testing::RunCommand({"ZXingReader", "-format", "Code128", "-escape", path});
  ZxingResult read;
  const auto field = [&](const std::string& name) {
    const auto pos = result.out.find(name);
    if (pos == std::string::npos) {
      return std::string();
    }
    const auto start = result.out.find_first_not_of(' ', pos + name.size());
    return result.out.substr(start, result.out.find('\n', start) - start);
  };
  read.identifier = field("Identifier:");
  read.text = field("Text:");
  return read;
}

TEST(Ean128, ReadersReportTheGs1Data) {
  const auto dir = linnet::testing::MakeTempDir();
  const struct {
    std::string message;
    std::string zxing;  // escaped: <GS> is the FNC1 separator
  } cases[] = {
      {"(01)00614141000036(10)ABC123", "\"010061414100003610ABC123\""},
      {"(10)ABC123(21)XYZ", "\"10ABC123<GS>21XYZ\""},
      {"(01)0061 4141 00003(17)991231(10)LOT 7(21)42", "\"01006141410000361799123110LOT7<GS>2142\""},
      {"(00)106141411234567897", "\"00106141411234567897\""},
      // A reader cannot know where these fixed-length fields end: the separator tells it.
      {"(402)12345678901234567(10)X", "\"40212345678901234567<GS>10X\""},
      {"(8018)123456789012345675(21)S", "\"8018123456789012345675<GS>21S\""},
      {"(7001)1234567890123(10)X", "\"70011234567890123<GS>10X\""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.message);
    std::string pattern;
    std::string text;
    CEAN128Symbol().Encode(c.message, false, pattern, text);
    const auto path = dir + "/gs1.png";
    linnet::testing::WriteLinearPng(path, linnet::testing::ModulesFromBarSpace(pattern));
    const auto read = ReadGs1(path);
    EXPECT_EQ(read.identifier, "]C1");  // FNC1 first: GS1 data
    EXPECT_EQ(read.text, c.zxing);
    auto zbarData = c.zxing.substr(1, c.zxing.size() - 2);
    for (auto pos = zbarData.find("<GS>"); pos != std::string::npos; pos = zbarData.find("<GS>")) {
      zbarData.replace(pos, 4, 1, '\x1D');
    }
    EXPECT_EQ(linnet::testing::ZbarRead(path), "CODE-128:" + zbarData);
  }
  std::filesystem::remove_all(dir);
}

TEST(Ean128, AnyByteStringIsEncodedOrRefused) {
  std::mt19937 random(128);
  const std::string alphabet = "()0123456789ABC~! -\x01\xC8";
  for (int trial = 0; trial < 400; ++trial) {
    std::string message;
    const int length = static_cast<int>(random() % 40);
    for (int k = 0; k < length; ++k) {
      message.push_back(trial % 3 == 0 ? static_cast<char>(random() % 256) : alphabet[random() % alphabet.size()]);
    }
    SCOPED_TRACE(trial);
    std::string pattern;
    std::string text;
    try {
      CEAN128Symbol().Encode(message, false, pattern, text);
      EXPECT_EQ((pattern.size() - 13) % 11, 0U);
      EXPECT_NO_THROW(CEAN128Symbol().Validate(message));
    } catch (const invalid_ean128_format_error& e) {
      EXPECT_GE(e.code, 10);
      EXPECT_LE(e.code, 14);
      EXPECT_THROW(CEAN128Symbol().Validate(message), invalid_ean128_format_error);
    }
  }
}

}  // namespace
}  // namespace Quillon::BrindleLib
