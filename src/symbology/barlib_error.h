#pragma once
// The engine reports every failure by throwing one of these. Callers read `code` and
// `message`; the standard description of the base class is deliberately left alone.
#include <exception>
#include <string>
#include <utility>

namespace Quillon::BrindleLib {

class barlib_error : public std::exception {
 public:
  barlib_error(int errorCode, std::string text) : code(errorCode), message(std::move(text)) {}

  int code;
  std::string message;
};

// Subclasses fix the code range of one kind of failure and add nothing else.
#define QUILLON_BARLIB_ERROR(name)                                                      \
  class name : public barlib_error {                                                    \
   public:                                                                              \
    name(int errorCode, std::string text) : barlib_error(errorCode, std::move(text)) {} \
  }

QUILLON_BARLIB_ERROR(invalid_character_error);                // 1
QUILLON_BARLIB_ERROR(invalid_length_error);                   // 2
QUILLON_BARLIB_ERROR(invalid_upce_number_error);              // 3
QUILLON_BARLIB_ERROR(invalid_ean128_format_error);            // 10..14
QUILLON_BARLIB_ERROR(invalid_macropdf417_format_error);       // 20..24
QUILLON_BARLIB_ERROR(prescribed_size_too_small);              // 30
QUILLON_BARLIB_ERROR(pdf417_error);                           // 40, 41
QUILLON_BARLIB_ERROR(invalid_structuralappend_format_error);  // 50..53
QUILLON_BARLIB_ERROR(eci_format_error);                       // 60
QUILLON_BARLIB_ERROR(invalid_carrier_message_format_error);   // 200..204
QUILLON_BARLIB_ERROR(out_of_capacity_error);                  // 210

#undef QUILLON_BARLIB_ERROR

}  // namespace Quillon::BrindleLib
