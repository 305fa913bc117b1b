// The driver of the end-to-end tests: starts the built program under Wine as a user would, finds
// its windows, gives it real keyboard and mouse input, reads its status bar, its registry key and
// the screen, and measures what its process holds. Every wait polls for its effect with a
// timeout while this thread's own windows (the pattern behind the program) keep painting.
#pragma once

#include "framework/fw.h"
#include "tests/common/pattern_window.h"
#include "tests/common/pixel_support.h"

#include <gtest/gtest.h>

#include <functional>
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
void MouseButton(bool bDown, int x, int y);
void PressKey(WORD wVk, UINT nMods = 0);
void TypeText(const std::string& text);
// Lets the thread of the window take the input queued before: it answers two messages sent after
// it, and reads the window system's pending events when its queue runs empty.
void SyncInput(HWND hWnd);
// Steps of mouse and keyboard input for a window: "P x,y" press, "R x,y" release, "M x,y" move,
// "C x,y" click, "Enter", "Esc". Each goes once the window's thread has taken the one before, so
// no two moves are merged into one.
// Every move of the pointer also moves the X pointer, and X reports that to the program as a move
// of its own, possibly late: a step's button goes with its move in one input, a drag whose result
// is its last move goes straight to its end, and the pointer waits at its start before the window
// appears. Before a press the window's top-level window is made active, so the press need not
// activate it.
void SendSteps(const std::string& steps, HWND hWnd);

// The folder of the test program, where the build puts pixolet.exe too.
std::string ProgramFolder();

// The program's registry key under HKEY_CURRENT_USER and its Options subkey.
extern const char kProgramKey[];
extern const char kOptionsKey[];
void DeleteProgramKey();
bool ReadOption(const char* pszName, DWORD& dwValue);
void WriteOption(const char* pszName, DWORD dwValue);

// What the process holds: GDI and USER objects and private bytes.
struct ProcessFigures {
  DWORD nGdiObjects = 0;
  DWORD nUserObjects = 0;
  SIZE_T nPrivateBytes = 0;
  const char* pszSource = ""; // how the objects were counted
};

// A screen rectangle as text, for messages.
std::string ToString(const RECT& rc);
// The pixels of a screen rectangle.
Pixels ReadScreen(const RECT& rc);
// Every pixel equal; otherwise where the first difference is.
::testing::AssertionResult SamePixels(const Pixels& expected, const Pixels& actual);
// Every pixel of px equals expected(x, y).
::testing::AssertionResult PixelsAre(const Pixels& px, const std::function<COLORREF(int, int)>& expected);
// Saves a screen rectangle into the artifacts folder once its painting has settled.
void SaveScreenshot(const RECT& rc, const char* pszName);

// Runs body on a thread of its own while this thread keeps pumping; a thread that has no windows
// yet can be moved to another desktop.
void RunOnThread(const std::function<void()>& body);

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
  // Closes the main frame as the user does (File, Exit) and waits for the process to end.
  ::testing::AssertionResult Exit();
  // Ends the process without asking (a test that failed halfway).
  void Kill();
  bool Running() const;
  DWORD ExitCode() const;

  HWND Frame() const { return m_hFrame; }
  HWND MdiClient() const;
  std::vector<HWND> Documents() const; // the MDI children
  HWND ActiveDocument() const;
  HWND View() const; // of the active document
  HWND StatusBar() const;
  std::string StatusText(int nPane) const;
  std::string Text(HWND hWnd) const; // a window's text, asked of its owner
  // The visible top-level windows of the process that satisfy pred.
  std::vector<HWND> TopWindows(const std::function<bool(HWND)>& pred) const;
  // Waits for a visible top-level window of the class whose text (or, for a message box, whose
  // message) holds the text; NULL when none came.
  HWND WaitForWindow(const char* pszClass, const std::string& text, int nTimeoutMs = 10000) const;
  HWND WaitForMessage(const std::string& text, int nTimeoutMs = 10000) const;

  // Makes the frame (or the window given) the foreground window.
  ::testing::AssertionResult Activate(HWND hWnd = NULL);
  // Opens a popup of the menu bar with Alt and its letter, then picks the item by its letter.
  ::testing::AssertionResult Menu(char cPopup, char cItem);
  // Opens a popup of the menu bar with Alt and its letter; the popup menu window.
  HWND OpenMenu(char cPopup);
  // Whether the item's text in an open popup menu is drawn enabled; items count from the top,
  // separators included, with the last item highlighted (as Up leaves it).
  ::testing::AssertionResult MenuItemEnabled(HWND hPopup, int nItem, bool bEnabled);
  void Command(UINT nID); // a WM_COMMAND posted to the frame

  // The capture overlay once it is shown with the focus; NULL when it did not come.
  HWND WaitForOverlay();
  // Waits until the number of documents is n and, with a size, the status bar shows it.
  ::testing::AssertionResult WaitForDocuments(size_t n, CSize size = CSize(0, 0));
  // Where the active view shows picture pixel (0, 0) on the screen (zoom 100 %, no scrolling).
  CPoint PictureOrigin() const;
  Pixels ReadPicture(CSize size) const;
  // Waits until the picture shows pred; the pixels last read.
  Pixels WaitForPicture(CSize size, const std::function<bool(const Pixels&)>& pred, int nTimeoutMs = 10000);

  ProcessFigures Figures() const;

private:
  HWND FindFrame() const;

  HANDLE m_hProcess = NULL;
  HANDLE m_hLauncher = NULL; // explorer for a virtual desktop
  DWORD m_dwPid = 0;
  HWND m_hFrame = NULL;
  mutable LPVOID m_pRemote = NULL; // a buffer in the program for the status bar's texts
};

// Every test starts with a full-screen pattern behind the program, so the screen it captures is
// known pixel for pixel, and ends with the program gone.
class E2eTest : public ::testing::Test {
protected:
  void SetUp() override;
  void TearDown() override;
  static COLORREF Pattern(int x, int y) { return pattern_window::PatternColor(x, y); }
  // Captures the area with the rectangle command from the menu and a drag over it.
  void CaptureFromMenu(const CRect& area);
  // Drags in the view between two picture points and waits until the picture changes.
  void DrawLine(CSize picture, CPoint from, CPoint to);
  // Closes the active document from the menu, answering the save question with the key given.
  void CloseDocument(WORD wAnswer);
  // Whether the Edit menu draws Undo and Redo enabled.
  void ExpectUndoRedo(bool bUndo, bool bRedo);

  CPixolet m_app;
};

} // namespace e2e
