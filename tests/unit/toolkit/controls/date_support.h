// What the date-picker tests share: a host that records the picker's notifications and the
// WM_CANCELMODE it gets, a picker made in it, and real clicks and keys that wait until taken.
#pragma once

#include "tests/common/window_support.h"
#include "toolkit/controls/ExtDatePickerWnd.h"

#include <string>
#include <vector>

namespace date_support {

class CPickerHost : public CWnd {
public:
  BOOL CreateHost(int cx, int cy);
  std::vector<CExtDatePickerWnd::SELECTION_NOTIFICATION> m_records;
  int m_nCancelModes = 0;

protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};

// A picker in a host at (100, 100); the host goes with the object.
struct PickerWindow {
  PickerWindow(DWORD dwStyle, CSize sizeMin = CSize(1, 1), CSize sizeMax = CSize(1, 1),
               CSize sizeClient = CSize(0, 0));
  ~PickerWindow();

  bool IsMade() const { return m_picker.GetSafeHwnd() != NULL; }
  CPoint Screen(CPoint pt) const { return (m_picker.ClientToScreen(&pt), pt); }
  bool Focus();
  // Real input; each waits until the picker's thread has taken it.
  bool Key(UINT nVirtKey, bool bShift = false);
  bool Click(CPoint ptClient);
  bool Drag(CPoint ptFrom, CPoint ptTo);
  // The client rectangle of the cell that shows dt in the top-left month, or an empty one.
  CRect CellRect(const COleDateTime& dt) const;
  COleDateTime SelBegin() const { return Selection(false); }
  COleDateTime SelEnd() const { return Selection(true); }
  COleDateTime Selection(bool bEnd) const;
  // Whether the months on show include dt.
  bool Shows(const COleDateTime& dt) const;

  CPickerHost m_host;
  CExtDatePickerWnd m_picker;
};

COleDateTime Day(int nYear, int nMonth, int nDay);
COleDateTime Today();
COleDateTime DateOf(COleDateTime::DateTimeStatus status);
inline COleDateTime NullDate() { return DateOf(COleDateTime::null); }
inline COleDateTime InvalidDate() { return DateOf(COleDateTime::invalid); }
// Runs the thread's messages until nTicks WM_TIMER nTimerId reached hWnd (or a timeout), and
// answers their timestamps; the ids of hWnd's other timers go to pOthers.
std::vector<DWORD> TimerTicks(HWND hWnd, UINT nTimerId, int nTicks, std::vector<UINT>* pOthers = NULL);

// Names a parameterised test's instances after the rows' name fields.
struct ByName {
  template <class Info> std::string operator()(const Info& info) const { return info.param.name; }
};

} // namespace date_support
