// The device-dependent picture the edge and border benchmarks work on: a colour ramp with a
// pattern, so that no pass can skip a run of equal pixels.
#pragma once

#include "framework/gdi/fw_gdi.h"
#include "imaging/Dib32.h"

#include <vector>

namespace bench {

inline void MakeRampPicture(CDC* pDC, CBitmap& bitmap, int w, int h) {
  bitmap.CreateCompatibleBitmap(pDC, w, h);
  std::vector<DWORD> bits((size_t)w * h);
  for (int y = 0; y < h; y++)
    for (int x = 0; x < w; x++)
      bits[(size_t)y * w + x] = ((x * 255 / w) << 16) | ((y * 255 / h) << 8) | ((x ^ y) & 0xFF);
  BITMAPINFO bmi = TopDownDib32(w, h);
  ::SetDIBits(pDC->GetSafeHdc(), (HBITMAP)bitmap.GetSafeHandle(), 0, h, bits.data(), &bmi, DIB_RGB_COLORS);
}

} // namespace bench
