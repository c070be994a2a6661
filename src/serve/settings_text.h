#pragma once
// The properties of a request as settings in the order given: from a query string
// (NAME=VALUE&..., percent-encoded, '+' a space) or from a JSON object ({"NAME": value, ...};
// strings as they stand, numbers in their JSON spelling, booleans as true/false). Names the
// service itself reads (allowError) are not properties and are left out. Malformed input
// (a bad escape, a key without '=', JSON that is not one flat object) gives false with
// `error`; nothing here touches a control. Untrusted input: every byte sequence is safe.
#include <string>
#include <string_view>
#include <vector>

#include "host/settings.h"

namespace linnet::serve {

bool SettingsFromQuery(std::string_view query, std::vector<host::Setting>& settings, std::string& error);
bool SettingsFromJson(std::string_view body, std::vector<host::Setting>& settings, std::string& error);

// Whether a query key is the service's own rather than a property.
bool IsServiceParameter(std::string_view name);

}  // namespace linnet::serve
