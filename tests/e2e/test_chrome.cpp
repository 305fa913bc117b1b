// The frame's bars as they come and go under the user's hands: the standard tool bar shown from the
// View menu or from the chevron's list of panels, bars hidden from the View menu, the task sheet
// dragged to the other side of the frame and back, and the list's entries of the three tool bars.
// After each, every bar sits in a sound place and the frame shows what it paints.
#include "framework/wnd/fw_ids.h"
#include "resources/resource.h"
#include "tests/e2e/e2e_support.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <string>

using namespace e2e;

namespace {

std::string Step(char cKind, CPoint pt) {
  return cKind + std::to_string(pt.x) + "," + std::to_string(pt.y) + " ";
}

// The entries of the chevron's "Show/hide panels" list, counted from its end: the tool bars
// follow the menu bar and come before the tools panel.
enum PanelEntry { kToolsPanelEntry = 1, kCaptureEntry, kLargeEntry, kStandardEntry, kMenuBarEntry };

class ChromeTest : public E2eTest {
protected:
  // The three tool bars, told apart at start: the standard one is hidden, the capture bar is left
  // of the large one.
  void FindToolBars() {
    std::vector<HWND> bars;
    ASSERT_TRUE(WaitUntil("the tool bars", [&] {
      bars = m_app.Descendants(AFX_IDW_TOOLBAR);
      return bars.size() == 3 &&
             std::count_if(bars.begin(), bars.end(), [](HWND h) { return ::IsWindowVisible(h); }) == 2;
    }));
    std::sort(bars.begin(), bars.end(), [](HWND a, HWND b) {
      return ::IsWindowVisible(a) != ::IsWindowVisible(b) ? !::IsWindowVisible(a)
                                                          : ScreenRect(a).left < ScreenRect(b).left;
    });
    m_hStandard = bars[0];
    m_hCapture = bars[1];
    m_hLarge = bars[2];
  }
  HWND BarOfEntry(int nEntry) const {
    return nEntry == kStandardEntry ? m_hStandard : nEntry == kLargeEntry ? m_hLarge : m_hCapture;
  }
  // The pointer rests where no window of the program is, so that nothing shows a hover look.
  void ParkPointer() { XMoveMouse(::GetSystemMetrics(SM_CXSCREEN) - 1, ::GetSystemMetrics(SM_CYSCREEN) - 1); }

  // What the window's client area shows is what it paints when all of it is painted again: no part
  // stayed covered by the frame's background or stale after the last layout. The theme's gradients
  // may round a step apart where a bar was painted elsewhere before: a few levels are the same.
  ::testing::AssertionResult ShowsWhatItPaints(HWND hWnd, const std::string& when) {
    const int kLevels = 3;
    CRect rc;
    ::GetClientRect(hWnd, &rc);
    ::MapWindowPoints(hWnd, NULL, reinterpret_cast<POINT*>(&rc), 2);
    auto read = [&] {
      WaitFor([&] { return Painted(hWnd); });
      return Settled([&] { return ReadScreen(rc); }, 200);
    };
    const Pixels shown = read();
    ::RedrawWindow(hWnd, NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
    const Pixels painted = read();
    ::testing::AssertionResult same = ::testing::AssertionSuccess();
    int nDiffer = 0;
    CPoint first;
    for (size_t i = 0; i < shown.data.size() && shown.data.size() == painted.data.size(); i++) {
      const COLORREF a = shown.data[i], b = painted.data[i];
      if (std::max({std::abs(GetRValue(a) - GetRValue(b)), std::abs(GetGValue(a) - GetGValue(b)),
                    std::abs(GetBValue(a) - GetBValue(b))}) > kLevels &&
          nDiffer++ == 0)
        first = CPoint((int)(i % shown.cx), (int)(i / shown.cx));
    }
    if (nDiffer > 0 || shown.Empty() || shown.data.size() != painted.data.size())
      same = ::testing::AssertionFailure() << nDiffer << " pixels differ, the first at (" << first.x << ","
                                           << first.y << ") of " << ToString(rc);
    if (!same) {
      const std::string name = when + "_" + std::to_string(::GetDlgCtrlID(hWnd)) + ".bmp";
      pixel_support::SaveBmp(shown, ("e2e_failed_chrome_shown_" + name).c_str());
      pixel_support::SaveBmp(painted, ("e2e_failed_chrome_painted_" + name).c_str());
      same << " " << when << ": the window of id " << ::GetDlgCtrlID(hWnd)
           << " shows something else than it paints";
    }
    return same;
  }

  // Every shown bar of the frame and the MDI area show what they paint.
  void ExpectEveryBarShowsWhatItPaints(const std::string& when) {
    std::vector<HWND> windows = {m_app.MdiClient()};
    for (int nId :
         {ID_VIEW_MENUBAR, AFX_IDW_TOOLBAR, AFX_IDW_STATUS_BAR, ID_VIEW_TASK_SHEET, ID_VIEW_TOOLS_PANEL})
      for (HWND hBar : m_app.Descendants(nId))
        if (::IsWindowVisible(hBar))
          windows.push_back(hBar);
    for (HWND hWnd : windows)
      EXPECT_TRUE(ShowsWhatItPaints(hWnd, when));
  }

  enum class Side { Left, Right, Bottom };
  // Drags the task sheet by its caption (at its top while it is docked on the left or right) into
  // the MDI area's band along the side, where it docks, and waits until it lies on that side of
  // the MDI area.
  void DragTaskSheet(Side side) {
    HWND hSheet = m_app.TaskSheetBar();
    ASSERT_NE(nullptr, hSheet);
    const CRect sheet = ScreenRect(hSheet), mdi = ScreenRect(m_app.MdiClient());
    const CPoint caption(sheet.left + 60, sheet.top + 7), centre = mdi.CenterPoint();
    const CPoint target = side == Side::Left    ? CPoint(mdi.left + 8, centre.y)
                          : side == Side::Right ? CPoint(mdi.right - 8, centre.y)
                                                : CPoint(centre.x, mdi.bottom - 8);
    const CPoint before = target + (side == Side::Left    ? CPoint(40, 0)
                                    : side == Side::Right ? CPoint(-40, 0)
                                                          : CPoint(0, -40));
    SendXSteps(Step('P', caption) + Step('M', caption + CPoint(0, 20)) + Step('M', before) +
                   Step('M', target) + Step('R', target),
               m_app.Frame());
    ASSERT_TRUE(WaitUntil("the task sheet docked",
                          [&] {
                            hSheet = m_app.TaskSheetBar();
                            const CRect now = ScreenRect(hSheet), area = ScreenRect(m_app.MdiClient());
                            return hSheet != NULL && (side == Side::Left    ? now.right <= area.left + 1
                                                      : side == Side::Right ? now.left >= area.right - 1
                                                                            : now.top >= area.bottom - 1);
                          }))
        << "the sheet at " << ToString(ScreenRect(hSheet));
    ParkPointer();
  }

  // Opens the chevron of a tool bar and, from its menu, the list of panels.
  HWND OpenPanelsList(HWND hBar) {
    const CRect bar = ScreenRect(hBar);
    HWND hChevronMenu = m_app.ClickForMenu(CPoint(bar.right - 7, bar.CenterPoint().y));
    if (hChevronMenu == NULL)
      return NULL;
    const std::vector<CRect> items = CPixolet::MenuItemRects(hChevronMenu, 1);
    if (items.empty())
      return NULL;
    // "Show/hide panels" is the menu's last item.
    return m_app.ClickForMenu(items.back().CenterPoint(), hChevronMenu);
  }
  // An entry of the open list, counted from the end, the picture of its text and of its mark (a
  // check box in the gutter, which is wider and higher than what is read of it).
  static CRect EntryRect(const std::vector<CRect>& items, int nEntry) { return items[items.size() - nEntry]; }
  static Pixels EntryText(const std::vector<CRect>& items, int nEntry) {
    CRect rc = EntryRect(items, nEntry);
    rc.left += rc.Width() / 4;
    return ReadScreen(rc);
  }
  static Pixels EntryMark(const std::vector<CRect>& items, int nEntry) {
    // From the top of the text, which a mnemonic's underline makes taller at the bottom.
    const int kMarkWidth = 20, kMarkHeight = 8;
    const CRect rc = EntryRect(items, nEntry);
    return ReadScreen(CRect(rc.left, rc.top, rc.left + kMarkWidth, rc.top + kMarkHeight));
  }

  HWND m_hStandard = NULL, m_hCapture = NULL, m_hLarge = NULL;
};

// --- the standard tool bar ----------------------------------------------------------------------

struct ToolbarRoad {
  const char* name;
  bool bChevron; // the list of panels of the large bar's chevron; else View, Toolbar
};
void PrintTo(const ToolbarRoad& road, std::ostream* os) { *os << road.name; }

class ToolbarRoadTest : public ChromeTest, public ::testing::WithParamInterface<ToolbarRoad> {};

// The standard tool bar, made hidden and in no dock bar, shows as a row of its own in the top dock
// bar, below the row of the capture and large bars and above the MDI area.
TEST_P(ToolbarRoadTest, ShowsTheStandardBarAsARowOfTheTopDockBar) {
  ASSERT_TRUE(m_app.Start());
  ASSERT_NO_FATAL_FAILURE(FindToolBars());
  if (GetParam().bChevron) {
    HWND hList = OpenPanelsList(m_hLarge);
    ASSERT_NE(nullptr, hList) << "no list of panels";
    const std::vector<CRect> items = CPixolet::MenuItemRects(hList, kMenuBarEntry);
    ASSERT_FALSE(items.empty());
    SendXSteps(Step('C', EntryRect(items, kStandardEntry).CenterPoint()), m_app.Frame());
  } else {
    ASSERT_TRUE(m_app.Menu('V', 'T'));
  }
  HWND hDock = NULL;
  ASSERT_TRUE(WaitUntil("the standard bar shown in a dock bar",
                        [&] {
                          hDock = ::GetParent(m_hStandard);
                          return ::IsWindowVisible(m_hStandard) && ClassOf(hDock) == "Corvane-DockBar";
                        }))
      << "its parent is " << ClassOf(hDock);
  ParkPointer();
  ExpectEveryBarShowsWhatItPaints(GetParam().name);
  const CRect bar = ScreenRect(m_hStandard), large = ScreenRect(m_hLarge),
              mdi = ScreenRect(m_app.MdiClient());
  EXPECT_EQ(AFX_IDW_DOCKBAR_TOP, ::GetDlgCtrlID(hDock));
  EXPECT_GT(bar.Width(), 4 * bar.Height()) << "a row: " << ToString(bar);
  EXPECT_LT(bar.Height(), large.Height()) << ToString(bar) << " beside " << ToString(large);
  EXPECT_GE(bar.top, std::max(large.bottom, ScreenRect(m_hCapture).bottom) - 1) << ToString(bar);
  EXPECT_LE(bar.bottom, mdi.top + 1) << ToString(bar) << " over the MDI area " << ToString(mdi);
  SaveScreenshot(ScreenRect(m_app.Frame()),
                 ("e2e_chrome_toolbar_" + std::string(GetParam().name) + ".bmp").c_str());
}

const ToolbarRoad kToolbarRoads[] = {{"ViewMenu", false}, {"ChevronList", true}};
INSTANTIATE_TEST_SUITE_P(Roads, ToolbarRoadTest, ::testing::ValuesIn(kToolbarRoads),
                         [](const ::testing::TestParamInfo<ToolbarRoad>& info) { return info.param.name; });

// --- bars hidden and shown ------------------------------------------------------------------------

// The task sheet is dragged by its caption to the bottom, above the status bar; then the View menu
// shows the standard tool bar, hides it and the status bar and shows the status bar again. After
// each, every bar shows its face and the MDI area its background: the status bar's going and coming
// moves the sheet's dock bar, not the sheet within it.
TEST_F(ChromeTest, FrameShowsWhatItPaintsAfterBarsComeAndGo) {
  ASSERT_TRUE(m_app.Start());
  ASSERT_NO_FATAL_FAILURE(FindToolBars());
  const std::vector<HWND> status = m_app.Descendants(AFX_IDW_STATUS_BAR);
  ASSERT_EQ(1u, status.size());
  HWND hStatus = status[0];
  ASSERT_NO_FATAL_FAILURE(DragTaskSheet(Side::Bottom));
  ExpectEveryBarShowsWhatItPaints("SheetDockedAtTheBottom");
  const struct {
    const char* name;
    char cItem;
    HWND hBar;
    bool bShown;
  } kSteps[] = {{"ToolbarShown", 'T', m_hStandard, true},
                {"ToolbarHidden", 'T', m_hStandard, false},
                {"StatusBarHidden", 'S', hStatus, false},
                {"StatusBarShown", 'S', hStatus, true}};
  for (const auto& step : kSteps) {
    ASSERT_TRUE(m_app.Menu('V', step.cItem)) << step.name;
    ASSERT_TRUE(WaitUntil(step.name, [&] { return (::IsWindowVisible(step.hBar) != FALSE) == step.bShown; }));
    ParkPointer();
    ExpectEveryBarShowsWhatItPaints(step.name);
  }
  SaveScreenshot(ScreenRect(m_app.Frame()), "e2e_chrome_bars_hidden_and_shown.bmp");
}

// --- the task sheet dragged -----------------------------------------------------------------------

// The task sheet dragged by its caption into the MDI area's left band docks on the left; dragged
// back into the right band it docks on the right again. After each drop the frame shows what it
// paints where the sheet left: the MDI area's background, not the frame's white.
TEST_F(ChromeTest, FrameRepaintsWhereTheTaskSheetLeft) {
  ASSERT_TRUE(m_app.Start());
  ASSERT_NO_FATAL_FAILURE(CaptureFromMenu(kArea)); // a document, and its tab
  const struct {
    const char* name;
    Side side;
  } kDrops[] = {{"SheetDockedLeft", Side::Left}, {"SheetDockedRight", Side::Right}};
  for (const auto& drop : kDrops) {
    ASSERT_NO_FATAL_FAILURE(DragTaskSheet(drop.side)) << drop.name;
    EXPECT_TRUE(ShowsWhatItPaints(m_app.MdiClient(), drop.name));
    EXPECT_TRUE(
        ShowsWhatItPaints(::FindWindowExA(m_app.Frame(), NULL, "Corvane-TabWindow", NULL), drop.name));
  }
  SaveScreenshot(ScreenRect(m_app.Frame()), "e2e_chrome_sheet_back_on_the_right.bmp");
}

// --- the list of panels ---------------------------------------------------------------------------

class PanelEntryTest : public ChromeTest, public ::testing::WithParamInterface<int> {};

// The chevron's list of panels names each of the three tool bars apart and checks the two shown;
// each entry shows or hides its own bar alone, and its check mark follows.
TEST_P(PanelEntryTest, TogglesItsOwnBar) {
  const int nEntry = GetParam();
  ASSERT_TRUE(m_app.Start());
  ASSERT_NO_FATAL_FAILURE(FindToolBars());
  HWND hList = OpenPanelsList(m_hLarge);
  ASSERT_NE(nullptr, hList) << "no list of panels";
  std::vector<CRect> items = CPixolet::MenuItemRects(hList, kMenuBarEntry);
  ASSERT_FALSE(items.empty()) << "the list is too short";
  SaveScreenshot(ScreenRect(hList), "e2e_chrome_panels_list.bmp");
  const Pixels checked = EntryMark(items, kMenuBarEntry);
  EXPECT_NE(checked.data, EntryMark(items, kStandardEntry).data) << "Toolbar checked while hidden";
  EXPECT_EQ(checked.data, EntryMark(items, kLargeEntry).data) << "Large Toolbar unchecked while shown";
  EXPECT_EQ(checked.data, EntryMark(items, kCaptureEntry).data) << "Capture Toolbar unchecked while shown";
  const Pixels standard = EntryText(items, kStandardEntry), large = EntryText(items, kLargeEntry);
  EXPECT_NE(standard.data, large.data) << "two entries read alike";
  EXPECT_NE(large.data, EntryText(items, kCaptureEntry).data) << "two entries read alike";
  EXPECT_NE(standard.data, EntryText(items, kCaptureEntry).data) << "two entries read alike";

  HWND hBar = BarOfEntry(nEntry);
  const bool bWasShown = ::IsWindowVisible(hBar) != FALSE;
  // Where the row of the capture and large bars begins: the bars left in it close up to there, give
  // or take the bars' own margins.
  const int kMargin = 2;
  auto rowLeft = [&] {
    int nLeft = INT_MAX;
    for (HWND hInRow : {m_hCapture, m_hLarge})
      if (::IsWindowVisible(hInRow))
        nLeft = std::min(nLeft, static_cast<int>(ScreenRect(hInRow).left));
    return nLeft;
  };
  const int nRowLeft = rowLeft();
  SendXSteps(Step('C', EntryRect(items, nEntry).CenterPoint()), m_app.Frame());
  ASSERT_TRUE(WaitUntil("the menus to close", [&] { return m_app.ShownMenu() == NULL; }));
  EXPECT_TRUE(WaitUntil("its bar toggled", [&] { return (::IsWindowVisible(hBar) != FALSE) != bWasShown; }));
  for (HWND hOther : {m_hStandard, m_hCapture, m_hLarge})
    if (hOther != hBar)
      EXPECT_EQ(hOther != m_hStandard, ::IsWindowVisible(hOther) != FALSE) << "another bar toggled";

  // The bar hides first and the row is laid out after it: the chevron is clicked where it ends up.
  ASSERT_TRUE(WaitUntil("the row laid out again", [&] { return std::abs(rowLeft() - nRowLeft) <= kMargin; }))
      << "the row begins at " << rowLeft() << ", not at " << nRowLeft;
  ParkPointer();
  hList = OpenPanelsList(hBar == m_hLarge ? m_hCapture : m_hLarge);
  ASSERT_NE(nullptr, hList) << "no list of panels the second time";
  items = CPixolet::MenuItemRects(hList, kMenuBarEntry);
  ASSERT_FALSE(items.empty());
  EXPECT_EQ(!bWasShown, EntryMark(items, kMenuBarEntry).data == EntryMark(items, nEntry).data)
      << "the check mark stayed";
}

INSTANTIATE_TEST_SUITE_P(Entries, PanelEntryTest,
                         ::testing::Values(kStandardEntry, kLargeEntry, kCaptureEntry),
                         [](const ::testing::TestParamInfo<int>& info) {
                           return info.param == kStandardEntry ? "Toolbar"
                                  : info.param == kLargeEntry  ? "LargeToolbar"
                                                               : "CaptureToolbar";
                         });

} // namespace
