// Scoped GDI helpers for the bitmap operations: every selection is put back and every work DC
// deleted on each way out of an operation.
#pragma once

#include "framework/gdi/fw_gdi.h"
#include "imaging/Dib32.h"

namespace commonlib {

// Selects one GDI object into a DC and puts the previous object back when it goes out of scope.
class CSelect {
public:
  CSelect() = default;
  CSelect(HDC hDC, HGDIOBJ hObject) { Select(hDC, hObject); }
  ~CSelect() { Restore(); }
  CSelect(const CSelect&) = delete;
  CSelect& operator=(const CSelect&) = delete;

  BOOL Select(HDC hDC, HGDIOBJ hObject) {
    Restore();
    if (hDC == NULL || hObject == NULL)
      return FALSE;
    HGDIOBJ hOld = ::SelectObject(hDC, hObject);
    if (hOld == NULL || hOld == HGDI_ERROR)
      return FALSE;
    m_hDC = hDC;
    m_hOld = hOld;
    return TRUE;
  }
  void Restore() {
    if (m_hOld != NULL)
      ::SelectObject(m_hDC, m_hOld);
    m_hDC = NULL;
    m_hOld = NULL;
  }
  BOOL IsSelected() const { return m_hOld != NULL; }

private:
  HDC m_hDC = NULL;
  HGDIOBJ m_hOld = NULL;
};

// The DC that bitmaps are made compatible with: the caller's DC, or the display when none is given.
class CRefDC {
public:
  explicit CRefDC(CDC* pDC) {
    if (pDC != NULL && pDC->GetSafeHdc() != NULL)
      m_pDC = pDC;
    else if (m_display.CreateDC("DISPLAY", NULL, NULL, NULL))
      m_pDC = &m_display;
  }
  CRefDC(const CRefDC&) = delete;
  CRefDC& operator=(const CRefDC&) = delete;
  CDC* Get() const { return m_pDC; }

private:
  CDC m_display;
  CDC* m_pDC = NULL;
};

// A memory DC compatible with a reference DC, with one bitmap selected into it.
class CSurface {
public:
  CSurface() = default;
  CSurface(const CSurface&) = delete;
  CSurface& operator=(const CSurface&) = delete;
  ~CSurface() { Close(); }

  BOOL Open(CDC* pRef, HBITMAP hBitmap) {
    Close();
    if (pRef == NULL || hBitmap == NULL || !m_dc.CreateCompatibleDC(pRef))
      return FALSE;
    if (!m_bitmap.Select(m_dc.GetSafeHdc(), hBitmap)) {
      m_dc.DeleteDC();
      return FALSE;
    }
    return TRUE;
  }
  BOOL Open(CDC* pRef, CBitmap* pBitmap) {
    return pBitmap != NULL && Open(pRef, (HBITMAP)pBitmap->GetSafeHandle());
  }
  // Opens the bitmap with a solid brush of the colour selected, for fills; the surface owns the brush.
  BOOL OpenForFill(CDC* pRef, CBitmap* pBitmap, COLORREF clr) {
    if (!Open(pRef, pBitmap))
      return FALSE;
    return m_fillBrush.CreateSolidBrush(clr) && SelectBrush(m_fillBrush.GetSafeHandle());
  }
  // Puts the DC's own bitmap back, so that the bitmap may be selected elsewhere or deleted.
  void Close() {
    m_brush.Restore();
    m_pen.Restore();
    m_bitmap.Restore();
    if (m_dc.GetSafeHdc() != NULL)
      m_dc.DeleteDC();
    m_fillBrush.DeleteObject();
  }
  BOOL SelectBrush(HGDIOBJ hBrush) { return m_brush.Select(m_dc.GetSafeHdc(), hBrush); }
  BOOL SelectPen(HGDIOBJ hPen) { return m_pen.Select(m_dc.GetSafeHdc(), hPen); }

  CDC* operator->() { return &m_dc; }
  CDC* Get() { return &m_dc; }
  HDC GetSafeHdc() const { return m_dc.GetSafeHdc(); }

private:
  CDC m_dc;
  CBrush m_fillBrush; // deleted only once it is no longer selected
  CSelect m_bitmap;
  CSelect m_brush;
  CSelect m_pen;
};

// Width and height of a bitmap; (0, 0) when the object holds none.
inline CSize BitmapSize(HBITMAP hBitmap) {
  BITMAP bm;
  if (hBitmap == NULL || ::GetObject(hBitmap, sizeof(bm), &bm) == 0)
    return CSize(0, 0);
  return CSize(bm.bmWidth, bm.bmHeight);
}
inline CSize BitmapSize(CBitmap* pBitmap) {
  return pBitmap != NULL ? BitmapSize((HBITMAP)pBitmap->GetSafeHandle()) : CSize(0, 0);
}

// Makes `bitmap` a cx x cy bitmap compatible with pRef, every pixel of the given colour.
inline BOOL CreateFilledBitmap(CDC* pRef, CBitmap& bitmap, int cx, int cy, COLORREF clr) {
  if (pRef == NULL || cx <= 0 || cy <= 0)
    return FALSE;
  if (bitmap.GetSafeHandle() != NULL)
    bitmap.DeleteObject();
  if (!bitmap.CreateCompatibleBitmap(pRef, cx, cy))
    return FALSE;
  CSurface surface;
  if (!surface.Open(pRef, &bitmap)) {
    bitmap.DeleteObject();
    return FALSE;
  }
  CRect rc(0, 0, cx, cy);
  CBrush brush;
  if (!brush.CreateSolidBrush(clr)) {
    surface.Close();
    bitmap.DeleteObject();
    return FALSE;
  }
  surface->FillRect(&rc, &brush);
  return TRUE;
}

// Hands the bitmap held by `source` over to `target`, deleting the bitmap `target` held before.
inline void ReplaceBitmap(CBitmap* pTarget, CBitmap& source) {
  pTarget->DeleteObject();
  pTarget->Attach(source.Detach());
}

// A top-down 32-bit DIB section whose pixels the code reads and writes directly. Its pages are
// zero until first touched, so parts that are never used cost nothing.
class CDibSection {
public:
  BOOL Create(CDC* pRef, int cx, int cy) {
    m_bitmap.DeleteObject();
    m_pBits = NULL;
    if (pRef == NULL || cx <= 0 || cy <= 0)
      return FALSE;
    BITMAPINFO bmi = TopDownDib32(cx, cy);
    void* pv = NULL;
    if (!m_bitmap.Attach(::CreateDIBSection(pRef->GetSafeHdc(), &bmi, DIB_RGB_COLORS, &pv, NULL, 0)) ||
        pv == NULL) {
      m_bitmap.DeleteObject();
      return FALSE;
    }
    m_pBits = static_cast<DWORD*>(pv);
    m_cx = cx;
    return TRUE;
  }
  CBitmap* Bitmap() { return &m_bitmap; }
  DWORD* Row(int y) const { return m_pBits + (size_t)y * m_cx; }
  int Width() const { return m_cx; }

private:
  CBitmap m_bitmap;
  DWORD* m_pBits = NULL;
  int m_cx = 0;
};

// Whether a bitmap holds 32 bits a pixel, the layout the pixel code works in.
inline bool Is32BitBitmap(HBITMAP hBitmap) {
  BITMAP bm;
  return hBitmap != NULL && ::GetObject(hBitmap, sizeof(bm), &bm) != 0 && bm.bmBitsPixel == 32;
}
// Whether the bitmaps made compatible with the DC hold 32 bits a pixel.
inline bool Makes32BitBitmaps(CDC* pRef) {
  CBitmap probe;
  return pRef != NULL && probe.CreateCompatibleBitmap(pRef, 1, 1) &&
         Is32BitBitmap((HBITMAP)probe.GetSafeHandle());
}
// The pixel a solid brush of the colour leaves in a 32-bit bitmap. FALSE when it cannot be found.
inline BOOL BrushPixel(CDC* pRef, COLORREF clr, DWORD& px) {
  CDibSection dib;
  CSurface surface;
  if (!dib.Create(pRef, 1, 1) || !surface.OpenForFill(pRef, dib.Bitmap(), clr) ||
      !surface->PatBlt(0, 0, 1, 1, PATCOPY))
    return FALSE;
  ::GdiFlush();
  px = *dib.Row(0);
  return TRUE;
}

} // namespace commonlib
