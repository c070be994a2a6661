#include "control/qln_barcode.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <new>

#include "control/automation.h"
#include "control/dispids.h"
#include "control/error_info.h"
#include "control/linear_registry.h"
#include "control/sample_messages.h"
#include "control/version_line.h"
#include "platform/codepage.h"
#include "platform/com/error_object.h"
#include "platform/gdi/screen.h"
#include "render/export_image.h"
#include "render/natural_size.h"

namespace linnet {

namespace {

constexpr int kPdf417 = 40;
constexpr int kDataMatrix = 41;
constexpr int kMaxiCode = 42;
constexpr int kDataBarExpanded = 38;

// Three decimals at most, rounded down, as the getters report ratios.
double ThreeDecimals(double v) {
  return std::floor(v * 1000.0) / 1000.0;
}

bool InRange(double v, double low, double high) {
  return v >= low && v <= high;
}

// A length in the other unit, kept inside the 32-bit range a length property holds.
std::int32_t ConvertLength(std::int32_t value, bool toMetric) {
  const double converted = std::floor((toMetric ? value * 2.54 : value / 2.54) + 0.5);
  constexpr double kMax = std::numeric_limits<std::int32_t>::max();
  constexpr double kMin = std::numeric_limits<std::int32_t>::min();
  return static_cast<std::int32_t>(converted > kMax ? kMax : converted < kMin ? kMin : converted);
}

std::int32_t Truncate(double v) {
  constexpr double kMax = std::numeric_limits<std::int32_t>::max();
  constexpr double kMin = std::numeric_limits<std::int32_t>::min();
  if (std::isnan(v)) {
    return 0;
  }
  return static_cast<std::int32_t>(v > kMax ? kMax : v < kMin ? kMin : v);
}

// Hundredths of a millimetre to host pixels.
std::int32_t PixelsFromHimetric(std::int32_t himetric) {
  return static_cast<std::int32_t>((static_cast<std::int64_t>(himetric) * gdi::kScreenDpi + 1270) / 2540);
}

bool UsesBearerBars(int symbology) {
  return (symbology >= 0 && symbology <= 7) || symbology == 13 || symbology == 14 ||
         (symbology >= 30 && symbology <= 32);
}

bool IsAsciiAlphanumeric(char16_t c) {
  return (c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z');
}

}  // namespace

CQlnBarcode::CQlnBarcode()
    : font_(MakeFont(u"Arial", 9)), commentFont_(MakeFont(u"Arial", 8)), errorFont_(MakeFont(u"Courier New", 6, 700)) {
  props_.comment = DefaultComment();
}

CQlnBarcode::~CQlnBarcode() = default;

std::int32_t CQlnBarcode::Handle() const {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(this)));
}

// ---- Host notification steps ---------------------------------------------------------

bool CQlnBarcode::RequestEdit(DISPID dispid) const {
  if (freezeCount_ > 0 || !host_) {
    return true;
  }
  return host_->OnRequestEdit(dispid) != S_FALSE;
}

void CQlnBarcode::NotifyChanged(DISPID dispid) const {
  if (freezeCount_ == 0 && host_) {
    host_->OnChanged(dispid);
  }
}

void CQlnBarcode::ViewChange() const {
  if (host_) {
    host_->OnViewChange();
  }
}

void CQlnBarcode::DataChange() const {
  if (host_) {
    host_->OnDataChange();
  }
}

void CQlnBarcode::SetLoading(bool loading) {
  loading_ = loading;
  if (!loading_ && resizeAfterLoad_) {
    resizeAfterLoad_ = false;
    Resize();
  }
}

void CQlnBarcode::Resize() {
  if (loading_) {
    resizeAfterLoad_ = true;
    return;
  }
  naturalSizeStale_ = true;
  extentStale_ = true;
  // An in-place site is told the new position rectangle at once; without one the size is
  // measured when somebody asks for it.
  if (host_ && host_->HasInPlaceSite()) {
    host_->OnPosRectChange(PositionRect());
  }
}

// Measured at rest, as an eager resize would have measured it, even when a drawing asks.
const SizeL& CQlnBarcode::NaturalSize() {
  if (naturalSizeStale_) {
    naturalSizeStale_ = false;
    const std::int32_t drawing = layout_.resolution;
    layout_.resolution = kRestLayoutResolution;
    naturalSize_ = ComputeNaturalSize(*this);
    layout_.resolution = drawing;
  }
  return naturalSize_;
}

const SizeL& CQlnBarcode::Extent() {
  if (extentStale_) {
    extentStale_ = false;
    const SizeL natural = NaturalSize();
    extent_ = {Truncate(natural.cx * props_.zoomRatio), Truncate(natural.cy * props_.zoomRatio)};
    positionRect_.right = positionRect_.left + PixelsFromHimetric(extent_.cx);
    positionRect_.bottom = positionRect_.top + PixelsFromHimetric(extent_.cy);
  }
  return extent_;
}

void CQlnBarcode::SetExtent(const SizeL& extent) {
  extentStale_ = false;
  extent_ = extent;
}

const RectL& CQlnBarcode::PositionRect() {
  Extent();
  return positionRect_;
}

void CQlnBarcode::SetPositionRect(const RectL& rect) {
  Extent();
  positionRect_ = rect;
}

void CQlnBarcode::ResizeIfLabel() {
  if (props_.autoLabelSize != 0) {
    Resize();
  }
}

HRESULT CQlnBarcode::Refresh() {
  if (props_.autoSize != 0) {
    Resize();
  }
  DataChange();
  ViewChange();
  return S_OK;
}

HRESULT CQlnBarcode::About() {
  return S_OK;
}

HRESULT CQlnBarcode::get_Picture(PicturePtr* picture) {
  if (picture == nullptr) {
    return E_POINTER;
  }
  try {
    std::vector<std::uint8_t> metafile;
    if (Failed(ExportImageToStream(*this, metafile, qlxFormatEMF))) {
      return E_FAIL;
    }
    *picture = std::make_shared<const PictureObject>(std::move(metafile));
    return S_OK;
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  }
}

void CQlnBarcode::FireBarcodeError(std::int32_t code) {
  const std::int32_t handle = Handle();
  events_.Fire([&](IBarcodeEvents& sink) {
    try {
      sink.BarcodeError(handle, code);
    } catch (...) {
      // A failing sink stops neither the drawing nor the other sinks.
    }
  });
}

void CQlnBarcode::StoreComputedLabelSize(std::int32_t width, std::int32_t height) {
  props_.labelWidth = width;
  props_.labelHeight = height;
}

void CQlnBarcode::StoreFittedZoom(double zoom) {
  props_.zoomRatio = zoom;
  NotifyChanged(kDispZoomRatio);
}

// ---- Shared setter tails -------------------------------------------------------------

template <class T>
HRESULT CQlnBarcode::StoreStock(DISPID dispid, T& slot, T value) {
  if (!RequestEdit(dispid)) {
    return S_FALSE;
  }
  modified_ = true;
  slot = value;
  NotifyChanged(dispid);
  ViewChange();
  DataChange();
  return S_OK;
}

template <class T>
HRESULT CQlnBarcode::StoreLayoutValue(T& slot, T value) {
  slot = value;
  ResizeIfLabel();
  Refresh();
  modified_ = true;
  return S_OK;
}

HRESULT CQlnBarcode::StoreExtension(int servedSymbology, bool setsModified) {
  if (setsModified) {
    modified_ = true;
  }
  if (props_.symbology == servedSymbology) {
    ResizeIfLabel();
    Refresh();
  }
  return S_OK;
}

// ---- Stock properties ----------------------------------------------------------------

HRESULT CQlnBarcode::put_AutoSize(VARIANT_BOOL v) {
  if (!RequestEdit(kDispAutoSize)) {
    return S_FALSE;
  }
  props_.autoSize = static_cast<VARIANT_BOOL>(v & 1);
  modified_ = true;
  NotifyChanged(kDispAutoSize);
  if (props_.autoSize != 0) {
    props_.zoomRatio = 1.0;
    Refresh();
  }
  Resize();
  ViewChange();
  DataChange();
  return S_OK;
}
HRESULT CQlnBarcode::put_BackColor(OLE_COLOR v) {
  return StoreStock(kDispBackColor, props_.backColor, v);
}
HRESULT CQlnBarcode::put_BorderColor(OLE_COLOR v) {
  return StoreStock(kDispBorderColor, props_.borderColor, v);
}
HRESULT CQlnBarcode::put_BorderStyle(std::int32_t v) {
  return StoreStock(kDispBorderStyle, props_.borderStyle, v);
}
HRESULT CQlnBarcode::put_BorderWidth(std::int32_t v) {
  return StoreStock(kDispBorderWidth, props_.borderWidth, v);
}
HRESULT CQlnBarcode::put_ForeColor(OLE_COLOR v) {
  return StoreStock(kDispForeColor, props_.foreColor, v);
}
HRESULT CQlnBarcode::put_Enabled(VARIANT_BOOL v) {
  return StoreStock(kDispEnabled, props_.enabled, v);
}
HRESULT CQlnBarcode::get_Enabled(VARIANT_BOOL* v) const {
  return Read(v, props_.enabled != 0 ? VARIANT_TRUE : VARIANT_FALSE);
}

HRESULT CQlnBarcode::putref_Font(FontPtr font) {
  if (!RequestEdit(kDispFont)) {
    return S_FALSE;
  }
  font_ = std::move(font);
  modified_ = true;
  NotifyChanged(kDispFont);
  Refresh();
  ViewChange();
  DataChange();
  return S_OK;
}

// ---- Comment -------------------------------------------------------------------------

HRESULT CQlnBarcode::put_Comment(const std::u16string& v) {
  if (!RequestEdit(kDispComment)) {
    return S_FALSE;
  }
  // A backslash followed by the letter n is the one escape: a line break. A loaded comment is
  // the stored text, escapes already applied, so it is taken as it stands: converting it again
  // would turn the literal "\\n" of the comment at creation into a third line.
  const std::string ansi = WideToAnsi(v);
  std::string text;
  text.reserve(ansi.size());
  for (size_t i = 0; i < ansi.size(); ++i) {
    if (!loading_ && ansi[i] == '\\' && i + 1 < ansi.size() && ansi[i + 1] == 'n') {
      text.push_back('\n');
      ++i;
    } else {
      text.push_back(ansi[i]);
    }
  }
  props_.comment = AnsiToWide(text);
  NotifyChanged(kDispComment);
  modified_ = true;
  ResizeIfLabel();
  Refresh();
  return S_OK;
}
HRESULT CQlnBarcode::putref_CommentFont(const FontPtr& font) {
  commentFont_ = font ? font->Clone() : nullptr;
  ResizeIfLabel();
  Refresh();
  modified_ = true;
  return S_OK;
}
HRESULT CQlnBarcode::put_ShowComment(VARIANT_BOOL v) {
  return StoreLayoutValue(props_.showComment, v);
}
HRESULT CQlnBarcode::put_CommentOnTop(VARIANT_BOOL v) {
  props_.commentOnTop = v;
  if (props_.showComment != 0) {
    Refresh();
  }
  modified_ = true;
  return S_OK;
}
HRESULT CQlnBarcode::put_CommentAlignment(std::int32_t v) {
  if (!RequestEdit(kDispCommentAlignment)) {
    return S_FALSE;
  }
  props_.commentAlignment = (v >= 0 && v <= 3) ? v : qlxAlignLeft;
  NotifyChanged(kDispCommentAlignment);
  modified_ = true;
  Refresh();
  return S_OK;
}
HRESULT CQlnBarcode::put_CommentMarginLeft(std::int32_t v) {
  return StoreLayoutValue(props_.commentMarginLeft, v);
}
HRESULT CQlnBarcode::put_CommentMarginRight(std::int32_t v) {
  return StoreLayoutValue(props_.commentMarginRight, v);
}
HRESULT CQlnBarcode::put_CommentMarginTop(std::int32_t v) {
  return StoreLayoutValue(props_.commentMarginTop, v);
}
HRESULT CQlnBarcode::put_CommentMarginBottom(std::int32_t v) {
  return StoreLayoutValue(props_.commentMarginBottom, v);
}

// ---- Bar code ------------------------------------------------------------------------

HRESULT CQlnBarcode::put_BarHeight(std::int32_t v) {
  if (v <= 0) {
    return RaiseNumberedError(6116);
  }
  return StoreLayoutValue(props_.barHeight, v);
}
HRESULT CQlnBarcode::put_BarWidthReduction(std::int32_t v) {
  if (v < -99 || v > 99) {
    return RaiseNumberedError(6106);
  }
  return StoreLayoutValue(props_.barWidthReduction, v);
}
HRESULT CQlnBarcode::put_BearerBars(VARIANT_BOOL v) {
  props_.bearerBars = v;
  modified_ = true;
  if (UsesBearerBars(props_.symbology)) {
    Refresh();
  }
  return S_OK;
}
HRESULT CQlnBarcode::put_Measurement(std::int32_t v) {
  if (!RequestEdit(kDispMeasurement)) {
    return S_FALSE;
  }
  const std::int32_t unit = v == qlxMeasureMetrics ? qlxMeasureMetrics : qlxMeasureEnglish;
  if (unit == props_.measurement) {
    return S_FALSE;
  }
  props_.measurement = unit;
  modified_ = true;
  if (!loading_) {
    // The automation table marks the lengths; each converts by itself.
    const bool toMetric = unit == qlxMeasureMetrics;
    for (const AutomationMember& member : AutomationMembers()) {
      if (member.length != nullptr) {
        props_.*member.length = ConvertLength(props_.*member.length, toMetric);
      }
    }
  }
  ResizeIfLabel();
  Refresh();
  NotifyChanged(kDispMeasurement);
  modified_ = true;
  return S_OK;
}
HRESULT CQlnBarcode::put_Message(const std::u16string& v) {
  if (!RequestEdit(kDispMessage)) {
    return S_FALSE;
  }
  const std::string ansi = WideToAnsi(v);
  const int symbology = props_.symbology;
  if (symbology != kPdf417 && symbology != kDataMatrix && symbology != kMaxiCode) {
    if (const LinearEncoderEntry* entry = FindLinearEncoder(symbology)) {
      try {
        entry->create()->Validate(ansi);
      } catch (const Quillon::BrindleLib::barlib_error& e) {
        if (e.code == 1) {
          return RaiseNumberedError(6113);
        }
        if (e.code == 2) {
          return RaiseNumberedError(6112);
        }
        return RaiseEngineError(e);
      } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
      } catch (...) {
        // Any other failure of the check does not stand in the way of the message.
      }
    }
  }
  props_.message = AnsiToWide(ansi);
  ResizeIfLabel();
  Refresh();
  NotifyChanged(kDispMessage);
  modified_ = true;
  return S_OK;
}
HRESULT CQlnBarcode::put_NarrowBarWidth(std::int32_t v) {
  return StoreLayoutValue(props_.narrowBarWidth, v);
}
HRESULT CQlnBarcode::get_NarrowToWideRatio(double* v) const {
  return Read(v, ThreeDecimals(props_.narrowToWideRatio));
}
HRESULT CQlnBarcode::put_NarrowToWideRatio(double v) {
  if (!InRange(v, 2.0, 3.0)) {
    return RaiseNumberedError(6105);
  }
  return StoreLayoutValue(props_.narrowToWideRatio, v);
}
HRESULT CQlnBarcode::put_Symbology(std::int32_t v) {
  if (v == props_.symbology) {
    return S_FALSE;
  }
  if (!IsSymbologyValue(v)) {
    SetThreadErrorObject({kIBarcodeIid, kProgId, u"Invalid value for Symbology property."});
    return E_INVALIDARG;
  }
  props_.symbology = v;
  props_.message = SampleMessage(v);
  ResizeIfLabel();
  Refresh();
  return S_OK;
}
HRESULT CQlnBarcode::put_QuietZones(VARIANT_BOOL v) {
  return StoreLayoutValue(props_.quietZones, v);
}

// ---- Check digits --------------------------------------------------------------------

HRESULT CQlnBarcode::put_Code39OptionalCheckDigit(VARIANT_BOOL v) {
  props_.code39OptionalCheckDigit = v;
  modified_ = true;
  if (props_.symbology != 0 && props_.symbology != 1) {
    return S_FALSE;
  }
  Refresh();
  ResizeIfLabel();
  return S_OK;
}
HRESULT CQlnBarcode::put_I2of5OptionalCheckDigit(VARIANT_BOOL v) {
  props_.i2of5OptionalCheckDigit = v;
  modified_ = true;
  if (props_.symbology != 7) {
    return S_FALSE;
  }
  Refresh();
  ResizeIfLabel();
  return S_OK;
}
HRESULT CQlnBarcode::put_Code25OptionalCheckDigit(VARIANT_BOOL v) {
  props_.code25OptionalCheckDigit = v;
  if (props_.symbology == 31) {
    Refresh();
  }
  modified_ = true;
  return S_OK;
}
HRESULT CQlnBarcode::put_UccEanOptionalCheckDigit(VARIANT_BOOL v) {
  props_.uccEanOptionalCheckDigit = v;
  if (props_.symbology == 6) {
    ResizeIfLabel();
    Refresh();
  }
  modified_ = true;
  return S_OK;
}

// ---- Human readable ------------------------------------------------------------------

HRESULT CQlnBarcode::put_ShowHRText(VARIANT_BOOL v) {
  return StoreLayoutValue(props_.showHRText, v);
}
HRESULT CQlnBarcode::put_TexAlignment(std::int32_t v) {
  if (v < 0 || v > 3) {
    return S_FALSE;
  }
  props_.textAlignment = v;
  Refresh();
  modified_ = true;
  return S_OK;
}
HRESULT CQlnBarcode::put_Code39StartStopChars(VARIANT_BOOL v) {
  props_.code39StartStopChars = v;
  if (props_.symbology > 2) {
    return S_FALSE;
  }
  Refresh();
  return S_OK;
}
HRESULT CQlnBarcode::put_TextOnTop(VARIANT_BOOL v) {
  props_.textOnTop = v;
  modified_ = true;
  if (props_.showHRText != 0) {
    Refresh();
  }
  return S_OK;
}
HRESULT CQlnBarcode::put_ShowCheckDigit(VARIANT_BOOL v) {
  props_.showCheckDigit = v;
  modified_ = true;
  Refresh();
  return S_OK;
}

// ---- Symbol margins ------------------------------------------------------------------

HRESULT CQlnBarcode::put_SymbolMarginTop(std::int32_t v) {
  return StoreLayoutValue(props_.symbolMarginTop, v);
}
HRESULT CQlnBarcode::put_SymbolMarginBottom(std::int32_t v) {
  return StoreLayoutValue(props_.symbolMarginBottom, v);
}
HRESULT CQlnBarcode::put_SymbolMarginLeft(std::int32_t v) {
  return StoreLayoutValue(props_.symbolMarginLeft, v);
}
HRESULT CQlnBarcode::put_SymbolMarginRight(std::int32_t v) {
  return StoreLayoutValue(props_.symbolMarginRight, v);
}

// ---- Label design --------------------------------------------------------------------

HRESULT CQlnBarcode::put_AutoLabelSize(VARIANT_BOOL v) {
  if (v == props_.autoLabelSize) {
    return S_OK;
  }
  props_.autoLabelSize = v;
  if (v == 0) {
    const std::int32_t size = props_.measurement == qlxMeasureMetrics ? 5080 : 2000;
    props_.labelWidth = size;
    props_.labelHeight = size;
  }
  Resize();
  modified_ = true;
  Refresh();
  return S_OK;
}

HRESULT CQlnBarcode::LabelSizeGetter(bool width, std::int32_t* v) {
  if (v == nullptr) {
    return E_POINTER;
  }
  if (props_.autoLabelSize == 0) {
    *v = width ? props_.labelWidth : props_.labelHeight;
    return S_OK;
  }
  const SizeL size = MeasuredLabelSize();
  *v = width ? size.cx : size.cy;
  return S_OK;
}

SizeL CQlnBarcode::MeasuredLabelSize() {
  const auto same = [](const FontPtr& font, bool had, const FontDescription& then) {
    return font ? had && font->Description() == then : !had;
  };
  // Measuring stores the label size it finds, so the snapshot is taken after measuring: an
  // unchanged control measures to the same values again.
  if (labelSizeMemo_ && labelSizeMemo_->props == props_ && same(font_, labelSizeMemo_->hasFont, labelSizeMemo_->font) &&
      same(commentFont_, labelSizeMemo_->hasCommentFont, labelSizeMemo_->commentFont)) {
    return labelSizeMemo_->size;
  }
  const std::int32_t saved = layout_.resolution;
  layout_.resolution = gdi::kScreenDpi;
  const SizeL natural = ComputeNaturalSize(*this);
  layout_.resolution = saved;
  SizeL size;
  for (auto [from, to] : {std::pair{natural.cx, &size.cx}, std::pair{natural.cy, &size.cy}}) {
    *to = Truncate(std::floor(from / 2.54 + 0.5));
    if (props_.measurement == qlxMeasureMetrics) {
      *to = Truncate(*to * 2.54);
    }
  }
  auto memo = std::make_unique<LabelSizeMemo>();
  memo->props = props_;
  memo->hasFont = font_ != nullptr;
  memo->hasCommentFont = commentFont_ != nullptr;
  if (font_) {
    memo->font = font_->Description();
  }
  if (commentFont_) {
    memo->commentFont = commentFont_->Description();
  }
  memo->size = size;
  labelSizeMemo_ = std::move(memo);
  return size;
}

HRESULT CQlnBarcode::StoreLabelSize(std::int32_t& slot, std::int32_t value, bool modifiedBeforeResize) {
  if (props_.autoLabelSize != 0) {
    return S_FALSE;
  }
  if (value <= 0) {
    return RaiseNumberedError(6109);
  }
  slot = value;
  if (modifiedBeforeResize) {
    modified_ = true;
  }
  Resize();
  Refresh();
  modified_ = true;
  return S_OK;
}

HRESULT CQlnBarcode::get_LabelHeight(std::int32_t* v) {
  return LabelSizeGetter(false, v);
}
HRESULT CQlnBarcode::put_LabelHeight(std::int32_t v) {
  return StoreLabelSize(props_.labelHeight, v, true);
}
HRESULT CQlnBarcode::get_LabelWidth(std::int32_t* v) {
  return LabelSizeGetter(true, v);
}
HRESULT CQlnBarcode::put_LabelWidth(std::int32_t v) {
  return StoreLabelSize(props_.labelWidth, v, false);
}
HRESULT CQlnBarcode::put_Rotation(std::int32_t v) {
  if (v < 0 || v > 3) {
    return S_FALSE;
  }
  return StoreLayoutValue(props_.rotation, v);
}
HRESULT CQlnBarcode::get_ZoomRatio(double* v) const {
  return Read(v, ThreeDecimals(props_.zoomRatio));
}
HRESULT CQlnBarcode::put_ZoomRatio(double v) {
  if (!InRange(v, 0.1, 100.0)) {
    return RaiseNumberedError(6104);
  }
  return StoreLayoutValue(props_.zoomRatio, v);
}
HRESULT CQlnBarcode::put_RasterImageResolution(std::int32_t v) {
  if (v < 50) {
    return RaiseNumberedError(6108);
  }
  props_.rasterImageResolution = v;
  modified_ = true;
  return S_OK;
}

// ---- Extension properties ------------------------------------------------------------

HRESULT CQlnBarcode::put_DataMatrixTargetSize(std::int32_t v) {
  props_.dataMatrixTargetSize = v;
  return StoreExtension(kDataMatrix, true);
}
HRESULT CQlnBarcode::put_PDF417AspectRatio(double v) {
  if (std::isnan(v)) {
    return E_INVALIDARG;
  }
  props_.pdf417AspectRatio = std::clamp(v, 0.01, 1000.0);
  return StoreExtension(kPdf417, true);
}
HRESULT CQlnBarcode::put_MaxCols(std::int32_t v) {
  props_.maxCols = std::clamp(v, 0, 30);
  // The value also sets the segments per row of DataBar Expanded, so that symbol redraws too.
  return StoreExtension(props_.symbology == kDataBarExpanded ? kDataBarExpanded : kPdf417, true);
}
HRESULT CQlnBarcode::put_MaxRows(std::int32_t v) {
  props_.maxRows = v == 0 ? 0 : std::clamp(v, 3, 90);
  return StoreExtension(kPdf417, true);
}
HRESULT CQlnBarcode::put_PDF417RowHeight(std::int32_t v) {
  props_.pdf417RowHeight = std::clamp(v, 1, 100);
  return StoreExtension(kPdf417, true);
}
HRESULT CQlnBarcode::put_PDF417ModuleWidth(std::int32_t v) {
  props_.pdf417ModuleWidth = std::clamp(v, 1, 100);
  return StoreExtension(kPdf417, true);
}
HRESULT CQlnBarcode::put_PDF417SecurityLevel(std::int16_t v) {
  props_.pdf417SecurityLevel = std::clamp<std::int16_t>(v, 0, 9);
  return StoreExtension(kPdf417, true);
}
HRESULT CQlnBarcode::get_PDF417Truncated(VARIANT_BOOL* v) const {
  return Read(v, static_cast<VARIANT_BOOL>(props_.pdf417Truncated ? 1 : 0));
}
HRESULT CQlnBarcode::put_PDF417Truncated(VARIANT_BOOL v) {
  props_.pdf417Truncated = v == VARIANT_TRUE;
  return StoreExtension(kPdf417, true);
}
HRESULT CQlnBarcode::put_MaxicodeClass(std::int32_t v) {
  if (static_cast<std::uint32_t>(v) > 999U) {
    return RaiseNumberedError(6120);
  }
  props_.maxicodeClass = v;
  return StoreExtension(kMaxiCode, true);
}
HRESULT CQlnBarcode::put_MaxicodeMode(std::int16_t v) {
  if (v < 2 || v > 6) {
    return RaiseNumberedError(6119);
  }
  props_.maxicodeMode = v;
  return StoreExtension(kMaxiCode, false);
}
HRESULT CQlnBarcode::put_MaxicodeCountryCode(std::int32_t v) {
  if (static_cast<std::uint32_t>(v) > 999U) {
    return RaiseNumberedError(6118);
  }
  props_.maxicodeCountryCode = v;
  return StoreExtension(kMaxiCode, true);
}
HRESULT CQlnBarcode::put_MaxicodeZipCode(const std::u16string& v) {
  if (v.size() > 9 || !std::all_of(v.begin(), v.end(), IsAsciiAlphanumeric)) {
    return RaiseNumberedError(6117);
  }
  props_.maxicodeZipCode = v;
  return StoreExtension(kMaxiCode, true);
}
HRESULT CQlnBarcode::put_DataMatrixModuleSize(std::int32_t v) {
  props_.dataMatrixModuleSize = std::clamp(v, 1, 100);
  return StoreExtension(kDataMatrix, true);
}

}  // namespace linnet
