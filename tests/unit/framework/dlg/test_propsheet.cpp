// Property sheets: the modeless child sheet inside a plain window, modal sheets ended with OK and
// Cancel, and page attachment without the page callback.
#include "tests/unit/framework/dlg/dialog_test_support.h"

#include <set>
#include <tuple>

namespace {

class CCountingPage : public CPropertyPage {
public:
  CCountingPage(UINT nIDTemplate, int nEditID) : CPropertyPage(nIDTemplate), m_nEditID(nEditID) {}
  CString m_strValue;
  int m_nInits = 0, m_nLoads = 0, m_nSaves = 0, m_nSetActives = 0, m_nApplies = 0, m_nResets = 0;
  BOOL m_bSheetVisibleAtInit = TRUE;
  std::function<void(CCountingPage&)> m_onIdle;
  int m_nKicks = 0;

  BOOL OnInitDialog() override {
    ++m_nInits;
    m_bSheetVisibleAtInit = ::IsWindowVisible(::GetParent(m_hWnd));
    return CPropertyPage::OnInitDialog();
  }
  BOOL OnSetActive() override {
    ++m_nSetActives;
    return CPropertyPage::OnSetActive();
  }
  BOOL OnApply() override {
    ++m_nApplies;
    return CPropertyPage::OnApply();
  }
  void OnReset() override {
    ++m_nResets;
    CPropertyPage::OnReset();
  }

protected:
  void DoDataExchange(CDataExchange* pDX) override {
    ++(pDX->m_bSaveAndValidate ? m_nSaves : m_nLoads);
    DDX_Text(pDX, m_nEditID, m_strValue);
  }
  // The sheet forwards its modal loop's idle kicks to the active page.
  afx_msg LRESULT OnKickIdle(WPARAM, LPARAM) {
    if (m_nKicks++ == 0)
      SetTimer(0x5A, 20, NULL); // watchdog only: keeps idle passes coming
    if (m_nKicks > 400)
      ::PostMessageA(::GetParent(m_hWnd), PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
    else if (m_onIdle)
      m_onIdle(*this);
    return 0;
  }
  DECLARE_MESSAGE_MAP()

private:
  int m_nEditID;
};

BEGIN_MESSAGE_MAP(CCountingPage, CPropertyPage)
ON_MESSAGE(WM_KICKIDLE, OnKickIdle)
END_MESSAGE_MAP()

// The number of distinct colours in a window's area of the screen.
size_t ScreenColours(HWND hWnd) {
  CRect rc;
  ::GetWindowRect(hWnd, &rc);
  const std::vector<COLORREF> pixels = pixel_support::ReadWindow(NULL, rc).data;
  return std::set<COLORREF>(pixels.begin(), pixels.end()).size();
}

TEST(ChildSheet, ModelessSheetLivesInsideAPlainWindowAndSwitchesPages) {
  CHostWnd host;
  ASSERT_TRUE(host.CreateHost("sheet host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 520, 360));
  CCountingPage first(IDD_PAGE_FIRST, IDC_PAGE_FIRST_EDIT), second(IDD_PAGE_SECOND, IDC_PAGE_SECOND_EDIT);
  first.m_strValue = "one";
  CPropertySheet sheet;
  sheet.AddPage(&first);
  sheet.AddPage(&second);
  ASSERT_TRUE(sheet.Create(&host, WS_CHILD | WS_VISIBLE, 0));

  EXPECT_EQ((DWORD)WS_CHILD, sheet.GetStyle() & (WS_CHILD | WS_POPUP | WS_CAPTION));
  int nButtons = 0;
  for (int nID : {IDOK, IDCANCEL, 0x3021, IDHELP}) { // OK, Cancel, Apply, Help: any there are hidden
    HWND hButton = ::GetDlgItem(sheet.m_hWnd, nID);
    nButtons += hButton != NULL;
    EXPECT_FALSE(::IsWindowVisible(hButton)) << nID;
  }
  EXPECT_GE(nButtons, 2);

  // Pages are made on first activation and loaded once by OnInitDialog; leaving a page validates it
  // and coming back reloads it.
  EXPECT_EQ(&first, CWnd::FromHandlePermanent(first.m_hWnd));
  EXPECT_EQ((std::vector<int>{1, 1, 1, 0}),
            (std::vector<int>{first.m_nInits, first.m_nSetActives, first.m_nLoads, second.m_nInits}));
  EXPECT_EQ("one", std::string(first.m_strValue));
  ASSERT_TRUE(sheet.SetActivePage(1));
  EXPECT_EQ(&second, sheet.GetActivePage());
  EXPECT_EQ((std::vector<int>{1, 1, 1}),
            (std::vector<int>{first.m_nSaves, second.m_nInits, second.m_nLoads}));
  ASSERT_TRUE(sheet.SetActivePage(&first));
  EXPECT_EQ(0, sheet.GetActiveIndex());
  EXPECT_EQ((std::vector<int>{1, 2, 2}),
            (std::vector<int>{first.m_nInits, first.m_nSetActives, first.m_nLoads}));
  EXPECT_TRUE(first.IsWindowVisible() && !second.IsWindowVisible());

  // As the task sheet shows it: no tab strip, no buttons, the page inside the window.
  ASSERT_NE(nullptr, sheet.GetTabControl());
  sheet.GetTabControl()->ShowWindow(SW_HIDE);
  size_t nColours = 0;
  for (int nTry = 0; nTry < 100 && nColours < 3; ++nTry) {
    PumpPending();
    if ((nColours = ScreenColours(host.m_hWnd)) < 3)
      ::MsgWaitForMultipleObjects(0, NULL, FALSE, 10, QS_ALLINPUT);
  }
  EXPECT_GE(nColours, 3u) << "the sheet's page should be visible on the screen";

  host.DestroyWindow();
  EXPECT_TRUE(sheet.m_hWnd == NULL && first.m_hWnd == NULL && second.m_hWnd == NULL)
      << "the sheet goes with its parent";
}

// A page left with the keyboard in one of its controls: the platform hides the page and leaves the
// focus there. A key for that control is none of the dialog navigation's business, the sheet's or
// a container's (its mnemonic search would never come back to it); on the shown page the
// navigation still takes the keys.
TEST(ChildSheet, KeysForAControlOfAHiddenPageAreLeftToTheirOwnWay) {
  CHostWnd host;
  ASSERT_TRUE(host.CreateHost("sheet host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 520, 360));
  CCountingPage first(IDD_PAGE_FIRST, IDC_PAGE_FIRST_EDIT), second(IDD_PAGE_SECOND, IDC_PAGE_SECOND_EDIT);
  CPropertySheet sheet;
  sheet.AddPage(&first);
  sheet.AddPage(&second);
  ASSERT_TRUE(sheet.Create(&host, WS_CHILD | WS_VISIBLE, 0));
  ASSERT_TRUE(sheet.SetActivePage(1));
  ASSERT_FALSE(first.IsWindowVisible());

  const HWND hLeft = ::GetDlgItem(first.m_hWnd, IDC_PAGE_FIRST_EDIT);
  for (UINT nMsg : {WM_SYSCHAR, WM_CHAR}) {
    MSG msg = {hLeft, nMsg, 'q', 0};
    EXPECT_FALSE(sheet.PreTranslateMessage(&msg)) << nMsg; // it returns: the key goes on its way
    EXPECT_FALSE(sheet.PreTranslateInput(&msg)) << nMsg;   // as any window's dialog keys do
  }
  const HWND hShown = ::GetDlgItem(second.m_hWnd, IDC_PAGE_SECOND_EDIT);
  MSG msg = {hShown, WM_CHAR, 'q', 0};
  EXPECT_TRUE(sheet.PreTranslateMessage(&msg));
  EXPECT_EQ("q", ItemText(second.m_hWnd, IDC_PAGE_SECOND_EDIT));
  host.DestroyWindow();
}

class ModalSheet : public HostedTest {};

// The sheet is shown at the first idle with its owner disabled; OK applies the typed text and
// Cancel resets the page and keeps the old value.
TEST_F(ModalSheet, OkAppliesAndCancelResetsThePages) {
  // The button pressed, the code, the text typed and the one kept, and the applies and resets.
  const std::tuple<int, int, const char*, const char*, int, int> cases[] = {
      {PSBTN_OK, IDOK, "typed", "typed", 1, 0}, {PSBTN_CANCEL, IDCANCEL, "discarded", "start", 0, 1}};
  for (auto [nButton, nCode, pszTyped, pszKept, nApplies, nResets] : cases) {
    CCountingPage page(IDD_PAGE_FIRST, IDC_PAGE_FIRST_EDIT);
    page.m_strValue = "start";
    CPropertySheet sheet("Options", &host);
    sheet.m_psh.dwFlags |= PSH_NOAPPLYNOW;
    sheet.AddPage(&page);
    BOOL bSheetVisibleAtIdle = FALSE, bOwnerEnabledWhileModal = TRUE;
    page.m_onIdle = [&, pszTyped = pszTyped, nButton = nButton](CCountingPage& p) {
      if (p.m_nKicks != 1)
        return;
      bSheetVisibleAtIdle = ::IsWindowVisible(::GetParent(p.m_hWnd));
      bOwnerEnabledWhileModal = host.IsWindowEnabled();
      p.SetDlgItemText(IDC_PAGE_FIRST_EDIT, pszTyped);
      ::PostMessageA(::GetParent(p.m_hWnd), PSM_PRESSBUTTON, nButton, 0);
    };
    EXPECT_EQ(nCode, sheet.DoModal());
    EXPECT_STREQ(pszKept, page.m_strValue);
    EXPECT_EQ((std::vector<int>{nApplies, nResets}), (std::vector<int>{page.m_nApplies, page.m_nResets}));
    EXPECT_FALSE(page.m_bSheetVisibleAtInit) << "hidden until the loop first goes idle";
    EXPECT_TRUE(bSheetVisibleAtIdle);
    EXPECT_FALSE(bOwnerEnabledWhileModal);
    EXPECT_TRUE(host.IsWindowEnabled());
    EXPECT_TRUE(sheet.m_hWnd == NULL && page.m_hWnd == NULL);
  }
}

TEST_F(ModalSheet, EndDialogEndsTheLoopWithItsCode) {
  CCountingPage page(IDD_PAGE_FIRST, IDC_PAGE_FIRST_EDIT);
  CPropertySheet sheet("Options");
  sheet.AddPage(&page);
  page.m_onIdle = [&](CCountingPage&) { sheet.EndDialog(77); };
  EXPECT_EQ(77, sheet.DoModal());
  EXPECT_EQ(nullptr, sheet.m_hWnd);
}

class PopupSheet : public HostedTest {};

TEST_F(PopupSheet, PageWithoutCallbackIsAttachedAtInitDialogButtonsAreCutOffAndPagesJoinLater) {
  CCountingPage page(IDD_PAGE_FIRST, IDC_PAGE_FIRST_EDIT), later(IDD_PAGE_SECOND, IDC_PAGE_SECOND_EDIT);
  page.m_psp.dwFlags &= ~PSP_USECALLBACK;
  page.m_strValue = "plain";
  CPropertySheet sheet("Popup");
  sheet.AddPage(&page);
  ASSERT_TRUE(sheet.Create(&host));
  EXPECT_EQ(&page, CWnd::FromHandlePermanent(page.m_hWnd));
  EXPECT_EQ(1, page.m_nInits);
  EXPECT_EQ(1, page.m_nLoads);
  EXPECT_EQ("plain", ItemText(page.m_hWnd, IDC_PAGE_FIRST_EDIT));
  EXPECT_TRUE(sheet.GetStyle() & WS_POPUP);
  CRect rcSheet, rcOk;
  sheet.GetWindowRect(&rcSheet);
  ::GetWindowRect(::GetDlgItem(sheet.m_hWnd, IDOK), &rcOk);
  EXPECT_EQ(rcOk.top, rcSheet.bottom) << "the sheet ends where its buttons began";

  sheet.AddPage(&later);
  EXPECT_EQ(2, sheet.GetPageCount());
  EXPECT_EQ(2, sheet.GetTabControl()->GetItemCount());
  ASSERT_TRUE(sheet.SetActivePage(&later));
  EXPECT_EQ(1, later.m_nInits);
  EXPECT_EQ(&later, sheet.GetActivePage());
  sheet.RemovePage(&page);
  EXPECT_EQ(1, sheet.GetPageCount());
  EXPECT_EQ(1, sheet.GetTabControl()->GetItemCount());
  EXPECT_EQ(nullptr, page.m_hWnd) << "a removed page goes";
  sheet.DestroyWindow();
  EXPECT_EQ(nullptr, later.m_hWnd);
}

} // namespace
