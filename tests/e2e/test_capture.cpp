// Captures as the user makes them: from the Capture menu in every mode, with the mouse marking the
// area on the frozen screen, and with the global hot key in a Wine virtual desktop. Each becomes a
// new document of the captured size.
#include "framework/wnd/fw_ids.h"
#include "resources/resource.h"
#include "tests/e2e/tray_support.h"

#include <cctype>
#include <cstdio>
#include <vector>

using namespace e2e;

namespace {

using CaptureTest = E2eTest;

// Capture, Rectangular Area, and a drag of 200 x 100 over the pattern: a document with exactly
// that picture, its size and zoom in the status bar, named in the frame's title, with a history of
// one record (nothing to undo or redo yet), and marked changed: closing it asks to save, Cancel
// keeps it open and No closes it.
TEST_F(CaptureTest, RectangularAreaFromTheMenuOpensTheDraggedPicture) {
  // Alt+C, R and the drag as the user gives them: the frame and then the overlay must have taken
  // the keyboard by themselves.
  auto captureFromMenu = [this](const CRect& area) {
    const size_t nBefore = m_app.Documents().size();
    ASSERT_TRUE(m_app.XMenu('C', 'R'));
    ASSERT_TRUE(m_app.MarkAsUser("P" + std::to_string(area.left) + "," + std::to_string(area.top) + " R" +
                                 std::to_string(area.right) + "," + std::to_string(area.bottom)));
    ASSERT_TRUE(m_app.WaitForDocuments(nBefore + 1, area.Size()));
  };
  ASSERT_TRUE(m_app.Start());
  ASSERT_NO_FATAL_FAILURE(captureFromMenu(kArea));
  EXPECT_EQ("Zoom:100%", m_app.StatusText(3));
  EXPECT_NE(std::string::npos, m_app.Text(m_app.Frame()).find("Image1")) << m_app.Text(m_app.Frame());
  EXPECT_TRUE(m_app.PictureIs(kArea.Size(), PatternOf(kArea)));
  ASSERT_NO_FATAL_FAILURE(ExpectUndoRedo(false, false));

  // A second capture, and both side by side.
  ASSERT_NO_FATAL_FAILURE(captureFromMenu(CRect(400, 300, 600, 500)));
  ASSERT_TRUE(m_app.Menu('W', 'T'));
  CRect frame;
  ::GetWindowRect(m_app.Frame(), &frame);
  ASSERT_TRUE(WaitUntil("the documents side by side", [&] {
    const std::vector<HWND> docs = m_app.Documents();
    CRect a, b;
    return docs.size() == 2 && !::IsZoomed(docs[0]) && ::GetWindowRect(docs[0], &a) &&
           ::GetWindowRect(docs[1], &b) && !CRect().IntersectRect(&a, &b);
  }));
  SaveScreenshot(frame, "e2e_two_captures.bmp");
  // Both captures are changes of their own: closing asks for each.
  ASSERT_NO_FATAL_FAILURE(CloseDocument(VK_ESCAPE));
  ASSERT_NO_FATAL_FAILURE(CloseDocument('N'));
  ASSERT_NO_FATAL_FAILURE(CloseDocument('N'));
  ASSERT_TRUE(m_app.Exit());
}

struct ModeCase {
  const char* name;
  char cMenuKey;
  const char* steps; // none: the mode needs no marking
  CSize size;
};
void PrintTo(const ModeCase& c, std::ostream* os) { *os << c.name; }

class CaptureModeTest : public CaptureTest, public ::testing::WithParamInterface<ModeCase> {
protected:
  // The window the active-window and object modes take: the test's own, in other colours.
  const CRect m_rcWindow{300, 200, 620, 440};
  pattern_window::CPatternWindow m_window;
};

// Every mode of the Capture menu gives a document of the size the marking makes: the bounding box
// of the drawn shape (one pixel in for the polygon and freehand outlines), the window, the screen.
// The freehand path keeps its box even when the program sees fewer of its moves.
TEST_P(CaptureModeTest, OpensADocumentOfTheMarkedSize) {
  const ModeCase& c = GetParam();
  ASSERT_TRUE(m_window.Create(m_rcWindow, 1, false));
  // The window the user works in before the program: no tool window, which the system never makes
  // active in another's place.
  const HWND hWindow = m_window.Handle();
  ::SetWindowLongA(hWindow, GWL_EXSTYLE, ::GetWindowLongA(hWindow, GWL_EXSTYLE) & ~WS_EX_TOOLWINDOW);
  ASSERT_TRUE(m_app.Start());
  // The object picker takes the window under the resting pointer.
  const CPoint inside = m_rcWindow.CenterPoint();
  if (c.cMenuKey == 'O')
    XMoveMouse(inside.x, inside.y);
  ASSERT_TRUE(m_app.XMenu('C', c.cMenuKey));
  // The program steps aside; the window the user works in is the active one again.
  ASSERT_TRUE(WaitUntil("the frame to hide", [&] { return !::IsWindowVisible(m_app.Frame()); }));
  if (c.cMenuKey == 'O') {
    // The picker frames the window under the pointer in red; a left click takes it.
    HWND hPicker = m_app.WaitForDialog("");
    ASSERT_NE(nullptr, hPicker);
    ASSERT_TRUE(WaitUntil("the red frame round the window", [&] {
      return ReadScreen(CRect(m_rcWindow.left, inside.y, m_rcWindow.left + 1, inside.y + 1)).At(0, 0) ==
             RGB(255, 0, 0);
    }));
    // No message to the picker waits for the click: this thread would be held until the capture is
    // done, and would take the activation the system gives its window as the picker ends only after
    // the frame took it back.
    ASSERT_TRUE(XPointer("click 1"));
  } else if (*c.steps) {
    // The pointer waits where the marking starts: the overlay appearing under it reports it there.
    ASSERT_TRUE(m_app.MarkAsUser(c.steps));
  }
  ASSERT_TRUE(m_app.WaitForDocuments(1, c.size));
  // The frame came back active, with the keys going to the new document.
  EXPECT_TRUE(m_app.KeyboardInView());
}

INSTANTIATE_TEST_SUITE_P(
    Menu, CaptureModeTest,
    ::testing::Values(ModeCase{"FullScreen", 'F', "", CSize(1280, 1024)},
                      ModeCase{"ActiveWindow", 'A', "", CSize(320, 240)},
                      ModeCase{"Circle", 'C', "P400,300 R600,500", CSize(200, 200)},
                      ModeCase{"Polygon", 'P', "C200,300 C600,300 C400,700 Enter", CSize(398, 398)},
                      ModeCase{"RoundedRectangle", 'U', "P400,300 R700,500", CSize(300, 200)},
                      ModeCase{"Freehand", 'N', "P300,300 M700,300 M700,700 R300,700", CSize(398, 398)},
                      ModeCase{"MultipleRectangles", 'M',
                               "P100,100 M200,200 R300,250 P400,350 M300,300 R250,200 Enter",
                               CSize(300, 250)},
                      ModeCase{"Object", 'O', "", CSize(320, 240)}),
    [](const ::testing::TestParamInfo<ModeCase>& info) { return std::string(info.param.name); });

// Capture, Object, over another program's window, with the X server's pointer resting where the
// user left it before the command: the picker frames the window under the pointer in red from the
// start, without a move; a left click captures it into a document, a right click or Esc cancels;
// the clicks never reach the program beneath, and the main window comes back on every road. Over
// the bare desktop nothing is framed.
enum class PickEnd { LeftClick, RightClick, Escape };
::testing::AssertionResult EndPick(PickEnd end) {
  if (end == PickEnd::Escape)
    return XKeys("Escape");
  return XPointer(end == PickEnd::LeftClick ? "click 1" : "click 3");
}
struct PickCase {
  const char* name;
  PickEnd end;
  bool bOverDesktop; // the pointer rests over no window
};
void PrintTo(const PickCase& c, std::ostream* os) { *os << c.name; }

class ObjectPickTest : public CaptureTest, public ::testing::WithParamInterface<PickCase> {
protected:
  void TearDown() override {
    CaptureTest::TearDown();
    m_notepad.Kill();
  }
  // Where red shows on the screen; (-1, -1) when nowhere.
  static CPoint RedOnScreen() {
    const Pixels px =
        ReadScreen(CRect(0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)));
    for (int y = 0; y < px.cy; y++)
      for (int x = 0; x < px.cx; x++)
        if (px.At(x, y) == RGB(255, 0, 0))
          return CPoint(x, y);
    return CPoint(-1, -1);
  }
  const CRect m_rcNotepad{300, 200, 700, 500};
  CNotepad m_notepad;
};

TEST_P(ObjectPickTest, FramesTheWindowUnderTheRestingPointerAndEndsAsClicked) {
  const PickCase& c = GetParam();
  ASSERT_TRUE(m_notepad.Start(m_rcNotepad));
  // The window under the pointer there is notepad's text area.
  const CPoint inside(500, 350);
  const HWND hText = ::WindowFromPoint(inside);
  ASSERT_NE(m_notepad.Frame(), hText);
  const CPoint bare(1000, 700); // beside notepad, where the frame does not stay
  if (c.bOverDesktop) {
    // The pattern behind the program, this test's own window, goes: nothing is left there.
    const HWND hPattern = ::WindowFromPoint(bare);
    ASSERT_EQ(::GetCurrentProcessId(), [&] {
      DWORD dwPid = 0;
      ::GetWindowThreadProcessId(hPattern, &dwPid);
      return dwPid;
    }());
    ::ShowWindow(hPattern, SW_HIDE);
  }
  ASSERT_TRUE(m_app.Start());
  XMoveMouse(c.bOverDesktop ? bare.x : inside.x, c.bOverDesktop ? bare.y : inside.y);
  ASSERT_TRUE(m_app.XMenu('C', 'O'));
  ASSERT_TRUE(WaitUntil("the frame to hide", [&] { return !::IsWindowVisible(m_app.Frame()); }));
  const HWND hPicker = m_app.WaitForDialog("");
  ASSERT_NE(nullptr, hPicker);
  CRect rcText;
  if (c.bOverDesktop) {
    // The picker has looked at the pointer (its first messages are done) and the screen is still.
    SyncInput(hPicker);
    Settled([&] { return ReadScreen(m_rcNotepad); });
    const CPoint red = RedOnScreen();
    EXPECT_TRUE(red.x < 0) << "red at " << red.x << "," << red.y << " with the pointer over no window";
  } else {
    // Notepad may still be painting what the main window uncovered: the frame shows once it is done.
    ASSERT_TRUE(
        WaitUntil("the red frame round notepad's text",
                  [&] {
                    ::GetWindowRect(hText, &rcText);
                    return ReadScreen(CRect(rcText.left, inside.y, rcText.left + 1, inside.y + 1)).At(0, 0) ==
                           RGB(255, 0, 0);
                  }))
        << "red at " << RedOnScreen().x << "," << RedOnScreen().y;
  }
  if (c.end == PickEnd::LeftClick || c.bOverDesktop)
    SaveScreenshot(CRect(0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)),
                   (std::string("e2e_object_framed_at_start_") + c.name + ".bmp").c_str());

  ASSERT_TRUE(EndPick(c.end));
  const size_t nDocuments = c.end == PickEnd::LeftClick ? 1 : 0;
  ASSERT_TRUE(m_app.WaitForDocuments(nDocuments, nDocuments ? rcText.Size() : CSize()));
  if (nDocuments) {
    // The frame went before the picture was taken.
    const Pixels picture = m_app.ReadPicture(rcText.Size());
    EXPECT_NE(RGB(255, 0, 0), picture.At(0, picture.cy / 2));
  }
  EXPECT_EQ(nullptr, VisibleWindowOfClass("#32768")) << "a click reached notepad and opened a menu";
}

INSTANTIATE_TEST_SUITE_P(Notepad, ObjectPickTest,
                         ::testing::Values(PickCase{"LeftClick", PickEnd::LeftClick, false},
                                           PickCase{"RightClick", PickEnd::RightClick, false},
                                           PickCase{"Escape", PickEnd::Escape, false},
                                           PickCase{"OverTheBareDesktop", PickEnd::Escape, true}),
                         [](const ::testing::TestParamInfo<PickCase>& info) {
                           return std::string(info.param.name);
                         });

// Capture, Object, with notepad at other places: over the main frame's old rectangle, at the
// bottom right past the screen's edges, and partly behind another program's window. The real
// pointer resting over notepad's text area frames what shows of it: red on all four sides within
// the screen, none outside the text area or on the window in front of it; when the pick ends no
// red stays anywhere.
struct PlaceCase {
  const char* name;
  CRect notepad;
  CPoint inside; // where the pointer rests on the text area
  CRect cover;   // a window of another program in front of notepad; empty: none
  PickEnd end;
};
void PrintTo(const PlaceCase& c, std::ostream* os) { *os << c.name; }

class ObjectPlaceTest : public CaptureTest, public ::testing::WithParamInterface<PlaceCase> {
protected:
  void TearDown() override {
    CaptureTest::TearDown();
    m_notepad.Kill();
  }
  // Where red shows within area, outside allowed.
  static std::vector<CPoint> RedOutside(const CRect& area, const CRect& allowed) {
    std::vector<CPoint> found;
    const Pixels px = ReadScreen(area);
    for (int y = 0; y < px.cy; y++)
      for (int x = 0; x < px.cx; x++)
        if (px.At(x, y) == RGB(255, 0, 0) && !allowed.PtInRect(CPoint(area.left + x, area.top + y)))
          found.push_back(CPoint(area.left + x, area.top + y));
    return found;
  }
  // Whether red shows somewhere along the line from..to (both included) on the screen.
  static bool RedAlong(CPoint from, CPoint to) {
    const CRect line(from.x, from.y, to.x + 1, to.y + 1);
    const Pixels px = ReadScreen(line);
    for (int y = 0; y < px.cy; y++)
      for (int x = 0; x < px.cx; x++)
        if (px.At(x, y) == RGB(255, 0, 0))
          return true;
    return false;
  }
  CNotepad m_notepad;
  pattern_window::CPatternWindow m_cover;
};

TEST_P(ObjectPlaceTest, FramesWhatShowsOfTheWindowUnderThePointerAndLeavesNoFrame) {
  const PlaceCase& c = GetParam();
  ASSERT_TRUE(m_notepad.Start(c.notepad));
  const HWND hText = ::FindWindowExA(m_notepad.Frame(), NULL, "Edit", NULL);
  ASSERT_NE(nullptr, hText);
  if (!c.cover.IsRectEmpty())
    ASSERT_TRUE(m_cover.Create(c.cover, 1, true));
  ASSERT_TRUE(m_app.Start());
  const CRect oldFrame = ScreenRect(m_app.Frame());
  XMoveMouse(c.inside.x, c.inside.y);
  ASSERT_TRUE(m_app.XMenu('C', 'O'));
  ASSERT_TRUE(WaitUntil("the frame to hide", [&] { return !::IsWindowVisible(m_app.Frame()); }));
  const HWND hPicker = m_app.WaitForDialog("");
  ASSERT_NE(nullptr, hPicker);
  // The other window stays in front of notepad, which raised itself as it was activated.
  if (!c.cover.IsRectEmpty())
    ASSERT_TRUE(WaitUntil("the other window in front of notepad", [&] {
      ::SetWindowPos(m_cover.Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
      return PixelsAre(ReadScreen(c.cover), PatternOf(c.cover, 1));
    }));

  const CRect screen(0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN));
  const CRect text = ScreenRect(hText) & screen; // the text area on the screen
  CRect around(c.notepad.left - 20, c.notepad.top - 20, c.notepad.right + 20, c.notepad.bottom + 20);
  if (!c.cover.IsRectEmpty())
    around |= c.cover;
  const CRect scan = around & screen; // where red is looked for
  // The pointer rests there: all four sides show once notepad has painted what the main window
  // uncovered.
  const bool bFramed = WaitFor([&] {
    const CPoint mid = text.CenterPoint();
    return RedAlong(CPoint(text.left, text.top), CPoint(text.left + 1, text.bottom - 1)) &&
           RedAlong(CPoint(text.left, text.top), CPoint(text.right - 1, text.top + 1)) &&
           RedAlong(CPoint(text.right - 2, mid.y), CPoint(text.right - 1, text.bottom - 1)) &&
           RedAlong(CPoint(mid.x, text.bottom - 2), CPoint(text.right - 1, text.bottom - 1));
  });
  SaveScreenshot(scan, (std::string("e2e_object_framed_") + c.name + ".bmp").c_str());
  EXPECT_TRUE(bFramed) << "no red frame on all four sides of " << ToString(text);
  std::vector<CPoint> stray = RedOutside(scan, text);
  if (!c.cover.IsRectEmpty()) {
    const std::vector<CPoint> onCover = RedOutside(c.cover & screen, CRect());
    stray.insert(stray.end(), onCover.begin(), onCover.end());
  }
  EXPECT_TRUE(stray.empty()) << stray.size()
                             << " red pixels outside what shows of the text area, the first at "
                             << (stray.empty() ? 0 : stray[0].x) << "," << (stray.empty() ? 0 : stray[0].y);

  ASSERT_TRUE(EndPick(c.end));
  const size_t nDocuments = c.end == PickEnd::LeftClick ? 1 : 0;
  ASSERT_TRUE(m_app.WaitForDocuments(nDocuments, nDocuments ? text.Size() : CSize()));
  // Nothing red stays where the frame that came back leaves the screen to see.
  EXPECT_TRUE(WaitUntil("no red left beside the frame", [&] { return RedOutside(scan, oldFrame).empty(); }));
}

INSTANTIATE_TEST_SUITE_P(
    Notepad, ObjectPlaceTest,
    ::testing::Values(PlaceCase{"OverTheFramesOldRectangle", CRect(100, 150, 600, 450), CPoint(300, 300),
                                CRect(), PickEnd::LeftClick},
                      PlaceCase{"BottomRightPastTheEdges", CRect(1000, 800, 1400, 1100), CPoint(1150, 980),
                                CRect(), PickEnd::RightClick},
                      PlaceCase{"BehindAnotherWindow", CRect(400, 600, 900, 1000), CPoint(500, 800),
                                CRect(700, 860, 1000, 1024), PickEnd::Escape}),
    [](const ::testing::TestParamInfo<PlaceCase>& info) { return std::string(info.param.name); });

// The window in which Wine shows the notification area: a window of the shell, which also owns
// the desktop window; NULL when it shows none.
HWND ShellWindow() {
  DWORD dwShell = 0;
  ::GetWindowThreadProcessId(::GetDesktopWindow(), &dwShell);
  for (HWND h = ::GetWindow(::GetDesktopWindow(), GW_CHILD); h != NULL; h = ::GetWindow(h, GW_HWNDNEXT)) {
    DWORD dwPid = 0;
    ::GetWindowThreadProcessId(h, &dwPid);
    if (dwPid == dwShell && ::IsWindowVisible(h) && !ScreenRect(h).IsRectEmpty())
      return h;
  }
  return NULL;
}

// Where a capture starts: the Capture menu by its keys, the capture bar's button (a rectangle)
// and its arrow's menu, a key of the program (the hot key, or an accelerator), the tray menu.
enum class Road { Menu, BarButton, BarArrow, Keys, Tray };

class CaptureRoadTest : public TrayTest {
protected:
  void TearDown() override {
    TrayTest::TearDown();
    m_notepad.Kill();
  }
  // Starts the capture of the mode (its letter in the menus) by the road, with the X server's keys
  // and pointer where the user gives them; keys: those of the Keys road.
  ::testing::AssertionResult StartCapture(Road road, char cMode, const char* keys = "") {
    const CRect bar = CaptureBar();
    HWND hMenu = NULL;
    switch (road) {
    case Road::Menu:
      return m_app.XMenu('C', cMode);
    case Road::BarButton:
      return XPointer("mousemove " + std::to_string(bar.left + 30) + " " +
                      std::to_string(bar.CenterPoint().y) + " click 1");
    case Road::BarArrow: {
      const CPoint arrow = DropDownArrow(bar);
      if (arrow.x < bar.left)
        return ::testing::AssertionFailure() << "no arrow on the capture bar";
      ::testing::AssertionResult clicked =
          XPointer("mousemove " + std::to_string(arrow.x) + " " + std::to_string(arrow.y) + " click 1");
      if (!clicked)
        return clicked;
      if (!WaitFor([&] { return (hMenu = m_app.ShownMenu()) != NULL; }))
        return ::testing::AssertionFailure()
               << "the capture bar's arrow opened no menu; the active window is "
               << DescribeWindow(::GetForegroundWindow());
      WaitUntilUnfolded(hMenu);
      break;
    }
    case Road::Keys: {
      // The global hot key reaches a Wine program only while one of Wine's windows has the X
      // keyboard: the user gives the keys in the program's frame.
      ::testing::AssertionResult active = IsActiveWindow(m_app.Frame(), "the program's frame");
      return active ? XKeys(keys) : active;
    }
    case Road::Tray:
      hMenu = OpenTrayMenu();
      if (hMenu == NULL)
        return ::testing::AssertionFailure() << "no tray menu";
      break;
    }
    ::testing::AssertionResult picked = XKeys(std::string(1, (char)std::tolower(cMode)));
    if (!picked)
      return picked;
    return WaitUntil(
        "the menu to close", [hMenu] { return !::IsWindowVisible(hMenu); }, 3000);
  }

  CNotepad m_notepad;
};

// Where an active-window capture starts: the Capture menu, the capture bar's arrow, its key, the
// tray menu.
struct ActiveCase {
  const char* name;
  Road road;
};
void PrintTo(const ActiveCase& c, std::ostream* os) { *os << c.name; }

class ActiveWindowTest : public CaptureRoadTest, public ::testing::WithParamInterface<ActiveCase> {
protected:
  const CRect m_rcNotepad{500, 300, 900, 600};
};

// The user works in notepad and then starts the program, whose icon brings up the window of the
// notification area in front of notepad. "Active Window" takes the window the user was in before
// the program, by every road that starts it from the program (when the command starts the
// program's own frame is the active window): notepad, not the shell's window nor the desktop.
// Afterwards the frame is the active window again, with the keys in the new document.
TEST_P(ActiveWindowTest, TakesTheWindowTheUserWasIn) {
  ASSERT_TRUE(m_notepad.Start(m_rcNotepad));
  ASSERT_TRUE(IsActiveWindow(m_notepad.Frame(), "notepad"));
  // Its menu bar, below the caption (whose colours follow the activation).
  const CRect menuBar(m_rcNotepad.left, m_rcNotepad.top + 24, m_rcNotepad.right, m_rcNotepad.top + 38);
  const Pixels shown = Settled([&] { return ReadScreen(menuBar); });
  ASSERT_TRUE(StartWithIcon());
  if (const HWND hShell = ShellWindow())
    ::SetWindowPos(hShell, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  ASSERT_TRUE(StartCapture(GetParam().road, 'A', "ctrl+w"));
  ASSERT_TRUE(m_app.WaitForDocuments(1, m_rcNotepad.Size()));
  // The new view paints its picture after the document is there.
  const CRect pictureMenuBar(m_app.PictureOrigin() + (menuBar.TopLeft() - m_rcNotepad.TopLeft()),
                             menuBar.Size());
  Pixels picture;
  WaitFor([&] { return PixelsAre(picture = ReadScreen(pictureMenuBar), PixelsOf(shown)); });
  SaveScreenshot(ScreenRect(m_app.Frame()),
                 (std::string("e2e_active_window_") + GetParam().name + ".bmp").c_str());
  EXPECT_TRUE(PixelsAre(picture, PixelsOf(shown))) << "the picture is not notepad";
  EXPECT_TRUE(m_app.KeyboardInView());
}

INSTANTIATE_TEST_SUITE_P(Roads, ActiveWindowTest,
                         ::testing::Values(ActiveCase{"Menu", Road::Menu},
                                           ActiveCase{"ToolBar", Road::BarArrow},
                                           ActiveCase{"CtrlW", Road::Keys}, ActiveCase{"Tray", Road::Tray}),
                         [](const ::testing::TestParamInfo<ActiveCase>& info) {
                           return std::string(info.param.name);
                         });

struct KeyCase {
  const char* name;
  Road road;
  char cMode;        // the mode's letter in the menus
  const char* steps; // the marking and the key, as the user gives them
  CSize size;        // of the document the key makes; empty: the key cancels
};
void PrintTo(const KeyCase& c, std::ostream* os) { *os << c.name; }

class CaptureKeyTest : public CaptureRoadTest, public ::testing::WithParamInterface<KeyCase> {};

// The capture screen is the active window with the keyboard as soon as it shows, by every road,
// beside another program's window: Esc cancels a rectangle and a polygon, Alt+F4 closes the
// capture screen and no other window, Enter closes a polygon and finishes Multiple Rectangular
// Areas. The keys go through the X server, to the window it gives the keyboard to.
TEST_P(CaptureKeyTest, TheCaptureScreenTakesTheKeys) {
  const KeyCase& c = GetParam();
  ASSERT_TRUE(m_notepad.Start(CRect(800, 80, 1200, 380)));
  ASSERT_TRUE(StartWithIcon());
  const HWND hShell = ShellWindow();
  // The hot key (Ctrl+Q) takes a rectangle.
  ASSERT_TRUE(StartCapture(c.road, c.cMode, "ctrl+q"));
  const HWND hOverlay = m_app.WaitForOverlayShown();
  ASSERT_NE(nullptr, hOverlay) << "no capture screen";
  const std::string steps = c.steps;
  const size_t nKey = steps.rfind(' ');
  ASSERT_TRUE(m_app.MarkAsUser(steps.substr(0, nKey)));
  if (c.size.cx > 0) // the marking the key finishes
    SaveScreenshot(ScreenRect(hOverlay), (std::string("e2e_capture_key_") + c.name + ".bmp").c_str());
  SendXSteps(steps.substr(nKey + 1), hOverlay);
  if (c.size.cx > 0) {
    ASSERT_TRUE(m_app.WaitForDocuments(1, c.size))
        << "the last key did not finish the capture; X gives the keyboard to " << XKeyboardWindow();
  } else {
    ASSERT_TRUE(WaitUntil("the capture screen to close", [&] { return !::IsWindow(hOverlay); }))
        << "X gives the keyboard to " << XKeyboardWindow();
    ASSERT_TRUE(m_app.WaitForDocuments(0));
  }
  EXPECT_TRUE(::IsWindow(m_notepad.Frame()));
  EXPECT_TRUE(hShell == NULL || ::IsWindowVisible(hShell)) << "the shell's window closed";
}

INSTANTIATE_TEST_SUITE_P(
    Roads, CaptureKeyTest,
    ::testing::Values(
        KeyCase{"MenuRectangleEsc", Road::Menu, 'R', "C400,300 M500,400 Esc", CSize()},
        KeyCase{"MenuPolygonEsc", Road::Menu, 'P', "C200,300 C600,300 Esc", CSize()},
        KeyCase{"MenuPolygonEnter", Road::Menu, 'P', "C200,300 C600,300 C400,700 Enter", CSize(398, 398)},
        KeyCase{"MenuMultipleEnter", Road::Menu, 'M',
                "P100,100 M200,200 R300,250 P400,350 M300,300 R250,200 Enter", CSize(300, 250)},
        KeyCase{"BarButtonRectangleEsc", Road::BarButton, 'R', "C400,300 M500,400 Esc", CSize()},
        KeyCase{"BarArrowPolygonEnter", Road::BarArrow, 'P', "C200,300 C600,300 C400,700 Enter",
                CSize(398, 398)},
        KeyCase{"HotKeyRectangleEsc", Road::Keys, 'R', "C400,300 M500,400 Esc", CSize()},
        KeyCase{"TrayRectangleEsc", Road::Tray, 'R', "C400,300 M500,400 Esc", CSize()},
        KeyCase{"TrayRectangleAltF4", Road::Tray, 'R', "C400,300 M500,400 AltF4", CSize()},
        KeyCase{"TrayFreehandEsc", Road::Tray, 'N', "C300,300 M700,300 M700,700 Esc", CSize()}),
    [](const ::testing::TestParamInfo<KeyCase>& info) { return std::string(info.param.name); });

// The hot key captures a rectangle even when the options name another mode, while the program is
// minimised; the options, hot key included, come from the registry. The key goes through X to the
// virtual desktop's window, as the user presses it there. (This process's own windows would not
// show there: the test leaves the desktop as it is.) A thread that moved to the virtual desktop
// cannot come back and its process no longer reads the screen of the other tests: the test runs in
// a process of its own.
TEST_F(CaptureTest, HotKeyCapturesARectangleInAVirtualDesktop) {
  if (RunInOwnProcess())
    return;
  const struct {
    const char* pszName;
    DWORD dwValue;
  } kOptions[] = {{"EnableHotkey", 1}, {"HotkeyCtrlShftAlt", MOD_CONTROL | MOD_SHIFT},
                  {"HotkeyKey", 'K'},  {"HotkeyCaptureType", ID_CAPTURE_FULL_SCREEN},
                  {"JpegQuality", 80}, {"IncludeMouse", 0}};
  for (const auto& option : kOptions)
    WriteOption(option.pszName, option.dwValue);
  RunOnThread([this] {
    ASSERT_TRUE(m_app.Start("", "PixE2E"));
    ::ShowWindow(m_app.Frame(), SW_MINIMIZE);
    ASSERT_TRUE(WaitUntil("the frame minimised", [this] { return ::IsIconic(m_app.Frame()) != FALSE; }));
    MoveMouse(kArea.left, kArea.top);
    const Pixels screen = ReadScreen(kArea);
    ASSERT_TRUE(PressXHotKey('K', MOD_CONTROL | MOD_SHIFT));
    // In the virtual desktop the pointer is driven through the desktop's own input.
    ASSERT_TRUE(m_app.Mark("P100,100 R300,200", false)) << "the hot key started no capture";
    ASSERT_TRUE(m_app.WaitForDocuments(1, kArea.Size()));
    EXPECT_EQ("Zoom:100%", m_app.StatusText(3));
    EXPECT_FALSE(::IsIconic(m_app.Frame()));
    EXPECT_TRUE(m_app.PictureIs(kArea.Size(), PixelsOf(screen)));
    SaveScreenshot(CRect(0, 0, 1280, 1024), "e2e_hotkey_desktop.bmp");
    ASSERT_TRUE(m_app.Menu('F', 'X'));
    ASSERT_TRUE(m_app.Answer("Save changes to file?", 'N'));
    EXPECT_TRUE(WaitUntil(
        "the program to end", [this] { return !m_app.Running(); }, 20000));
  });
}

} // namespace
