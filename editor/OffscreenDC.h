// Double buffering of the view's paint: drawing goes to a memory DC over a rectangle of the
// target and is copied to the target in one blit when the object goes. A printing target is drawn
// on directly.
#pragma once

#include "framework/core/fw_geom.h"
#include "framework/gdi/fw_gdi.h"

class COffscreenDC {
public:
  // rect is in the target's logical coordinates. The buffer bitmap is kept in cache (with its
  // size in sizeCache) between paints and made again only when it is too small. The buffer starts
  // in the target's background colour unless bCovered says the caller paints all of it.
  COffscreenDC(CDC* pTarget, const CRect& rect, CBitmap& cache, CSize& sizeCache, BOOL bCovered = FALSE);
  ~COffscreenDC();
  COffscreenDC(const COffscreenDC&) = delete;
  COffscreenDC& operator=(const COffscreenDC&) = delete;

  // Where to draw: the buffer, or the target itself when printing or when no buffer could be made.
  CDC* Get() { return m_pDC; }

private:
  CDC* m_pTarget;
  CDC* m_pDC;
  CDC m_memDC;
  CRect m_rect;
  CBitmap* m_pOldBitmap = NULL;
};
