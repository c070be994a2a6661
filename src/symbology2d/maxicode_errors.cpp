#include "symbology2d/maxicode_errors.h"

#include "symbology/barlib_error.h"

namespace Quillon::BrindleLib::maxicode {

namespace {

const char* StructuredAppendMessage(StructuredAppendFault fault) {
  switch (fault) {
    case StructuredAppendFault::kFieldMissing:
      return "A required structural append field is missing.";
    case StructuredAppendFault::kNoMarker:
      return "No control block was found in the message.";
    case StructuredAppendFault::kBadPosition:
      return "Error in the sequence indicator field. Either it is not numeric, or the value is out of range.";
    case StructuredAppendFault::kBadTotal:
      break;
  }
  return "Error in the total number of total symbols field. This field can only be a number between 1 and 16.";
}

const char* CarrierMessage(CarrierFault fault) {
  switch (fault) {
    case CarrierFault::kFieldsMissing:
      return "Carrier message prefix detected but not all required fields are present.";
    case CarrierFault::kPostalCode:
      return "Error in the Postal Code field in the carrier message.";
    case CarrierFault::kCountry:
      return "Error in the country code field.";
    case CarrierFault::kServiceClass:
      return "Error in the class of service field.";
    case CarrierFault::kFormatYear:
      break;
  }
  return "Invalid date in the carrier message prefix.";
}

}  // namespace

void ThrowStructuredAppendError(StructuredAppendFault fault) {
  throw invalid_structuralappend_format_error(static_cast<int>(fault), StructuredAppendMessage(fault));
}

void ThrowEciError() {
  throw eci_format_error(
      60, "Error in the specified ECI. Either it contains invalid characters, or the value is out of range.");
}

void ThrowCarrierError(CarrierFault fault) {
  throw invalid_carrier_message_format_error(static_cast<int>(fault), CarrierMessage(fault));
}

void ThrowCapacityError() {
  throw out_of_capacity_error(210,
                              "Data is too big to be encoded with the current symbology. Reduce the data, or "
                              "reduce the security level if permitted.");
}

}  // namespace Quillon::BrindleLib::maxicode
