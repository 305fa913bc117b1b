#include "tests/unit/toolkit/docking/dock_frame_support.h"

#include "tests/common/input_support.h"
#include "tests/common/window_support.h"
#include "toolkit/menus/ExtPopupMenuWnd.h"

#include <thread>

BEGIN_MESSAGE_MAP(CDockTestFrame, CFrameWnd)
ON_WM_CREATE()
ON_REGISTERED_MESSAGE(CExtControlBar::g_nMsgDrawTrackedArea, OnDrawTrackedArea)
ON_REGISTERED_MESSAGE(CExtControlBar::g_nMsgConstructPopupMenu, OnConstructPopupMenu)
ON_MESSAGE(WM_SETMESSAGESTRING, OnSetMessageString)
END_MESSAGE_MAP()

int CDockTestFrame::OnCreate(LPCREATESTRUCT lpcs) {
  if (CFrameWnd::OnCreate(lpcs) == -1)
    return -1;
  EnableDocking(CBRS_ALIGN_ANY);
  return 0;
}

LRESULT CDockTestFrame::OnDrawTrackedArea(WPARAM wParam, LPARAM) {
  ++m_nTrackedAreas;
  if (m_bDrawTrackedAreasItself)
    reinterpret_cast<CExtControlBar::TrackedAreaDrawData*>(wParam)->m_bFlags |=
        CExtControlBar::TrackedAreaDrawData::FLAG_DRAWN_BY_FRAME;
  return 0;
}

LRESULT CDockTestFrame::OnConstructPopupMenu(WPARAM, LPARAM) {
  ++m_nMenuNotifications;
  return 0;
}

LRESULT CDockTestFrame::OnSetMessageString(WPARAM wParam, LPARAM) {
  m_nLastMessageString = static_cast<UINT>(wParam);
  return 0;
}

void FrameDeleter::operator()(CDockTestFrame* pFrame) const {
  if (pFrame != NULL && ::IsWindow(pFrame->m_hWnd))
    pFrame->DestroyWindow(); // the frame deletes itself
  PumpPending();
}

FramePtr CreateDockFrame(CDockTestFrame* pFrame) {
  if (pFrame == NULL)
    pFrame = new CDockTestFrame;
  if (!pFrame->Create(NULL, "dock lab", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, CRect(40, 40, 680, 520)))
    return FramePtr();
  pFrame->ShowWindow(SW_SHOW);
  pFrame->UpdateWindow();
  PumpPending();
  return FramePtr(pFrame);
}

std::unique_ptr<CExtControlBar> DockBar(CFrameWnd* pFrame, UINT nId, UINT nDockBarId, LPCSTR lpszCaption,
                                        bool bFixed) {
  auto pBar = std::make_unique<CExtControlBar>();
  if (bFixed)
    pBar->m_bBarFlags |= CExtControlBar::BF_FIXED_MODE;
  DWORD dwAlign = nDockBarId == AFX_IDW_DOCKBAR_TOP      ? CBRS_TOP
                  : nDockBarId == AFX_IDW_DOCKBAR_BOTTOM ? CBRS_BOTTOM
                  : nDockBarId == AFX_IDW_DOCKBAR_LEFT   ? CBRS_LEFT
                                                         : CBRS_RIGHT;
  if (!pBar->Create(lpszCaption, pFrame, nId,
                    WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | dwAlign | CBRS_GRIPPER))
    return nullptr;
  ::CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE | SS_BLACKRECT, 0, 0, 10, 10, pBar->m_hWnd, NULL,
                    ::GetModuleHandleA(NULL), NULL);
  pBar->EnableDocking(CBRS_ALIGN_ANY);
  pFrame->DockControlBar(pBar.get(), nDockBarId);
  Relayout(pFrame);
  return pBar;
}

void Relayout(CFrameWnd* pFrame) {
  pFrame->RecalcLayout();
  PumpPending();
}

void BarPairDock::SetUp() {
  m_frame = CreateDockFrame();
  ASSERT_TRUE(m_frame);
  m_a = DockBar(m_frame.get(), 201, AFX_IDW_DOCKBAR_LEFT, "a");
  m_b = DockBar(m_frame.get(), 202, AFX_IDW_DOCKBAR_BOTTOM, "b");
  ASSERT_TRUE(m_a && m_b);
  m_b->FloatControlBar(500, 300);
  Relayout(m_frame.get());
}

void BarPairDock::TearDown() {
  for (auto* p : {&m_a, &m_b, &m_c, &m_d})
    p->reset();
  m_frame.reset();
}

bool CursorAt(POINT ptScreen) {
  POINT pt;
  return ::GetCursorPos(&pt) && pt.x == ptScreen.x && pt.y == ptScreen.y;
}

void SendKey(WORD vk, bool bDown) {
  INPUT input = {};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = vk;
  input.ki.dwFlags = bDown ? 0 : KEYEVENTF_KEYUP;
  ::SendInput(1, &input, sizeof(input));
}

std::thread DriveInput(std::vector<InputStep> steps, std::vector<bool>& results, std::atomic<bool>& bDone) {
  return std::thread([steps, &results, &bDone] {
    RunScriptSteps(steps, results);
    bDone = true;
  });
}

void ClickAt(POINT ptScreen, bool bRight) {
  std::thread driver([ptScreen, bRight] {
    real_input::MouseAt(ptScreen, 0);
    real_input::MouseAt(ptScreen, bRight ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN);
    real_input::MouseAt(ptScreen, bRight ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP);
  });
  driver.join();
  // The three events are queued for this thread; let them arrive.
  const int nButton = bRight ? VK_RBUTTON : VK_LBUTTON;
  PumpUntil([nButton] {
    return ::GetQueueStatus(QS_MOUSEBUTTON) == 0 && (::GetAsyncKeyState(nButton) & 0x8000) == 0;
  });
}

CRect WindowBox(CWnd* pWnd) {
  CRect rc;
  pWnd->GetWindowRect(&rc);
  rc.OffsetRect(-rc.TopLeft());
  return rc;
}

CExtPopupMenuWnd* WaitForTrackedMenu() {
  const CExtPopupTrackSite& site = CExtPopupMenuWnd::GetTrackSite();
  if (!PumpUntil([&] {
        return CExtPopupMenuWnd::AnyMenuTracked() && site.m_pTrackedMenu != NULL &&
               site.m_pTrackedMenu->IsWindowVisible() && site.m_pAnimatedMenu == NULL;
      }))
    return NULL;
  return site.m_pTrackedMenu;
}

std::vector<std::string> MenuItemTexts(CExtPopupMenuWnd& menu) {
  std::vector<std::string> texts;
  for (int i = 0; i < menu.GetItemCount(); i++)
    texts.push_back(static_cast<LPCSTR>(menu.ItemGetText(i)));
  return texts;
}
