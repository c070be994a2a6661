#pragma once
// The control's stored property values, exactly as the setters leave them. The renderer
// reads them; only the control's setters (and the layout, for the label size and zoom it
// computes) write them.
#include <cstdint>
#include <string>

#include "platform/com/font_object.h"
#include "platform/com/hresult.h"

namespace linnet {

enum Measurement : std::int32_t { qlxMeasureEnglish = 0, qlxMeasureMetrics = 1 };
enum Alignment : std::int32_t { qlxAlignLeft = 0, qlxAlignRight = 1, qlxAlignCenter = 2, qlxAlignJustify = 3 };
enum Rotation : std::int32_t {
  qlxRTZeroDegree = 0,
  qlxRTAntiClockwise_90 = 1,
  qlxRTAntiClockwise_180 = 2,
  qlxRTAntiClockwise_270 = 3,
};

struct ControlProperties {
  // Appearance (stock)
  VARIANT_BOOL autoSize = VARIANT_FALSE;
  OLE_COLOR backColor = 0x00FFFFFF;
  OLE_COLOR borderColor = 0x00000000;
  std::int32_t borderStyle = 0;
  std::int32_t borderWidth = 15;
  OLE_COLOR foreColor = 0x00000000;
  VARIANT_BOOL enabled = VARIANT_TRUE;

  // Comment
  std::u16string comment;
  std::int32_t commentAlignment = qlxAlignLeft;
  VARIANT_BOOL commentOnTop = VARIANT_FALSE;
  std::int32_t commentMarginLeft = 0;
  std::int32_t commentMarginRight = 0;
  std::int32_t commentMarginTop = 0;
  std::int32_t commentMarginBottom = 0;
  VARIANT_BOOL showComment = VARIANT_TRUE;

  // Symbol margins
  std::int32_t symbolMarginLeft = 100;
  std::int32_t symbolMarginRight = 100;
  std::int32_t symbolMarginTop = 100;
  std::int32_t symbolMarginBottom = 100;

  // Bar code
  std::int32_t barHeight = 1000;
  std::int32_t barWidthReduction = 0;
  VARIANT_BOOL bearerBars = VARIANT_FALSE;
  std::int32_t measurement = qlxMeasureEnglish;
  std::u16string message = u"QUILLON";
  std::int32_t narrowBarWidth = 13;
  double narrowToWideRatio = 2.5;
  std::int32_t symbology = 0;
  VARIANT_BOOL quietZones = VARIANT_FALSE;

  // Check digits
  VARIANT_BOOL code39OptionalCheckDigit = VARIANT_FALSE;
  VARIANT_BOOL i2of5OptionalCheckDigit = VARIANT_FALSE;
  VARIANT_BOOL code25OptionalCheckDigit = VARIANT_FALSE;
  VARIANT_BOOL uccEanOptionalCheckDigit = VARIANT_FALSE;

  // Human readable
  VARIANT_BOOL showHRText = VARIANT_TRUE;
  std::int32_t textAlignment = qlxAlignCenter;
  VARIANT_BOOL code39StartStopChars = VARIANT_TRUE;
  VARIANT_BOOL textOnTop = VARIANT_FALSE;
  VARIANT_BOOL showCheckDigit = VARIANT_FALSE;

  // Label design
  VARIANT_BOOL autoLabelSize = VARIANT_TRUE;
  std::int32_t labelHeight = 2000;
  std::int32_t labelWidth = 2000;
  std::int32_t rotation = qlxRTZeroDegree;
  double zoomRatio = 1.0;

  // Miscellaneous
  std::int32_t rasterImageResolution = 300;

  // Extension properties (two-dimensional symbologies and DataBar Expanded)
  std::int32_t pdf417ModuleWidth = 13;
  std::int32_t pdf417RowHeight = 39;
  double pdf417AspectRatio = 0.5;
  std::int32_t maxRows = 0;
  std::int32_t maxCols = 0;
  std::int16_t pdf417SecurityLevel = 9;
  bool pdf417Truncated = false;
  std::int32_t dataMatrixTargetSize = 0;
  std::int32_t dataMatrixModuleSize = 20;
  std::int16_t maxicodeMode = 2;
  std::int32_t maxicodeClass = 1;
  std::int32_t maxicodeCountryCode = 1;
  std::u16string maxicodeZipCode = u"B01056";

  bool operator==(const ControlProperties&) const = default;
};

}  // namespace linnet
