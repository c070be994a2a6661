#include "support/maxicode_image.h"

#include <cmath>
#include <stdexcept>

#include "support/run_command.h"
#include "support/symbol_image.h"

namespace linnet::testing {

namespace {

constexpr int kRows = 33;
constexpr int kColumns = 30;

struct Geometry {
  double width;   // module width and column pitch
  double pitch;   // row pitch
  double height;  // hexagon height, point to point
};

// Pointy-topped regular hexagon centred on (cx, cy) with flat sides `g.width` apart.
bool InsideHexagon(double x, double y, double cx, double cy, const Geometry& g) {
  const double dx = std::abs(x - cx);
  const double dy = std::abs(y - cy);
  const double half = g.width / 2;
  if (dx > half || dy > g.height / 2) {
    return false;
  }
  // The slanted edges run from (0, h/2) to (w/2, h/4).
  return dy <= g.height / 2 - dx * (g.height / 4) / half;
}

class Picture {
 public:
  Picture(int width, int height) : width_(width), height_(height), pixels_(static_cast<size_t>(width * height), 255) {}

  void Fill(int x, int y, unsigned char value) {
    if (x >= 0 && y >= 0 && x < width_ && y < height_) {
      pixels_[static_cast<size_t>(y * width_ + x)] = value;
    }
  }

  void Write(const std::string& path) const { WriteGreyPng(path, width_, height_, pixels_); }

 private:
  int width_;
  int height_;
  std::vector<unsigned char> pixels_;
};

// The value after "Name:" on its line of the reader's report, or empty.
std::string Field(const std::string& report, const std::string& name) {
  const auto pos = report.find("\n" + name + ":");
  if (pos == std::string::npos) {
    return {};
  }
  const auto start = report.find_first_not_of(' ', pos + name.size() + 2);
  const auto end = report.find('\n', start);
  return report.substr(start, end - start);
}

std::string FromHex(const std::string& hex) {
  std::string bytes;
  for (size_t i = 0; i + 1 < hex.size(); i += 3) {
    bytes.push_back(static_cast<char>(std::stoi(hex.substr(i, 2), nullptr, 16)));
  }
  return bytes;
}

}  // namespace

void WriteMaxiCodePng(const std::string& path, const std::vector<std::string>& rows, int modulePixels,
                      int quietModules) {
  const Geometry g{static_cast<double>(modulePixels), modulePixels * std::sqrt(3.0) / 2,
                   modulePixels * 2 / std::sqrt(3.0)};
  const double quiet = quietModules * g.width;
  const int width = static_cast<int>(std::ceil(kColumns * g.width + 2 * quiet));
  const int height = static_cast<int>(std::ceil((kRows - 1) * g.pitch + g.height + 2 * quiet));
  Picture picture(width, height);
  for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
    const std::string& row = rows[static_cast<size_t>(r)];
    for (int c = 0; c < static_cast<int>(row.size()); ++c) {
      if (row[static_cast<size_t>(c)] != '1') {
        continue;
      }
      const double cx = quiet + (c + 0.5 + (r % 2 == 1 ? 0.5 : 0.0)) * g.width;
      const double cy = quiet + r * g.pitch + g.height / 2;
      for (int y = static_cast<int>(cy - g.height / 2); y <= static_cast<int>(cy + g.height / 2); ++y) {
        for (int x = static_cast<int>(cx - g.width / 2); x <= static_cast<int>(cx + g.width / 2); ++x) {
          if (InsideHexagon(x + 0.5, y + 0.5, cx, cy, g)) {
            picture.Fill(x, y, 0);
          }
        }
      }
    }
  }
  // Three dark rings around the centre of row 16, column 14.
  const double cx = quiet + 14.5 * g.width;
  const double cy = quiet + 16 * g.pitch + g.height / 2;
  const double ringWidth = g.width * 67 / 87;
  for (const double radius : {g.width * 354 / 87, g.width * 220 / 87, g.width * 85 / 87}) {
    for (int y = static_cast<int>(cy - radius - ringWidth); y <= static_cast<int>(cy + radius + ringWidth); ++y) {
      for (int x = static_cast<int>(cx - radius - ringWidth); x <= static_cast<int>(cx + radius + ringWidth); ++x) {
        const double d = std::hypot(x + 0.5 - cx, y + 0.5 - cy);
        if (std::abs(d - radius) <= ringWidth / 2) {
          picture.Fill(x, y, 0);
        }
      }
    }
  }
  picture.Write(path);
}

std::optional<MaxiCodeReading> ZxingReadMaxiCode(const std::string& path, bool pure) {
  std::vector<std::string> argv = {"ZXingReader", "-format", "MaxiCode"};
  if (pure) {
    argv.emplace_back("-ispure");
  }
  argv.push_back(path);
  const auto result = RunCommand(argv);
  const std::string report = "\n" + result.out;
  if (result.exitCode != 0 || Field(report, "Format") != "MaxiCode") {
    return std::nullopt;
  }
  MaxiCodeReading reading;
  reading.bytes = FromHex(Field(report, "Bytes"));
  reading.bytesWithEci = FromHex(Field(report, "BytesECI"));
  const std::string level = Field(report, "EC Level");
  reading.mode = level.empty() ? 0 : std::stoi(level);
  reading.structuredAppend = Field(report, "Structured Append");
  return reading;
}

}  // namespace linnet::testing
