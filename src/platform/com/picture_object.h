#pragma once
// The picture object the control hands out as `Picture`: a snapshot of the label as an
// enhanced metafile. It owns the whole metafile's bytes (however long; nothing is cut at a
// buffer size) and is never changed after it is made, so holders on any thread may read it;
// each snapshot has bytes of its own.
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/com/host_observer.h"

namespace linnet {

class PictureObject {
 public:
  // The platform's picture type of an enhanced metafile.
  static constexpr std::int16_t kTypeEnhancedMetafile = 4;

  explicit PictureObject(std::vector<std::uint8_t> metafile) : metafile_(std::move(metafile)) {}

  [[nodiscard]] std::int16_t Type() const { return kTypeEnhancedMetafile; }
  [[nodiscard]] const std::vector<std::uint8_t>& MetafileBytes() const { return metafile_; }
  // The picture's size in hundredths of a millimetre, from the metafile header's frame;
  // (0, 0) when the bytes hold no header.
  [[nodiscard]] SizeL Size() const;

 private:
  std::vector<std::uint8_t> metafile_;
};

using PicturePtr = std::shared_ptr<const PictureObject>;

}  // namespace linnet
