#include "tests/unit/framework/dlg/dialog_test_support.h"

BEGIN_MESSAGE_MAP(CScriptedDialog, CDialog)
ON_MESSAGE(WM_KICKIDLE, OnKickIdle)
END_MESSAGE_MAP()

LRESULT CScriptedDialog::OnKickIdle(WPARAM, LPARAM) {
  if (m_nKicks++ == 0)
    SetTimer(0x5A, 20, NULL); // watchdog only: keeps idle passes coming
  if (m_nKicks > 400)
    EndDialog(-2);
  else if (m_script)
    m_script(*this);
  return 0;
}

LRESULT CScriptedDialog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if ((message == WM_SHOWWINDOW && wParam) ||
      (message == WM_WINDOWPOSCHANGED && (reinterpret_cast<WINDOWPOS*>(lParam)->flags & SWP_SHOWWINDOW)))
    ++m_nShows;
  return CDialog::WindowProc(message, wParam, lParam);
}
