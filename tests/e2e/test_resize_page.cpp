// The resize page on the running program, opened from the Image menu: a width typed with the keys
// previews the canvas, OK keeps it as one undo step, Cancel gives the picture back unrecorded, and
// a canvas too large to make leaves the picture as it was with one message.
#include "tests/e2e/e2e_support.h"

#include <string>

using namespace e2e;

namespace {

const int kTaskSheetBar = 32846;
const int kOK = 5002, kCancel = 5003;
const int kWidthEdit = 1077;

class ResizePageE2e : public E2eTest {
protected:
  void SetUp() override {
    E2eTest::SetUp();
    ASSERT_TRUE(m_app.Start());
    ASSERT_NO_FATAL_FAILURE(CaptureFromMenu(kArea));
  }
  const CSize kPicture = kArea.Size();
  const Expected kCaptured = PatternOf(kArea);
  // The picture on a wider canvas: white where it grew.
  const Expected kCanvas = [this](int x, int y) {
    return x < kPicture.cx ? kCaptured(x, y) : RGB(255, 255, 255);
  };

  // The shown window of the task sheet with the id: its pages share ids.
  HWND SheetItem(int nId) const {
    for (HWND hBar : m_app.Descendants(kTaskSheetBar))
      for (HWND hItem : m_app.Descendants(nId))
        if (::IsWindowVisible(hBar) && ::IsChild(hBar, hItem) && ::IsWindowVisible(hItem))
          return hItem;
    return NULL;
  }
  void Click(int nId) {
    const HWND hItem = SheetItem(nId);
    ASSERT_NE(nullptr, hItem) << nId;
    CRect rc;
    ::GetWindowRect(hItem, &rc);
    SendXSteps("C" + std::to_string(rc.left + 8) + "," + std::to_string(rc.CenterPoint().y), hItem);
  }
  // A link that ends the edit: the main page comes back before the next input (the click travels
  // through the X server, keys do not).
  void Leave(int nLinkId) {
    ASSERT_NO_FATAL_FAILURE(Click(nLinkId));
    ASSERT_TRUE(WaitUntil("the main page", [&] { return SheetItem(kWidthEdit) == NULL; }));
  }
  // The page opened from the Image menu's "Resize Canvas...", showing the picture's size.
  void OpenPage() {
    ASSERT_TRUE(m_app.Menu('I', 'N'));
    ASSERT_TRUE(WaitUntil("the resize page", [&] {
      return SheetItem(kWidthEdit) != NULL && m_app.Text(SheetItem(kWidthEdit)) == "200";
    }));
  }
  // Types over the field's whole text.
  void Type(int nEditId, const std::string& text) {
    ASSERT_NO_FATAL_FAILURE(Click(nEditId));
    PressKey(VK_END);
    PressKey(VK_HOME, MOD_SHIFT);
    TypeText(text);
  }
  // The picture's size as the view reports it when the pointer moves over it.
  void ExpectSize(CSize size) {
    const CPoint inside = m_app.PictureOrigin() + CPoint(20, 20);
    XMoveMouse(inside.x, inside.y);
    EXPECT_TRUE(m_app.WaitForDocuments(1, size));
  }
  void ExpectPicture(CSize size, const Expected& expected) {
    EXPECT_TRUE(m_app.PictureIs(size, expected));
    ExpectSize(size);
  }
};

// Cancel gives the picture back with nothing to undo; OK keeps the new canvas as one step that
// Undo takes back.
TEST_F(ResizePageE2e, CanvasKeptByOkAsOneStepOrGivenBackByCancel) {
  for (int nLink : {kCancel, kOK}) {
    ASSERT_NO_FATAL_FAILURE(OpenPage());
    ASSERT_NO_FATAL_FAILURE(Type(kWidthEdit, "260"));
    ExpectPicture(CSize(260, 100), kCanvas);
    CRect sheet;
    ::GetWindowRect(::GetParent(::GetParent(SheetItem(kWidthEdit))), &sheet);
    SaveScreenshot(sheet, "e2e_resize_canvas_page.bmp");
    ASSERT_NO_FATAL_FAILURE(Leave(nLink));
    if (nLink == kOK) {
      ExpectPicture(CSize(260, 100), kCanvas);
      ASSERT_NO_FATAL_FAILURE(ExpectUndoRedo(true, false));
      ASSERT_TRUE(m_app.Menu('E', 'U'));
    }
    ExpectPicture(kPicture, kCaptured);
    ASSERT_NO_FATAL_FAILURE(ExpectUndoRedo(false, nLink == kOK));
  }
}

// Typed digit by digit, 20000 pixels is more than a canvas may have: the picture stays as the
// last size previewed, with one message, and Cancel still gives the picture back.
TEST_F(ResizePageE2e, ACanvasTooLargeLeavesThePictureWithOneMessage) {
  ASSERT_NO_FATAL_FAILURE(OpenPage());
  ASSERT_NO_FATAL_FAILURE(Type(kWidthEdit, "20000"));
  ASSERT_TRUE(
      m_app.Answer("The picture cannot be made 20000 x 100 pixels: each side must be 1 to 16000 pixels "
                   "and the whole picture at most 36000000 pixels.",
                   VK_RETURN));
  EXPECT_EQ(nullptr, m_app.WaitForDialog("cannot be made", 1000));
  ExpectSize(CSize(2000, 100));
  ASSERT_NO_FATAL_FAILURE(Leave(kCancel));
  ExpectPicture(kPicture, kCaptured);
}

} // namespace
