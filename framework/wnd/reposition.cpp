// Layout of a window's bars: each bar takes its share of the client area in z-order, the
// left-over window takes the rest.
#include "framework/wnd/fw_wnd.h"

#include "framework/gdi/fw_gdi.h"

void AfxRepositionWindow(AFX_SIZEPARENTPARAMS* lpLayout, HWND hWnd, LPCRECT lpRect) {
  HWND hWndParent = ::GetParent(hWnd);
  RECT rcOld;
  ::GetWindowRect(hWnd, &rcOld);
  ::MapWindowPoints(NULL, hWndParent, reinterpret_cast<LPPOINT>(&rcOld), 2);
  if (::EqualRect(&rcOld, lpRect))
    return;
  if (lpLayout->hDWP != NULL)
    lpLayout->hDWP =
        ::DeferWindowPos(lpLayout->hDWP, hWnd, NULL, lpRect->left, lpRect->top, lpRect->right - lpRect->left,
                         lpRect->bottom - lpRect->top, SWP_NOACTIVATE | SWP_NOZORDER);
}

namespace {

// A window that does not clip its children paints its whole update region over them. Windows the
// layout has just moved into that region kept the bits they were copied with, and would never be
// told to paint again: they are invalidated with it, so that they paint after their parent.
void RepaintChildrenUnderUpdate(HWND hWnd) {
  if ((::GetWindowLongA(hWnd, GWL_STYLE) & WS_CLIPCHILDREN) != 0)
    return;
  CRgn rgn;
  if (rgn.CreateRectRgn(0, 0, 0, 0) && ::GetUpdateRgn(hWnd, rgn, FALSE) > NULLREGION)
    ::RedrawWindow(hWnd, NULL, rgn, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

} // namespace

void CWnd::RepositionBars(UINT nIDFirst, UINT nIDLast, UINT nIDLeftOver, UINT nFlag, LPRECT lpRectParam,
                          LPCRECT lpRectClient, BOOL bStretch) {
  AFX_SIZEPARENTPARAMS layout = {};
  HWND hWndLeftOver = NULL;
  layout.bStretch = bStretch;
  if (lpRectClient != NULL)
    layout.rect = *lpRectClient;
  else
    ::GetClientRect(m_hWnd, &layout.rect);
  const BOOL bQuery = (nFlag & ~reposNoPosLeftOver) == reposQuery;
  if (!bQuery)
    layout.hDWP = ::BeginDeferWindowPos(8);

  for (HWND hWndChild = ::GetTopWindow(m_hWnd); hWndChild != NULL;
       hWndChild = ::GetWindow(hWndChild, GW_HWNDNEXT)) {
    // Control ids are 16-bit: a window made with id -1 (the MDI tabs) takes part as 0xFFFF.
    UINT nIDC = static_cast<WORD>(::GetDlgCtrlID(hWndChild));
    CWnd* pWnd = FromHandlePermanent(hWndChild);
    if (nIDC == nIDLeftOver)
      hWndLeftOver = hWndChild;
    else if (nIDC >= nIDFirst && nIDC <= nIDLast && pWnd != NULL)
      ::SendMessageA(hWndChild, WM_SIZEPARENT, 0, reinterpret_cast<LPARAM>(&layout));
  }

  if (bQuery) {
    if (lpRectParam != NULL) {
      if (bStretch)
        ::CopyRect(lpRectParam, &layout.rect);
      else
        ::SetRect(lpRectParam, 0, 0, layout.sizeTotal.cx, layout.sizeTotal.cy);
    }
    return;
  }

  if (nIDLeftOver != 0 && hWndLeftOver != NULL && !(nFlag & reposNoPosLeftOver)) {
    CWnd* pLeftOver = FromHandle(hWndLeftOver);
    if ((nFlag & ~reposNoPosLeftOver) == reposExtra && lpRectParam != NULL) {
      layout.rect.left += lpRectParam->left;
      layout.rect.top += lpRectParam->top;
      layout.rect.right -= lpRectParam->right;
      layout.rect.bottom -= lpRectParam->bottom;
    }
    pLeftOver->CalcWindowRect(&layout.rect, adjustBorder);
    AfxRepositionWindow(&layout, hWndLeftOver, &layout.rect);
  }
  if (layout.hDWP != NULL && ::EndDeferWindowPos(layout.hDWP))
    RepaintChildrenUnderUpdate(m_hWnd);
}
