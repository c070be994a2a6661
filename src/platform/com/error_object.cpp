#include "platform/com/error_object.h"

namespace linnet {

namespace {

thread_local std::optional<ErrorObject> threadError;

}  // namespace

void SetThreadErrorObject(ErrorObject error) {
  threadError = std::move(error);
}

void ClearThreadErrorObject() {
  threadError.reset();
}

std::optional<ErrorObject> ThreadErrorObject() {
  return threadError;
}

}  // namespace linnet
