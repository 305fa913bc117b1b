#include "tests/unit/app/sheet_support.h"

#include "editor/EditorMessages.h"
#include "tests/common/window_support.h"

#include <gtest/gtest.h>

LRESULT CRecordingView::WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam) {
  if (nMsg == UM_TASK_EDIT)
    log.push_back("edit:" + std::to_string(lParam));
  else if (nMsg == UM_SAVE_ORIGINAL)
    log.push_back("save:" + std::to_string(lParam) + ":" + std::to_string(pParamPage->GetTaskId()));
  else if (nMsg == UM_APPLY_EFFECT)
    log.push_back("apply:" + std::to_string(wParam));
  return CView::WindowProc(nMsg, wParam, lParam);
}

SheetLab::SheetLab() : frame(*new CFrameWnd), view(*new CRecordingView) {
  frame.Create(NULL, "Task sheet lab", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 560, 560));
  AfxGetApp()->m_pMainWnd = &frame;
  view.pParamPage = &pageParam;
  view.Create(NULL, "view", WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(300, 10, 500, 200), &frame, 0x300);
  frame.SetActiveView(&view, FALSE);
  sheet.AddPage(&pageMain);
  sheet.AddPage(&pageParam);
  sheet.AddPage(&pageResize);
  sheet.AddPage(&pageCaption);
  EXPECT_TRUE(sheet.Create(&frame));
  sheet.MoveWindow(0, 0, 260, 480);
  frame.SetForegroundWindow();
  PumpUntil([this] { return ::IsWindowVisible(Item(CPropPageMain::kMainMenuId)) != FALSE; });
}

SheetLab::~SheetLab() {
  AfxGetApp()->m_pMainWnd = NULL; // closing the lab's frame must not end the test program
  frame.SetActiveView(NULL, FALSE);
  sheet.DestroyWindow();
  view.DestroyWindow();
  frame.DestroyWindow();
  PumpPending();
}

void SheetLab::Click(int nId) {
  HWND hLabel = Item(nId);
  ASSERT_TRUE(::IsWindowVisible(hLabel)) << nId;
  MouseInClient(hLabel, POINT{30, 9}, MOUSEEVENTF_LEFTDOWN);
  MouseInClient(hLabel, POINT{30, 9}, MOUSEEVENTF_LEFTUP);
  PumpPending();
}
