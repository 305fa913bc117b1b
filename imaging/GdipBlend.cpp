// The multiply blend of CGdipEffects: a shade picture multiplied onto a target.
#include "imaging/GdipEffects.h"

#include <algorithm>

using namespace Gdiplus;

BOOL CGdipEffects::MultiplyBlend(Bitmap* pTarget, Bitmap* pShade, int l, int t, int r, int b) {
  int ox = l < 0 ? -l : 0;
  int oy = t < 0 ? -t : 0;
  int left = std::max(l, 0), top = std::max(t, 0);
  int right = std::min(r, cx), bottom = std::min(b, cy);
  if (right <= left || bottom <= top)
    left = top = right = bottom = 0;
  int w = right - left, h = bottom - top;
  if (w > 0 && h > 0 && pShade != NULL) {
    int shadeW = static_cast<int>(pShade->GetWidth()), shadeH = static_cast<int>(pShade->GetHeight());
    CGdipBitsLock dst(pTarget, 0, 0, cx, cy, ImageLockModeRead);
    CGdipBitsLock shade(pShade, ox, oy, shadeW - ox, shadeH - oy);
    if (dst.IsLocked() && shade.IsLocked()) {
      // A rectangle larger than the shade stops at the shade's edge.
      // v / 255 for v = s x t <= 255 x 255 is (v + (v >> 8) + 1) >> 8, in 16 bits without overflow.
      const int rows = std::min(h, shadeH - oy), cols = std::min(w, shadeW - ox);
      const __m128i zero = _mm_setzero_si128(), one = _mm_set1_epi16(1);
      const __m128i colour = _mm_set1_epi32(0x00FFFFFF);
      auto product = [&](__m128i a, __m128i b) {
        const __m128i v = _mm_mullo_epi16(a, b);
        return _mm_srli_epi16(_mm_add_epi16(_mm_add_epi16(v, _mm_srli_epi16(v, 8)), one), 8);
      };
      for (int j = 0; j < rows; ++j) {
        DWORD* s = shade.Row(j);
        const DWORD* d = dst.Row(top + j) + left;
        int i = 0;
        for (; i + 4 <= cols; i += 4) {
          const __m128i sv = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + i));
          const __m128i dv = _mm_loadu_si128(reinterpret_cast<const __m128i*>(d + i));
          const __m128i lo = product(_mm_unpacklo_epi8(sv, zero), _mm_unpacklo_epi8(dv, zero));
          const __m128i hi = product(_mm_unpackhi_epi8(sv, zero), _mm_unpackhi_epi8(dv, zero));
          const __m128i out = _mm_packus_epi16(lo, hi);
          _mm_storeu_si128(reinterpret_cast<__m128i*>(s + i),
                           _mm_or_si128(_mm_and_si128(out, colour), _mm_andnot_si128(colour, sv)));
        }
        for (; i < cols; ++i) {
          BYTE* sp = reinterpret_cast<BYTE*>(s + i);
          const BYTE* dp = reinterpret_cast<const BYTE*>(d + i);
          for (int c = 0; c < 3; ++c) {
            unsigned v = unsigned(sp[c]) * dp[c];
            sp[c] = static_cast<BYTE>((v + (v >> 8) + 1) >> 8);
          }
        }
      }
    }
  }
  cx = w;
  cy = h;
  return TRUE;
}
