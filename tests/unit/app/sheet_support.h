// A frame holding the task sheet beside a view that logs the messages the sheet sends it, as the
// program's main frame does with its task-sheet bar and the active document view.
#pragma once

#include "app/ModelessPropSheet.h"
#include "app/PropPageCaption.h"
#include "app/PropPageMain.h"
#include "app/PropPageParam.h"
#include "app/PropPageResize.h"
#include "framework/fw.h"

#include <string>
#include <vector>

class CRecordingView : public CView {
public:
  // "edit:<lParam>", "save:<lParam>:<the effect page's task id then>", "apply:<wParam>".
  std::vector<std::string> log;
  CPropPageParam* pParamPage = nullptr;

protected:
  void OnDraw(CDC*) override {}
  LRESULT WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam) override;
};

class SheetLab {
public:
  SheetLab(); // the frame is the application's main window while the lab lives
  ~SheetLab();

  // Heap objects: the framework frees a frame and a view when their windows go.
  CFrameWnd& frame;
  CRecordingView& view;
  CModelessPropSheet sheet;
  CPropPageMain pageMain;
  CPropPageParam pageParam;
  CPropPageResize pageResize;
  CPropPageCaption pageCaption;

  HWND Item(int nId) const { return ::GetDlgItem(pageMain.GetSafeHwnd(), nId); }
  bool Visible(int nId) const { return ::IsWindowVisible(Item(nId)) != FALSE; }
  // A real left click on the main page's label.
  void Click(int nId);
};
