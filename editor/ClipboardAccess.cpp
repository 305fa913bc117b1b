#include "editor/ClipboardAccess.h"

BOOL OpenClipboardWhenFree(HWND hWnd, DWORD nWaitMs) {
  const DWORD dwStart = ::GetTickCount();
  while (!::OpenClipboard(hWnd)) {
    if (::GetTickCount() - dwStart >= nWaitMs)
      return FALSE;
    ::Sleep(10);
  }
  return TRUE;
}
