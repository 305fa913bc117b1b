// Bodies still to be written; each moves to its own file as it is built.
#include "toolkit/docking/ExtBarNcAreaButton.h"
#include "toolkit/docking/ExtControlBar.h"

void CExtControlBar::PreSubclassWindow() { CControlBar::PreSubclassWindow(); }
BOOL CExtControlBar::PreCreateWindow(CREATESTRUCT& cs) { return CControlBar::PreCreateWindow(cs); }
INT_PTR CExtControlBar::OnToolHitTest(CPoint, TOOLINFO*) const { return -1; }
BOOL CExtControlBar::PreTranslateMessage(MSG* pMsg) { return CControlBar::PreTranslateMessage(pMsg); }
LRESULT CExtControlBar::WindowProc(UINT m, WPARAM w, LPARAM l) { return CControlBar::WindowProc(m, w, l); }
void CExtControlBar::SyncContainerVisibility() {}
void CExtControlBar::EnsureRowLength() {}
bool CExtControlBar::FrameEnableDocking(CFrameWnd*, DWORD, bool) { return false; }
void CExtControlBar::SetFrameMessageString(CWnd*, UINT) {}
bool CExtControlBar::IsThemeSystemMessage(UINT) const { return false; }
void CExtControlBar::ForwardSystemChange(UINT, WPARAM, LPARAM) {}
void CExtControlBar::PrintBar(CDC&, UINT) {}
void CExtControlBar::OnWindowPosChangedImpl(WINDOWPOS*) {}
void CExtControlBar::OnSetFocusRowRoom() {}
