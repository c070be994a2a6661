#include "serve/settings_text.h"

#include <array>
#include <nlohmann/json.hpp>

#include "platform/ascii_case.h"

namespace linnet::serve {

namespace {

constexpr std::array kServiceParameters = {"allowError", "format"};

int HexDigit(char c) {
  if (c >= '0' && c <= '9') {
    return c - '0';
  }
  if (c >= 'a' && c <= 'f') {
    return c - 'a' + 10;
  }
  if (c >= 'A' && c <= 'F') {
    return c - 'A' + 10;
  }
  return -1;
}

bool Decode(std::string_view text, std::string& out, std::string& error) {
  out.clear();
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '+') {
      out.push_back(' ');
    } else if (c != '%') {
      out.push_back(c);
    } else if (i + 2 < text.size() && HexDigit(text[i + 1]) >= 0 && HexDigit(text[i + 2]) >= 0) {
      out.push_back(static_cast<char>(HexDigit(text[i + 1]) * 16 + HexDigit(text[i + 2])));
      i += 2;
    } else {
      error = "bad percent escape in the query";
      return false;
    }
  }
  return true;
}

}  // namespace

bool IsServiceParameter(std::string_view name) {
  for (const char* p : kServiceParameters) {
    if (SameIgnoringAsciiCase(name, p)) {
      return true;
    }
  }
  return false;
}

bool SettingsFromQuery(std::string_view query, std::vector<host::Setting>& settings, std::string& error) {
  while (!query.empty()) {
    const auto amp = query.find('&');
    const std::string_view pair = query.substr(0, amp);
    query = amp == std::string_view::npos ? std::string_view() : query.substr(amp + 1);
    if (pair.empty()) {
      continue;
    }
    const auto eq = pair.find('=');
    if (eq == std::string_view::npos || eq == 0) {
      error = "a query parameter needs NAME=VALUE";
      return false;
    }
    host::Setting s;
    if (!Decode(pair.substr(0, eq), s.name, error) || !Decode(pair.substr(eq + 1), s.value, error)) {
      return false;
    }
    if (!IsServiceParameter(s.name)) {
      settings.push_back(std::move(s));
    }
  }
  return true;
}

bool SettingsFromJson(std::string_view body, std::vector<host::Setting>& settings, std::string& error) {
  // ordered_json keeps the members in the order written: properties apply in that order.
  const auto doc = nlohmann::ordered_json::parse(body, nullptr, false);
  if (doc.is_discarded() || !doc.is_object()) {
    error = "the body must be a JSON object of property names and values";
    return false;
  }
  for (const auto& [name, value] : doc.items()) {
    host::Setting s{host::Setting::Source::Value, name, {}};
    if (value.is_string()) {
      s.value = value.get<std::string>();
    } else if (value.is_boolean() || value.is_number()) {
      s.value = value.dump();
    } else {
      error = "the value of " + name + " must be a string, a number or a boolean";
      return false;
    }
    settings.push_back(std::move(s));
  }
  return true;
}

}  // namespace linnet::serve
