// The pixel effects of a popup's opening animation, composed in three bottom-up 32-bit buffers of
// the client size: the screen beneath (background), the finished content (final) and the frame
// shown. Row 0 of a buffer is the bottom row of the window.
#include "toolkit/menus/ExtPopupBaseWnd.h"

#include "toolkit/foundation/ExtGdiHandles.h"
#include "toolkit/menus/ExtPopupBitmapDC.h"
#include "toolkit/theme/ExtPaintDcState.h"
#include "toolkit/theme/ExtPaintManagerHolder.h"

#include <algorithm>
#include <cstdlib>
#include <initializer_list>

namespace {

// The effects of blocks and circles repeat in cells of this many pixels.
const int kCell = 32;
const int kCircleRadius = 16;

int StepOf(int nStep) { return std::max(0, std::min(100, nStep)); }

DWORD Blend(DWORD b, DWORD f, int s) {
  DWORD result = 0;
  for (int nShift = 16; nShift >= 0; nShift -= 8) {
    const int cb = (int)((b >> nShift) & 0xFF);
    const int cf = (int)((f >> nShift) & 0xFF);
    result |= (DWORD)((cb * (100 - s) + cf * s) / 100) << nShift;
  }
  return result;
}

} // namespace

void CExtPopupBaseWnd::FreeAnimationBuffers() {
  m_bmpBackground.DeleteObject();
  m_bmpFinal.DeleteObject();
  m_bmpFrame.DeleteObject();
  m_pBackground = m_pFinal = m_pFrame = NULL;
  m_cxBuffers = m_cyBuffers = 0;
}

bool CExtPopupBaseWnd::CreateAnimationBuffers(int cx, int cy) {
  FreeAnimationBuffers();
  if (cx <= 0 || cy <= 0)
    return false;
  CBitmap* const arrBitmaps[3] = {&m_bmpBackground, &m_bmpFinal, &m_bmpFrame};
  DWORD** const arrBits[3] = {&m_pBackground, &m_pFinal, &m_pFrame};
  for (int i = 0; i < 3; ++i) {
    void* pBits = NULL;
    ExtBitmapPtr_t bmp(ExtCreateDib32(NULL, cx, cy, true, &pBits));
    if (!bmp || pBits == NULL) {
      FreeAnimationBuffers();
      return false;
    }
    arrBitmaps[i]->Attach(bmp.release());
    *arrBits[i] = static_cast<DWORD*>(pBits);
  }
  m_cxBuffers = cx;
  m_cyBuffers = cy;
  return true;
}

bool CExtPopupBaseWnd::FillAnimationBuffers(CDC& dcWindow) {
  if (m_pBackground == NULL || m_pFinal == NULL || m_pFrame == NULL)
    return false;
  const int cx = m_cxBuffers;
  const int cy = m_cyBuffers;
  {
    CExtPopupBitmapDC dcBackground(&dcWindow, (HBITMAP)m_bmpBackground.GetSafeHandle());
    if (!dcBackground.IsReady())
      return false;
    bool bCopied;
    if (HasScreenBeneath()) {
      CExtPopupBitmapDC dcScreen(&dcWindow, (HBITMAP)m_bmpScreenBeneath.GetSafeHandle());
      bCopied = dcScreen.IsReady() && dcBackground.BitBlt(0, 0, cx, cy, &dcScreen, 0, 0, SRCCOPY);
    } else {
      // Without an image of the screen, what the window shows is all there is (on Windows, the
      // screen beneath; under Wine, the popup's own surface).
      bCopied = dcBackground.BitBlt(0, 0, cx, cy, &dcWindow, 0, 0, SRCCOPY) != FALSE;
    }
    if (!bCopied)
      return false;
  }
  ::GdiFlush();
  const size_t nCount = (size_t)cx * cy;
  std::copy(m_pBackground, m_pBackground + nCount, m_pFinal);
  std::copy(m_pBackground, m_pBackground + nCount, m_pFrame);
  {
    CExtPopupBitmapDC dcFinal(&dcWindow, (HBITMAP)m_bmpFinal.GetSafeHandle());
    if (!dcFinal.IsReady())
      return false;
    PaintContent(dcFinal, false);
  }
  ::GdiFlush();
  return true;
}

bool CExtPopupBaseWnd::ComposeFrame(int cx, int cy, int nCombineSide) {
  if (m_pBackground == NULL || m_pFinal == NULL || m_pFrame == NULL || cx != m_cxBuffers || cy != m_cyBuffers)
    return false;
  ::GdiFlush();
  const bool bStepMoved = m_nStep != m_nPrevStep;
  switch (m_nAnimationType) {
  case ANIM_AT_ONCE:
    std::copy(m_pFinal, m_pFinal + (size_t)cx * cy, m_pFrame);
    return true;
  case ANIM_SLIDE:
  case ANIM_SLIDE_VERT:
    ComposeSlide(cx, cy, nCombineSide);
    return true;
  case ANIM_FADE:
    ComposeFade(cx * cy);
    return true;
  case ANIM_UNFOLD:
  case ANIM_UNFOLD_VERT:
    return ComposeUnfold(cx, cy, nCombineSide);
  case ANIM_RANDOM_PIXELS:
    if (bStepMoved)
      ComposeRandomPixels(cx * cy);
    return true;
  case ANIM_BLOCKS:
    ComposeBlocks(cx, cy);
    return true;
  case ANIM_CIRCLES_GROW:
  case ANIM_CIRCLES_CLOSE:
    if (bStepMoved)
      ComposeCircles(cx, cy);
    return true;
  default:
    return false;
  }
}

void CExtPopupBaseWnd::ComposeFade(int nCount) {
  const int s = StepOf(m_nStep);
  for (int i = 0; i < nCount; ++i)
    m_pFrame[i] = Blend(m_pBackground[i], m_pFinal[i], s);
}

void CExtPopupBaseWnd::ComposeSlide(int cx, int cy, int nCombineSide) {
  const int s = StepOf(m_nStep);
  const int dy = (100 - s) * cy / 100;
  const int dx = m_nAnimationType == ANIM_SLIDE ? (100 - s) * cx / 100 : 0;
  // Where the final image's top-left lies, in window coordinates: it slides in from the side
  // away from a combined area.
  int xShift = -dx, yShift = -dy;
  if (nCombineSide == 2)
    yShift = dy;
  else if (nCombineSide == 3)
    xShift = dx;
  for (int y = 0; y < cy; ++y) {
    // Window row y is buffer row cy - 1 - y.
    DWORD* pFrameRow = m_pFrame + (size_t)(cy - 1 - y) * cx;
    const DWORD* pBackRow = m_pBackground + (size_t)(cy - 1 - y) * cx;
    const int ySource = y - yShift;
    const DWORD* pFinalRow = ySource >= 0 && ySource < cy ? m_pFinal + (size_t)(cy - 1 - ySource) * cx : NULL;
    for (int x = 0; x < cx; ++x) {
      const int xSource = x - xShift;
      pFrameRow[x] = pFinalRow != NULL && xSource >= 0 && xSource < cx ? pFinalRow[xSource] : pBackRow[x];
    }
  }
}

bool CExtPopupBaseWnd::ComposeUnfold(int cx, int cy, int nCombineSide) {
  const int s = StepOf(m_nStep);
  std::copy(m_pBackground, m_pBackground + (size_t)cx * cy, m_pFrame);
  const int cxTarget = m_nAnimationType == ANIM_UNFOLD ? s * cx / 100 : cx;
  const int cyTarget = s * cy / 100;
  if (cxTarget <= 0 || cyTarget <= 0)
    return true;
  // The image grows out of the corner or edge next to a combined area.
  const int xTarget = nCombineSide == 3 ? cx - cxTarget : 0;
  const int yTarget = nCombineSide == 2 ? cy - cyTarget : 0;
  CExtPopupBitmapDC dcFrame(NULL, (HBITMAP)m_bmpFrame.GetSafeHandle());
  CExtPopupBitmapDC dcFinal(NULL, (HBITMAP)m_bmpFinal.GetSafeHandle());
  if (!dcFrame.IsReady() || !dcFinal.IsReady())
    return false;
  const bool bHalftone = (g_PaintManagerHolder.m_nOsFlagsA & CExtPaintManagerHolder::OSA_NT) != 0;
  dcFrame.SetStretchBltMode(bHalftone ? HALFTONE : COLORONCOLOR);
  if (bHalftone)
    ::SetBrushOrgEx(dcFrame.GetSafeHdc(), 0, 0, NULL);
  const BOOL bDrawn =
      dcFrame.StretchBlt(xTarget, yTarget, cxTarget, cyTarget, &dcFinal, 0, 0, cx, cy, SRCCOPY);
  ::GdiFlush();
  return bDrawn != FALSE;
}

void CExtPopupBaseWnd::ComposeRandomPixels(int nCount) {
  const int d = m_nStep - m_nPrevStep;
  if (d <= 0)
    return;
  // About two pixels in five of those still showing the background turn final at each step; the
  // frame keeps what earlier steps revealed.
  for (int i = 0; i < nCount; ++i)
    if (NextRandom() % d > d / 2 + 1)
      m_pFrame[i] = m_pFinal[i];
}

void CExtPopupBaseWnd::ComposeBlocks(int cx, int cy) {
  const int s = StepOf(m_nStep);
  for (int y = 0; y < cy; ++y) {
    // Rows fill in from the top of each band of cells, and the rest of the band from the left of
    // each cell, so that the last step shows the whole final image.
    const bool bRowDone = 100 - (y % kCell) * 100 / kCell < s;
    const size_t nRow = (size_t)y * cx;
    for (int x = 0; x < cx; ++x)
      m_pFrame[nRow + x] =
          bRowDone || (x % kCell) * 100 / kCell < s ? m_pFinal[nRow + x] : m_pBackground[nRow + x];
  }
}

void CExtPopupBaseWnd::ComposeCircles(int cx, int cy) {
  const int s = StepOf(m_nStep);
  const bool bGrow = m_nAnimationType == ANIM_CIRCLES_GROW;
  const int r = (bGrow ? s : 100 - s) * kCircleRadius / 100;
  if (r <= 0)
    return;
  for (int y = 0; y < cy; ++y) {
    const int dy = std::abs(y % kCell - kCircleRadius);
    const size_t nRow = (size_t)y * cx;
    for (int x = 0; x < cx; ++x) {
      const int dx = std::abs(x % kCell - kCircleRadius);
      const bool bInside = dx * dx + dy * dy < r * r;
      m_pFrame[nRow + x] = bInside == bGrow ? m_pFinal[nRow + x] : m_pBackground[nRow + x];
    }
  }
}

void CExtPopupBaseWnd::CopyCombinedArea(CDC& dc, CDC& dcFinal, CDC& dcBackground, int cx, int cy,
                                        int nCombineSide) {
  // The area joined to the button shows final at once, with its shadow; only the side that
  // touches the button has none.
  const int s = GetShadowSize();
  CRect rcKept(m_rcArea);
  rcKept.InflateRect(s, s);
  switch (nCombineSide) {
  case 1:
    rcKept.top = m_rcArea.top;
    break;
  case 2:
    rcKept.bottom = m_rcArea.bottom;
    break;
  case 3:
    rcKept.right = m_rcArea.right;
    break;
  case 4:
    rcKept.left = m_rcArea.left;
    break;
  default:
    break;
  }
  rcKept.IntersectRect(rcKept, CRect(0, 0, cx, cy));
  dc.BitBlt(rcKept.left, rcKept.top, rcKept.Width(), rcKept.Height(), &dcFinal, rcKept.left, rcKept.top,
            SRCCOPY);
  dc.ExcludeClipRect(&rcKept);
  if (m_nAnimationType >= ANIM_RANDOM_PIXELS && s > 0) {
    // Scattered pixels would break the band up: it shows the screen beneath until the end.
    const CRect rcRight(cx - s, 0, cx, cy);
    const CRect rcBottom(0, cy - s, cx, cy);
    for (const CRect* pStrip : {&rcRight, &rcBottom}) {
      dc.BitBlt(pStrip->left, pStrip->top, pStrip->Width(), pStrip->Height(), &dcBackground, pStrip->left,
                pStrip->top, SRCCOPY);
      dc.ExcludeClipRect(pStrip);
    }
  }
}

bool CExtPopupBaseWnd::PaintFrameOfType(CDC& dc, int cx, int cy, int nCombineSide) {
  if (!IsPixelEffect(m_nAnimationType) || cx <= 0 || cy <= 0)
    return false;
  CPalette* pOldPalette = NULL;
  if ((dc.GetDeviceCaps(RASTERCAPS) & RC_PALETTE) != 0 && g_PaintManagerHolder.GetPM() != NULL) {
    pOldPalette = dc.SelectPalette(&g_PaintManagerHolder->m_PaletteWide, FALSE);
    dc.RealizePalette();
  }
  bool bPainted = false;
  if ((m_pBackground != NULL && cx == m_cxBuffers && cy == m_cyBuffers) ||
      (CreateAnimationBuffers(cx, cy) && FillAnimationBuffers(dc))) {
    ComposeFrame(cx, cy, nCombineSide);
    CExtPopupBitmapDC dcFrame(&dc, (HBITMAP)m_bmpFrame.GetSafeHandle());
    CExtPopupBitmapDC dcFinal(&dc, (HBITMAP)m_bmpFinal.GetSafeHandle());
    CExtPopupBitmapDC dcBackground(&dc, (HBITMAP)m_bmpBackground.GetSafeHandle());
    if (dcFrame.IsReady() && dcFinal.IsReady() && dcBackground.IsReady()) {
      CExtDcSaveGuard guard(dc);
      if ((m_nFlags & POPUP_COMBINED_AREA) != 0 && m_nAnimationType >= ANIM_SLIDE && !m_rcArea.IsRectEmpty())
        CopyCombinedArea(dc, dcFinal, dcBackground, cx, cy, nCombineSide);
      bPainted = dc.BitBlt(0, 0, cx, cy, &dcFrame, 0, 0, SRCCOPY) != FALSE;
    }
  }
  if (!bPainted)
    FreeAnimationBuffers();
  if (pOldPalette != NULL)
    dc.SelectPalette(pOldPalette, FALSE);
  return bPainted;
}
