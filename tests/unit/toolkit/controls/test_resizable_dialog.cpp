// Resizable dialogs: anchored controls follow a real resize, the first size is the smallest, the
// size gripper is painted and hit-tests as the sizing corner, the placement goes to the profile and comes
// back, and Enter and Esc leave an embedded dialog open.
#include "tests/common/pixel_support.h"
#include "tests/common/window_support.h"
#include "tests/unit/toolkit/controls/resizable_dlg_test_res.h"
#include "toolkit/foundation/ExtRegistryArchive.h"
#include "toolkit/controls/ExtResizableDialog.h"
#include "toolkit/theme/ExtPaintManagerHolder.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const char kRegistryKey[] = "PixResizableTest", kRegistryPath[] = "Software\\PixResizableTest";
const char kSection[] = "Dialogs";
const char kEntry[] = "Resizable";

CRect WindowRectOf(HWND hWnd) {
  CRect rc;
  ::GetWindowRect(hWnd, &rc);
  return rc;
}

CRect ChildRect(HWND hDlg, int nID) {
  CRect rc = WindowRectOf(::GetDlgItem(hDlg, nID));
  ::MapWindowPoints(NULL, hDlg, reinterpret_cast<POINT*>(&rc), 2);
  return rc;
}

// The gripper's corner of the client area, SM_CXVSCROLL x SM_CYHSCROLL.
CRect GripperRect(HWND hDlg) {
  CRect rc;
  ::GetClientRect(hDlg, &rc);
  return CRect(rc.right - ::GetSystemMetrics(SM_CXVSCROLL), rc.bottom - ::GetSystemMetrics(SM_CYHSCROLL),
               rc.right, rc.bottom);
}

int CountColor(const pixel_support::Pixels& px, COLORREF clr) {
  int n = 0;
  for (COLORREF c : px.data)
    n += c == clr;
  return n;
}

// A shown resizable dialog in the application's Office 2003 theme, the profile in a test key.
class ResizableDialogTest : public ::testing::Test {
protected:
  void SetUp() override {
    CWinApp& app = TheTestApp();
    if (app.m_pszRegistryKey != NULL)
      m_strOldKey = app.m_pszRegistryKey;
    RegistryDeleteKeyTree(HKEY_CURRENT_USER, kRegistryPath);
    app.SetRegistryKey(kRegistryKey);
    ASSERT_TRUE(g_PaintManagerHolder.InstallThemeByClass(RUNTIME_CLASS(CExtPaintManagerOffice2003)));
    ASSERT_TRUE(m_dlg.Create(IDD_RESIZABLE_TEST, NULL));
    m_dlg.SetWindowPos(NULL, 40, 40, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    m_dlg.ShowWindow(SW_SHOW);
    m_dlg.UpdateWindow();
    PumpPending();
  }
  void TearDown() override {
    if (::IsWindow(m_dlg.GetSafeHwnd()))
      m_dlg.DestroyWindow();
    g_PaintManagerHolder.InstallThemeByClass(RUNTIME_CLASS(CExtPaintManagerXP));
    RegistryDeleteKeyTree(HKEY_CURRENT_USER, kRegistryPath);
    if (!m_strOldKey.empty())
      TheTestApp().SetRegistryKey(m_strOldKey.c_str());
  }
  HWND Dlg() const { return m_dlg.GetSafeHwnd(); }
  void Resize(int dx, int dy) {
    const CRect rc = WindowRectOf(Dlg());
    m_dlg.SetWindowPos(NULL, 0, 0, rc.Width() + dx, rc.Height() + dy, SWP_NOMOVE | SWP_NOZORDER);
    m_dlg.UpdateWindow();
  }
  std::string SavedPlacement() const {
    char szValue[128] = {};
    DWORD cb = sizeof(szValue);
    const std::string strKey = std::string(kRegistryPath) + "\\FwLab\\" + kSection;
    if (::RegGetValueA(HKEY_CURRENT_USER, strKey.c_str(), kEntry, RRF_RT_REG_SZ, NULL, szValue, &cb) !=
        ERROR_SUCCESS)
      return "(none)";
    return szValue;
  }

  CExtResizableDialog m_dlg{IDD_RESIZABLE_TEST};
  std::string m_strOldKey;
};

TEST_F(ResizableDialogTest, AnchoredControlsMoveAndStretchAsTheirAnchorsSay) {
  // The anchors, then how far each edge moves in percent of the growth of the client size.
  // clang-format off
  const struct { int nID, nX1, nY1, nX2, nY2, nLeft, nTop, nRight, nBottom; } rows[] = {
      {IDC_RSZ_LABEL, 0, 0, -1, -1, 0, 0, 0, 0},      {IDC_RSZ_EDIT, 0, 0, 100, 0, 0, 0, 100, 0},
      {IDC_RSZ_LIST, 0, 0, 50, 100, 0, 0, 50, 100},   {IDC_RSZ_HALF, 50, 0, 100, 100, 50, 0, 100, 100},
      {IDC_RSZ_OK, 100, 100, -1, -1, 100, 100, 100, 100}};
  // clang-format on
  CRect rcBefore[5], rcClientBefore, rcClientAfter;
  for (int i = 0; i < 5; ++i) {
    const auto& r = rows[i];
    ASSERT_TRUE(m_dlg.AddAnchor(::GetDlgItem(Dlg(), r.nID), r.nX1, r.nY1, r.nX2, r.nY2));
    rcBefore[i] = ChildRect(Dlg(), r.nID);
  }
  ::GetClientRect(Dlg(), &rcClientBefore);
  pixel_support::SaveBmp(pixel_support::ReadWindow(NULL, WindowRectOf(Dlg())), "resizable_dialog_before.bmp");
  Resize(160, 90);
  PumpPending();
  pixel_support::SaveBmp(pixel_support::ReadWindow(NULL, WindowRectOf(Dlg())), "resizable_dialog_after.bmp");
  ::GetClientRect(Dlg(), &rcClientAfter);
  ASSERT_EQ(CSize(160, 90), rcClientAfter.Size() - rcClientBefore.Size());
  for (int i = 0; i < 5; ++i) {
    const auto& r = rows[i];
    const CRect rc = ChildRect(Dlg(), r.nID), &b = rcBefore[i];
    SCOPED_TRACE(r.nID);
    // Percentages of an odd size round either way: one pixel of play.
    EXPECT_NEAR(b.left + 160 * r.nLeft / 100, rc.left, 1);
    EXPECT_NEAR(b.top + 90 * r.nTop / 100, rc.top, 1);
    EXPECT_NEAR(b.right + 160 * r.nRight / 100, rc.right, 1);
    EXPECT_NEAR(b.bottom + 90 * r.nBottom / 100, rc.bottom, 1);
  }
}

TEST_F(ResizableDialogTest, AnchorsAreRefusedWithoutATopLeftOrForAWindowThatIsNoChild) {
  CHostWnd host;
  ASSERT_TRUE(host.CreateHost());
  EXPECT_FALSE(m_dlg.AddAnchor(::GetDlgItem(Dlg(), IDC_RSZ_EDIT), -1, -1, 100, 100));
  EXPECT_FALSE(m_dlg.AddAnchor(host.GetSafeHwnd(), 0, 0, 100, 100));
  EXPECT_FALSE(m_dlg.AddAnchor(NULL, 0, 0, 100, 100));
  EXPECT_TRUE(m_dlg.AddAnchor(::GetDlgItem(Dlg(), IDC_RSZ_EDIT), CSize(0, 0), CSize(100, 0)));
}

TEST_F(ResizableDialogTest, TheFirstSizeIsTheSmallest) {
  const CRect rcFirst = WindowRectOf(Dlg());
  MINMAXINFO info = {};
  m_dlg.SendMessage(WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
  EXPECT_EQ(CPoint(rcFirst.Width(), rcFirst.Height()), CPoint(info.ptMinTrackSize));

  Resize(50, 30);
  Resize(-100, -60);
  EXPECT_EQ(rcFirst.Size(), WindowRectOf(Dlg()).Size());
}

TEST_F(ResizableDialogTest, TheGripperIsPaintedInTheCornerAndHitTestsAsTheSizingCorner) {
  const CRect rcGrip = GripperRect(Dlg());
  const COLORREF clrDot = g_PaintManagerHolder->ColorByLogicalId(3003);
  CPoint ptScreen = rcGrip.CenterPoint();
  ::ClientToScreen(Dlg(), &ptScreen);
  CPoint ptInside(30, 30);
  ::ClientToScreen(Dlg(), &ptInside);
  CRect rcLeftOfGrip = rcGrip;
  rcLeftOfGrip.OffsetRect(-rcGrip.Width(), 0);
  EXPECT_EQ(0, CountColor(pixel_support::ReadWindow(Dlg(), rcLeftOfGrip), clrDot));

  struct Row {
    BOOL bShow;
    bool bDotsPainted;
    LRESULT nHit;
  } const rows[] = {{TRUE, true, HTBOTTOMRIGHT}, {FALSE, false, HTCLIENT}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.bShow);
    m_dlg.ShowSizeGrip(row.bShow);
    m_dlg.UpdateWindow();
    const int nDots = CountColor(pixel_support::ReadWindow(Dlg(), rcGrip), clrDot);
    EXPECT_EQ(row.bDotsPainted, nDots > 0) << nDots;
    EXPECT_EQ(row.nHit, m_dlg.SendMessage(WM_NCHITTEST, 0, MAKELPARAM(ptScreen.x, ptScreen.y)));
    EXPECT_EQ(HTCLIENT, m_dlg.SendMessage(WM_NCHITTEST, 0, MAKELPARAM(ptInside.x, ptInside.y)));
  }
}

TEST_F(ResizableDialogTest, ThePlacementIsSavedOnDestructionAndRestored) {
  m_dlg.EnableSaveRestore(kSection, kEntry);
  m_dlg.SetWindowPos(NULL, 100, 120, 420, 300, SWP_NOZORDER);
  m_dlg.DestroyWindow();
  EXPECT_EQ("100,120,520,420,1,0", SavedPlacement());

  struct Row {
    BOOL bHide;
    bool bVisible;
  } const rows[] = {{FALSE, true}, {TRUE, false}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.bHide);
    CExtResizableDialog dlg(IDD_RESIZABLE_TEST);
    ASSERT_TRUE(dlg.Create(IDD_RESIZABLE_TEST, NULL));
    dlg.EnableSaveRestore(kSection, kEntry, row.bHide);
    EXPECT_EQ(CRect(100, 120, 520, 420), WindowRectOf(dlg.GetSafeHwnd()));
    EXPECT_EQ(row.bVisible, dlg.IsWindowVisible() != FALSE);
    dlg.DestroyWindow();
  }
}

TEST_F(ResizableDialogTest, ASavedPlacementWithoutSixNumbersIsIgnored) {
  const CRect rcBefore = WindowRectOf(Dlg());
  for (const char* pszValue : {"", "100,120,520", "a,b,c,d,e,f", "100;120;520;420;1;0"}) {
    SCOPED_TRACE(pszValue);
    ASSERT_TRUE(TheTestApp().WriteProfileString(kSection, kEntry, pszValue));
    m_dlg.EnableSaveRestore(kSection, kEntry);
    EXPECT_FALSE(m_dlg.LoadWindowRect(FALSE));
    EXPECT_EQ(rcBefore, WindowRectOf(Dlg()));
  }
}

TEST(ResizableDialog, EnterAndEscapeCloseOnlyAPopUpDialog) {
  CHostWnd host;
  ASSERT_TRUE(host.CreateHost());
  struct Row {
    UINT nTemplate;
    CWnd* pParent;
    bool bStaysOpen;
  } const rows[] = {{IDD_RESIZABLE_CHILD, &host, true}, {IDD_RESIZABLE_TEST, NULL, false}};
  for (const Row& row : rows) {
    for (WPARAM nCommand : {IDOK, IDCANCEL}) {
      SCOPED_TRACE(row.nTemplate * 10 + nCommand);
      CExtResizableDialog dlg(row.nTemplate);
      ASSERT_TRUE(dlg.Create(row.nTemplate, row.pParent));
      dlg.ShowWindow(SW_SHOW);
      dlg.SendMessage(WM_COMMAND, nCommand, 0);
      EXPECT_EQ(row.bStaysOpen, (dlg.GetStyle() & WS_VISIBLE) != 0);
      dlg.DestroyWindow();
    }
  }
}

} // namespace
