// The date picker's measurements, fonts, names and drawing.
#include "toolkit/controls/ExtDatePickerWnd.h"

#include "framework/gdi/fw_gdi.h"
#include "toolkit/theme/ExtPaintManagerHolder.h"

CString CExtDatePickerWnd::GetMonthName(int, bool) const { return CString(); }

int CExtDatePickerWnd::GetFirstDayOfWeek() const { return 0; }

CString CExtDatePickerWnd::GetDayName(int, bool) const { return CString(); }

CString CExtDatePickerWnd::GetButtonText(int nButtonId) const {
  return nButtonId == BUTTON_NONE    ? CString("None")
         : nButtonId == BUTTON_TODAY ? CString("Today")
                                     : CString();
}

void CExtDatePickerWnd::OnDatePickerDrawTodayFrame(CDC&, bool, bool, bool, bool, const CRect&,
                                                   const COleDateTime&, bool) const {}

void CExtDatePickerWnd::OnDatePickerDrawDateCell(CDC&, bool, bool, bool, bool, const CRect&,
                                                 const COleDateTime&, bool) const {}

void CExtDatePickerWnd::OnDatePickerDrawSeparator(CDC&, const CRect&) const {}

void CExtDatePickerWnd::OnDatePickerDrawButton(CDC&, const CRect&, int, const CString&, bool, bool, bool,
                                               bool) const {}

void CExtDatePickerWnd::OnDatePickerDrawHeaderBackground(int, int, CDC&, int, int, const CRect&, const CRect&,
                                                         const CRect&, const CRect&, const CRect&) const {}

void CExtDatePickerWnd::OnDatePickerDrawHeader(int, int, CDC&, int, int, const CRect&, const CRect&,
                                               const CRect&, const CRect&, const CRect&) const {}

void CExtDatePickerWnd::OnDatePickerDrawDayNames(int, int, CDC&, const CRect&) const {}

void CExtDatePickerWnd::OnDatePickerDrawEntire(CDC&, const CRect&) const {}

void CExtDatePickerWnd::OnDatePickerDrawBackground(CDC&, const CRect&) const {}

void CExtDatePickerWnd::OnDatePickerDrawBorder(CDC&, const CRect&) const {}

CRect CExtDatePickerWnd::OnDatePickerQueryBorderSizes() const {
  const int n = (m_dwDatePickerStyle & DPS_BORDER) != 0 ? 4 : 0;
  return CRect(n, n, n, n);
}

CFont* CExtDatePickerWnd::OnDatePickerQueryMonthNameFont() const { return NULL; }

CFont* CExtDatePickerWnd::OnDatePickerQueryDayNumberFont() const { return NULL; }

CFont* CExtDatePickerWnd::OnDatePickerQueryHeaderFont() const { return NULL; }

CFont* CExtDatePickerWnd::OnDatePickerQueryDayNameFont() const { return NULL; }

int CExtDatePickerWnd::OnDatePickerQueryIndent() const { return m_nIndentSpace; }

CSize CExtDatePickerWnd::OnDatePickerQueryDateCellSize() const { return m_sizeDateCell; }

CSize CExtDatePickerWnd::OnDatePickerQueryButtonSize() const { return m_sizeButton; }

CSize CExtDatePickerWnd::OnDatePickerQueryScrollButtonSize() const { return m_sizeScrollButton; }

int CExtDatePickerWnd::OnDatePickerQueryHeaderHeight() const { return m_nMonthHeaderHeight; }

int CExtDatePickerWnd::OnDatePickerQueryDayNamesHeight() const { return m_nDayNamesHeight; }

int CExtDatePickerWnd::OnDatePickerQueryButtonAreaHeight() const { return m_nButtonAreaHeight; }

CSize CExtDatePickerWnd::OnDatePickerQueryMonthSize() const { return m_sizeMonth; }

void CExtDatePickerWnd::OnDatePickerRecalcMetrics(CDC&, CSize& sizeMonth, CSize& sizeDateCell,
                                                  CSize& sizeButton, CSize& sizeScrollButton,
                                                  int& nMonthHeaderHeight, int& nButtonAreaHeight,
                                                  int& nDayNamesHeight, int& nIndentSpace) {
  sizeMonth = CSize(143, 125);
  sizeDateCell = CSize(17, 15);
  sizeButton = CSize(47, 18);
  sizeScrollButton = CSize(16, 16);
  nMonthHeaderHeight = 18;
  nButtonAreaHeight = 30;
  nDayNamesHeight = 16;
  nIndentSpace = 11;
}
