// Filling out the short colour tables of icons' and cursors' bitmaps.
#include "imaging/IconColours.h"

#include "imaging/ByteSpan.h"
#include "imaging/DibFormat.h"

#include <cstdint>

namespace {

void Put32(std::vector<BYTE>& b, size_t at, DWORD v) {
  for (int k = 0; k < 4; k++)
    b[at + k] = (BYTE)(v >> (8 * k));
}

// The colours a bitmap entry's table lacks of those its bits index; 0 for a whole table, or for an
// entry that is a PNG.
std::uint64_t MissingColours(const CSpan& image) {
  if (image.Is(0, "\x89PNG", 4))
    return 0;
  const std::uint64_t nBits = image.U16(14), nUsed = image.U32(32);
  return nBits <= 8 && nUsed != 0 && nUsed < (1u << nBits) ? (1u << nBits) - nUsed : 0;
}

} // namespace

std::vector<BYTE> WithWholeColourTables(std::vector<BYTE> bytes) {
  const CSpan f{bytes.data(), bytes.size()};
  const DWORD nType = f.U16(2), nCount = f.U16(4);
  if (f.U16(0) != 0 || (nType != 1 && nType != 2))
    return bytes;
  const size_t nDirectory = 6 + 16 * (size_t)nCount;
  // Each entry's picture after the directory in turn, its table's missing colours black (zero)
  // after the colours it has, and its header counting them all.
  std::vector<BYTE> out(bytes.begin(), bytes.begin() + nDirectory);
  bool bShort = false;
  for (size_t e = 6; e < nDirectory; e += 16) {
    const CSpan image = f.Part(f.U32(e + 12), f.U32(e + 8));
    const std::uint64_t nMissing = MissingColours(image);
    const size_t at = out.size(), nTableEnd = (size_t)image.U32(0) + 4 * (size_t)image.U32(32);
    if (nMissing == 0) {
      out.insert(out.end(), image.p, image.p + image.n);
    } else {
      bShort = true;
      out.insert(out.end(), image.p, image.p + nTableEnd);
      out.insert(out.end(), 4 * (size_t)nMissing, 0);
      out.insert(out.end(), image.p + nTableEnd, image.p + image.n);
      Put32(out, at + 32, 0); // every colour the bits index
    }
    Put32(out, e + 8, (DWORD)(out.size() - at));
    Put32(out, e + 12, (DWORD)at);
  }
  return bShort ? out : bytes;
}
