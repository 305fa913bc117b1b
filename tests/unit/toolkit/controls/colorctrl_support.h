// What the colour control and colour dialog tests share: a host recording the control's colour
// notifications, a fixture opening either on it, real mouse and keys, and pixels read back.
#pragma once

#include "resources/toolkit_ids.h"
#include "tests/common/input_support.h"
#include "tests/common/pixel_support.h"
#include "tests/common/window_support.h"
#include "toolkit/controls/ExtColorDlg.h"

#include <gtest/gtest.h>

#include <cctype>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace colorctrl_support {

struct Notification {
  HWND hWndCtrl;
  COLORREF clrReference, clrCurrent, clrPrevious;
};

// Keeps every notification of its colour controls; runs m_onPosted for a posted WM_APP, which even
// a modal loop on top of it dispatches.
class ColorHost : public CHostWnd {
public:
  std::vector<Notification> m_notifications;
  std::function<void()> m_onPosted;

protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_APP && m_onPosted)
      m_onPosted();
    if (message != CExtColorCtrl::g_nMsgColorChanged)
      return CHostWnd::WindowProc(message, wParam, lParam);
    const COLORREF* pBlock = reinterpret_cast<const COLORREF*>(lParam);
    m_notifications.push_back({reinterpret_cast<HWND>(wParam), pBlock[0], pBlock[1], pBlock[2]});
    return 0;
  }
};

// Moves the pointer to the point at fractions of hWnd's client area, then sends the button flag
// (none: only the move), waiting until the window's thread has taken it.
inline void Mouse(HWND hWnd, double fx, double fy, DWORD dwButton = 0) {
  CRect rc;
  ::GetClientRect(hWnd, &rc);
  MouseInClient(hWnd, CPoint(int(rc.Width() * fx), int(rc.Height() * fy)), dwButton);
}

inline void Click(HWND hWnd, double fx, double fy) {
  Mouse(hWnd, fx, fy, MOUSEEVENTF_LEFTDOWN);
  Mouse(hWnd, fx, fy, MOUSEEVENTF_LEFTUP);
}

inline std::string Text(HWND hWnd) {
  char sz[128] = {};
  ::GetWindowTextA(hWnd, sz, sizeof(sz));
  return sz;
}

inline COLORREF PixelAt(HWND hWnd, double fx, double fy) {
  const pixel_support::Pixels px = pixel_support::ReadClient(hWnd);
  return px.At(int(px.cx * fx), int(px.cy * fy));
}

const COLORREF kRed = RGB(255, 0, 0), kBlue = RGB(0, 0, 255), kInit = RGB(10, 20, 30),
               kNew = RGB(200, 100, 50);

// A shown host, and on it the control or the dialog a test opens.
class ColorTest : public ::testing::Test {
protected:
  void SetUp() override { ASSERT_TRUE(m_host.CreateHost("colour host", WS_OVERLAPPEDWINDOW | WS_VISIBLE)); }
  void TearDown() override {
    if (::GetCapture() != NULL)
      ::ReleaseCapture();
    if (m_pDlg && m_pDlg->GetSafeHwnd() != NULL)
      m_pDlg->DestroyWindow();
    m_host.DestroyWindow();
  }
  // The control subclasses a static item filling the host less a margin of 10; its colour is red,
  // its reference blue.
  void OpenCtrl(int nMode) {
    m_ctrl.m_nMode = nMode;
    m_ctrl.m_clrCurrent = m_ctrl.m_clrPrevious = kRed;
    m_ctrl.m_clrReference = kBlue;
    ASSERT_NE(nullptr, ::CreateWindowExA(0, "Static", "", WS_CHILD | WS_VISIBLE | SS_NOTIFY, 10, 10, 280, 220,
                                         m_host.m_hWnd, reinterpret_cast<HMENU>(100), NULL, NULL));
    ASSERT_TRUE(m_ctrl.SubclassDlgItem(100, &m_host));
    Show(m_host);
  }
  // The dialog opened without a modal loop; what is tested here behaves the same in one.
  void OpenDlg(COLORREF clrInit = kInit, COLORREF clrNew = kNew, const char* pszCaption = "") {
    m_pDlg = std::make_unique<CExtColorDlg>(clrInit, clrNew, &m_host);
    m_pDlg->m_strCaption = pszCaption;
    ASSERT_TRUE(m_pDlg->Create(IDD_EXT_COLOR_DLG, &m_host));
    m_pDlg->ShowWindow(SW_SHOW);
    Show(*m_pDlg);
  }
  static void Show(CWnd& wnd) {
    ::SetForegroundWindow(wnd.m_hWnd);
    wnd.UpdateWindow();
    PumpPending();
  }

  ColorHost m_host;
  CExtColorCtrl m_ctrl;
  std::unique_ptr<CExtColorDlg> m_pDlg;
};

} // namespace colorctrl_support
