#include <optional>

#include "symbology/gtin.h"
#include "symbology/rss_expanded_detail.h"

namespace Quillon::BrindleLib::detail {

namespace {

constexpr std::uint32_t kNoDate = 38400;

// The number written at 1-based positions [from, from + count) of `data`, when they exist and
// are all digits.
std::optional<std::uint32_t> Number(std::string_view data, size_t from, size_t count) {
  if (from < 1 || from - 1 + count > data.size()) {
    return std::nullopt;
  }
  std::uint32_t value = 0;
  for (const char c : data.substr(from - 1, count)) {
    if (c < '0' || c > '9') {
      return std::nullopt;
    }
    value = value * 10 + static_cast<std::uint32_t>(c - '0');
  }
  return value;
}

bool At(std::string_view data, size_t from, std::string_view text) {
  return from >= 1 && from - 1 + text.size() <= data.size() && data.substr(from - 1, text.size()) == text;
}

// The data opens with AI 01 and a GTIN whose check digit (position 16) is right, so the
// compressed methods may leave the check digit out: readers recompute it.
bool OpensWithGtin(std::string_view data) {
  if (data.size() <= 15 || !At(data, 1, "01") || !Number(data, 3, 14)) {
    return false;
  }
  return GtinCheckDigit(data.substr(2, 13)) == data[15];
}

// Positions 4-15: the GTIN without its indicator digit 9 and its check digit.
void PutGtin12(std::string_view data, ExpandedState& state) {
  for (size_t group = 0; group < 4; ++group) {
    putBits(state, *Number(data, 4 + 3 * group, 3), 10);
  }
}

void PutLengthField(ExpandedState& state) {
  state.lengthField = state.bitCount;
  putBits(state, 0, 2);
}

// Weight-and-date methods: AI 310x or 320x (net weight in kg or lb) and possibly a date.
bool PutWeightAndDate(std::string_view data, ExpandedState& state) {
  const bool pounds = At(data, 17, "320");
  if (!(At(data, 17, "310") || pounds)) {
    return false;
  }
  const auto decimals = Number(data, 20, 1);
  const auto weight = Number(data, 21, 6);
  if (!decimals || !weight || *weight > 99999) {
    return false;
  }
  std::uint32_t dateAi = 0;
  std::uint32_t date = kNoDate;
  if (data.size() == 34) {
    const auto ai = Number(data, 27, 2);
    const auto yymmdd = Number(data, 29, 6);
    if (!ai || !yymmdd || (*ai != 11 && *ai != 13 && *ai != 15 && *ai != 17)) {
      return false;
    }
    dateAi = (*ai - 11) / 2;
    date = (*yymmdd / 10000) * 384 + ((*yymmdd / 100) % 100 - 1) * 32 + *yymmdd % 100;
  } else if (data.size() != 26) {
    return false;
  }
  putBits(state, 56 + (pounds ? 1 : 0) + 2 * dateAi, 7);
  PutGtin12(data, state);
  putBits(state, *decimals * 100000 + *weight, 20);
  putBits(state, date, 16);
  return true;
}

}  // namespace

size_t encodeMethod(std::string_view data, ExpandedState& state) {
  const bool gtin = OpensWithGtin(data);
  if (gtin && data[2] == '9') {
    const auto weight = Number(data, 21, 6);
    if (data.size() == 26 && weight) {
      if (At(data, 17, "3103") && *weight <= 32767) {
        putBits(state, 0b0100, 4);
        PutGtin12(data, state);
        putBits(state, *weight, 15);
        return data.size();
      }
      if ((At(data, 17, "3202") && *weight <= 9999) || (At(data, 17, "3203") && *weight <= 22767)) {
        putBits(state, 0b0101, 4);
        PutGtin12(data, state);
        putBits(state, At(data, 17, "3203") ? *weight + 10000 : *weight, 15);
        return data.size();
      }
    }
    const auto decimals = Number(data, 20, 1);
    if (data.size() > 20 && At(data, 17, "392") && decimals && *decimals <= 3) {
      putBits(state, 0b01100, 5);
      PutLengthField(state);
      PutGtin12(data, state);
      putBits(state, *decimals, 2);
      return 20;
    }
    const auto currency = Number(data, 21, 3);
    if (data.size() > 23 && At(data, 17, "393") && decimals && *decimals <= 3 && currency) {
      putBits(state, 0b01101, 5);
      PutLengthField(state);
      PutGtin12(data, state);
      putBits(state, *decimals, 2);
      putBits(state, *currency, 10);
      return 23;
    }
    if (PutWeightAndDate(data, state)) {
      return data.size();
    }
  }
  if (gtin) {
    putBits(state, 0b1, 1);
    PutLengthField(state);
    putBits(state, *Number(data, 3, 1), 4);
    PutGtin12(data, state);
    return 16;
  }
  putBits(state, 0b00, 2);
  PutLengthField(state);
  return 0;
}

}  // namespace Quillon::BrindleLib::detail
