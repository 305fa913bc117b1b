// What the themed button tests share: a shown dialog that logs what its buttons send it, buttons
// made from native button windows, real keys, and the toolkit popup on the screen.
#pragma once

#include "tests/common/window_support.h"
#include "toolkit/controls/ExtButton.h"

#include <vector>

class CExtPopupMenuWnd;

namespace buttons_support {

// A modeless, active dialog with a default OK button that logs every WM_COMMAND and colour
// notification; OK and Cancel do not end it.
class CButtonsDlg : public CDialog {
public:
  CButtonsDlg();
  ~CButtonsDlg() override;
  bool Open();
  // Subclasses into btn a new child button of the style and initial check; ids count up.
  bool Add(CExtButton& btn, DWORD dwStyle, LPCSTR lpszText, const RECT& rc, int nCheck = 0);
  int Clicks(UINT nId) const; // BN_CLICKED commands from the id
  // Waits until the id has sent at least n clicks (a short while for none); the count then.
  int WaitClicks(UINT nId, int n) const;
  std::vector<MSG> Messages(UINT nMsg) const;
  std::vector<MSG> m_log;

protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  void OnOK() override {}
  void OnCancel() override {}
  afx_msg void OnMenuItem(UINT /*nId*/) {} // keeps the drop-down menu's items enabled
  DECLARE_MESSAGE_MAP()

private:
  UINT m_nNextId;
};

// A real key to the focused window, down or up; waits until the thread has taken it.
void Key(UINT nVirtKey, bool bDown);
void PressKey(UINT nVirtKey);
void ClickCentre(HWND hWnd);
// How many client pixels of the window are of the colour, as painted now.
int CountColour(HWND hWnd, COLORREF clr);
// The toolkit popup shown once its opening animation is over; NULL after the time-out.
CExtPopupMenuWnd* WaitForPopup(int nTimeoutMs = 5000);
void CloseMenus();

} // namespace buttons_support
