#include "platform/gdi/font_cache.h"

#include <fontconfig/fontconfig.h>

#include FT_BITMAP_H
#include FT_OUTLINE_H
#include FT_SIZES_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <cmath>

#include "platform/codepage.h"

namespace linnet::gdi {

void FaceEntry::ReadDesignMetrics() {
  unitsPerEm = face->units_per_EM > 0 ? face->units_per_EM : 2048;
  ascent = face->ascender;
  descent = -face->descender;
  const std::int32_t hheaHeight = face->ascender - face->descender;
  std::int32_t lineGap = face->height - hheaHeight;
  if (const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
      os2 != nullptr && os2->version != 0xFFFF) {
    if (os2->usWinAscent + os2->usWinDescent > 0) {
      ascent = os2->usWinAscent;
      descent = os2->usWinDescent;
    }
    strikeoutPosition = os2->yStrikeoutPosition;
    strikeoutThickness = os2->yStrikeoutSize;
  }
  if (const auto* hhea = static_cast<const TT_HoriHeader*>(FT_Get_Sfnt_Table(face, FT_SFNT_HHEA)); hhea != nullptr) {
    lineGap = hhea->Line_Gap;
  }
  externalLeading = std::max(0, lineGap - ((ascent + descent) - hheaHeight));
  underlinePosition = face->underline_position;
  underlineThickness = face->underline_thickness;
  if (strikeoutThickness <= 0) {
    strikeoutThickness = underlineThickness;
    strikeoutPosition = unitsPerEm / 4;
  }
  if (ascent + descent <= 0) {
    ascent = unitsPerEm;
    descent = 0;
  }
}

FaceEntry::~FaceEntry() {
  if (face != nullptr) {
    FT_Done_Face(face);
  }
}

namespace {

constexpr std::int32_t kMaxPpem = 0xFFFF;
// Glyph images up to this many pixels are kept; larger ones are rendered per use, clipped.
constexpr std::int64_t kMaxKeptGlyphPixels = 1 << 20;
// Sized faces nobody holds are dropped once there are more than this many.
constexpr size_t kMaxIdleSizes = 64;

std::int32_t Scale(std::int32_t units, std::int32_t ppem, std::int32_t unitsPerEm) {
  return static_cast<std::int32_t>(std::lround(static_cast<double>(units) * ppem / unitsPerEm));
}

std::int32_t FloorPixels(FT_Pos v) {
  return static_cast<std::int32_t>(v >> 6);
}
std::int32_t CeilPixels(FT_Pos v) {
  return static_cast<std::int32_t>((v + 63) >> 6);
}

std::string Lowered(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; });
  return text;
}

}  // namespace

SizedFace::SizedFace(const FaceEntry& face, std::int32_t ppem) : face_(face), ppem_(ppem) {
  if (FT_New_Size(face_.face, &size_) != 0) {
    size_ = nullptr;
  } else {
    FT_Activate_Size(size_);
    FT_Set_Pixel_Sizes(face_.face, 0, static_cast<FT_UInt>(ppem_));
  }
  const std::int32_t em = face_.unitsPerEm;
  metrics_.ascent = Scale(face_.ascent, ppem_, em);
  metrics_.descent = Scale(face_.descent, ppem_, em);
  metrics_.externalLeading = Scale(face_.externalLeading, ppem_, em);
  metrics_.underlineThickness = std::max(1, Scale(face_.underlineThickness, ppem_, em));
  metrics_.underlinePosition =
      std::max(0, Scale(-face_.underlinePosition, ppem_, em) - metrics_.underlineThickness / 2);
  metrics_.strikeoutThickness = std::max(1, Scale(face_.strikeoutThickness, ppem_, em));
  metrics_.strikeoutPosition = Scale(face_.strikeoutPosition, ppem_, em);
}

SizedFace::~SizedFace() {
  const auto release = [this](CachedGlyph& slot) {
    if (slot.hasOutline) {
      FT_Outline_Done(face_.face->glyph->library, &slot.outline);
    }
  };
  std::for_each(latin_.begin(), latin_.end(), release);
  for (auto& [c, slot] : others_) {
    release(slot);
  }
  if (size_ != nullptr) {
    FT_Done_Size(size_);
  }
}

SizedFace::CachedGlyph& SizedFace::Loaded(char32_t c) {
  CachedGlyph& slot = c < latin_.size() ? latin_[c] : others_[c];
  if (slot.loaded) {
    return slot;
  }
  slot.loaded = true;
  if (size_ == nullptr || FT_Activate_Size(size_) != 0 ||
      FT_Load_Glyph(face_.face, FT_Get_Char_Index(face_.face, c), FT_LOAD_TARGET_MONO | FT_LOAD_NO_BITMAP) != 0) {
    return slot;
  }
  const FT_GlyphSlot glyph = face_.face->glyph;
  slot.advance = static_cast<std::int32_t>((glyph->advance.x + 32) >> 6);
  if (glyph->format == FT_GLYPH_FORMAT_OUTLINE &&
      FT_Outline_New(glyph->library, static_cast<FT_UInt>(glyph->outline.n_points), glyph->outline.n_contours,
                     &slot.outline) == 0) {
    if (FT_Outline_Copy(&glyph->outline, &slot.outline) == 0) {
      slot.hasOutline = true;
    } else {
      FT_Outline_Done(glyph->library, &slot.outline);
    }
  }
  return slot;
}

std::int32_t SizedFace::Advance(char32_t c) {
  return Loaded(c).advance;
}

namespace {

// Renders the loaded outline's pixels x in [x0, x1), y in [y0, y1) (FreeType pixel rows,
// y up) into `out`, whose rows run from the top.
bool RenderOutlinePart(FT_Library library, FT_Outline& outline, std::int32_t x0, std::int32_t y0, std::int32_t x1,
                       std::int32_t y1, GlyphImage& out) {
  if (x1 <= x0 || y1 <= y0) {
    return false;
  }
  out.left = x0;
  out.top = -y1;
  out.width = x1 - x0;
  out.rows = y1 - y0;
  out.pitch = (out.width + 7) / 8;
  out.bits.assign(static_cast<size_t>(out.pitch) * static_cast<size_t>(out.rows), 0);
  FT_Bitmap target;
  FT_Bitmap_Init(&target);
  target.rows = static_cast<unsigned>(out.rows);
  target.width = static_cast<unsigned>(out.width);
  target.pitch = out.pitch;
  target.buffer = out.bits.data();
  target.pixel_mode = FT_PIXEL_MODE_MONO;
  target.num_grays = 2;
  FT_Outline_Translate(&outline, -static_cast<FT_Pos>(x0) * 64, -static_cast<FT_Pos>(y0) * 64);
  const bool ok = FT_Outline_Get_Bitmap(library, &outline, &target) == 0;
  FT_Outline_Translate(&outline, static_cast<FT_Pos>(x0) * 64, static_cast<FT_Pos>(y0) * 64);
  return ok;
}

}  // namespace

const GlyphImage* SizedFace::Glyph(char32_t c, bool& tooLarge) {
  CachedGlyph& slot = Loaded(c);
  if (!slot.rendered) {
    slot.rendered = true;
    if (slot.hasOutline) {
      FT_Outline& outline = slot.outline;
      FT_BBox box;
      FT_Outline_Get_CBox(&outline, &box);
      const std::int32_t x0 = FloorPixels(box.xMin);
      const std::int32_t y0 = FloorPixels(box.yMin);
      const std::int32_t x1 = CeilPixels(box.xMax);
      const std::int32_t y1 = CeilPixels(box.yMax);
      if (static_cast<std::int64_t>(x1 - x0) * (y1 - y0) > kMaxKeptGlyphPixels) {
        slot.tooLarge = true;
      } else if (!RenderOutlinePart(face_.face->glyph->library, outline, x0, y0, x1, y1, slot.image)) {
        slot.image = GlyphImage{};
      }
    }
  }
  tooLarge = slot.tooLarge;
  return slot.tooLarge || slot.image.width == 0 ? nullptr : &slot.image;
}

bool SizedFace::RenderWindow(char32_t c, const RectL& window, GlyphImage& out) {
  CachedGlyph& slot = Loaded(c);
  if (!slot.hasOutline) {
    return false;
  }
  FT_Outline& outline = slot.outline;
  FT_BBox box;
  FT_Outline_Get_CBox(&outline, &box);
  // Window rows run down from the baseline; FreeType's pixel row k covers y down -k-1.
  const std::int32_t x0 = std::max(FloorPixels(box.xMin), window.left);
  const std::int32_t x1 = std::min(CeilPixels(box.xMax), window.right);
  const std::int32_t y0 = std::max(FloorPixels(box.yMin), -window.bottom);
  const std::int32_t y1 = std::min(CeilPixels(box.yMax), -window.top);
  return RenderOutlinePart(face_.face->glyph->library, outline, x0, y0, x1, y1, out);
}

FontCache& FontCache::Instance() {
  static FontCache cache;
  return cache;
}

FontCache::FontCache() {
  if (FT_Init_FreeType(&library_) != 0) {
    library_ = nullptr;
  }
}

FontCache::~FontCache() {
  sizes_.clear();
  faces_.clear();
  if (library_ != nullptr) {
    FT_Done_FreeType(library_);
  }
  // Fontconfig is used through this cache only; its configuration goes with it.
  if (fontconfigReady_) {
    FcFini();
  }
}

std::optional<FontFile> FontCache::AskFontconfig(const std::string& family, bool bold, bool italic) {
  if (!fontconfigReady_ && FcInit() != FcTrue) {
    return std::nullopt;
  }
  fontconfigReady_ = true;
  FcPattern* pattern = FcPatternCreate();
  if (!family.empty()) {
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
  }
  FcPatternAddInteger(pattern, FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
  FcPatternAddInteger(pattern, FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
  FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
  FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
  FcDefaultSubstitute(pattern);
  FcResult status = FcResultNoMatch;
  FcPattern* match = FcFontMatch(nullptr, pattern, &status);
  std::optional<FontFile> found;
  FcChar8* file = nullptr;
  if (match != nullptr && FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch) {
    found.emplace();
    found->path = reinterpret_cast<const char*>(file);
    FcPatternGetInteger(match, FC_INDEX, 0, &found->index);
  }
  if (match != nullptr) {
    FcPatternDestroy(match);
  }
  FcPatternDestroy(pattern);
  return found;
}

const FaceEntry* FontCache::Open(const FontFile& file) {
  const std::string fileKey = file.path + "#" + std::to_string(file.index);
  auto& entry = faces_[fileKey];
  if (!entry) {
    auto opened = std::make_unique<FaceEntry>();
    if (FT_New_Face(library_, file.path.c_str(), file.index, &opened->face) == 0 &&
        (opened->face->face_flags & FT_FACE_FLAG_SCALABLE) != 0) {
      FT_Select_Charmap(opened->face, FT_ENCODING_UNICODE);
      opened->ReadDesignMetrics();
      entry = std::move(opened);
    }
  }
  const FaceEntry* result = entry.get();
  if (!entry) {
    faces_.erase(fileKey);
  }
  return result;
}

const FaceEntry* FontCache::Match(std::u16string_view family, bool bold, bool italic) {
  const std::string name = WideToUtf8(family);
  const std::string key = Lowered(name) + (bold ? "|b" : "|") + (italic ? "i" : "");
  if (const auto found = matches_.find(key); found != matches_.end()) {
    return found->second;
  }
  const FaceEntry* result = nullptr;
  if (library_ != nullptr) {
    if (const auto remembered = matchCache_.Find(key)) {
      result = Open(*remembered);
    }
    if (result == nullptr) {
      if (const auto answer = AskFontconfig(name, bold, italic)) {
        result = Open(*answer);
        if (result != nullptr) {
          matchCache_.Remember(key, *answer);
        }
      }
    }
  }
  matches_[key] = result;
  return result;
}

std::shared_ptr<SizedFace> FontCache::Sized(const FaceEntry& face, std::int32_t ppem) {
  ppem = std::clamp(ppem, 1, kMaxPpem);
  const auto key = std::make_pair(&face, ppem);
  if (const auto found = sizes_.find(key); found != sizes_.end()) {
    return found->second;
  }
  if (sizes_.size() >= kMaxIdleSizes) {
    std::erase_if(sizes_, [](const auto& entry) { return entry.second.use_count() == 1; });
  }
  auto sized = std::make_shared<SizedFace>(face, ppem);
  sizes_.emplace(key, sized);
  return sized;
}

}  // namespace linnet::gdi
