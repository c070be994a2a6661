#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "platform/gdi/device_context.h"
#include "platform/gdi/font_cache.h"
#include "platform/gdi/screen.h"

namespace linnet::gdi {
namespace {

FontHandle MakeFont(const std::u16string& face, std::int32_t height, std::int32_t weight = 400, int turns = 0) {
  LogFont lf;
  lf.faceName = face;
  lf.height = height;
  lf.weight = weight;
  lf.escapement = turns * 900;
  return CreateFontIndirect(lf);
}

// Black pixels of a bitmap, as a string of rows ('#' black), for exact comparisons.
std::string Picture(const MonoBitmap& b) {
  std::string s;
  for (std::int32_t y = 0; y < b.Height(); ++y) {
    for (std::int32_t x = 0; x < b.Width(); ++x) {
      s += b.IsWhite(x, y) ? '.' : '#';
    }
    s += '\n';
  }
  return s;
}

RectL BlackBounds(const MonoBitmap& b) {
  RectL r{INT32_MAX, INT32_MAX, INT32_MIN, INT32_MIN};
  for (std::int32_t y = 0; y < b.Height(); ++y) {
    for (std::int32_t x = 0; x < b.Width(); ++x) {
      if (!b.IsWhite(x, y)) {
        r = {std::min(r.left, x), std::min(r.top, y), std::max(r.right, x + 1), std::max(r.bottom, y + 1)};
      }
    }
  }
  return r;
}

struct Canvas {
  explicit Canvas(std::int32_t w, std::int32_t h, std::int32_t dpi = 300)
      : bitmap(MonoBitmap::Create(w, h)), dc(DeviceCaps{dpi, dpi, Technology::RasterDisplay}) {
    dc.SelectBitmap(bitmap.get());
  }
  std::unique_ptr<MonoBitmap> bitmap;
  DeviceContext dc;
};

TEST(GdiFonts, PlatformFacesResolveToMetricCompatibleOnes) {
  struct Case {
    std::u16string face;
    std::int32_t weight;
    std::string family;
    std::string style;
  };
  const Case cases[] = {
      {u"Arial", 400, "Liberation Sans", "Regular"},
      {u"arial", 700, "Liberation Sans", "Bold"},
      {u"Courier New", 700, "Liberation Mono", "Bold"},
      {u"Courier New", 400, "Liberation Mono", "Regular"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.family + " " + c.style);
    const FontHandle font = MakeFont(c.face, -20, c.weight);
    ASSERT_NE(font->Face(), nullptr);
    EXPECT_EQ(std::string(font->Face()->face->family_name), c.family);
    EXPECT_EQ(std::string(font->Face()->face->style_name), c.style);
  }
  // A face the system lacks still gives a font to measure and draw with.
  EXPECT_NE(MakeFont(u"No Such Face At All", -20)->Face(), nullptr);
  // Matches are kept: asking again gives the very same face.
  EXPECT_EQ(MakeFont(u"Arial", -10)->Face(), MakeFont(u"ARIAL", -30)->Face());
}

// 9 pt at 1440 dots per inch: the platform's metrics from the face's line ascent, descent
// and gap, the same whatever the mapping of the context measuring them.
TEST(GdiFonts, TextMetricsInLogicalUnitsWhateverTheMapping) {
  DeviceContext plain(DeviceCaps{});
  DeviceContext scaled(DeviceCaps{});
  scaled.SetMapMode(MapMode::Anisotropic);
  scaled.SetWindowExt({1440, 1440});
  scaled.SetViewportExt({96, 96});
  for (DeviceContext* dc : {&plain, &scaled}) {
    dc->SelectFont(MakeFont(u"Arial", -181));
    const TextMetrics tm = dc->GetTextMetrics();
    EXPECT_EQ(tm.tmAscent, 164);
    EXPECT_EQ(tm.tmDescent, 38);
    EXPECT_EQ(tm.tmHeight, 202);
    EXPECT_EQ(tm.tmInternalLeading, 21);
    EXPECT_EQ(tm.tmExternalLeading, 6);
  }
  EXPECT_EQ(plain.GetTextExtent(u"QUILLON"), scaled.GetTextExtent(u"QUILLON"));
  // A positive height is the cell: the em is what the ascent and descent leave of it.
  plain.SelectFont(MakeFont(u"Arial", 202));
  EXPECT_EQ(plain.GetTextMetrics().tmHeight, 202);
}

TEST(GdiText, ExtentCountsCharacterExtraAndJustification) {
  DeviceContext dc(DeviceCaps{});
  dc.SelectFont(MakeFont(u"Arial", -40));
  const std::int32_t a = dc.GetTextExtent(u"a").cx;
  const std::int32_t space = dc.GetTextExtent(u" ").cx;
  ASSERT_EQ(dc.GetTextExtent(u"a a").cx, 2 * a + space);
  EXPECT_EQ(dc.GetTextExtent(u"").cx, 0);
  EXPECT_EQ(dc.GetTextExtent(u"").cy, dc.GetTextMetrics().tmHeight);
  struct Case {
    std::int32_t extra, breakExtra, breakCount;
    std::u16string text;
    std::int32_t added;
  };
  const Case cases[] = {
      {3, 0, 0, u"a a", 9}, {-2, 0, 0, u"a a", -6}, {0, 7, 1, u"a a", 7}, {0, 7, 2, u"a a a", 7},
      {0, 7, 2, u"a a", 4}, {0, -7, 2, u"a a", -4}, {0, 7, 1, u"aaa", 0}, {2, 5, 1, u"a a", 11},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.extra << " " << c.breakExtra << "/" << c.breakCount);
    dc.SetTextCharacterExtra(c.extra);
    dc.SetTextJustification(c.breakExtra, c.breakCount);
    const std::int32_t plain = [&] {
      DeviceContext fresh(DeviceCaps{});
      fresh.SelectFont(dc.CurrentFont());
      return fresh.GetTextExtent(c.text).cx;
    }();
    EXPECT_EQ(dc.GetTextExtent(c.text).cx, plain + c.added);
  }
}

TEST(GdiRaster, RectanglesIncludeLeftAndTopOnly) {
  struct Case {
    RectL rect;
    RectL filled;  // after normalising and clipping; empty when nothing
  };
  const Case cases[] = {
      {{2, 3, 5, 7}, {2, 3, 5, 7}},
      {{5, 7, 2, 3}, {2, 3, 5, 7}},
      {{4, 4, 4, 9}, {0, 0, 0, 0}},
      {{-5, -5, 2, 2}, {0, 0, 2, 2}},
      {{8, 8, 100, 100}, {8, 8, 12, 10}},
      {{0, 0, 1, 1}, {0, 0, 1, 1}},
      {{INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX}, {0, 0, 12, 10}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.rect.left << "," << c.rect.top << "," << c.rect.right << ","
                                      << c.rect.bottom);
    Canvas canvas(12, 10);
    canvas.dc.FillRect(c.rect, Brush{kBlack, false});
    for (std::int32_t y = 0; y < 10; ++y) {
      for (std::int32_t x = 0; x < 12; ++x) {
        const bool inside = x >= c.filled.left && x < c.filled.right && y >= c.filled.top && y < c.filled.bottom;
        EXPECT_EQ(canvas.bitmap->IsWhite(x, y), !inside) << x << "," << y;
      }
    }
  }
  Canvas hollow(4, 4);
  hollow.dc.FillRect({0, 0, 4, 4}, Brush{kBlack, true});
  EXPECT_EQ(Picture(*hollow.bitmap), "....\n....\n....\n....\n");
}

TEST(GdiMapping, LogicalToDevice) {
  struct Case {
    bool anisotropic;
    PointL windowOrg;
    SizeL windowExt;
    PointL viewportOrg;
    SizeL viewportExt;
    PointL logical;
    PointL device;
  };
  const Case cases[] = {
      {false, {0, 0}, {1, 1}, {0, 0}, {1, 1}, {17, -3}, {17, -3}},
      {false, {10, 20}, {1, 1}, {1, 2}, {1, 1}, {17, 23}, {8, 5}},
      {true, {0, 0}, {1440, 1440}, {5, 6}, {96, 96}, {1440, 720}, {101, 54}},
      {true, {0, 0}, {1440, 1440}, {0, 0}, {96, 96}, {7, 8}, {0, 1}},     // 0.47 and 0.53 round
      {true, {0, 0}, {1440, 1440}, {0, 0}, {96, 96}, {-8, -7}, {-1, 0}},  // half away from zero
      {true, {0, -100}, {100, 100}, {0, 0}, {200, -50}, {10, 0}, {20, -50}},
      {true, {0, 0}, {1, 1}, {0, 0}, {1000, 1000}, {INT32_MAX, INT32_MIN}, {INT32_MAX, INT32_MIN}},
  };
  for (const auto& c : cases) {
    DeviceContext dc(DeviceCaps{});
    if (c.anisotropic) {
      dc.SetMapMode(MapMode::Anisotropic);
    }
    dc.SetWindowOrg(c.windowOrg);
    EXPECT_EQ(dc.SetWindowExt(c.windowExt), c.anisotropic);
    dc.SetViewportOrg(c.viewportOrg);
    dc.SetViewportExt(c.viewportExt);
    EXPECT_EQ(dc.LogicalToDevice(c.logical), c.device) << c.logical.x << "," << c.logical.y;
  }
  DeviceContext dc(DeviceCaps{});
  dc.SetMapMode(MapMode::Anisotropic);
  EXPECT_FALSE(dc.SetWindowExt({0, 5}));
  EXPECT_FALSE(dc.SetViewportExt({5, 0}));
  EXPECT_EQ(dc.WindowExt(), (SizeL{1, 1}));
}

TEST(GdiText, AlignmentPlacesTheCellAroundTheReferencePoint) {
  const FontHandle font = MakeFont(u"Arial", -40);
  DeviceContext measure(DeviceCaps{});
  measure.SelectFont(font);
  const std::int32_t width = measure.GetTextExtent(u"HH").cx;
  const TextMetrics tm = measure.GetTextMetrics();
  struct Case {
    std::uint32_t align;
    RectL cell;  // the opaque cell relative to the reference point (100, 100)
  };
  const Case cases[] = {
      {TA_LEFT | TA_TOP, {100, 100, 100 + width, 100 + tm.tmHeight}},
      {TA_RIGHT | TA_TOP, {100 - width, 100, 100, 100 + tm.tmHeight}},
      {TA_CENTER | TA_TOP, {100 - width / 2, 100, 100 - width / 2 + width, 100 + tm.tmHeight}},
      {TA_LEFT | TA_BOTTOM, {100, 100 - tm.tmHeight, 100 + width, 100}},
      {TA_LEFT | TA_BASELINE, {100, 100 - tm.tmAscent, 100 + width, 100 + tm.tmDescent}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.align);
    Canvas canvas(200, 200);
    canvas.dc.SelectFont(font);
    canvas.dc.SetBkMode(BkMode::Opaque);
    canvas.dc.SetBkColor(kBlack);
    canvas.dc.SetTextColor(kWhite);
    canvas.dc.SetTextAlign(c.align);
    canvas.dc.TextOut(100, 100, u"HH");
    EXPECT_EQ(BlackBounds(*canvas.bitmap), c.cell);
    // The glyphs themselves are inside the cell, in the text colour.
    std::int32_t white = 0;
    for (std::int32_t y = c.cell.top; y < c.cell.bottom; ++y) {
      for (std::int32_t x = c.cell.left; x < c.cell.right; ++x) {
        white += canvas.bitmap->IsWhite(x, y) ? 1 : 0;
      }
    }
    EXPECT_GT(white, 100);
  }
}

// Turned text is the upright text's pixels turned, exactly.
TEST(GdiText, FourRotationsTurnThePixels) {
  const std::int32_t size = 160;
  Canvas upright(size, size);
  upright.dc.SetBkMode(BkMode::Transparent);
  upright.dc.SelectFont(MakeFont(u"Arial", -30, 400, 0));
  upright.dc.TextOut(80, 80, u"Rg5,");
  for (int turns = 1; turns < 4; ++turns) {
    SCOPED_TRACE(turns);
    Canvas turned(size, size);
    turned.dc.SetBkMode(BkMode::Transparent);
    turned.dc.SelectFont(MakeFont(u"Arial", -30, 400, turns));
    turned.dc.TextOut(80, 80, u"Rg5,");
    std::int32_t mismatches = 0;
    for (std::int32_t y = 0; y < size; ++y) {
      for (std::int32_t x = 0; x < size; ++x) {
        // Turn (x, y) about the reference point back to the upright picture.
        const std::int32_t dx = x - 80;
        const std::int32_t dy = y - 80;
        std::int32_t ux = 0;
        std::int32_t uy = 0;
        switch (turns) {
          case 1:  // text runs up: upright x grows as y falls
            ux = 80 - dy - 1;
            uy = 80 + dx;
            break;
          case 2:
            ux = 80 - dx - 1;
            uy = 80 - dy - 1;
            break;
          default:
            ux = 80 + dy;
            uy = 80 - dx - 1;
            break;
        }
        const bool expected = ux < 0 || uy < 0 || ux >= size || uy >= size || upright.bitmap->IsWhite(ux, uy);
        mismatches += turned.bitmap->IsWhite(x, y) != expected ? 1 : 0;
      }
    }
    EXPECT_EQ(mismatches, 0);
    EXPECT_NE(Picture(*turned.bitmap), Picture(*upright.bitmap));
  }
}

TEST(GdiText, UnderlineAndStrikeoutDrawLinesAcrossTheText) {
  for (const bool strike : {false, true}) {
    LogFont lf;
    lf.faceName = u"Arial";
    lf.height = -40;
    lf.underline = !strike;
    lf.strikeOut = strike;
    Canvas canvas(200, 100);
    canvas.dc.SetBkMode(BkMode::Transparent);
    canvas.dc.SelectFont(CreateFontIndirect(lf));
    canvas.dc.TextOut(10, 10, u"....");
    const std::int32_t width = canvas.dc.GetTextExtent(u"....").cx;
    // Somewhere a row is black all along the text.
    bool line = false;
    for (std::int32_t y = 10; y < 60 && !line; ++y) {
      bool all = true;
      for (std::int32_t x = 10; x < 10 + width; ++x) {
        all = all && !canvas.bitmap->IsWhite(x, y);
      }
      line = all;
    }
    EXPECT_TRUE(line) << strike;
  }
}

TEST(GdiText, GiantFontsDrawOnlyWhatTheBitmapShows) {
  Canvas canvas(100, 100);
  canvas.dc.SetBkMode(BkMode::Transparent);
  canvas.dc.SelectFont(MakeFont(u"Arial", -2000000));
  canvas.dc.SetTextAlign(TA_LEFT | TA_BASELINE);
  // The stem of an "I" far bigger than the bitmap covers part of it.
  canvas.dc.TextOut(-8000, 5000, u"I");
  EXPECT_NE(BlackBounds(*canvas.bitmap).left, INT32_MAX);
  EXPECT_GT(canvas.dc.GetTextExtent(u"III").cx, 0);
  canvas.dc.SelectFont(MakeFont(u"Arial", 0));
  EXPECT_GT(canvas.dc.GetTextMetrics().tmHeight, 0);
}

TEST(GdiRaster, ShapesFillWithTheBrushAndOutlineWithThePen) {
  {
    Canvas canvas(40, 40);
    canvas.dc.SelectBrush(Brush{kBlack, false});
    canvas.dc.SelectPen(Pen{PenStyle::Null, 1, kBlack, false});
    canvas.dc.Ellipse({0, 0, 40, 40});
    EXPECT_FALSE(canvas.bitmap->IsWhite(20, 20));
    EXPECT_FALSE(canvas.bitmap->IsWhite(1, 20));
    EXPECT_TRUE(canvas.bitmap->IsWhite(2, 2));
    EXPECT_TRUE(canvas.bitmap->IsWhite(37, 37));
    // Symmetric about the centre.
    for (std::int32_t y = 0; y < 40; ++y) {
      for (std::int32_t x = 0; x < 40; ++x) {
        EXPECT_EQ(canvas.bitmap->IsWhite(x, y), canvas.bitmap->IsWhite(39 - x, 39 - y)) << x << "," << y;
      }
    }
  }
  {
    // A thick ring: black pen, white brush.
    Canvas canvas(60, 60);
    canvas.dc.SelectBrush(Brush{kWhite, false});
    canvas.dc.SelectPen(Pen{PenStyle::Solid, 6, kBlack, true});
    canvas.dc.Ellipse({10, 10, 50, 50});
    EXPECT_TRUE(canvas.bitmap->IsWhite(30, 30));
    EXPECT_FALSE(canvas.bitmap->IsWhite(30, 10));
    EXPECT_FALSE(canvas.bitmap->IsWhite(10, 30));
    EXPECT_TRUE(canvas.bitmap->IsWhite(30, 15));
    EXPECT_TRUE(canvas.bitmap->IsWhite(30, 5));
  }
  {
    Canvas canvas(20, 20);
    canvas.dc.SelectBrush(Brush{kBlack, false});
    const PointL triangle[] = {{0, 0}, {20, 0}, {0, 20}};
    canvas.dc.Polygon(triangle);
    EXPECT_FALSE(canvas.bitmap->IsWhite(2, 2));
    EXPECT_TRUE(canvas.bitmap->IsWhite(17, 17));
    // A cosmetic pen outlines the vertices' pixels.
    EXPECT_FALSE(canvas.bitmap->IsWhite(19, 0));
  }
}

TEST(GdiRaster, RoundedRectanglesWithBorderPens) {
  struct Case {
    PenStyle style;
    bool solidEdge;  // every pixel along the middle of the top edge is inked
  };
  const Case cases[] = {
      {PenStyle::Solid, true}, {PenStyle::InsideFrame, true}, {PenStyle::Dash, false},
      {PenStyle::Dot, false},  {PenStyle::DashDot, false},    {PenStyle::DashDotDot, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.style));
    Canvas canvas(200, 100);
    canvas.dc.SelectBrush(Brush{kWhite, false});
    canvas.dc.SelectPen(Pen{c.style, 4, kBlack, true});
    canvas.dc.RoundRect({10, 10, 190, 90}, 40, 40);
    std::int32_t inked = 0;
    for (std::int32_t x = 40; x < 160; ++x) {
      inked += canvas.bitmap->IsWhite(x, 11) ? 0 : 1;
    }
    EXPECT_EQ(inked == 120, c.solidEdge) << inked;
    EXPECT_GT(inked, 20);
    EXPECT_TRUE(canvas.bitmap->IsWhite(100, 50));  // the brush fills the inside
    EXPECT_TRUE(canvas.bitmap->IsWhite(12, 12));   // the corner is rounded off
  }
  Canvas none(50, 50);
  none.dc.SelectBrush(Brush{kBlack, false});
  none.dc.SelectPen(Pen{PenStyle::Null, 4, kBlack, true});
  none.dc.RoundRect({0, 0, 50, 50}, 0, 0);
  EXPECT_FALSE(none.bitmap->IsWhite(25, 25));
}

TEST(GdiRecording, EveryCallIsLoggedWithItsArguments) {
  DeviceContext dc(DeviceCaps{});
  CallLog log;
  dc.SetRecorder(&log);
  dc.SetMapMode(MapMode::Anisotropic);
  dc.SetWindowExt({300, 300});
  dc.SelectFont(MakeFont(u"Arial", -50));
  dc.SetTextColor(kRed);
  dc.SetTextAlign(TA_RIGHT | TA_TOP);
  dc.SetTextCharacterExtra(2);
  dc.TextOut(5, 6, u"hi");
  dc.FillRect({1, 2, 3, 4}, Brush{kBlack, false});
  const PointL points[] = {{0, 0}, {1, 1}, {2, 0}};
  dc.Polygon(points);
  const std::vector<GdiOp> ops{GdiOp::SetMapMode,   GdiOp::SetWindowExt, GdiOp::SelectFont,
                               GdiOp::SetTextColor, GdiOp::SetTextAlign, GdiOp::SetTextCharacterExtra,
                               GdiOp::TextOut,      GdiOp::FillRect,     GdiOp::Polygon};
  ASSERT_EQ(log.Calls().size(), ops.size());
  for (size_t i = 0; i < ops.size(); ++i) {
    EXPECT_EQ(log.Calls()[i].op, ops[i]) << i;
  }
  const GdiCall& text = log.Calls()[6];
  EXPECT_EQ(text.point, (PointL{5, 6}));
  EXPECT_EQ(text.text, u"hi");
  EXPECT_EQ(text.font.height, -50);
  EXPECT_EQ(text.textColor, kRed);
  EXPECT_EQ(text.textAlign, TA_RIGHT | TA_TOP);
  EXPECT_EQ(text.charExtra, 2);
  EXPECT_EQ(log.Calls()[7].rect, (RectL{1, 2, 3, 4}));
  EXPECT_EQ(log.Calls()[8].points.size(), 3U);
}

TEST(GdiScreen, ReferenceContexts) {
  EXPECT_EQ(CreateScreenContext()->Caps().dpiX, 96);
  struct Case {
    std::int32_t asked;
    std::int32_t dpi;
    Technology technology;
  };
  const Case cases[] = {{96, 96, Technology::RasterDisplay},
                        {48, 96, Technology::RasterDisplay},
                        {300, 300, Technology::RasterPrinter},
                        {50, 50, Technology::RasterPrinter}};
  for (const auto& c : cases) {
    const auto dc = CreateReferenceContext(c.asked);
    EXPECT_EQ(dc->Caps().dpiX, c.dpi) << c.asked;
    EXPECT_EQ(dc->Caps().technology, c.technology) << c.asked;
    EXPECT_EQ(CreateCompatibleContext(*dc)->Caps().dpiY, c.dpi);
  }
}

TEST(TwoToneBitmap, ColoursBecomeBlackOrWhiteByContrast) {
  constexpr ColorRef kGold = 0x00D7FF;
  constexpr ColorRef kNavy = 0x800000;
  const struct {
    TwoTone tones;
    ColorRef drawn;
    bool white;
  } cases[] = {
      {{kGold, kWhite}, kGold, false},  // light ink on lighter paper: the ink is the dark one
      {{kGold, kWhite}, kWhite, true},
      {{kWhite, kNavy}, kWhite, true},  // inverted label: white ink on dark paper
      {{kWhite, kNavy}, kNavy, false},
      // A third colour takes the tone it is nearer: the red error text stays dark on the
      // white cells it is written on, whatever the label's colours.
      {{kWhite, kNavy}, kRed, false},
      {{kWhite, kNavy}, 0xF0F0F0, true},
      {{kBlack, kWhite}, kRed, false},
      {{kGold, kWhite}, kRed, false},
      {{0x808080, 0x808080}, 0x808080, false},  // equal brightness: black on white
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.drawn);
    auto bitmap = MonoBitmap::Create(4, 4);
    auto dc = CreateCompatibleContext(*CreateScreenContext());
    dc->SelectBitmap(bitmap.get());
    dc->SetTwoTone(c.tones);
    dc->FillRect({0, 0, 4, 4}, Brush{c.drawn});
    EXPECT_EQ(bitmap->IsWhite(1, 1), c.white);
  }
}

}  // namespace
}  // namespace linnet::gdi
