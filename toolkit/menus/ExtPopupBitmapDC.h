// A memory DC with one bitmap selected, for drawing into a popup's buffers through CDC calls.
#pragma once

#include "framework/gdi/fw_gdi.h"

class CExtPopupBitmapDC : public CDC {
public:
  // A DC compatible with pRef (the screen when NULL) with hBitmap selected.
  CExtPopupBitmapDC(CDC* pRef, HBITMAP hBitmap) {
    if (hBitmap == NULL || !CreateCompatibleDC(pRef))
      return;
    HGDIOBJ hOld = ::SelectObject(m_hDC, hBitmap);
    if (hOld != NULL && hOld != HGDI_ERROR)
      m_hOldBitmap = hOld;
  }
  // The bitmap goes back out before the DC is deleted, so its owner may select it elsewhere.
  ~CExtPopupBitmapDC() override {
    if (m_hOldBitmap != NULL)
      ::SelectObject(m_hDC, m_hOldBitmap);
  }
  CExtPopupBitmapDC(const CExtPopupBitmapDC&) = delete;
  CExtPopupBitmapDC& operator=(const CExtPopupBitmapDC&) = delete;

  bool IsReady() const { return m_hOldBitmap != NULL; }

private:
  HGDIOBJ m_hOldBitmap = NULL;
};
