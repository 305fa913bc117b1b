// Whether a popup menu is still there after a step that may have taken its chain down: a message
// sent to the receiver, an animation start, a submenu opened. Ending the tracking deletes the whole
// chain, so the answer comes from the site and the window handle, never from the menu object.
#pragma once

#include "toolkit/menus/ExtPopupMenuWnd.h"

class CExtPopupChainGuard {
public:
  explicit CExtPopupChainGuard(CExtPopupMenuWnd& menu)
      : m_hWnd(menu.GetSafeHwnd()), m_nSerial(CExtPopupMenuWnd::GetTrackSite().m_nTrackingSerial),
        m_bTracked(CExtPopupMenuWnd::GetTrackSite().m_pTrackedMenu == menu.GetTopMenu()) {}

  // Call again once the menu has its window, so that its loss counts.
  void TakeWindow(const CExtPopupMenuWnd& menu) { m_hWnd = menu.GetSafeHwnd(); }

  bool IsAlive() const {
    const CExtPopupTrackSite& site = CExtPopupMenuWnd::GetTrackSite();
    if (m_bTracked && (site.IsEmpty() || site.IsEnding() || site.m_nTrackingSerial != m_nSerial))
      return false;
    return m_hWnd == NULL || ::IsWindow(m_hWnd);
  }

private:
  HWND m_hWnd;
  DWORD m_nSerial;
  bool m_bTracked;
};
