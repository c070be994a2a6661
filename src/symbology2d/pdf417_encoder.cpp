#include "symbology2d/pdf417_encoder.h"

#include <algorithm>

#include "symbology2d/pdf417_finish.h"
#include "symbology2d/pdf417_rows.h"

namespace Quillon::BrindleLib {

namespace {

// The option ranges the control keeps, applied here too so that no caller can ask for a
// grid or level the symbology does not have.
int NormalizedRows(int maxRows) {
  return maxRows == 0 ? 0 : std::clamp(maxRows, pdf417::kMinRows, pdf417::kMaxRows);
}
int NormalizedColumns(int maxCols) {
  return std::clamp(maxCols, 0, pdf417::kMaxColumns);
}
int NormalizedLevel(int securityLevel) {
  return std::clamp(securityLevel, 0, pdf417::kAutomaticSecurityLevel);
}

}  // namespace

int CPDF417Encoder2::CheckEncodable(const std::string& message, int moduleWidth, int rowHeight, double aspectRatio,
                                    int maxRows, int maxCols, int securityLevel) const {
  std::vector<std::string> scratch;
  return EncodeToRows(message, scratch, moduleWidth, rowHeight, aspectRatio, maxRows, maxCols, securityLevel, false);
}

int CPDF417Encoder2::EncodeToRows(const std::string& message, std::vector<std::string>& rows, int moduleWidth,
                                  int rowHeight, double aspectRatio, int maxRows, int maxCols, int securityLevel,
                                  bool truncated) const {
  const std::string_view text = UpToTerminator(message);
  pdf417::Codewords stream;
  CDataEncodationBuilder builder;
  builder.EncodeMessage(text.data(), text.size(), stream);
  const pdf417::FinishedCodewords finished =
      pdf417::FinishCodewords(stream, NormalizedLevel(securityLevel), NormalizedRows(maxRows),
                              NormalizedColumns(maxCols), aspectRatio, rowHeight, moduleWidth);
  pdf417::BuildPdf417Rows(stream, finished.geometry, finished.level, truncated, rows);
  return 1;
}

}  // namespace Quillon::BrindleLib
