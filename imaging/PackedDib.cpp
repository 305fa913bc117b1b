// Pictures of packed device-independent bitmaps, every part held against the block it came in.
#include "imaging/PackedDib.h"

#include "imaging/ByteSpan.h"
#include "imaging/DibFormat.h"
#include "imaging/PictureCheck.h"
#include "imaging/PixelPlane.h"
#include "imaging/RleBitmap.h"

#include <cstdint>
#include <new>
#include <vector>

namespace {

using U64 = std::uint64_t;

// What a packed bitmap's header says of its picture, and where its colour table and rows start.
struct DibLayout {
  U64 cx = 0, cy = 0, nBits = 0, nColours = 0;
  DWORD nCompression = BI_RGB;
  bool bTopDown = false, bCore = false;
  size_t nTable = 0, nRows = 0;
};

// Whether the header is one the program knows, of a picture within the bound, whose masks and
// colours lie within the block, and its rows too unless they are run-length coded (those are as long
// as their runs).
bool ReadLayout(const CSpan& d, DibLayout& l) {
  const DWORD nHeader = d.U32(0);
  U64 nUsed = 0;
  if (!d.Has(0, nHeader))
    return false;
  if (nHeader == sizeof(BITMAPCOREHEADER)) { // 16-bit sizes, 3-byte colours, no compression
    l.bCore = true;
    l.cx = d.U16(4), l.cy = d.U16(6), l.nBits = d.U16(10);
    if (l.nBits == 16 || l.nBits == 32)
      return false;
  } else if (IsDibInfoHeaderSize(nHeader)) {
    const LONG nWidth = (LONG)d.U32(4), nHeight = (LONG)d.U32(8);
    l.cx = nWidth > 0 ? (U64)nWidth : 0;
    l.cy = nHeight < 0 ? 0 - (U64)(LONG64)nHeight : (U64)nHeight;
    l.bTopDown = nHeight < 0;
    l.nBits = d.U16(14), l.nCompression = d.U32(16), nUsed = d.U32(32);
  } else {
    return false;
  }
  const bool bRle = IsDibRle(l.nCompression, l.nBits);
  if (!IsDibBitCount(l.nBits) || !FitsPictureBound(l.cx, l.cy) || !DibColours(l.nBits, nUsed, l.nColours))
    return false;
  if (!(l.nCompression == BI_RGB || (bRle && !l.bTopDown) ||
        (l.nCompression == BI_BITFIELDS && (l.nBits == 16 || l.nBits == 32))))
    return false;
  // The three masks follow an info header of 40 bytes; the longer headers hold them.
  l.nTable = nHeader + (l.nCompression == BI_BITFIELDS && nHeader == 40 ? 12 : 0);
  l.nRows = l.nTable + (size_t)l.nColours * (l.bCore ? 3 : 4);
  return d.Has(0, l.nRows) && (bRle || d.Has(l.nRows, DibStride(l.cx, l.nBits) * l.cy));
}

// Uncompressed rows and bit fields, converted by GDI from a header of our own that describes them:
// an info header, the masks after it and a colour table of every index the bits have, black past
// the colours the block holds. GDI reads nothing of the block but the rows.
HBITMAP UncodedPicture(const CSpan& d, const DibLayout& l) {
  struct {
    BITMAPINFOHEADER header;
    DWORD extra[256];
  } info = {};
  info.header.biSize = sizeof(BITMAPINFOHEADER);
  info.header.biWidth = (LONG)l.cx;
  info.header.biHeight = l.bTopDown ? -(LONG)l.cy : (LONG)l.cy;
  info.header.biPlanes = 1;
  info.header.biBitCount = (WORD)l.nBits;
  info.header.biCompression = l.nCompression;
  if (l.nCompression == BI_BITFIELDS) {
    for (size_t k = 0; k < 3; k++)
      info.extra[k] = d.U32(40 + 4 * k);
  } else if (l.nBits <= 8) {
    info.header.biClrUsed = 1u << l.nBits;
    for (size_t i = 0; i < l.nColours; i++) {
      const size_t at = l.nTable + i * (l.bCore ? 3 : 4);
      info.extra[i] = d.U8(at) | d.U8(at + 1) << 8 | d.U8(at + 2) << 16;
    }
  }
  CPixelPlane plane;
  HBITMAP hSection = CreatePlaneBitmap((int)l.cx, (int)l.cy, &plane);
  if (hSection == NULL)
    return NULL;
  HDC hScreen = ::GetDC(NULL);
  const int nSet = ::SetDIBits(hScreen, hSection, 0, (UINT)l.cy, d.p + l.nRows,
                               reinterpret_cast<const BITMAPINFO*>(&info), DIB_RGB_COLORS);
  ::ReleaseDC(NULL, hScreen);
  ::GdiFlush();
  if (nSet != (int)l.cy) {
    ::DeleteObject(hSection);
    return NULL;
  }
  for (int y = 0; y < plane.cy; y++) {
    DWORD* pRow = reinterpret_cast<DWORD*>(plane.Row(y));
    for (int x = 0; x < plane.cx; x++)
      pRow[x] |= 0xFF000000;
  }
  return hSection;
}

// Run-length coded rows go to the decoder of such bitmap files, behind a file header.
HBITMAP RunCodedPicture(const CSpan& d, const DibLayout& l) {
  try {
    std::vector<BYTE> file(14, 0);
    const DWORD nFileSize = (DWORD)(14 + d.n), nOffBits = (DWORD)(14 + l.nRows);
    file[0] = 'B', file[1] = 'M';
    for (int k = 0; k < 4; k++)
      file[2 + k] = (BYTE)(nFileSize >> (8 * k)), file[10 + k] = (BYTE)(nOffBits >> (8 * k));
    file.insert(file.end(), d.p, d.p + d.n);
    if (!IsSoundPictureHeader(file.data(), file.size()))
      return NULL;
    CPixelPlane plane;
    float fDpiX = 0, fDpiY = 0;
    return DecodeRleBmp(file.data(), file.size(), &plane, &fDpiX, &fDpiY);
  } catch (const std::bad_alloc&) {
    return NULL;
  }
}

} // namespace

HBITMAP PictureFromPackedDib(const BYTE* pBytes, size_t nBytes) {
  const CSpan d{pBytes, pBytes != NULL ? nBytes : 0};
  DibLayout layout;
  if (!ReadLayout(d, layout))
    return NULL;
  return IsDibRle(layout.nCompression, layout.nBits) ? RunCodedPicture(d, layout) : UncodedPicture(d, layout);
}
