#include "control/error_info.h"

#include <array>
#include <utility>

#include "platform/codepage.h"
#include "platform/com/error_object.h"

namespace linnet {

namespace {

// The component's string table of error messages.
constexpr std::array<std::pair<std::int32_t, const char*>, 20> kErrorTable = {{
    {6102, "The message is either empty or contains invalid character for the chosen symbology."},
    {6103, "The measurement unit must be either English (0) or Metric (1)."},
    {6104, "The Zoom Ratio should ranged between 0.1 and 100"},
    {6105, "The NarrowToWideRatio should be between 2.0 and 3.0"},
    {6106, "The value for BarWidthReduction may range between 99 (reduction) and -99(gain)."},
    {6107,
     "Failed to overwrite file or create the new file. It may be caused by insufficient privilege or disk is full."},
    {6108, "Invalid Raster Image Resolution. The resolution must be greater than 50."},
    {6109, "The label size you specified is invalid, or you can not edit the size under the current mode."},
    {6112, "The current symbology required fixed length. The length you specified does not meet this requirement."},
    {6113, "The message string contains characters that can not be encoded under the current symbology."},
    {6114, "The object can not be loaded from the media specified. See Error Log for details."},
    {6115, "The object failed to save itself to the specified media."},
    {6116, "Invalid value for BarHeight property."},
    {6117, "The MaxicodeZipCode property must consist a valid zip code with up to 6 alpha-numeric characters."},
    {6118, "The MaxicodeCountryCode must between 000 and 999"},
    {6119, "The value range for MaxicodeMode must be between 2 and 6."},
    {6120, "The value range for MaxicodeClass must be between 000 and 999."},
    {6121, "Error happens during the PDF417 encoding process. For more information retrieve the Error object."},
    {6122,
     "Can not generate bitmap handle. Possible reasons include insufficient memory, too big size of the bitmap etc."},
    {6123, "Incorrect EAN128 format."},
}};

HRESULT Raise(std::int32_t number, const std::string& ansiDescription) {
  SetThreadErrorObject({kIBarcodeIid, kProgId, AnsiToWide(ansiDescription)});
  return ControlErrorHResult(number);
}

}  // namespace

std::int32_t ControlErrorNumber(HRESULT hr) {
  const auto u = static_cast<std::uint32_t>(hr);
  return (u & 0xFFFF0000U) == 0x83280000U ? static_cast<std::int32_t>(u & 0xFFFFU) : -1;
}

std::string ErrorTableMessage(std::int32_t number) {
  for (const auto& [n, text] : kErrorTable) {
    if (n == number) {
      return text;
    }
  }
  return {};
}

HRESULT RaiseNumberedError(std::int32_t number) {
  return Raise(number, ErrorTableMessage(number));
}

HRESULT RaiseEngineError(const Quillon::BrindleLib::barlib_error& error) {
  return Raise(error.code, error.message);
}

}  // namespace linnet
