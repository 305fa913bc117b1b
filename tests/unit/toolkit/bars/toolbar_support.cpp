#include "tests/unit/toolkit/bars/toolbar_support.h"

#include "tests/common/window_support.h"
#include "toolkit/bars/ExtPanelControlBar.h"

#include <chrono>
#include <cstdlib>
#include <cstring>

BEGIN_MESSAGE_MAP(CToolTestFrame, CFrameWnd)
ON_WM_CREATE()
ON_COMMAND_RANGE(100, 159, OnTestCommand)
ON_UPDATE_COMMAND_UI(150, OnUpdate150)
ON_UPDATE_COMMAND_UI(151, OnUpdate151)
END_MESSAGE_MAP()

int CToolTestFrame::OnCreate(LPCREATESTRUCT lpcs) {
  if (CFrameWnd::OnCreate(lpcs) == -1)
    return -1;
  EnableDocking(CBRS_ALIGN_ANY);
  return 0;
}

void CToolTestFrame::OnTestCommand(UINT nID) { m_fired.push_back(nID); }

void CToolTestFrame::OnUpdate150(CCmdUI* pCmdUI) {
  ++m_nUpdates150;
  pCmdUI->Enable(m_bEnable150);
  pCmdUI->SetCheck(m_nCheck150);
}

void CToolTestFrame::OnUpdate151(CCmdUI* pCmdUI) {
  if (m_nRadio151 >= 0)
    pCmdUI->SetRadio(m_nRadio151 != 0);
}

CFixedButton::CFixedButton(CExtToolControlBar* pBar, UINT nCmdID, UINT nStyle)
    : CExtBarButton(pBar, nCmdID, nStyle) {
  if (nCmdID == 0)
    m_nStyle |= TBBS_SEPARATOR;
}

UINT CFixedButton::OnTrackPopup(CPoint, bool, bool) {
  ++m_nTrackCalls;
  return 0;
}

INT_PTR CFixedButton::OnToolHitTest(CPoint, TOOLINFO* pTI) {
  if (m_sTip.IsEmpty())
    return -1;
  if (pTI != NULL) {
    // The caller frees the text.
    pTI->lpszText = static_cast<LPSTR>(std::malloc(m_sTip.GetLength() + 1));
    std::strcpy(pTI->lpszText, m_sTip);
    pTI->rect = m_rc;
  }
  return (INT_PTR)GetCmdID();
}

void CFixedButton::OnClick(CPoint, bool bDown) {
  if (bDown) {
    ++m_nPresses;
    return;
  }
  if (CFrameWnd* pFrame = m_pBar->GetDockingFrame())
    pFrame->SendMessage(WM_COMMAND, MAKEWPARAM(GetCmdID(), 0), 0);
}

void CFixedButton::OnUpdateCmdUI(CWnd* pTarget, bool bDisableIfNoHandler, int nIndex) {
  if (IsSeparator())
    return;
  CExtToolControlBar::CExtToolControlBarCmdUI state;
  state.m_pOther = m_pBar;
  state.m_nID = GetCmdID(false);
  state.m_nIndex = (UINT)nIndex;
  state.m_nIndexMax = (UINT)m_pBar->GetButtonCount();
  state.DoUpdate(pTarget, bDisableIfNoHandler);
}

CFixedToolBar::CFixedToolBar(bool bPanel) {
  if (bPanel)
    m_nToolBarFlags |= TBF_PANEL;
}

CExtBarButton* CFixedToolBar::CreateButtonObject(UINT nCmdID, UINT nStyle) {
  return new CFixedButton(this, nCmdID, nStyle);
}

void CFixedToolBar::RecalcButtonPositions() {
  int x = 4;
  for (int i = 0; i < GetButtonCount(); ++i) {
    CExtBarButton* pButton = GetButton(i);
    if (pButton == m_pRightBtn) {
      pButton->SetRect(CRect(0, 0, 0, 0));
      continue;
    }
    const int cx = pButton->IsSeparator() ? 8 : 24;
    pButton->SetRect(CRect(x, 2, x + cx, 24));
    x += cx;
  }
}

CSize CFixedToolBar::RowSize() const {
  int cx = 8;
  for (int i = 0; i < GetButtonCount(); ++i)
    cx += GetButton(i)->IsSeparator() ? 8 : (GetButton(i) == m_pRightBtn ? 0 : 24);
  // Room for the base bar's gripper and borders around the 26-pixel row.
  return CSize(cx + 40, 56);
}

CSize CFixedToolBar::CalcFixedLayout(BOOL, BOOL) { return RowSize(); }

CSize CFixedToolBar::CalcDynamicLayout(int, DWORD) { return RowSize(); }

POINT CFixedToolBar::ButtonCenter(int nIndex) const {
  CPoint pt = GetButtonRect(nIndex).CenterPoint();
  ClientToScreen(&pt);
  return pt;
}

ToolBarLab::~ToolBarLab() {
  if (pBar && pBar->GetSafeHwnd() != NULL)
    pBar->DestroyWindow();
  pBar.reset();
  if (pFrame != NULL && ::IsWindow(pFrame->m_hWnd))
    pFrame->DestroyWindow(); // the frame deletes itself
  PumpPending();
}

std::unique_ptr<ToolBarLab> MakeToolBarLab(const std::vector<UINT>& ids, bool bPanel) {
  auto pLab = std::make_unique<ToolBarLab>();
  pLab->pFrame = new CToolTestFrame;
  if (!pLab->pFrame->Create(NULL, "tool bar lab", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                            CRect(40, 40, 680, 520))) {
    pLab->pFrame = NULL;
    return nullptr;
  }
  pLab->pFrame->ShowWindow(SW_SHOW);
  pLab->pFrame->UpdateWindow();
  pLab->pBar = std::make_unique<CFixedToolBar>(bPanel);
  if (!pLab->pBar->Create("tools", pLab->pFrame, 0xE900,
                          WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | CBRS_TOP | CBRS_GRIPPER | CBRS_TOOLTIPS |
                              CBRS_SIZE_DYNAMIC))
    return nullptr;
  if (!pLab->pBar->SetButtons(ids.data(), (int)ids.size()))
    return nullptr;
  pLab->pBar->EnableDocking(CBRS_ALIGN_ANY);
  pLab->pFrame->DockControlBar(pLab->pBar.get(), AFX_IDW_DOCKBAR_TOP);
  pLab->pFrame->RecalcLayout();
  pLab->pBar->RecalcButtonPositions();
  ::SetForegroundWindow(pLab->pFrame->m_hWnd);
  pLab->pFrame->SetActiveWindow();
  PumpPending();
  return pLab;
}
