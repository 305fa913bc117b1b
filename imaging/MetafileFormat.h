// What the program's metafile readers and writers share: the placeable header of a Windows
// metafile and how its box is read, an owner for an enhanced metafile handle, and an enhanced
// metafile's bytes.
#pragma once

#include <windows.h>

#include <cstring>
#include <memory>
#include <vector>

#pragma pack(push, 2)
// The header that makes a Windows metafile placeable: its bounds and units an inch.
struct PlaceableHeader {
  DWORD dwKey;
  WORD hmf;
  SHORT left, top, right, bottom;
  WORD wInch;
  DWORD dwReserved;
  WORD wChecksum; // XOR of the ten words before it
};
#pragma pack(pop)
static_assert(sizeof(PlaceableHeader) == 22, "the placeable header is 22 bytes");

const DWORD kPlaceableKey = 0x9AC6CDD7;

// How the platform reads a placeable metafile: its box, in hundredths of a millimetre at the
// header's units an inch, is the extent the records' window and viewport act within, so that a
// window set to the box fills the picture. FALSE for a box that is empty or turned over, or no
// units an inch. pBytes holds at least the placeable header.
inline BOOL PlaceableBox(const BYTE* pBytes, METAFILEPICT& box) {
  PlaceableHeader header;
  std::memcpy(&header, pBytes, sizeof(header));
  const int nInch = (SHORT)header.wInch, cx = header.right - header.left, cy = header.bottom - header.top;
  if (nInch <= 0 || cx <= 0 || cy <= 0)
    return FALSE;
  box = {MM_ANISOTROPIC, ::MulDiv(cx, 2540, nInch), ::MulDiv(cy, 2540, nInch), NULL};
  return TRUE;
}

struct EnhMetafileDeleter {
  void operator()(HENHMETAFILE__* hEmf) const { ::DeleteEnhMetaFile(hEmf); }
};
using EnhMetafilePtr = std::unique_ptr<HENHMETAFILE__, EnhMetafileDeleter>;

// The enhanced metafile's bytes; FALSE when they cannot be had.
inline BOOL EnhancedBits(HENHMETAFILE hEmf, std::vector<BYTE>& bytes) {
  const UINT nSize = ::GetEnhMetaFileBits(hEmf, 0, NULL);
  bytes.resize(nSize);
  return nSize != 0 && ::GetEnhMetaFileBits(hEmf, nSize, bytes.data()) == nSize;
}
