// The program's icon in the notification area as the tests reach it, and the capture bar's arrow
// the capture tests compare the tray's roads with. Xvfb has no desktop with a
// notification area: the icon's mouse messages are posted to the window the shell knows the icon
// by, as the shell posts them. Wine's explorer keeps the icons, so the shell can be asked from here
// whether it holds the program's icon. It also shows them in a tray window of its own at the
// screen's top-left, where the icon can be clicked while no window covers it.
#pragma once

#include "tests/e2e/e2e_support.h"

#include <functional>
#include <string>
#include <vector>

namespace e2e {

// Where the pointer waits when the icon is clicked: the menu opens there.
const CPoint kIconClickAt(900, 700);

// What the shell answers to a call about the program's icon of the window.
bool CallShell(DWORD dwMessage, HWND hWnd);
// A change of nothing succeeds only for an icon the shell holds.
bool ShellHoldsIcon(HWND hWnd);
// Does an action until its effect shows, three times at most, each time made again named in the
// run's summary: Wine on a busy machine now and then loses a key or a click.
::testing::AssertionResult Until(const std::string& what, const std::function<void()>& act,
                                 const std::function<bool()>& done);
// The icons Wine's explorer shows in its own tray window, and that window; none when it shows none.
std::vector<HWND> ShownTrayIcons();
HWND ShownTrayWindow();
// Picks an item of an open menu by its key (or closes it with Esc).
::testing::AssertionResult PickByKey(HWND hMenu, WORD wKey);

class TrayTest : public E2eTest {
protected:
  // Starts the program and finds the window its icon talks to.
  ::testing::AssertionResult StartWithIcon();
  // The program's top-level windows, hidden ones too.
  std::vector<HWND> ProgramWindows() const;
  // The program's window the shell holds the icon of; NULL when there is none.
  HWND IconWindow() const;
  // What the shell posts when the user does that with the mouse over the icon.
  void IconMouse(UINT nMessage);
  // A right click on the icon; the tray menu once it has painted, NULL when none came.
  HWND OpenTrayMenu();
  // The capture overlays the program shows.
  size_t Overlays() const;
  // The capture tool bar: the narrower of the two tool bars shown at start.
  CRect CaptureBar() const;
  // A click on the capture bar's arrow with the X pointer, and the mode of that letter picked in
  // the menu it opens.
  ::testing::AssertionResult PickFromCaptureArrow(WORD wKey);
  // A double click of the X pointer on the program's icon in Wine's tray window, once that shows
  // it, after a click on that window's caption has brought it over whatever covered it.
  ::testing::AssertionResult DoubleClickShownIcon();

  HWND m_hTray = NULL;
  std::vector<HWND> m_iconsBefore; // the icons shown before the program started
};

} // namespace e2e
