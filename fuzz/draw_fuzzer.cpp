// The whole control: fuzzed bytes become a sequence of property puts by automation name,
// then the label is measured and exported as a raster image in memory. Refused values are
// answers; crashes, sanitizer reports, leaks and slow inputs are findings.
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "control/automation.h"
#include "control/qln_barcode.h"
#include "fuzz_input.h"
#include "render/export_image.h"
#include "render/natural_size.h"

namespace {

linnet::Variant ValueFor(linnet::fuzz::FuzzInput& in) {
  switch (in.Pick(6)) {
    case 0:
      return linnet::Variant::Long(in.Raw<std::int32_t>());
    case 1:
      return linnet::Variant::Short(in.Raw<std::int16_t>());
    case 2:
      return linnet::Variant::Double(in.Raw<double>());
    case 3:
      return linnet::Variant::Bool(in.Flag());
    case 4: {
      // Small numbers are the likeliest to be accepted, and to reach the drawing.
      return linnet::Variant::Long(in.Pick(64) - 8);
    }
    default: {
      const std::string bytes = in.Text(in.Byte());
      std::u16string text;
      for (const char c : bytes) {
        text.push_back(static_cast<char16_t>(static_cast<unsigned char>(c)));
      }
      return linnet::Variant::Text(text);
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
  linnet::fuzz::FuzzInput in(data, size);
  const std::span<const linnet::AutomationMember> members = linnet::AutomationMembers();
  linnet::CQlnBarcode control;
  const int puts = in.Pick(12);
  for (int i = 0; i < puts; ++i) {
    const linnet::AutomationMember& chosen = members[static_cast<size_t>(in.Pick(static_cast<int>(members.size())))];
    const linnet::Variant value = ValueFor(in);
    const linnet::AutomationMember* member = linnet::FindAutomationMember(chosen.name, true);
    if (member == nullptr || member->put == nullptr || member->kind == linnet::ValueKind::Font ||
        member->kind == linnet::ValueKind::Picture) {
      continue;
    }
    linnet::PutAutomationProperty(control, *member, value);
  }
  linnet::ComputeNaturalSize(control);
  std::vector<unsigned char> image;
  linnet::ExportImageToStream(control, image, linnet::qlxFormatPNG);
  return 0;
}
