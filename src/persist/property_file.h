#pragma once
// A property file as bytes, exactly what `Save` writes to a file and `Load` reads from one: the
// binary form is a compound file (class identifier the control's, stream "Contents"), the XML
// form the document of CXMLPropertyBag. `persistFormat` 1 selects XML, every other value the
// binary form. For hosts that move the file themselves (standard input and output).
//
// Failures are the control's numbered errors with the thread's error object: 6107 for a save,
// 6114 for a load. A save in XML clears the modified flag; a binary save leaves it; a load that
// succeeds clears it and refreshes the control. A load that fails half-way keeps the values
// loaded before the failing entry.
#include <cstdint>
#include <span>
#include <vector>

#include "platform/com/hresult.h"

namespace linnet {
class CQlnBarcode;
}

namespace linnet::persist {

inline constexpr int kPersistXml = 1;
inline constexpr int kSaveFailed = 6107;
inline constexpr int kLoadFailed = 6114;

HRESULT SavePropertyFile(CQlnBarcode& control, int persistFormat, std::vector<std::uint8_t>& file);
HRESULT LoadPropertyFile(CQlnBarcode& control, std::span<const std::uint8_t> file, int persistFormat);

}  // namespace linnet::persist
