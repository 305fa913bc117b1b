// Counting the pixels of a GIF image's LZW codes without making them.
#include "imaging/GifCodes.h"

#include <algorithm>
#include <vector>

namespace {

// The codes of an image's data, least significant bits first, across its sub-blocks.
class CCodeReader {
public:
  CCodeReader(const CSpan& f, size_t at) : m_f(f), m_at(at) {}
  // The next code of nBits; false where the sub-blocks end.
  bool Read(DWORD nBits, DWORD& code) {
    while (m_nHeld < nBits) {
      if (m_nLeft == 0) {
        m_nLeft = m_f.U8(m_at++);
        if (m_nLeft == 0)
          return false;
      }
      if (!m_f.Has(m_at, 1))
        return false;
      m_bits |= m_f.U8(m_at++) << m_nHeld;
      m_nHeld += 8, m_nLeft--;
    }
    code = m_bits & ((1u << nBits) - 1);
    m_bits >>= nBits, m_nHeld -= nBits;
    return true;
  }

private:
  const CSpan& m_f;
  size_t m_at;
  DWORD m_nLeft = 0, m_bits = 0, m_nHeld = 0;
};

const DWORD kMaxBits = 12, kNone = 0xFFFFFFFF;

} // namespace

// The table holds only each string's length. The code width grows as the platform's decoder grows
// it: a count of the codes read since the last clear code, the first one included.
bool GifCodesFillImage(const CSpan& f, size_t at, std::uint64_t nPixels) {
  const DWORD nMinBits = f.U8(at);
  if (!f.Has(at, 1) || nMinBits + 1 > kMaxBits)
    return false;
  const DWORD nClear = 1u << nMinBits, nEnd = nClear + 1;
  std::vector<std::uint32_t> lengths(1u << kMaxBits, 0); // 0: no string yet
  DWORD nRunning = nEnd + 1, nBits = nMinBits + 1, nLast = kNone, nHighest = nEnd;
  CCodeReader codes(f, at + 1);
  for (std::uint64_t nGiven = 0; nGiven < nPixels;) {
    DWORD code = 0;
    if (!codes.Read(nBits, code))
      return false;
    if (nRunning < (1u << kMaxBits) + 1 && ++nRunning > (1u << nBits) && nBits < kMaxBits)
      nBits++;
    if (code == nEnd)
      return false;
    // Only the strings made since the last clear are dropped: a run of clear codes costs nothing.
    if (code == nClear) {
      std::fill(lengths.begin() + nEnd + 1, lengths.begin() + nHighest + 1, 0);
      nRunning = nEnd + 1, nBits = nMinBits + 1, nLast = kNone, nHighest = nEnd;
      continue;
    }
    auto length = [&](DWORD c) { return c < nClear ? 1u : lengths[c]; };
    // A code one past the table stands for the last string and its own first pixel.
    const std::uint32_t nLength = length(code) != 0                        ? length(code)
                                  : code == nRunning - 2 && nLast != kNone ? length(nLast) + 1
                                                                           : 0;
    if (nLength == 0)
      return false;
    if (nLast != kNone) {
      lengths[nRunning - 2] = length(nLast) + 1;
      nHighest = std::max(nHighest, nRunning - 2);
    }
    nGiven += nLength, nLast = code;
  }
  return true;
}
