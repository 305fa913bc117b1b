// The program's icon in the notification area as the user meets it: its menu on a right click,
// the default command on a double click, the frame hidden in the tray and brought back, the icon
// kept when the shell restarts or the work area changes; and one capture at a time, whichever road
// asks for it. The icon is reached as tray_support.h tells.
#include "tests/e2e/tray_support.h"

#include <string>
#include <vector>

using namespace e2e;

namespace {

// How an item of the tray menu is picked and what it does.
struct TrayPick {
  const char* pszName;
  char cKey;           // the item's letter; 0: a click on the first item, 1: on the last
  const char* pszMark; // the area marked on the overlay, if the item asks for one
  CSize size;          // the document it opens; none: it opens none
  bool bEnds;          // the program ends
};
void PrintTo(const TrayPick& pick, std::ostream* os) { *os << pick.pszName; }

class TrayMenuTest : public TrayTest, public ::testing::WithParamInterface<TrayPick> {};

// A right click on the icon opens the tray menu where the pointer is; its items run by their keys
// and by the pointer; Esc closes it and nothing happens.
TEST_P(TrayMenuTest, RightClickOpensTheMenuWhoseItemsRun) {
  const TrayPick& pick = GetParam();
  ASSERT_TRUE(StartWithIcon());
  const HWND hMenu = OpenTrayMenu();
  ASSERT_NE(nullptr, hMenu) << "no tray menu";
  const CRect menu = ScreenRect(hMenu);
  EXPECT_EQ(kIconClickAt, menu.TopLeft());
  SaveScreenshot(menu, "e2e_tray_menu.bmp");
  if (pick.cKey > 1) {
    ASSERT_TRUE(PickByKey(hMenu, (WORD)pick.cKey));
  } else {
    const CPoint item(menu.CenterPoint().x, pick.cKey == 0 ? menu.top + 8 : menu.bottom - 8);
    ASSERT_TRUE(Until(
        "menu closed by the click",
        [&] {
          XMoveMouse(item.x, item.y);
          XPointer("click 1");
        },
        [&] { return !::IsWindowVisible(hMenu); }));
  }
  if (pick.bEnds) {
    EXPECT_TRUE(WaitUntil(
        "the program to end", [&] { return !m_app.Running(); }, 20000));
    EXPECT_EQ(0u, m_app.ExitCode());
    return;
  }
  if (*pick.pszMark)
    ASSERT_TRUE(m_app.Mark(pick.pszMark));
  ASSERT_TRUE(m_app.WaitForDocuments(pick.size.cx > 0 ? 1 : 0, pick.size));
  EXPECT_TRUE(::IsWindowVisible(m_app.Frame()));
  if (pick.size.cx > 0)
    EXPECT_TRUE(m_app.KeyboardInView());
}

const TrayPick kPicks[] = {{"FullScreenByItsKey", 'F', "", CSize(1280, 1024), false},
                           {"RectangleByThePointer", 0, "P100,100 R300,200", CSize(200, 100), false},
                           {"ExitByThePointer", 1, "", CSize(), true},
                           {"EscapeDoesNothing", VK_ESCAPE, "", CSize(), false}};
INSTANTIATE_TEST_SUITE_P(Tray, TrayMenuTest, ::testing::ValuesIn(kPicks),
                         [](const ::testing::TestParamInfo<TrayPick>& info) { return info.param.pszName; });

// How the user brings the frame back from the tray.
enum class Back {
  OpenApplicationItem,
  DoubleClick,
  CaptureFromTheTrayMenu,
  HotKeyCapture,
  ExitAndStartAgain
};
struct BackRoad {
  const char* pszName;
  Back back;
  bool bMaximised; // the frame was maximised when it went to the tray
  CSize document;  // a capture made while in the tray; none: no capture
};
void PrintTo(const BackRoad& road, std::ostream* os) { *os << road.pszName; }

class MinimizeToTrayTest : public TrayTest, public ::testing::WithParamInterface<BackRoad> {};

// File, Minimize To Tray hides the frame while the icon stays; "Open Application" (the menu's
// default, also run by a double click on the icon) brings it back where it was, as it was, active,
// and it works as before. A capture from the tray menu or by the hot key brings it back by itself
// when it is done, with the new document in front and the keys going to it. After an exit from the
// tray the next start puts the frame where it was.
TEST_P(MinimizeToTrayTest, FrameHidesInTheTrayAndComesBackWhereItWas) {
  const BackRoad& road = GetParam();
  ASSERT_TRUE(StartWithIcon());
  if (road.bMaximised) {
    HWND hMenu = NULL;
    ASSERT_TRUE(Until(
        "system menu",
        [] {
          PressKey(VK_ESCAPE); // out of a menu mode a lost half of the keys left
          PressKey(VK_SPACE, MOD_ALT);
        },
        [&] { return (hMenu = m_app.ShownMenu()) != NULL; }));
    WaitUntilUnfolded(hMenu);
    ASSERT_TRUE(PickByKey(hMenu, 'X'));
    CRect work;
    ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    ASSERT_TRUE(WaitUntil("the frame maximised", [&] {
      const CRect rc = ScreenRect(m_app.Frame());
      return ::IsZoomed(m_app.Frame()) && rc.left <= work.left && rc.top <= work.top &&
             rc.right >= work.right && rc.bottom >= work.bottom;
    }));
  }
  const CRect before = ScreenRect(m_app.Frame());
  ASSERT_TRUE(m_app.Menu('F', 'M'));
  ASSERT_TRUE(WaitUntil("the frame to hide", [&] { return !::IsWindowVisible(m_app.Frame()); }));
  EXPECT_TRUE(ShellHoldsIcon(m_hTray));
  switch (road.back) {
  case Back::OpenApplicationItem:
  case Back::ExitAndStartAgain:
    ASSERT_TRUE(PickByKey(OpenTrayMenu(), road.back == Back::ExitAndStartAgain ? 'X' : 'O'));
    break;
  case Back::DoubleClick:
    IconMouse(WM_LBUTTONDBLCLK);
    break;
  case Back::CaptureFromTheTrayMenu:
    ASSERT_TRUE(PickByKey(OpenTrayMenu(), 'F'));
    break;
  case Back::HotKeyCapture: {
    DWORD dwKey = 0, dwMods = 0;
    ASSERT_TRUE(ReadOption("HotkeyKey", dwKey) && ReadOption("HotkeyCtrlShftAlt", dwMods));
    MoveMouse(kArea.left, kArea.top);
    ASSERT_TRUE(PressXHotKey((WORD)dwKey, dwMods));
    ASSERT_TRUE(m_app.Mark("P100,100 R300,200"));
    break;
  }
  }
  if (road.back == Back::ExitAndStartAgain) {
    ASSERT_TRUE(WaitUntil(
        "the program to end", [&] { return !m_app.Running(); }, 20000));
    ASSERT_TRUE(StartWithIcon());
  }
  EXPECT_TRUE(WaitUntil("the frame back and active", [&] {
    return ::IsWindowVisible(m_app.Frame()) && ::GetForegroundWindow() == m_app.Frame();
  }));
  EXPECT_EQ(ToString(before), ToString(ScreenRect(m_app.Frame())));
  EXPECT_EQ(road.bMaximised, ::IsZoomed(m_app.Frame()) != FALSE);
  EXPECT_EQ(::GetDesktopWindow(), ::GetAncestor(m_app.Frame(), GA_PARENT)) << "the frame is no top window";
  if (road.document.cx == 0) {
    ASSERT_TRUE(m_app.Exit());
    return;
  }
  ASSERT_TRUE(m_app.WaitForDocuments(1, road.document));
  SaveScreenshot(ScreenRect(m_app.Frame()), (std::string("e2e_tray_back_") + road.pszName + ".bmp").c_str());
  EXPECT_TRUE(m_app.KeyboardInView());
  ASSERT_TRUE(m_app.Menu('F', 'X'));
  ASSERT_TRUE(m_app.Answer("Save changes to file?", 'N'));
  EXPECT_TRUE(WaitUntil(
      "the program to end", [&] { return !m_app.Running(); }, 20000));
}

INSTANTIATE_TEST_SUITE_P(
    Tray, MinimizeToTrayTest,
    ::testing::Values(
        BackRoad{"OpenApplicationItem", Back::OpenApplicationItem, false, CSize()},
        BackRoad{"DoubleClick", Back::DoubleClick, false, CSize()},
        BackRoad{"MaximisedOpenApplicationItem", Back::OpenApplicationItem, true, CSize()},
        BackRoad{"CaptureFromTheTrayMenu", Back::CaptureFromTheTrayMenu, false, CSize(1280, 1024)},
        BackRoad{"MaximisedCaptureFromTheTrayMenu", Back::CaptureFromTheTrayMenu, true, CSize(1280, 1024)},
        BackRoad{"HotKeyCapture", Back::HotKeyCapture, false, CSize(200, 100)},
        BackRoad{"ExitAndStartAgain", Back::ExitAndStartAgain, false, CSize()}),
    [](const ::testing::TestParamInfo<BackRoad>& info) { return info.param.pszName; });

// With a modal dialog open, a double click on the icon brings the dialog forward, not the frame it
// disabled over it: the dialog takes the keys and closes on Esc, and the frame answers again. The
// user has gone to the tray window first, and double-clicks the icon where Wine's explorer shows it,
// with the X pointer.
TEST_F(TrayTest, DoubleClickBringsAnOpenDialogForward) {
  ASSERT_TRUE(StartWithIcon());
  ASSERT_TRUE(m_app.Menu('H', 'A'));
  const HWND hAbout = m_app.WaitForDialog("About Pixolet Screen Capture");
  ASSERT_NE(nullptr, hAbout);
  ASSERT_TRUE(DoubleClickShownIcon());
  EXPECT_TRUE(IsActiveWindow(hAbout, "the about box"));
  SaveScreenshot(ScreenRect(m_app.Frame()), "e2e_tray_double_click_over_about.bmp");
  PressKey(VK_ESCAPE);
  ASSERT_TRUE(WaitUntil("the about box to close on Esc", [&] { return !::IsWindow(hAbout); }));
  ASSERT_TRUE(m_app.Exit());
}

// When the work area changes the icon is changed, not added a second time; when a shell that lost
// it announces itself with "TaskbarCreated", it is added again, also after a work-area change; the
// menu opens from the icon that came back. Both announcements go to the icon's window, as Windows
// sends them (Wine makes neither).
TEST_F(TrayTest, IconComesBackWhenTheShellRestarts) {
  ASSERT_TRUE(StartWithIcon());
  auto announce = [&](UINT nMessage, WPARAM wParam) {
    DWORD_PTR nResult = 0;
    return ::SendMessageTimeoutA(m_hTray, nMessage, wParam, 0, SMTO_ABORTIFHUNG, 5000, &nResult) != 0;
  };
  ASSERT_TRUE(announce(WM_SETTINGCHANGE, SPI_SETWORKAREA));
  EXPECT_TRUE(ShellHoldsIcon(m_hTray)) << "the icon went with the work-area change";
  ASSERT_TRUE(CallShell(NIM_DELETE, m_hTray)) << "the shell did not drop the icon";
  ASSERT_TRUE(announce(::RegisterWindowMessageA("TaskbarCreated"), 0));
  EXPECT_TRUE(WaitUntil("the icon back", [&] { return ShellHoldsIcon(m_hTray); }));
  EXPECT_TRUE(PickByKey(OpenTrayMenu(), VK_ESCAPE));
  ASSERT_TRUE(m_app.Exit());
}

// Where a capture starts from.
enum class CaptureRoad { TrayMenu, CaptureButton, CaptureDropDown };
struct GuardCase {
  const char* pszName;
  CaptureRoad road;
};
void PrintTo(const GuardCase& c, std::ostream* os) { *os << c.pszName; }

class CaptureGuardTest : public TrayTest, public ::testing::WithParamInterface<GuardCase> {};

// While one capture's overlay is up, the tray menu's capture items and the hot key start no
// second capture, whichever road the first came by: one overlay, and one document once the area
// is marked.
TEST_P(CaptureGuardTest, OneCaptureAtATime) {
  ASSERT_TRUE(StartWithIcon());
  DWORD dwKey = 0, dwMods = 0;
  ASSERT_TRUE(ReadOption("HotkeyKey", dwKey) && ReadOption("HotkeyCtrlShftAlt", dwMods));
  const CRect bar = CaptureBar();
  switch (GetParam().road) {
  case CaptureRoad::TrayMenu:
    ASSERT_TRUE(PickByKey(OpenTrayMenu(), 'R'));
    break;
  case CaptureRoad::CaptureButton: {
    const std::string click = "C" + std::to_string(bar.left + 30) + "," + std::to_string(bar.CenterPoint().y);
    ASSERT_TRUE(Until(
        "capture started", [&] { SendXSteps(click, m_app.Frame()); },
        [&] { return !::IsWindowVisible(m_app.Frame()); }));
    break;
  }
  case CaptureRoad::CaptureDropDown:
    ASSERT_TRUE(PickFromCaptureArrow('R'));
    break;
  }
  const HWND hOverlay = m_app.WaitForOverlay();
  ASSERT_NE(nullptr, hOverlay) << "no capture started";

  ASSERT_TRUE(PickByKey(OpenTrayMenu(), 'F'));
  EXPECT_TRUE(
      WaitUntil("the overlay to keep the keyboard", [&] { return ::GetForegroundWindow() == hOverlay; }));
  ASSERT_TRUE(PressXHotKey((WORD)dwKey, dwMods));
  SyncInput(hOverlay);
  EXPECT_EQ(1u, Overlays());
  EXPECT_TRUE(m_app.Documents().empty());

  ASSERT_TRUE(m_app.Mark("P100,100 R300,200"));
  ASSERT_TRUE(m_app.WaitForDocuments(1, kArea.Size()));
  SyncInput(m_app.Frame());
  EXPECT_EQ(0u, Overlays());
  EXPECT_EQ(1u, m_app.Documents().size());
}

INSTANTIATE_TEST_SUITE_P(Roads, CaptureGuardTest,
                         ::testing::Values(GuardCase{"TrayMenu", CaptureRoad::TrayMenu},
                                           GuardCase{"CaptureButton", CaptureRoad::CaptureButton},
                                           GuardCase{"CaptureDropDown", CaptureRoad::CaptureDropDown}),
                         [](const ::testing::TestParamInfo<GuardCase>& info) { return info.param.pszName; });

} // namespace
