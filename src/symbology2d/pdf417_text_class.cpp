#include "symbology2d/pdf417_text_class.h"

#include <array>

#include "symbology2d/pdf417_tables.h"

namespace Quillon::BrindleLib::pdf417 {

namespace {

std::array<TextClassEntry, 256> BuildClasses() {
  std::array<TextClassEntry, 256> classes{};
  for (int submode = 0; submode < kTextSubmodeCount; ++submode) {
    for (int value = 0; value < kTextValuesPerSubmode; ++value) {
      const int byte = kTextSubmodeTables[submode][value];
      if (byte < 0) {
        continue;
      }
      auto& entry = classes[static_cast<std::size_t>(byte)];
      entry.submodes = static_cast<std::uint8_t>(entry.submodes | (1U << submode));
      entry.value = static_cast<std::uint8_t>(value);
    }
  }
  return classes;
}

}  // namespace

const std::array<TextClassEntry, 256> kTextClasses = BuildClasses();

}  // namespace Quillon::BrindleLib::pdf417
