// What command items and profiles do with the command icons they own. Profiles keep their icons
// as pointers and reach the icon class only through these operations, in one place.
#pragma once

#include <windows.h>

#include <memory>

class CExtCmdIcon;

namespace ExtCmdIconSlot {

// New icons, owned by the caller (release with Delete); NULL when none could be made.
// An icon from a handle takes the handle over unless bCopy is set.
CExtCmdIcon* FromHIcon(HICON hIcon, bool bCopy);
// A copy of the rectangle rcPart of hBitmap, whose pixels of clrTransparent are transparent.
CExtCmdIcon* FromBitmapPart(HBITMAP hBitmap, COLORREF clrTransparent, const RECT& rcPart);
CExtCmdIcon* Copy(const CExtCmdIcon& icon);

void Assign(CExtCmdIcon& icon, const CExtCmdIcon& source);
// NULL counts as empty.
bool IsEmpty(const CExtCmdIcon* pIcon);
void Delete(CExtCmdIcon* pIcon);

void OnSysColorChange(CExtCmdIcon& icon);
void OnSettingChange(CExtCmdIcon& icon, UINT uFlags, LPCSTR lpszSection);
void OnDisplayChange(CExtCmdIcon& icon, INT nDepthBPP, INT nResolutionX, INT nResolutionY);
void OnThemeChanged(CExtCmdIcon& icon, WPARAM wParam, LPARAM lParam);

struct Deleter {
  void operator()(CExtCmdIcon* pIcon) const { Delete(pIcon); }
};
typedef std::unique_ptr<CExtCmdIcon, Deleter> Ptr;

} // namespace ExtCmdIconSlot
