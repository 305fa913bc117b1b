// A frame with the toolkit's docking for the chevron and panel-bar tests: it records the menu
// notifications the bars send it, may build or veto a menu itself, and keeps what the last menu
// it was asked to prepare held. Also bar buttons that list themselves by their command, and waits
// with a time-out.
#pragma once

#include "framework/fw.h"
#include "toolkit/bars/ExtPanelControlBar.h"
#include "toolkit/menus/ExtPopupMenuWnd.h"

#include <functional>
#include <set>
#include <string>
#include <utility>
#include <vector>

// One item of a menu as the frame saw it.
struct MenuItemShot {
  UINT nCmdId;
  std::string sText;
  int nSubItems; // items of its sub-menu, -1 when it has none
};

class CChevronTestFrame : public CFrameWnd {
public:
  std::vector<std::pair<int, int>> m_events; // menu event code, post-notification flag
  std::set<int> m_buildsMenuFor;             // event codes the frame answers by filling the menu
  bool m_bVetoesMenu = false;                // the menu about to show is cancelled
  int m_nPrepared = 0;
  std::vector<MenuItemShot> m_shot; // the top menu when it was last prepared

  static const UINT kOwnItemId = 0x9F01; // what the frame puts into a menu it builds

protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};

// A docking frame at (40, 40), 640 x 480, shown, with a command profile of its own.
CChevronTestFrame* CreateChevronFrame();
// Destroys the frame and runs what that posted.
void DestroyChevronFrame(CChevronTestFrame* pFrame);

// A bar button that puts its command (a separator for id 0) into a popup as a plain item.
class CListedButton : public CExtBarButton {
public:
  CListedButton(CExtToolControlBar* pBar, UINT nCmdId) : CExtBarButton(pBar, nCmdId) {}
  bool IsSeparator() const override { return GetCmdID(false) == 0; }
  bool InsertToPopupMenu(CExtPopupMenuWnd* pPopup) override;
};

// A chevron placed by the test.
class CPlacedChevron : public CExtBarContentExpandButton {
public:
  explicit CPlacedChevron(CExtToolControlBar* pBar) : CExtBarContentExpandButton(pBar) {}
  void Place(const RECT& rc) { m_rc = rc; }
};

// Runs queued messages until pred holds or five seconds pass; pred's last answer.
bool WaitUntil(const std::function<bool()>& pred);
