// Off-screen painting: drawing reaches the target only when the memory DC goes, in the target's
// own coordinates; printers are drawn on directly; a buffer that could not be made copies nothing.
#include "toolkit/foundation/ExtMemoryDC.h"
#include "tests/common/import_patch.h"
#include "tests/common/pixel_support.h"
#include "tests/common/window_support.h"

#include <gtest/gtest.h>

namespace {

using pixel_support::DibSurface;

const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kRed = RGB(255, 0, 0);
const COLORREF kGreen = RGB(0, 255, 0);
const COLORREF kBlue = RGB(0, 0, 255);

TEST(MemoryDC, DrawingReachesTheTargetOnlyWhenTheMemoryDCGoes) {
  const struct {
    const char* name;
    DWORD dwFlags;
    bool bDiscard;
    COLORREF crUndrawn; // what the rest of the rectangle shows afterwards
  } rows[] = {
      {"filled with the background", CExtMemoryDC::MDC_DEFAULT, false, kBlue},
      {"started from the target", CExtMemoryDC::MDC_OFFSCREEN | CExtMemoryDC::MDC_COPY_TARGET, false, kGreen},
      {"DIB section", CExtMemoryDC::MDC_DEFAULT | CExtMemoryDC::MDC_DIB_SECTION, false, kBlue},
      {"discarded", CExtMemoryDC::MDC_DEFAULT, true, kGreen},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    DibSurface target(64, 48);
    const CRect rc(8, 8, 40, 30);
    target.dc().FillSolidRect(&rc, kGreen);
    target.dc().SetBkColor(kBlue);
    {
      CExtMemoryDC mdc(&target.dc(), &rc, row.dwFlags);
      mdc.FillSolidRect(12, 12, 6, 6, kRed);
      if ((row.dwFlags & CExtMemoryDC::MDC_DIB_SECTION) != 0) {
        // Bottom-up rows: (28, 10) on the target is row 2 from the top of the buffer.
        ASSERT_NE(nullptr, mdc.m_pHelperDibSurface);
        ::GdiFlush();
        static_cast<DWORD*>(mdc.m_pHelperDibSurface)[(rc.Height() - 1 - 2) * rc.Width() + 20] =
            pixel_support::ToDib(kRed);
      }
      EXPECT_EQ(kGreen, target.At(14, 14));
      if (row.bDiscard)
        mdc.Flush(FALSE);
    }
    EXPECT_EQ(row.bDiscard ? kGreen : kRed, target.At(14, 14));
    EXPECT_EQ(row.crUndrawn, target.At(30, 25));
    EXPECT_EQ((row.dwFlags & CExtMemoryDC::MDC_DIB_SECTION) != 0 ? kRed : row.crUndrawn, target.At(28, 10));
    EXPECT_EQ(kWhite, target.At(4, 4));
    EXPECT_EQ(kWhite, target.At(45, 40));
  }
}

TEST(MemoryDC, DrawsInTheTargetsLogicalCoordinates) {
  DibSurface target(64, 48);
  target.dc().SetViewportOrg(10, 6);
  target.dc().SetBkColor(kBlue);
  const CRect rc(4, 4, 34, 24); // (14, 10) - (44, 30) on the device
  {
    CExtMemoryDC mdc(&target.dc(), &rc);
    mdc.FillSolidRect(5, 5, 2, 2, kRed);
  }
  EXPECT_EQ(kRed, target.At(15, 11));
  EXPECT_EQ(kBlue, target.At(14, 10));
  EXPECT_EQ(kBlue, target.At(43, 29));
  EXPECT_EQ(kWhite, target.At(13, 9));
  EXPECT_EQ(kWhite, target.At(44, 30));
}

TEST(MemoryDC, PaintsTheClipBoxOfAWindowInOneBlock) {
  CHostWnd wnd;
  ASSERT_TRUE(wnd.CreateHost("memory dc", WS_POPUP | WS_VISIBLE, 80, 60));
  wnd.UpdateWindow();
  PumpPending();
  const CRect rcClient(0, 0, 80, 60);
  {
    CClientDC dc(&wnd);
    dc.SetBkColor(kBlue);
    CExtMemoryDC mdc(&dc, NULL);
    EXPECT_EQ(rcClient, mdc.m_rect);
    mdc.FillSolidRect(10, 10, 20, 20, kRed);
    EXPECT_NE(kRed, pixel_support::ReadWindow(wnd.m_hWnd, rcClient).At(15, 15));
  }
  const pixel_support::Pixels after = pixel_support::ReadWindow(wnd.m_hWnd, rcClient);
  ASSERT_FALSE(after.Empty());
  EXPECT_EQ(kRed, after.At(15, 15));
  EXPECT_EQ(kBlue, after.At(50, 40));
}

TEST(MemoryDC, APrintingTargetIsDrawnOnDirectly) {
  DibSurface target(32, 32);
  CDC printer;
  printer.SetOutputDC(target.hdc());
  printer.SetAttribDC(target.hdc());
  printer.m_bPrinting = TRUE;
  {
    const CRect rc(0, 0, 32, 32);
    CExtMemoryDC mdc(&printer, &rc);
    mdc.FillSolidRect(4, 4, 4, 4, kRed);
    EXPECT_EQ(kRed, target.At(5, 5));
  }
  // The borrowed DC still works.
  EXPECT_EQ(kRed, ::GetPixel(target.hdc(), 5, 5));
  printer.ReleaseAttribDC();
  printer.ReleaseOutputDC();
}

HBITMAP WINAPI NoDibSection(HDC, const BITMAPINFO*, UINT, void** ppBits, HANDLE, DWORD) {
  *ppBits = NULL;
  return NULL;
}

TEST(MemoryDC, ABufferThatCouldNotBeMadeCopiesNothing) {
  DibSurface target(32, 32);
  {
    CImportPatch noDib("gdi32.dll", "CreateDIBSection", reinterpret_cast<FARPROC>(&NoDibSection));
    ASSERT_TRUE(noDib.Applied());
    const CRect rc(0, 0, 20, 20);
    CExtMemoryDC mdc(&target.dc(), &rc, CExtMemoryDC::MDC_OFFSCREEN | CExtMemoryDC::MDC_DIB_SECTION);
    EXPECT_EQ(nullptr, mdc.m_pHelperDibSurface);
    mdc.FillSolidRect(2, 2, 4, 4, kRed);
  }
  for (COLORREF cr : target.Pixels())
    ASSERT_EQ(kWhite, cr);
}

} // namespace
