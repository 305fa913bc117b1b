// A dialog-mode tool bar in a top-level host for the bar-button tests: the host is bound to a
// command profile of its own, records the commands and colour notifications it receives, and
// the bar's tip, shortcut and large-icon options are the test's to set.
#pragma once

#include "tests/common/window_support.h"

#include "framework/fw.h"
#include "toolkit/bars/ExtToolControlBar.h"

#include <functional>
#include <memory>
#include <vector>

namespace button_support {

extern const char* const kProfile;

class CRecordingHost : public CWnd {
public:
  std::vector<UINT> m_commands;
  std::vector<std::pair<WPARAM, LPARAM>> m_colorNotifications;

  // Claims a handler for the commands 300 to 399, so that their menu items stay enabled.
  BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;

protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};

class CTestBar : public CExtToolControlBar {
public:
  bool m_bTips = true;
  bool m_bShortcuts = true;
  bool m_bLarge = false;
  bool IsDisplayTips() const override { return m_bTips; }
  bool IsDisplayShortcutKeysInTips() const override { return m_bShortcuts; }
  bool IsLargeIcons() const override { return m_bLarge; }
};

// The host (optionally laid out right to left) with its bar; the profile goes with the fixture.
class ButtonFixture {
public:
  explicit ButtonFixture(DWORD dwHostExStyle = 0);
  ~ButtonFixture();
  ButtonFixture(const ButtonFixture&) = delete;
  ButtonFixture& operator=(const ButtonFixture&) = delete;

  // Registers a command with its button text, tip and accelerator text.
  CExtCmdItem* AddCommand(UINT nCmdID, LPCSTR lpszText, LPCSTR lpszTip = "", LPCSTR lpszAccel = "");
  // Gives the command an opaque square icon of the colour.
  void SetIcon(UINT nCmdID, int nSize, COLORREF clr);

  CRecordingHost m_host;
  CTestBar m_bar;
};

// A square icon of one colour; the caller owns it.
HICON MakeSquareIcon(int nSize, COLORREF clr);

} // namespace button_support
