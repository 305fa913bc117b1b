// The capture hot key pressed while a modal dialog holds the program's frame, through the X server
// as the user presses it (it reaches a Wine program while one of Wine's windows has the X
// keyboard): the tip of the day, which asks for the key, gives way to the capture; behind any
// other dialog the press waits until the dialog has closed.
#include "tests/e2e/e2e_support.h"

#include <string>

using namespace e2e;

namespace {

using HotKeyTest = E2eTest;

const char kMarking[] = "P100,100 R300,200"; // kArea

// A second press on the capture screen, whose modal loop holds the frame too, is the capture under
// way: the frame comes back after it with the keys in the new picture.
TEST_F(HotKeyTest, ClosesTheTipOfTheDayAndCaptures) {
  HWND hTip = NULL;
  ASSERT_TRUE(m_app.StartWithTip(hTip));
  ASSERT_TRUE(m_app.Activate(hTip));
  ASSERT_TRUE(HasXKeyboard(hTip, "the tip of the day"));
  XMoveMouse(kArea.left, kArea.top); // where the marking starts, before the capture screen shows
  ASSERT_TRUE(XKeys("ctrl+q"));
  ASSERT_TRUE(WaitUntil("the tip to close", [&] { return !::IsWindow(hTip); }));
  const HWND hOverlay = m_app.WaitForOverlayShown();
  ASSERT_NE(nullptr, hOverlay) << "no capture screen";
  ASSERT_TRUE(IsActiveWindow(hOverlay, "the capture screen"));
  ASSERT_TRUE(XKeys("ctrl+q"));
  SendXSteps(kMarking, hOverlay);
  ASSERT_TRUE(m_app.WaitForDocuments(1, kArea.Size()));
  EXPECT_TRUE(m_app.PictureIs(kArea.Size(), PatternOf(kArea)));
  EXPECT_TRUE(m_app.KeyboardInView());
}

// The press in File, Open's name box, and a letter after it: the letter shows once the program has
// taken the press, with the dialog still open and no capture.
TEST_F(HotKeyTest, WaitsBehindAnotherDialogAndCapturesWhenItCloses) {
  ASSERT_TRUE(m_app.Start());
  ASSERT_TRUE(m_app.Menu('F', 'O'));
  const HWND hOpen = m_app.WaitForDialog("Open");
  ASSERT_NE(nullptr, hOpen);
  ASSERT_TRUE(m_app.Activate(hOpen));
  ASSERT_TRUE(GetsXKeys(hOpen, "the Open dialog"));
  ASSERT_TRUE(XKeys("ctrl+q x"));
  ASSERT_TRUE(WaitUntil("the letter after the key in the name box",
                        [&] { return m_app.Text(GuiState(hOpen).hwndFocus) == "x"; }));
  EXPECT_TRUE(::IsWindowVisible(hOpen));
  EXPECT_TRUE(::IsWindowVisible(m_app.Frame())) << "the capture did not wait for the dialog";
  ASSERT_TRUE(XKeys("Escape"));
  ASSERT_TRUE(WaitUntil("the Open dialog to close", [&] { return !::IsWindow(hOpen); }));
  ASSERT_TRUE(m_app.MarkAsUser(kMarking)) << "the press made no capture once the dialog closed";
  ASSERT_TRUE(m_app.WaitForDocuments(1, kArea.Size()));
  EXPECT_TRUE(m_app.PictureIs(kArea.Size(), PatternOf(kArea)));
}

} // namespace
