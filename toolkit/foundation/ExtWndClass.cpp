#include "toolkit/foundation/ExtWndClass.h"

bool ExtRegisterWndClass(LPCSTR lpszClassName, UINT nStyle, HCURSOR hCursor) {
  HINSTANCE hInst = ::GetModuleHandleA(NULL);
  WNDCLASSA wc = {};
  if (::GetClassInfoA(hInst, lpszClassName, &wc))
    return true;
  wc.style = nStyle;
  wc.lpfnWndProc = ::DefWindowProcA;
  wc.hInstance = hInst;
  wc.hCursor = hCursor != NULL ? hCursor : ::LoadCursor(NULL, IDC_ARROW);
  wc.lpszClassName = lpszClassName;
  return ::RegisterClassA(&wc) != 0;
}
