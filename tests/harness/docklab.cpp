// docklab: an MDI application on the framework and the toolkit for looking at docking: a frame
// with toolkit dock bars and a status bar, three resizable panels with an edit field each and two
// fixed test bars, one menu command per docking operation, a text dump of every dock bar's array
// (ids, placeholders, separators, circles, rectangles), and a log of the tracked-area records the
// bars send to the frame; each bar's id is its show command. "/log:<file>" writes the log to a
// file as it grows; "/selftest" docks the bars as a program's start-up does, checks the arrays,
// saves a picture per theme, runs every docking command with the arrays checked after each, hides
// and shows a panel through its command, and exits with the number of failed checks.
#include "framework/fw.h"
#include "tests/harness/lab_support.h"
#include "tests/harness/docklab_res.h"
#include "tests/harness/lab_themes.h"
#include "toolkit/docking/ExtDockBar.h"
#include "toolkit/docking/ExtTabMdiWnd.h"
#include "toolkit/foundation/ExtCmdManager.h"
#include "toolkit/menus/ExtPopupMenuWnd.h"
#include "toolkit/theme/ExtPaintManager.h"
#include "toolkit/theme/ExtPaintManagerHolder.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace {

const char kProfile[] = "docklab";
enum { UM_STEP = WM_APP + 210 };
enum : UINT { ID_PANEL1 = 32846, ID_PANEL2 = 32847, ID_PANEL3 = 32848, ID_TOOLS = 32849, ID_FORMAT = 32850 };

using lab::Check;
using lab::g_bScriptDone;
using lab::g_log;
using lab::Log;
using lab::SaveScreenshot;

// A bar of one size, turned for vertical rows; a resizable one holds an edit field, a fixed one
// keeps its row position record.
class CLabBar : public CExtControlBar {
public:
  CLabBar(bool bFixed, CSize size) : m_size(size) {
    if (bFixed)
      m_bBarFlags |= BF_FIXED_MODE;
  }
  CSize m_size;
  OuterDockPosition m_pos;
  CEdit m_edit;

  bool CreateLabBar(CWnd* pParent, LPCSTR lpszName, UINT nId) {
    if (!Create(lpszName, pParent, nId, WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_SIZE_DYNAMIC))
      return false;
    EnableDocking(CBRS_ALIGN_ANY);
    return IsFixedMode() || m_edit.Create(WS_CHILD | WS_VISIBLE | ES_MULTILINE | WS_BORDER,
                                          CRect(0, 0, 10, 10), this, 1) != FALSE;
  }
  CSize CalcDynamicLayout(int, DWORD dwMode) override {
    return (dwMode & LM_VERTDOCK) ? CSize(m_size.cy, m_size.cx) : m_size;
  }
  OuterDockPosition* GetOuterDockPosition() override { return IsFixedMode() ? &m_pos : NULL; }
  bool IsIncludedInRowExtent() const override { return IsFixedMode(); }
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_SIZE && m_edit.GetSafeHwnd() != NULL)
      m_edit.MoveWindow(4, 4, std::max(0, LOWORD(lParam) - 8), std::max(0, HIWORD(lParam) - 8));
    return CExtControlBar::WindowProc(message, wParam, lParam);
  }
};

class CLabChild : public CMDIChildWnd {
  DECLARE_DYNCREATE(CLabChild)
};
IMPLEMENT_DYNCREATE(CLabChild, CMDIChildWnd)

std::string BarName(CControlBar* pBar) {
  CString name;
  pBar->GetWindowText(name);
  return static_cast<LPCSTR>(name);
}

class CLabFrame : public CMDIFrameWnd {
  DECLARE_DYNCREATE(CLabFrame)
public:
  CStatusBar m_status;
  CLabBar m_panel1{false, CSize(220, 150)}, m_panel2{false, CSize(200, 160)},
      m_panel3{false, CSize(300, 120)};
  CLabBar m_tools{true, CSize(180, 26)}, m_format{true, CSize(140, 26)};
  // As the program's main frame holds them: made with id -1, closing the active document.
  CExtTabMdiWnd m_wndMdiTabs;
  int m_nStep = 0;
  lab::CLabWait m_wait;

  // The side dock bars, outermost circle first, then the floating ones: one line each.
  std::string DumpDockBars(bool bRects) {
    std::ostringstream out;
    const char kSides[] = "TLRBF";
    for (UINT nCircle = 0; nCircle < 8; nCircle++)
      for (UINT nSide = AFX_IDW_DOCKBAR_TOP; nSide <= AFX_IDW_DOCKBAR_FLOAT; nSide++)
        for (POSITION pos = m_listControlBars.GetHeadPosition(); pos != NULL;) {
          CExtDockBar* pDock =
              DYNAMIC_DOWNCAST(CExtDockBar, static_cast<CControlBar*>(m_listControlBars.GetNext(pos)));
          if (pDock == NULL || pDock->GetSideId() != nSide || pDock->m_nCircleNo != nCircle)
            continue;
          out << kSides[nSide - AFX_IDW_DOCKBAR_TOP] << nCircle << ":";
          for (INT_PTR i = 0; i < pDock->m_arrBars.GetSize(); i++) {
            void* p = pDock->m_arrBars[i];
            if (p == NULL)
              out << " 0";
            else if (CDockBar::IsPlaceHolder(p))
              out << " #" << reinterpret_cast<UINT_PTR>(p);
            else
              out << " " << BarName(static_cast<CControlBar*>(p));
          }
          if (bRects) {
            CRect rc;
            pDock->GetWindowRect(&rc);
            ScreenToClient(&rc);
            out << "  [" << rc.left << "," << rc.top << " " << rc.Width() << "x" << rc.Height() << "]";
          }
          out << "\n";
        }
    return out.str();
  }

  // Every bar in the one dock bar it names, and no empty inner circle.
  bool ArraysSound() {
    for (POSITION pos = m_listControlBars.GetHeadPosition(); pos != NULL;) {
      CExtDockBar* pDock =
          DYNAMIC_DOWNCAST(CExtDockBar, static_cast<CControlBar*>(m_listControlBars.GetNext(pos)));
      if (pDock == NULL)
        continue;
      const CPtrArray& arr = pDock->m_arrBars;
      if (arr[0] != NULL || arr[arr.GetSize() - 1] != NULL)
        return false;
      for (INT_PTR i = 1; i < arr.GetSize(); i++) {
        CControlBar* pBar = pDock->GetDockedControlBar(static_cast<int>(i));
        if ((arr[i] == NULL && arr[i - 1] == NULL) || (pBar != NULL && pBar->m_pDockBar != pDock))
          return false;
      }
      if (pDock->m_nCircleNo > 0 && !pDock->m_bFloating && pDock->IsEmpty()) {
        bool bAllEmpty = true;
        for (UINT nSide = AFX_IDW_DOCKBAR_TOP; nSide <= AFX_IDW_DOCKBAR_BOTTOM; nSide++) {
          CExtDockBar* pSide = CExtDockBar::FindCircleDockBar(this, pDock->m_nCircleNo, nSide, false);
          bAllEmpty = bAllEmpty && (pSide == NULL || pSide->IsEmpty());
        }
        if (bAllEmpty)
          return false;
      }
    }
    return true;
  }

  // As a program's start-up docks its bars.
  void DockAtStartUp() {
    CExtDockBar* pTop = DYNAMIC_DOWNCAST(CExtDockBar, GetControlBar(AFX_IDW_DOCKBAR_TOP));
    pTop->DockBarAtEdge(&m_tools, false);
    pTop->DockBarAtEdge(&m_format, false);
    m_panel1.DockIntoSideBar(AFX_IDW_DOCKBAR_LEFT, 0, this, false);
    m_panel2.DockAtFrameSide(AFX_IDW_DOCKBAR_RIGHT, false, this, false);
    m_panel3.DockIntoSideBar(AFX_IDW_DOCKBAR_BOTTOM, 1, this, true);
  }

protected:
  afx_msg int OnCreate(LPCREATESTRUCT lpcs) {
    if (CMDIFrameWnd::OnCreate(lpcs) == -1)
      return -1;
    static const UINT kIndicators[] = {ID_SEPARATOR};
    if (!m_status.Create(this) || !m_status.SetIndicators(kIndicators, 1))
      return -1;
    g_CmdManagerHolder->SetupProfile(kProfile, m_hWnd);
    if (!m_wndMdiTabs.Create(this, CRect(0, 0, 0, 0), 0xFFFFFFFF, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS,
                             0x210))
      return -1;
    if (!CExtControlBar::FrameEnableDocking(this))
      return -1;
    const struct {
      CLabBar* pBar;
      const char* pszName;
      UINT nId;
    } kBars[] = {{&m_panel1, "Panel 1", ID_PANEL1},
                 {&m_panel2, "Panel 2", ID_PANEL2},
                 {&m_panel3, "Panel 3", ID_PANEL3},
                 {&m_tools, "Tools", ID_TOOLS},
                 {&m_format, "Format", ID_FORMAT}};
    for (const auto& bar : kBars)
      if (!bar.pBar->CreateLabBar(this, bar.pszName, bar.nId))
        return -1;
    DockAtStartUp();
    return 0;
  }
  afx_msg void OnDestroy() {
    g_CmdManagerHolder->RemoveWindow(m_hWnd, true);
    CMDIFrameWnd::OnDestroy();
  }
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == CExtControlBar::g_nMsgDrawTrackedArea && wParam != 0) {
      const auto* pData = reinterpret_cast<CExtControlBar::TrackedAreaDrawData*>(wParam);
      std::ostringstream out;
      out << "tracked area kind " << pData->m_nKind << " [" << pData->m_rcArea.left << ","
          << pData->m_rcArea.top << "," << pData->m_rcArea.right << "," << pData->m_rcArea.bottom << "]"
          << ((pData->m_bFlags & CExtControlBar::TrackedAreaDrawData::FLAG_ERASE) ? " erase" : "");
      Log(out.str());
      return 0;
    }
    return CMDIFrameWnd::WindowProc(message, wParam, lParam);
  }
  afx_msg void OnDockCommand(UINT nId) {
    switch (nId) {
    case ID_DOCK_FLOAT_PANEL1:
      m_panel1.FloatControlBar(300, 250);
      break;
    case ID_DOCK_PANEL1_LEFT:
      m_panel1.DockIntoSideBar(AFX_IDW_DOCKBAR_LEFT);
      break;
    case ID_DOCK_PANEL2_RIGHT_CIRCLE1:
      m_panel2.DockIntoSideBar(AFX_IDW_DOCKBAR_RIGHT, 1);
      break;
    case ID_DOCK_PANEL3_BOTTOM_INNERMOST:
      m_panel3.DockAtFrameSide(AFX_IDW_DOCKBAR_BOTTOM, true);
      break;
    case ID_DOCK_TOGGLE_PANEL1:
      m_panel1.ToggleDocking();
      break;
    case ID_DOCK_TOOLS_NEW_ROW:
      if (CExtDockBar* pDock = DYNAMIC_DOWNCAST(CExtDockBar, m_format.m_pDockBar))
        pDock->InsertBarBesideRow(&m_format, &m_tools, false);
      break;
    case ID_DOCK_FLOAT_TOOLS:
      m_tools.FloatControlBar(500, 300);
      break;
    case ID_DOCK_TOOLS_TOP:
      m_tools.DockIntoSideBar(AFX_IDW_DOCKBAR_TOP);
      break;
    case ID_DOCK_OPTIMIZE:
      CExtDockBar::OptimizeCircles(this);
      break;
    default:
      break;
    }
    RecalcLayout();
    Log(DumpDockBars(true));
  }

  // The bars' ids are their show commands, as in a program's main frame; resizable bars are checked
  // while shown.
  afx_msg BOOL OnBarCommand(UINT nId) { return CExtControlBar::ToggleBarByCommand(this, nId); }
  afx_msg void OnUpdateBarCommand(CCmdUI* pCmdUI) { CExtControlBar::UpdateBarCommandUI(this, pCmdUI, true); }

  afx_msg LRESULT OnStep(WPARAM, LPARAM) {
    using lab::kThemes;
    // Each command with the arrays it leaves (F0 lines are floating frames' dock bars).
    static const struct {
      UINT nId;
      const char* pszArrays;
    } kCommands[] = {
        {ID_DOCK_FLOAT_PANEL1, "T0: 0 Tools Format 0\nL0: 0\nR0: 0\nB0: 0\nF0: 0 Panel 1 0\nT1: 0\nL1: "
                               "0\nR1: 0 Panel 2 0\nB1: 0 Panel 3 0\n"},
        {ID_DOCK_PANEL1_LEFT, "T0: 0 Tools Format 0\nL0: 0 Panel 1 0\nR0: 0\nB0: 0\nT1: 0\nL1: 0\nR1: 0 "
                              "Panel 2 0\nB1: 0 Panel 3 0\n"},
        {ID_DOCK_PANEL2_RIGHT_CIRCLE1, "T0: 0 Tools Format 0\nL0: 0 Panel 1 0\nR0: 0\nB0: 0\nT1: 0\nL1: "
                                       "0\nR1: 0 Panel 2 0\nB1: 0 Panel 3 0\n"},
        {ID_DOCK_PANEL3_BOTTOM_INNERMOST,
         "T0: 0 Tools Format 0\nL0: 0 Panel 1 0\nR0: 0\nB0: 0\nT1: 0\nL1: 0\nR1: 0 Panel 2 0\nB1: 0\nT2: "
         "0\nL2: 0\nR2: 0\nB2: 0 Panel 3 0\n"},
        {ID_DOCK_TOGGLE_PANEL1, "T0: 0 Tools Format 0\nL0: 0\nR0: 0\nB0: 0\nF0: 0 Panel 1 0\nT1: 0\nL1: "
                                "0\nR1: 0 Panel 2 0\nB1: 0\nT2: 0\nL2: 0\nR2: 0\nB2: 0 Panel 3 0\n"},
        {ID_DOCK_TOOLS_NEW_ROW, "T0: 0 Format 0 Tools 0\nL0: 0\nR0: 0\nB0: 0\nF0: 0 Panel 1 0\nT1: 0\nL1: "
                                "0\nR1: 0 Panel 2 0\nB1: 0\nT2: 0\nL2: 0\nR2: 0\nB2: 0 Panel 3 0\n"},
        {ID_DOCK_FLOAT_TOOLS,
         "T0: 0 Format 0 #32849 0\nL0: 0\nR0: 0\nB0: 0\nF0: 0 Panel 1 0\nF0: 0 Tools 0\nT1: 0\nL1: 0\nR1: 0 "
         "Panel 2 0\nB1: 0\nT2: 0\nL2: 0\nR2: 0\nB2: 0 Panel 3 0\n"},
        {ID_DOCK_TOOLS_TOP, "T0: 0 Format Tools 0\nL0: 0\nR0: 0\nB0: 0\nF0: 0 Panel 1 0\nT1: 0\nL1: 0\nR1: 0 "
                            "Panel 2 0\nB1: 0\nT2: 0\nL2: 0\nR2: 0\nB2: 0 Panel 3 0\n"},
        {ID_DOCK_PANEL1_LEFT, "T0: 0 Format Tools 0\nL0: 0 Panel 1 0\nR0: 0\nB0: 0\nT1: 0\nL1: 0\nR1: 0 "
                              "Panel 2 0\nB1: 0\nT2: 0\nL2: 0\nR2: 0\nB2: 0 Panel 3 0\n"},
        {ID_DOCK_OPTIMIZE, "T0: 0 Format Tools 0\nL0: 0 Panel 1 0\nR0: 0\nB0: 0\nT1: 0\nL1: 0\nR1: 0 Panel 2 "
                           "0\nB1: 0\nT2: 0\nL2: 0\nR2: 0\nB2: 0 Panel 3 0\n"},
        {ID_DOCK_DUMP, "T0: 0 Format Tools 0\nL0: 0 Panel 1 0\nR0: 0\nB0: 0\nT1: 0\nL1: 0\nR1: 0 Panel 2 "
                       "0\nB1: 0\nT2: 0\nL2: 0\nR2: 0\nB2: 0 Panel 3 0\n"},
    };
    const int nStep = m_nStep++;
    if (nStep == 0) {
      RecalcLayout();
      Check(DumpDockBars(false) == "T0: 0 Tools Format 0\nL0: 0 Panel 1 0\nR0: 0\nB0: 0\n"
                                   "T1: 0\nL1: 0\nR1: 0 Panel 2 0\nB1: 0 Panel 3 0\n",
            "the start-up docking gives the expected arrays");
      Log(DumpDockBars(true));
      // The document's tab shows in a band of its own once the strip has caught up with the client.
      WaitFor(
          [this] {
            CRect rcTabs;
            m_wndMdiTabs.GetWindowRect(&rcTabs);
            return ::IsWindowVisible(m_hWnd) && m_wndMdiTabs.IsWindowVisible() &&
                   m_wndMdiTabs.ItemGetCount() == 1 && rcTabs.Height() > 0 && rcTabs.Width() > 0;
          },
          "the frame is shown with the document's tab");
      return 0;
    }
    const int nThemes = static_cast<int>(sizeof(kThemes) / sizeof(kThemes[0]));
    if (nStep <= 2 * nThemes) {
      const auto& theme = kThemes[(nStep - 1) / 2];
      if (nStep % 2 == 1) {
        Check(g_PaintManagerHolder.InstallThemeByClass(theme.pClass),
              std::string(theme.pszName) + ": the theme installs");
        RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
        WaitFor([this] { return !::GetUpdateRect(m_hWnd, NULL, FALSE); },
                std::string(theme.pszName) + ": painted");
      } else {
        CRect rcFrame;
        GetWindowRect(&rcFrame);
        SaveScreenshot(rcFrame, std::string("docklab_") + theme.pszName);
        PostMessage(UM_STEP);
      }
      return 0;
    }
    const int nCommand = nStep - 2 * nThemes - 1;
    if (nCommand < static_cast<int>(sizeof(kCommands) / sizeof(kCommands[0]))) {
      const auto& command = kCommands[nCommand];
      SendMessage(WM_COMMAND, command.nId);
      const std::string what = "after command " + std::to_string(command.nId);
      Check(ArraysSound(), "the arrays hold together " + what);
      Check(DumpDockBars(false) == command.pszArrays, "the arrays are as expected " + what);
      PostMessage(UM_STEP);
      return 0;
    }
    // A bar's own command hides it and shows it again.
    for (bool bShown : {false, true}) {
      SendMessage(WM_COMMAND, ID_PANEL1);
      Check((m_panel1.IsVisible() != FALSE) == bShown,
            std::string("Panel 1's command ") + (bShown ? "shows it again" : "hides it"));
    }
    g_bScriptDone = true;
    PostMessage(WM_CLOSE);
    return 0;
  }

  void WaitFor(std::function<bool()> done, const std::string& what) {
    m_wait.Start(this, std::move(done), what);
  }

  afx_msg void OnTimer(UINT nIDEvent) {
    if (!m_wait.OnTimer(this, nIDEvent, UM_STEP))
      CMDIFrameWnd::OnTimer(nIDEvent);
  }
  DECLARE_MESSAGE_MAP()
};
IMPLEMENT_DYNCREATE(CLabFrame, CMDIFrameWnd)

BEGIN_MESSAGE_MAP(CLabFrame, CMDIFrameWnd)
ON_WM_CREATE()
ON_WM_DESTROY()
ON_WM_TIMER()
ON_COMMAND_RANGE(ID_DOCK_FLOAT_PANEL1, ID_DOCK_LAST, OnDockCommand)
ON_COMMAND_EX_RANGE(ID_PANEL1, ID_FORMAT, OnBarCommand)
ON_UPDATE_COMMAND_UI_RANGE(ID_PANEL1, ID_FORMAT, OnUpdateBarCommand)
ON_MESSAGE(UM_STEP, OnStep)
END_MESSAGE_MAP()

class CDockLabApp : public lab::CLabApp {
public:
  CDockLabApp() : CLabApp("docklab", 120) {}

protected:
  bool StartLab() override {
    // As a program sets it at start-up: menus open with every item shown.
    CExtPopupMenuWnd::g_bMenuHideRarelyUsed = false;
    CLabFrame* pFrame = new CLabFrame;
    if (!pFrame->LoadFrame(IDR_DOCKLAB))
      return false;
    m_pMainWnd = pFrame;
    pFrame->SetWindowPos(NULL, 20, 20, 1000, 700, SWP_NOZORDER | SWP_SHOWWINDOW);
    auto* pChild = new CLabChild;
    pChild->Create(NULL, "Document 1", WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW, CFrameWnd::rectDefault,
                   pFrame);
    pFrame->RecalcLayout();
    pFrame->UpdateWindow();
    if (m_bSelfTest)
      pFrame->PostMessage(UM_STEP);
    return true;
  }
};

CDockLabApp theApp;

} // namespace
