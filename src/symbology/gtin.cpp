#include "symbology/gtin.h"

namespace Quillon::BrindleLib {

char GtinCheckDigit(std::string_view digits) {
  int sum = 0;
  int weight = 3;
  for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
    if (*it >= '0' && *it <= '9') {
      sum += (*it - '0') * weight;
    }
    weight = 4 - weight;
  }
  return static_cast<char>('0' + (10 - sum % 10) % 10);
}

}  // namespace Quillon::BrindleLib
