// The tool bar's sizing and wrapping for the frame's docking layout. Docked bars keep one row
// (what does not fit goes behind the chevron when the buttons are placed); floating and panel bars
// wrap into rows at the widths searched here.
#include "toolkit/bars/ExtToolControlBar.h"
#include "toolkit/bars/ExtToolControlBarLayoutUtil.h"

#include <algorithm>

using tool_bar_layout::BarFontSelection;
using tool_bar_layout::ContentCount;
using tool_bar_layout::IsLeftOut;

namespace {
const int kNoLimit = 0x7FFF;
const int kGripperExtent = 7;

// The window's non-client area in both directions, asked of a roomy rectangle: a window smaller
// than its frame reports a clipped client area.
CSize NonClientExtent(HWND hWnd) {
  if (hWnd == NULL)
    return CSize(0, 0);
  const int kRoomy = 4096;
  RECT rcClient = {0, 0, kRoomy, kRoomy};
  ::SendMessageA(hWnd, WM_NCCALCSIZE, FALSE, reinterpret_cast<LPARAM>(&rcClient));
  return CSize(kRoomy - (rcClient.right - rcClient.left), kRoomy - (rcClient.bottom - rcClient.top));
}
} // namespace

int CExtToolControlBar::GetLayoutMode() const {
  if (IsFloating() || IsDialogMode())
    return MODE_FLOATING;
  return IsDockedVertically() ? MODE_DOCKED_VERT : MODE_DOCKED_HORZ;
}

CSize CExtToolControlBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz) {
  return CalcLayout((bStretch ? LM_STRETCH : 0) | (bHorz ? LM_HORZ : 0), -1);
}

CSize CExtToolControlBar::CalcDynamicLayout(int nLength, DWORD dwMode) {
  if (nLength == -1 && (dwMode & (LM_MRUWIDTH | LM_COMMIT)) == 0 &&
      (dwMode & (LM_HORZDOCK | LM_VERTDOCK)) != 0)
    return CalcFixedLayout((dwMode & LM_STRETCH) != 0, (dwMode & LM_HORZDOCK) != 0);
  return CalcLayout(dwMode, nLength);
}

CSize CExtToolControlBar::CalcLayout(DWORD dwMode, int nLength) {
  if ((m_nLayoutFlags & TLF_SECOND_PASS) == 0)
    m_nLayoutFlags &= ~TLF_FULL_ROW;
  const bool bHorzMode = (dwMode & LM_HORZ) != 0;
  if (m_pRightBtn != NULL && m_buttons.GetSize() > 0)
    m_pRightBtn->SetAllContentVisible(false);
  CRect rcInside(0, 0, 0, 0);
  CalcInsideRect(rcInside, bHorzMode);
  int nTarget = bHorzMode ? kNoLimit : 0;
  if ((m_dwStyle & CBRS_SIZE_DYNAMIC) != 0) {
    if ((dwMode & LM_MRUWIDTH) != 0 || (nLength == -1 && (m_dwStyle & CBRS_FLOATING) != 0))
      nTarget = m_nMRUWidth;
    else if ((dwMode & LM_HORZDOCK) != 0)
      nTarget = kNoLimit;
    else if ((dwMode & LM_VERTDOCK) != 0)
      nTarget = 0;
    else
      nTarget = nLength + ((dwMode & LM_LENGTHY) != 0 ? rcInside.Height() : rcInside.Width());
  }
  SizeToolBar(nTarget, (dwMode & LM_LENGTHY) != 0);
  CSize size = CalcSize(!bHorzMode);
  // Nothing was left out last time: the chevron shows its all-visible look, which may measure
  // differently.
  if (m_pRightBtn != NULL && m_pRightBtn->m_arrHiddenButtons.GetSize() == 0) {
    m_pRightBtn->SetAllContentVisible(true);
    size = CalcSize(!bHorzMode);
  }
  if ((dwMode & LM_COMMIT) != 0 && bHorzMode && (m_dwStyle & (CBRS_SIZE_DYNAMIC | CBRS_FLOATING)) != 0)
    m_nMRUWidth = size.cx;

  // The window's own non-client area must fit around the buttons too, where it is larger than
  // the framework's inside borders: sized to this answer, the bar shows every button.
  const CSize sizeNc = NonClientExtent(GetSafeHwnd());
  size.cx += std::max<LONG>(-rcInside.Width(), sizeNc.cx);
  size.cy += std::max<LONG>(-rcInside.Height(), sizeNc.cy);
  const CSize sizeFixed = CControlBar::CalcFixedLayout((dwMode & LM_STRETCH) != 0, bHorzMode);
  size.cx = std::max(size.cx, sizeFixed.cx);
  size.cy = std::max(size.cy, sizeFixed.cy);
  const bool bFloating = IsFloating();
  bool bCaptionShown = false;
  if (bFloating && QueryCaption(NULL, &bCaptionShown) && bCaptionShown) {
    const CRect& rcCaption = GetNcCaptionRect();
    size.cy += std::min(rcCaption.Width(), rcCaption.Height());
  }
  if (bFloating) {
    // A floating bar never gets narrower than two default buttons: its frame keeps a usable
    // caption and its wrap search a sensible floor.
    size.cx = std::max<LONG>(size.cx, 2 * GetDefButtonSize().cx);
    m_sizeFloated = size;
  } else if (IsDockedVertically()) {
    m_sizeDockedV = size;
  } else {
    m_sizeDockedH = size;
  }
  if (m_pDockSite == NULL) {
    if (IsDockedHorizontally())
      size.cy += 4;
    else
      size.cx += 4;
  }
  return size;
}

CSize CExtToolControlBar::CalcSize(bool bVert) {
  const CSize sizeDef = GetDefButtonSize();
  if (m_buttons.GetSize() == 0)
    return sizeDef;
  const bool bPanel = IsPanelBar();
  const bool bFloating = IsFloating();
  // Floating and panel bars lay out horizontal rows whichever length the frame asks about.
  const bool bMeasureVert = bVert && !bPanel && !bFloating;
  // Docked bars keep one row; only floating and panel bars honour the wrap bits.
  const bool bRows = bFloating || bPanel;
  const int nMode = GetLayoutMode();
  const int nRowGap = g_PaintManagerHolder->GetToolBarRowDistance(this);
  auto Along = [bMeasureVert](CSize s) { return bMeasureVert ? s.cy : s.cx; };
  auto Across = [bMeasureVert](CSize s) { return bMeasureVert ? s.cx : s.cy; };
  const int nMinAcross = Across(sizeDef);

  CClientDC dc(GetSafeHwnd() != NULL ? this : NULL);
  BarFontSelection font(dc, *this, bMeasureVert);
  int nRowAlong = 0, nRowAcross = 0, nMaxAlong = 0, nSumAcross = 0, nRows = 0;
  bool bAnyPlaced = false, bPrevSeparator = false, bRowBreak = false;
  auto CloseRow = [&]() {
    nMaxAlong = std::max(nMaxAlong, nRowAlong);
    nSumAcross += std::max(nRowAcross, nMinAcross) + (nRows > 0 ? nRowGap : 0);
    ++nRows;
    nRowAlong = nRowAcross = 0;
  };
  const int nCount = ContentCount(*this);
  for (int i = 0; i < nCount; ++i) {
    if (IsLeftOut(*this, i))
      continue;
    CExtBarButton* pButton = m_buttons[i];
    const bool bSeparator = pButton->IsSeparator();
    if (bSeparator && (!bAnyPlaced || bPrevSeparator))
      continue; // collapsed
    const CSize size = pButton->CalculateLayout(dc, sizeDef, !bMeasureVert);
    const bool bWrap = bRows && pButton->IsWrap(nMode);
    if (!(bSeparator && (nRowAlong == 0 || bWrap)))
      nRowAlong += Along(size);
    nRowAcross = std::max<int>(nRowAcross, Across(size));
    bAnyPlaced = true;
    bPrevSeparator = bSeparator;
    if (bWrap && i + 1 < nCount) {
      CloseRow();
      bRowBreak = true;
    }
  }
  CloseRow();
  if (m_pRightBtn != NULL && !bFloating && !bPanel) {
    const CSize sizeChevron = m_pRightBtn->CalculateLayout(dc, sizeDef, !bMeasureVert);
    nMaxAlong += Along(sizeChevron) + Along(g_PaintManagerHolder->GetToolBarButtonSpacing());
  }
  CSize size = bMeasureVert ? CSize(nSumAcross, nMaxAlong) : CSize(nMaxAlong, nSumAcross);
  if (bMeasureVert) {
    size.cx += 1 + m_cxLeftBorder + m_cxRightBorder;
    size.cy += m_cyTopBorder + m_cyBottomBorder + nRowGap;
  } else {
    size.cx += nRowGap / 2 + m_cxLeftBorder + m_cxRightBorder;
    size.cy += m_cyTopBorder + m_cyBottomBorder;
  }
  if (bFloating) {
    size.cx += 1;
    size.cy += 1;
  }
  if (bPanel && IsDialogMode() && GetSafeHwnd() != NULL) {
    CRect rcWindow(0, 0, 1, 1);
    ::AdjustWindowRectEx(&rcWindow, GetStyle(), FALSE, GetExStyle());
    size.cx += rcWindow.Width() - 1 + m_cxLeftBorder + m_cxRightBorder;
    size.cy += rcWindow.Height() - 1 + m_cyTopBorder + m_cyBottomBorder;
  }
  if (bRowBreak && !bPanel)
    m_nLayoutFlags |= TLF_FULL_ROW;
  return size;
}

void CExtToolControlBar::SizeToolBar(int nLength, bool bVert) {
  if (IsPanelBar() || m_buttons.GetSize() == 0)
    return;
  if (!IsFloating()) {
    if (bVert)
      WrapToolBar(kNoLimit, nLength);
    else
      WrapToolBar(nLength, kNoLimit);
    return;
  }
  const int nMin = std::max<int>(1, GetDefButtonSize().cx / 2);
  if (bVert) {
    // The length is a height: the narrowest width (in steps of nMin) whose rows fit it, and no
    // wider than one row of everything.
    WrapToolBar(kNoLimit);
    const int nWidest = CalcSize(false).cx;
    int nWidth = nMin;
    for (;;) {
      WrapToolBar(nWidth);
      if (CalcSize(false).cy <= nLength || nWidth > nWidest + nMin)
        break;
      nWidth += nMin;
    }
    return;
  }
  const int nRows = WrapToolBar(nLength);
  if (nLength > nMin && WrapToolBar(nMin) != nRows) {
    // The narrowest width that keeps the row count of the length: fewer pixels never mean fewer
    // rows, so halving the interval finds it.
    int nLow = nMin, nHigh = nLength;
    while (nHigh - nLow > 1) {
      const int nMid = nLow + (nHigh - nLow) / 2;
      if (WrapToolBar(nMid) <= nRows)
        nHigh = nMid;
      else
        nLow = nMid;
    }
    WrapToolBar(nHigh);
    return;
  }
  WrapToolBar(nLength);
}

int CExtToolControlBar::WrapToolBar(int nWidth, int nHeight) {
  (void)nHeight; // rows run along the width; the height does not limit them
  return WrapAlong(true, nWidth);
}

void CExtToolControlBar::WrapToolBarVertically(int nHeight) { WrapAlong(false, nHeight); }

int CExtToolControlBar::WrapAlong(bool bHorz, int nExtent) {
  if (m_buttons.GetSize() == 0)
    return 1;
  const bool bPanel = IsPanelBar();
  const int nMode = GetLayoutMode();
  const CSize sizeDef = GetDefButtonSize();
  CClientDC dc(GetSafeHwnd() != NULL ? this : NULL);
  BarFontSelection font(dc, *this, !bHorz);
  if (!bHorz && m_pRightBtn != NULL)
    nExtent -= m_pRightBtn->CalculateLayout(dc, sizeDef, false).cy;
  int nPos = 0, nRows = 1, nPrevPlaced = -1;
  bool bPrevSeparator = false;
  const int nCount = ContentCount(*this);
  for (int i = 0; i < nCount; ++i) {
    CExtBarButton* pButton = m_buttons[i];
    if (!bPanel)
      pButton->SetWrap(nMode, false);
    if (IsLeftOut(*this, i))
      continue;
    const bool bSeparator = pButton->IsSeparator();
    if (bSeparator && (nPrevPlaced < 0 || bPrevSeparator))
      continue; // collapsed
    const CSize size = pButton->CalculateLayout(dc, sizeDef, bHorz);
    const int nLength = bHorz ? size.cx : size.cy;
    if (bSeparator && nPos == 0) {
      // A separator at the start of a row takes no room.
    } else if (!bPanel && !bSeparator && nPos > 0 && nPos + nLength > nExtent) {
      m_buttons[nPrevPlaced]->SetWrap(nMode, true);
      ++nRows;
      nPos = nLength;
    } else {
      nPos += nLength;
    }
    nPrevPlaced = i;
    bPrevSeparator = bSeparator;
    if (bPanel && pButton->IsWrap(nMode) && i + 1 < nCount) {
      ++nRows;
      nPos = 0;
    }
  }
  return nRows;
}

void CExtToolControlBar::CalcInsideRect(CRect& rect, BOOL bHorz) const {
  if ((m_dwStyle & CBRS_BORDER_LEFT) != 0)
    rect.left += afxData.cxBorder2;
  if ((m_dwStyle & CBRS_BORDER_TOP) != 0)
    rect.top += afxData.cyBorder2;
  if ((m_dwStyle & CBRS_BORDER_RIGHT) != 0)
    rect.right -= afxData.cxBorder2;
  if ((m_dwStyle & CBRS_BORDER_BOTTOM) != 0)
    rect.bottom -= afxData.cyBorder2;
  const bool bGripper = (m_dwStyle & CBRS_GRIPPER) != 0 && (m_dwStyle & CBRS_FLOATING) == 0;
  if (bHorz) {
    rect.left += m_cxLeftBorder + (bGripper ? kGripperExtent : 0);
    rect.top += m_cyTopBorder;
    rect.right -= m_cxRightBorder;
    rect.bottom -= m_cyBottomBorder;
  } else {
    rect.left += m_cyTopBorder;
    rect.top += m_cxLeftBorder + (bGripper ? kGripperExtent : 0);
    rect.right -= m_cyBottomBorder;
    rect.bottom -= m_cxRightBorder;
  }
}

CSize CExtToolControlBar::CalcMinSize() const {
  const bool bHorz = IsBarHorizontal();
  CExtToolControlBar* pThis = const_cast<CExtToolControlBar*>(this);
  if (IsPanelBar())
    return pThis->CalcFixedLayout(bHorz, false);
  const CSize sizeDef = GetDefButtonSize();
  CClientDC dc(GetSafeHwnd() != NULL ? pThis : NULL);
  BarFontSelection font(dc, *this, !bHorz);
  CSize size(0, 0);
  if (m_pRightBtn != NULL)
    size = m_pRightBtn->CalculateLayout(dc, sizeDef, bHorz);
  int nSmallest = -1;
  const int nCount = ContentCount(*this);
  for (int i = 0; i < nCount; ++i) {
    CExtBarButton* pButton = m_buttons[i];
    if (pButton->IsSeparator() || tool_bar_layout::IsHiddenStyle(pButton))
      continue;
    const CSize sizeButton = pButton->CalculateLayout(dc, sizeDef, bHorz);
    const int nLength = bHorz ? sizeButton.cx : sizeButton.cy;
    if (nSmallest < 0 || nLength < nSmallest)
      nSmallest = nLength;
  }
  // The room the placement keeps beside the chevron, so that at this size the smallest button
  // still shows.
  const CSize sizeSpacing = g_PaintManagerHolder->GetToolBarButtonSpacing();
  int nExtra = std::max(nSmallest, 0);
  const CSize sizeNc = NonClientExtent(GetSafeHwnd());
  nExtra += bHorz ? sizeNc.cx : sizeNc.cy;
  if (bHorz)
    size.cx += nExtra + sizeSpacing.cx + m_cxLeftBorder + m_cxRightBorder;
  else
    size.cy += nExtra + sizeSpacing.cy + m_cyTopBorder + m_cyBottomBorder;
  return size;
}
