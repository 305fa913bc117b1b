// What the themed button tests share: a shown dialog that logs what its buttons send it, buttons
// made from native button windows of a given style, the toolkit popup on the screen, and waiting
// for effects of real input.
#pragma once

#include "tests/common/window_support.h"
#include "toolkit/controls/ExtButton.h"

#include <vector>

class CExtPopupMenuWnd;

namespace buttons_support {

// One message the dialog received from a button.
struct Received {
  UINT nMsg;
  WPARAM wParam;
  LPARAM lParam;
};

// A modeless, active dialog with a default OK button; it logs every WM_COMMAND and colour
// notification, and OK and Cancel do not end it.
class CButtonsDlg : public CDialog {
public:
  CButtonsDlg();
  ~CButtonsDlg() override;
  // Creates, shows and activates it.
  bool Open();
  // Makes a child button window of the style at the rectangle (dialog pixels), gives it the check
  // as the system button, and subclasses it into btn. Ids count up from IDC_BUTTONS_FIRST.
  bool Add(CExtButton& btn, DWORD dwStyle, LPCSTR lpszText, const RECT& rc, int nCheck = 0);
  // How many BN_CLICKED commands came from the id.
  int Clicks(UINT nId) const;
  // The logged messages of one kind.
  std::vector<Received> Messages(UINT nMsg) const;
  std::vector<Received> m_log;

protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  void OnOK() override {}
  void OnCancel() override {}
  // The menu items are enabled because the dialog handles them.
  afx_msg void OnMenuItem(UINT /*nId*/) {}
  DECLARE_MESSAGE_MAP()

private:
  UINT m_nNextId;
};

// Real keys to the focused window; each waits until the thread has taken them.
void PressKey(UINT nVirtKey);
void KeyDown(UINT nVirtKey);
void KeyUp(UINT nVirtKey);
// Real clicks at the centre of a window or at a client point.
void ClickCentre(HWND hWnd);
// The toolkit popup shown now (NULL: none); waits for one up to the time-out.
CExtPopupMenuWnd* WaitForPopup(int nTimeoutMs = 5000);
// Closes every tracked popup and waits until none is.
void CloseMenus();

} // namespace buttons_support
