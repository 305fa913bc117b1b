// Helpers of the bitmap tests: BMP byte streams built from their fields, streams read from a
// buffer that ends right before an inaccessible page (so that any over-read faults), written
// streams returned as bytes, and pixels read back as 0xAARRGGBB values, top row first.
#pragma once

#include "framework/core/fw_file.h"
#include "tests/common/pixel_support.h"
#include "toolkit/foundation/ExtBitmap.h"

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <ostream>
#include <vector>

namespace bmptest {

using Bytes = std::vector<BYTE>;
using Pixels = std::vector<DWORD>;

inline void PutWord(Bytes& b, WORD w) { b.insert(b.end(), {(BYTE)w, (BYTE)(w >> 8)}); }
inline void PutDword(Bytes& b, DWORD d) {
  PutWord(b, (WORD)d);
  PutWord(b, (WORD)(d >> 16));
}
inline DWORD DwordAt(const Bytes& b, size_t i) {
  return b[i] | b[i + 1] << 8 | b[i + 2] << 16 | (DWORD)b[i + 3] << 24;
}

// The fields of one BMP stream. Colours are 0x00RRGGBB; masks follow the 40-byte header (inside
// the header when biSize is larger); data is the pixel data as stored.
struct BmpLayout {
  int nBits;
  LONG nWidth, nHeight;
  DWORD dwCompression;
  std::vector<DWORD> colors;
  Bytes data;
  std::vector<DWORD> masks = {};
  DWORD nClrUsed = (DWORD)-1; // -1: the number of colours given
  DWORD nHeaderSize = 40;
  bool bFileHeader = true;
};

inline void PrintTo(const BmpLayout& s, std::ostream* os) {
  *os << s.nBits << " bits, " << s.nWidth << " x " << s.nHeight << ", compression " << s.dwCompression;
}

inline Bytes MakeBmp(const BmpLayout& s) {
  Bytes info;
  PutDword(info, s.nHeaderSize);
  PutDword(info, (DWORD)s.nWidth);
  PutDword(info, (DWORD)s.nHeight);
  PutWord(info, 1);
  PutWord(info, (WORD)s.nBits);
  PutDword(info, s.dwCompression);
  PutDword(info, 0);    // image size
  PutDword(info, 2835); // 72 dots per inch, both ways
  PutDword(info, 2835);
  PutDword(info, s.nClrUsed == (DWORD)-1 ? (DWORD)s.colors.size() : s.nClrUsed);
  PutDword(info, s.nClrUsed == (DWORD)-1 ? (DWORD)s.colors.size() : s.nClrUsed);
  for (DWORD m : s.masks)
    PutDword(info, m);
  if (s.nHeaderSize < 4096) // larger sizes are only claimed
    info.resize(std::max<size_t>(info.size(), s.nHeaderSize));
  for (DWORD c : s.colors)
    PutDword(info, c);
  Bytes out;
  if (s.bFileHeader) {
    PutWord(out, 0x4D42);
    PutDword(out, (DWORD)(14 + info.size() + s.data.size()));
    PutDword(out, 0);
    PutDword(out, (DWORD)(14 + info.size()));
  }
  out.insert(out.end(), info.begin(), info.end());
  out.insert(out.end(), s.data.begin(), s.data.end());
  return out;
}

// Committed pages followed by one no-access page, the bytes placed flush against it.
class GuardedBytes {
public:
  explicit GuardedBytes(const Bytes& bytes) {
    const size_t nPage = 4096, nPages = (bytes.size() + nPage - 1) / nPage + 1;
    m_pBase =
        static_cast<BYTE*>(::VirtualAlloc(NULL, nPages * nPage, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
    BYTE* pGuard = m_pBase + (nPages - 1) * nPage;
    DWORD dwOld;
    ::VirtualProtect(pGuard, nPage, PAGE_NOACCESS, &dwOld);
    m_pData = pGuard - bytes.size();
    if (!bytes.empty())
      std::memcpy(m_pData, bytes.data(), bytes.size());
  }
  ~GuardedBytes() { ::VirtualFree(m_pBase, 0, MEM_RELEASE); }
  GuardedBytes(const GuardedBytes&) = delete;
  GuardedBytes& operator=(const GuardedBytes&) = delete;
  BYTE* Data() const { return m_pData; }

private:
  BYTE* m_pBase;
  BYTE* m_pData;
};

// Reads the stream from a guarded buffer of exactly its size.
inline bool Load(CExtBitmap& bitmap, const Bytes& bytes, bool b32, bool bThrow = false,
                 bool bNoFileHeader = false) {
  GuardedBytes guarded(bytes);
  CMemFile file(guarded.Data(), (UINT)bytes.size());
  CArchive ar(&file, CArchive::load);
  return bitmap.LoadFromArchive(ar, b32, bThrow, bNoFileHeader);
}

// The written stream, empty when the bitmap refused to write.
inline Bytes Save(CExtBitmap& bitmap, bool b32, bool bRle8) {
  CMemFile file;
  CArchive ar(&file, CArchive::store);
  if (!bitmap.SaveToArchive(ar, b32, false, bRle8))
    return Bytes();
  ar.Close();
  Bytes out((size_t)file.GetLength());
  file.SeekToBegin();
  file.Read(out.data(), (UINT)out.size());
  return out;
}

// The pixels of a written 32-bit BMP, top row first; none when nothing was written.
inline Pixels PixelsOf32(const Bytes& bmp) {
  if (bmp.empty())
    return Pixels();
  const LONG w = (LONG)DwordAt(bmp, 18), h = (LONG)DwordAt(bmp, 22);
  Pixels px;
  for (LONG y = h - 1; y >= 0; y--)
    for (LONG x = 0; x < w; x++)
      px.push_back(DwordAt(bmp, DwordAt(bmp, 10) + 4 * (y * w + x)));
  return px;
}

// The bitmap converted to 32 bits, as its written pixels.
inline Pixels PixelsOf(CExtBitmap& bitmap) { return PixelsOf32(Save(bitmap, true, false)); }

// The colours of a GDI bitmap, top row first, as 0x00RRGGBB.
inline Pixels PixelsOfHBitmap(HBITMAP hBitmap) {
  Pixels px;
  for (COLORREF clr : pixel_support::ReadBitmap(hBitmap).data)
    px.push_back(pixel_support::ToDib(clr));
  return px;
}

inline DWORD Opaque(DWORD rgb) { return 0xFF000000 | rgb; }

} // namespace bmptest
