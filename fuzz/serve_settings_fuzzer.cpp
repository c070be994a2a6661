// The properties of an HTTP request as the service reads them: the first byte chooses a query
// string or a JSON body, the rest is the text. Whatever parses is applied to a fresh control,
// so the values also pass through the value parser and the setters.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "control/qln_barcode.h"
#include "serve/label_service.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) {
    return 0;
  }
  const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);
  linnet::serve::RequestProperties request;
  if ((data[0] & 1) == 0) {
    request.query = text;
  } else {
    request.contentType = "application/json";
    request.body = text;
  }
  linnet::CQlnBarcode control;
  linnet::serve::ApplyRequest(control, request);
  return 0;
}
