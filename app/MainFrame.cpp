#include "app/MainFrame.h"

#include "app/FramletApp.h"
#include "app/OneInputDlg.h"
#include "app/OptionsGen.h"
#include "app/TipOfTheDayDlg.h"
#include "editor/ClipboardAccess.h"
#include "editor/FramletDoc.h"
#include "imaging/Globals.h"
#include "resources/resource.h"

#include <algorithm>
#include <climits>
#include <functional>
#include <utility>

IMPLEMENT_DYNAMIC(CMainFrame, CMDIFrameWnd)

BEGIN_MESSAGE_MAP(CMainFrame, CMDIFrameWnd)
ON_WM_CREATE()
ON_COMMAND_EX(ID_VIEW_MENUBAR, OnToggleBar)
ON_COMMAND_EX(ID_VIEW_TOOLS_PANEL, OnToggleBar)
ON_UPDATE_COMMAND_UI(ID_VIEW_MENUBAR, OnUpdateToggleBar)
ON_UPDATE_COMMAND_UI(ID_VIEW_TOOLS_PANEL, OnUpdateToggleBar)
ON_COMMAND(ID_APP_OPEN, OnOpenApplication)
ON_COMMAND(ID_FILE_MINIMIZE_TO_TRAY, OnMinimizeToTray)
ON_WM_CLOSE()
ON_WM_SIZING()
ON_MESSAGE(WM_HOTKEY, OnHotKey)
ON_WM_ENABLE()
ON_COMMAND_RANGE(ID_TOOL_POINTER, ID_TOOL_HIGHLIGHTER, OnToolCommand)
ON_COMMAND_RANGE(ID_TOOL_RECT_SELECTION, ID_TOOL_ARROW_DOUBLE, OnSubToolCommand)
ON_COMMAND(ID_EDIT_PASTE_AS_NEW, OnPasteAsNewImage)
ON_COMMAND(ID_TOOLS_OPTIONS, OnOptions)
ON_UPDATE_COMMAND_UI_RANGE(IDS_INDICATOR_POSITION, IDS_INDICATOR_ZOOM, OnUpdateViewPane)
END_MESSAGE_MAP()

const char CMainFrame::kOptionsKey[] = "Software\\Vantrel\\Vantrel Pixolet Screen Capture\\Options";

namespace {

const int kMinWidth = 450;
const int kMinHeight = 616;

// The option values in the order they are kept.
struct OptionValue {
  const char* pszName;
  int CFrameOptions::*pField;
};
const OptionValue kOptionValues[] = {{"EnableHotkey", &CFrameOptions::EnableHotkey},
                                     {"HotkeyCtrlShftAlt", &CFrameOptions::HotkeyCtrlShftAlt},
                                     {"HotkeyKey", &CFrameOptions::HotkeyKey},
                                     {"HotkeyCaptureType", &CFrameOptions::HotkeyCaptureType},
                                     {"JpegQuality", &CFrameOptions::JpegQuality},
                                     {"IncludeMouse", &CFrameOptions::IncludeMouse},
                                     {"ShowTip", &CFrameOptions::ShowTip}};

// The Options key, opened for reading, or created for writing.
class COptionsKey {
public:
  explicit COptionsKey(BOOL bWrite) {
    if (!bWrite) {
      m_bOpen =
          ::RegOpenKeyExA(HKEY_CURRENT_USER, CMainFrame::kOptionsKey, 0, KEY_READ, &m_hKey) == ERROR_SUCCESS;
      return;
    }
    m_bOpen =
        ::RegOpenKeyExA(HKEY_CURRENT_USER, CMainFrame::kOptionsKey, 0, KEY_WRITE, &m_hKey) == ERROR_SUCCESS ||
        ::RegCreateKeyExA(HKEY_CURRENT_USER, CMainFrame::kOptionsKey, 0, const_cast<LPSTR>(""),
                          REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, NULL, &m_hKey, NULL) == ERROR_SUCCESS;
  }
  ~COptionsKey() {
    if (m_bOpen)
      ::RegCloseKey(m_hKey);
  }
  COptionsKey(const COptionsKey&) = delete;
  COptionsKey& operator=(const COptionsKey&) = delete;
  BOOL IsOpen() const { return m_bOpen; }
  BOOL Read(const char* pszName, int& nValue) {
    DWORD dwValue = 0, dwSize = sizeof(dwValue), dwType = 0;
    if (!m_bOpen || ::RegQueryValueExA(m_hKey, pszName, NULL, &dwType, reinterpret_cast<BYTE*>(&dwValue),
                                       &dwSize) != ERROR_SUCCESS)
      return FALSE;
    nValue = (int)dwValue;
    return TRUE;
  }
  void Write(const char* pszName, int nValue) {
    DWORD dwValue = (DWORD)nValue;
    if (m_bOpen)
      ::RegSetValueExA(m_hKey, pszName, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dwValue),
                       sizeof(dwValue));
  }

private:
  HKEY m_hKey = NULL;
  BOOL m_bOpen = FALSE;
};

} // namespace

int GetOsVersionCode() {
  OSVERSIONINFOEXA info = {};
  info.dwOSVersionInfoSize = sizeof(info);
  BOOL bExtended = ::GetVersionExA(reinterpret_cast<OSVERSIONINFOA*>(&info));
  if (!bExtended) {
    info.dwOSVersionInfoSize = sizeof(OSVERSIONINFOA);
    if (!::GetVersionExA(reinterpret_cast<OSVERSIONINFOA*>(&info)))
      return 0;
  }
  const DWORD p = info.dwPlatformId, a = info.dwMajorVersion, b = info.dwMinorVersion;
  if (p == VER_PLATFORM_WIN32_WINDOWS && a == 4) {
    if (b == 0)
      return 106;
    if (b == 10)
      return info.szCSDVersion[1] == 'A' ? 108 : 107;
    return b == 90 ? 109 : 0;
  }
  if (p == VER_PLATFORM_WIN32_NT) {
    if (a == 5)
      return b == 1 ? 100 : b == 2 ? 101 : b == 0 ? 102 : 0;
    if (a < 5) {
      if (!bExtended)
        return 103;
      return info.wProductType == VER_NT_WORKSTATION ? 104 : info.wProductType == VER_NT_SERVER ? 105 : 103;
    }
  }
  return a > 5 ? 110 : 0;
}

CMainFrame::CMainFrame() : m_bHotKeyRegistered(FALSE), m_bHotKeyWaiting(FALSE) {}

CMainFrame::~CMainFrame() {}

BOOL CMainFrame::PreCreateWindow(CREATESTRUCT& cs) {
  const int cxScreen = ::GetSystemMetrics(SM_CXSCREEN), cyScreen = ::GetSystemMetrics(SM_CYSCREEN);
  cs.cy = cyScreen * 12 / 15;
  cs.cx = cxScreen * 14 / 15;
  cs.y = cyScreen / 50;
  cs.x = cxScreen / 50;
  LoadWindowPlacement(cs);
  return CMDIFrameWnd::PreCreateWindow(cs);
}

namespace {

BOOL CALLBACK HoldsForWorkArea(HMONITOR hMonitor, HDC, LPRECT, LPARAM lParam) {
  auto* pAsk = reinterpret_cast<std::pair<const std::function<bool(const RECT&)>*, bool>*>(lParam);
  MONITORINFO info = {sizeof(info)};
  if (::GetMonitorInfoA(hMonitor, &info) && (*pAsk->first)(info.rcWork))
    pAsk->second = true;
  return !pAsk->second;
}

// Whether the test holds for the work area of some monitor.
bool AnyWorkArea(const std::function<bool(const RECT&)>& test) {
  std::pair<const std::function<bool(const RECT&)>*, bool> ask(&test, false);
  ::EnumDisplayMonitors(NULL, NULL, HoldsForWorkArea, reinterpret_cast<LPARAM>(&ask));
  return ask.second;
}

// The frame's title bar at the place: inside the sizing border, one caption high.
RECT TitleBarOf(const RECT& rc) {
  const int cxFrame = ::GetSystemMetrics(SM_CXFRAME), cyFrame = ::GetSystemMetrics(SM_CYFRAME);
  return {rc.left + cxFrame, rc.top + cyFrame, rc.right - cxFrame,
          rc.top + cyFrame + ::GetSystemMetrics(SM_CYCAPTION)};
}

// Whether a user can take the title bar at the place with the pointer: its whole height lies in a
// work area, over a width that holds more than the caption buttons.
bool TitleBarGrabbable(const RECT& rc) {
  const int kGrabWidth = 100;
  const RECT bar = TitleBarOf(rc);
  return AnyWorkArea([&](const RECT& work) {
    RECT common;
    return ::IntersectRect(&common, &bar, &work) && common.bottom - common.top == bar.bottom - bar.top &&
           common.right - common.left >= std::min<LONG>(kGrabWidth, bar.right - bar.left);
  });
}

// The work area of the monitor that holds most of the place.
bool WorkAreaOf(const RECT& rc, RECT& work) {
  MONITORINFO info = {sizeof(info)};
  if (!::GetMonitorInfoA(::MonitorFromRect(&rc, MONITOR_DEFAULTTONEAREST), &info))
    return false;
  work = info.rcWork;
  return true;
}

int Clamp(long long v, long long lo, long long hi) { return (int)std::max(lo, std::min(v, hi)); }

// A place larger than its work area, shrunk to it (not below the frame's least size) and moved
// wholly inside, so that the caption buttons and the status bar show; one whose title bar cannot be
// grabbed, moved the least so that its title bar lies inside; any other as it is.
RECT BringWithinReach(const RECT& rc, int cxMin, int cyMin) {
  RECT work;
  if (!WorkAreaOf(rc, work))
    return rc;
  const long long cx = rc.right - rc.left, cy = rc.bottom - rc.top;
  const long long cxWork = work.right - work.left, cyWork = work.bottom - work.top;
  if (cx > cxWork || cy > cyWork) {
    const int cxNew = std::max(Clamp(cx, 0, cxWork), cxMin), cyNew = std::max(Clamp(cy, 0, cyWork), cyMin);
    const int x = Clamp(rc.left, work.left, work.right - cxNew),
              y = Clamp(rc.top, work.top, work.bottom - cyNew);
    return {x, y, x + cxNew, y + cyNew};
  }
  if (TitleBarGrabbable(rc))
    return rc;
  const RECT bar = TitleBarOf(rc);
  const long long dxLeft = bar.left - rc.left, dxRight = rc.right - bar.right, dyTop = bar.top - rc.top,
                  dyBottom = bar.bottom - rc.top;
  const int x = Clamp(rc.left, work.left - dxLeft, work.right + dxRight - cx);
  const int y = Clamp(rc.top, work.top - dyTop, work.bottom - dyBottom);
  return {x, y, (LONG)(x + cx), (LONG)(y + cy)};
}

} // namespace

void CMainFrame::LoadWindowPlacement(CREATESTRUCT& cs) {
  COptionsKey key(FALSE);
  if (!key.IsOpen()) {
    SaveWindowPlacement(cs); // the first run makes the key with the computed place
    return;
  }
  int cx = 0, cy = 0, x = 0, y = 0;
  if (!key.Read("cs_cx", cx) || !key.Read("cs_cy", cy) || !key.Read("cs_x", x) || !key.Read("cs_y", y))
    return;
  auto end = [](int from, int size) { return (LONG)std::min<long long>((long long)from + size, INT_MAX); };
  RECT place = {x, y, end(x, cx), end(y, cy)};
  // A place on no monitor (one since removed, or values edited by hand) would leave the window
  // where nobody can reach it, and closing would store it again: the computed place serves. One
  // whose title bar cannot be grabbed, or that is larger than the screen, is brought the least way
  // to where it can; any other is kept exactly.
  if (!AnyWorkArea([&](const RECT& work) {
        RECT common;
        return ::IntersectRect(&common, &place, &work) != FALSE;
      }))
    return;
  place = BringWithinReach(place, kMinWidth, kMinHeight);
  cs.x = place.left;
  cs.y = place.top;
  cs.cx = place.right - place.left;
  cs.cy = place.bottom - place.top;
}

void CMainFrame::SaveWindowPlacement(const CREATESTRUCT& cs) {
  COptionsKey key(TRUE);
  key.Write("cs_cx", cs.cx);
  key.Write("cs_cy", cs.cy);
  key.Write("cs_x", cs.x);
  key.Write("cs_y", cs.y);
}

BOOL CMainFrame::ProbeOptions() {
  COptionsKey key(FALSE);
  return key.Read("EnableHotkey", m_options.EnableHotkey);
}

void CMainFrame::LoadOptions() {
  COptionsKey key(FALSE);
  for (const OptionValue& value : kOptionValues) {
    if (value.pField != &CFrameOptions::ShowTip)
      key.Read(value.pszName, m_options.*value.pField);
  }
}

void CMainFrame::SaveOptions() {
  COptionsKey key(TRUE);
  for (const OptionValue& value : kOptionValues)
    key.Write(value.pszName, m_options.*value.pField);
}

void CMainFrame::OnOptions() {
  CPropertySheet sheet("Options", NULL, 0);
  sheet.m_psh.dwFlags |= PSH_NOAPPLYNOW;
  COptionsGen page;
  page.m_bEnableHotkey = m_options.EnableHotkey;
  page.m_nHotkeyModifiers = m_options.HotkeyCtrlShftAlt;
  page.m_nHotkeyKey = m_options.HotkeyKey;
  page.m_nCaptureType = m_options.HotkeyCaptureType;
  page.m_nJpegQuality = m_options.JpegQuality;
  page.m_bIncludeMouse = m_options.IncludeMouse;
  sheet.AddPage(&page);
  if (m_bHotKeyRegistered) {
    ::UnregisterHotKey(m_hWnd, ID_HOTKEY_CAPTURE);
    m_bHotKeyRegistered = FALSE;
  }
  if (sheet.DoModal() == IDOK) {
    m_options.EnableHotkey = page.m_bEnableHotkey;
    m_options.HotkeyCtrlShftAlt = page.m_nHotkeyModifiers;
    m_options.HotkeyKey = page.m_nHotkeyKey;
    m_options.HotkeyCaptureType = page.m_nCaptureType;
    m_options.JpegQuality = page.m_nJpegQuality;
    m_options.IncludeMouse = page.m_bIncludeMouse;
    // Only what the page edits: "ShowTip" belongs to the tip of the day, which keeps it up to date.
    COptionsKey key(TRUE);
    for (const OptionValue& value : kOptionValues)
      if (value.pField != &CFrameOptions::ShowTip)
        key.Write(value.pszName, m_options.*value.pField);
  }
  RegisterCaptureHotKey();
}

void CMainFrame::RegisterCaptureHotKey() {
  if (!m_options.EnableHotkey || m_bHotKeyRegistered)
    return;
  m_bHotKeyRegistered = ::RegisterHotKey(m_hWnd, ID_HOTKEY_CAPTURE, (UINT)m_options.HotkeyCtrlShftAlt,
                                         (UINT)m_options.HotkeyKey);
  if (!m_bHotKeyRegistered)
    AfxMessageBox(
        "Windows fails to register the hot-key combination.\nIf you want to use hot-key feature,\ngo to "
        "Tools ->Options to set a new hot-key combination.",
        MB_OK, 0);
}

void CMainFrame::OnClose() {
  if (m_bHotKeyRegistered) {
    ::UnregisterHotKey(m_hWnd, ID_HOTKEY_CAPTURE);
    m_bHotKeyRegistered = FALSE;
  }
  // The restored place, not that of a minimised or maximised window.
  WINDOWPLACEMENT placement = {sizeof(placement)};
  CRect rc;
  if (GetWindowPlacement(&placement))
    rc = placement.rcNormalPosition;
  else
    GetWindowRect(&rc);
  CREATESTRUCT cs = {};
  cs.cx = std::max((int)rc.Width(), kMinWidth);
  cs.cy = std::max((int)rc.Height(), kMinHeight);
  cs.x = rc.left < -10 ? 10 : rc.left;
  cs.y = rc.top < -10 ? 10 : rc.top;
  SaveWindowPlacement(cs);
  HWND hWnd = m_hWnd;
  CMDIFrameWnd::OnClose();
  // A close given up at "Save changes?" keeps the frame: it keeps its hot key too.
  if (::IsWindow(hWnd))
    RegisterCaptureHotKey();
}

void CMainFrame::OnSizing(UINT nSide, LPRECT lpRect) {
  if (lpRect->right - lpRect->left < kMinWidth) {
    if (nSide == WMSZ_LEFT || nSide == WMSZ_TOPLEFT || nSide == WMSZ_BOTTOMLEFT)
      lpRect->left = lpRect->right - kMinWidth;
    else if (nSide == WMSZ_RIGHT || nSide == WMSZ_TOPRIGHT || nSide == WMSZ_BOTTOMRIGHT)
      lpRect->right = lpRect->left + kMinWidth;
  }
  if (lpRect->bottom - lpRect->top < kMinHeight) {
    if (nSide == WMSZ_TOP || nSide == WMSZ_TOPLEFT || nSide == WMSZ_TOPRIGHT)
      lpRect->top = lpRect->bottom - kMinHeight;
    else if (nSide == WMSZ_BOTTOM || nSide == WMSZ_BOTTOMLEFT || nSide == WMSZ_BOTTOMRIGHT)
      lpRect->bottom = lpRect->top + kMinHeight;
  }
  CMDIFrameWnd::OnSizing(nSide, lpRect);
}

LRESULT CMainFrame::OnHotKey(WPARAM, LPARAM) {
  if (IsWindowEnabled()) {
    TheFramletApp().OnHotkeyCapture();
    return 1;
  }
  // A capture under way is what the key asks for.
  if (TheFramletApp().IsCapturing())
    return 1;
  // A modal dialog holds the frame; the capture would take it into the picture and leave it behind
  // the frame. The press waits until the frame is free again. The tip of the day, which tells the
  // user to press the key, gives way to it at once.
  m_bHotKeyWaiting = TRUE;
  if (auto* pTip = dynamic_cast<CTipOfTheDayDlg*>(CWnd::FromHandlePermanent(::GetLastActivePopup(m_hWnd))))
    pTip->EndDialog(IDCANCEL);
  return 1;
}

void CMainFrame::OnEnable(BOOL bEnable) {
  CMDIFrameWnd::OnEnable(bEnable);
  // Posted: the dialog that freed the frame is still on its way out.
  if (bEnable && m_bHotKeyWaiting) {
    m_bHotKeyWaiting = FALSE;
    PostMessage(WM_HOTKEY, ID_HOTKEY_CAPTURE);
  }
}

void CMainFrame::OnUpdateViewPane(CCmdUI* pCmdUI) {
  pCmdUI->Enable(TRUE); // the view writes these panes; without a handler the bar would blank them
}

void CMainFrame::SetStatusText(int nPane, LPCSTR lpszText) {
  if (m_wndStatusBar.m_hWnd == NULL)
    return;
  m_wndStatusBar.SetPaneText(nPane, lpszText, TRUE);
  m_wndStatusBar.SendMessage(WM_IDLEUPDATECMDUI, 0, 0);
  m_wndStatusBar.UpdateWindow();
}

CString CMainFrame::PromptOpenImage() { return ::PromptOpenImage(); }

BOOL CMainFrame::AskImageResolution(int& nDpi) {
  COneInputDlg dlg;
  dlg.m_nValue = nDpi;
  if (dlg.DoModal() == IDCANCEL)
    return FALSE;
  nDpi = dlg.m_nValue;
  return TRUE;
}

void CMainFrame::OnPasteAsNewImage() {
  CFramletApp& app = TheFramletApp();
  if (app.m_pDocTemplate == NULL)
    return;
  CFramletDoc* pDoc = static_cast<CFramletDoc*>(app.m_pDocTemplate->OpenDocumentFile(NULL));
  if (pDoc == NULL)
    return;
  const HBITMAP hCopy = CopyClipboardPicture(m_hWnd);
  if (hCopy == NULL)
    return; // the new blank document stays
  if (!pDoc->TakeNewPicture(hCopy)) {
    ::DeleteObject(hCopy);
    return;
  }
  CString strTitle;
  strTitle.Format("Clipboard Image %d", app.m_nNextClipboardImage++);
  pDoc->SetTitle(strTitle);
  // A picture pasted from the clipboard exists nowhere else: closing it asks to save it.
  pDoc->SetModifiedFlag(TRUE);
}
