// Modal and modeless dialogs, command routing, templates in memory and DLGINIT.
#include "tests/unit/framework/dlg/dialog_test_support.h"

#include <map>
#include <stdexcept>
#include <tuple>

namespace {

// A resource of the test program as memory, the way callers hand over templates and DLGINIT data.
void* ResourceMemory(UINT nID, LPCSTR lpszType = RT_DIALOG) {
  HRSRC hRes = ::FindResourceA(NULL, MAKEINTRESOURCEA(nID), lpszType);
  return hRes != NULL ? ::LockResource(::LoadResource(NULL, hRes)) : NULL;
}

// ---------------------------------------------------------------------------------------------
// Modal dialogs

class ModalDialog : public HostedTest {};

TEST_F(ModalDialog, EndDialogInsideOnInitDialogReturnsCodeWithoutEverShowing) {
  CScriptedDialog dlg(IDD_EMPTY, &host);
  HWND hWndSeen = NULL;
  BOOL bOwnerEnabledInInit = TRUE;
  dlg.m_onInit = [&](CScriptedDialog& d) {
    d.CDialog::OnInitDialog();
    hWndSeen = d.m_hWnd;
    bOwnerEnabledInInit = ::IsWindowEnabled(::GetWindow(d.m_hWnd, GW_OWNER));
    d.EndDialog(IDOK);
    return TRUE;
  };
  EXPECT_EQ(IDOK, dlg.DoModal()); // so OnInitDialog ran and saw a window
  EXPECT_FALSE(bOwnerEnabledInInit) << "the owner is disabled while the dialog is modal";
  EXPECT_EQ(0, dlg.m_nShows);
  EXPECT_FALSE(::IsWindow(hWndSeen));
  EXPECT_EQ(nullptr, dlg.m_hWnd);
  EXPECT_TRUE(host.IsWindowEnabled());
}

TEST_F(ModalDialog, MissingTemplateAnswersMinusOne) {
  CDialog dlg(IDD_MISSING, &host);
  EXPECT_EQ(-1, dlg.DoModal());
  EXPECT_TRUE(host.IsWindowEnabled());
  CDialog indirect;
  indirect.InitModalIndirect(static_cast<LPCDLGTEMPLATE>(NULL), &host);
  EXPECT_EQ(-1, indirect.DoModal());
}

TEST_F(ModalDialog, WithoutParentIsOwnedByTheHiddenMainWindowAndShownAtTheFirstIdle) {
  TheTestApp().m_pMainWnd = &host;
  host.ShowWindow(SW_HIDE);
  CScriptedDialog dlg;
  HWND hWndOwner = NULL;
  BOOL bVisibleInInit = TRUE, bVisibleWhenIdle = FALSE, bMainEnabledWhileModal = TRUE;
  dlg.m_onInit = [&](CScriptedDialog& d) {
    hWndOwner = ::GetWindow(d.m_hWnd, GW_OWNER);
    bVisibleInInit = d.IsWindowVisible();
    return d.CDialog::OnInitDialog();
  };
  dlg.m_script = [&](CScriptedDialog& d) {
    bVisibleWhenIdle = d.IsWindowVisible();
    bMainEnabledWhileModal = host.IsWindowEnabled();
    d.EndDialog(42);
  };
  EXPECT_EQ(42, dlg.DoModal());
  EXPECT_EQ(host.m_hWnd, hWndOwner);
  EXPECT_FALSE(bVisibleInInit) << "shown only when the loop first goes idle";
  EXPECT_TRUE(bVisibleWhenIdle);
  EXPECT_FALSE(bMainEnabledWhileModal);
  EXPECT_TRUE(host.IsWindowEnabled());
}

class CKeyDialog : public CScriptedDialog {
public:
  std::vector<std::string> m_calls;
  void OnOK() override {
    m_calls.push_back("OnOK");
    CScriptedDialog::OnOK();
  }
  void OnCancel() override {
    m_calls.push_back("OnCancel");
    CScriptedDialog::OnCancel();
  }
};

TEST_F(ModalDialog, EnterAndEscapeReachVirtualOnOkAndOnCancelWithoutAnyControl) {
  const std::tuple<UINT, int, const char*> cases[] = {{VK_RETURN, IDOK, "OnOK"},
                                                      {VK_ESCAPE, IDCANCEL, "OnCancel"}};
  for (auto [nKey, nCode, pszCall] : cases) {
    CKeyDialog dlg;
    dlg.m_script = [nKey = nKey](CScriptedDialog& d) {
      if (d.m_nKicks == 1)
        d.PostMessage(WM_KEYDOWN, nKey, 1);
    };
    EXPECT_EQ(nCode, dlg.DoModal()) << pszCall;
    EXPECT_EQ(std::vector<std::string>{pszCall}, dlg.m_calls);
  }
}

TEST_F(ModalDialog, ExceptionInOnInitDialogIsStoppedReportedAndEndsTheDialog) {
  MessageBoxRecorder boxes;
  const std::function<BOOL(CScriptedDialog&)> throwers[] = {
      [](CScriptedDialog&) -> BOOL {
        AfxThrowFileException(CFileException::fileNotFound, -1, "missing.png");
      },
      [](CScriptedDialog&) -> BOOL { throw std::runtime_error("not a framework exception"); },
      [](CScriptedDialog&) -> BOOL { AfxThrowUserException(); }};
  for (const auto& thrower : throwers) {
    CScriptedDialog dlg;
    dlg.m_onInit = thrower;
    EXPECT_EQ(-1, dlg.DoModal());
    EXPECT_EQ(nullptr, dlg.m_hWnd);
  }
  EXPECT_EQ(2u, MessageBoxRecorder::Boxes().size()) << "a CUserException is silent";
}

// ---------------------------------------------------------------------------------------------
// Command routing

class CRoutingHost : public CHostWnd {
public:
  std::map<UINT, int> m_commands;

protected:
  afx_msg void OnCommandRange(UINT nID) { ++m_commands[nID]; }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CRoutingHost, CHostWnd)
ON_COMMAND_RANGE(1000, 1000, OnCommandRange)
ON_COMMAND_RANGE(ID_TEST_SHARED_COMMAND, ID_TEST_SHARED_COMMAND, OnCommandRange)
END_MESSAGE_MAP()

TEST(DialogRouting, MenuCommandsGoToParentThenApplicationOthersStop) {
  CRoutingHost host;
  ASSERT_TRUE(host.CreateHost("router", kVisibleHost));
  CDialog dlg;
  ASSERT_TRUE(dlg.Create(IDD_EMPTY, &host));
  CTestApp& app = TheTestApp();
  int nAppBefore = app.m_nAppCommands, nSharedBefore = app.m_nSharedCommands;

  dlg.SendMessage(WM_COMMAND, ID_TEST_SHARED_COMMAND, 0);
  EXPECT_EQ(1, host.m_commands[ID_TEST_SHARED_COMMAND]) << "the parent comes before the application";
  EXPECT_EQ(nSharedBefore, app.m_nSharedCommands);
  dlg.SendMessage(WM_COMMAND, ID_TEST_APP_COMMAND, 0);
  EXPECT_EQ(nAppBefore + 1, app.m_nAppCommands);
  dlg.SendMessage(WM_COMMAND, 1000, 0);
  EXPECT_EQ(0, host.m_commands[1000]) << "ids outside 0x8000..0xDFFF stop at the dialog";
}

// ---------------------------------------------------------------------------------------------
// DLGINIT

class DlgInit : public HostedTest {};

class CInitialUpdateCounter : public CWnd {
public:
  int m_nInitialUpdates = 0;

protected:
  afx_msg LRESULT OnInitialUpdate(WPARAM, LPARAM) {
    ++m_nInitialUpdates;
    return 0;
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CInitialUpdateCounter, CWnd)
ON_MESSAGE(WM_INITIALUPDATE, OnInitialUpdate)
END_MESSAGE_MAP()

class CHardnessDialog : public CDialog {
public:
  CInitialUpdateCounter m_combo, m_ok;

  BOOL OnInitDialog() override {
    // Attached before the base runs DLGINIT, so they see its WM_INITIALUPDATE.
    m_combo.SubclassDlgItem(IDC_EDGE_COMBO, this);
    m_ok.SubclassDlgItem(IDOK, this);
    return CDialog::OnInitDialog();
  }
};

// A record running past the end of its resource is refused; those before it still count.
TEST_F(DlgInit, ResourceOrMemoryFillsTheControlsAndEachChildGetsOneInitialUpdate) {
  CHardnessDialog dlg;
  ASSERT_TRUE(dlg.Create(IDD_HARDNESS, &host));
  EXPECT_EQ((std::vector<std::string>{"Hard", "Soft", "Softer"}), Items(dlg.m_combo.m_hWnd));
  for (CInitialUpdateCounter* pChild : {&dlg.m_combo, &dlg.m_ok})
    EXPECT_EQ(1, pChild->m_nInitialUpdates) << pChild->GetDlgCtrlID();
  EXPECT_FALSE(dlg.ExecuteDlgInit(MAKEINTRESOURCE(IDR_DLGINIT_TRUNCATED)));
  EXPECT_EQ((std::vector<std::string>{"Hard", "Soft", "Softer", "Tough"}), Items(dlg.m_combo.m_hWnd));

  // Data handed over in memory fills a list box, skipping a message DLGINIT does not know.
  CDialog inMemory;
  ASSERT_TRUE(inMemory.CreateIndirect(static_cast<LPCDLGTEMPLATE>(ResourceMemory(IDD_LIST)), &host,
                                      ResourceMemory(IDR_LIST_INIT, MAKEINTRESOURCEA(240))));
  EXPECT_EQ((std::vector<std::string>{"Alpha", "Beta"}),
            Items(::GetDlgItem(inMemory.m_hWnd, 50), LB_GETCOUNT, LB_GETTEXT));
}

// ---------------------------------------------------------------------------------------------
// Templates and modeless creation

class DialogTemplate : public HostedTest {};

TEST_F(DialogTemplate, IndirectExTemplateWithChangedFontMakesTheDialog) {
  CDialogTemplate changed(static_cast<LPCDLGTEMPLATE>(ResourceMemory(IDD_EX))); // an item id 70000
  ASSERT_TRUE(changed.IsEx());
  ASSERT_TRUE(changed.SetFont("Tahoma", 14));
  CString face;
  WORD wSize = 0;
  ASSERT_TRUE(changed.GetFont(face, wSize));
  EXPECT_STREQ("Tahoma", face);
  EXPECT_EQ(14, wSize);

  CDialog large;
  ASSERT_TRUE(large.CreateIndirect(changed.GetTemplate(), &host));
  LOGFONTA lf = {};
  ::GetObjectA(reinterpret_cast<HFONT>(large.SendMessage(WM_GETFONT)), sizeof(lf), &lf);
  EXPECT_STREQ("Tahoma", lf.lfFaceName);
  EXPECT_EQ(-::MulDiv(14, CWindowDC(NULL).GetDeviceCaps(LOGPIXELSY), 72), lf.lfHeight);
  EXPECT_EQ("Label", ItemText(large.m_hWnd, 11)) << "items are copied unchanged";
  EXPECT_NE(nullptr, ::GetDlgItem(large.m_hWnd, 70000));
}

class ModelessDialog : public HostedTest {};

// EndDialog from OnInitDialog makes creation fail and leaves no window; later it only hides.
TEST_F(ModelessDialog, EndDialogFailsCreationFromOnInitDialogAndOnlyHidesLater) {
  CScriptedDialog refusing;
  int nInits = 0;
  refusing.m_onInit = [&](CScriptedDialog& d) {
    ++nInits;
    d.EndDialog(IDCANCEL);
    return FALSE;
  };
  EXPECT_FALSE(refusing.Create(IDD_EMPTY, &host));
  EXPECT_EQ(1, nInits);
  EXPECT_EQ(nullptr, refusing.m_hWnd);

  TheTestApp().m_pMainWnd = &host;
  CDialog dlg;
  ASSERT_TRUE(dlg.Create(IDD_EMPTY));
  EXPECT_EQ(host.m_hWnd, ::GetWindow(dlg.m_hWnd, GW_OWNER)) << "a NULL parent means the main window";
  dlg.ShowWindow(SW_SHOW);
  dlg.EndDialog(IDOK);
  EXPECT_TRUE(::IsWindow(dlg.m_hWnd));
  EXPECT_FALSE(dlg.IsWindowVisible());
  dlg.DestroyWindow();
}

} // namespace
