// Decoding of run-length coded BMP files into a picture whose every pixel is defined.
#include "imaging/RleBitmap.h"
#include "imaging/ByteSpan.h"
#include "imaging/DibFormat.h"

#include <algorithm>
#include <new>
#include <vector>

namespace {

// The colour indices of the picture, bottom row first, all 0 until a run sets them.
class CRleCanvas {
public:
  CRleCanvas(int cx, int cy) : m_cx(cx), m_cy(cy), m_indices((size_t)cx * cy, 0) {}

  bool Done() const { return m_y >= m_cy; }
  // n pixels from the coder: runs past the row's end are dropped, as the platform's decoders do.
  template <class F> void Put(DWORD n, F index) {
    for (DWORD k = 0; k < n && m_x < m_cx; k++, m_x++)
      if (m_y < m_cy)
        m_indices[(size_t)m_y * m_cx + m_x] = index(k);
  }
  void EndRow() { m_x = 0, m_y++; }
  void Move(DWORD dx, DWORD dy) {
    m_x = std::min(m_x + (int)dx, m_cx);
    m_y = std::min(m_y + (int)dy, m_cy);
  }
  BYTE At(int x, int yFromBottom) const { return m_indices[(size_t)yFromBottom * m_cx + x]; }

private:
  int m_cx, m_cy, m_x = 0, m_y = 0;
  std::vector<BYTE> m_indices;
};

// Runs through the coded bytes until the end of the picture's code, its last row or the file's end.
// Every step takes at least two bytes, so the walk is as long as the file at most.
void DecodeRuns(const CSpan& code, bool bFour, CRleCanvas& canvas) {
  auto nibble = [&](DWORD byte, DWORD k) { return (BYTE)(k % 2 == 0 ? byte >> 4 : byte & 0x0F); };
  for (size_t at = 0; code.Has(at, 2) && !canvas.Done();) {
    const DWORD nCount = code.U8(at), nValue = code.U8(at + 1);
    at += 2;
    if (nCount != 0) { // a run of one index, or of two alternating ones
      canvas.Put(nCount, [&](DWORD k) { return bFour ? nibble(nValue, k) : (BYTE)nValue; });
    } else if (nValue == 0) {
      canvas.EndRow();
    } else if (nValue == 1) {
      return;
    } else if (nValue == 2) {
      if (!code.Has(at, 2))
        return;
      canvas.Move(code.U8(at), code.U8(at + 1));
      at += 2;
    } else { // that many indices as they are, padded to a word
      const size_t nBytes = bFour ? (nValue + 1) / 2 : nValue;
      const CSpan literal = code.Part(at, nBytes);
      canvas.Put(nValue, [&](DWORD k) {
        const DWORD byte = literal.U8(bFour ? k / 2 : k);
        return bFour ? nibble(byte, k) : (BYTE)byte;
      });
      at += (nBytes + 1) & ~(size_t)1;
    }
  }
}

float DpiOf(DWORD nPixelsPerMetre) { return nPixelsPerMetre != 0 ? nPixelsPerMetre * 0.0254f : 96.0f; }

} // namespace

bool IsRleBmp(const BYTE* pBytes, size_t nBytes) {
  const CSpan f{pBytes, pBytes != NULL ? nBytes : 0};
  return f.Is(0, "BM", 2) && f.U32(14) >= 40 && IsDibRle(f.U32(30), f.U16(28));
}

HBITMAP DecodeRleBmp(const BYTE* pBytes, size_t nBytes, CPixelPlane* pPlane, float* pfDpiX, float* pfDpiY) {
  const CSpan f{pBytes, nBytes};
  const int cx = (int)f.U32(18), cy = (int)f.U32(22);
  const DWORD nBits = f.U16(28), nUsed = f.U32(46);
  if (cx <= 0 || cy <= 0)
    return NULL;
  std::uint64_t nColours = 0;
  if (!DibColours(nBits, nUsed, nColours))
    return NULL;
  const CSpan palette = f.Part(14 + f.U32(14), 4 * (size_t)nColours);
  HBITMAP hSection = CreatePlaneBitmap(cx, cy, pPlane);
  if (hSection == NULL)
    return NULL;
  try {
    CRleCanvas canvas(cx, cy);
    DecodeRuns(f.From(f.U32(10)), nBits == 4, canvas);
    for (int y = 0; y < cy; y++) {
      DWORD* pRow = reinterpret_cast<DWORD*>(pPlane->Row(cy - 1 - y));
      for (int x = 0; x < cx; x++)
        pRow[x] = 0xFF000000 | (palette.U32(4 * (size_t)canvas.At(x, y)) & 0xFFFFFF);
    }
  } catch (const std::bad_alloc&) {
    ::DeleteObject(hSection);
    return NULL;
  }
  *pfDpiX = DpiOf(f.U32(38));
  *pfDpiY = DpiOf(f.U32(42));
  return hSection;
}
