#pragma once
// Reading a property file or the rest of a host's stream whole, with bounded memory: a source
// longer than kMaxPropertyFileBytes is refused (E_FAIL) after reading at most one chunk past the
// limit, whatever the size the source claims. A file that cannot be opened or read, or a
// directory, is E_FAIL as well; the reason goes to the diagnostic log. On failure `bytes` is
// empty.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/com/byte_stream.h"
#include "platform/com/hresult.h"

namespace linnet::persist {

inline constexpr std::size_t kMaxPropertyFileBytes = std::size_t{16} << 20;

HRESULT ReadBoundedFile(const std::string& path, std::vector<std::uint8_t>& bytes);

// From the stream's current position to its end.
HRESULT ReadBoundedStream(ByteStream& stream, std::vector<std::uint8_t>& bytes);

}  // namespace linnet::persist
