// The date picker's measurements, fonts, names and drawing.
#include "toolkit/controls/ExtDatePickerWnd.h"

#include "framework/gdi/fw_gdi.h"
#include "toolkit/foundation/ExtResourceManager.h"
#include "toolkit/theme/ExtPaintDcState.h"
#include "toolkit/theme/ExtPaintManagerHolder.h"

#include <algorithm>
#include <cstdlib>

namespace {

const UINT kIdsButtonNone = 30369;
const UINT kIdsButtonToday = 30370;
const UINT kMeasureFormat = DT_CALCRECT | DT_SINGLELINE;

// The size DrawText gives the text in the DC's current font.
CSize MeasureText(CDC& dc, const CString& sText) {
  CRect rc(0, 0, 0, 0);
  dc.DrawText(sText, &rc, kMeasureFormat);
  return rc.Size();
}

CSize Larger(const CSize& a, const CSize& b) { return CSize(std::max(a.cx, b.cx), std::max(a.cy, b.cy)); }

CObject* HelperSrc(const CExtDatePickerWnd* pPicker) { return const_cast<CExtDatePickerWnd*>(pPicker); }

COLORREF SysColor(const CExtDatePickerWnd* pPicker, int nColorIndex) {
  return g_PaintManagerHolder->ColorByLogicalId(nColorIndex, HelperSrc(pPicker));
}

} // namespace

// --- names ------------------------------------------------------------------------------------

CString CExtDatePickerWnd::GetMonthName(int nMonth, bool bMakeUpper) const {
  if (nMonth < 1 || nMonth > 12)
    return CString();
  char szBuffer[200] = "";
  if (g_ResourceManagerHolder->GetLocaleInfo(LOCALE_SMONTHNAME1 + nMonth - 1, szBuffer, sizeof(szBuffer)) ==
      0)
    szBuffer[0] = '\0';
  CString sName(szBuffer);
  if (bMakeUpper)
    sName.MakeUpper();
  return sName;
}

int CExtDatePickerWnd::GetFirstDayOfWeek() const {
  char szBuffer[24] = "";
  // Without an answer from the locale the week starts on Monday, the international rule.
  if (g_ResourceManagerHolder->GetLocaleInfo(LOCALE_IFIRSTDAYOFWEEK, szBuffer, sizeof(szBuffer)) == 0)
    return 0;
  const int nDay = atoi(szBuffer);
  return nDay >= 0 && nDay <= 6 ? nDay : 0;
}

CString CExtDatePickerWnd::GetDayName(int nDay, bool bMakeUpper) const {
  if (nDay < 1 || nDay > 7)
    return CString();
  char szBuffer[100] = "";
  if (g_ResourceManagerHolder->GetLocaleInfo(LOCALE_SABBREVDAYNAME1 + nDay - 1, szBuffer, sizeof(szBuffer)) ==
      0)
    szBuffer[0] = '\0';
  CString sName(szBuffer);
  if (bMakeUpper)
    sName.MakeUpper();
  return sName.Left(1);
}

CString CExtDatePickerWnd::GetButtonText(int nButtonId) const {
  CString sText;
  if (nButtonId == BUTTON_NONE) {
    if (!g_ResourceManagerHolder->LoadString(sText, kIdsButtonNone))
      sText = "None";
  } else if (nButtonId == BUTTON_TODAY) {
    if (!g_ResourceManagerHolder->LoadString(sText, kIdsButtonToday))
      sText = "Today";
  }
  return sText;
}

// --- fonts and measurements -------------------------------------------------------------------

namespace {

CFont* StyleFont(DWORD dwStyle, DWORD dwBoldBit) {
  CExtPaintManager* pPM = g_PaintManagerHolder.GetPM();
  return (dwStyle & dwBoldBit) != 0 ? &pPM->m_FontBold : &pPM->m_FontNormal;
}

} // namespace

CRect CExtDatePickerWnd::OnDatePickerQueryBorderSizes() const {
  const int n = (m_dwDatePickerStyle & DPS_BORDER) != 0 ? 4 : 0;
  return CRect(n, n, n, n);
}

CFont* CExtDatePickerWnd::OnDatePickerQueryMonthNameFont() const {
  return StyleFont(m_dwDatePickerStyle, DPS_BOLD_POPUP_MONTHS);
}

CFont* CExtDatePickerWnd::OnDatePickerQueryDayNumberFont() const {
  return StyleFont(m_dwDatePickerStyle, DPS_BOLD_DAY_NUMBERS);
}

CFont* CExtDatePickerWnd::OnDatePickerQueryHeaderFont() const {
  return StyleFont(m_dwDatePickerStyle, DPS_BOLD_HEADER);
}

CFont* CExtDatePickerWnd::OnDatePickerQueryDayNameFont() const {
  return StyleFont(m_dwDatePickerStyle, DPS_BOLD_DAY_NAMES);
}

int CExtDatePickerWnd::OnDatePickerQueryIndent() const { return m_nIndentSpace; }

CSize CExtDatePickerWnd::OnDatePickerQueryDateCellSize() const { return m_sizeDateCell; }

CSize CExtDatePickerWnd::OnDatePickerQueryButtonSize() const { return m_sizeButton; }

CSize CExtDatePickerWnd::OnDatePickerQueryScrollButtonSize() const { return m_sizeScrollButton; }

int CExtDatePickerWnd::OnDatePickerQueryHeaderHeight() const { return m_nMonthHeaderHeight; }

int CExtDatePickerWnd::OnDatePickerQueryDayNamesHeight() const { return m_nDayNamesHeight; }

int CExtDatePickerWnd::OnDatePickerQueryButtonAreaHeight() const { return m_nButtonAreaHeight; }

CSize CExtDatePickerWnd::OnDatePickerQueryMonthSize() const { return m_sizeMonth; }

void CExtDatePickerWnd::OnDatePickerRecalcMetrics(CDC& dc, CSize& sizeMonth, CSize& sizeDateCell,
                                                  CSize& sizeButton, CSize& sizeScrollButton,
                                                  int& nMonthHeaderHeight, int& nButtonAreaHeight,
                                                  int& nDayNamesHeight, int& nIndentSpace) {
  CExtPaintManager* pPM = g_PaintManagerHolder.GetPM();
  CExtDcTextState state(dc);
  dc.SelectObject((m_dwDatePickerStyle & DPS_ANY_BOLD) != 0 ? &pPM->m_FontBold : &pPM->m_FontNormal);
  nIndentSpace = 11;

  CSize sizeDayName(10, 10);
  for (int nDay = 1; nDay <= 7; ++nDay)
    sizeDayName = Larger(sizeDayName, MeasureText(dc, GetDayName(nDay, true)) + CSize(2, 2));

  sizeDateCell = CSize(17, 15);
  for (int nDay = 1; nDay <= 31; ++nDay) {
    CString sNumber;
    sNumber.Format("%02d", nDay);
    sizeDateCell = Larger(sizeDateCell, MeasureText(dc, sNumber) + CSize(2, 2));
  }
  // Day numbers and day letters share their columns.
  sizeDateCell.cx = sizeDayName.cx = std::max(sizeDateCell.cx, sizeDayName.cx);

  sizeButton = CSize(47, 18);
  for (int nButton : {BUTTON_TODAY, BUTTON_NONE})
    sizeButton = Larger(sizeButton, MeasureText(dc, GetButtonText(nButton)) + CSize(10, 6));

  sizeScrollButton = CSize(16, 16);
  {
    CExtDcTextState glyphState(dc);
    dc.SelectObject(&pPM->m_FontMarlett);
    for (LPCSTR pszGlyph : {"3", "4"})
      sizeScrollButton = Larger(sizeScrollButton, dc.GetTextExtent(pszGlyph, 1));
  }

  CSize sizeHeaderText(10, 10);
  HFONT hMonthFont = (HFONT)OnDatePickerQueryMonthNameFont()->GetSafeHandle();
  for (int nMonth = 1; nMonth <= 12; ++nMonth) {
    const CRect rc = CExtPaintManager::CalcTextExtent(dc, hMonthFont, GetMonthName(nMonth, false) + " 0000",
                                                      kMeasureFormat);
    sizeHeaderText = Larger(sizeHeaderText, rc.Size());
  }
  const int nHeaderWidth = std::max<int>(sizeHeaderText.cx + 2 * sizeScrollButton.cx + 4, 7 * sizeDayName.cx);
  nMonthHeaderHeight = std::max<int>({sizeHeaderText.cy, sizeScrollButton.cy + 2, 18});

  nDayNamesHeight = std::max<int>(sizeDayName.cy + 2, 16);
  nButtonAreaHeight = std::max<int>(sizeButton.cy + 10, 30);

  const int nWidth = std::max<int>({7 * sizeDateCell.cx, sizeDayName.cx, nHeaderWidth});
  sizeMonth.cx = std::max(nWidth + 2 * nIndentSpace, 143);
  sizeMonth.cy = std::max<int>(nMonthHeaderHeight + 6 * sizeDateCell.cy + nDayNamesHeight, 125);
}

// --- drawing ----------------------------------------------------------------------------------

void CExtDatePickerWnd::OnDatePickerDrawEntire(CDC& dc, const CRect& rcClient) const {
  OnDatePickerDrawBackground(dc, rcClient);
  const DWORD dwStyle = GetDatePickerStyle();
  if ((dwStyle & (DPS_BORDER | DPS_BORDER_DRAWN)) == (DPS_BORDER | DPS_BORDER_DRAWN))
    OnDatePickerDrawBorder(dc, m_rcBorder);
  for (int nRow = 0; nRow < m_sizeCurrent.cy; ++nRow)
    for (int nColumn = 0; nColumn < m_sizeCurrent.cx; ++nColumn)
      if (const MONTH_INFO* pMonth = GetMonthAt(nRow, nColumn))
        pMonth->Draw(dc);
  if ((dwStyle & DPS_BUTTONS) != 0 && (dwStyle & DPS_BUTTON_SEPARATOR) != 0) {
    const int nIndent = OnDatePickerQueryIndent();
    OnDatePickerDrawSeparator(dc, CRect(m_rcMonthsArea.left + nIndent, m_rcMonthsArea.bottom + 1,
                                        m_rcMonthsArea.right - nIndent, m_rcMonthsArea.bottom + 2));
  }
  struct ButtonPlace {
    const CRect& rc;
    int nId;
    int nTracking;
    BYTE nHoverBit;
  };
  const ButtonPlace buttons[] = {{m_rcButtonToday, BUTTON_TODAY, TRACK_BUTTON_TODAY, STATE_HOVER_TODAY},
                                 {m_rcButtonNone, BUTTON_NONE, TRACK_BUTTON_NONE, STATE_HOVER_NONE}};
  for (const ButtonPlace& b : buttons) {
    if (b.rc.IsRectEmpty())
      continue;
    const bool bHoverBit = (m_nStateBits & b.nHoverBit) != 0;
    const bool bHover = bHoverBit && (m_nTrackingCode == TRACK_NONE || m_nTrackingCode == b.nTracking);
    const bool bPushed = bHoverBit && m_nTrackingCode == b.nTracking;
    OnDatePickerDrawButton(dc, b.rc, b.nId, GetButtonText(b.nId), false, true, bPushed, bHover);
  }
}

void CExtDatePickerWnd::OnDatePickerDrawBackground(CDC& dc, const CRect& rcClient) const {
  g_PaintManagerHolder->PaintDatePickerBackground(dc, rcClient, m_rcBorder, HelperSrc(this));
}

void CExtDatePickerWnd::OnDatePickerDrawBorder(CDC& dc, const CRect& rcBorder) const {
  g_PaintManagerHolder->PaintDatePickerBorder(dc, rcBorder, HelperSrc(this));
}

void CExtDatePickerWnd::OnDatePickerDrawSeparator(CDC& dc, const CRect& rc) const {
  g_PaintManagerHolder->PaintDatePickerSeparator(dc, rc, HelperSrc(this));
}

void CExtDatePickerWnd::OnDatePickerDrawButton(CDC& dc, const CRect& rc, int nButtonId, const CString& sText,
                                               bool bFlat, bool bDrawBorder, bool bPushed,
                                               bool bHover) const {
  g_PaintManagerHolder->PaintDatePickerPushButton(dc, rc, nButtonId, sText, bFlat, bDrawBorder, bPushed,
                                                  bHover, HelperSrc(this));
}

void CExtDatePickerWnd::OnDatePickerDrawHeaderBackground(int nColumn, int nRow, CDC& dc, int nYear,
                                                         int nMonth, const CRect& rcHeader,
                                                         const CRect& rcHeaderInner, const CRect& rcCaption,
                                                         const CRect& rcScrollPrev,
                                                         const CRect& rcScrollNext) const {
  g_PaintManagerHolder->PaintDatePickerHeaderBackground(nColumn, nRow, dc, nYear, nMonth, rcHeader,
                                                        rcHeaderInner, rcCaption, rcScrollPrev, rcScrollNext,
                                                        HelperSrc(this));
}

void CExtDatePickerWnd::OnDatePickerDrawHeader(int nColumn, int nRow, CDC& dc, int nYear, int nMonth,
                                               const CRect& rcHeader, const CRect& rcHeaderInner,
                                               const CRect& rcCaption, const CRect& rcScrollPrev,
                                               const CRect& rcScrollNext) const {
  if ((GetDatePickerStyle() & DPS_NO_HEADER_BACKGROUND) == 0)
    OnDatePickerDrawHeaderBackground(nColumn, nRow, dc, nYear, nMonth, rcHeader, rcHeaderInner, rcCaption,
                                     rcScrollPrev, rcScrollNext);
  CExtDcTextState state(dc);
  const UINT nFormat = DT_CENTER | DT_VCENTER | DT_SINGLELINE;
  dc.SetBkMode(TRANSPARENT);
  dc.SetTextColor(SysColor(this, COLOR_BTNTEXT));
  dc.SelectObject(OnDatePickerQueryHeaderFont());
  CString sCaption;
  sCaption.Format("%s %d", (LPCSTR)GetMonthName(nMonth, false), nYear);
  CRect rcText = rcCaption;
  dc.DrawText(sCaption, &rcText, nFormat);

  dc.SelectObject(&g_PaintManagerHolder->m_FontMarlett);
  // A mirrored window shows the arrows pointing the other way round.
  const bool bRtl = GetSafeHwnd() != NULL && (GetExStyle() & WS_EX_LAYOUTRTL) != 0;
  if (nRow == 0 && nColumn == 0 && !rcScrollPrev.IsRectEmpty()) {
    CRect rc = rcScrollPrev;
    dc.DrawText(bRtl ? "4" : "3", 1, &rc, nFormat);
  }
  if (nRow == 0 && nColumn == m_sizeCurrent.cx - 1 && !rcScrollNext.IsRectEmpty()) {
    CRect rc = rcScrollNext;
    dc.DrawText(bRtl ? "3" : "4", 1, &rc, nFormat);
  }
}

void CExtDatePickerWnd::OnDatePickerDrawDayNames(int, int, CDC& dc, const CRect& rcDayNames) const {
  CExtDcTextState state(dc);
  dc.SetBkMode(TRANSPARENT);
  dc.SetTextColor(SysColor(this, COLOR_BTNTEXT));
  dc.SelectObject(OnDatePickerQueryDayNameFont());
  const CSize sizeCell = OnDatePickerQueryDateCellSize();
  const int nFirstDay = GetFirstDayOfWeek();
  for (int i = 0; i < 7; ++i) {
    CRect rc(rcDayNames.left + i * sizeCell.cx, rcDayNames.top, rcDayNames.left + (i + 1) * sizeCell.cx - 2,
             rcDayNames.top + sizeCell.cy);
    rc.OffsetRect(0, -1);
    dc.DrawText(GetDayName((i + nFirstDay) % 7 + 1, true), &rc, DT_RIGHT | DT_VCENTER | DT_SINGLELINE);
  }
  dc.FillSolidRect(CRect(rcDayNames.left, rcDayNames.bottom - 2, rcDayNames.right, rcDayNames.bottom - 1),
                   SysColor(this, COLOR_BTNSHADOW));
}

void CExtDatePickerWnd::OnDatePickerDrawDateCell(CDC& dc, bool bShowOutOfMonthDays, bool bMarkToday,
                                                 bool bOutOfMonth, bool bToday, const CRect& rcCell,
                                                 const COleDateTime& dt, bool bSelected) const {
  if (bOutOfMonth && !bShowOutOfMonthDays)
    return;
  CExtDcTextState state(dc);
  dc.SetTextColor(SysColor(this, bOutOfMonth && !bSelected ? COLOR_BTNSHADOW : COLOR_BTNTEXT));
  dc.SetBkMode(TRANSPARENT);
  dc.SelectObject(OnDatePickerQueryDayNumberFont());
  if (bSelected)
    dc.FillSolidRect(&rcCell, g_PaintManagerHolder->ColorByLogicalId(1001, HelperSrc(this)));
  CString sDay;
  sDay.Format("%d", dt.GetDay());
  CRect rcText = rcCell;
  rcText.right -= 2;
  dc.DrawText(sDay, &rcText, DT_RIGHT | DT_VCENTER | DT_SINGLELINE);
  OnDatePickerDrawTodayFrame(dc, bShowOutOfMonthDays, bMarkToday, bOutOfMonth, bToday, rcCell, dt, bSelected);
}

void CExtDatePickerWnd::OnDatePickerDrawTodayFrame(CDC& dc, bool, bool bMarkToday, bool, bool bToday,
                                                   const CRect& rcCell, const COleDateTime&, bool) const {
  if (!bMarkToday || !bToday)
    return;
  const COLORREF clr = dc.GetNearestColor(RGB(128, 0, 0));
  dc.Draw3dRect(&rcCell, clr, clr);
}
