#pragma once
// The thread's "ANSI code page": Windows-1252. Text crosses from the control (UTF-16) to the
// engine (bytes) through it; characters without a mapping become the default character '?'.
#include <string>
#include <string_view>

namespace linnet {

inline constexpr char kAnsiDefaultCharacter = '?';

std::string WideToAnsi(std::u16string_view text);
std::u16string AnsiToWide(std::string_view bytes);

// UTF-8 <-> UTF-16 for the command line and files; invalid UTF-8 sequences become U+FFFD.
std::u16string Utf8ToWide(std::string_view utf8);
std::string WideToUtf8(std::u16string_view text);

}  // namespace linnet
