#include "control/linear_registry.h"

#include <array>

#include "symbology/code39.h"

namespace linnet {

namespace {

using namespace Quillon::BrindleLib;

template <class T>
std::unique_ptr<CSymbol> Create() {
  return std::make_unique<T>();
}

// Each row: the symbology value, its encoder class and the options of its Encode, in order.
const std::array kEntries = {
    LinearEncoderEntry{0, Create<CCode39Symbol>,
                       [](const std::string& m, const LinearOptions& o, std::string& p, std::string& t) {
                         CCode39Symbol().Encode(m, o.code39CheckDigit, o.showCheckDigit, o.startStopChars, p, t);
                       }},
    LinearEncoderEntry{1, Create<CCode39ExtendedSymbol>,
                       [](const std::string& m, const LinearOptions& o, std::string& p, std::string& t) {
                         CCode39ExtendedSymbol().Encode(m, o.code39CheckDigit, o.showCheckDigit, o.startStopChars, p,
                                                        t);
                       }},
    LinearEncoderEntry{2, Create<CCode39HIBCSymbol>,
                       [](const std::string& m, const LinearOptions& o, std::string& p, std::string& t) {
                         CCode39HIBCSymbol().Encode(m, o.showCheckDigit, o.startStopChars, p, t);
                       }},
};

}  // namespace

const LinearEncoderEntry* FindLinearEncoder(int symbology) {
  for (const auto& entry : kEntries) {
    if (entry.symbology == symbology) {
      return &entry;
    }
  }
  return nullptr;
}

}  // namespace linnet
