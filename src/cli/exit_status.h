#pragma once
// The exit statuses of `linnet`, which scripts test.
namespace linnet::cli {

inline constexpr int kExitOk = 0;
inline constexpr int kExitUsage = 1;         // a usage error, an unknown property
inline constexpr int kExitRefused = 2;       // a property value refused
inline constexpr int kExitCannotEncode = 3;  // the symbol cannot be encoded; --strict and a warning
inline constexpr int kExitFile = 4;          // a file or standard output could not be read or written

}  // namespace linnet::cli
