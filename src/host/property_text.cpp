#include "host/property_text.h"

#include <cmath>
#include <cstdio>
#include <sstream>
#include <vector>

#include "host/enumerator_names.h"
#include "platform/codepage.h"

namespace linnet::host {

namespace {

std::vector<std::string> SplitCommas(const std::string& text) {
  std::vector<std::string> parts;
  std::stringstream in(text);
  std::string part;
  while (std::getline(in, part, ',')) {
    parts.push_back(part);
  }
  return parts;
}

bool ParseFont(const std::string& value, Variant& out, std::string& error) {
  const auto parts = SplitCommas(value);
  if (parts.empty() || parts[0].empty()) {
    error = "a font needs a name: Name[,points][,bold][,italic][,underline][,strikethrough]";
    return false;
  }
  FontDescription d;
  d.name = Utf8ToWide(parts[0]);
  for (size_t i = 1; i < parts.size(); ++i) {
    const std::string& p = parts[i];
    if (p == "bold") {
      d.weight = 700;
    } else if (p == "italic") {
      d.italic = true;
    } else if (p == "underline") {
      d.underline = true;
    } else if (p == "strikethrough") {
      d.strikethrough = true;
    } else {
      char* end = nullptr;
      const double points = std::strtod(p.c_str(), &end);
      if (end == p.c_str() || *end != '\0' || !(points > 0 && points <= 1638)) {
        error = "unknown font attribute '" + p + "'";
        return false;
      }
      d.sizeTenThousandths = std::llround(points * 10000);
    }
  }
  out = Variant::Font(std::make_shared<FontObject>(std::move(d)));
  return true;
}

void AppendEscaped(std::string& out, const std::string& utf8) {
  for (const char c : utf8) {
    const auto u = static_cast<unsigned char>(c);
    if (c == '\\') {
      out += "\\\\";
    } else if (c == '\n') {
      out += "\\n";
    } else if (c == '\r') {
      out += "\\r";
    } else if (c == '\t') {
      out += "\\t";
    } else if (u < 0x20 || u == 0x7F) {
      char hex[8];
      std::snprintf(hex, sizeof hex, "\\x%02X", u);
      out += hex;
    } else {
      out.push_back(c);
    }
  }
}

// Digits with an optional sign, spaces or a decimal part: left for the control to convert.
bool LooksNumeric(const std::string& value) {
  return !value.empty() && value.find_first_not_of("+-0123456789. ") == std::string::npos &&
         value.find_first_of("0123456789") != std::string::npos;
}

}  // namespace

bool ParseValue(const AutomationMember& member, const std::string& value, Variant& out, std::string& error) {
  switch (member.kind) {
    case ValueKind::Font:
      return ParseFont(value, out, error);
    case ValueKind::Alignment:
    case ValueKind::Measurement:
    case ValueKind::Symbology:
    case ValueKind::Rotation:
      if (const auto number = EnumeratorNamed(value, member.kind)) {
        out = Variant::Long(*number);
        return true;
      }
      if (!LooksNumeric(value)) {
        error = "'" + value + "' is neither a number nor a name of " + EnumerationName(member.kind);
        return false;
      }
      break;
    case ValueKind::Color:
      if (value.size() > 2 && value[0] == '0' && (value[1] == 'x' || value[1] == 'X')) {
        char* end = nullptr;
        const unsigned long colour = std::strtoul(value.c_str() + 2, &end, 16);
        if (*end != '\0' || colour > 0xFFFFFFFFUL) {
          error = "not a colour: " + value;
          return false;
        }
        out = Variant::UnsignedLong(static_cast<std::uint32_t>(colour));
        return true;
      }
      break;
    default:
      break;
  }
  out = Variant::Text(Utf8ToWide(value));
  return true;
}

std::string FormatValue(const AutomationMember& member, const Variant& value) {
  std::string text;
  switch (member.kind) {
    case ValueKind::Font: {
      const FontPtr font = value.AsFont();
      if (!font) {
        return "(none)";
      }
      const auto& d = font->Description();
      text = WideToUtf8(d.name) + "," + WideToUtf8(DoubleToText(d.SizePoints()));
      if (d.weight >= 700) {
        text += ",bold";
      }
      if (d.italic) {
        text += ",italic";
      }
      if (d.underline) {
        text += ",underline";
      }
      if (d.strikethrough) {
        text += ",strikethrough";
      }
      return text;
    }
    case ValueKind::Text:
      AppendEscaped(text, WideToUtf8(value.AsText()));
      return text;
    case ValueKind::Color: {
      char hex[16];
      std::snprintf(hex, sizeof hex, "0x%08X", static_cast<unsigned>(value.AsWide()));
      return hex;
    }
    case ValueKind::Double:
      return WideToUtf8(DoubleToText(value.AsDouble()));
    case ValueKind::Bool:
      return value.AsLong() != 0 ? "true (" + std::to_string(value.AsLong()) + ")" : "false (0)";
    case ValueKind::Alignment:
    case ValueKind::Measurement:
    case ValueKind::Symbology:
    case ValueKind::Rotation: {
      text = std::to_string(value.AsLong());
      if (const char* name = EnumeratorName(member.kind, value.AsLong())) {
        text += std::string(" (") + name + ")";
      }
      return text;
    }
    default:
      return std::to_string(value.AsLong());
  }
}

}  // namespace linnet::host
