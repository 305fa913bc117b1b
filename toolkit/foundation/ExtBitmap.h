// The toolkit's device-independent bitmap: one packed DIB in memory, read from and written to BMP
// streams, copied from a GDI bitmap, made into one, and converted to 32 bits per pixel.
#pragma once

#include "framework/core/fw_core.h"

#include <windows.h>

#include <memory>
#include <new>
#include <utility>
#include <vector>

class CArchive;

class CExtBitmap {
public:
  CExtBitmap();
  virtual ~CExtBitmap();
  CExtBitmap(const CExtBitmap&) = delete;
  CExtBitmap& operator=(const CExtBitmap&) = delete;

  // Replaces the bitmap by the BMP read from ar (starting at its info header when
  // bNoFileHeader), converted to 32 bits when asked. Colours and pixels a stream no longer holds
  // are zero; headers cut short fail. Failures leave the object empty; with
  // bEnableThrowException the reader's exception reaches the caller.
  bool LoadFromArchive(CArchive& ar, bool bEnforce32bpp, bool bEnableThrowException, bool bNoFileHeader);
  // Writes the bitmap as a BMP file, converted to 32 bits first when asked; 8-bit data is
  // RLE8-compressed when bAllowRle8. An empty object throws CUserException when asked to throw.
  bool SaveToArchive(CArchive& ar, bool bEnforce32bpp, bool bEnableThrowException, bool bAllowRle8);
  // Replaces the bitmap by a copy of hBitmap at its own depth.
  bool FromHBitmap(HBITMAP hBitmap, bool bEnableThrowException);
  // A new device-dependent bitmap for hDC (the caller owns it), NULL when empty or on failure.
  HBITMAP CreateHBitmapOnDC(HDC hDC) const;
  // The same for the screen.
  HBITMAP CreateHBitmap() const;
  // Makes the bitmap 32 bits per pixel, every pixel opaque; on failure the old bitmap stays.
  bool ConvertTo32(bool bEnableThrowException);

  // What the paint manager's bitmap roads do. Storing: writes hBitmap as a BMP (8-bit data
  // RLE8-compressed); loading: reads one and sets hBitmap to a new bitmap of the screen, which
  // the caller owns. Never throws.
  static bool SerializeHBitmap(CArchive& ar, HBITMAP& hBitmap, bool bNoFileHeader);
  // The bitmap resource as a new bitmap of the screen (the caller owns it), or NULL.
  static HBITMAP LoadBitmapResource(HMODULE hModule, HRSRC hResource);

protected:
  // Leaves new elements uninitialised, so that a block is zeroed only where it is not written in full.
  template <class T> struct UninitAllocator_t : std::allocator<T> {
    template <class U> struct rebind { using other = UninitAllocator_t<U>; };
    UninitAllocator_t() = default;
    template <class U> UninitAllocator_t(const UninitAllocator_t<U>&) {}
    template <class U> void construct(U* p) noexcept { ::new ((void*)p) U; }
    template <class U, class... A> void construct(U* p, A&&... args) {
      ::new ((void*)p) U(std::forward<A>(args)...);
    }
  };

  // One block: the channel masks (red, green, blue, alpha), then on a 16-byte boundary the info
  // header, the colour table padded to 16 bytes, and the rows, bottom row first, each padded to
  // 4 bytes. The header always says BI_RGB with a positive height; bit-field layouts live only
  // in the masks.
  class Dib_t {
  public:
    bool IsEmpty() const { return m_bytes.empty(); }
    BITMAPINFOHEADER* Header() const;
    DWORD* Masks() const { return reinterpret_cast<DWORD*>(Header()) - 4; }
    RGBQUAD* Colors() const { return reinterpret_cast<RGBQUAD*>(Header() + 1); }
    BYTE* Pixels() const;
    BYTE* Row(int nRow) const { return Pixels() + (size_t)nRow * Stride(); }
    int Width() const { return Header()->biWidth; }
    int Height() const { return Header()->biHeight; }
    int BitCount() const { return Header()->biBitCount; }
    int Stride() const { return (int)StrideOf(Width(), BitCount()); }
    int PaletteSize() const { return (int)PaletteSizeOf(BitCount()); }

    // Bytes per row, and colour-table entries, for a width and bit count.
    static ULONGLONG StrideOf(LONG nWidth, int nBitCount) {
      return (((ULONGLONG)nBitCount * (ULONGLONG)nWidth + 7) / 8 + 3) & ~3ull;
    }
    static DWORD PaletteSizeOf(int nBitCount) { return nBitCount <= 8 ? 1u << nBitCount : 0; }

  private:
    friend class CExtBitmap;
    std::vector<BYTE, UninitAllocator_t<BYTE>> m_bytes;
  };

  // A zeroed block with the given masks, or an empty one when the size is not positive or the
  // block would be larger than a bitmap may be (128 MB). A bit count the format does not know
  // becomes 8.
  static Dib_t AllocDib(LONG nWidth, LONG nHeight, int nBitCount, DWORD dwRedMask, DWORD dwGreenMask,
                        DWORD dwBlueMask, DWORD dwAlphaMask);
  // The same, with the pixels left unset when bZeroPixels is false (the caller writes them all).
  static Dib_t AllocBlock(LONG nWidth, LONG nHeight, int nBitCount, const DWORD* pMasks, bool bZeroPixels);
  // The BMP read from ar, or an empty block.
  static Dib_t LoadBmp(CArchive& ar, bool bEnableThrowException, bool bNoFileHeader);
  static bool SaveBmp(const Dib_t& dib, CArchive& ar, bool bEnableThrowException, bool bAllowRle8);

private:
  // Runs op; what it throws reaches the caller only when bThrow, otherwise the result is R().
  template <class R, class F> static R Guarded(bool bThrow, F op) {
    try {
      return op();
    } catch (CException* e) {
      if (bThrow)
        throw;
      e->Delete();
    } catch (...) {
      if (bThrow)
        throw;
    }
    return R();
  }

  // Turns rows of 1 to 24 bits per pixel into rows of opaque 32-bit pixels.
  class RowConverter_t {
  public:
    // pColors holds the colour table of palette data; pMasks the red, green and blue masks.
    RowConverter_t(int nBitCount, int nWidth, const RGBQUAD* pColors, const DWORD* pMasks);
    void operator()(const BYTE* pSrc, DWORD* pDst) const;

  private:
    int m_nBitCount, m_nWidth;
    bool m_b565;
    DWORD m_palette[256];
  };

  // The BMP read from ar; uncompressed data goes straight to 32 bits when bTo32.
  static Dib_t ReadBmp(CArchive& ar, bool bNoFileHeader, bool bTo32);
  static void WriteBmp(const Dib_t& dib, CArchive& ar, bool bAllowRle8);
  static Dib_t MakeCopy32(const Dib_t& dib);

  Dib_t m_dib;
};
