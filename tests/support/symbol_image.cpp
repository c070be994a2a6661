#include "support/symbol_image.h"

#include <png.h>

#include <stdexcept>

#include "support/run_command.h"

namespace linnet::testing {

std::string ModulesFromNarrowWide(const std::string& pattern, int wideModules) {
  std::string modules;
  bool dark = true;
  for (const char c : pattern) {
    const int width = (c == 'w' || c == 'W') ? wideModules : 1;
    modules.append(static_cast<size_t>(width), dark ? '1' : '0');
    dark = !dark;
  }
  return modules;
}

std::string ModulesFromBarSpace(const std::string& pattern) {
  std::string modules;
  for (const char c : pattern) {
    modules.push_back(c == 'b' ? '1' : '0');
  }
  return modules;
}

std::string ModulesFromWidths(const std::string& widths, bool startDark) {
  std::string modules;
  bool dark = startDark;
  for (const char c : widths) {
    modules.append(static_cast<size_t>(c - '0'), dark ? '1' : '0');
    dark = !dark;
  }
  return modules;
}

void WriteGreyPng(const std::string& path, int width, int height, const std::vector<unsigned char>& pixels) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  image.width = static_cast<png_uint_32>(width);
  image.height = static_cast<png_uint_32>(height);
  image.format = PNG_FORMAT_GRAY;
  if (png_image_write_to_file(&image, path.c_str(), 0, pixels.data(), 0, nullptr) == 0) {
    throw std::runtime_error("cannot write " + path + ": " + image.message);
  }
}

void WriteModulePng(const std::string& path, const ModuleRows& rows, int scale, int rowHeight, int quiet) {
  size_t columns = 0;
  for (const auto& r : rows) {
    columns = std::max(columns, r.size());
  }
  const int width = static_cast<int>(columns + 2 * static_cast<size_t>(quiet)) * scale;
  const int height = (static_cast<int>(rows.size()) * rowHeight + 2 * quiet) * scale;
  std::vector<unsigned char> pixels(static_cast<size_t>(width) * static_cast<size_t>(height), 255);
  for (int y = 0; y < height; ++y) {
    const int moduleRow = y / scale - quiet;
    const int rowIndex = moduleRow < 0 ? -1 : moduleRow / rowHeight;
    if (rowIndex < 0 || rowIndex >= static_cast<int>(rows.size())) {
      continue;
    }
    const auto& r = rows[static_cast<size_t>(rowIndex)];
    for (int x = 0; x < width; ++x) {
      const int moduleCol = x / scale - quiet;
      if (moduleCol >= 0 && moduleCol < static_cast<int>(r.size()) && r[static_cast<size_t>(moduleCol)] == '1') {
        pixels[static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)] = 0;
      }
    }
  }
  WriteGreyPng(path, width, height, pixels);
}

void WriteLinearPng(const std::string& path, const std::string& modules, int scale, int height, int quiet) {
  WriteModulePng(path, ModuleRows(static_cast<size_t>(height), modules), scale, 1, quiet);
}

namespace {

std::optional<std::string> RunZxing(const std::string& path, const std::string& format, bool bytes) {
  std::vector<std::string> argv = {"ZXingReader", "-format", format};
  argv.emplace_back(bytes ? "-bytes" : "-escape");
  argv.push_back(path);
  const auto result = RunCommand(argv);
  if (result.exitCode != 0) {
    return std::nullopt;
  }
  if (bytes) {
    if (result.out.empty()) {
      return std::nullopt;
    }
    return result.out;
  }
  const auto pos = result.out.find("Text:");
  if (pos == std::string::npos) {
    return std::nullopt;
  }
  auto start = result.out.find('"', pos);
  auto end = result.out.find('\n', pos);
  if (start == std::string::npos || start > end) {
    return std::nullopt;
  }
  std::string text = result.out.substr(start + 1, end - start - 1);
  if (!text.empty() && text.back() == '"') {
    text.pop_back();
  }
  return text;
}

}  // namespace

std::optional<std::string> ZxingRead(const std::string& path, const std::string& format) {
  return RunZxing(path, format, false);
}

std::optional<std::string> ZxingReadBytes(const std::string& path, const std::string& format) {
  return RunZxing(path, format, true);
}

std::optional<std::string> ZbarRead(const std::string& path) {
  const auto result = RunCommand({"zbarimg", "--quiet", path});
  if (result.exitCode != 0 || result.out.empty()) {
    return std::nullopt;
  }
  std::string out = result.out;
  while (!out.empty() && out.back() == '\n') {
    out.pop_back();
  }
  return out;
}

}  // namespace linnet::testing
