// Filling out the short colour tables of icons' and cursors' bitmaps and PNG palettes.
#include "imaging/IconColours.h"

#include "imaging/ByteSpan.h"
#include "imaging/DibFormat.h"

#include <cstdint>

namespace {

void Put32(std::vector<BYTE>& b, size_t at, DWORD v) {
  for (int k = 0; k < 4; k++)
    b[at + k] = (BYTE)(v >> (8 * k));
}

void PutBe32(std::vector<BYTE>& b, DWORD v) {
  for (int k = 3; k >= 0; k--)
    b.push_back((BYTE)(v >> (8 * k)));
}

// The CRC-32 that closes a PNG chunk, of its type and data.
DWORD ChunkCrc(const BYTE* p, size_t n) {
  DWORD crc = 0xFFFFFFFF;
  for (size_t i = 0; i < n; i++) {
    crc ^= p[i];
    for (int k = 0; k < 8; k++)
      crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1)));
  }
  return ~crc;
}

// A bitmap entry with its colour table filled out to every colour its bits index, the added
// colours black (zero) after those it has and its header counting them all; empty when its table
// is whole.
std::vector<BYTE> BitmapWithWholeTable(const CSpan& image) {
  const std::uint64_t nBits = image.U16(14), nUsed = image.U32(32);
  if (!(nBits <= 8 && nUsed != 0 && nUsed < (1u << nBits)))
    return {};
  const size_t nTableEnd = (size_t)image.U32(0) + 4 * (size_t)nUsed;
  std::vector<BYTE> out(image.p, image.p + nTableEnd);
  out.insert(out.end(), 4 * (size_t)((1u << nBits) - nUsed), 0);
  out.insert(out.end(), image.p + nTableEnd, image.p + image.n);
  Put32(out, 32, 0); // every colour the bits index
  return out;
}

// A PNG entry of palette indices with its palette chunk filled out to every colour its bit depth
// indexes, the added colours black; empty when its palette is whole, or it has none before its data.
std::vector<BYTE> PngWithWholePalette(const CSpan& png) {
  const DWORD nDepth = png.U8(24);
  if (png.U8(25) != 3 || !(nDepth == 1 || nDepth == 2 || nDepth == 4 || nDepth == 8))
    return {};
  const size_t nWhole = 3 * ((size_t)1 << nDepth);
  for (size_t at = 8; png.Has(at, 12) && png.Has(at + 12, png.Be32(at)); at += 12 + png.Be32(at)) {
    const size_t nLength = png.Be32(at);
    if (png.Is(at + 4, "IDAT", 4))
      return {};
    if (!png.Is(at + 4, "PLTE", 4))
      continue;
    if (nLength % 3 != 0 || nLength >= nWhole)
      return {};
    std::vector<BYTE> out(png.p, png.p + at);
    PutBe32(out, (DWORD)nWhole);
    const size_t nType = out.size();
    out.insert(out.end(), png.p + at + 4, png.p + at + 8 + nLength);
    out.insert(out.end(), nWhole - nLength, 0);
    PutBe32(out, ChunkCrc(out.data() + nType, 4 + nWhole));
    out.insert(out.end(), png.p + at + 12 + nLength, png.p + png.n);
    return out;
  }
  return {};
}

} // namespace

std::vector<BYTE> WithWholeColourTables(std::vector<BYTE> bytes) {
  const CSpan f{bytes.data(), bytes.size()};
  const DWORD nType = f.U16(2), nCount = f.U16(4);
  if (f.U16(0) != 0 || (nType != 1 && nType != 2))
    return bytes;
  const size_t nDirectory = 6 + 16 * (size_t)nCount;
  // Each entry's picture after the directory in turn, whole or as it was.
  std::vector<BYTE> out(bytes.begin(), bytes.begin() + nDirectory);
  bool bShort = false;
  for (size_t e = 6; e < nDirectory; e += 16) {
    const CSpan image = f.Part(f.U32(e + 12), f.U32(e + 8));
    const std::vector<BYTE> whole =
        image.Is(0, "\x89PNG", 4) ? PngWithWholePalette(image) : BitmapWithWholeTable(image);
    const size_t at = out.size();
    bShort = bShort || !whole.empty();
    if (whole.empty())
      out.insert(out.end(), image.p, image.p + image.n);
    else
      out.insert(out.end(), whole.begin(), whole.end());
    Put32(out, e + 8, (DWORD)(out.size() - at));
    Put32(out, e + 12, (DWORD)at);
  }
  return bShort ? out : bytes;
}
