#include "support/upright_png.h"

#include <png.h>

#include <cstdint>
#include <stdexcept>
#include <vector>

#include "support/symbol_image.h"

namespace linnet::testing {

namespace {

struct GreyPicture {
  std::uint32_t width = 0;
  std::uint32_t height = 0;
  std::vector<std::uint8_t> pixels;

  [[nodiscard]] std::uint8_t At(std::uint32_t x, std::uint32_t y) const { return pixels[y * width + x]; }
};

GreyPicture ReadGrey(const std::string& path) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  if (png_image_begin_read_from_file(&image, path.c_str()) == 0) {
    throw std::runtime_error("cannot read " + path + ": " + image.message);
  }
  image.format = PNG_FORMAT_GRAY;
  GreyPicture picture{image.width, image.height, std::vector<std::uint8_t>(PNG_IMAGE_SIZE(image))};
  if (png_image_finish_read(&image, nullptr, picture.pixels.data(), 0, nullptr) == 0) {
    throw std::runtime_error("cannot decode " + path + ": " + image.message);
  }
  return picture;
}

// One clockwise quarter turn: the bottom-left pixel becomes the top-left one.
GreyPicture TurnedClockwise(const GreyPicture& in) {
  GreyPicture out{in.height, in.width, std::vector<std::uint8_t>(in.pixels.size())};
  for (std::uint32_t y = 0; y < out.height; ++y) {
    for (std::uint32_t x = 0; x < out.width; ++x) {
      out.pixels[y * out.width + x] = in.At(y, in.height - 1 - x);
    }
  }
  return out;
}

}  // namespace

void WriteUprightPng(const std::string& from, const std::string& to, int quarterTurns) {
  GreyPicture picture = ReadGrey(from);
  for (int i = 0; i < quarterTurns; ++i) {
    picture = TurnedClockwise(picture);
  }
  WriteGreyPng(to, static_cast<int>(picture.width), static_cast<int>(picture.height), picture.pixels);
}

}  // namespace linnet::testing
