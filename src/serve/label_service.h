#pragma once
// What the routes do with a control, free of HTTP: the properties of a request applied to a
// fresh control, the label exported to bytes, a design saved to or read from property-file
// bytes, and the property schema. Nothing touches the file system: Save, Load and export go
// to memory only. Each function works on the control it is given and shares nothing, so any
// number of threads may call them on controls of their own.
#include <cstdint>
#include <nlohmann/json.hpp>
#include <string>
#include <string_view>
#include <vector>

#include "render/image_formats.h"
#include "serve/outcome.h"

namespace linnet {
class CQlnBarcode;
}

namespace linnet::serve {

// The properties a request carries: the query's settings, then the body's. A body is an XML
// property file when its type says XML (it loads first, before every setting), else a JSON
// object of properties; an empty body adds nothing.
struct RequestProperties {
  std::string_view query;
  std::string contentType;
  std::string_view body;
};

Outcome ApplyRequest(CQlnBarcode& control, const RequestProperties& request);

// The label in `format`. An encoding error is EncodingError with the engine's code and
// message, unless `allowError`, which gives the label showing the error text.
Outcome RenderLabel(CQlnBarcode& control, const ImageFormatInfo& format, bool allowError,
                    std::vector<unsigned char>& image);

// The design as a property file (XML or binary).
Outcome SaveDesign(CQlnBarcode& control, bool xml, std::vector<std::uint8_t>& file);
// Loads a property file (XML when it starts with '<', else binary) into `control`.
Outcome LoadDesign(CQlnBarcode& control, std::string_view file);

// Every readable property's value as JSON a client can post back: booleans, numbers, text,
// and the enumerators, colours and fonts by the names ParseValue reads.
nlohmann::ordered_json PropertyValues(CQlnBarcode& control);

// The schema of every property a request can set, from the automation table.
nlohmann::ordered_json PropertySchema();

}  // namespace linnet::serve
