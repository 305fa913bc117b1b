// Commands, command-update passes, reflection to child controls, the data exchange lock-out,
// forwarding of system changes and the exception barrier.
#include "tests/common/window_support.h"

#include <gtest/gtest.h>

#include <map>

namespace {

enum { ID_ONLY_COMMAND = 40001, ID_NO_HANDLER, ID_DISABLED, ID_CONTINUE, ID_EX_FALSE, ID_THROWS };
enum { IDC_EDIT = 12, IDC_BUTTON = 77 };

// Plays every role here: command target, reflecting control and its parent, owner of a data
// exchange and listener for system changes. m_n counts the calls of each handler.
class CSpyWnd : public CHostWnd {
public:
  std::map<std::string, int> m_n;
  CWnd* m_pEdit = NULL;
  // Filling a control sends EN_CHANGE to us while UpdateData runs.
  void DoDataExchange(CDataExchange*) override { m_pEdit->SetWindowText("filled"); }
  void DrawItem(LPDRAWITEMSTRUCT) override { ++m_n["drawitem"]; }

protected:
  afx_msg void OnOnlyCommand() { ++m_n["only"]; }
  afx_msg void OnDisabled() { ++m_n["disabled"]; }
  afx_msg void OnUpdateDisabled(CCmdUI* pCmdUI) { pCmdUI->Enable(FALSE); }
  afx_msg void OnUpdateContinue(CCmdUI* pCmdUI) { pCmdUI->ContinueRouting(); }
  afx_msg BOOL OnExFalse(UINT) {
    ++m_n["ex"];
    return FALSE;
  }
  afx_msg void OnThrows() {
    ++m_n["throws"];
    AfxThrowFileException(CFileException::accessDenied, ERROR_ACCESS_DENIED, "locked.png");
  }
  afx_msg void OnButtonClicked() { ++m_n["clicked"]; }
  afx_msg void OnEditChange() { ++m_n["edit"]; }
  afx_msg void OnReflectedClick() { ++m_n["reflected click"]; }
  afx_msg void OnCustomDraw(NMHDR*, LRESULT* pResult) {
    ++m_n["customdraw"];
    *pResult = CDRF_SKIPDEFAULT;
  }
  afx_msg HBRUSH CtlColor(CDC*, UINT) {
    ++m_n["ctlcolor"];
    return (HBRUSH)::GetStockObject(GRAY_BRUSH);
  }
  afx_msg void OnSysColorChange() {
    ++m_n["syscolor"];
    CWnd::OnSysColorChange();
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CSpyWnd, CHostWnd)
ON_COMMAND(ID_ONLY_COMMAND, OnOnlyCommand)
ON_COMMAND(ID_DISABLED, OnDisabled)
ON_UPDATE_COMMAND_UI(ID_DISABLED, OnUpdateDisabled)
ON_UPDATE_COMMAND_UI(ID_CONTINUE, OnUpdateContinue)
ON_COMMAND_EX(ID_EX_FALSE, OnExFalse)
ON_COMMAND(ID_THROWS, OnThrows)
ON_BN_CLICKED(IDC_BUTTON, OnButtonClicked)
ON_EN_CHANGE(IDC_EDIT, OnEditChange)
ON_CONTROL_REFLECT(BN_CLICKED, OnReflectedClick)
ON_NOTIFY_REFLECT(NM_CUSTOMDRAW, OnCustomDraw)
ON_WM_CTLCOLOR_REFLECT()
ON_WM_DRAWITEM_REFLECT()
ON_WM_SYSCOLORCHANGE()
END_MESSAGE_MAP()

class CProbeCmdUI : public CCmdUI {
public:
  int m_nEnable = -1;
  void Enable(BOOL bOn) override {
    m_nEnable = bOn ? 1 : 0;
    m_bEnableChanged = TRUE;
  }
};

class RoutingTest : public ::testing::Test {
protected:
  void SetUp() override { ASSERT_TRUE(m_wnd.CreateHost()); } // the destructor destroys it
  // Answers what the pass did to the item's enabled state (-1: left alone).
  int Update(UINT nID, BOOL bDisableIfNoHandler) {
    CProbeCmdUI ui;
    ui.m_nID = nID;
    m_bRouted = ui.DoUpdate(&m_wnd, bDisableIfNoHandler);
    return ui.m_nEnable;
  }
  CSpyWnd m_wnd;
  BOOL m_bRouted = FALSE; // what the last pass answered
};

TEST_F(RoutingTest, UpdatePassEnablesByHandlerPresenceAndCommandExMayDecline) {
  EXPECT_EQ(0, Update(ID_NO_HANDLER, TRUE));
  EXPECT_EQ(-1, Update(ID_NO_HANDLER, FALSE)); // nobody touched it
  EXPECT_EQ(1, Update(ID_ONLY_COMMAND, TRUE));
  EXPECT_EQ(0, Update(ID_DISABLED, TRUE));
  EXPECT_EQ(1, Update(ID_EX_FALSE, TRUE));
  EXPECT_TRUE(m_wnd.m_n.empty()); // probing never runs a handler
  EXPECT_FALSE(m_wnd.OnCmdMsg(ID_EX_FALSE, CN_COMMAND, NULL, NULL));
  EXPECT_EQ(1, m_wnd.m_n["ex"]); // it ran, yet let routing go on
  Update(ID_CONTINUE, FALSE);
  EXPECT_FALSE(m_bRouted); // the handler asked to go on routing
  Update(ID_DISABLED, FALSE);
  EXPECT_TRUE(m_bRouted);
  EXPECT_EQ(-1, Update(0, TRUE)); // separators stay untouched
}

// A command its update handler disabled is dropped; one whose handler throws shows one message
// and the pump goes on with the next command.
TEST_F(RoutingTest, PostedCommandsAreFilteredAndAThrowingHandlerIsContained) {
  MessageBoxRecorder recorder;
  for (UINT nID : {ID_DISABLED, ID_THROWS, ID_ONLY_COMMAND})
    m_wnd.PostMessage(WM_COMMAND, nID, 0);
  PumpPending();
  EXPECT_EQ(0, m_wnd.m_n["disabled"]);
  EXPECT_EQ(1, m_wnd.m_n["throws"]);
  ASSERT_EQ(1u, MessageBoxRecorder::Boxes().size());
  EXPECT_NE(std::string::npos, MessageBoxRecorder::Boxes()[0].first.find("locked.png"));
  EXPECT_EQ(1, m_wnd.m_n["only"]);
  EXPECT_TRUE(::IsWindow(m_wnd.m_hWnd));
}

class CFailingWnd : public CWnd {
protected:
  afx_msg int OnCreate(LPCREATESTRUCT) { AfxThrowUserException(); }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CFailingWnd, CWnd)
ON_WM_CREATE()
END_MESSAGE_MAP()

TEST_F(RoutingTest, ExceptionInCreateFailsTheCreation) {
  MessageBoxRecorder recorder;
  CFailingWnd wnd;
  EXPECT_FALSE(wnd.CreateEx(0, NULL, "f", WS_POPUP, 0, 0, 10, 10, NULL, NULL));
  EXPECT_EQ(nullptr, wnd.m_hWnd);
  EXPECT_TRUE(MessageBoxRecorder::Boxes().empty()); // user exceptions are silent
}

TEST_F(RoutingTest, ReflectionLetsTheChildAnswerCtlColorCustomDrawAndDrawItem) {
  CSpyWnd button;
  ASSERT_TRUE(
      button.Create("BUTTON", "b", WS_VISIBLE | BS_OWNERDRAW, CRect(0, 0, 60, 20), &m_wnd, IDC_BUTTON));
  HDC hdc = ::GetDC(m_wnd.m_hWnd);
  EXPECT_EQ(reinterpret_cast<LRESULT>(::GetStockObject(GRAY_BRUSH)),
            m_wnd.SendMessage(WM_CTLCOLORBTN, reinterpret_cast<WPARAM>(hdc),
                              reinterpret_cast<LPARAM>(button.m_hWnd)));
  EXPECT_EQ(1, button.m_n["ctlcolor"]);
  NMCUSTOMDRAW cd = {{button.m_hWnd, IDC_BUTTON, NM_CUSTOMDRAW}};
  EXPECT_EQ(CDRF_SKIPDEFAULT, m_wnd.SendMessage(WM_NOTIFY, IDC_BUTTON, reinterpret_cast<LPARAM>(&cd)));
  EXPECT_EQ(1, button.m_n["customdraw"]);
  DRAWITEMSTRUCT dis = {ODT_BUTTON, IDC_BUTTON, 0, 0, 0, button.m_hWnd, hdc};
  EXPECT_TRUE(m_wnd.SendMessage(WM_DRAWITEM, IDC_BUTTON, reinterpret_cast<LPARAM>(&dis)));
  EXPECT_EQ(1, button.m_n["drawitem"]);
  ::ReleaseDC(m_wnd.m_hWnd, hdc);
  // A reflected notification ends the parent's processing.
  m_wnd.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_BUTTON, BN_CLICKED), reinterpret_cast<LPARAM>(button.m_hWnd));
  EXPECT_EQ(1, button.m_n["reflected click"]);
  EXPECT_EQ(0, m_wnd.m_n["clicked"]);
}

TEST_F(RoutingTest, NotificationsAreDroppedWhileUpdateDataRuns) {
  CWnd edit;
  ASSERT_TRUE(edit.Create("EDIT", "", WS_VISIBLE, CRect(0, 0, 80, 20), &m_wnd, IDC_EDIT));
  m_wnd.m_pEdit = &edit;
  edit.SetWindowText("typed");
  EXPECT_EQ(1, m_wnd.m_n["edit"]);
  EXPECT_TRUE(m_wnd.UpdateData(FALSE));
  EXPECT_EQ(1, m_wnd.m_n["edit"]);
  edit.SetWindowText("typed again");
  EXPECT_EQ(2, m_wnd.m_n["edit"]);
}

TEST_F(RoutingTest, TopLevelWindowForwardsSystemChangesToPermanentGrandchildren) {
  CWnd child;
  ASSERT_TRUE(child.Create(NULL, "c", WS_VISIBLE, CRect(0, 0, 100, 100), &m_wnd, 1));
  CSpyWnd grandchild;
  ASSERT_TRUE(grandchild.Create(NULL, "g", WS_VISIBLE, CRect(0, 0, 50, 50), &child, 2));
  m_wnd.SendMessage(WM_SYSCOLORCHANGE);
  EXPECT_EQ(1, grandchild.m_n["syscolor"]);
  // A child window does not forward again (one pass per change).
  child.SendMessage(WM_SYSCOLORCHANGE);
  EXPECT_EQ(1, grandchild.m_n["syscolor"]);
}

} // namespace
