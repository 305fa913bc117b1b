#include "editor/OffscreenDC.h"

COffscreenDC::COffscreenDC(CDC* pTarget, const CRect& rect, CBitmap& cache, CSize& sizeCache, BOOL bCovered)
    : m_pTarget(pTarget), m_pDC(pTarget), m_rect(rect) {
  if (pTarget->IsPrinting())
    return;
  CRect device = rect;
  pTarget->LPtoDP(&device);
  device.NormalizeRect();
  if (device.IsRectEmpty() || !m_memDC.CreateCompatibleDC(pTarget))
    return;
  if (cache.GetSafeHandle() == NULL || sizeCache.cx < device.Width() || sizeCache.cy < device.Height()) {
    cache.DeleteObject();
    sizeCache = CSize(0, 0);
    if (!cache.CreateCompatibleBitmap(pTarget, device.Width(), device.Height()))
      return; // drawn straight onto the target then
    sizeCache = device.Size();
  }
  m_pOldBitmap = m_memDC.SelectObject(&cache);
  if (m_pOldBitmap == NULL)
    return;
  m_memDC.SetMapMode(pTarget->GetMapMode());
  m_memDC.SetWindowExt(pTarget->GetWindowExt());
  m_memDC.SetViewportExt(pTarget->GetViewportExt());
  m_memDC.SetWindowOrg(rect.left, rect.top);
  m_pDC = &m_memDC;
  if (!bCovered)
    m_memDC.FillSolidRect(&m_rect, pTarget->GetBkColor());
}

COffscreenDC::~COffscreenDC() {
  if (m_pDC != &m_memDC)
    return;
  m_pTarget->BitBlt(m_rect.left, m_rect.top, m_rect.Width(), m_rect.Height(), &m_memDC, m_rect.left,
                    m_rect.top, SRCCOPY);
  m_memDC.SelectObject(m_pOldBitmap);
}
