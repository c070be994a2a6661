#include "render/symbol_encoding_cache.h"

#include "control/matrix_dispatch.h"
#include "control/qln_barcode.h"
#include "symbology/barlib_error.h"

namespace linnet {

namespace {

thread_local SymbolEncodingScope* openScope = nullptr;

template <class Kept, class Encode>
auto Through(Kept* kept, const CQlnBarcode& control, Encode encode) {
  if (kept == nullptr) {
    return encode(control);
  }
  if (kept->control != &control || !(kept->properties == control.Properties())) {
    kept->control = nullptr;
    kept->failure = nullptr;
    try {
      kept->result = encode(control);
    } catch (const Quillon::BrindleLib::barlib_error&) {
      kept->failure = std::current_exception();
    }
    kept->properties = control.Properties();
    kept->control = &control;
  }
  if (kept->failure) {
    std::rethrow_exception(kept->failure);
  }
  return kept->result;
}

}  // namespace

SymbolEncodingScope::SymbolEncodingScope() : outer_(openScope) {
  openScope = this;
}

SymbolEncodingScope::~SymbolEncodingScope() {
  openScope = outer_;
}

EncodedSymbol LinearSymbolFor(const CQlnBarcode& control) {
  return Through(openScope != nullptr ? &openScope->linear_ : nullptr, control, EncodeLinearSymbol);
}

std::vector<std::string> MatrixRowsFor(const CQlnBarcode& control) {
  return Through(openScope != nullptr ? &openScope->matrix_ : nullptr, control, EncodeMatrixRows);
}

}  // namespace linnet
