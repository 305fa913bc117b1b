// The themed frame under the user's hands: keys through the menu bar and the accelerators, the
// capture button's body and arrow, the chevron of a tool bar cut short, and the status panes that
// follow the pointer over a picture.
#include "framework/wnd/fw_ids.h"
#include "resources/resource.h"
#include "tests/e2e/e2e_support.h"

#include <algorithm>
#include <cctype>
#include <functional>
#include <string>

using namespace e2e;

namespace {

std::string Point(CPoint pt) { return std::to_string(pt.x) + "," + std::to_string(pt.y); }

class FrameInputTest : public E2eTest {
protected:
  // The visible tool bars, left to right: the capture bar, then the large one.
  std::vector<HWND> ToolBars() const {
    std::vector<HWND> bars;
    for (HWND hBar : m_app.Descendants(AFX_IDW_TOOLBAR))
      if (::IsWindowVisible(hBar))
        bars.push_back(hBar);
    std::sort(bars.begin(), bars.end(),
              [](HWND a, HWND b) { return ScreenRect(a).left < ScreenRect(b).left; });
    return bars;
  }
  // Escape ends a capture that a test started only to see it start; the frame comes back.
  void CancelCapture() {
    HWND hOverlay = m_app.WaitForOverlay();
    ASSERT_NE(nullptr, hOverlay) << "no capture started";
    PressKey(VK_ESCAPE);
    ASSERT_TRUE(WaitUntil("the frame back",
                          [&] { return !::IsWindow(hOverlay) && ::IsWindowVisible(m_app.Frame()); }));
  }
  // Clicks a screen point of the program's window with the X pointer.
  void Click(CPoint pt) { SendXSteps("C" + Point(pt), m_app.Frame()); }
};

// --- keys -------------------------------------------------------------------------------------

enum class Effect { CaptureStarts, NewDocument, OpenDialog };

struct KeyRoad {
  const char* name;
  bool bTipOff;    // a start of a program that ran before, with the tip of the day turned off
  bool bFromSheet; // the keyboard focus in a box of the task sheet
  char cPopup;     // Alt and this letter, then cItem; or, without, the accelerator
  char cItem;
  WORD wVk;
  UINT nMods;
  Effect effect;
};
void PrintTo(const KeyRoad& road, std::ostream* os) { *os << road.name; }

class MenuKeysTest : public FrameInputTest, public ::testing::WithParamInterface<KeyRoad> {
protected:
  // Opens the task sheet's resize page from its main page and clicks into the width box.
  void FocusTaskSheetBox() {
    HWND hSheet = ::FindWindowExA(m_app.Descendants(ID_VIEW_TASK_SHEET)[0], NULL, "#32770", NULL);
    ASSERT_NE(nullptr, hSheet);
    HWND hPage = ::FindWindowExA(hSheet, NULL, "#32770", NULL);
    ASSERT_NE(nullptr, hPage);
    // "Resize Image", the second link of the Geometry group.
    const CRect page = ScreenRect(hPage);
    Click(CPoint(page.left + 40, page.top + 370));
    HWND hWidth = NULL;
    ASSERT_TRUE(WaitUntil("the width box", [&] {
      for (HWND h = ::GetWindow(hSheet, GW_CHILD); h != NULL; h = ::GetWindow(h, GW_HWNDNEXT))
        if (::IsWindowVisible(h) && ::IsWindowVisible(::GetDlgItem(h, IDC_RESIZE_WIDTH)))
          hWidth = ::GetDlgItem(h, IDC_RESIZE_WIDTH);
      return hWidth != NULL;
    }));
    Click(ScreenRect(hWidth).CenterPoint());
    ASSERT_TRUE(
        WaitUntil("the focus in the width box", [&] { return GuiState(hWidth).hwndFocus == hWidth; }));
  }
};

// The menu bar's keys and the accelerators run their commands, the menu bar's also while the focus
// is in a box of the task sheet.
TEST_P(MenuKeysTest, RunTheirCommand) {
  const KeyRoad& road = GetParam();
  if (road.bTipOff) {
    WriteOption("EnableHotkey", 1);
    WriteOption("ShowTip", 0);
  }
  ASSERT_TRUE(m_app.Start());
  if (road.bFromSheet) {
    ASSERT_NO_FATAL_FAILURE(CaptureFromMenu(kArea)); // the sheet's pages want a picture
    ASSERT_NO_FATAL_FAILURE(FocusTaskSheetBox());
  }
  const size_t nDocuments = m_app.Documents().size();
  if (road.cPopup != 0) {
    ASSERT_TRUE(m_app.Menu(road.cPopup, road.cItem));
  } else {
    // Accelerators go through the window with the keyboard focus: the frame's, not the sheet's.
    ASSERT_TRUE(m_app.Activate());
    const HWND hFrame = m_app.Frame(), hSheetBar = m_app.Descendants(ID_VIEW_TASK_SHEET)[0];
    HWND hFocus = NULL;
    ASSERT_TRUE(WaitUntil("the keyboard focus in the frame, outside the task sheet", [&] {
      SyncInput(hFrame);
      hFocus = GuiState(hFrame).hwndFocus;
      return (hFocus == hFrame || ::IsChild(hFrame, hFocus)) && !::IsChild(hSheetBar, hFocus);
    }));
    PressKey(road.wVk, road.nMods);
  }
  switch (road.effect) {
  case Effect::CaptureStarts:
    ASSERT_NO_FATAL_FAILURE(CancelCapture());
    break;
  case Effect::NewDocument:
    EXPECT_TRUE(m_app.WaitForDocuments(nDocuments + 1));
    break;
  case Effect::OpenDialog: {
    HWND hDialog = m_app.WaitForDialog("Open");
    ASSERT_NE(nullptr, hDialog) << "no Open dialog";
    ASSERT_TRUE(m_app.Activate(hDialog));
    PressKey(VK_ESCAPE);
    EXPECT_TRUE(WaitUntil("the Open dialog to close", [&] { return !::IsWindow(hDialog); }));
    break;
  }
  }
}

const KeyRoad kKeyRoads[] = {{"CaptureMenu", false, false, 'C', 'R', 0, 0, Effect::CaptureStarts},
                             {"CaptureMenuFromTaskSheet", false, true, 'C', 'R', 0, 0, Effect::CaptureStarts},
                             {"FileMenuFromTaskSheet", false, true, 'F', 'O', 0, 0, Effect::OpenDialog},
                             {"CtrlR", false, false, 0, 0, 'R', MOD_CONTROL, Effect::CaptureStarts},
                             {"CtrlN", false, false, 0, 0, 'N', MOD_CONTROL, Effect::NewDocument},
                             {"CtrlNWithoutTip", true, false, 0, 0, 'N', MOD_CONTROL, Effect::NewDocument},
                             {"CtrlOWithoutTip", true, false, 0, 0, 'O', MOD_CONTROL, Effect::OpenDialog}};
INSTANTIATE_TEST_SUITE_P(Keys, MenuKeysTest, ::testing::ValuesIn(kKeyRoads),
                         [](const ::testing::TestParamInfo<KeyRoad>& info) { return info.param.name; });

// Shows a small window of this test under the resting pointer and takes it away again. The window
// system then reports a move at the pointer's unchanged place to the window beneath, as it does
// when the menu a key closed goes from under the pointer.
void UncoverRestingPointer(CPoint pt) {
  static const char* const s_pszClass = [] {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = ::DefWindowProcA;
    wc.hInstance = ::GetModuleHandleA(NULL);
    wc.hbrBackground = static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH));
    wc.lpszClassName = "PixE2eCover";
    ::RegisterClassA(&wc);
    return wc.lpszClassName;
  }();
  const CRect rc(pt.x - 2, pt.y - 2, pt.x + 3, pt.y + 3);
  const HWND hCover =
      ::CreateWindowExA(WS_EX_TOPMOST | WS_EX_NOACTIVATE | WS_EX_TOOLWINDOW, s_pszClass, "", WS_POPUP,
                        rc.left, rc.top, rc.Width(), rc.Height(), NULL, NULL, ::GetModuleHandleA(NULL), NULL);
  ASSERT_NE(nullptr, hCover);
  ::ShowWindow(hCover, SW_SHOWNOACTIVATE);
  const bool bShown = WaitFor([&] {
    const Pixels px = ReadScreen(rc);
    return std::all_of(px.data.begin(), px.data.end(), [](COLORREF cr) { return cr == RGB(0, 0, 0); });
  });
  ::DestroyWindow(hCover);
  ASSERT_TRUE(bShown) << "the cover did not show";
}

// A key wins over a pointer that has not moved: File opened by a click, with the pointer left
// resting on it, gives way to Edit on Right, and Edit stays open when the window system reports
// the resting pointer again.
TEST_F(FrameInputTest, RightLeavesTheMenuUnderARestingPointer) {
  ASSERT_TRUE(m_app.Start());
  const HWND hBar = m_app.Descendants(ID_VIEW_MENUBAR).at(0);
  BarInk titles;
  ASSERT_TRUE(
      WaitUntil("the main menus", [&] { return (titles = ReadBarInk(hBar, true)).lead.size() == 6; }));
  const InkRun file = titles.lead[0], edit = titles.lead[1];
  const CPoint pt((file.left + file.right) / 2, ScreenRect(hBar).CenterPoint().y);
  ASSERT_NE(nullptr, m_app.ClickForMenu(pt)) << "a click on File opened no menu";
  // Each menu joins its title: a popup's left edge lies before the title's text, after the last.
  auto under = [&](const InkRun& title, const InkRun& before) {
    const HWND hShown = m_app.ShownMenu();
    return hShown != NULL && ScreenRect(hShown).left > before.right && ScreenRect(hShown).left <= title.left;
  };
  ASSERT_TRUE(under(file, InkRun{0, ScreenRect(hBar).left, false})) << "the menu is not File's";
  PressKey(VK_RIGHT);
  ASSERT_TRUE(WaitUntil("Edit's menu", [&] { return under(edit, file); }));
  ASSERT_NO_FATAL_FAILURE(UncoverRestingPointer(pt));
  SyncInput(m_app.Frame());
  // The bar and its menus once they stand still.
  const CRect area(ScreenRect(hBar).TopLeft(), ScreenRect(hBar).TopLeft() + CSize(400, 200));
  Settled([&] { return ReadScreen(area); }, 300);
  EXPECT_TRUE(under(edit, file)) << "the menu open is not Edit's: "
                                 << ToString(ScreenRect(m_app.ShownMenu()));
  SaveScreenshot(area, "e2e_menu_right_resting_pointer.bmp");
}

// --- the capture button -----------------------------------------------------------------------

struct ButtonRoad {
  const char* name;
  bool bDocumentFirst; // a capture open before
  char cItem;          // a click on the arrow and this item's letter; 0: a click on the body
  const char* steps;   // the marking on the overlay; none for a mode that needs none
  CSize size;          // of the new document
};
void PrintTo(const ButtonRoad& road, std::ostream* os) { *os << road.name; }

class CaptureButtonTest : public FrameInputTest, public ::testing::WithParamInterface<ButtonRoad> {};

// A click on the button's body captures a rectangle; a click on its arrow opens the capture modes
// (Escape closes them, and the arrow opens them again), and the mode picked there captures.
TEST_P(CaptureButtonTest, CapturesInTheModeChosen) {
  const ButtonRoad& road = GetParam();
  ASSERT_TRUE(m_app.Start());
  if (road.bDocumentFirst)
    ASSERT_NO_FATAL_FAILURE(CaptureFromMenu(kArea));
  const size_t nDocuments = m_app.Documents().size();
  const std::vector<HWND> bars = ToolBars();
  ASSERT_EQ(2u, bars.size());
  const CPoint arrow = DropDownArrow(ScreenRect(bars[0]));
  ASSERT_GE(arrow.x, 0) << "no drop-down arrow on the capture bar";
  if (road.cItem == 0) {
    Click(arrow - CPoint(40, 0));
  } else {
    HWND hMenu = m_app.ClickForMenu(arrow);
    ASSERT_NE(nullptr, hMenu) << "the arrow opened no menu";
    SaveScreenshot(ScreenRect(hMenu), "e2e_capture_dropdown.bmp");
    PressKey(VK_ESCAPE);
    ASSERT_TRUE(WaitUntil("the menu to close", [&] { return m_app.ShownMenu() == NULL; }));
    ASSERT_NE(nullptr, m_app.ClickForMenu(arrow)) << "the arrow opened no menu the second time";
    PressKey(road.cItem);
  }
  if (*road.steps)
    ASSERT_TRUE(m_app.Mark(road.steps));
  ASSERT_TRUE(m_app.WaitForDocuments(nDocuments + 1, road.size));
  EXPECT_TRUE(m_app.KeyboardInView());
}

const ButtonRoad kButtonRoads[] = {
    {"Body", false, 0, "P100,100 R300,200", CSize(200, 100)},
    {"ArrowFullScreen", false, 'F', "", CSize(1280, 1024)},
    {"ArrowCircleWithADocument", true, 'C', "P400,300 R600,500", CSize(200, 200)}};
INSTANTIATE_TEST_SUITE_P(Roads, CaptureButtonTest, ::testing::ValuesIn(kButtonRoads),
                         [](const ::testing::TestParamInfo<ButtonRoad>& info) { return info.param.name; });

// --- the keys after a capture -----------------------------------------------------------------

struct KeyCapture {
  const char* name;
  const char* keys;  // through the X server; none: the capture hot key of the options
  const char* steps; // the marking on the overlay; none for a mode that needs none
  CSize size;        // of the new document
};
void PrintTo(const KeyCapture& c, std::ostream* os) { *os << c.name; }

class KeyCaptureTest : public FrameInputTest, public ::testing::WithParamInterface<KeyCapture> {};

// A capture by a key, and at once Ctrl+S with no click between: the frame has come back as the
// active window with the keyboard in the new document, though hiding it gave the activation to the
// window Wine shows the notification area in; Save As opens.
TEST_P(KeyCaptureTest, CtrlSAtOnceAfterwardsOpensSaveAs) {
  const KeyCapture& c = GetParam();
  ASSERT_TRUE(m_app.Start());
  std::string keys = c.keys;
  if (keys.empty()) {
    DWORD dwKey = 0, dwMods = 0;
    ASSERT_TRUE(ReadOption("HotkeyKey", dwKey) && ReadOption("HotkeyCtrlShftAlt", dwMods));
    keys = std::string(dwMods & MOD_CONTROL ? "ctrl+" : "") + (dwMods & MOD_SHIFT ? "shift+" : "") +
           (dwMods & MOD_ALT ? "alt+" : "") + (char)std::tolower((int)dwKey);
  }
  // The user clicks into the program and presses the keys.
  Click(ScreenRect(m_app.MdiClient()).CenterPoint());
  ASSERT_TRUE(XKeys(keys));
  if (*c.steps)
    ASSERT_TRUE(m_app.Mark(c.steps));
  ASSERT_TRUE(m_app.WaitForDocuments(1, c.size));
  EXPECT_TRUE(m_app.KeyboardInView((std::string("e2e_save_as_after_") + c.name + ".bmp").c_str()));
}

const KeyCapture kKeyCaptures[] = {{"CtrlF", "ctrl+f", "", CSize(1280, 1024)},
                                   {"HotKey", "", "P100,100 R300,200", CSize(200, 100)}};
INSTANTIATE_TEST_SUITE_P(Keys, KeyCaptureTest, ::testing::ValuesIn(kKeyCaptures),
                         [](const ::testing::TestParamInfo<KeyCapture>& info) { return info.param.name; });

// --- the chevron ------------------------------------------------------------------------------

// A point of the first coloured picture in a menu: without a document only Open of the buttons cut
// off the large bar is enabled, and disabled pictures are grey. The shadow along the menu's right
// and bottom edges shows the screen beneath, darkened: it is left out.
CPoint FirstColouredPixel(HWND hMenu) {
  const CRect rc = ScreenRect(hMenu);
  const Pixels px = ReadScreen(rc);
  const int kShadow = 8;
  for (int y = 0; y < px.cy - kShadow; y++)
    for (int x = 0; x < px.cx - kShadow; x++) {
      const COLORREF cr = px.At(x, y);
      const int r = GetRValue(cr), g = GetGValue(cr), b = GetBValue(cr);
      if (std::max({r, g, b}) - std::min({r, g, b}) > 60)
        return rc.TopLeft() + CPoint(x, y);
    }
  return CPoint(-1, -1);
}

// A frame too narrow for the large bar shows the bar's chevron; a click on it opens the menu of
// the buttons cut off, Escape closes it, and Open picked there runs the command.
TEST_F(FrameInputTest, ChevronListsTheButtonsThatDoNotFit) {
  ASSERT_TRUE(m_app.Start());
  const CRect frame = ScreenRect(m_app.Frame());
  const int cxNarrow = 260; // the capture bar and the large bar's first button
  ::SetWindowPos(m_app.Frame(), NULL, 0, 0, cxNarrow, frame.Height(), SWP_NOMOVE | SWP_NOZORDER);
  std::vector<HWND> bars;
  ASSERT_TRUE(WaitUntil("the narrowed frame laid out", [&] {
    return ScreenRect(m_app.Frame()).Width() == cxNarrow && (bars = ToolBars()).size() == 2 &&
           ScreenRect(bars[1]).right <= frame.left + cxNarrow;
  }));
  ASSERT_TRUE(WaitUntil("the frame painted", [&] { return Painted(m_app.Frame()); }));
  // The chevron is the bar's last button, at its right end.
  const CRect large = ScreenRect(bars[1]);
  const CPoint chevron(large.right - 7, large.CenterPoint().y);
  HWND hMenu = m_app.ClickForMenu(chevron);
  ASSERT_NE(nullptr, hMenu) << "the chevron opened no menu";
  SaveScreenshot(ScreenRect(hMenu), "e2e_chevron_menu.bmp");
  PressKey(VK_ESCAPE);
  ASSERT_TRUE(WaitUntil("the chevron's menu to close", [&] { return m_app.ShownMenu() == NULL; }));

  hMenu = m_app.ClickForMenu(chevron);
  ASSERT_NE(nullptr, hMenu) << "the chevron opened no menu the second time";
  const CPoint open = FirstColouredPixel(hMenu);
  ASSERT_GE(open.x, 0) << "no enabled button in the chevron's menu";
  Click(open);
  HWND hDialog = m_app.WaitForDialog("Open");
  ASSERT_NE(nullptr, hDialog) << "Open picked in the chevron's menu opened no dialog";
  ASSERT_TRUE(m_app.Activate(hDialog));
  PressKey(VK_ESCAPE);
  EXPECT_TRUE(WaitUntil("the Open dialog to close", [&] { return !::IsWindow(hDialog); }));
}

// --- the status panes -------------------------------------------------------------------------

// The pointer over the picture shows the picture point under it, at every zoom; the size and zoom
// panes show the picture's size and the zoom. (The view, and so the picture, starts below the row
// of MDI tabs, not at the top of the MDI area.)
TEST_F(FrameInputTest, StatusPanesFollowThePointerOverThePicture) {
  ASSERT_TRUE(m_app.Start());
  ASSERT_NO_FATAL_FAILURE(CaptureFromMenu(kArea));
  EXPECT_EQ("Size:200 x 100", m_app.StatusText(2));

  const struct {
    int nZoom;
    CPoint at; // a picture point
  } kCases[] = {{100, CPoint(0, 0)}, {100, CPoint(150, 60)}, {200, CPoint(37, 81)}};
  int nZoom = 100;
  for (const auto& c : kCases) {
    if (c.nZoom != nZoom) {
      ASSERT_TRUE(m_app.Activate());
      PressKey(VK_ADD);
      nZoom = c.nZoom;
    }
    const std::string zoom = "Zoom:" + std::to_string(c.nZoom) + "%";
    ASSERT_TRUE(WaitUntil(zoom, [&] { return m_app.StatusText(3) == zoom; }));
    const CPoint pt = m_app.PictureOrigin() + CPoint(c.at.x * c.nZoom / 100, c.at.y * c.nZoom / 100);
    const std::string expected = "x,y:" + std::to_string(c.at.x) + ", " + std::to_string(c.at.y);
    XMoveMouse(pt.x, pt.y);
    EXPECT_TRUE(WaitUntil(expected, [&] { return m_app.StatusText(1) == expected; }))
        << "shows " << m_app.StatusText(1);
  }
}

} // namespace
