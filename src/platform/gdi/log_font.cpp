#include "platform/gdi/log_font.h"

#include <algorithm>
#include <cmath>
#include <mutex>

#include "platform/gdi/font_cache.h"

namespace linnet::gdi {

namespace {

// The em height a font of height 0 gets.
constexpr std::int32_t kDefaultPpem = 16;

int QuarterTurnsOf(std::int32_t escapement) {
  const std::int32_t tenths = ((escapement % 3600) + 3600) % 3600;
  return static_cast<int>(((tenths + 450) / 900) % 4);
}

}  // namespace

Font::Font(LogFont description)
    : description_(std::move(description)), face_(nullptr), quarterTurns_(QuarterTurnsOf(description_.escapement)) {
  FontCache& cache = FontCache::Instance();
  const std::lock_guard lock(cache.Lock());
  face_ = cache.Match(description_.faceName, description_.weight >= 600, description_.italic);
  if (face_ == nullptr) {
    return;
  }
  const std::int64_t height = description_.height;
  std::int64_t ppem = kDefaultPpem;
  if (height < 0) {
    ppem = -height;
  } else if (height > 0) {
    // A cell height: the em is the part of the cell the face's ascent and descent leave.
    ppem = std::llround(static_cast<double>(height) * face_->UnitsPerEm() / face_->CellUnits());
  }
  logical_ = cache.Sized(*face_, static_cast<std::int32_t>(std::clamp<std::int64_t>(ppem, 1, 0xFFFF)));
}

SizedFace* Font::AtDevicePixels(std::int32_t ppem) const {
  if (face_ == nullptr) {
    return nullptr;
  }
  if (logical_->Ppem() == ppem) {
    return logical_.get();
  }
  if (!device_ || device_->Ppem() != ppem) {
    device_ = FontCache::Instance().Sized(*face_, ppem);
  }
  return device_.get();
}

}  // namespace linnet::gdi
