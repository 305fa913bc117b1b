// An MDI lab frame whose menu bar (docked at the top, made in the frame's OnCreate as the
// program's main frame does) takes the frame's menu, children of chosen styles, and the queries
// the menu-bar tests share.
#pragma once

#include "tests/common/frame_support.h"
#include "toolkit/bars/ExtBarMdiButtons.h"
#include "toolkit/bars/ExtMenuControlBar.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

// Counts its rebuilds.
class CCountingMenuBar : public CExtMenuControlBar {
public:
  int m_nRebuilds = 0;
  bool RebuildMenuButtons(bool bRecalc = true) override {
    ++m_nRebuilds;
    return CExtMenuControlBar::RebuildMenuButtons(bRecalc);
  }
};

class CMenuBarLabFrame : public CLabFrame {
public:
  // Made on the heap so that a test can let the bar go before the frame.
  std::unique_ptr<CCountingMenuBar> m_pMenuBar;
  // The bar is made before the MDI client exists.
  bool m_bBarBeforeClient = false;
  BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
  bool CreateMenuBar();
  afx_msg int OnCreate(LPCREATESTRUCT lpcs);
  DECLARE_MESSAGE_MAP()
};

class MenuBarMdiTest : public ::testing::Test {
public:
  static const char kProfile[];

protected:
  void SetUp() override;
  virtual bool BarBeforeClient() const { return false; }
  void TearDown() override;

  CCountingMenuBar& Bar() { return *m_pFrame->m_pMenuBar; }
  HWND Client() const { return m_pFrame->m_hWndMDIClient; }
  // A child of the style (the extended style added after creation) of the frame, activated.
  HWND OpenChild(DWORD dwStyle, DWORD dwExStyle = 0);
  HWND OpenLabDocument(LPCSTR lpszTitle);
  void Maximize(HWND hWndChild);
  // Runs queued messages until pred holds (five seconds at most).
  bool Settle(const std::function<bool()>& pred);
  // The bar shows the menu in use and, exactly while the active child is maximised, the MDI
  // buttons; runs queued messages until it does.
  ::testing::AssertionResult SettlesInStep();
  // The buttons' texts in order ("|" for a separator, "<doc>" and "<right>" for the MDI buttons).
  std::vector<std::string> ButtonTexts();
  // The right button's box rectangle of the command in screen coordinates (empty when none).
  CRect BoxOnScreen(UINT nSysCommand);
  // A real left click at the screen point, waited for until the button is released.
  bool ClickAt(CPoint ptScreen);

  CMenuBarLabFrame* m_pFrame = NULL;
  HWND m_hWndFrame = NULL;
};
