// A self-test's script of steps driven by real pointer and key input: each step acts, then waits
// for its effect before the next one is posted.
#pragma once

#include "framework/fw.h"
#include "tests/harness/lab_support.h"

#include <functional>
#include <string>
#include <vector>

namespace lab {

// True when the pointer rests at the point.
bool PointerAt(const CPoint& pt);
// Moves the X pointer with xdotool, as the user's hand moves it, without waiting: the window
// system reports the move in its order with the other pointer events. A move made with SendInput
// warps the X pointer, and Wine may report a warp late, after the next move, which it then undoes.
void XMoveTo(const CPoint& pt);

class CLabScript {
public:
  struct Step {
    std::string what;
    std::function<void()> act;
    std::function<bool()> done; // empty: done at once
  };

  void Add(std::string what, std::function<void()> act, std::function<bool()> done);
  // A click as a user makes it: the pointer goes to the point and rests there (Wine may echo a
  // stale position late), then the button goes down and up at that very point.
  void AddClick(const std::string& what, std::function<CPoint()> where, std::function<bool()> done,
                bool bRightButton = false);
  // A drag with the left button held from one point to another, in a few moves.
  void AddDrag(const std::string& what, std::function<CPoint()> from, std::function<CPoint()> to,
               std::function<bool()> done);
  // Keys pressed and released one after another.
  void AddKeys(const std::string& what, std::vector<UINT> keys, std::function<bool()> done);

  // Runs the next step and starts its wait; after the last step sets g_bScriptDone and answers
  // false.
  bool RunNext(CWnd* pFrame);
  bool OnTimer(CWnd* pFrame, UINT nIDEvent, UINT nStepMessage) {
    return m_wait.OnTimer(pFrame, nIDEvent, nStepMessage);
  }

private:
  std::vector<Step> m_steps;
  size_t m_nStep = 0;
  CLabWait m_wait;
};

} // namespace lab
