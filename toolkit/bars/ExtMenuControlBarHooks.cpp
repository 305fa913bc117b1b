// The menu bar's handling of the hooked windows' messages.
#include "toolkit/bars/ExtMenuControlBar.h"

bool CExtMenuControlBar::OnWindowMessage(LRESULT& lResult, HWND hWndHooked, UINT nMessage, WPARAM& wParam,
                                         LPARAM& lParam) {
  return CExtHookSink::OnWindowMessage(lResult, hWndHooked, nMessage, wParam, lParam);
}

bool CExtMenuControlBar::HandleHookedFrameMessage(LRESULT& lResult, HWND hWndHooked, UINT nMessage,
                                                  WPARAM wParam, LPARAM lParam) {
  return false;
}
