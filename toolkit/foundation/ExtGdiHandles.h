// Owners of the GDI handles that the foundation's icon and bitmap code makes and drops within one
// operation: bitmaps, icons, memory device contexts with a bitmap selected, and the bitmaps that
// GetIconInfo hands out; and the 32-bit DIB sections they work in.
#pragma once

#include <windows.h>

#include <memory>
#include <type_traits>

// A COLORREF as the bytes of a 32-bit DIB pixel (blue lowest), without the fourth byte.
inline DWORD ExtDibColor(COLORREF clr) {
  return (DWORD)GetRValue(clr) << 16 | (DWORD)GetGValue(clr) << 8 | GetBValue(clr);
}

// A 32-bit BI_RGB DIB section on hDC (NULL: the screen), bottom-up or top-down; its bits in *ppBits.
inline HBITMAP ExtCreateDib32(HDC hDC, int cx, int cy, bool bBottomUp, void** ppBits) {
  BITMAPINFO bmi = {};
  bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  bmi.bmiHeader.biWidth = cx;
  bmi.bmiHeader.biHeight = bBottomUp ? cy : -cy;
  bmi.bmiHeader.biPlanes = 1;
  bmi.bmiHeader.biBitCount = 32;
  bmi.bmiHeader.biCompression = BI_RGB;
  return ::CreateDIBSection(hDC, &bmi, DIB_RGB_COLORS, ppBits, NULL, 0);
}

struct ExtGdiObjectDeleter_t {
  void operator()(HBITMAP hBitmap) const {
    if (hBitmap != NULL)
      ::DeleteObject(hBitmap);
  }
};
using ExtBitmapPtr_t = std::unique_ptr<std::remove_pointer_t<HBITMAP>, ExtGdiObjectDeleter_t>;

struct ExtIconDeleter_t {
  void operator()(HICON hIcon) const {
    if (hIcon != NULL)
      ::DestroyIcon(hIcon);
  }
};
using ExtIconPtr_t = std::unique_ptr<std::remove_pointer_t<HICON>, ExtIconDeleter_t>;

// A memory DC compatible with hRef (the screen when NULL). Whatever was selected into it is put
// back before the DC is deleted, so the caller's bitmaps are free to be deleted afterwards.
class ExtMemDC_t {
public:
  explicit ExtMemDC_t(HDC hRef = NULL) : m_hDC(::CreateCompatibleDC(hRef)) {}
  ~ExtMemDC_t() {
    if (m_hDC == NULL)
      return;
    if (m_hOldBitmap != NULL)
      ::SelectObject(m_hDC, m_hOldBitmap);
    ::DeleteDC(m_hDC);
  }
  ExtMemDC_t(const ExtMemDC_t&) = delete;
  ExtMemDC_t& operator=(const ExtMemDC_t&) = delete;

  HDC Get() const { return m_hDC; }
  // Selects hBitmap; false when there is no DC or the bitmap cannot be selected.
  bool Select(HBITMAP hBitmap) {
    if (m_hDC == NULL)
      return false;
    HGDIOBJ hOld = ::SelectObject(m_hDC, hBitmap);
    if (hOld == NULL || hOld == HGDI_ERROR)
      return false;
    if (m_hOldBitmap == NULL)
      m_hOldBitmap = hOld;
    return true;
  }

private:
  HDC m_hDC;
  HGDIOBJ m_hOldBitmap = NULL;
};

// The ICONINFO of an icon; its two bitmaps are deleted with this object.
struct ExtIconInfo_t : ICONINFO {
  ExtIconInfo_t() : ICONINFO() {}
  ~ExtIconInfo_t() { Clear(); }
  ExtIconInfo_t(const ExtIconInfo_t&) = delete;
  ExtIconInfo_t& operator=(const ExtIconInfo_t&) = delete;

  bool Read(HICON hIcon) {
    Clear();
    return hIcon != NULL && ::GetIconInfo(hIcon, this);
  }
  void Clear() {
    if (hbmColor != NULL)
      ::DeleteObject(hbmColor);
    if (hbmMask != NULL)
      ::DeleteObject(hbmMask);
    hbmColor = hbmMask = NULL;
  }
};
