// The task sheet docked at the right as a user works it with the pointer: its groups of links, and
// the flips, quarter turns and trim its links run at once on the picture, each undone in one step.
#include "tests/e2e/e2e_support.h"

#include <gdiplus.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

using namespace e2e;

namespace {

const int kMainMenu = 5001;
const int kHeaderId = -1; // the group headers are no links and have no id of their own

struct SheetGroup {
  const char* name; // of its screenshot
  int opener;       // the link that shows it
  std::set<std::string> headers;
  std::vector<int> links;
};

const SheetGroup kGroups[] = {
    {"main",
     kMainMenu,
     {"Effects", "Color", "Geometry"},
     {2001, 2009, 2010, 2011, 2012, 2013, 3001, 3003, 3004, 3005, 3006, 4001, 4007, 4008, 4009}},
    {"edge_effects", 2001, {"Edge Effects"}, {2002, 2003, 2004, 2005, 2006, 2007, 2008}},
    {"more_processing", 2013, {"More Processing"}, {2014, 2015, 2016, 2017}},
    {"rotate_flip", 4001, {"Rotate && Flip"}, {4002, 4003, 4004, 4005, 4006}},
};
const SheetGroup& kMainGroups = kGroups[0];
const SheetGroup& kRotateGroup = kGroups[3];

class TaskSheetTest : public E2eTest {
protected:
  HWND SheetBar() const { return m_app.TaskSheetBar(); }
  // The task sheet's window with the id: other windows of the frame may use the same ids.
  HWND SheetItem(int nId) const {
    const std::vector<HWND> items = m_app.InTaskSheet(nId);
    return items.empty() ? NULL : items[0];
  }
  std::set<std::string> ShownHeaders() const {
    std::set<std::string> shown;
    for (HWND hHeader : m_app.InTaskSheet(kHeaderId))
      if (::IsWindowVisible(hHeader)) {
        const std::string text = m_app.Text(hHeader);
        shown.insert(text.substr(std::min(text.find_first_not_of(' '), text.size())));
      }
    return shown;
  }
  // Only the group's headers and links are shown, with the "Main Menu" link always.
  bool OnlyShown(const SheetGroup& group) const {
    if (!::IsWindowVisible(SheetItem(kMainMenu)) || ShownHeaders() != group.headers)
      return false;
    for (const SheetGroup& other : kGroups)
      for (int nId : other.links) {
        const bool bWanted = std::count(group.links.begin(), group.links.end(), nId) != 0;
        if ((::IsWindowVisible(SheetItem(nId)) != FALSE) != bWanted)
          return false;
      }
    return true;
  }
  // A click with the X pointer on the link's text.
  void ClickLink(int nId) {
    const HWND hLink = SheetItem(nId);
    ASSERT_TRUE(hLink != NULL && ::IsWindowVisible(hLink)) << "no link " << nId << " shown";
    CRect rc;
    ::GetWindowRect(hLink, &rc);
    SendXSteps("C" + std::to_string(rc.left + 30) + "," + std::to_string(rc.CenterPoint().y), hLink);
  }
  // Each window the link lies in, up to the sheet's bar, shows it whole: none cuts it off.
  void ExpectWhole(HWND hLink) {
    const CRect link = ScreenRect(hLink);
    for (HWND hParent = ::GetParent(hLink); hParent != NULL && hParent != ::GetParent(SheetBar());
         hParent = ::GetParent(hParent)) {
      CRect client;
      ::GetClientRect(hParent, &client);
      ::MapWindowPoints(hParent, NULL, reinterpret_cast<POINT*>(&client), 2);
      CRect shown;
      shown.IntersectRect(&client, &link);
      EXPECT_TRUE(link == shown) << m_app.Text(hLink) << " " << ToString(link) << " cut off by "
                                 << ClassOf(hParent) << " " << ToString(client);
    }
  }
  void ShowGroup(const SheetGroup& group) {
    if (OnlyShown(group))
      return;
    ASSERT_NO_FATAL_FAILURE(ClickLink(group.opener));
    ASSERT_TRUE(
        WaitUntil(std::string("the group ") + group.name + " alone", [&] { return OnlyShown(group); }));
  }
};

// After a capture the main page shows its main groups; each group's link shows that group alone,
// and "Main Menu" brings the main groups back.
TEST_F(TaskSheetTest, EachGroupShowsAloneAndMainMenuBringsTheMainGroupsBack) {
  ASSERT_TRUE(m_app.Start());
  ASSERT_NO_FATAL_FAILURE(CaptureFromMenu(kArea));
  ASSERT_NE(nullptr, SheetBar());
  CRect sheet;
  ::GetWindowRect(SheetBar(), &sheet);
  ASSERT_TRUE(WaitUntil("the main groups", [&] { return OnlyShown(kMainGroups); }));
  SaveScreenshot(sheet, "task_sheet_main.bmp");
  for (const SheetGroup& group : kGroups) {
    if (&group == &kMainGroups)
      continue;
    ASSERT_NO_FATAL_FAILURE(ShowGroup(group));
    SaveScreenshot(sheet, ("task_sheet_" + std::string(group.name) + ".bmp").c_str());
    ASSERT_NO_FATAL_FAILURE(ShowGroup(kMainGroups));
  }
}

// A picture with uniform white borders of four different widths around a part of the pattern
// (which is never white): Trim keeps exactly that part.
const CSize kBordered(160, 100);
const CRect kInside(7, 5, 160 - 11, 100 - 13);

COLORREF BorderedColor(int x, int y) {
  return kInside.PtInRect(CPoint(x, y)) ? pattern_window::PatternColor(x, y) : RGB(255, 255, 255);
}

// An operation a link runs at once: the size it makes of a picture and where each of its pixels
// comes from in the picture it was run on.
struct Operation {
  const char* name;
  int link;
  const SheetGroup* group; // the group shown after it
  CSize (*size)(CSize);
  CPoint (*source)(int x, int y, CSize);
};

void PrintTo(const Operation& op, std::ostream* os) { *os << op.name; }

const Operation kOperations[] = {
    {"FlipHorizontal", 4002, &kRotateGroup, [](CSize s) { return s; },
     [](int x, int y, CSize s) { return CPoint(s.cx - 1 - x, y); }},
    {"FlipVertical", 4003, &kRotateGroup, [](CSize s) { return s; },
     [](int x, int y, CSize s) { return CPoint(x, s.cy - 1 - y); }},
    {"RotateRight", 4004, &kRotateGroup, [](CSize s) { return CSize(s.cy, s.cx); },
     [](int x, int y, CSize s) { return CPoint(y, s.cy - 1 - x); }},
    {"RotateLeft", 4005, &kRotateGroup, [](CSize s) { return CSize(s.cy, s.cx); },
     [](int x, int y, CSize s) { return CPoint(s.cx - 1 - y, x); }},
    {"Trim", 4009, &kMainGroups, [](CSize) { return kInside.Size(); },
     [](int x, int y, CSize) { return CPoint(x + kInside.left, y + kInside.top); }},
};

class TaskOperationTest : public TaskSheetTest, public ::testing::WithParamInterface<Operation> {
protected:
};

// The operation's link changes the picture exactly so; Edit, Undo gives the picture back bit for
// bit with nothing more to undo, and Edit, Redo the operation's picture again.
TEST_P(TaskOperationTest, ChangesThePictureAndUndoesInOneStep) {
  const Operation& op = GetParam();
  const std::string path =
      SavePicturePng(std::string("e2e_task_") + op.name + ".png", kBordered, BorderedColor);
  ASSERT_FALSE(path.empty());
  ASSERT_TRUE(m_app.Start("\"" + path + "\""));
  ASSERT_TRUE(m_app.WaitForDocuments(1, kBordered));
  ASSERT_TRUE(m_app.PictureIs(kBordered, BorderedColor));
  if (op.group != &kMainGroups)
    ASSERT_NO_FATAL_FAILURE(ShowGroup(*op.group));

  const CSize size = op.size(kBordered);
  const Expected result = [&](int x, int y) {
    const CPoint from = op.source(x, y, kBordered);
    return BorderedColor(from.x, from.y);
  };
  ASSERT_NO_FATAL_FAILURE(ClickLink(op.link));
  ExpectPicture(size, result);
  EXPECT_TRUE(WaitUntil(std::string("the group ") + op.group->name + " shown after",
                        [&] { return OnlyShown(*op.group); }));

  ASSERT_TRUE(m_app.Menu('E', 'U'));
  ExpectPicture(kBordered, BorderedColor);
  ASSERT_NO_FATAL_FAILURE(ExpectUndoRedo(false, true));
  ASSERT_TRUE(m_app.Menu('E', 'R'));
  ExpectPicture(size, result);
  ::DeleteFileA(path.c_str());
}

INSTANTIATE_TEST_SUITE_P(TaskSheetLinks, TaskOperationTest, ::testing::ValuesIn(kOperations),
                         [](const ::testing::TestParamInfo<Operation>& info) { return info.param.name; });

// The operation with the most rows, Border, opened from its link: every row and the links below
// them lie wholly inside the task sheet, "Save these settings" at the bottom too.
TEST_F(TaskSheetTest, TheBorderPageShowsItsLinksWhole) {
  const int kBorder = 2009, kSave = 5000, kOk = 5002;
  ASSERT_TRUE(m_app.Start());
  ASSERT_NO_FATAL_FAILURE(CaptureFromMenu(kArea));
  ASSERT_TRUE(WaitUntil("the main groups", [&] { return OnlyShown(kMainGroups); }));
  ASSERT_NO_FATAL_FAILURE(ClickLink(kBorder));
  ASSERT_TRUE(WaitUntil("the Border page", [&] {
    const HWND hSave = SheetItem(kSave);
    return hSave != NULL && ::IsWindowVisible(hSave) && Painted(SheetBar());
  }));
  const CRect bar = ScreenRect(SheetBar());
  SaveScreenshot(bar, "task_sheet_border_page.bmp");
  for (int nId : {kOk, kSave})
    ExpectWhole(SheetItem(nId));
}

// Dragged by its caption into the picture, the sheet floats above the frame that owns it, showing
// its main groups whole; an effect link opens its page there, shown and painted, and a click into
// the picture brings the main page back with the sheet still above the frame.
TEST_F(TaskSheetTest, FloatedIntoThePictureItWorksAboveItsFrame) {
  const int kInvert = 3004, kOk = 5002, kFirstCheck = 5015;
  const COLORREF kLinkGrey = 0x808080, kLinkColor = 0xF8E4D8; // navigation and task links
  ASSERT_TRUE(m_app.Start());
  ASSERT_NO_FATAL_FAILURE(CaptureFromMenu(kArea));
  ASSERT_TRUE(WaitUntil("the main groups", [&] { return OnlyShown(kMainGroups); }));
  auto at = [](const char* step, CPoint pt) {
    return step + std::to_string(pt.x) + "," + std::to_string(pt.y) + " ";
  };
  const CPoint caption(ScreenRect(SheetBar()).CenterPoint().x, ScreenRect(SheetBar()).top + 8);
  const CPoint drop = m_app.PictureOrigin() + CPoint(150, 60);
  SendXSteps(at("P", caption) + at("M", caption + CPoint(-10, 10)) + at("M", drop) + at("R", drop),
             SheetBar());
  // On its way the bar passes through windows of other kinds: it has floated once its root is a
  // window the frame owns.
  HWND hFloating = NULL;
  ASSERT_TRUE(WaitUntil("the sheet floating in a window the frame owns", [&] {
    return SheetBar() != NULL && (hFloating = ::GetAncestor(SheetBar(), GA_ROOT)) != m_app.Frame() &&
           ::GetWindow(hFloating, GW_OWNER) == m_app.Frame();
  }));
  SaveScreenshot(ScreenRect(m_app.Frame()), "task_sheet_floating_main.bmp");
  for (int nId : kMainGroups.links)
    ExpectWhole(SheetItem(nId));
  auto shows = [&](int nId, COLORREF cr) {
    const HWND hItem = m_app.ShownInTaskSheet(nId);
    const Pixels px = hItem != NULL ? ReadScreen(ScreenRect(hItem)) : Pixels();
    return std::find(px.data.begin(), px.data.end(), cr) != px.data.end();
  };
  auto above = [&] {
    HWND hTop = ::GetTopWindow(NULL);
    while (hTop != hFloating && hTop != m_app.Frame())
      hTop = ::GetWindow(hTop, GW_HWNDNEXT);
    return hTop == hFloating;
  };
  ASSERT_NO_FATAL_FAILURE(ClickLink(kInvert));
  EXPECT_TRUE(WaitUntil("the Invert Color page painted", [&] {
    return Painted(hFloating) && shows(kOk, kLinkGrey) && shows(kFirstCheck, 0);
  }));
  SaveScreenshot(ScreenRect(m_app.Frame()), "task_sheet_floating_effect.bmp");
  SendXSteps(at("C", m_app.PictureOrigin() + CPoint(8, 8)), m_app.View());
  EXPECT_TRUE(WaitUntil("the main page painted above the frame", [&] {
    return OnlyShown(kMainGroups) && above() && shows(kMainGroups.links[0], kLinkColor);
  }));
}

} // namespace
