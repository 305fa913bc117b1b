// What the drag tests share: a frame that logs every tracked area its bars offer it (with the
// drop record being shown), fixed bars that move live, and real input for a whole drag sent from
// a driver thread, each move paced by the bar's own drag step.
#pragma once

#include "tests/unit/toolkit/docking/dock_frame_support.h"
#include "tests/unit/toolkit/docking/dock_support.h"

#include <functional>
#include <vector>

struct TrackedAreaEntry {
  LONG nKind;
  CRect rc; // frame window coordinates (or screen ones on the desktop)
  bool bErase;
  LONG nType; // the target type of the record being shown
  LONG nRowPosition;
};

class CDragLogFrame : public CDockTestFrame {
public:
  std::vector<TrackedAreaEntry> m_log;
  // Draws less erases: 0 when nothing is left on the screen.
  int Shown() const;
  // The last drawn (not erased) entry; nType -1 when none.
  TrackedAreaEntry LastDrawn() const;

  // Sent kMsgQuitWithMove (lParam: a screen point), posts the thread's quit (code wParam) with a
  // move to the point waiting in the queue ahead of it.
  static const UINT kMsgQuitWithMove = WM_APP + 77;

protected:
  afx_msg LRESULT OnDrawTrackedArea(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnQuitWithMove(WPARAM wParam, LPARAM lParam);
  DECLARE_MESSAGE_MAP()
};

// A fixed bar of one size that moves live while dragged, as tool bars do.
class CFixedDragBar : public CTestBar {
public:
  explicit CFixedDragBar(CSize size) : CTestBar(true, size) {}
  bool IsShowContentWhileDragging() const override { return true; }
};

// One piece of input of a drag script.
struct DragInput {
  enum Kind {
    MOVE,
    LEFT_DOWN,
    LEFT_UP,
    RIGHT_DOWN,
    RIGHT_UP,
    MIDDLE_DOWN,
    MIDDLE_UP,
    KEY_DOWN,
    KEY_UP,
    CANCEL_MODE,
    QUIT, // the end of the program with a move to pt queued before it (see CDragLogFrame)
    PROBE
  };
  Kind kind;
  CPoint pt;
  WORD vk;
  std::function<void()> probe; // runs on the driver thread once the bar rests
  static DragInput Move(CPoint pt) { return {MOVE, pt, 0, nullptr}; }
  static DragInput Key(WORD vk, bool bDown) { return {bDown ? KEY_DOWN : KEY_UP, CPoint(), vk, nullptr}; }
  static DragInput Do(Kind kind) { return {kind, CPoint(), 0, nullptr}; }
  static DragInput Probe(std::function<void()> fn) { return {PROBE, CPoint(), 0, std::move(fn)}; }
};

// Presses on ptPress, plays the script and waits until the drag has ended; false when it did not
// end in time. Moves wait until the bar's drag has stepped to them (or the drag is not running).
bool RunDrag(CExtControlBar* pBar, CPoint ptPress, const std::vector<DragInput>& script);
// A press-move-release drag through the points.
bool DragThrough(CExtControlBar* pBar, CPoint ptPress, const std::vector<CPoint>& points);
// The screen point in the middle of the bar's caption (its top when it shows none).
CPoint CaptionPoint(CExtControlBar* pBar);
