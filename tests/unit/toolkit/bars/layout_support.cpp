#include "tests/unit/toolkit/bars/layout_support.h"

CLayoutTestBar::~CLayoutTestBar() {
  for (int i = 0; i < m_buttons.GetSize(); ++i)
    delete m_buttons[i];
  m_buttons.RemoveAll();
  m_pRightBtn = NULL;
}

CButtonProbe* CLayoutTestBar::AddButton(CSize size, COLORREF clr, UINT nStyle) {
  const UINT nId = (nStyle & TBBS_SEPARATOR) != 0 ? 0 : 1000 + (UINT)m_buttons.GetSize();
  auto* pButton = new CButtonProbe(size, clr, nStyle, this, nId, nStyle);
  m_buttons.Add(pButton);
  return pButton;
}

CChevronProbe* CLayoutTestBar::AddChevron(CSize size) {
  auto* pChevron = new CChevronProbe(size, RGB(255, 0, 255), 0, this);
  m_buttons.Add(pChevron);
  m_pRightBtn = pChevron;
  return pChevron;
}

std::vector<CExtBarButton*> CLayoutTestBar::HiddenList() const {
  std::vector<CExtBarButton*> list;
  if (m_pRightBtn != NULL)
    for (int i = 0; i < m_pRightBtn->m_arrHiddenButtons.GetSize(); ++i)
      list.push_back(m_pRightBtn->m_arrHiddenButtons[i]);
  return list;
}

int CLayoutTestBar::IndexOf(const CExtBarButton* pButton) const {
  for (int i = 0; i < m_buttons.GetSize(); ++i)
    if (m_buttons[i] == pButton)
      return i;
  return -1;
}

void CLayoutTestBar::PlaceAt(int cx, int cy) {
  SetWindowPos(NULL, 0, 0, cx, cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  RecalcButtonPositions();
}

HostedBar::HostedBar(DWORD dwAlign)
    : host(std::make_unique<CHostWnd>()), bar(std::make_unique<CLayoutTestBar>()) {
  if (!host->CreateHost("bar host", WS_OVERLAPPEDWINDOW, 900, 300))
    return;
  host->ShowWindow(SW_SHOW);
  if (!bar->Create("bar", host.get(), 0xE900, WS_CHILD | WS_VISIBLE | dwAlign))
    return;
  PumpPending();
}

HostedBar::~HostedBar() {
  if (bar->GetSafeHwnd() != NULL)
    bar->DestroyWindow();
  bar.reset();
  if (host->GetSafeHwnd() != NULL)
    host->DestroyWindow();
  PumpPending();
}

namespace {
class CLayoutFrame : public CFrameWnd {
protected:
  afx_msg int OnCreate(LPCREATESTRUCT lpcs) {
    if (CFrameWnd::OnCreate(lpcs) == -1)
      return -1;
    EnableDocking(CBRS_ALIGN_ANY);
    return 0;
  }
  DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CLayoutFrame, CFrameWnd)
ON_WM_CREATE()
END_MESSAGE_MAP()
} // namespace

FramedBar::FramedBar() : bar(std::make_unique<CLayoutTestBar>()) {
  TheTestApp();
  auto* pFrame = new CLayoutFrame;
  if (!pFrame->Create(NULL, "bar frame", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, CRect(40, 40, 680, 520))) {
    delete pFrame;
    return;
  }
  frame = pFrame;
  frame->ShowWindow(SW_SHOW);
  if (!bar->Create("bar", frame, 0xE901,
                   WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | CBRS_TOP | CBRS_GRIPPER | CBRS_SIZE_DYNAMIC))
    return;
  bar->EnableDocking(CBRS_ALIGN_ANY);
  frame->DockControlBar(bar.get(), AFX_IDW_DOCKBAR_TOP);
  frame->RecalcLayout();
  PumpPending();
}

FramedBar::~FramedBar() {
  if (bar->GetSafeHwnd() != NULL)
    bar->DestroyWindow();
  bar.reset();
  if (frame != NULL && ::IsWindow(frame->m_hWnd))
    frame->DestroyWindow(); // the frame deletes itself
  PumpPending();
}

bool FramedBar::Float(CPoint ptScreen) {
  bar->FloatControlBar(ptScreen.x, ptScreen.y);
  frame->RecalcLayout();
  PumpPending();
  bar->RecalcButtonPositions();
  return bar->IsFloating();
}
