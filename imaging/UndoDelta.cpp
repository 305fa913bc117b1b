#include "imaging/UndoDelta.h"

#include "imaging/UndoCodec.h"

#include <emmintrin.h>

#include <algorithm>
#include <cstring>

namespace {

// The first byte at which the rows differ, or n.
DWORD FirstDifference(const BYTE* a, const BYTE* b, DWORD n) {
  DWORD i = 0;
  for (; i + 16 <= n; i += 16) {
    __m128i eq = _mm_cmpeq_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(a + i)),
                                _mm_loadu_si128(reinterpret_cast<const __m128i*>(b + i)));
    unsigned mask = (unsigned)_mm_movemask_epi8(eq) ^ 0xFFFFu;
    if (mask != 0)
      return i + (DWORD)__builtin_ctz(mask);
  }
  while (i < n && a[i] == b[i])
    i++;
  return i;
}

// One past the last byte at which the rows differ, looking no lower than nFrom.
DWORD LastDifferenceEnd(const BYTE* a, const BYTE* b, DWORD nFrom, DWORD n) {
  DWORD i = n;
  for (; i >= nFrom + 16; i -= 16) {
    __m128i eq = _mm_cmpeq_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(a + i - 16)),
                                _mm_loadu_si128(reinterpret_cast<const __m128i*>(b + i - 16)));
    unsigned mask = (unsigned)_mm_movemask_epi8(eq) ^ 0xFFFFu;
    if (mask != 0)
      return i - 16 + 32 - (DWORD)__builtin_clz(mask);
  }
  while (i > nFrom && a[i - 1] == b[i - 1])
    i--;
  return i;
}

void XorInto(BYTE* pDst, const BYTE* a, const BYTE* b, DWORD n) {
  DWORD i = 0;
  for (; i + 16 <= n; i += 16) {
    __m128i x = _mm_xor_si128(_mm_loadu_si128(reinterpret_cast<const __m128i*>(a + i)),
                              _mm_loadu_si128(reinterpret_cast<const __m128i*>(b + i)));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(pDst + i), x);
  }
  for (; i < n; i++)
    pDst[i] = a[i] ^ b[i];
}

void XorConstant(BYTE* pDst, BYTE nValue, DWORD n) {
  DWORD i = 0;
  const __m128i v = _mm_set1_epi8((char)nValue);
  for (; i + 16 <= n; i += 16) {
    __m128i* p = reinterpret_cast<__m128i*>(pDst + i);
    _mm_storeu_si128(p, _mm_xor_si128(_mm_loadu_si128(p), v));
  }
  for (; i < n; i++)
    pDst[i] ^= nValue;
}

// Takes a decoded stream and XORs it onto the plane's rows, copying what changes into the mirror.
class CPlaneXorSink {
public:
  CPlaneXorSink(const CPixelPlane& plane, const CPixelPlane* pMirror)
      : m_plane(plane), m_pMirror(pMirror), m_nRowBytes(plane.RowBytes()),
        m_nTotal((unsigned long long)plane.RowBytes() * plane.cy) {}
  bool Fits(DWORD n) const { return m_nOffset + n <= m_nTotal; }
  void Literal(const BYTE* pBytes, DWORD n) {
    while (n != 0) {
      DWORD nTake = Span(n);
      BYTE* pDst = Target();
      XorInto(pDst, pDst, pBytes, nTake);
      Mirror(pDst, nTake);
      pBytes += nTake;
      n -= nTake;
    }
  }
  void Run(BYTE nValue, DWORD n) {
    if (nValue == 0) {
      Skip(n); // XOR with zero changes nothing
      return;
    }
    while (n != 0) {
      DWORD nTake = Span(n);
      BYTE* pDst = Target();
      XorConstant(pDst, nValue, nTake);
      Mirror(pDst, nTake);
      n -= nTake;
    }
  }
  bool Complete() const { return m_nOffset == m_nTotal; }
  int m_nFirstRow = 0;
  int m_nLastRow = -1;

private:
  DWORD Span(DWORD n) const { return std::min<DWORD>(n, m_nRowBytes - m_nColumn); }
  BYTE* Target() {
    if (m_nFirstRow > m_nLastRow)
      m_nFirstRow = m_nRow;
    m_nLastRow = m_nRow;
    return m_plane.Row(m_nRow) + m_nColumn;
  }
  void Mirror(const BYTE* pDst, DWORD n) {
    if (m_pMirror != NULL)
      std::memcpy(m_pMirror->Row(m_nRow) + m_nColumn, pDst, n);
    Skip(n);
  }
  void Skip(DWORD n) {
    m_nOffset += n;
    unsigned long long nColumn = (unsigned long long)m_nColumn + n;
    if (nColumn < m_nRowBytes) {
      m_nColumn = (DWORD)nColumn;
      return;
    }
    m_nRow += (int)(nColumn / m_nRowBytes);
    m_nColumn = (DWORD)(nColumn % m_nRowBytes);
  }

  const CPixelPlane& m_plane;
  const CPixelPlane* m_pMirror;
  const DWORD m_nRowBytes;
  const unsigned long long m_nTotal;
  unsigned long long m_nOffset = 0;
  int m_nRow = 0;
  DWORD m_nColumn = 0;
};

} // namespace

BOOL ScanPlaneDiff(const CPixelPlane& a, const CPixelPlane& b, CPlaneDiff& diff) {
  if (a.cx != b.cx || a.cy != b.cy)
    return FALSE;
  diff = CPlaneDiff();
  diff.spans.resize(a.cy);
  const DWORD nRowBytes = a.RowBytes();
  std::vector<BYTE> xorRow(nRowBytes);
  unsigned long long nUnchanged = 0;
  for (int y = 0; y < a.cy; y++) {
    const BYTE* pa = a.Row(y);
    const BYTE* pb = b.Row(y);
    DWORD nFirst = FirstDifference(pa, pb, nRowBytes);
    if (nFirst == nRowBytes) {
      diff.spans[y] = {0, 0};
      nUnchanged += nRowBytes;
      continue;
    }
    DWORD nEnd = LastDifferenceEnd(pa, pb, nFirst + 1, nRowBytes);
    diff.spans[y] = {nFirst, nEnd};
    nUnchanged += nRowBytes - (nEnd - nFirst);
    XorInto(xorRow.data(), pa + nFirst, pb + nFirst, nEnd - nFirst);
    RleCountBytes(xorRow.data(), nEnd - nFirst, diff.counts);
    for (DWORD i = nFirst; i < nEnd && !diff.bColourChanged; i++)
      diff.bColourChanged = (i & 3) != 3 && xorRow[i - nFirst] != 0;
    if (diff.nFirstRow > diff.nLastRow)
      diff.nFirstRow = y;
    diff.nLastRow = y;
  }
  diff.counts[0] += (DWORD)nUnchanged;
  return TRUE;
}

DWORD EncodePlaneDiff(const CPixelPlane& a, const CPixelPlane& b, const CPlaneDiff& diff, BYTE* pOut) {
  const DWORD nRowBytes = a.RowBytes();
  if (nRowBytes == 0 || a.cy == 0)
    return 0;
  CRleEncoder encoder(RleChooseMarker(diff.counts), pOut);
  std::vector<BYTE> xorRow(nRowBytes);
  for (int y = 0; y < a.cy; y++) {
    DWORD nFirst = diff.spans[y].first, nEnd = diff.spans[y].second;
    if (nFirst == nEnd) {
      encoder.PutRun(0, nRowBytes);
      continue;
    }
    encoder.PutRun(0, nFirst);
    XorInto(xorRow.data(), a.Row(y) + nFirst, b.Row(y) + nFirst, nEnd - nFirst);
    encoder.Put(xorRow.data(), nEnd - nFirst);
    encoder.PutRun(0, nRowBytes - nEnd);
  }
  return encoder.Finish();
}

DWORD EncodeZeroDelta(DWORD nRawSize, BYTE* pOut) {
  if (nRawSize == 0)
    return 0;
  DWORD counts[256] = {};
  counts[0] = nRawSize;
  CRleEncoder encoder(RleChooseMarker(counts), pOut);
  encoder.PutRun(0, nRawSize);
  return encoder.Finish();
}

BOOL XorCodedDelta(const CPixelPlane& plane, const BYTE* pCoded, DWORD nCodedSize, int* pFirstRow,
                   int* pLastRow, const CPixelPlane* pMirror) {
  if (pMirror != NULL && (pMirror->cx != plane.cx || pMirror->cy != plane.cy))
    pMirror = NULL;
  CPlaneXorSink sink(plane, pMirror);
  BOOL bDone = RleDecodeTo(pCoded, nCodedSize, sink) && sink.Complete();
  if (pFirstRow != NULL)
    *pFirstRow = sink.m_nFirstRow;
  if (pLastRow != NULL)
    *pLastRow = sink.m_nLastRow;
  return bDone;
}
