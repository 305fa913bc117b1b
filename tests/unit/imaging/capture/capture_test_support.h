// Shared pieces of the capture tests: windows that paint a coordinate-coded pattern, reading the
// screen and bitmaps back, real input through SendInput, and scripts that drive a modal overlay
// from a thread timer while its own loop runs.
#pragma once

#include "imaging/capture/CaptureDlg.h"
#include "framework/fw.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

// Readable values in failure messages.
inline void PrintTo(const CRect& rc, std::ostream* os) {
  *os << "(" << rc.left << "," << rc.top << ")-(" << rc.right << "," << rc.bottom << ")";
}
inline void PrintTo(const CPoint& pt, std::ostream* os) { *os << "(" << pt.x << "," << pt.y << ")"; }

namespace capture_test {

// The colour the pattern windows paint at screen pixel (x, y): distinct for every pixel of a
// screen up to 4096 x 1024, never black or white. Windows with another salt paint other colours.
COLORREF PatternColor(int x, int y, int nSalt = 0);

typedef std::function<COLORREF(int, int)> ScreenFn;

// Pixels of a bitmap or of the screen, top row first, as COLORREF values.
struct Pixels {
  int cx = 0;
  int cy = 0;
  std::vector<COLORREF> data;

  bool Empty() const { return data.empty(); }
  COLORREF At(int x, int y) const { return data[(size_t)y * cx + x]; }
};

Pixels ReadBitmap(HBITMAP hBitmap);
// What GetDC(NULL) shows of the rectangle.
Pixels ReadScreen(const RECT& rect);
// What a window's own DC holds (its own surface): the client area or a part of it.
Pixels ReadWindow(HWND hWnd, const RECT* pPart = NULL);

// Every pixel of px equals expected(left + x, top + y).
::testing::AssertionResult Matches(const Pixels& px, int left, int top, const ScreenFn& expected);
// The bounding box of the pixels where px differs from expected(left + x, top + y); empty when
// none does.
CRect DifferenceBox(const Pixels& px, int left, int top, const ScreenFn& expected);

// Writes the pixels as a 32-bit BMP into the artifacts folder (PIX_ARTIFACTS, a Unix path seen
// through drive Z: under Wine). Answers the path written, empty on failure.
std::string SaveBmp(const Pixels& px, const char* pszName);

int ScreenWidth();
int ScreenHeight();
CRect ScreenRect();

// A pop-up that paints PatternColor of its screen pixels with its salt. A disabled one can never
// become the active window, so it never competes with the windows a test activates.
class CPatternWindow {
public:
  CPatternWindow() = default;
  ~CPatternWindow() { Destroy(); }
  CPatternWindow(const CPatternWindow&) = delete;
  CPatternWindow& operator=(const CPatternWindow&) = delete;

  bool Create(const RECT& rect, int nSalt, bool bDisabled);
  void Destroy();
  HWND Handle() const { return m_hWnd; }
  const CRect& Rect() const { return m_rect; }
  int Salt() const { return m_nSalt; }

private:
  static LRESULT CALLBACK WndProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam);
  HWND m_hWnd = NULL;
  CRect m_rect;
  int m_nSalt = 0;
  std::vector<DWORD> m_bits; // what it paints, top row first, 0x00RRGGBB
};

// Runs the thread's messages for about nMilliseconds, waking as soon as messages arrive.
void PumpFor(int nMilliseconds);
// Pumps until the screen shows expected everywhere, or the time is up.
::testing::AssertionResult WaitForScreen(const ScreenFn& expected, int nTimeoutMs = 5000);

// Real input. MovePointer waits until the pointer is there.
void InjectMove(int x, int y);
::testing::AssertionResult MovePointer(int x, int y, int nTimeoutMs = 5000);
void InjectButton(bool bDown); // at the current pointer position
void InjectButtonAt(int x, int y, bool bDown);
void InjectKey(WORD wVk, bool bDown);

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

  // Index of the first message nMsg at point from nFrom on, or -1.
  int Find(UINT nMsg, CPoint point, size_t nFrom = 0) const;
  int FindKey(WPARAM wVk, size_t nFrom = 0) const;
  // Index of the first message nMsg from nFrom on, wherever it happened, or -1.
  int FindMessage(UINT nMsg, size_t nFrom = 0) const;
  bool SawText(const std::string& text) const;

protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  void DrawMagnifierText(CDC* pDC, int x, int y, const CString& strText) override;
};

// A list of steps run from a thread timer while the overlay's modal loop runs; each step answers
// true when it is done. A watchdog cancels the overlay when it is still open at the deadline, so a
// broken step fails the test instead of hanging it.
class CScript {
public:
  typedef std::function<bool()> Step;

  explicit CScript(CTestCaptureDlg& dlg) : m_dlg(dlg) {}
  ~CScript() { Stop(); }
  CScript(const CScript&) = delete;
  CScript& operator=(const CScript&) = delete;

  CScript& Then(const std::string& name, Step step);

  // Steps for the usual actions; each injects its input once and then waits until the overlay
  // has handled it.
  CScript& WaitReady();
  CScript& MoveTo(int x, int y);
  CScript& Press(int x, int y);
  CScript& Release(int x, int y);
  CScript& Click(int x, int y);
  // A click wherever the pointer is, without moving it.
  CScript& ClickHere();
  CScript& DoubleClick(int x, int y);
  // A key press; for the arrows also waits for the pointer movement it makes.
  CScript& Key(WORD wVk, bool bCtrl = false);
  // Enter or Esc: the dialog manager turns them into OK and Cancel.
  CScript& EndKey(WORD wVk);
  CScript& Pause(int nMilliseconds);

  void Start(int nTimeoutMs = 10000);
  void Stop();
  bool Finished() const { return m_nNext >= m_steps.size(); }
  bool TimedOut() const { return m_bTimedOut; }
  // The step the script was waiting for, for failure messages.
  std::string Pending() const;

private:
  static void CALLBACK TimerProc(HWND, UINT, UINT_PTR, DWORD);
  void Tick();

  CTestCaptureDlg& m_dlg;
  std::vector<std::pair<std::string, Step>> m_steps;
  size_t m_nNext = 0;
  UINT_PTR m_nTimer = 0;
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

// Runs the overlay with the script and takes its result over.
CaptureResult RunCapture(CTestCaptureDlg& dlg, CScript& script);

// The pattern screen every capture test starts from: one disabled full-screen pattern window.
class CaptureScreenTest : public ::testing::Test {
protected:
  void SetUp() override;
  static CPatternWindow& Background();
  static ScreenFn Pattern() {
    return [](int x, int y) { return PatternColor(x, y); };
  }
  // Runs m_dlg in the mode with the script; a script left waiting fails the test.
  CaptureResult Run(int nMode, CScript& script) {
    m_dlg.m_nCaptureType = nMode;
    CaptureResult result = RunCapture(m_dlg, script);
    EXPECT_FALSE(script.TimedOut()) << "stuck waiting for: " << script.Pending();
    return result;
  }

  CTestCaptureDlg m_dlg;
};

} // namespace capture_test
