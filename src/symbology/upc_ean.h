#pragma once
// UPC-A, UPC-E, EAN-13, EAN-8 and Bookland, each with an optional 2- or 5-digit supplement
// written after a '|'. The pattern is a '|'-separated token string that tells the drawer
// which modules are guards, which data characters carry which digit, and which digits
// stand outside the bars:
//   "bsb"       guard (or a data character drawn without its digit): bars at full height
//   "5sbbsssb"  data character with the digit printed under it
//   "9"         a digit outside the bars at full size (the first EAN-13 digit)
//   "a".."j"    the digit 0..9 outside the bars in the reduced size (UPC number system, check)
//   " "         the gap after the main symbol (before a supplement, or alone)
#include <string>
#include <string_view>

#include "symbology/gtin.h"
#include "symbology/symbol.h"

namespace Quillon::BrindleLib {

inline constexpr std::string_view kUpcCharacters = "0123456789 |";
inline constexpr std::string_view kBooklandCharacters = "0123456789|- ";

// The UPC-A digits of a UPC-E number: 7 digits, the number system ('0') and the six
// UPC-E digits. Throws invalid_upce_number_error (code 3) for any other number system, a
// last digit 3 after a third digit 0, 1 or 2, or anything but seven digits.
std::string ExpandUpcE(std::string_view digits);

// "978" and the first nine digits of an ISBN (its check character dropped); a shorter
// ISBN is completed with zeros on the right.
std::string IsbnToEan13(std::string_view isbn);

// Throws for a supplement that is not 2 or 5 digits (codes 1 and 2).
void ValidateSupplement(std::string_view supplement);

// Appends the supplement's tokens and digits to `pattern` and `text`. Its digits are
// brought to 2 or 5: fewer than 2 and 3 or 4 are completed with zeros on the right, more
// than 5 are cut to the first 5.
void EncodeSupplement(std::string_view supplement, bool showDigits, std::string& pattern, std::string& text);

class CUebSymbol : public CSymbol {
 public:
  [[nodiscard]] std::string GetValidCharacters() const override { return std::string(kUpcCharacters); }
  [[nodiscard]] std::string GetEncodableCharacters() const override { return std::string(kUpcCharacters); }

  // The supplement (after the first '|') must be 2 or 5 digits, the main part digits of
  // one of the class's two lengths; either part may be empty.
  void Validate(const std::string& message) const override;

  // Main symbol, a space, and the supplement, in both the pattern and the text. A main
  // part shorter than the class needs is completed with zeros on the right; a supplied
  // check digit is replaced by the computed one.
  virtual int Encode(const std::string& message, bool showDigits, std::string& pattern, std::string& text) const;

  // Writes the main symbol's tokens and text; `main` holds its digits (other bytes are
  // skipped).
  virtual void EncodeMain(std::string_view main, bool showDigits, std::string& pattern, std::string& text) const = 0;
  virtual void ValidateMain(std::string_view main) const = 0;

 protected:
  // Throws invalid_character_error for a non-digit and invalid_length_error unless the
  // digits number `length` or `length` + 1 (with a check digit).
  static void CheckMain(std::string_view main, std::size_t length, const char* characterMessage,
                        const char* lengthMessage);
};

class CUpcaSymbol : public CUebSymbol {
 public:
  void EncodeMain(std::string_view main, bool showDigits, std::string& pattern, std::string& text) const override;
  void ValidateMain(std::string_view main) const override;
};

class CUpceSymbol : public CUebSymbol {
 public:
  // Throws invalid_upce_number_error for a number that has no UPC-A expansion.
  void EncodeMain(std::string_view main, bool showDigits, std::string& pattern, std::string& text) const override;
  void ValidateMain(std::string_view main) const override;
};

class CEan13Symbol : public CUebSymbol {
 public:
  void EncodeMain(std::string_view main, bool showDigits, std::string& pattern, std::string& text) const override;
  void ValidateMain(std::string_view main) const override;
};

class CEan8Symbol : public CUebSymbol {
 public:
  void EncodeMain(std::string_view main, bool showDigits, std::string& pattern, std::string& text) const override;
  void ValidateMain(std::string_view main) const override;
};

// An EAN-13 in the 978 range made from an ISBN such as "0-7356-1967-0".
class CBooklandSymbol : public CEan13Symbol {
 public:
  [[nodiscard]] std::string GetValidCharacters() const override { return std::string(kBooklandCharacters); }
  [[nodiscard]] std::string GetEncodableCharacters() const override { return std::string(kBooklandCharacters); }

  // Counts digits only: 9 or 10 before the first '|', 0, 2 or 5 after it.
  void Validate(const std::string& message) const override;

  // The EAN-13 of IsbnToEan13; its text keeps a trailing space.
  void EncodeMain(std::string_view main, bool showDigits, std::string& pattern, std::string& text) const override;
};

}  // namespace Quillon::BrindleLib
