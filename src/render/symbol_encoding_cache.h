#pragma once
// One encoding of the symbol for one measure-and-draw operation. An export measures the
// natural size, lays the label out and draws it, and each step used to encode the message
// afresh although the result depends only on the properties. While a scope is open on this
// thread, the first encoding of a control is kept together with the properties it was made
// from, and handed out again only while they are unchanged: a property put in between (by
// an event handler, say) encodes afresh. An encoding failure (the engine's error) is kept as
// well and thrown again, so the callers report it, and fire its events, exactly as often as
// without the scope; any other exception passes through and keeps nothing.
//
// Without an open scope the functions encode on every call.
#include <exception>
#include <string>
#include <vector>

#include "control/control_properties.h"
#include "control/symbology_dispatch.h"

namespace linnet {

class CQlnBarcode;

class SymbolEncodingScope {
 public:
  SymbolEncodingScope();
  SymbolEncodingScope(const SymbolEncodingScope&) = delete;
  SymbolEncodingScope& operator=(const SymbolEncodingScope&) = delete;
  ~SymbolEncodingScope();

 private:
  friend EncodedSymbol LinearSymbolFor(const CQlnBarcode& control);
  friend std::vector<std::string> MatrixRowsFor(const CQlnBarcode& control);

  template <class Result>
  struct Kept {
    const CQlnBarcode* control = nullptr;
    ControlProperties properties;
    Result result;
    std::exception_ptr failure;
  };

  SymbolEncodingScope* outer_;
  Kept<EncodedSymbol> linear_;
  Kept<std::vector<std::string>> matrix_;
};

// EncodeLinearSymbol and EncodeMatrixRows, through the open scope.
EncodedSymbol LinearSymbolFor(const CQlnBarcode& control);
std::vector<std::string> MatrixRowsFor(const CQlnBarcode& control);

}  // namespace linnet
