#include "support/symbol_image.h"

#include <png.h>

#include <cstdio>
#include <memory>
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

void WriteModulePng(const std::string& path, const ModuleRows& rows, int scale, int rowHeight, int quiet) {
  size_t columns = 0;
  for (const auto& r : rows) {
    columns = std::max(columns, r.size());
  }
  const int width = static_cast<int>(columns + 2 * static_cast<size_t>(quiet)) * scale;
  const int height = (static_cast<int>(rows.size()) * rowHeight + 2 * quiet) * scale;
  std::unique_ptr<FILE, int (*)(FILE*)> file(std::fopen(path.c_str(), "wb"), &std::fclose);
  if (!file) {
    throw std::runtime_error("cannot write " + path);
  }
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  png_init_io(png, file.get());
  png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8, PNG_COLOR_TYPE_GRAY,
               PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  std::vector<png_byte> line(static_cast<size_t>(width));
  for (int y = 0; y < height; ++y) {
    const int moduleRow = y / scale - quiet;
    const int rowIndex = moduleRow < 0 ? -1 : moduleRow / rowHeight;
    for (int x = 0; x < width; ++x) {
      const int moduleCol = x / scale - quiet;
      bool dark = false;
      if (rowIndex >= 0 && rowIndex < static_cast<int>(rows.size()) && moduleCol >= 0) {
        const auto& r = rows[static_cast<size_t>(rowIndex)];
        dark = moduleCol < static_cast<int>(r.size()) && r[static_cast<size_t>(moduleCol)] == '1';
      }
      line[static_cast<size_t>(x)] = dark ? 0 : 255;
    }
    png_write_row(png, line.data());
  }
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
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
