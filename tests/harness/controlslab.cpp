// controlslab: an application on the framework and the toolkit for looking at the themed
// controls: a frame showing one dialog per family (push, colour, check and radio buttons; group
// box, labels and slider; combo boxes and edit; colour control and colour dialog; date picker),
// each dialog logging every notification of its controls. "/log:<file>" writes the log to a file
// as it grows; "/selftest" takes a picture of every family in each theme, then drives each family
// with real pointer and key input as a user would, checks the log and the controls' states, and
// exits with the number of failed checks.
#include "tests/harness/controlslab.h"

#include "tests/harness/lab_support.h"
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

BOOL CButtonsDialog::OnInitDialog() {
  CLabDialog::OnInitDialog();
  const struct {
    CButton* pButton;
    UINT nId;
  } kItems[] = {
      {&m_push, IDC_CLAB_PUSH},          {&m_default, IDC_CLAB_DEFAULT},   {&m_disabled, IDC_CLAB_DISABLED},
      {&m_menuButton, IDC_CLAB_MENUBTN}, {&m_color, IDC_CLAB_COLORBTN},    {&m_check, IDC_CLAB_CHECK},
      {&m_check3, IDC_CLAB_CHECK3},      {&m_checkOff, IDC_CLAB_CHECKOFF}, {&m_radio[0], IDC_CLAB_RADIO1},
      {&m_radio[1], IDC_CLAB_RADIO2},    {&m_radio[2], IDC_CLAB_RADIO3}};
  for (const auto& item : kItems)
    if (!item.pButton->SubclassDlgItem(item.nId, this))
      lab::Check(false, "buttons: item " + std::to_string(item.nId) + " is subclassed");
  m_color.m_lParamCookie = IDC_CLAB_COLORBTN;
  m_color.m_clrDefault = RGB(0, 0, 128);
  m_checkOff.SetCheck(1);
  m_radio[0].SetCheck(1);
  return TRUE;
}

BOOL CStaticDialog::OnInitDialog() {
  CLabDialog::OnInitDialog();
  if (!m_group.SubclassDlgItem(IDC_CLAB_GROUP, this) || !m_label.SubclassDlgItem(IDC_CLAB_LABEL, this) ||
      !m_labelOff.SubclassDlgItem(IDC_CLAB_LABELOFF, this) ||
      !m_slider.SubclassDlgItem(IDC_CLAB_SLIDER, this) ||
      !m_sliderOff.SubclassDlgItem(IDC_CLAB_SLIDEROFF, this))
    lab::Check(false, "static: every item is subclassed");
  for (CSliderCtrl* pSlider : {&m_slider, &m_sliderOff}) {
    pSlider->SetRange(0, 100, TRUE);
    pSlider->SetTicFreq(10);
    pSlider->SetPageSize(10);
  }
  m_sliderOff.SetPos(60);
  return TRUE;
}

BOOL CComboDialog::OnInitDialog() {
  CLabDialog::OnInitDialog();
  if (!m_combo.SubclassDlgItem(IDC_CLAB_COMBO, this) ||
      !m_comboList.SubclassDlgItem(IDC_CLAB_COMBOLIST, this) ||
      !m_comboOff.SubclassDlgItem(IDC_CLAB_COMBOOFF, this) || !m_edit.SubclassDlgItem(IDC_CLAB_EDIT, this))
    lab::Check(false, "combo: every item is subclassed");
  for (const char* psz : {"Arial", "Courier New", "Tahoma", "Times New Roman", "Verdana"}) {
    m_combo.AddString(psz);
    m_comboList.AddString(psz);
  }
  m_comboList.SetCurSel(0);
  m_comboOff.SetWindowText("Disabled");
  m_edit.SetWindowText("Edit");
  return TRUE;
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
    m_families.push_back({std::make_unique<clab::CButtonsDialog>(), clab::AddButtonsSteps});
    m_families.push_back({std::make_unique<clab::CStaticDialog>(), clab::AddStaticSteps});
    m_families.push_back({std::make_unique<clab::CComboDialog>(), clab::AddComboSteps});
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
  static const struct {
    const char* pszName;
    CRuntimeClass* pClass;
  } kThemes[] = {{"classic", RUNTIME_CLASS(CExtPaintManager)},
                 {"xp", RUNTIME_CLASS(CExtPaintManagerXP)},
                 {"office2003", RUNTIME_CLASS(CExtPaintManagerOffice2003)}};
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
  }
}

class CControlsLabApp : public CWinApp {
public:
  CControlsLabApp() : CWinApp("controlslab") {}
  bool m_bSelfTest = false;

  BOOL InitInstance() override {
    const char* pszLine = m_lpCmdLine != NULL ? m_lpCmdLine : "";
    m_bSelfTest = std::strstr(pszLine, "/selftest") != NULL;
    lab::OpenLogFromCommandLine(pszLine);
    INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_BAR_CLASSES | ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&icc);
    CExtPopupMenuWnd::g_bMenuHideRarelyUsed = false;
    CExtPopupMenuWnd::g_bMenuHighlightRarelyUsed = false;
    g_PaintManagerHolder.InstallThemeByClass(RUNTIME_CLASS(CExtPaintManagerOffice2003));
    auto* pFrame = new CLabFrame;
    if (!pFrame->Create(NULL, "controlslab", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                        CRect(0, 0, kFrameWidth, kFrameHeight))) {
      lab::Check(false, "the frame is created");
      return FALSE;
    }
    m_pMainWnd = pFrame;
    if (!pFrame->CreateFamilies())
      return FALSE;
    pFrame->ShowWindow(SW_SHOW);
    pFrame->ShowFamily(pFrame->m_families.front().pDialog.get());
    pFrame->UpdateWindow();
    pFrame->SetForegroundWindow();
    if (m_bSelfTest) {
      pFrame->BuildScript();
      pFrame->PostMessage(UM_STEP);
    }
    return TRUE;
  }

  int ExitInstance() override {
    const int nFailures = lab::FinishSelfTest(m_bSelfTest);
    CWinApp::ExitInstance();
    return m_bSelfTest ? nFailures : 0;
  }
};

CControlsLabApp theApp;

} // namespace
