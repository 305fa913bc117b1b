// The task sheet's pages left every way a user leaves them while one of their controls has the
// keyboard (given with the pointer): the keys typed after (letters, digits, Alt and a letter) keep
// the program answering, with the focus in a window the user sees and the picture as it was left;
// the main page comes back with its links shown and painted.
#include "tests/e2e/e2e_support.h"

#include "resources/resource.h"

#include <algorithm>
#include <string>

using namespace e2e;

namespace {

const int kMainMenu = 5001, kOk = 5002, kCancel = 5003;
const int kFirstSlider = 5004, kFirstColor = 5012, kFirstCheck = 5015;
const int kResizeWidth = 1077;
const CSize kSize(160, 100);
const int kEdgeEffects = 2001;
const COLORREF kHeaderColor = 0xC65E12; // a group header's background

// A page and the control the user gives the keyboard to: a slider dragged, a check box clicked,
// a colour button clicked (its colour menu closed again with Esc), or a field clicked into (the
// caption typed in).
struct PageKind {
  const char* name;
  int group; // the link that shows the page's link; 0 for the main groups
  int link;
  enum Control { kSlider, kCheck, kColor, kField } control;
  int controlId;
  const char* typed; // into the field
};

void PrintTo(const PageKind& kind, std::ostream* os) { *os << kind.name; }

const PageKind kKinds[] = {
    {"SliderRows", 0, 3001, PageKind::kSlider, kFirstSlider}, // Brightness & Contrast
    {"CheckRows", 0, 3004, PageKind::kCheck, kFirstCheck},    // Invert Color
    {"ColorRows", 0, 2009, PageKind::kColor, kFirstColor},    // Border
    {"Caption", 0, 2012, PageKind::kField, IDC_CAPTION_TEXT, "Pix 42"},
    {"Resize", 0, 4007, PageKind::kField, kResizeWidth, ""},
};

// The ways out of a page: its three links, a click in the picture, and closing the sheet from the
// View menu (the last, as the sheet stays closed).
enum Way { kByOk, kByCancel, kByMainMenu, kByPictureClick, kByClosingSheet };
const char* const kWayNames[] = {"OK", "Cancel", "Main Menu", "a click in the picture", "closing the sheet"};

class SheetLeavingTest : public E2eTest, public ::testing::WithParamInterface<PageKind> {
protected:
  HWND SheetBar() const { return m_app.TaskSheetBar(); }
  HWND Shown(int nId) const { return m_app.ShownInTaskSheet(nId); }
  void Click(HWND hWnd, int x) { XClickInto(hWnd, x); }
  void ClickLink(int nId) { Click(Shown(nId), 30); }
  bool OnMainPage() const { return Shown(kOk) == NULL && Shown(kMainMenu) != NULL; }

  // From whatever the main page shows: "Main Menu", the group's link, then the page's link.
  void OpenPage(const PageKind& kind) {
    const int nFirst = kind.group != 0 ? kind.group : kind.link;
    if (Shown(nFirst) == NULL) {
      ASSERT_NO_FATAL_FAILURE(ClickLink(kMainMenu));
      ASSERT_TRUE(WaitUntil("the main groups", [&] { return Shown(nFirst) != NULL; }));
    }
    if (kind.group != 0) {
      ASSERT_NO_FATAL_FAILURE(ClickLink(kind.group));
      ASSERT_TRUE(WaitUntil("the link's group", [&] { return Shown(kind.link) != NULL; }));
    }
    ASSERT_NO_FATAL_FAILURE(ClickLink(kind.link));
    ASSERT_TRUE(WaitUntil("the page", [&] { return Shown(kOk) != NULL && Shown(kind.link) == NULL; }));
  }

  // Gives the page's control the keyboard with the pointer; the control.
  HWND FocusControl(const PageKind& kind) {
    HWND hControl = NULL;
    // An effect page shows before it lays out its rows: its controls wait in a corner, ten pixels
    // wide, until their row places them.
    EXPECT_TRUE(WaitUntil("the control placed", [&] {
      CRect rc;
      return (hControl = Shown(kind.controlId)) != NULL && ::GetWindowRect(hControl, &rc) && rc.Width() > 10;
    }));
    if (hControl == NULL)
      return NULL;
    CRect rc;
    ::GetWindowRect(hControl, &rc);
    const int y = rc.CenterPoint().y;
    switch (kind.control) {
    case PageKind::kSlider:
      SendXSteps("P" + std::to_string(rc.left + 40) + "," + std::to_string(y) + " M" +
                     std::to_string(rc.left + 70) + "," + std::to_string(y) + " R" +
                     std::to_string(rc.left + 70) + "," + std::to_string(y),
                 hControl);
      break;
    case PageKind::kCheck:
      Click(hControl, 8);
      break;
    case PageKind::kColor: {
      Click(hControl, rc.Width() / 2);
      HWND hMenu = NULL;
      EXPECT_TRUE(WaitUntil("the colour menu", [&] { return (hMenu = m_app.ShownMenu()) != NULL; }));
      WaitUntilUnfolded(hMenu);
      PressKey(VK_ESCAPE);
      EXPECT_TRUE(WaitUntil("the colour menu closed", [&] { return m_app.ShownMenu() == NULL; }));
      break;
    }
    case PageKind::kField:
      Click(hControl, 20);
      TypeText(kind.typed);
      break;
    }
    EXPECT_TRUE(
        WaitUntil("the keyboard in the control", [&] { return GuiState(hControl).hwndFocus == hControl; }));
    return hControl;
  }

  void Leave(Way way) {
    switch (way) {
    case kByOk:
    case kByCancel:
    case kByMainMenu:
      ASSERT_NO_FATAL_FAILURE(ClickLink(way == kByOk ? kOk : way == kByCancel ? kCancel : kMainMenu));
      break;
    case kByPictureClick: {
      const CPoint inside = m_app.PictureOrigin() + CPoint(kSize.cx / 2, kSize.cy / 2);
      SendXSteps("C" + std::to_string(inside.x) + "," + std::to_string(inside.y), m_app.View());
      break;
    }
    case kByClosingSheet:
      ASSERT_TRUE(m_app.Menu('V', 'A'));
      ASSERT_TRUE(WaitUntil("the sheet closed", [&] { return SheetBar() == NULL; }));
      return;
    }
    ASSERT_TRUE(WaitUntil("the main page", [&] { return OnMainPage(); }));
  }

  // The program's keyboard focus, if it has one, is in a window the user sees.
  void ExpectKeyboardSeen(const char* pszWhen) {
    const HWND hFocus = GuiState(m_app.Frame()).hwndFocus;
    EXPECT_TRUE(hFocus == NULL || ::IsWindowVisible(hFocus))
        << pszWhen << ": the keyboard is in a " << ClassOf(hFocus) << " window no one sees";
  }

  // The main page back: its three groups shown at once (the Edge Effects link first of them) and
  // painted without being asked again: their headers' colour on the screen below the link.
  void ExpectMainPageLinks(const char* pszScreenshot) {
    const HWND hLink = Shown(kMainMenu);
    ASSERT_NE(nullptr, hLink);
    const HWND hPage = ::GetParent(hLink);
    ASSERT_TRUE(WaitUntil("the main page's groups", [&] { return Shown(kEdgeEffects) != NULL; }))
        << "the main page shows only its \"Main Menu\" link";
    ASSERT_TRUE(WaitUntil("the main page painted", [&] { return Painted(hPage); }));
    CRect rc = ScreenRect(hPage);
    rc.top += 20; // below the link, where the page reaches into the screen
    rc.bottom = rc.top + 200;
    rc.right = rc.left + 150;
    Pixels px;
    EXPECT_TRUE(WaitFor([&] {
      px = ReadScreen(rc);
      return std::find(px.data.begin(), px.data.end(), kHeaderColor) != px.data.end();
    })) << "the main page's group headers are not drawn in "
        << ToString(rc) << ", which shows " << std::hex << (px.Empty() ? 0 : px.At(px.cx / 2, px.cy / 2));
    if (pszScreenshot != nullptr)
      SaveScreenshot(ScreenRect(SheetBar()), pszScreenshot);
  }
};

// Every way out of the page, each with the keyboard in the page's control: the letters, digits and
// Alt+F typed after reach the program, which opens its File menu, and the picture stays as leaving
// the page left it.
TEST_P(SheetLeavingTest, KeysAfterLeavingThePageKeepTheProgramAnswering) {
  const PageKind& kind = GetParam();
  const std::string path = SavePicturePng(std::string("e2e_leaving_") + kind.name + ".png", kSize,
                                          [](int x, int y) { return pattern_window::PatternColor(x, y); });
  ASSERT_FALSE(path.empty());
  ASSERT_TRUE(m_app.Start("\"" + path + "\""));
  ASSERT_TRUE(m_app.WaitForDocuments(1, kSize));
  for (Way way : {kByOk, kByCancel, kByMainMenu, kByPictureClick, kByClosingSheet}) {
    SCOPED_TRACE(std::string("left by ") + kWayNames[way]);
    ASSERT_NO_FATAL_FAILURE(OpenPage(kind));
    ExpectKeyboardSeen("on the page opened");
    ASSERT_NE(nullptr, FocusControl(kind));
    ASSERT_NO_FATAL_FAILURE(Leave(way));
    if (way == kByOk && kind.control == PageKind::kSlider)
      ASSERT_NO_FATAL_FAILURE(ExpectMainPageLinks("e2e_sheet_main_page_back.bmp"));
    else if (way != kByClosingSheet)
      ASSERT_NO_FATAL_FAILURE(ExpectMainPageLinks(nullptr));
    const Pixels left = Settled([&] { return m_app.ReadPicture(kSize); });

    // The keys a user types next; the mnemonic search must not get lost in the page left.
    ASSERT_TRUE(XKeys("m 1 a 7 shift+b M alt+q"));
    const HWND hFile = m_app.OpenMenu('F');
    if (hFile == NULL) {
      SaveScreenshot(ScreenRect(m_app.Frame()), "e2e_sheet_keys_unanswered.bmp");
      FAIL() << "the program did not answer Alt+F after the page was left by " << kWayNames[way];
    }
    if (way == kByOk && kind.control == PageKind::kSlider)
      SaveScreenshot(ScreenRect(m_app.Frame()), "e2e_sheet_keys_answered.bmp");
    PressKey(VK_ESCAPE);
    PressKey(VK_ESCAPE);
    ASSERT_TRUE(WaitUntil("the File menu closed", [&] { return !::IsWindowVisible(hFile); }));
    ExpectKeyboardSeen("after the keys");
    EXPECT_TRUE(m_app.PictureIs(kSize, PixelsOf(left))) << "the keys changed the picture";
  }
  ::DeleteFileA(path.c_str());
}

INSTANTIATE_TEST_SUITE_P(TaskSheetPages, SheetLeavingTest, ::testing::ValuesIn(kKinds),
                         [](const ::testing::TestParamInfo<PageKind>& info) { return info.param.name; });

} // namespace
