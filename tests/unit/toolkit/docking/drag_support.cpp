#include "tests/unit/toolkit/docking/drag_support.h"

#include "tests/common/driver_script.h"
#include "tests/common/input_support.h"
#include "tests/common/window_support.h"

#include <atomic>
#include <cstdlib>
#include <chrono>
#include <thread>

BEGIN_MESSAGE_MAP(CDragLogFrame, CDockTestFrame)
ON_REGISTERED_MESSAGE(CExtControlBar::g_nMsgDrawTrackedArea, OnDrawTrackedArea)
ON_MESSAGE(kMsgQuitWithMove, OnQuitWithMove)
END_MESSAGE_MAP()

LRESULT CDragLogFrame::OnQuitWithMove(WPARAM wParam, LPARAM lParam) {
  // Posted to the window holding the mouse, as the drag's own timer posts its moves: a posted
  // message comes before the quit, input after it.
  CPoint pt(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
  const HWND hCapture = ::GetCapture();
  ::ScreenToClient(hCapture, &pt);
  ::PostMessageA(hCapture, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
  ::PostQuitMessage(static_cast<int>(wParam));
  return 0;
}

LRESULT CDragLogFrame::OnDrawTrackedArea(WPARAM wParam, LPARAM lParam) {
  const auto* pData = reinterpret_cast<CExtControlBar::TrackedAreaDrawData*>(wParam);
  const bool bErase = (pData->m_bFlags & CExtControlBar::TrackedAreaDrawData::FLAG_ERASE) != 0;
  const CExtControlBar::InternalDraggingState_t& st =
      bErase ? CExtControlBar::g_DragStateCurrent : CExtControlBar::g_DragStateNew;
  m_log.push_back({pData->m_nKind, CRect(pData->m_rcArea), bErase, st.m_nTargetType, st.m_nRowPosition});
  return CDockTestFrame::OnDrawTrackedArea(wParam, lParam);
}

int CDragLogFrame::Shown() const {
  int n = 0;
  for (const TrackedAreaEntry& e : m_log)
    n += e.bErase ? -1 : 1;
  return n;
}

TrackedAreaEntry CDragLogFrame::LastDrawn() const {
  for (auto it = m_log.rbegin(); it != m_log.rend(); ++it)
    if (!it->bErase)
      return *it;
  return {0, CRect(), false, -1, 0};
}

namespace {

bool IsDragging(CExtControlBar* pBar) {
  return (*static_cast<volatile BYTE*>(&pBar->m_bBarState) & CExtControlBar::BS_DRAGGING) != 0;
}

bool SteppedTo(CExtControlBar* pBar, CPoint pt) {
  volatile LONG* p = reinterpret_cast<volatile LONG*>(&pBar->m_ptLastDrag);
  return p[0] == pt.x && p[1] == pt.y;
}

// Lets the UI thread take input that has no step to wait for (presses, keys); it is only pacing.
void Settle() { std::this_thread::sleep_for(std::chrono::milliseconds(25)); }

} // namespace

bool RunDrag(CExtControlBar* pBar, CPoint ptPress, const std::vector<DragInput>& script) {
  // A press where the last one was, just before, would be the second click of a double click.
  static CPoint s_ptLastPress(-1000, -1000);
  static DWORD s_dwLastPress = 0;
  if (std::abs(ptPress.x - s_ptLastPress.x) <= ::GetSystemMetrics(SM_CXDOUBLECLK) &&
      std::abs(ptPress.y - s_ptLastPress.y) <= ::GetSystemMetrics(SM_CYDOUBLECLK) &&
      ::GetTickCount() - s_dwLastPress <= ::GetDoubleClickTime())
    ptPress.x = s_ptLastPress.x + ::GetSystemMetrics(SM_CXDOUBLECLK) + 2;
  s_ptLastPress = ptPress;
  s_dwLastPress = ::GetTickCount();
  std::atomic<bool> bDone(false);
  std::thread driver([&] {
    real_input::MouseAt(ptPress, 0);
    WaitFromDriver(
        [&] {
          CPoint pt;
          ::GetCursorPos(&pt);
          return pt == ptPress;
        },
        1000);
    real_input::MouseAt(ptPress, MOUSEEVENTF_LEFTDOWN);
    Settle();
    bool bSeenDragging = false;
    for (const DragInput& in : script) {
      switch (in.kind) {
      case DragInput::MOVE: {
        // Paced by the drag's step; a drag that has not started soon, or has ended, is not waited for.
        real_input::MouseAt(in.pt, 0);
        const auto tStart = std::chrono::steady_clock::now();
        WaitFromDriver(
            [&] {
              if (IsDragging(pBar))
                bSeenDragging = true;
              return SteppedTo(pBar, in.pt) ||
                     (!IsDragging(pBar) && (bSeenDragging || std::chrono::steady_clock::now() - tStart >
                                                                 std::chrono::milliseconds(300)));
            },
            1500);
        break;
      }
      case DragInput::LEFT_DOWN:
        real_input::MouseAt(in.pt, MOUSEEVENTF_LEFTDOWN);
        break;
      case DragInput::LEFT_UP:
        real_input::MouseAt(in.pt, MOUSEEVENTF_LEFTUP);
        break;
      case DragInput::RIGHT_DOWN:
        real_input::MouseAt(in.pt, MOUSEEVENTF_RIGHTDOWN);
        break;
      case DragInput::RIGHT_UP:
        real_input::MouseAt(in.pt, MOUSEEVENTF_RIGHTUP);
        break;
      case DragInput::MIDDLE_DOWN:
        real_input::MouseAt(in.pt, MOUSEEVENTF_MIDDLEDOWN);
        break;
      case DragInput::MIDDLE_UP:
        real_input::MouseAt(in.pt, MOUSEEVENTF_MIDDLEUP);
        break;
      case DragInput::KEY_DOWN:
      case DragInput::KEY_UP:
        SendKey(in.vk, in.kind == DragInput::KEY_DOWN);
        break;
      case DragInput::CANCEL_MODE:
        pBar->PostMessage(WM_CANCELMODE);
        break;
      case DragInput::QUIT:
        ::SendMessageA(pBar->m_pDockSite->GetSafeHwnd(), CDragLogFrame::kMsgQuitWithMove, 3,
                       MAKELPARAM(in.pt.x, in.pt.y));
        break;
      case DragInput::PROBE:
        in.probe();
        break;
      }
      if (in.kind != DragInput::MOVE && in.kind != DragInput::PROBE)
        Settle();
    }
    bDone = true;
  });
  const bool bEnded =
      PumpUntil([&] { return bDone.load(); }, kDriverEndMs) && PumpUntil([&] { return !IsDragging(pBar); });
  driver.join();
  // Buttons or keys a script left down are let go, so that the next test starts clean.
  if ((::GetAsyncKeyState(VK_LBUTTON) & 0x8000) != 0) {
    CPoint pt;
    ::GetCursorPos(&pt);
    real_input::MouseAt(pt, MOUSEEVENTF_LEFTUP);
  }
  if ((::GetAsyncKeyState(VK_CONTROL) & 0x8000) != 0)
    SendKey(VK_CONTROL, false);
  // A quit queued (the script's end of the program) comes before any input, which then stays.
  MSG quit;
  PumpUntil([&] {
    return !IsDragging(pBar) &&
           (::GetQueueStatus(QS_INPUT) == 0 || ::PeekMessageA(&quit, NULL, WM_QUIT, WM_QUIT, PM_NOREMOVE));
  });
  return bEnded && !IsDragging(pBar) && CExtControlBar::GetDraggedBar() == NULL;
}

bool DragThrough(CExtControlBar* pBar, CPoint ptPress, const std::vector<CPoint>& points) {
  std::vector<DragInput> script;
  for (const CPoint& pt : points)
    script.push_back(DragInput::Move(pt));
  DragInput up = DragInput::Do(DragInput::LEFT_UP);
  up.pt = points.empty() ? ptPress : points.back();
  script.push_back(up);
  return RunDrag(pBar, ptPress, script);
}

CPoint CaptionPoint(CExtControlBar* pBar) {
  CRect rcWnd = ScreenRect(pBar);
  CRect rcCaption = pBar->GetNcCaptionRect();
  if (rcCaption.IsRectEmpty())
    return CPoint(rcWnd.left + 6, rcWnd.top + 6);
  rcCaption.OffsetRect(rcWnd.TopLeft());
  return CPoint(rcCaption.left + 12, rcCaption.CenterPoint().y);
}
