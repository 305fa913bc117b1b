// A docking frame for the chevron and panel-bar tests: it records the bars' menu notifications,
// may veto the menu about to show, and keeps the items of the last menu it prepared.
#pragma once

#include "tests/common/window_support.h"

#include "framework/fw.h"
#include "toolkit/bars/ExtPanelControlBar.h"
#include "toolkit/menus/ExtPopupMenuWnd.h"

#include <functional>
#include <string>
#include <vector>

class CChevronTestFrame : public CFrameWnd {
public:
  std::vector<int> m_events;  // menu event codes, pre-notifications only
  bool m_bVetoesMenu = false; // the menu about to show is cancelled
  int m_nPrepared = 0;
  std::vector<UINT> m_ids;          // the items of the last menu prepared, separators as 0
  std::vector<std::string> m_texts; // and their texts
  std::vector<int> m_subItems;      // and the item counts of their sub-menus (-1: none)

protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};

// A shown docking frame with a command profile; DestroyChevronFrame ends any menu first.
CChevronTestFrame* CreateChevronFrame();
void DestroyChevronFrame(CChevronTestFrame* pFrame);

// A bar button that puts its command (a separator for id 0) into a popup as a plain item.
class CListedButton : public CExtBarButton {
public:
  CListedButton(CExtToolControlBar* pBar, UINT nCmdId) : CExtBarButton(pBar, nCmdId) {}
  bool IsSeparator() const override { return GetCmdID(false) == 0; }
  bool InsertToPopupMenu(CExtPopupMenuWnd* pPopup) override;
};
