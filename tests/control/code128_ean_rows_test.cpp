// The dispatch rows of Code 128, GS1-128 and the UPC/EAN family.
#include <gtest/gtest.h>

#include <string>
#include <typeinfo>

#include "control/linear_registry.h"
#include "symbology/code128.h"
#include "symbology/ean128.h"
#include "symbology/upc_ean.h"

namespace linnet {
namespace {

using namespace Quillon::BrindleLib;

template <class T>
bool Is(const CSymbol& symbol) {
  return typeid(symbol) == typeid(T);
}

TEST(LinearRegistry, Code128AndUpcEanRows) {
  const struct {
    int symbology;
    bool (*isClass)(const CSymbol&);
    std::string message;
    std::string text;
  } cases[] = {
      {5, Is<CCode128Symbol>, "Code~M128", "Code 128"},
      {6, Is<CEAN128Symbol>, "(01)0061414100003(10)A", "(01)00614141000036(10)A"},
      {8, Is<CUpcaSymbol>, "03600029145", "036000291452 "},
      {9, Is<CUpceSymbol>, "123456", "01234565 "},
      {10, Is<CEan13Symbol>, "400638133393|12", "4006381333931 12"},
      {11, Is<CEan8Symbol>, "5512345", "55123457 "},
      {12, Is<CBooklandSymbol>, "0-7356-1967-0", "9780735619678  "},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.symbology);
    const LinearEncoderEntry* entry = FindLinearEncoder(c.symbology);
    ASSERT_NE(entry, nullptr);
    EXPECT_TRUE(c.isClass(*entry->create()));
    EXPECT_NO_THROW(entry->create()->Validate(c.message));
    LinearOptions options;
    std::string pattern;
    std::string text;
    entry->encode(c.message, options, pattern, text);
    EXPECT_EQ(text, c.text);
    EXPECT_FALSE(pattern.empty());
    // ShowHRText reaches the UPC/EAN encoders: without it no digit is in the pattern.
    options.showHRText = false;
    options.uccEanCheckDigit = true;
    std::string plain;
    entry->encode(c.message, options, plain, text);
    const bool upcEan = c.symbology >= 8;
    EXPECT_EQ(plain != pattern, upcEan);
    if (upcEan) {
      EXPECT_EQ(plain.find_first_of("0123456789"), std::string::npos);
    }
  }
}

}  // namespace
}  // namespace linnet
