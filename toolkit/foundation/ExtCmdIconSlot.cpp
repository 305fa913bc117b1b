#include "toolkit/foundation/ExtCmdIconSlot.h"

#include "toolkit/foundation/ExtCmdIcon.h"

namespace ExtCmdIconSlot {

CExtCmdIcon* FromHIcon(HICON hIcon, bool bCopy) { return new CExtCmdIcon(hIcon, bCopy); }
CExtCmdIcon* FromBitmapPart(HBITMAP hBitmap, COLORREF clrTransparent, const RECT& rcPart) {
  return new CExtCmdIcon(hBitmap, clrTransparent, &rcPart, true);
}
CExtCmdIcon* Copy(const CExtCmdIcon& icon) { return new CExtCmdIcon(icon); }
void Assign(CExtCmdIcon& icon, const CExtCmdIcon& source) { icon.AssignFrom(source); }
bool IsEmpty(const CExtCmdIcon* pIcon) { return pIcon == NULL || pIcon->IsEmpty(); }
void Delete(CExtCmdIcon* pIcon) { delete pIcon; }
void OnSysColorChange(CExtCmdIcon& icon) { icon.OnSysColorChange(); }
void OnSettingChange(CExtCmdIcon& icon, UINT uFlags, LPCSTR lpszSection) {
  icon.OnSettingChange((WPARAM)uFlags, (LPARAM)lpszSection);
}
void OnDisplayChange(CExtCmdIcon& icon, INT nDepthBPP, INT nResolutionX, INT nResolutionY) {
  icon.OnDisplayChange(nDepthBPP, nResolutionX, nResolutionY);
}
void OnThemeChanged(CExtCmdIcon& icon, WPARAM wParam, LPARAM lParam) { icon.OnThemeChanged(wParam, lParam); }

} // namespace ExtCmdIconSlot
