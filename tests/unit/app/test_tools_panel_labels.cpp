// The tools panel's texts show whole in the font the panel really gets: each label's and check
// box's text fits the room its control gives it.
#include <gtest/gtest.h>

#include "app/MainFrame.h"
#include "app/ToolsPanelDlg.h"
#include "resources/resource.h"
#include "tests/unit/app/frame_support.h"

#include <string>

namespace {

// The width of a text in the font a control paints it with.
int TextWidth(HWND hControl, const std::string& strText) {
  HFONT hFont = (HFONT)::SendMessageA(hControl, WM_GETFONT, 0, 0);
  if (hFont == NULL)
    hFont = (HFONT)::SendMessageA(::GetParent(hControl), WM_GETFONT, 0, 0);
  HDC hDC = ::GetDC(hControl);
  HGDIOBJ hOld = ::SelectObject(hDC, hFont);
  SIZE size = {};
  ::GetTextExtentPoint32A(hDC, strText.c_str(), (int)strText.size(), &size);
  ::SelectObject(hDC, hOld);
  ::ReleaseDC(hControl, hDC);
  return size.cx;
}

TEST_F(MainFrameTest, ToolsPanelTextsFitTheirControls) {
  CMainFrame* pFrame = MakeFrame();
  ASSERT_NE(pFrame, nullptr);
  // A check box's text starts right of its 13-pixel box and a 4-pixel gap.
  const int kCheckBoxRoom = 13 + 4;
  int nChecked = 0;
  for (HWND hChild = ::GetWindow(pFrame->m_dlgTools.m_hWnd, GW_CHILD); hChild != NULL;
       hChild = ::GetWindow(hChild, GW_HWNDNEXT)) {
    char szClass[32] = "", szText[64] = "";
    ::GetClassNameA(hChild, szClass, sizeof(szClass));
    ::GetWindowTextA(hChild, szText, sizeof(szText));
    const int nId = ::GetDlgCtrlID(hChild);
    const bool bStatic = _stricmp(szClass, "Static") == 0;
    const bool bCheck = nId == IDC_TOOLS_ANTIALIAS || nId == IDC_TOOLS_DROP_SHADOW;
    if (szText[0] == '\0' || (!bStatic && !bCheck))
      continue;
    RECT rc;
    ::GetClientRect(hChild, &rc);
    const int nRoom = rc.right - (bCheck ? kCheckBoxRoom : 0);
    EXPECT_LE(TextWidth(hChild, szText), nRoom) << "\"" << szText << "\"";
    ++nChecked;
  }
  EXPECT_EQ(nChecked, 6); // four labels and two check boxes
}

} // namespace
