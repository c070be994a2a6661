#pragma once
// A byte sink that accepts the first `budget` bytes and then fails every write, for the tests
// that make the N-th write of a writer fail and check that nothing half-written is reported as
// a success.
#include <cstddef>

#include "platform/image/byte_sink.h"

namespace linnet::testing {

class FailingSink final : public image::ByteSink {
 public:
  explicit FailingSink(std::size_t budget) : budget_(budget) {}
  bool Write(const void* /*data*/, std::size_t size) override {
    if (size > budget_) {
      return false;
    }
    budget_ -= size;
    return true;
  }

 private:
  std::size_t budget_;
};

}  // namespace linnet::testing
