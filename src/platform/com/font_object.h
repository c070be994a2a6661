#pragma once
// The font object shared between host and control: a plain description of a font.
#include <cmath>
#include <cstdint>
#include <memory>
#include <string>

namespace linnet {

struct FontDescription {
  std::u16string name = u"Arial";
  // Size in points, fixed point with four decimals as the platform keeps it (9 pt = 90000).
  std::int64_t sizeTenThousandths = 90000;
  std::int16_t weight = 400;
  std::int16_t charset = 0;
  bool italic = false;
  bool underline = false;
  bool strikethrough = false;

  [[nodiscard]] double SizePoints() const { return static_cast<double>(sizeTenThousandths) / 10000.0; }
  bool operator==(const FontDescription&) const = default;
};

// Shared by reference (the host's `Font`) or owned as a private copy (`CommentFont`).
class FontObject {
 public:
  explicit FontObject(FontDescription description) : description_(std::move(description)) {}

  [[nodiscard]] const FontDescription& Description() const { return description_; }
  FontDescription& MutableDescription() { return description_; }

  [[nodiscard]] std::shared_ptr<FontObject> Clone() const { return std::make_shared<FontObject>(description_); }

 private:
  FontDescription description_;
};

using FontPtr = std::shared_ptr<FontObject>;

inline FontPtr MakeFont(std::u16string name, double points, std::int16_t weight = 400) {
  FontDescription d;
  d.name = std::move(name);
  d.sizeTenThousandths = std::llround(points * 10000.0);
  d.weight = weight;
  return std::make_shared<FontObject>(std::move(d));
}

}  // namespace linnet
