// The linnet command line: bytes split at zero bytes into arguments and parsed; the
// property settings found are converted from text as `--set` converts them, and put into
// a control. Nothing is run, so nothing is read or written.
#include <cstdint>
#include <string>
#include <vector>

#include "cli/command_line.h"
#include "control/automation.h"
#include "control/qln_barcode.h"
#include "host/property_text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
  std::vector<std::string> args(1);
  for (size_t i = 0; i < size; ++i) {
    if (data[i] == 0) {
      args.emplace_back();
    } else {
      args.back().push_back(static_cast<char>(data[i]));
    }
  }
  std::string error;
  const auto line = linnet::cli::ParseCommandLine(args, error);
  if (!line) {
    return 0;
  }
  linnet::CQlnBarcode control;
  for (const auto& setting : line->settings) {
    const linnet::AutomationMember* member = linnet::FindAutomationMember(setting.name, true);
    if (member == nullptr || member->put == nullptr || setting.source != linnet::host::Setting::Source::Value) {
      continue;
    }
    linnet::Variant value;
    if (linnet::host::ParseValue(*member, setting.value, value, error)) {
      linnet::PutAutomationProperty(control, *member, value);
      linnet::Variant back;
      if (member->get != nullptr && member->get(control, back) == linnet::S_OK) {
        linnet::host::FormatValue(*member, back);
      }
    }
  }
  return 0;
}
