#pragma once
// ExportImage: the label drawn into a metafile or a bitmap and written in an image format.
#include <string>
#include <vector>

#include "platform/com/hresult.h"

namespace linnet {

class CQlnBarcode;

enum ImageFormat : int {
  qlxFormatBMP = 0,
  qlxFormatJPG = 1,
  qlxFormatGIF = 2,
  qlxFormatTIF = 3,
  qlxFormatPNG = 5,
  qlxFormatEMF = 6,
  qlxFormatWMF = 7,
};

// Writes the image to a file (with the overwrite guard). Returns S_OK or an error of the
// control (6107, 6122) with the thread's error object set.
HRESULT ExportImageToFile(CQlnBarcode& control, const std::string& path, int format);

// Writes the image into `out` (a stream destination).
HRESULT ExportImageToStream(CQlnBarcode& control, std::vector<unsigned char>& out, int format);

}  // namespace linnet
