#pragma once
// The message each symbology starts with when it is chosen.
#include <string>

namespace linnet {

std::u16string SampleMessage(int symbology);

// True for the values of the symbology enumeration.
bool IsSymbologyValue(int symbology);

}  // namespace linnet
