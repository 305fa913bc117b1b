#include "app/ToolButton.h"

#include "framework/frame/fw_frame.h"

IMPLEMENT_DYNAMIC(CToolButton, CExtButton)

CToolButton::CToolButton() {}

CToolButton::~CToolButton() {}

CFrameWnd* CToolButton::GetToolFrame() const {
  CFrameWnd* pFrame = GetParentFrame();
  if (pFrame != NULL && pFrame->IsKindOf(RUNTIME_CLASS(CMiniFrameWnd))) {
    CFrameWnd* pOwnerFrame = pFrame->GetParentFrame();
    if (pOwnerFrame != NULL)
      pFrame = pOwnerFrame;
  }
  return pFrame;
}

CToolButtonHost* CToolButton::GetHost() const { return dynamic_cast<CToolButtonHost*>(GetToolFrame()); }

bool CToolButton::IsCurrentTool() const {
  const CToolButtonHost* pHost = GetHost();
  return pHost != NULL && m_hWnd != NULL && pHost->GetCurrentToolButton() == m_hWnd;
}

BOOL CToolButton::PreTranslateMessage(MSG* pMsg) {
  if (m_pszHoverTip != nullptr && pMsg->message >= WM_MOUSEFIRST && pMsg->message <= WM_MOUSELAST) {
    SetTooltipText(m_pszHoverTip, true);
    m_pszHoverTip = nullptr;
  }
  return CExtButton::PreTranslateMessage(pMsg);
}

LRESULT CToolButton::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_SETFOCUS) {
    // The keys belong to the frame and its view, not to the button.
    if (CFrameWnd* pFrame = GetToolFrame())
      pFrame->SetFocus();
    return 0;
  }
  return CExtButton::WindowProc(message, wParam, lParam);
}

bool CToolButton::IsButtonEnabled() const { return GetSafeHwnd() != NULL && IsWindowEnabled() != FALSE; }

void CToolButton::OnClick(bool /*bFromKeyboard*/, bool /*bDropDownPart*/) {
  CFrameWnd* pFrame = GetToolFrame();
  if (GetSafeHwnd() == NULL || pFrame == NULL)
    return;
  pFrame->SetFocus();
  if (CToolButtonHost* pHost = GetHost()) {
    const HWND hPrevious = pHost->GetCurrentToolButton();
    pHost->SetCurrentToolButton(m_hWnd);
    if (hPrevious != NULL && hPrevious != m_hWnd && ::IsWindow(hPrevious))
      ::InvalidateRect(hPrevious, NULL, FALSE);
  }
  Invalidate(FALSE);
  UpdateWindow();
  pFrame->SendMessage(WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(), BN_CLICKED), (LPARAM)m_hWnd);
}

void CToolButton::PaintButton(CDC& dc, bool bBackgroundDone, bool bForMenu) {
  if (m_pIconImages != nullptr) {
    // Set without SetIcon, which would repaint from inside this paint.
    if (m_hIconIn == NULL)
      m_hIconIn = m_hIconOut = m_pIconImages->ExtractIcon(m_nIconImage);
    m_pIconImages = nullptr;
  }
  // The current tool keeps its pressed look; the hover and push states still show on the others.
  const BYTE nSavedFlags = m_nStateFlags;
  if (IsCurrentTool())
    m_nStateFlags |= STATE_PUSHED;
  CExtButton::PaintButton(dc, bBackgroundDone, bForMenu);
  m_nStateFlags = nSavedFlags;
}
