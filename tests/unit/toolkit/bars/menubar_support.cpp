#include "tests/unit/toolkit/bars/menubar_support.h"

#include "tests/common/input_support.h"
#include "tests/unit/toolkit/bars/keyboard_support.h"
#include "toolkit/foundation/ExtCmdManager.h"

namespace {

const UINT kMenuBarId = 0x9310;

} // namespace

const char MenuBarMdiTest::kProfile[] = "menubar-lab-profile";

BEGIN_MESSAGE_MAP(CMenuBarLabFrame, CLabFrame)
ON_WM_CREATE()
END_MESSAGE_MAP()

int CMenuBarLabFrame::OnCreate(LPCREATESTRUCT lpcs) {
  if (m_bBarBeforeClient)
    return !CreateMenuBar() || CLabFrame::OnCreate(lpcs) == -1 ? -1 : 0;
  return CLabFrame::OnCreate(lpcs) == -1 || !CreateMenuBar() ? -1 : 0;
}

bool CMenuBarLabFrame::CreateMenuBar() {
  g_CmdManagerHolder->SetupProfile(MenuBarMdiTest::kProfile, m_hWnd);
  g_CmdManagerHolder->ImportMenu(MenuBarMdiTest::kProfile, ::GetMenu(m_hWnd), false, true, true);
  g_CmdManagerHolder->ImportMenu(MenuBarMdiTest::kProfile, LabDocMenu(), false, true, true);
  m_pMenuBar.reset(new CCountingMenuBar);
  m_pMenuBar->SetMdiWindowPopupName(" &Window ");
  // No gripper: the tests click into the row, which a gripper's caption band would shift.
  const DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP | CBRS_BORDER_BOTTOM | CBRS_FLYBY |
                        CBRS_TOOLTIPS | CBRS_HIDE_INPLACE;
  if (!m_pMenuBar->Create(NULL, this, kMenuBarId, dwStyle))
    return false;
  m_pMenuBar->EnableDocking(CBRS_ALIGN_ANY);
  if (!CExtControlBar::FrameEnableDocking(this, CBRS_ALIGN_ANY, true))
    return false;
  DockControlBar(m_pMenuBar.get());
  return true;
}

BOOL CMenuBarLabFrame::PreTranslateMessage(MSG* pMsg) {
  if (m_pMenuBar != NULL && m_pMenuBar->GetSafeHwnd() != NULL && m_pMenuBar->TranslateFrameKeyboard(pMsg))
    return TRUE;
  return CLabFrame::PreTranslateMessage(pMsg);
}

void MenuBarMdiTest::SetUp() {
  CMenuBarLabFrame* pFrame = new CMenuBarLabFrame;
  pFrame->m_bBarBeforeClient = BarBeforeClient();
  m_pFrame = static_cast<CMenuBarLabFrame*>(CreateLabFrame(pFrame));
  ASSERT_NE(nullptr, m_pFrame);
  m_hWndFrame = m_pFrame->m_hWnd;
  m_pFrame->RecalcLayout();
  ASSERT_TRUE(ActivateWindow(m_hWndFrame));
  ASSERT_TRUE(SettlesInStep());
}

void MenuBarMdiTest::TearDown() {
  CloseAllMenus();
  DestroyLabFrame(m_pFrame);
  g_CmdManagerHolder->RemoveWindow(m_hWndFrame, true);
}

HWND MenuBarMdiTest::OpenChild(DWORD dwStyle, DWORD dwExStyle) {
  CMDIChildWnd* pChild = new CMDIChildWnd;
  if (!pChild->Create(NULL, "child", WS_CHILD | WS_VISIBLE | dwStyle, CRect(10, 10, 250, 180), m_pFrame))
    return NULL;
  if (dwExStyle != 0)
    pChild->ModifyStyleEx(0, dwExStyle, SWP_FRAMECHANGED);
  m_pFrame->MDIActivate(pChild);
  return pChild->m_hWnd;
}

HWND MenuBarMdiTest::OpenLabDocument(LPCSTR lpszTitle) {
  CLabChild* pChild = OpenLabChild(m_pFrame, lpszTitle);
  return pChild != NULL ? pChild->m_hWnd : NULL;
}

void MenuBarMdiTest::Maximize(HWND hWndChild) {
  ::SendMessageA(Client(), WM_MDIMAXIMIZE, (WPARAM)hWndChild, 0);
}

bool MenuBarMdiTest::Settle(const std::function<bool()>& pred) { return WaitUntilTrue(pred); }

::testing::AssertionResult MenuBarMdiTest::SettlesInStep() {
  std::string sWhy;
  const bool bInStep = Settle([&] {
    if (::GetMenu(m_hWndFrame) != NULL) {
      sWhy = "the frame shows a native menu";
      return false;
    }
    HMENU hMenu = Bar().GetMenuInUse();
    bool bMaximized = false;
    HWND hWndChild = Bar().GetActiveMdiChildWnd(bMaximized);
    const bool bMdiButtons = hWndChild != NULL && bMaximized;
    const int nDoc = Bar().FindMdiDocButton() != NULL ? 1 : 0;
    const int nRight = Bar().FindMdiRightButton() != NULL ? 1 : 0;
    const bool bHasSysMenu = hWndChild != NULL && ::GetSystemMenu(hWndChild, FALSE) != NULL;
    if (nRight != (bMdiButtons ? 1 : 0) || nDoc != (bMdiButtons && bHasSysMenu ? 1 : 0)) {
      sWhy = "the MDI buttons do not follow the active child";
      return false;
    }
    const int nItems = hMenu != NULL ? ::GetMenuItemCount(hMenu) : 0;
    if (Bar().GetButtonCount() != nItems + nDoc + nRight) {
      sWhy = "the buttons do not mirror the menu in use";
      return false;
    }
    for (int i = 0; i < nItems; ++i) {
      if (Bar().GetButton(i + nDoc)->GetMenu() != ::GetSubMenu(hMenu, i)) {
        sWhy = "a button does not hold its item's submenu";
        return false;
      }
    }
    return (Bar().m_nMenuBarFlags &
            (CExtMenuControlBar::MBF_REHOOK_ARMED | CExtMenuControlBar::MBF_REBUILD_ARMED)) == 0;
  });
  if (bInStep)
    return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << sWhy;
}

std::vector<std::string> MenuBarMdiTest::ButtonTexts() {
  std::vector<std::string> texts;
  for (int i = 0; i < Bar().GetButtonCount(); ++i) {
    CExtBarButton* pButton = Bar().GetButton(i);
    if (pButton->IsKindOf(RUNTIME_CLASS(CExtBarMdiRightButton)))
      texts.push_back("<right>");
    else if (pButton->IsKindOf(RUNTIME_CLASS(CExtBarMdiDocButton)))
      texts.push_back("<doc>");
    else if (pButton->IsSeparator())
      texts.push_back("|");
    else
      texts.push_back(static_cast<LPCSTR>(pButton->GetText()));
  }
  return texts;
}

CRect MenuBarMdiTest::BoxOnScreen(UINT nSysCommand) {
  CExtBarMdiRightButton* pRight = Bar().FindMdiRightButton();
  if (pRight == NULL)
    return CRect();
  MdiRightButtonsInfo info;
  if (!Bar().GetMdiRightButtonsInfo(pRight, info, true))
    return CRect();
  CExtBarMdiRightButton::CalcButtonRects(info, pRight->GetRect(), true);
  CRect rc;
  switch (nSysCommand) {
  case SC_CONTEXTHELP:
    rc = info.m_rcHelp;
    break;
  case SC_MINIMIZE:
    rc = info.m_rcMinimize;
    break;
  case SC_RESTORE:
    rc = info.m_rcRestore;
    break;
  case SC_MAXIMIZE:
    rc = info.m_rcLoneMaximize;
    break;
  case SC_CLOSE:
    rc = info.m_rcClose;
    break;
  }
  if (!rc.IsRectEmpty())
    Bar().ClientToScreen(&rc);
  return rc;
}

bool MenuBarMdiTest::ClickAt(CPoint ptScreen) {
  real_input::MoveTo(ptScreen);
  real_input::Button(MOUSEEVENTF_LEFTDOWN);
  real_input::Button(MOUSEEVENTF_LEFTUP);
  return Settle([] { return ::GetAsyncKeyState(VK_LBUTTON) >= 0; });
}
