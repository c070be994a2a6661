#pragma once
// Class and interface identifiers: 128-bit values in the platform's binary layout (a 32-bit,
// two 16-bit fields little-endian, then eight bytes as they stand) and its text form in braces,
// upper-case hexadecimal: {CE4E8A38-9FB0-408E-B2DF-FEDC1E5086B4}.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace linnet {

struct Guid {
  std::uint32_t data1 = 0;
  std::uint16_t data2 = 0;
  std::uint16_t data3 = 0;
  std::array<std::uint8_t, 8> data4{};

  bool operator==(const Guid&) const = default;
  [[nodiscard]] bool IsNull() const { return *this == Guid{}; }
};

inline constexpr std::size_t kGuidBytes = 16;

// "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}", upper case.
std::u16string GuidToText(const Guid& guid);
// Accepts the braced form in either case; anything else is nullopt.
std::optional<Guid> GuidFromText(std::u16string_view text);

std::array<std::uint8_t, kGuidBytes> GuidToBytes(const Guid& guid);
Guid GuidFromBytes(const std::array<std::uint8_t, kGuidBytes>& bytes);

}  // namespace linnet
