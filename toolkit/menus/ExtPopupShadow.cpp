// The soft drop shadow of popup windows: a band along the right and bottom edges of the content,
// computed over what the screen showed there before the popup appeared.
#include "toolkit/menus/ExtPopupShadow.h"

#include "framework/wnd/fw_wnd.h"
#include "toolkit/foundation/ExtGdiHandles.h"
#include "toolkit/foundation/ExtMemoryDC.h"
#include "toolkit/menus/ExtPopupBitmapDC.h"
#include "toolkit/theme/ExtPaintDcState.h"
#include "toolkit/theme/ExtPaintManagerHolder.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>

namespace {

// The raster operation that keeps the destination where the pattern is white (DPa).
const DWORD kRopDestAndPattern = 0x00A000C9;
// A halftone shadow is never wider than this, whatever the size asked for.
const int kHalftoneMaxWidth = 4;

// A new bitmap compatible with dcTarget holding what hSource shows at (x, y), cx by cy.
bool CopyToBitmap(CBitmap& bmp, CDC& dcTarget, HDC hSource, int x, int y, int cx, int cy) {
  bmp.DeleteObject();
  if (cx <= 0 || cy <= 0 || !bmp.CreateCompatibleBitmap(&dcTarget, cx, cy))
    return false;
  ExtMemDC_t mem(dcTarget.GetSafeHdc());
  if (!mem.Select((HBITMAP)bmp.GetSafeHandle()) ||
      !::BitBlt(mem.Get(), 0, 0, cx, cy, hSource, x, y, SRCCOPY)) {
    bmp.DeleteObject();
    return false;
  }
  return true;
}

// Draws a whole bitmap into dc with its top-left at (x, y).
bool DrawBitmap(CDC& dc, const CBitmap& bmp, int x, int y) {
  BITMAP bm;
  if (bmp.GetSafeHandle() == NULL || bmp.GetBitmap(&bm) == 0)
    return false;
  ExtMemDC_t mem(dc.GetSafeHdc());
  return mem.Select((HBITMAP)bmp.GetSafeHandle()) &&
         ::BitBlt(dc.GetSafeHdc(), x, y, bm.bmWidth, bm.bmHeight, mem.Get(), 0, 0, SRCCOPY);
}

// floor(sqrt(n)) for n >= 0, exact where the floating-point root is not.
int IntegerRoot(int n) {
  int r = (int)std::sqrt((double)n);
  while (r > 0 && r * r > n)
    --r;
  while ((r + 1) * (r + 1) <= n)
    ++r;
  return r;
}

} // namespace

CExtPopupShadow::CExtPopupShadow() { Reset(); }

CExtPopupShadow::~CExtPopupShadow() {
  Reset();
  m_rcContent.SetRectEmpty();
  m_rgnClip.DeleteObject();
  m_nFlags = 0;
}

void CExtPopupShadow::Reset() {
  m_bmpRenderedRight.DeleteObject();
  m_bmpRenderedBottom.DeleteObject();
  m_bmpSavedRight.DeleteObject();
  m_bmpSavedBottom.DeleteObject();
  m_pPixels = NULL;
}

void CExtPopupShadow::ResetAll() {
  Reset();
  m_rcContent.SetRectEmpty();
  m_rcArea1.SetRectEmpty();
  m_rcArea2.SetRectEmpty();
  m_nSize = 0;
  m_nDarkest = m_nLightest = 0;
  m_nFlags = 0;
  m_rgnClip.DeleteObject();
}

bool CExtPopupShadow::HasSavedScreen() const {
  return m_nSize > 0 && !m_rcContent.IsRectEmpty() && m_bmpSavedRight.GetSafeHandle() != NULL &&
         m_bmpSavedBottom.GetSafeHandle() != NULL;
}

void CExtPopupShadow::SetScreenSource(HBITMAP hScreen, POINT ptOrigin) {
  m_hScreenSource = hScreen;
  m_ptScreenOrigin = ptOrigin;
}

CRect CExtPopupShadow::RightStripRect() const {
  return CRect(m_rcContent.right, m_rcContent.top, m_rcContent.right + m_nSize, m_rcContent.bottom + m_nSize);
}

CRect CExtPopupShadow::BottomStripRect() const {
  return CRect(m_rcContent.left, m_rcContent.bottom, m_rcContent.right + m_nSize,
               m_rcContent.bottom + m_nSize);
}

bool CExtPopupShadow::SaveScreen(CDC& dc) {
  if (m_nSize <= 0 || m_rcContent.IsRectEmpty())
    return false;
  const CRect rcRight = RightStripRect();
  const CRect rcBottom = BottomStripRect();
  bool bSaved = false;
  if (m_hScreenSource != NULL) {
    ExtMemDC_t source(dc.GetSafeHdc());
    bSaved = source.Select(m_hScreenSource) &&
             CopyToBitmap(m_bmpSavedRight, dc, source.Get(), rcRight.left - m_ptScreenOrigin.x,
                          rcRight.top - m_ptScreenOrigin.y, rcRight.Width(), rcRight.Height()) &&
             CopyToBitmap(m_bmpSavedBottom, dc, source.Get(), rcBottom.left - m_ptScreenOrigin.x,
                          rcBottom.top - m_ptScreenOrigin.y, rcBottom.Width(), rcBottom.Height());
  }
  // An image that cannot be read leaves the DC, as without one.
  if (!bSaved) {
    bSaved = CopyToBitmap(m_bmpSavedRight, dc, dc.GetSafeHdc(), rcRight.left, rcRight.top, rcRight.Width(),
                          rcRight.Height()) &&
             CopyToBitmap(m_bmpSavedBottom, dc, dc.GetSafeHdc(), rcBottom.left, rcBottom.top,
                          rcBottom.Width(), rcBottom.Height());
  }
  if (!bSaved) {
    m_bmpSavedRight.DeleteObject();
    m_bmpSavedBottom.DeleteObject();
  }
  return bSaved;
}

bool CExtPopupShadow::RestoreScreen(CDC& dc) { return RestoreScreenAt(dc, CPoint(0, 0)); }

bool CExtPopupShadow::RestoreScreenAt(CDC& dc, POINT ptContent) {
  if (m_nSize <= 0 || m_rcContent.IsRectEmpty())
    return true;
  if (!HasSavedScreen())
    return false;
  // The bottom strip last: both hold the corner, and they hold the same pixels there.
  return DrawBitmap(dc, m_bmpSavedRight, ptContent.x + m_rcContent.Width(), ptContent.y) &&
         DrawBitmap(dc, m_bmpSavedBottom, ptContent.x, ptContent.y + m_rcContent.Height());
}

void CExtPopupShadow::SelectClipRegion(CDC& dc) {
  if (m_rgnClip.GetSafeHandle() == NULL)
    return;
  // Clip regions are in device units; the region is in the DC's logical ones.
  CRgn rgn;
  if (!rgn.CreateRectRgn(0, 0, 0, 0) || rgn.CopyRgn(&m_rgnClip) == ERROR)
    return;
  CPoint ptOrigin(0, 0);
  dc.LPtoDP(&ptOrigin, 1);
  rgn.OffsetRgn(ptOrigin);
  dc.SelectClipRgn(&rgn, RGN_AND);
}

void CExtPopupShadow::ClipToBand(CDC& dc) {
  dc.ExcludeClipRect(&m_rcContent);
  // The other part of a combined menu is content too: the band never paints over it.
  if (!m_rcArea1.IsRectEmpty())
    dc.ExcludeClipRect(&m_rcArea1);
  if (!m_rcArea2.IsRectEmpty())
    dc.ExcludeClipRect(&m_rcArea2);
  // A cut corner belongs to the other part's band, which may be drawn already.
  if ((FindJoints() & JOINT_CUT_CORNER) != 0)
    dc.ExcludeClipRect(m_rcContent.right, m_rcContent.bottom, m_rcContent.right + m_nSize,
                       m_rcContent.bottom + m_nSize);
  SelectClipRegion(dc);
}

bool CExtPopupShadow::PaintCached(CDC& dc) {
  if (m_nSize <= 0 || m_rcContent.IsRectEmpty())
    return true;
  if (m_bmpRenderedRight.GetSafeHandle() == NULL || m_bmpRenderedBottom.GetSafeHandle() == NULL)
    return false;
  CExtDcSaveGuard state(dc);
  ClipToBand(dc);
  const CRect rcRight = RightStripRect();
  const CRect rcBottom = BottomStripRect();
  return DrawBitmap(dc, m_bmpRenderedRight, rcRight.left, rcRight.top) &&
         DrawBitmap(dc, m_bmpRenderedBottom, rcBottom.left, rcBottom.top);
}

void CExtPopupShadow::CacheRendered(CDC& dc) {
  const CRect rcRight = RightStripRect();
  const CRect rcBottom = BottomStripRect();
  if (!CopyToBitmap(m_bmpRenderedRight, dc, dc.GetSafeHdc(), rcRight.left, rcRight.top, rcRight.Width(),
                    rcRight.Height()) ||
      !CopyToBitmap(m_bmpRenderedBottom, dc, dc.GetSafeHdc(), rcBottom.left, rcBottom.top, rcBottom.Width(),
                    rcBottom.Height())) {
    // Half a cache would paint half a shadow: the next render computes both again.
    m_bmpRenderedRight.DeleteObject();
    m_bmpRenderedBottom.DeleteObject();
  }
}

void CExtPopupShadow::DiscardRendered() {
  if (m_bmpSavedRight.GetSafeHandle() != NULL && m_bmpSavedBottom.GetSafeHandle() != NULL &&
      m_bmpRenderedRight.GetSafeHandle() != NULL && m_bmpRenderedBottom.GetSafeHandle() != NULL) {
    m_bmpRenderedRight.DeleteObject();
    m_bmpRenderedBottom.DeleteObject();
  }
}

bool CExtPopupShadow::PaintFor(CDC& dc, const RECT& rcContent, const RECT& rcArea1, const RECT& rcArea2,
                               int nSize, int nDarkest, int nLightest, bool bKeep, bool bTint,
                               CWnd* pWndContent, CWnd* pWndBeneath, const RECT* pRcBeneath) {
  const BYTE nFlags = (BYTE)((bKeep ? SHADOW_KEEP_RENDERED : 0) | (bTint ? SHADOW_TINT : 0));
  // Strips saved or rendered for another place or look would paint the wrong pixels.
  if (m_rcContent != rcContent || m_rcArea1 != rcArea1 || m_rcArea2 != rcArea2 || m_nSize != nSize ||
      m_nDarkest != nDarkest || m_nLightest != nLightest || m_nFlags != nFlags) {
    Reset();
    m_rgnClip.DeleteObject();
  }
  m_rcContent = rcContent;
  m_rcArea1 = rcArea1;
  m_rcArea2 = rcArea2;
  m_nSize = nSize;
  m_nDarkest = nDarkest;
  m_nLightest = nLightest;
  m_nFlags = nFlags;
  return Render(dc, pWndContent, pWndBeneath, pRcBeneath);
}

bool CExtPopupShadow::Render(CDC& dc, CWnd* pWndContent, CWnd* pWndBeneath, const RECT* pRcBeneath) {
  if (m_nSize <= 0 || m_rcContent.IsRectEmpty())
    return true;
  if (pWndBeneath == NULL || !::IsWindow(pWndBeneath->GetSafeHwnd()) ||
      (::GetWindowLongA(pWndBeneath->GetSafeHwnd(), GWL_STYLE) & WS_VISIBLE) == 0) {
    pWndContent = NULL;
    pWndBeneath = NULL;
    pRcBeneath = NULL;
  }
  if (!HasSavedScreen())
    SaveScreen(dc);
  if (m_rgnClip.GetSafeHandle() == NULL && !m_rcArea1.IsRectEmpty() && !m_rcArea2.IsRectEmpty()) {
    CRgn rgnBottom;
    if (!m_rgnClip.CreateRectRgnIndirect(RightStripRect()) ||
        !rgnBottom.CreateRectRgnIndirect(BottomStripRect()) ||
        m_rgnClip.CombineRgn(&m_rgnClip, &rgnBottom, RGN_OR) == ERROR)
      m_rgnClip.DeleteObject();
  }
  CExtDcSaveGuard state(dc);
  SelectClipRegion(dc);
  if (!(pWndBeneath != NULL && HasSavedScreen()) && PaintCached(dc))
    return true;
  return CExtPaintManager::GetScreenBitsPerPixel() <= 8
             ? RenderHalftone(dc, pWndContent, pWndBeneath, pRcBeneath)
             : RenderAlpha(dc, pWndContent, pWndBeneath, pRcBeneath);
}

bool CExtPopupShadow::ComposeBeneath(CDC& dc, POINT ptContent, CWnd* pWndContent, CWnd* pWndBeneath,
                                     const RECT* pRcBeneath) {
  CRect rcContentOnScreen = m_rcContent;
  if (pWndContent != NULL && ::IsWindow(pWndContent->GetSafeHwnd()))
    ::MapWindowPoints(pWndContent->GetSafeHwnd(), NULL, (LPPOINT)&rcContentOnScreen, 2);
  CRect rcBeneath;
  if (pRcBeneath != NULL)
    rcBeneath = *pRcBeneath;
  else
    ::GetWindowRect(pWndBeneath->GetSafeHwnd(), &rcBeneath);
  ExtBitmapPtr_t image(CExtPaintManager::CaptureWindowToDib(
      pWndBeneath->GetSafeHwnd(), WM_PRINT, PRF_NONCLIENT | PRF_CLIENT | PRF_ERASEBKGND | PRF_CHILDREN));
  BITMAP bm;
  if (!image || ::GetObject(image.get(), sizeof(bm), &bm) == 0)
    return false;
  ExtMemDC_t mem(dc.GetSafeHdc());
  return mem.Select(image.get()) &&
         ::BitBlt(dc.GetSafeHdc(), ptContent.x + rcBeneath.left - rcContentOnScreen.left,
                  ptContent.y + rcBeneath.top - rcContentOnScreen.top, bm.bmWidth, bm.bmHeight, mem.Get(), 0,
                  0, SRCCOPY);
}

bool CExtPopupShadow::IsInArea(int x, int y) const {
  const CPoint pt(m_rcContent.left + x, m_rcContent.top + y);
  return (!m_rcArea1.IsRectEmpty() && m_rcArea1.PtInRect(pt)) ||
         (!m_rcArea2.IsRectEmpty() && m_rcArea2.PtInRect(pt));
}

BYTE CExtPopupShadow::FindJoints() const {
  BYTE nJoints = 0;
  const CRect& c = m_rcContent;
  for (const CRect* pArea : {&m_rcArea1, &m_rcArea2}) {
    const CRect& a = *pArea;
    if (a.IsRectEmpty() || a == c)
      continue;
    // A shared edge: the band runs straight on into the other part's band, or ends at it.
    const bool bSpansRight = a.left < c.right && a.right >= c.right;
    const bool bSpansBottom = a.top < c.bottom && a.bottom >= c.bottom;
    if (a.bottom == c.top && bSpansRight)
      nJoints |= JOINT_RIGHT_FROM_TOP;
    if (a.right == c.left && bSpansBottom)
      nJoints |= JOINT_BOTTOM_FROM_LEFT;
    if ((a.top == c.bottom && bSpansRight) || (a.left == c.right && bSpansBottom))
      nJoints |= JOINT_CUT_CORNER;
  }
  return nJoints;
}

int CExtPopupShadow::CornerFactor(int k, int j) const {
  const int n = k * k + j * j;
  if (n > m_nSize * m_nSize)
    return -1;
  return m_nDarkest + IntegerRoot(n) * (m_nLightest - m_nDarkest) / m_nSize;
}

int CExtPopupShadow::FactorAt(int x, int y, BYTE nJoints) const {
  const int w = m_rcContent.Width();
  const int h = m_rcContent.Height();
  const int s = m_nSize;
  const bool bRight = x >= w;
  const bool bBottom = y >= h;
  if ((!bRight && !bBottom) || IsInArea(x, y))
    return -1;
  if (bRight && bBottom)
    return (nJoints & JOINT_CUT_CORNER) != 0 ? -1 : CornerFactor(x - w, y - h);
  // The band starts one size down and to the right of the content's corners, with a rounded end.
  if (bRight) {
    if (y >= s || (nJoints & JOINT_RIGHT_FROM_TOP) != 0)
      return m_nDarkest + (x - w) * (m_nLightest - m_nDarkest) / s;
    return CornerFactor(x - w, s - y);
  }
  if (x >= s || (nJoints & JOINT_BOTTOM_FROM_LEFT) != 0)
    return m_nDarkest + (y - h) * (m_nLightest - m_nDarkest) / s;
  return CornerFactor(s - x, y - h);
}

DWORD CExtPopupShadow::ShadePixel(DWORD px, int nFactor, COLORREF clrTint) {
  const int arrChannels[3] = {(int)((px >> 16) & 0xFF), (int)((px >> 8) & 0xFF), (int)(px & 0xFF)};
  const int arrTint[3] = {GetRValue(clrTint), GetGValue(clrTint), GetBValue(clrTint)};
  DWORD result = 0;
  for (int i = 0; i < 3; ++i) {
    int nKept = nFactor;
    if (clrTint != (COLORREF)-1)
      nKept = std::min(100, nFactor + ::MulDiv(100 - nFactor, arrTint[i], 255));
    result = (result << 8) | (DWORD)(arrChannels[i] * nKept / 100);
  }
  return result;
}

void CExtPopupShadow::ApplyAlpha(int nFactor, int x, int y, COLORREF clrTint) {
  if (m_pPixels == NULL || x < 0 || y < 0 || x >= m_cxSurface || y >= m_cySurface)
    return;
  // The surface is bottom-up.
  DWORD& px = m_pPixels[(size_t)(m_cySurface - 1 - y) * m_cxSurface + x];
  px = ShadePixel(px, nFactor, clrTint);
}

bool CExtPopupShadow::RenderAlpha(CDC& dc, CWnd* pWndContent, CWnd* pWndBeneath, const RECT* pRcBeneath) {
  const int w = m_rcContent.Width();
  const int h = m_rcContent.Height();
  const int cx = w + m_nSize;
  const int cy = h + m_nSize;
  void* pBits = NULL;
  ExtBitmapPtr_t surface(ExtCreateDib32(dc.GetSafeHdc(), cx, cy, true, &pBits));
  if (!surface || pBits == NULL)
    return false;
  CExtPopupBitmapDC dcSurface(&dc, surface.get());
  if (!dcSurface.IsReady() ||
      !dcSurface.BitBlt(0, 0, cx, cy, &dc, m_rcContent.left, m_rcContent.top, SRCCOPY))
    return false;
  // The strips show the desktop as it was, not what the popup has painted there since.
  if (HasSavedScreen())
    RestoreScreenAt(dcSurface, CPoint(0, 0));
  if (pWndBeneath != NULL && !ComposeBeneath(dcSurface, CPoint(0, 0), pWndContent, pWndBeneath, pRcBeneath))
    return false;
  ::GdiFlush();
  m_pPixels = static_cast<DWORD*>(pBits);
  m_cxSurface = cx;
  m_cySurface = cy;
  COLORREF clrTint = (COLORREF)-1;
  if ((m_nFlags & SHADOW_TINT) != 0 && g_PaintManagerHolder.GetPM() != NULL)
    clrTint = g_PaintManagerHolder->GetShadowColor();
  const BYTE nJoints = FindJoints();
  for (int y = 0; y < cy; ++y)
    for (int x = y < h ? w : 0; x < cx; ++x) {
      const int nFactor = FactorAt(x, y, nJoints);
      if (nFactor >= 0)
        ApplyAlpha(nFactor, x, y, clrTint);
    }
  m_pPixels = NULL;
  {
    CExtDcSaveGuard state(dc);
    ClipToBand(dc);
    dc.BitBlt(m_rcContent.left, m_rcContent.top, cx, cy, &dcSurface, 0, 0, SRCCOPY);
  }
  if ((m_nFlags & SHADOW_KEEP_RENDERED) != 0)
    CacheRendered(dc);
  return true;
}

bool CExtPopupShadow::RenderHalftone(CDC& dc, CWnd* pWndContent, CWnd* pWndBeneath, const RECT* pRcBeneath) {
  // A checkerboard: rows of 0x55 and 0xAA, each row a 16-bit word.
  static const WORD kPattern[8] = {0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA};
  CBitmap bmpPattern;
  CBrush brush;
  if (!bmpPattern.CreateBitmap(8, 8, 1, 1, kPattern) || !brush.CreatePatternBrush(&bmpPattern))
    return false;
  const int w = m_rcContent.Width();
  const int h = m_rcContent.Height();
  const CRect rcAll(m_rcContent.left, m_rcContent.top, m_rcContent.right + m_nSize,
                    m_rcContent.bottom + m_nSize);
  bool bResult = true;
  {
    // Clipped first: a printing target is drawn on directly.
    CExtDcSaveGuard state(dc);
    ClipToBand(dc);
    CExtMemoryDC mdc(&dc, &rcAll, CExtMemoryDC::MDC_OFFSCREEN);
    if (mdc.m_bMemDC && mdc.m_pOldBmp == NULL)
      return false;
    CPalette* pOldPalette = NULL;
    if ((dc.GetDeviceCaps(RASTERCAPS) & RC_PALETTE) != 0 && g_PaintManagerHolder.GetPM() != NULL) {
      pOldPalette = mdc.SelectPalette(&g_PaintManagerHolder->m_PaletteWide, FALSE);
      mdc.RealizePalette();
    }
    if (mdc.m_bMemDC) {
      mdc.BitBlt(rcAll.left, rcAll.top, rcAll.Width(), rcAll.Height(), &dc, rcAll.left, rcAll.top, SRCCOPY);
      if (HasSavedScreen())
        RestoreScreenAt(mdc, m_rcContent.TopLeft());
    }
    if (pWndBeneath != NULL)
      bResult = ComposeBeneath(mdc, m_rcContent.TopLeft(), pWndContent, pWndBeneath, pRcBeneath);
    if (bResult) {
      const int s = std::min(m_nSize, kHalftoneMaxWidth);
      CBrush* pOldBrush = mdc.SelectObject(&brush);
      mdc.PatBlt(m_rcContent.left + s, m_rcContent.bottom, w, s, kRopDestAndPattern);
      mdc.PatBlt(m_rcContent.right, m_rcContent.top + s, s, h - s, kRopDestAndPattern);
      mdc.SelectObject(pOldBrush);
    }
    if (pOldPalette != NULL)
      mdc.SelectPalette(pOldPalette, FALSE);
    mdc.Flush(bResult ? TRUE : FALSE);
  }
  if (bResult && (m_nFlags & SHADOW_KEEP_RENDERED) != 0)
    CacheRendered(dc);
  return bResult;
}
