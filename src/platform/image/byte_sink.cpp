#include "platform/image/byte_sink.h"

#include <new>

namespace linnet::image {

bool VectorSink::Write(const void* data, size_t size) {
  try {
    const auto* bytes = static_cast<const unsigned char*>(data);
    out_.insert(out_.end(), bytes, bytes + size);
    return true;
  } catch (const std::bad_alloc&) {
    return false;
  }
}

}  // namespace linnet::image
