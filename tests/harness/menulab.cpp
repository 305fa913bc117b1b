// menulab: an MDI application on the framework and the toolkit for looking at popup menus: a frame
// with a status bar and a command profile bound to it, three child windows, a recent-file list, and
// the frame as the menus' receiver, which logs every command and every registered popup message it
// gets, sent or posted. Menus are tracked for real: the tracking takes the input and owns the menu
// until it ends. "/log:<file>" writes the log to a file line by line as it grows; "/selftest" tracks
// every kind of menu in each theme, saves the pictures, chooses a command with a key pressed for
// real, checks the log and exits with the number of failed checks.
#include "framework/fw.h"
#include "tests/harness/lab_support.h"
#include "tests/harness/menulab_res.h"
#include "tests/harness/lab_themes.h"
#include "toolkit/foundation/ExtCmdManager.h"
#include "toolkit/menus/ExtPopupMenuWnd.h"
#include "toolkit/theme/ExtPaintManagerHolder.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

namespace {

const char kProfile[] = "menulab";
enum { UM_STEP = WM_APP + 200, kPaletteCells = 16, kTallRows = 80 };

using lab::Check;
using lab::g_bScriptDone;
using lab::g_log;
using lab::Log;
using lab::Logged;
using lab::SaveScreenshot;
using lab::ScreenBits;

// The registered messages of the popup menus, by the names they were registered under.
const char* PopupMessageName(UINT nMsg) {
  static const struct {
    const UINT& nMsg;
    const char* pszName;
  } kMessages[] = {
      {CExtPopupMenuWnd::g_nMsgPrepareMenu, "g_nMsgPrepareMenu"},
      {CExtPopupMenuWnd::g_nMsgPrepareOneMenuLevel, "g_nMsgPrepareOneMenuLevel"},
      {CExtPopupMenuWnd::g_nMsgPrepareDesktopBk, "g_nMsgPrepareDesktopBk"},
      {CExtPopupMenuWnd::g_nMsgPopupNext, "g_nMsgPopupNext"},
      {CExtPopupMenuWnd::g_nMsgPopupPrev, "g_nMsgPopupPrev"},
      {CExtPopupMenuWnd::g_nMsgNotifyMenuExpanded, "g_nMsgNotifyMenuExpanded"},
      {CExtPopupMenuWnd::g_nMsgNotifyMenuClosed, "g_nMsgNotifyMenuClosed"},
      {CExtPopupMenuWnd::g_nMsgPopupDrawItem, "g_nMsgPopupDrawItem"},
      {CExtPopupMenuWnd::g_nMsgPopupDrawLeftArea, "g_nMsgPopupDrawLeftArea"},
      {CExtPopupMenuWnd::g_nMsgPopupDrawBackground, "g_nMsgPopupDrawBackground"},
      {CExtPopupMenuWnd::g_nMsgCreateInplaceEdit, "g_nMsgCreateInplaceEdit"},
      {CExtPopupMenuWnd::g_nMsgItemCoveringNotification, "g_nMsgItemCoveringNotification"},
      {CExtPopupMenuWnd::g_nMsgTearOff, "g_nMsgTearOff"},
      {CExtPopupMenuWnd::g_nMsgCustomFloatPos, "g_nMsgCustomFloatPos"},
  };
  for (const auto& m : kMessages)
    if (m.nMsg == nMsg)
      return m.pszName;
  return NULL;
}

// A message the pump dispatched is the thread's current one; any other reached the window sent.
bool IsPosted(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam) {
  const MSG& cur = AfxGetThreadState()->m_msgCur;
  return cur.hwnd == hWnd && cur.message == nMsg && cur.wParam == wParam && cur.lParam == lParam;
}

// Tracks a menu at a point without its opening animation; the tracking owns it from then on, and a
// menu it could not show stays with the caller, which frees it here. With a button rectangle the
// menu opens joined to it, as from a bar button.
CExtPopupMenuWnd* Track(std::unique_ptr<CExtPopupMenuWnd> pMenu, CPoint pt, DWORD dwTrackFlags,
                        const RECT* pRcButton = NULL) {
  if (pRcButton != NULL)
    dwTrackFlags |= CExtPopupMenuWnd::TPMX_COMBINE_ALWAYS;
  if (!pMenu->RunTrackingLoop(dwTrackFlags | CExtPopupMenuWnd::TPMX_NO_ANIMATION, pt.x, pt.y, pRcButton))
    return NULL;
  return pMenu.release();
}

// A key pressed and released for real.
void PressKey(UINT nVirtKey) {
  INPUT in[2] = {};
  for (INPUT& input : in) {
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = (WORD)nVirtKey;
  }
  in[1].ki.dwFlags = KEYEVENTF_KEYUP;
  ::SendInput(2, in, sizeof(INPUT));
}

class CLabChild : public CMDIChildWnd {
  DECLARE_DYNCREATE(CLabChild)
};
IMPLEMENT_DYNCREATE(CLabChild, CMDIChildWnd)

class CLabFrame : public CMDIFrameWnd {
  DECLARE_DYNCREATE(CLabFrame)
public:
  CStatusBar m_status;
  int m_nStep = 0;
  lab::CLabWait m_wait;
  std::vector<BYTE> m_before;

  // The Edit menu with its Insert submenu open beside it, the current row on the submenu item.
  bool ShowEditMenu(CPoint pt) {
    CMenu* pBar = GetMenu();
    auto pMenu = std::make_unique<CExtPopupMenuWnd>();
    if (pBar == NULL ||
        !pMenu->BuildFromMenuHandle(m_hWnd, CMenu::FromHandle(::GetSubMenu(pBar->m_hMenu, 1))))
      return false;
    pMenu->UpdateItemsCmdUI();
    pMenu->ItemDefaultSet(pMenu->ItemFindPosForCmdID(ID_LAB_PASTE));
    const int nSub = pMenu->GetItemCount() - 1;
    CExtPopupMenuWnd* pTracked = Track(std::move(pMenu), pt, 0);
    if (pTracked == NULL)
      return false;
    pTracked->SetCurrentItem(nSub, true, true);
    CExtPopupMenuWnd* pChild = pTracked->ItemGetPopup(nSub);
    return pChild != NULL && pChild->GetSafeHwnd() != NULL && pChild->IsWindowVisible();
  }

  bool ShowFileMenu(CPoint pt) {
    auto pMenu = std::make_unique<CExtPopupMenuWnd>();
    if (!pMenu->BuildFromMenuHandle(m_hWnd, CMenu::FromHandle(::GetSubMenu(GetMenu()->m_hMenu, 0))))
      return false;
    return Track(std::move(pMenu), pt, 0) != NULL;
  }

  // The File menu below a button it is joined to.
  bool ShowJoinedMenu(CPoint pt) {
    auto pMenu = std::make_unique<CExtPopupMenuWnd>();
    if (!pMenu->BuildFromMenuHandle(m_hWnd, CMenu::FromHandle(::GetSubMenu(GetMenu()->m_hMenu, 0))))
      return false;
    const CRect rcButton(pt, CSize(56, 22));
    return Track(std::move(pMenu), pt, 4, &rcButton) != NULL;
  }

  // Sixteen colour cells in rows of four.
  bool ShowPaletteMenu(CPoint pt) {
    auto pMenu = std::make_unique<CExtPopupMenuWnd>();
    pMenu->InitTopLevel(m_hWnd);
    for (int i = 0; i < kPaletteCells; ++i) {
      HICON hIcon = CExtPaintManager::CreateColorSampleIcon(RGB(i * 16, 255 - i * 12, (i * 77) & 0xFF));
      pMenu->InsertCommandItemWithHIcon(ID_LAB_COLOR_FIRST + i, "", NULL, hIcon, false);
      if (i % 4 == 3)
        pMenu->ItemSetNewColumn(i);
    }
    return Track(std::move(pMenu), pt, CExtPopupMenuWnd::TPMX_PALETTE) != NULL;
  }

  // More rows than the screen holds: the menu scrolls.
  bool ShowTallMenu(CPoint pt) {
    auto pMenu = std::make_unique<CExtPopupMenuWnd>();
    pMenu->InitTopLevel(m_hWnd);
    for (int i = 0; i < kTallRows; ++i) {
      CString sText;
      sText.Format("Line %d", i + 1);
      pMenu->InsertOwnItem(ID_LAB_COLOR_FIRST + 100 + i, -1, sText, NULL, CExtCmdIcon());
    }
    CExtPopupMenuWnd* pTracked = Track(std::move(pMenu), pt, 0);
    if (pTracked == NULL)
      return false;
    pTracked->m_nScrollOffset = -30;
    pTracked->Invalidate(FALSE);
    return true;
  }

  // Whether the tracked menu and its open submenu have finished appearing.
  static bool ChainAppeared() {
    CExtPopupMenuWnd* pMenu = CExtPopupMenuWnd::GetTrackSite().m_pTrackedMenu;
    if (pMenu == NULL || !pMenu->IsAnimationFinished())
      return false;
    CExtPopupMenuWnd* pChild = pMenu->ItemGetPopup(pMenu->GetCurrentItemIndex());
    return pChild == NULL || pChild->GetSafeHwnd() == NULL || pChild->IsAnimationFinished();
  }

  // Where the tracked menu and its open submenus are on the screen.
  CRect MenusRect() const {
    CRect rcAll;
    auto add = [&](const CExtPopupMenuWnd* p) {
      CRect rc;
      if (p != NULL && p->GetSafeHwnd() != NULL && ::IsWindowVisible(p->GetSafeHwnd())) {
        p->GetWindowRect(rc);
        rcAll.UnionRect(rcAll, rc);
      }
    };
    if (CExtPopupMenuWnd* pMenu = CExtPopupMenuWnd::GetTrackSite().m_pTrackedMenu) {
      add(pMenu);
      for (int i = 0; i < pMenu->GetItemCount(); ++i)
        add(pMenu->ItemGetPopup(i));
    }
    rcAll.IntersectRect(rcAll, CRect(0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)));
    return rcAll;
  }

  void CloseMenus() { CExtPopupMenuWnd::CancelAllTracking(); }

protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    const char* pszName = PopupMessageName(message);
    if (message == WM_COMMAND || pszName != NULL) {
      char szLine[160];
      const char* pszHow = IsPosted(m_hWnd, message, wParam, lParam) ? "posted" : "sent";
      if (pszName != NULL)
        std::snprintf(szLine, sizeof(szLine), "%s %s", pszName, pszHow);
      else
        std::snprintf(szLine, sizeof(szLine), "WM_COMMAND 0x%04X %s", (unsigned)LOWORD(wParam), pszHow);
      Log(szLine);
    }
    return CMDIFrameWnd::WindowProc(message, wParam, lParam);
  }

  afx_msg int OnCreate(LPCREATESTRUCT lpcs) {
    if (CMDIFrameWnd::OnCreate(lpcs) == -1)
      return -1;
    static const UINT indicators[] = {ID_SEPARATOR, ID_INDICATOR_CAPS, ID_INDICATOR_NUM};
    if (!m_status.Create(this) || !m_status.SetIndicators(indicators, 3))
      return -1;
    if (!g_CmdManagerHolder->SetupProfile(kProfile, m_hWnd) ||
        !g_CmdManagerHolder->ImportMenuResource(kProfile, IDR_MENULAB))
      return -1;
    const struct {
      UINT nId;
      COLORREF clr;
    } kIcons[] = {{ID_LAB_NEW, RGB(40, 160, 60)},    {ID_LAB_OPEN, RGB(230, 190, 40)},
                  {ID_LAB_CUT, RGB(200, 40, 40)},    {ID_LAB_COPY, RGB(40, 90, 220)},
                  {ID_LAB_PASTE, RGB(150, 80, 200)}, {ID_LAB_PICTURE, RGB(30, 170, 170)}};
    for (const auto& icon : kIcons) {
      HICON hIcon = CExtPaintManager::CreateColorSampleIcon(icon.clr);
      g_CmdManagerHolder->SetCommandIcon(kProfile, icon.nId, hIcon, true);
      ::DestroyIcon(hIcon);
    }
    return 0;
  }
  afx_msg void OnDestroy() {
    CloseMenus();
    g_CmdManagerHolder->RemoveWindow(m_hWnd, true);
    CMDIFrameWnd::OnDestroy();
  }
  afx_msg void OnLabCommand(UINT) {}
  afx_msg void OnUpdateBold(CCmdUI* pCmdUI) { pCmdUI->SetCheck(1); }
  afx_msg void OnUpdateLeft(CCmdUI* pCmdUI) { pCmdUI->SetRadio(TRUE); }
  afx_msg void OnUpdateDisabled(CCmdUI* pCmdUI) { pCmdUI->Enable(FALSE); }

  // Each step acts, then waits (on a timer, bounded) for what it caused before the next step.
  afx_msg LRESULT OnStep(WPARAM, LPARAM) {
    using lab::kThemes;
    static const struct {
      const char* pszName;
      bool (CLabFrame::*pfnShow)(CPoint);
    } kKinds[] = {{"edit", &CLabFrame::ShowEditMenu},
                  {"file", &CLabFrame::ShowFileMenu},
                  {"joined", &CLabFrame::ShowJoinedMenu},
                  {"palette", &CLabFrame::ShowPaletteMenu},
                  {"tall", &CLabFrame::ShowTallMenu}};
    const int nShots = (int)(std::size(kThemes) * std::size(kKinds));
    if (m_nStep++ == 0) {
      // A frame still on its way to the front could come up over the first menu.
      WaitFor([this] { return ::GetForegroundWindow() == m_hWnd && ::GetActiveWindow() == m_hWnd; },
              "the frame is active");
      return 0;
    }
    const int nStep = m_nStep - 2;
    CRect rcClient;
    GetClientRect(rcClient);
    ClientToScreen(rcClient);
    const CPoint ptMenu = rcClient.TopLeft() + CSize(40, 30);
    if (nStep < 2 * nShots) {
      const int nShot = nStep / 2;
      const auto& theme = kThemes[nShot / std::size(kKinds)];
      const auto& kind = kKinds[nShot % std::size(kKinds)];
      const std::string name = std::string("menulab_") + theme.pszName + "_" + kind.pszName;
      if (nStep % 2 == 0) {
        Check(g_PaintManagerHolder.InstallThemeByClass(theme.pClass), name + ": the theme installs");
        RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
        m_before = ScreenBits(CRect(ptMenu, CSize(200, 200)));
        Check((this->*kind.pfnShow)(ptMenu), name + ": the menu is shown");
        WaitFor(
            [this, ptMenu] {
              return ChainAppeared() && ScreenBits(CRect(ptMenu, CSize(200, 200))) != m_before;
            },
            name + ": the menu reaches the screen");
      } else {
        SaveScreenshot(MenusRect(), name);
        CloseMenus();
        PostMessage(UM_STEP);
      }
      return 0;
    }
    switch (nStep - 2 * nShots) {
    case 0:
      Check(ShowFileMenu(ptMenu), "the file menu is tracked for a command");
      // Keys go to a menu once it has appeared.
      WaitFor([] { return CExtPopupMenuWnd::GetTrackSite().m_pAnimatedMenu == NULL; },
              "the file menu appears");
      break;
    case 1:
      PressKey('N');
      WaitFor([] { return Logged("WM_COMMAND 0x9D08 posted") && !CExtPopupMenuWnd::AnyMenuTracked(); },
              "the chosen command arrives posted and the tracking ends");
      break;
    case 2:
      Check(!Logged("WM_COMMAND 0x9D08 sent"), "the chosen command is not sent");
      Check(Logged("g_nMsgPrepareMenu sent"), "the receiver is asked to prepare the menu");
      Check(Logged("g_nMsgNotifyMenuClosed sent"), "the receiver is told the menu closed");
      Check(Logged("g_nMsgPrepareDesktopBk sent"), "the owner is asked to prepare the desktop");
      Check(Logged("g_nMsgPopupDrawBackground sent"), "the receiver is offered the background");
      Check(!Logged("g_nMsgPopupDrawItem sent"), "no row is offered to the receiver without asking");
      g_bScriptDone = true;
      PostMessage(WM_CLOSE);
      break;
    }
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
ON_COMMAND_RANGE(ID_LAB_NEW, ID_LAB_COLOR_FIRST + 200, OnLabCommand)
ON_UPDATE_COMMAND_UI(ID_LAB_BOLD, OnUpdateBold)
ON_UPDATE_COMMAND_UI(ID_LAB_LEFT, OnUpdateLeft)
ON_UPDATE_COMMAND_UI(ID_LAB_DISABLED, OnUpdateDisabled)
ON_MESSAGE(UM_STEP, OnStep)
END_MESSAGE_MAP()

class CMenuLabApp : public lab::CLabApp {
public:
  CMenuLabApp() : CLabApp("menulab", 120) {}

protected:
  bool StartLab() override {
    // As the program sets them at start-up.
    CExtPopupMenuWnd::g_bMenuHideRarelyUsed = false;
    CExtPopupMenuWnd::g_bMenuHighlightRarelyUsed = false;
    LoadStdProfileSettings(4);
    AddToRecentFileList("C:\\menulab\\first picture.png");
    AddToRecentFileList("C:\\menulab\\R&D notes.png");
    CLabFrame* pFrame = new CLabFrame;
    if (!pFrame->LoadFrame(IDR_MENULAB))
      return false;
    m_pMainWnd = pFrame;
    pFrame->SetWindowPos(NULL, 20, 20, 900, 640, SWP_NOZORDER | SWP_SHOWWINDOW);
    for (int i = 1; i <= 3; ++i) {
      CString sTitle;
      sTitle.Format("Document %d", i);
      auto* pChild = new CLabChild;
      pChild->Create(NULL, sTitle, WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW, CFrameWnd::rectDefault,
                     pFrame);
    }
    pFrame->MDICascade();
    pFrame->UpdateWindow();
    if (m_bSelfTest)
      pFrame->PostMessage(UM_STEP);
    return true;
  }
};

CMenuLabApp theApp;

} // namespace
