// Request properties as settings: the order kept, escapes decoded, the service's own
// parameters left out, malformed text refused with a reason.
#include "serve/settings_text.h"

#include <gtest/gtest.h>

namespace linnet::serve {
namespace {

std::string Joined(const std::vector<host::Setting>& settings) {
  std::string text;
  for (const auto& s : settings) {
    text += s.name + "=" + s.value + ";";
  }
  return text;
}

TEST(SettingsText, QueryStrings) {
  const struct {
    std::string query;
    bool ok;
    std::string settings;
  } cases[] = {
      {"Message=B&Symbology=code128&Message=A", true, "Message=B;Symbology=code128;Message=A;"},
      {"Message=two+words%21&allowError=1&ALLOWERROR=0", true, "Message=two words!;"},
      {"Message=%e2%82%AC&&BarHeight=", true, "Message=\xE2\x82\xAC;BarHeight=;"},
      {"Message=a%3Db%26c", true, "Message=a=b&c;"},
      {"", true, ""},
      {"Message=%4", false, ""},
      {"Message=%G0", false, ""},
      {"Message", false, ""},
      {"=value", false, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.query);
    std::vector<host::Setting> settings;
    std::string error;
    EXPECT_EQ(SettingsFromQuery(c.query, settings, error), c.ok) << error;
    if (c.ok) {
      EXPECT_EQ(Joined(settings), c.settings);
    } else {
      EXPECT_FALSE(error.empty());
    }
  }
}

TEST(SettingsText, JsonObjects) {
  const struct {
    std::string body;
    bool ok;
    std::string settings;
  } cases[] = {
      {R"({"Message": "B", "Symbology": "code128", "BarHeight": 500})", true,
       "Message=B;Symbology=code128;BarHeight=500;"},
      {R"({"ShowHRText": false, "ZoomRatio": 1.5, "Message": "a\u00e9"})", true,
       "ShowHRText=false;ZoomRatio=1.5;Message=a\xC3\xA9;"},
      {"{}", true, ""},
      {R"(["Message", "x"])", false, ""},
      {R"({"Message": null})", false, ""},
      {R"({"Message": {"nested": 1}})", false, ""},
      {R"({"Message": "x")", false, ""},
      {std::string(100000, '['), false, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.body.substr(0, 60));
    std::vector<host::Setting> settings;
    std::string error;
    EXPECT_EQ(SettingsFromJson(c.body, settings, error), c.ok) << error;
    if (c.ok) {
      EXPECT_EQ(Joined(settings), c.settings);
    }
  }
}

}  // namespace
}  // namespace linnet::serve
