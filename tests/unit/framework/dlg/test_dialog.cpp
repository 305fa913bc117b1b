// Modal and modeless dialogs, command routing, templates in memory, DLGINIT and controls.
#include "tests/unit/framework/dlg/dialog_test_support.h"

#include <gtest/gtest.h>

#include <map>
#include <stdexcept>

namespace {

// Makes a window the application's main window for a test. Destroying the main window ends the
// program (it posts WM_QUIT), so the test lets go of it before destroying it.
struct MainWindowScope {
  explicit MainWindowScope(CWnd* pMain) { TheTestApp().m_pMainWnd = pMain; }
  ~MainWindowScope() { Release(); }
  void Release() { TheTestApp().m_pMainWnd = NULL; }
};

// ---------------------------------------------------------------------------------------------
// Modal dialogs

class CEndsInInitDialog : public CDialog {
public:
  explicit CEndsInInitDialog(CWnd* pParent) : CDialog(IDD_EMPTY, pParent) {}
  HWND m_hWndSeen = NULL;
  BOOL m_bOwnerEnabledInInit = TRUE;
  int m_nShows = 0;

  BOOL OnInitDialog() override {
    CDialog::OnInitDialog();
    m_hWndSeen = m_hWnd;
    m_bOwnerEnabledInInit = ::IsWindowEnabled(::GetWindow(m_hWnd, GW_OWNER));
    EndDialog(IDOK);
    return TRUE;
  }

protected:
  afx_msg void OnShowWindow(BOOL bShow, UINT nStatus) {
    if (bShow)
      ++m_nShows;
    CDialog::OnShowWindow(bShow, nStatus);
  }
  afx_msg void OnWindowPosChanged(WINDOWPOS* pPos) {
    if (pPos->flags & SWP_SHOWWINDOW)
      ++m_nShows;
    CDialog::OnWindowPosChanged(pPos);
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CEndsInInitDialog, CDialog)
ON_WM_SHOWWINDOW()
ON_WM_WINDOWPOSCHANGED()
END_MESSAGE_MAP()

TEST(ModalDialog, EndDialogInsideOnInitDialogReturnsCodeWithoutEverShowing) {
  CHostWnd owner;
  ASSERT_TRUE(owner.CreateHost("owner", kVisibleHost));
  CEndsInInitDialog dlg(&owner);

  EXPECT_EQ(IDOK, dlg.DoModal());

  EXPECT_NE(nullptr, dlg.m_hWndSeen);
  EXPECT_FALSE(dlg.m_bOwnerEnabledInInit) << "the owner is disabled while the dialog is modal";
  EXPECT_EQ(0, dlg.m_nShows);
  EXPECT_FALSE(::IsWindow(dlg.m_hWndSeen));
  EXPECT_EQ(nullptr, dlg.m_hWnd);
  EXPECT_TRUE(owner.IsWindowEnabled());
  owner.DestroyWindow();
}

TEST(ModalDialog, MissingTemplateAnswersMinusOne) {
  CHostWnd owner;
  ASSERT_TRUE(owner.CreateHost("owner", kVisibleHost));
  CDialog dlg(IDD_MISSING, &owner);
  EXPECT_EQ(-1, dlg.DoModal());
  EXPECT_TRUE(owner.IsWindowEnabled());

  CDialog indirect;
  indirect.InitModalIndirect(static_cast<LPCDLGTEMPLATE>(NULL), &owner);
  EXPECT_EQ(-1, indirect.DoModal());
  owner.DestroyWindow();
}

class COwnerProbeDialog : public CScriptedDialog {
public:
  COwnerProbeDialog() : CScriptedDialog(IDD_EMPTY) {}
  HWND m_hWndOwner = NULL;
  BOOL m_bVisibleInInit = TRUE;
  BOOL OnInitDialog() override {
    m_hWndOwner = ::GetWindow(m_hWnd, GW_OWNER);
    m_bVisibleInInit = IsWindowVisible();
    return CScriptedDialog::OnInitDialog();
  }
};

TEST(ModalDialog, WithoutParentIsOwnedByHiddenMainWindowAndRuns) {
  CHostWnd mainWnd;
  ASSERT_TRUE(mainWnd.CreateHost("hidden main", WS_OVERLAPPEDWINDOW));
  ASSERT_FALSE(mainWnd.IsWindowVisible());
  MainWindowScope scope(&mainWnd);

  COwnerProbeDialog dlg;
  BOOL bVisibleWhenIdle = FALSE;
  BOOL bMainEnabledWhileModal = TRUE;
  dlg.m_script = [&](CScriptedDialog& d) {
    bVisibleWhenIdle = d.IsWindowVisible();
    bMainEnabledWhileModal = mainWnd.IsWindowEnabled();
    d.EndDialog(42);
  };

  EXPECT_EQ(42, dlg.DoModal());
  EXPECT_EQ(mainWnd.m_hWnd, dlg.m_hWndOwner);
  EXPECT_FALSE(dlg.m_bVisibleInInit) << "shown only when the loop first goes idle";
  EXPECT_TRUE(bVisibleWhenIdle);
  EXPECT_FALSE(bMainEnabledWhileModal);
  EXPECT_TRUE(mainWnd.IsWindowEnabled());
  scope.Release();
  mainWnd.DestroyWindow();
}

class CKeyDialog : public CScriptedDialog {
public:
  explicit CKeyDialog(bool bWantArrows = false) : CScriptedDialog(IDD_EMPTY), m_bWantArrows(bWantArrows) {}
  std::vector<std::string> m_calls;
  std::vector<UINT> m_keys;
  void OnOK() override {
    m_calls.push_back("OnOK");
    CScriptedDialog::OnOK();
  }
  void OnCancel() override {
    m_calls.push_back("OnCancel");
    CScriptedDialog::OnCancel();
  }

protected:
  afx_msg UINT OnGetDlgCode() { return m_bWantArrows ? DLGC_WANTARROWS : CScriptedDialog::OnGetDlgCode(); }
  afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) {
    m_keys.push_back(nChar);
    CScriptedDialog::OnKeyDown(nChar, nRepCnt, nFlags);
  }
  DECLARE_MESSAGE_MAP()

private:
  bool m_bWantArrows;
};

BEGIN_MESSAGE_MAP(CKeyDialog, CScriptedDialog)
ON_WM_GETDLGCODE()
ON_WM_KEYDOWN()
END_MESSAGE_MAP()

// Posts one key press to the dialog at its first idle moment.
void PressAtIdle(CKeyDialog& dlg, std::vector<UINT> keys) {
  dlg.m_script = [keys](CScriptedDialog& d) {
    if (d.m_nKicks != 1)
      return;
    for (UINT nKey : keys)
      d.PostMessage(WM_KEYDOWN, nKey, 1);
  };
}

TEST(ModalDialog, EnterReachesVirtualOnOkWithoutAnyControl) {
  CKeyDialog dlg;
  PressAtIdle(dlg, {VK_RETURN});
  EXPECT_EQ(IDOK, dlg.DoModal());
  EXPECT_EQ(std::vector<std::string>{"OnOK"}, dlg.m_calls);
}

TEST(ModalDialog, EscapeReachesVirtualOnCancelWithoutAnyControl) {
  CKeyDialog dlg;
  PressAtIdle(dlg, {VK_ESCAPE});
  EXPECT_EQ(IDCANCEL, dlg.DoModal());
  EXPECT_EQ(std::vector<std::string>{"OnCancel"}, dlg.m_calls);
}

TEST(ModalDialog, ArrowKeysReachOnlyADialogThatAsksForThem) {
  CKeyDialog wants(true);
  PressAtIdle(wants, {VK_LEFT, VK_DOWN, VK_ESCAPE});
  EXPECT_EQ(IDCANCEL, wants.DoModal());
  EXPECT_EQ((std::vector<UINT>{VK_LEFT, VK_DOWN}), wants.m_keys);

  CKeyDialog plain(false);
  PressAtIdle(plain, {VK_LEFT, VK_DOWN, VK_ESCAPE});
  EXPECT_EQ(IDCANCEL, plain.DoModal());
  EXPECT_TRUE(plain.m_keys.empty()) << "the dialog manager keeps arrows for moving between controls";
}

enum class Throw { FileError, Foreign, User };

class CThrowingDialog : public CDialog {
public:
  explicit CThrowingDialog(Throw what) : CDialog(IDD_EMPTY), m_what(what) {}
  BOOL OnInitDialog() override {
    switch (m_what) {
    case Throw::FileError:
      AfxThrowFileException(CFileException::fileNotFound, -1, "missing.png");
    case Throw::User:
      AfxThrowUserException();
    default:
      throw std::runtime_error("not a framework exception");
    }
  }

private:
  Throw m_what;
};

TEST(ModalDialog, ExceptionInOnInitDialogIsStoppedReportedAndEndsTheDialog) {
  MessageBoxRecorder boxes;
  for (Throw what : {Throw::FileError, Throw::Foreign, Throw::User}) {
    CThrowingDialog dlg(what);
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
  int nAppBefore = app.m_nAppCommands;
  int nSharedBefore = app.m_nSharedCommands;

  dlg.SendMessage(WM_COMMAND, ID_TEST_SHARED_COMMAND, 0);
  EXPECT_EQ(1, host.m_commands[ID_TEST_SHARED_COMMAND]) << "the parent comes before the application";
  EXPECT_EQ(nSharedBefore, app.m_nSharedCommands);

  dlg.SendMessage(WM_COMMAND, ID_TEST_APP_COMMAND, 0);
  EXPECT_EQ(nAppBefore + 1, app.m_nAppCommands);

  dlg.SendMessage(WM_COMMAND, 1000, 0);
  EXPECT_EQ(0, host.m_commands[1000]) << "ids outside 0x8000..0xDFFF stop at the dialog";

  dlg.DestroyWindow();
  host.DestroyWindow();
}

// ---------------------------------------------------------------------------------------------
// DLGINIT

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
  CHardnessDialog() : CDialog(IDD_HARDNESS) {}
  CInitialUpdateCounter m_label, m_combo, m_edit, m_ok;
  std::vector<std::string> m_itemsAtInit;

  BOOL OnInitDialog() override {
    // Attached before the base runs DLGINIT, so they see its WM_INITIALUPDATE.
    m_label.SubclassDlgItem(IDC_EDGE_LABEL, this);
    m_combo.SubclassDlgItem(IDC_EDGE_COMBO, this);
    m_edit.SubclassDlgItem(IDC_EDGE_EDIT, this);
    m_ok.SubclassDlgItem(IDOK, this);
    return CDialog::OnInitDialog();
  }
};

std::vector<std::string> ComboItems(HWND hCombo) {
  std::vector<std::string> items;
  int n = (int)::SendMessageA(hCombo, CB_GETCOUNT, 0, 0);
  for (int i = 0; i < n; ++i) {
    char sz[64] = "";
    ::SendMessageA(hCombo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(sz));
    items.push_back(sz);
  }
  return items;
}

TEST(DlgInit, ResourceFillsTheComboAndEachChildGetsOneInitialUpdate) {
  CHostWnd host;
  ASSERT_TRUE(host.CreateHost("host", kVisibleHost));
  CHardnessDialog dlg;
  ASSERT_TRUE(dlg.Create(IDD_HARDNESS, &host));

  EXPECT_EQ((std::vector<std::string>{"Hard", "Soft", "Softer"}), ComboItems(dlg.m_combo.m_hWnd));
  for (CInitialUpdateCounter* pChild : {&dlg.m_label, &dlg.m_combo, &dlg.m_edit, &dlg.m_ok})
    EXPECT_EQ(1, pChild->m_nInitialUpdates) << pChild->GetDlgCtrlID();

  dlg.DestroyWindow();
  host.DestroyWindow();
}

TEST(DlgInit, RecordRunningPastTheResourceIsRefused) {
  CHostWnd host;
  ASSERT_TRUE(host.CreateHost("host", kVisibleHost));
  CHardnessDialog dlg;
  ASSERT_TRUE(dlg.Create(IDD_HARDNESS, &host));
  EXPECT_FALSE(dlg.ExecuteDlgInit(MAKEINTRESOURCE(IDR_DLGINIT_TRUNCATED)));
  EXPECT_EQ((std::vector<std::string>{"Hard", "Soft", "Softer", "Tough"}), ComboItems(dlg.m_combo.m_hWnd));
  dlg.DestroyWindow();
  host.DestroyWindow();
}

TEST(DlgInit, DataInMemoryFillsAListAndSkipsMessagesItDoesNotKnow) {
  CHostWnd host;
  ASSERT_TRUE(host.CreateHost("host", kVisibleHost));
  TemplateBuilder tmpl(false, WS_POPUP | WS_CAPTION, L"List", 120, 80, L"MS Shell Dlg");
  tmpl.AddItem(0x0083, L"", 50, WS_BORDER | WS_VSCROLL, 5, 5, 100, 60);
  DlgInitBuilder init;
  init.Add(50, 0x0401, std::string("Alpha\0", 6));
  init.Add(50, 0x0999, std::string("ignored\0", 8));
  init.Add(50, 0x0401, "Beta"); // not terminated in the data

  CDialog dlg;
  ASSERT_TRUE(dlg.CreateIndirect(tmpl.Get(), &host, init.Get()));
  HWND hList = ::GetDlgItem(dlg.m_hWnd, 50);
  ASSERT_EQ(2, (int)::SendMessageA(hList, LB_GETCOUNT, 0, 0));
  char sz[32] = "";
  ::SendMessageA(hList, LB_GETTEXT, 0, reinterpret_cast<LPARAM>(sz));
  EXPECT_STREQ("Alpha", sz);
  ::SendMessageA(hList, LB_GETTEXT, 1, reinterpret_cast<LPARAM>(sz));
  EXPECT_STREQ("Beta", sz);
  dlg.DestroyWindow();
  host.DestroyWindow();
}

// ---------------------------------------------------------------------------------------------
// Templates and modeless creation

struct FontFace {
  std::string face;
  LONG height;
};

FontFace DialogFont(HWND hDlg) {
  HFONT hFont = reinterpret_cast<HFONT>(::SendMessageA(hDlg, WM_GETFONT, 0, 0));
  LOGFONTA lf = {};
  if (hFont != NULL)
    ::GetObjectA(hFont, sizeof(lf), &lf);
  return {lf.lfFaceName, lf.lfHeight};
}

CSize ClientSize(HWND hWnd) {
  RECT rc;
  ::GetClientRect(hWnd, &rc);
  return CSize(rc.right, rc.bottom);
}

TEST(DialogTemplate, IndirectExTemplateWithChangedFontMakesTheDialog) {
  CHostWnd host;
  ASSERT_TRUE(host.CreateHost("host", kVisibleHost));
  TemplateBuilder source(true, WS_POPUP | WS_CAPTION, L"Ex", 150, 60, L"MS Shell Dlg", 8);
  source.AddItem(0x0082, L"Label", 11, SS_LEFT, 5, 5, 60, 10);
  source.AddItem(0x0081, L"", 70000, WS_BORDER, 5, 20, 80, 14); // EX items carry 32-bit ids

  CDialogTemplate changed(source.Get());
  ASSERT_TRUE(changed.IsEx());
  ASSERT_TRUE(changed.SetFont("Tahoma", 14));
  CString face;
  WORD wSize = 0;
  ASSERT_TRUE(changed.GetFont(face, wSize));
  EXPECT_STREQ("Tahoma", face);
  EXPECT_EQ(14, wSize);

  CDialog small, large;
  ASSERT_TRUE(small.CreateIndirect(source.Get(), &host));
  ASSERT_TRUE(large.CreateIndirect(changed.GetTemplate(), &host));

  FontFace font = DialogFont(large.m_hWnd);
  EXPECT_EQ("Tahoma", font.face);
  HDC hScreen = ::GetDC(NULL);
  EXPECT_EQ(-::MulDiv(14, ::GetDeviceCaps(hScreen, LOGPIXELSY), 72), font.height);
  ::ReleaseDC(NULL, hScreen);

  char sz[16] = "";
  ::GetDlgItemTextA(large.m_hWnd, 11, sz, sizeof(sz));
  EXPECT_STREQ("Label", sz) << "items are copied unchanged";
  EXPECT_NE(nullptr, ::GetDlgItem(large.m_hWnd, 70000));
  EXPECT_GT(ClientSize(large.m_hWnd).cx, ClientSize(small.m_hWnd).cx) << "dialog units follow the new font";

  small.DestroyWindow();
  large.DestroyWindow();
  host.DestroyWindow();
}

TEST(DialogTemplate, PlainTemplateGainsAFontBlockAndKeepsItsItems) {
  TemplateBuilder source(false, WS_POPUP | WS_CAPTION, L"Plain", 100, 50);
  source.AddItem(0x0080, L"Press", 7, BS_PUSHBUTTON, 5, 5, 50, 14);
  source.AddItem(0x0082, L"Note", 8, SS_LEFT, 5, 25, 50, 10);
  CDialogTemplate tmpl(source.Get());
  ASSERT_FALSE(tmpl.HasFont());
  UINT nSizeBefore = tmpl.GetTemplateSize();

  ASSERT_TRUE(tmpl.SetFont("MS Shell Dlg", 9));
  EXPECT_TRUE(tmpl.HasFont());
  EXPECT_GT(tmpl.GetTemplateSize(), nSizeBefore);
  tmpl.ModifyStyle(0, DS_CENTER);
  EXPECT_EQ((DWORD)(WS_POPUP | WS_CAPTION | DS_SETFONT | DS_CENTER), tmpl.GetStyle());

  HGLOBAL hTemplate = tmpl.Detach();
  ASSERT_NE(nullptr, hTemplate);
  EXPECT_EQ(nullptr, tmpl.GetTemplate());
  CHostWnd host;
  ASSERT_TRUE(host.CreateHost("host", kVisibleHost));
  CDialog dlg;
  ASSERT_TRUE(dlg.CreateIndirect(hTemplate, &host));
  char sz[16] = "";
  ::GetDlgItemTextA(dlg.m_hWnd, 7, sz, sizeof(sz));
  EXPECT_STREQ("Press", sz);
  ::GetDlgItemTextA(dlg.m_hWnd, 8, sz, sizeof(sz));
  EXPECT_STREQ("Note", sz);
  dlg.DestroyWindow();
  host.DestroyWindow();
  ::GlobalFree(hTemplate);
}

class CRefusingDialog : public CDialog {
public:
  int m_nInits = 0;
  BOOL OnInitDialog() override {
    ++m_nInits;
    EndDialog(IDCANCEL);
    return FALSE;
  }
};

TEST(ModelessDialog, CreationFailsAndLeavesNoWindowWhenOnInitDialogEndsIt) {
  CHostWnd host;
  ASSERT_TRUE(host.CreateHost("host", kVisibleHost));
  CRefusingDialog dlg;
  EXPECT_FALSE(dlg.Create(IDD_EMPTY, &host));
  EXPECT_EQ(1, dlg.m_nInits);
  EXPECT_EQ(nullptr, dlg.m_hWnd);
  host.DestroyWindow();
}

TEST(ModelessDialog, NullParentMeansTheMainWindowAndEndDialogOnlyHides) {
  CHostWnd mainWnd;
  ASSERT_TRUE(mainWnd.CreateHost("main", kVisibleHost));
  MainWindowScope scope(&mainWnd);
  CDialog dlg;
  ASSERT_TRUE(dlg.Create(IDD_EMPTY));
  EXPECT_EQ(mainWnd.m_hWnd, ::GetWindow(dlg.m_hWnd, GW_OWNER));
  dlg.ShowWindow(SW_SHOW);
  dlg.EndDialog(IDOK);
  EXPECT_TRUE(::IsWindow(dlg.m_hWnd));
  EXPECT_FALSE(dlg.IsWindowVisible());
  dlg.DestroyWindow();
  scope.Release();
  mainWnd.DestroyWindow();
}

// ---------------------------------------------------------------------------------------------
// Controls

class CPaintedButton : public CButton {
public:
  std::vector<UINT> m_drawnIds;
  void DrawItem(LPDRAWITEMSTRUCT lpDIS) override {
    m_drawnIds.push_back(lpDIS->CtlID);
    ::FillRect(lpDIS->hDC, &lpDIS->rcItem, (HBRUSH)::GetStockObject(BLACK_BRUSH));
  }
};

class COwnerDrawDialog : public CDialog {
public:
  COwnerDrawDialog() : CDialog(IDD_OWNERDRAW) {}
  CPaintedButton m_button;
  CListBox m_list;
  int m_nUpdates = 0;

protected:
  void DoDataExchange(CDataExchange* pDX) override {
    ++m_nUpdates;
    DDX_Control(pDX, IDC_PAINTED, m_button);
    DDX_Control(pDX, IDC_LIST, m_list);
  }
};

TEST(Controls, OwnerDrawButtonPaintsThroughReflectionFromItsDialog) {
  CHostWnd host;
  ASSERT_TRUE(host.CreateHost("host", kVisibleHost));
  COwnerDrawDialog dlg;
  ASSERT_TRUE(dlg.Create(IDD_OWNERDRAW, &host));
  ASSERT_EQ(::GetDlgItem(dlg.m_hWnd, IDC_PAINTED), dlg.m_button.m_hWnd);
  dlg.m_button.m_drawnIds.clear();
  dlg.ShowWindow(SW_SHOW);
  dlg.m_button.Invalidate();
  dlg.m_button.UpdateWindow();
  ASSERT_FALSE(dlg.m_button.m_drawnIds.empty());
  EXPECT_EQ((UINT)IDC_PAINTED, dlg.m_button.m_drawnIds.back());
  dlg.DestroyWindow();
  host.DestroyWindow();
}

TEST(Controls, ListBoxAndComboBoxHelpers) {
  CHostWnd host;
  ASSERT_TRUE(host.CreateHost("host", kVisibleHost));
  CListBox list;
  ASSERT_TRUE(list.Create(WS_VISIBLE | WS_BORDER | LBS_NOTIFY, CRect(5, 5, 150, 100), &host, 10));
  CComboBox combo;
  ASSERT_TRUE(combo.Create(WS_VISIBLE | CBS_DROPDOWNLIST, CRect(160, 5, 300, 150), &host, 11));
  EXPECT_EQ(CWnd::FromHandlePermanent(list.m_hWnd), &list);

  for (LPCSTR psz : {"red", "reddish", "green"}) {
    list.AddString(psz);
    combo.AddString(psz);
  }
  EXPECT_EQ(0, list.FindString(-1, "red"));
  EXPECT_EQ(1, list.FindStringExact(0, "reddish"));
  EXPECT_EQ(LB_ERR, list.FindStringExact(-1, "blue"));
  combo.SetItemData(2, 0xC0FFEE);
  EXPECT_EQ((DWORD_PTR)0xC0FFEE, combo.GetItemData(combo.FindStringExact(-1, "green")));
  combo.SetCurSel(1);
  CString text;
  combo.GetLBText(combo.GetCurSel(), text);
  EXPECT_STREQ("reddish", text);
  list.GetText(2, text);
  EXPECT_STREQ("green", text);
  host.DestroyWindow();
  EXPECT_EQ(nullptr, list.m_hWnd) << "the parent took its children along";
}

TEST(Controls, ListCtrlIteratesSelectedItemsInIndexOrder) {
  CHostWnd host;
  ASSERT_TRUE(host.CreateHost("host", kVisibleHost));
  CListCtrl list;
  ASSERT_TRUE(list.Create(WS_VISIBLE | LVS_REPORT, CRect(5, 5, 300, 200), &host, 12));
  list.InsertColumn(0, "Name", LVCFMT_LEFT, 100);
  for (int i = 0; i < 5; ++i) {
    char sz[8];
    wsprintfA(sz, "item%d", i);
    EXPECT_EQ(i, list.InsertItem(i, sz, 0));
  }
  list.SetItemState(3, LVIS_SELECTED, LVIS_SELECTED);
  list.SetItemState(1, LVIS_SELECTED, LVIS_SELECTED);
  std::vector<int> selected;
  for (POSITION pos = list.GetFirstSelectedItemPosition(); pos != NULL;)
    selected.push_back(list.GetNextSelectedItem(pos));
  EXPECT_EQ((std::vector<int>{1, 3}), selected);
  EXPECT_STREQ("item3", list.GetItemText(3, 0));
  list.DeleteAllItems();
  EXPECT_EQ(nullptr, list.GetFirstSelectedItemPosition());
  host.DestroyWindow();
}

TEST(Controls, SpinAndSliderKeepTheirRanges) {
  CHostWnd host;
  ASSERT_TRUE(host.CreateHost("host", kVisibleHost));
  CSpinButtonCtrl spin;
  ASSERT_TRUE(spin.Create(WS_VISIBLE | UDS_SETBUDDYINT, CRect(5, 5, 25, 30), &host, 13));
  spin.SetRange32(-5, 70000);
  int nLower = 0, nUpper = 0;
  spin.GetRange32(nLower, nUpper);
  EXPECT_EQ(-5, nLower);
  EXPECT_EQ(70000, nUpper);
  spin.SetPos32(65000);
  EXPECT_EQ(65000, spin.GetPos32());

  CSliderCtrl slider;
  ASSERT_TRUE(slider.Create(WS_VISIBLE | TBS_HORZ, CRect(40, 5, 240, 35), &host, 14));
  slider.SetRange(10, 20);
  slider.SetPos(99);
  EXPECT_EQ(20, slider.GetPos()) << "the position is clamped to the range";
  host.DestroyWindow();
}

TEST(Controls, ToolTipCtrlAddsAndRemovesTools) {
  CHostWnd host;
  ASSERT_TRUE(host.CreateHost("host", kVisibleHost));
  CButton button;
  ASSERT_TRUE(button.Create("Tip", WS_VISIBLE | BS_PUSHBUTTON, CRect(5, 5, 80, 30), &host, 15));
  CToolTipCtrl tip;
  ASSERT_TRUE(tip.Create(&host));
  EXPECT_TRUE(tip.AddTool(&button, "A button"));
  EXPECT_TRUE(tip.AddTool(&host, "An area", CRect(100, 100, 150, 150), 7));
  EXPECT_EQ(2, tip.GetToolCount());
  TOOLINFOA ti;
  EXPECT_TRUE(tip.GetToolInfo(&ti, &host, 7));
  EXPECT_EQ(100, ti.rect.left);
  tip.DelTool(&button);
  EXPECT_EQ(1, tip.GetToolCount());
  tip.DestroyWindow();
  host.DestroyWindow();
}

} // namespace
