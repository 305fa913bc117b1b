// The tool bar's button menus, the popup callback, mnemonics, the help pick loop and command update.
#include "toolkit/bars/ExtToolControlBar.h"

void CExtToolControlBar::CExtToolControlBarCmdUI::Enable(BOOL bOn) {}

void CExtToolControlBar::CExtToolControlBarCmdUI::SetCheck(int nCheck) {}

void CExtToolControlBar::CExtToolControlBarCmdUI::SetRadio(BOOL bOn) {}

void CExtToolControlBar::CExtToolControlBarCmdUI::SetText(LPCSTR lpszText) {}

void CExtToolControlBar::CExtToolControlBarCmdUI::ApplyCheck(int nCheck, bool bFromRadio) {}

void CExtToolControlBar::PaintTrackedButtonOnPopup(LPVOID pCookie, CDC& dc, const CWnd& wndMenu,
                                                   const RECT& rcArea, int nCombineSide) {}

void CExtToolControlBar::UpdateButtonCmdUI(int nIndex) {}

int CExtToolControlBar::FindButtonByMnemonic(TCHAR chr) const { return -1; }

int CExtToolControlBar::FindNextVisibleButton(int nIndex, bool bForward) const { return -1; }

int CExtToolControlBar::PickHelpCommand() { return -1; }

bool CExtToolControlBar::TrackButtonMenu(int nIndex, bool bSelectAny, bool bDelayed, bool bForceNoAnimation) {
  return false;
}

void CExtToolControlBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) {}

CWnd* CExtToolControlBar::GetCmdUITarget() const { return NULL; }

LRESULT CExtToolControlBar::OnTrackButtonMenu(WPARAM wParam, LPARAM lParam) { return 0; }
