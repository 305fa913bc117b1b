// What the program's metafile readers and writers share: the placeable header of a Windows
// metafile, an owner for an enhanced metafile handle, and an enhanced metafile's bytes.
#pragma once

#include <windows.h>

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
