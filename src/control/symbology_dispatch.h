#pragma once
// Turns the control's symbology, message and options into an encoded symbol.
#include <string>

namespace linnet {

class CQlnBarcode;

struct EncodedSymbol {
  std::string pattern;  // in the symbology's pattern alphabet
  std::string text;     // human-readable text
};

// The message as every encoder reads it: the stored text in the ANSI code page, up to its
// first zero character.
std::string AnsiMessage(const CQlnBarcode& control);

// Encodes afresh on every call. Throws the engine's barlib_error when the encoder raises
// one; any other failure gives an empty symbol. Two-dimensional symbologies give an empty
// symbol too: the renderer encodes them itself.
EncodedSymbol EncodeLinearSymbol(const CQlnBarcode& control);

}  // namespace linnet
