// Shared pieces of the capture tests: windows that paint a coordinate-coded pattern, reading the
// screen and bitmaps back, real input through SendInput, and scripts that drive the modal overlay
// from a thread timer while its own loop runs.
#pragma once

#include "imaging/capture/CaptureDlg.h"
#include "framework/fw.h"
#include "tests/common/pattern_window.h"
#include "tests/common/pixel_support.h"

#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <string>
#include <vector>

// Readable values in failure messages.
inline void PrintTo(const CRect& rc, std::ostream* os) {
  *os << "(" << rc.left << "," << rc.top << ")-(" << rc.right << "," << rc.bottom << ")";
}
inline void PrintTo(const CPoint& pt, std::ostream* os) { *os << "(" << pt.x << "," << pt.y << ")"; }

namespace capture_test {

using pattern_window::CPatternWindow;
using pattern_window::PatternColor;

typedef std::function<COLORREF(int, int)> ScreenFn;

using pixel_support::Pixels;
using pixel_support::ReadBitmap;
using pixel_support::ReadWindow;
using pixel_support::SaveBmp;

// The bounding box of the pixels where px differs from expected(left + x, top + y); empty when
// none does.
CRect DifferenceBox(const Pixels& px, int left, int top, const ScreenFn& expected);
// Every pixel of px equals expected(left + x, top + y).
::testing::AssertionResult Matches(const Pixels& px, int left, int top, const ScreenFn& expected);

int ScreenWidth();
int ScreenHeight();
CRect ScreenRect();

// Pumps until the screen shows expected everywhere, or the time is up.
::testing::AssertionResult WaitForScreen(const ScreenFn& expected, int nTimeoutMs = 5000);
// Moves the pointer with real input and waits until it is there.
::testing::AssertionResult MovePointer(int x, int y, int nTimeoutMs = 5000);

// The overlay with a record of what reached it and of the magnifier's texts.
class CTestCaptureDlg : public CCaptureDlg {
public:
  struct Message {
    UINT nMsg;
    WPARAM wParam;
    CPoint point;
  };
  struct Text {
    int x;
    int y;
    std::string text;
  };

  std::vector<Message> m_messages; // input messages after the overlay handled them
  std::vector<Text> m_texts;       // magnifier lines in the order they were drawn
  bool m_bShown = false;           // the overlay was made visible at some point

  // Index of the first message nMsg from nFrom on that also satisfies pred (when given), or -1.
  int Find(UINT nMsg, size_t nFrom = 0, const std::function<bool(const Message&)>& pred = nullptr) const;
  bool SawText(const std::string& text) const;

protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  void DrawMagnifierText(CDC* pDC, int x, int y, const CString& strText) override;
};

// Steps run from a thread timer while the overlay's modal loop runs; each answers true when it is
// done. The input steps inject once and then wait until the overlay has handled the input.
class CScript {
public:
  typedef std::function<bool()> Step;

  explicit CScript(CTestCaptureDlg& dlg) : m_dlg(dlg) {}

  CScript& Then(const std::string& name, Step step);
  CScript& WaitReady();
  // Input steps: "P x,y" press, "R x,y" release, "M x,y" move, "C x,y" click, "D x,y" double
  // click, "W" wait until the next press is no double click, "Enter" and "Esc" (which the dialog
  // manager turns into OK and Cancel), separated by spaces; "Q x,y;x,y;..." moves through the
  // points in one go, quicker than the overlay takes them.
  CScript& Do(const std::string& steps);
  CScript& QuickMoves(const std::string& points);
  CScript& ClickHere(); // without moving the pointer
  // A key press; for the arrows also waits for the pointer movement it makes.
  CScript& Key(WORD wVk, bool bCtrl = false);

  // Runs the overlay modally with the steps. A watchdog cancels it when it is still open at the
  // deadline, so a broken step fails the test instead of hanging it.
  INT_PTR Run(int nTimeoutMs = 10000);
  bool TimedOut() const { return m_bTimedOut; }
  // The step the script was waiting for, for failure messages.
  std::string Pending() const { return m_nNext < m_steps.size() ? m_steps[m_nNext].first : "nothing"; }

private:
  CScript& Input(const std::string& name, std::function<void()> inject, std::function<bool(size_t)> seen);
  CScript& Mouse(const char* pszWhat, std::vector<DWORD> inputs, UINT nMsg, int x, int y);
  static void CALLBACK TimerProc(HWND, UINT, UINT_PTR, DWORD);

  CTestCaptureDlg& m_dlg;
  std::vector<std::pair<std::string, Step>> m_steps;
  size_t m_nNext = 0;
  DWORD m_dwDeadline = 0;
  bool m_bTimedOut = false;
  bool m_bInTick = false;
  static CScript* s_pActive;
};

// The outcome of one modal run.
struct CaptureResult {
  INT_PTR nResult = 0;
  bool bBitmap = false;
  Pixels pixels;
};

// The pattern screen every capture test starts from: one disabled full-screen pattern window.
class CaptureScreenTest : public ::testing::Test {
protected:
  void SetUp() override;
  static ScreenFn Pattern() {
    return [](int x, int y) { return PatternColor(x, y); };
  }
  // Runs m_dlg in the mode; mark adds the steps after the overlay is ready. Without them the
  // mode must finish by itself. A script left waiting fails the test.
  CaptureResult Run(int nMode, const std::function<void(CScript&)>& mark = nullptr);

  CTestCaptureDlg m_dlg;
};

} // namespace capture_test
