// The main frame's creation, step by step: the bars of the toolkit, their docking, the MDI tabs,
// the tools panel, the options with the hot key and the tray icon.
#include "app/FramletApp.h"
#include "app/MainFrame.h"
#include "app/StartupTrace.h"
#include "framework/app/fw_app.h"
#include "imaging/Globals.h"
#include "resources/resource.h"
#include "toolkit/bars/ExtBarButton.h"
#include "toolkit/foundation/ExtCmdManager.h"

#include <iterator>

const char kCommandProfile[] = "Pixolet-command-manager-profile";

namespace {

const DWORD kBarStyle = WS_CHILD | WS_VISIBLE | CBRS_GRIPPER | CBRS_ALIGN_TOP | CBRS_BORDER_BOTTOM |
                        CBRS_FLYBY | CBRS_TOOLTIPS | CBRS_HIDE_INPLACE;

const UINT kIndicators[] = {ID_SEPARATOR,       IDS_INDICATOR_POSITION, IDS_INDICATOR_SIZE,
                            IDS_INDICATOR_ZOOM, ID_INDICATOR_CAPS,      ID_INDICATOR_NUM};

// The commands the toolkit's menus always show in full.
const UINT kBasicCommands[] = {ID_FILE_NEW,  ID_FILE_OPEN,    ID_FILE_SAVE,        ID_APP_EXIT,
                               ID_APP_ABOUT, ID_EDIT_COPY,    ID_EDIT_CUT,         ID_EDIT_PASTE,
                               ID_EDIT_UNDO, ID_VIEW_TOOLBAR, ID_WINDOW_TILE_HORZ, 0};

// The MDI tabs' style: tabs at the top that show their close button.
const DWORD kMdiTabStyle = 0x210;

// Floated, the task sheet first shows its main page whole: the page's groups end 420 pixels down,
// below the sheet's own margins.
const CSize kTaskSheetFloatingSize(200, 470);

// A bar's docked sizes: across (top or bottom) and along (left or right) the frame.
void SetDockedSizes(CExtControlBar& bar, CSize sizeHorz, CSize sizeVert) {
  bar.m_sizeDockedH = sizeHorz;
  bar.m_sizeDockedV = sizeVert;
}

} // namespace

int CMainFrame::OnCreate(LPCREATESTRUCT lpCreateStruct) {
  using startup_trace::Mark;
  Mark("frame: before OnCreate");
  g_nOsVersionCode = GetOsVersionCode();
  if (CMDIFrameWnd::OnCreate(lpCreateStruct) == -1)
    return -1;
  m_wndMdiBkg.SubclassWindow(m_hWndMDIClient);
  m_wndMdiBkg.m_strCommandProfile = kCommandProfile;
  Mark("frame: window and MDI client");
  if (!g_CmdManagerHolder->AddWindow(kCommandProfile, m_hWnd) ||
      !g_CmdManagerHolder->ImportMenuResource(kCommandProfile, IDR_MAINFRAME) ||
      !g_CmdManagerHolder->ImportMenuResource(kCommandProfile, IDR_IMAGE_TYPE))
    return -1;
  Mark("frame: menus imported into the profile");
  if (!CreateMenuBar())
    return -1;
  Mark("bar: menu bar");
  if (!CreateToolBars())
    return -1;
  Mark("bar: three tool bars");
  if (!CreateStatusBar())
    return -1;
  Mark("bar: status bar");
  if (!CreateTaskSheetBar())
    return -1;
  Mark("bar: task sheet");
  if (!EnableBarDocking())
    return -1;
  SetUpCaptureDropDown();
  DockBars();
  g_CmdManagerHolder->SetBasicCommands(kCommandProfile, kBasicCommands, true);
  Mark("frame: docking the bars");
  if (!CreateMdiTabs())
    return -1;
  Mark("bar: MDI tabs");
  const CFramletApp& app = TheFramletApp();
  g_CmdManagerHolder->SerializeProfileState(kCommandProfile, app.m_pszRegistryKey, app.m_pszProfileName,
                                            false);
  Mark("frame: profile state loaded");
  if (!CreateToolsPanel())
    return -1;
  ShowToolsPanelStartState();
  Mark("bar: tools panel");
  StartOptionsAndHotKey();
  Mark("frame: options and hot key");
  CreateTrayIcon();
  Mark("frame: tray icon");
  return 0;
}

bool CMainFrame::CreateMenuBar() {
  m_wndMenuBar.SetMdiWindowPopupName("Window");
  return m_wndMenuBar.Create(NULL, this, ID_VIEW_MENUBAR, kBarStyle);
}

// The three tool bars share the id of the View menu's Toolbar, which shows and hides the first. Each
// has a caption of its own, which the bars menu lists: the first is named by that command.
bool CMainFrame::CreateToolBars() {
  static const struct {
    UINT nResource;
    DWORD dwVisible;
    LPCSTR lpszCaption;
  } kBars[kToolBarCount] = {{IDR_TOOLBAR_STANDARD, 0, NULL},
                            {IDR_TOOLBAR_LARGE, WS_VISIBLE, "Large Toolbar"},
                            {IDR_TOOLBAR_CAPTURE, WS_VISIBLE, "Capture Toolbar"}};
  for (int i = 0; i < kToolBarCount; ++i) {
    const DWORD dwStyle = (kBarStyle & ~WS_VISIBLE) | kBars[i].dwVisible | CBRS_SIZE_DYNAMIC;
    if (!m_wndToolBars[i].Create(kBars[i].lpszCaption, this, AFX_IDW_TOOLBAR, dwStyle) ||
        !m_wndToolBars[i].LoadToolBar(kBars[i].nResource, RGB(0xC0, 0xC0, 0xC0)))
      return false;
  }
  return true;
}

bool CMainFrame::CreateStatusBar() {
  if (!m_wndStatusBar.Create(this, WS_CHILD | WS_VISIBLE | CBRS_BOTTOM, AFX_IDW_STATUS_BAR) ||
      !m_wndStatusBar.SetIndicators(kIndicators, (int)std::size(kIndicators)))
    return false;
  m_wndStatusBar.SetPaneInfo(1, IDS_INDICATOR_POSITION, 0, 150);
  m_wndStatusBar.SetPaneInfo(2, IDS_INDICATOR_SIZE, 0, 80);
  m_wndStatusBar.SetPaneInfo(3, IDS_INDICATOR_ZOOM, 0, 80);
  return true;
}

bool CMainFrame::CreateTaskSheetBar() {
  SetDockedSizes(m_wndTaskSheetBar, CSize(200, 150), CSize(200, 200));
  m_wndTaskSheetBar.m_sizeFloated = kTaskSheetFloatingSize;
  if (!m_wndTaskSheetBar.Create(NULL, this, ID_VIEW_TASK_SHEET,
                                kBarStyle | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | CBRS_SIZE_DYNAMIC))
    return false;
  // The pages in the order the task functions count them.
  m_wndTaskSheet.AddPage(&m_pageMain);
  m_wndTaskSheet.AddPage(&m_pageParam);
  m_wndTaskSheet.AddPage(&m_pageResize);
  m_wndTaskSheet.AddPage(&m_pageCaption);
  return m_wndTaskSheet.Create(&m_wndTaskSheetBar) != FALSE;
}

bool CMainFrame::EnableBarDocking() {
  for (CExtControlBar* pBar :
       {static_cast<CExtControlBar*>(&m_wndMenuBar), static_cast<CExtControlBar*>(&m_wndToolBars[kLargeBar]),
        static_cast<CExtControlBar*>(&m_wndToolBars[kCaptureBar]), &m_wndTaskSheetBar})
    pBar->EnableDocking(CBRS_ALIGN_ANY);
  return CExtControlBar::FrameEnableDocking(this, CBRS_ALIGN_ANY, true);
}

// The capture button runs the capture of a rectangle; its arrow opens the other modes.
void CMainFrame::SetUpCaptureDropDown() {
  CExtToolControlBar& bar = m_wndToolBars[kCaptureBar];
  const int nIndex = bar.CommandToIndex(ID_CAPTURE_BUTTON);
  HMENU hMenu = ::LoadMenuA(AfxGetResourceHandle(), MAKEINTRESOURCEA(IDR_CAPTURE_MENU));
  if (nIndex < 0 || hMenu == NULL || !bar.SetButtonMenu(nIndex, hMenu, true, true, true)) {
    if (hMenu != NULL)
      ::DestroyMenu(hMenu);
    return; // the button still captures a rectangle
  }
  CExtBarButton* pButton = bar.GetButton(nIndex);
  pButton->SetNoRotateVerticalLayout(true);
  pButton->SetSeparatedDropDown(true);
}

// The menu bar on its own row, the capture bar with the large bar right of it in the row below,
// the task sheet at the right.
void CMainFrame::DockBars() {
  DockControlBar(&m_wndMenuBar);
  DockControlBar(&m_wndToolBars[kCaptureBar]);
  DockControlBar(&m_wndToolBars[kLargeBar]);
  m_wndTaskSheetBar.DockIntoSideBar(AFX_IDW_DOCKBAR_RIGHT, 1, this, false);
  EnableDocking(CBRS_ALIGN_ANY);
  DockControlBar(&m_wndToolBars[kCaptureBar], AFX_IDW_DOCKBAR_TOP);
  RecalcLayout();
  CRect rcCapture;
  m_wndToolBars[kCaptureBar].GetWindowRect(rcCapture);
  rcCapture.OffsetRect(1, 1);
  DockControlBar(&m_wndToolBars[kLargeBar], AFX_IDW_DOCKBAR_TOP, rcCapture);
}

bool CMainFrame::CreateMdiTabs() {
  return m_wndMdiTabs.Create(this, CRect(0, 0, 0, 0), (UINT)-1, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS,
                             kMdiTabStyle) != FALSE;
}

void CMainFrame::StartOptionsAndHotKey() {
  if (ProbeOptions())
    LoadOptions();
  else
    SaveOptions();
  RegisterCaptureHotKey();
}

void CMainFrame::CreateTrayIcon() {
  HICON hIcon = AfxGetApp()->LoadIcon(IDR_MAINFRAME);
  if (m_tray.Create(NULL, UM_TRAY_NOTIFY, "Vantrel Pixolet Screen Capture", hIcon, IDR_TRAY_MENU, FALSE))
    m_tray.SetMenuDefaultItem(6, TRUE); // "&Open Application"
}
