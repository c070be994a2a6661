#pragma once
// CMaxiCodeEncoder2: a message in MaxiCode modes 2 to 6, as the symbol's 33 module rows.
#include <string>
#include <vector>

#include "symbology/symbol.h"

namespace Quillon::BrindleLib {

class CMaxiCodeEncoder2 : public CSymbol {
 public:
  // Modes 2 and 3. A message that starts with "[)>" RS "01" GS brings its own postal code,
  // country code and class of service, else the three arguments are used. The secondary
  // data gets the "[)>" RS "01" GS "96" header and loses a final EOT.
  void EncodeCarrier(int mode, int serviceClass, int country, const std::string& postalCode, const std::string& message,
                     std::vector<std::string>& rows) const;

  // Modes 4, 5 and 6.
  void EncodeNonCarrier(int mode, const std::string& message, std::vector<std::string>& rows) const;

  // Both clear `rows` first and leave them empty when they throw: a barlib_error for any
  // fault of the data, std::invalid_argument for a mode the operation does not handle.
  // Rows are top first, '1' dark and '0' light; even rows have 30 modules, odd rows 29.
};

}  // namespace Quillon::BrindleLib
