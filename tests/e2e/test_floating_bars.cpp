// Bars floated off the frame as the user meets them: the task sheet floating while the frame sits
// in the tray, above its frame after a message, its pages taking the keyboard as they do docked,
// and the tool bars double-clicked back to their places.
#include "resources/resource.h"
#include "tests/e2e/tray_support.h"

#include <string>

using namespace e2e;

namespace {

const int kShearLink = 2011, kResizeImageLink = 4007;

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
    EXPECT_TRUE(WaitUntil("the sheet floating in a window the frame owns", [&] {
      const HWND hBar = m_app.TaskSheetBar();
      return hBar != NULL && (hFloating = ::GetAncestor(hBar, GA_ROOT)) != m_app.Frame() &&
             ::GetWindow(hFloating, GW_OWNER) == m_app.Frame();
    }));
    return hFloating;
  }
  // The sheet's window with the id once it shows; NULL when it did not come.
  HWND ShownInSheet(int nId) {
    HWND hItem = NULL;
    WaitFor([&] { return (hItem = m_app.ShownInTaskSheet(nId)) != NULL; });
    return hItem;
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
  ASSERT_TRUE(StartWithIcon());
  ASSERT_NO_FATAL_FAILURE(CaptureFromMenu(kArea));
  const HWND hFloating = FloatTaskSheet(m_app.PictureOrigin() + CPoint(150, 60));
  ASSERT_NE(nullptr, hFloating);
  ASSERT_TRUE(m_app.Menu('F', 'M'));
  // On its way the frame is hidden and shown again, and its floating frames with it.
  ASSERT_TRUE(WaitUntil("the frame in the tray and the floating sheet on the screen", [&] {
    return !::IsWindowVisible(m_app.Frame()) && ::IsWindowVisible(hFloating) &&
           ::GetAncestor(m_app.Frame(), GA_PARENT) != ::GetDesktopWindow();
  }));
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
  ASSERT_TRUE(HasXKeyboard(hAsk, "the question"));
  ASSERT_TRUE(XKeys("Escape"));
  ASSERT_TRUE(WaitUntil("the question to go", [&] { return !::IsWindow(hAsk); }));
  ASSERT_TRUE(m_app.Running());
  IconMouse(WM_LBUTTONDBLCLK);
  EXPECT_TRUE(m_app.WaitForDocuments(1, kArea.Size()));
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

} // namespace
