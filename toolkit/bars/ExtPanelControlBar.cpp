// The panel bar: a tool bar without buttons that sizes itself to its first child window plus a
// margin, keeps the child inside the margin and paints the bar's background around it.
#include "toolkit/bars/ExtPanelControlBar.h"

#include "toolkit/foundation/ExtMemoryDC.h"
#include "toolkit/theme/ExtPaintManager.h"
#include "toolkit/theme/ExtPaintManagerHolder.h"

IMPLEMENT_DYNAMIC(CExtPanelControlBar, CExtToolControlBar)

BEGIN_MESSAGE_MAP(CExtPanelControlBar, CExtToolControlBar)
ON_WM_SIZE()
ON_WM_WINDOWPOSCHANGED()
ON_WM_SETFOCUS()
ON_WM_PAINT()
END_MESSAGE_MAP()

namespace {

// The room a docked bar keeps around its content on each axis.
const int kDockedExtra = 2;
// The size of a panel bar asked for a position it is not in.
const int kUnplacedSize = 20;
// What a bar outside a frame's docking adds across its orientation.
const int kNoDockSiteExtra = 4;
// The theme colour the background is filled with when the theme paints no docker background.
const int kBackgroundColorId = CExtPaintManager::LOGICAL_COLOR_FIRST;

} // namespace

CExtPanelControlBar::CExtPanelControlBar() : m_rcMargins(5, 5, 5, 5) {
  m_nToolBarFlags |= TBF_PANEL;
  // The child keeps its own size: the bar sizes itself around it instead.
  m_bBarState &= ~BS_FIT_CHILD;
}

CWnd* CExtPanelControlBar::GetHostedWindow() const {
  if (GetSafeHwnd() == NULL)
    return NULL;
  HWND hChild = ::GetWindow(m_hWnd, GW_CHILD);
  return hChild != NULL ? CWnd::FromHandle(hChild) : NULL;
}

CSize CExtPanelControlBar::GetChildSize() const {
  CWnd* pChild = GetHostedWindow();
  if (pChild == NULL)
    return CSize(0, 0);
  CRect rcChild;
  pChild->GetWindowRect(&rcChild);
  return rcChild.Size();
}

CSize CExtPanelControlBar::CalcChildLayoutSize() const {
  const CSize sizeChild = GetChildSize();
  return CSize(sizeChild.cx + m_rcMargins.left + m_rcMargins.right,
               sizeChild.cy + m_rcMargins.top + m_rcMargins.bottom);
}

void CExtPanelControlBar::RepositionChild(bool bRepaint) {
  CWnd* pChild = GetHostedWindow();
  if (pChild == NULL)
    return;
  CRect rcClient;
  GetClientRect(&rcClient);
  const CPoint ptTarget(rcClient.left + m_rcMargins.left, rcClient.top + m_rcMargins.top);
  CRect rcChild;
  pChild->GetWindowRect(&rcChild);
  ScreenToClient(&rcChild);
  if (rcChild.TopLeft() == ptTarget)
    return;
  pChild->MoveWindow(ptTarget.x, ptTarget.y, rcChild.Width(), rcChild.Height(), bRepaint ? TRUE : FALSE);
}

CSize CExtPanelControlBar::CalcExtraSpace() const {
  if (IsFloating())
    return CSize(0, 0);
  CSize sizeExtra(kDockedExtra, kDockedExtra);
  bool bOnTop = false;
  // The caption's extent, not its laid-out rectangle: that is laid out only once the bar has its
  // size in its docked place (empty before, in a bar not yet sized, and left from another place),
  // and a size asked before would leave the child cut off under the gripper, then grow at the next
  // layout.
  if (QueryCaption(&bOnTop, NULL)) {
    if (bOnTop)
      sizeExtra.cy = GetCaptionExtent() + kDockedExtra;
    else
      sizeExtra.cx = GetSideCaptionExtent() + kDockedExtra;
  }
  return sizeExtra;
}

CSize CExtPanelControlBar::CalcPanelLayout(DWORD /*dwMode*/, int /*nLength*/) {
  const CSize sizeExtra = CalcExtraSpace();
  const CSize sizeContent = CalcChildLayoutSize() + sizeExtra;
  CSize size;
  const bool bHorz = IsDockedHorizontally();
  if (bHorz) {
    size = sizeContent;
    m_sizeDockedH = size;
    m_nMinWidthBase = size.cx;
  } else if (IsDockedVertically()) {
    size = sizeContent;
    m_sizeDockedV = size;
    m_nMinHeightBase = size.cy;
  } else if (IsFloating()) {
    size = sizeContent;
    m_sizeFloated = size;
  } else {
    size = CSize(kUnplacedSize, kUnplacedSize) + sizeExtra;
  }
  if (m_pDockSite == NULL)
    (bHorz ? size.cy : size.cx) += kNoDockSiteExtra;
  return size;
}

CSize CExtPanelControlBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz) {
  const DWORD dwMode = (bStretch ? LM_STRETCH : 0) | (bHorz ? LM_HORZ : 0);
  const CSize size = CalcPanelLayout(dwMode, -1);
  RecalcNcFrame();
  return size;
}

CSize CExtPanelControlBar::CalcDynamicLayout(int nLength, DWORD dwMode) {
  if (nLength == -1 && (dwMode & (LM_HORZDOCK | LM_VERTDOCK)) != 0 &&
      (dwMode & (LM_MRUWIDTH | LM_COMMIT)) == 0)
    return CalcFixedLayout((dwMode & LM_STRETCH) != 0, (dwMode & LM_HORZ) != 0);
  return CalcPanelLayout(dwMode, nLength);
}

int CExtPanelControlBar::CalcMinWidth() const {
  return IsDockedHorizontally() ? CalcChildLayoutSize().cx : CExtToolControlBar::CalcMinWidth();
}

int CExtPanelControlBar::CalcMinHeight() const {
  return IsDockedVertically() ? CalcChildLayoutSize().cy : CExtToolControlBar::CalcMinHeight();
}

CSize CExtPanelControlBar::GetMinFloatingSize() const { return CalcChildLayoutSize(); }

CSize CExtPanelControlBar::CalcMinSize() const { return CalcChildLayoutSize(); }

void CExtPanelControlBar::OnSize(UINT nType, int cx, int cy) {
  CExtControlBar::OnSize(nType, cx, cy);
  if (GetDraggedBar() == this)
    RecalcButtonPositions();
  else
    RecalcParentFrameLayout();
  RepositionChild(true);
}

void CExtPanelControlBar::OnWindowPosChanged(WINDOWPOS* /*lpwndpos*/) {
  Default();
  RepositionChild(true);
}

void CExtPanelControlBar::OnSetFocus(CWnd* pOldWnd) {
  CExtControlBar::OnSetFocus(pOldWnd);
  CWnd* pChild = GetHostedWindow();
  if (pChild != NULL)
    pChild->SetFocus();
}

void CExtPanelControlBar::OnPaint() {
  CPaintDC dcPaint(this);
  CRect rcClient;
  GetClientRect(&rcClient);
  // The child paints itself: the buffer's copy must not cover it.
  const bool bHosting = GetHostedWindow() != NULL;
  if (bHosting)
    CExtPaintManager::ExcludeChildAreas(dcPaint.GetSafeHdc(), m_hWnd);
  {
    CExtMemoryDC dc(&dcPaint, &rcClient, CExtMemoryDC::MDC_OFFSCREEN | CExtMemoryDC::MDC_FILL_BACKGROUND);
    CExtPaintManager* pPM = g_PaintManagerHolder.GetPM();
    if (!(pPM->HasDockerBackground(this) && pPM->PaintDockerBackground(true, dc, this)))
      dc.FillSolidRect(&rcClient, pPM->ColorByLogicalId(kBackgroundColorId, this));
  }
  if (bHosting)
    dcPaint.SelectClipRgn(NULL);
}
