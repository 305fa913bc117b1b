// controlslab: an application on the framework and the toolkit for looking at the themed
// controls: a frame showing one dialog per family (push, colour, check and radio buttons; group
// box, labels and slider; combo boxes and edit; colour control and colour dialog; date picker),
// each dialog logging every notification of its controls. "/log:<file>" writes the log to a file
// as it grows; "/selftest" takes a picture of every family in each theme, then drives each family
// with real pointer and key input as a user would, checks the log and the controls' states, and
// exits with the number of failed checks.
#include "tests/harness/controlslab.h"

#include "tests/harness/lab_support.h"
#include "tests/harness/lab_themes.h"
#include "toolkit/foundation/ExtCmdManager.h"
#include "toolkit/menus/ExtPopupColorMenuWnd.h"
#include "toolkit/menus/ExtPopupMenuWnd.h"
#include "toolkit/theme/ExtPaintManager.h"
#include "toolkit/theme/ExtPaintManagerHolder.h"
#include "toolkit/theme/ExtPaintManagerXP.h"

#include <commctrl.h>
#include <cstdio>
#include <cstring>

namespace clab {

CRect CLabDialog::ItemRect(UINT nId) {
  CRect rc;
  if (CWnd* pItem = GetDlgItem(nId))
    pItem->GetWindowRect(rc);
  return rc;
}

CPoint CLabDialog::ItemCentre(UINT nId) { return ItemRect(nId).CenterPoint(); }

std::string CLabDialog::DescribeOwn(UINT, WPARAM, LPARAM) { return std::string(); }

LRESULT CLabDialog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  char sz[160] = "";
  if (message == WM_COMMAND && lParam != 0) {
    std::snprintf(sz, sizeof(sz), "command %u code %u", (unsigned)LOWORD(wParam), (unsigned)HIWORD(wParam));
  } else if (message == WM_COMMAND && HIWORD(wParam) == 0) {
    std::snprintf(sz, sizeof(sz), "menu command %u", (unsigned)LOWORD(wParam));
  } else if ((message == WM_HSCROLL || message == WM_VSCROLL) && lParam != 0) {
    const int nPos = (int)::SendMessage((HWND)lParam, TBM_GETPOS, 0, 0);
    std::snprintf(sz, sizeof(sz), "%s %d code %u pos %d", message == WM_HSCROLL ? "hscroll" : "vscroll",
                  ::GetDlgCtrlID((HWND)lParam), (unsigned)LOWORD(wParam), nPos);
  } else if (message == CExtPopupColorMenuWnd::g_nMsgNotifyColorChangedFinally) {
    std::snprintf(sz, sizeof(sz), "colour chosen 0x%08lX cookie %ld", (unsigned long)wParam, (long)lParam);
  } else if (message == CExtPopupColorMenuWnd::g_nMsgNotifyColorChanged) {
    std::snprintf(sz, sizeof(sz), "colour hovered 0x%08lX cookie %ld", (unsigned long)wParam, (long)lParam);
  } else if (message == CExtPopupColorMenuWnd::g_nMsgNotifyCustColor) {
    std::snprintf(sz, sizeof(sz), "colour custom cookie %ld", (long)lParam);
  } else {
    const std::string own = DescribeOwn(message, wParam, lParam);
    std::snprintf(sz, sizeof(sz), "%s", own.c_str());
  }
  if (sz[0] != '\0')
    lab::Log(m_strFamily + ": " + sz);
  return CDialog::WindowProc(message, wParam, lParam);
}

} // namespace clab

namespace {

enum { UM_STEP = WM_APP + 230 };
const int kFrameWidth = 720, kFrameHeight = 520;

using clab::CLabDialog;
using clab::Family;

class CLabFrame : public CFrameWnd {
public:
  std::vector<Family> m_families;
  lab::CLabScript m_script;

  CRect WindowRect() {
    CRect rc;
    GetWindowRect(rc);
    return rc;
  }
  // Shows the family's dialog alone over the client area.
  void ShowFamily(CLabDialog* pShown) {
    for (Family& family : m_families)
      if (family.pDialog.get() != pShown)
        family.pDialog->ShowWindow(SW_HIDE);
    CRect rc;
    GetClientRect(rc);
    pShown->SetWindowPos(&CWnd::wndTop, 0, 0, rc.Width(), rc.Height(), SWP_SHOWWINDOW);
    pShown->RedrawWindow(NULL, NULL,
                         RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
  }
  bool CreateFamilies() {
    // Menus of the buttons register their commands in the profile of the buttons' frame.
    if (!g_CmdManagerHolder->SetupProfile("controlslab", m_hWnd)) {
      lab::Check(false, "the command profile is set up");
      return false;
    }
    m_families.push_back({std::make_unique<clab::CButtonsDialog>(), clab::AddButtonsSteps});
    m_families.push_back({std::make_unique<clab::CStaticDialog>(), clab::AddStaticSteps});
    m_families.push_back({std::make_unique<clab::CComboDialog>(), clab::AddComboSteps});
    m_families.push_back({std::make_unique<clab::CColorDialogFamily>(), clab::AddColorSteps});
    m_families.push_back({std::make_unique<clab::CDateDialog>(), clab::AddDateSteps});
    for (Family& family : m_families)
      if (!family.pDialog->CreateIn(this)) {
        lab::Check(false, family.pDialog->Family() + ": the dialog is created");
        return false;
      }
    return true;
  }
  void BuildScript();

protected:
  afx_msg LRESULT OnStep(WPARAM, LPARAM) {
    if (!m_script.RunNext(this))
      PostMessage(WM_CLOSE);
    return 0;
  }
  afx_msg void OnTimer(UINT nIDEvent) {
    if (!m_script.OnTimer(this, nIDEvent, UM_STEP))
      CFrameWnd::OnTimer(nIDEvent);
  }
  afx_msg void OnDestroy() {
    CExtPopupMenuWnd::CancelAllTracking();
    g_CmdManagerHolder->RemoveWindow(m_hWnd, true);
    CFrameWnd::OnDestroy();
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CLabFrame, CFrameWnd)
ON_WM_TIMER()
ON_WM_DESTROY()
ON_MESSAGE(UM_STEP, OnStep)
END_MESSAGE_MAP()

void CLabFrame::BuildScript() {
  m_script.Add("the frame is active", nullptr, [this] { return ::GetForegroundWindow() == m_hWnd; });
  using lab::kThemes;
  for (const auto& theme : kThemes) {
    const std::string strTheme = theme.pszName;
    CRuntimeClass* pClass = theme.pClass;
    m_script.Add(
        strTheme + ": the theme installs",
        [this, pClass, strTheme] {
          lab::Check(g_PaintManagerHolder.InstallThemeByClass(pClass), strTheme + ": the theme is installed");
        },
        nullptr);
    for (Family& family : m_families) {
      CLabDialog* pDialog = family.pDialog.get();
      const std::string name = "controlslab_" + strTheme + "_" + pDialog->Family();
      m_script.Add(
          name + ": shown", [this, pDialog] { ShowFamily(pDialog); },
          [pDialog] { return pDialog->IsWindowVisible() != FALSE; });
      m_script.Add(
          name + ": picture", [this, name] { lab::SaveScreenshot(WindowRect(), name); }, nullptr);
    }
  }
  // The input runs in the last theme, the one the program itself installs.
  for (Family& family : m_families) {
    CLabDialog* pDialog = family.pDialog.get();
    m_script.Add(
        pDialog->Family() + ": shown for input", [this, pDialog] { ShowFamily(pDialog); },
        [pDialog] { return pDialog->IsWindowVisible() != FALSE; });
    family.addSteps(m_script, *pDialog);
    const std::string name = "controlslab_office2003_" + pDialog->Family() + "_after_input";
    m_script.Add(
        name, [this, name] { lab::SaveScreenshot(WindowRect(), name); }, nullptr);
  }
}

class CControlsLabApp : public lab::CLabApp {
public:
  CControlsLabApp() : CLabApp("controlslab", 240) {}

protected:
  bool StartLab() override {
    INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_BAR_CLASSES | ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&icc);
    CExtPopupMenuWnd::g_bMenuHideRarelyUsed = false;
    CExtPopupMenuWnd::g_bMenuHighlightRarelyUsed = false;
    g_PaintManagerHolder.InstallThemeByClass(RUNTIME_CLASS(CExtPaintManagerOffice2003));
    auto* pFrame = new CLabFrame;
    if (!pFrame->Create(NULL, "controlslab", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                        CRect(0, 0, kFrameWidth, kFrameHeight))) {
      lab::Check(false, "the frame is created");
      return false;
    }
    m_pMainWnd = pFrame;
    if (!pFrame->CreateFamilies())
      return false;
    pFrame->ShowWindow(SW_SHOW);
    pFrame->ShowFamily(pFrame->m_families.front().pDialog.get());
    pFrame->UpdateWindow();
    pFrame->SetForegroundWindow();
    if (m_bSelfTest) {
      pFrame->BuildScript();
      pFrame->PostMessage(UM_STEP);
    }
    return true;
  }
};

CControlsLabApp theApp;

} // namespace
