#include "serve/label_service.h"

#include <memory>

#include "control/automation.h"
#include "control/error_info.h"
#include "control/matrix_dispatch.h"
#include "control/property_browsing.h"
#include "control/qln_barcode.h"
#include "control/symbology_dispatch.h"
#include "control/symbology_family.h"
#include "host/property_text.h"
#include "persist/property_file.h"
#include "platform/codepage.h"
#include "platform/com/error_object.h"
#include "render/export_image.h"
#include "serve/settings_text.h"

namespace linnet::serve {

namespace {

using Quillon::BrindleLib::barlib_error;

// Remembers whether drawing reported a symbol it could not encode.
class ErrorWatch : public IBarcodeEvents {
 public:
  HRESULT BarcodeError(std::int32_t /*handle*/, std::int32_t /*nError*/) override {
    fired = true;
    return S_OK;
  }
  bool fired = false;
};

const char* MessageMemberName() {
  static const char* const name = FindAutomationMember("Message", false)->name;
  return name;
}

// The engine's code and message for the symbol the control holds; Ok when it encodes.
Outcome EncodingOutcome(const CQlnBarcode& control) {
  const int symbology = control.Properties().symbology;
  const Family family = SymbologyFamily(symbology);
  try {
    if (family == Family::Matrix || family == Family::MaxiCode) {
      EncodeMatrixRows(control);
    } else {
      EncodeLinearSymbol(control);
    }
    return {};
  } catch (const barlib_error& e) {
    return {OutcomeKind::EncodingError, e.code, WideToUtf8(AnsiToWide(EncodingErrorText(symbology, e.code, e.message))),
            MessageMemberName()};
  }
}

bool IsXml(std::string_view contentType) {
  return contentType.find("xml") != std::string_view::npos;
}

nlohmann::ordered_json ValueJson(const AutomationMember& member, const Variant& value) {
  switch (member.kind) {
    case ValueKind::Bool:
      return value.AsLong() != 0;
    case ValueKind::Long:
    case ValueKind::Short:
      return value.AsLong();
    case ValueKind::Double:
      return value.AsDouble();
    case ValueKind::Text:
      return WideToUtf8(value.AsText());
    case ValueKind::Color: {
      char hex[16];
      std::snprintf(hex, sizeof hex, "0x%08X", static_cast<unsigned>(value.AsWide()));
      return hex;
    }
    case ValueKind::Alignment:
    case ValueKind::Measurement:
    case ValueKind::Symbology:
    case ValueKind::Rotation:
      if (const char* name = EnumeratorName(member.kind, value.AsLong())) {
        return name;
      }
      return value.AsLong();
    case ValueKind::Font:
      return value.AsFont() ? nlohmann::ordered_json(host::FormatValue(member, value)) : nullptr;
    case ValueKind::Picture:
      break;
  }
  return nullptr;
}

const char* KindName(ValueKind kind) {
  static constexpr const char* kNames[] = {"bool", "long",    "short",     "double",      "text",      "color",
                                           "font", "picture", "alignment", "measurement", "symbology", "rotation"};
  return kNames[static_cast<int>(kind)];
}

}  // namespace

Outcome ApplyRequest(CQlnBarcode& control, const RequestProperties& request) {
  std::vector<host::Setting> settings;
  std::string error;
  if (!SettingsFromQuery(request.query, settings, error)) {
    return {OutcomeKind::BadRequest, 0, error, {}};
  }
  if (IsXml(request.contentType)) {
    if (const Outcome loaded = LoadDesign(control, request.body); loaded.kind != OutcomeKind::Ok) {
      return loaded;
    }
  } else if (!request.body.empty() && !SettingsFromJson(request.body, settings, error)) {
    return {OutcomeKind::BadRequest, 0, error, {}};
  }
  ClearThreadErrorObject();
  return FromSettings(host::ApplySettings(control, settings));
}

Outcome RenderLabel(CQlnBarcode& control, const ImageFormatInfo& format, bool allowError,
                    std::vector<unsigned char>& image) {
  ClearThreadErrorObject();
  auto watch = std::make_shared<ErrorWatch>();
  const auto cookie = control.Events().Advise(watch);
  const HRESULT hr = ExportFormatToStream(control, image, format);
  control.Events().Unadvise(cookie);
  if (Failed(hr)) {
    image.clear();
    return FromFailure(hr);
  }
  if (watch->fired && !allowError) {
    image.clear();
    return EncodingOutcome(control);
  }
  return {};
}

Outcome SaveDesign(CQlnBarcode& control, bool xml, std::vector<std::uint8_t>& file) {
  ClearThreadErrorObject();
  const HRESULT hr = persist::SavePropertyFile(control, xml ? persist::kPersistXml : 0, file);
  return Failed(hr) ? FromFailure(hr) : Outcome{};
}

Outcome LoadDesign(CQlnBarcode& control, std::string_view file) {
  ClearThreadErrorObject();
  const bool xml = !file.empty() && (file.front() == '<' || file.starts_with("\xEF\xBB\xBF"));
  const HRESULT hr = persist::LoadPropertyFile(
      control, {reinterpret_cast<const std::uint8_t*>(file.data()), file.size()}, xml ? persist::kPersistXml : 0);
  if (Failed(hr)) {
    Outcome o = FromFailure(hr);
    o.kind = OutcomeKind::BadRequest;  // the file is the client's
    return o;
  }
  return {};
}

nlohmann::ordered_json PropertyValues(CQlnBarcode& control) {
  nlohmann::ordered_json values = nlohmann::ordered_json::object();
  for (const auto& member : AutomationMembers()) {
    Variant value;
    if (member.put == nullptr || member.kind == ValueKind::Picture || Failed(member.get(control, value))) {
      continue;
    }
    values[member.name] = ValueJson(member, value);
  }
  return values;
}

nlohmann::ordered_json PropertySchema() {
  nlohmann::ordered_json list = nlohmann::ordered_json::array();
  for (const auto& member : AutomationMembers()) {
    if (member.put == nullptr || member.kind == ValueKind::Picture) {
      continue;
    }
    nlohmann::ordered_json p{{"name", member.name}, {"kind", KindName(member.kind)}};
    nlohmann::ordered_json enumerators = nlohmann::ordered_json::array();
    for (const auto& e : Enumerators()) {
      if (e.enumeration == member.kind) {
        enumerators.push_back({{"name", e.name}, {"value", e.value}});
      }
    }
    if (!enumerators.empty()) {
      p["enumerators"] = std::move(enumerators);
    }
    p["creation"] = member.creation != nullptr ? ValueJson(member, member.creation()) : nullptr;
    const auto category = static_cast<std::int32_t>(member.category);
    std::u16string categoryName;
    p["category"] = category;
    p["categoryName"] = Succeeded(GetCategoryName(category, &categoryName)) ? WideToUtf8(categoryName) : "";
    p["extension"] = member.extension;
    list.push_back(std::move(p));
  }
  return list;
}

}  // namespace linnet::serve
