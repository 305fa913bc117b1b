// Helpers of the command-icon tests: small bitmaps and icons built from pixel lists, pictures
// read back as pixels, icon records stored into and loaded from bytes, and theme answers.
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
  for (size_t i = 0; i < colors.size(); ++i)
    static_cast<DWORD*>(pBits)[i] = pixel_support::ToDib(colors[i]);
  return bitmap;
}

// An icon of cx x cy whose pixels of clrTransparent are masked out. A hot spot of (-1, -1) makes a
// proper icon (hot spot in the middle), any other a cursor-form icon with that hot spot.
inline ExtIconPtr_t MakeIcon(int cx, int cy, Colors colors, COLORREF clrTransparent,
                             POINT ptHotspot = {-1, -1}) {
  const int nStride = (cx + 15) / 16 * 2;
  std::vector<BYTE> maskBits((size_t)nStride * cy);
  for (int i = 0; i < cx * cy; ++i) {
    if (colors[i] == clrTransparent) {
      maskBits[i / cx * nStride + i % cx / 8] |= (BYTE)(0x80 >> (i % cx % 8));
      colors[i] = RGB(0, 0, 0);
    }
  }
  ExtBitmapPtr_t color = MakeBitmap(cx, cy, colors), mask(::CreateBitmap(cx, cy, 1, 1, maskBits.data()));
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

// Theme answers for the length of a scope; the logical colour ids asked for are kept.
struct ThemeScope {
  static inline int s_nTint;
  static inline double s_dFactor;
  static inline COLORREF s_clrInk;
  static inline std::vector<int> s_asked;
  ThemeScope(int nTint, double dFactor, COLORREF clrInk) {
    s_nTint = nTint, s_dFactor = dFactor, s_clrInk = clrInk;
    s_asked.clear();
    static const CExtCmdIcon::ThemeHooks_t hooks = {[] { return s_nTint; }, [] { return s_dFactor; },
                                                    [](int nId) {
                                                      s_asked.push_back(nId);
                                                      return s_clrInk;
                                                    }};
    CExtCmdIcon::SetThemeHooks(&hooks);
  }
  ~ThemeScope() { CExtCmdIcon::SetThemeHooks(NULL); }
};

} // namespace icontest
