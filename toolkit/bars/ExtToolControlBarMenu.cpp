// The tool bar's button menus, the popup callback, mnemonics, the help pick loop and command update.
#include "framework/app/fw_app.h"
#include "framework/core/fw_state.h"
#include "toolkit/bars/ExtBarMdiButtons.h"
#include "toolkit/bars/ExtPanelControlBar.h"
#include "toolkit/bars/ExtToolControlBar.h"
#include "toolkit/foundation/ExtCmdManager.h"
#include "toolkit/menus/ExtPopupMenuWnd.h"
#include "toolkit/theme/ExtPaintManager.h"
#include "toolkit/theme/ExtPaintManagerHolder.h"

#include <cctype>

namespace {

// The command item of the button's command in the bar window's profile, NULL when none.
CExtCmdItem* FindBarCommand(CExtToolControlBar* pBar, UINT nCmdID) {
  LPCSTR lpszProfile = g_CmdManagerHolder->GetProfileNameForWindow(pBar->GetSafeHwnd());
  return g_CmdManagerHolder->FindCommand(lpszProfile, nCmdID);
}

// The system commands the help pick maps into the framework's help-id range.
bool IsMappedSysCommand(UINT nCode) {
  switch (nCode) {
  case SC_SIZE:
  case SC_MOVE:
  case SC_MINIMIZE:
  case SC_MAXIMIZE:
  case SC_NEXTWINDOW:
  case SC_PREVWINDOW:
  case SC_CLOSE:
  case SC_RESTORE:
  case SC_TASKLIST:
    return true;
  default:
    return false;
  }
}

enum PickStep { PICK_PUMP, PICK_NEXT, PICK_RETURN };

// What the help pick makes of the peeked message: a result (taken from the queue), a message it
// handled (taken too), or one for the ordinary pump.
PickStep TakePickMessage(MSG& msg, int& nResult) {
  CExtControlBar* pMsgBar = dynamic_cast<CExtControlBar*>(CWnd::FromHandlePermanent(msg.hwnd));
  const CPoint ptClient((short)LOWORD(msg.lParam), (short)HIWORD(msg.lParam));
  switch (msg.message) {
  case WM_LBUTTONDOWN:
    if (pMsgBar == NULL || (nResult = pMsgBar->HitTestItem(ptClient)) <= 0)
      return PICK_PUMP;
    break;
  case WM_MOUSEMOVE:
    if (pMsgBar == NULL || !pMsgBar->ProcessMouseMove((UINT)msg.wParam, ptClient))
      return PICK_PUMP;
    ::PeekMessageA(&msg, msg.hwnd, msg.message, msg.message, PM_REMOVE);
    return PICK_NEXT;
  case WM_COMMAND:
    if (HIWORD(msg.wParam) > 1)
      return PICK_PUMP;
    nResult = LOWORD(msg.wParam);
    break;
  case WM_SYSCOMMAND:
    nResult = IsMappedSysCommand((UINT)msg.wParam & 0xFFF0)
                  ? (int)(((((UINT)msg.wParam & 0xFFF0) - 0xF000) >> 4) + 0x1EF00)
                  : (int)msg.wParam;
    break;
  default:
    return PICK_PUMP;
  }
  ::PeekMessageA(&msg, msg.hwnd, msg.message, msg.message, PM_REMOVE);
  return PICK_RETURN;
}

// One pick runs at a time in the process.
bool g_bHelpPickRunning = false;

} // namespace

// --- the command-update object -------------------------------------------------------------------

void CExtToolControlBar::CExtToolControlBarCmdUI::Enable(BOOL bOn) {
  m_bEnableChanged = TRUE;
  CExtToolControlBar* pBar = static_cast<CExtToolControlBar*>(m_pOther);
  CExtBarButton* pButton = pBar->GetButton((int)m_nIndex);
  if (pButton == NULL || pButton == pBar->m_pRightBtn)
    return;
  const UINT nOld = pButton->GetStyle();
  pBar->SetButtonStyle((int)m_nIndex, bOn ? (nOld & ~TBBS_DISABLED) : (nOld | TBBS_DISABLED));
  if (CExtCmdItem* pItem = FindBarCommand(pBar, m_nID))
    pItem->Enable(bOn != FALSE);
}

void CExtToolControlBar::CExtToolControlBarCmdUI::SetCheck(int nCheck) { ApplyCheck(nCheck, false); }

void CExtToolControlBar::CExtToolControlBarCmdUI::SetRadio(BOOL bOn) {
  ApplyCheck(bOn ? 1 : 0, true);
  CExtToolControlBar* pBar = static_cast<CExtToolControlBar*>(m_pOther);
  if (CExtCmdItem* pItem = FindBarCommand(pBar, m_nID))
    pItem->SetRadio(bOn != FALSE);
}

void CExtToolControlBar::CExtToolControlBarCmdUI::SetText(LPCSTR /*lpszText*/) {}

void CExtToolControlBar::CExtToolControlBarCmdUI::ApplyCheck(int nCheck, bool bFromRadio) {
  CExtToolControlBar* pBar = static_cast<CExtToolControlBar*>(m_pOther);
  CExtBarButton* pButton = pBar->GetButton((int)m_nIndex);
  if (pButton == NULL || pButton == pBar->m_pRightBtn)
    return;
  UINT nStyle = pButton->GetStyle() & ~(TBBS_CHECKED | TBBS_INDETERMINATE);
  if (nCheck == 1)
    nStyle |= TBBS_CHECKED;
  else if (nCheck == 2)
    nStyle |= TBBS_INDETERMINATE;
  nStyle |= TBBS_CHECKBOX;
  pBar->SetButtonStyle((int)m_nIndex, nStyle);
  if (!bFromRadio)
    return;
  if (CExtCmdItem* pItem = FindBarCommand(pBar, m_nID))
    pItem->SetCheck((nStyle & (TBBS_CHECKED | TBBS_PRESSED)) != 0);
}

// --- the popup callback --------------------------------------------------------------------------

void CExtToolControlBar::PaintTrackedButtonOnPopup(LPVOID pCookie, CDC& dc, const CWnd& wndMenu,
                                                   const RECT& rcArea, int /*nCombineSide*/) {
  CExtToolControlBar* pBar = static_cast<CExtToolControlBar*>(pCookie);
  if (pBar == NULL || pBar->GetSafeHwnd() == NULL || ::IsRectEmpty(&rcArea))
    return;
  CExtBarButton* pButton = pBar->GetButton(pBar->m_nBtnIdxMenuTracking);
  if (pButton == NULL)
    return;
  if (pButton == pBar->m_pRightBtn && g_PaintManagerHolder->HasDockerBackground(pButton) &&
      !pBar->IsMenuBar() &&
      (!pBar->IsDialogMode() || (pBar->m_nToolBarFlags & TBF_THEMED_OUTSIDE_DOCK) != 0) &&
      dc.GetDeviceCaps(BITSPIXEL) > 8)
    return;
  const UINT nStyle = pButton->GetStyle();
  const bool bHover = pButton->IsHover();
  pButton->SetStyle(nStyle & ~(TBBS_CHECKED | TBBS_PRESSED | TBBS_CHECKBOX));
  pButton->SetHover(false);
  // The button is drawn in bar coordinates, seen through the popup.
  CPoint ptOrigin(0, 0);
  pBar->ClientToScreen(&ptOrigin);
  wndMenu.ScreenToClient(&ptOrigin);
  const CPoint ptOldOrg = dc.OffsetViewportOrg(ptOrigin.x, ptOrigin.y);
  g_PaintManagerHolder->PaintToolBarButtonBackground(dc, pButton, pBar->GetButtonPaintParam(dc, pButton));
  pButton->Paint(dc, pBar->IsBarHorizontal() || pBar->IsPanelBar());
  dc.SetViewportOrg(ptOldOrg);
  pButton->SetHover(bHover);
  pButton->SetStyle(nStyle);
}

// --- button menus --------------------------------------------------------------------------------

bool CExtToolControlBar::TrackButtonMenu(int nIndex, bool bSelectAny, bool bDelayed, bool bForceNoAnimation) {
  if (IsBarInteractionSuspended())
    return false;
  if (g_bMenuTracking && nIndex >= 0 && m_nBtnIdxMenuTracking == nIndex)
    return true;
  if (GetSafeHwnd() == NULL || !IsWindowVisible())
    return false;
  CExtBarButton* pButton = GetButton(nIndex);
  if (pButton == NULL || (pButton->GetStyle() & (TBBS_DISABLED | TBBS_HIDDEN)) != 0 ||
      !pButton->IsAbleToTrackMenu())
    return false;
  CPoint point;
  if (!::GetCursorPos(&point))
    return false;
  ScreenToClient(&point);
  if (bDelayed)
    PostMessage(g_nMsgTrackButtonMenu, (WPARAM)nIndex, bForceNoAnimation ? 1 : 0);
  else
    pButton->OnTrackPopup(point, bSelectAny, bForceNoAnimation);
  return true;
}

LRESULT CExtToolControlBar::OnTrackButtonMenu(WPARAM wParam, LPARAM lParam) {
  CWnd* pTarget = GetCmdUITarget();
  if (pTarget == NULL || !pTarget->IsWindowEnabled() || GetButtonCount() == 0)
    return 0;
  const int nIndex = (int)wParam;
  CExtBarButton* pButton = GetButton(nIndex);
  if (pButton == NULL) {
    EndMenuTrackingInAllBars();
    return 0;
  }
  if (pButton->IsAbleToTrackMenu() && CExtPopupMenuWnd::AnyMenuTracked()) {
    TrackButtonMenu(nIndex, true, false, lParam != 0);
    return 0;
  }
  EndMenuTrackingInAllBars();
  if (GetSafeHwnd() != NULL && CExtMouseCaptureSink::GetCapture() == m_hWnd)
    CExtMouseCaptureSink::ReleaseCapture();
  return 0;
}

// --- keyboard helpers ----------------------------------------------------------------------------

// The character after the text's mnemonic marker ("&&" is a literal ampersand), 0 when none.
static TCHAR MnemonicOf(const CString& sText) {
  const int nLength = sText.GetLength();
  for (int i = 0; i + 1 < nLength; ++i) {
    if (sText[i] != '&')
      continue;
    if (sText[i + 1] == '&') {
      ++i;
      continue;
    }
    return sText[i + 1];
  }
  return 0;
}

int CExtToolControlBar::FindButtonByMnemonic(TCHAR chr) const {
  const int nCount = GetButtonCount();
  if (nCount == 0 || chr == 0)
    return -1;
  const int nWanted = std::toupper((unsigned char)chr);
  for (int i = 0; i < nCount; ++i) {
    CExtBarButton* pButton = m_buttons[i];
    if (pButton->IsSeparator() || (pButton->GetStyle() & TBBS_HIDDEN) != 0 || pButton == m_pRightBtn ||
        pButton->IsKindOf(RUNTIME_CLASS(CExtBarMdiDocButton)))
      continue;
    const TCHAR chMnemonic = MnemonicOf(pButton->GetText());
    if (chMnemonic == 0 || std::toupper((unsigned char)chMnemonic) != nWanted)
      continue;
    // A button pushed behind the chevron is reached through the chevron.
    if (pButton->IsVisible())
      return i;
    return m_pRightBtn != NULL ? GetButtonIndex(m_pRightBtn) : -1;
  }
  return -1;
}

int CExtToolControlBar::FindNextVisibleButton(int nIndex, bool bForward) const {
  const int nCount = GetButtonCount();
  if (nCount == 0)
    return -1;
  if (nCount == 1)
    return 0;
  int i = nIndex;
  for (int nStep = 0; nStep < nCount; ++nStep) {
    i = bForward ? i + 1 : i - 1;
    if (i >= nCount)
      i = 0;
    else if (i < 0)
      i = nCount - 1;
    if (i == nIndex)
      break;
    CExtBarButton* pButton = m_buttons[i];
    if (!pButton->IsVisible() || (pButton->GetStyle() & TBBS_HIDDEN) != 0 || pButton->IsSeparator() ||
        pButton->IsKindOf(RUNTIME_CLASS(CExtBarMdiDocButton)))
      continue;
    if (bForward && pButton->IsDisabled())
      continue;
    return i;
  }
  return nIndex;
}

// --- context help --------------------------------------------------------------------------------

int CExtToolControlBar::PickHelpCommand() {
  CFrameWnd* pFrame = GetDockingFrame();
  if (g_bHelpPickRunning || pFrame == NULL || !IsFrameInHelpMode(pFrame))
    return -3;
  struct Guard {
    Guard() { g_bHelpPickRunning = true; }
    ~Guard() { g_bHelpPickRunning = false; }
  } guard;
  const HWND hWndBar = m_hWnd;
  const HWND hWndFrame = pFrame->GetSafeHwnd();
  for (;;) {
    MSG msg;
    while (!::PeekMessageA(&msg, NULL, 0, 0, PM_NOREMOVE)) {
      if (!::IsWindow(hWndBar) || !::IsWindow(hWndFrame) || !IsFrameInHelpMode(pFrame))
        return -3;
      ::WaitMessage();
    }
    int nResult = 0;
    const PickStep step = TakePickMessage(msg, nResult);
    if (step == PICK_RETURN)
      return nResult;
    if (step == PICK_NEXT)
      continue;
    if (!AfxPumpMessage()) {
      // The quit belongs to the outer loop: hand it back.
      ::PostQuitMessage((int)AfxGetThreadState()->m_msgCur.wParam);
      return -3;
    }
  }
}

// --- command update ------------------------------------------------------------------------------

CWnd* CExtToolControlBar::GetCmdUITarget() const {
  if (IsDialogMode()) {
    CWnd* pOwner = GetOwner();
    return pOwner != NULL ? pOwner : GetParent();
  }
  return GetDockingFrame();
}

void CExtToolControlBar::UpdateButtonCmdUI(int nIndex) {
  CExtBarButton* pButton = GetButton(nIndex);
  CWnd* pTarget = GetCmdUITarget();
  if (pButton == NULL || pTarget == NULL)
    return;
  bool bDisableIfNoHandler = true;
  if (CFrameWnd* pFrame = DYNAMIC_DOWNCAST(CFrameWnd, pTarget))
    bDisableIfNoHandler = pFrame->m_bAutoMenuEnable != FALSE;
  pButton->OnUpdateCmdUI(pTarget, bDisableIfNoHandler, nIndex);
}

void CExtToolControlBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) {
  CWnd* pUpdateTarget = pTarget;
  if (!IsDialogMode()) {
    CExtControlBar::OnUpdateCmdUI(pTarget, bDisableIfNoHndler);
    if (GetDraggedBar() != NULL)
      return;
  } else {
    if (pTarget != NULL && pTarget->IsKindOf(RUNTIME_CLASS(CFrameWnd)))
      return;
    pUpdateTarget = GetOwner() != NULL ? GetOwner() : GetParent();
  }
  if (GetSafeHwnd() == NULL || !IsWindowVisible() || pUpdateTarget == NULL)
    return;
  const HWND hWndOwn = m_hWnd;
  // Each changed button would repaint the whole bar at once; the bar repaints once at the end.
  m_nToolBarFlags |= TBF_UPDATING_CMD_UI;
  for (int i = 0; i < GetButtonCount(); ++i) {
    m_buttons[i]->OnUpdateCmdUI(pUpdateTarget, bDisableIfNoHndler != FALSE, i);
    if (!::IsWindow(hWndOwn))
      return;
  }
  m_nToolBarFlags &= (BYTE)~TBF_UPDATING_CMD_UI;
  UpdateWindow();
  UpdateDialogControls(pUpdateTarget, bDisableIfNoHndler);
}
