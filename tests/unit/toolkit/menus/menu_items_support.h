// What the menu item and menu building tests share: menus that clear their items when they go, a
// receiver window with a command profile of its own, and reading menus back as text.
#pragma once

#include "tests/common/frame_support.h"
#include "tests/unit/toolkit/menus/menu_items_ids.h"
#include "toolkit/foundation/ExtCmdItem.h"
#include "toolkit/foundation/ExtCmdManager.h"
#include "toolkit/menus/ExtPopupMenuWnd.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

typedef CExtPopupMenuWnd::MENUITEMDATA MenuItem;

// Deletes a menu after destroying its items (and so its submenus), top level or not.
struct MenuItemsDeleter {
  void operator()(CExtPopupMenuWnd* pMenu) const;
};
typedef std::unique_ptr<CExtPopupMenuWnd, MenuItemsDeleter> MenuItemsPtr;

// The texts of a menu's items, "-" for a separator.
std::vector<std::string> ItemTexts(const CExtPopupMenuWnd& menu);
// A menu handle as text: "text=id" per item, "-" for a separator, "text>(...)" for a submenu.
std::string DescribeMenuHandle(HMENU hMenu);

// Gives the test application a recent-file list of its own for the length of a test.
class RecentFilesForTest {
public:
  explicit RecentFilesForTest(const std::vector<std::string>& paths);
  ~RecentFilesForTest();
  RecentFilesForTest(const RecentFilesForTest&) = delete;
  RecentFilesForTest& operator=(const RecentFilesForTest&) = delete;

private:
  CRecentFileList m_list;
  CRecentFileList* m_pOld;
};

// A receiver window (a host window, or the MDI lab frame when MakeFrame answers one) bound to a
// command profile named after the test, which goes with it.
class MenuReceiverTest : public testing::Test {
protected:
  void SetUp() override;
  void TearDown() override;
  virtual bool WantsFrame() const { return false; }
  virtual CLabFrame* MakeFrame() { return NULL; }
  HWND Receiver() const { return m_pFrame != NULL ? m_pFrame->m_hWnd : m_host.m_hWnd; }
  LPCSTR Profile() const { return m_sProfile.c_str(); }
  // Registers (or replaces) a command in the receiver's profile.
  CExtCmdItem* Register(UINT nCmdId, LPCSTR lpszMenuText, LPCSTR lpszAccelText = "", LPCSTR lpszTip = "");
  // A new top-level menu sending its commands to the receiver.
  MenuItemsPtr NewMenu() const;

  CHostWnd m_host;
  CLabFrame* m_pFrame = NULL;
  std::string m_sProfile;
};
