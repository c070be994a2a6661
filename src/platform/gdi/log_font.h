#pragma once
// The description a device font is created from, and the created font.
#include <cstdint>
#include <memory>
#include <string>

#include "platform/gdi/gdi_types.h"

namespace linnet::gdi {

struct LogFont {
  // Negative: character (em) height; positive: cell height; 0: the default height. Logical units.
  std::int32_t height = 0;
  std::int32_t escapement = 0;  // tenths of a degree, anticlockwise
  std::int32_t weight = 400;
  bool italic = false;
  bool underline = false;
  bool strikeOut = false;
  std::int32_t charset = 0;
  std::int32_t quality = 0;
  std::u16string faceName;
  bool operator==(const LogFont&) const = default;
};

inline constexpr std::int32_t kProofQuality = 2;

class FaceEntry;
class SizedFace;

// A font as the platform creates it: the description plus the matched face. Selecting a
// font into a context shares it; the last holder deletes it.
class Font {
 public:
  explicit Font(LogFont description);

  [[nodiscard]] const LogFont& Description() const { return description_; }
  // The face the font system matched for the name and style; nullptr when none exists.
  [[nodiscard]] const FaceEntry* Face() const { return face_; }
  // 0 to 3: the escapement rounded to the nearest quarter turn; text runs along an axis.
  [[nodiscard]] int QuarterTurns() const { return quarterTurns_; }
  // The face at the font's own height in logical units: what text metrics and extents
  // are measured with, whatever the mapping. nullptr without a face.
  [[nodiscard]] SizedFace* Logical() const { return logical_.get(); }
  // The face at `ppem` device pixels, for drawing; kept while the scale stays the same.
  // Call with the font cache's lock held.
  SizedFace* AtDevicePixels(std::int32_t ppem) const;

 private:
  LogFont description_;
  const FaceEntry* face_;
  int quarterTurns_;
  std::shared_ptr<SizedFace> logical_;
  mutable std::shared_ptr<SizedFace> device_;
};

using FontHandle = std::shared_ptr<const Font>;

inline FontHandle CreateFontIndirect(const LogFont& description) {
  return std::make_shared<const Font>(description);
}

}  // namespace linnet::gdi
