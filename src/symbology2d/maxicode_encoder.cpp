#include "symbology2d/maxicode_encoder.h"

#include <stdexcept>
#include <string_view>

#include "symbology2d/maxicode_carrier.h"
#include "symbology2d/maxicode_codeword_blocks.h"
#include "symbology2d/maxicode_grid.h"
#include "symbology2d/maxicode_primary.h"
#include "symbology2d/maxicode_secondary.h"
#include "symbology2d/maxicode_structured_append.h"

namespace Quillon::BrindleLib {

namespace {

using namespace maxicode;

// What a reader expects in front of the secondary data of a structured carrier message:
// the prefix and the format year it knows.
constexpr std::string_view kCarrierHeader =
    "[)>\x1e"
    "01\x1d"
    "96";
constexpr char kEndOfTransmission = '\x04';

// Appends the structured append codewords (if the text has a block) and the secondary
// message; `carrier` adds the header and drops a final EOT.
void AppendSecondary(std::string_view secondary, bool carrier, Codewords& codewords) {
  const StructuredAppendSplit split = SplitStructuredAppend(secondary);
  if (!split.block.empty()) {
    const Codewords block = EncodeStructuredAppend(split.block);
    codewords.insert(codewords.end(), block.begin(), block.end());
  }
  Codewords data;
  if (carrier) {
    std::string_view rest = split.data;
    if (!rest.empty() && rest.back() == kEndOfTransmission) {
      rest.remove_suffix(1);
    }
    std::string text(kCarrierHeader);
    text.append(rest);
    data = EncodeSecondary(text);
  } else {
    data = EncodeSecondary(split.data);
  }
  codewords.insert(codewords.end(), data.begin(), data.end());
}

}  // namespace

void CMaxiCodeEncoder2::EncodeCarrier(int mode, int serviceClass, int country, const std::string& postalCode,
                                      const std::string& message, std::vector<std::string>& rows) const {
  rows.clear();
  if (mode != 2 && mode != 3) {
    throw std::invalid_argument("the carrier encoding takes mode 2 or 3");
  }
  const std::string_view text = UpToTerminator(message);
  CarrierFields fields;
  if (StartsWithCarrierPrefix(text)) {
    fields = SplitCarrierMessage(text);
  } else {
    fields.postalCode = UpToTerminator(postalCode);
    fields.country = country;
    fields.serviceClass = serviceClass;
    fields.rest = text;
  }
  const PrimaryMessage primary = BuildPrimaryMessage(mode, fields.country, fields.serviceClass, fields.postalCode);
  Codewords codewords(primary.begin(), primary.end());
  AppendSecondary(fields.rest, true, codewords);
  rows = LayOutMaxiCode(FinishMaxiCode(codewords, mode));
}

void CMaxiCodeEncoder2::EncodeNonCarrier(int mode, const std::string& message, std::vector<std::string>& rows) const {
  rows.clear();
  if (mode < 4 || mode > 6) {
    throw std::invalid_argument("the plain encoding takes mode 4, 5 or 6");
  }
  Codewords codewords{static_cast<std::uint8_t>(mode)};
  AppendSecondary(UpToTerminator(message), false, codewords);
  rows = LayOutMaxiCode(FinishMaxiCode(codewords, mode));
}

}  // namespace Quillon::BrindleLib
