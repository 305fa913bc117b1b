#include "editor/ClipboardAccess.h"

#include "imaging/CommonLib.h"

BOOL OpenClipboardWhenFree(HWND hWnd, DWORD nWaitMs) {
  const DWORD dwStart = ::GetTickCount();
  while (!::OpenClipboard(hWnd)) {
    if (::GetTickCount() - dwStart >= nWaitMs)
      return FALSE;
    ::Sleep(10);
  }
  return TRUE;
}

HBITMAP CopyClipboardPicture(HWND hWnd) {
  if ((!::IsClipboardFormatAvailable(CF_BITMAP) && !::IsClipboardFormatAvailable(CF_DIB)) ||
      !OpenClipboardWhenFree(hWnd))
    return NULL;
  const HBITMAP hClip = (HBITMAP)::GetClipboardData(CF_BITMAP);
  const HBITMAP hCopy = hClip != NULL ? CCommonLib::DuplicateBitmap(hClip) : NULL;
  ::CloseClipboard();
  return hCopy;
}
