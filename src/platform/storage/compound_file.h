#pragma once
// A structured storage in memory: an OLE2 compound file with a class identifier on its root and
// named streams, as hosts keep a control's "Contents". The whole file travels as bytes, so file
// replacement stays with the caller.
//
// Reading treats the file as untrusted: bytes that are not a compound file give
// STG_E_INVALIDHEADER, a missing stream STG_E_FILENOTFOUND, and a stream that claims more bytes
// than the file holds (or cannot be read to its end) STG_E_READFAULT; nothing read from the file
// sizes an allocation beyond the bytes present. Writing fails with E_OUTOFMEMORY or
// STG_E_WRITEFAULT. Each call is independent; any thread may call.
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "platform/com/guid.h"
#include "platform/com/hresult.h"

namespace linnet::storage {

inline constexpr HRESULT STG_E_FILENOTFOUND = static_cast<HRESULT>(0x80030002U);
inline constexpr HRESULT STG_E_WRITEFAULT = static_cast<HRESULT>(0x8003001DU);
inline constexpr HRESULT STG_E_READFAULT = static_cast<HRESULT>(0x8003001EU);
inline constexpr HRESULT STG_E_INVALIDHEADER = static_cast<HRESULT>(0x800300FBU);

// A compound file whose root has `classId` and holds one stream `streamName` with `contents`.
HRESULT WriteCompoundFile(const Guid& classId, const std::string& streamName, std::span<const std::uint8_t> contents,
                          std::vector<std::uint8_t>& file);

// The bytes of the stream `streamName` at the root of `file`; `classId`, when given, receives the
// root's class identifier.
HRESULT ReadCompoundFileStream(std::span<const std::uint8_t> file, const std::string& streamName,
                               std::vector<std::uint8_t>& contents, Guid* classId = nullptr);

}  // namespace linnet::storage
