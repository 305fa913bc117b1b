// Anchored child controls and track limits of the toolkit's resizable windows.
#include "toolkit/controls/ExtWA.h"

#include "toolkit/foundation/ExtResDlg.h"
#include "toolkit/controls/ExtWS.h"
#include "toolkit/theme/ExtPaintManager.h"

#include <vector>

template <class CExtWABase>
CExtWA<CExtWABase>::CExtWA()
    : m_nLayoutFlags(EXT_WA_MIN_TRACK), m_sizeMinTrack(0, 0), m_sizeMaxTrack(0, 0), m_sizeMax(0, 0),
      m_ptMaxPos(0, 0) {}

template <class CExtWABase>
CExtWA<CExtWABase>::CExtWA(UINT nIDTemplate, CWnd* pParentWnd)
    : CExtWABase(nIDTemplate, pParentWnd), m_nLayoutFlags(EXT_WA_MIN_TRACK), m_sizeMinTrack(0, 0),
      m_sizeMaxTrack(0, 0), m_sizeMax(0, 0), m_ptMaxPos(0, 0) {}

template <class CExtWABase>
BOOL CExtWA<CExtWABase>::AddAnchor(HWND hWnd, int nX1, int nY1, int nX2, int nY2) {
  const HWND hWndThis = this->GetSafeHwnd();
  if ((nX1 == -1 && nY1 == -1) || hWndThis == NULL || !::IsWindow(hWndThis) || hWnd == NULL ||
      !::IsWindow(hWnd) || ::GetAncestor(hWnd, GA_PARENT) != hWndThis)
    return FALSE;
  RECT rcClient, rcControl;
  ::GetClientRect(hWndThis, &rcClient);
  ::GetWindowRect(hWnd, &rcControl);
  ::MapWindowPoints(NULL, hWndThis, reinterpret_cast<POINT*>(&rcControl), 2);
  if (nX2 == -1 && nY2 == -1) {
    nX2 = nX1;
    nY2 = nY1;
  }
  const int cx = rcClient.right, cy = rcClient.bottom;
  RDI_t& rdi = m_mapRDI[hWnd];
  rdi.m_nX1 = nX1;
  rdi.m_nY1 = nY1;
  rdi.m_nOffsetLeft = rcControl.left - cx * nX1 / 100;
  rdi.m_nOffsetTop = rcControl.top - cy * nY1 / 100;
  rdi.m_nX2 = nX2;
  rdi.m_nY2 = nY2;
  rdi.m_nOffsetRight = rcControl.right - cx * nX2 / 100;
  rdi.m_nOffsetBottom = rcControl.bottom - cy * nY2 / 100;
  return TRUE;
}

template <class CExtWABase> void CExtWA<CExtWABase>::ArrangeLayout(int cx, int cy) {
  const HWND hWndThis = this->GetSafeHwnd();
  if (hWndThis == NULL)
    return;
  if (cx < 0 || cy < 0) {
    RECT rcClient;
    ::GetClientRect(hWndThis, &rcClient);
    cx = rcClient.right;
    cy = rcClient.bottom;
  }
  HDWP hDwp = ::BeginDeferWindowPos((int)m_mapRDI.size());
  std::vector<HWND> vecGone;
  for (const auto& entry : m_mapRDI) {
    const HWND hWnd = entry.first;
    const RDI_t& rdi = entry.second;
    if (!::IsWindow(hWnd)) {
      vecGone.push_back(hWnd);
      continue;
    }
    const int nLeft = ::MulDiv(cx, rdi.m_nX1, 100) + rdi.m_nOffsetLeft;
    const int nTop = ::MulDiv(cy, rdi.m_nY1, 100) + rdi.m_nOffsetTop;
    const int nWidth = ::MulDiv(cx, rdi.m_nX2, 100) + rdi.m_nOffsetRight - nLeft;
    const int nHeight = ::MulDiv(cy, rdi.m_nY2, 100) + rdi.m_nOffsetBottom - nTop;
    if (CExtPaintManager::IsTransparentChildClass(hWnd)) {
      // Their parent paints below them, so they are moved and repainted at once.
      ::MoveWindow(hWnd, nLeft, nTop, nWidth, nHeight, TRUE);
      const RECT rcRedraw = {0, 0, nWidth, nHeight};
      ::RedrawWindow(hWnd, &rcRedraw, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_ERASENOW);
      continue;
    }
    const UINT nFlags = SWP_NOZORDER | SWP_NOACTIVATE;
    if (hDwp != NULL)
      hDwp = ::DeferWindowPos(hDwp, hWnd, NULL, nLeft, nTop, nWidth, nHeight, nFlags);
    // A positioning the system could not defer is done directly, so no control is left behind.
    if (hDwp == NULL)
      ::SetWindowPos(hWnd, NULL, nLeft, nTop, nWidth, nHeight, nFlags);
  }
  if (hDwp != NULL)
    ::EndDeferWindowPos(hDwp);
  for (HWND hWnd : vecGone)
    m_mapRDI.erase(hWnd);
}

template <class CExtWABase>
LRESULT CExtWA<CExtWABase>::WindowProc(UINT nMessage, WPARAM wParam, LPARAM lParam) {
  switch (nMessage) {
  case WM_GETMINMAXINFO:
    OnWaGetMinMaxInfo(reinterpret_cast<MINMAXINFO*>(lParam));
    return 0;
  case WM_SIZE: {
    const LRESULT lResult = CExtWABase::WindowProc(nMessage, wParam, lParam);
    OnWaSize(wParam, lParam);
    return lResult;
  }
  case WM_DESTROY:
  case WM_NCDESTROY: {
    const HWND hWnd = this->m_hWnd;
    const LRESULT lResult = CExtWABase::WindowProc(nMessage, wParam, lParam);
    if (hWnd != NULL && CWnd::FromHandlePermanent(hWnd) == this)
      m_mapRDI.clear();
    return lResult;
  }
  default:
    return CExtWABase::WindowProc(nMessage, wParam, lParam);
  }
}

template <class CExtWABase> void CExtWA<CExtWABase>::OnWaGetMinMaxInfo(MINMAXINFO* pInfo) const {
  if ((m_nLayoutFlags & EXT_WA_INITIALIZED) == 0 || pInfo == NULL)
    return;
  if ((m_nLayoutFlags & EXT_WA_MIN_TRACK) != 0)
    pInfo->ptMinTrackSize = POINT{m_sizeMinTrack.cx, m_sizeMinTrack.cy};
  if ((m_nLayoutFlags & EXT_WA_MAX_TRACK) != 0)
    pInfo->ptMaxTrackSize = POINT{m_sizeMaxTrack.cx, m_sizeMaxTrack.cy};
  if ((m_nLayoutFlags & EXT_WA_MAXIMIZED) != 0) {
    pInfo->ptMaxSize = POINT{m_sizeMax.cx, m_sizeMax.cy};
    pInfo->ptMaxPosition = m_ptMaxPos;
  }
}

template <class CExtWABase> void CExtWA<CExtWABase>::OnWaSize(WPARAM wParam, LPARAM lParam) {
  if (wParam == SIZE_MINIMIZED || this->m_hWnd == NULL)
    return;
  if ((m_nLayoutFlags & EXT_WA_INITIALIZED) == 0) {
    // The size the window first had is the smallest it may be made.
    RECT rcWindow;
    ::GetWindowRect(this->m_hWnd, &rcWindow);
    m_sizeMinTrack = CSize(rcWindow.right - rcWindow.left, rcWindow.bottom - rcWindow.top);
    m_nLayoutFlags |= EXT_WA_INITIALIZED;
    ArrangeLayout();
    return;
  }
  if (wParam != SIZE_MAXSHOW && wParam != SIZE_MAXHIDE)
    ArrangeLayout(LOWORD(lParam), HIWORD(lParam));
}

template class CExtWA<CExtWS<CExtADLG<CExtResDlg>, 301>>;
