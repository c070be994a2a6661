#pragma once
// The MaxiCode encoder's failures, each with its code and fixed message.
namespace Quillon::BrindleLib::maxicode {

enum class StructuredAppendFault { kFieldMissing = 50, kNoMarker = 51, kBadPosition = 52, kBadTotal = 53 };
enum class CarrierFault {
  kFieldsMissing = 200,
  kPostalCode = 201,
  kCountry = 202,
  kServiceClass = 203,
  kFormatYear = 204
};

[[noreturn]] void ThrowStructuredAppendError(StructuredAppendFault fault);
// "~7" not followed by six digits.
[[noreturn]] void ThrowEciError();
[[noreturn]] void ThrowCarrierError(CarrierFault fault);
// More data codewords than the mode holds.
[[noreturn]] void ThrowCapacityError();

}  // namespace Quillon::BrindleLib::maxicode
