// label.cpp: the Linnet C interface from C++, with the handle in a unique_ptr, the image
// exported to memory and the property list read from the library.
// Usage: label_cpp OUTPUT.png [MESSAGE]
#include <linnet/linnet.h>

#include <fstream>
#include <iostream>
#include <memory>
#include <stdexcept>
#include <string>

namespace {

using Barcode = std::unique_ptr<linnet_barcode, decltype(&linnet_barcode_free)>;

// Throws the handle's last error when `result` is a failure.
void Check(const Barcode& barcode, linnet_result result) {
  if (LINNET_FAILED(result)) {
    int32_t number = 0;
    const char* message = "";
    linnet_barcode_last_error(barcode.get(), &number, &message);
    throw std::runtime_error("error " + std::to_string(number) + ": " + message);
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::cerr << "usage: " << argv[0] << " OUTPUT.png [MESSAGE]\n";
    return 2;
  }
  linnet_barcode* raw = nullptr;
  if (LINNET_FAILED(linnet_barcode_new(&raw))) {
    std::cerr << "cannot create a barcode\n";
    return 1;
  }
  Barcode barcode(raw, &linnet_barcode_free);
  try {
    Check(barcode, linnet_barcode_set_enum(barcode.get(), "Symbology", "qlxPDF417"));
    Check(barcode, linnet_barcode_set_text(barcode.get(), "Message", argc > 2 ? argv[2] : "Linnet from C++"));
    Check(barcode, linnet_barcode_set_bool(barcode.get(), "ShowComment", 0));

    unsigned char* data = nullptr;
    size_t size = 0;
    Check(barcode, linnet_barcode_export_memory(barcode.get(), LINNET_FORMAT_PNG, &data, &size));
    std::unique_ptr<unsigned char, decltype(&linnet_free)> image(data, &linnet_free);
    std::ofstream out(argv[1], std::ios::binary);
    out.write(reinterpret_cast<const char*>(image.get()), static_cast<std::streamsize>(size));
    if (!out.flush()) {
      throw std::runtime_error(std::string("cannot write ") + argv[1]);
    }
    std::cout << "wrote " << size << " bytes to " << argv[1] << "; " << linnet_property_count()
              << " properties, the first " << linnet_property_name(0) << "\n";
  } catch (const std::exception& e) {
    std::cerr << e.what() << "\n";
    return 1;
  }
  return 0;
}
