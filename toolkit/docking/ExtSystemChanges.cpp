#include "toolkit/docking/ExtSystemChanges.h"

#include "toolkit/foundation/ExtCmdManager.h"
#include "toolkit/theme/ExtPaintManagerHolder.h"

namespace ExtSystemChanges {

void SysColorChanged(CWnd* pWnd) {
  g_PaintManagerHolder.ForwardSysColorChange(pWnd);
  g_CmdManagerHolder.OnSysColorChangeFor(pWnd);
}

void SettingChanged(CWnd* pWnd, UINT uFlags, LPCSTR lpszSection) {
  g_PaintManagerHolder.ForwardSettingChange(pWnd, uFlags, reinterpret_cast<LPARAM>(lpszSection));
  g_CmdManagerHolder.OnSettingChangeFor(pWnd, uFlags, lpszSection);
}

void DisplayChanged(CWnd* pWnd, WPARAM wParam, LPARAM lParam) {
  const int nBitsPerPixel = static_cast<int>(wParam);
  g_PaintManagerHolder.ForwardDisplayChange(pWnd, nBitsPerPixel, LOWORD(lParam), HIWORD(lParam));
  g_CmdManagerHolder.OnDisplayChangeFor(pWnd, nBitsPerPixel, LOWORD(lParam), HIWORD(lParam));
}

void ThemeChanged(CWnd* pWnd, WPARAM wParam, LPARAM lParam) {
  g_PaintManagerHolder.ForwardThemeChanged(pWnd, wParam, lParam);
  g_CmdManagerHolder.OnThemeChangedFor(pWnd, wParam, lParam);
}

} // namespace ExtSystemChanges
