// CStatusBar: a control bar over the common status control. Panes have ids, texts, widths and
// styles; pane 0 with id 0 is the frame's message line.
#include "framework/bars/fw_bars.h"

#include "framework/gdi/fw_gdi.h"

IMPLEMENT_DYNAMIC(CStatusBar, CControlBar)

namespace {
const int kPaneBorder = 6; // padding a pane adds to its text
} // namespace

BEGIN_MESSAGE_MAP(CStatusBar, CControlBar)
ON_WM_SIZE()
ON_WM_NCHITTEST()
ON_WM_PAINT()
ON_MESSAGE(WM_SETTEXT, OnSetText)
ON_MESSAGE(WM_GETTEXT, OnGetText)
ON_MESSAGE(WM_GETTEXTLENGTH, OnGetTextLength)
ON_MESSAGE(SB_SETMINHEIGHT, OnSetMinHeight)
END_MESSAGE_MAP()

CStatusBar::CStatusBar() : m_nMinHeight(::GetSystemMetrics(SM_CYSMICON)) {
  m_cyTopBorder = 2;
  m_cxLeftBorder = m_cxRightBorder = m_cyBottomBorder = 0;
}

CStatusBar::~CStatusBar() {}

BOOL CStatusBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID) {
  m_dwStyle = dwStyle & CBRS_ALL;
  // The control neither places nor sizes itself: the frame's layout does.
  dwStyle = (dwStyle & ~CBRS_ALL) | CCS_NOPARENTALIGN | CCS_NOMOVEY | CCS_NODIVIDER | CCS_NORESIZE;
  if (pParentWnd != NULL && (pParentWnd->GetStyle() & WS_THICKFRAME))
    dwStyle |= SBARS_SIZEGRIP;
  INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_BAR_CLASSES};
  ::InitCommonControlsEx(&icc);
  return CWnd::Create(STATUSCLASSNAMEA, NULL, dwStyle, CRect(0, 0, 0, 0), pParentWnd, nID);
}

AFX_STATUSPANE* CStatusBar::GetPanePtr(int nIndex) const {
  if (nIndex < 0 || nIndex >= static_cast<int>(m_panes.size()))
    AfxThrowInvalidArgException();
  return const_cast<AFX_STATUSPANE*>(&m_panes[nIndex]);
}

BOOL CStatusBar::SetIndicators(const UINT* lpIDArray, int nIDCount) {
  m_panes.assign(nIDCount > 0 ? nIDCount : 0, AFX_STATUSPANE());
  m_pData = m_panes.data();
  m_nCount = static_cast<int>(m_panes.size());
  BOOL bResult = TRUE;
  if (lpIDArray != NULL) {
    // Widths are measured in the control's font.
    CClientDC dcScreen(NULL);
    HFONT hFont = reinterpret_cast<HFONT>(SendMessage(WM_GETFONT));
    HGDIOBJ hOldFont = hFont != NULL ? ::SelectObject(dcScreen.m_hDC, hFont) : NULL;
    for (int i = 0; i < m_nCount; i++) {
      AFX_STATUSPANE& pane = m_panes[i];
      pane.nID = lpIDArray[i];
      pane.nStyle = SBPS_NORMAL;
      pane.nFlags = SBPF_UPDATE;
      if (pane.nID != 0) {
        if (!LoadIndicatorText(pane.nID, pane.strText)) {
          bResult = FALSE;
          break;
        }
        pane.cxText = dcScreen.GetTextExtent(pane.strText).cx;
      } else {
        // The message line: a quarter of the screen, and the first one stretches without borders.
        pane.cxText = ::GetSystemMetrics(SM_CXSCREEN) / 4;
        if (i == 0)
          pane.nStyle |= SBPS_STRETCH | SBPS_NOBORDERS;
      }
    }
    if (hOldFont != NULL)
      ::SelectObject(dcScreen.m_hDC, hOldFont);
  }
  UpdateAllPanes(TRUE, TRUE);
  return bResult;
}

bool CStatusBar::LoadIndicatorText(UINT nID, CString& strText) { return strText.LoadString(nID) != FALSE; }

int CStatusBar::CommandToIndex(UINT nIDFind) const {
  for (int i = 0; i < m_nCount; i++) {
    if (m_panes[i].nID == nIDFind)
      return i;
  }
  return -1;
}

UINT CStatusBar::GetItemID(int nIndex) const { return GetPanePtr(nIndex)->nID; }

void CStatusBar::GetItemRect(int nIndex, LPRECT lpRect) const {
  if (!::SendMessageA(m_hWnd, SB_GETRECT, nIndex, reinterpret_cast<LPARAM>(lpRect)))
    ::SetRectEmpty(lpRect);
}

void CStatusBar::GetPaneText(int nIndex, CString& rString) const { rString = GetPanePtr(nIndex)->strText; }

CString CStatusBar::GetPaneText(int nIndex) const { return GetPanePtr(nIndex)->strText; }

BOOL CStatusBar::SetPaneText(int nIndex, LPCSTR lpszNewText, BOOL bUpdate) {
  AFX_STATUSPANE* pPane = GetPanePtr(nIndex);
  CString strNew(lpszNewText);
  if (!(pPane->nFlags & SBPF_UPDATE) && pPane->strText == strNew)
    return TRUE;
  pPane->strText = strNew;
  if (!bUpdate) {
    pPane->nFlags |= SBPF_UPDATE; // shown at the next update
    return TRUE;
  }
  pPane->nFlags &= ~SBPF_UPDATE;
  // A disabled pane keeps its text but shows none.
  LPCSTR lpszShown = (pPane->nStyle & SBPS_DISABLED) ? NULL : static_cast<LPCSTR>(pPane->strText);
  DefWindowProc(SB_SETTEXTA, (pPane->nStyle & 0xFFFF) | nIndex, reinterpret_cast<LPARAM>(lpszShown));
  return TRUE;
}

void CStatusBar::GetPaneInfo(int nIndex, UINT& nID, UINT& nStyle, int& cxWidth) const {
  const AFX_STATUSPANE* pPane = GetPanePtr(nIndex);
  nID = pPane->nID;
  nStyle = pPane->nStyle;
  cxWidth = pPane->cxText;
}

void CStatusBar::SetPaneInfo(int nIndex, UINT nID, UINT nStyle, int cxWidth) {
  AFX_STATUSPANE* pPane = GetPanePtr(nIndex);
  BOOL bLayout = FALSE;
  pPane->nID = nID;
  if (pPane->nStyle != nStyle) {
    if ((pPane->nStyle ^ nStyle) & SBPS_STRETCH) {
      bLayout = TRUE;
      pPane->nStyle = nStyle;
    } else {
      pPane->nStyle = nStyle;
      pPane->nFlags |= SBPF_UPDATE;
      SetPaneText(nIndex, pPane->strText);
    }
  }
  if (cxWidth != pPane->cxText) {
    pPane->cxText = cxWidth;
    bLayout = TRUE;
  }
  if (bLayout)
    UpdateAllPanes(TRUE, FALSE);
}

UINT CStatusBar::GetPaneStyle(int nIndex) const { return GetPanePtr(nIndex)->nStyle; }

void CStatusBar::SetPaneStyle(int nIndex, UINT nStyle) {
  AFX_STATUSPANE* pPane = GetPanePtr(nIndex);
  if (pPane->nStyle == nStyle)
    return;
  BOOL bLayout = ((pPane->nStyle ^ nStyle) & SBPS_STRETCH) != 0;
  pPane->nStyle = nStyle;
  if (bLayout)
    UpdateAllPanes(TRUE, FALSE);
  // The text is sent again: the control takes the style with it.
  pPane->nFlags |= SBPF_UPDATE;
  SetPaneText(nIndex, pPane->strText);
}

void CStatusBar::UpdateAllPanes(BOOL bUpdateRects, BOOL bUpdateText) {
  if (m_hWnd == NULL)
    return;
  if (bUpdateRects && m_nCount > 0) {
    CRect rect;
    GetWindowRect(rect);
    rect.OffsetRect(-rect.left, -rect.top);
    CalcInsideRect(rect, TRUE);
    int rgBorders[3] = {0, 0, 0};
    DefWindowProc(SB_GETBORDERS, 0, reinterpret_cast<LPARAM>(rgBorders));
    // What the panes leave goes to the stretching ones.
    int cxExtra = rect.Width() + rgBorders[2];
    int nStretchy = 0;
    for (const AFX_STATUSPANE& pane : m_panes) {
      if (pane.nStyle & SBPS_STRETCH)
        nStretchy++;
      cxExtra -= pane.cxText + kPaneBorder + rgBorders[2];
    }
    std::vector<int> rights(m_panes.size());
    int right = rgBorders[0];
    for (size_t i = 0; i < m_panes.size(); i++) {
      right += m_panes[i].cxText + kPaneBorder;
      if ((m_panes[i].nStyle & SBPS_STRETCH) && cxExtra > 0 && nStretchy > 0) {
        int cxAdd = cxExtra / nStretchy;
        right += cxAdd;
        cxExtra -= cxAdd;
        nStretchy--;
      }
      rights[i] = right;
      right += rgBorders[2];
    }
    DefWindowProc(SB_SETPARTS, m_nCount, reinterpret_cast<LPARAM>(rights.data()));
  }
  if (bUpdateText) {
    for (int i = 0; i < m_nCount; i++) {
      if (m_panes[i].nFlags & SBPF_UPDATE)
        SetPaneText(i, m_panes[i].strText);
    }
  }
}

void CStatusBar::CalcInsideRect(CRect& rect, BOOL bHorz) const {
  CControlBar::CalcInsideRect(rect, bHorz);
  // The size grip of a frame that is not maximised takes room at the right.
  if ((GetStyle() & SBARS_SIZEGRIP) && !::IsZoomed(::GetParent(m_hWnd))) {
    int rgBorders[3] = {0, 0, 0};
    ::SendMessageA(m_hWnd, SB_GETBORDERS, 0, reinterpret_cast<LPARAM>(rgBorders));
    rect.right -= rgBorders[0] + ::GetSystemMetrics(SM_CXVSCROLL) + ::GetSystemMetrics(SM_CXBORDER) * 2;
  }
}

CSize CStatusBar::CalcFixedLayout(BOOL, BOOL bHorz) {
  TEXTMETRICA tm = {};
  {
    CClientDC dc(NULL);
    HFONT hFont = reinterpret_cast<HFONT>(SendMessage(WM_GETFONT));
    HGDIOBJ hOldFont = hFont != NULL ? ::SelectObject(dc.m_hDC, hFont) : NULL;
    ::GetTextMetricsA(dc.m_hDC, &tm);
    if (hOldFont != NULL)
      ::SelectObject(dc.m_hDC, hOldFont);
  }
  CRect rect(0, 0, 0, 0);
  CalcInsideRect(rect, bHorz);
  int rgBorders[3] = {0, 0, 0};
  ::SendMessageA(m_hWnd, SB_GETBORDERS, 0, reinterpret_cast<LPARAM>(rgBorders));
  CSize size(32767, tm.tmHeight - tm.tmInternalLeading - 1 + rgBorders[1] * 2 +
                        ::GetSystemMetrics(SM_CYBORDER) * 2 - rect.Height());
  if (size.cy < m_nMinHeight)
    size.cy = m_nMinHeight;
  return size;
}

void CStatusBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) {
  CStatusCmdUI state;
  state.m_pOther = this;
  state.m_nIndexMax = static_cast<UINT>(m_nCount);
  for (state.m_nIndex = 0; state.m_nIndex < state.m_nIndexMax; state.m_nIndex++) {
    state.m_nID = m_panes[state.m_nIndex].nID;
    // The bar's own update handlers first, then the frame's.
    if (CWnd::OnCmdMsg(state.m_nID, CN_UPDATE_COMMAND_UI, &state, NULL))
      continue;
    state.DoUpdate(pTarget, bDisableIfNoHndler);
  }
  UpdateDialogControls(pTarget, bDisableIfNoHndler);
}

void CStatusBar::OnSize(UINT nType, int cx, int cy) {
  CControlBar::OnSize(nType, cx, cy);
  UpdateAllPanes(TRUE, FALSE); // the stretching pane follows the width
}

UINT CStatusBar::OnNcHitTest(CPoint) {
  // The grip sizes the frame; the rest of the bar is plain client area.
  return static_cast<UINT>(Default()) == HTBOTTOMRIGHT ? HTBOTTOMRIGHT : HTCLIENT;
}

void CStatusBar::OnPaint() {
  UpdateAllPanes(FALSE, TRUE);
  Default();
}

LRESULT CStatusBar::OnSetText(WPARAM, LPARAM lParam) {
  int nIndex = CommandToIndex(0);
  if (nIndex < 0)
    return -1;
  return SetPaneText(nIndex, reinterpret_cast<LPCSTR>(lParam)) ? 0 : -1;
}

LRESULT CStatusBar::OnGetText(WPARAM wParam, LPARAM lParam) {
  int nMaxLen = static_cast<int>(wParam);
  LPSTR lpszDest = reinterpret_cast<LPSTR>(lParam);
  if (nMaxLen <= 0 || lpszDest == NULL)
    return 0;
  int nIndex = CommandToIndex(0);
  CString strText = nIndex >= 0 ? m_panes[nIndex].strText : CString();
  lstrcpynA(lpszDest, strText, nMaxLen);
  return lstrlenA(lpszDest);
}

LRESULT CStatusBar::OnGetTextLength(WPARAM, LPARAM) {
  int nIndex = CommandToIndex(0);
  return nIndex >= 0 ? m_panes[nIndex].strText.GetLength() : 0;
}

LRESULT CStatusBar::OnSetMinHeight(WPARAM wParam, LPARAM) {
  LRESULT lResult = Default();
  m_nMinHeight = static_cast<int>(wParam);
  return lResult;
}

// ---------------------------------------------------------------------------------------------

void CStatusCmdUI::Enable(BOOL bOn) {
  m_bEnableChanged = TRUE;
  CStatusBar* pBar = static_cast<CStatusBar*>(m_pOther);
  UINT nStyle = pBar->GetPaneStyle(m_nIndex) & ~SBPS_DISABLED;
  pBar->SetPaneStyle(m_nIndex, bOn ? nStyle : nStyle | SBPS_DISABLED);
}

void CStatusCmdUI::SetCheck(int nCheck) {
  CStatusBar* pBar = static_cast<CStatusBar*>(m_pOther);
  UINT nStyle = pBar->GetPaneStyle(m_nIndex) & ~SBPS_POPOUT;
  pBar->SetPaneStyle(m_nIndex, nCheck != 0 ? nStyle | SBPS_POPOUT : nStyle);
}

void CStatusCmdUI::SetText(LPCSTR lpszText) {
  static_cast<CStatusBar*>(m_pOther)->SetPaneText(m_nIndex, lpszText);
}
