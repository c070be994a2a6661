#include <gif_lib.h>
#include <png.h>
#include <sys/stat.h>
#include <tiffio.h>
#include <unistd.h>

#include <cstdio>

#include "render/export_image.h"
// jpeglib.h needs FILE and size_t declared first.
#include <gtest/gtest.h>
#include <jpeglib.h>

#include <cmath>
#include <csetjmp>
#include <filesystem>
#include <fstream>
#include <set>

#include "control/error_info.h"
#include "control/qln_barcode.h"
#include "platform/com/error_object.h"
#include "support/run_command.h"
#include "support/symbol_image.h"

namespace linnet {
namespace {

namespace fs = std::filesystem;

// A decoded image: 8-bit grey samples and the resolution the file records.
struct Decoded {
  int width = 0;
  int height = 0;
  double dpiX = 0;
  double dpiY = 0;
  std::vector<std::uint8_t> grey;
};

Decoded ReadPng(const std::string& path) {
  Decoded d;
  FILE* f = std::fopen(path.c_str(), "rb");
  if (f == nullptr) {
    return d;
  }
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  if (setjmp(png_jmpbuf(png)) == 0) {
    png_init_io(png, f);
    png_read_info(png, info);
    d.width = static_cast<int>(png_get_image_width(png, info));
    d.height = static_cast<int>(png_get_image_height(png, info));
    EXPECT_EQ(png_get_color_type(png, info), PNG_COLOR_TYPE_GRAY);
    EXPECT_EQ(png_get_bit_depth(png, info), 1);
    png_uint_32 x = 0;
    png_uint_32 y = 0;
    int unit = 0;
    png_get_pHYs(png, info, &x, &y, &unit);
    EXPECT_EQ(unit, PNG_RESOLUTION_METER);
    d.dpiX = x * 0.0254;
    d.dpiY = y * 0.0254;
    png_set_expand_gray_1_2_4_to_8(png);
    png_read_update_info(png, info);
    d.grey.resize(static_cast<size_t>(d.width) * static_cast<size_t>(d.height));
    for (int row = 0; row < d.height; ++row) {
      png_read_row(png, d.grey.data() + static_cast<size_t>(row) * static_cast<size_t>(d.width), nullptr);
    }
  }
  png_destroy_read_struct(&png, &info, nullptr);
  std::fclose(f);
  return d;
}

struct JpegErrors {
  jpeg_error_mgr base;
  std::jmp_buf jump;
};

Decoded ReadJpeg(const std::string& path) {
  Decoded d;
  FILE* f = std::fopen(path.c_str(), "rb");
  if (f == nullptr) {
    return d;
  }
  jpeg_decompress_struct info{};
  JpegErrors errors{};
  info.err = jpeg_std_error(&errors.base);
  errors.base.error_exit = [](j_common_ptr c) { std::longjmp(reinterpret_cast<JpegErrors*>(c->err)->jump, 1); };
  if (setjmp(errors.jump) == 0) {
    jpeg_create_decompress(&info);
    jpeg_stdio_src(&info, f);
    jpeg_read_header(&info, TRUE);
    jpeg_start_decompress(&info);
    EXPECT_EQ(info.output_components, 1);
    EXPECT_EQ(info.density_unit, 1);
    d.width = static_cast<int>(info.output_width);
    d.height = static_cast<int>(info.output_height);
    d.dpiX = info.X_density;
    d.dpiY = info.Y_density;
    d.grey.resize(static_cast<size_t>(d.width) * static_cast<size_t>(d.height));
    while (info.output_scanline < info.output_height) {
      JSAMPROW row = d.grey.data() + static_cast<size_t>(info.output_scanline) * static_cast<size_t>(d.width);
      jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
  }
  jpeg_destroy_decompress(&info);
  std::fclose(f);
  return d;
}

Decoded ReadGif(const std::string& path) {
  Decoded d;
  EXPECT_EQ(testing::ReadFile(path).substr(0, 6), "GIF89a");
  int error = 0;
  GifFileType* gif = DGifOpenFileName(path.c_str(), &error);
  if (gif == nullptr) {
    return d;
  }
  if (DGifSlurp(gif) == GIF_OK && gif->ImageCount == 1) {
    d.width = gif->SWidth;
    d.height = gif->SHeight;
    const ColorMapObject* map = gif->SColorMap;
    EXPECT_EQ(map->ColorCount, 256);
    const SavedImage& image = gif->SavedImages[0];
    for (int i = 0; i < d.width * d.height; ++i) {
      const GifColorType& c = map->Colors[image.RasterBits[i]];
      EXPECT_TRUE(c.Red == c.Green && c.Green == c.Blue);
      d.grey.push_back(c.Red);
    }
  }
  DGifCloseFile(gif, &error);
  return d;
}

Decoded ReadTiff(const std::string& path) {
  Decoded d;
  TIFF* tiff = TIFFOpen(path.c_str(), "r");
  if (tiff == nullptr) {
    return d;
  }
  std::uint32_t width = 0;
  std::uint32_t height = 0;
  std::uint16_t bits = 0;
  std::uint16_t photometric = 0;
  std::uint16_t compression = 0;
  std::uint16_t predictor = 0;
  std::uint16_t unit = 0;
  float x = 0;
  float y = 0;
  TIFFGetField(tiff, TIFFTAG_IMAGEWIDTH, &width);
  TIFFGetField(tiff, TIFFTAG_IMAGELENGTH, &height);
  TIFFGetField(tiff, TIFFTAG_BITSPERSAMPLE, &bits);
  TIFFGetField(tiff, TIFFTAG_PHOTOMETRIC, &photometric);
  TIFFGetField(tiff, TIFFTAG_COMPRESSION, &compression);
  TIFFGetField(tiff, TIFFTAG_PREDICTOR, &predictor);
  TIFFGetField(tiff, TIFFTAG_RESOLUTIONUNIT, &unit);
  TIFFGetField(tiff, TIFFTAG_XRESOLUTION, &x);
  TIFFGetField(tiff, TIFFTAG_YRESOLUTION, &y);
  EXPECT_EQ(bits, 8);
  EXPECT_EQ(photometric, PHOTOMETRIC_MINISBLACK);
  EXPECT_EQ(compression, COMPRESSION_LZW);
  EXPECT_EQ(predictor, PREDICTOR_HORIZONTAL);
  EXPECT_EQ(unit, RESUNIT_INCH);
  d.width = static_cast<int>(width);
  d.height = static_cast<int>(height);
  d.dpiX = x;
  d.dpiY = y;
  d.grey.resize(static_cast<size_t>(width) * height);
  for (std::uint32_t row = 0; row < height; ++row) {
    TIFFReadScanline(tiff, d.grey.data() + static_cast<size_t>(row) * width, row, 0);
  }
  TIFFClose(tiff);
  return d;
}

// The platform's bitmap file: 8-bit, palette of greys, rows from the bottom.
Decoded ReadBmp(const std::string& path) {
  Decoded d;
  std::ifstream in(path, std::ios::binary);
  const std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (bytes.size() < 54 || bytes[0] != 'B' || bytes[1] != 'M') {
    return d;
  }
  auto u32 = [&](size_t at) {
    return static_cast<std::uint32_t>(bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 | bytes[at + 3] << 24);
  };
  EXPECT_EQ(u32(2), bytes.size());
  EXPECT_EQ(bytes[28], 8);  // bits per pixel
  d.width = static_cast<int>(u32(18));
  d.height = static_cast<int>(u32(22));
  d.dpiX = u32(38) * 0.0254;
  d.dpiY = u32(42) * 0.0254;
  const size_t offset = u32(10);
  const size_t stride = (static_cast<size_t>(d.width) + 3) / 4 * 4;
  for (int row = d.height - 1; row >= 0; --row) {
    for (int x = 0; x < d.width; ++x) {
      const std::uint8_t index = bytes[offset + static_cast<size_t>(row) * stride + static_cast<size_t>(x)];
      const size_t entry = 54 + 4 * static_cast<size_t>(index);
      EXPECT_TRUE(bytes[entry] == index && bytes[entry + 1] == index && bytes[entry + 2] == index);
      d.grey.push_back(index);
    }
  }
  return d;
}

struct Format {
  int value;
  const char* extension;
  Decoded (*read)(const std::string&);
  bool lossless;
};

const Format kFormats[] = {
    {qlxFormatBMP, ".bmp", &ReadBmp, true}, {qlxFormatJPG, ".jpg", &ReadJpeg, false},
    {qlxFormatGIF, ".gif", &ReadGif, true}, {qlxFormatTIF, ".tif", &ReadTiff, true},
    {qlxFormatPNG, ".png", &ReadPng, true},
};

class ExportTest : public ::testing::Test {
 protected:
  ExportTest() : dir(testing::MakeTempDir()) {}
  ~ExportTest() override { fs::remove_all(dir); }

  std::string Path(const std::string& name) const { return dir + "/" + name; }

  // The 2 x 1 inch label: 5080 x 2540 hundredths of a millimetre.
  static void TwoByOneInch(CQlnBarcode& control) {
    control.put_AutoLabelSize(VARIANT_FALSE);
    control.put_LabelWidth(2000);
    control.put_LabelHeight(1000);
  }

  std::string dir;
};

TEST_F(ExportTest, EveryRasterFormatHoldsTheLabelAtItsResolution) {
  CQlnBarcode control;
  TwoByOneInch(control);
  ASSERT_EQ(control.NaturalSize(), (SizeL{5080, 2540}));
  Decoded reference;
  for (const Format& format : kFormats) {
    SCOPED_TRACE(format.extension);
    const std::string path = Path(std::string("label") + format.extension);
    ASSERT_EQ(ExportImageToFile(control, path, format.value), S_OK);
    const Decoded d = format.read(path);
    EXPECT_EQ(d.width, 600);
    EXPECT_EQ(d.height, 300);
    if (format.value != qlxFormatGIF) {  // GIF has no place for a resolution
      EXPECT_NEAR(d.dpiX, 300, 0.05);
      EXPECT_NEAR(d.dpiY, 300, 0.05);
    }
    ASSERT_EQ(d.grey.size(), 600U * 300U);
    if (format.value == qlxFormatPNG) {
      reference = d;
    }
    if (format.lossless) {
      EXPECT_EQ(std::set<std::uint8_t>(d.grey.begin(), d.grey.end()), (std::set<std::uint8_t>{0, 255}));
    }
  }
  // Every format holds the same picture; JPEG's samples stay on the right side of grey.
  for (const Format& format : kFormats) {
    SCOPED_TRACE(format.extension);
    const Decoded d = format.read(Path(std::string("label") + format.extension));
    size_t wrongSide = 0;
    for (size_t i = 0; i < d.grey.size(); ++i) {
      wrongSide += (d.grey[i] >= 128) != (reference.grey[i] >= 128) ? 1 : 0;
    }
    EXPECT_EQ(wrongSide, 0U);
  }
}

TEST_F(ExportTest, ResolutionScalesTheBitmap) {
  CQlnBarcode control;
  TwoByOneInch(control);
  control.put_RasterImageResolution(96);
  ASSERT_EQ(ExportImageToFile(control, Path("96.png"), qlxFormatPNG), S_OK);
  const Decoded d = ReadPng(Path("96.png"));
  EXPECT_EQ(d.width, 192);
  EXPECT_EQ(d.height, 96);
  EXPECT_NEAR(d.dpiX, 96, 0.05);
  EXPECT_EQ(control.Layout().resolution, 1440);
}

TEST_F(ExportTest, UnknownFormatsGiveJpeg) {
  CQlnBarcode control;
  for (const int format : {4, 8, -1, 1000}) {
    std::vector<unsigned char> bytes;
    ASSERT_EQ(ExportImageToStream(control, bytes, format), S_OK) << format;
    ASSERT_GE(bytes.size(), 3U);
    EXPECT_EQ(bytes[0], 0xFF);
    EXPECT_EQ(bytes[1], 0xD8);
  }
}

TEST_F(ExportTest, StreamsAreWrittenFromTheirCurrentEnd) {
  CQlnBarcode control;
  std::vector<unsigned char> bytes{1, 2, 3};
  ASSERT_EQ(ExportImageToStream(control, bytes, qlxFormatPNG), S_OK);
  ASSERT_GT(bytes.size(), 11U);
  EXPECT_EQ((std::vector<unsigned char>(bytes.begin(), bytes.begin() + 4)),
            (std::vector<unsigned char>{1, 2, 3, 0x89}));
  ASSERT_EQ(ExportImageToFile(control, Path("same.png"), qlxFormatPNG), S_OK);
  std::ifstream in(Path("same.png"), std::ios::binary);
  const std::vector<unsigned char> file((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_EQ(std::vector<unsigned char>(bytes.begin() + 3, bytes.end()), file);
}

void Write(const std::string& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

TEST_F(ExportTest, OverwriteGuard) {
  CQlnBarcode control;
  struct Case {
    std::string name;
    bool readOnly;
    bool refused;
  };
  const Case cases[] = {
      {"old.PNG", false, false},     {"old.png", false, false},   {"old.Jpeg", false, false},
      {"noextension", false, false}, {"trailing.", false, false}, {"old.doc", false, true},
      {"old.jp", false, true},       {"old.pngx", false, true},   {"locked.png", true, true},
      {".hidden.png", false, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string path = Path(c.name);
    Write(path, "keep me");
    if (c.readOnly) {
      chmod(path.c_str(), 0444);
    }
    const HRESULT hr = ExportImageToFile(control, path, qlxFormatPNG);
    if (c.refused) {
      EXPECT_EQ(hr, ControlErrorHResult(6107));
      ASSERT_TRUE(ThreadErrorObject().has_value());
      EXPECT_EQ(ThreadErrorObject()->description,
                u"Failed to overwrite file or create the new file. It may be caused by insufficient privilege or disk "
                u"is full.");
      EXPECT_EQ(testing::ReadFile(path), "keep me");
    } else {
      EXPECT_EQ(hr, S_OK);
      EXPECT_EQ(testing::ReadFile(path).substr(1, 3), "PNG");
    }
  }
  // A directory is never replaced; a new name takes any extension.
  fs::create_directory(Path("folder.png"));
  EXPECT_EQ(ExportImageToFile(control, Path("folder.png"), qlxFormatPNG), ControlErrorHResult(6107));
  EXPECT_TRUE(fs::is_directory(Path("folder.png")));
  EXPECT_EQ(ExportImageToFile(control, Path("new.doc"), qlxFormatPNG), S_OK);
  // Nothing half-written is left beside the files.
  for (const auto& entry : fs::directory_iterator(dir)) {
    EXPECT_EQ(entry.path().string().find(".tmp"), std::string::npos) << entry.path();
  }
}

TEST_F(ExportTest, UnwritablePlacesFailWithoutLeftovers) {
  CQlnBarcode control;
  EXPECT_EQ(ExportImageToFile(control, Path("missing/label.png"), qlxFormatPNG), ControlErrorHResult(6107));
  EXPECT_EQ(ExportImageToFile(control, "", qlxFormatPNG), ControlErrorHResult(6107));
  if (geteuid() != 0) {  // the superuser writes anywhere
    fs::create_directory(Path("locked"));
    chmod(Path("locked").c_str(), 0555);
    EXPECT_EQ(ExportImageToFile(control, Path("locked/label.png"), qlxFormatPNG), ControlErrorHResult(6107));
    EXPECT_TRUE(fs::is_empty(Path("locked")));
    chmod(Path("locked").c_str(), 0755);
  }
}

// Resolution and label sizes have no upper bound; an absurd bitmap is refused, not made.
TEST_F(ExportTest, BitmapsBeyondTheBudgetAreRefused) {
  CQlnBarcode control;
  struct Case {
    std::int32_t resolution;
    std::int32_t labelWidth;
    std::int32_t labelHeight;
  };
  const Case cases[] = {
      {1000000, 0, 0},         {INT32_MAX, 0, 0},      {300, INT32_MAX, INT32_MAX},
      {300, 2000000, 2000000}, {600, 100000000, 1000}, {50, INT32_MAX, 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.resolution << " dpi, " << c.labelWidth << " x " << c.labelHeight);
    CQlnBarcode big;
    big.put_RasterImageResolution(c.resolution);
    if (c.labelWidth > 0) {
      TwoByOneInch(big);
      big.put_LabelWidth(c.labelWidth);
      big.put_LabelHeight(c.labelHeight);
    }
    std::vector<unsigned char> bytes;
    EXPECT_EQ(ExportImageToStream(big, bytes, qlxFormatPNG), ControlErrorHResult(6122));
    EXPECT_TRUE(bytes.empty());
    EXPECT_EQ(ExportImageToFile(big, Path("big.png"), qlxFormatBMP), ControlErrorHResult(6122));
    EXPECT_FALSE(fs::exists(Path("big.png")));
    EXPECT_EQ(big.Layout().resolution, 1440);
  }
}

// A real reader decodes the default label in every orientation.
TEST_F(ExportTest, DefaultLabelScansInEveryRotation) {
  for (int turns = 0; turns < 4; ++turns) {
    SCOPED_TRACE(turns);
    CQlnBarcode control;
    control.put_Rotation(turns);
    const std::string path = Path("rotated" + std::to_string(turns) + ".png");
    ASSERT_EQ(ExportImageToFile(control, path, qlxFormatPNG), S_OK);
    // zxing-cpp 1.4 trips over a label read again at a smaller scale; one scale is enough.
    const auto read = testing::RunCommand({"ZXingReader", "-noscale", "-format", "Code39", path});
    EXPECT_NE(read.out.find("Text:       \"QUILLON\""), std::string::npos) << read.out << read.err;
    const Decoded d = ReadPng(path);
    EXPECT_EQ(d.width > d.height, turns % 2 == 0);
  }
}

TEST_F(ExportTest, StackedDataBarLabelsScan) {
  const std::string sample = "(01)9 0 012345 67890 8 (3103)001750";
  const std::string longer = "(01)90012345678908(3103)001750(10)ABCDEF12345";
  struct Case {
    std::int32_t symbology;
    std::string message;
    std::int32_t maxCols;
    std::int32_t barHeight;
    std::string expected;
  };
  // zbar joins the rows of a stacked symbol only when they are close, hence the low bars
  // for three rows and more.
  const Case cases[] = {
      {35, "00012345678905", 0, 1000, "DataBar:0100012345678905"},
      {36, "00012345678905", 0, 1000, "DataBar:0100012345678905"},
      {38, sample, 0, 1000, "DataBar-Exp:01900123456789083103001750"},
      {38, sample, 4, 1000, "DataBar-Exp:01900123456789083103001750"},
      {38, sample, 2, 60, "DataBar-Exp:01900123456789083103001750"},
      {38, longer, 2, 60, "DataBar-Exp:0190012345678908310300175010ABCDEF12345"},
      {38, longer, 4, 60, "DataBar-Exp:0190012345678908310300175010ABCDEF12345"},
      {38, longer, 6, 60, "DataBar-Exp:0190012345678908310300175010ABCDEF12345"},
      {38, longer, 10, 1000, "DataBar-Exp:0190012345678908310300175010ABCDEF12345"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.symbology << " " << c.message << " MaxCols " << c.maxCols);
    CQlnBarcode control;
    control.put_Symbology(c.symbology);
    control.put_Message(std::u16string(c.message.begin(), c.message.end()));
    control.put_MaxCols(c.maxCols);
    control.put_BarHeight(c.barHeight);
    const std::string path = Path("databar.png");
    ASSERT_EQ(ExportImageToFile(control, path, qlxFormatPNG), S_OK);
    EXPECT_EQ(testing::ZbarRead(path).value_or("nothing read"), c.expected);
  }
}

TEST_F(ExportTest, LinearFamiliesScan) {
  struct Case {
    std::int32_t symbology;
    const char* format;
    std::string text;
  };
  const Case cases[] = {
      {5, "Code128", "Quillon Inc."}, {8, "UPC-A", "021898623812"}, {10, "EAN-13", "9780735200449"},
      {11, "EAN-8", "71245126"},      {4, "Code93", "Quillon"},     {7, "ITF", "1234568890999000"},
      {3, "Codabar", "12-680"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.symbology);
    CQlnBarcode control;
    control.put_Symbology(c.symbology);
    const std::string path = Path("linear.png");
    ASSERT_EQ(ExportImageToFile(control, path, qlxFormatPNG), S_OK);
    const auto read = testing::RunCommand({"ZXingReader", "-noscale", "-format", c.format, path});
    EXPECT_NE(read.out.find("\"" + c.text + "\""), std::string::npos) << read.out << read.err;
  }
}

}  // namespace
}  // namespace linnet
