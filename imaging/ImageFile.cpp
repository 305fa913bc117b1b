// Reading and writing picture files through GDI+.
#include "imaging/ImageFile.h"

#include "framework/core/fw_file.h"
#include "imaging/ByteStream.h"
#include "imaging/IconColours.h"
#include "imaging/MetafileCheck.h"
#include "imaging/MetafileFormat.h"
#include "imaging/MetafilePlayer.h"
#include "imaging/PictureCheck.h"
#include "imaging/PixelPlane.h"
#include "imaging/RleBitmap.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <cwchar>
#include <memory>
#include <new>
#include <string>
#include <vector>

namespace {

// Holds a reference to what a bitmap was made from. Bases are destroyed in reverse order, so GDI+
// lets go of the picture before its source goes.
class CStreamHold {
public:
  explicit CStreamHold(IStream* pStream) : m_pStream(pStream) { m_pStream->AddRef(); }
  ~CStreamHold() { m_pStream->Release(); }
  CStreamHold(const CStreamHold&) = delete;
  CStreamHold& operator=(const CStreamHold&) = delete;

private:
  IStream* m_pStream;
};

// A bitmap decoded from a stream, which it keeps, since GDI+ may go back to the bytes while the
// bitmap lives.
class CStreamBitmap : private CStreamHold, public Gdiplus::Bitmap {
public:
  explicit CStreamBitmap(IStream* pStream) : CStreamHold(pStream), Gdiplus::Bitmap(pStream, FALSE) {}
};

class CSectionHold {
public:
  explicit CSectionHold(HBITMAP hSection) : m_hSection(hSection) {}
  ~CSectionHold() { ::DeleteObject(m_hSection); }
  CSectionHold(const CSectionHold&) = delete;
  CSectionHold& operator=(const CSectionHold&) = delete;

private:
  HBITMAP m_hSection;
};

// A 32-bit bitmap over the rows of a DIB section it owns.
class CSectionBitmap : private CSectionHold, public Gdiplus::Bitmap {
public:
  CSectionBitmap(HBITMAP hSection, const CPixelPlane& plane)
      : CSectionHold(hSection), Gdiplus::Bitmap(plane.cx, plane.cy, (INT)plane.nStride, PixelFormat32bppRGB,
                                                plane.pTop) {}
};

struct FileCloser {
  void operator()(FILE* pFile) const { std::fclose(pFile); }
};

// The whole file, every byte of it read; FALSE when it cannot be read or is empty.
BOOL ReadWholeFile(LPCSTR lpszPath, std::vector<BYTE>& bytes) {
  std::unique_ptr<FILE, FileCloser> pFile(std::fopen(lpszPath, "rb"));
  if (!pFile || std::fseek(pFile.get(), 0, SEEK_END) != 0)
    return FALSE;
  const long nSize = std::ftell(pFile.get());
  if (nSize <= 0 || std::fseek(pFile.get(), 0, SEEK_SET) != 0)
    return FALSE;
  try {
    bytes.resize((size_t)nSize);
  } catch (const std::bad_alloc&) {
    return FALSE;
  }
  return std::fread(bytes.data(), 1, bytes.size(), pFile.get()) == bytes.size();
}

// The size of a metafile's picture in pixels and its resolution.
struct MetafileSize {
  SIZE size;
  Gdiplus::REAL fDpiX, fDpiY;
};

// An enhanced metafile's frame on the device it was recorded on, rounded as the platform's
// MulDiv rounds. The frame counts both of its edges, so a picture of n pixels spans n - 1 of them.
// A frame whose size does not fit in 32 bits gives none.
MetafileSize EnhMetafileSize(const ENHMETAHEADER& header) {
  const RECTL& frame = header.rclFrame;
  const SIZEL &device = header.szlDevice, &mm = header.szlMillimeters;
  const LONG64 cxFrame = (LONG64)frame.right - frame.left, cyFrame = (LONG64)frame.bottom - frame.top;
  if (mm.cx <= 0 || mm.cy <= 0 || device.cx <= 0 || device.cy <= 0 || cxFrame < 0 || cyFrame < 0 ||
      cxFrame > 0x7FFFFFFF || cyFrame > 0x7FFFFFFF)
    return {{0, 0}, 0, 0};
  auto pixels = [](LONG64 nFrame, LONG64 nDevice, LONG64 nMillimetres) {
    const LONG64 nHundredths = nMillimetres * 100;
    const LONG64 n = (nFrame * nDevice + nHundredths / 2) / nHundredths + 1;
    return n <= 0x7FFFFFFF ? (LONG)n : 0;
  };
  return {{pixels(cxFrame, device.cx, mm.cx), pixels(cyFrame, device.cy, mm.cy)},
          (Gdiplus::REAL)(device.cx * 25.4 / mm.cx),
          (Gdiplus::REAL)(device.cy * 25.4 / mm.cy)};
}

// A placeable Windows metafile's bounds at its units an inch, in pixels of 96 an inch.
MetafileSize PlaceableMetafileSize(const std::vector<BYTE>& bytes) {
  PlaceableHeader header;
  std::memcpy(&header, bytes.data(), sizeof(header));
  const int nInch = (SHORT)header.wInch;
  if (nInch <= 0)
    return {{0, 0}, 0, 0};
  return {{::MulDiv(header.right - header.left, 96, nInch), ::MulDiv(header.bottom - header.top, 96, nInch)},
          96,
          96};
}

// A picture decoded here rather than by the platform's decoders: a 32-bit DIB section, opaque,
// with its rows and resolution.
struct COwnPicture {
  HBITMAP hSection = NULL;
  CPixelPlane plane;
  float fDpiX = 96, fDpiY = 96;
  COwnPicture() = default;
  COwnPicture(const COwnPicture&) = delete;
  COwnPicture& operator=(const COwnPicture&) = delete;
  ~COwnPicture() {
    if (hSection != NULL)
      ::DeleteObject(hSection);
  }
  HBITMAP Release() {
    HBITMAP h = hSection;
    hSection = NULL;
    return h;
  }
};

// The picture of a metafile whose records have been checked, at its own size over white, with its
// resolution; no section when it cannot be held or is beyond the bound, which is told from the
// header before anything is made, or when the player gives none. GDI reads and plays it, in the
// player's process: its playback maps the frame edge to edge, where GDI+'s drops the last row and
// column, and its conversion of a Windows metafile keeps the records' own units, where GDI+'s
// shifts them.
void PlayMetafile(const std::vector<BYTE>& bytes, bool bEnhanced, COwnPicture& out) {
  MetafileSize size = {{0, 0}, 0, 0};
  if (bEnhanced) {
    ENHMETAHEADER header = {};
    std::memcpy(&header, bytes.data(), std::min(sizeof(header), bytes.size()));
    size = EnhMetafileSize(header);
  } else if (bytes.size() > sizeof(PlaceableHeader)) {
    size = PlaceableMetafileSize(bytes);
  }
  const int cx = size.size.cx, cy = size.size.cy;
  // A negative size converts to one far past the bound.
  if (!FitsPictureBound((std::uint64_t)cx, (std::uint64_t)cy))
    return;
  out.hSection = PlayMetafileApart(bytes.data(), bytes.size(), bEnhanced, cx, cy, &out.plane);
  if (out.hSection != NULL)
    out.fDpiX = size.fDpiX, out.fDpiY = size.fDpiY;
}

// Whether the bytes are of a kind decoded here, with its picture in out (no section when it gives
// none): metafiles, whose records are checked first, since the platform's reading of them trusts
// every count and offset, and run-length coded bitmaps, whose leftover pixels the platform's
// decoder leaves undefined.
bool DecodeHere(const std::vector<BYTE>& bytes, COwnPicture& out) {
  if (LooksLikeMetafile(bytes.data(), bytes.size())) {
    if (IsSoundEnhMetafile(bytes.data(), bytes.size()))
      PlayMetafile(bytes, true, out);
    else if (IsSoundWinMetafile(bytes.data(), bytes.size()))
      PlayMetafile(bytes, false, out);
    return true;
  }
  if (!IsRleBmp(bytes.data(), bytes.size()))
    return false;
  if (IsSoundPictureHeader(bytes.data(), bytes.size()))
    out.hSection = DecodeRleBmp(bytes.data(), bytes.size(), &out.plane, &out.fDpiX, &out.fDpiY);
  return true;
}

// The platform decoder's picture of bytes of any other kind, once their header has been checked.
Gdiplus::Bitmap* DecodeByPlatform(std::vector<BYTE> bytes) {
  if (!IsSoundPictureHeader(bytes.data(), bytes.size()))
    return NULL;
  // A stream of our own: a header pointing past the end of the file must give the decoder nothing.
  IStream* pStream = CreateByteStream(WithWholeColourTables(std::move(bytes)));
  if (pStream == NULL)
    return NULL;
  std::unique_ptr<Gdiplus::Bitmap> pBitmap(new CStreamBitmap(pStream));
  pStream->Release();
  if (pBitmap->GetLastStatus() != Gdiplus::Ok)
    return NULL;
  return pBitmap.release();
}

} // namespace

Gdiplus::Bitmap* LoadGdipBitmapFromFile(LPCSTR lpszPath) {
  std::vector<BYTE> bytes;
  if (lpszPath == NULL || !ReadWholeFile(lpszPath, bytes))
    return NULL;
  COwnPicture own;
  if (!DecodeHere(bytes, own))
    return DecodeByPlatform(std::move(bytes));
  if (own.hSection == NULL)
    return NULL;
  const CPixelPlane plane = own.plane;
  std::unique_ptr<Gdiplus::Bitmap> pBitmap(new CSectionBitmap(own.Release(), plane));
  if (pBitmap->GetLastStatus() != Gdiplus::Ok || pBitmap->SetResolution(own.fDpiX, own.fDpiY) != Gdiplus::Ok)
    return NULL;
  return pBitmap.release();
}

namespace {

// Each pixel over white: (c * a + 255 * (255 - a)) / 255, rounded; opaque pixels as they are.
void PutOverWhite(const DWORD* pSrc, DWORD* pDst, int cx) {
  for (int x = 0; x < cx; x++) {
    const DWORD argb = pSrc[x];
    const DWORD a = argb >> 24;
    if (a == 0xFF) {
      pDst[x] = argb;
      continue;
    }
    DWORD out = 0xFF000000;
    for (int shift = 0; shift < 24; shift += 8) {
      const DWORD c = (argb >> shift) & 0xFF;
      out |= ((c * a + 255 * (255 - a) + 127) / 255) << shift;
    }
    pDst[x] = out;
  }
}

void PutOpaque24(const BYTE* pSrc, DWORD* pDst, int cx) {
  for (int x = 0; x < cx; x++, pSrc += 3)
    pDst[x] = 0xFF000000 | (DWORD)pSrc[2] << 16 | (DWORD)pSrc[1] << 8 | pSrc[0];
}

void PutOpaque32(const DWORD* pSrc, DWORD* pDst, int cx) {
  for (int x = 0; x < cx; x++)
    pDst[x] = pSrc[x] | 0xFF000000;
}

} // namespace

HBITMAP LoadPictureOverWhite(LPCSTR lpszPath, int* pnDpi) {
  std::vector<BYTE> bytes;
  if (lpszPath == NULL || !ReadWholeFile(lpszPath, bytes))
    return NULL;
  // A picture decoded here is already opaque and 32-bit: it is the result, not copied into one.
  COwnPicture own;
  if (DecodeHere(bytes, own)) {
    if (own.hSection != NULL && pnDpi != NULL)
      *pnDpi = (int)(own.fDpiX + 0.5f);
    return own.Release();
  }
  std::unique_ptr<Gdiplus::Bitmap> pLoaded(DecodeByPlatform(std::move(bytes)));
  if (!pLoaded)
    return NULL;
  const int cx = (int)pLoaded->GetWidth(), cy = (int)pLoaded->GetHeight();
  CPixelPlane plane;
  HBITMAP hBitmap = cx > 0 && cy > 0 ? CreatePlaneBitmap(cx, cy, &plane) : NULL;
  if (hBitmap == NULL)
    return NULL;
  // Pictures without alpha, as decoders give most files, are read in their own format, which
  // GDI+ lends in place, rather than through a converted 32-bit copy of the whole picture.
  const Gdiplus::PixelFormat native = pLoaded->GetPixelFormat();
  const Gdiplus::PixelFormat read =
      native == PixelFormat24bppRGB || native == PixelFormat32bppRGB ? native : PixelFormat32bppARGB;
  Gdiplus::Rect whole(0, 0, cx, cy);
  Gdiplus::BitmapData data;
  if (pLoaded->LockBits(&whole, Gdiplus::ImageLockModeRead, read, &data) != Gdiplus::Ok) {
    ::DeleteObject(hBitmap);
    return NULL;
  }
  for (int y = 0; y < cy; y++) {
    const BYTE* pSrc = static_cast<const BYTE*>(data.Scan0) + y * data.Stride;
    DWORD* pDst = reinterpret_cast<DWORD*>(plane.Row(y));
    if (read == PixelFormat24bppRGB)
      PutOpaque24(pSrc, pDst, cx);
    else if (read == PixelFormat32bppRGB)
      PutOpaque32(reinterpret_cast<const DWORD*>(pSrc), pDst, cx);
    else
      PutOverWhite(reinterpret_cast<const DWORD*>(pSrc), pDst, cx);
  }
  pLoaded->UnlockBits(&data);
  // Rounded: a file's pixels per metre or centimetre rarely give a whole number of inches.
  if (pnDpi != NULL)
    *pnDpi = (int)(pLoaded->GetHorizontalResolution() + 0.5f);
  return hBitmap;
}

Gdiplus::Bitmap* CreateGdipBitmapForWriting(HBITMAP hBitmap) {
  // Wrapping the section's rows spares a copy of the whole picture.
  CPixelPlane plane;
  std::unique_ptr<Gdiplus::Bitmap> pBitmap(
      OpenPixelPlane(hBitmap, plane)
          ? new Gdiplus::Bitmap(plane.cx, plane.cy, (INT)plane.nStride, PixelFormat32bppRGB, plane.pTop)
          : Gdiplus::Bitmap::FromHBITMAP(hBitmap, NULL));
  if (!pBitmap || pBitmap->GetLastStatus() != Gdiplus::Ok)
    return NULL;
  return pBitmap.release();
}

int GetEncoderClsid(const WCHAR* pszMimeType, CLSID* pClsid) {
  UINT nCount = 0, nBytes = 0;
  if (pszMimeType == NULL || pClsid == NULL ||
      Gdiplus::GetImageEncodersSize(&nCount, &nBytes) != Gdiplus::Ok || nCount == 0 ||
      nBytes < nCount * sizeof(Gdiplus::ImageCodecInfo))
    return -1;
  // The block holds the records followed by the strings they point to.
  std::vector<BYTE> block(nBytes);
  auto* pCodecs = reinterpret_cast<Gdiplus::ImageCodecInfo*>(block.data());
  if (Gdiplus::GetImageEncoders(nCount, nBytes, pCodecs) != Gdiplus::Ok)
    return -1;
  for (UINT i = 0; i < nCount; i++) {
    if (pCodecs[i].MimeType != NULL && std::wcscmp(pCodecs[i].MimeType, pszMimeType) == 0) {
      *pClsid = pCodecs[i].Clsid;
      return (int)i;
    }
  }
  return -1;
}

namespace {

// GIF keeps at most 256 colours, and Wine's encoder writes no picture at all from more bits per
// pixel, so pictures go to it as 8-bit indexed copies. A picture of at most 256 colours (a shot
// of plain windows often is) keeps them exactly; any other takes the nearest colours of a fixed
// cube of 6 reds, 7 greens and 6 blues, green having the extra level as the eye tells it best.
class CIndexer {
public:
  CIndexer() {
    for (int v = 0; v < 256; v++) {
      m_red[v] = (BYTE)((v * 5 + 127) / 255 * 42);
      m_green[v] = (BYTE)((v * 6 + 127) / 255 * 6);
      m_blue[v] = (BYTE)((v * 5 + 127) / 255);
    }
  }
  // Fills one index per pixel and the palette; the exact colours are tried first.
  void Index(const Gdiplus::BitmapData& src, Gdiplus::BitmapData& dst,
             std::vector<Gdiplus::ARGB>& palette) const {
    if (IndexExactly(src, dst, palette))
      return;
    palette.clear();
    for (int i = 0; i < 6 * 7 * 6; i++)
      palette.push_back(0xFF000000 | (DWORD)((i / 42 * 255 + 2) / 5) << 16 |
                        (DWORD)((i / 6 % 7 * 255 + 3) / 6) << 8 | (DWORD)((i % 6 * 255 + 2) / 5));
    ForEachPixel(src, dst, [&](DWORD c) {
      return (BYTE)(m_red[c >> 16 & 0xFF] + m_green[c >> 8 & 0xFF] + m_blue[c & 0xFF]);
    });
  }

private:
  template <class F>
  static void ForEachPixel(const Gdiplus::BitmapData& src, Gdiplus::BitmapData& dst, F index) {
    for (UINT y = 0; y < src.Height; y++) {
      const DWORD* pSrc =
          reinterpret_cast<const DWORD*>(static_cast<const BYTE*>(src.Scan0) + (ptrdiff_t)y * src.Stride);
      BYTE* pDst = static_cast<BYTE*>(dst.Scan0) + (ptrdiff_t)y * dst.Stride;
      for (UINT x = 0; x < src.Width; x++)
        pDst[x] = index(pSrc[x]);
    }
  }
  // FALSE as soon as a 257th colour turns up.
  static bool IndexExactly(const Gdiplus::BitmapData& src, Gdiplus::BitmapData& dst,
                           std::vector<Gdiplus::ARGB>& palette) {
    // Open addressing over four times the palette; a slot holds its colour plus one (0: free).
    const DWORD kSlots = 1024;
    std::vector<DWORD> keys(kSlots, 0);
    std::vector<BYTE> values(kSlots);
    palette.clear();
    bool bFits = true;
    DWORD last = 0xFFFFFFFF;
    BYTE nLast = 0;
    ForEachPixel(src, dst, [&](DWORD c) -> BYTE {
      c &= 0xFFFFFF;
      if (c == last || !bFits)
        return nLast;
      DWORD slot = (c * 2654435761u) >> 22;
      while (keys[slot] != 0 && keys[slot] != c + 1)
        slot = (slot + 1) & (kSlots - 1);
      if (keys[slot] == 0) {
        if (palette.size() == 256) {
          bFits = false;
          return 0;
        }
        keys[slot] = c + 1;
        values[slot] = (BYTE)palette.size();
        palette.push_back(0xFF000000 | c);
      }
      last = c;
      return nLast = values[slot];
    });
    return bFits;
  }

  BYTE m_red[256], m_green[256], m_blue[256];
};

// An 8-bit indexed copy of the picture at its resolution, or NULL.
std::unique_ptr<Gdiplus::Bitmap> CreateIndexedCopy(Gdiplus::Bitmap* pSource) {
  static const CIndexer s_indexer;
  const UINT cx = pSource->GetWidth(), cy = pSource->GetHeight();
  std::unique_ptr<Gdiplus::Bitmap> pIndexed(new Gdiplus::Bitmap((INT)cx, (INT)cy, PixelFormat8bppIndexed));
  if (cx == 0 || cy == 0 || pIndexed->GetLastStatus() != Gdiplus::Ok)
    return NULL;
  Gdiplus::Rect whole(0, 0, (INT)cx, (INT)cy);
  Gdiplus::BitmapData src, dst;
  if (pSource->LockBits(&whole, Gdiplus::ImageLockModeRead, PixelFormat32bppRGB, &src) != Gdiplus::Ok)
    return NULL;
  std::vector<Gdiplus::ARGB> colors;
  const bool bLocked =
      pIndexed->LockBits(&whole, Gdiplus::ImageLockModeWrite, PixelFormat8bppIndexed, &dst) == Gdiplus::Ok;
  if (bLocked) {
    s_indexer.Index(src, dst, colors);
    pIndexed->UnlockBits(&dst);
  }
  pSource->UnlockBits(&src);
  if (!bLocked)
    return NULL;
  std::vector<BYTE> block(sizeof(Gdiplus::ColorPalette) + 255 * sizeof(Gdiplus::ARGB));
  auto* pPalette = reinterpret_cast<Gdiplus::ColorPalette*>(block.data());
  pPalette->Flags = 0;
  pPalette->Count = (UINT)colors.size();
  std::copy(colors.begin(), colors.end(), pPalette->Entries);
  if (pIndexed->SetPalette(pPalette) != Gdiplus::Ok ||
      pIndexed->SetResolution(pSource->GetHorizontalResolution(), pSource->GetVerticalResolution()) !=
          Gdiplus::Ok)
    return NULL;
  return pIndexed;
}

// The bytes of a file, mapped read-only: only the pages looked at are read from disk.
class CMappedFile {
public:
  explicit CMappedFile(LPCSTR lpszPath) {
    m_hFile = ::CreateFileA(lpszPath, GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, 0, NULL);
    LARGE_INTEGER size;
    if (m_hFile == INVALID_HANDLE_VALUE || !::GetFileSizeEx(m_hFile, &size) || size.QuadPart <= 0 ||
        size.QuadPart > 0x7FFFFFFF)
      return;
    m_hMapping = ::CreateFileMappingA(m_hFile, NULL, PAGE_READONLY, 0, 0, NULL);
    m_pBytes = m_hMapping != NULL
                   ? static_cast<const BYTE*>(::MapViewOfFile(m_hMapping, FILE_MAP_READ, 0, 0, 0))
                   : NULL;
    m_nSize = m_pBytes != NULL ? (size_t)size.QuadPart : 0;
  }
  ~CMappedFile() {
    if (m_pBytes != NULL)
      ::UnmapViewOfFile(m_pBytes);
    if (m_hMapping != NULL)
      ::CloseHandle(m_hMapping);
    if (m_hFile != INVALID_HANDLE_VALUE)
      ::CloseHandle(m_hFile);
  }
  CMappedFile(const CMappedFile&) = delete;
  CMappedFile& operator=(const CMappedFile&) = delete;

  // Whether n bytes lie at offset; the readers below return 0 past the end.
  bool Has(size_t offset, size_t n) const { return offset <= m_nSize && n <= m_nSize - offset; }
  size_t Size() const { return m_nSize; }
  UINT Byte(size_t i) const { return Has(i, 1) ? m_pBytes[i] : 0; }
  UINT Le16(size_t i) const { return Byte(i) | Byte(i + 1) << 8; }
  UINT Le32(size_t i) const { return Le16(i) | Le16(i + 2) << 16; }
  UINT Be16(size_t i) const { return Byte(i) << 8 | Byte(i + 1); }
  UINT Be32(size_t i) const { return Be16(i) << 16 | Be16(i + 2); }
  bool Is(size_t i, const char* psz, size_t n) const {
    return Has(i, n) && std::memcmp(m_pBytes + i, psz, n) == 0;
  }

private:
  HANDLE m_hFile = INVALID_HANDLE_VALUE;
  HANDLE m_hMapping = NULL;
  const BYTE* m_pBytes = NULL;
  size_t m_nSize = 0;
};

bool PngHolds(const CMappedFile& f, UINT cx, UINT cy) {
  // The header chunk comes first and the end chunk last, with its fixed checksum.
  return f.Is(0, "\x89PNG\r\n\x1a\n\0\0\0\x0dIHDR", 16) && f.Be32(16) == cx && f.Be32(20) == cy &&
         f.Size() >= 45 && f.Is(f.Size() - 12, "\0\0\0\0IEND\xae\x42\x60\x82", 12);
}

bool JpegHolds(const CMappedFile& f, UINT cx, UINT cy) {
  if (!f.Is(0, "\xff\xd8", 2) || !f.Is(f.Size() - 2, "\xff\xd9", 2))
    return false;
  // Segments up to the frame header; each but the stand-alone markers gives its length.
  for (size_t i = 2; f.Has(i, 4) && f.Byte(i) == 0xFF;) {
    const UINT marker = f.Byte(i + 1);
    if (marker == 0xFF || marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7)) {
      i += marker == 0xFF ? 1 : 2; // fill byte or a marker without a segment
      continue;
    }
    if (marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC)
      return f.Be16(i + 5) == cy && f.Be16(i + 7) == cx;
    if (marker == 0xD9 || marker == 0xDA)
      return false; // the picture's data without a frame header
    i += 2 + f.Be16(i + 2);
  }
  return false;
}

bool BmpHolds(const CMappedFile& f, UINT cx, UINT cy) {
  if (!f.Is(0, "BM", 2) || f.Le32(2) != f.Size() || f.Le32(10) >= f.Size())
    return false;
  if (f.Le32(14) == 12) // the old OS/2 header
    return f.Le16(18) == cx && f.Le16(20) == cy;
  const int nHeight = (int)f.Le32(22);
  return f.Le32(14) >= 40 && f.Le32(18) == cx && (UINT)(nHeight < 0 ? -nHeight : nHeight) == cy;
}

bool GifHolds(const CMappedFile& f, UINT cx, UINT cy) {
  if (!(f.Is(0, "GIF87a", 6) || f.Is(0, "GIF89a", 6)) || f.Le16(6) != cx || f.Le16(8) != cy ||
      f.Byte(f.Size() - 1) != 0x3B)
    return false;
  // Past the global colour table and the extensions to the first image, which is to fill the screen.
  size_t i = 13 + ((f.Byte(10) & 0x80) ? 3u << ((f.Byte(10) & 7) + 1) : 0u);
  while (f.Byte(i) == 0x21) {
    for (i += 2; f.Has(i, 1) && f.Byte(i) != 0; i += 1 + f.Byte(i)) {
    }
    i++;
  }
  return f.Byte(i) == 0x2C && f.Has(i, 10) && f.Le32(i + 1) == 0 && f.Le16(i + 5) == cx &&
         f.Le16(i + 7) == cy;
}

bool TiffHolds(const CMappedFile& f, UINT cx, UINT cy) {
  const bool bLittle = f.Is(0, "II*\0", 4);
  if (!bLittle && !f.Is(0, "MM\0*", 4))
    return false;
  auto u16 = [&](size_t i) { return bLittle ? f.Le16(i) : f.Be16(i); };
  auto u32 = [&](size_t i) { return bLittle ? f.Le32(i) : f.Be32(i); };
  // A tag's values in the entry when they fit, else where it points; each of them is to lie
  // within the file, as is the link to the next directory.
  struct Tag {
    size_t base = 0, nCount = 0, nSize = 0;
  } width, length, offsets, counts;
  static const BYTE kTypeSizes[] = {0, 1, 1, 2, 4, 8, 1, 1, 2, 4, 8, 4, 8};
  const size_t nDir = u32(4), nEntries = u16(nDir);
  if (!f.Has(nDir + 2, 12 * nEntries + 4))
    return false;
  for (size_t e = nDir + 2; e < nDir + 2 + 12 * nEntries; e += 12) {
    const UINT nTag = u16(e), nType = u16(e + 2);
    const size_t nSize = nType < sizeof(kTypeSizes) ? kTypeSizes[nType] : 0, nCount = u32(e + 4);
    if (nSize == 0 || nCount > f.Size() / nSize)
      return false;
    const size_t base = nCount * nSize <= 4 ? e + 8 : u32(e + 8);
    if (!f.Has(base, nCount * nSize))
      return false;
    Tag* pTag = nTag == 256   ? &width
                : nTag == 257 ? &length
                : nTag == 273 ? &offsets
                : nTag == 279 ? &counts
                              : NULL;
    if (pTag != NULL && (nType == 3 || nType == 4))
      *pTag = {base, nCount, nSize};
  }
  auto value = [&](const Tag& t, size_t k) {
    return t.nSize == 2 ? u16(t.base + 2 * k) : u32(t.base + 4 * k);
  };
  if (width.nCount != 1 || length.nCount != 1 || value(width, 0) != cx || value(length, 0) != cy ||
      offsets.nCount == 0 || counts.nCount != offsets.nCount)
    return false;
  // Every strip of the picture's data lies within the file.
  for (size_t k = 0; k < offsets.nCount; k++)
    if (!f.Has(value(offsets, k), value(counts, k)))
      return false;
  return true;
}

// Whether the file's header names a picture of that size in the format of the encoder, and the
// file is whole as far as the format tells without decoding it: encoders have been seen to
// report success for a file that holds none. Decoding it all again would double a save's time.
bool HoldsPicture(LPCSTR lpszPath, const WCHAR* pszMimeType, UINT cx, UINT cy) {
  static const struct {
    const WCHAR* pszMime;
    bool (*pfnHolds)(const CMappedFile&, UINT, UINT);
  } kFormats[] = {{L"image/png", PngHolds},
                  {L"image/jpeg", JpegHolds},
                  {L"image/bmp", BmpHolds},
                  {L"image/gif", GifHolds},
                  {L"image/tiff", TiffHolds}};
  const CMappedFile file(lpszPath);
  if (file.Size() == 0)
    return false;
  for (const auto& format : kFormats)
    if (std::wcscmp(format.pszMime, pszMimeType) == 0)
      return format.pfnHolds(file, cx, cy);
  // A format of no known header: decoded to be sure.
  std::unique_ptr<Gdiplus::Bitmap> pWritten(LoadGdipBitmapFromFile(lpszPath));
  return pWritten && pWritten->GetWidth() == cx && pWritten->GetHeight() == cy;
}

std::wstring Widen(LPCSTR psz) {
  int n = ::MultiByteToWideChar(CP_ACP, 0, psz, -1, NULL, 0);
  if (n <= 0)
    return std::wstring();
  std::wstring wide((size_t)n, L'\0');
  ::MultiByteToWideChar(CP_ACP, 0, psz, -1, &wide[0], n);
  wide.resize((size_t)n - 1);
  return wide;
}

} // namespace

BOOL SaveGdipBitmapToFile(Gdiplus::Bitmap* pBitmap, LPCSTR lpszPath, const WCHAR* pszMimeType,
                          const Gdiplus::EncoderParameters* pParams) {
  CLSID clsid;
  if (pBitmap == NULL || lpszPath == NULL || GetEncoderClsid(pszMimeType, &clsid) < 0)
    return FALSE;
  std::unique_ptr<Gdiplus::Bitmap> pIndexed;
  if (std::wcscmp(pszMimeType, L"image/gif") == 0 &&
      !Gdiplus::IsIndexedPixelFormat(pBitmap->GetPixelFormat())) {
    pIndexed = CreateIndexedCopy(pBitmap);
    if (!pIndexed)
      return FALSE;
    pBitmap = pIndexed.get();
  }
  CFileReplacement file(lpszPath);
  if (!file.IsReady())
    return FALSE;
  std::wstring strNewPath = Widen(file.GetNewPath());
  if (strNewPath.empty() || pBitmap->Save(strNewPath.c_str(), &clsid, pParams) != Gdiplus::Ok ||
      !HoldsPicture(file.GetNewPath(), pszMimeType, pBitmap->GetWidth(), pBitmap->GetHeight()))
    return FALSE;
  return file.Commit();
}

CNewFile::CNewFile(LPCSTR lpszFolder, LPCSTR lpszPrefix, LPCSTR lpszExt) {
  static LONG s_nSerial = 0;
  for (int nAttempt = 0; lpszFolder != NULL && nAttempt < 100; nAttempt++) {
    CString strPath;
    strPath.Format("%s%s%lx-%lx%s", lpszFolder, lpszPrefix, ::GetCurrentProcessId(),
                   (unsigned long)::InterlockedIncrement(&s_nSerial), lpszExt);
    // Made, not just named, so that nobody else can take the name before it is written.
    HANDLE hFile = ::CreateFileA(strPath, GENERIC_WRITE, 0, NULL, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, NULL);
    if (hFile != INVALID_HANDLE_VALUE) {
      ::CloseHandle(hFile);
      m_strPath = strPath;
      return;
    }
    if (::GetLastError() != ERROR_FILE_EXISTS && ::GetLastError() != ERROR_ALREADY_EXISTS)
      return; // the folder takes no new file
  }
}

CNewFile::~CNewFile() {
  if (!m_strPath.IsEmpty())
    ::DeleteFileA(m_strPath);
}

namespace {

// The target's folder with its last separator, and the extension with its dot ("" when none).
int LastSeparator(const CString& strPath) {
  return std::max(strPath.ReverseFind('\\'), strPath.ReverseFind('/'));
}
CString FolderOf(const CString& strPath) { return strPath.Left(LastSeparator(strPath) + 1); }
CString ExtensionOf(const CString& strPath) {
  const int nDot = strPath.ReverseFind('.');
  return nDot > LastSeparator(strPath) ? strPath.Mid(nDot) : CString();
}

} // namespace

// The same folder, so the move never crosses volumes; the same extension, so that writers that go
// by it write the right format. A target that names no file gets no new file.
CFileReplacement::CFileReplacement(LPCSTR lpszTarget)
    : m_strTarget(lpszTarget != NULL ? lpszTarget : ""),
      m_newFile(m_strTarget.IsEmpty() || LastSeparator(m_strTarget) == m_strTarget.GetLength() - 1
                    ? NULL
                    : (LPCSTR)FolderOf(m_strTarget),
                "~pix", ExtensionOf(m_strTarget)) {}

BOOL CFileReplacement::Commit() {
  if (!m_newFile.IsReady() || !AfxReplaceFile(m_newFile.GetPath(), m_strTarget))
    return FALSE;
  m_newFile.Release();
  return TRUE;
}
