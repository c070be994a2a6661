#pragma once
// CQlnBarcode, the barcode control: its property store with validation and change effects,
// host notifications, events and the natural-size bookkeeping that the layout feeds.
#include <cstdint>
#include <memory>
#include <string>

#include "control/control_properties.h"
#include "control/layout_state.h"
#include "platform/com/connection_point.h"
#include "platform/com/font_object.h"
#include "platform/com/host_observer.h"
#include "platform/com/hresult.h"
#include "platform/com/picture_object.h"

namespace linnet {

// The event interface _IBarcodeEvents.
class IBarcodeEvents {
 public:
  IBarcodeEvents() = default;
  IBarcodeEvents(const IBarcodeEvents&) = delete;
  IBarcodeEvents& operator=(const IBarcodeEvents&) = delete;
  virtual ~IBarcodeEvents() = default;
  virtual HRESULT BarcodeError(std::int32_t handle, std::int32_t nError) = 0;                 // DISPID 1
  virtual HRESULT DebugMessage(std::int32_t /*handle*/, const std::u16string& /*message*/) {  // DISPID 2
    return S_OK;
  }
};

class CQlnBarcode {
 public:
  CQlnBarcode();
  CQlnBarcode(const CQlnBarcode&) = delete;
  CQlnBarcode& operator=(const CQlnBarcode&) = delete;
  ~CQlnBarcode();

  // ---- Host connections -------------------------------------------------------------
  void SetHostObserver(std::shared_ptr<HostObserver> observer) { host_ = std::move(observer); }
  ConnectionPoint<IBarcodeEvents>& Events() { return events_; }
  void FreezeEvents(bool freeze) { freezeCount_ += freeze ? 1 : (freezeCount_ > 0 ? -1 : 0); }

  // ---- Stock properties ---------------------------------------------------------------
  HRESULT put_AutoSize(VARIANT_BOOL v);
  HRESULT get_AutoSize(VARIANT_BOOL* v) const { return Read(v, props_.autoSize); }
  HRESULT put_BackColor(OLE_COLOR v);
  HRESULT get_BackColor(OLE_COLOR* v) const { return Read(v, props_.backColor); }
  HRESULT put_BorderColor(OLE_COLOR v);
  HRESULT get_BorderColor(OLE_COLOR* v) const { return Read(v, props_.borderColor); }
  HRESULT put_BorderStyle(std::int32_t v);
  HRESULT get_BorderStyle(std::int32_t* v) const { return Read(v, props_.borderStyle); }
  HRESULT put_BorderWidth(std::int32_t v);
  HRESULT get_BorderWidth(std::int32_t* v) const { return Read(v, props_.borderWidth); }
  HRESULT putref_Font(FontPtr font);
  HRESULT get_Font(FontPtr* font) const { return Read(font, font_); }
  HRESULT put_ForeColor(OLE_COLOR v);
  HRESULT get_ForeColor(OLE_COLOR* v) const { return Read(v, props_.foreColor); }
  HRESULT put_Enabled(VARIANT_BOOL v);
  HRESULT get_Enabled(VARIANT_BOOL* v) const;
  // A snapshot of the label as an enhanced metafile, the bytes of an EMF export to a stream;
  // E_FAIL when that export fails.
  HRESULT get_Picture(PicturePtr* picture);

  // ---- Comment ------------------------------------------------------------------------
  HRESULT get_Comment(std::u16string* v) const { return Read(v, props_.comment); }
  HRESULT put_Comment(const std::u16string& v);
  HRESULT get_CommentFont(FontPtr* font) const { return Read(font, commentFont_); }
  HRESULT putref_CommentFont(const FontPtr& font);
  HRESULT get_ShowComment(VARIANT_BOOL* v) const { return Read(v, props_.showComment); }
  HRESULT put_ShowComment(VARIANT_BOOL v);
  HRESULT get_CommentOnTop(VARIANT_BOOL* v) const { return Read(v, props_.commentOnTop); }
  HRESULT put_CommentOnTop(VARIANT_BOOL v);
  HRESULT get_CommentAlignment(std::int32_t* v) const { return Read(v, props_.commentAlignment); }
  HRESULT put_CommentAlignment(std::int32_t v);
  HRESULT get_CommentMarginLeft(std::int32_t* v) const { return Read(v, props_.commentMarginLeft); }
  HRESULT put_CommentMarginLeft(std::int32_t v);
  HRESULT get_CommentMarginRight(std::int32_t* v) const { return Read(v, props_.commentMarginRight); }
  HRESULT put_CommentMarginRight(std::int32_t v);
  HRESULT get_CommentMarginTop(std::int32_t* v) const { return Read(v, props_.commentMarginTop); }
  HRESULT put_CommentMarginTop(std::int32_t v);
  HRESULT get_CommentMarginBottom(std::int32_t* v) const { return Read(v, props_.commentMarginBottom); }
  HRESULT put_CommentMarginBottom(std::int32_t v);

  // ---- Bar code -----------------------------------------------------------------------
  HRESULT get_BarHeight(std::int32_t* v) const { return Read(v, props_.barHeight); }
  HRESULT put_BarHeight(std::int32_t v);
  HRESULT get_BarWidthReduction(std::int32_t* v) const { return Read(v, props_.barWidthReduction); }
  HRESULT put_BarWidthReduction(std::int32_t v);
  HRESULT get_BearerBars(VARIANT_BOOL* v) const { return Read(v, props_.bearerBars); }
  HRESULT put_BearerBars(VARIANT_BOOL v);
  HRESULT get_Measurement(std::int32_t* v) const { return Read(v, props_.measurement); }
  HRESULT put_Measurement(std::int32_t v);
  HRESULT get_Message(std::u16string* v) const { return Read(v, props_.message); }
  HRESULT put_Message(const std::u16string& v);
  HRESULT get_NarrowBarWidth(std::int32_t* v) const { return Read(v, props_.narrowBarWidth); }
  HRESULT put_NarrowBarWidth(std::int32_t v);
  HRESULT get_NarrowToWideRatio(double* v) const;
  HRESULT put_NarrowToWideRatio(double v = 2.5);
  HRESULT get_Symbology(std::int32_t* v) const { return Read(v, props_.symbology); }
  HRESULT put_Symbology(std::int32_t v);
  HRESULT get_QuietZones(VARIANT_BOOL* v) const { return Read(v, props_.quietZones); }
  HRESULT put_QuietZones(VARIANT_BOOL v);

  // ---- Check digits -------------------------------------------------------------------
  HRESULT get_Code39OptionalCheckDigit(VARIANT_BOOL* v) const { return Read(v, props_.code39OptionalCheckDigit); }
  HRESULT put_Code39OptionalCheckDigit(VARIANT_BOOL v);
  HRESULT get_I2of5OptionalCheckDigit(VARIANT_BOOL* v) const { return Read(v, props_.i2of5OptionalCheckDigit); }
  HRESULT put_I2of5OptionalCheckDigit(VARIANT_BOOL v);
  HRESULT get_Code25OptionalCheckDigit(VARIANT_BOOL* v) const { return Read(v, props_.code25OptionalCheckDigit); }
  HRESULT put_Code25OptionalCheckDigit(VARIANT_BOOL v);
  HRESULT get_UccEanOptionalCheckDigit(VARIANT_BOOL* v) const { return Read(v, props_.uccEanOptionalCheckDigit); }
  HRESULT put_UccEanOptionalCheckDigit(VARIANT_BOOL v);

  // ---- Human readable -----------------------------------------------------------------
  HRESULT get_ShowHRText(VARIANT_BOOL* v) const { return Read(v, props_.showHRText); }
  HRESULT put_ShowHRText(VARIANT_BOOL v);
  HRESULT get_TexAlignment(std::int32_t* v) const { return Read(v, props_.textAlignment); }
  HRESULT put_TexAlignment(std::int32_t v);
  HRESULT get_Code39StartStopChars(VARIANT_BOOL* v) const { return Read(v, props_.code39StartStopChars); }
  HRESULT put_Code39StartStopChars(VARIANT_BOOL v);
  HRESULT get_TextOnTop(VARIANT_BOOL* v) const { return Read(v, props_.textOnTop); }
  HRESULT put_TextOnTop(VARIANT_BOOL v);
  HRESULT get_ShowCheckDigit(VARIANT_BOOL* v) const { return Read(v, props_.showCheckDigit); }
  HRESULT put_ShowCheckDigit(VARIANT_BOOL v);

  // ---- Symbol margins -----------------------------------------------------------------
  HRESULT get_SymbolMarginTop(std::int32_t* v) const { return Read(v, props_.symbolMarginTop); }
  HRESULT put_SymbolMarginTop(std::int32_t v);
  HRESULT get_SymbolMarginBottom(std::int32_t* v) const { return Read(v, props_.symbolMarginBottom); }
  HRESULT put_SymbolMarginBottom(std::int32_t v);
  HRESULT get_SymbolMarginLeft(std::int32_t* v) const { return Read(v, props_.symbolMarginLeft); }
  HRESULT put_SymbolMarginLeft(std::int32_t v);
  HRESULT get_SymbolMarginRight(std::int32_t* v) const { return Read(v, props_.symbolMarginRight); }
  HRESULT put_SymbolMarginRight(std::int32_t v);

  // ---- Label design -------------------------------------------------------------------
  HRESULT get_AutoLabelSize(VARIANT_BOOL* v) const { return Read(v, props_.autoLabelSize); }
  HRESULT put_AutoLabelSize(VARIANT_BOOL v);
  HRESULT get_LabelHeight(std::int32_t* v);
  HRESULT put_LabelHeight(std::int32_t v);
  HRESULT get_LabelWidth(std::int32_t* v);
  HRESULT put_LabelWidth(std::int32_t v);
  HRESULT get_Rotation(std::int32_t* v) const { return Read(v, props_.rotation); }
  HRESULT put_Rotation(std::int32_t v);
  HRESULT get_ZoomRatio(double* v) const;
  HRESULT put_ZoomRatio(double v);
  HRESULT get_RasterImageResolution(std::int32_t* v) const { return Read(v, props_.rasterImageResolution); }
  HRESULT put_RasterImageResolution(std::int32_t v);

  // ---- Methods ------------------------------------------------------------------------
  HRESULT Refresh();
  HRESULT About();

  // ---- Extension properties -----------------------------------------------------------
  HRESULT get_DataMatrixTargetSize(std::int32_t* v) const { return Read(v, props_.dataMatrixTargetSize); }
  HRESULT put_DataMatrixTargetSize(std::int32_t v);
  HRESULT get_PDF417AspectRatio(double* v) const { return Read(v, props_.pdf417AspectRatio); }
  HRESULT put_PDF417AspectRatio(double v);
  HRESULT get_MaxCols(std::int32_t* v) const { return Read(v, props_.maxCols); }
  HRESULT put_MaxCols(std::int32_t v);
  HRESULT get_MaxRows(std::int32_t* v) const { return Read(v, props_.maxRows); }
  HRESULT put_MaxRows(std::int32_t v);
  HRESULT get_PDF417RowHeight(std::int32_t* v) const { return Read(v, props_.pdf417RowHeight); }
  HRESULT put_PDF417RowHeight(std::int32_t v);
  HRESULT get_PDF417ModuleWidth(std::int32_t* v) const { return Read(v, props_.pdf417ModuleWidth); }
  HRESULT put_PDF417ModuleWidth(std::int32_t v);
  HRESULT get_PDF417SecurityLevel(std::int16_t* v) const { return Read(v, props_.pdf417SecurityLevel); }
  HRESULT put_PDF417SecurityLevel(std::int16_t v);
  HRESULT get_PDF417Truncated(VARIANT_BOOL* v) const;
  HRESULT put_PDF417Truncated(VARIANT_BOOL v);
  HRESULT get_MaxicodeClass(std::int32_t* v) const { return Read(v, props_.maxicodeClass); }
  HRESULT put_MaxicodeClass(std::int32_t v);
  HRESULT get_MaxicodeMode(std::int16_t* v) const { return Read(v, props_.maxicodeMode); }
  HRESULT put_MaxicodeMode(std::int16_t v);
  HRESULT get_MaxicodeCountryCode(std::int32_t* v) const { return Read(v, props_.maxicodeCountryCode); }
  HRESULT put_MaxicodeCountryCode(std::int32_t v);
  HRESULT get_MaxicodeZipCode(std::u16string* v) const { return Read(v, props_.maxicodeZipCode); }
  HRESULT put_MaxicodeZipCode(const std::u16string& v);
  HRESULT get_DataMatrixModuleSize(std::int32_t* v) const { return Read(v, props_.dataMatrixModuleSize); }
  HRESULT put_DataMatrixModuleSize(std::int32_t v);

  // ---- For the renderer and persistence ----------------------------------------------
  [[nodiscard]] const ControlProperties& Properties() const { return props_; }
  // The layout stores the label size it computes while AutoLabelSize is on.
  void StoreComputedLabelSize(std::int32_t width, std::int32_t height);
  // The view mapping replaces ZoomRatio with the zoom that fits the host rectangle.
  void StoreFittedZoom(double zoom);
  LayoutState& Layout() { return layout_; }
  [[nodiscard]] const LayoutState& Layout() const { return layout_; }
  [[nodiscard]] const FontPtr& FontRef() const { return font_; }
  [[nodiscard]] const FontPtr& CommentFontRef() const { return commentFont_; }
  [[nodiscard]] const FontPtr& ErrorFont() const { return errorFont_; }
  // The low 32 bits of the control's address, as events report it.
  [[nodiscard]] std::int32_t Handle() const;
  // Tells every event sink, in connection order, that the symbol could not be encoded.
  void FireBarcodeError(std::int32_t code);

  [[nodiscard]] bool IsModified() const { return modified_; }
  void SetModified(bool modified) { modified_ = modified; }
  [[nodiscard]] bool IsLoading() const { return loading_; }
  // While loading, the setters' resizes wait: the load ends with one, from the loaded values.
  void SetLoading(bool loading);
  // Measured on first use after a change (the text measurement loads fonts).
  [[nodiscard]] const SizeL& NaturalSize();
  [[nodiscard]] const SizeL& Extent();
  // Persistence restores the extent a host kept, as it stood.
  void SetExtent(const SizeL& extent);
  [[nodiscard]] const RectL& PositionRect();
  void SetPositionRect(const RectL& rect);

 private:
  // A getter's answer: the value, or E_POINTER without a place to put it.
  template <class T>
  static HRESULT Read(T* out, const T& value) {
    if (out == nullptr) {
      return E_POINTER;
    }
    *out = value;
    return S_OK;
  }
  // Stock host-notification steps; skipped while events are frozen.
  [[nodiscard]] bool RequestEdit(DISPID dispid) const;
  void NotifyChanged(DISPID dispid) const;
  void ViewChange() const;
  void DataChange() const;
  // Marks the natural size and the extent for measuring, and tells the in-place site.
  void Resize();
  void ResizeIfLabel();
  // The shared tail of the plain setters: store, resize if label, refresh, modified.
  template <class T>
  HRESULT StoreLayoutValue(T& slot, T value);
  template <class T>
  HRESULT StoreStock(DISPID dispid, T& slot, T value);
  HRESULT StoreExtension(int servedSymbology, bool setsModified);
  HRESULT LabelSizeGetter(bool width, std::int32_t* v);
  // The label size in user units while AutoLabelSize is on: measured, or the last measurement
  // when nothing it depends on (the properties and the fonts' descriptions, which a host may
  // change in place) has changed since.
  SizeL MeasuredLabelSize();
  HRESULT StoreLabelSize(std::int32_t& slot, std::int32_t value, bool modifiedBeforeResize);

  ControlProperties props_;
  FontPtr font_;
  FontPtr commentFont_;
  FontPtr errorFont_;
  LayoutState layout_;
  SizeL naturalSize_;
  SizeL extent_;
  // Measured when first asked for: measuring the text loads the fonts, which a control that
  // only encodes never needs.
  bool naturalSizeStale_ = true;
  bool extentStale_ = true;
  struct LabelSizeMemo {
    ControlProperties props;
    FontDescription font;
    FontDescription commentFont;
    bool hasFont = false;
    bool hasCommentFont = false;
    SizeL size;
  };
  std::unique_ptr<LabelSizeMemo> labelSizeMemo_;
  RectL positionRect_;
  bool modified_ = false;
  bool loading_ = false;
  bool resizeAfterLoad_ = false;
  int freezeCount_ = 0;
  std::shared_ptr<HostObserver> host_;
  ConnectionPoint<IBarcodeEvents> events_;
};

}  // namespace linnet
