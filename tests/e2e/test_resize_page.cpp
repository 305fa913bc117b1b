// The resize page on the running program, opened from the Image menu: sizes typed with the keys
// preview the picture, OK keeps it as one undo step, Cancel gives the picture back unrecorded, and
// a canvas too large to make leaves the picture as it was with one message.
#include "tests/e2e/e2e_support.h"

#include <gdiplus.h>

#include <string>

using namespace e2e;

namespace {

const int kTaskSheetBar = 32846;
const int kOK = 5002, kCancel = 5003;
const int kWidthEdit = 1077, kHeightEdit = 1078, kKeepAspect = 1114;
const CSize kPicture(160, 100);

COLORREF PictureColor(int x, int y) { return pattern_window::PatternColor(x, y); }
// The picture on a wider canvas: white where it grew.
COLORREF CanvasColor(int x, int y) { return x < kPicture.cx ? PictureColor(x, y) : RGB(255, 255, 255); }

class ResizePageE2e : public E2eTest {
protected:
  void SetUp() override {
    E2eTest::SetUp();
    Gdiplus::Bitmap bitmap(kPicture.cx, kPicture.cy, PixelFormat24bppRGB);
    for (int y = 0; y < kPicture.cy; y++)
      for (int x = 0; x < kPicture.cx; x++) {
        const COLORREF cr = PictureColor(x, y);
        bitmap.SetPixel(x, y, Gdiplus::Color(GetRValue(cr), GetGValue(cr), GetBValue(cr)));
      }
    m_path = SaveTempPng(bitmap, "e2e_resize.png");
    ASSERT_FALSE(m_path.empty());
    ASSERT_TRUE(m_app.Start("\"" + m_path + "\""));
    ASSERT_TRUE(m_app.WaitForDocuments(1, kPicture));
  }
  void TearDown() override {
    E2eTest::TearDown();
    ::DeleteFileA(m_path.c_str());
  }
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
  // The page opened from the Image menu by the item's letter, showing the picture's size.
  void OpenPage(char cItem) {
    ASSERT_TRUE(m_app.Menu('I', cItem));
    ASSERT_TRUE(WaitUntil("the resize page", [&] {
      return SheetItem(kWidthEdit) != NULL && m_app.Text(SheetItem(kWidthEdit)) == "160";
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

  std::string m_path;
};

// Cancel gives the picture back with nothing to undo; OK keeps the new canvas as one step that
// Undo takes back.
TEST_F(ResizePageE2e, CanvasKeptByOkAsOneStepOrGivenBackByCancel) {
  for (int nLink : {kCancel, kOK}) {
    ASSERT_NO_FATAL_FAILURE(OpenPage('N'));
    ASSERT_NO_FATAL_FAILURE(Type(kWidthEdit, "200"));
    ExpectPicture(CSize(200, 100), CanvasColor);
    CRect sheet;
    ::GetWindowRect(::GetParent(::GetParent(SheetItem(kWidthEdit))), &sheet);
    SaveScreenshot(sheet, "e2e_resize_canvas_page.bmp");
    ASSERT_NO_FATAL_FAILURE(Leave(nLink));
    if (nLink == kOK) {
      ExpectPicture(CSize(200, 100), CanvasColor);
      ASSERT_NO_FATAL_FAILURE(ExpectUndoRedo(true, false));
      ASSERT_TRUE(m_app.Menu('E', 'U'));
    }
    ExpectPicture(kPicture, PictureColor);
    ASSERT_NO_FATAL_FAILURE(ExpectUndoRedo(false, nLink == kOK));
  }
}

// With the aspect kept, the width typed sets the height; the scaled picture is kept by OK.
TEST_F(ResizePageE2e, ImageScaledWithItsAspect) {
  ASSERT_NO_FATAL_FAILURE(OpenPage('I'));
  ASSERT_NO_FATAL_FAILURE(Click(kKeepAspect));
  ASSERT_NO_FATAL_FAILURE(Type(kWidthEdit, "80"));
  ASSERT_TRUE(
      WaitUntil("the height kept in proportion", [&] { return m_app.Text(SheetItem(kHeightEdit)) == "50"; }));
  ExpectSize(CSize(80, 50));
  ASSERT_NO_FATAL_FAILURE(Leave(kOK));
  ASSERT_TRUE(m_app.Menu('E', 'U'));
  ExpectPicture(kPicture, PictureColor);
}

// Typed digit by digit, 20000 pixels is more than a canvas may have: the picture stays as the
// last size previewed, with one message, and Cancel still gives the picture back.
TEST_F(ResizePageE2e, ACanvasTooLargeLeavesThePictureWithOneMessage) {
  ASSERT_NO_FATAL_FAILURE(OpenPage('N'));
  ASSERT_NO_FATAL_FAILURE(Type(kWidthEdit, "20000"));
  ASSERT_TRUE(
      m_app.Answer("The picture cannot be made 20000 x 100 pixels: each side must be 1 to 16000 pixels "
                   "and the whole picture at most 36000000 pixels.",
                   VK_RETURN));
  EXPECT_EQ(nullptr, m_app.WaitForDialog("cannot be made", 1000));
  ExpectSize(CSize(2000, 100));
  ASSERT_NO_FATAL_FAILURE(Leave(kCancel));
  ExpectPicture(kPicture, PictureColor);
}

} // namespace
