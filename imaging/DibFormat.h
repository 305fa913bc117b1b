// What the checks of picture files, of metafiles' bitmap records and the run-length decoder share
// of a device-independent bitmap's header: its bit counts, row size, colour table and coding.
#pragma once

#include <windows.h>

#include <cstdint>

// Whether a header of that size is an info header the platform knows: the first version and the
// later ones that extend it.
inline bool IsDibInfoHeaderSize(DWORD nSize) {
  return nSize == 40 || nSize == 52 || nSize == 56 || nSize == 108 || nSize == 124;
}

// Whether a bitmap may have that many bits a pixel.
inline bool IsDibBitCount(std::uint64_t nBits) {
  return nBits == 1 || nBits == 4 || nBits == 8 || nBits == 16 || nBits == 24 || nBits == 32;
}

// The bytes of one row of cx pixels, padded to four.
inline std::uint64_t DibStride(std::uint64_t cx, std::uint64_t nBits) { return (cx * nBits + 31) / 32 * 4; }

// The entries of the colour table a header with nUsed colours at nBits a pixel has (all that the
// bits index where nUsed is 0); false for more than the bits index, or more than 256.
inline bool DibColours(std::uint64_t nBits, std::uint64_t nUsed, std::uint64_t& nColours) {
  if (nUsed > 256 || (nBits <= 8 && nUsed > (1u << nBits)))
    return false;
  nColours = nUsed != 0 ? nUsed : nBits <= 8 ? 1u << nBits : 0;
  return true;
}

// Whether the compression codes the pixels in runs, at the bits a pixel that code needs.
inline bool IsDibRle(DWORD nCompression, std::uint64_t nBits) {
  return (nCompression == BI_RLE8 && nBits == 8) || (nCompression == BI_RLE4 && nBits == 4);
}
