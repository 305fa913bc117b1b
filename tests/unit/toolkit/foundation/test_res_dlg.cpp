// Resource dialogs: the font fix-up of their templates, the template hooks, the right-to-left
// layout, the modal run, and dialog-initialisation data run once and within its resource.
#include "tests/common/import_patch.h"
#include "tests/common/window_support.h"
#include "tests/unit/toolkit/foundation/ext_bitmap_support.h"
#include "tests/unit/toolkit/foundation/res_dlg_test_res.h"
#include "toolkit/foundation/ExtResDlg.h"
#include "toolkit/foundation/ExtResourceManager.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace {

const UINT kWatchdogTimer = 77;

// Counts WM_INITIALUPDATE per child window while the children are subclassed.
struct ChildRecord {
  WNDPROC pfnOld;
  int nInitialUpdates;
};
std::map<HWND, ChildRecord> g_children;

LRESULT CALLBACK CountingProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam) {
  ChildRecord& child = g_children[hWnd];
  if (nMsg == WM_INITIALUPDATE)
    ++child.nInitialUpdates;
  return ::CallWindowProcA(child.pfnOld, hWnd, nMsg, wParam, lParam);
}

// A resource dialog the test drives. m_afterInit runs at the end of OnInitDialog, m_onIdle at the
// modal loop's first idle pass; a watchdog ends a dialog nobody ends with -2. m_initialUpdates
// holds how often each child got WM_INITIALUPDATE during the toolkit's initialisation.
class CProbeDlg : public CExtResDlg {
public:
  explicit CProbeDlg(UINT nIDTemplate, CWnd* pParentWnd = NULL) : CExtResDlg(nIDTemplate, pParentWnd) {}
  std::function<void(CProbeDlg&)> m_afterInit;
  std::function<void(CProbeDlg&)> m_onIdle;
  bool m_bRightToLeft = false;
  std::map<int, int> m_initialUpdates;

  bool OnQueryAutomaticRTLTransform() const override { return m_bRightToLeft; }
  using CExtResDlg::ExecuteDlgInitData;

  BOOL OnInitDialog() override {
    g_children.clear();
    for (HWND hChild = ::GetWindow(m_hWnd, GW_CHILD); hChild != NULL;
         hChild = ::GetWindow(hChild, GW_HWNDNEXT))
      g_children[hChild] = {reinterpret_cast<WNDPROC>(::SetWindowLongPtrA(
                                hChild, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(CountingProc))),
                            0};
    const BOOL bResult = CExtResDlg::OnInitDialog();
    for (const auto& child : g_children) {
      ::SetWindowLongPtrA(child.first, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(child.second.pfnOld));
      m_initialUpdates[::GetDlgCtrlID(child.first)] = child.second.nInitialUpdates;
    }
    if (m_hWnd != NULL)
      SetTimer(kWatchdogTimer, 5000, NULL);
    if (m_afterInit)
      m_afterInit(*this);
    return bResult;
  }
  LRESULT WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam) override {
    if (nMsg == WM_KICKIDLE && m_onIdle)
      std::exchange(m_onIdle, nullptr)(*this);
    else if (nMsg == WM_TIMER && wParam == kWatchdogTimer)
      EndDialog(-2);
    return CExtResDlg::WindowProc(nMsg, wParam, lParam);
  }
};

// The face of the font a dialog was given, and its height in points.
std::pair<std::string, int> FontOf(HWND hDlg) {
  LOGFONTA lf = {};
  HFONT hFont = reinterpret_cast<HFONT>(::SendMessageA(hDlg, WM_GETFONT, 0, 0));
  if (hFont == NULL || ::GetObjectA(hFont, sizeof(lf), &lf) == 0)
    return {"", 0};
  HDC hScreen = ::GetDC(NULL);
  const int nPoints = ::MulDiv(-lf.lfHeight, 72, ::GetDeviceCaps(hScreen, LOGPIXELSY));
  ::ReleaseDC(NULL, hScreen);
  return {lf.lfFaceName, nPoints};
}

std::vector<std::string> Items(HWND hCombo, UINT nCountMsg = CB_GETCOUNT, UINT nTextMsg = CB_GETLBTEXT) {
  std::vector<std::string> items;
  for (int i = 0, n = (int)::SendMessageA(hCombo, nCountMsg, 0, 0); i < n; ++i) {
    char sz[64] = "";
    ::SendMessageA(hCombo, nTextMsg, i, reinterpret_cast<LPARAM>(sz));
    items.push_back(sz);
  }
  return items;
}

int g_nDbcsEnabled = 0;
int WINAPI DbcsSystemMetrics(int nIndex) {
  static const auto pfnReal = reinterpret_cast<int(WINAPI*)(int)>(
      ::GetProcAddress(::GetModuleHandleA("user32.dll"), "GetSystemMetrics"));
  return nIndex == SM_DBCSENABLED ? g_nDbcsEnabled : pfnReal(nIndex);
}

class ResDlg : public ::testing::Test {
protected:
  void SetUp() override {
    INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_USEREX_CLASSES};
    ASSERT_TRUE(::InitCommonControlsEx(&icc));
    ASSERT_TRUE(host.CreateHost("host", WS_OVERLAPPEDWINDOW | WS_VISIBLE));
  }
  void TearDown() override {
    g_ResourceManagerHolder.Install(NULL);
    host.DestroyWindow();
  }
  CHostWnd host;
};

// ---------------------------------------------------------------------------------------------
// Fonts, template hooks, layout and the modal run

TEST_F(ResDlg, TemplateFontsAreBroughtInLineWithThePropertySheetAndSystemFonts) {
  CString strSheet;
  WORD nSheetSize = 0;
  ASSERT_TRUE(CExtResDlg::GetPropertySheetFont(strSheet, nSheetSize));
  LOGFONTA lfGui = {};
  ::GetObjectA(::GetStockObject(DEFAULT_GUI_FONT), sizeof(lfGui), &lfGui);
  const std::string sheet = (LPCSTR)strSheet, gui = lfGui.lfFaceName;
  ASSERT_EQ(8, nSheetSize);
  ASSERT_NE("MS Sans Serif", sheet) << "the fix-up would change nothing to see";
  ASSERT_NE("MS Sans Serif", gui);
  const struct {
    const char* name;
    UINT nID;
    int nDbcs;
    std::pair<std::string, int> font; // face, points (0: not checked)
  } rows[] = {
      {"MS Sans Serif 8 takes the sheet's face", IDD_RES_SANS8, 0, {sheet, 8}},
      {"MS Sans Serif 10 keeps its face", IDD_RES_SANS10, 0, {"MS Sans Serif", 10}},
      {"Arial keeps its face", IDD_RES_ARIAL8, 0, {"Arial", 8}},
      {"no font gets the system font", IDD_RES_NOFONT, 0, {gui, 0}},
      {"double-byte systems give MS Sans Serif the system font", IDD_RES_SANS10, 1, {gui, 10}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    g_nDbcsEnabled = row.nDbcs;
    CImportPatch patch("user32.dll", "GetSystemMetrics", reinterpret_cast<FARPROC>(DbcsSystemMetrics));
    CProbeDlg dlg(row.nID, &host);
    std::pair<std::string, int> font;
    dlg.m_afterInit = [&font](CProbeDlg& d) { font = FontOf(d.m_hWnd), d.EndDialog(IDOK); };
    EXPECT_EQ(IDOK, dlg.DoModal());
    EXPECT_EQ(row.font, std::make_pair(font.first, row.font.second != 0 ? font.second : 0));
  }
}

// A manager that hands out another template for every dialog.
class CReplacingManager : public CExtResourceManager {
public:
  const DLGTEMPLATE* OnAdjustDialogTemplate(const DLGTEMPLATE*, CWnd*, WPARAM, LPARAM) override {
    HRSRC hResource = ::FindResourceA(NULL, MAKEINTRESOURCEA(IDD_RES_ARIAL8), RT_DIALOG);
    return static_cast<const DLGTEMPLATE*>(::LockResource(::LoadResource(NULL, hResource)));
  }
};

TEST_F(ResDlg, ResourceManagersTemplateHookAndRightToLeftLayout) {
  g_ResourceManagerHolder.Install(new CReplacingManager);
  g_ResourceManagerHolder->SetRightToLeftOverride(1);
  for (bool bAsks : {false, true}) {
    CProbeDlg dlg(IDD_RES_SANS8, &host);
    dlg.m_bRightToLeft = bAsks;
    CString strCaption;
    DWORD dwExStyle = 0;
    dlg.m_afterInit = [&](CProbeDlg& d) {
      d.GetWindowText(strCaption);
      dwExStyle = d.GetExStyle();
      d.EndDialog(IDOK);
    };
    EXPECT_EQ(IDOK, dlg.DoModal());
    EXPECT_STREQ("Arial 8", strCaption) << "the manager's template is used";
    EXPECT_EQ(bAsks, (dwExStyle & WS_EX_LAYOUTRTL) != 0) << "only dialogs that ask are mirrored";
  }
}

TEST_F(ResDlg, ModalRunDisablesTheOwnerShowsAtFirstIdleAndMissingTemplateGivesMinusOne) {
  CProbeDlg dlg(IDD_RES_SANS8, &host);
  bool bVisible = false, bOwnerEnabled = true;
  dlg.m_onIdle = [&](CProbeDlg& d) {
    bVisible = d.IsWindowVisible(), bOwnerEnabled = host.IsWindowEnabled();
    d.EndDialog(42);
  };
  EXPECT_EQ(42, dlg.DoModal());
  EXPECT_TRUE(bVisible);
  EXPECT_FALSE(bOwnerEnabled);
  EXPECT_TRUE(host.IsWindowEnabled());
  CProbeDlg missing(IDD_RES_MISSING, &host);
  EXPECT_EQ(-1, missing.DoModal());
  EXPECT_FALSE(missing.Create(IDD_RES_MISSING, &host));
  EXPECT_TRUE(host.IsWindowEnabled());
}

// ---------------------------------------------------------------------------------------------
// Dialog-initialisation data

TEST_F(ResDlg, InitialisationDataFillsTheControlsAndEachChildIsToldOnce) {
  for (bool bModal : {true, false}) {
    SCOPED_TRACE(bModal ? "modal" : "modeless");
    CProbeDlg dlg(IDD_RES_FILLED, &host);
    std::vector<std::string> combo, list, comboEx;
    dlg.m_afterInit = [&](CProbeDlg& d) {
      combo = Items(d.GetDlgItem(IDC_RES_COMBO)->m_hWnd);
      list = Items(d.GetDlgItem(IDC_RES_LIST)->m_hWnd, LB_GETCOUNT, LB_GETTEXT);
      comboEx = Items(d.GetDlgItem(IDC_RES_COMBOEX)->m_hWnd);
      if (bModal)
        d.EndDialog(IDOK);
    };
    EXPECT_TRUE(bModal ? dlg.DoModal() == IDOK : dlg.Create(IDD_RES_FILLED, &host) && dlg.DestroyWindow());
    EXPECT_EQ(std::vector<std::string>({"Fast", "Slow", "Steady"}), combo);
    EXPECT_EQ(std::vector<std::string>({"px", "cm"}), list);
    EXPECT_EQ(std::vector<std::string>({"One", "Two"}), comboEx);
    EXPECT_EQ(
        (std::map<int, int>{{IDC_RES_LABEL, 1}, {IDC_RES_COMBO, 1}, {IDC_RES_LIST, 1}, {IDC_RES_COMBOEX, 1}}),
        dlg.m_initialUpdates);
  }
}

TEST_F(ResDlg, TruncatedRecordInTheResourceEndsTheDialogAfterTheWholeRecords) {
  CProbeDlg dlg(IDD_RES_TRUNCATED, &host);
  std::vector<std::string> items;
  dlg.m_afterInit = [&](CProbeDlg& d) { items = Items(d.GetDlgItem(IDC_RES_COMBO)->m_hWnd); };
  EXPECT_EQ(-1, dlg.DoModal());
  EXPECT_EQ(std::vector<std::string>{"Tough"}, items);
  EXPECT_EQ((std::map<int, int>{{IDC_RES_COMBO, 0}}), dlg.m_initialUpdates) << "the run was not complete";
}

TEST_F(ResDlg, RunnerNeverReadsPastTheDataItIsGiven) {
  // A whole record for the combo box (0x5E2E), then one of 6 text bytes cut anywhere.
  const bmptest::Bytes whole = {0x2E, 0x5E, 0x03, 0x04, 4, 0, 0, 0, 'O', 'n', 'e', 0};
  const bmptest::Bytes next = {0x2E, 0x5E, 0x03, 0x04, 6, 0, 0, 0, 'T', 'w', 'o', '!', '!', 0};
  CProbeDlg dlg(IDD_RES_COMBO, &host);
  ASSERT_TRUE(dlg.Create(IDD_RES_COMBO, &host));
  HWND hCombo = dlg.GetDlgItem(IDC_RES_COMBO)->m_hWnd;
  for (size_t nCut = 0; nCut <= next.size(); ++nCut) {
    bmptest::Bytes data = whole;
    data.insert(data.end(), next.begin(), next.begin() + nCut);
    bmptest::GuardedBytes guarded(data);
    ::SendMessageA(hCombo, CB_RESETCONTENT, 0, 0);
    const bool bWhole = nCut == 0 || nCut == next.size();
    EXPECT_EQ(bWhole, CProbeDlg::ExecuteDlgInitData(&dlg, guarded.Data(), data.size()) != FALSE) << nCut;
    EXPECT_EQ(nCut == next.size() ? 2u : 1u, Items(hCombo).size()) << nCut;
  }
  dlg.DestroyWindow();
}

} // namespace
