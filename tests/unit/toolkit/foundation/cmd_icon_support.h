// Helpers of the command-icon tests: small bitmaps and icons built from pixel lists, pictures
// read back as pixels, and icon records stored into and loaded from bytes.
#pragma once

#include "framework/core/fw_file.h"
#include "tests/common/pixel_support.h"
#include "toolkit/foundation/ExtCmdIcon.h"
#include "toolkit/foundation/ExtGdiHandles.h"

#include <windows.h>

#include <vector>

namespace icontest {

using Colors = std::vector<COLORREF>;
using Bytes = std::vector<BYTE>;

// A 32-bit DIB section of cx x cy with the given colours, top row first.
inline ExtBitmapPtr_t MakeBitmap(int cx, int cy, const Colors& colors) {
  BITMAPINFO bmi = {};
  bmi.bmiHeader = {sizeof(BITMAPINFOHEADER), cx, -cy, 1, 32, BI_RGB};
  void* pBits = NULL;
  ExtBitmapPtr_t bitmap(::CreateDIBSection(NULL, &bmi, DIB_RGB_COLORS, &pBits, NULL, 0));
  DWORD* p = static_cast<DWORD*>(pBits);
  for (size_t i = 0; i < colors.size(); ++i)
    p[i] = pixel_support::ToDib(colors[i]);
  return bitmap;
}

// An icon of cx x cy with the given colours; pixels of clrTransparent are left out by the mask.
// A hot spot of (-1, -1) makes a proper icon (the hot spot in its middle), any other a cursor-form
// icon with that hot spot.
inline ExtIconPtr_t MakeIcon(int cx, int cy, const Colors& colors, COLORREF clrTransparent,
                             POINT ptHotspot = {-1, -1}) {
  Colors colorPart(colors), maskPart(colors.size());
  for (size_t i = 0; i < colors.size(); ++i) {
    const bool bTransparent = colors[i] == clrTransparent;
    maskPart[i] = bTransparent ? RGB(255, 255, 255) : RGB(0, 0, 0);
    if (bTransparent)
      colorPart[i] = RGB(0, 0, 0);
  }
  ExtBitmapPtr_t color = MakeBitmap(cx, cy, colorPart);
  ExtBitmapPtr_t maskColor = MakeBitmap(cx, cy, maskPart);
  ExtBitmapPtr_t mask(::CreateBitmap(cx, cy, 1, 1, NULL));
  {
    ExtMemDC_t dcMask, dcSource;
    dcMask.Select(mask.get());
    dcSource.Select(maskColor.get());
    ::BitBlt(dcMask.Get(), 0, 0, cx, cy, dcSource.Get(), 0, 0, SRCCOPY);
  }
  const bool bIcon = ptHotspot.x < 0;
  ICONINFO info = {bIcon, (DWORD)(bIcon ? 0 : ptHotspot.x), (DWORD)(bIcon ? 0 : ptHotspot.y), mask.get(),
                   color.get()};
  return ExtIconPtr_t(::CreateIconIndirect(&info));
}

// What an icon shows over a backdrop, top row first.
inline Colors DrawnIcon(HICON hIcon, int cx, int cy, COLORREF clrBackdrop) {
  pixel_support::DibSurface surface(cx, cy, clrBackdrop);
  ::DrawIconEx(surface.hdc(), 0, 0, hIcon, cx, cy, 0, NULL, DI_NORMAL);
  return surface.Pixels();
}

inline Colors BitmapColors(HBITMAP hBitmap) { return pixel_support::ReadBitmap(hBitmap).data; }

inline Bytes Store(CExtCmdIcon& icon) {
  CMemFile file;
  CArchive ar(&file, CArchive::store);
  icon.Serialize(ar);
  ar.Close();
  Bytes out((size_t)file.GetLength());
  file.SeekToBegin();
  file.Read(out.data(), (UINT)out.size());
  return out;
}

inline void Load(CExtCmdIcon& icon, Bytes bytes) {
  CMemFile file(bytes.data(), (UINT)bytes.size());
  CArchive ar(&file, CArchive::load);
  icon.Serialize(ar);
}

// Theme answers a test sets for the length of its scope.
class ThemeScope {
public:
  ThemeScope(int nTint, double dFactor, COLORREF clrInk) {
    s_nTint = nTint;
    s_dFactor = dFactor;
    s_clrInk = clrInk;
    s_asked.clear();
    static const CExtCmdIcon::ThemeHooks_t hooks = {[] { return s_nTint; }, [] { return s_dFactor; },
                                                    [](int nId) {
                                                      s_asked.push_back(nId);
                                                      return s_clrInk;
                                                    }};
    CExtCmdIcon::SetThemeHooks(&hooks);
  }
  ~ThemeScope() { CExtCmdIcon::SetThemeHooks(NULL); }
  ThemeScope(const ThemeScope&) = delete;
  ThemeScope& operator=(const ThemeScope&) = delete;
  static std::vector<int>& Asked() { return s_asked; }

private:
  static inline int s_nTint = -1;
  static inline double s_dFactor = 0.0;
  static inline COLORREF s_clrInk = 0;
  static inline std::vector<int> s_asked;
};

} // namespace icontest
