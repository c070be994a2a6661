#pragma once
// ExportImage: the label drawn into a metafile, a bitmap or an SVG document and written in an
// image format, to a file or appended to bytes in memory (a stream destination).
//
// Files pass the overwrite guard first (an existing file must be plain, writable and named
// like an image of the format table, or have no extension) and are replaced only when the
// whole image was written. Results: S_OK; error 6107 when the guard refuses, the recording
// cannot be made (a label beyond what the format or the memory budget holds), a temporary
// file cannot be created, or writing fails; error 6122 when the raster bitmap cannot be
// created; E_OUTOFMEMORY. On failure no file and no temporary file is left and `out` is as it
// was.
#include <string>
#include <vector>

#include "platform/com/hresult.h"
#include "render/image_formats.h"

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

// By ImageFormatEnum value, every unknown value giving JPEG.
HRESULT ExportImageToFile(CQlnBarcode& control, const std::string& path, int format);
HRESULT ExportImageToStream(CQlnBarcode& control, std::vector<unsigned char>& out, int format);

// By row of the format table, SVG included: what `linnet` and other hosts call.
HRESULT ExportFormatToFile(CQlnBarcode& control, const std::string& path, const ImageFormatInfo& format);
HRESULT ExportFormatToStream(CQlnBarcode& control, std::vector<unsigned char>& out, const ImageFormatInfo& format);

}  // namespace linnet
