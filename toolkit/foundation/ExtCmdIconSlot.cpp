#include "toolkit/foundation/ExtCmdIconSlot.h"

#if __has_include("toolkit/foundation/ExtCmdIcon.h")

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

#else

// Until the toolkit has its icon class, an icon is a plain owned icon handle: enough for the
// profiles to keep, copy, replace and drop icons by slot.
class CExtCmdIcon {
public:
  explicit CExtCmdIcon(HICON hIcon) : m_hIcon(hIcon) {}
  ~CExtCmdIcon() {
    if (m_hIcon != NULL)
      ::DestroyIcon(m_hIcon);
  }
  CExtCmdIcon(const CExtCmdIcon&) = delete;
  CExtCmdIcon& operator=(const CExtCmdIcon&) = delete;

  HICON m_hIcon;
};

namespace ExtCmdIconSlot {

CExtCmdIcon* FromHIcon(HICON hIcon, bool bCopy) {
  return new CExtCmdIcon(bCopy && hIcon != NULL ? ::CopyIcon(hIcon) : hIcon);
}

CExtCmdIcon* FromBitmapPart(HBITMAP hBitmap, COLORREF clrTransparent, const RECT& rcPart) {
  const int cx = rcPart.right - rcPart.left, cy = rcPart.bottom - rcPart.top;
  if (hBitmap == NULL || cx <= 0 || cy <= 0)
    return new CExtCmdIcon(NULL);
  HDC hScreen = ::GetDC(NULL);
  HDC hSrc = ::CreateCompatibleDC(hScreen), hDst = ::CreateCompatibleDC(hScreen);
  HBITMAP hColor = ::CreateCompatibleBitmap(hScreen, cx, cy);
  HBITMAP hMask = ::CreateBitmap(cx, cy, 1, 1, NULL);
  ::ReleaseDC(NULL, hScreen);
  HGDIOBJ hOldSrc = ::SelectObject(hSrc, hBitmap);
  HGDIOBJ hOldDst = ::SelectObject(hDst, hColor);
  ::BitBlt(hDst, 0, 0, cx, cy, hSrc, rcPart.left, rcPart.top, SRCCOPY);
  // Key-coloured pixels become white in the mask and black in the colour part.
  ::SelectObject(hDst, hMask);
  ::SetBkColor(hSrc, clrTransparent);
  ::BitBlt(hDst, 0, 0, cx, cy, hSrc, rcPart.left, rcPart.top, SRCCOPY);
  ::SelectObject(hSrc, hMask);
  ::SelectObject(hDst, hColor);
  ::SetBkColor(hDst, RGB(255, 255, 255));
  ::SetTextColor(hDst, RGB(0, 0, 0));
  ::BitBlt(hDst, 0, 0, cx, cy, hSrc, 0, 0, 0x00220326); // colour AND NOT mask
  ::SelectObject(hSrc, hOldSrc);
  ::SelectObject(hDst, hOldDst);
  ::DeleteDC(hSrc);
  ::DeleteDC(hDst);
  ICONINFO info = {TRUE, 0, 0, hMask, hColor};
  HICON hIcon = hColor != NULL && hMask != NULL ? ::CreateIconIndirect(&info) : NULL;
  ::DeleteObject(hColor);
  ::DeleteObject(hMask);
  return new CExtCmdIcon(hIcon);
}

CExtCmdIcon* Copy(const CExtCmdIcon& icon) { return FromHIcon(icon.m_hIcon, true); }

void Assign(CExtCmdIcon& icon, const CExtCmdIcon& source) {
  if (&icon == &source)
    return;
  if (icon.m_hIcon != NULL)
    ::DestroyIcon(icon.m_hIcon);
  icon.m_hIcon = source.m_hIcon != NULL ? ::CopyIcon(source.m_hIcon) : NULL;
}

bool IsEmpty(const CExtCmdIcon* pIcon) { return pIcon == NULL || pIcon->m_hIcon == NULL; }
void Delete(CExtCmdIcon* pIcon) { delete pIcon; }

// The plain icon has no look that depends on the system.
void OnSysColorChange(CExtCmdIcon&) {}
void OnSettingChange(CExtCmdIcon&, UINT, LPCSTR) {}
void OnDisplayChange(CExtCmdIcon&, INT, INT, INT) {}
void OnThemeChanged(CExtCmdIcon&, WPARAM, LPARAM) {}

} // namespace ExtCmdIconSlot

#endif
