// The task sheet in a frame: no tabs or frame, its background, the main page's groups of links
// clicked for real, and the pages and view messages each link starts.
#include "app/TaskSheet.h"
#include "editor/EditorMessages.h"
#include "resources/resource.h"
#include "imaging/Globals.h"
#include "tests/common/pixel_support.h"
#include "tests/unit/app/sheet_support.h"
#include "tests/common/window_support.h"

#include <gtest/gtest.h>

#include <map>

using pixel_support::ReadClient;
using pixel_support::SaveBmp;

namespace {

enum Group { kMain, kEdge, kMore, kRotate };

struct LinkRow {
  int id;
  const char* text; // as the label shows it, with its leading spaces
  Group group;
};

const LinkRow kLinks[] = {{2001, "   Edge Effects", kMain},
                          {2009, "   Border", kMain},
                          {2010, "   Perspective", kMain},
                          {2011, "   Shear", kMain},
                          {2012, "   Caption, Time Stamp", kMain},
                          {2013, "   More Processing", kMain},
                          {3001, "   Brightness && Contrast", kMain},
                          {3003, "   Color Balance", kMain},
                          {3004, "   Invert Color", kMain},
                          {3005, "   Grayscale", kMain},
                          {3006, "   Black && White", kMain},
                          {4001, "   Rotate && Flip", kMain},
                          {4007, "   Resize Image", kMain},
                          {4008, "   Resize Canvas", kMain},
                          {4009, "   Trim Image", kMain},
                          {2002, "   Torn Edge", kEdge},
                          {2003, "   Saw Edge", kEdge},
                          {2004, "   Shark Edge", kEdge},
                          {2005, "   Wave Edge", kEdge},
                          {2006, "   Fade Edge", kEdge},
                          {2007, "   Shadow Edge", kEdge},
                          {2008, "   Beveled Edge", kEdge},
                          {2014, "   Blur", kMore},
                          {2015, "   Emboss", kMore},
                          {2016, "   Sharpen", kMore},
                          {2017, "   Solarize", kMore},
                          {4002, "   Flip Horizontal", kRotate},
                          {4003, "   Flip Vertical", kRotate},
                          {4004, "   Rotate Right", kRotate},
                          {4005, "   Rotate Left", kRotate},
                          {4006, "   Rotate Custom Angle", kRotate}};

// The link that shows a group, the group's frame bottom and its picture's name.
struct GroupRow {
  Group group;
  int openId;
  int frameBottom;
  const char* picture;
};
const GroupRow kGroups[] = {{kMain, CPropPageMain::kMainMenuId, 420, "sheet_main_menu.bmp"},
                            {kEdge, 2001, 180, "sheet_edge_effects.bmp"},
                            {kMore, 2013, 120, "sheet_more_processing.bmp"},
                            {kRotate, 4001, 140, "sheet_rotate_flip.bmp"}};

std::string Text(HWND hWnd) {
  char sz[128] = "";
  ::GetWindowTextA(hWnd, sz, sizeof(sz));
  return sz;
}

// Every task link is shown exactly when its group is.
void ExpectOnlyGroupShown(SheetLab& lab, int group) {
  for (const LinkRow& row : kLinks)
    EXPECT_EQ(row.group == group, lab.Visible(row.id)) << row.id;
}

TEST(TaskSheet, ShowsNoTabsCaptionOrBorderOnAnyPage) {
  SheetLab lab;
  HWND hTab = (HWND)lab.sheet.SendMessage(PSM_GETTABCONTROL, 0, 0);
  for (int nPage : {1, 2, 3, 0}) {
    lab.sheet.SetActivePage(nPage);
    PumpPending();
    EXPECT_EQ(0u, lab.sheet.GetStyle() & (WS_CAPTION | WS_SYSMENU | WS_THICKFRAME)) << nPage;
    EXPECT_EQ(0u, lab.sheet.GetExStyle() & (WS_EX_DLGMODALFRAME | WS_EX_CLIENTEDGE | WS_EX_STATICEDGE))
        << nPage;
    EXPECT_FALSE(::IsWindowVisible(hTab)) << nPage;
    EXPECT_EQ(nPage, GetTaskPageIndex());
  }
}

TEST(TaskSheet, PaintsItsBackgroundByTheWindowsVersion) {
  SheetLab lab;
  const int nSaved = g_nOsVersionCode;
  for (auto [nCode, crExpected] : {std::pair<int, COLORREF>{100, 0xF7D6BF}, {110, 0xF3F5F5}}) {
    g_nOsVersionCode = nCode;
    lab.sheet.RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    CRect rcSheet, rcPage;
    lab.sheet.GetClientRect(&rcSheet);
    lab.pageMain.GetWindowRect(&rcPage);
    lab.sheet.ScreenToClient(&rcPage);
    auto px = ReadClient(lab.sheet.GetSafeHwnd());
    ASSERT_FALSE(px.Empty());
    // Below the page lies only the sheet.
    EXPECT_EQ(crExpected, px.At(5, rcSheet.bottom - 3)) << nCode;
    // The main page keeps its own colour.
    EXPECT_EQ(0xF7D6BFu, px.At(rcPage.left + 180, rcPage.top + 10)) << nCode;
  }
  g_nOsVersionCode = nSaved;
}

TEST(TaskSheet, EachGroupLinkShowsItsGroupAndMainMenuReturns) {
  SheetLab lab;
  for (const LinkRow& row : kLinks)
    EXPECT_EQ(row.text, Text(lab.Item(row.id))) << row.id;
  ExpectOnlyGroupShown(lab, kMain);
  for (const GroupRow& g : kGroups) {
    lab.Click(g.openId);
    ExpectOnlyGroupShown(lab, g.group);
    EXPECT_EQ(CRect(0, 20, 171, g.frameBottom), lab.pageMain.GetFrameRect()) << g.openId;
    auto px = ReadClient(lab.pageMain.GetSafeHwnd());
    ASSERT_FALSE(px.Empty());
    EXPECT_EQ(0xFFFFFFu, px.At(0, g.frameBottom - 1)) << g.openId; // the white outline
    EXPECT_EQ(0xFFFFFFu, px.At(170, 30)) << g.openId;
    EXPECT_EQ(0xF7D6BFu, px.At(180, 30)) << g.openId;
    SaveBmp(px, g.picture);
    lab.Click(CPropPageMain::kMainMenuId);
    ExpectOnlyGroupShown(lab, kMain);
  }
}

// What a click on a link starts: the page shown, the view's log, the group left on the main page.
struct DispatchRow {
  int via; // the group link to click first, 0 for the main menu
  int id;
  int page;
  std::vector<std::string> log;
  int groupAfter; // -1: nothing shown
};

const std::vector<std::string> kEditBegins = {"edit:0", "save:1:0"};

// The sheet's active page each time the view hears of an edit beginning, taken on the view's
// window in front of its own handling.
std::vector<int> g_pagesSeen;
WNDPROC g_viewProc = nullptr;
LRESULT CALLBACK NotePage(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam) {
  if (nMsg == UM_TASK_EDIT || nMsg == UM_SAVE_ORIGINAL)
    g_pagesSeen.push_back(GetTaskPageIndex());
  return ::CallWindowProcA(g_viewProc, hWnd, nMsg, wParam, lParam);
}

TEST(TaskSheet, EachTaskLinkOpensItsPageAndTellsTheView) {
  const DispatchRow rows[] = {
      {0, 2009, 1, kEditBegins, -1},
      {0, 3001, 1, kEditBegins, -1},
      {2001, 2002, 1, kEditBegins, -1},
      {2013, 2017, 1, kEditBegins, -1},
      {4001, 4006, 1, kEditBegins, -1},
      {0, 2012, 3, kEditBegins, -1},
      {0, 4007, 2, kEditBegins, -1},
      {0, 4008, 2, kEditBegins, -1},
      {4001, 4002, 0, {"apply:4002"}, kRotate},
      {4001, 4005, 0, {"apply:4005"}, kRotate},
      {0, 4009, 0, {"apply:4009"}, kMain},
  };
  for (const DispatchRow& row : rows) {
    SheetLab lab;
    if (row.via != 0)
      lab.Click(row.via);
    lab.view.log.clear();
    g_pagesSeen.clear();
    g_viewProc = (WNDPROC)::SetWindowLongPtrA(lab.view.GetSafeHwnd(), GWLP_WNDPROC, (LONG_PTR)NotePage);
    lab.Click(row.id);
    ::SetWindowLongPtrA(lab.view.GetSafeHwnd(), GWLP_WNDPROC, (LONG_PTR)g_viewProc);
    EXPECT_EQ(row.page, GetTaskPageIndex()) << row.id;
    std::vector<std::string> log = row.log;
    if (row.page == 1) // the effect page previews its operation at once
      log.push_back("apply:" + std::to_string(row.id));
    EXPECT_EQ(log, lab.view.log) << row.id;
    // The page is shown before the view is told: it is active when each message comes.
    const std::vector<int> pages(row.log == kEditBegins ? 2 : 0, row.page);
    EXPECT_EQ(pages, g_pagesSeen) << row.id;
    ExpectOnlyGroupShown(lab, row.groupAfter);
    if (row.page == 1)
      EXPECT_EQ(row.id, lab.pageParam.GetTaskId());
  }
}

TEST(TaskSheet, ResizeLinksSetTheResizePagesTitleAndMode) {
  SheetLab lab;
  for (auto [nId, pszTitle, bImage] :
       {std::tuple<int, const char*, BOOL>{4008, "Resize Canvas", FALSE}, {4007, "Resize Image", TRUE}}) {
    ShowTaskMainPage();
    lab.Click(CPropPageMain::kMainMenuId);
    lab.Click(nId);
    EXPECT_EQ(pszTitle, std::string(lab.pageResize.GetTitle()));
    EXPECT_EQ(bImage, lab.pageResize.IsImageMode());
    EXPECT_EQ(nId, lab.pageResize.GetTaskId());
    EXPECT_EQ(bImage != FALSE,
              ::IsWindowVisible(lab.pageResize.GetDlgItem(IDC_RESIZE_SMOOTH)->m_hWnd) != FALSE);
  }
}

TEST(TaskSheet, FlippingTwiceFlipsTwiceAndKeepsTheGroup) {
  SheetLab lab;
  lab.Click(4001);
  lab.view.log.clear();
  lab.Click(4002);
  lab.Click(4002);
  EXPECT_EQ((std::vector<std::string>{"apply:4002", "apply:4002"}), lab.view.log);
  EXPECT_EQ(CRect(0, 20, 171, 140), lab.pageMain.GetFrameRect());
}

TEST(TaskSheet, WithoutADocumentTheEffectPageStillOpens) {
  SheetLab lab;
  lab.frame.SetActiveView(NULL, FALSE);
  lab.Click(2009);
  EXPECT_EQ(1, GetTaskPageIndex());
  EXPECT_EQ(2009, lab.pageParam.GetTaskId());
  EXPECT_TRUE(lab.view.log.empty());
}

// Floated, the sheet lives in a frame of its own that the main window owns: its links open their
// pages there too.
TEST(TaskSheet, InAFloatingFrameTheLinksOpenTheirPages) {
  SheetLab lab;
  CMiniFrameWnd* pFloating = new CMiniFrameWnd; // goes with the lab's frame, its owner
  ASSERT_TRUE(
      pFloating->Create(NULL, "floating", WS_POPUP | WS_VISIBLE, CRect(600, 0, 900, 520), &lab.frame));
  lab.sheet.SetParent(pFloating);
  lab.Click(3004);
  EXPECT_EQ(1, GetTaskPageIndex());
  EXPECT_EQ(3004, lab.pageParam.GetTaskId());
}

// Back from another page, and from a sub-group's page, the main page shows its three groups at
// once, not an empty page under its "Main Menu" link.
TEST(TaskSheet, ComingBackShowsTheMainMenuAtOnce) {
  SheetLab lab;
  for (int nGroup : {0, 2001}) {
    if (nGroup != 0)
      lab.Click(nGroup);
    lab.Click(nGroup != 0 ? 2002 : 2009);
    ShowTaskMainPage();
    PumpUntil([&] { return ::IsWindowVisible(lab.pageMain.GetSafeHwnd()) != FALSE; });
    EXPECT_EQ(0, GetTaskPageIndex());
    EXPECT_TRUE(lab.Visible(CPropPageMain::kMainMenuId));
    ExpectOnlyGroupShown(lab, kMain);
  }
}

TEST(TaskSheet, AClickFromAnyOtherControlShowsTheMainMenu) {
  SheetLab lab;
  CLinkLabel other;
  other.Create("other", WS_CHILD | WS_VISIBLE, CRect(100, 0, 170, 18), &lab.pageMain, 777);
  other.SetLink(TRUE, TRUE);
  lab.Click(2001);
  lab.Click(777);
  ExpectOnlyGroupShown(lab, kMain);
}

} // namespace
