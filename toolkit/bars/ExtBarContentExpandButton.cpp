// The chevron button: its measure, look and tip, and its menu of the buttons that did not fit,
// followed by the frame's bars.
#include "toolkit/bars/ExtPanelControlBar.h"

#include "resources/toolkit_ids.h"
#include "toolkit/docking/ExtDockBar.h"
#include "toolkit/foundation/ExtResourceManager.h"
#include "toolkit/menus/ExtPopupMenuWnd.h"
#include "toolkit/theme/ExtPaintManager.h"
#include "toolkit/theme/ExtPaintManagerHolder.h"

#include <cstdlib>
#include <cstring>
#include <memory>

IMPLEMENT_DYNAMIC(CExtBarContentExpandButton, CExtBarButton)

namespace {

// The chevron's extent along the bar.
const int kChevronLength = 11;
// The source message named in the chevron's menu notifications: the menu opens from a press.
const UINT kMenuSourceMessage = WM_NCLBUTTONDOWN;

CString LoadToolkitString(UINT nId, LPCSTR lpszFallback) {
  CString str;
  if (!g_ResourceManagerHolder->LoadString(str, nId) || str.IsEmpty())
    str = lpszFallback;
  return str;
}

// Where a popup opened from the bar goes, from the side the bar sits on.
UINT BarPopupAlignment(const CExtToolControlBar& bar) {
  if (bar.IsFloating())
    return 4;
  if (bar.IsDockedAtLeft())
    return 1;
  if (bar.IsDockedAtRight())
    return 3;
  if (bar.IsDockedAtBottom())
    return 6;
  return 4;
}

bool IsLastItemSeparator(CExtPopupMenuWnd& popup) {
  const int nCount = popup.GetItemCount();
  return nCount > 0 && popup.ItemGetCmdID(nCount - 1) == 0;
}

} // namespace

CExtBarContentExpandButton::CExtBarContentExpandButton(CExtToolControlBar* pBar)
    : CExtBarButton(pBar, kCmdId, 0), m_bAllContentVisible(true) {}

CExtBarContentExpandButton::~CExtBarContentExpandButton() {
  // Cleared here so that the base never sees a handle already destroyed.
  if (m_hMenu != NULL && (m_nOptionFlags & OF_AUTO_DESTROY_MENU) != 0 && ::IsMenu(m_hMenu))
    ::DestroyMenu(m_hMenu);
  m_hMenu = NULL;
}

CSize CExtBarContentExpandButton::CalculateLayout(CDC& /*dc*/, CSize sizePreCalc, bool bHorz) {
  m_size = bHorz ? CSize(kChevronLength, sizePreCalc.cy) : CSize(sizePreCalc.cx, kChevronLength);
  return m_size;
}

UINT CExtBarContentExpandButton::GetMenuAlignment() const {
  UINT nAlign = CExtBarButton::GetMenuAlignment();
  if (m_pBar != NULL && m_pBar->QueryChevronMenuOption())
    nAlign |= CExtPopupMenuWnd::TPMX_PALETTE;
  else
    nAlign &= ~CExtPopupMenuWnd::TPMX_PALETTE;
  nAlign &= ~CExtPopupMenuWnd::TPMX_COMBINE_MASK;
  if (g_PaintManagerHolder->IsChevronMenuCombined())
    nAlign |= CExtPopupMenuWnd::TPMX_COMBINE_BY_THEME;
  return nAlign;
}

void CExtBarContentExpandButton::OnClick(CPoint point, bool bDown) {
  if (!bDown || m_pBar == NULL || m_pBar->IsBarInteractionSuspended())
    return;
  CExtToolControlBar::g_bMenuExpanded = false;
  OnTrackPopup(point, false, false);
}

void CExtBarContentExpandButton::OnHover(CPoint point, bool bHover, bool& bSuppressTip) {
  if (m_pBar != NULL && m_pBar->IsBarInteractionSuspended())
    return;
  CExtBarButton::OnHover(point, bHover, bSuppressTip);
}

int CExtBarContentExpandButton::OnHelpHitTest(CPoint point) { return CExtBarButton::OnHelpHitTest(point); }

void CExtBarContentExpandButton::Paint(CDC& dc, bool bHorz) {
  if (m_pBar == NULL || m_rc.IsRectEmpty() || !IsVisible() || (GetStyle() & TBBS_HIDDEN) != 0 ||
      dc.GetSafeHdc() == NULL)
    return;
  const int nIndex = m_pBar->GetButtonIndex(this);
  const bool bTracked = nIndex >= 0 && m_pBar->GetTrackedButton() == nIndex;
  const bool bHover = !CExtPopupMenuWnd::AnyMenuTracked() && (IsHover() || IsPressedTracking());
  g_PaintManagerHolder->PaintContentExpandButton(dc, m_rc, bHorz, m_bAllContentVisible, !IsDisabled(),
                                                 IsPressed() || bTracked, bHover, m_pBar, GetPaintParam(dc),
                                                 false);
}

UINT CExtBarContentExpandButton::OnTrackPopup(CPoint /*point*/, bool bSelectAny, bool bForceNoAnimation) {
  const UINT nNoCommand = (UINT)-1;
  CExtToolControlBar* pBar = m_pBar;
  if (pBar == NULL || pBar->GetSafeHwnd() == NULL || pBar->IsBarInteractionSuspended() || IsDisabled())
    return nNoCommand;
  const int nIndex = pBar->GetButtonIndex(this);
  if (CExtToolControlBar::g_bMenuTracking && nIndex >= 0 && pBar->GetTrackedButton() == nIndex)
    return nNoCommand;
  const bool bListsBars = (pBar->m_nToolBarFlags & CExtToolControlBar::TBF_CHEVRON_MENU) != 0;
  if (!bListsBars && m_arrHiddenButtons.GetSize() == 0)
    return nNoCommand;

  // Moving from one open bar menu to the chevron keeps the shared flag.
  const bool bWasTracking = CExtToolControlBar::g_bMenuTracking;
  CExtToolControlBar::EndMenuTrackingInAllBars();
  CExtToolControlBar::g_bMenuTracking = bWasTracking;
  if (pBar->IsFloating()) {
    CFrameWnd* pMiniFrame = pBar->GetParentFrame();
    if (pMiniFrame != NULL) {
      pMiniFrame->SetActiveWindow();
      pMiniFrame->BringWindowToTop();
    }
  }

  auto pPopup = std::make_unique<CExtPopupMenuWnd>();
  CWnd* pTarget = pBar->GetOwner();
  pPopup->InitTopLevel(pTarget != NULL ? pTarget->GetSafeHwnd() : pBar->GetSafeHwnd());
  const UINT nMenuAlign = GetMenuAlignment();
  DWORD dwPopupFlags = BarPopupAlignment(*pBar) | CExtPopupMenuWnd::TPMX_OWNERDRAW_ITEMS;
  // The buttons put themselves into a palette as cells, so the palette is chosen before they do.
  if ((nMenuAlign & CExtPopupMenuWnd::TPMX_PALETTE) != 0)
    dwPopupFlags |= CExtPopupMenuWnd::TPMX_PALETTE;
  pPopup->SetTrackFlags(dwPopupFlags);

  const bool bDialogMode = pBar->IsDialogMode();
  CExtControlBar::POPUP_MENU_EVENT_DATA dataMenu(
      CExtControlBar::POPUP_MENU_EVENT_DATA::EVENT_TOOLBAR_EXPAND_MENU, pPopup.get(), pBar, CPoint(-1, -1),
      kMenuSourceMessage, this);
  if (!dataMenu.NotifyTarget(false)) {
    for (INT_PTR i = 0; i < m_arrHiddenButtons.GetSize(); i++) {
      CExtBarButton* pHidden = m_arrHiddenButtons[i];
      if (pHidden == NULL || (i == 0 && pHidden->IsSeparator()))
        continue;
      pHidden->InsertToPopupMenu(pPopup.get());
    }
    if ((nMenuAlign & CExtPopupMenuWnd::TPMX_PALETTE) != 0)
      pPopup->AssignRowBreaks();
    if (pPopup->GetItemCount() > 0 && !IsLastItemSeparator(*pPopup) && !bDialogMode && bListsBars)
      pPopup->InsertItem(0, -1);

    CFrameWnd* pFrame = pBar->GetDockingFrame();
    if (!bDialogMode && bListsBars && pFrame != NULL) {
      const CString sText = LoadToolkitString(IDS_EXT_SHOW_HIDE_PANELS, "&Show/hide panels");
      CExtControlBar::POPUP_MENU_EVENT_DATA dataBars(
          CExtControlBar::POPUP_MENU_EVENT_DATA::EVENT_TOOLBAR_CHEVRON, pPopup.get(), pBar, CPoint(-1, -1),
          kMenuSourceMessage, this);
      if (!dataBars.NotifyTarget(false) && pPopup->InsertItem(CExtPopupMenuWnd::ID_SUBMENU, -1, sText)) {
        const int nSubmenu = pPopup->GetItemCount() - 1;
        CExtPopupMenuWnd* pSubmenu = pPopup->ItemGetPopup(nSubmenu);
        // A sub-menu that lists nothing would open onto nothing: it goes too.
        if (pSubmenu == NULL ||
            !CExtDockBar::BuildBarsContextMenu(
                pFrame, pSubmenu, CExtControlBar::POPUP_MENU_EVENT_DATA::EVENT_TOOLBAR_CHEVRON_BARS_LIST,
                pBar, kMenuSourceMessage, this) ||
            pSubmenu->GetItemCount() == 0)
          pPopup->ItemRemove(nSubmenu);
      }
    }
    // The separator before the bars goes when no bars follow it.
    if (IsLastItemSeparator(*pPopup))
      pPopup->ItemRemove(pPopup->GetItemCount() - 1);
  }
  if (pPopup->GetItemCount() == 0)
    return nNoCommand;

  CRect rcScreen = GetRect();
  pBar->ClientToScreen(&rcScreen);
  pBar->SetTrackedButton(nIndex);
  DWORD dwTrackFlags = nMenuAlign | CExtPopupMenuWnd::TPMX_OWNERDRAW_ITEMS;
  if (bSelectAny)
    dwTrackFlags |= CExtPopupMenuWnd::TPMX_SELECT_FIRST;
  if (CExtToolControlBar::g_bMenuExpanded)
    dwTrackFlags |= CExtPopupMenuWnd::TPMX_SHOW_ALL;
  if (bForceNoAnimation)
    dwTrackFlags |= CExtPopupMenuWnd::TPMX_NO_ANIMATION;
  if (!pPopup->RunTrackingLoop(dwTrackFlags, rcScreen.left, rcScreen.bottom, &rcScreen, pBar,
                               &CExtToolControlBar::PaintTrackedButtonOnPopup, NULL, true)) {
    pPopup.reset();
    CExtToolControlBar::EndMenuTrackingInAllBars();
    return nNoCommand;
  }
  pPopup.release(); // the tracking deletes it when the menu closes
  CExtToolControlBar::g_bMenuTracking = true;
  if (::IsWindow(pBar->GetSafeHwnd()))
    pBar->SetTrackedButton(nIndex);
  return nNoCommand;
}

INT_PTR CExtBarContentExpandButton::OnToolHitTest(CPoint /*point*/, TOOLINFO* pTI) {
  if (pTI == NULL || m_pBar == NULL)
    return -1;
  const CString sText = LoadToolkitString(IDS_EXT_WHERE_ARE_BUTTONS, "Where are buttons?");
  pTI->rect = m_rc;
  pTI->uId = kTipToolId;
  pTI->hwnd = m_pBar->GetSafeHwnd();
  // The tool-tip machinery frees the text it is given.
  const size_t nSize = static_cast<size_t>(sText.GetLength()) + 1;
  LPSTR pszCopy = static_cast<LPSTR>(std::malloc(nSize));
  if (pszCopy != NULL)
    std::memcpy(pszCopy, static_cast<LPCSTR>(sText), nSize);
  pTI->lpszText = pszCopy != NULL ? pszCopy : LPSTR_TEXTCALLBACKA;
  return kTipToolId;
}
