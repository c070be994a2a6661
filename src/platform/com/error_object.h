#pragma once
// The per-thread automation error object: the description of the last failure, replaced by
// the next one and never cleared by the control.
#include <optional>
#include <string>

namespace linnet {

struct ErrorObject {
  std::u16string interfaceId;  // the interface that raised it, "{...}"
  std::u16string source;       // programmatic identifier of the raising class
  std::u16string description;
};

void SetThreadErrorObject(ErrorObject error);
void ClearThreadErrorObject();
// The thread's error object, if one was set.
std::optional<ErrorObject> ThreadErrorObject();

}  // namespace linnet
