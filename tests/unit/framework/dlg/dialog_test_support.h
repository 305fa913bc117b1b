// What the dialog-layer tests share: a host window per test, a dialog the test drives, and
// control helpers.
#pragma once

#include "framework/fw.h"
#include "tests/common/pixel_support.h"
#include "tests/common/window_support.h"
#include "tests/unit/framework/dlg/dlg_test_res.h"
#include "tests/unit/framework/system_dialog_driver.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

// Dialog hosts are shown unless a test says otherwise.
const DWORD kVisibleHost = WS_OVERLAPPEDWINDOW | WS_VISIBLE;

// A shown host window made before each test and destroyed after it. A test may make it the main
// window; destroying the main window ends the program (it posts WM_QUIT), so it stops being the
// main window first.
class HostedTest : public ::testing::Test {
protected:
  void SetUp() override { ASSERT_TRUE(host.CreateHost("host", kVisibleHost)); }
  void TearDown() override {
    TheTestApp().m_pMainWnd = NULL;
    host.DestroyWindow();
  }
  CHostWnd host;
};

// A dialog driven by the test. m_onInit, when set, stands in for OnInitDialog (it may call the
// base itself); m_exchange is its DoDataExchange. In a modal loop, m_script runs at every idle pass
// (WM_KICKIDLE); a watchdog timer keeps idle passes coming, and after too many the dialog ends with -2 so a
// broken script fails the test instead of hanging it. m_nShows counts the times the dialog was shown.
class CScriptedDialog : public CDialog {
public:
  explicit CScriptedDialog(UINT nIDTemplate = IDD_EMPTY, CWnd* pParentWnd = NULL)
      : CDialog(nIDTemplate, pParentWnd) {}
  std::function<BOOL(CScriptedDialog&)> m_onInit;
  std::function<void(CDataExchange*)> m_exchange;
  std::function<void(CScriptedDialog&)> m_script;
  int m_nKicks = 0, m_nShows = 0;

  BOOL OnInitDialog() override { return m_onInit ? m_onInit(*this) : CDialog::OnInitDialog(); }
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

protected:
  void DoDataExchange(CDataExchange* pDX) override {
    if (m_exchange)
      m_exchange(pDX);
  }
  afx_msg LRESULT OnKickIdle(WPARAM wParam, LPARAM lParam);
  DECLARE_MESSAGE_MAP()
};

inline std::string ItemText(HWND hDlg, int nID) {
  char sz[128] = "";
  ::GetDlgItemTextA(hDlg, nID, sz, sizeof(sz));
  return sz;
}

// The items of a combo box (or, given the list-box messages, of a list box).
inline std::vector<std::string> Items(HWND hWnd, UINT nCountMsg = CB_GETCOUNT, UINT nTextMsg = CB_GETLBTEXT) {
  std::vector<std::string> items;
  for (int i = 0, n = (int)::SendMessageA(hWnd, nCountMsg, 0, 0); i < n; ++i) {
    char sz[64] = "";
    ::SendMessageA(hWnd, nTextMsg, i, reinterpret_cast<LPARAM>(sz));
    items.push_back(sz);
  }
  return items;
}
