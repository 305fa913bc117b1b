// The bitmap's block, its conversion to 32 bits, the roads to and from GDI bitmaps and the paint
// manager's serialisation and resource loading. BMP streams are read and written in ExtBitmapIo.cpp.
#include "toolkit/foundation/ExtBitmap.h"

#include "framework/core/fw_file.h"
#include "framework/gdi/fw_gdi.h"

#include <cstring>
#include <utility>

namespace {

// No bitmap of the toolkit comes near this; a header that asks for more is broken or hostile.
const ULONGLONG kMaxDibBytes = 128ull << 20;

// Info header and colour table, padded so that the rows start on a 16-byte boundary.
size_t HeaderBlockOf(int nBitCount) {
  return (sizeof(BITMAPINFOHEADER) + 4 * (size_t)(nBitCount <= 8 ? 1u << nBitCount : 0) + 15) & ~(size_t)15;
}

bool Fail(bool bThrow) {
  if (bThrow)
    AfxThrowUserException();
  return false;
}

bool Is565(const DWORD* pMasks) { return pMasks[0] == 0xF800 && pMasks[1] == 0x7E0 && pMasks[2] == 0x1F; }

} // namespace

BITMAPINFOHEADER* CExtBitmap::Dib_t::Header() const {
  if (m_bytes.empty())
    return NULL;
  // The masks take the 16 bytes before the header.
  const UINT_PTR nBase = reinterpret_cast<UINT_PTR>(m_bytes.data());
  return reinterpret_cast<BITMAPINFOHEADER*>((nBase + 16 + 15) & ~(UINT_PTR)15);
}

BYTE* CExtBitmap::Dib_t::Pixels() const {
  return reinterpret_cast<BYTE*>(Header()) + HeaderBlockOf(BitCount());
}

CExtBitmap::CExtBitmap() = default;

CExtBitmap::~CExtBitmap() = default;

CExtBitmap::Dib_t CExtBitmap::AllocDib(LONG nWidth, LONG nHeight, int nBitCount, DWORD dwRedMask,
                                       DWORD dwGreenMask, DWORD dwBlueMask, DWORD dwAlphaMask) {
  const DWORD masks[4] = {dwRedMask, dwGreenMask, dwBlueMask, dwAlphaMask};
  return AllocBlock(nWidth, nHeight, nBitCount, masks, true);
}

CExtBitmap::Dib_t CExtBitmap::AllocBlock(LONG nWidth, LONG nHeight, int nBitCount, const DWORD* pMasks,
                                         bool bZeroPixels) {
  switch (nBitCount) {
  case 1:
  case 4:
  case 8:
  case 16:
  case 24:
  case 32:
    break;
  default:
    nBitCount = 8;
  }
  Dib_t dib;
  if (nWidth <= 0 || nHeight <= 0)
    return dib;
  // 16 bytes of masks and up to 15 of alignment before the header.
  const ULONGLONG nPixelBytes = Dib_t::StrideOf(nWidth, nBitCount) * (ULONGLONG)nHeight;
  const ULONGLONG nBytes = 32 + HeaderBlockOf(nBitCount) + nPixelBytes;
  if (nBytes > kMaxDibBytes)
    return dib;
  dib.m_bytes.resize((size_t)nBytes);
  BYTE* pHead = reinterpret_cast<BYTE*>(dib.Header()) - 16;
  std::memset(pHead, 0, 16 + HeaderBlockOf(nBitCount));
  std::memcpy(pHead, pMasks, 16);
  BITMAPINFOHEADER* pHeader = dib.Header();
  pHeader->biSize = sizeof(BITMAPINFOHEADER);
  pHeader->biWidth = nWidth;
  pHeader->biHeight = nHeight;
  pHeader->biPlanes = 1;
  pHeader->biBitCount = (WORD)nBitCount;
  pHeader->biCompression = BI_RGB;
  pHeader->biClrUsed = pHeader->biClrImportant = Dib_t::PaletteSizeOf(nBitCount);
  if (bZeroPixels)
    std::memset(dib.Pixels(), 0, (size_t)nPixelBytes);
  return dib;
}

bool CExtBitmap::LoadFromArchive(CArchive& ar, bool bEnforce32bpp, bool bEnableThrowException,
                                 bool bNoFileHeader) {
  m_dib = Dib_t();
  // Uncompressed data is converted while it is read; the rest after it is read.
  m_dib = Guarded<Dib_t>(bEnableThrowException, [&] { return ReadBmp(ar, bNoFileHeader, bEnforce32bpp); });
  if (m_dib.IsEmpty())
    return false;
  if (bEnforce32bpp && !ConvertTo32(bEnableThrowException)) {
    m_dib = Dib_t();
    return false;
  }
  return true;
}

bool CExtBitmap::SaveToArchive(CArchive& ar, bool bEnforce32bpp, bool bEnableThrowException,
                               bool bAllowRle8) {
  if (m_dib.IsEmpty())
    return Fail(bEnableThrowException);
  if (bEnforce32bpp && !ConvertTo32(bEnableThrowException))
    return false;
  return SaveBmp(m_dib, ar, bEnableThrowException, bAllowRle8);
}

bool CExtBitmap::FromHBitmap(HBITMAP hBitmap, bool bEnableThrowException) {
  m_dib = Dib_t();
  BITMAP bm;
  if (hBitmap == NULL || ::GetObject(hBitmap, sizeof(bm), &bm) != sizeof(bm))
    return Fail(bEnableThrowException);
  const bool bCopied = Guarded<bool>(bEnableThrowException, [&] {
    // GetDIBits gives 16-bit pixels as 5-5-5; the masks must say so for the writer.
    const bool b16 = bm.bmBitsPixel == 16;
    Dib_t dib = AllocDib(bm.bmWidth, bm.bmHeight, bm.bmBitsPixel, b16 ? 0x7C00 : 0, b16 ? 0x3E0 : 0,
                         b16 ? 0x1F : 0, 0);
    if (dib.IsEmpty())
      return false;
    CClientDC screen(NULL);
    if (::GetDIBits(screen.GetSafeHdc(), hBitmap, 0, dib.Height(), dib.Pixels(),
                    reinterpret_cast<BITMAPINFO*>(dib.Header()), DIB_RGB_COLORS) == 0)
      return false;
    // GetDIBits may rewrite the counts; the writer relies on a full colour table.
    BITMAPINFOHEADER* pHeader = dib.Header();
    pHeader->biCompression = BI_RGB;
    pHeader->biClrUsed = pHeader->biClrImportant = dib.PaletteSize();
    m_dib = std::move(dib);
    return true;
  });
  return bCopied || Fail(bEnableThrowException);
}

HBITMAP CExtBitmap::CreateHBitmapOnDC(HDC hDC) const {
  if (m_dib.IsEmpty())
    return NULL;
  const BITMAPINFOHEADER* pHeader = m_dib.Header();
  // 5-6-5 pixels keep their layout only in the masks; GDI reads BI_RGB 16-bit data as 5-5-5.
  struct {
    BITMAPINFOHEADER header;
    DWORD masks[3];
  } bitFields = {*pHeader, {0xF800, 0x7E0, 0x1F}};
  const BITMAPINFO* pInfo = reinterpret_cast<const BITMAPINFO*>(pHeader);
  if (m_dib.BitCount() == 16 && Is565(m_dib.Masks())) {
    bitFields.header.biCompression = BI_BITFIELDS;
    pInfo = reinterpret_cast<const BITMAPINFO*>(&bitFields);
  }
  return ::CreateDIBitmap(hDC, pHeader, CBM_INIT, m_dib.Pixels(), pInfo, DIB_RGB_COLORS);
}

HBITMAP CExtBitmap::CreateHBitmap() const {
  if (m_dib.IsEmpty())
    return NULL;
  return Guarded<HBITMAP>(false, [&] {
    CWindowDC screen(NULL);
    return CreateHBitmapOnDC(screen.GetSafeHdc());
  });
}

bool CExtBitmap::ConvertTo32(bool bEnableThrowException) {
  if (m_dib.IsEmpty())
    return false;
  if (m_dib.BitCount() == 32)
    return true;
  return Guarded<bool>(bEnableThrowException, [&] {
    Dib_t dib = MakeCopy32(m_dib);
    if (dib.IsEmpty())
      return false;
    m_dib = std::move(dib);
    return true;
  });
}

CExtBitmap::RowConverter_t::RowConverter_t(int nBitCount, int nWidth, const RGBQUAD* pColors,
                                           const DWORD* pMasks)
    : m_nBitCount(nBitCount), m_nWidth(nWidth), m_b565(Is565(pMasks)), m_palette() {
  for (DWORD i = 0; i < Dib_t::PaletteSizeOf(nBitCount); i++) {
    const RGBQUAD& c = pColors[i];
    m_palette[i] = 0xFF000000 | (DWORD)c.rgbRed << 16 | (DWORD)c.rgbGreen << 8 | c.rgbBlue;
  }
}

void CExtBitmap::RowConverter_t::operator()(const BYTE* s, DWORD* d) const {
  const int nWidth = m_nWidth;
  switch (m_nBitCount) {
  case 1:
    for (int x = 0; x < nWidth; x++)
      d[x] = m_palette[(s[x >> 3] >> (7 - (x & 7))) & 1];
    break;
  case 4:
    for (int x = 0; x < nWidth; x++)
      d[x] = m_palette[(x & 1) ? s[x >> 1] & 15 : s[x >> 1] >> 4];
    break;
  case 8:
    for (int x = 0; x < nWidth; x++)
      d[x] = m_palette[s[x]];
    break;
  case 16:
    for (int x = 0; x < nWidth; x++) {
      const DWORD p = s[2 * x] | (DWORD)s[2 * x + 1] << 8;
      const DWORD r = m_b565 ? (p >> 11) * 255 / 31 : ((p >> 10) & 31) * 255 / 31;
      const DWORD g = m_b565 ? ((p >> 5) & 63) * 255 / 63 : ((p >> 5) & 31) * 255 / 31;
      const DWORD b = (p & 31) * 255 / 31;
      d[x] = 0xFF000000 | r << 16 | g << 8 | b;
    }
    break;
  default: { // 24: four pixels from three words at a time
    int x = 0;
    for (; x + 4 <= nWidth; x += 4, s += 12) {
      DWORD w[3];
      std::memcpy(w, s, sizeof(w));
      d[x] = 0xFF000000 | w[0];
      d[x + 1] = 0xFF000000 | w[0] >> 24 | w[1] << 8;
      d[x + 2] = 0xFF000000 | w[1] >> 16 | w[2] << 16;
      d[x + 3] = 0xFF000000 | w[2] >> 8;
    }
    for (; x < nWidth; x++, s += 3)
      d[x] = 0xFF000000 | (DWORD)s[2] << 16 | (DWORD)s[1] << 8 | s[0];
  }
  }
}

CExtBitmap::Dib_t CExtBitmap::MakeCopy32(const Dib_t& src) {
  const int nBits = src.BitCount();
  if (nBits != 1 && nBits != 4 && nBits != 8 && nBits != 16 && nBits != 24)
    return Dib_t();
  // Every pixel is written below.
  const DWORD masks[4] = {0xFF0000, 0xFF00, 0xFF, 0xFF000000};
  Dib_t dst = AllocBlock(src.Width(), src.Height(), 32, masks, false);
  if (dst.IsEmpty())
    return dst;
  const RowConverter_t convert(nBits, src.Width(), src.Colors(), src.Masks());
  for (int y = 0; y < src.Height(); y++)
    convert(src.Row(y), reinterpret_cast<DWORD*>(dst.Row(y)));
  return dst;
}

bool CExtBitmap::SerializeHBitmap(CArchive& ar, HBITMAP& hBitmap, bool bNoFileHeader) {
  CExtBitmap bitmap;
  if (ar.IsStoring())
    return bitmap.FromHBitmap(hBitmap, false) && bitmap.SaveToArchive(ar, false, false, true);
  const bool bLoaded = bitmap.LoadFromArchive(ar, false, false, bNoFileHeader);
  hBitmap = bitmap.CreateHBitmap();
  return bLoaded && hBitmap != NULL;
}

HBITMAP CExtBitmap::LoadBitmapResource(HMODULE hModule, HRSRC hResource) {
  if (hModule == NULL || hResource == NULL)
    return NULL;
  HGLOBAL hData = ::LoadResource(hModule, hResource);
  const void* pData = hData != NULL ? ::LockResource(hData) : NULL;
  if (pData == NULL)
    return NULL;
  const DWORD nSize = ::SizeofResource(hModule, hResource);
  return Guarded<HBITMAP>(false, [&] {
    // The whole resource is the file (the framework's memory file starts empty when given a grow
    // step); it is only read.
    CMemFile file(static_cast<BYTE*>(const_cast<void*>(pData)), nSize, 0);
    file.SeekToBegin();
    CArchive ar(&file, CArchive::load, 4096);
    HBITMAP hBitmap = NULL;
    const bool bRead = SerializeHBitmap(ar, hBitmap, true);
    ar.Close();
    file.Close();
    return bRead ? hBitmap : NULL;
  });
}
