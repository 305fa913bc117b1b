// Print preview inside a frame: what the frame gives up while the preview shows and gets back
// after, and the preview bar made from a dialog template.
#include "framework/print/fw_print.h"

#include <vector>

// ---------------------------------------------------------------------------------------------
// The frame's preview mode

void CFrameWnd::OnSetPreviewMode(BOOL bPreview, CPrintPreviewState* pState) {
  // Collected first: showing and hiding may change the list.
  std::vector<CControlBar*> bars;
  for (POSITION pos = m_listControlBars.GetHeadPosition(); pos != NULL;)
    bars.push_back(static_cast<CControlBar*>(m_listControlBars.GetNext(pos)));
  if (bPreview) {
    // Every visible bar steps aside and remembers that it did; hidden bars stay as they are.
    for (CControlBar* pBar : bars) {
      if (pBar->m_hWnd == NULL || !pBar->IsVisible())
        continue;
      pBar->m_nStateFlags |= CControlBar::tempHide;
      ShowControlBar(pBar, FALSE, FALSE);
    }
    pState->hMenu = ::GetMenu(m_hWnd);
    if (pState->hMenu != NULL)
      ::SetMenu(m_hWnd, NULL);
    pState->hAccelTable = m_hAccelTable;
    m_hAccelTable = NULL;
    // The main pane (the view, or an MDI frame's client) hides and leaves its id to the preview.
    HWND hWndPane = ::GetDlgItem(m_hWnd, AFX_IDW_PANE_FIRST);
    if (hWndPane != NULL) {
      pState->nIDMainPane = AFX_IDW_PANE_FIRST;
      ::ShowWindow(hWndPane, SW_HIDE);
      ::SetWindowLongA(hWndPane, GWL_ID, AFX_IDW_PANE_SAVE);
    }
    m_lpfnCloseProc = pState->lpfnCloseProc;
  } else {
    m_lpfnCloseProc = NULL;
    HWND hWndPane = ::GetDlgItem(m_hWnd, AFX_IDW_PANE_SAVE);
    if (hWndPane != NULL) {
      ::SetWindowLongA(hWndPane, GWL_ID, pState->nIDMainPane);
      ::ShowWindow(hWndPane, SW_SHOW);
    }
    m_hAccelTable = pState->hAccelTable;
    if (pState->hMenu != NULL)
      ::SetMenu(m_hWnd, pState->hMenu);
    for (CControlBar* pBar : bars) {
      if (pBar->m_hWnd == NULL || !(pBar->m_nStateFlags & CControlBar::tempHide))
        continue;
      pBar->m_nStateFlags &= ~CControlBar::tempHide;
      ShowControlBar(pBar, TRUE, FALSE);
    }
  }
  RecalcLayout();
}

// ---------------------------------------------------------------------------------------------
// CPreviewBar

IMPLEMENT_DYNAMIC(CPreviewBar, CControlBar)

namespace {
// The buttons do the work; the dialog manager only needs to be told not to move the focus.
INT_PTR CALLBACK PreviewBarDlgProc(HWND, UINT, WPARAM, LPARAM) { return FALSE; }
} // namespace

CPreviewBar::CPreviewBar() : m_sizeDefault(0, 0) {}

BOOL CPreviewBar::Create(CFrameWnd* pParentWnd, UINT nIDTemplate, UINT nID) {
  LPCSTR lpszTemplate = MAKEINTRESOURCEA(nIDTemplate);
  HINSTANCE hInst = AfxFindResourceHandle(lpszTemplate, RT_DIALOG);
  HRSRC hResource = ::FindResourceA(hInst, lpszTemplate, RT_DIALOG);
  HGLOBAL hTemplate = hResource != NULL ? ::LoadResource(hInst, hResource) : NULL;
  LPCDLGTEMPLATE lpTemplate =
      hTemplate != NULL ? static_cast<LPCDLGTEMPLATE>(::LockResource(hTemplate)) : NULL;
  if (lpTemplate == NULL || pParentWnd == NULL)
    return FALSE;
  m_dwStyle = CBRS_TOP;
  AfxHookWindowCreate(this);
  HWND hWnd = ::CreateDialogIndirectParamA(hInst, lpTemplate, pParentWnd->m_hWnd, PreviewBarDlgProc, 0);
  if (!AfxUnhookWindowCreate()) {
    // The hook never saw the window: it belongs to no object.
    if (hWnd != NULL)
      ::DestroyWindow(hWnd);
    return FALSE;
  }
  if (hWnd == NULL)
    return FALSE;
  SetDlgCtrlID(static_cast<int>(nID));
  CRect rect;
  GetWindowRect(rect);
  m_sizeDefault = rect.Size();
  m_sizeDefault.cy += afxData.cyBorder2; // the line under the buttons
  return TRUE;
}

CSize CPreviewBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz) {
  CSize size = m_sizeDefault;
  if (bStretch) {
    if (bHorz)
      size.cx = 32767;
    else
      size.cy = 32767;
  }
  return size;
}

void CPreviewBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) {
  UpdateDialogControls(pTarget, bDisableIfNoHndler);
}
