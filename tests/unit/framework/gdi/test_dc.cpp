// Device contexts: the output/attribute split, solid fills and 3D frames, drag rectangles, clipping,
// mapping, point fonts and the window DCs. Pixels are read straight from 32-bit DIB sections.
#include "framework/fw.h"
#include "tests/common/pixel_support.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kBlack = RGB(0, 0, 0);
const COLORREF kRed = RGB(255, 0, 0);
const COLORREF kGreen = RGB(0, 255, 0);
const COLORREF kBlue = RGB(0, 0, 255);

using pixel_support::DibSurface;

// Borrows an output and an attribute DC for one test; the borrowed handles are given back, not deleted.
class SplitDC : public CDC {
public:
  SplitDC(HDC hOutput, HDC hAttrib) {
    SetOutputDC(hOutput);
    SetAttribDC(hAttrib);
  }
  ~SplitDC() override {
    ReleaseAttribDC();
    ReleaseOutputDC();
  }
};

} // namespace

// ---------------------------------------------------------------------------------------------
// Output and attribute DCs

TEST(DcAttrib, QueriesComeFromTheAttributeDCAndOutputFromTheOutputDC) {
  DibSurface output(8, 8);
  HDC hMeta = ::CreateMetaFileA(NULL);
  ASSERT_NE(nullptr, hMeta);
  {
    SplitDC dc(output.hdc(), hMeta);
    EXPECT_EQ(DT_METAFILE, dc.GetDeviceCaps(TECHNOLOGY));
    EXPECT_EQ(DT_RASDISPLAY, ::GetDeviceCaps(dc.m_hDC, TECHNOLOGY));
    dc.FillSolidRect(0, 0, 2, 2, kRed);
    EXPECT_EQ(kRed, output.At(1, 1));
  }
  // Releasing a borrowed output handle left its owner's map entry alone.
  EXPECT_EQ(&output.dc(), CDC::FromHandle(output.hdc()));
  ::DeleteMetaFile(::CloseMetaFile(hMeta));
}

TEST(DcAttrib, SettersReachBothDCsAndAnswerTheAttributeValue) {
  DibSurface output(16, 16), attrib(16, 16);
  ::SetMapMode(attrib.hdc(), MM_LOMETRIC);
  ::SetBkColor(attrib.hdc(), kBlue);
  ::SetBkColor(output.hdc(), kGreen);
  SplitDC dc(output.hdc(), attrib.hdc());

  EXPECT_EQ(MM_LOMETRIC, dc.GetMapMode());
  EXPECT_EQ(MM_LOMETRIC, dc.SetMapMode(MM_ANISOTROPIC));
  EXPECT_EQ(MM_ANISOTROPIC, ::GetMapMode(output.hdc()));
  EXPECT_EQ(MM_ANISOTROPIC, ::GetMapMode(attrib.hdc()));

  EXPECT_EQ(kBlue, dc.GetBkColor());
  EXPECT_EQ(kBlue, dc.SetBkColor(kRed));
  EXPECT_EQ(kRed, ::GetBkColor(output.hdc()));
  EXPECT_EQ(kRed, ::GetBkColor(attrib.hdc()));

  ::SetViewportOrgEx(attrib.hdc(), 5, 7, NULL);
  EXPECT_EQ(CPoint(5, 7), dc.GetViewportOrg());
  CPoint point(0, 0);
  dc.LPtoDP(&point);
  EXPECT_EQ(CPoint(5, 7), point);
  EXPECT_EQ(CPoint(5, 7), dc.SetViewportOrg(1, 2));
  POINT org;
  ::GetViewportOrgEx(output.hdc(), &org);
  EXPECT_EQ(CPoint(1, 2), CPoint(org));

  CPen pen(PS_SOLID, 1, kRed);
  CPen* pOldPen = dc.SelectObject(&pen);
  EXPECT_EQ(pen.m_hObject, ::GetCurrentObject(output.hdc(), OBJ_PEN));
  EXPECT_EQ(pen.m_hObject, ::GetCurrentObject(attrib.hdc(), OBJ_PEN));
  dc.SelectObject(pOldPen);
}

TEST(DcAttrib, TextIsMeasuredWithTheAttributeFont) {
  DibSurface output(8, 8), attrib(8, 8);
  CFont big;
  ASSERT_TRUE(big.CreateFont(-40, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "Tahoma"));
  HGDIOBJ hOldFont = ::SelectObject(attrib.hdc(), big.m_hObject);
  {
    SplitDC dc(output.hdc(), attrib.hdc());
    EXPECT_GT(dc.GetTextExtent("Hello").cy, dc.GetOutputTextExtent("Hello").cy);
    TEXTMETRICA tmAttrib, tmOutput;
    ASSERT_TRUE(dc.GetTextMetrics(&tmAttrib));
    ASSERT_TRUE(dc.GetOutputTextMetrics(&tmOutput));
    EXPECT_GT(tmAttrib.tmHeight, tmOutput.tmHeight);
  }
  ::SelectObject(attrib.hdc(), hOldFont);
}

TEST(DcAttrib, SaveAndRestoreCoverBothDCs) {
  DibSurface output(4, 4), attrib(4, 4);
  {
    SplitDC dc(output.hdc(), attrib.hdc());
    const int nSaved = dc.SaveDC();
    EXPECT_EQ(-1, nSaved);
    dc.SetMapMode(MM_LOMETRIC);
    EXPECT_TRUE(dc.RestoreDC(nSaved));
    EXPECT_EQ(MM_TEXT, ::GetMapMode(output.hdc()));
    EXPECT_EQ(MM_TEXT, ::GetMapMode(attrib.hdc()));
  }
  CDC& single = output.dc();
  const int nLevel = single.SaveDC();
  EXPECT_GT(nLevel, 0);
  single.SetMapMode(MM_HIMETRIC);
  EXPECT_TRUE(single.RestoreDC(nLevel));
  EXPECT_EQ(MM_TEXT, single.GetMapMode());
}

// ---------------------------------------------------------------------------------------------
// Handles and creation

TEST(DcHandles, AttachDetachAndTheDestructor) {
  HDC hDC = ::CreateCompatibleDC(NULL);
  {
    CDC dc;
    EXPECT_FALSE(dc.Attach(NULL));
    ASSERT_TRUE(dc.Attach(hDC));
    EXPECT_EQ(hDC, dc.m_hDC);
    EXPECT_EQ(hDC, dc.m_hAttribDC);
    EXPECT_EQ(hDC, dc.GetSafeHdc());
    EXPECT_EQ(&dc, CDC::FromHandle(hDC));
    EXPECT_EQ(hDC, dc.Detach());
    EXPECT_EQ(nullptr, dc.m_hDC);
    EXPECT_EQ(nullptr, dc.m_hAttribDC);
    EXPECT_NE(&dc, CDC::FromHandle(hDC));
  }
  EXPECT_EQ(OBJ_MEMDC, (int)::GetObjectType(hDC));
  {
    CDC owner;
    owner.Attach(hDC);
  }
  EXPECT_EQ(0, (int)::GetObjectType(hDC));
  AfxDeleteTempMaps();
  const CDC* pNone = nullptr;
  EXPECT_EQ(nullptr, pNone->GetSafeHdc());
}

TEST(DcHandles, CreationMembers) {
  CDC display;
  ASSERT_TRUE(display.CreateDC("DISPLAY", NULL, NULL, NULL));
  EXPECT_EQ(::GetSystemMetrics(SM_CXSCREEN), display.GetDeviceCaps(HORZRES));
  EXPECT_FALSE(display.IsPrinting());

  CDC info;
  ASSERT_TRUE(info.CreateIC("DISPLAY", NULL, NULL, NULL));
  EXPECT_EQ(display.GetDeviceCaps(BITSPIXEL), info.GetDeviceCaps(BITSPIXEL));

  CDC memory;
  ASSERT_TRUE(memory.CreateCompatibleDC(&display));
  EXPECT_EQ(OBJ_MEMDC, (int)::GetObjectType(memory.m_hDC));
  EXPECT_TRUE(memory.DeleteDC());
  EXPECT_EQ(nullptr, memory.m_hDC);
  EXPECT_FALSE(memory.DeleteDC());
}

TEST(DcSelect, PreviousObjectsComeBackAsWrappersOfTheirClass) {
  DibSurface surface(4, 4);
  CDC& dc = surface.dc();

  CPen pen(PS_SOLID, 1, kRed);
  CPen* pOldPen = dc.SelectObject(&pen);
  ASSERT_NE(nullptr, pOldPen);
  EXPECT_TRUE(pOldPen->IsKindOf(RUNTIME_CLASS(CPen)));
  EXPECT_EQ(::GetStockObject(BLACK_PEN), pOldPen->m_hObject);
  EXPECT_EQ(&pen, dc.GetCurrentPen());
  EXPECT_EQ(&pen, dc.SelectObject(pOldPen));

  CBrush brush(kGreen);
  CBrush* pOldBrush = dc.SelectObject(&brush);
  ASSERT_NE(nullptr, pOldBrush);
  EXPECT_EQ(::GetStockObject(WHITE_BRUSH), pOldBrush->m_hObject);
  CGdiObject* pStock = dc.SelectStockObject(NULL_BRUSH);
  EXPECT_EQ(&brush, pStock);
  dc.SelectObject(pOldBrush);

  CFont font;
  ASSERT_TRUE(font.CreatePointFont(80, "Tahoma"));
  CFont* pOldFont = dc.SelectObject(&font);
  ASSERT_NE(nullptr, pOldFont);
  EXPECT_TRUE(pOldFont->IsKindOf(RUNTIME_CLASS(CFont)));
  EXPECT_EQ(&font, dc.GetCurrentFont());
  dc.SelectObject(pOldFont);

  CBitmap other;
  ASSERT_TRUE(other.CreateBitmap(2, 2, 1, 32, NULL));
  EXPECT_EQ(&surface.bitmap(), dc.GetCurrentBitmap());
  EXPECT_EQ(&surface.bitmap(), dc.SelectObject(&other));
  EXPECT_EQ(&other, dc.SelectObject(&surface.bitmap()));

  CGdiObject* pPrevious = dc.SelectObject(static_cast<CGdiObject*>(&pen));
  EXPECT_TRUE(pPrevious->IsKindOf(RUNTIME_CLASS(CPen)));
  EXPECT_EQ(pen.m_hObject, dc.SelectObject(pPrevious->m_hObject));

  CRgn rgn;
  rgn.CreateRectRgn(0, 0, 2, 2);
  EXPECT_EQ(SIMPLEREGION, dc.SelectObject(&rgn));
  dc.SelectClipRgn(NULL);
  AfxDeleteTempMaps();
}

// ---------------------------------------------------------------------------------------------
// Solid fills and 3D frames

TEST(DcFill, FillSolidRectLeavesTheBackgroundColourSet) {
  DibSurface surface(10, 10);
  CDC& dc = surface.dc();
  dc.SetBkColor(kBlue);
  dc.FillSolidRect(CRect(2, 2, 5, 4), kRed);
  EXPECT_EQ(kRed, surface.At(2, 2));
  EXPECT_EQ(kRed, surface.At(4, 3));
  EXPECT_EQ(kWhite, surface.At(5, 2));
  EXPECT_EQ(kWhite, surface.At(2, 4));
  EXPECT_EQ(kWhite, surface.At(1, 2));
  EXPECT_EQ(kRed, dc.GetBkColor());
}

TEST(DcFill, NegativeExtentsFillTowardsTheOrigin) {
  DibSurface surface(10, 10);
  CDC& dc = surface.dc();
  dc.FillSolidRect(6, 2, -1, 3, kBlue); // the column left of x = 6
  for (int y = 2; y < 5; ++y)
    EXPECT_EQ(kBlue, surface.At(5, y)) << y;
  EXPECT_EQ(kWhite, surface.At(6, 2));
  EXPECT_EQ(kWhite, surface.At(5, 1));
  EXPECT_EQ(kWhite, surface.At(5, 5));

  dc.FillSolidRect(1, 8, 2, -2, kGreen); // rows 6 and 7
  EXPECT_EQ(kGreen, surface.At(1, 6));
  EXPECT_EQ(kGreen, surface.At(2, 7));
  EXPECT_EQ(kWhite, surface.At(1, 8));

  dc.FillSolidRect(CRect(9, 1, 7, 0), kRed); // an inverted rectangle
  EXPECT_EQ(kRed, surface.At(7, 0));
  EXPECT_EQ(kRed, surface.At(8, 0));
  EXPECT_EQ(kWhite, surface.At(9, 0));
}

TEST(DcFill, Draw3dRectGivesTwoCornersToTheBottomRightColour) {
  const int x = 2, y = 3, cx = 10, cy = 6;
  DibSurface surface(16, 12);
  surface.dc().Draw3dRect(x, y, cx, cy, kRed, kBlue);

  EXPECT_EQ(kRed, surface.At(x, y));                    // top-left
  EXPECT_EQ(kBlue, surface.At(x + cx - 1, y));          // top-right
  EXPECT_EQ(kBlue, surface.At(x, y + cy - 1));          // bottom-left
  EXPECT_EQ(kBlue, surface.At(x + cx - 1, y + cy - 1)); // bottom-right
  EXPECT_EQ(kBlue, surface.dc().GetBkColor());

  for (int py = 0; py < 12; ++py) {
    for (int px = 0; px < 16; ++px) {
      const bool bTopLeft =
          (py == y && px >= x && px < x + cx - 1) || (px == x && py >= y && py < y + cy - 1);
      const bool bBottomRight =
          (px == x + cx - 1 && py >= y && py < y + cy) || (py == y + cy - 1 && px >= x && px < x + cx);
      const COLORREF crExpected = bBottomRight ? kBlue : bTopLeft ? kRed : kWhite;
      EXPECT_EQ(crExpected, surface.At(px, py)) << px << "," << py;
    }
  }

  DibSurface viaRect(16, 12);
  viaRect.dc().Draw3dRect(CRect(x, y, x + cx, y + cy), kRed, kBlue);
  EXPECT_EQ(surface.Pixels(), viaRect.Pixels());
}

// ---------------------------------------------------------------------------------------------
// Drag rectangles

TEST(DcDrag, HalftoneBrushIsAProcessWideCheckerboard) {
  CBrush* pBrush = CDC::GetHalftoneBrush();
  ASSERT_NE(nullptr, pBrush);
  EXPECT_EQ(pBrush, CDC::GetHalftoneBrush());
  LOGBRUSH logBrush = {};
  pBrush->GetLogBrush(&logBrush);
  EXPECT_EQ((UINT)BS_PATTERN, logBrush.lbStyle);

  DibSurface surface(8, 8);
  surface.dc().FillRect(CRect(0, 0, 8, 8), pBrush);
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x)
      EXPECT_EQ((x + y) % 2 ? kWhite : kBlack, surface.At(x, y)) << x << "," << y;
}

TEST(DcDrag, DrawingTheSameRingTwiceRestoresThePixels) {
  DibSurface surface(40, 40);
  const std::vector<COLORREF> before = surface.Pixels();
  const CRect rect(5, 5, 25, 20);
  const CSize size(3, 3);
  CRect hole(rect);
  hole.DeflateRect(size);

  surface.dc().DrawDragRect(rect, size, NULL, CSize(0, 0));
  int nChanged = 0;
  for (int y = 0; y < 40; ++y) {
    for (int x = 0; x < 40; ++x) {
      const bool bInRing = rect.PtInRect(CPoint(x, y)) && !hole.PtInRect(CPoint(x, y));
      const bool bChanged = surface.At(x, y) != kWhite;
      EXPECT_EQ(bInRing && (x + y) % 2 == 1, bChanged) << x << "," << y;
      nChanged += bChanged;
    }
  }
  EXPECT_GT(nChanged, 0);

  surface.dc().DrawDragRect(rect, size, NULL, CSize(0, 0));
  EXPECT_EQ(before, surface.Pixels());
  CRect clip;
  surface.dc().GetClipBox(&clip);
  EXPECT_EQ(CRect(0, 0, 40, 40), clip);
}

TEST(DcDrag, MovingTheRingErasesTheLastOne) {
  const CRect first(5, 5, 25, 20), second(10, 8, 30, 30);
  const CSize size(4, 2);
  DibSurface moved(40, 40), fresh(40, 40);
  moved.dc().DrawDragRect(first, size, NULL, CSize(0, 0));
  moved.dc().DrawDragRect(second, size, first, size);
  fresh.dc().DrawDragRect(second, size, NULL, CSize(0, 0));
  EXPECT_EQ(fresh.Pixels(), moved.Pixels());

  // A different brush erases the old ring with its own brush first.
  CBrush white(kWhite);
  DibSurface switched(40, 40), solid(40, 40);
  switched.dc().DrawDragRect(first, size, NULL, CSize(0, 0));
  switched.dc().DrawDragRect(second, size, first, size, &white, CDC::GetHalftoneBrush());
  solid.dc().DrawDragRect(second, size, NULL, CSize(0, 0), &white);
  EXPECT_EQ(solid.Pixels(), switched.Pixels());
  EXPECT_EQ(kBlack, solid.At(second.left, second.top));
}

// ---------------------------------------------------------------------------------------------
// Clipping, mapping, lines, text and blits

TEST(DcClip, RegionsRectanglesAndReset) {
  DibSurface surface(20, 20);
  CDC& dc = surface.dc();
  CRgn rgn;
  rgn.CreateRectRgn(5, 5, 10, 10);
  EXPECT_EQ(SIMPLEREGION, dc.SelectClipRgn(&rgn));
  CRect box;
  dc.GetClipBox(&box);
  EXPECT_EQ(CRect(5, 5, 10, 10), box);
  EXPECT_FALSE(dc.RectVisible(CRect(0, 0, 4, 4)));
  EXPECT_TRUE(dc.PtVisible(CPoint(6, 6)));
  dc.FillSolidRect(0, 0, 20, 20, kRed);
  EXPECT_EQ(kRed, surface.At(5, 5));
  EXPECT_EQ(kWhite, surface.At(4, 4));
  EXPECT_EQ(kWhite, surface.At(10, 10));

  dc.SelectClipRgn(NULL);
  dc.GetClipBox(&box);
  EXPECT_EQ(CRect(0, 0, 20, 20), box);

  dc.ExcludeClipRect(CRect(0, 0, 10, 20));
  dc.GetClipBox(&box);
  EXPECT_EQ(CRect(10, 0, 20, 20), box);
  dc.IntersectClipRect(10, 0, 15, 5);
  dc.GetClipBox(&box);
  EXPECT_EQ(CRect(10, 0, 15, 5), box);
  CRgn extra;
  extra.CreateRectRgn(0, 15, 5, 20);
  dc.SelectClipRgn(&extra, RGN_OR);
  dc.GetClipBox(&box);
  EXPECT_EQ(CRect(0, 0, 15, 20), box);
  dc.SelectClipRgn(NULL, RGN_COPY);
  dc.GetClipBox(&box);
  EXPECT_EQ(CRect(0, 0, 20, 20), box);
}

TEST(DcMapping, PointsRectsAndSizes) {
  CDC dc;
  ASSERT_TRUE(dc.CreateCompatibleDC(NULL));
  dc.SetMapMode(MM_ANISOTROPIC);
  dc.SetWindowExt(2, 2);
  dc.SetViewportExt(CSize(1, -1));
  EXPECT_EQ(CPoint(0, 0), dc.SetWindowOrg(10, 0));
  EXPECT_EQ(CSize(2, 2), dc.GetWindowExt());
  EXPECT_EQ(CSize(1, -1), dc.GetViewportExt());

  CPoint point(0, 4);
  dc.DPtoLP(&point);
  EXPECT_EQ(CPoint(10, -8), point);
  CRect rect(10, 0, 14, 2);
  dc.LPtoDP(&rect);
  EXPECT_EQ(CRect(0, 0, 2, -1), rect);

  // Sizes scale by the extents and keep their sign.
  CSize size(5, 5);
  dc.DPtoLP(&size);
  EXPECT_EQ(CSize(10, 10), size);
  dc.LPtoDP(&size);
  EXPECT_EQ(CSize(5, 5), size);

  EXPECT_EQ(CPoint(10, 0), dc.OffsetWindowOrg(1, 1));
  EXPECT_EQ(CPoint(11, 1), dc.GetWindowOrg());
  EXPECT_EQ(CPoint(0, 0), dc.OffsetViewportOrg(3, 4));
  EXPECT_EQ(CPoint(3, 4), dc.GetViewportOrg());
  EXPECT_EQ(CSize(1, -1), dc.ScaleViewportExt(2, 1, 2, 1));
  EXPECT_EQ(CSize(2, -2), dc.GetViewportExt());
  EXPECT_EQ(CSize(2, 2), dc.ScaleWindowExt(3, 1, 3, 1));
  EXPECT_EQ(CSize(6, 6), dc.GetWindowExt());
}

TEST(DcLines, MoveToAnswersThePreviousPosition) {
  DibSurface surface(20, 20);
  CDC& dc = surface.dc();
  EXPECT_EQ(CPoint(0, 0), dc.MoveTo(1, 1));
  EXPECT_EQ(CPoint(1, 1), dc.MoveTo(CPoint(3, 3)));
  EXPECT_TRUE(dc.LineTo(3, 8));
  EXPECT_EQ(CPoint(3, 8), dc.GetCurrentPosition());
  for (int y = 3; y < 8; ++y)
    EXPECT_EQ(kBlack, surface.At(3, y)) << y;
  EXPECT_EQ(kWhite, surface.At(3, 8));

  dc.Rectangle(10, 10, 14, 14);
  EXPECT_EQ(kBlack, surface.At(10, 10));
  EXPECT_EQ(kBlack, surface.At(13, 13));
  EXPECT_EQ(kWhite, surface.At(12, 12));

  CBrush red(kRed);
  CBrush* pOld = dc.SelectObject(&red);
  const POINT kTriangle[3] = {{15, 0}, {19, 0}, {19, 4}};
  dc.Polygon(kTriangle, 3);
  dc.SelectObject(pOld);
  EXPECT_EQ(kRed, surface.At(18, 1));
}

TEST(DcText, DrawTextMeasuresLikeGetTextExtent) {
  DibSurface surface(100, 30);
  CDC& dc = surface.dc();
  CFont font;
  ASSERT_TRUE(font.CreatePointFont(100, "Tahoma"));
  CFont* pOld = dc.SelectObject(&font);

  const CString text("Hello");
  const CSize extent = dc.GetTextExtent(text);
  EXPECT_GT(extent.cx, 0);
  EXPECT_EQ(extent, dc.GetOutputTextExtent(text));
  CRect rect(0, 0, 0, 0);
  dc.DrawText(text, &rect, DT_CALCRECT | DT_SINGLELINE);
  EXPECT_EQ(extent.cx, rect.Width());
  TEXTMETRICA tm;
  ASSERT_TRUE(dc.GetTextMetrics(&tm));
  EXPECT_EQ(tm.tmHeight, extent.cy);
  CString face;
  EXPECT_GT(dc.GetTextFace(face), 0);
  EXPECT_FALSE(face.IsEmpty());

  dc.TextOut(2, 2, text);
  int nInk = 0;
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 100; ++x)
      nInk += surface.At(x, y) != kWhite;
  EXPECT_GT(nInk, 0);
  dc.SelectObject(pOld);
}

TEST(DcBlit, CopyStretchAndBlend) {
  DibSurface source(4, 4, kRed), target(10, 10);
  CDC& dc = target.dc();
  EXPECT_TRUE(dc.BitBlt(1, 1, 2, 2, &source.dc(), 0, 0, SRCCOPY));
  EXPECT_EQ(kRed, target.At(2, 2));
  EXPECT_EQ(kWhite, target.At(3, 3));

  EXPECT_TRUE(dc.StretchBlt(4, 4, 4, 4, &source.dc(), 0, 0, 2, 2, SRCCOPY));
  EXPECT_EQ(kRed, target.At(7, 7));
  EXPECT_EQ(kWhite, target.At(8, 8));

  EXPECT_TRUE(dc.PatBlt(0, 9, 10, 1, BLACKNESS));
  EXPECT_EQ(kBlack, target.At(5, 9));

  source.dc().SetPixelV(0, 0, kGreen);
  EXPECT_EQ(kGreen, source.dc().GetPixel(0, 0));
  EXPECT_TRUE(dc.TransparentBlt(0, 0, 2, 1, &source.dc(), 0, 0, 2, 1, kRed));
  EXPECT_EQ(kGreen, target.At(0, 0));
  EXPECT_EQ(kWhite, target.At(1, 0));

  DibSurface black(2, 2, kBlack);
  BLENDFUNCTION blend = {AC_SRC_OVER, 0, 128, 0};
  EXPECT_TRUE(dc.AlphaBlend(8, 0, 2, 2, &black.dc(), 0, 0, 2, 2, blend));
  EXPECT_NEAR(127, GetRValue(target.At(8, 0)), 1);
}

// ---------------------------------------------------------------------------------------------
// Point fonts

TEST(DcPointFont, NinetyTenthsOnTheScreenIsMinusTwelve) {
  CClientDC screen(NULL);
  ASSERT_EQ(96, screen.GetDeviceCaps(LOGPIXELSY));
  LOGFONTA logFont;
  CFont viaScreen;
  ASSERT_TRUE(viaScreen.CreatePointFont(90, "Tahoma"));
  viaScreen.GetLogFont(&logFont);
  EXPECT_EQ(-12, logFont.lfHeight);
  EXPECT_STREQ("Tahoma", logFont.lfFaceName);

  CFont viaDC;
  ASSERT_TRUE(viaDC.CreatePointFont(90, "Tahoma", &screen));
  viaDC.GetLogFont(&logFont);
  EXPECT_EQ(-12, logFont.lfHeight);
}

// No display DC here reports 120 dpi; a mapping of 120 logical units per 96 device pixels gives the attribute
// DC a 120-unit logical inch, which is what the conversion measures. The window origin and the flipped y axis
// prove the height is taken relative to the converted origin; the output DC keeps MM_TEXT.
TEST(DcPointFont, ConvertsThroughTheAttributeMapping) {
  DibSurface output(4, 4);
  CDC attrib;
  ASSERT_TRUE(attrib.CreateCompatibleDC(NULL));
  attrib.SetMapMode(MM_ANISOTROPIC);
  attrib.SetWindowExt(120, 120);
  attrib.SetViewportExt(96, -96);
  attrib.SetWindowOrg(40, 1000);
  SplitDC dc(output.hdc(), attrib.m_hDC);

  LOGFONTA logFont;
  CFont nine;
  ASSERT_TRUE(nine.CreatePointFont(90, "Tahoma", &dc));
  nine.GetLogFont(&logFont);
  EXPECT_EQ(-15, logFont.lfHeight); // MulDiv(120, 90, 720)

  LOGFONTA request = {};
  request.lfHeight = 120;
  lstrcpyA(request.lfFaceName, "Tahoma");
  CFont twelve;
  ASSERT_TRUE(twelve.CreatePointFontIndirect(&request, &dc));
  twelve.GetLogFont(&logFont);
  EXPECT_EQ(-20, logFont.lfHeight);
  EXPECT_EQ(MM_TEXT, ::GetMapMode(output.hdc()));
}

// ---------------------------------------------------------------------------------------------
// Window DCs

namespace {

CWnd g_paintWnd;
CRect g_rectPainted;
HWND g_hwndOfPaintDC;

LRESULT CALLBACK PaintProbeWndProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam) {
  if (nMsg == WM_PAINT && hWnd == g_paintWnd.m_hWnd) {
    CPaintDC dc(&g_paintWnd);
    g_rectPainted = dc.m_ps.rcPaint;
    g_hwndOfPaintDC = ::WindowFromDC(dc.m_hDC);
    return 0;
  }
  return ::DefWindowProcA(hWnd, nMsg, wParam, lParam);
}

HWND CreateProbeWindow() {
  static const ATOM kClass = [] {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = PaintProbeWndProc;
    wc.hInstance = ::GetModuleHandleA(NULL);
    wc.lpszClassName = "FwDcProbe";
    return ::RegisterClassA(&wc);
  }();
  return ::CreateWindowExA(0, MAKEINTATOM(kClass), "", WS_POPUP, 10, 10, 60, 40, NULL, NULL,
                           ::GetModuleHandleA(NULL), NULL);
}

} // namespace

TEST(DcWindow, NullWindowMeansTheScreen) {
  CClientDC client(NULL);
  ASSERT_NE(nullptr, client.m_hDC);
  EXPECT_EQ(::GetSystemMetrics(SM_CXSCREEN), client.GetDeviceCaps(HORZRES));
  EXPECT_EQ(&client, CDC::FromHandle(client.m_hDC));
  CWindowDC window(NULL);
  ASSERT_NE(nullptr, window.m_hDC);
  EXPECT_EQ(::GetSystemMetrics(SM_CYSCREEN), window.GetDeviceCaps(VERTRES));
}

TEST(DcWindow, DCsBelongToTheirWindow) {
  HWND hWnd = CreateProbeWindow();
  ASSERT_NE(nullptr, hWnd);
  CWnd wnd;
  wnd.m_hWnd = hWnd;
  const int nPermanent = AfxGetPermanentMapCount();
  {
    CClientDC client(&wnd);
    EXPECT_EQ(hWnd, ::WindowFromDC(client.m_hDC));
    CWindowDC window(&wnd);
    EXPECT_EQ(hWnd, ::WindowFromDC(window.m_hDC));
    EXPECT_EQ(nPermanent + 2, AfxGetPermanentMapCount());
  }
  EXPECT_EQ(nPermanent, AfxGetPermanentMapCount());

  g_paintWnd.m_hWnd = hWnd;
  ::ShowWindow(hWnd, SW_SHOWNOACTIVATE);
  ::InvalidateRect(hWnd, NULL, TRUE);
  ::UpdateWindow(hWnd);
  EXPECT_EQ(hWnd, g_hwndOfPaintDC);
  EXPECT_EQ(CRect(0, 0, 60, 40), g_rectPainted);
  EXPECT_FALSE(::GetUpdateRect(hWnd, NULL, FALSE)); // EndPaint validated the window
  g_paintWnd.m_hWnd = NULL;
  ::DestroyWindow(hWnd);
}

TEST(DcWindow, ConstructorsThrowWhenTheWindowGivesNoDC) {
  CWnd bogus;
  bogus.m_hWnd = reinterpret_cast<HWND>(0x1234);
  int nThrown = 0;
  try {
    CClientDC dc(&bogus);
  } catch (CResourceException* e) {
    ++nThrown;
    e->Delete();
  }
  try {
    CWindowDC dc(&bogus);
  } catch (CResourceException* e) {
    ++nThrown;
    e->Delete();
  }
  EXPECT_EQ(2, nThrown);
}

// ---------------------------------------------------------------------------------------------
// Image lists on a DC

TEST(DcImageList, DrawPaintsTheImage) {
  CClientDC screen(NULL);
  CBitmap image;
  ASSERT_TRUE(image.CreateCompatibleBitmap(&screen, 4, 4));
  {
    CDC paint;
    paint.CreateCompatibleDC(&screen);
    CBitmap* pOld = paint.SelectObject(&image);
    paint.FillSolidRect(0, 0, 4, 4, kRed);
    paint.SelectObject(pOld);
  }
  CImageList list;
  ASSERT_TRUE(list.Create(4, 4, ILC_COLOR24, 1, 1));
  ASSERT_EQ(0, list.Add(&image, (CBitmap*)nullptr));

  DibSurface surface(10, 10);
  EXPECT_TRUE(list.Draw(&surface.dc(), 0, CPoint(2, 2), ILD_NORMAL));
  EXPECT_EQ(kRed, surface.At(2, 2));
  EXPECT_EQ(kRed, surface.At(5, 5));
  EXPECT_EQ(kWhite, surface.At(6, 6));
  EXPECT_EQ(kWhite, surface.At(1, 1));
}
