// The status bar's painting: theme colours, background, panes with their icons, texts, borders
// and separators, the size grip and the non-client borders.
#include "toolkit/bars/ExtStatusControlBar.h"

#include "toolkit/foundation/ExtCmdIcon.h"
#include "toolkit/foundation/ExtMemoryDC.h"
#include "toolkit/theme/ExtPaintDcState.h"
#include "toolkit/theme/ExtPaintManagerHolder.h"
#include "toolkit/theme/ExtPaintManagerRecords.h"

namespace {
const int kBarBordersKind = 1;
const DWORD kMemoryDcFlags = CExtMemoryDC::MDC_OFFSCREEN | CExtMemoryDC::MDC_FILL_BACKGROUND;
} // namespace

void CExtStatusControlBar::ReadThemeColors() {
  CExtPaintManager* pPM = g_PaintManagerHolder.GetPM();
  if (pPM == NULL)
    return;
  const COLORREF clrBackground = pPM->ColorByLogicalId(1000, this);
  if (clrBackground != m_clrBackground) {
    m_clrBackground = clrBackground;
    if (m_hWnd != NULL)
      CStatusBar::DefWindowProc(SB_SETBKCOLOR, 0, static_cast<LPARAM>(clrBackground));
  }
  m_clrLight = pPM->ColorByLogicalId(1010, this);
  m_clrText = ::GetSysColor(COLOR_BTNTEXT);
  m_clrTextDisabled = ::GetSysColor(COLOR_BTNSHADOW);
  m_clrGripBack = (m_nBarFlags & STATUS_TOOLKIT_PAINT) ? ::GetSysColor(COLOR_BTNSHADOW) : m_clrBackground;
}

void CExtStatusControlBar::OnPaint() {
  ReadThemeColors();
  // Pending texts go to the control first: they are painted below and need no painting of their
  // own, and what the control invalidates for them now is covered by this painting.
  m_bPainting = 1;
  UpdateAllPanes(FALSE, TRUE);
  m_bPainting = 0;
  CPaintDC dcPaint(this);
  CExtPaintManager::ExcludeChildAreas(dcPaint.m_hDC, m_hWnd, &CExtPaintManager::FilterTransparentChild);
  CRect rcClient;
  GetClientRect(&rcClient);
  CExtMemoryDC dc(&dcPaint, &rcClient, kMemoryDcFlags);

  PaintBackground(dc, rcClient);
  const CRect rcGrip = GetGripRect();
  PaintPanes(dc);
  if (!rcGrip.IsRectEmpty()) {
    dc.SelectClipRgn(NULL);
    PaintGripper(dc, rcGrip);
  }
}

void CExtStatusControlBar::PaintPanes(CDC& dc) {
  const bool bToolkitPaint = (m_nBarFlags & STATUS_TOOLKIT_PAINT) != 0;
  CExtDcTextState textState(dc);
  if (bToolkitPaint) {
    dc.SelectObject(&g_PaintManagerHolder->m_FontNormal);
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(m_clrText);
  }
  CRect rcPrev(0, 0, 0, 0);
  for (int i = 0; i < m_nCount; i++) {
    const CRect rcPane = GetPaneRect(i);
    HICON hIcon = (m_nBarFlags & STATUS_NO_ICONS)
                      ? NULL
                      : reinterpret_cast<HICON>(::SendMessageA(m_hWnd, SB_GETICON, i, 0));
    CString strText = GetPaneText(i);
    OnQueryPaneText(i, strText);
    _ED_ data;
    const UINT nDrawTextFlags =
        m_mapPaneData.Lookup(GetPaneID(i), data) ? data.m_nDrawTextFlags : m_nDefaultTextFlags;
    DrawPaneContent(dc, i, rcPane, GetPaneStyle(i), hIcon, strText, nDrawTextFlags);
    if (bToolkitPaint && (m_nBarFlags & STATUS_SEPARATORS) && i > 0)
      PaintPaneSeparator(dc, i, rcPrev, rcPane);
    rcPrev = rcPane;
  }
}

void CExtStatusControlBar::PaintBackground(CDC& dc, const CRect& rcClient) {
  CExtPaintManager* pPM = g_PaintManagerHolder.GetPM();
  const bool bToolkitPaint = (m_nBarFlags & STATUS_TOOLKIT_PAINT) != 0;
  if (bToolkitPaint && pPM != NULL && pPM->HasDockerBackground(this) &&
      pPM->PaintDockerBackground(true, dc, this))
    return;
  dc.FillSolidRect(&rcClient, m_clrBackground);
  if (!bToolkitPaint)
    CStatusBar::DefWindowProc(WM_PAINT, reinterpret_cast<WPARAM>(dc.m_hDC), 0);
}

void CExtStatusControlBar::OnQueryPaneText(int /*nIndex*/, CString& /*strText*/) const {}

COLORREF CExtStatusControlBar::GetPaneTextColor(int /*nIndex*/) const { return static_cast<COLORREF>(-1); }

void CExtStatusControlBar::DrawPaneContent(CDC& dc, int nIndex, const CRect& rcPane, UINT nStyle, HICON hIcon,
                                           const CString& strText, UINT nDrawTextFlags) {
  const bool bToolkitPaint = (m_nBarFlags & STATUS_TOOLKIT_PAINT) != 0;
  const bool bDisabled = (nStyle & SBPS_DISABLED) != 0;
  CRect rcText = rcPane;
  if (bToolkitPaint && hIcon != NULL) {
    CExtCmdIcon icon(hIcon, true); // the control keeps its own icon
    const SIZE size = icon.GetSize();
    const POINT pt = {rcPane.left + 1, rcPane.top + (rcPane.Height() - size.cy) / 2};
    icon.Paint(dc.m_hDC, &pt, bDisabled ? CExtCmdIcon::PaintDisabled : CExtCmdIcon::PaintNormal, NULL);
    rcText.left = pt.x + size.cx + 1;
  }
  if (bToolkitPaint && (!bDisabled || (m_nBarFlags & STATUS_DISABLED_TEXT)) && !strText.IsEmpty()) {
    rcText.DeflateRect(2, 0);
    COLORREF clrText = GetPaneTextColor(nIndex);
    if (clrText == static_cast<COLORREF>(-1) && bDisabled)
      clrText = m_clrTextDisabled;
    const COLORREF clrOld = clrText != static_cast<COLORREF>(-1) ? dc.SetTextColor(clrText) : CLR_INVALID;
    dc.DrawText(strText, &rcText, nDrawTextFlags);
    if (clrOld != CLR_INVALID)
      dc.SetTextColor(clrOld);
  }
  const bool bSeparated = bToolkitPaint && (m_nBarFlags & STATUS_SEPARATORS) != 0;
  const bool bBorder =
      nIndex == 0 ? (m_nBarFlags & STATUS_FIRST_PANE_BORDER) != 0 : (nStyle & SBPS_NOBORDERS) == 0;
  if (!bSeparated && bBorder) {
    ControlBarBordersPaintData data(this, ControlBarBordersPaintData::KIND_PLAIN_FRAME, m_dwStyle, rcPane);
    g_PaintManagerHolder->PaintControlBarBorders(dc, data);
  }
  if (!bToolkitPaint && g_PaintManagerHolder.m_VisualStyleApi.IsVisualStyleActive()) {
    CRect rcInner = rcPane;
    rcInner.DeflateRect(1, 1);
    dc.Draw3dRect(&rcInner, m_clrBackground, m_clrBackground);
  }
}

void CExtStatusControlBar::PaintPaneSeparator(CDC& dc, int /*nIndex*/, const CRect& rcPrev,
                                              const CRect& rcPane) {
  const CRect rcGap(rcPrev.right, rcPane.top + 1, rcPane.left, rcPane.bottom - 1);
  if (rcGap.left < rcGap.right && rcGap.top < rcGap.bottom)
    g_PaintManagerHolder->PaintSeparator(dc, rcGap, true, true, this);
}

bool CExtStatusControlBar::IsGripperVisible() const { return g_bGripperVisible; }

void CExtStatusControlBar::PaintGripper(CDC& dc, const CRect& rcGrip) {
  if ((m_nBarFlags & STATUS_TOOLKIT_PAINT) == 0)
    dc.FillSolidRect(&rcGrip, m_clrBackground);
  if (!IsGripperVisible())
    return;
  CRect rc = rcGrip;
  rc.OffsetRect(-1, -1);
  g_PaintManagerHolder->PaintResizingGripper(dc, rc, this);
}

void CExtStatusControlBar::DrawBorders(CDC* pDC, CRect& rect) {
  if (pDC == NULL)
    return;
  ControlBarBordersPaintData data(this, kBarBordersKind, m_dwStyle, rect);
  g_PaintManagerHolder->PaintControlBarBorders(*pDC, data);
}

void CExtStatusControlBar::OnNcPaint() {
  ReadThemeColors();
  CWindowDC dc(this);
  CRect rcWindow, rcClient;
  GetWindowRect(&rcWindow);
  GetClientRect(&rcClient);
  ClientToScreen(&rcClient);
  rcClient.OffsetRect(-rcWindow.left, -rcWindow.top);
  rcWindow.OffsetRect(-rcWindow.left, -rcWindow.top);
  dc.ExcludeClipRect(&rcClient);
  DrawBorders(&dc, rcWindow);
}
