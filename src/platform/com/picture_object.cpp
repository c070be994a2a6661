#include "platform/com/picture_object.h"

#include "platform/image/little_endian.h"

namespace linnet {

namespace {

constexpr size_t kFrameOffset = 24;  // after the record type, size and bounds
constexpr std::uint32_t kHeaderType = 1;

}  // namespace

SizeL PictureObject::Size() const {
  if (metafile_.size() < kFrameOffset + 16 || image::Get32(metafile_.data()) != kHeaderType) {
    return {0, 0};
  }
  const std::uint8_t* frame = metafile_.data() + kFrameOffset;
  auto at = [&](size_t i) { return static_cast<std::int32_t>(image::Get32(frame + 4 * i)); };
  // The frame includes its right and bottom edges.
  return {at(2) - at(0) + 1, at(3) - at(1) + 1};
}

}  // namespace linnet
