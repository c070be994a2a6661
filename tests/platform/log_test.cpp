#include "platform/log.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

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

TEST(Log, AnInstalledSinkReceivesWholeDiagnosticsInsteadOfStandardError) {
  std::vector<std::string> received;
  SetSink([&](std::string_view diagnostic) { received.emplace_back(diagnostic); });
  const struct {
    bool enabled;
    std::string stderrText;
    std::vector<std::string> received;
  } cases[] = {
      {true, "", {"[tag]body\n"}},  // to the sink only
      {false, "", {}},              // quiet stays quiet
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.enabled);
    received.clear();
    EXPECT_EQ(Captured(c.enabled, "[tag]", "body\n"), c.stderrText);
    EXPECT_EQ(received, c.received);
  }
  SetSink(nullptr);
  EXPECT_EQ(Captured(true, "[back]", "\n"), "[back]\n");
  SetEnabled(false);
}

}  // namespace
}  // namespace linnet::log
