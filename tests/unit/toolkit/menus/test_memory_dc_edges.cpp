// The memory DC at its edges: a printing target is never buffered, a right-to-left target is
// mirrored alike, and a flush without copying leaves the target as it was.
#include "tests/common/import_patch.h"
#include "tests/common/pixel_support.h"
#include "toolkit/foundation/ExtMemoryDC.h"

#include <gtest/gtest.h>

#include <tuple>
#include <utility>

namespace {

using pixel_support::DibSurface;
typedef CExtMemoryDC MDC;

const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kRed = RGB(255, 0, 0);
const COLORREF kGreen = RGB(0, 255, 0);

// A DC that draws into a surface and says it prints; it never deletes the surface's DC.
class CPrinterDC : public CDC {
public:
  explicit CPrinterDC(DibSurface& surface) {
    SetOutputDC(surface.hdc());
    SetAttribDC(surface.hdc());
    m_bPrinting = TRUE;
  }
  ~CPrinterDC() override {
    ReleaseAttribDC();
    ReleaseOutputDC();
  }
};

// Counts block transfers from a DC onto itself.
typedef BOOL(WINAPI* PFN_BitBlt)(HDC, int, int, int, int, HDC, int, int, DWORD);
const PFN_BitBlt RealBitBlt =
    reinterpret_cast<PFN_BitBlt>(::GetProcAddress(::GetModuleHandleA("gdi32.dll"), "BitBlt"));
int g_nSelfCopies = 0;
BOOL WINAPI CountingBitBlt(HDC hDest, int x, int y, int cx, int cy, HDC hSource, int xs, int ys,
                           DWORD dwRop) {
  if (hDest == hSource)
    ++g_nSelfCopies;
  return RealBitBlt(hDest, x, y, cx, cy, hSource, xs, ys, dwRop);
}

TEST(MemoryDCEdges, APrintingTargetNeverGetsABufferWhateverTheFlags) {
  const DWORD rows[] = {MDC::MDC_OFFSCREEN,
                        MDC::MDC_DEFAULT,
                        MDC::MDC_OFFSCREEN | MDC::MDC_MONOCHROME,
                        MDC::MDC_DEFAULT | MDC::MDC_DIB_SECTION,
                        MDC::MDC_OFFSCREEN | MDC::MDC_DEVICE_UNITS,
                        MDC::MDC_OFFSCREEN | MDC::MDC_COPY_TARGET,
                        MDC::MDC_DEFAULT | MDC::MDC_COPY_TARGET};
  CImportPatch counter("gdi32.dll", "BitBlt", reinterpret_cast<FARPROC>(&CountingBitBlt));
  ASSERT_TRUE(counter.Applied());
  for (DWORD dwFlags : rows) {
    SCOPED_TRACE(dwFlags);
    DibSurface surface(40, 30, kGreen);
    CPrinterDC printer(surface);
    g_nSelfCopies = 0;
    {
      const CRect rc(5, 5, 35, 25);
      MDC mdc(&printer, &rc, dwFlags);
      EXPECT_EQ(std::make_tuple(FALSE, (void*)NULL, surface.hdc(), TRUE),
                std::make_tuple(mdc.m_bMemDC, mdc.m_pHelperDibSurface, mdc.m_hDC, mdc.IsPrinting()));
      mdc.FillSolidRect(10, 10, 4, 4, kRed);
      EXPECT_EQ(kRed, surface.At(11, 11)); // at once, on the target
    }
    // Starting from the target's pixels needs no copy of the target onto itself.
    EXPECT_EQ(0, g_nSelfCopies);
    const bool bFilled = (dwFlags & MDC::MDC_FILL_BACKGROUND) != 0 && (dwFlags & MDC::MDC_COPY_TARGET) == 0;
    EXPECT_EQ(bFilled ? kWhite : kGreen, surface.At(6, 6));
    EXPECT_EQ(kGreen, surface.At(2, 2));
    EXPECT_EQ(kRed, ::GetPixel(surface.hdc(), 11, 11)); // the borrowed DC lives on
  }
}

TEST(MemoryDCEdges, ARightToLeftTargetIsMirroredAlikeSoDrawingLandsInThePlaceItWould) {
  const struct {
    const char* name;
    CRect rc;
    DWORD dwFlags;
  } rows[] = {
      {"part", CRect(2, 3, 70, 36), MDC::MDC_DEFAULT},
      {"DIB section", CRect(6, 0, 64, 40), MDC::MDC_DEFAULT | MDC::MDC_DIB_SECTION},
  };
  const auto draw = [](CDC& dc) {
    dc.FillSolidRect(5, 5, 10, 8, kRed);
    dc.SetBkMode(TRANSPARENT);
    dc.TextOut(20, 12, CString("Ab"));
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    DibSurface expected(80, 40), actual(80, 40);
    for (DibSurface* pSurface : {&expected, &actual}) {
      ASSERT_NE(GDI_ERROR, pSurface->dc().SetLayout(LAYOUT_RTL));
      pSurface->dc().SetBkColor(kWhite);
    }
    draw(expected.dc());
    {
      MDC mdc(&actual.dc(), &row.rc, row.dwFlags);
      ASSERT_TRUE(mdc.m_bMemDC);
      EXPECT_EQ(LAYOUT_RTL, mdc.GetLayout() & LAYOUT_RTL);
      draw(mdc);
    }
    // Logical x 5-14 is device x 65-74 on an 80 pixels wide right-to-left target.
    EXPECT_EQ(kRed, expected.At(70, 8));
    EXPECT_EQ(kWhite, expected.At(10, 8));
    EXPECT_TRUE(expected.Pixels() == actual.Pixels());
  }
}

TEST(MemoryDCEdges, AFlushWithoutCopyingDetachesAndLeavesTheTargetAlone) {
  const DWORD rows[] = {MDC::MDC_DEFAULT, MDC::MDC_DEFAULT | MDC::MDC_DIB_SECTION,
                        MDC::MDC_OFFSCREEN | MDC::MDC_COPY_TARGET, MDC::MDC_OFFSCREEN | MDC::MDC_MONOCHROME};
  for (DWORD dwFlags : rows) {
    SCOPED_TRACE(dwFlags);
    DibSurface target(40, 30, kGreen);
    const std::vector<COLORREF> before = target.Pixels();
    {
      const CRect rc(4, 4, 30, 20);
      MDC mdc(&target.dc(), &rc, dwFlags);
      ASSERT_TRUE(mdc.m_bMemDC);
      mdc.FillSolidRect(6, 6, 10, 10, kRed);
      mdc.Flush(FALSE);
      EXPECT_EQ(std::make_tuple((CDC*)NULL, (CBitmap*)NULL, TRUE, FALSE, (void*)NULL),
                std::make_tuple(mdc.m_pDC, mdc.m_pOldBmp, mdc.m_rect.IsRectEmpty(), mdc.m_bMemDC,
                                mdc.m_pHelperDibSurface));
      mdc.Flush(TRUE); // nothing left to copy
    }
    EXPECT_EQ(before, target.Pixels());
  }
  // Drawing straight on a printer: the flush drops the borrowed handles, and the target keeps
  // what was drawn on it.
  DibSurface surface(40, 30, kGreen);
  CPrinterDC printer(surface);
  {
    const CRect rc(0, 0, 40, 30);
    MDC mdc(&printer, &rc, MDC::MDC_OFFSCREEN);
    mdc.FillSolidRect(1, 1, 3, 3, kRed);
    mdc.Flush(FALSE);
    EXPECT_EQ(std::make_pair((HDC)NULL, (HDC)NULL), std::make_pair(mdc.m_hDC, mdc.m_hAttribDC));
  }
  EXPECT_EQ(kRed, surface.At(2, 2));
  EXPECT_EQ(kRed, ::GetPixel(surface.hdc(), 2, 2));
}

} // namespace
