#include "editor/ClipboardAccess.h"

#include "imaging/CommonLib.h"
#include "imaging/PackedDib.h"
#include "imaging/PictureCheck.h"

#include <cstdint>

namespace {

// The picture format the clipboard's owner put there: the first bitmap or packed bitmap in the
// clipboard's order, which lists the formats the system makes of another after those that were
// put; 0 when there is none. The clipboard is open.
UINT OwnersPictureFormat() {
  for (UINT nFormat = ::EnumClipboardFormats(0); nFormat != 0; nFormat = ::EnumClipboardFormats(nFormat))
    if (nFormat == CF_BITMAP || nFormat == CF_DIB || nFormat == CF_DIBV5)
      return nFormat;
  return 0;
}

// The picture of the packed bitmap on the clipboard in that format, read within its block.
HBITMAP CopyPackedPicture(UINT nFormat) {
  HGLOBAL hBlock = (HGLOBAL)::GetClipboardData(nFormat);
  const BYTE* pBytes = hBlock != NULL ? static_cast<const BYTE*>(::GlobalLock(hBlock)) : NULL;
  if (pBytes == NULL)
    return NULL;
  HBITMAP hPicture = PictureFromPackedDib(pBytes, ::GlobalSize(hBlock));
  ::GlobalUnlock(hBlock);
  return hPicture;
}

// A copy of the bitmap on the clipboard, only when its picture is within the bound every other road
// into the program holds: the copy of a larger one takes the memory before anything can refuse it.
HBITMAP CopyBitmapWithinBound(HBITMAP hClip) {
  BITMAP bm = {};
  if (hClip == NULL || ::GetObject(hClip, sizeof(bm), &bm) == 0 ||
      !FitsPictureBound((std::uint64_t)(LONG64)bm.bmWidth, (std::uint64_t)(LONG64)bm.bmHeight))
    return NULL;
  return CCommonLib::DuplicateBitmap(hClip);
}

} // namespace

BOOL OpenClipboardWhenFree(HWND hWnd, DWORD nWaitMs) {
  const DWORD dwStart = ::GetTickCount();
  while (!::OpenClipboard(hWnd)) {
    if (::GetTickCount() - dwStart >= nWaitMs)
      return FALSE;
    ::Sleep(10);
  }
  return TRUE;
}

// A bitmap is asked for only where the owner put one: the system's bitmap of a packed bitmap reads
// its header, masks, colours and rows without holding them against the block's size.
HBITMAP CopyClipboardPicture(HWND hWnd) {
  if ((!::IsClipboardFormatAvailable(CF_BITMAP) && !::IsClipboardFormatAvailable(CF_DIB)) ||
      !OpenClipboardWhenFree(hWnd))
    return NULL;
  HBITMAP hCopy = NULL;
  const UINT nFormat = OwnersPictureFormat();
  if (nFormat == CF_BITMAP) {
    hCopy = CopyBitmapWithinBound((HBITMAP)::GetClipboardData(CF_BITMAP));
  } else if (nFormat != 0) {
    hCopy = CopyPackedPicture(nFormat);
  }
  ::CloseClipboard();
  return hCopy;
}
