// The system changes a window of the docking passes on to the theme and the command profiles; each
// holder decides whether this window is the one of its frame that passes them on.
#pragma once

#include "framework/wnd/fw_wnd.h"

#include <windows.h>

namespace ExtSystemChanges {
void SysColorChanged(CWnd* pWnd);
void SettingChanged(CWnd* pWnd, UINT uFlags, LPCSTR lpszSection);
void DisplayChanged(CWnd* pWnd, WPARAM wParam, LPARAM lParam);
void ThemeChanged(CWnd* pWnd, WPARAM wParam, LPARAM lParam);
} // namespace ExtSystemChanges
