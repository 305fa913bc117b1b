// Header checks of the formats the platform's decoders take, before they take them.
#include "imaging/PictureCheck.h"
#include "imaging/ByteSpan.h"
#include "imaging/DibFormat.h"
#include "imaging/GifCodes.h"

namespace {

using U64 = std::uint64_t;

// --- BMP -----------------------------------------------------------------------------------------

bool BmpSound(const CSpan& f) {
  const DWORD nHeader = f.U32(14), nOffBits = f.U32(10);
  if (!f.Has(14, 4) || !(nHeader == 12 || (nHeader >= 16 && nHeader <= 124)) || !f.Has(14, nHeader))
    return false;
  U64 cx, cy, nBits, nCompression = BI_RGB, nUsed = 0, nEntry = 4, nMasks = 0;
  bool bBottomUp = true;
  if (nHeader == 12) { // the old core header: 16-bit sizes and 3-byte colours
    cx = f.U16(18), cy = f.U16(20), nBits = f.U16(24), nEntry = 3;
  } else {
    const LONG nHeight = (LONG)f.U32(22);
    cx = (LONG)f.U32(18) > 0 ? f.U32(18) : 0;
    cy = nHeight < 0 ? 0 - (U64)(LONG64)nHeight : (U64)nHeight;
    bBottomUp = nHeight > 0;
    nBits = f.U16(28);
    if (nHeader >= 40) {
      nCompression = f.U32(30), nUsed = f.U32(46);
      nMasks = nCompression == BI_BITFIELDS && nHeader == 40 ? 12 : 0;
    }
  }
  const bool bRle = IsDibRle((DWORD)nCompression, nBits);
  U64 nColours = 0;
  if (!IsDibBitCount(nBits) || !FitsPictureBound(cx, cy) || !DibColours(nBits, nUsed, nColours))
    return false;
  if (!(nCompression == BI_RGB || bRle || (nCompression == BI_BITFIELDS && (nBits == 16 || nBits == 32))) ||
      (bRle && !bBottomUp))
    return false;
  if (!f.Has(14, nHeader + nMasks + nColours * nEntry) || nOffBits >= f.n)
    return false;
  // Run-length coded rows are as long as their runs; any other picture's rows lie whole in the file.
  return bRle || f.Has(nOffBits, DibStride(cx, nBits) * cy);
}

// --- PNG -----------------------------------------------------------------------------------------

// The signature and a header chunk first, of a picture within the bound.
bool PngSound(const CSpan& f) {
  return f.Is(0, "\x89PNG\r\n\x1a\n\0\0\0\x0dIHDR", 16) && f.Has(16, 13) && f.Be32(16) <= 0x7FFFFFFF &&
         f.Be32(20) <= 0x7FFFFFFF && FitsPictureBound(f.Be32(16), f.Be32(20));
}

// --- Icons and cursors ---------------------------------------------------------------------------

// An embedded bitmap: its height the entry's, or twice it, and its header, colours, colour rows and
// mask rows inside the entry's bytes. The decoder takes half the bitmap's height for the picture,
// the other half for the mask.
bool IconBitmapSound(const CSpan& dib, U64 nEntryHeight) {
  const DWORD nHeader = dib.U32(0);
  if (nHeader < 40 || nHeader > 124 || !dib.Has(0, nHeader))
    return false;
  const LONG nWidth = (LONG)dib.U32(4), nHeight = (LONG)dib.U32(8);
  const U64 nBits = dib.U16(14);
  U64 nColours = 0;
  if (nWidth <= 0 || nHeight <= 0 || !((U64)nHeight == nEntryHeight || (U64)nHeight == 2 * nEntryHeight) ||
      !IsDibBitCount(nBits) || dib.U32(16) != BI_RGB || !DibColours(nBits, dib.U32(32), nColours))
    return false;
  const U64 cx = (U64)nWidth, cy = ((U64)nHeight + 1) / 2;
  return FitsPictureBound(cx, cy) &&
         dib.Has(0, nHeader + 4 * nColours + DibStride(cx, nBits) * cy + DibStride(cx, 1) * cy);
}

bool IconSound(const CSpan& f) {
  const DWORD nType = f.U16(2), nCount = f.U16(4);
  const U64 nDirectory = 6 + 16 * (U64)nCount;
  if (f.U16(0) != 0 || (nType != 1 && nType != 2) || nCount == 0 || !f.Has(0, nDirectory))
    return false;
  for (U64 e = 6; e < nDirectory; e += 16) {
    const DWORD nBytes = f.U32((size_t)e + 8), nOffset = f.U32((size_t)e + 12);
    if (nOffset < nDirectory || !f.Has(nOffset, nBytes))
      return false;
    const CSpan image = f.Part(nOffset, nBytes);
    const U64 nEntryHeight = f.U8((size_t)e + 1) != 0 ? f.U8((size_t)e + 1) : 256;
    if (!(image.Is(0, "\x89PNG", 4) ? PngSound(image) : IconBitmapSound(image, nEntryHeight)))
      return false;
  }
  return true;
}

// --- GIF -----------------------------------------------------------------------------------------

// Past a chain of data sub-blocks from at, up to the end of the file.
size_t SkipSubBlocks(const CSpan& f, size_t at) {
  while (f.Has(at, 1) && f.U8(at) != 0)
    at += 1 + f.U8(at);
  return at + 1;
}

// The screen and every image in it within the bound, each image's codes giving all its pixels; a
// file that ends between its blocks ends the walk.
bool GifSound(const CSpan& f) {
  if (!(f.Is(0, "GIF87a", 6) || f.Is(0, "GIF89a", 6)) || !f.Has(0, 13) ||
      !FitsPictureBound(f.U16(6), f.U16(8)))
    return false;
  size_t at = 13 + ((f.U8(10) & 0x80) ? 3u << ((f.U8(10) & 7) + 1) : 0u);
  while (f.Has(at, 1)) {
    const DWORD nBlock = f.U8(at);
    if (nBlock == 0x3B)
      break;
    if (nBlock == 0x21) {
      at = SkipSubBlocks(f, at + 2);
    } else if (nBlock == 0x2C) {
      const U64 cx = f.U16(at + 5), cy = f.U16(at + 7);
      if (!f.Has(at, 10) || !FitsPictureBound(cx, cy))
        return false;
      const DWORD nFlags = f.U8(at + 9);
      at += 10 + ((nFlags & 0x80) ? 3u << ((nFlags & 7) + 1) : 0u);
      if (!GifCodesFillImage(f, at, cx * cy))
        return false;
      at = SkipSubBlocks(f, at + 1); // past the code size and the coded pixels
    } else {
      return false;
    }
  }
  return true;
}

// --- JPEG ----------------------------------------------------------------------------------------

// Segments up to the first frame header, whose picture is to be within the bound.
bool JpegSound(const CSpan& f) {
  if (!f.Is(0, "\xff\xd8", 2))
    return false;
  for (size_t at = 2; f.Has(at, 4) && f.U8(at) == 0xFF;) {
    const DWORD nMarker = f.U8(at + 1);
    if (nMarker == 0xFF || nMarker == 0x01 || (nMarker >= 0xD0 && nMarker <= 0xD7)) {
      at += nMarker == 0xFF ? 1 : 2; // a fill byte, or a marker without a segment
      continue;
    }
    if (nMarker >= 0xC0 && nMarker <= 0xCF && nMarker != 0xC4 && nMarker != 0xC8 && nMarker != 0xCC)
      return f.Has(at, 10) && FitsPictureBound(f.Be16(at + 7), f.Be16(at + 5)) && f.U8(at + 9) >= 1 &&
             f.U8(at + 9) <= 4;
    if (nMarker == 0xD9 || nMarker == 0xDA)
      return false; // the picture's data without a frame header
    at += 2 + f.Be16(at + 2);
  }
  return false;
}

// --- TIFF ----------------------------------------------------------------------------------------

// The first directory inside the file, its picture and tiles within the bound, and its rows at the
// bits of its samples within what a picture of the bound takes at 32 bits.
bool TiffSound(const CSpan& f) {
  const bool bLittle = f.Is(0, "II*\0", 4);
  if (!bLittle && !f.Is(0, "MM\0*", 4))
    return false;
  auto u16 = [&](size_t at) { return bLittle ? f.U16(at) : f.Be16(at); };
  auto u32 = [&](size_t at) { return bLittle ? f.U32(at) : f.Be32(at); };
  const size_t nDirectory = u32(4);
  const U64 nEntries = u16(nDirectory);
  if (!f.Has(nDirectory, 2 + 12 * nEntries + 4) || nEntries == 0)
    return false;
  U64 cx = 0, cy = 0, nTileX = 0, nTileY = 0, nSamples = 1, nBits = 1;
  for (size_t e = nDirectory + 2; e < nDirectory + 2 + 12 * nEntries; e += 12) {
    const DWORD nType = u16(e + 2);
    // A short or long, in the entry when its values fit there, else where it points; of several
    // values (the bits of each sample) the first is taken.
    const U64 nValues = (U64)u32(e + 4) * (nType == 3 ? 2 : 4);
    const size_t at = nValues <= 4 ? e + 8 : u32(e + 8);
    const U64 value = nType == 3 ? u16(at) : nType == 4 ? u32(at) : 0;
    switch (u16(e)) {
    case 256:
      cx = value;
      break;
    case 257:
      cy = value;
      break;
    case 258:
      nBits = value;
      break;
    case 277:
      nSamples = value;
      break;
    case 322:
      nTileX = value;
      break;
    case 323:
      nTileY = value;
      break;
    }
  }
  if (!FitsPictureBound(cx, cy) || nBits == 0 || nBits > 64 || nSamples == 0 || nSamples > 16)
    return false;
  if ((nTileX != 0 || nTileY != 0) && !FitsPictureBound(nTileX, nTileY))
    return false;
  return (cx * nBits * nSamples + 7) / 8 * cy <= 4 * kMaxPicturePixels;
}

} // namespace

bool FitsPictureBound(std::uint64_t cx, std::uint64_t cy) {
  return cx > 0 && cy > 0 && cx <= kMaxPicturePixels && cy <= kMaxPicturePixels &&
         cx * cy <= kMaxPicturePixels;
}

bool IsSoundPictureHeader(const BYTE* pBytes, size_t nBytes) {
  const CSpan f{pBytes, pBytes != NULL ? nBytes : 0};
  if (f.Is(0, "BM", 2))
    return BmpSound(f);
  if (f.Is(0, "\x89PNG", 4))
    return PngSound(f);
  if (f.Is(0, "GIF8", 4))
    return GifSound(f);
  if (f.Is(0, "\xff\xd8", 2))
    return JpegSound(f);
  if (f.Is(0, "II", 2) || f.Is(0, "MM", 2))
    return TiffSound(f);
  if (f.Is(0, "\0\0", 2))
    return IconSound(f);
  return false;
}
