// Bars floated off the frame as the user meets them: the task sheet floating while the frame sits
// in the tray, left out of a capture made from there and over the frame again when it comes back,
// above its frame after a message, its pages taking the keyboard as they do docked, and the sheet and
// the tool bars brought back to their places with the mouse.
#include "framework/wnd/fw_ids.h"
#include "resources/resource.h"
#include "tests/e2e/tray_support.h"

#include <algorithm>
#include <string>
#include <vector>

using namespace e2e;

namespace {

const int kShearLink = 2011, kResizeImageLink = 4007;
const COLORREF kLinkColor = 0xF8E4D8; // the ground of the main page's task links

std::string At(const char* pszStep, CPoint pt) {
  return pszStep + std::to_string(pt.x) + "," + std::to_string(pt.y) + " ";
}

class FloatingBarsTest : public TrayTest {
protected:
  // Drags the task sheet by its caption to the point, where it floats; its floating frame, once
  // that is a window the frame owns (on its way the bar passes through windows of other kinds).
  HWND FloatTaskSheet(CPoint drop) {
    const CRect bar = ScreenRect(m_app.TaskSheetBar());
    const CPoint caption(bar.CenterPoint().x, bar.top + 8);
    SendXSteps(At("P", caption) + At("M", caption + CPoint(-10, 10)) + At("M", drop) + At("R", drop),
               m_app.Frame());
    HWND hFloating = NULL;
    const ::testing::AssertionResult bFloating =
        WaitUntil("the sheet floating in a window the frame owns", [&] {
          const HWND hBar = m_app.TaskSheetBar();
          return hBar != NULL && (hFloating = ::GetAncestor(hBar, GA_ROOT)) != m_app.Frame() &&
                 ::GetWindow(hFloating, GW_OWNER) == m_app.Frame();
        });
    EXPECT_TRUE(bFloating) << "the sheet is in " << DescribeWindow(hFloating) << ", owned by "
                           << DescribeWindow(::GetWindow(hFloating, GW_OWNER)) << "; the pointer pressed at "
                           << caption.x << "," << caption.y << " on "
                           << DescribeWindow(::WindowFromPoint(caption));
    return bFloating ? hFloating : NULL;
  }
  // The sheet's window with the id once it shows; NULL when it did not come.
  HWND ShownInSheet(int nId) {
    HWND hItem = NULL;
    WaitFor([&] { return (hItem = m_app.ShownInTaskSheet(nId)) != NULL; });
    return hItem;
  }
  // The main page's Shear link as the screen shows it: the ground of the page's task links there.
  ::testing::AssertionResult ShearLinkOnScreen() {
    const HWND hShear = ShownInSheet(kShearLink);
    if (hShear == NULL)
      return ::testing::AssertionFailure() << "no Shear link";
    return WaitUntil("the sheet's link on the screen", [&] {
      const std::vector<COLORREF> px = ReadScreen(ScreenRect(hShear)).data;
      return std::find(px.begin(), px.end(), kLinkColor) != px.end();
    });
  }
  // A capture, the sheet floated beside its picture and the frame put into the tray by File,
  // Minimize To Tray, the floating sheet left on the screen; its floating frame in hFloating.
  void FloatSheetWithTheFrameInTheTray(HWND& hFloating) {
    ASSERT_TRUE(StartWithIcon());
    ASSERT_NO_FATAL_FAILURE(CaptureFromMenu(kArea));
    hFloating = FloatTaskSheet(m_app.PictureOrigin() + CPoint(150, 60));
    ASSERT_NE(nullptr, hFloating);
    ASSERT_TRUE(m_app.Menu('F', 'M'));
    // On its way the frame is hidden and shown again, and its floating frames with it.
    ASSERT_TRUE(WaitUntil("the frame in the tray and the floating sheet on the screen", [&] {
      return !::IsWindowVisible(m_app.Frame()) && ::IsWindowVisible(hFloating) &&
             ::GetAncestor(m_app.Frame(), GA_PARENT) != ::GetDesktopWindow();
    }));
  }
  // Where the X pointer clicks into a window: 20 pixels in, halfway down.
  static CPoint Into(HWND hWnd) {
    const CRect rc = ScreenRect(hWnd);
    return CPoint(rc.left + 20, rc.CenterPoint().y);
  }
  // The Resize Image page opened from the sheet's link; its "New Width" box.
  HWND OpenResizeImage() {
    const HWND hLink = ShownInSheet(kResizeImageLink);
    EXPECT_NE(nullptr, hLink) << "no Resize Image link";
    if (hLink == NULL)
      return NULL;
    SendXSteps(At("C", Into(hLink)), hLink);
    const HWND hWidth = ShownInSheet(IDC_RESIZE_WIDTH);
    EXPECT_NE(nullptr, hWidth) << "no New Width box";
    return hWidth;
  }
  // A double click of the X pointer: both clicks in one run of xdotool, well within the
  // double-click time however busy the machine is.
  static void XDoubleClick(CPoint pt, HWND hWnd) {
    XMoveMouse(pt.x, pt.y);
    EXPECT_TRUE(XPointer("click --repeat 2 --delay 80 1"));
    EXPECT_TRUE(WaitUntil("the button up", [] { return (::GetAsyncKeyState(VK_LBUTTON) & 0x8000) == 0; }));
    SyncInput(hWnd);
  }
};

// While the frame sits in the tray the floating sheet stays on the screen; Alt+F4 there closes the
// program through the frame's close, which asks to save the capture; Cancel keeps the program, and
// the frame comes back from the tray with its picture.
TEST_F(FloatingBarsTest, AltF4InTheFloatingSheetWhileTheFrameIsInTheTrayAsksToSave) {
  HWND hFloating = NULL;
  ASSERT_NO_FATAL_FAILURE(FloatSheetWithTheFrameInTheTray(hFloating));
  // A click on a link that opens an effect page gives the sheet the keyboard.
  const HWND hShear = ShownInSheet(kShearLink);
  ASSERT_NE(nullptr, hShear) << "no Shear link";
  SendXSteps(At("C", Into(hShear)), hShear);
  ASSERT_TRUE(HasXKeyboard(hFloating, "the floating sheet"));
  SendXSteps("AltF4", hFloating);
  const HWND hAsk = m_app.WaitForDialog("Save changes to file?");
  ASSERT_NE(nullptr, hAsk) << (m_app.Running()
                                   ? "no question"
                                   : "the program ended with " + std::to_string(m_app.ExitCode()));
  SaveScreenshot(ScreenRect(hAsk), "e2e_floating_sheet_alt_f4_in_tray.bmp");
  ASSERT_TRUE(GetsXKeys(hAsk, "the question"));
  ASSERT_TRUE(XKeys("Escape"));
  ASSERT_TRUE(WaitUntil("the question to go", [&] { return !::IsWindow(hAsk); }));
  ASSERT_TRUE(m_app.Running());
  IconMouse(WM_LBUTTONDBLCLK);
  EXPECT_TRUE(m_app.WaitForDocuments(1, kArea.Size()));
}

// The hot key pressed while the frame sits in the tray captures the screen without the floating
// sheet, as a capture from the frame does; the sheet comes back where it was, shown over the frame.
TEST_F(FloatingBarsTest, ACaptureFromTheTrayLeavesTheFloatingSheetOut) {
  HWND hFloating = NULL;
  ASSERT_NO_FATAL_FAILURE(FloatSheetWithTheFrameInTheTray(hFloating));
  const CRect sheet = ScreenRect(hFloating);
  XMoveMouse(sheet.left, sheet.top);
  ASSERT_TRUE(XKeys("ctrl+q"));
  ASSERT_TRUE(m_app.MarkAsUser(At("P", sheet.TopLeft()) + At("R", sheet.BottomRight())));
  ASSERT_TRUE(m_app.WaitForDocuments(2, sheet.Size()));
  EXPECT_TRUE(m_app.PictureIs(sheet.Size(), PatternOf(sheet)));
  EXPECT_TRUE(WaitUntil("the sheet back where it was",
                        [&] { return ::IsWindowVisible(hFloating) && ScreenRect(hFloating) == sheet; }));
  EXPECT_TRUE(ShearLinkOnScreen());
  SaveScreenshot(ScreenRect(m_app.Frame()), "e2e_floating_sheet_after_tray_capture.bmp");
}

// Open Application, a double click on the icon in the tray window, brings the frame back with the
// floating sheet shown over it on the screen, as a floating frame of its own and not over every
// window.
TEST_F(FloatingBarsTest, OpenApplicationFromTheTrayShowsTheFloatingSheetOverTheFrame) {
  HWND hFloating = NULL;
  ASSERT_NO_FATAL_FAILURE(FloatSheetWithTheFrameInTheTray(hFloating));
  ASSERT_TRUE(DoubleClickShownIcon());
  ASSERT_TRUE(WaitUntil("the frame back and active", [&] {
    return ::IsWindowVisible(m_app.Frame()) && ::GetForegroundWindow() == m_app.Frame();
  }));
  EXPECT_TRUE(ShearLinkOnScreen());
  // Topmost only while it passes the windows above the frame.
  EXPECT_TRUE(WaitUntil("the floating sheet not topmost",
                        [&] { return (::GetWindowLongA(hFloating, GWL_EXSTYLE) & WS_EX_TOPMOST) == 0; }));
  SaveScreenshot(ScreenRect(m_app.Frame()), "e2e_floating_sheet_after_open_application.bmp");
}

// The floating sheet stays above its frame after an open ends in the message that the file is no
// picture (an empty file): the Open button of the large tool bar clicked, the pointer left resting
// on it, whose tip shows again over the frame once the message has gone. The sheet shows where it
// floats.
TEST_F(FloatingBarsTest, TheFloatingSheetStaysAboveItsFrameAfterAFileThatIsNoPicture) {
  const std::string name = "e2e_floating_empty.png", path = TempPath(name);
  const HANDLE hEmpty = ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
  ASSERT_NE(INVALID_HANDLE_VALUE, hEmpty);
  ::CloseHandle(hEmpty);
  ASSERT_TRUE(m_app.Start());
  ASSERT_NO_FATAL_FAILURE(CaptureFromMenu(kArea));
  const HWND hFloating = FloatTaskSheet(m_app.PictureOrigin() + CPoint(150, 60));
  ASSERT_NE(nullptr, hFloating);
  // The large tool bar's second button: New, then Open, each 45 pixels along after the gripper.
  HWND hLarge = NULL;
  for (HWND hBar : m_app.Descendants(AFX_IDW_TOOLBAR))
    if (::IsWindowVisible(hBar) && (hLarge == NULL || ScreenRect(hBar).Width() > ScreenRect(hLarge).Width()))
      hLarge = hBar;
  ASSERT_NE(nullptr, hLarge);
  const CRect large = ScreenRect(hLarge);
  SendXSteps(At("C", CPoint(large.left + 88, large.CenterPoint().y)), m_app.Frame());
  ASSERT_NO_FATAL_FAILURE(TypeIntoFileDialog(path, "Open"));
  const HWND hMessage = m_app.WaitForDialog(name + ": The file could not be opened as a picture.");
  ASSERT_NE(nullptr, hMessage) << "no message";
  // The user reads the message while the tip of the button under the pointer comes up. The tip
  // shows on the pointer move the window system makes when the file dialog goes; on a loaded
  // machine that move can come after the message has disabled the frame, and no tip shows: the
  // sheet must stay above its frame either way, and the results say which road was taken.
  const bool bTip = WaitUntil("the button's tip", [&] {
    return m_app.TopWindow([&](HWND hWnd) {
      return hWnd != hMessage && (::GetWindowLongA(hWnd, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0 &&
             ScreenRect(hWnd).top >= large.bottom;
    }) != NULL;
  });
  RecordProperty("tip_over_the_message", bTip ? "shown" : "not shown");
  ASSERT_TRUE(GetsXKeys(hMessage, "the message"));
  ASSERT_TRUE(XKeys("Return"));
  ASSERT_TRUE(WaitUntil("the message to go", [&] { return !::IsWindow(hMessage); }));
  EXPECT_TRUE(ShearLinkOnScreen());
  SaveScreenshot(ScreenRect(m_app.Frame()), "e2e_floating_sheet_after_no_picture.bmp");
  ::DeleteFileA(path.c_str());
}

class SheetPlaceTest : public FloatingBarsTest, public ::testing::WithParamInterface<bool> {};

// A double click into a page's box selects its number and the digits typed then replace it, with
// the sheet docked and floating alike: the keyboard stays in the box.
TEST_P(SheetPlaceTest, ADoubleClickIntoAPageBoxSelectsItsNumberForTyping) {
  const bool bFloating = GetParam();
  ASSERT_TRUE(m_app.Start());
  ASSERT_NO_FATAL_FAILURE(CaptureFromMenu(kArea));
  if (bFloating)
    ASSERT_NE(nullptr, FloatTaskSheet(m_app.PictureOrigin() + CPoint(150, 60)));
  const HWND hWidth = OpenResizeImage();
  ASSERT_NE(nullptr, hWidth);
  ASSERT_EQ(std::to_string(kArea.Width()), m_app.Text(hWidth));
  XDoubleClick(Into(hWidth), hWidth);
  ASSERT_TRUE(HasXKeyboard(::GetAncestor(hWidth, GA_ROOT), "the sheet"));
  ASSERT_TRUE(XType("64"));
  EXPECT_TRUE(WaitUntil("the typed width in the box", [&] { return m_app.Text(hWidth) == "64"; }))
      << "the box holds \"" << m_app.Text(hWidth) << "\"; the focus is on "
      << DescribeWindow(GuiState(hWidth).hwndFocus);
}

INSTANTIATE_TEST_SUITE_P(Sheet, SheetPlaceTest, ::testing::Values(false, true),
                         [](const ::testing::TestParamInfo<bool>& info) {
                           return info.param ? "Floating" : "Docked";
                         });

// How the user docks the floating sheet back: a double click on its caption, or a drag of the
// caption onto the frame's right edge.
enum class DockBack { DoubleClick, DragToRightEdge };

class SheetDockBackTest : public FloatingBarsTest, public ::testing::WithParamInterface<DockBack> {};

// The floating sheet docks back at the frame's right side, where it was, and shows its page there.
TEST_P(SheetDockBackTest, DocksTheFloatingSheetBackAtTheRight) {
  ASSERT_TRUE(m_app.Start());
  const HWND hBar = m_app.TaskSheetBar();
  ASSERT_NE(nullptr, hBar);
  const CRect docked = ScreenRect(hBar);
  const HWND hFloating = FloatTaskSheet(ScreenRect(m_app.MdiClient()).CenterPoint() - CPoint(150, 100));
  ASSERT_NE(nullptr, hFloating);
  const CRect floating = ScreenRect(hFloating);
  const CPoint caption(floating.left + 30, floating.top + 8);
  if (GetParam() == DockBack::DoubleClick) {
    XDoubleClick(caption, hFloating);
  } else {
    // Just inside the frame's right border, beside the picture's area.
    CRect client;
    ::GetClientRect(m_app.Frame(), &client);
    ::MapWindowPoints(m_app.Frame(), NULL, reinterpret_cast<POINT*>(&client), 2);
    const CPoint edge(client.right - 3, ScreenRect(m_app.MdiClient()).CenterPoint().y);
    SendXSteps(At("P", caption) + At("M", caption + CPoint(10, 10)) + At("M", edge) + At("R", edge),
               m_app.Frame());
  }
  ASSERT_TRUE(
      WaitUntil("the sheet docked and shown",
                [&] { return ::GetAncestor(hBar, GA_ROOT) == m_app.Frame() && ::IsWindowVisible(hBar); }))
      << "the sheet is in " << DescribeWindow(::GetAncestor(hBar, GA_ROOT));
  SyncInput(m_app.Frame());
  EXPECT_EQ(AFX_IDW_DOCKBAR_RIGHT, ::GetDlgCtrlID(::GetParent(hBar)))
      << "docked in " << DescribeWindow(::GetParent(hBar));
  EXPECT_TRUE(WaitUntil("the sheet where it was", [&] { return ScreenRect(hBar) == docked; }))
      << ToString(ScreenRect(hBar)) << ", not " << ToString(docked);
  EXPECT_TRUE(ShearLinkOnScreen()) << "the sheet shows no page";
  SaveScreenshot(ScreenRect(m_app.Frame()), GetParam() == DockBack::DoubleClick
                                                ? "e2e_floating_sheet_docked_by_double_click.bmp"
                                                : "e2e_floating_sheet_docked_by_drag.bmp");
}

INSTANTIATE_TEST_SUITE_P(Sheet, SheetDockBackTest,
                         ::testing::Values(DockBack::DoubleClick, DockBack::DragToRightEdge),
                         [](const ::testing::TestParamInfo<DockBack>& info) {
                           return info.param == DockBack::DoubleClick ? "DoubleClick" : "DragToRightEdge";
                         });

// A tool bar of the frame and where its gripper is grabbed.
enum class ToolBar { ToolsPanel, LargeToolbar };
void PrintTo(ToolBar bar, std::ostream* os) {
  *os << (bar == ToolBar::ToolsPanel ? "ToolsPanel" : "LargeToolbar");
}

class CaptionDoubleClickTest : public FloatingBarsTest, public ::testing::WithParamInterface<ToolBar> {
protected:
  // The bar as it is docked at start: the tools panel, or the wider of the two tool bars shown.
  HWND DockedBar() const {
    if (GetParam() == ToolBar::ToolsPanel) {
      const std::vector<HWND> panels = m_app.Descendants(ID_VIEW_TOOLS_PANEL);
      return panels.empty() ? NULL : panels[0];
    }
    HWND hWidest = NULL;
    for (HWND hBar : m_app.Descendants(AFX_IDW_TOOLBAR))
      if (::IsWindowVisible(hBar) &&
          (hWidest == NULL || ScreenRect(hBar).Width() > ScreenRect(hWidest).Width()))
        hWidest = hBar;
    return hWidest;
  }
  // The gripper: along the top of the panel docked on the left, at the left end of the tool bar.
  CPoint Gripper(const CRect& bar) const {
    return GetParam() == ToolBar::ToolsPanel ? CPoint(bar.CenterPoint().x, bar.top + 6)
                                             : CPoint(bar.left + 5, bar.CenterPoint().y);
  }
};

// A tool bar dragged off its dock by its gripper floats; a double click on its floating frame's
// caption docks it back where it was, at its size, shown, and the picture's area keeps its size.
TEST_P(CaptionDoubleClickTest, DocksTheFloatingBarBackWhereItWas) {
  ASSERT_TRUE(m_app.Start());
  const HWND hBar = DockedBar();
  ASSERT_TRUE(hBar != NULL && ::IsWindowVisible(hBar));
  const HWND hDock = ::GetParent(hBar);
  const CRect docked = ScreenRect(hBar), mdi = ScreenRect(m_app.MdiClient());
  const CPoint grip = Gripper(docked), drop = mdi.CenterPoint();
  // The first step goes across the bar's row, which starts the drag without moving the bar along
  // the row (that would move its place too); the next takes it into the picture's area.
  const CPoint across = GetParam() == ToolBar::ToolsPanel ? CPoint(10, 0) : CPoint(0, 10);
  SendXSteps(At("P", grip) + At("M", grip + across) + At("M", drop) + At("R", drop), m_app.Frame());
  HWND hFloating = NULL;
  ASSERT_TRUE(WaitUntil("the bar floating in a window the frame owns", [&] {
    hFloating = ::GetAncestor(hBar, GA_ROOT);
    return hFloating != m_app.Frame() && ::GetWindow(hFloating, GW_OWNER) == m_app.Frame() &&
           ::IsWindowVisible(hFloating);
  }));
  const CRect floating = ScreenRect(hFloating);
  XDoubleClick(CPoint(floating.left + 30, floating.top + 8), hFloating);
  EXPECT_TRUE(
      WaitUntil("the bar docked and shown",
                [&] { return ::GetAncestor(hBar, GA_ROOT) == m_app.Frame() && ::IsWindowVisible(hBar); }))
      << "the bar is " << (::IsWindowVisible(hBar) ? "shown" : "hidden") << " in "
      << DescribeWindow(::GetParent(hBar));
  // Its place and size once the docking has run to its end, not a step on the way.
  SyncInput(m_app.Frame());
  EXPECT_EQ(hDock, ::GetParent(hBar)) << "docked into another dock bar";
  EXPECT_TRUE(WaitUntil("the bar where it was", [&] { return ScreenRect(hBar) == docked; }))
      << ToString(ScreenRect(hBar)) << ", not " << ToString(docked);
  EXPECT_TRUE(
      WaitUntil("the picture's area at its size", [&] { return ScreenRect(m_app.MdiClient()) == mdi; }))
      << ToString(ScreenRect(m_app.MdiClient())) << ", not " << ToString(mdi);
  SaveScreenshot(ScreenRect(m_app.Frame()),
                 ("e2e_floating_double_click_" +
                  std::string(GetParam() == ToolBar::ToolsPanel ? "tools_panel" : "large_toolbar") + ".bmp")
                     .c_str());
}

INSTANTIATE_TEST_SUITE_P(Bars, CaptionDoubleClickTest,
                         ::testing::Values(ToolBar::ToolsPanel, ToolBar::LargeToolbar),
                         [](const ::testing::TestParamInfo<ToolBar>& info) {
                           return info.param == ToolBar::ToolsPanel ? "ToolsPanel" : "LargeToolbar";
                         });

} // namespace
