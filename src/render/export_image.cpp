#include "render/export_image.h"

namespace linnet {

// Provisional until the raster export lands.
HRESULT ExportImageToFile(CQlnBarcode& /*control*/, const std::string& /*path*/, int /*format*/) {
  return E_NOTIMPL;
}

HRESULT ExportImageToStream(CQlnBarcode& /*control*/, std::vector<unsigned char>& /*out*/, int /*format*/) {
  return E_NOTIMPL;
}

}  // namespace linnet
