// BMP streams of the toolkit's bitmap: the reader (1 to 32 bits per pixel, uncompressed, RLE8,
// RLE4 and bit fields) and the writer (uncompressed, or RLE8 for 8-bit data).
#include "toolkit/foundation/ExtBitmap.h"

#include "framework/core/fw_file.h"

#include <algorithm>
#include <climits>
#include <cstring>

namespace {

[[noreturn]] void ThrowBadData() { AfxThrowArchiveException(CArchiveException::genericException); }

// Fails with an end-of-file error unless the stream still holds nBytes: headers are taken whole
// or not at all.
void RequireBytes(CArchive& ar, ULONGLONG nBytes) {
  ar.Flush(); // the unread bytes of the archive's buffer go back to the file
  const CFile* pFile = ar.GetFile();
  const ULONGLONG nLength = pFile->GetLength(), nPosition = pFile->GetPosition();
  if (nPosition > nLength || nBytes > nLength - nPosition)
    AfxThrowArchiveException(CArchiveException::endOfFile);
}

void Skip(CArchive& ar, DWORD nBytes) {
  RequireBytes(ar, nBytes);
  BYTE scratch[256];
  for (DWORD nLeft = nBytes; nLeft > 0;) {
    const UINT n = nLeft < sizeof(scratch) ? nLeft : sizeof(scratch);
    ar.ReadExact(scratch, n);
    nLeft -= n;
  }
}

// Reads up to nBytes; what the stream no longer holds is left zero.
void ReadOrZero(CArchive& ar, void* pBuffer, UINT nBytes) {
  const UINT nRead = ar.Read(pBuffer, nBytes);
  std::memset(static_cast<BYTE*>(pBuffer) + nRead, 0, nBytes - nRead);
}

// The next byte in v; false at the end of the stream.
bool NextByte(CArchive& ar, int& v) {
  BYTE b;
  if (ar.Read(&b, 1) != 1)
    return false;
  v = b;
  return true;
}

} // namespace

// ---------------------------------------------------------------------------------------------
// Reading

namespace {

// Walks the rows of a run-length coded bitmap; x and y stay within reach of the bitmap so that
// escapes cannot wrap them around.
class RleCursor {
public:
  RleCursor(int nWidth, int nHeight) : m_nWidth(nWidth), m_nHeight(nHeight) {}
  void EndOfLine() {
    m_x = 0;
    Down(1);
  }
  void Move(int dx, int dy) {
    m_x = m_x + dx < m_nWidth ? m_x + dx : m_nWidth;
    Down(dy);
  }
  bool PastEnd() const { return m_y >= m_nHeight; }
  int x() const { return m_x; }
  int y() const { return m_y; }
  int Room() const { return m_nWidth - m_x; } // pixels left in the row
  void Advance(int n) { Move(n, 0); }

private:
  void Down(int dy) { m_y = m_y + dy < m_nHeight ? m_y + dy : m_nHeight; }

  int m_nWidth, m_nHeight;
  int m_x = 0, m_y = 0;
};

// Pixels beyond the row's width and rows past the height are dropped. Data that ends early ends
// the bitmap, leaving the pixels not reached as they were.
template <class Put> void DecodeRle(CArchive& ar, int nWidth, int nHeight, bool bRle4, Put put) {
  RleCursor at(nWidth, nHeight);
  for (int n, v; NextByte(ar, n) && NextByte(ar, v);) {
    if (n > 0) {
      if (at.PastEnd())
        return;
      const int nStored = n < at.Room() ? n : at.Room();
      // RLE4 runs alternate the two nibbles of v, the high one first.
      for (int i = 0; i < nStored; i++)
        put(at.y(), at.x() + i, bRle4 ? (i & 1 ? v & 15 : v >> 4) : v);
      at.Advance(n);
    } else if (v == 0) {
      at.EndOfLine();
    } else if (v == 1) {
      return;
    } else if (v == 2) {
      int dx, dy;
      if (!NextByte(ar, dx) || !NextByte(ar, dy))
        return;
      at.Move(dx, dy);
    } else {
      if (at.PastEnd())
        return;
      // Absolute run of v pixels, its data padded to an even byte count.
      const int nDataBytes = bRle4 ? (v + 1) / 2 : v;
      int b = 0;
      for (int i = 0; i < v; i++) {
        if ((!bRle4 || !(i & 1)) && !NextByte(ar, b))
          return;
        if (i < at.Room())
          put(at.y(), at.x() + i, bRle4 ? (i & 1 ? b & 15 : b >> 4) : b);
      }
      if ((nDataBytes & 1) && !NextByte(ar, b))
        return;
      at.Advance(v);
    }
  }
}

// Reads nHeight uncompressed rows a few at a time (the block is filled by the caller's own
// writes, not by the file system), handing each to row(index in the stream, bytes). Rows the
// stream no longer holds come as zero.
template <class Row> void ReadRows(CArchive& ar, int nStride, int nHeight, Row row) {
  const int nChunkRows = std::max(1, (64 << 10) / nStride);
  std::vector<BYTE> chunk((size_t)std::min(nChunkRows, nHeight) * nStride);
  for (int i = 0; i < nHeight;) {
    const int n = std::min(nChunkRows, nHeight - i);
    ReadOrZero(ar, chunk.data(), (UINT)(n * nStride));
    for (int k = 0; k < n; k++, i++)
      row(i, chunk.data() + (size_t)k * nStride);
  }
}

} // namespace

CExtBitmap::Dib_t CExtBitmap::LoadBmp(CArchive& ar, bool bEnableThrowException, bool bNoFileHeader) {
  return Guarded<Dib_t>(bEnableThrowException, [&] { return ReadBmp(ar, bNoFileHeader, false); });
}

CExtBitmap::Dib_t CExtBitmap::ReadBmp(CArchive& ar, bool bNoFileHeader, bool bTo32) {
  if (!bNoFileHeader) {
    BITMAPFILEHEADER fileHeader; // nothing in it is needed
    ar.ReadExact(&fileHeader, sizeof(fileHeader));
  }
  BITMAPINFOHEADER info;
  ar.ReadExact(&info, sizeof(info));
  const int nBits = info.biBitCount;
  if (nBits != 1 && nBits != 4 && nBits != 8 && nBits != 16 && nBits != 24 && nBits != 32)
    return Dib_t();
  const DWORD dwCompression = info.biCompression;
  if (info.biSize < sizeof(info) || info.biWidth <= 0 || info.biHeight == 0 || info.biHeight == LONG_MIN)
    ThrowBadData();
  const bool bTopDown = info.biHeight < 0;
  const LONG nHeight = bTopDown ? -info.biHeight : info.biHeight;
  // Later header versions carry more fields (the masks of bit-field data come first); they are
  // skipped, and the colour table or the pixels follow them.
  DWORD nHeaderRest = info.biSize - sizeof(info);

  DWORD masks[4] = {};
  const bool bRle = dwCompression == BI_RLE8 || dwCompression == BI_RLE4;
  if (nBits <= 8) {
    // Run-length data must match its pixel size and be stored bottom-up.
    if (!(dwCompression == BI_RGB || (dwCompression == BI_RLE8 && nBits == 8) ||
          (dwCompression == BI_RLE4 && nBits == 4)) ||
        (bRle && bTopDown))
      ThrowBadData();
  } else if (dwCompression == BI_BITFIELDS) {
    ar.ReadExact(masks, 3 * sizeof(DWORD));
    nHeaderRest = nHeaderRest > 3 * sizeof(DWORD) ? nHeaderRest - 3 * sizeof(DWORD) : 0;
  } else if (dwCompression != BI_RGB) {
    ThrowBadData();
  } else if (nBits == 16) {
    masks[0] = 0x7C00, masks[1] = 0x3E0, masks[2] = 0x1F;
  } else {
    masks[0] = 0xFF0000, masks[1] = 0xFF00, masks[2] = 0xFF;
    masks[3] = nBits == 32 ? 0xFF000000 : 0;
  }
  Skip(ar, nHeaderRest);

  const DWORD nPaletteSize = Dib_t::PaletteSizeOf(nBits);
  const DWORD nColors = info.biClrUsed > 0 && info.biClrUsed <= nPaletteSize ? info.biClrUsed : nPaletteSize;
  // Colours and pixels are taken as far as the stream goes; the rest stays zero. The block's size
  // is bounded before anything is allocated (AllocBlock), so a header may promise more than the
  // stream holds, but never more than a bitmap may be.

  // The stream's rows, bottom row first.
  auto rowOf = [&](int i) { return bTopDown ? nHeight - 1 - i : i; };

  if (bTo32 && !bRle && nBits != 32) {
    // Converted on the way in, without a block of the stream's own depth.
    RGBQUAD colors[256] = {};
    ar.Read(colors, 4 * nColors);
    const RowConverter_t convert(nBits, info.biWidth, colors, masks);
    const DWORD masks32[4] = {0xFF0000, 0xFF00, 0xFF, 0xFF000000};
    Dib_t dib = AllocBlock(info.biWidth, nHeight, 32, masks32, false);
    if (dib.IsEmpty())
      return dib; // as converting a block of the stream's depth would fail
    const int nStride = (int)Dib_t::StrideOf(info.biWidth, nBits); // smaller than the new rows
    ReadRows(ar, nStride, nHeight,
             [&](int i, const BYTE* pRow) { convert(pRow, reinterpret_cast<DWORD*>(dib.Row(rowOf(i)))); });
    return dib;
  }

  // Uncompressed rows are written in full; run-length data leaves pixels it skips zero.
  Dib_t dib = AllocBlock(info.biWidth, nHeight, nBits, masks, bRle);
  if (dib.IsEmpty())
    ThrowBadData();
  BITMAPINFOHEADER* pHeader = dib.Header();
  pHeader->biXPelsPerMeter = info.biXPelsPerMeter;
  pHeader->biYPelsPerMeter = info.biYPelsPerMeter;
  ar.Read(dib.Colors(), 4 * nColors); // the block starts zero

  if (dwCompression == BI_RLE8) {
    DecodeRle(ar, dib.Width(), nHeight, false, [&](int y, int x, int v) { dib.Row(y)[x] = (BYTE)v; });
  } else if (dwCompression == BI_RLE4) {
    DecodeRle(ar, dib.Width(), nHeight, true, [&](int y, int x, int v) {
      BYTE& b = dib.Row(y)[x / 2];
      b = x & 1 ? (BYTE)((b & 0xF0) | v) : (BYTE)((b & 0x0F) | v << 4);
    });
  } else {
    const int nStride = dib.Stride();
    ReadRows(ar, nStride, nHeight,
             [&](int i, const BYTE* pRow) { std::memcpy(dib.Row(rowOf(i)), pRow, nStride); });
  }
  return dib;
}

// ---------------------------------------------------------------------------------------------
// Writing

namespace {

// RLE8 coding of one row's bytes: runs of four or more equal bytes are coded as runs, everything
// else gathers into absolute runs.
class Rle8Writer {
public:
  explicit Rle8Writer(std::vector<BYTE>& out) : m_out(out) {}

  void Row(const BYTE* pRow, int nBytes) {
    for (int i = 0; i < nBytes;) {
      int j = i + 1;
      while (j < nBytes && pRow[j] == pRow[i])
        j++;
      if (j - i < 4) {
        for (; i < j; i++)
          Pend(pRow[i]);
        continue;
      }
      Flush();
      for (int nRun = j - i; nRun > 0; nRun -= 255)
        Put(nRun < 255 ? nRun : 255, pRow[i]);
      i = j;
    }
    Flush();
    Put(0, 0);
  }
  void End() { Put(0, 1); }

private:
  void Put(int a, int b) {
    m_out.push_back((BYTE)a);
    m_out.push_back((BYTE)b);
  }
  void Pend(BYTE b) {
    m_pending.push_back(b);
    if (m_pending.size() == 254)
      Flush();
  }
  void Flush() {
    const size_t n = m_pending.size();
    if (n < 3) {
      for (BYTE b : m_pending)
        Put(1, b);
    } else {
      Put(0, (int)n);
      m_out.insert(m_out.end(), m_pending.begin(), m_pending.end());
      if (n & 1)
        m_out.push_back(0);
    }
    m_pending.clear();
  }

  std::vector<BYTE>& m_out;
  std::vector<BYTE> m_pending;
};

} // namespace

bool CExtBitmap::SaveBmp(const Dib_t& dib, CArchive& ar, bool bEnableThrowException, bool bAllowRle8) {
  return Guarded<bool>(bEnableThrowException, [&] {
    WriteBmp(dib, ar, bAllowRle8);
    return true;
  });
}

void CExtBitmap::WriteBmp(const Dib_t& dib, CArchive& ar, bool bAllowRle8) {
  BITMAPINFOHEADER info = *dib.Header();
  const int nBits = dib.BitCount();
  const bool bRle8 = nBits == 8 && bAllowRle8;
  info.biCompression = nBits == 16 ? BI_BITFIELDS : bRle8 ? BI_RLE8 : BI_RGB;
  std::vector<BYTE> rle;
  if (bRle8) {
    Rle8Writer writer(rle);
    for (int y = 0; y < dib.Height(); y++)
      writer.Row(dib.Row(y), dib.Width());
    writer.End();
    info.biSizeImage = (DWORD)rle.size();
  }
  const DWORD nMaskBytes = nBits == 16 ? 3 * sizeof(DWORD) : 0;
  const DWORD nColorBytes = 4 * (DWORD)dib.PaletteSize();
  const DWORD nPixelBytes = bRle8 ? (DWORD)rle.size() : (DWORD)dib.Stride() * (DWORD)dib.Height();
  BITMAPFILEHEADER fileHeader = {};
  fileHeader.bfType = 0x4D42; // "BM"
  fileHeader.bfOffBits = sizeof(fileHeader) + sizeof(info) + nMaskBytes + nColorBytes;
  fileHeader.bfSize = fileHeader.bfOffBits + nPixelBytes;
  ar.Write(&fileHeader, sizeof(fileHeader));
  ar.Write(&info, sizeof(info));
  ar.Write(dib.Masks(), nMaskBytes);
  ar.Write(dib.Colors(), nColorBytes);
  ar.Write(bRle8 ? rle.data() : dib.Pixels(), nPixelBytes);
}
