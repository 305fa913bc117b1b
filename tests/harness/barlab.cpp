// barlab: an MDI application on the framework and the toolkit for looking at the command bars: a
// frame with the menu bar, a tool bar of plain, check-box, split and colour buttons and a hosted
// combo box, a wide bar of twelve 40-pixel buttons, a panel bar holding a dialog and the status
// bar; the frame logs every command it receives. Documents switch the menu bar to their own menu.
// "/log:<file>" writes the log to a file as it grows; "/selftest" drives the bars with real pointer
// and key input, saves pictures per theme (bars, open menu, maximised document, chevron menu),
// checks the log and the bars' states, and exits with the number of failed checks.
#include "framework/fw.h"
#include "tests/common/input_support.h"
#include "tests/harness/barlab_res.h"
#include "tests/harness/lab_script.h"
#include "tests/harness/lab_support.h"
#include "toolkit/bars/ExtBarMdiButtons.h"
#include "toolkit/bars/ExtMenuControlBar.h"
#include "toolkit/bars/ExtPanelControlBar.h"
#include "toolkit/bars/ExtStatusControlBar.h"
#include "toolkit/foundation/ExtCmdManager.h"
#include "toolkit/menus/ExtPopupColorMenuWnd.h"
#include "toolkit/menus/ExtPopupColorMenuWnd.h"
#include "toolkit/menus/ExtPopupMenuWnd.h"
#include "toolkit/menus/ExtPopupTrackSite.h"
#include "toolkit/theme/ExtPaintManager.h"
#include "toolkit/theme/ExtPaintManagerHolder.h"

#include <cstdio>
#include <ctime>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

const char kProfile[] = "barlab";
enum { UM_STEP = WM_APP + 220 };

using lab::Check;
using lab::Log;
using lab::Logged;
using lab::SaveScreenshot;

// A square icon of one colour with a dark frame.
HICON MakeIcon(int nSize, COLORREF clr) {
  HDC hdcScreen = ::GetDC(NULL);
  HBITMAP hColor = ::CreateCompatibleBitmap(hdcScreen, nSize, nSize);
  HBITMAP hMask = ::CreateBitmap(nSize, nSize, 1, 1, NULL);
  HDC hdc = ::CreateCompatibleDC(hdcScreen);
  HGDIOBJ hOld = ::SelectObject(hdc, hColor);
  HBRUSH hFill = ::CreateSolidBrush(clr);
  RECT rc = {0, 0, nSize, nSize};
  ::FillRect(hdc, &rc, (HBRUSH)::GetStockObject(BLACK_BRUSH));
  ::InflateRect(&rc, -1, -1);
  ::FillRect(hdc, &rc, hFill);
  ::SelectObject(hdc, hMask);
  ::PatBlt(hdc, 0, 0, nSize, nSize, BLACKNESS);
  ::SelectObject(hdc, hOld);
  ::DeleteObject(hFill);
  ::DeleteDC(hdc);
  ::ReleaseDC(NULL, hdcScreen);
  ICONINFO ii = {TRUE, 0, 0, hMask, hColor};
  HICON hIcon = ::CreateIconIndirect(&ii);
  ::DeleteObject(hColor);
  ::DeleteObject(hMask);
  return hIcon;
}

void KeyEvent(UINT nVirtKey, bool bDown) {
  INPUT in = {};
  in.type = INPUT_KEYBOARD;
  in.ki.wVk = (WORD)nVirtKey;
  in.ki.dwFlags = bDown ? 0 : KEYEVENTF_KEYUP;
  ::SendInput(1, &in, sizeof(INPUT));
}

CPoint ButtonCentre(CExtToolControlBar& bar, int nIndex) {
  CRect rc = bar.GetButtonRect(nIndex);
  bar.ClientToScreen(rc);
  return rc.CenterPoint();
}

class CLabChild : public CMDIChildWnd {
  DECLARE_DYNCREATE(CLabChild)
};
IMPLEMENT_DYNCREATE(CLabChild, CMDIChildWnd)

class CLabPanelDialog : public CDialog {
public:
  CLabPanelDialog() : CDialog(IDD_BARLAB_PANEL) {}
};

class CLabFrame : public CMDIFrameWnd {
  DECLARE_DYNCREATE(CLabFrame)
public:
  CExtMenuControlBar m_menuBar;
  CExtToolControlBar m_toolBar;
  CExtToolControlBar m_wideBar;
  CExtPanelControlBar m_panelBar;
  CExtStatusControlBar m_statusBar;
  CComboBox m_combo;
  CLabPanelDialog m_panelDialog;
  CMenu m_menuDoc;
  CMenu m_menuCapture;
  bool m_bBold = false;
  lab::CLabScript m_script;

  CLabChild* ActiveChild() { return static_cast<CLabChild*>(MDIGetActive()); }
  bool MenuOpen() const {
    return CExtPopupMenuWnd::AnyMenuTracked() && CExtPopupMenuWnd::GetTrackSite().m_pAnimatedMenu == NULL;
  }
  CRect WindowRect() {
    CRect rc;
    GetWindowRect(rc);
    return rc;
  }
  // The window of the tracked menu with the frame, for pictures of an open menu.
  CRect FrameAndMenuRect() {
    CRect rc = WindowRect();
    if (CExtPopupMenuWnd* pMenu = CExtPopupMenuWnd::GetTrackSite().m_pTrackedMenu) {
      CRect rcMenu;
      pMenu->GetWindowRect(rcMenu);
      rc.UnionRect(rc, rcMenu);
    }
    return rc;
  }
  int MenuButtonIndex(const char* pszText) {
    for (int i = 0; i < m_menuBar.GetButtonCount(); ++i)
      if (m_menuBar.GetButton(i)->GetText() == pszText)
        return i;
    return -1;
  }
  bool HasMdiButtons() {
    const int n = m_menuBar.GetButtonCount();
    return n > 1 && m_menuBar.GetButton(0)->IsKindOf(RUNTIME_CLASS(CExtBarMdiDocButton)) &&
           m_menuBar.FindMdiRightButton() != NULL;
  }
  void Add(std::string what, std::function<void()> act, std::function<bool()> done) {
    m_script.Add(std::move(what), std::move(act), std::move(done));
  }
  // Keys go to an open menu only some milliseconds apart, as a user types them, and a menu takes
  // none while it unfolds: the step waits for the menu to take keys again before it sends its own.
  void AddKey(const std::string& what, std::function<void()> act, std::function<bool()> done) {
    Add(what + ": the menu takes keys", nullptr, [] {
      return CExtPopupMenuWnd::GetTrackSite().m_pAnimatedMenu == NULL &&
             (int)((DWORD)std::clock() - CExtPopupTrackSite::g_nLastKeyTime) > 40;
    });
    Add(what, act, done);
  }
  void AddClick(const std::string& what, std::function<CPoint()> where, std::function<bool()> done) {
    m_script.AddClick(what, std::move(where), std::move(done));
  }

  // What the bars are doing, for the log between steps.
  std::string StateLine() {
    char sz[200];
    CPoint pt;
    ::GetCursorPos(&pt);
    std::snprintf(sz, sizeof(sz),
                  "  state: menu %d bar tracking %d tracked %d/%d hover %d pressed %d capture %p fg %d "
                  "cursor %ld,%ld bold %d/%x",
                  CExtPopupMenuWnd::AnyMenuTracked(), CExtToolControlBar::g_bMenuTracking,
                  m_menuBar.GetTrackedButton(), m_toolBar.GetTrackedButton(), m_toolBar.GetHoverButton(),
                  m_toolBar.GetPressedButton(), (void*)::GetCapture(), ::GetForegroundWindow() == m_hWnd,
                  pt.x, pt.y, (int)m_bBold, m_toolBar.GetButtonStyle(m_toolBar.CommandToIndex(ID_BAR_BOLD)));
    return sz;
  }
  void BuildScript();
  void AddThemeSteps(const char* pszTheme, CRuntimeClass* pClass);
  void AddInputSteps();

protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_COMMAND && HIWORD(wParam) <= 1) {
      char szLine[64];
      std::snprintf(szLine, sizeof(szLine), "cmd %u", (unsigned)LOWORD(wParam));
      Log(szLine);
    }
    if (message == CExtPopupColorMenuWnd::g_nMsgNotifyColorChangedFinally) {
      char szLine[64];
      std::snprintf(szLine, sizeof(szLine), "colour 0x%06lX cookie %ld", (unsigned long)wParam, (long)lParam);
      Log(szLine);
    }
    return CMDIFrameWnd::WindowProc(message, wParam, lParam);
  }
  BOOL PreTranslateMessage(MSG* pMsg) override {
    if (m_menuBar.TranslateFrameKeyboard(pMsg))
      return TRUE;
    return CMDIFrameWnd::PreTranslateMessage(pMsg);
  }

  bool CreateBars();
  afx_msg int OnCreate(LPCREATESTRUCT lpcs) {
    if (CMDIFrameWnd::OnCreate(lpcs) == -1)
      return -1;
    return CreateBars() ? 0 : -1;
  }
  afx_msg void OnDestroy() {
    CExtPopupMenuWnd::CancelAllTracking();
    g_CmdManagerHolder->RemoveWindow(m_hWnd, true);
    CMDIFrameWnd::OnDestroy();
  }
  afx_msg void OnLabCommand(UINT) {}
  afx_msg void OnBold() { m_bBold = !m_bBold; }
  afx_msg void OnUpdateBold(CCmdUI* pCmdUI) { pCmdUI->SetCheck(m_bBold ? 1 : 0); }
  afx_msg LRESULT OnStep(WPARAM, LPARAM) {
    Log(StateLine());
    if (!m_script.RunNext(this))
      PostMessage(WM_CLOSE);
    return 0;
  }
  afx_msg void OnTimer(UINT nIDEvent) {
    if (!m_script.OnTimer(this, nIDEvent, UM_STEP))
      CMDIFrameWnd::OnTimer(nIDEvent);
  }
  DECLARE_MESSAGE_MAP()
};
IMPLEMENT_DYNCREATE(CLabFrame, CMDIFrameWnd)

BEGIN_MESSAGE_MAP(CLabFrame, CMDIFrameWnd)
ON_WM_CREATE()
ON_WM_DESTROY()
ON_WM_TIMER()
ON_COMMAND(ID_BAR_BOLD, OnBold)
ON_COMMAND_RANGE(ID_BAR_NEW, ID_BAR_WIDE_LAST, OnLabCommand)
ON_UPDATE_COMMAND_UI(ID_BAR_BOLD, OnUpdateBold)
ON_MESSAGE(UM_STEP, OnStep)
END_MESSAGE_MAP()

bool CLabFrame::CreateBars() {
  if (!g_CmdManagerHolder->SetupProfile(kProfile, m_hWnd) ||
      !g_CmdManagerHolder->ImportMenuResource(kProfile, IDR_BARLAB) ||
      !g_CmdManagerHolder->ImportMenuResource(kProfile, IDR_BARLAB_DOC) ||
      !g_CmdManagerHolder->ImportMenuResource(kProfile, IDR_BARLAB_CMDS))
    return false;
  for (UINT nId = ID_BAR_NEW; nId <= ID_BAR_WIDE_LAST; ++nId) {
    const bool bWide = nId >= ID_BAR_WIDE_FIRST;
    HICON hIcon = MakeIcon(bWide ? 40 : 16, RGB((nId * 53) & 0xFF, (nId * 97) & 0xFF, (nId * 31) & 0xFF));
    g_CmdManagerHolder->SetCommandIcon(kProfile, nId, hIcon, true);
    ::DestroyIcon(hIcon);
  }
  if (!CExtControlBar::FrameEnableDocking(this))
    return false;
  // The menu bar goes first and takes the frame's menu away.
  m_menuBar.SetMdiWindowPopupName("Window");
  const DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_GRIPPER | CBRS_ALIGN_TOP | CBRS_BORDER_BOTTOM |
                        CBRS_FLYBY | CBRS_TOOLTIPS | CBRS_HIDE_INPLACE;
  if (!m_menuBar.Create(NULL, this, ID_BAR_MENUBAR, dwStyle))
    return false;
  static const UINT kTools[] = {ID_BAR_NEW,  ID_BAR_OPEN,    ID_BAR_SAVE,  0,
                                ID_BAR_CUT,  ID_BAR_COPY,    ID_BAR_PASTE, 0,
                                ID_BAR_BOLD, ID_BAR_CAPTURE, ID_BAR_ZOOM};
  if (!m_toolBar.Create("Tools", this, ID_BAR_TOOLBAR, dwStyle | CBRS_SIZE_DYNAMIC) ||
      !m_toolBar.SetButtons(kTools, (int)std::size(kTools)))
    return false;
  // The capture button opens its menu from the arrow part only.
  if (!m_menuCapture.LoadMenu(IDR_BARLAB_CMDS))
    return false;
  const int nCapture = m_toolBar.CommandToIndex(ID_BAR_CAPTURE);
  m_toolBar.SetButtonMenu(nCapture, m_menuCapture.m_hMenu, true, false, false);
  m_toolBar.GetButton(nCapture)->SetSeparatedDropDown(true);
  m_toolBar.InsertSpecButton(m_toolBar.CommandToIndex(ID_BAR_ZOOM),
                             new CExtBarColorButton(&m_toolBar, ID_BAR_COLOR, 0, RGB(200, 30, 30),
                                                    RGB(0, 0, 0), 7, CExtBarColorButton::ICON_FRAMED_SWATCH),
                             false);
  // A hosted combo box in the zoom slot.
  if (!m_combo.Create(WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST | WS_VSCROLL, CRect(0, 0, 80, 120), &m_toolBar,
                      ID_BAR_ZOOM))
    return false;
  m_combo.AddString("100%");
  m_combo.AddString("200%");
  m_combo.SetCurSel(0);
  m_toolBar.SetButtonCtrl(m_toolBar.CommandToIndex(ID_BAR_ZOOM), &m_combo, true);
  UINT kWide[ID_BAR_WIDE_LAST - ID_BAR_WIDE_FIRST + 1];
  for (UINT i = 0; i < std::size(kWide); ++i)
    kWide[i] = ID_BAR_WIDE_FIRST + i;
  if (!m_wideBar.Create("Wide", this, ID_BAR_WIDEBAR, dwStyle | CBRS_SIZE_DYNAMIC) ||
      !m_wideBar.SetButtons(kWide, (int)std::size(kWide)))
    return false;
  if (!m_panelBar.Create("Panel", this, ID_BAR_PANELBAR) ||
      !m_panelDialog.Create(IDD_BARLAB_PANEL, &m_panelBar))
    return false;
  static const UINT kIndicators[] = {0, ID_INDICATOR_CAPS, ID_INDICATOR_NUM};
  if (!m_statusBar.Create(this) || !m_statusBar.SetIndicators(kIndicators, 3))
    return false;
  for (CExtControlBar* pBar :
       std::initializer_list<CExtControlBar*>{&m_menuBar, &m_toolBar, &m_wideBar, &m_panelBar})
    pBar->EnableDocking(CBRS_ALIGN_ANY);
  // As the program's main frame docks them: the menu bar in its own row, the two tool bars side by
  // side in the row below, the panel at the right.
  DockControlBar(&m_menuBar);
  DockControlBar(&m_toolBar, AFX_IDW_DOCKBAR_TOP);
  RecalcLayout();
  CRect rcTools;
  m_toolBar.GetWindowRect(rcTools);
  rcTools.OffsetRect(1, 1);
  DockControlBar(&m_wideBar, AFX_IDW_DOCKBAR_TOP, rcTools);
  DockControlBar(&m_panelBar, AFX_IDW_DOCKBAR_RIGHT);
  return m_menuDoc.LoadMenu(IDR_BARLAB_DOC) != FALSE;
}

// Pictures of one theme: the bars, an open menu of the menu bar, a maximised document and the
// chevron's menu of a bar cut short.
void CLabFrame::AddThemeSteps(const char* pszTheme, CRuntimeClass* pClass) {
  const std::string name = std::string("barlab_") + pszTheme;
  Add(
      name + ": the theme installs",
      [this, pClass, name] {
        Check(g_PaintManagerHolder.InstallThemeByClass(pClass), name + ": the theme installs");
        RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
      },
      nullptr);
  Add(
      name + ": bars", [this, name] { SaveScreenshot(WindowRect(), name + "_bars"); }, nullptr);
  AddClick(
      name + ": the File menu opens by a click",
      [this] { return ButtonCentre(m_menuBar, MenuButtonIndex("&File")); },
      [this] { return MenuOpen() && CExtToolControlBar::g_bMenuTracking; });
  Add(
      name + ": the menu closes",
      [this, name] {
        SaveScreenshot(FrameAndMenuRect(), name + "_menu_open");
        CExtPopupTrackSite::g_nLastKeyTime = 0;
        real_input::Key(VK_ESCAPE);
      },
      [] { return !CExtPopupMenuWnd::AnyMenuTracked() && !CExtToolControlBar::g_bMenuTracking; });
  Add(
      name + ": a maximised document shows its buttons", [this] { MDIMaximize(ActiveChild()); },
      [this] { return HasMdiButtons(); });
  Add(
      name + ": the document is restored",
      [this, name] {
        SaveScreenshot(WindowRect(), name + "_maximized");
        MDIRestore(ActiveChild());
      },
      [this] { return !HasMdiButtons(); });
  Add(
      name + ": a narrow frame hides buttons in the chevron",
      [this] { SetWindowPos(NULL, 0, 0, 420, 600, SWP_NOMOVE | SWP_NOZORDER); },
      [this] {
        return m_wideBar.GetChevron() != NULL && m_wideBar.GetChevron()->m_arrHiddenButtons.GetSize() > 0;
      });
  AddClick(
      name + ": the chevron's menu opens",
      [this] { return ButtonCentre(m_wideBar, m_wideBar.GetButtonCount() - 1); },
      [this] { return MenuOpen(); });
  Add(
      name + ": the chevron's menu closes",
      [this, name] {
        SaveScreenshot(FrameAndMenuRect(), name + "_chevron_menu");
        CExtPopupTrackSite::g_nLastKeyTime = 0;
        real_input::Key(VK_ESCAPE);
      },
      [] { return !CExtPopupMenuWnd::AnyMenuTracked() && !CExtToolControlBar::g_bMenuTracking; });
  Add(
      name + ": the frame is wide again",
      [this] { SetWindowPos(NULL, 0, 0, 1000, 700, SWP_NOMOVE | SWP_NOZORDER); },
      [this] { return m_wideBar.GetChevron()->m_arrHiddenButtons.GetSize() == 0; });
}

// The roads a user takes with the pointer and the keys.
void CLabFrame::AddInputSteps() {
  AddClick(
      "a click on New fires it",
      [this] { return ButtonCentre(m_toolBar, m_toolBar.CommandToIndex(ID_BAR_NEW)); },
      [] { return Logged("cmd 40500"); });
  // One piece of input at a time, each waited for: of two moves sent at once the window system
  // now and then reports the first one late, after the second (pointer_probe).
  auto ptOpen = std::make_shared<CPoint>();
  Add(
      "a press on Open dragged off: the pointer reaches Open",
      [this, ptOpen] {
        *ptOpen = ButtonCentre(m_toolBar, m_toolBar.CommandToIndex(ID_BAR_OPEN));
        real_input::MouseAt(*ptOpen, MOUSEEVENTF_MOVE);
      },
      [ptOpen] { return lab::PointerAt(*ptOpen); });
  Add(
      "a press on Open dragged off: the press",
      [ptOpen] { real_input::MouseAt(*ptOpen, MOUSEEVENTF_LEFTDOWN); },
      [this] { return m_toolBar.GetPressedButton() == m_toolBar.CommandToIndex(ID_BAR_OPEN); });
  Add(
      "a press on Open dragged off: the pointer leaves the bar",
      [ptOpen] { real_input::MouseAt(*ptOpen + CSize(0, 200), MOUSEEVENTF_MOVE); },
      [ptOpen] { return lab::PointerAt(*ptOpen + CSize(0, 200)); });
  Add(
      "a press on Open dragged off fires nothing",
      [ptOpen] { real_input::MouseAt(*ptOpen + CSize(0, 200), MOUSEEVENTF_LEFTUP); },
      [this] { return m_toolBar.GetPressedButton() < 0 && ::GetCapture() != m_toolBar.m_hWnd; });
  AddClick(
      "Bold checks on a click",
      [this] {
        Check(!Logged("cmd 40501"), "the press dragged off fired nothing");
        return ButtonCentre(m_toolBar, m_toolBar.CommandToIndex(ID_BAR_BOLD));
      },
      [this] {
        SendMessageToDescendants(WM_IDLEUPDATECMDUI, TRUE, 0, TRUE, TRUE);
        return m_bBold &&
               (m_toolBar.GetButtonStyle(m_toolBar.CommandToIndex(ID_BAR_BOLD)) & TBBS_CHECKED) != 0;
      });
  AddClick(
      "the capture button's body fires it",
      [this] {
        CRect rc = m_toolBar.GetButtonRect(m_toolBar.CommandToIndex(ID_BAR_CAPTURE));
        m_toolBar.ClientToScreen(rc);
        return CPoint(rc.left + 6, rc.CenterPoint().y);
      },
      [] { return Logged("cmd 40507"); });
  AddClick(
      "the capture button's arrow opens its menu",
      [this] {
        CExtBarButton* pButton = m_toolBar.GetButton(m_toolBar.CommandToIndex(ID_BAR_CAPTURE));
        CRect rc = pButton->GetDropDownRect();
        m_toolBar.ClientToScreen(rc);
        return rc.CenterPoint();
      },
      [this] { return MenuOpen(); });
  AddKey(
      "Escape closes the capture menu", [] { real_input::Key(VK_ESCAPE); },
      [] { return !CExtPopupMenuWnd::AnyMenuTracked() && !CExtToolControlBar::g_bMenuTracking; });
  // The keyboard road starts with the pointer off the bars: a pointer resting on a drop-down button
  // would take an open bar menu over as soon as it moved.
  Add(
      "the pointer leaves the bars", [this] { real_input::MoveTo(WindowRect().CenterPoint()); },
      [this] {
        CPoint pt;
        ::GetCursorPos(&pt);
        return pt == WindowRect().CenterPoint();
      });
  Add(
      "Alt alone selects the first menu button",
      [] {
        KeyEvent(VK_MENU, true);
        KeyEvent(VK_MENU, false);
      },
      [this] { return m_menuBar.IsKeyboardSelectionMode(); });
  AddKey(
      "Down opens the highlighted menu", [] { real_input::Key(VK_DOWN); }, [this] { return MenuOpen(); });
  AddKey(
      "Right moves the open menu to the next button", [this] { real_input::Key(VK_RIGHT); },
      [this] { return MenuOpen() && m_menuBar.GetTrackedButton() == 1; });
  AddKey(
      "Escape closes the open menu", [] { real_input::Key(VK_ESCAPE); },
      [] { return !CExtPopupMenuWnd::AnyMenuTracked(); });
  AddKey(
      "Escape again leaves the menu bar", [] { real_input::Key(VK_ESCAPE); },
      [this] { return !CExtPopupMenuWnd::AnyMenuTracked() && !m_menuBar.IsKeyboardSelectionMode(); });
  Add(
      "Alt+W opens the Window menu by its mnemonic",
      [] {
        KeyEvent(VK_MENU, true);
        KeyEvent('W', true);
        KeyEvent('W', false);
        KeyEvent(VK_MENU, false);
      },
      [this] { return MenuOpen() && m_menuBar.GetTrackedButton() == MenuButtonIndex("&Window"); });
  AddKey(
      "Escape closes it", [] { real_input::Key(VK_ESCAPE); },
      [] { return !CExtPopupMenuWnd::AnyMenuTracked(); });
  Add(
      "the restore box of a maximised document restores it", [this] { MDIMaximize(ActiveChild()); },
      [this] { return HasMdiButtons(); });
  AddClick(
      "a click on the restore box",
      [this] {
        CExtBarMdiRightButton* pRight = m_menuBar.FindMdiRightButton();
        if (pRight == NULL)
          return CPoint(0, 0);
        MdiRightButtonsInfo info;
        m_menuBar.GetMdiRightButtonsInfo(pRight, info, true);
        CExtBarMdiRightButton::CalcButtonRects(info, pRight->GetRect(), true);
        CRect rc = info.m_rcRestore;
        m_menuBar.ClientToScreen(rc);
        return rc.CenterPoint();
      },
      [this] {
        BOOL bMaximized = FALSE;
        MDIGetActive(&bMaximized);
        return !bMaximized && !HasMdiButtons();
      });
  Add(
      "the frame never shows a native menu", [this] { Check(::GetMenu(m_hWnd) == NULL, "no native menu"); },
      nullptr);
}

void CLabFrame::BuildScript() {
  Add("the frame is active", nullptr, [this] { return ::GetForegroundWindow() == m_hWnd; });
  Add(
      "the document's menu is in the bar",
      [this] { Check(::GetMenu(m_hWnd) == NULL, "the menu bar took the frame's menu"); },
      [this] { return MenuButtonIndex("&Image") >= 0; });
  static const struct {
    const char* pszName;
    CRuntimeClass* pClass;
  } kThemes[] = {{"xp", RUNTIME_CLASS(CExtPaintManagerXP)},
                 {"office2003", RUNTIME_CLASS(CExtPaintManagerOffice2003)},
                 {"classic", RUNTIME_CLASS(CExtPaintManager)}};
  for (const auto& theme : kThemes)
    AddThemeSteps(theme.pszName, theme.pClass);
  AddInputSteps();
}

class CBarLabApp : public lab::CLabApp {
public:
  CBarLabApp() : CLabApp("barlab", 240) {}

protected:
  bool StartLab() override {
    CExtPopupMenuWnd::g_bMenuHideRarelyUsed = false;
    CExtPopupMenuWnd::g_bMenuHighlightRarelyUsed = false;
    CLabFrame* pFrame = new CLabFrame;
    if (!pFrame->LoadFrame(IDR_BARLAB))
      return false;
    m_pMainWnd = pFrame;
    pFrame->SetWindowPos(NULL, 0, 0, 1000, 700, SWP_NOZORDER | SWP_SHOWWINDOW);
    for (int i = 1; i <= 2; ++i) {
      CString sTitle;
      sTitle.Format("Document %d", i);
      auto* pChild = new CLabChild;
      pChild->m_hMenuShared = pFrame->m_menuDoc.m_hMenu;
      pChild->Create(NULL, sTitle, WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW, CFrameWnd::rectDefault,
                     pFrame);
    }
    pFrame->MDICascade();
    pFrame->UpdateWindow();
    pFrame->SetForegroundWindow();
    if (m_bSelfTest) {
      pFrame->BuildScript();
      pFrame->PostMessage(UM_STEP);
    }
    return true;
  }
};

CBarLabApp theApp;

} // namespace
