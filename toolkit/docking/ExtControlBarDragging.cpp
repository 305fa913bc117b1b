// The drag gesture of a control bar: the two process-wide drop records, the modal loop, one step
// per mouse move, the XOR outline of the proposed place and the end of the gesture. Where the
// bar would go is computed in ExtControlBarDragTarget.cpp (resizable bars) and
// ExtControlBarFixedDrag.cpp (fixed bars, which move live instead of showing an outline).
#include "toolkit/docking/ExtControlBar.h"

#include "framework/app/fw_app.h"
#include "toolkit/docking/ExtBarModalLoop.h"
#include "toolkit/docking/ExtDockBar.h"
#include "toolkit/docking/ExtDynDockMarkerWnd.h"
#include "toolkit/docking/ExtDynTabControlBar.h"
#include "toolkit/docking/ExtTrackingDC.h"
#include "toolkit/theme/ExtPaintManager.h"
#include "toolkit/theme/ExtPaintManagerHolder.h"

#include <algorithm>
#include <cstdlib>

// --- the drop records ----------------------------------------------------------------------------

CExtControlBar::InternalDraggingState_t&
CExtControlBar::InternalDraggingState_t::operator=(const InternalDraggingState_t& other) {
  if (this == &other)
    return *this;
  if (m_pBarTarget != other.m_pBarTarget)
    SetTargetBar(other.m_pBarTarget);
  m_bFlags = other.m_bFlags;
  m_nTargetType = other.m_nTargetType;
  m_nMoveDirection = other.m_nMoveDirection;
  m_nRowPosition = other.m_nRowPosition;
  m_rcTrack = other.m_rcTrack;
  m_pBarSource = other.m_pBarSource;
  m_nTabPosition = other.m_nTabPosition;
  return *this;
}

bool CExtControlBar::InternalDraggingState_t::operator==(const InternalDraggingState_t& other) const {
  return IsEmpty() == other.IsEmpty() && m_nTargetType == other.m_nTargetType &&
         m_nRowPosition == other.m_nRowPosition && ::EqualRect(&m_rcTrack, &other.m_rcTrack) &&
         m_pBarSource == other.m_pBarSource && m_pBarTarget == other.m_pBarTarget &&
         IsSideSplit() == other.IsSideSplit() && m_nTabPosition == other.m_nTabPosition;
}

void CExtControlBar::InternalDraggingState_t::SetTargetBar(CExtControlBar* pBar) {
  if (pBar != m_pBarTarget) {
    CExtDynTabControlBar* pContainer = DYNAMIC_DOWNCAST(CExtDynTabControlBar, m_pBarTarget);
    if (pContainer != NULL && ::IsWindow(pContainer->m_wndTabs.GetSafeHwnd()))
      pContainer->m_wndTabs.RemovePlaceholders(false);
  }
  m_pBarTarget = pBar;
}

void CExtControlBar::InternalDraggingState_t::ClearTargetBar() {
  SetTargetBar(NULL);
  m_nTabPosition = 0;
}

void CExtControlBar::InternalDraggingState_t::Reset() {
  m_bFlags = DS_EMPTY;
  m_nTargetType = DT_FLOAT;
  m_nMoveDirection = 0;
  m_nRowPosition = 0;
  ClearTargetBar();
  ::SetRectEmpty(&m_rcTrack);
  m_pBarSource = NULL;
}

CExtControlBar* CExtControlBar::GetDraggedBar() { return g_DragStateCurrent.m_pBarSource; }

// --- helpers of the loop -------------------------------------------------------------------------

namespace {

void PumpPendingPaint() { CExtPaintManager::PumpPendingMessages(true, true, true); }

// Marker mode is never on in the program; tests switch it on through the global.
bool IsMarkerModeOn() {
  int nMode = CExtControlBar::g_nDockingMarkerMode;
  if (nMode < 0)
    nMode = g_PaintManagerHolder->GetDockingMarkerMode();
  return nMode == 1;
}

// In marker mode a resizable bar's drag shows the frame's side markers and those of the bar under
// the cursor.
void ShowDockingMarkers(CExtControlBar* pBar) {
  if (!IsMarkerModeOn() || pBar->IsFixedDockStyle() || pBar->m_pDockSite == NULL)
    return;
  if (CExtDynDockMarkerWnd::OuterMarkers().empty())
    CExtDynDockMarkerWnd::CreateOuterMarkers(pBar->m_pDockSite, false);
  CExtControlBar::FindDockTargetUnderCursor(pBar->m_pDockSite, true);
  CExtDynDockMarkerWnd::ShowMarkers(CExtDynDockMarkerWnd::OuterMarkers(), true, true);
}

void DestroyDockingMarkers() {
  CExtDynDockMarkerWnd::DestroyMarkers(CExtDynDockMarkerWnd::OuterMarkers(), false);
  CExtDynDockMarkerWnd::DestroyMarkers(CExtDynDockMarkerWnd::BarMarkers(), false);
}

bool IsMouseMessage(UINT nMsg) {
  return (nMsg >= WM_MOUSEFIRST && nMsg <= WM_MOUSELAST) ||
         (nMsg >= WM_NCMOUSEMOVE && nMsg <= WM_NCMBUTTONDBLCLK);
}

bool IsKeyMessage(UINT nMsg) { return nMsg >= WM_KEYFIRST && nMsg <= WM_KEYLAST; }

bool IsCtrlDown(const MSG& msg) { return msg.message == WM_KEYDOWN && msg.wParam == VK_CONTROL; }

void RemoveMessage(const MSG& msg) {
  MSG removed;
  ::PeekMessage(&removed, msg.hwnd, msg.message, msg.message, PM_REMOVE);
}

// Peeks the next message, waiting for one when the queue is empty.
void PeekNext(MSG& msg) {
  while (!::PeekMessage(&msg, NULL, 0, 0, PM_NOREMOVE))
    ::WaitMessage();
}

CPoint CursorInClient(HWND hWnd) {
  CPoint pt;
  ::GetCursorPos(&pt);
  ::ScreenToClient(hWnd, &pt);
  return pt;
}

bool IsStopMessage(UINT nMsg) { return nMsg == WM_NCLBUTTONUP || EndsBarModalLoop(nMsg); }

enum class Threshold { kDrag, kClick, kAbort };

// Waits until the cursor has moved far enough from the press; the release, a lost capture, other
// input or a mode change end the gesture without a drag.
Threshold WaitForThreshold(HWND hWnd, CPoint ptStart, int nMinMoveX, int nMinMoveY) {
  while (::IsWindow(hWnd)) {
    if (CExtMouseCaptureSink::GetCapture() != hWnd)
      return Threshold::kAbort;
    MSG msg;
    PeekNext(msg);
    const UINT nMsg = msg.message;
    if (nMsg == WM_LBUTTONUP && msg.hwnd == hWnd)
      return Threshold::kClick;
    if (nMsg == WM_ACTIVATEAPP || nMsg == WM_CANCELMODE || nMsg == WM_CONTEXTMENU)
      return Threshold::kAbort;
    if (IsCtrlDown(msg)) {
      RemoveMessage(msg);
      continue;
    }
    if (msg.hwnd == hWnd && nMsg == WM_MOUSEMOVE) {
      RemoveMessage(msg);
      CPoint pt;
      ::GetCursorPos(&pt);
      if (std::abs(pt.x - ptStart.x) >= nMinMoveX || std::abs(pt.y - ptStart.y) >= nMinMoveY)
        return Threshold::kDrag;
      continue;
    }
    if (IsMouseMessage(nMsg) || IsKeyMessage(nMsg) || !PumpPeekedMessage(msg))
      return Threshold::kAbort;
  }
  return Threshold::kAbort;
}

// The window that should take the focus after a click on the bar: its content.
void InvalidateTabStrips(CFrameWnd* pFrame) {
  if (pFrame == NULL)
    return;
  for (POSITION pos = pFrame->m_listControlBars.GetHeadPosition(); pos != NULL;) {
    CExtDynTabControlBar* pContainer = DYNAMIC_DOWNCAST(
        CExtDynTabControlBar, static_cast<CControlBar*>(pFrame->m_listControlBars.GetNext(pos)));
    if (pContainer != NULL && pContainer->IsWindowVisible() &&
        ::IsWindow(pContainer->m_wndTabs.GetSafeHwnd()))
      pContainer->m_wndTabs.Invalidate();
  }
}

void FocusContent(CExtControlBar* pBar) {
  // A tab container gives the focus to the content of its selected tab.
  if (CExtDynTabControlBar* pContainer = DYNAMIC_DOWNCAST(CExtDynTabControlBar, pBar)) {
    if (CExtControlBar* pSelected = pContainer->GetSelectedBar())
      pBar = pSelected;
  }
  HWND hChild = ::GetWindow(pBar->m_hWnd, GW_CHILD);
  ::SetFocus(hChild != NULL ? hChild : pBar->m_hWnd);
}

} // namespace

// --- the gesture ---------------------------------------------------------------------------------

void CExtControlBar::TrackDragging(CPoint ptScreen, CPoint ptGrabOffset, int nMinMoveX, int nMinMoveY) {
  if (!IsDraggingEnabled())
    return;
  const HWND hWnd = m_hWnd;
  MSG msg;
  while (::PeekMessage(&msg, NULL, WM_KEYFIRST, WM_KEYLAST, PM_REMOVE)) {
  }
  CExtMouseCaptureSink::SetCapture(hWnd);
  if (nMinMoveX >= 1 && nMinMoveY >= 1) {
    const Threshold nResult = WaitForThreshold(hWnd, ptScreen, nMinMoveX, nMinMoveY);
    if (nResult != Threshold::kDrag) {
      if (!::IsWindow(hWnd))
        return;
      if (nResult == Threshold::kClick)
        FocusContent(this);
      if (CExtMouseCaptureSink::GetCapture() == hWnd)
        CExtMouseCaptureSink::ReleaseCapture();
      return;
    }
  }
  BeginDragging(ptGrabOffset);
  OnDraggingStep(ptScreen, (::GetKeyState(VK_CONTROL) & 0x8000) != 0);
  if (::IsWindow(hWnd)) {
    ::SetTimer(hWnd, kDragTimerId, kDragTimerPeriod, NULL);
    RunDraggingLoop();
  }
  if (::IsWindow(hWnd)) {
    ::KillTimer(hWnd, kDragTimerId);
    return;
  }
  // The bar went with its window: no drag may still name it.
  g_DragStateCurrent.Reset();
  g_DragStateNew.Reset();
}

void CExtControlBar::BeginDragging(CPoint ptGrabOffset) {
  g_DragStateNew.SetEmpty(false);
  g_DragStateNew.m_pBarSource = this;
  g_DragStateCurrent.m_pBarSource = this;
  g_DragStateNew.m_nTabPosition = 0;
  OnDraggingStarted();
  m_bBarState |= BS_DRAGGING;
  const CRect& rcCaption = GetNcCaptionRect();
  const int m = std::min(rcCaption.Width(), rcCaption.Height());
  const CPoint ptGrab =
      m > 2 ? CPoint(m, m / 2)
            : CPoint(::GetSystemMetrics(SM_CYSMCAPTION) / 2, ::GetSystemMetrics(SM_CYSMCAPTION) / 2);
  m_ptGrabFloating = m_ptGrabDockedH = m_ptGrabDockedV = ptGrab;
  if (ptGrabOffset == CPoint(0, 0))
    return;
  if (IsFloating())
    m_ptGrabFloating = ptGrabOffset;
  else if (IsDockedHorizontally())
    m_ptGrabDockedH = ptGrabOffset;
  else
    m_ptGrabDockedV = ptGrabOffset;
}

void CExtControlBar::RunDraggingLoop() {
  const HWND hWnd = m_hWnd;
  while (::IsWindow(hWnd) && (m_bBarState & BS_DRAGGING) != 0) {
    MSG msg;
    PeekNext(msg);
    if (!HandleDraggingMessage(msg))
      StopDragging(true);
  }
}

bool CExtControlBar::HandleDraggingMessage(const MSG& msg) {
  const UINT nMsg = msg.message;
  if (IsStopMessage(nMsg))
    return false;
  if (nMsg == WM_TIMER && msg.hwnd == m_hWnd && msg.wParam == kDragTimerId) {
    RemoveMessage(msg);
    const CPoint pt = CursorInClient(m_hWnd);
    PostMessage(WM_MOUSEMOVE, 0, MAKELPARAM(pt.x, pt.y));
    return true;
  }
  if (nMsg == WM_MOUSEMOVE) {
    // Only the last queued position counts.
    MSG last = msg;
    TakeQueuedMouseMoves(last);
    CPoint pt(last.lParam);
    if (last.hwnd != m_hWnd && last.hwnd != NULL) {
      ::ClientToScreen(last.hwnd, &pt);
      ScreenToClient(&pt);
    }
    ProcessMouseMove(static_cast<UINT>(last.wParam), pt);
    return true;
  }
  if (IsKeyMessage(nMsg) && !g_bDraggingStepGuard) {
    if ((nMsg != WM_KEYDOWN && nMsg != WM_KEYUP) || msg.wParam != VK_CONTROL)
      return false;
    // The key message is taken so that the key state follows it and the loop moves on.
    RemoveMessage(msg);
    CPoint ptCursor;
    ::GetCursorPos(&ptCursor);
    if (ptCursor == m_ptLastDrag)
      m_ptLastDrag.x--;
    ScreenToClient(&ptCursor);
    PostMessage(WM_MOUSEMOVE, nMsg == WM_KEYDOWN ? MK_LBUTTON | MK_CONTROL : 0,
                MAKELPARAM(ptCursor.x, ptCursor.y));
    return true;
  }
  if (IsKeyMessage(nMsg))
    return PumpModalLoopMessage();
  const bool bLeftOnly = (::GetKeyState(VK_LBUTTON) & 0x8000) != 0 &&
                         (::GetKeyState(VK_RBUTTON) & 0x8000) == 0 &&
                         (::GetKeyState(VK_MBUTTON) & 0x8000) == 0;
  if (CExtMouseCaptureSink::GetCapture() != m_hWnd || !bLeftOnly)
    return false;
  return PumpModalLoopMessage();
}

void CExtControlBar::OnDraggingStep(CPoint ptScreen, bool bForceFloat) {
  if (g_bDraggingStepGuard || ptScreen == m_ptLastDrag)
    return;
  m_ptLastDrag = ptScreen;
  g_bDraggingStepGuard = true;
  const HWND hWnd = m_hWnd;
  CalcDraggingTarget(g_DragStateNew, ptScreen.x, ptScreen.y, bForceFloat);
  if (g_DragStateNew == g_DragStateCurrent)
    PumpPendingPaint();
  else
    ShowDraggingTarget();
  if (::IsWindow(hWnd))
    ShowDockingMarkers(this);
  MSG msg;
  while (AfxTakeMessage(&msg, NULL, WM_TIMER, WM_TIMER))
    ::DispatchMessage(&msg);
  if (::IsWindow(hWnd) && CExtMouseCaptureSink::GetCapture() != hWnd)
    CExtMouseCaptureSink::SetCapture(hWnd);
  g_bDraggingStepGuard = false;
}

void CExtControlBar::ShowDraggingTarget() {
  InternalDraggingState_t& current = g_DragStateCurrent;
  InternalDraggingState_t& next = g_DragStateNew;
  if (!current.IsEmpty()) {
    // An insertion placeholder in the same strip stays where it is.
    const bool bKeep = (current.m_nTargetType == DT_TAB_INSERT || current.m_nTargetType == DT_TAB_MARKER) &&
                       !next.IsEmpty() && current.m_pBarTarget == next.m_pBarTarget;
    if (!bKeep) {
      if (!current.IsTabType())
        PumpPendingPaint();
      DrawDraggingTrackedArea(current, true);
      PumpPendingPaint();
    }
  }
  InvalidateTabStrips(m_pDockSite);
  if (!next.IsEmpty()) {
    if (current.IsTabType())
      current.ClearTargetBar();
    if (!next.IsTabType())
      PumpPendingPaint();
    DrawDraggingTrackedArea(next, false);
  }
  if (IsShowContentWhileDragging() && !current.IsEmpty() && current != next)
    ApplyDraggingState(next, false);
  current = next;
}

void CExtControlBar::StopDragging(bool bCancel) {
  DestroyDockingMarkers();
  if ((m_bBarState & BS_DRAGGING) == 0)
    return;
  m_bBarState &= ~BS_DRAGGING;
  m_ptLastDrag = CPoint(-1, -1);
  const HWND hWnd = m_hWnd;
  InternalDraggingState_t& current = g_DragStateCurrent;
  InternalDraggingState_t& next = g_DragStateNew;
  const bool bCurrentEmpty = current.IsEmpty();
  const bool bSame = current == next;
  if (!next.IsEmpty()) {
    // What the screen shows is the current record; it is the one to take away.
    if (!bCurrentEmpty) {
      if (!current.IsTabType())
        PumpPendingPaint();
      DrawDraggingTrackedArea(current, true);
    }
    OnDraggingFinished(&current, &next, !bCancel);
    if (!bCancel && (!IsShowContentWhileDragging() || (!bCurrentEmpty && !bSame))) {
      InternalDraggingState_t drop(next);
      ApplyDraggingState(drop, true);
    }
  }
  current.Reset();
  next.Reset();
  if (!::IsWindow(hWnd))
    return;
  if (CExtMouseCaptureSink::GetCapture() == hWnd)
    CExtMouseCaptureSink::ReleaseCapture();
  if (IsFloating() && !IsShowContentWhileDragging())
    RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
  if (bCancel && m_pDockSite != NULL)
    m_pDockSite->m_nIdleFlags |= CFrameWnd::idleLayout | CFrameWnd::idleNotify;
}

// --- the outline ---------------------------------------------------------------------------------

namespace {

// The placeholder tabs of the containers' strips follow the drag.
void ShowTabPlaceholder(CExtControlBar* pBar, CExtControlBar::InternalDraggingState_t& state) {
  CExtDynTabControlBar* pContainer = DYNAMIC_DOWNCAST(CExtDynTabControlBar, state.m_pBarTarget);
  if (pContainer == NULL || !::IsWindow(pContainer->m_wndTabs.GetSafeHwnd()))
    return;
  if (state.m_nTargetType == CExtControlBar::DT_TAB_APPEND) {
    pContainer->ShowDragPlaceholder(pBar, -1, false);
    return;
  }
  pContainer->m_wndTabs.RemovePlaceholders(false);
  pContainer->ShowDragPlaceholder(pBar, state.m_nTabPosition, false);
}

bool IsSideType(LONG nType) {
  return nType >= CExtControlBar::DT_INNER_TOP && nType <= CExtControlBar::DT_OUTER_RIGHT;
}

} // namespace

void CExtControlBar::DrawDraggingTrackedArea(InternalDraggingState_t& state, bool bErase) {
  if (state.m_nTargetType == DT_STAY || IsFixedMode() || IsShowContentWhileDragging())
    return;
  if (::IsRectEmpty(&state.m_rcTrack))
    return;
  // Tab placeholders are shown by the tab strip of a tab container; they go when the record stops
  // naming it.
  if (state.IsTabType()) {
    if (!bErase)
      ShowTabPlaceholder(this, state);
    return;
  }
  CFrameWnd* pFrame = GetDockingFrame();
  if (pFrame == NULL)
    return;
  CRect rc(state.m_rcTrack);
  CExtControlBar* pTarget = state.m_pBarTarget;
  if (pTarget != NULL) {
    CRect rcDock;
    if (pTarget->m_pDockBar == NULL)
      return;
    pTarget->m_pDockBar->GetWindowRect(&rcDock);
    if (rcDock.IsRectEmpty() || !rc.IntersectRect(rc, rcDock))
      return;
  }
  CRect rcFrame;
  pFrame->GetWindowRect(&rcFrame);
  rc.OffsetRect(-rcFrame.TopLeft());
  if (rc.Width() < 2 * ::GetSystemMetrics(SM_CXFRAME) + 1 ||
      rc.Height() < 2 * ::GetSystemMetrics(SM_CYFRAME) + 1)
    return;
  HWND hSurface = pFrame->m_hWnd;
  if (pTarget == NULL && !IsSideType(state.m_nTargetType)) {
    hSurface = ::GetDesktopWindow();
  } else if (pTarget != NULL && pTarget->GetDockingFrame() != pFrame) {
    rc.OffsetRect(rcFrame.TopLeft() - CPoint(1, 1));
    hSurface = ::GetDesktopWindow();
  }
  CExtTrackingDC dc(hSurface);
  if (dc.GetSafeHdc() == NULL || !dc.RectVisible(&rc))
    return;
  TrackedAreaDrawData data(this, &dc,
                           state.m_nTargetType == DT_TAB_NEW ? TrackedAreaDrawData::KIND_FRAME_WITH_TAB
                                                             : TrackedAreaDrawData::KIND_FRAME,
                           rc, bErase);
  if (!NotifyDrawTrackedArea(data))
    data.Draw(CDC::GetHalftoneBrush(), PATINVERT);
}
