#pragma once
// What every loader target does after a load, whether or not it succeeded: a loaded file
// drives the renderer, so the label is measured at its natural size and exported as a PNG in
// memory, the way a host shows and saves what it opened.
#include <vector>

#include "control/qln_barcode.h"
#include "render/export_image.h"
#include "render/natural_size.h"

namespace linnet::fuzz {

inline void DrawLoaded(CQlnBarcode& control) {
  ComputeNaturalSize(control);
  std::vector<unsigned char> image;
  ExportImageToStream(control, image, qlxFormatPNG);
}

}  // namespace linnet::fuzz
