// Property sheets: the modeless child sheet inside a plain window, modal sheets ended with OK and
// Cancel, and page attachment without the page callback.
#include "tests/unit/framework/dlg/dialog_test_support.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <set>

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

// Copies a window's area of the screen into a 24-bit BMP file; answers the number of distinct
// colours seen (0 when nothing could be captured).
size_t CaptureWindowToBmp(HWND hWnd, const std::string& path) {
  RECT rc;
  ::GetWindowRect(hWnd, &rc);
  int cx = rc.right - rc.left, cy = rc.bottom - rc.top;
  BITMAPINFOHEADER bih = {sizeof(bih), cx, cy, 1, 24, BI_RGB};
  void* pBits = NULL;
  HDC hScreen = ::GetDC(NULL);
  HBITMAP hBitmap =
      ::CreateDIBSection(hScreen, reinterpret_cast<BITMAPINFO*>(&bih), DIB_RGB_COLORS, &pBits, NULL, 0);
  HDC hMem = ::CreateCompatibleDC(hScreen);
  HGDIOBJ hOld = ::SelectObject(hMem, hBitmap);
  ::BitBlt(hMem, 0, 0, cx, cy, hScreen, rc.left, rc.top, SRCCOPY);
  ::GdiFlush();
  int nStride = ((cx * 3 + 3) / 4) * 4;
  std::set<DWORD> colours;
  const BYTE* p = static_cast<const BYTE*>(pBits);
  for (int y = 0; y < cy && colours.size() < 16; ++y)
    for (int x = 0; x < cx; ++x)
      colours.insert(RGB(p[y * nStride + x * 3], p[y * nStride + x * 3 + 1], p[y * nStride + x * 3 + 2]));

  std::unique_ptr<FILE, int (*)(FILE*)> file(std::fopen(path.c_str(), "wb"), &std::fclose);
  if (file) {
    BITMAPFILEHEADER bfh = {};
    bfh.bfType = 0x4D42;
    bfh.bfOffBits = sizeof(bfh) + sizeof(bih);
    bfh.bfSize = bfh.bfOffBits + nStride * cy;
    std::fwrite(&bfh, sizeof(bfh), 1, file.get());
    std::fwrite(&bih, sizeof(bih), 1, file.get());
    std::fwrite(pBits, nStride, cy, file.get());
  }
  ::SelectObject(hMem, hOld);
  ::DeleteDC(hMem);
  ::DeleteObject(hBitmap);
  ::ReleaseDC(NULL, hScreen);
  return file ? colours.size() : 0;
}

TEST(ChildSheet, ModelessSheetLivesInsideAPlainWindowAndSwitchesPages) {
  CHostWnd host;
  ASSERT_TRUE(host.CreateHost("sheet host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 520, 360));
  CCountingPage first(IDD_PAGE_FIRST, IDC_PAGE_FIRST_EDIT);
  CCountingPage second(IDD_PAGE_SECOND, IDC_PAGE_SECOND_EDIT);
  first.m_strValue = "one";
  second.m_strValue = "two";
  CPropertySheet sheet;
  sheet.AddPage(&first);
  sheet.AddPage(&second);
  ASSERT_TRUE(sheet.Create(&host, WS_CHILD | WS_VISIBLE, 0));

  DWORD dwStyle = sheet.GetStyle();
  EXPECT_TRUE(dwStyle & WS_CHILD);
  EXPECT_FALSE(dwStyle & WS_POPUP);
  EXPECT_EQ(0u, dwStyle & WS_CAPTION);
  EXPECT_EQ(host.m_hWnd, ::GetParent(sheet.m_hWnd));
  EXPECT_EQ(&sheet, CWnd::FromHandlePermanent(sheet.m_hWnd));
  int nButtons = 0;
  for (int nID : {IDOK, IDCANCEL, 0x3021, IDHELP}) {
    HWND hButton = ::GetDlgItem(sheet.m_hWnd, nID);
    if (hButton == NULL)
      continue;
    ++nButtons;
    EXPECT_FALSE(::IsWindowVisible(hButton)) << nID;
  }
  EXPECT_GE(nButtons, 2);

  // The first page: created, loaded once by OnInitDialog, activated without a second load.
  EXPECT_EQ(&first, CWnd::FromHandlePermanent(first.m_hWnd));
  EXPECT_EQ(sheet.m_hWnd, ::GetParent(first.m_hWnd));
  EXPECT_EQ(1, first.m_nInits);
  EXPECT_EQ(1, first.m_nSetActives);
  EXPECT_EQ(1, first.m_nLoads);
  EXPECT_EQ(0, second.m_nInits) << "pages are created on first activation";
  EXPECT_EQ(&first, sheet.GetActivePage());
  EXPECT_EQ("one", std::string(first.m_strValue));

  ASSERT_TRUE(sheet.SetActivePage(1));
  EXPECT_EQ(1, sheet.GetActiveIndex());
  EXPECT_EQ(1, first.m_nSaves) << "leaving a page validates it";
  EXPECT_EQ(1, second.m_nInits);
  EXPECT_EQ(1, second.m_nLoads);
  EXPECT_EQ(&second, CWnd::FromHandlePermanent(second.m_hWnd));

  ASSERT_TRUE(sheet.SetActivePage(&first));
  EXPECT_EQ(0, sheet.GetActiveIndex());
  EXPECT_EQ(2, first.m_nSetActives);
  EXPECT_EQ(2, first.m_nLoads) << "the second activation reloads the controls";
  EXPECT_EQ(1, first.m_nInits);
  EXPECT_TRUE(first.IsWindowVisible());
  EXPECT_FALSE(second.IsWindowVisible());

  // As the task sheet shows it: no tab strip, no buttons, the page inside the window.
  CTabCtrl* pTab = sheet.GetTabControl();
  ASSERT_NE(nullptr, pTab);
  EXPECT_EQ(2, pTab->GetItemCount());
  pTab->ShowWindow(SW_HIDE);
  std::string path = ArtifactsFolder() + "\\child_sheet.bmp";
  size_t nColours = 0;
  for (int nTry = 0; nTry < 100 && nColours < 3; ++nTry) {
    host.RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    PumpPending();
    nColours = CaptureWindowToBmp(host.m_hWnd, path);
    if (nColours < 3)
      ::MsgWaitForMultipleObjects(0, NULL, FALSE, 10, QS_ALLINPUT);
  }
  EXPECT_GE(nColours, 3u) << "the sheet's page should be visible on the screen: " << path;

  host.DestroyWindow();
  EXPECT_EQ(nullptr, sheet.m_hWnd) << "the sheet goes with its parent";
  EXPECT_EQ(nullptr, first.m_hWnd);
  EXPECT_EQ(nullptr, second.m_hWnd);
}

TEST(ModalSheet, OkReturnsIdokAfterApplyingThePages) {
  CHostWnd host;
  ASSERT_TRUE(host.CreateHost("owner", kVisibleHost));
  CCountingPage page(IDD_PAGE_FIRST, IDC_PAGE_FIRST_EDIT);
  page.m_strValue = "start";
  CPropertySheet sheet("Options", &host);
  sheet.m_psh.dwFlags |= PSH_NOAPPLYNOW;
  sheet.AddPage(&page);
  BOOL bSheetVisibleAtIdle = FALSE;
  BOOL bOwnerEnabledWhileModal = TRUE;
  page.m_onIdle = [&](CCountingPage& p) {
    if (p.m_nKicks != 1)
      return;
    bSheetVisibleAtIdle = ::IsWindowVisible(::GetParent(p.m_hWnd));
    bOwnerEnabledWhileModal = host.IsWindowEnabled();
    p.SetDlgItemText(IDC_PAGE_FIRST_EDIT, "typed");
    ::PostMessageA(::GetParent(p.m_hWnd), PSM_PRESSBUTTON, PSBTN_OK, 0);
  };

  EXPECT_EQ(IDOK, sheet.DoModal());
  EXPECT_STREQ("typed", page.m_strValue);
  EXPECT_EQ(1, page.m_nApplies);
  EXPECT_EQ(0, page.m_nResets);
  EXPECT_FALSE(page.m_bSheetVisibleAtInit) << "hidden until the loop first goes idle";
  EXPECT_TRUE(bSheetVisibleAtIdle);
  EXPECT_FALSE(bOwnerEnabledWhileModal);
  EXPECT_TRUE(host.IsWindowEnabled());
  EXPECT_EQ(nullptr, sheet.m_hWnd);
  EXPECT_EQ(nullptr, page.m_hWnd);
  host.DestroyWindow();
}

TEST(ModalSheet, CancelReturnsIdcancelAndResetsThePages) {
  CHostWnd host;
  ASSERT_TRUE(host.CreateHost("owner", kVisibleHost));
  CCountingPage page(IDD_PAGE_FIRST, IDC_PAGE_FIRST_EDIT);
  page.m_strValue = "start";
  CPropertySheet sheet("Options", &host);
  sheet.AddPage(&page);
  page.m_onIdle = [&](CCountingPage& p) {
    if (p.m_nKicks != 1)
      return;
    p.SetDlgItemText(IDC_PAGE_FIRST_EDIT, "discarded");
    ::PostMessageA(::GetParent(p.m_hWnd), PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
  };
  EXPECT_EQ(IDCANCEL, sheet.DoModal());
  EXPECT_STREQ("start", page.m_strValue);
  EXPECT_EQ(1, page.m_nResets);
  EXPECT_EQ(0, page.m_nApplies);
  host.DestroyWindow();
}

TEST(ModalSheet, EndDialogEndsTheLoopWithItsCode) {
  CCountingPage page(IDD_PAGE_FIRST, IDC_PAGE_FIRST_EDIT);
  CPropertySheet sheet("Options");
  sheet.AddPage(&page);
  page.m_onIdle = [&](CCountingPage&) { sheet.EndDialog(77); };
  EXPECT_EQ(77, sheet.DoModal());
  EXPECT_EQ(nullptr, sheet.m_hWnd);
}

TEST(PopupSheet, PageWithoutCallbackIsAttachedAtInitDialogAndButtonsAreCutOff) {
  CHostWnd host;
  ASSERT_TRUE(host.CreateHost("owner", kVisibleHost));
  CCountingPage page(IDD_PAGE_FIRST, IDC_PAGE_FIRST_EDIT);
  page.m_psp.dwFlags &= ~PSP_USECALLBACK;
  page.m_strValue = "plain";
  CPropertySheet sheet("Popup");
  sheet.AddPage(&page);
  ASSERT_TRUE(sheet.Create(&host));

  EXPECT_EQ(&page, CWnd::FromHandlePermanent(page.m_hWnd));
  EXPECT_EQ(1, page.m_nInits);
  EXPECT_EQ(1, page.m_nLoads);
  char sz[32] = "";
  ::GetDlgItemTextA(page.m_hWnd, IDC_PAGE_FIRST_EDIT, sz, sizeof(sz));
  EXPECT_STREQ("plain", sz);

  EXPECT_TRUE(sheet.GetStyle() & WS_POPUP);
  RECT rcSheet, rcOk;
  sheet.GetWindowRect(&rcSheet);
  ::GetWindowRect(::GetDlgItem(sheet.m_hWnd, IDOK), &rcOk);
  EXPECT_EQ(rcOk.top, rcSheet.bottom) << "the sheet ends where its buttons began";
  sheet.DestroyWindow();
  EXPECT_EQ(nullptr, page.m_hWnd);
  host.DestroyWindow();
}

TEST(PopupSheet, PagesAddedAfterCreationJoinTheSheet) {
  CHostWnd host;
  ASSERT_TRUE(host.CreateHost("owner", kVisibleHost));
  CCountingPage first(IDD_PAGE_FIRST, IDC_PAGE_FIRST_EDIT);
  CCountingPage second(IDD_PAGE_SECOND, IDC_PAGE_SECOND_EDIT);
  CPropertySheet sheet("Growing");
  sheet.AddPage(&first);
  ASSERT_TRUE(sheet.Create(&host));
  sheet.AddPage(&second);
  EXPECT_EQ(2, sheet.GetPageCount());
  EXPECT_EQ(2, sheet.GetTabControl()->GetItemCount());
  ASSERT_TRUE(sheet.SetActivePage(&second));
  EXPECT_EQ(1, second.m_nInits);
  EXPECT_EQ(&second, sheet.GetActivePage());
  sheet.RemovePage(&first);
  EXPECT_EQ(1, sheet.GetPageCount());
  EXPECT_EQ(1, sheet.GetTabControl()->GetItemCount());
  sheet.DestroyWindow();
  host.DestroyWindow();
}

} // namespace
