// The capture commands: the main window steps aside, the frozen-screen overlay marks an area, and
// the picture becomes a new document. The "Object" mode first lets the user pick a window on the
// live desktop.
#include "app/FramletApp.h"
#include "app/MainFrame.h"
#include "app/ObjectPicker.h"
#include "app/SystemTray.h"
#include "editor/FramletDoc.h"
#include "framework/frame/fw_frame.h"
#include "imaging/Globals.h"
#include "imaging/capture/CaptureDlg.h"
#include "resources/resource.h"

namespace {

// Marks the program as capturing for the length of one request, so that a hot key or a menu
// command that arrives meanwhile does not start a second overlay inside the first.
class CCaptureRun {
public:
  explicit CCaptureRun(BOOL& bCapturing) : m_bCapturing(bCapturing), m_bOwner(!bCapturing) {
    m_bCapturing = TRUE;
  }
  ~CCaptureRun() {
    if (m_bOwner)
      m_bCapturing = FALSE;
  }
  CCaptureRun(const CCaptureRun&) = delete;
  CCaptureRun& operator=(const CCaptureRun&) = delete;
  BOOL Started() const { return m_bOwner; }

private:
  BOOL& m_bCapturing;
  BOOL m_bOwner;
};

// A window the system would make active in place of a hidden one: a visible, enabled, restored
// top-level window of another program that is no tool window and none of the shell's own (the
// desktop, and the notification area Wine shows as a window of its own).
bool CanBecomeActive(HWND hWnd) {
  DWORD dwPid = 0, dwShellPid = 0;
  ::GetWindowThreadProcessId(hWnd, &dwPid);
  ::GetWindowThreadProcessId(::GetDesktopWindow(), &dwShellPid);
  const LONG lExStyle = ::GetWindowLongA(hWnd, GWL_EXSTYLE);
  CRect rc;
  return dwPid != ::GetCurrentProcessId() && dwPid != dwShellPid && ::IsWindowVisible(hWnd) &&
         ::IsWindowEnabled(hWnd) && !::IsIconic(hWnd) &&
         !(lExStyle & (WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE)) && ::GetWindowRect(hWnd, &rc) &&
         !rc.IsRectEmpty();
}

BOOL CALLBACK FindFirstActivatable(HWND hWnd, LPARAM lParam) {
  if (!CanBecomeActive(hWnd))
    return TRUE;
  *reinterpret_cast<HWND*>(lParam) = hWnd;
  return FALSE;
}

// The window the user works in when an active-window capture starts: the active window, when it
// is another program's; when it is the program's own (its menu, tool bar, keys or tray menu started
// the command), the window the user was in before, the first from the top of the windows on the
// screen that could become active as the frame steps aside. NULL when there is none.
HWND WindowUserWorksIn() {
  const HWND hForeground = ::GetForegroundWindow();
  if (hForeground != NULL && CanBecomeActive(hForeground))
    return hForeground;
  HWND hFound = NULL;
  ::EnumWindows(FindFirstActivatable, reinterpret_cast<LPARAM>(&hFound));
  return hFound;
}

// The main window steps aside for a capture, and its floating bars with it. Hiding a shown frame
// hides them too, but a frame in the tray is hidden already, and hiding it again would leave them
// in the picture: they are told to hide themselves, and those that did come back after it.
void HideMainWindowForCapture(CWnd* pMain) {
  if (pMain == NULL)
    return;
  pMain->ShowWindow(SW_HIDE);
  if (CFrameWnd* pFrame = dynamic_cast<CFrameWnd*>(pMain))
    pFrame->NotifyFloatingWindows(FS_HIDE);
}

} // namespace

HBITMAP CFramletApp::RunCaptureOverlay(int nMode, const RECT* pObject, BOOL bTopmost, HWND hWindow) {
  CCaptureDlg dlg;
  dlg.m_nCaptureType = nMode;
  dlg.m_bIncludeMouse = m_bIncludeMouse;
  dlg.m_hTargetWindow = hWindow;
  if (pObject != NULL)
    dlg.m_rcPreset = *pObject;
  CWnd* pMain = m_pMainWnd;
  if (bTopmost && pMain != NULL)
    pMain->SetWindowPos(&CWnd::wndTopMost, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  dlg.DoModal();
  if (bTopmost && pMain != NULL)
    pMain->SetWindowPos(&CWnd::wndNoTopMost, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  HBITMAP hCaptured = dlg.m_hCaptured;
  dlg.m_hCaptured = NULL;
  return hCaptured;
}

void CFramletApp::OnCapture(UINT nID) {
  CCaptureRun run(m_bCapturing);
  if (!run.Started())
    return;
  if (nID == ID_CAPTURE_OBJECT) {
    if (g_nOsVersionCode >= 107 && g_nOsVersionCode <= 109) {
      AfxMessageBox("This feature is not supported in Window 98/SE/ME.", MB_OK, 0);
      return;
    }
    g_bObjectPicking = TRUE;
    HideMainWindowForCapture(m_pMainWnd);
    ::Sleep(200);
    // The pointer stays where the user has it: the picker frames the window under it from the start.
    ::DialogBoxParamA(AfxGetResourceHandle(), MAKEINTRESOURCEA(IDD_OBJECT_PICKER), NULL, ObjectPickerProc, 0);
    g_bObjectPicking = FALSE;
    ShowMainWindowAfterCapture(); // the picker shows it too; a failed picker must not leave it hidden
    return;
  }
  const HWND hWindow = nID == ID_CAPTURE_ACTIVE_WINDOW ? WindowUserWorksIn() : NULL;
  HideMainWindowForCapture(m_pMainWnd);
  // The system activates some window in the frame's place, not always the one the user was in.
  if (hWindow != NULL)
    ::SetForegroundWindow(hWindow);
  ::Sleep(500);
  HBITMAP hCaptured = RunCaptureOverlay((int)nID, NULL, FALSE, hWindow);
  if (hCaptured != NULL)
    OpenCaptureAsDocument(hCaptured);
  ShowMainWindowAfterCapture();
}

void CFramletApp::OnHotkeyCapture() {
  CCaptureRun run(m_bCapturing);
  if (!run.Started())
    return;
  HideMainWindowForCapture(m_pMainWnd);
  ::Sleep(500);
  HBITMAP hCaptured = RunCaptureOverlay(ID_CAPTURE_RECTANGLE, NULL, TRUE);
  if (hCaptured != NULL)
    OpenCaptureAsDocument(hCaptured);
  ShowMainWindowAfterCapture();
}

void CFramletApp::OnObjectCaptured(RECT rcObject) {
  HBITMAP hCaptured = RunCaptureOverlay(ID_CAPTURE_OBJECT, &rcObject, FALSE);
  if (hCaptured != NULL)
    OpenCaptureAsDocument(hCaptured);
  ShowMainWindowAfterCapture();
  if (m_pMainWnd != NULL)
    m_pMainWnd->SetWindowPos(&CWnd::wndNoTopMost, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void CFramletApp::ShowMainWindowAfterCapture() {
  CWnd* pMain = m_pMainWnd;
  if (pMain == NULL || pMain->GetSafeHwnd() == NULL)
    return;
  // A frame in the tray sits hidden inside the tray's owner, where showing it leaves it out of sight.
  if (::GetAncestor(pMain->m_hWnd, GA_PARENT) != ::GetDesktopWindow())
    RestoreFromTray(pMain, FALSE);
  else
    pMain->ShowWindow(SW_SHOWNORMAL);
  // Hiding the frame gave the activation to another window (another program's, or the window Wine
  // shows the notification area in), and showing it does not take it back from another program:
  // the frame takes the keyboard again, which it gives to its active view.
  TakeKeyboard(pMain->m_hWnd);
  // The floating bars hidden for the capture come back last. A frame brought back from the tray
  // gets no WM_SHOWWINDOW that would bring them, and bars shown before the frame takes the keyboard
  // stay under it on the screen: taking the keyboard raises the frame over them.
  if (CFrameWnd* pFrame = dynamic_cast<CFrameWnd*>(pMain))
    pFrame->NotifyFloatingWindows(FS_SHOW);
}

BOOL CFramletApp::OpenCaptureAsDocument(HBITMAP hBitmap) {
  if (CMainFrame* pFrame = dynamic_cast<CMainFrame*>(m_pMainWnd))
    pFrame->ShowTaskMainPage();
  CFramletDoc* pDoc =
      m_pDocTemplate != NULL ? static_cast<CFramletDoc*>(m_pDocTemplate->OpenDocumentFile(NULL)) : NULL;
  if (pDoc == NULL || !pDoc->TakeNewPicture(hBitmap)) {
    ::DeleteObject(hBitmap);
    if (pDoc != NULL)
      pDoc->OnCloseDocument();
    return FALSE;
  }
  return TRUE;
}
