// The frame's bars as a user meets them: where they are docked at start and the View menu that
// shows and hides each.
#include "resources/resource.h"
#include "tests/e2e/e2e_support.h"

#include <algorithm>
#include <string>

using namespace e2e;

namespace {

const int kMenuBar = 23366;
const int kToolBars = 59392; // the standard, the large and the capture bar
const int kStatusBar = 59393;
const int kTaskSheetBar = 32846;
const int kToolsBar = 32783;

class BarsTest : public E2eTest {
protected:
  // The screen rectangles of the visible bars with the id, left to right.
  std::vector<CRect> Shown(int nId) const {
    std::vector<CRect> shown;
    for (HWND hBar : m_app.Descendants(nId))
      if (::IsWindowVisible(hBar))
        shown.push_back(ScreenRect(hBar));
    std::sort(shown.begin(), shown.end(), [](const CRect& a, const CRect& b) { return a.left < b.left; });
    return shown;
  }
  CRect Client() const {
    CRect client;
    ::GetClientRect(m_app.Frame(), &client);
    ::MapWindowPoints(m_app.Frame(), NULL, reinterpret_cast<POINT*>(&client), 2);
    return client;
  }
};

// Menu bar on top, the capture and large tool bars in one row below it (the standard bar hidden),
// the status bar at the bottom, the task sheet on the right and the tools panel on the left.
TEST_F(BarsTest, StartsWithEveryBarDockedInItsPlace) {
  ASSERT_TRUE(m_app.Start());
  ASSERT_TRUE(WaitUntil("the bars laid out", [&] {
    return Shown(kMenuBar).size() == 1 && Shown(kToolBars).size() == 2 && Shown(kStatusBar).size() == 1 &&
           Shown(kTaskSheetBar).size() == 1 && Shown(kToolsBar).size() == 1;
  }));
  const CRect client = Client(), menu = Shown(kMenuBar)[0], status = Shown(kStatusBar)[0];
  const CRect sheet = Shown(kTaskSheetBar)[0], panel = Shown(kToolsBar)[0];
  const std::vector<CRect> tools = Shown(kToolBars);
  EXPECT_EQ(3u, m_app.Descendants(kToolBars).size());
  EXPECT_LE(menu.top - client.top, 4) << ToString(menu) << " in " << ToString(client);
  EXPECT_EQ(tools[0].top, tools[1].top) << "one row: " << ToString(tools[0]) << " " << ToString(tools[1]);
  EXPECT_GE(tools[0].top, menu.bottom - 1);
  EXPECT_LT(tools[0].Width(), tools[1].Width()) << "the capture bar comes first";
  EXPECT_LE(tools[0].right, tools[1].left)
      << "side by side: " << ToString(tools[0]) << " " << ToString(tools[1]);
  EXPECT_GE(status.bottom, client.bottom - 1) << ToString(status);
  EXPECT_GE(sheet.right, client.right - 8) << ToString(sheet);
  EXPECT_GT(sheet.left, client.CenterPoint().x) << ToString(sheet);
  EXPECT_LE(panel.left, client.left + 8) << ToString(panel);
  EXPECT_LT(panel.right, client.CenterPoint().x) << ToString(panel);
  EXPECT_GE(panel.top, tools[0].bottom - 1) << ToString(panel);
  SaveScreenshot(ScreenRect(m_app.Frame()), "e2e_bars_empty.bmp");
}

struct BarToggle {
  const char* pszName;
  char cItem; // in the View menu
  int nItem;  // its place there
  int nId;
};

void PrintTo(const BarToggle& bar, std::ostream* os) { *os << bar.pszName; }

class ViewMenuTest : public BarsTest, public ::testing::WithParamInterface<BarToggle> {
protected:
  // How the View menu draws the item's check mark now.
  Pixels Mark() {
    Pixels mark;
    if (HWND hMenu = m_app.OpenMenu('V'))
      mark = CPixolet::MenuItemMark(hMenu, GetParam().nItem);
    // The first Escape closes the popup, the second leaves the menu bar's keyboard mode: each is
    // taken before what follows.
    PressKey(VK_ESCAPE);
    WaitFor([&] { return m_app.ShownMenu() == NULL; });
    PressKey(VK_ESCAPE);
    SyncInput(m_app.Frame());
    return mark;
  }
};

// Each View item hides a shown bar and shows it again (the Toolbar item: the standard bar, which
// starts hidden, the other way round), its check mark following. The hidden menu bar comes back
// with Ctrl+Shift+M.
TEST_P(ViewMenuTest, ItemShowsAndHidesItsBarWithItsCheckMark) {
  const BarToggle& bar = GetParam();
  const bool bMenuBar = bar.nId == kMenuBar;
  ASSERT_TRUE(m_app.Start());
  const size_t nStart = Shown(bar.nId).size();
  const size_t nToggled = bar.nId == kToolBars ? nStart + 1 : nStart - 1;
  const Pixels before = Mark();
  ASSERT_FALSE(before.Empty()) << "no item " << bar.nItem << " in the View menu";
  ASSERT_TRUE(m_app.Menu('V', bar.cItem));
  ASSERT_TRUE(
      WaitUntil(std::string(bar.pszName) + " toggled", [&] { return Shown(bar.nId).size() == nToggled; }));
  if (bMenuBar) {
    ASSERT_TRUE(m_app.Activate());
    PressKey('M', MOD_CONTROL | MOD_SHIFT);
  } else {
    EXPECT_NE(before.data, Mark().data) << "the check mark stayed";
    ASSERT_TRUE(m_app.Menu('V', bar.cItem));
  }
  EXPECT_TRUE(WaitUntil(std::string(bar.pszName) + " back", [&] { return Shown(bar.nId).size() == nStart; }));
  EXPECT_EQ(before.data, Mark().data) << "the check mark did not come back";
}

const BarToggle kToggles[] = {{"StandardToolBar", 'T', 1, kToolBars},
                              {"StatusBar", 'S', 2, kStatusBar},
                              {"TaskSheet", 'A', 3, kTaskSheetBar}};
INSTANTIATE_TEST_SUITE_P(Bars, ViewMenuTest, ::testing::ValuesIn(kToggles),
                         [](const ::testing::TestParamInfo<BarToggle>& info) { return info.param.pszName; });

} // namespace
