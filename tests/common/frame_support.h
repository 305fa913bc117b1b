// An MDI test application for the frame and bar tests: a frame with its status bar, documents
// shown in child frames, and plain bars of fixed sizes.
#pragma once

#include "framework/fw.h"
#include "tests/common/frame_lab_res.h"
#include "tests/common/window_support.h"

#include <string>
#include <vector>

class CLabDoc : public CDocument {
  DECLARE_DYNCREATE(CLabDoc)
};

// Fills itself with one colour.
class CLabView : public CView {
  DECLARE_DYNCREATE(CLabView)
public:
  COLORREF m_clr = RGB(200, 220, 255);
  void OnDraw(CDC* pDC) override;
};

class CLabChild : public CMDIChildWnd {
  DECLARE_DYNCREATE(CLabChild)
};

class CLabFrame : public CMDIFrameWnd {
  DECLARE_DYNCREATE(CLabFrame)
public:
  CStatusBar m_wndStatus;
  int m_nLabCommands = 0;

protected:
  afx_msg int OnCreate(LPCREATESTRUCT lpcs);
  afx_msg void OnLabCommand() { ++m_nLabCommands; }
  DECLARE_MESSAGE_MAP()
};

// A bar of one size (turned for vertical docking) that logs its layouts.
class CLabBar : public CControlBar {
public:
  CSize m_size;
  std::vector<std::string>* m_pLog = NULL;

  BOOL CreateBar(CWnd* pParent, UINT nID, DWORD dwBarStyle, CSize size, LPCSTR lpszName,
                 BOOL bVisible = TRUE);
  CSize CalcDynamicLayout(int nLength, DWORD dwMode) override;
  void OnUpdateCmdUI(CFrameWnd*, BOOL) override {}

protected:
  afx_msg LRESULT OnSizeParent(WPARAM wParam, LPARAM lParam);
  DECLARE_MESSAGE_MAP()
};

// The test frame (pFrame, or a plain CLabFrame), made from IDR_LAB, shown, and the program's main
// window; destroyed by the test.
CLabFrame* CreateLabFrame(CLabFrame* pFrame = NULL);
// Destroys pFrame (if still a window) after making it no longer the main window, so no WM_QUIT
// is left queued to stop the next test's pumping, and runs what the destruction posted.
void DestroyLabFrame(CFrameWnd* pFrame);
// A new document titled lpszTitle in a new child frame of pFrame (which holds the IDR_LAB_DOC menu).
CLabChild* OpenLabChild(CLabFrame* pFrame, LPCSTR lpszTitle);
// The menu every child shows; made once.
HMENU LabDocMenu();
// The text pane nIndex of a status bar shows, as the control has it.
std::string StatusText(CStatusBar& bar, int nIndex);
