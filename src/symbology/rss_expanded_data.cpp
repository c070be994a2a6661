#include <cstdio>

#include "symbology/ai_parser.h"
#include "symbology/rss_expanded_detail.h"

namespace Quillon::BrindleLib::detail {

namespace {

constexpr int kStructureFlags = kAiFlagAiNotNumeric | kAiFlagNoParentheses;

void AppendEncodable(std::string_view characters, std::string& data) {
  for (const char c : characters) {
    if (HasGeneralFieldValue(c)) {
      data.push_back(c);
    }
  }
}

}  // namespace

int ParseElements(std::string_view message, std::string& data, std::string& text) {
  data.clear();
  text.clear();
  AiParser parser(message, kAiTolerant);
  AiElement element;
  bool separatorPending = false;
  for (int flags = NextElement(parser, element); flags != kAiFlagEnd; flags = NextElement(parser, element)) {
    if ((flags & kStructureFlags) != 0) {
      char detail[48];
      std::snprintf(detail, sizeof detail, "\nAI structure error, %d", flags);
      LogStageFailure("Quillon::BrindleLib::detail::ParseElements", __LINE__, detail);
      return -1;
    }
    if (separatorPending) {
      data.push_back(kExpandedFnc1);
    }
    AppendEncodable(element.ai, data);
    AppendEncodable(element.data, data);
    separatorPending = !element.noSeparator;
    text += element.text;
  }
  if (data.size() > static_cast<size_t>(kExpandedMaxDataLength)) {
    data.resize(static_cast<size_t>(kExpandedMaxDataLength));
  }
  return static_cast<int>(data.size());
}

}  // namespace Quillon::BrindleLib::detail
