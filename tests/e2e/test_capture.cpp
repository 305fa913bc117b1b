// Captures as the user makes them: from the Capture menu in every mode, with the mouse marking the
// area on the frozen screen, and with the global hot key in a Wine virtual desktop. Each becomes a
// new document of the captured size.
#include "framework/wnd/fw_ids.h"
#include "resources/resource.h"
#include "tests/e2e/tray_support.h"

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
  ASSERT_TRUE(m_app.Start());
  ASSERT_NO_FATAL_FAILURE(CaptureFromMenu(kArea));
  EXPECT_EQ("Zoom:100%", m_app.StatusText(3));
  EXPECT_NE(std::string::npos, m_app.Text(m_app.Frame()).find("Image1")) << m_app.Text(m_app.Frame());
  EXPECT_TRUE(m_app.PictureIs(kArea.Size(), PatternOf(kArea)));
  ASSERT_NO_FATAL_FAILURE(ExpectUndoRedo(false, false));

  // A second capture, and both side by side.
  ASSERT_NO_FATAL_FAILURE(CaptureFromMenu(CRect(400, 300, 600, 500)));
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
  ASSERT_TRUE(m_app.Menu('C', c.cMenuKey));
  // The pointer waits where the marking starts: the overlay appearing under it reports it there.
  int x0 = 0, y0 = 0;
  if (std::sscanf(c.steps, "%*c%d,%d", &x0, &y0) == 2)
    XMoveMouse(x0, y0);
  // The program steps aside; the window the user works in is the active one again.
  ASSERT_TRUE(WaitUntil("the frame to hide", [&] { return !::IsWindowVisible(m_app.Frame()); }));
  if (c.cMenuKey == 'O') {
    // The picker frames the window under the pointer in red; a left click takes it.
    HWND hPicker = m_app.WaitForDialog("");
    ASSERT_NE(nullptr, hPicker);
    const CPoint inside = m_rcWindow.CenterPoint();
    ASSERT_TRUE(WaitUntil("the red frame round the window", [&] {
      XMoveMouse(inside.x + 1, inside.y);
      XMoveMouse(inside.x, inside.y);
      return ReadScreen(CRect(m_rcWindow.left, inside.y, m_rcWindow.left + 1, inside.y + 1)).At(0, 0) ==
             RGB(255, 0, 0);
    }));
    // No message to the picker waits for the click: this thread would be held until the capture is
    // done, and would take the activation the system gives its window as the picker ends only after
    // the frame took it back.
    ASSERT_TRUE(XPointer("click 1"));
  } else if (*c.steps) {
    ASSERT_TRUE(m_app.Mark(c.steps));
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

// Capture, Object, over another program's window, with the X server's pointer as the user moves
// it: the picker frames the window under the pointer in red; a left click captures it into a
// document, a right click or Esc cancels; the clicks never reach the program beneath, and the
// main window comes back on every road.
enum class PickEnd { LeftClick, RightClick, Escape };
::testing::AssertionResult EndPick(PickEnd end) {
  if (end == PickEnd::Escape) {
    PressKey(VK_ESCAPE);
    return ::testing::AssertionSuccess();
  }
  return XPointer(end == PickEnd::LeftClick ? "click 1" : "click 3");
}
struct PickCase {
  const char* name;
  PickEnd end;
};
void PrintTo(const PickCase& c, std::ostream* os) { *os << c.name; }

class ObjectPickTest : public CaptureTest, public ::testing::WithParamInterface<PickCase> {
protected:
  void TearDown() override {
    CaptureTest::TearDown();
    m_notepad.Kill();
  }
  const CRect m_rcNotepad{300, 200, 700, 500};
  CNotepad m_notepad;
};

TEST_P(ObjectPickTest, FramesAnotherProgramsWindowAndEndsAsClicked) {
  const PickCase& c = GetParam();
  ASSERT_TRUE(m_notepad.Start(m_rcNotepad));
  // The window under the pointer there is notepad's text area.
  const CPoint inside(500, 350);
  const HWND hText = ::WindowFromPoint(inside);
  ASSERT_NE(m_notepad.Frame(), hText);
  ASSERT_TRUE(m_app.Start());
  ASSERT_TRUE(m_app.Menu('C', 'O'));
  ASSERT_TRUE(WaitUntil("the frame to hide", [&] { return !::IsWindowVisible(m_app.Frame()); }));
  ASSERT_NE(nullptr, m_app.WaitForDialog(""));
  // The pointer keeps moving over the text area, as a user's does, until its frame shows: notepad
  // may still be painting what the main window uncovered. It lays the area out again once its
  // status bar shows.
  CRect rcText;
  DWORD dwLastMove = 0;
  ASSERT_TRUE(WaitUntil("the red frame round notepad's text", [&] {
    if (::GetTickCount() - dwLastMove > 500) {
      XMoveMouse(inside.x + 1, inside.y);
      XMoveMouse(inside.x, inside.y);
      dwLastMove = ::GetTickCount();
    }
    ::GetWindowRect(hText, &rcText);
    return ReadScreen(CRect(rcText.left, inside.y, rcText.left + 1, inside.y + 1)).At(0, 0) == RGB(255, 0, 0);
  }));
  if (c.end == PickEnd::LeftClick)
    SaveScreenshot(
        CRect(m_rcNotepad.left - 20, m_rcNotepad.top - 20, m_rcNotepad.right + 20, m_rcNotepad.bottom + 20),
        "e2e_object_framed.bmp");

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
                         ::testing::Values(PickCase{"LeftClick", PickEnd::LeftClick},
                                           PickCase{"RightClick", PickEnd::RightClick},
                                           PickCase{"Escape", PickEnd::Escape}),
                         [](const ::testing::TestParamInfo<PickCase>& info) {
                           return std::string(info.param.name);
                         });

// Capture, Object, with notepad at other places: over the main frame's old rectangle, at the
// bottom right past the screen's edges (where the picker waits, so the pointer comes onto the
// picker first), and partly behind another program's window. The real pointer over notepad's text
// area frames what shows of it: red on all four sides within the screen, none outside the text
// area or on the window in front of it; when the pick ends no red stays anywhere.
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
  ASSERT_TRUE(m_app.Menu('C', 'O'));
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
  // The pointer keeps moving there, as a user's does, until all four sides show: notepad may still
  // be painting what the main window uncovered, and the picker may be leaving the place.
  DWORD dwLastMove = 0;
  const bool bFramed = WaitFor([&] {
    if (::GetTickCount() - dwLastMove > 500) {
      XMoveMouse(c.inside.x + 1, c.inside.y);
      XMoveMouse(c.inside.x, c.inside.y);
      dwLastMove = ::GetTickCount();
    }
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

// Where an active-window capture starts: the Capture menu, the capture bar's arrow, its key, the
// tray menu.
enum class ActiveRoad { Menu, ToolBar, CtrlW, Tray };
struct ActiveCase {
  const char* name;
  ActiveRoad road;
};
void PrintTo(const ActiveCase& c, std::ostream* os) { *os << c.name; }

class ActiveWindowTest : public TrayTest, public ::testing::WithParamInterface<ActiveCase> {
protected:
  void TearDown() override {
    TrayTest::TearDown();
    m_notepad.Kill();
  }
  // The window in which Wine shows the notification area: a window of the shell, which also owns
  // the desktop window; NULL when it shows none.
  static HWND ShellWindow() {
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
  const CRect m_rcNotepad{500, 300, 900, 600};
  CNotepad m_notepad;
};

// The user works in notepad and then starts the program, whose icon brings up the window of the
// notification area in front of notepad. "Active Window" takes the window the user was in before
// the program, by every road that starts it from the program (when the command starts the
// program's own frame is the active window): notepad, not the shell's window nor the desktop.
// Afterwards the frame is the active window again, with the keys in the new document.
TEST_P(ActiveWindowTest, TakesTheWindowTheUserWasIn) {
  ASSERT_TRUE(m_notepad.Start(m_rcNotepad));
  const CPoint text(m_rcNotepad.CenterPoint());
  SendXSteps("C" + std::to_string(text.x) + "," + std::to_string(text.y), m_notepad.Frame());
  ASSERT_TRUE(WaitUntil("notepad active", [&] { return ::GetForegroundWindow() == m_notepad.Frame(); }));
  // Its menu bar, below the caption (whose colours follow the activation).
  const CRect menuBar(m_rcNotepad.left, m_rcNotepad.top + 24, m_rcNotepad.right, m_rcNotepad.top + 38);
  const Pixels shown = Settled([&] { return ReadScreen(menuBar); });
  ASSERT_TRUE(StartWithIcon());
  if (const HWND hShell = ShellWindow()) {
    ::SetWindowPos(hShell, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    ASSERT_TRUE(m_app.Activate());
  }
  switch (GetParam().road) {
  case ActiveRoad::Menu:
    ASSERT_TRUE(m_app.Menu('C', 'A'));
    break;
  case ActiveRoad::ToolBar:
    ASSERT_TRUE(PickFromCaptureArrow('A'));
    break;
  case ActiveRoad::CtrlW:
    PressKey('W', MOD_CONTROL);
    break;
  case ActiveRoad::Tray:
    ASSERT_TRUE(PickByKey(OpenTrayMenu(), 'A'));
    break;
  }
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

INSTANTIATE_TEST_SUITE_P(
    Roads, ActiveWindowTest,
    ::testing::Values(ActiveCase{"Menu", ActiveRoad::Menu}, ActiveCase{"ToolBar", ActiveRoad::ToolBar},
                      ActiveCase{"CtrlW", ActiveRoad::CtrlW}, ActiveCase{"Tray", ActiveRoad::Tray}),
    [](const ::testing::TestParamInfo<ActiveCase>& info) { return std::string(info.param.name); });

// The hot key captures a rectangle even when the options name another mode, while the program is
// minimised; the options, hot key included, come from the registry. Global hot keys reach a Wine
// program only in a virtual desktop. (This process's own windows would not show there: the test
// leaves the desktop as it is.) A thread that moved to the virtual desktop cannot come back and its
// process no longer reads the screen of the other tests: the test runs in a process of its own.
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
    PressKey('K', MOD_CONTROL | MOD_SHIFT);
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
