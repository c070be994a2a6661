#include "platform/com/byte_stream.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <new>

namespace linnet {

HRESULT MemoryStream::Read(void* data, std::uint32_t size, std::uint32_t* done) {
  const std::uint64_t available = position_ < bytes_.size() ? bytes_.size() - position_ : 0;
  const auto count = static_cast<std::uint32_t>(std::min<std::uint64_t>(size, available));
  if (count > 0) {
    std::memcpy(data, bytes_.data() + position_, count);
  }
  position_ += count;
  if (done != nullptr) {
    *done = count;
  }
  return S_OK;
}

HRESULT MemoryStream::Write(const void* data, std::uint32_t size, std::uint32_t* done) {
  if (done != nullptr) {
    *done = 0;
  }
  const std::uint64_t end = position_ + size;
  try {
    if (end > bytes_.size()) {
      bytes_.resize(end);
    }
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  }
  if (size > 0) {
    std::memcpy(bytes_.data() + position_, data, size);
  }
  position_ = end;
  if (done != nullptr) {
    *done = size;
  }
  return S_OK;
}

HRESULT MemoryStream::Seek(std::int64_t offset, SeekOrigin origin, std::uint64_t* position) {
  std::int64_t base = 0;
  if (origin == SeekOrigin::kCurrent) {
    base = static_cast<std::int64_t>(position_);
  } else if (origin == SeekOrigin::kEnd) {
    base = static_cast<std::int64_t>(bytes_.size());
  }
  if ((offset < 0 && base < -offset) || (offset > 0 && base > std::numeric_limits<std::int64_t>::max() - offset)) {
    return E_INVALIDARG;
  }
  position_ = static_cast<std::uint64_t>(base + offset);
  if (position != nullptr) {
    *position = position_;
  }
  return S_OK;
}

}  // namespace linnet
