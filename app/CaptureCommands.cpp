// The capture commands: the main window steps aside, the frozen-screen overlay marks an area, and
// the picture becomes a new document. The "Object" mode first lets the user pick a window on the
// live desktop.
#include "app/FramletApp.h"
#include "app/MainFrame.h"
#include "editor/FramletDoc.h"
#include "imaging/Globals.h"
#include "imaging/capture/CaptureDlg.h"
#include "resources/resource.h"

#include <algorithm>

BOOL g_bObjectPicking = FALSE;
HWND g_hwndPickedWindow = NULL;

INT_PTR CALLBACK ObjectPickerProc(HWND hDlg, UINT message, WPARAM wParam, LPARAM lParam);

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

} // namespace

HBITMAP CFramletApp::RunCaptureOverlay(int nMode, const RECT* pObject, BOOL bTopmost) {
  CCaptureDlg dlg;
  dlg.m_nCaptureType = nMode;
  dlg.m_bIncludeMouse = m_bIncludeMouse;
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
    if (m_pMainWnd != NULL)
      m_pMainWnd->ShowWindow(SW_HIDE);
    ::Sleep(200);
    ::SetCursorPos(5, 5);
    ::DialogBoxParamA(AfxGetResourceHandle(), MAKEINTRESOURCEA(IDD_OBJECT_PICKER), NULL, ObjectPickerProc, 0);
    g_bObjectPicking = FALSE;
    if (m_pMainWnd != NULL)
      m_pMainWnd->ShowWindow(
          SW_SHOWNORMAL); // the picker shows it too; a failed picker must not leave it hidden
    return;
  }
  if (m_pMainWnd != NULL)
    m_pMainWnd->ShowWindow(SW_HIDE);
  ::Sleep(500);
  HBITMAP hCaptured = RunCaptureOverlay((int)nID, NULL, FALSE);
  if (hCaptured != NULL)
    OpenCaptureAsDocument(hCaptured);
  if (m_pMainWnd != NULL)
    m_pMainWnd->ShowWindow(SW_SHOWNORMAL);
}

void CFramletApp::OnHotkeyCapture() {
  CCaptureRun run(m_bCapturing);
  if (!run.Started())
    return;
  if (m_pMainWnd != NULL)
    m_pMainWnd->ShowWindow(SW_HIDE);
  ::Sleep(500);
  HBITMAP hCaptured = RunCaptureOverlay(ID_CAPTURE_RECTANGLE, NULL, TRUE);
  if (hCaptured != NULL)
    OpenCaptureAsDocument(hCaptured);
  if (m_pMainWnd != NULL)
    m_pMainWnd->ShowWindow(SW_SHOWNORMAL);
}

void CFramletApp::OnObjectCaptured(RECT rcObject) {
  HBITMAP hCaptured = RunCaptureOverlay(ID_CAPTURE_OBJECT, &rcObject, FALSE);
  if (hCaptured != NULL)
    OpenCaptureAsDocument(hCaptured);
  if (m_pMainWnd != NULL) {
    m_pMainWnd->ShowWindow(SW_SHOWNORMAL);
    m_pMainWnd->SetWindowPos(&CWnd::wndNoTopMost, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }
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

// ---------------------------------------------------------------------------------------------
// The object picker

namespace {

void RemoveFrame(HWND hWnd) {
  if (hWnd == NULL || !::IsWindow(hWnd))
    return;
  ::InvalidateRect(hWnd, NULL, TRUE);
  ::UpdateWindow(hWnd);
  ::RedrawWindow(hWnd, NULL, NULL, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
}

// Ends the picker; a cancel gives the left button back, which the picker held down for its
// tracking.
void EndPicker(HWND hDlg, INT_PTR nResult, BOOL bCancel) {
  g_bObjectPicking = FALSE;
  RemoveFrame(g_hwndPickedWindow);
  ::ReleaseCapture();
  if (bCancel)
    ::mouse_event(MOUSEEVENTF_LEFTUP, 5, 5, 0, 0);
  ::EndDialog(hDlg, nResult);
  g_hwndPickedWindow = NULL;
}

void ShowMainWindow() {
  if (CWnd* pMain = AfxGetMainWnd())
    pMain->ShowWindow(SW_SHOWNORMAL);
}

} // namespace

void DrawDesktopFrame(HWND hWnd) {
  CRect rc, rcDesktop;
  ::GetWindowRect(hWnd, &rc);
  ::GetWindowRect(::GetDesktopWindow(), &rcDesktop);
  HDC hDC = ::GetWindowDC(hWnd);
  if (hDC == NULL)
    return;
  const int ox = rc.left < 0 ? -rc.left : 0, oy = rc.top < 0 ? -rc.top : 0;
  HPEN hPen = ::CreatePen(PS_SOLID, 5, RGB(255, 0, 0));
  HGDIOBJ hOldPen = ::SelectObject(hDC, hPen);
  HGDIOBJ hOldBrush = ::SelectObject(hDC, ::GetStockObject(HOLLOW_BRUSH));
  ::Rectangle(hDC, ox, oy, std::min<int>(rcDesktop.right, rc.Width()),
              std::min<int>(rcDesktop.bottom, rc.Height()));
  ::SelectObject(hDC, hOldBrush);
  ::SelectObject(hDC, hOldPen);
  ::DeleteObject(hPen);
  ::ReleaseDC(hWnd, hDC);
}

BOOL ValidatePickedWindow(HWND hCandidate, HWND hPicker) {
  if (hCandidate == NULL || !::IsWindow(hCandidate) || hCandidate == g_hwndPickedWindow)
    return FALSE;
  if (hCandidate != hPicker)
    return TRUE;
  // The pointer is on the picker: it moves to the other corner, out of the way.
  CRect r, d;
  ::GetWindowRect(hPicker, &r);
  ::GetWindowRect(::GetDesktopWindow(), &d);
  int x = 0, y = 0;
  if (r.top == 0) {
    x = d.Width() - r.Width() - 10;
    y = d.Height() - r.bottom - 10;
  }
  ::SetWindowPos(hPicker, HWND_TOPMOST, x, y, r.Width(), r.Height(), SWP_SHOWWINDOW);
  return FALSE;
}

INT_PTR CALLBACK ObjectPickerProc(HWND hDlg, UINT message, WPARAM wParam, LPARAM) {
  if (!g_bObjectPicking)
    return FALSE;
  switch (message) {
  case WM_INITDIALOG:
    ::SetWindowPos(hDlg, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
    return TRUE;
  case WM_PAINT: {
    CRect rc;
    ::GetWindowRect(hDlg, &rc);
    HDC hDC = ::GetWindowDC(hDlg);
    if (hDC != NULL) {
      HPEN hPen = ::CreatePen(PS_SOLID, 10, RGB(0, 0, 0));
      HGDIOBJ hOldPen = ::SelectObject(hDC, hPen);
      HGDIOBJ hOldBrush = ::SelectObject(hDC, ::GetStockObject(HOLLOW_BRUSH));
      ::Rectangle(hDC, 0, 0, rc.Width(), rc.Height());
      ::SelectObject(hDC, hOldBrush);
      ::SelectObject(hDC, hOldPen);
      ::DeleteObject(hPen);
      ::ReleaseDC(hDlg, hDC);
    }
    ::SetCapture(hDlg);
    return FALSE;
  }
  case WM_MOUSEMOVE: {
    ::mouse_event(MOUSEEVENTF_LEFTDOWN, 5, 5, 0, 0);
    ::SetCapture(hDlg);
    ::SetCursor(::LoadCursorA(AfxGetResourceHandle(), MAKEINTRESOURCEA(IDC_CURSOR_PICKER_HAND)));
    POINT pt;
    ::GetCursorPos(&pt);
    HWND hUnder = ::WindowFromPoint(pt);
    if (ValidatePickedWindow(hUnder, hDlg)) {
      RemoveFrame(g_hwndPickedWindow);
      g_hwndPickedWindow = hUnder;
      DrawDesktopFrame(hUnder);
    }
    return TRUE;
  }
  case WM_LBUTTONUP: {
    HWND hPicked = g_hwndPickedWindow;
    CRect rc;
    BOOL bPicked = hPicked != NULL && ::GetWindowRect(hPicked, &rc);
    EndPicker(hDlg, 1, FALSE);
    ::Sleep(200);
    CRect rcDesktop;
    ::GetWindowRect(::GetDesktopWindow(), &rcDesktop);
    // A release before any window was framed picks nothing.
    if (bPicked && rc.IntersectRect(&rc, &rcDesktop))
      TheFramletApp().OnObjectCaptured(rc);
    ShowMainWindow();
    return TRUE;
  }
  case WM_RBUTTONUP:
    EndPicker(hDlg, 1, TRUE);
    ShowMainWindow();
    return TRUE;
  case WM_COMMAND:
    if (LOWORD(wParam) != IDOK && LOWORD(wParam) != IDCANCEL)
      return FALSE;
    EndPicker(hDlg, LOWORD(wParam), TRUE);
    ShowMainWindow();
    return TRUE;
  default:
    ::SetCapture(hDlg);
    return FALSE;
  }
}
