#include "symbology/ean128.h"

#include "symbology/ai_parser.h"
#include "symbology/code128.h"

namespace Quillon::BrindleLib {

namespace {

void AppendBytes(const std::string& bytes, Elements& elements) {
  for (const char c : bytes) {
    elements.push_back(static_cast<unsigned char>(c));
  }
}

}  // namespace

void CEAN128Symbol::Validate(const std::string& message) const {
  AiParser parser(UpToTerminator(message), kAiStrict);
  AiElement element;
  int flags = NextElement(parser, element);
  while (flags == 0) {
    flags = NextElement(parser, element);
  }
  ThrowEan128Error(flags);
}

int CEAN128Symbol::Encode(const std::string& message, bool /*optionalCheckDigit*/, std::string& pattern,
                          std::string& text) const {
  pattern.clear();
  text.clear();
  AiParser parser(UpToTerminator(message), kAiStrict);
  AiElement element;
  // The fields go into the symbol as they are, never through the tilde syntax, so a '~'
  // in the data of an AI outside the table stays a tilde.
  Elements elements;
  elements.reserve(parser.message.size() + 4);
  elements.push_back(kFnc1);
  bool separatorDue = false;
  int flags = 0;
  while ((flags = NextElement(parser, element)) == 0) {
    if (separatorDue) {
      elements.push_back(kFnc1);
    }
    AppendBytes(element.ai, elements);
    AppendBytes(element.data, elements);
    text += element.text;
    separatorDue = !element.noSeparator;
  }
  if (flags != kAiFlagEnd) {
    text.clear();
    ThrowEan128Error(flags);
  }
  Code128Pattern(elements, pattern);
  return 1;
}

}  // namespace Quillon::BrindleLib
