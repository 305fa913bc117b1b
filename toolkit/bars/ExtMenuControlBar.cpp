// The menu bar: creation, rebuild from the menu, MDI buttons, deferred work.
#include "toolkit/bars/ExtMenuControlBar.h"
#include "toolkit/bars/ExtBarMdiButtons.h"
#include "toolkit/bars/ExtPanelControlBar.h"

IMPLEMENT_DYNCREATE(CExtMenuControlBar, CExtToolControlBar)

BEGIN_MESSAGE_MAP(CExtMenuControlBar, CExtToolControlBar)
ON_WM_CREATE()
ON_WM_DESTROY()
ON_WM_TIMER()
ON_WM_LBUTTONDOWN()
ON_WM_LBUTTONUP()
ON_REGISTERED_MESSAGE(CExtToolControlBar::g_nMsgTrackButtonMenu, OnTrackButtonMenu)
END_MESSAGE_MAP()

CExtMenuControlBar::CExtMenuControlBar()
    : CExtHookSink(true), m_nMdiButtonsCmdId(0), m_hWndHooked(NULL), m_nKeyboardFlags(0),
      m_nFlatTrackingIndex(-1), m_nOldTrackingIndex(-1), m_nMenuBarFlags(0xF2), m_bFrameMenuLoaded(false) {}

CExtMenuControlBar::~CExtMenuControlBar() {}

bool CExtMenuControlBar::GetMdiRightButtonsInfo(CExtBarMdiRightButton* pButton, MdiRightButtonsInfo& info,
                                                bool bHorz) {
  return false;
}

bool CExtMenuControlBar::RebuildMenuButtons(bool bRecalc) { return false; }

HMENU CExtMenuControlBar::GetMenuInUse() const { return NULL; }

HWND CExtMenuControlBar::GetActiveMdiChildWnd(bool& bMaximized) const { return NULL; }

bool CExtMenuControlBar::SyncMdiButtons(bool bRecalc) { return false; }

void CExtMenuControlBar::RehookActiveMdiChild() {}

bool CExtMenuControlBar::HookMdiClient(HWND hWndMdiClient) { return false; }

void CExtMenuControlBar::PostDeferredRehook() {}

void CExtMenuControlBar::PostDeferredRebuild() {}

void CExtMenuControlBar::SetMdiWindowPopupName(LPCSTR lpszName) {}

bool CExtMenuControlBar::LoadMenuBar(UINT nResourceID) { return false; }

void CExtMenuControlBar::DetachFrameMenu() {}

HWND CExtMenuControlBar::FindMdiClient() const { return NULL; }

CExtBarMdiRightButton* CExtMenuControlBar::FindMdiRightButton() const { return NULL; }

void CExtMenuControlBar::PreSubclassWindow() { CExtToolControlBar::PreSubclassWindow(); }

void CExtMenuControlBar::RecalcParentFrameLayout() { CExtToolControlBar::RecalcParentFrameLayout(); }

void CExtMenuControlBar::OnDraggingStarted() { CExtToolControlBar::OnDraggingStarted(); }

void CExtMenuControlBar::OnDraggingFinished(InternalDraggingState_t* pCurrent, InternalDraggingState_t* pNew,
                                            bool bApplied) {
  CExtToolControlBar::OnDraggingFinished(pCurrent, pNew, bApplied);
}

CExtBarContentExpandButton* CExtMenuControlBar::CreateContentExpandButton() { return NULL; }

bool CExtMenuControlBar::IsLayoutRightToLeft() const { return false; }

bool CExtMenuControlBar::IsInsertRightToLeft() const { return false; }

void CExtMenuControlBar::RecalcButtonPositions() { CExtToolControlBar::RecalcButtonPositions(); }

bool CExtMenuControlBar::IsSuspendedDockedLayout() const { return false; }

int CExtMenuControlBar::OnCreate(LPCREATESTRUCT lpcs) { return CControlBar::OnCreate(lpcs); }

void CExtMenuControlBar::OnDestroy() { CExtToolControlBar::OnDestroy(); }

void CExtMenuControlBar::OnTimer(UINT nIDEvent) { CExtToolControlBar::OnTimer(nIDEvent); }
