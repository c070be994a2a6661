// A barcode-reader module whose reader dies, as a library's failed assertion would end it:
// --verify must report the row and go on.
#include <cstdlib>

#include "cli/reader_module.h"
#include "version_record.h"

namespace {

bool Decode(const std::uint8_t*, int, int, const char*, char*, std::size_t, std::size_t*) {
  std::abort();
}

constexpr linnet::cli::ReaderModule kModule{{linnet::version_record::kVersionText}, &Decode};

}  // namespace

extern "C" __attribute__((visibility("default"))) const linnet::modules::EntryHeader* linnet_reader_module() {
  return &kModule.header;
}
