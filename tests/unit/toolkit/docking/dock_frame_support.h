// A small frame with the framework's docking for the control-bar tests, the bars docked in it
// (each holding one black child window), and real input sent from a driver thread.
#pragma once

#include "framework/fw.h"
#include "tests/common/driver_script.h"
#include "tests/common/window_support.h"
#include "toolkit/docking/ExtControlBar.h"

#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <string>
#include <thread>
#include <vector>

// Records the tracked areas and bars-menu notifications its bars send it.
class CDockTestFrame : public CFrameWnd {
public:
  int m_nTrackedAreas = 0;
  int m_nMenuNotifications = 0;
  UINT m_nLastMessageString = 0;
  bool m_bDrawTrackedAreasItself = false;

protected:
  afx_msg int OnCreate(LPCREATESTRUCT lpcs);
  afx_msg LRESULT OnDrawTrackedArea(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnConstructPopupMenu(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnSetMessageString(WPARAM wParam, LPARAM lParam);
  DECLARE_MESSAGE_MAP()
};

// A frame of 640 x 480 at (40, 40), shown, with docking on every side; destroyed by its deleter.
// The frame object may be given (a derived one), else a plain test frame is made.
struct FrameDeleter {
  void operator()(CDockTestFrame* pFrame) const;
};
using FramePtr = std::unique_ptr<CDockTestFrame, FrameDeleter>;
FramePtr CreateDockFrame(CDockTestFrame* pFrame = NULL);

// A resizable bar (or a fixed one) docked at the side (59419-59422) of the frame, holding one
// black child window; owned by the caller, destroyed before the frame.
std::unique_ptr<CExtControlBar> DockBar(CFrameWnd* pFrame, UINT nId, UINT nDockBarId, LPCSTR lpszCaption,
                                        bool bFixed = false);
// Lays the frame out and runs what that posted.
void Relayout(CFrameWnd* pFrame);

// A frame with bar a (201) docked on the left and b (202) floating; c and d are the tests' own
// bars. Every bar goes, in that order, before the frame.
class BarPairDock : public ::testing::Test {
protected:
  void SetUp() override;
  void TearDown() override;
  CDockBar* Left() { return static_cast<CDockBar*>(m_frame->GetControlBar(AFX_IDW_DOCKBAR_LEFT)); }

  FramePtr m_frame;
  std::unique_ptr<CExtControlBar> m_a, m_b, m_c, m_d;
};
// A left (or right) click at the screen point, sent from a driver thread while this thread pumps.
void ClickAt(POINT ptScreen, bool bRight = false);
// The menu being tracked once it is shown and done animating; NULL when none came.
class CExtPopupMenuWnd;
CExtPopupMenuWnd* WaitForTrackedMenu();
// The items' texts, top to bottom (a separator's is empty).
std::vector<std::string> MenuItemTexts(CExtPopupMenuWnd& menu);
// The bar's window rectangle relative to its top-left (the non-client coordinates).
CRect WindowBox(CWnd* pWnd);

// Real input for modal loops: a driver thread sends each step's input, then waits (five seconds at
// most) until its condition holds, while the test thread pumps; results gets whether each came.
// After a miss only the last step, which should end the loop, is sent; bDone is set at the end.
using InputStep = ScriptStep;
std::thread DriveInput(std::vector<InputStep> steps, std::vector<bool>& results, std::atomic<bool>& bDone);
void SendKey(WORD vk, bool bDown); // pressed or released
bool CursorAt(POINT ptScreen);
