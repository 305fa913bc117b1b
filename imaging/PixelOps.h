// Small pixel helpers the pixel operations share.
#pragma once

#include <windows.h>

#include <emmintrin.h>

inline int ClampByte(int v) { return v < 0 ? 0 : (v > 255 ? 255 : v); }

// A colour as an opaque 0xAARRGGBB pixel.
inline DWORD OpaqueArgb(COLORREF clr) {
  return 0xFF000000 | (DWORD(GetRValue(clr)) << 16) | (DWORD(GetGValue(clr)) << 8) | GetBValue(clr);
}

// One 0x00RRGGBB pixel widened to four 16-bit lanes (blue, green, red, top byte).
inline __m128i Unpack1(DWORD v) {
  return _mm_unpacklo_epi8(_mm_cvtsi32_si128(static_cast<int>(v)), _mm_setzero_si128());
}
