#include "tests/harness/lab_script.h"

#include "tests/common/input_support.h"

#include <memory>
#include <string>

namespace lab {

bool PointerAt(const CPoint& pt) {
  CPoint ptNow;
  ::GetCursorPos(&ptNow);
  return ptNow == pt;
}

void XMoveTo(const CPoint& pt) {
  if (!real_input::XMoveTo(pt))
    Check(false, "cannot run xdotool to move the pointer");
}

void CLabScript::Add(std::string what, std::function<void()> act, std::function<bool()> done) {
  m_steps.push_back({std::move(what), std::move(act), std::move(done)});
}

void CLabScript::AddClick(const std::string& what, std::function<CPoint()> where, std::function<bool()> done,
                          bool bRightButton) {
  auto pt = std::make_shared<CPoint>();
  Add(
      what + ": the pointer reaches its target",
      [pt, where] {
        *pt = where();
        real_input::MoveTo(*pt);
      },
      [pt] { return PointerAt(*pt); });
  Add(
      what,
      [pt, bRightButton] {
        real_input::MouseAt(*pt, bRightButton ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN);
        real_input::MouseAt(*pt, bRightButton ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP);
      },
      std::move(done));
}

void CLabScript::AddDrag(const std::string& what, std::function<CPoint()> from, std::function<CPoint()> to,
                         std::function<bool()> done) {
  auto ptFrom = std::make_shared<CPoint>();
  auto ptTo = std::make_shared<CPoint>();
  Add(
      what + ": the pointer reaches the start",
      [ptFrom, from] {
        *ptFrom = from();
        real_input::MoveTo(*ptFrom);
      },
      [ptFrom] { return PointerAt(*ptFrom); });
  Add(
      what + ": the pointer drags to the end",
      [ptFrom, ptTo, to] {
        *ptTo = to();
        real_input::MouseAt(*ptFrom, MOUSEEVENTF_LEFTDOWN);
        for (int i = 1; i <= 4; ++i)
          real_input::MouseAt(
              CPoint(ptFrom->x + (ptTo->x - ptFrom->x) * i / 4, ptFrom->y + (ptTo->y - ptFrom->y) * i / 4),
              MOUSEEVENTF_MOVE);
      },
      [ptTo] { return PointerAt(*ptTo); });
  Add(
      what, [ptTo] { real_input::MouseAt(*ptTo, MOUSEEVENTF_LEFTUP); }, std::move(done));
}

void CLabScript::AddKeys(const std::string& what, std::vector<UINT> keys, std::function<bool()> done) {
  Add(
      what,
      [keys] {
        for (UINT nKey : keys)
          real_input::Key(nKey);
      },
      std::move(done));
}

bool CLabScript::RunNext(CWnd* pFrame) {
  if (m_nStep >= m_steps.size()) {
    g_bScriptDone = true;
    return false;
  }
  Step& step = m_steps[m_nStep++];
  if (step.act)
    step.act();
  m_wait.Start(
      pFrame, step.done ? step.done : [] { return true; }, step.what);
  return true;
}

} // namespace lab
