// What the painting and window tests of the popup menu share: waiting for an effect, a receiver
// window that logs the commands and popup messages it gets, a menu whose rows the test places, and a
// theme that records the menu rows it is asked to draw.
#pragma once

#include "framework/fw.h"
#include "toolkit/menus/ExtPopupMenuWnd.h"
#include "toolkit/theme/ExtPaintManagerHolder.h"

#include <gtest/gtest.h>

#include <cctype>
#include <functional>
#include <string>
#include <vector>

namespace menu_paint {

// The name of a parameterised case: its description, letters and digits kept.
struct CaseName {
  template <class T> std::string operator()(const ::testing::TestParamInfo<T>& info) const {
    std::string s = info.param.name;
    for (char& ch : s)
      ch = std::isalnum((unsigned char)ch) ? ch : '_';
    return s;
  }
};

// Runs the thread's messages until the predicate holds or the time is up; answers the predicate.
bool WaitUntil(const std::function<bool()>& pred, int nTimeoutMs = 5000);

// Shows a menu at a screen point as the tracking will, without taking the input: expanded, laid
// out, created, its region applied, its animation started, the screen beneath captured and shown
// without activation.
bool ShowAt(CExtPopupMenuWnd& menu, CWnd* pOwner, CPoint pt, DWORD dwTrackFlags, int nAnimation);

struct ReceivedMessage {
  UINT nMsg;
  WPARAM wParam;
  LPARAM lParam;
};

// A top-level window that logs every command, system command, message-line request and registered
// message it receives, and answers them through m_answer (0 when unset); it notes the update
// rectangle of every paint.
class CMenuReceiver : public CWnd {
public:
  bool CreateReceiver(const RECT& rc = RECT{600, 40, 760, 140}, bool bVisible = false);
  int Count(UINT nMsg) const;
  const ReceivedMessage* Find(UINT nMsg) const;

  std::vector<ReceivedMessage> m_log;
  std::vector<CRect> m_paints;
  std::function<LRESULT(UINT, WPARAM, LPARAM)> m_answer;

protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};

// A menu whose rows the test places: each added item gets the next row below the last, inside the
// border and right of the left area; the window goes where the test says.
class CFixedLayoutMenu : public CExtPopupMenuWnd {
public:
  enum { kBorder = 3, kWidth = 160 };
  CRect m_rcPlacement{200, 150, 200 + kWidth, 150 + 140}; // screen
  std::vector<CRect> m_rows;                              // client coordinates

  // Appends a shown item of the id (0 separator, ID_SUBMENU with pChild) and text.
  MENUITEMDATA& AddItem(UINT nCmdId, LPCSTR lpszText = "Item", int nHeight = 22,
                        CExtPopupMenuWnd* pChild = NULL);
  void GetItemRect(int nIndex, RECT& rc, bool bInner = false) const override;
  int GetBorderSize() const override { return kBorder; }
  CRect CalcWindowPlacement() override;
  // Shows the window without activating it, the screen beneath captured first.
  void ShowNoActivate();
};

// One menu row as the theme was asked to draw it.
struct PaintedRow {
  CString text, accelText;
  HFONT font;
  UINT sysCommandId;
  RECT itemRect, backRect;
  bool popup, selected, checkMark, radio, enabled, rarelyUsed, rarelyUsedAbove, rarelyUsedBelow;
};

// The XP theme, recording every menu row it draws; installed for the life of the object, the
// default theme back afterwards.
class ScopedRecordingTheme {
public:
  ScopedRecordingTheme();
  ~ScopedRecordingTheme();
  ScopedRecordingTheme(const ScopedRecordingTheme&) = delete;
  ScopedRecordingTheme& operator=(const ScopedRecordingTheme&) = delete;
  static std::vector<PaintedRow>& Rows();
};

} // namespace menu_paint
