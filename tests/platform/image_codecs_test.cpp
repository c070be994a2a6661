#include "platform/image/image_codecs.h"

#include <gtest/gtest.h>

namespace linnet::image {
namespace {

// Accepts the first `budget` bytes, then fails every write.
class FailingSink : public ByteSink {
 public:
  explicit FailingSink(size_t budget) : budget_(budget) {}
  bool Write(const void* /*data*/, size_t size) override {
    if (size > budget_) {
      return false;
    }
    budget_ -= size;
    return true;
  }

 private:
  size_t budget_;
};

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
