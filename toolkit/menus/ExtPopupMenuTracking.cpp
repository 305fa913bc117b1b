// Tracking a popup menu chain: the entry and its modal loop, the site's hooks, and the end.
// (stub: being built)
#include "toolkit/menus/ExtPopupMenuWnd.h"

DWORD CExtPopupTrackSite::g_nLastKeyTime = 0;

CExtPopupTrackSite::~CExtPopupTrackSite() {}
void CExtPopupTrackSite::BeginTracking(CExtPopupMenuWnd* pMenu) { m_pTrackedMenu = pMenu; }
void CExtPopupTrackSite::EndTracking() { m_pTrackedMenu = NULL; }
LRESULT CALLBACK CExtPopupTrackSite::MouseHookProc(int nCode, WPARAM wParam, LPARAM lParam) {
  return ::CallNextHookEx(NULL, nCode, wParam, lParam);
}
LRESULT CALLBACK CExtPopupTrackSite::KeyboardHookProc(int nCode, WPARAM wParam, LPARAM lParam) {
  return ::CallNextHookEx(NULL, nCode, wParam, lParam);
}

bool AreWindowsInOneFamily(HWND, HWND, bool, bool, bool) { return false; }

bool CExtPopupMenuWnd::ItemCoveringNotification_t::Notify() { return false; }
bool CExtPopupMenuWnd::RunTrackingLoop(DWORD, int, int, const RECT*, LPVOID, PFN_COMBINED_AREA_PAINTER, UINT*,
                                       bool) {
  return false;
}
bool CExtPopupMenuWnd::AnyMenuTracked() { return g_PopupTrackSite.m_pTrackedMenu != NULL; }
void CExtPopupMenuWnd::CancelAllTracking() {}
void CExtPopupMenuWnd::DrainMessagesAndIdle(bool) {}
void CExtPopupMenuWnd::ExecuteItem(int) {}
