// Reading picture files through GDI+.
#include "imaging/ImageFile.h"

#include <objbase.h>

#include <cstdio>
#include <memory>

namespace {

// The global memory block a picture is decoded from.
class CGlobalBlock {
public:
  explicit CGlobalBlock(HGLOBAL hBlock) : m_hBlock(hBlock) {}
  ~CGlobalBlock() {
    if (m_hBlock != NULL)
      ::GlobalFree(m_hBlock);
  }
  CGlobalBlock(const CGlobalBlock&) = delete;
  CGlobalBlock& operator=(const CGlobalBlock&) = delete;

private:
  HGLOBAL m_hBlock;
};

// A bitmap decoded from a stream over a block it owns. Bases are destroyed in reverse order, so
// GDI+ lets go of the picture before the block is freed.
class CBlockBitmap : private CGlobalBlock, public Gdiplus::Bitmap {
public:
  CBlockBitmap(HGLOBAL hBlock, IStream* pStream) : CGlobalBlock(hBlock), Gdiplus::Bitmap(pStream, FALSE) {}
};

struct FileCloser {
  void operator()(FILE* pFile) const { std::fclose(pFile); }
};

// The whole file in a new zero-filled movable block; NULL when it cannot be read.
HGLOBAL ReadFileIntoBlock(LPCSTR lpszPath) {
  std::unique_ptr<FILE, FileCloser> pFile(std::fopen(lpszPath, "rb"));
  if (!pFile || std::fseek(pFile.get(), 0, SEEK_END) != 0)
    return NULL;
  long nSize = std::ftell(pFile.get());
  if (nSize <= 0 || std::fseek(pFile.get(), 0, SEEK_SET) != 0)
    return NULL;
  HGLOBAL hBlock = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, (SIZE_T)nSize);
  if (hBlock == NULL)
    return NULL;
  void* pBytes = ::GlobalLock(hBlock);
  size_t nRead = pBytes != NULL ? std::fread(pBytes, 1, (size_t)nSize, pFile.get()) : 0;
  ::GlobalUnlock(hBlock);
  if (nRead != (size_t)nSize) {
    ::GlobalFree(hBlock);
    return NULL;
  }
  return hBlock;
}

} // namespace

Gdiplus::Bitmap* LoadGdipBitmapFromFile(LPCSTR lpszPath) {
  if (lpszPath == NULL)
    return NULL;
  HGLOBAL hBlock = ReadFileIntoBlock(lpszPath);
  if (hBlock == NULL)
    return NULL;
  // The stream leaves the block alone on release: the bitmap frees it after GDI+ is done.
  IStream* pStream = NULL;
  if (FAILED(::CreateStreamOnHGlobal(hBlock, FALSE, &pStream))) {
    ::GlobalFree(hBlock);
    return NULL;
  }
  std::unique_ptr<Gdiplus::Bitmap> pBitmap(new CBlockBitmap(hBlock, pStream));
  pStream->Release();
  if (pBitmap->GetLastStatus() != Gdiplus::Ok)
    return NULL;
  return pBitmap.release();
}
