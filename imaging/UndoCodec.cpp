#include "imaging/UndoCodec.h"

#include <emmintrin.h>

#include <cstring>

namespace {

const DWORD kLongestRun = 32768;

// The end of the stretch from i that can be copied as it stands: every byte in it is not the
// marker and no run of four or more equal bytes starts in it. The stretch ends at the start of a
// run, so that run is coded whole. The last three positions are left to the caller, who sees
// where their runs end; a run that starts before them and reaches the end of the input has four
// bytes, so it ends the stretch itself.
DWORD LiteralEnd(const BYTE* p, DWORD i, DWORD nIn, BYTE nMarker) {
  DWORD x = i;
  const __m128i marker = _mm_set1_epi8((char)nMarker);
  while (x + 19 <= nIn) {
    __m128i a0 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + x));
    __m128i a1 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + x + 1));
    __m128i a2 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + x + 2));
    __m128i a3 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + x + 3));
    __m128i run =
        _mm_and_si128(_mm_and_si128(_mm_cmpeq_epi8(a0, a1), _mm_cmpeq_epi8(a1, a2)), _mm_cmpeq_epi8(a2, a3));
    int mask = _mm_movemask_epi8(_mm_or_si128(run, _mm_cmpeq_epi8(a0, marker)));
    if (mask != 0)
      return x + (DWORD)__builtin_ctz((unsigned)mask);
    x += 16;
  }
  const DWORD nLimit = nIn >= 3 ? nIn - 3 : 0;
  for (; x < nLimit; x++) {
    if (p[x] == nMarker || (p[x] == p[x + 1] && p[x + 1] == p[x + 2] && p[x + 2] == p[x + 3]))
      return x;
  }
  return x;
}

} // namespace

const BYTE* RleFindByte(const BYTE* p, DWORD n, BYTE nValue) {
  const __m128i value = _mm_set1_epi8((char)nValue);
  DWORD i = 0;
  for (; i + 16 <= n; i += 16) {
    int mask =
        _mm_movemask_epi8(_mm_cmpeq_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i)), value));
    if (mask != 0)
      return p + i + __builtin_ctz((unsigned)mask);
  }
  for (; i < n; i++)
    if (p[i] == nValue)
      return p + i;
  return NULL;
}

unsigned long long RleBound(DWORD nRawSize) { return (unsigned long long)nRawSize + nRawSize / 256 + 1; }

void RleCountBytes(const BYTE* pIn, DWORD nIn, DWORD counts[256]) {
  // Four tables, so that equal neighbours do not wait on each other's increments. A 16-byte block
  // equal to the one before it (a delta of a uniform change repeats) is counted once, times its
  // repeats.
  DWORD tables[4][256] = {};
  const BYTE* pRepeated = NULL;
  DWORD nRepeats = 0;
  __m128i previous = _mm_setzero_si128();
  DWORD i = 0;
  for (; i + 16 <= nIn; i += 16) {
    __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(pIn + i));
    if (pRepeated != NULL && _mm_movemask_epi8(_mm_cmpeq_epi8(block, previous)) == 0xFFFF) {
      nRepeats++;
      continue;
    }
    if (nRepeats != 0) {
      for (int k = 0; k < 16; k++)
        tables[0][pRepeated[k]] += nRepeats;
      nRepeats = 0;
    }
    const BYTE* p = pIn + i;
    for (int k = 0; k < 16; k += 4) {
      tables[0][p[k]]++;
      tables[1][p[k + 1]]++;
      tables[2][p[k + 2]]++;
      tables[3][p[k + 3]]++;
    }
    previous = block;
    pRepeated = p;
  }
  if (nRepeats != 0) {
    for (int k = 0; k < 16; k++)
      tables[0][pRepeated[k]] += nRepeats;
  }
  for (; i < nIn; i++)
    tables[0][pIn[i]]++;
  for (int v = 0; v < 256; v++)
    counts[v] += tables[0][v] + tables[1][v] + tables[2][v] + tables[3][v];
}

BYTE RleChooseMarker(const DWORD counts[256]) {
  int nMarker = 0;
  for (int v = 1; v < 256; v++) {
    if (counts[v] < counts[nMarker])
      nMarker = v;
  }
  return (BYTE)nMarker;
}

DWORD RleWriteRun(BYTE* pOut, BYTE nMarker, BYTE nValue, DWORD nCount) {
  if (nCount > 3) {
    DWORD c = nCount - 1;
    pOut[0] = nMarker;
    if (c < 128) {
      pOut[1] = (BYTE)c;
      pOut[2] = nValue;
      return 3;
    }
    pOut[1] = (BYTE)(0x80 | (c >> 8));
    pOut[2] = (BYTE)(c & 0xFF);
    pOut[3] = nValue;
    return 4;
  }
  if (nValue == nMarker) {
    pOut[0] = nMarker;
    pOut[1] = (BYTE)(nCount - 1);
    return 2;
  }
  for (DWORD i = 0; i < nCount; i++)
    pOut[i] = nValue;
  return nCount;
}

DWORD RleRunLength(BYTE nMarker, BYTE nValue, DWORD nCount) {
  if (nCount > 3)
    return nCount > 128 ? 4 : 3;
  return nValue == nMarker ? 2 : nCount;
}

DWORD RleEncode(const BYTE* pIn, BYTE* pOut, DWORD nIn) {
  if (nIn == 0)
    return 0;
  DWORD counts[256] = {};
  RleCountBytes(pIn, nIn, counts);
  CRleEncoder encoder(RleChooseMarker(counts), pOut);
  encoder.Put(pIn, nIn);
  return encoder.Finish();
}

long long RleDecode(const BYTE* pCoded, BYTE* pOut, DWORD nCodedSize, DWORD nOutSize) {
  struct BufferSink {
    BYTE* p;
    DWORD nWritten;
    DWORD nSize;
    bool Fits(DWORD n) const { return n <= nSize - nWritten; }
    void Literal(const BYTE* pBytes, DWORD n) {
      std::memcpy(p + nWritten, pBytes, n);
      nWritten += n;
    }
    void Run(BYTE nValue, DWORD n) {
      std::memset(p + nWritten, nValue, n);
      nWritten += n;
    }
  } sink = {pOut, 0, nOutSize};
  if (!RleDecodeTo(pCoded, nCodedSize, sink))
    return -1;
  return sink.nWritten;
}

CRleEncoder::CRleEncoder(BYTE nMarker, BYTE* pOut) : m_nMarker(nMarker), m_pOut(pOut) {
  if (m_pOut != NULL)
    m_pOut[0] = nMarker;
  m_nOut = 1;
}

void CRleEncoder::WriteRun(BYTE nValue, DWORD nCount) {
  m_nOut += m_pOut != NULL ? RleWriteRun(m_pOut + m_nOut, m_nMarker, nValue, nCount)
                           : RleRunLength(m_nMarker, nValue, nCount);
}

void CRleEncoder::CloseRun() {
  if (m_nOpenCount != 0)
    WriteRun(m_nOpenValue, m_nOpenCount);
  m_nOpenCount = 0;
}

void CRleEncoder::PutRun(BYTE nValue, DWORD nCount) {
  if (nCount == 0)
    return;
  if (m_nOpenCount != 0 && m_nOpenValue != nValue)
    CloseRun();
  m_nOpenValue = nValue;
  unsigned long long nTotal = (unsigned long long)m_nOpenCount + nCount;
  for (; nTotal >= kLongestRun; nTotal -= kLongestRun)
    WriteRun(nValue, kLongestRun);
  m_nOpenCount = (DWORD)nTotal;
}

DWORD CRleEncoder::PutRunsFrom(const BYTE* pIn, DWORD i, DWORD nIn) {
  const BYTE nValue = pIn[i];
  DWORD nEnd = i + 1;
  DWORD nStop = nIn - i > kLongestRun ? i + kLongestRun : nIn;
  while (nEnd < nStop && pIn[nEnd] == nValue)
    nEnd++;
  if (nEnd == nIn && nEnd - i < kLongestRun) {
    m_nOpenValue = nValue; // the next piece may carry it on
    m_nOpenCount = nEnd - i;
  } else {
    WriteRun(nValue, nEnd - i);
  }
  return nEnd;
}

void CRleEncoder::Put(const BYTE* pIn, DWORD nIn) {
  DWORD i = 0;
  if (m_nOpenCount != 0) {
    while (i < nIn && pIn[i] == m_nOpenValue) {
      i++;
      if (++m_nOpenCount == kLongestRun) {
        CloseRun(); // the next byte starts a new run, equal or not
        break;
      }
    }
    if (i == nIn)
      return;
    CloseRun();
  }
  while (i < nIn) {
    DWORD nEnd = LiteralEnd(pIn, i, nIn, m_nMarker);
    if (nEnd > i) {
      if (m_pOut != NULL)
        std::memcpy(m_pOut + m_nOut, pIn + i, nEnd - i);
      m_nOut += nEnd - i;
      i = nEnd;
    }
    i = PutRunsFrom(pIn, i, nIn);
  }
}

DWORD CRleEncoder::Finish() {
  CloseRun();
  return m_nOut;
}
