// The tool bar: data, the button array, the tracked button, the window procedure.
#include "toolkit/bars/ExtToolControlBar.h"
#include "toolkit/bars/ExtPanelControlBar.h"
#include "toolkit/foundation/ExtCmdManager.h"
#include "toolkit/menus/ExtBarMenuTracking.h"
#include "toolkit/menus/ExtPopupMenuWnd.h"
#include "toolkit/menus/ExtPopupTrackSite.h"
#include "toolkit/theme/ExtPaintManager.h"
#include "toolkit/theme/ExtPaintManagerHolder.h"

#include <algorithm>

IMPLEMENT_DYNAMIC(CExtToolControlBar, CExtControlBar)

BEGIN_MESSAGE_MAP(CExtToolControlBar, CExtControlBar)
ON_WM_LBUTTONDOWN()
ON_WM_LBUTTONUP()
ON_WM_LBUTTONDBLCLK()
ON_WM_RBUTTONUP()
ON_WM_CANCELMODE()
ON_WM_SIZE()
ON_WM_TIMER()
ON_WM_CAPTURECHANGED()
ON_WM_SETTINGCHANGE()
ON_REGISTERED_MESSAGE(CExtToolControlBar::g_nMsgTrackButtonMenu, OnTrackButtonMenu)
ON_MESSAGE(WM_MOUSELEAVE, OnMouseLeave)
END_MESSAGE_MAP()

namespace {
// Posted by whoever wants the frame laid out again once no menu or drag is running.
const UINT kDeferredLayoutTimerId = 0x444;
} // namespace

CExtToolControlBar::CExtToolControlBar()
    : m_pRightBtn(NULL), m_nToolBarFlags(TBF_CHEVRON_MENU), m_nLayoutFlags(0), m_nBtnIdxMenuTracking(-1),
      m_nBtnIdxCapture(-1), m_nBtnIdxHover(-1), m_ptLastPointer(-32768, -32768) {
  m_cxLeftBorder = 1;
  m_cxRightBorder = 1;
  m_cyTopBorder = 0;
  m_cyBottomBorder = 0;
  m_bBarFlags |= BF_FIXED_MODE;
  // A tool bar's gripper runs across its start (the left of a horizontal row, the top of a
  // vertical one), and its hosted controls keep their own sizes.
  m_bBarFlags &= ~BF_CAPTION_ON_TOP;
  m_bBarState &= ~BS_FIT_CHILD;
  m_nMinWidthBase = 10;
  m_nMinHeightBase = 8;
}

CExtToolControlBar::~CExtToolControlBar() {
  // Leave the process-wide list before the buttons go, so a walk over all bars never meets a
  // half-destroyed tool bar.
  {
    CSingleLock lock(&g_csAllBars, TRUE);
    auto it = std::find(g_AllBars.begin(), g_AllBars.end(), static_cast<CExtControlBar*>(this));
    if (it != g_AllBars.end())
      g_AllBars.erase(it);
  }
  DeleteAllButtonObjects();
}

// --- class-wide --------------------------------------------------------------------------------

bool ExtBarMenuTracking::IsTracking() { return CExtToolControlBar::g_bMenuTracking; }

void ExtBarMenuTracking::EndInAllBars() { CExtToolControlBar::EndMenuTrackingInAllBars(); }

void CExtToolControlBar::EndMenuTrackingInAllBars() {
  g_bMenuTracking = false;
  {
    CSingleLock lock(&g_csAllBars, TRUE);
    // By index over the live list: a bar that goes meanwhile is never touched.
    for (size_t i = 0; i < g_AllBars.size(); ++i) {
      CExtToolControlBar* pToolBar = dynamic_cast<CExtToolControlBar*>(g_AllBars[i]);
      if (pToolBar != NULL && pToolBar->GetSafeHwnd() != NULL)
        pToolBar->SetTrackedButton(-1);
    }
  }
  if (CExtPopupMenuWnd::AnyMenuTracked() && !g_PopupTrackSite.IsEnding()) {
    CExtPopupMenuWnd* pPopup = g_PopupTrackSite.m_pTrackedMenu;
    if (pPopup != NULL && pPopup->GetSafeHwnd() != NULL)
      pPopup->PostMessage(WM_CANCELMODE);
  }
  CWnd::CancelToolTips();
}

// --- buttons -----------------------------------------------------------------------------------

int CExtToolControlBar::GetButtonCount() const { return (int)m_buttons.GetSize(); }

CExtBarButton* CExtToolControlBar::GetButton(int nIndex) const {
  if (nIndex < 0 || nIndex >= GetButtonCount())
    return NULL;
  return m_buttons[nIndex];
}

int CExtToolControlBar::GetButtonIndex(const CExtBarButton* pButton) const {
  if (pButton == NULL)
    return -1;
  for (int i = 0; i < GetButtonCount(); ++i) {
    if (m_buttons[i] == pButton)
      return i;
  }
  return -1;
}

int CExtToolControlBar::CommandToIndex(UINT nCmdID) const {
  for (int i = 0; i < GetButtonCount(); ++i) {
    if (m_buttons[i]->GetCmdID(false) == nCmdID)
      return i;
  }
  return -1;
}

UINT CExtToolControlBar::GetButtonID(int nIndex) const {
  CExtBarButton* pButton = GetButton(nIndex);
  return pButton == NULL ? 0 : pButton->GetCmdID(false);
}

bool CExtToolControlBar::SetButtons(const UINT* lpIDArray, int nIDCount) {
  RemoveAllButtons();
  if (lpIDArray == NULL || nIDCount <= 0)
    return true;
  const bool bAtFront = IsInsertRightToLeft();
  for (int i = 0; i < nIDCount; ++i) {
    CExtBarButton* pButton = CreateButtonObject(lpIDArray[i], 0);
    if (pButton == NULL)
      return false;
    if (bAtFront)
      m_buttons.InsertAt(0, pButton);
    else
      m_buttons.Add(pButton);
  }
  m_pRightBtn = CreateContentExpandButton();
  if (m_pRightBtn != NULL)
    m_buttons.Add(m_pRightBtn);
  return true;
}

bool CExtToolControlBar::LoadToolBar(UINT nResourceID, COLORREF clrTransparent) {
  CUIntArray arrIds;
  LPCSTR lpszProfile = g_CmdManagerHolder->GetProfileNameForWindow(GetSafeHwnd());
  if (!g_CmdManagerHolder->ImportToolBarResource(lpszProfile, nResourceID, &arrIds, NULL, false, true,
                                                 clrTransparent))
    return false;
  return SetButtons(arrIds.GetData(), (int)arrIds.GetSize());
}

// Where a new button goes: -1 or the count mean the end, which lies before the chevron.
static int ResolveInsertPosition(int nPos, int nCount, bool bHasChevron) {
  if (nPos < -1 || nPos > nCount)
    return -1;
  const int nEnd = bHasChevron ? nCount - 1 : nCount;
  if (nPos == -1 || nPos > nEnd)
    return nEnd;
  return nPos;
}

bool CExtToolControlBar::InsertSpecButton(int nPos, CExtBarButton* pButton, bool bRecalc) {
  if (pButton == NULL)
    return false;
  const int nAt = ResolveInsertPosition(nPos, GetButtonCount(), m_pRightBtn != NULL);
  if (nAt < 0)
    return false;
  pButton->SetBar(this);
  m_buttons.InsertAt(nAt, pButton);
  // The indexes keep naming the same buttons.
  for (int* pIndex : {&m_nBtnIdxMenuTracking, &m_nBtnIdxCapture, &m_nBtnIdxHover}) {
    if (*pIndex >= nAt)
      ++*pIndex;
  }
  if (bRecalc)
    RecalcParentFrameLayout();
  return true;
}

bool CExtToolControlBar::InsertButton(int nPos, UINT nCmdID, bool bRecalc) {
  if (ResolveInsertPosition(nPos, GetButtonCount(), m_pRightBtn != NULL) < 0)
    return false;
  CExtBarButton* pButton = CreateButtonObject(nCmdID, 0);
  if (pButton == NULL)
    return false;
  if (!InsertSpecButton(nPos, pButton, bRecalc)) {
    delete pButton;
    return false;
  }
  return true;
}

bool CExtToolControlBar::RemoveButton(int nPos, bool bRecalc) {
  CExtBarButton* pButton = GetButton(nPos);
  if (pButton == NULL || pButton == m_pRightBtn)
    return false;
  if (m_pRightBtn != NULL) {
    CArray<CExtBarButton*, CExtBarButton*>& hidden = m_pRightBtn->m_arrHiddenButtons;
    for (INT_PTR i = hidden.GetSize() - 1; i >= 0; --i) {
      if (hidden[i] == pButton)
        hidden.RemoveAt(i);
    }
  }
  m_buttons.RemoveAt(nPos);
  delete pButton;
  m_nBtnIdxMenuTracking = m_nBtnIdxCapture = m_nBtnIdxHover = -1;
  if (bRecalc)
    RecalcParentFrameLayout();
  return true;
}

void CExtToolControlBar::RemoveAllButtons() {
  DeleteAllButtonObjects();
  m_nBtnIdxMenuTracking = m_nBtnIdxCapture = m_nBtnIdxHover = -1;
}

void CExtToolControlBar::DeleteAllButtonObjects() {
  // The chevron's list only points into the button array: empty it, then delete each button once.
  if (m_pRightBtn != NULL)
    m_pRightBtn->m_arrHiddenButtons.RemoveAll();
  CArray<CExtBarButton*, CExtBarButton*> buttons;
  buttons.Append(m_buttons);
  m_buttons.RemoveAll();
  m_pRightBtn = NULL;
  for (INT_PTR i = 0; i < buttons.GetSize(); ++i)
    delete buttons[i];
}

void CExtToolControlBar::SetButtonStyle(int nIndex, UINT nStyle) {
  CExtBarButton* pButton = GetButton(nIndex);
  if (pButton == NULL || pButton->GetStyle() == nStyle)
    return;
  pButton->SetStyle(nStyle);
  InvalidateButton(nIndex);
  if (GetSafeHwnd() != NULL && (m_nToolBarFlags & TBF_UPDATING_CMD_UI) == 0)
    UpdateWindow();
}

UINT CExtToolControlBar::GetButtonStyle(int nIndex) const {
  CExtBarButton* pButton = GetButton(nIndex);
  return pButton == NULL ? 0 : pButton->GetStyle();
}

bool CExtToolControlBar::SetButtonMenu(int nIndex, HMENU hMenu, bool bPopupMenu, bool bAutoDestroy,
                                       bool bRecalc) {
  CExtBarButton* pButton = GetButton(nIndex);
  if (pButton == NULL)
    return false;
  pButton->SetMenu(hMenu, bPopupMenu, bAutoDestroy);
  if (bRecalc)
    RecalcParentFrameLayout();
  return true;
}

bool CExtToolControlBar::SetButtonAppendMdiWindowsMenu(int nIndex, bool bAppend) {
  CExtBarButton* pButton = GetButton(nIndex);
  if (pButton == NULL)
    return false;
  pButton->SetAppendMdiWindowsMenu(bAppend);
  return true;
}

bool CExtToolControlBar::SetButtonCtrl(int nIndex, CWnd* pCtrl, bool bNoDelete) {
  CExtBarButton* pButton = GetButton(nIndex);
  if (pButton == NULL)
    return false;
  pButton->SetCtrl(pCtrl, bNoDelete);
  return true;
}

void CExtToolControlBar::InvalidateButton(int nIndex) {
  CExtBarButton* pButton = GetButton(nIndex);
  if (pButton == NULL || GetSafeHwnd() == NULL)
    return;
  CRect rc = GetButtonRect(nIndex);
  if (pButton == m_pRightBtn && g_PaintManagerHolder->HasDockerBackground(this)) {
    const CSize spacing = g_PaintManagerHolder->GetToolBarButtonSpacing();
    rc.InflateRect(spacing.cx + 1, spacing.cy + 1);
  }
  rc.InflateRect(1, 1);
  InvalidateRect(&rc, TRUE);
}

void CExtToolControlBar::SetTrackedButton(int nIndex) {
  if (GetSafeHwnd() == NULL)
    return;
  if (CExtBarButton* pOld = GetButton(m_nBtnIdxMenuTracking)) {
    pOld->ModifyStyle(0, TBBS_CHECKED | TBBS_PRESSED | TBBS_INDETERMINATE);
    pOld->ClearPressedTracking();
    InvalidateButton(m_nBtnIdxMenuTracking);
  }
  m_nBtnIdxMenuTracking = -1;
  if (CExtBarButton* pNew = GetButton(nIndex)) {
    m_nBtnIdxMenuTracking = nIndex;
    pNew->ModifyStyle(TBBS_PRESSED, TBBS_CHECKED | TBBS_INDETERMINATE);
    pNew->SetPressedTracking();
    InvalidateButton(nIndex);
  }
  UpdateWindow();
}

CRect CExtToolControlBar::GetButtonRect(int nIndex) const {
  CExtBarButton* pButton = GetButton(nIndex);
  return pButton == NULL ? CRect(0, 0, 0, 0) : pButton->GetRect();
}

// --- options and factories ---------------------------------------------------------------------

bool CExtToolControlBar::IsLargeIcons() const { return g_bLargeIcons; }

bool CExtToolControlBar::IsDisplayTips() const { return g_bDisplayTips; }

bool CExtToolControlBar::IsDisplayShortcutKeysInTips() const { return g_bShowShortcutsInTips; }

CExtBarButton* CExtToolControlBar::CreateButtonObject(UINT nCmdID, UINT nStyle) {
  return new CExtBarButton(this, nCmdID, nStyle);
}

CExtBarContentExpandButton* CExtToolControlBar::CreateContentExpandButton() {
  if (IsPanelBar())
    return NULL;
  return new CExtBarContentExpandButton(this);
}

LPARAM CExtToolControlBar::GetButtonPaintParam(CDC& /*dc*/, CExtBarButton* /*pButton*/) { return -1; }

bool CExtToolControlBar::IsLayoutRightToLeft() const { return false; }

bool CExtToolControlBar::IsInsertRightToLeft() const { return false; }

CSize CExtToolControlBar::GetDefButtonSize() const { return CSize(23, 22); }

bool CExtToolControlBar::QueryChevronMenuOption() const { return true; }

bool CExtToolControlBar::IsSuspendedDockedLayout() const {
  if (IsDialogMode() || m_pDockSite == NULL || IsFloating() || IsPanelBar())
    return false;
  return IsBarInteractionSuspended();
}

CFont* CExtToolControlBar::GetBarFont(bool bVert) const {
  return bVert ? &g_PaintManagerHolder->m_FontNormalVert : &g_PaintManagerHolder->m_FontNormal;
}

// --- window procedure and frame layout ---------------------------------------------------------

LRESULT CExtToolControlBar::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
  case WM_TIMER:
    if (wParam == kDeferredLayoutTimerId) {
      if (!CExtPopupMenuWnd::AnyMenuTracked() && !g_bMenuTracking && GetDraggedBar() == NULL) {
        KillTimer(kDeferredLayoutTimerId);
        if (CFrameWnd* pFrame = GetParentFrame()) {
          pFrame->RecalcLayout();
          if (pFrame->IsKindOf(RUNTIME_CLASS(CMiniFrameWnd)))
            pFrame->SendMessage(WM_NCPAINT);
        }
      }
      return 0;
    }
    break;
  case WM_WINDOWPOSCHANGED:
  case WM_SIZE:
    if (message == WM_WINDOWPOSCHANGED && GetDraggedBar() != this)
      RecalcParentFrameLayout();
    if (m_pDockContext == NULL) {
      Invalidate(TRUE);
      UpdateWindow();
    }
    break;
  default:
    break;
  }
  return CExtControlBar::WindowProc(message, wParam, lParam);
}

DWORD CExtToolControlBar::RecalcDelayShow(AFX_SIZEPARENTPARAMS* lpLayout) {
  const DWORD dwResult = CExtControlBar::RecalcDelayShow(lpLayout);
  if (!IsFloating() && GetSafeHwnd() != NULL && IsVisible())
    RecalcButtonPositions();
  return dwResult;
}

void CExtToolControlBar::SetOuterDockPosition(const OuterDockPosition& pos) {
  m_OuterDockPosition.Assign(pos);
}

void CExtToolControlBar::RecalcParentFrameLayout() {
  if (GetSafeHwnd() == NULL)
    return;
  CExtControlBar::RecalcParentFrameLayout();
  RecalcButtonPositions();
  Invalidate();
  if (IsDialogMode())
    UpdateWindow();
}

void CExtToolControlBar::OnDraggingStep(CPoint ptScreen, bool bForceFloat) {
  CExtControlBar::OnDraggingStep(ptScreen, bForceFloat);
}

bool CExtToolControlBar::IsTabbedDockingAllowed(bool /*bIgnored*/) const { return false; }

void CExtToolControlBar::ToggleDocking() {
  if (m_pDockContext == NULL)
    return;
  CFrameWnd* pDockingFrame = GetDockingFrame();
  // Hidden while it moves out of its floating frame, so that it does not flash; the docking keeps a
  // hidden bar hidden, so it is shown again where it lands.
  const bool bShowAgain = GetParentFrame() != m_pDockSite && IsWindowVisible();
  if (GetParentFrame() != m_pDockSite)
    ShowWindow(SW_HIDE);
  m_pDockContext->ToggleDocking();
  if (pDockingFrame != NULL)
    pDockingFrame->DelayRecalcLayout();
  RecalcNcFrame();
  if (bShowAgain && ::IsWindow(m_hWnd) && m_pDockSite != NULL)
    m_pDockSite->ShowControlBar(this, TRUE, FALSE);
}

void CExtToolControlBar::OnSize(UINT nType, int cx, int cy) {
  CExtControlBar::OnSize(nType, cx, cy);
  if (GetDraggedBar() == this)
    RecalcButtonPositions();
  else
    RecalcParentFrameLayout();
}

void CExtToolControlBar::OnTimer(UINT nIDEvent) { CControlBar::OnTimer(nIDEvent); }

void CExtToolControlBar::OnSettingChange(UINT uFlags, LPCSTR lpszSection) {
  CExtControlBar::OnSettingChange(uFlags, lpszSection);
  if (IsDialogMode()) {
    RecalcParentFrameLayout();
    return;
  }
  if (CFrameWnd* pFrame = GetParentFrame())
    pFrame->DelayRecalcLayout();
}
