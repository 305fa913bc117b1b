// Commands, command-update passes, reflection to child controls and the exception barrier.
#include "tests/common/window_support.h"

#include <gtest/gtest.h>

namespace {

enum { ID_ONLY_COMMAND = 40001, ID_NO_HANDLER, ID_DISABLED, ID_CONTINUE, ID_EX_FALSE, ID_THROWS };

class CTargetWnd : public CWnd {
public:
  int m_nOnlyCommand = 0;
  int m_nDisabled = 0;
  int m_nExCalls = 0;
  int m_nThrows = 0;

protected:
  afx_msg void OnOnlyCommand() { ++m_nOnlyCommand; }
  afx_msg void OnDisabled() { ++m_nDisabled; }
  afx_msg void OnUpdateDisabled(CCmdUI* pCmdUI) { pCmdUI->Enable(FALSE); }
  afx_msg void OnUpdateContinue(CCmdUI* pCmdUI) { pCmdUI->ContinueRouting(); }
  afx_msg BOOL OnExFalse(UINT) {
    ++m_nExCalls;
    return FALSE;
  }
  afx_msg void OnThrows() {
    ++m_nThrows;
    AfxThrowFileException(CFileException::accessDenied, ERROR_ACCESS_DENIED, "locked.png");
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CTargetWnd, CWnd)
ON_COMMAND(ID_ONLY_COMMAND, OnOnlyCommand)
ON_COMMAND(ID_DISABLED, OnDisabled)
ON_UPDATE_COMMAND_UI(ID_DISABLED, OnUpdateDisabled)
ON_UPDATE_COMMAND_UI(ID_CONTINUE, OnUpdateContinue)
ON_COMMAND_EX(ID_EX_FALSE, OnExFalse)
ON_COMMAND(ID_THROWS, OnThrows)
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
  void SetUp() override { ASSERT_TRUE(m_wnd.CreateEx(0, NULL, "t", WS_POPUP, 0, 0, 10, 10, NULL, NULL)); }
  void TearDown() override { m_wnd.DestroyWindow(); }
  int Update(UINT nID, BOOL bDisableIfNoHandler, BOOL* pRouted = NULL) {
    CProbeCmdUI ui;
    ui.m_nID = nID;
    BOOL bRouted = ui.DoUpdate(&m_wnd, bDisableIfNoHandler);
    if (pRouted != NULL)
      *pRouted = bRouted;
    return ui.m_nEnable;
  }
  CTargetWnd m_wnd;
};

TEST_F(RoutingTest, UpdatePassEnablesByHandlerPresence) {
  EXPECT_EQ(0, Update(ID_NO_HANDLER, TRUE));
  EXPECT_EQ(-1, Update(ID_NO_HANDLER, FALSE)); // nobody touched it
  EXPECT_EQ(1, Update(ID_ONLY_COMMAND, TRUE));
  EXPECT_EQ(0, m_wnd.m_nOnlyCommand); // probing never runs the handler
  EXPECT_EQ(0, Update(ID_DISABLED, TRUE));
  EXPECT_EQ(1, Update(ID_EX_FALSE, TRUE));
  EXPECT_EQ(0, m_wnd.m_nExCalls);
  BOOL bRouted = TRUE;
  Update(ID_CONTINUE, FALSE, &bRouted);
  EXPECT_FALSE(bRouted); // the handler asked to go on routing
  Update(ID_DISABLED, FALSE, &bRouted);
  EXPECT_TRUE(bRouted);
  EXPECT_EQ(-1, Update(0, TRUE)); // separators stay untouched
}

TEST_F(RoutingTest, CommandExFalseLetsRoutingGoOn) {
  EXPECT_FALSE(m_wnd.OnCmdMsg(ID_EX_FALSE, CN_COMMAND, NULL, NULL));
  EXPECT_EQ(1, m_wnd.m_nExCalls);
  EXPECT_TRUE(m_wnd.OnCmdMsg(ID_ONLY_COMMAND, CN_COMMAND, NULL, NULL));
  EXPECT_EQ(1, m_wnd.m_nOnlyCommand);
}

TEST_F(RoutingTest, PostedCommandDisabledByItsUpdateHandlerIsDropped) {
  m_wnd.PostMessage(WM_COMMAND, ID_DISABLED, 0);
  m_wnd.PostMessage(WM_COMMAND, ID_ONLY_COMMAND, 0);
  PumpPending();
  EXPECT_EQ(0, m_wnd.m_nDisabled);
  EXPECT_EQ(1, m_wnd.m_nOnlyCommand);
}

TEST_F(RoutingTest, ExceptionInCommandHandlerShowsOneMessageAndGoesOn) {
  MessageBoxRecorder recorder;
  m_wnd.PostMessage(WM_COMMAND, ID_THROWS, 0);
  m_wnd.PostMessage(WM_COMMAND, ID_ONLY_COMMAND, 0);
  PumpPending();
  EXPECT_EQ(1, m_wnd.m_nThrows);
  ASSERT_EQ(1u, MessageBoxRecorder::Boxes().size());
  EXPECT_NE(std::string::npos, MessageBoxRecorder::Boxes()[0].first.find("locked.png"));
  EXPECT_EQ(1, m_wnd.m_nOnlyCommand);
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

// ---------------------------------------------------------------------------------------------
// Reflection

class CReflectingButton : public CWnd {
public:
  int m_nClicked = 0;
  int m_nCustomDraw = 0;
  int m_nDrawItem = 0;
  HBRUSH m_hBrush = (HBRUSH)::GetStockObject(GRAY_BRUSH);

protected:
  afx_msg void OnClicked() { ++m_nClicked; }
  afx_msg void OnCustomDraw(NMHDR*, LRESULT* pResult) {
    ++m_nCustomDraw;
    *pResult = CDRF_SKIPDEFAULT;
  }
  afx_msg HBRUSH CtlColor(CDC*, UINT) { return m_hBrush; }
  void DrawItem(LPDRAWITEMSTRUCT) override { ++m_nDrawItem; }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CReflectingButton, CWnd)
ON_CONTROL_REFLECT(BN_CLICKED, OnClicked)
ON_NOTIFY_REFLECT(NM_CUSTOMDRAW, OnCustomDraw)
ON_WM_CTLCOLOR_REFLECT()
ON_WM_DRAWITEM_REFLECT()
END_MESSAGE_MAP()

class CParentWnd : public CHostWnd {
public:
  int m_nParentClicked = 0;

protected:
  afx_msg void OnParentClicked() { ++m_nParentClicked; }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CParentWnd, CHostWnd)
ON_BN_CLICKED(77, OnParentClicked)
END_MESSAGE_MAP()

TEST(Reflection, ChildAnswersCtlColorCustomDrawAndDrawItem) {
  CParentWnd parent;
  ASSERT_TRUE(parent.CreateHost());
  CReflectingButton button;
  ASSERT_TRUE(button.Create("BUTTON", "b", WS_VISIBLE | BS_OWNERDRAW, CRect(0, 0, 60, 20), &parent, 77));

  HDC hdc = ::GetDC(parent.m_hWnd);
  LRESULT brush = parent.SendMessage(WM_CTLCOLORBTN, reinterpret_cast<WPARAM>(hdc),
                                     reinterpret_cast<LPARAM>(button.m_hWnd));
  EXPECT_EQ(reinterpret_cast<LRESULT>(button.m_hBrush), brush);

  NMCUSTOMDRAW cd = {};
  cd.hdr.hwndFrom = button.m_hWnd;
  cd.hdr.idFrom = 77;
  cd.hdr.code = NM_CUSTOMDRAW;
  EXPECT_EQ(CDRF_SKIPDEFAULT, parent.SendMessage(WM_NOTIFY, 77, reinterpret_cast<LPARAM>(&cd)));
  EXPECT_EQ(1, button.m_nCustomDraw);

  DRAWITEMSTRUCT dis = {};
  dis.CtlType = ODT_BUTTON;
  dis.CtlID = 77;
  dis.hwndItem = button.m_hWnd;
  dis.hDC = hdc;
  EXPECT_TRUE(parent.SendMessage(WM_DRAWITEM, 77, reinterpret_cast<LPARAM>(&dis)));
  EXPECT_EQ(1, button.m_nDrawItem);
  ::ReleaseDC(parent.m_hWnd, hdc);

  // A reflected notification ends the parent's processing.
  parent.SendMessage(WM_COMMAND, MAKEWPARAM(77, BN_CLICKED), reinterpret_cast<LPARAM>(button.m_hWnd));
  EXPECT_EQ(1, button.m_nClicked);
  EXPECT_EQ(0, parent.m_nParentClicked);
  parent.DestroyWindow();
}

// ---------------------------------------------------------------------------------------------
// Data exchange lock-out

class CLockoutWnd : public CHostWnd {
public:
  int m_nChanges = 0;
  CWnd* m_pEdit = NULL;
  void DoDataExchange(CDataExchange*) override {
    // Filling a control sends EN_CHANGE to us while UpdateData runs.
    m_pEdit->SetWindowText("filled");
  }

protected:
  afx_msg void OnEditChange() { ++m_nChanges; }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CLockoutWnd, CHostWnd)
ON_EN_CHANGE(12, OnEditChange)
END_MESSAGE_MAP()

TEST(DataExchange, NotificationsAreDroppedWhileUpdateDataRuns) {
  CLockoutWnd wnd;
  ASSERT_TRUE(wnd.CreateHost());
  CWnd edit;
  ASSERT_TRUE(edit.Create("EDIT", "", WS_VISIBLE, CRect(0, 0, 80, 20), &wnd, 12));
  wnd.m_pEdit = &edit;
  edit.SetWindowText("typed");
  EXPECT_EQ(1, wnd.m_nChanges);
  EXPECT_TRUE(wnd.UpdateData(FALSE));
  EXPECT_EQ(1, wnd.m_nChanges);
  edit.SetWindowText("typed again");
  EXPECT_EQ(2, wnd.m_nChanges);
  wnd.DestroyWindow();
}

// ---------------------------------------------------------------------------------------------
// System-change forwarding

class CColorSpy : public CWnd {
public:
  int m_nSysColor = 0;

protected:
  afx_msg void OnSysColorChange() {
    ++m_nSysColor;
    CWnd::OnSysColorChange();
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CColorSpy, CWnd)
ON_WM_SYSCOLORCHANGE()
END_MESSAGE_MAP()

TEST(SystemChanges, TopLevelWindowForwardsToPermanentGrandchildren) {
  CHostWnd top;
  ASSERT_TRUE(top.CreateHost());
  CWnd child;
  ASSERT_TRUE(child.Create(NULL, "c", WS_VISIBLE, CRect(0, 0, 100, 100), &top, 1));
  CColorSpy grandchild;
  ASSERT_TRUE(grandchild.Create(NULL, "g", WS_VISIBLE, CRect(0, 0, 50, 50), &child, 2));
  top.SendMessage(WM_SYSCOLORCHANGE);
  EXPECT_EQ(1, grandchild.m_nSysColor);
  // A child window does not forward again (one pass per change).
  child.SendMessage(WM_SYSCOLORCHANGE);
  EXPECT_EQ(1, grandchild.m_nSysColor);
  top.DestroyWindow();
}

} // namespace
