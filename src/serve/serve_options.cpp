#include "serve/serve_options.h"

#include <cstdlib>

namespace linnet::serve {

bool ParseListenAddress(const std::string& text, ServeOptions& options, std::string& error) {
  const auto colon = text.rfind(':');
  const std::string host = colon == std::string::npos ? options.host : text.substr(0, colon);
  const std::string port = colon == std::string::npos ? text : text.substr(colon + 1);
  char* end = nullptr;
  const long number = std::strtol(port.c_str(), &end, 10);
  if (port.empty() || *end != '\0' || number < 0 || number > 65535) {
    error = "--listen needs ADDR:PORT, not '" + text + "'";
    return false;
  }
  options.host = host.empty() ? options.host : host;
  options.port = static_cast<int>(number);
  return true;
}

}  // namespace linnet::serve
