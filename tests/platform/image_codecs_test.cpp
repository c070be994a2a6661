#include "platform/image/image_codecs.h"

#include <gif_lib.h>
#include <gtest/gtest.h>
#include <tiffio.h>

#include <filesystem>
#include <functional>
#include <random>
#include <string>

#include "support/failing_sink.h"
#include "support/run_command.h"

namespace linnet::image {
namespace {

using testing::FailingSink;

std::unique_ptr<gdi::MonoBitmap> Checkerboard(std::int32_t w, std::int32_t h) {
  auto b = gdi::MonoBitmap::Create(w, h);
  for (std::int32_t y = 0; y < h; ++y) {
    for (std::int32_t x = 0; x < w; ++x) {
      b->SetPixel(x, y, (x + y) % 2 == 0);
    }
  }
  return b;
}

constexpr Codec kCodecs[] = {Codec::Bmp, Codec::Jpeg, Codec::Gif, Codec::Tiff, Codec::Png};

TEST(ImageCodecs, FailingWritesAreReported) {
  const auto bitmap = Checkerboard(64, 32);
  for (const Codec codec : kCodecs) {
    std::vector<unsigned char> out;
    VectorSink whole(out);
    ASSERT_TRUE(EncodeImage(*bitmap, codec, whole)) << static_cast<int>(codec);
    ASSERT_GT(out.size(), 20U);
    for (const size_t budget : {size_t{0}, size_t{10}, out.size() / 2, out.size() - 1}) {
      FailingSink sink(budget);
      EXPECT_FALSE(EncodeImage(*bitmap, codec, sink)) << static_cast<int>(codec) << " after " << budget;
    }
  }
}

TEST(ImageCodecs, FormatsRefuseSizesTheyCannotHold) {
  const auto wide = gdi::MonoBitmap::Create(70000, 1);
  std::vector<unsigned char> out;
  VectorSink sink(out);
  EXPECT_FALSE(EncodeGif(*wide, sink));
  EXPECT_FALSE(EncodeJpeg(*wide, sink));
  EXPECT_TRUE(EncodePng(*wide, sink));
}

TEST(ImageCodecs, ResolutionAsPixelsPerMetre) {
  const std::pair<std::int32_t, std::uint32_t> cases[] = {{300, 11811}, {96, 3780}, {72, 2835},
                                                          {0, 0},       {-5, 0},    {INT32_MAX, 4294967295U}};
  for (const auto& [dpi, ppm] : cases) {
    EXPECT_EQ(PixelsPerMetre(dpi), ppm) << dpi;
  }
}

TEST(ImageCodecs, RowsExpandToTheTwoGreyLevels) {
  for (const std::int32_t width : {1, 7, 8, 9, 17}) {
    const auto bitmap = Checkerboard(width, 2);
    std::vector<std::uint8_t> row(static_cast<size_t>(width) + 8, 77);
    ExpandRow(*bitmap, 1, row.data());
    for (std::int32_t x = 0; x < width; ++x) {
      EXPECT_EQ(row[static_cast<size_t>(x)], x % 2 == 1 ? 255 : 0) << width << ":" << x;
    }
    EXPECT_EQ(row[static_cast<size_t>(width)], 77);  // nothing written past the row
  }
}

// The grey samples a GIF or TIFF file decodes to, row after row; empty when it does not decode.
std::vector<std::uint8_t> DecodeGif(const std::string& path) {
  std::vector<std::uint8_t> grey;
  int error = 0;
  GifFileType* gif = DGifOpenFileName(path.c_str(), &error);
  if (gif != nullptr && DGifSlurp(gif) == GIF_OK && gif->ImageCount == 1) {
    const SavedImage& image = gif->SavedImages[0];
    for (int i = 0; i < gif->SWidth * gif->SHeight; ++i) {
      grey.push_back(gif->SColorMap->Colors[image.RasterBits[i]].Red);
    }
  }
  DGifCloseFile(gif, &error);
  return grey;
}

std::vector<std::uint8_t> DecodeTiff(const std::string& path) {
  std::vector<std::uint8_t> grey;
  TIFF* tiff = TIFFOpen(path.c_str(), "r");
  if (tiff == nullptr) {
    return grey;
  }
  std::uint32_t width = 0;
  std::uint32_t height = 0;
  TIFFGetField(tiff, TIFFTAG_IMAGEWIDTH, &width);
  TIFFGetField(tiff, TIFFTAG_IMAGELENGTH, &height);
  grey.resize(static_cast<size_t>(width) * height);
  for (std::uint32_t row = 0; row < height; ++row) {
    if (TIFFReadScanline(tiff, grey.data() + static_cast<size_t>(row) * width, row, 0) != 1) {
      grey.clear();
      break;
    }
  }
  TIFFClose(tiff);
  return grey;
}

// The codes are made from runs of pixels, with table resets inside runs, at row ends and in
// busy areas: every kind of picture must decode to its pixels exactly.
TEST(ImageCodecs, GifAndTiffDecodeToTheBitmapsPixels) {
  std::mt19937 random(7);
  const struct {
    const char* name;
    std::int32_t width;
    std::int32_t height;
    std::function<bool(std::int32_t, std::int32_t)> white;
  } cases[] = {
      {"one pixel", 1, 1, [](std::int32_t, std::int32_t) { return true; }},
      {"checkerboard", 61, 47, [](std::int32_t x, std::int32_t y) { return (x + y) % 2 == 0; }},
      {"noise", 301, 203, [&](std::int32_t, std::int32_t) { return (random() & 1) != 0; }},
      {"runs longer than the table", 20000, 3, [](std::int32_t x, std::int32_t) { return x < 9000 || x > 9003; }},
      {"growing stripes", 3001, 5, [](std::int32_t x, std::int32_t y) { return (x * (y + 1) / 97) % 2 == 0; }},
      {"all black", 9000, 4, [](std::int32_t, std::int32_t) { return false; }},
      {"bars", 1203, 300, [](std::int32_t x, std::int32_t y) { return y > 250 || (x / 3) % 5 > 1; }},
      // Long runs (compressed from runs rather than samples), enough to fill the table often.
      {"sparse bars", 4001, 60, [](std::int32_t x, std::int32_t y) { return (x + 7 * y) % 211 > 3; }},
      {"long random runs", 2999, 400, [&](std::int32_t, std::int32_t) { return (random() % 40) != 0; }},
  };
  const std::string dir = testing::MakeTempDir();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    auto bitmap = gdi::MonoBitmap::Create(c.width, c.height);
    std::vector<std::uint8_t> expected;
    for (std::int32_t y = 0; y < c.height; ++y) {
      for (std::int32_t x = 0; x < c.width; ++x) {
        const bool white = c.white(x, y);
        bitmap->SetPixel(x, y, white);
        expected.push_back(white ? 255 : 0);
      }
    }
    for (const auto& [codec, decode] : {std::pair{Codec::Gif, &DecodeGif}, std::pair{Codec::Tiff, &DecodeTiff}}) {
      const std::string path = dir + "/image";
      std::FILE* file = std::fopen(path.c_str(), "wb");
      FileSink sink(file);
      ASSERT_TRUE(EncodeImage(*bitmap, codec, sink));
      std::fclose(file);
      EXPECT_TRUE(decode(path) == expected) << (codec == Codec::Gif ? "GIF" : "TIFF");
    }
  }
  std::filesystem::remove_all(dir);
}

TEST(MonoBitmap, BudgetAndFills) {
  EXPECT_EQ(gdi::MonoBitmap::Create(0, 5), nullptr);
  EXPECT_EQ(gdi::MonoBitmap::Create(5, -1), nullptr);
  EXPECT_EQ(gdi::MonoBitmap::Create(1 << 15, (1 << 13) + 1), nullptr);  // just over 2^28 pixels
  auto b = gdi::MonoBitmap::Create(20, 3);
  ASSERT_NE(b, nullptr);
  EXPECT_TRUE(b->IsWhite(19, 2));  // created white
  const std::pair<std::int32_t, std::int32_t> spans[] = {{0, 20}, {3, 4}, {7, 9}, {8, 16}, {1, 19}, {15, 17}};
  for (const auto& [left, right] : spans) {
    b->FillRect(0, 0, 20, 3, true);
    b->FillSpan(1, left, right, false);
    for (std::int32_t x = 0; x < 20; ++x) {
      EXPECT_EQ(b->IsWhite(x, 1), x < left || x >= right) << left << ".." << right << " at " << x;
      EXPECT_TRUE(b->IsWhite(x, 0));
      EXPECT_TRUE(b->IsWhite(x, 2));
    }
  }
}

}  // namespace
}  // namespace linnet::image
