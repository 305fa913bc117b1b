// A control bar's non-client painting: background, borders, caption and caption buttons, drawn
// through the theme into one memory device context and copied to the window in one block.
#include "toolkit/docking/ExtControlBar.h"

#include "toolkit/docking/ExtNcPaintRects.h"
#include "toolkit/foundation/ExtMemoryDC.h"
#include "toolkit/foundation/ExtResourceManager.h"
#include "toolkit/menus/ExtPopupMenuTearOff.h"
#include "toolkit/theme/ExtPaintManager.h"
#include "toolkit/theme/ExtPaintManagerHolder.h"

void CExtControlBar::OnNcPaint() {
  if (m_pDockBar == NULL && !IsDialogMode())
    return;
  if ((m_bBarFlags & BF_BUTTON_LAYOUT_OWED) != 0) {
    m_bBarFlags &= ~BF_BUTTON_LAYOUT_OWED;
    RepositionNcAreaButtons();
  }
  CWindowDC dcWnd(this);
  CRect rcWnd, rcClient;
  NcPaintRects(m_hWnd, rcWnd, rcClient);
  dcWnd.ExcludeClipRect(&rcClient);
  {
    CExtMemoryDC dc(&dcWnd, &rcWnd, CExtMemoryDC::MDC_OFFSCREEN | CExtMemoryDC::MDC_FILL_BACKGROUND);
    RECT rcQuery = rcWnd;
    if (!QueryCustomNcAreaFor(&dc, rcQuery))
      PaintNcArea(dc);
  }
  g_PaintManagerHolder->OnPaintSessionComplete(this, 0);
}

void CExtControlBar::PaintNcArea(CDC& dc) {
  CRect rcWnd, rcClient;
  NcPaintRects(m_hWnd, rcWnd, rcClient);
  dc.ExcludeClipRect(&rcClient);
  CExtPaintManager* pPM = g_PaintManagerHolder.operator->();
  if (!(pPM->HasDockerBackground(this) && pPM->PaintDockerBackground(false, dc, this)))
    dc.FillSolidRect(&rcWnd, pPM->ColorByLogicalId(1000, this));
  UINT nDockBarId = GetDockBarCtrlId();
  bool bFloating = m_pDockSite != NULL &&
                   !(nDockBarId >= AFX_IDW_DOCKBAR_TOP && nDockBarId <= AFX_IDW_DOCKBAR_BOTTOM) &&
                   GetParentFrame() != NULL;
  CExtPopupMenuWnd::TEAROFFNOTIFICATON* pTearOff = CExtPopupMenuWnd::TEAROFFNOTIFICATON::g_pCurrent;
  bool bTornOff = bFloating && IsFixedMode() && pTearOff != NULL && pTearOff->m_pBar == this;
  if (!bTornOff) {
    DockingFramePaintData frame(this, rcWnd, rcClient, bFloating, !IsFixedMode(), false);
    pPM->PaintDockingFrame(dc, frame);
  }
  bool bOnTop = false, bShown = false;
  if (!QueryCaption(&bOnTop, &bShown) || !bShown || bFloating)
    return;
  CRect rcCaption = m_rcNcCaption;
  bool bHorzDocked = m_pDockSite != NULL
                         ? (nDockBarId == AFX_IDW_DOCKBAR_TOP || nDockBarId == AFX_IDW_DOCKBAR_BOTTOM)
                         : ((m_dwStyle >> 8) & 0xAA) != 0;
  if (bHorzDocked && !bOnTop) {
    rcCaption.DeflateRect(0, 2);
    rcCaption.OffsetRect(-2, 0);
  } else {
    rcCaption.DeflateRect(2, 0);
  }
  CRect rcText(rcCaption);
  CalcCaptionTextRect(rcText);
  CString strCaption;
  GetBarCaption(strCaption);
  dc.SaveDC();
  CRgn rgnCaption;
  rgnCaption.CreateRectRgnIndirect(&m_rcNcCaption);
  dc.SelectClipRgn(&rgnCaption, RGN_AND);
  // A resizable bar shows a caption bar with its text; a fixed bar shows a gripper.
  DockingCaptionPaintData caption(this, rcCaption, rcText, (m_bExtraFlags & XF_FOCUS_INSIDE) != 0, false,
                                  !bOnTop, !IsFixedMode(), strCaption,
                                  g_ResourceManagerHolder->IsRightToLeft());
  pPM->PaintDockingCaption(dc, caption);
  PaintNcAreaButtons(dc);
  dc.RestoreDC(-1);
}

void CExtControlBar::PaintClientBackground(CDC& dc) {
  CRect rcClient;
  GetClientRect(&rcClient);
  g_PaintManagerHolder->PaintControlBarClientArea(dc, rcClient, this);
}

void CExtControlBar::DoPaint(CDC* pDC) {
  CRect rcClient;
  GetClientRect(&rcClient);
  HWND hChild = ::GetWindow(m_hWnd, GW_CHILD);
  if ((m_bBarState & BS_FIT_CHILD) != 0 && !IsFixedMode() && hChild != NULL && ::IsWindowVisible(hChild)) {
    CRect rcChild;
    ::GetWindowRect(hChild, &rcChild);
    ScreenToClient(&rcChild);
    if (rcChild == rcClient)
      return; // the child covers everything
  }
  if (rcClient.IsRectEmpty() || !pDC->RectVisible(&rcClient))
    return;
  CExtPaintManager::ExcludeChildAreas(pDC->GetSafeHdc(), m_hWnd);
  CExtMemoryDC dc(pDC, &rcClient);
  PaintClientBackground(dc);
}
