// The tab window's painting: the background, the items in view and the laid-out buttons, all
// through the current theme into one off-screen buffer.
#include "toolkit/docking/ExtTabWnd.h"

#include "toolkit/foundation/ExtMemoryDC.h"
#include "toolkit/theme/ExtPaintManager.h"
#include "toolkit/theme/ExtPaintManagerHolder.h"

void CExtTabWnd::OnPaint() {
  CRuntimeClass* pThemeClass = g_PaintManagerHolder->GetRuntimeClass();
  if (pThemeClass != m_pPaintManagerClass) {
    m_pPaintManagerClass = pThemeClass;
    ForgetTextMeasurements();
    m_bWndFlags |= WF_LAYOUT_DIRTY;
  }
  RecalcLayout();
  CPaintDC dcPaint(this);
  CRect rcClient;
  GetClientRect(&rcClient);
  if (!rcClient.IsRectEmpty()) {
    CExtMemoryDC dc(&dcPaint, &rcClient);
    PaintControl(dc, rcClient);
  }
  g_PaintManagerHolder->OnPaintSessionComplete(this, 0);
}

// Everything is painted in WM_PAINT through the buffer; erasing first would only flicker.
BOOL CExtTabWnd::OnEraseBkgnd(CDC*) { return TRUE; }

void CExtTabWnd::PaintControl(CDC& dc, const RECT& rcClient) {
  const int nOrientation = OrientationGet();
  const bool bGrouped = (m_dwTabWndStyle & TS_GROUPED) != 0;
  OnTabWndEraseBackground(dc, rcClient, m_rcItemsArea, m_rcNearBorderArea, nOrientation, bGrouped);
  CRect rcClip;
  dc.GetClipBox(&rcClip);
  if (m_nVisibleItemCount > 0 && m_nIndexVisFirst >= 0 && !m_rcItemsArea.IsRectEmpty()) {
    const int nSaved = dc.SaveDC();
    dc.IntersectClipRect(&m_rcItemsArea);
    for (int i = m_nIndexVisFirst; i <= m_nIndexVisLast && i < ItemGetCount(); ++i) {
      TAB_ITEM_INFO* pItem = m_items[i].get();
      if (!pItem->VisibleGet())
        continue;
      const CRect rcItem = ItemRectInClient(pItem);
      CRect rcMeet;
      if (!rcMeet.IntersectRect(&rcItem, &rcClip))
        continue;
      const bool bSelected = pItem->IsSelected();
      OnTabWndDrawItem(dc, m_rcItemsArea, pItem, rcItem, pItem->GetText(), pItem->GetIconPtr(),
                       OnTabWndQueryItemFont(bSelected, -1), bSelected,
                       (pItem->GetItemStyle() & TIS_IN_GROUP_ACTIVE) != 0, nOrientation, bGrouped);
    }
    dc.RestoreDC(nSaved);
  }
  CPoint ptCursor;
  ::GetCursorPos(&ptCursor);
  ScreenToClient(&ptCursor);
  struct ButtonPaint {
    int nCode;
    bool bPushed;
  };
  const ButtonPaint buttons[] = {
      {HT_BUTTON_PREV, (m_bWndFlags & WF_PREV_PUSHED) != 0},
      {HT_BUTTON_NEXT, (m_bWndFlags & WF_NEXT_PUSHED) != 0},
      {HT_BUTTON_HELP, (m_bPushedButtons & PB_HELP) != 0},
      {HT_BUTTON_CLOSE, (m_bPushedButtons & PB_CLOSE) != 0},
      {HT_BUTTON_ITEM_LIST, (m_bPushedButtons & PB_ITEM_LIST) != 0},
      {HT_BUTTON_HOME, (m_bPushedButtons & PB_HOME) != 0},
      {HT_BUTTON_END, (m_bPushedButtons & PB_END) != 0},
  };
  for (const ButtonPaint& b : buttons) {
    const CRect rc = GetButtonRect(b.nCode);
    CRect rcMeet;
    if (rc.IsRectEmpty() || !rcMeet.IntersectRect(&rc, &rcClip))
      continue;
    const bool bEnabled = IsButtonEnabled(b.nCode);
    OnTabWndDrawButton(dc, rc, b.nCode, nOrientation, bEnabled, bEnabled && rc.PtInRect(ptCursor), b.bPushed,
                       bGrouped);
  }
}

void CExtTabWnd::OnTabWndEraseBackground(CDC& dc, const RECT& rcClient, const RECT& rcItemsArea,
                                         const RECT& rcNearBorderArea, int nOrientation, bool bGroupedMode) {
  g_PaintManagerHolder->PaintTabWndBackground(dc, rcClient, rcItemsArea, rcNearBorderArea, nOrientation,
                                              bGroupedMode, this);
}

void CExtTabWnd::OnTabWndDrawItem(CDC& dc, const RECT&, TAB_ITEM_INFO* pItem, const RECT& rcItem,
                                  LPCSTR sText, CExtCmdIcon* pIcon, CFont* pFont, bool bSelected,
                                  bool bInGroupActive, int nOrientation, bool bGroupedMode) {
  const bool bTopLeft = nOrientation == TS_ORIENT_TOP || nOrientation == TS_ORIENT_LEFT;
  const bool bHorz = nOrientation < 2;
  const CSize& sizeText = pItem->GetTextSize();
  const COLORREF kThemeColor = (COLORREF)-1;
  g_PaintManagerHolder->PaintTabItem(
      dc, 0, bTopLeft, bHorz, bSelected, (pItem->GetItemStyle() & TIS_CENTERED_TEXT) != 0, bGroupedMode,
      bInGroupActive, (m_dwTabWndStyle & TS_INVERT_VERT_TEXT) != 0, &rcItem, sizeText.cx, sizeText.cy, pFont,
      sText, pIcon, this, 0, kThemeColor, kThemeColor, kThemeColor, kThemeColor, kThemeColor);
}

void CExtTabWnd::OnTabWndDrawButton(CDC& dc, const RECT& rcButton, int nHitCode, int nOrientation,
                                    bool bEnabled, bool bHover, bool bPushed, bool bGroupedMode) {
  g_PaintManagerHolder->PaintTabButton(dc, rcButton, nHitCode, nOrientation >= 2, bEnabled, bHover, bPushed,
                                       bGroupedMode, this);
}
