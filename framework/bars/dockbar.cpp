// CDockBar: rows of bars along a frame side or in a mini frame, kept in m_arrBars, with place
// holders that remember where a bar that left was.
#include "framework/bars/fw_bars.h"

#include <algorithm>

IMPLEMENT_DYNAMIC(CDockBar, CControlBar)

BEGIN_MESSAGE_MAP(CDockBar, CControlBar)
ON_MESSAGE(WM_SIZEPARENT, OnSizeParent)
END_MESSAGE_MAP()

namespace {
void* PlaceHolderOf(CControlBar* pBar) {
  return reinterpret_cast<void*>(static_cast<UINT_PTR>(static_cast<WORD>(::GetDlgCtrlID(pBar->m_hWnd))));
}
} // namespace

CDockBar::CDockBar(BOOL bFloating) : m_bFloating(bFloating), m_bLayoutQuery(FALSE) {
  m_bAutoDelete = TRUE;
  m_arrBars.Add(NULL);
  m_cxLeftBorder = m_cxRightBorder = m_cyTopBorder = m_cyBottomBorder = 0;
}

CDockBar::~CDockBar() {
  // Bars outlive their dock bar; they must not reach back into it.
  for (INT_PTR i = 0; i < m_arrBars.GetSize(); i++) {
    CControlBar* pBar = GetDockedControlBar(static_cast<int>(i));
    if (pBar != NULL && pBar->m_pDockBar == this)
      pBar->m_pDockBar = NULL;
  }
}

BOOL CDockBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID) {
  m_dwStyle = dwStyle & CBRS_ALL;
  LPCSTR lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(NULL, IDC_ARROW),
                                         reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
  return CWnd::Create(lpszClass, NULL, dwStyle & ~CBRS_ALL, CRect(0, 0, 0, 0), pParentWnd, nID);
}

BOOL CDockBar::IsDockBar() const { return TRUE; }

void CDockBar::OnUpdateCmdUI(CFrameWnd*, BOOL) {}

void CDockBar::DoPaint(CDC* pDC) {
  CRect rect;
  GetClientRect(rect);
  DrawBorders(pDC, rect);
}

// ---------------------------------------------------------------------------------------------
// The array

int CDockBar::FindBar(CControlBar* pBar, int nPosExclude) {
  for (INT_PTR nPos = 0; nPos < m_arrBars.GetSize(); nPos++) {
    if (nPos != nPosExclude && m_arrBars[nPos] == pBar)
      return static_cast<int>(nPos);
  }
  return -1;
}

CControlBar* CDockBar::GetDockedControlBar(int nPos) const {
  void* p = m_arrBars[nPos];
  return p == NULL || IsPlaceHolder(p) ? NULL : static_cast<CControlBar*>(p);
}

int CDockBar::GetDockedCount() const {
  int nCount = 0;
  for (INT_PTR i = 0; i < m_arrBars.GetSize(); i++)
    nCount += GetDockedControlBar(static_cast<int>(i)) != NULL;
  return nCount;
}

int CDockBar::GetDockedVisibleCount() const {
  int nCount = 0;
  for (INT_PTR i = 0; i < m_arrBars.GetSize(); i++) {
    CControlBar* pBar = GetDockedControlBar(static_cast<int>(i));
    nCount += pBar != NULL && pBar->IsVisible();
  }
  return nCount;
}

void CDockBar::ShowAll(BOOL bShow) {
  CFrameWnd* pFrame = GetDockingFrame();
  for (INT_PTR i = 0; i < m_arrBars.GetSize(); i++) {
    CControlBar* pBar = GetDockedControlBar(static_cast<int>(i));
    if (pBar != NULL && pFrame != NULL)
      pFrame->ShowControlBar(pBar, bShow, FALSE);
  }
}

void CDockBar::RemovePlaceHolder(CControlBar* pBar) {
  void* pPlace = IsPlaceHolder(pBar) ? static_cast<void*>(pBar) : PlaceHolderOf(pBar);
  int nPos = FindBar(static_cast<CControlBar*>(pPlace));
  if (nPos <= 0)
    return;
  m_arrBars.RemoveAt(nPos);
  // A row left empty loses its end marker.
  if (m_arrBars[nPos - 1] == NULL && m_arrBars[nPos] == NULL)
    m_arrBars.RemoveAt(nPos);
}

int CDockBar::Insert(CControlBar* pBarIns, CRect rect, CPoint ptMid) {
  const BOOL bHorz = (m_dwStyle & CBRS_ORIENT_HORZ) != 0;
  const int nMid = bHorz ? ptMid.y : ptMid.x;
  int nPosInsAfter = 0; // the last visible bar of the row that starts before rect, else the row start
  int nThickness = 0;   // of the current row
  int nTotal = 0;       // of the rows so far
  for (INT_PTR nPos = 0; nPos < m_arrBars.GetSize(); nPos++) {
    CControlBar* pBar = GetDockedControlBar(static_cast<int>(nPos));
    if (pBar != NULL && pBar->IsVisible()) {
      CRect rectBar;
      pBar->GetWindowRect(&rectBar);
      ScreenToClient(&rectBar);
      nThickness = std::max(nThickness, bHorz ? rectBar.Height() : rectBar.Width() - 1);
      if (bHorz ? rect.left > rectBar.left : rect.top > rectBar.top)
        nPosInsAfter = static_cast<int>(nPos);
    }
    if (m_arrBars[nPos] != NULL)
      continue;
    // Row end (entry 0 counts as the end of an empty row above all others).
    nTotal += nThickness - afxData.cyBorder2;
    nThickness = 0;
    if (nMid < nTotal) {
      if (nPos == 0) // above every row: a new first row
        m_arrBars.InsertAt(nPosInsAfter + 1, static_cast<void*>(NULL));
      m_arrBars.InsertAt(nPosInsAfter + 1, pBarIns);
      return nPosInsAfter + 1;
    }
    nPosInsAfter = static_cast<int>(nPos);
  }
  // Below every row: a new last row.
  m_arrBars.InsertAt(nPosInsAfter + 1, static_cast<void*>(NULL));
  m_arrBars.InsertAt(nPosInsAfter + 1, pBarIns);
  return nPosInsAfter + 1;
}

// ---------------------------------------------------------------------------------------------
// Docking and leaving

BOOL CDockBar::PrepareToTake(CControlBar* pBar) {
  if (m_bFloating && (pBar->m_dwDockStyle & CBRS_FLOAT_MULTI))
    m_dwStyle |= CBRS_FLOAT_MULTI;
  m_dwStyle &= ~(CBRS_SIZE_FIXED | CBRS_SIZE_DYNAMIC);
  m_dwStyle |= pBar->m_dwStyle & (CBRS_SIZE_FIXED | CBRS_SIZE_DYNAMIC);
  // A dock bar that holds a single bar shows its name (the mini frame's caption).
  if (!(m_dwStyle & CBRS_FLOAT_MULTI)) {
    CString strTitle;
    pBar->GetWindowText(strTitle);
    SetWindowText(strTitle);
  }
  DWORD dwStyle = (pBar->GetBarStyle() & ~CBRS_ALIGN_ANY) | (m_dwStyle & CBRS_ALIGN_ANY) | CBRS_BORDER_ANY;
  if (m_bFloating)
    dwStyle |= CBRS_FLOATING;
  else
    dwStyle &= ~CBRS_FLOATING;
  pBar->SetBarStyle(dwStyle);
  // Hidden while it moves to another dock bar, so it does not flash.
  if (pBar->m_pDockBar != this && pBar->IsWindowVisible()) {
    pBar->SetWindowPos(NULL, 0, 0, 0, 0,
                       SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_HIDEWINDOW);
    return TRUE;
  }
  return FALSE;
}

void CDockBar::PlaceBar(CControlBar* pBar, LPCRECT lpRect) {
  if (lpRect != NULL) {
    CRect rect(lpRect);
    ScreenToClient(&rect);
    pBar->SetWindowPos(NULL, rect.left, rect.top, rect.Width(), rect.Height(),
                       SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOCOPYBITS);
  } else {
    // Parked off the edge until the next layout.
    pBar->SetWindowPos(NULL, -afxData.cxBorder2, -afxData.cyBorder2, 0, 0,
                       SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOCOPYBITS);
  }
  if (pBar->GetParent() != this)
    pBar->SetParent(this);
}

void CDockBar::FinishTake(CControlBar* pBar, BOOL bShow) {
  pBar->m_pDockBar = this;
  if (bShow)
    pBar->SetWindowPos(NULL, 0, 0, 0, 0,
                       SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
  RemovePlaceHolder(pBar);
  CFrameWnd* pFrame = GetDockingFrame();
  if (pFrame != NULL)
    pFrame->DelayRecalcLayout();
}

void CDockBar::DockControlBar(CControlBar* pBar, LPCRECT lpRect) {
  CRect rectBar;
  pBar->GetWindowRect(&rectBar);
  if (pBar->m_pDockBar == this && (lpRect == NULL || rectBar == *lpRect))
    return; // already here, nowhere else to go
  BOOL bShow = PrepareToTake(pBar);
  int nPos = -1;
  if (lpRect != NULL) {
    CRect rect(lpRect);
    ScreenToClient(&rect);
    nPos = Insert(pBar, rect, rect.CenterPoint());
  } else {
    // A new row of its own at the end.
    m_arrBars.Add(pBar);
    m_arrBars.Add(NULL);
  }
  PlaceBar(pBar, lpRect);
  // Leave the old place: here, any entry but the new one; elsewhere, with a place holder when a
  // docked bar starts floating.
  if (pBar->m_pDockBar == this)
    RemoveControlBar(pBar, nPos);
  else if (pBar->m_pDockBar != NULL)
    pBar->m_pDockBar->RemoveControlBar(pBar, -1, m_bFloating && !pBar->m_pDockBar->m_bFloating);
  FinishTake(pBar, bShow);
}

void CDockBar::ReDockControlBar(CControlBar* pBar, LPCRECT lpRect) {
  CRect rectBar;
  pBar->GetWindowRect(&rectBar);
  if (pBar->m_pDockBar == this && (lpRect == NULL || rectBar == *lpRect))
    return;
  BOOL bShow = PrepareToTake(pBar);
  // The place holder, if the bar left one here, is where it goes back.
  int nPos = FindBar(static_cast<CControlBar*>(PlaceHolderOf(pBar)));
  if (nPos > 0) {
    m_arrBars[nPos] = pBar;
  } else if (lpRect != NULL) {
    CRect rect(lpRect);
    ScreenToClient(&rect);
    nPos = Insert(pBar, rect, rect.CenterPoint());
  } else {
    m_arrBars.Add(pBar);
    m_arrBars.Add(NULL);
    nPos = static_cast<int>(m_arrBars.GetSize()) - 2;
  }
  PlaceBar(pBar, lpRect);
  if (pBar->m_pDockBar == this)
    RemoveControlBar(pBar, nPos);
  else if (pBar->m_pDockBar != NULL)
    pBar->m_pDockBar->RemoveControlBar(pBar);
  FinishTake(pBar, bShow);
}

BOOL CDockBar::RemoveControlBar(CControlBar* pBar, int nPosExclude, int nAddPlaceHolder) {
  int nPos = FindBar(pBar, nPosExclude);
  if (nPos <= 0)
    return FALSE;
  if (nAddPlaceHolder == 1) {
    m_arrBars[nPos] = PlaceHolderOf(pBar);
    // One place holder per bar is enough.
    if (FindBar(static_cast<CControlBar*>(m_arrBars[nPos]), nPos) > 0) {
      m_arrBars.RemoveAt(nPos);
      if (m_arrBars[nPos - 1] == NULL && m_arrBars[nPos] == NULL)
        m_arrBars.RemoveAt(nPos);
    }
  } else {
    m_arrBars.RemoveAt(nPos);
    if (m_arrBars[nPos - 1] == NULL && m_arrBars[nPos] == NULL)
      m_arrBars.RemoveAt(nPos);
    if (nAddPlaceHolder != -1)
      RemovePlaceHolder(pBar);
  }
  // A bar without dock context is going down with its frame: nothing more to arrange.
  if (pBar->m_pDockContext == NULL)
    return FALSE;
  CFrameWnd* pFrame = GetDockingFrame();
  if (pFrame == NULL)
    return FALSE;
  if (m_bFloating && GetDockedVisibleCount() == 0) {
    if (GetDockedCount() == 0) {
      pFrame->DestroyWindow(); // the mini frame, and this dock bar with it
      return TRUE;
    }
    pFrame->ShowWindow(SW_HIDE);
  } else {
    pFrame->DelayRecalcLayout();
  }
  return FALSE;
}

// ---------------------------------------------------------------------------------------------
// Layout: rows of bars at their own sizes, each row as thick as its thickest bar.

CSize CDockBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz) {
  CSize sizeFixed = CControlBar::CalcFixedLayout(bStretch, bHorz);
  AFX_SIZEPARENTPARAMS layout = {};
  layout.hDWP = m_bLayoutQuery ? NULL : ::BeginDeferWindowPos(static_cast<int>(m_arrBars.GetSize()));
  CPoint pt(-afxData.cxBorder2, -afxData.cyBorder2);
  int nRowThickness = 0;
  for (INT_PTR nPos = 0; nPos < m_arrBars.GetSize(); nPos++) {
    CControlBar* pBar = GetDockedControlBar(static_cast<int>(nPos));
    if (pBar != NULL && pBar->IsVisible()) {
      DWORD dwMode = (pBar->m_dwStyle & CBRS_SIZE_DYNAMIC) && (pBar->m_dwStyle & CBRS_FLOATING)
                         ? LM_HORZ | LM_MRUWIDTH
                         : (bHorz ? LM_HORZ | LM_HORZDOCK : LM_VERTDOCK);
      CSize sizeBar = pBar->CalcDynamicLayout(-1, dwMode);
      CRect rect(pt, sizeBar);
      if (!m_bLayoutQuery) {
        if (!(pBar->m_dwStyle & CBRS_FLOATING) && pBar->m_pDockContext != NULL)
          pBar->m_pDockContext->m_rectMRUDockPos = rect;
        AfxRepositionWindow(&layout, pBar->m_hWnd, &rect);
      }
      // Neighbours share their borders.
      if (bHorz) {
        pt.x = rect.right - afxData.cxBorder2;
        nRowThickness = std::max(nRowThickness, static_cast<int>(sizeBar.cy));
      } else {
        pt.y = rect.bottom - afxData.cyBorder2;
        nRowThickness = std::max(nRowThickness, static_cast<int>(sizeBar.cx));
      }
    }
    if (m_arrBars[nPos] == NULL && nRowThickness != 0) {
      if (bHorz) {
        sizeFixed.cx = std::max(sizeFixed.cx, pt.x + afxData.cxBorder2);
        pt.y += nRowThickness - afxData.cyBorder2;
        sizeFixed.cy = std::max(sizeFixed.cy, pt.y + afxData.cyBorder2);
        pt.x = -afxData.cxBorder2;
      } else {
        sizeFixed.cy = std::max(sizeFixed.cy, pt.y + afxData.cyBorder2);
        pt.x += nRowThickness - afxData.cxBorder2;
        sizeFixed.cx = std::max(sizeFixed.cx, pt.x + afxData.cxBorder2);
        pt.y = -afxData.cyBorder2;
      }
      nRowThickness = 0;
    }
  }
  if (layout.hDWP != NULL)
    ::EndDeferWindowPos(layout.hDWP);
  return sizeFixed;
}

LRESULT CDockBar::OnSizeParent(WPARAM wParam, LPARAM lParam) {
  AFX_SIZEPARENTPARAMS* lpLayout = reinterpret_cast<AFX_SIZEPARENTPARAMS*>(lParam);
  // The rows are laid out for real only when the frame's pass moves windows.
  BOOL bLayoutQuery = m_bLayoutQuery;
  CRect rectLayout = m_rectLayout;
  m_bLayoutQuery = lpLayout->hDWP == NULL;
  m_rectLayout = lpLayout->rect;
  LRESULT lResult = CControlBar::OnSizeParent(wParam, lParam);
  m_bLayoutQuery = bLayoutQuery;
  m_rectLayout = rectLayout;
  return lResult;
}
