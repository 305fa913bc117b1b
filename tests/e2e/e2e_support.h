// The driver of the end-to-end tests: starts the built program under Wine as a user would, finds
// its windows, gives it real keyboard and mouse input, reads its status bar, its registry key and
// the screen, and measures what its process holds. Every wait polls for its effect with a
// timeout while this thread's own windows (the pattern behind the program) keep painting.
#pragma once

#include "framework/fw.h"
#include "tests/common/input_support.h"
#include "tests/common/pattern_window.h"
#include "tests/common/pixel_support.h"
#include "tests/common/stand_ins.h"

#include <gdiplus.h>
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace e2e {

using pixel_support::Pixels;

// Runs this thread's messages until pred holds or nTimeoutMs have passed; the last answer of pred.
bool WaitFor(const std::function<bool()>& pred, int nTimeoutMs = 10000);
// The same as an assertion that names what did not come.
::testing::AssertionResult WaitUntil(const std::string& what, const std::function<bool()>& pred,
                                     int nTimeoutMs = 10000);

// Real input. Positions are screen pixels; keys are virtual keys with MOD_* modifiers.
void MoveMouse(int x, int y);
void PressKey(WORD wVk, UINT nMods = 0);
void TypeText(const std::string& text);
// Lets the thread of the window take the input queued before: it answers two messages sent after
// it, and reads the window system's pending events when its queue runs empty.
using real_input::SyncInput;
// The focus, active and capture windows of the thread of the window.
GUITHREADINFO GuiState(HWND hWnd);
// Steps of mouse and keyboard input for a window: "P x,y" press, "R x,y" release, "M x,y" move,
// "C x,y" click, "Enter", "Esc". Each goes once the window's thread has taken the one before, so
// no two moves are merged into one.
// Every move of the pointer also moves the X pointer, and X reports that to the program as a move
// of its own, possibly late: a step's button goes with its move in one input, a drag whose result
// is its last move goes straight to its end, and the pointer waits at its start before the window
// appears. Nothing is made active first: a press activates the window under it, as a user's does.
void SendSteps(const std::string& steps, HWND hWnd);

// Input through the X server with xdotool, as the user's own pointer gives it: over windows of
// other programs too, and never overtaken by a late report of an older position, as a move made
// with SendInput (which warps the X pointer) can be. The moves wait until the window system has
// them; the steps are those of SendSteps, and "AltF4". The keys go through the X server too, to
// the window it gives the keyboard to; nothing is made active first.
::testing::AssertionResult XPointer(const std::string& args);
void XMoveMouse(int x, int y);
void SendXSteps(const std::string& steps, HWND hWnd);
// A click with the X pointer x pixels into the window, halfway down.
void XClickInto(HWND hWnd, int x);
// A window for messages: its class, text, place and process.
std::string DescribeWindow(HWND hWnd);
// Waits until the window is the active one; else a failure that names the window that is.
::testing::AssertionResult IsActiveWindow(HWND hWnd, const std::string& what);
// The name of the X window that has the X keyboard now, quoted.
std::string XKeyboardWindow();
// Waits until X gives the keyboard to the window, or to hOr (it follows the activation late); else
// a failure that names the X window it gives it to.
::testing::AssertionResult HasXKeyboard(HWND hWnd, const std::string& what, HWND hOr = NULL);
// Waits until the keys X gives reach the box (a message box, a dialog): it is the active window of
// its thread, and X gives the keyboard to a window of that thread, which hands them on to it. X may
// leave the keyboard for good with the window that had it: the box is made active before it is on
// the screen, where X cannot give it the keyboard, and Wine asks again once it shows, stamped with
// the thread's last message time on its own reckoning of X's clock, which under load runs ahead of
// X's; X refuses a time still to come.
::testing::AssertionResult GetsXKeys(HWND hBox, const std::string& what);
// A hot key (a letter with MOD_ modifiers) pressed through the X server, as the user presses it,
// once X gives the keyboard to a window of Wine's. Modifiers sent past X (SendInput) do not hold:
// Wine sets its modifiers to X's whenever X moves the keyboard, and a move it reads late, between
// the modifier and the letter, drops the modifier.
::testing::AssertionResult PressXHotKey(WORD wVk, UINT nMods);
// Keys through the X server with xdotool ("ctrl+s"), as the user's keyboard gives them: they go to
// the window the window system gives the keyboard to, which Wine sets apart from the active window.
::testing::AssertionResult XKeys(const std::string& keys);
// Types the text through X, a key at a time (letters, digits and the characters of a path).
::testing::AssertionResult XType(const std::string& text);

// The folder of the test program, where the build puts pixolet.exe too.
std::string ProgramFolder();

// Deletes the program's registry key; reads and writes its options.
void DeleteProgramKey();
bool ReadOption(const char* pszName, DWORD& dwValue);
void WriteOption(const char* pszName, DWORD dwValue);

// What the process holds: GDI and USER objects and private bytes.
struct ProcessFigures {
  DWORD nGdiObjects = 0;
  DWORD nUserObjects = 0;
  SIZE_T nPrivateBytes = 0;
  const char* pszSource = ""; // how the objects were counted
  DWORD nMenus = 0;           // menu handles, counted in the program; 0 when they cannot be
};

// A screen rectangle as text, for messages.
std::string ToString(const RECT& rc);
// A window's rectangle on the screen.
CRect ScreenRect(HWND hWnd);
// A window's class name.
std::string ClassOf(HWND hWnd);
// The leftmost drop-down arrow in the area of the screen: a small black triangle pointing down (rows
// of 5, 3 and 1 black pixels, each centred under the one above); (-1, -1) when there is none.
CPoint DropDownArrow(const CRect& area);
// The pixels of a screen rectangle.
Pixels ReadScreen(const RECT& rc);
// A run of columns of a bar that hold ink, in screen coordinates.
struct InkRun {
  int left, right;
  bool bText; // holds the text colour (black)
};
// The runs of a bar's picture: those before the first wide gap (menu titles, tab texts) and
// those after it (the caption boxes, the tab strip's buttons). Runs closer than 5 columns join,
// so each word makes one run. Ink is the text colour alone (bTextOnly: the menu bar, whose
// gripper and ground are grey) or any dark grey (the tabs, whose other texts are grey and whose
// document icons are coloured).
struct BarInk {
  std::vector<InkRun> lead, tail;
};
BarInk ReadBarInk(HWND hBar, bool bTextOnly);
// The colour every pixel of a picture should have.
using Expected = std::function<COLORREF(int, int)>;
// The pixels of px, as expected colours.
Expected PixelsOf(const Pixels& px);
// The pattern the screen shows in area, as the capture of that area shows it.
Expected PatternOf(const CRect& area, int nSalt = 0);
// Every pixel of px equals expected(x, y).
::testing::AssertionResult PixelsAre(const Pixels& px, const Expected& expected);
// What read answers once painting has settled: two reads in a row agree, and nothing changed in the
// last nStillMs.
Pixels Settled(const std::function<Pixels()>& read, int nStillMs = 0);
// A themed menu unfolds in frames some tens of milliseconds apart and drops the keys it gets before
// its last one: waits until its picture has stood still for several frames.
void WaitUntilUnfolded(HWND hMenu);
// Saves a screen rectangle into the artifacts folder once its painting has settled.
void SaveScreenshot(const RECT& rc, const char* pszName);
// No window of the tree of hWnd has a part left to paint: a program busy painting takes its timers
// late, and the opening animation of a menu (which drops keys) waits for them.
bool Painted(HWND hWnd);
// Waits until the thread of hLeaf (a window with no children) has taken every input sent to it
// before. A message posted to the program is taken before input that waits, but a paint only once
// no input waits: the repaint asked of hLeaf is done after that input. False when it was not.
bool InputTaken(HWND hLeaf);
// A file of that name in the temporary folder.
std::string TempPath(const std::string& name);
// Saves a GDI+ bitmap as a PNG of that name in the temporary folder; its path, empty on failure.
std::string SaveTempPng(Gdiplus::Bitmap& bitmap, const std::string& name);
// A picture of the size whose pixels the function gives, saved as a PNG in the temporary folder.
std::string SavePicturePng(const std::string& name, CSize size, const Expected& color);
// The pixels of a picture file, read with GDI+; empty when it cannot be read.
Pixels ReadPictureFile(const std::string& path);

// Runs the current test again in a process of its own, for a test that leaves its process changed
// (a thread moved to another desktop cannot come back, and the process then no longer reads the
// screen the others use). In the test's process it answers true once the other has ended, with a
// failure when that one failed; in the other process it answers false and the test goes on.
bool RunInOwnProcess();
// Whether this process runs one test for another (RunInOwnProcess).
bool InOwnProcess();

// Runs body on a thread of its own while this thread keeps pumping; a thread that has no windows
// yet can be moved to another desktop.
void RunOnThread(const std::function<void()>& body);

// A visible top-level window of any process whose window class is that; NULL when there is none.
HWND VisibleWindowOfClass(const char* pszClass);

// Another program's window where a test wants it: Wine's notepad, placed through the position it
// keeps in the registry (moving an X window from outside does not move it for Wine).
class CNotepad {
public:
  CNotepad() = default;
  ~CNotepad() { Kill(); }
  CNotepad(const CNotepad&) = delete;
  CNotepad& operator=(const CNotepad&) = delete;

  // Starts notepad in rc and waits until its window shows there.
  ::testing::AssertionResult Start(const CRect& rc);
  void Kill();
  HWND Frame() const { return m_hFrame; }

private:
  HANDLE m_hProcess = NULL;
  HWND m_hFrame = NULL;
};

// While it lives, the web addresses (http, https) and help files the shell opens in the test
// prefix go to the stand-in browser in the stand-ins' folder, e2e_browser.exe, which only logs
// them; the prefix's own handlers come back after.
class CStandInBrowser {
public:
  CStandInBrowser();
  ~CStandInBrowser();
  CStandInBrowser(const CStandInBrowser&) = delete;
  CStandInBrowser& operator=(const CStandInBrowser&) = delete;

  ::testing::AssertionResult Registered() const { return m_registered; }
  // What the stand-in was asked to open, one entry per start, without the quotes of its command.
  std::vector<std::string> Opened() const;
  // Waits until the stand-in has opened something; then it must have opened exactly what.
  ::testing::AssertionResult OpenedOnly(const std::string& what);

private:
  struct Saved {
    std::string key;
    bool bHad;
    std::string command;
  };
  std::vector<Saved> m_saved;
  ::testing::AssertionResult m_registered = ::testing::AssertionSuccess();
};

// One run of pixolet.exe.
class CPixolet {
public:
  CPixolet() = default;
  ~CPixolet();
  CPixolet(const CPixolet&) = delete;
  CPixolet& operator=(const CPixolet&) = delete;

  // Starts the program with the command line's arguments and waits until its main frame is shown
  // and active. With a desktop named, the program runs in a new Wine virtual desktop of that name
  // and the calling thread (which must have no windows) moves there: windows, input and the
  // screen are then that desktop's.
  ::testing::AssertionResult Start(const std::string& args = "", const std::string& desktop = "");
  // Starts the program with the command line's arguments without waiting for any window: for a
  // start that shows a message before its main frame.
  ::testing::AssertionResult Launch(const std::string& args);
  // Starts the program as a first run does and waits until the tip of the day shows over its
  // frame; the tip is left open.
  ::testing::AssertionResult StartWithTip(HWND& hTip);
  // Closes the main frame as the user does (File, Exit) and waits for the process to end.
  ::testing::AssertionResult Exit();
  // Ends the process without asking (a test that failed halfway).
  void Kill();
  bool Running() const;
  DWORD ExitCode() const {
    DWORD dwCode = STILL_ACTIVE;
    return ::GetExitCodeProcess(m_hProcess, &dwCode) ? dwCode : STILL_ACTIVE;
  }

  HWND Frame() const { return m_hFrame; }
  HWND MdiClient() const { return ::FindWindowExA(m_hFrame, NULL, "MDIClient", NULL); }
  std::vector<HWND> Documents() const;          // the MDI children
  HWND View() const;                            // of the active document
  HWND TaskSheetBar() const;                    // the shown task-sheet bar; NULL when hidden
  std::vector<HWND> InTaskSheet(int nId) const; // the task-sheet bar's windows with the id
  HWND ShownInTaskSheet(int nId) const;         // the sheet's shown window with the id (pages share ids)
  std::string StatusText(int nPane) const;
  // The frame's windows with the id, at any depth (bars sit inside dock bars), in z-order; where the
  // frame has none, those of its floating frames.
  std::vector<HWND> Descendants(int nId) const;
  std::string Text(HWND hWnd) const; // a window's text, asked of its owner
  // A visible top-level window of the process (of any process before it is known) that satisfies
  // pred; NULL when there is none.
  HWND TopWindow(const std::function<bool(HWND)>& pred) const;
  // Waits for a visible dialog of the program whose text (or, for a message box, whose message)
  // holds the text; NULL when none came.
  HWND WaitForDialog(const std::string& text, int nTimeoutMs = 10000) const;
  // Waits for the message box with exactly that message, answers it with the key and waits until
  // it has gone.
  ::testing::AssertionResult Answer(const std::string& message, WORD wKey);

  // The frame (or the window given) as the foreground window: as it is, or made so as a user makes
  // it, by a click on its title bar; a failure names the window that is active instead.
  ::testing::AssertionResult Activate(HWND hWnd = NULL);
  // The frame is the active window and the user's keys reach its active view: Ctrl+S through the X
  // server opens Save As at once (Esc closes it again). With a name, the frame with the dialog open
  // is saved to the artifacts.
  ::testing::AssertionResult KeyboardInView(const char* pszScreenshot = nullptr);
  // Opens a popup of the menu bar with Alt and its letter, then picks the item by its letter.
  ::testing::AssertionResult Menu(char cPopup, char cItem);
  // Opens a popup of the menu bar with Alt and its letter (Alt and minus: the active document's
  // window menu) and waits until it has unfolded; the popup menu window, NULL when none opened.
  HWND OpenMenu(WORD wKey);
  // A popup menu of the program on the screen (the system's or a themed one) other than
  // hOther; NULL when none is.
  HWND ShownMenu(HWND hOther = NULL) const;
  // Clicks a screen point of the program's window with the X pointer; the popup menu it opens once
  // the menu's opening animation has ended (it drops the keys it gets before): the program has
  // painted and the menu's picture has stood still. NULL when none opened other than hOther (a
  // submenu's parent stays open).
  HWND ClickForMenu(CPoint pt, HWND hOther = NULL);
  // Whether the item's text in an open popup menu is drawn enabled; items count from the top,
  // separators included, with the last item highlighted (as Up leaves it).
  ::testing::AssertionResult MenuItemEnabled(HWND hPopup, int nItem, bool bEnabled);
  // The left quarter of an item of an open popup menu, where its check mark shows; empty when the
  // menu has no such item.
  static Pixels MenuItemMark(HWND hPopup, int nItem);
  // The screen rectangles of the texts of an open popup menu's items (the rows each text takes,
  // across the menu), top to bottom, without separators, once the menu has settled and shows at
  // least nItems; empty when it does not.
  static std::vector<CRect> MenuItemRects(HWND hPopup, int nItems);
  void Command(UINT nID); // a WM_COMMAND posted to the frame

  // The capture overlay once it is shown with the focus; NULL when it did not come.
  HWND WaitForOverlay();
  // Marks an area on the capture overlay with SendXSteps' steps (SendSteps' without X input). The
  // pointer waits where they start first: the overlay appearing under it reports it there.
  ::testing::AssertionResult Mark(const std::string& steps, bool bXInput = true);
  // The capture overlay once it shows, active or not; NULL when it did not come.
  HWND WaitForOverlayShown() const;
  // Marks an area as the user does, with SendXSteps (the pointer waits where they start first):
  // the overlay must have become the active window by itself (a failure names the window that is).
  ::testing::AssertionResult MarkAsUser(const std::string& steps);
  // Alt and the popup's letter, then the item's letter, through the X server to the window that has
  // the keyboard: nothing is made active first, and the frame must be the active window.
  ::testing::AssertionResult XMenu(char cPopup, char cItem);
  // Waits until the number of documents is n, the frame shows them laid out (with documents, the
  // view below the row of tabs, which comes a layout pass after a document opens and moves the view)
  // and, with a size, the status bar shows it.
  ::testing::AssertionResult WaitForDocuments(size_t n, CSize size = CSize(0, 0));
  // Where the active view shows picture pixel (0, 0) on the screen (zoom 100 %, no scrolling).
  CPoint PictureOrigin() const;
  Pixels ReadPicture(CSize size) const;
  // Waits until the picture of the size shows expected; where it differs when it never did.
  ::testing::AssertionResult PictureIs(CSize size, const Expected& expected);

  ProcessFigures Figures() const;
  // Commits and writes nBytes of the program's memory (freed with the process or by
  // FreeInProgram): a change every measure of its private bytes must show.
  LPVOID AllocateInProgram(SIZE_T nBytes) const;
  void FreeInProgram(LPVOID pBlock) const;
  // The menu handles the program holds, counted by the probe beside the tests, which the first
  // call loads into the program; 0, and a failure, when it cannot be.
  DWORD MenuHandles() const;

  // Opens the popup of the menu bar with Alt and keys[0], then presses the other letters in turn,
  // each once the popup it goes to has settled, so that letters of submenus open them; the last
  // popup shown, NULL when one did not open.
  HWND OpenMenuPath(const std::string& keys);
  // Picks the item at the end of the path of letters and waits until every popup has closed.
  ::testing::AssertionResult MenuPath(const std::string& keys);

private:
  // Starts the process and waits until its main frame shows.
  ::testing::AssertionResult LaunchAndFindFrame(const std::string& args, const std::string& desktop);
  // Waits for the tip of the day (a message box that comes first holds it back and is told).
  ::testing::AssertionResult WaitForTip(HWND& hTip);

  HANDLE m_hProcess = NULL;
  HANDLE m_hLauncher = NULL; // explorer for a virtual desktop
  DWORD m_dwPid = 0;
  HWND m_hFrame = NULL;
  mutable LPVOID m_pRemote = NULL; // a buffer in the program for the status bar's texts
  // The probe in the program: where it was loaded, the events its counting thread waits on and
  // signals, and where it leaves its count (NULL until the thread counts).
  struct ProbeLink {
    DWORD dwPid = 0;
    UINT_PTR nBase = 0;
    HANDLE hAsk = NULL, hDone = NULL;
    LPVOID pCount = NULL;
    ~ProbeLink();
  };
  // Loads the probe into the program and starts its counting thread; false when that fails.
  bool StartProbe() const;
  mutable std::unique_ptr<ProbeLink> m_probe;
};

// Every test starts with a full-screen pattern behind the program, so the screen it captures is
// known pixel for pixel, and ends with the program gone.
class E2eTest : public ::testing::Test {
protected:
  void SetUp() override;
  void TearDown() override;
  // The area most tests capture.
  const CRect kArea{100, 100, 300, 200};
  // Captures the area with the rectangle command from the menu and a drag over it.
  void CaptureFromMenu(const CRect& area);
  // Drags in the view between two picture points and waits until the picture changes.
  void DrawLine(CSize picture, CPoint from, CPoint to);
  // Closes the active document from the menu, answering the save question with the key given.
  void CloseDocument(WORD wAnswer);
  // Whether the Edit menu draws Undo and Redo enabled.
  void ExpectUndoRedo(bool bUndo, bool bRedo);
  // The active picture's pixels and size: the view shows its size once the pointer moves over it.
  void ExpectPicture(CSize size, const Expected& expected);
  // Runs a file dialog of the program (by its title; any, with none): types the path into its
  // name box and confirms.
  void TypeIntoFileDialog(const std::string& path, const char* pszTitle = "");
  // The same up to the confirming Enter, which may leave the dialog open: the dialog typed into.
  void TypeIntoNameBox(const std::string& path, const char* pszTitle, HWND& hDialog);

  CPixolet m_app;
};

} // namespace e2e
