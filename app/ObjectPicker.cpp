// The object picker: frames the window under the pointer and captures the one clicked.
#include "app/ObjectPicker.h"

#include "app/FramletApp.h"
#include "framework/core/fw_geom.h"
#include "imaging/capture/CaptureDlg.h"
#include "resources/resource.h"

#include <windowsx.h>

BOOL g_bObjectPicking = FALSE;
HWND g_hwndPickedWindow = NULL;

namespace {

// Posted by the mouse hook: the pointer moved to the screen point in lParam.
const UINT UM_PICKER_POINTER = WM_APP + 40;
// Looks at the resting pointer.
const UINT_PTR kPointerTimer = 1;
const UINT kPointerTimerMs = 100;

// Under X the pointer's events go to the window beneath the pointer, whatever window holds the
// capture: over another program's window the picker would see neither the moves nor the clicks,
// and the clicks would reach that program. For the length of the pick a low-level mouse hook
// brings the pointer's moves and releases to the picker and keeps every button from the windows
// beneath; the picker's own injected presses are swallowed with them.
// The hook runs on a thread of its own: the program that sent the input waits for its answer,
// while the picker may be waiting for that very program to repaint a window.
class CPickerMouseHook {
public:
  CPickerMouseHook() = default;
  ~CPickerMouseHook() { Remove(); }
  CPickerMouseHook(const CPickerMouseHook&) = delete;
  CPickerMouseHook& operator=(const CPickerMouseHook&) = delete;

  BOOL Install(HWND hPicker) {
    Remove();
    s_hPicker = hPicker;
    HANDLE hReady = ::CreateEventA(NULL, TRUE, FALSE, NULL);
    if (hReady == NULL)
      return FALSE;
    m_bHooked = FALSE;
    m_hReady = hReady;
    m_hThread = ::CreateThread(NULL, 0, ThreadProc, this, 0, &m_dwThreadId);
    if (m_hThread != NULL)
      ::WaitForSingleObject(hReady, INFINITE);
    ::CloseHandle(hReady);
    m_hReady = NULL;
    if (!m_bHooked)
      Remove();
    return m_bHooked;
  }
  void Remove() {
    if (m_hThread != NULL) {
      ::PostThreadMessageA(m_dwThreadId, WM_QUIT, 0, 0);
      ::WaitForSingleObject(m_hThread, INFINITE);
      ::CloseHandle(m_hThread);
    }
    m_hThread = NULL;
    m_bHooked = FALSE;
    s_hPicker = NULL;
  }
  BOOL IsInstalled() const { return m_bHooked; }

private:
  static DWORD WINAPI ThreadProc(LPVOID pParam) {
    CPickerMouseHook* pThis = static_cast<CPickerMouseHook*>(pParam);
    MSG msg;
    ::PeekMessageA(&msg, NULL, 0, 0, PM_NOREMOVE); // the queue, for the quit message
    HHOOK hHook = ::SetWindowsHookExA(WH_MOUSE_LL, Proc, ::GetModuleHandleA(NULL), 0);
    pThis->m_bHooked = hHook != NULL;
    ::SetEvent(pThis->m_hReady);
    if (hHook == NULL)
      return 0;
    while (::GetMessageA(&msg, NULL, 0, 0) > 0)
      ::DispatchMessageA(&msg);
    ::UnhookWindowsHookEx(hHook);
    return 0;
  }

  static LRESULT CALLBACK Proc(int nCode, WPARAM wParam, LPARAM lParam) {
    HWND hPicker = s_hPicker;
    if (nCode != HC_ACTION || hPicker == NULL)
      return ::CallNextHookEx(NULL, nCode, wParam, lParam);
    const POINT pt = reinterpret_cast<const MSLLHOOKSTRUCT*>(lParam)->pt;
    switch (wParam) {
    case WM_MOUSEMOVE:
      ::PostMessageA(hPicker, UM_PICKER_POINTER, 0, MAKELPARAM((SHORT)pt.x, (SHORT)pt.y));
      return ::CallNextHookEx(NULL, nCode, wParam, lParam); // the pointer itself moves on
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
      ::PostMessageA(hPicker, (UINT)wParam, 0, 0);
      return 1;
    case WM_MOUSEWHEEL:
      return ::CallNextHookEx(NULL, nCode, wParam, lParam);
    default:
      return 1; // presses, and the other buttons, belong to the pick
    }
  }

  static volatile HWND s_hPicker;
  HANDLE m_hThread = NULL;
  DWORD m_dwThreadId = 0;
  HANDLE m_hReady = NULL;
  volatile BOOL m_bHooked = FALSE;
};

volatile HWND CPickerMouseHook::s_hPicker = NULL;

CPickerMouseHook g_pickerHook;

void RemoveFrame(HWND hWnd) {
  if (hWnd == NULL || !::IsWindow(hWnd))
    return;
  ::InvalidateRect(hWnd, NULL, TRUE);
  ::UpdateWindow(hWnd);
  ::RedrawWindow(hWnd, NULL, NULL, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
}

// Ends the picker. Without the hook the picker held the left button down for its tracking, and a
// cancel gives it back; with the hook no press ever reached the system.
void EndPicker(HWND hDlg, INT_PTR nResult, BOOL bCancel) {
  ::KillTimer(hDlg, kPointerTimer);
  const BOOL bHooked = g_pickerHook.IsInstalled();
  g_pickerHook.Remove();
  g_bObjectPicking = FALSE;
  RemoveFrame(g_hwndPickedWindow);
  ::ReleaseCapture();
  if (bCancel && !bHooked)
    ::mouse_event(MOUSEEVENTF_LEFTUP, 5, 5, 0, 0);
  ::EndDialog(hDlg, nResult);
  g_hwndPickedWindow = NULL;
}

void ShowMainWindow() { TheFramletApp().ShowMainWindowAfterCapture(); }

void PaintPickerFrame(HWND hDlg) {
  CRect rc;
  ::GetWindowRect(hDlg, &rc);
  HDC hDC = ::GetWindowDC(hDlg);
  if (hDC == NULL)
    return;
  HPEN hPen = ::CreatePen(PS_SOLID, 10, RGB(0, 0, 0));
  HGDIOBJ hOldPen = ::SelectObject(hDC, hPen);
  HGDIOBJ hOldBrush = ::SelectObject(hDC, ::GetStockObject(HOLLOW_BRUSH));
  ::Rectangle(hDC, 0, 0, rc.Width(), rc.Height());
  ::SelectObject(hDC, hOldBrush);
  ::SelectObject(hDC, hOldPen);
  ::DeleteObject(hPen);
  ::ReleaseDC(hDlg, hDC);
}

// Frames the window under the screen point in place of the one framed before; over the bare
// desktop nothing is framed, so that a click there picks nothing.
void FramePointedWindow(HWND hDlg, POINT pt) {
  HWND hUnder = ::WindowFromPoint(pt);
  if (hUnder == ::GetDesktopWindow()) {
    RemoveFrame(g_hwndPickedWindow);
    g_hwndPickedWindow = NULL;
  } else if (ValidatePickedWindow(hUnder, hDlg)) {
    RemoveFrame(g_hwndPickedWindow);
    g_hwndPickedWindow = hUnder;
    DrawDesktopFrame(hUnder);
  } else if (hUnder != NULL && hUnder == g_hwndPickedWindow) {
    // Another program paints its windows when it likes, over the frame too.
    DrawDesktopFrame(hUnder);
  }
}

// The pointer is at pt: the window under it is framed in place of the one framed before.
void OnPointerMoved(HWND hDlg, POINT pt) {
  ::mouse_event(MOUSEEVENTF_LEFTDOWN, 5, 5, 0, 0);
  ::SetCapture(hDlg);
  ::SetCursor(::LoadCursorA(AfxGetResourceHandle(), MAKEINTRESOURCEA(IDC_CURSOR_PICKER_HAND)));
  FramePointedWindow(hDlg, pt);
}

// The pointer as it rests: the window system reports no move of a pointer that does not move, nor
// one over windows the picker does not hear of, and the framed window paints over the frame when it
// likes, so the picker looks again now and then.
void OnPointerResting(HWND hDlg) {
  POINT pt;
  if (::GetCursorPos(&pt))
    FramePointedWindow(hDlg, pt);
}

// The left button picks the framed window: the overlay captures its part on the desktop.
void OnPick(HWND hDlg) {
  // The window under the pointer where the button went up, which the frame may not have reached.
  const DWORD dwPos = ::GetMessagePos();
  FramePointedWindow(hDlg, POINT{GET_X_LPARAM(dwPos), GET_Y_LPARAM(dwPos)});
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
}

// The red highlight: a solid pen 5 pixels wide round rc, nothing filled.
void DrawFrameRect(HDC hDC, const CRect& rc) {
  HPEN hPen = ::CreatePen(PS_SOLID, 5, RGB(255, 0, 0));
  HGDIOBJ hOldPen = ::SelectObject(hDC, hPen);
  HGDIOBJ hOldBrush = ::SelectObject(hDC, ::GetStockObject(HOLLOW_BRUSH));
  ::Rectangle(hDC, rc.left, rc.top, rc.right, rc.bottom);
  ::SelectObject(hDC, hOldBrush);
  ::SelectObject(hDC, hOldPen);
  ::DeleteObject(hPen);
}

// What shows of a window on the screen, in screen coordinates: its rectangle inside the client
// areas of its ancestors, less the top-level windows in front of its own; NULL when no region can
// be made.
HRGN ShownRegion(HWND hWnd) {
  CRect rc;
  ::GetWindowRect(hWnd, &rc);
  const HWND hDesktop = ::GetDesktopWindow();
  for (HWND hParent = ::GetAncestor(hWnd, GA_PARENT); hParent != NULL && hParent != hDesktop;
       hParent = ::GetAncestor(hParent, GA_PARENT)) {
    CRect rcClient;
    ::GetClientRect(hParent, &rcClient);
    ::MapWindowPoints(hParent, NULL, reinterpret_cast<POINT*>(&rcClient), 2);
    rc.IntersectRect(&rc, &rcClient);
  }
  HRGN hShown = ::CreateRectRgnIndirect(&rc);
  for (HWND hAbove = ::GetWindow(::GetAncestor(hWnd, GA_ROOT), GW_HWNDPREV); hShown != NULL && hAbove != NULL;
       hAbove = ::GetWindow(hAbove, GW_HWNDPREV)) {
    CRect rcAbove;
    if (!::IsWindowVisible(hAbove) || !::GetWindowRect(hAbove, &rcAbove))
      continue;
    HRGN hAboveRgn = ::CreateRectRgnIndirect(&rcAbove);
    if (hAboveRgn != NULL) {
      ::CombineRgn(hShown, hShown, hAboveRgn, RGN_DIFF);
      ::DeleteObject(hAboveRgn);
    }
  }
  return hShown;
}

} // namespace

void DrawDesktopFrame(HWND hWnd) {
  CRect rc, rcDesktop;
  ::GetWindowRect(hWnd, &rc);
  ::GetWindowRect(::GetDesktopWindow(), &rcDesktop);
  HDC hDC = ::GetWindowDC(hWnd);
  if (hDC == NULL)
    return;
  // The frame runs round the part of the window on the desktop, so that all four sides show
  // whichever edges of the screen the window reaches past.
  CRect rcFrame;
  rcFrame.IntersectRect(&rc, &rcDesktop);
  rcFrame.OffsetRect(-rc.left, -rc.top);
  DrawFrameRect(hDC, rcFrame);
  ::ReleaseDC(hWnd, hDC);
  // Wine draws nothing through the DC of a child window of another program: the frame goes onto
  // the screen over it, clipped to what shows of the window, so that nothing lands on the windows
  // covering it (the picker among them), and it leaves with the window's next painting as the
  // frame drawn through its own DC does.
  DWORD dwPid = 0;
  ::GetWindowThreadProcessId(hWnd, &dwPid);
  if (dwPid == ::GetCurrentProcessId() || ::GetAncestor(hWnd, GA_ROOT) == hWnd)
    return;
  HRGN hShown = ShownRegion(hWnd);
  HDC hScreen = hShown != NULL ? ::GetDC(NULL) : NULL;
  if (hScreen != NULL) {
    ::SelectClipRgn(hScreen, hShown);
    DrawFrameRect(hScreen, rcFrame + rc.TopLeft());
    ::ReleaseDC(NULL, hScreen);
  }
  if (hShown != NULL)
    ::DeleteObject(hShown);
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

INT_PTR CALLBACK ObjectPickerProc(HWND hDlg, UINT message, WPARAM wParam, LPARAM lParam) {
  if (!g_bObjectPicking)
    return FALSE;
  switch (message) {
  case WM_INITDIALOG:
    // Shown without the activation, which TakeKeyboard gives it, so that Enter and Esc reach it.
    ::SetWindowPos(hDlg, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW | SWP_NOACTIVATE);
    TakeKeyboard(hDlg);
    g_pickerHook.Install(hDlg); // without it the pick works over the program's own windows only
    // The window under the pointer is framed from the start, wherever the pointer rests.
    OnPointerResting(hDlg);
    ::SetTimer(hDlg, kPointerTimer, kPointerTimerMs, NULL);
    return TRUE;
  case WM_TIMER:
    if (wParam != kPointerTimer)
      return FALSE;
    OnPointerResting(hDlg);
    return TRUE;
  case WM_PAINT:
    PaintPickerFrame(hDlg);
    ::SetCapture(hDlg);
    return FALSE;
  case WM_MOUSEMOVE: {
    POINT pt;
    ::GetCursorPos(&pt);
    OnPointerMoved(hDlg, pt);
    return TRUE;
  }
  case UM_PICKER_POINTER:
    OnPointerMoved(hDlg, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
    return TRUE;
  case WM_LBUTTONUP:
    OnPick(hDlg);
    return TRUE;
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
  case WM_DESTROY:
    g_pickerHook.Remove(); // however the dialog ends
    return FALSE;
  default:
    ::SetCapture(hDlg);
    return FALSE;
  }
}
