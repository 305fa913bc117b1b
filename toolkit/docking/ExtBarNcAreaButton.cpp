// The caption buttons of a control bar, and the bar's side of them: where its caption is, the
// buttons' creation, layout, hit test and painting.
#include "toolkit/docking/ExtBarNcAreaButton.h"

#include "toolkit/docking/ExtControlBar.h"
#include "toolkit/docking/ExtDockBar.h"
#include "toolkit/docking/ExtDynAutoHideSlider.h"
#include "toolkit/foundation/ExtCmdItem.h"
#include "toolkit/foundation/ExtCmdManager.h"
#include "toolkit/foundation/ExtResourceManager.h"
#include "toolkit/menus/ExtPopupMenuWnd.h"
#include "toolkit/theme/ExtPaintManager.h"
#include "toolkit/theme/ExtPaintManagerHolder.h"

#include <cstdlib>
#include <cstring>

IMPLEMENT_DYNCREATE(CExtBarNcAreaButton, CObject)
IMPLEMENT_DYNCREATE(CExtBarNcAreaButtonClose, CExtBarNcAreaButton)
IMPLEMENT_DYNCREATE(CExtBarNcAreaButtonAutoHide, CExtBarNcAreaButton)
IMPLEMENT_DYNCREATE(CExtBarNcAreaButtonMenu, CExtBarNcAreaButton)

CExtControlBar::PFN_QueryFloatingCaption CExtControlBar::g_pfnQueryFloatingCaption = NULL;

// --- the bar's side ------------------------------------------------------------------------------

namespace {
// The slider that shows the auto-hidden bar now, NULL when the bar is not out.
CExtDynAutoHideSlider* SliderShowing(const CExtControlBar* pBar) {
  if ((pBar->m_bExtraFlags & CExtControlBar::XF_AUTO_HIDDEN) == 0)
    return NULL;
  CExtDynAutoHideSlider* pSlider = DYNAMIC_DOWNCAST(CExtDynAutoHideSlider, pBar->GetParent());
  return pSlider != NULL && pSlider->GetShownBar() == pBar ? pSlider : NULL;
}
} // namespace

CWnd* CExtControlBar::GetCaptionWindow() const {
  if (CExtDynAutoHideSlider* pSlider = SliderShowing(this))
    return pSlider;
  if (IsFloating()) {
    CFrameWnd* pFrame = GetParentFrame();
    if (pFrame != NULL)
      return pFrame;
  }
  return const_cast<CExtControlBar*>(this);
}

bool CExtControlBar::GetButtonCaption(CRect& rcCaption, bool& bOnTop) const {
  rcCaption.SetRectEmpty();
  bOnTop = true;
  if ((m_bExtraFlags & XF_AUTO_HIDDEN) != 0) {
    // Only the slider showing the bar carries its caption.
    CExtDynAutoHideSlider* pSlider = SliderShowing(this);
    if (pSlider == NULL)
      return false;
    bool bShown = false;
    QueryCaption(&bOnTop, &bShown);
    rcCaption = pSlider->GetCaptionRect();
    return !rcCaption.IsRectEmpty();
  }
  if (IsFloating()) {
    // The floating frame's caption, known to the floating frame only.
    CFrameWnd* pFrame = GetParentFrame();
    if (pFrame == NULL || g_pfnQueryFloatingCaption == NULL || !g_pfnQueryFloatingCaption(pFrame, rcCaption))
      return false;
    rcCaption.InflateRect(2, 2, 1, 2);
    return !rcCaption.IsRectEmpty();
  }
  bool bShown = false;
  if (!QueryCaption(&bOnTop, &bShown) || !bShown)
    return false;
  rcCaption = m_rcNcCaption;
  return !rcCaption.IsRectEmpty();
}

void CExtControlBar::InitNcAreaButtons() {
  if (!m_arrNcButtons.empty())
    return;
  m_arrNcButtons.push_back(new CExtBarNcAreaButtonClose(this));
  m_arrNcButtons.push_back(new CExtBarNcAreaButtonAutoHide(this));
  m_arrNcButtons.push_back(new CExtBarNcAreaButtonMenu(this));
}

void CExtControlBar::RepositionNcAreaButtons() {
  CExtBarNcAreaButton* pPrev = NULL;
  for (CExtBarNcAreaButton* pButton : m_arrNcButtons) {
    pButton->Reposition(pPrev);
    if (pButton->IsVisible())
      pPrev = pButton;
  }
  if (!g_ResourceManagerHolder->IsRightToLeft())
    return;
  CRect rcCaption;
  bool bOnTop = true;
  if (!GetButtonCaption(rcCaption, bOnTop))
    return;
  for (CExtBarNcAreaButton* pButton : m_arrNcButtons)
    if (pButton->IsVisible())
      pButton->MirrorInCaption(rcCaption);
}

void CExtControlBar::CalcCaptionTextRect(CRect& rcCaption) const {
  CRect rcButtons;
  bool bRightToLeft = g_ResourceManagerHolder->IsRightToLeft();
  CExtBarNcAreaButton* pLast = NULL;
  for (CExtBarNcAreaButton* pButton : m_arrNcButtons)
    if (pButton->IsVisible() && !pButton->m_rc.IsRectEmpty())
      pLast = pButton;
  if (pLast == NULL)
    return;
  bool bOnTop = true;
  CRect rcIgnored;
  GetButtonCaption(rcIgnored, bOnTop);
  if (bOnTop) {
    if (bRightToLeft)
      rcCaption.left = std::min(rcCaption.right, pLast->m_rc.right + 1);
    else
      rcCaption.right = std::max(rcCaption.left, pLast->m_rc.left - 1);
  } else {
    rcCaption.top = std::min(rcCaption.bottom, pLast->m_rc.bottom + 1);
  }
}

UINT CExtControlBar::NcButtonHitTest(CPoint ptScreen, CExtBarNcAreaButton** ppButton) {
  if (ppButton != NULL)
    *ppButton = NULL;
  CWnd* pCarrier = GetCaptionWindow();
  if (pCarrier == NULL || pCarrier->GetSafeHwnd() == NULL)
    return HTCLIENT;
  CRect rcCarrier;
  pCarrier->GetWindowRect(&rcCarrier);
  CPoint pt = ptScreen - rcCarrier.TopLeft();
  if (GetDraggedBar() != NULL || CExtPopupMenuWnd::AnyMenuTracked())
    return HTCLIENT;
  bool bBusy = (m_bBarState & (BS_DRAGGING | BS_ROW_RESIZING | BS_INROW_RESIZING)) != 0;
  bool bRepaint = false;
  UINT nAnswer = HTCLIENT;
  for (CExtBarNcAreaButton* pButton : m_arrNcButtons) {
    if (!pButton->IsVisible())
      continue;
    BYTE bOld = pButton->m_bFlags;
    if (ppButton == NULL && bBusy) {
      pButton->ClearHoverPressed();
    } else {
      UINT nHit = pButton->HitTest(pt);
      if (nHit != HTCLIENT && nAnswer == HTCLIENT) {
        nAnswer = nHit;
        if (ppButton != NULL) {
          *ppButton = pButton;
          bRepaint = bRepaint || bOld != pButton->m_bFlags;
          break;
        }
      }
    }
    bRepaint = bRepaint || bOld != pButton->m_bFlags;
  }
  if (bRepaint)
    pCarrier->SendMessage(WM_NCPAINT);
  return nAnswer;
}

void CExtControlBar::PaintNcAreaButtons(CDC& dc) {
  for (CExtBarNcAreaButton* pButton : m_arrNcButtons)
    if (pButton->IsVisible())
      pButton->Paint(dc);
}

// --- the button base -----------------------------------------------------------------------------

CExtBarNcAreaButton::CExtBarNcAreaButton() : m_pBar(NULL), m_rc(0, 0, 0, 0), m_bFlags(0) {}

CExtBarNcAreaButton::CExtBarNcAreaButton(CExtControlBar* pBar)
    : m_pBar(pBar), m_rc(0, 0, 0, 0), m_bFlags(0) {}

void CExtBarNcAreaButton::Destroy() { delete this; }

bool CExtBarNcAreaButton::IsVisible() const {
  // An auto-hidden bar shows its buttons only while its slider shows it.
  if (m_pBar == NULL || (!m_pBar->IsVisible() && SliderShowing(m_pBar) == NULL))
    return false;
  CRect rcCaption;
  bool bOnTop = true;
  return m_pBar->GetButtonCaption(rcCaption, bOnTop);
}

void CExtBarNcAreaButton::Reposition(CExtBarNcAreaButton* pPrevVisible) {
  CRect rcCaption;
  bool bOnTop = true;
  if (m_pBar == NULL || !m_pBar->GetButtonCaption(rcCaption, bOnTop)) {
    m_rc.SetRectEmpty();
    return;
  }
  m_rc = rcCaption;
  if (bOnTop) {
    m_rc.DeflateRect(2, 3);
    m_rc.left = m_rc.right - m_rc.Height();
    m_rc.OffsetRect(-1, 0);
    if (pPrevVisible != NULL)
      m_rc.OffsetRect(pPrevVisible->m_rc.left - kGap - m_rc.right, 0);
  } else {
    m_rc.DeflateRect(3, 2);
    m_rc.bottom = m_rc.top + m_rc.Width();
    m_rc.OffsetRect(0, 1);
    if (pPrevVisible != NULL)
      m_rc.OffsetRect(0, pPrevVisible->m_rc.bottom + kGap - m_rc.top);
  }
}

void CExtBarNcAreaButton::MirrorInCaption(const CRect& rcCaption) {
  int nWidth = m_rc.Width();
  m_rc.left = rcCaption.left + (rcCaption.right - m_rc.right);
  m_rc.right = m_rc.left + nWidth;
}

void CExtBarNcAreaButton::Paint(CDC& /*dc*/) {}

UINT CExtBarNcAreaButton::HitTest(CPoint ptWnd) {
  if (m_rc.PtInRect(ptWnd)) {
    m_bFlags |= NCB_HOVER;
    bool bLeftOnly = (::GetKeyState(VK_LBUTTON) & 0x8000) != 0 && (::GetKeyState(VK_MBUTTON) & 0x8000) == 0 &&
                     (::GetKeyState(VK_RBUTTON) & 0x8000) == 0;
    if (bLeftOnly)
      m_bFlags |= NCB_PRESSED;
    else
      m_bFlags &= ~NCB_PRESSED;
    return HTNOWHERE;
  }
  ClearHoverPressed();
  return HTCLIENT;
}

HCURSOR CExtBarNcAreaButton::QueryCursor(CPoint ptWnd) const {
  return m_rc.PtInRect(ptWnd) ? CExtControlBar::g_hCursorArrow : NULL;
}

bool CExtBarNcAreaButton::Click(CPoint ptWnd) { return m_rc.PtInRect(ptWnd) != FALSE; }

INT_PTR CExtBarNcAreaButton::FillToolInfo(CPoint /*ptWnd*/, TOOLINFO* /*pTI*/) const { return -1; }

CString CExtBarNcAreaButton::LoadTipText(UINT nStringId, LPCSTR lpszFallback) {
  CString str;
  if (!g_ResourceManagerHolder->LoadString(str, nStringId) || str.IsEmpty())
    str = lpszFallback;
  return str;
}

bool CExtBarNcAreaButton::IsBarActive() const {
  if (m_pBar->IsFloating()) {
    CFrameWnd* pFrame = m_pBar->GetParentFrame();
    HWND hFocus = ::GetFocus();
    return pFrame != NULL && hFocus != NULL &&
           (hFocus == pFrame->m_hWnd || ::IsChild(pFrame->m_hWnd, hFocus));
  }
  return (m_pBar->m_bExtraFlags & CExtControlBar::XF_FOCUS_INSIDE) != 0;
}

void CExtBarNcAreaButton::PaintGlyph(CDC& dc, int nGlyph) {
  if (m_rc.IsRectEmpty())
    return;
  bool bLive =
      (m_bFlags & NCB_DISABLED) == 0 && !CExtPopupMenuWnd::AnyMenuTracked() && (m_bFlags & NCB_IN_MENU) == 0;
  bool bInCaption = !m_pBar->IsFixedMode() || (m_bFlags & NCB_IN_MENU) != 0;
  NcAreaButtonPaintData data(this, m_rc, nGlyph, bLive && IsHover(), bLive && IsPressed(),
                             (m_bFlags & NCB_DISABLED) == 0, bInCaption, IsBarActive(), m_pBar->IsFloating());
  g_PaintManagerHolder->PaintBarNcAreaButton(dc, data);
}

INT_PTR CExtBarNcAreaButton::FillToolInfoText(TOOLINFO* pTI, UINT nStringId, LPCSTR lpszFallback) const {
  if (pTI == NULL)
    return -1;
  CString strText = LoadTipText(nStringId, lpszFallback);
  CWnd* pCarrier = m_pBar->GetCaptionWindow();
  CRect rcWnd, rcClient;
  pCarrier->GetWindowRect(&rcWnd);
  pCarrier->GetClientRect(&rcClient);
  pCarrier->ClientToScreen(&rcClient);
  CRect rcTool(m_rc);
  rcTool.OffsetRect(rcWnd.TopLeft() - rcClient.TopLeft());
  pTI->rect = rcTool;
  pTI->hwnd = m_pBar->GetSafeHwnd();
  pTI->uId = static_cast<UINT_PTR>(m_pBar->GetDlgCtrlID());
  // The tool-tip machinery frees the text it is given.
  size_t nSize = static_cast<size_t>(strText.GetLength()) + 1;
  LPSTR pszCopy = static_cast<LPSTR>(std::malloc(nSize));
  if (pszCopy != NULL)
    std::memcpy(pszCopy, static_cast<LPCSTR>(strText), nSize);
  pTI->lpszText = pszCopy != NULL ? pszCopy : LPSTR_TEXTCALLBACKA;
  return static_cast<INT_PTR>(pTI->uId);
}

// --- close ---------------------------------------------------------------------------------------

bool CExtBarNcAreaButtonClose::IsVisible() const {
  if (!CExtBarNcAreaButton::IsVisible() || !m_pBar->IsNcCloseButtonEnabled())
    return false;
  return !m_pBar->IsFixedMode() || m_pBar->IsFloating();
}

void CExtBarNcAreaButtonClose::Paint(CDC& dc) { PaintGlyph(dc, GLYPH_CLOSE); }

UINT CExtBarNcAreaButtonClose::HitTest(CPoint ptWnd) {
  UINT nHit = CExtBarNcAreaButton::HitTest(ptWnd);
  return nHit == HTNOWHERE ? HTMINBUTTON : nHit;
}

bool CExtBarNcAreaButtonClose::Click(CPoint ptWnd) {
  if (!m_rc.PtInRect(ptWnd))
    return false;
  ClearHoverPressed();
  if (!m_pBar->IsFixedMode() && (m_pBar->m_bExtraFlags & CExtControlBar::XF_AUTO_HIDDEN) != 0) {
    m_pBar->SetAutoHideMode(false, false, true, true);
    m_pBar->ShowInFrame(false, false, false);
  } else {
    m_pBar->ShowInFrame(false, false, m_pBar->IsStaticOptionBSet());
  }
  return true;
}

INT_PTR CExtBarNcAreaButtonClose::FillToolInfo(CPoint ptWnd, TOOLINFO* pTI) const {
  return m_rc.PtInRect(ptWnd) ? FillToolInfoText(pTI, kTipStringId, "Hide") : -1;
}

// --- auto-hide -----------------------------------------------------------------------------------

bool CExtBarNcAreaButtonAutoHide::IsVisible() const {
  if (!CExtBarNcAreaButton::IsVisible() || !m_pBar->IsNcAutoHideButtonEnabled() || m_pBar->IsFixedMode() ||
      m_pBar->IsFloating())
    return false;
  // Only a side dock bar with an auto-hide strip offers it, and never inside a floating frame.
  if ((m_pBar->m_bExtraFlags & CExtControlBar::XF_AUTO_HIDDEN) != 0)
    return true;
  CExtDockBar* pDockBar = m_pBar->GetExtDockBar();
  CFrameWnd* pFrame = m_pBar->GetParentFrame();
  return pDockBar != NULL && pDockBar->GetAutoHideArea() != NULL && pFrame != NULL &&
         !pFrame->IsKindOf(RUNTIME_CLASS(CMiniFrameWnd));
}

void CExtBarNcAreaButtonAutoHide::Reposition(CExtBarNcAreaButton* pPrevVisible) {
  CExtBarNcAreaButton::Reposition(pPrevVisible);
  if ((m_pBar->m_bExtraFlags & CExtControlBar::XF_AUTO_HIDDEN) == 0)
    ClearHoverPressed();
}

void CExtBarNcAreaButtonAutoHide::Paint(CDC& dc) {
  bool bHidden = (m_pBar->m_bExtraFlags & CExtControlBar::XF_AUTO_HIDDEN) != 0;
  PaintGlyph(dc, bHidden ? GLYPH_AUTOHIDDEN : GLYPH_AUTOHIDE);
}

bool CExtBarNcAreaButtonAutoHide::Click(CPoint ptWnd) {
  if (!m_rc.PtInRect(ptWnd))
    return false;
  ClearHoverPressed();
  CExtControlBar* pTarget = m_pBar;
  if (CExtDynTabControlBar* pTabs = m_pBar->GetTabContainerBar())
    pTarget = reinterpret_cast<CExtControlBar*>(pTabs);
  bool bHidden = (pTarget->m_bExtraFlags & CExtControlBar::XF_AUTO_HIDDEN) != 0;
  pTarget->SetAutoHideMode(!bHidden, false, true, false);
  return true;
}

INT_PTR CExtBarNcAreaButtonAutoHide::FillToolInfo(CPoint ptWnd, TOOLINFO* pTI) const {
  return m_rc.PtInRect(ptWnd) ? FillToolInfoText(pTI, kTipStringId, "Auto Hide") : -1;
}

// --- the options menu ----------------------------------------------------------------------------

bool CExtBarNcAreaButtonMenu::IsVisible() const {
  return CExtBarNcAreaButton::IsVisible() && m_pBar->IsNcMenuButtonEnabled() && m_pBar->IsFixedMode() &&
         m_pBar->IsFloating();
}

void CExtBarNcAreaButtonMenu::Paint(CDC& dc) { PaintGlyph(dc, GLYPH_OPTIONS); }

namespace {

// Paints the menu button into the open options menu, at the place it has in the caption.
void PaintButtonInMenu(LPVOID pCookie, CDC& dc, const CWnd& wndMenu, const RECT& /*rcArea*/, int /*nSide*/) {
  CExtBarNcAreaButton* pButton = static_cast<CExtBarNcAreaButton*>(pCookie);
  CWnd* pCarrier = pButton->m_pBar->GetCaptionWindow();
  CRect rcCarrier;
  pCarrier->GetWindowRect(&rcCarrier);
  CPoint ptMenu(0, 0);
  ::ClientToScreen(wndMenu.m_hWnd, &ptMenu);
  CPoint ptShift = rcCarrier.TopLeft() - ptMenu;
  CPoint ptOld = dc.SetViewportOrg(0, 0);
  dc.SetViewportOrg(ptOld + ptShift);
  pButton->m_bFlags |= CExtBarNcAreaButton::NCB_IN_MENU;
  pButton->Paint(dc);
  pButton->m_bFlags &= ~CExtBarNcAreaButton::NCB_IN_MENU;
  dc.SetViewportOrg(ptOld);
}

} // namespace

bool CExtBarNcAreaButtonMenu::Click(CPoint ptWnd) {
  if (!m_rc.PtInRect(ptWnd))
    return false;
  ClearHoverPressed();
  if (CExtControlBar::IsFrameInHelpMode(m_pBar))
    return true;
  CFrameWnd* pFrame = m_pBar->GetDockingFrame();
  CExtPopupMenuWnd* pPopup = new CExtPopupMenuWnd;
  pPopup->InitTopLevel(pFrame != NULL ? pFrame->m_hWnd : m_pBar->m_hWnd);
  CExtControlBar::POPUP_MENU_EVENT_DATA data(CExtControlBar::POPUP_MENU_EVENT_DATA::EVENT_NC_OPTIONS_MENU,
                                             pPopup, m_pBar, POINT{-1, -1}, WM_NCLBUTTONDOWN, this);
  if (!data.NotifyTarget(false)) {
    CString strText = LoadTipText(kBarsSubmenuStringId, "&Show/hide panels");
    if (pPopup->InsertItem(CExtPopupMenuWnd::ID_SUBMENU, -1, strText)) {
      int nIndex = pPopup->GetItemCount() - 1;
      CExtPopupMenuWnd* pSubmenu = pPopup->ItemGetPopup(nIndex);
      CFrameWnd* pDockingFrame = m_pBar->GetDockingFrame();
      if (pSubmenu != NULL && pDockingFrame != NULL)
        CExtDockBar::BuildBarsContextMenu(
            pDockingFrame, pSubmenu, CExtControlBar::POPUP_MENU_EVENT_DATA::EVENT_NC_OPTIONS_BARS_SUBMENU,
            m_pBar, WM_NCLBUTTONDOWN, this);
      if (pSubmenu == NULL || pSubmenu->GetItemCount() == 0)
        pPopup->ItemRemove(nIndex);
    }
  }
  data.NotifyTarget(true);
  if (pPopup->GetItemCount() == 0) {
    delete pPopup;
    return true;
  }
  CRect rcScreen(m_rc);
  CRect rcCarrier;
  m_pBar->GetCaptionWindow()->GetWindowRect(&rcCarrier);
  rcScreen.OffsetRect(rcCarrier.TopLeft());
  rcScreen.InflateRect(1, 1);
  if (!pPopup->RunTrackingLoop(0x824, rcScreen.CenterPoint().x, rcScreen.CenterPoint().y, &rcScreen, this,
                               &PaintButtonInMenu))
    delete pPopup;
  return true;
}

INT_PTR CExtBarNcAreaButtonMenu::FillToolInfo(CPoint ptWnd, TOOLINFO* pTI) const {
  return m_rc.PtInRect(ptWnd) ? FillToolInfoText(pTI, kTipStringId, "Options") : -1;
}
