#pragma once
// Reading a label back: the control's label drawn as a raster image and decoded by a barcode
// reader library, the text compared with the control's Message.
//
// The reader runs in a child process forked for the call, so that an assertion, a crash or a
// hang inside the library (10 s at most) ends the child and not the caller; the child only
// decodes a bitmap already drawn and writes the text to a pipe. Safe to call from several
// threads on different controls.
#include <string>

namespace linnet {
class CQlnBarcode;
}

namespace linnet::cli {

struct Verification {
  enum class Status { Verified, NotVerifiable, Mismatch } status = Status::NotVerifiable;
  std::string detail;  // NotVerifiable and Mismatch: why, as a sentence fragment
};

// Compares with the control's Message.
Verification VerifyLabel(CQlnBarcode& control);

}  // namespace linnet::cli
