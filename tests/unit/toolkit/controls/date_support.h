// What the date-picker tests share: a top-level host that records the picker's notifications and
// the WM_CANCELMODE it is sent, a picker made in it, and real clicks and keys that wait until
// the picker has taken them.
#pragma once

#include "tests/common/window_support.h"
#include "toolkit/controls/ExtDatePickerWnd.h"

#include <memory>
#include <vector>

namespace date_support {

// The host window; records copies of every selection notification.
class CPickerHost : public CWnd {
public:
  BOOL CreateHost(int cx, int cy);
  std::vector<CExtDatePickerWnd::SELECTION_NOTIFICATION> m_records;
  int m_nCancelModes = 0;

protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};

// A picker in a host at (100, 100); the host is destroyed with the object.
struct PickerWindow {
  PickerWindow(DWORD dwStyle, CSize sizeMin = CSize(1, 1), CSize sizeMax = CSize(1, 1),
               CSize sizeClient = CSize(0, 0));
  ~PickerWindow();
  PickerWindow(const PickerWindow&) = delete;
  PickerWindow& operator=(const PickerWindow&) = delete;

  bool IsMade() const { return m_picker.GetSafeHwnd() != NULL; }
  // The screen point of a client point of the picker.
  CPoint Screen(CPoint ptClient) const;
  // Gives the picker the keyboard focus; false when it does not come.
  bool Focus();
  // A real key (with Shift held when asked); waits until the picker has handled the key.
  bool Key(UINT nVirtKey, bool bShift = false);
  // A real left click at the client point; waits until the release has been handled.
  bool Click(CPoint ptClient);
  // A real press at one client point and release at another; waits until the release is handled.
  bool Drag(CPoint ptFrom, CPoint ptTo);
  // The client centre of the cell that shows dt in the top-left month, or (-1, -1).
  CPoint CellOf(const COleDateTime& dt) const;

  CPickerHost m_host;
  CExtDatePickerWnd m_picker;
};

COleDateTime Day(int nYear, int nMonth, int nDay);
COleDateTime Today();
COleDateTime NullDate();
// Counts the key-downs and button-ups the picker's thread has taken (a message hook).
int InputsTaken();

} // namespace date_support
