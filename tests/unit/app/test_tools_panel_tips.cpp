// The tools panel's buttons start without a tip window each: a button makes its tip window when
// the pointer first reaches it.
#include <gtest/gtest.h>

#include "app/MainFrame.h"
#include "app/ToolsPanelDlg.h"
#include "tests/unit/app/frame_support.h"

#include <string>
#include <vector>

namespace {

BOOL CALLBACK CollectTipWindow(HWND hWnd, LPARAM lParam) {
  DWORD pid = 0;
  ::GetWindowThreadProcessId(hWnd, &pid);
  char szClass[32] = "";
  ::GetClassNameA(hWnd, szClass, sizeof(szClass));
  if (pid == ::GetCurrentProcessId() && std::string(szClass) == TOOLTIPS_CLASSA)
    reinterpret_cast<std::vector<HWND>*>(lParam)->push_back(hWnd);
  return TRUE;
}

// The tip windows of this process, shown or not.
std::vector<HWND> TipWindows() {
  std::vector<HWND> tips;
  ::EnumWindows(CollectTipWindow, (LPARAM)&tips);
  return tips;
}

// The tip window of this process that holds a tool for the window, with that tool's text.
std::string TipTextFor(HWND hWnd) {
  for (HWND hTip : TipWindows()) {
    char szText[128] = "";
    TOOLINFOA ti = {};
    ti.cbSize = sizeof(ti);
    ti.lpszText = szText;
    if (::SendMessageA(hTip, TTM_ENUMTOOLSA, 0, (LPARAM)&ti) && ti.hwnd == hWnd)
      return szText;
  }
  return std::string();
}

TEST_F(MainFrameTest, TheToolButtonsStartWithoutTipWindows) {
  const size_t nTipsBefore = TipWindows().size();
  CMainFrame* pFrame = MakeFrame();
  ASSERT_NE(pFrame, nullptr);
  // Fewer tip windows than the panel has buttons, and none of them a tool button's.
  EXPECT_LT(TipWindows().size() - nTipsBefore, (size_t)kToolButtonCount);

  for (int nPosition = 0; nPosition < kToolButtonCount; ++nPosition) {
    CToolButton* pButton = pFrame->m_dlgTools.GetToolButton(nPosition);
    ASSERT_NE(pButton, nullptr);
    EXPECT_EQ(TipTextFor(pButton->m_hWnd), "") << nPosition;
  }
}

} // namespace
