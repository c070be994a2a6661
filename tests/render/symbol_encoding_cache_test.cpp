#include "render/symbol_encoding_cache.h"

#include <gtest/gtest.h>

#include "control/matrix_dispatch.h"
#include "control/qln_barcode.h"
#include "symbology/barlib_error.h"

namespace linnet {
namespace {

// What the scope hands out must be what a fresh encoding gives at that moment: the same
// symbol, the same failure, and a new symbol as soon as a property changes in between.
struct Outcome {
  EncodedSymbol linear;
  std::vector<std::string> matrix;
  int failure = 0;  // the engine's error code, 0 none
};

Outcome Encode(const CQlnBarcode& control, bool throughScope) {
  Outcome o;
  try {
    o.linear = throughScope ? LinearSymbolFor(control) : EncodeLinearSymbol(control);
    o.matrix = throughScope ? MatrixRowsFor(control) : EncodeMatrixRows(control);
  } catch (const Quillon::BrindleLib::barlib_error& e) {
    o.failure = e.code;
  }
  return o;
}

void ExpectSame(const Outcome& a, const Outcome& b) {
  EXPECT_EQ(a.linear.pattern, b.linear.pattern);
  EXPECT_EQ(a.linear.text, b.linear.text);
  EXPECT_EQ(a.matrix, b.matrix);
  EXPECT_EQ(a.failure, b.failure);
}

TEST(SymbolEncodingScope, HandsOutWhatAFreshEncodingGivesUntilAPropertyChanges) {
  const struct {
    std::int32_t symbology;
    std::u16string message;
    std::u16string changed;  // the message put inside the scope
  } cases[] = {
      {5, u"Linnet-12345", u"Other-678"},
      {10, u"400638133393", u"590123412345"},
      {41, std::u16string(4000, u'x'), u"fits"},  // a failure, then a symbol
      {41, u"DataMatrix text", u"Longer DataMatrix text with more words"},
      {40, u"PDF417 text", u"PDF417 other"},
      {42, u"MaxiCode", u"MaxiCode again"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.symbology);
    CQlnBarcode control;
    control.put_Symbology(c.symbology);
    control.put_Message(c.message);
    const Outcome before = Encode(control, false);
    const SymbolEncodingScope scope;
    ExpectSame(Encode(control, true), before);
    ExpectSame(Encode(control, true), before);
    control.put_Message(c.changed);
    ExpectSame(Encode(control, true), Encode(control, false));
    control.put_Message(c.message);
    ExpectSame(Encode(control, true), before);
  }
}

TEST(SymbolEncodingScope, KeepsEachControlApart) {
  CQlnBarcode first;
  CQlnBarcode second;
  first.put_Symbology(5);
  second.put_Symbology(5);
  second.put_Message(u"second");
  const SymbolEncodingScope scope;
  EXPECT_EQ(LinearSymbolFor(first).pattern, EncodeLinearSymbol(first).pattern);
  EXPECT_EQ(LinearSymbolFor(second).pattern, EncodeLinearSymbol(second).pattern);
  EXPECT_NE(LinearSymbolFor(first).pattern, LinearSymbolFor(second).pattern);
}

}  // namespace
}  // namespace linnet
