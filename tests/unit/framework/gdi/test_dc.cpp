// Device contexts: the output/attribute split, solid fills and 3D frames, drag rectangles, size
// mapping, point fonts and the window DCs. Pixels are read straight from 32-bit DIB sections.
#include "framework/fw.h"
#include "tests/common/pixel_support.h"
#include "tests/common/window_support.h"

#include <gtest/gtest.h>

#include <tuple>
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

// Checks every pixel of a cx by cy surface against expected(x, y).
template <class F> void ExpectPixels(const DibSurface& surface, int cx, int cy, F expected) {
  for (int y = 0; y < cy; ++y)
    for (int x = 0; x < cx; ++x)
      ASSERT_EQ(expected(x, y), surface.At(x, y)) << x << "," << y;
}

// Colour inside rect, white outside.
auto Inside(const CRect& rect, COLORREF cr) {
  return [rect, cr](int x, int y) { return rect.PtInRect(CPoint(x, y)) ? cr : kWhite; };
}

} // namespace

// ---------------------------------------------------------------------------------------------
// Output and attribute DCs

TEST(DcAttrib, SettersReachBothDCsAndQueriesAnswerTheAttributeValue) {
  DibSurface output(16, 16), attrib(16, 16);
  CFont big;
  ASSERT_TRUE(big.CreateFont(-40, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "Tahoma"));
  ::SelectObject(attrib.hdc(), big.m_hObject);
  ::SetMapMode(attrib.hdc(), MM_LOMETRIC);
  ::SetBkColor(attrib.hdc(), kBlue);
  ::SetBkColor(output.hdc(), kGreen);
  ::SetViewportOrgEx(attrib.hdc(), 5, 7, NULL);
  SplitDC dc(output.hdc(), attrib.hdc());

  EXPECT_EQ(MM_LOMETRIC, dc.GetMapMode());
  EXPECT_EQ(MM_LOMETRIC, dc.SetMapMode(MM_ANISOTROPIC));
  EXPECT_EQ(kBlue, dc.GetBkColor());
  EXPECT_EQ(kBlue, dc.SetBkColor(kRed));
  CPoint point(0, 0);
  dc.LPtoDP(&point);
  EXPECT_EQ(CPoint(5, 7), point);
  EXPECT_EQ(CPoint(5, 7), dc.SetViewportOrg(1, 2));
  CPen pen(PS_SOLID, 1, kRed);
  CPen* pOldPen = dc.SelectObject(&pen);
  for (HDC h : {output.hdc(), attrib.hdc()}) {
    EXPECT_EQ(MM_ANISOTROPIC, ::GetMapMode(h));
    EXPECT_EQ(kRed, ::GetBkColor(h));
    POINT org;
    ::GetViewportOrgEx(h, &org);
    EXPECT_EQ(CPoint(1, 2), CPoint(org));
    EXPECT_EQ(pen.m_hObject, ::GetCurrentObject(h, OBJ_PEN));
  }
  dc.SelectObject(pOldPen);

  // Text is measured with the attribute DC's font unless the output is asked for.
  EXPECT_GT(dc.GetTextExtent("Hello").cy, dc.GetOutputTextExtent("Hello").cy);
  TEXTMETRICA tmAttrib, tmOutput;
  ASSERT_TRUE(dc.GetTextMetrics(&tmAttrib));
  ASSERT_TRUE(dc.GetOutputTextMetrics(&tmOutput));
  EXPECT_GT(tmAttrib.tmHeight, tmOutput.tmHeight);
  ::SelectObject(attrib.hdc(), ::GetStockObject(SYSTEM_FONT));
}

// Saved state and the current position live in both DCs of a split: only the relative level -1 restores both
// stacks, MoveTo answers the previous position, and after LineTo the attribute DC reports where the output
// DC's pen stopped.
TEST(DcAttrib, SavedStateAndTheCurrentPositionCoverBothDCs) {
  for (bool bSplit : {false, true}) {
    SCOPED_TRACE(bSplit ? "split" : "single");
    DibSurface output(20, 20), attrib(4, 4);
    SplitDC dc(output.hdc(), bSplit ? attrib.hdc() : output.hdc());
    const int nSaved = dc.SaveDC();
    EXPECT_TRUE(bSplit ? nSaved == -1 : nSaved > 0) << nSaved;
    dc.SetMapMode(MM_LOMETRIC);
    EXPECT_TRUE(dc.RestoreDC(nSaved));
    EXPECT_EQ(MM_TEXT, ::GetMapMode(output.hdc()));
    EXPECT_EQ(MM_TEXT, ::GetMapMode(attrib.hdc()));

    EXPECT_EQ(CPoint(0, 0), dc.MoveTo(1, 1));
    EXPECT_EQ(CPoint(1, 1), dc.MoveTo(CPoint(3, 3)));
    EXPECT_TRUE(dc.LineTo(3, 8));
    EXPECT_EQ(CPoint(3, 8), dc.GetCurrentPosition());
    ExpectPixels(output, 20, 20, Inside(CRect(3, 3, 4, 8), kBlack));
  }
  // Releasing a borrowed output handle left its owner's map entry alone.
  DibSurface owned(4, 4);
  { SplitDC(owned.hdc(), owned.hdc()); }
  EXPECT_EQ(&owned.dc(), CDC::FromHandle(owned.hdc()));
}

// ---------------------------------------------------------------------------------------------
// Handles and creation

TEST(DcHandles, AttachDetachDeleteAndTheDestructor) {
  HDC hDC = ::CreateCompatibleDC(NULL);
  {
    CDC dc;
    EXPECT_FALSE(dc.Attach(NULL));
    ASSERT_TRUE(dc.Attach(hDC));
    EXPECT_EQ(hDC, dc.m_hAttribDC);
    EXPECT_EQ(&dc, CDC::FromHandle(hDC));
    EXPECT_EQ(hDC, dc.Detach());
    EXPECT_TRUE(dc.m_hDC == NULL && dc.m_hAttribDC == NULL);
    EXPECT_NE(&dc, CDC::FromHandle(hDC));
  }
  EXPECT_EQ(OBJ_MEMDC, (int)::GetObjectType(hDC)); // detached: not deleted
  CDC().Attach(hDC);
  EXPECT_EQ(0, (int)::GetObjectType(hDC)); // deleted by its owner's destructor
  AfxDeleteTempMaps();

  CDC memory;
  ASSERT_TRUE(memory.CreateCompatibleDC(NULL));
  EXPECT_TRUE(memory.DeleteDC());
  EXPECT_EQ(nullptr, memory.m_hDC);
  EXPECT_FALSE(memory.DeleteDC());
}

TEST(DcSelect, PreviousObjectsComeBackAsWrappersOfTheirClass) {
  DibSurface surface(4, 4);
  CDC& dc = surface.dc();
  // Selects object, checks what came back and what the DC now reports, and puts the previous one back.
  auto check = [&dc](auto& object, HGDIOBJ hPrevious, auto current) {
    auto* pPrevious = dc.SelectObject(&object);
    EXPECT_EQ(hPrevious, pPrevious->GetSafeHandle());
    EXPECT_EQ(&object, current());
    EXPECT_EQ(&object, dc.SelectObject(pPrevious));
  };
  CPen pen(PS_SOLID, 1, kRed);
  CBrush brush(kGreen);
  CFont font;
  font.CreatePointFont(80, "Tahoma");
  CBitmap other;
  other.CreateBitmap(2, 2, 1, 32, NULL);
  check(pen, ::GetStockObject(BLACK_PEN), [&] { return dc.GetCurrentPen(); });
  check(brush, ::GetStockObject(WHITE_BRUSH), [&] { return dc.GetCurrentBrush(); });
  check(font, ::GetStockObject(SYSTEM_FONT), [&] { return dc.GetCurrentFont(); });
  check(other, surface.bitmap().m_hObject, [&] { return dc.GetCurrentBitmap(); });
  EXPECT_EQ(&surface.bitmap(), dc.GetCurrentBitmap()); // the permanent wrapper, not a temporary

  CGdiObject* pPrevious = dc.SelectObject(static_cast<CGdiObject*>(&brush));
  EXPECT_TRUE(pPrevious->IsKindOf(RUNTIME_CLASS(CBrush)));
  EXPECT_EQ(&brush, dc.SelectStockObject(NULL_BRUSH));
  EXPECT_EQ(::GetStockObject(NULL_BRUSH), dc.SelectObject(pPrevious->m_hObject));
  AfxDeleteTempMaps();
}

// ---------------------------------------------------------------------------------------------
// Solid fills and 3D frames

TEST(DcFill, FillSolidRectNormalisesAndLeavesTheBackgroundColourSet) {
  // The four numbers, whether they go as CRect(x, y, cx, cy) rather than a position and extents, and
  // what is filled.
  const std::tuple<CRect, bool, CRect> kCases[] = {
      {{2, 2, 5, 4}, true, {2, 2, 5, 4}},
      {{6, 2, -1, 3}, false, {5, 2, 6, 5}}, // the column left of x = 6
      {{1, 8, 2, -2}, false, {1, 6, 3, 8}}, // rows 6 and 7
      {{9, 1, 7, 0}, true, {7, 0, 9, 1}},   // an inverted rectangle
  };
  for (auto [n, bAsRect, filled] : kCases) {
    SCOPED_TRACE(testing::Message() << n.left << "," << n.top << "," << n.right << "," << n.bottom);
    DibSurface surface(10, 10);
    surface.dc().SetBkColor(kBlue);
    if (bAsRect)
      surface.dc().FillSolidRect(n, kRed);
    else
      surface.dc().FillSolidRect(n.left, n.top, n.right, n.bottom, kRed);
    ExpectPixels(surface, 10, 10, Inside(filled, kRed));
    EXPECT_EQ(kRed, surface.dc().GetBkColor());
  }
}

TEST(DcFill, Draw3dRectGivesTwoCornersToTheBottomRightColour) {
  const int x = 2, y = 3, cx = 10, cy = 6;
  DibSurface surface(16, 12);
  surface.dc().Draw3dRect(x, y, cx, cy, kRed, kBlue);
  ExpectPixels(surface, 16, 12, [&](int px, int py) {
    const bool bTopLeft = (py == y && px >= x && px < x + cx - 1) || (px == x && py >= y && py < y + cy - 1);
    const bool bBottomRight =
        (px == x + cx - 1 && py >= y && py < y + cy) || (py == y + cy - 1 && px >= x && px < x + cx);
    return bBottomRight ? kBlue : bTopLeft ? kRed : kWhite;
  });
  EXPECT_EQ(kBlue, surface.dc().GetBkColor());
}

// ---------------------------------------------------------------------------------------------
// Drag rectangles

TEST(DcDrag, RingsAreInvertedAndMovingOneErasesTheLast) {
  const CRect first(5, 5, 25, 20), second(10, 8, 30, 30);
  const CSize size(4, 2);
  DibSurface moved(40, 40), fresh(40, 40);
  CRect hole(first);
  hole.DeflateRect(size);
  // Drawn with the process-wide halftone checkerboard.
  ASSERT_NE(nullptr, CDC::GetHalftoneBrush());
  EXPECT_EQ(CDC::GetHalftoneBrush(), CDC::GetHalftoneBrush());
  moved.dc().DrawDragRect(first, size, NULL, CSize(0, 0));
  ExpectPixels(moved, 40, 40, [&](int x, int y) {
    const bool bInRing = first.PtInRect(CPoint(x, y)) && !hole.PtInRect(CPoint(x, y));
    return bInRing && (x + y) % 2 == 1 ? kBlack : kWhite;
  });
  moved.dc().DrawDragRect(first, size, NULL, CSize(0, 0)); // the same ring again restores the pixels
  ExpectPixels(moved, 40, 40, [](int, int) { return kWhite; });
  CRect clip;
  moved.dc().GetClipBox(&clip);
  EXPECT_EQ(CRect(0, 0, 40, 40), clip);

  moved.dc().DrawDragRect(first, size, NULL, CSize(0, 0));
  moved.dc().DrawDragRect(second, size, first, size);
  fresh.dc().DrawDragRect(second, size, NULL, CSize(0, 0));
  EXPECT_EQ(fresh.Pixels(), moved.Pixels());
}

// ---------------------------------------------------------------------------------------------
// Point fonts

// On the 96 dpi screen nine points are twelve pixels. No display DC here reports 120 dpi; a mapping of 120
// logical units per 96 device pixels gives the attribute DC a 120-unit logical inch, which is what the
// conversion measures. The window origin and the flipped y axis prove the height is taken relative to the
// converted origin; the output DC keeps MM_TEXT.
TEST(DcPointFont, ConvertsThroughTheAttributeMapping) {
  CClientDC screen(NULL);
  ASSERT_EQ(96, screen.GetDeviceCaps(LOGPIXELSY));
  DibSurface output(4, 4);
  CDC attrib;
  ASSERT_TRUE(attrib.CreateCompatibleDC(NULL));
  attrib.SetMapMode(MM_ANISOTROPIC);
  attrib.SetWindowExt(120, 120);
  attrib.SetViewportExt(96, -96);
  attrib.SetWindowOrg(40, 1000);
  SplitDC mapped(output.hdc(), attrib.m_hDC);

  const std::tuple<CDC*, int, LONG> kCases[] = {
      {NULL, 90, -12}, {&screen, 90, -12}, {&mapped, 90, -15}, {&mapped, 120, -20}};
  for (auto [pDC, nTenths, lHeight] : kCases) {
    CFont font;
    ASSERT_TRUE(font.CreatePointFont(nTenths, "Tahoma", pDC));
    LOGFONTA logFont;
    font.GetLogFont(&logFont);
    EXPECT_EQ(lHeight, logFont.lfHeight) << nTenths << (pDC == &mapped ? " mapped" : "");
    EXPECT_STREQ("Tahoma", logFont.lfFaceName);
  }
  EXPECT_EQ(MM_TEXT, ::GetMapMode(output.hdc()));
}

// ---------------------------------------------------------------------------------------------
// Window DCs

TEST(DcWindow, DCsBelongToTheirWindowAndGoWithTheirWrappers) {
  CHostWnd wnd;
  ASSERT_TRUE(wnd.CreateHost("probe", WS_POPUP, 60, 40));
  const HWND hWnd = wnd.m_hWnd;
  const int nPermanent = AfxGetPermanentMapCount();
  {
    CClientDC client(&wnd);
    EXPECT_EQ(hWnd, ::WindowFromDC(client.m_hDC));
    CWindowDC window(&wnd);
    EXPECT_EQ(hWnd, ::WindowFromDC(window.m_hDC));
    EXPECT_EQ(nPermanent + 2, AfxGetPermanentMapCount());
  }
  EXPECT_EQ(nPermanent, AfxGetPermanentMapCount());
  wnd.DestroyWindow();
}
