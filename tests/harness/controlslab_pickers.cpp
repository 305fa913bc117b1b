// The dialogs of controlslab's colour control and date picker, and the input its self-test drives
// through them as a user would.
#include "tests/harness/controlslab.h"
#include "tests/harness/lab_support.h"

#include <cstdio>
#include <memory>
#include <string>

namespace clab {

std::string DateText(const COleDateTime& dt) {
  if (dt.GetStatus() != COleDateTime::valid)
    return dt.GetStatus() == COleDateTime::null ? "null" : "invalid";
  char sz[16];
  std::snprintf(sz, sizeof(sz), "%04d-%02d-%02d", dt.GetYear(), dt.GetMonth(), dt.GetDay());
  return sz;
}

BOOL CDateDialog::OnInitDialog() {
  CLabDialog::OnInitDialog();
  const DWORD dwStyle = CExtDatePickerWnd::DPS_DEFAULT | CExtDatePickerWnd::DPS_MULTIPLE_SELECTION |
                        CExtDatePickerWnd::DPS_BUTTONS | CExtDatePickerWnd::DPS_BOLD_HEADER;
  const CSize size = m_picker.CalcSizeForDimension(CSize(2, 1));
  if (!m_picker.Create(this, CRect(CPoint(12, 12), size), IDC_CLAB_DATEPICKER, 2, 1, 2, 1,
                       WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, dwStyle)) {
    lab::Check(false, "date: the picker is created");
    return TRUE;
  }
  m_picker.CurrentDateSet(FirstMonth());
  return TRUE;
}

std::string CDateDialog::DescribeOwn(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != CExtDatePickerWnd::g_nMsgSelectionNotification || wParam == 0)
    return std::string();
  const auto* pInfo = reinterpret_cast<const CExtDatePickerWnd::SELECTION_NOTIFICATION*>(wParam);
  char sz[32];
  std::snprintf(sz, sizeof(sz), " cookie %ld", (long)lParam);
  return "selection " + DateText(pInfo->m_dtBegin) + " " + DateText(pInfo->m_dtEnd) +
         (pInfo->IsFinal() ? " final" : "") + sz;
}

namespace {

// The centre on the screen of the cell showing the date in the picker's month at the column, or
// (0, 0) when no month there shows it.
CPoint DateCellCentre(CExtDatePickerWnd& picker, int nColumn, const COleDateTime& dt) {
  const CExtDatePickerWnd::MONTH_INFO* pMonth = picker.GetMonthAt(0, nColumn);
  if (pMonth == NULL)
    return CPoint(0, 0);
  for (int i = 0; i < CExtDatePickerWnd::MONTH_INFO::CELL_COUNT; ++i) {
    const auto& cell = pMonth->GetCell(i);
    if (cell.GetDate().GetStatus() == COleDateTime::valid && DateText(cell.GetDate()) == DateText(dt) &&
        cell.GetDate().GetMonth() == pMonth->GetMonth()) {
      CPoint pt = cell.GetRect().CenterPoint();
      picker.ClientToScreen(&pt);
      return pt;
    }
  }
  return CPoint(0, 0);
}

CPoint PickerPoint(CExtDatePickerWnd& picker, const CRect& rcClient) {
  CPoint pt = rcClient.CenterPoint();
  picker.ClientToScreen(&pt);
  return pt;
}

bool SelectionIs(CExtDatePickerWnd& picker, const char* pszBegin, const char* pszEnd) {
  COleDateTime dtBegin, dtEnd;
  picker.SelectionGet(dtBegin, dtEnd);
  return DateText(dtBegin) == pszBegin && DateText(dtEnd) == pszEnd;
}

std::string FirstShown(CExtDatePickerWnd& picker) {
  COleDateTime dtFirst, dtLast;
  picker.GetDisplayedRange(dtFirst, dtLast);
  return DateText(dtFirst);
}

} // namespace

void AddDateSteps(lab::CLabScript& script, CLabDialog& dialog) {
  auto& dlg = static_cast<CDateDialog&>(dialog);
  CExtDatePickerWnd& picker = dlg.m_picker;
  script.Add(
      "date: the picker shows two months from May 2024",
      [&picker] { picker.CurrentDateSet(CDateDialog::FirstMonth(), true); },
      [&picker] { return picker.GetMonthCount() == 2 && FirstShown(picker) == "2024-05-01"; });
  script.AddClick(
      "date: a click on the 10th of May selects it",
      [&picker] { return DateCellCentre(picker, 0, COleDateTime(2024, 5, 10, 0, 0, 0)); },
      [&picker] {
        return SelectionIs(picker, "2024-05-10", "2024-05-10") &&
               lab::Logged("date: selection 2024-05-10 2024-05-10 final cookie 0");
      });
  script.AddDrag(
      "date: a drag from the 13th of May to the 4th of June selects the range",
      [&picker] { return DateCellCentre(picker, 0, COleDateTime(2024, 5, 13, 0, 0, 0)); },
      [&picker] { return DateCellCentre(picker, 1, COleDateTime(2024, 6, 4, 0, 0, 0)); },
      [&picker] {
        return SelectionIs(picker, "2024-05-13", "2024-06-04") &&
               lab::Logged("date: selection 2024-05-13 2024-06-04 final cookie 0");
      });
  script.AddClick(
      "date: a click on the next-month arrow shows June and July",
      [&picker] {
        const CExtDatePickerWnd::MONTH_INFO* pMonth = picker.GetMonthAt(0, 1);
        return pMonth != NULL ? PickerPoint(picker, pMonth->GetScrollNextRect()) : CPoint(0, 0);
      },
      [&picker] {
        return FirstShown(picker) == "2024-06-01" && SelectionIs(picker, "2024-05-13", "2024-06-04");
      });
  script.AddClick(
      "date: a click on None clears the selection",
      [&picker] { return PickerPoint(picker, picker.GetButtonNoneRect()); },
      [&picker] {
        return SelectionIs(picker, "null", "null") && lab::Logged("date: selection null null final cookie 0");
      });
  script.AddClick(
      "date: a click on Today selects today and shows its month",
      [&picker] { return PickerPoint(picker, picker.GetButtonTodayRect()); },
      [&picker] {
        const std::string today = DateText(picker.GetTodayDate());
        COleDateTime dtFirst, dtLast;
        picker.GetDisplayedRange(dtFirst, dtLast);
        return SelectionIs(picker, today.c_str(), today.c_str()) &&
               picker.IsDateSelected(picker.GetTodayDate()) && DateText(dtFirst) <= today &&
               today <= DateText(dtLast);
      });
}

} // namespace clab
