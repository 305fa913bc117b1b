// The tab window's layout: measuring items, the item band on the orientation's edge, fit and
// group lengths, multi-row wrapping, the seven buttons with their enabled states, the scroll
// limits, immediate and smooth scrolling, bringing an item into view and the area hit codes.
//
// "Along" is x for horizontal strips and y for vertical ones; "across" the other axis. Item
// rectangles keep their along-the-strip place unscrolled, from 0 at the item area's near end.
#include "toolkit/docking/ExtTabWnd.h"

#include "toolkit/theme/ExtPaintManager.h"
#include "toolkit/theme/ExtPaintManagerHolder.h"

#include <algorithm>
#include <cstring>

namespace {

const int kMinItemLength = 24;
const int kMinItemThickness = 20;
const int kButtonGap = 2;
const int kGroupGap = 20;
const int kGroupLead = 10;
const int kSmoothStep = 10;
const int kSmoothScrollPeriod = 20;
const int kEnsureVisibleMargin = 6;
const int kLastVisibleSlack = 8;

// The index of a button's rectangle by hit code: previous, next, home, end, help, close, list.
int ButtonSlot(int nHitCode) {
  switch (nHitCode) {
  case CExtTabWnd::HT_BUTTON_PREV:
    return 0;
  case CExtTabWnd::HT_BUTTON_NEXT:
    return 1;
  case CExtTabWnd::HT_BUTTON_HOME:
    return 2;
  case CExtTabWnd::HT_BUTTON_END:
    return 3;
  case CExtTabWnd::HT_BUTTON_HELP:
    return 4;
  case CExtTabWnd::HT_BUTTON_CLOSE:
    return 5;
  case CExtTabWnd::HT_BUTTON_ITEM_LIST:
    return 6;
  default:
    return -1;
  }
}

int Along(const CSize& size, bool bHorz) { return bHorz ? size.cx : size.cy; }
int Across(const CSize& size, bool bHorz) { return bHorz ? size.cy : size.cx; }
void SetAlong(CSize& size, bool bHorz, int n) { (bHorz ? size.cx : size.cy) = n; }
int LengthOf(const CRect& rc, bool bHorz) { return bHorz ? rc.Width() : rc.Height(); }
int NearOf(const CRect& rc, bool bHorz) { return bHorz ? rc.left : rc.top; }
int FarOf(const CRect& rc, bool bHorz) { return bHorz ? rc.right : rc.bottom; }

// The item band on the orientation's edge of the layout, nEdge in and nThickness thick, and what
// lies beyond it (the near-border area).
void SplitEdgeBand(const CRect& rcLayout, int nOrientation, int nEdge, int nThickness, CRect& rcBand,
                   CRect& rcRest) {
  rcBand = rcRest = rcLayout;
  switch (nOrientation) {
  case CExtTabWnd::TS_ORIENT_TOP:
    rcBand.top = rcLayout.top + nEdge;
    rcBand.bottom = rcBand.top + nThickness;
    rcRest.top = rcBand.bottom;
    break;
  case CExtTabWnd::TS_ORIENT_BOTTOM:
    rcBand.bottom = rcLayout.bottom - nEdge;
    rcBand.top = std::max(rcBand.bottom - nThickness, rcLayout.top);
    rcRest.bottom = rcBand.top;
    break;
  case CExtTabWnd::TS_ORIENT_LEFT:
    rcBand.left = rcLayout.left + nEdge;
    rcBand.right = rcBand.left + nThickness;
    rcRest.left = rcBand.right;
    break;
  default:
    rcBand.right = rcLayout.right - nEdge;
    rcBand.left = std::max(rcBand.right - nThickness, rcLayout.left);
    rcRest.right = rcBand.left;
    break;
  }
}

// The slot the buttons are laid out from: at the layout's far end, nFar in, centred across the
// item band.
CRect FarButtonSlot(const CRect& rcLayout, const CRect& rcItems, CSize sizeButton, int nFar, bool bHorz) {
  const int nCentre = ((bHorz ? rcItems.Height() : rcItems.Width()) - Across(sizeButton, bHorz)) / 2;
  CRect rcSlot;
  if (bHorz) {
    rcSlot.right = rcLayout.right - nFar - kButtonGap;
    rcSlot.left = rcSlot.right - sizeButton.cx;
    rcSlot.top = rcItems.top + nCentre;
    rcSlot.bottom = rcSlot.top + sizeButton.cy;
  } else {
    rcSlot.bottom = rcLayout.bottom - nFar - kButtonGap;
    rcSlot.top = rcSlot.bottom - sizeButton.cy;
    rcSlot.left = rcItems.left + nCentre;
    rcSlot.right = rcSlot.left + sizeButton.cx;
  }
  return rcSlot;
}

} // namespace

CRect CExtTabWnd::GetButtonRect(int nHitCode) const {
  const int nSlot = ButtonSlot(nHitCode);
  return nSlot >= 0 ? m_rcButtons[nSlot] : CRect(0, 0, 0, 0);
}

void CExtTabWnd::SetButtonRect(int nHitCode, const RECT& rc) {
  const int nSlot = ButtonSlot(nHitCode);
  if (nSlot >= 0)
    m_rcButtons[nSlot] = rc;
}

bool CExtTabWnd::IsButtonEnabled(int nHitCode) const {
  const DWORD s = m_dwTabWndStyle;
  switch (nHitCode) {
  case HT_BUTTON_PREV:
    return (s & TS_STATE_PREV_ENABLED) != 0;
  case HT_BUTTON_NEXT:
    return (s & TS_STATE_NEXT_ENABLED) != 0;
  case HT_BUTTON_HELP:
    return (s & TS_ENABLED_HELP) != 0;
  case HT_BUTTON_CLOSE:
    return (s & TS_ENABLED_CLOSE) != 0;
  case HT_BUTTON_ITEM_LIST:
    return (s & TS_ENABLED_ITEM_LIST) != 0 && ItemGetCount() > 0;
  case HT_BUTTON_HOME:
    return (s & TS_STATE_HOME_ENABLED) != 0;
  case HT_BUTTON_END:
    return (s & TS_STATE_END_ENABLED) != 0;
  default:
    return false;
  }
}

void CExtTabWnd::OnTabWndQueryLayoutRect(RECT& rc) const {
  if (!m_rcLayout.IsRectEmpty())
    rc = m_rcLayout;
  else
    GetClientRect(&rc);
}

CSize CExtTabWnd::OnTabWndQueryButtonSize(int, int) const {
  const int nSide =
      std::max(std::min(::GetSystemMetrics(SM_CXSMSIZE), ::GetSystemMetrics(SM_CYSMSIZE)) + 1, 12);
  return CSize(nSide, nSide);
}

int CExtTabWnd::OnTabWndQueryBorderMargin(int nOrientation) const {
  return nOrientation >= 0 && nOrientation <= 3 ? 6 : 0;
}

void CExtTabWnd::OnTabWndQueryMetrics(int* pnNear, int* pnFar, int* pnEdge) {
  g_PaintManagerHolder->GetTabMetrics(this, pnNear, pnFar, pnEdge);
}

int CExtTabWnd::OnTabWndCalcButtonsExtent(int nButtonSize, int nGap) const {
  const DWORD s = m_dwTabWndStyle;
  int nButtons = 0;
  nButtons += (s & TS_SHOW_CLOSE) != 0 ? 1 : 0;
  nButtons += (s & TS_SHOW_HELP) != 0 ? 1 : 0;
  nButtons += (s & TS_SHOW_ITEM_LIST) != 0 ? 1 : 0;
  const bool bFit = (s & TS_FIT) != 0 && (s & TS_GROUPED) == 0;
  if (!bFit && !OnTabWndIsMultiRow()) {
    nButtons += 2;
    nButtons += (s & TS_SHOW_HOME) != 0 ? 1 : 0;
    nButtons += (s & TS_SHOW_END) != 0 ? 1 : 0;
  }
  return nGap + nButtons * (nButtonSize + nGap);
}

void CExtTabWnd::OnTabWndLayoutButtons(RECT& rcSlot, int nButtonSize, int nGap) {
  for (CRect& rc : m_rcButtons)
    rc.SetRectEmpty();
  const bool bHorz = OrientationIsHorizontal();
  const int nStep = nButtonSize + nGap;
  auto place = [&](int nHitCode) {
    SetButtonRect(nHitCode, rcSlot);
    ::OffsetRect(&rcSlot, bHorz ? -nStep : 0, bHorz ? 0 : -nStep);
  };
  const DWORD s = m_dwTabWndStyle;
  if ((s & TS_SHOW_CLOSE) != 0)
    place(HT_BUTTON_CLOSE);
  if ((s & TS_SHOW_ITEM_LIST) != 0)
    place(HT_BUTTON_ITEM_LIST);
  if ((s & TS_SHOW_HELP) != 0)
    place(HT_BUTTON_HELP);
  m_dwTabWndStyle &= ~TS_STATE_MASK;
  if ((s & TS_FIT) != 0 && (s & TS_GROUPED) == 0)
    return;
  const bool bMultiRow = OnTabWndIsMultiRow();
  if (!IsScrollAvailable() && ((s & TS_AUTOHIDE_SCROLL) != 0 || bMultiRow))
    return;
  if ((s & TS_SHOW_END) != 0 && !bMultiRow)
    place(HT_BUTTON_END);
  place(HT_BUTTON_NEXT);
  place(HT_BUTTON_PREV);
  if ((s & TS_SHOW_HOME) != 0 && !bMultiRow)
    place(HT_BUTTON_HOME);
  if (IsScrollAvailable()) {
    if (m_nScrollPos > 0)
      m_dwTabWndStyle |= TS_STATE_PREV_ENABLED | TS_STATE_HOME_ENABLED;
    if (m_nScrollPos < m_nScrollMaxPos)
      m_dwTabWndStyle |= TS_STATE_NEXT_ENABLED | TS_STATE_END_ENABLED;
  }
}

CFont* CExtTabWnd::OnTabWndQueryItemFont(bool bSelected, int nOrientation) const {
  CExtPaintManager* pPM = g_PaintManagerHolder.GetPM();
  if (nOrientation < 0)
    nOrientation = OrientationGet();
  const DWORD s = m_dwTabWndStyle;
  const bool bBold = bSelected && (s & TS_BOLD_SELECTION) != 0 && (s & TS_GROUPED) == 0;
  if (nOrientation < 2)
    return bBold ? &pPM->m_FontBold : &pPM->m_FontNormal;
  if ((s & TS_INVERT_VERT_TEXT) != 0)
    return bBold ? &pPM->m_FontBoldVertUp : &pPM->m_FontNormalVertUp;
  return bBold ? &pPM->m_FontBoldVert : &pPM->m_FontNormalVert;
}

void CExtTabWnd::OnTabWndMeasureItemAdjust(TAB_ITEM_INFO* pItem, CDC& dc, SIZE* pSize) {
  g_PaintManagerHolder->TabWndPaintHook(this, pItem, dc, pSize);
}

CSize CExtTabWnd::MeasureItem(TAB_ITEM_INFO* pItem, CDC* pDC) {
  std::unique_ptr<CClientDC> pScreenDC;
  if (pDC == NULL) {
    pScreenDC = std::make_unique<CClientDC>(nullptr);
    pDC = pScreenDC.get();
  }
  LPCSTR sText = pItem->GetText();
  if (sText == NULL)
    sText = "";
  const bool bSelected = pItem->IsSelected();
  const bool bBoth = OnTabWndMeasureBothFonts();
  const HFONT hFonts[2] = {static_cast<HFONT>(OnTabWndQueryItemFont(bSelected, -1)->GetSafeHandle()),
                           bBoth ? static_cast<HFONT>(OnTabWndQueryItemFont(!bSelected, -1)->GetSafeHandle())
                                 : NULL};
  LOGFONTA lf[2] = {};
  for (int i = 0; i < 2; ++i)
    if (hFonts[i] != NULL)
      ::GetObjectA(hFonts[i], sizeof(LOGFONTA), &lf[i]);
  // Drawing text to measure it is costly and layouts run often; an extent stays right while the
  // text, the fonts and the display metrics stay the same. Only display DCs give that extent.
  const bool bDisplayDC = pScreenDC != nullptr || pDC == m_pLayoutDC;
  CSize sizeText;
  if (bDisplayDC && pItem->m_nMeasuredGeneration == m_nMeasureGeneration &&
      std::memcmp(pItem->m_lfMeasured, lf, sizeof(lf)) == 0 && pItem->m_sMeasuredText == sText) {
    sizeText = pItem->m_sizeMeasuredText;
  } else {
    auto measure = [&](HFONT hFont) {
      const RECT rc = CExtPaintManager::CalcTextExtent(*pDC, hFont, sText, DT_SINGLELINE | DT_CALCRECT);
      return CSize(rc.right - rc.left, rc.bottom - rc.top);
    };
    sizeText = measure(hFonts[0]);
    if (bBoth) {
      const CSize other = measure(hFonts[1]);
      sizeText.cx = std::max<LONG>(sizeText.cx, other.cx);
      sizeText.cy = std::max<LONG>(sizeText.cy, other.cy);
    }
    if (bDisplayDC) {
      pItem->m_sMeasuredText = sText;
      std::memcpy(pItem->m_lfMeasured, lf, sizeof(lf));
      pItem->m_nMeasuredGeneration = m_nMeasureGeneration;
      pItem->m_sizeMeasuredText = sizeText;
    }
  }
  const CSize sizeIcon = pItem->GetIconSize();
  CSize size;
  if (OrientationIsHorizontal()) {
    int nLength = sizeText.cx + sizeIcon.cx + 7 + (sizeIcon.cx >= 1 ? 3 : 0);
    int nThickness = std::max<int>(sizeIcon.cy, sizeText.cy) + 4;
    size = CSize(std::max(nLength, kMinItemLength), std::max(nThickness, kMinItemThickness));
  } else {
    const int nTextHeight = sizeText.cy;
    sizeText = CSize(sizeText.cx + 10, sizeText.cy + 2);
    int nThickness = std::max<int>(sizeIcon.cx, nTextHeight + 2) + 4;
    int nLength = sizeText.cx + sizeIcon.cy + 7 + (sizeIcon.cy >= 1 ? 3 : 0);
    size = CSize(std::max(nThickness, kMinItemThickness), std::max(nLength, kMinItemLength));
  }
  pItem->m_sizeText = sizeText;
  SIZE adjusted = size;
  OnTabWndMeasureItemAdjust(pItem, *pDC, &adjusted);
  pItem->m_size = adjusted;
  return adjusted;
}

int CExtTabWnd::MeasureVisibleItems(CDC& dc) {
  const bool bHorz = OrientationIsHorizontal();
  int nThickness = 0;
  m_nItemsExtent = 0;
  for (auto& pItem : m_items) {
    pItem->m_bLayoutFlags = 0;
    if (!pItem->VisibleGet())
      continue;
    const CSize size = MeasureItem(pItem.get(), &dc);
    nThickness = std::max(nThickness, Across(size, bHorz));
    m_nItemsExtent += Along(size, bHorz);
  }
  if ((m_dwTabWndStyle & TS_GROUPED) == 0)
    return nThickness;
  // Groups: a lead, a gap before every group but the first, and unless every item keeps its own
  // length the inactive items shrink to the group's longest icon-only length.
  const bool bOwnLengths = (m_dwTabWndStyle & TS_GROUPED_FULL_WIDTHS) != 0;
  m_nItemsExtent = kGroupLead;
  bool bFirstShown = true;
  for (int nFirst = 0; nFirst < ItemGetCount();) {
    int nGroupFirst = 0, nLast = 0;
    ItemGetGroupRange(nFirst, nGroupFirst, nLast);
    int nLongest = 0, nIconOnly = 0;
    for (int i = nFirst; i <= nLast; ++i) {
      const TAB_ITEM_INFO* p = m_items[i].get();
      if (!p->VisibleGet())
        continue;
      const int nLength = Along(p->m_size, bHorz);
      nLongest = std::max(nLongest, nLength);
      const int nBare = nLength - p->m_sizeText.cx - (p->GetIconSize().cx > 0 ? 3 : 0);
      nIconOnly = std::max(nIconOnly, nBare);
    }
    for (int i = nFirst; i <= nLast; ++i) {
      TAB_ITEM_INFO* p = m_items[i].get();
      if (!p->VisibleGet())
        continue;
      if (p->IsGroupStart() && !bFirstShown)
        m_nItemsExtent += kGroupGap;
      bFirstShown = false;
      if (!bOwnLengths)
        SetAlong(p->m_size, bHorz, (p->GetItemStyle() & TIS_IN_GROUP_ACTIVE) != 0 ? nLongest : nIconOnly);
      m_nItemsExtent += Along(p->m_size, bHorz);
    }
    nFirst = nLast + 1;
  }
  return nThickness;
}

int CExtTabWnd::WrapRows(int nAvailable) {
  const bool bHorz = OrientationIsHorizontal();
  int nThickness = 0, nRowLength = 0, nRowThickness = 0;
  TAB_ITEM_INFO* pLastInRow = NULL;
  for (auto& pItem : m_items) {
    if (!pItem->VisibleGet())
      continue;
    const int nLength = Along(pItem->m_size, bHorz);
    if (pLastInRow != NULL && nRowLength + nLength > nAvailable) {
      pLastInRow->m_bLayoutFlags |= TIL_ROW_END;
      nThickness += nRowThickness + OnTabWndQueryRowSpacing();
      nRowLength = nRowThickness = 0;
      pLastInRow = NULL;
    }
    nRowLength += nLength;
    nRowThickness = std::max(nRowThickness, Across(pItem->m_size, bHorz));
    pLastInRow = pItem.get();
    if (nLength > nAvailable) {
      // Too long for any row: it ends its own.
      pItem->m_bLayoutFlags |= TIL_ROW_END;
      nThickness += nRowThickness + OnTabWndQueryRowSpacing();
      nRowLength = nRowThickness = 0;
      pLastInRow = NULL;
    }
  }
  if (pLastInRow != NULL)
    nThickness += nRowThickness;
  else if (nThickness > 0)
    nThickness -= OnTabWndQueryRowSpacing();
  m_nScrollPos = m_nScrollMaxPos = 0;
  return nThickness;
}

void CExtTabWnd::ApplyFitMode() {
  const DWORD s = m_dwTabWndStyle;
  if ((s & TS_FIT) == 0 || (s & TS_GROUPED) != 0 || m_nVisibleItemCount <= 0)
    return;
  const bool bHorz = OrientationIsHorizontal();
  if (m_nScrollMaxPos > 0 || (s & TS_EQUAL_WIDTHS) != 0) {
    const int nLength = std::max(LengthOf(m_rcItemsArea, bHorz) / m_nVisibleItemCount, kMinItemLength);
    m_nItemsExtent = 0;
    for (auto& pItem : m_items) {
      if (!pItem->VisibleGet())
        continue;
      if (Along(pItem->m_size, bHorz) > nLength) {
        pItem->m_bLayoutFlags |= TIL_SHORTENED;
        m_bWndFlags |= WF_TEXT_SHORTENED;
      }
      SetAlong(pItem->m_size, bHorz, nLength);
      m_nItemsExtent += nLength;
    }
  }
  // A fitted strip never scrolls.
  m_nScrollPos = m_nScrollMaxPos = 0;
}

void CExtTabWnd::PlaceItems(int nBandNear, bool bMultiRow) {
  const bool bHorz = OrientationIsHorizontal();
  const bool bGrouped = (m_dwTabWndStyle & TS_GROUPED) != 0;
  const int nOrientation = OrientationGet();
  const bool bFarEdge = nOrientation == TS_ORIENT_BOTTOM || nOrientation == TS_ORIENT_RIGHT;
  int nAlong = 0, nRowOffset = 0, nRowThickness = 0;
  bool bFirstShown = true;
  for (auto& pItem : m_items) {
    if (!pItem->VisibleGet()) {
      pItem->m_rcItem.SetRectEmpty();
      continue;
    }
    if (bGrouped && pItem->IsGroupStart() && !bFirstShown)
      nAlong += kGroupGap;
    bFirstShown = false;
    const int nLength = Along(pItem->m_size, bHorz);
    const int nThick = Across(pItem->m_size, bHorz);
    int nAcross = nBandNear;
    if (bMultiRow) {
      // Rows stack inward from the strip's edge.
      const int nBandFar = bHorz ? m_rcItemsArea.bottom : m_rcItemsArea.right;
      nAcross = bFarEdge ? nBandFar - nRowOffset - nThick : nBandNear + nRowOffset;
    }
    pItem->m_rcItem = bHorz ? CRect(nAlong, nAcross, nAlong + nLength, nAcross + nThick)
                            : CRect(nAcross, nAlong, nAcross + nThick, nAlong + nLength);
    nAlong += nLength;
    nRowThickness = std::max(nRowThickness, nThick);
    if (bMultiRow && (pItem->m_bLayoutFlags & TIL_ROW_END) != 0) {
      nAlong = 0;
      nRowOffset += nRowThickness + OnTabWndQueryRowSpacing();
      nRowThickness = 0;
    }
  }
}

void CExtTabWnd::FindVisibleRange() {
  m_nIndexVisFirst = m_nIndexVisLast = -1;
  const bool bHorz = OrientationIsHorizontal();
  const bool bMultiRow = OnTabWndIsMultiRow();
  const int nShift = NearOf(m_rcItemsArea, bHorz) - m_nScrollPos;
  const int nLength = LengthOf(m_rcItemsArea, bHorz);
  for (int i = 0; i < ItemGetCount(); ++i) {
    const TAB_ITEM_INFO* p = m_items[i].get();
    if (!p->VisibleGet())
      continue;
    const int nNear = NearOf(p->m_rcItem, bHorz) + nShift;
    const int nFar = FarOf(p->m_rcItem, bHorz) + nShift;
    if (m_nIndexVisFirst < 0 && (bMultiRow || nFar >= 0))
      m_nIndexVisFirst = i;
    if (bMultiRow || nNear <= nLength + kLastVisibleSlack)
      m_nIndexVisLast = i;
  }
  if (m_nIndexVisFirst < 0 || m_nIndexVisLast < 0)
    m_nIndexVisFirst = m_nIndexVisLast = -1;
  else if (m_nIndexVisLast < m_nIndexVisFirst)
    m_nIndexVisLast = m_nIndexVisFirst;
}

void CExtTabWnd::RecalcLayout() {
  if (GetSafeHwnd() == NULL || (m_bWndFlags & WF_LAYOUT_DIRTY) == 0)
    return;
  m_bWndFlags &= ~(WF_LAYOUT_DIRTY | WF_TEXT_SHORTENED);
  m_rcItemsArea.SetRectEmpty();
  m_rcNearBorderArea.SetRectEmpty();
  // Buttons of an earlier layout would still be hit and painted in a strip with no room left.
  for (CRect& rc : m_rcButtons)
    rc.SetRectEmpty();
  m_nIndexVisFirst = m_nIndexVisLast = -1;
  CRect rcLayout;
  OnTabWndQueryLayoutRect(rcLayout);
  if (rcLayout.IsRectEmpty())
    return;
  const bool bHorz = OrientationIsHorizontal();
  const bool bMultiRow = OnTabWndIsMultiRow();
  const int nOrientation = OrientationGet();
  const CSize sizeButton = OnTabWndQueryButtonSize(0, nOrientation);
  const int nButtonAlong = Along(sizeButton, bHorz);
  const int nButtonsExtent = OnTabWndCalcButtonsExtent(nButtonAlong, kButtonGap);

  CClientDC dc(this);
  int nThickness = 0;
  {
    // Named only while measuring: a later DC at the same address must not be taken for it.
    struct LayoutDcScope {
      CDC*& pSlot;
      ~LayoutDcScope() { pSlot = NULL; }
    } scope{m_pLayoutDC};
    m_pLayoutDC = &dc;
    nThickness = MeasureVisibleItems(dc);
  }
  if (bMultiRow)
    nThickness = WrapRows(LengthOf(rcLayout, bHorz) - nButtonsExtent);
  int nNear = 0, nFar = 0, nEdge = 0;
  OnTabWndQueryMetrics(&nNear, &nFar, &nEdge);
  nThickness = std::max(nThickness, kMinItemThickness);

  CRect rcBand, rcRest;
  SplitEdgeBand(rcLayout, nOrientation, nEdge, nThickness, rcBand, rcRest);
  rcBand.IntersectRect(&rcBand, &rcLayout);
  if (!rcRest.IsRectEmpty() && rcRest.IntersectRect(&rcRest, &rcLayout))
    m_rcNearBorderArea = rcRest;
  if (bHorz) {
    rcBand.left += nNear;
    rcBand.right -= nFar + nButtonsExtent;
  } else {
    rcBand.top += nNear;
    rcBand.bottom -= nFar + nButtonsExtent;
  }
  m_rcItemsArea = rcBand;
  if (m_rcItemsArea.IsRectEmpty()) {
    m_rcItemsArea.SetRectEmpty();
    return;
  }
  if (!bMultiRow) {
    m_nScrollMaxPos = std::max(0, m_nItemsExtent - LengthOf(m_rcItemsArea, bHorz));
    m_nScrollPos = std::min(m_nScrollPos, m_nScrollMaxPos);
  }
  ApplyFitMode();

  CRect rcSlot = FarButtonSlot(rcLayout, m_rcItemsArea, sizeButton, nFar, bHorz);
  OnTabWndLayoutButtons(rcSlot, nButtonAlong, kButtonGap);

  PlaceItems(bHorz ? m_rcItemsArea.top : m_rcItemsArea.left, bMultiRow);
  FindVisibleRange();
}

CRect CExtTabWnd::ItemRectInClient(const TAB_ITEM_INFO* pItem) const {
  CRect rc = pItem->m_rcItem;
  const bool bHorz = OrientationIsHorizontal();
  const int nShift = NearOf(m_rcItemsArea, bHorz) - m_nScrollPos;
  rc.OffsetRect(bHorz ? nShift : 0, bHorz ? 0 : nShift);
  return rc;
}

// Scrolling.

void CExtTabWnd::ScrollBy(int nDelta, bool bSmooth) {
  if (!IsScrollAvailable() || m_rcItemsArea.IsRectEmpty() || m_nVisibleItemCount <= 0)
    return;
  const int nPage = LengthOf(m_rcItemsArea, OrientationIsHorizontal());
  const bool bByPage = (m_dwTabWndStyle & TS_SCROLL_BY_PAGE) != 0;
  if (nDelta >= 0) {
    if (m_nScrollPos >= m_nScrollMaxPos)
      return;
    if (bSmooth) {
      m_nSmoothScrollRemainder = bByPage ? nPage : m_nScrollMaxPos - m_nScrollPos;
      SetTimer(TIMER_SMOOTH_SCROLL, kSmoothScrollPeriod);
      return;
    }
    m_nScrollPos = std::min(m_nScrollPos + nDelta, m_nScrollMaxPos);
  } else {
    if (m_nScrollPos <= 0)
      return;
    if (bSmooth) {
      m_nSmoothScrollRemainder = bByPage ? -nPage : -m_nScrollPos;
      SetTimer(TIMER_SMOOTH_SCROLL, kSmoothScrollPeriod);
      return;
    }
    m_nScrollPos = std::max(m_nScrollPos + nDelta, 0);
  }
  UpdateTabWnd(true);
}

void CExtTabWnd::SmoothScrollStep() {
  const int nStep = std::max(-kSmoothStep, std::min(m_nSmoothScrollRemainder, kSmoothStep));
  if (nStep != 0)
    ScrollBy(nStep, false);
  if (m_nSmoothScrollRemainder > 0)
    m_nSmoothScrollRemainder = std::max(m_nSmoothScrollRemainder - kSmoothStep, 0);
  else if (m_nSmoothScrollRemainder < 0)
    m_nSmoothScrollRemainder = std::min(m_nSmoothScrollRemainder + kSmoothStep, 0);
  if (m_nSmoothScrollRemainder == 0)
    StopSmoothScroll();
}

void CExtTabWnd::StopSmoothScroll() {
  m_nSmoothScrollRemainder = 0;
  if (GetSafeHwnd() != NULL)
    KillTimer(TIMER_SMOOTH_SCROLL);
}

bool CExtTabWnd::ItemEnsureVisible(int nIndex, bool bUpdate) {
  const TAB_ITEM_INFO* pItem = ItemAt(nIndex);
  // Items added or changed since the last layout have no place yet to scroll to.
  RecalcLayout();
  if (!pItem->VisibleGet()) {
    UpdateTabWnd(bUpdate);
    return false;
  }
  if (IsScrollAvailable()) {
    const bool bHorz = OrientationIsHorizontal();
    const int nLength = LengthOf(m_rcItemsArea, bHorz);
    const int nNear = NearOf(pItem->m_rcItem, bHorz) - m_nScrollPos;
    const int nFar = FarOf(pItem->m_rcItem, bHorz) - m_nScrollPos;
    if (nFar > nLength + kEnsureVisibleMargin) {
      m_nScrollPos += nFar - (nLength + kEnsureVisibleMargin);
      m_nScrollPos += std::min(m_nScrollMaxPos - m_nScrollPos, kEnsureVisibleMargin);
    }
    if (nNear < 0)
      m_nScrollPos = std::max(m_nScrollPos + nNear - kEnsureVisibleMargin, 0);
    m_nScrollPos = std::min(m_nScrollPos, m_nScrollMaxPos);
  }
  UpdateTabWnd(bUpdate);
  return true;
}

// Hit codes: the near-border area and the buttons first, then the items in view.
int CExtTabWnd::HitTest(CPoint pt) const {
  if (GetSafeHwnd() == NULL)
    return HT_NOWHERE;
  CRect rcClient;
  GetClientRect(&rcClient);
  if (rcClient.IsRectEmpty() || !rcClient.PtInRect(pt))
    return HT_NOWHERE;
  if (!m_rcNearBorderArea.IsRectEmpty() && m_rcNearBorderArea.PtInRect(pt))
    return HT_NEAR_BORDER;
  static const int kButtonOrder[] = {HT_BUTTON_PREV, HT_BUTTON_NEXT,  HT_BUTTON_HOME,     HT_BUTTON_END,
                                     HT_BUTTON_HELP, HT_BUTTON_CLOSE, HT_BUTTON_ITEM_LIST};
  for (int nCode : kButtonOrder) {
    const CRect rc = GetButtonRect(nCode);
    if (!rc.IsRectEmpty() && rc.PtInRect(pt))
      return nCode;
  }
  if (!m_rcItemsArea.PtInRect(pt))
    return HT_NOWHERE;
  if (m_nVisibleItemCount <= 0 || m_nIndexVisFirst < 0)
    return HT_ITEMS_AREA;
  const bool bHorz = OrientationIsHorizontal();
  const int nShift = m_nScrollPos - NearOf(m_rcItemsArea, bHorz);
  const CPoint ptItems(pt.x + (bHorz ? nShift : 0), pt.y + (bHorz ? 0 : nShift));
  for (int i = m_nIndexVisFirst; i <= m_nIndexVisLast; ++i)
    if (m_items[i]->HitTest(ptItems))
      return i;
  return HT_ITEMS_AREA;
}
