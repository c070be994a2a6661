#pragma once
// Expectations on the base character-set check shared by the encoder tests.
#include <gtest/gtest.h>

#include <string>

#include "symbology/symbol.h"

namespace linnet::testing {

// `rejected` is the character Validate must name, or 0 when the message must pass.
inline void ExpectValidation(const Quillon::BrindleLib::CSymbol& symbol, const std::string& message, char rejected) {
  SCOPED_TRACE("Validate(" + message + ")");
  if (rejected == 0) {
    EXPECT_NO_THROW(symbol.Validate(message));
    return;
  }
  try {
    symbol.Validate(message);
    ADD_FAILURE() << "accepted";
  } catch (const Quillon::BrindleLib::invalid_character_error& e) {
    EXPECT_EQ(e.code, 1);
    EXPECT_EQ(e.message, std::string("Invalid character found. The character ") + rejected +
                             " can not be encoded by the current symbology.");
  }
}

}  // namespace linnet::testing
