#pragma once
// Fonts behind the device fonts: Fontconfig matches and FreeType faces, kept for the life of
// the process, and faces at a pixel size with their metrics, advances and glyph images.
// Every call holds the cache's lock, so contexts on different threads may share it.
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H

#include <array>
#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "platform/gdi/font_match_cache.h"
#include "platform/gdi/gdi_types.h"

namespace linnet::gdi {

// A glyph's pixels: one bit per pixel, most significant bit first, rows from the top. The
// image's top-left pixel lies `left` pixels along and `top` pixels down from the pen origin
// on the baseline (`top` is negative above the baseline).
struct GlyphImage {
  std::int32_t left = 0;
  std::int32_t top = 0;
  std::int32_t width = 0;
  std::int32_t rows = 0;
  std::int32_t pitch = 0;
  std::vector<std::uint8_t> bits;
  [[nodiscard]] bool Pixel(std::int32_t x, std::int32_t y) const {
    return (bits[static_cast<size_t>(y) * static_cast<size_t>(pitch) + static_cast<size_t>(x / 8)] &
            (0x80 >> (x % 8))) != 0;
  }
};

// Pixel metrics of a face at one size, as the platform's text metrics report them.
struct LineMetrics {
  std::int32_t ascent = 0;
  std::int32_t descent = 0;
  std::int32_t externalLeading = 0;
  std::int32_t underlinePosition = 0;  // pixels below the baseline to the line's top
  std::int32_t underlineThickness = 1;
  std::int32_t strikeoutPosition = 0;  // pixels above the baseline to the line's top
  std::int32_t strikeoutThickness = 1;
};

// A font file opened once, with the design metrics the text metrics are scaled from.
class FaceEntry {
 public:
  FaceEntry() = default;
  FaceEntry(const FaceEntry&) = delete;
  FaceEntry& operator=(const FaceEntry&) = delete;
  ~FaceEntry();

  void ReadDesignMetrics();
  [[nodiscard]] std::int32_t UnitsPerEm() const { return unitsPerEm; }
  // The height of a text cell (the platform's line ascent plus descent), in font units.
  [[nodiscard]] std::int32_t CellUnits() const { return ascent + descent; }

  FT_Face face = nullptr;
  std::int32_t unitsPerEm = 2048;
  std::int32_t ascent = 0;
  std::int32_t descent = 0;
  std::int32_t externalLeading = 0;  // the line gap beyond ascent and descent
  std::int32_t underlinePosition = 0;
  std::int32_t underlineThickness = 0;
  std::int32_t strikeoutPosition = 0;
  std::int32_t strikeoutThickness = 0;
};

class SizedFace {
 public:
  SizedFace(const FaceEntry& face, std::int32_t ppem);
  SizedFace(const SizedFace&) = delete;
  SizedFace& operator=(const SizedFace&) = delete;
  ~SizedFace();

  [[nodiscard]] std::int32_t Ppem() const { return ppem_; }
  [[nodiscard]] const LineMetrics& Metrics() const { return metrics_; }
  // Hinted advance width in pixels. Call with the cache's lock held.
  std::int32_t Advance(char32_t c);
  // The whole glyph, rendered once and kept; nullptr when it has no pixels or, with
  // `tooLarge` set, when it is too large to keep (use RenderWindow). Call with the lock held.
  const GlyphImage* Glyph(char32_t c, bool& tooLarge);
  // Renders only the part of the glyph inside `window` (pixels relative to the pen origin,
  // y down) into `out`; false when nothing of it is there. Call with the cache's lock held.
  bool RenderWindow(char32_t c, const RectL& window, GlyphImage& out);

 private:
  // Hinting runs the font's programs, so a glyph is hinted once: its advance and its hinted
  // outline are kept from that load, for measuring and drawing alike.
  struct CachedGlyph {
    bool loaded = false;
    std::int32_t advance = 0;
    bool hasOutline = false;
    FT_Outline outline{};
    bool rendered = false;
    bool tooLarge = false;
    GlyphImage image;
  };
  // The glyph's slot, loaded.
  CachedGlyph& Loaded(char32_t c);

  const FaceEntry& face_;
  std::int32_t ppem_;
  FT_Size size_ = nullptr;
  LineMetrics metrics_;
  std::array<CachedGlyph, 256> latin_;
  std::unordered_map<char32_t, CachedGlyph> others_;
};

class FontCache {
 public:
  static FontCache& Instance();

  // The face the font system matches for a family and style; nullptr when there is no font
  // at all. Matched once per family and style.
  const FaceEntry* Match(std::u16string_view family, bool bold, bool italic);
  // The face at a pixel size (clamped to 1..65535), shared while anyone holds it.
  std::shared_ptr<SizedFace> Sized(const FaceEntry& face, std::int32_t ppem);
  std::mutex& Lock() { return mutex_; }

  FontCache(const FontCache&) = delete;
  FontCache& operator=(const FontCache&) = delete;

 private:
  FontCache();
  ~FontCache();

  // Fontconfig's match for a family and style, reading its configuration on the first call.
  std::optional<FontFile> AskFontconfig(const std::string& family, bool bold, bool italic);
  // The face of a font file, opened once; nullptr when it is not a scalable font.
  const FaceEntry* Open(const FontFile& file);

  std::mutex mutex_;
  FT_Library library_ = nullptr;
  bool fontconfigReady_ = false;
  FontMatchCache matchCache_;
  std::unordered_map<std::string, const FaceEntry*> matches_;          // by family and style asked for
  std::unordered_map<std::string, std::unique_ptr<FaceEntry>> faces_;  // by font file and index
  std::map<std::pair<const FaceEntry*, std::int32_t>, std::shared_ptr<SizedFace>> sizes_;
};

}  // namespace linnet::gdi
