// What the tests of the popup menus hosting controls share: a control that logs the input records
// its menu hands over and answers as told, a menu hosting it, and a small calendar standing in for
// the controls' own, answering as the date-picker menu relies on.
#pragma once

#include "framework/fw.h"
#include "toolkit/menus/ExtPopupControlMenuWnd.h"

#include <utility>
#include <vector>

namespace control_menu {

typedef CExtPopupControlMenuWnd::InputRecord InputRecord;

// Logs every record; answers m_lAnswer, or asks for the let-through when m_bLetThrough is set.
class CLoggingControl : public CWnd {
public:
  std::vector<InputRecord> m_records;
  LRESULT m_lAnswer = 1;
  bool m_bLetThrough = false;

protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  void PostNcDestroy() override { delete this; }
};

class CHostingMenu : public CExtPopupControlMenuWnd {
public:
  HWND CreateHostedControl(CWnd* pWndMenu, const RECT& rc) override;
  CLoggingControl* m_pControl = NULL;
};

// A calendar of fixed-size months that logs the keys it gets and keeps the style it is given.
class CTestCalendar : public CExtPopupInplaceDatePicker {
  DECLARE_DYNCREATE(CTestCalendar)
public:
  enum { kMonthWidth = 170, kMonthHeight = 150 };
  BOOL Create(CWnd* pParentWnd, const RECT& rcWnd, UINT nDlgCtrlID, int nColumns, int nRows, int nMaxColumns,
              int nMaxRows, DWORD dwWindowStyle, DWORD dwDatePickerStyle,
              CCreateContext* pContext = NULL) override;
  void CalcSizeForDimension(CSize& sizeOut, const CSize* pDimension) override {
    sizeOut = CSize(pDimension->cx * kMonthWidth, pDimension->cy * kMonthHeight);
  }
  DWORD ModifyDatePickerStyle(DWORD dwRemove, DWORD dwAdd, bool) override {
    return std::exchange(m_dwStyle, (m_dwStyle & ~dwRemove) | dwAdd);
  }
  void SetDimension(int, int, int, int, bool) override {}

  static std::vector<UINT> g_keys; // of every calendar, in order
  DWORD m_dwStyle = 0;

protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};

// Shows the menu at (300, 200) at once, as the tracking will, and waits until it has appeared.
bool ShowHosting(CExtPopupMenuWnd& menu, CWnd* pOwner);

// Makes the tracking site report a tracked menu for the life of the object.
struct ScopedTrackedMenu {
  explicit ScopedTrackedMenu(CExtPopupMenuWnd* pMenu) { g_PopupTrackSite.m_pTrackedMenu = pMenu; }
  ~ScopedTrackedMenu() { End(); }
  // A tracked menu whose window goes ends the tracking, and the site deletes it: the test owns
  // these menus, so it hands them back before destroying their windows.
  void End() { g_PopupTrackSite.m_pTrackedMenu = NULL; }
};

} // namespace control_menu
