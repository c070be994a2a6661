#include "platform/log.h"

#include <gtest/gtest.h>

#include <string>

namespace linnet::log {
namespace {

std::string Captured(bool enabled, std::string_view tag, std::string_view text) {
  SetEnabled(enabled);
  ::testing::internal::CaptureStderr();
  Write(tag, text);
  return ::testing::internal::GetCapturedStderr();
}

TEST(Log, WritesTagAndTextOnlyWhenEnabled) {
  const struct {
    bool enabled;
    std::string expected;
  } cases[] = {{true, "[tag]body\n"}, {false, ""}};
  for (const auto& c : cases) {
    EXPECT_EQ(Captured(c.enabled, "[tag]", "body\n"), c.expected);
    EXPECT_EQ(Enabled(), c.enabled);
  }
}

}  // namespace
}  // namespace linnet::log
