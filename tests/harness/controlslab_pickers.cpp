// The dialogs of controlslab's colour control and date picker, and the input its self-test drives
// through them as a user would.
#include "resources/toolkit_ids.h"
#include "tests/harness/controlslab.h"
#include "tests/common/input_support.h"
#include "tests/harness/lab_support.h"
#include "toolkit/controls/ExtColorDlg.h"

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

// The modal colour dialog while it is open, else NULL.
HWND OpenColorDialog() {
  HWND hWnd = ::GetActiveWindow();
  return hWnd != NULL && ::GetDlgItem(hWnd, IDC_EXT_COLOR_PICKER) != NULL && ::IsWindowVisible(hWnd) ? hWnd
                                                                                                     : NULL;
}

CPoint ColorDialogItemCentre(UINT nId) {
  CRect rc;
  ::GetWindowRect(::GetDlgItem(OpenColorDialog(), nId), &rc);
  return rc.CenterPoint();
}

std::string ColorDialogText(UINT nId) {
  char sz[32] = "";
  if (HWND hDlg = OpenColorDialog())
    ::GetDlgItemTextA(hDlg, nId, sz, sizeof(sz));
  return sz;
}

BOOL CColorDialogFamily::OnInitDialog() {
  CLabDialog::OnInitDialog();
  if (!m_mode.SubclassDlgItem(IDC_CLAB_COLORMODE, this) ||
      !m_colorCtrl.SubclassDlgItem(IDC_CLAB_COLORCTRL, this) ||
      !m_openDialog.SubclassDlgItem(IDC_CLAB_COLORDLG, this))
    lab::Check(false, "colour: every item is subclassed");
  for (int nMode = 0; nMode < CExtColorCtrl::MODE_NAMED_COUNT; ++nMode)
    m_mode.AddString(CExtColorCtrl::GetModeName(nMode));
  m_mode.SetCurSel(m_colorCtrl.m_nMode);
  return TRUE;
}

BOOL CColorDialogFamily::OnCommand(WPARAM wParam, LPARAM lParam) {
  if (LOWORD(wParam) == IDC_CLAB_COLORMODE && HIWORD(wParam) == CBN_SELENDOK) {
    // As the colour dialog switches its picker: the models are built again for the new mode.
    m_colorCtrl.m_nMode = m_mode.GetCurSel();
    m_colorCtrl.ReleaseAllModels();
    m_colorCtrl.Rebuild(false);
    m_colorCtrl.RedrawWindow();
    return TRUE;
  }
  if (LOWORD(wParam) == IDC_CLAB_COLORDLG && HIWORD(wParam) == BN_CLICKED) {
    CExtColorDlg dlg(m_clrDialog, m_clrDialog, this);
    const INT_PTR nResult = dlg.DoModal();
    char sz[64];
    std::snprintf(sz, sizeof(sz), "colour: the dialog ended with %d, colour 0x%08lX", (int)nResult,
                  (unsigned long)dlg.m_clrNew);
    lab::Log(sz);
    if (nResult == IDOK) {
      m_clrDialog = dlg.m_clrNew;
      m_colorCtrl.SetCurrentColor(m_clrDialog, true);
    }
    return TRUE;
  }
  return CLabDialog::OnCommand(wParam, lParam);
}

std::string CColorDialogFamily::DescribeOwn(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != CExtColorCtrl::g_nMsgColorChanged || lParam == 0)
    return std::string();
  // The control sends its reference, current and previous colours.
  const COLORREF* pBlock = reinterpret_cast<const COLORREF*>(lParam);
  char sz[120];
  std::snprintf(sz, sizeof(sz), "control %d current 0x%08lX previous 0x%08lX reference 0x%08lX",
                ::GetDlgCtrlID((HWND)wParam), (unsigned long)pBlock[1], (unsigned long)pBlock[2],
                (unsigned long)pBlock[0]);
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

int CountLogged(const std::string& prefix) {
  int n = 0;
  for (const std::string& s : lab::g_log)
    n += s.compare(0, prefix.size(), prefix) == 0 ? 1 : 0;
  return n;
}

BOOL CALLBACK FindMonthList(HWND hWnd, LPARAM lParam) {
  CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
  if (pWnd == NULL || !pWnd->IsKindOf(RUNTIME_CLASS(CExtDatePickerHeaderPopupWnd)) ||
      !::IsWindowVisible(hWnd))
    return TRUE;
  *reinterpret_cast<CExtDatePickerHeaderPopupWnd**>(lParam) =
      static_cast<CExtDatePickerHeaderPopupWnd*>(pWnd);
  return FALSE;
}

// The month list while it shows, else NULL.
CExtDatePickerHeaderPopupWnd* OpenMonthList() {
  CExtDatePickerHeaderPopupWnd* pFound = NULL;
  ::EnumThreadWindows(::GetCurrentThreadId(), FindMonthList, reinterpret_cast<LPARAM>(&pFound));
  return pFound;
}

// The screen centre of the month list's line.
CPoint MonthListLine(int nLine) {
  CExtDatePickerHeaderPopupWnd* pList = OpenMonthList();
  if (pList == NULL)
    return CPoint(0, 0);
  CRect rc;
  pList->GetClientRect(rc);
  const int cyLine = rc.Height() / 7;
  CPoint pt(rc.CenterPoint().x, nLine * cyLine + cyLine / 2);
  pList->ClientToScreen(&pt);
  return pt;
}

} // namespace

void AddColorSteps(lab::CLabScript& script, CLabDialog& dialog) {
  auto& dlg = static_cast<CColorDialogFamily&>(dialog);
  const std::string changed = "colour: control " + std::to_string(IDC_CLAB_COLORCTRL) + " current ";
  auto clrBefore = std::make_shared<COLORREF>();
  script.AddClick(
      "colour: a click on a cell of the basic colours picks its colour",
      [&dlg, clrBefore] {
        *clrBefore = dlg.m_colorCtrl.m_clrCurrent;
        CRect rc = dlg.ItemRect(IDC_CLAB_COLORCTRL);
        return CPoint(rc.left + rc.Width() / 3, rc.top + rc.Height() / 3);
      },
      [&dlg, clrBefore, changed] {
        char sz[16];
        std::snprintf(sz, sizeof(sz), "0x%08lX", (unsigned long)dlg.m_colorCtrl.m_clrCurrent);
        return dlg.m_colorCtrl.m_clrCurrent != *clrBefore && CountLogged(changed + sz) >= 1;
      });
  script.AddClick(
      "colour: a click on the mode list drops it",
      [&dlg] {
        CRect rc = dlg.ItemRect(IDC_CLAB_COLORMODE);
        return CPoint(rc.right - 6, rc.CenterPoint().y);
      },
      [&dlg] { return dlg.m_mode.GetDroppedState() != FALSE; });
  script.AddClick(
      "colour: a click on the RGB mixer switches the picker",
      [&dlg] {
        COMBOBOXINFO info = {sizeof(info)};
        ::GetComboBoxInfo(dlg.m_mode.m_hWnd, &info);
        CRect rc;
        ::SendMessage(info.hwndList, LB_GETITEMRECT, CExtColorCtrl::MODE_RGB_MIXER, (LPARAM)&rc);
        ::MapWindowPoints(info.hwndList, NULL, (POINT*)&rc, 2);
        return rc.CenterPoint();
      },
      [&dlg] { return dlg.m_colorCtrl.m_nMode == CExtColorCtrl::MODE_RGB_MIXER; });
  auto nChanges = std::make_shared<int>();
  script.AddClick(
      "colour: a click in the mixer changes the colour again",
      [&dlg, nChanges, changed] {
        *nChanges = CountLogged(changed);
        CRect rc = dlg.ItemRect(IDC_CLAB_COLORCTRL);
        return CPoint(rc.left + rc.Width() / 6, rc.top + rc.Height() / 4);
      },
      [nChanges, changed] { return CountLogged(changed) > *nChanges; });
  script.AddClick(
      "colour: the button opens the colour dialog", [&dlg] { return dlg.ItemCentre(IDC_CLAB_COLORDLG); },
      [] { return OpenColorDialog() != NULL && ColorDialogText(IDC_EXT_COLOR_RED) == "0"; });
  script.AddClick(
      "colour: a click in the red value gives it the focus",
      [] { return ColorDialogItemCentre(IDC_EXT_COLOR_RED); },
      [] { return ::GetFocus() == ::GetDlgItem(OpenColorDialog(), IDC_EXT_COLOR_RED); });
  // The cyan value follows the red one typed.
  script.AddKeys("colour: typing a red of 200", {VK_END, VK_BACK, VK_BACK, VK_BACK, '2', '0', '0'}, [] {
    return ColorDialogText(IDC_EXT_COLOR_RED) == "200" && ColorDialogText(IDC_EXT_COLOR_CYAN) == "55";
  });
  script.Add(
      "colour: picture of the colour dialog",
      [] {
        CRect rc;
        ::GetWindowRect(OpenColorDialog(), &rc);
        lab::SaveScreenshot(rc, "controlslab_office2003_colour_dialog");
      },
      nullptr);
  script.AddClick(
      "colour: OK ends the dialog with the new colour", [] { return ColorDialogItemCentre(IDOK); },
      [&dlg] {
        return OpenColorDialog() == NULL &&
               lab::Logged("colour: the dialog ended with 1, colour 0x00FF80C8") &&
               dlg.m_colorCtrl.m_clrCurrent == RGB(200, 128, 255);
      });
  script.AddClick(
      "colour: the button opens the dialog again", [&dlg] { return dlg.ItemCentre(IDC_CLAB_COLORDLG); },
      [] { return OpenColorDialog() != NULL && ColorDialogText(IDC_EXT_COLOR_RED) == "200"; });
  script.AddClick(
      "colour: a click in the dialog's picker picks a colour",
      [] {
        CRect rc;
        ::GetWindowRect(::GetDlgItem(OpenColorDialog(), IDC_EXT_COLOR_PICKER), &rc);
        return CPoint(rc.left + rc.Width() / 3, rc.top + rc.Height() / 2);
      },
      [] {
        return ColorDialogText(IDC_EXT_COLOR_RED) != "200" || ColorDialogText(IDC_EXT_COLOR_GREEN) != "128";
      });
  script.AddClick(
      "colour: Cancel ends the dialog and keeps the colour", [] { return ColorDialogItemCentre(IDCANCEL); },
      [&dlg] {
        return OpenColorDialog() == NULL && CountLogged("colour: the dialog ended with 2") == 1 &&
               dlg.m_clrDialog == RGB(200, 128, 255);
      });
}

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
  script.Add(
      "date: picture of the range",
      [&dlg] { lab::SaveScreenshot(dlg.ItemRect(IDC_CLAB_DATEPICKER), "controlslab_office2003_date_range"); },
      nullptr);
  script.AddClick(
      "date: a click on the next-month arrow shows June and July",
      [&picker] {
        const CExtDatePickerWnd::MONTH_INFO* pMonth = picker.GetMonthAt(0, 1);
        return pMonth != NULL ? PickerPoint(picker, pMonth->GetScrollNextRect()) : CPoint(0, 0);
      },
      [&picker] {
        return FirstShown(picker) == "2024-06-01" && SelectionIs(picker, "2024-05-13", "2024-06-04");
      });
  // The month list shows while the button is held on a caption; the release picks a month.
  auto ptCaption = std::make_shared<CPoint>();
  script.Add(
      "date: the pointer rests on June's caption",
      [&picker, ptCaption] {
        const CExtDatePickerWnd::MONTH_INFO* pMonth = picker.GetMonthAt(0, 0);
        *ptCaption = pMonth != NULL ? PickerPoint(picker, pMonth->GetCaptionRect()) : CPoint(0, 0);
        real_input::MoveTo(*ptCaption);
      },
      [ptCaption] { return lab::PointerAt(*ptCaption); });
  script.Add(
      "date: a press on the caption shows the month list around June",
      [ptCaption] { real_input::MouseAt(*ptCaption, MOUSEEVENTF_LEFTDOWN); },
      [] {
        CExtDatePickerHeaderPopupWnd* pList = OpenMonthList();
        return pList != NULL && pList->GetMiddleMonth() == 6 && pList->GetMiddleYear() == 2024;
      });
  // The pointer goes down the list in a few moves of the X pointer, as a hand moves it.
  auto ptLine = std::make_shared<CPoint>();
  for (int i = 1; i <= 4; ++i) {
    auto ptStep = [ptLine, ptCaption, i] {
      return CPoint(ptCaption->x + (ptLine->x - ptCaption->x) * i / 4,
                    ptCaption->y + (ptLine->y - ptCaption->y) * i / 4);
    };
    script.Add(
        "date: the pointer moves to August in the list, move " + std::to_string(i) + " of 4",
        [ptLine, ptStep, i] {
          if (i == 1)
            *ptLine = MonthListLine(5);
          lab::XMoveTo(ptStep());
        },
        [ptStep] { return lab::PointerAt(ptStep()); });
  }
  script.Add("date: the list chooses August", nullptr, [] {
    int nMonth = 0, nYear = 0;
    CExtDatePickerHeaderPopupWnd* pList = OpenMonthList();
    return pList != NULL && pList->GetSelection(nMonth, nYear) && nMonth == 8 && nYear == 2024;
  });
  script.Add(
      "date: the release shows August first", [ptLine] { real_input::MouseAt(*ptLine, MOUSEEVENTF_LEFTUP); },
      [&picker] { return OpenMonthList() == NULL && FirstShown(picker) == "2024-08-01"; });
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
  // The picker took the focus with the clicks: the arrows move the selection, Shift extends it.
  const auto todayPlus = [&picker](int nDays) {
    return DateText(picker.GetTodayDate() + COleDateTimeSpan(nDays, 0, 0, 0));
  };
  script.AddKeys("date: Right selects the next day", {VK_RIGHT}, [&picker, todayPlus] {
    return ::GetFocus() == picker.m_hWnd && SelectionIs(picker, todayPlus(1).c_str(), todayPlus(1).c_str());
  });
  script.AddKeys("date: Down selects a week later", {VK_DOWN}, [&picker, todayPlus] {
    return SelectionIs(picker, todayPlus(8).c_str(), todayPlus(8).c_str());
  });
  script.Add(
      "date: Shift and Right extend the selection by a day",
      [] {
        INPUT shift = {INPUT_KEYBOARD};
        shift.ki.wVk = VK_SHIFT;
        ::SendInput(1, &shift, sizeof(INPUT));
        real_input::Key(VK_RIGHT);
        shift.ki.dwFlags = KEYEVENTF_KEYUP;
        ::SendInput(1, &shift, sizeof(INPUT));
      },
      [&picker, todayPlus] { return SelectionIs(picker, todayPlus(8).c_str(), todayPlus(9).c_str()); });
}

} // namespace clab
