// The object picker of the "Object" capture: a small topmost dialog that frames the window under
// the pointer in red on the live desktop; a left click captures that window's rectangle, a right
// click, Enter or Esc cancel.
#pragma once

#include <windows.h>

extern BOOL g_bObjectPicking;   // the picker runs; its procedure does nothing otherwise
extern HWND g_hwndPickedWindow; // the window framed now, or NULL

// The dialog procedure of the picker's template, run with no owner.
INT_PTR CALLBACK ObjectPickerProc(HWND hDlg, UINT message, WPARAM wParam, LPARAM lParam);
// Whether the window under the pointer is one to frame; the picker itself moves out of the way.
BOOL ValidatePickedWindow(HWND hCandidate, HWND hPicker);
// Draws the red highlight frame on a window, clipped to the desktop.
void DrawDesktopFrame(HWND hWnd);
