#include "toolkit/foundation/ExtMemoryDC.h"

#include "toolkit/foundation/ExtGdiHandles.h"

#include <utility>

CExtMemoryDC::CExtMemoryDC(CDC* pDC, const RECT* pRect, DWORD dwOpt) {
  if (pDC != NULL)
    SetUp(pDC, pRect, dwOpt);
}

CExtMemoryDC::~CExtMemoryDC() {
  Flush(TRUE);
  m_bmp.DeleteObject();
}

void CExtMemoryDC::SetUp(CDC* pDC, const RECT* pRect, DWORD dwOpt) {
  m_pDC = pDC;
  m_pOldBmp = NULL;
  // Printers get the drawing directly: a screen-sized buffer means nothing to them.
  m_bMemDC = (dwOpt & MDC_OFFSCREEN) != 0 && !pDC->IsPrinting();
  if (pRect != NULL)
    m_rect = *pRect;
  else
    pDC->GetClipBox(&m_rect);
  const bool bConvert = (dwOpt & MDC_DEVICE_UNITS) == 0;
  if (m_bMemDC) {
    CreateCompatibleDC(pDC);
    DWORD dwLayout = pDC->GetLayout();
    if (dwLayout == GDI_ERROR)
      dwLayout = 0;
    const bool bRTL = (dwLayout & LAYOUT_RTL) != 0;
    if (bConvert) {
      SetLayout(dwLayout);
      if (bRTL)
        std::swap(m_rect.left, m_rect.right);
      pDC->LPtoDP(&m_rect);
    }
    // Without a buffer the set-up ends here, and flushing copies nothing.
    if (!CreateBuffer(dwOpt))
      return;
    m_pOldBmp = SelectObject(&m_bmp);
    if (bConvert) {
      // The caller draws in the target's logical coordinates.
      SetMapMode(pDC->GetMapMode());
      if (bRTL)
        std::swap(m_rect.left, m_rect.right);
      pDC->DPtoLP(&m_rect);
      SetWindowOrg(m_rect.left, m_rect.top);
    }
  } else {
    SetOutputDC(pDC->m_hDC);
    SetAttribDC(pDC->m_hAttribDC);
    m_bPrinting = pDC->m_bPrinting;
  }
  if ((dwOpt & MDC_COPY_TARGET) != 0) {
    // The rectangle's top-left is where the buffer begins, in the coordinates drawing and the
    // final copy use. Drawing straight on the target already starts from its pixels: copying it
    // onto itself would only cost a transfer.
    if (m_bMemDC)
      BitBlt(m_rect.left, m_rect.top, m_rect.Width(), m_rect.Height(), pDC, m_rect.left, m_rect.top, SRCCOPY);
    return;
  }
  if ((dwOpt & MDC_FILL_BACKGROUND) != 0) {
    // Filled with a brush: Wine draws an opaque text rectangle one pixel aside on a right-to-left
    // DC, which would leave the buffer's last column unfilled.
    const COLORREF clrBack = pDC->GetBkColor();
    SetBkColor(clrBack);
    CBrush brush;
    if (brush.CreateSolidBrush(clrBack))
      FillRect(&m_rect, &brush);
  }
}

BOOL CExtMemoryDC::CreateBuffer(DWORD dwOpt) {
  const int cx = m_rect.Width();
  const int cy = m_rect.Height();
  if ((dwOpt & MDC_MONOCHROME) != 0)
    return m_bmp.CreateBitmap(cx, cy, 1, 1, NULL);
  if ((dwOpt & MDC_DIB_SECTION) == 0)
    return m_bmp.CreateCompatibleBitmap(m_pDC, cx, cy);
  void* pBits = NULL;
  HBITMAP hBitmap = ExtCreateDib32(m_hDC, cx, cy, true, &pBits);
  if (hBitmap == NULL || pBits == NULL) {
    if (hBitmap != NULL)
      ::DeleteObject(hBitmap);
    return FALSE;
  }
  m_bmp.Attach(hBitmap);
  m_pHelperDibSurface = pBits;
  return TRUE;
}

void CExtMemoryDC::Flush(BOOL bCopy) {
  if (m_pDC == NULL)
    return;
  if (m_bMemDC) {
    // No buffer was selected: the DC holds only its default one-pixel bitmap, which must not
    // reach the target.
    if (m_pOldBmp != NULL) {
      if (bCopy)
        m_pDC->BitBlt(m_rect.left, m_rect.top, m_rect.Width(), m_rect.Height(), this, m_rect.left, m_rect.top,
                      SRCCOPY);
      SelectObject(m_pOldBmp);
    }
  } else {
    // Borrowed from the target, which keeps them.
    m_hDC = NULL;
    m_hAttribDC = NULL;
  }
  m_pDC = NULL;
  m_pOldBmp = NULL;
  m_rect.SetRectEmpty();
  m_bMemDC = FALSE;
  m_pHelperDibSurface = NULL;
}
