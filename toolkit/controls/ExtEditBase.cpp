#include "toolkit/controls/ExtEditBase.h"

#include "toolkit/controls/ExtControlTip.h"
#include "toolkit/foundation/ExtCmdItem.h"
#include "toolkit/foundation/ExtCmdManager.h"
#include "toolkit/foundation/ExtResourceManager.h"
#include "toolkit/menus/ExtPopupMenuWnd.h"
#include "toolkit/theme/ExtPaintManager.h"
#include "toolkit/theme/ExtPaintManagerHolder.h"

#include <memory>

IMPLEMENT_DYNCREATE(CExtEditBase, CEdit)

BEGIN_MESSAGE_MAP(CExtEditBase, CEdit)
ON_WM_CONTEXTMENU()
ON_WM_CTLCOLOR_REFLECT()
END_MESSAGE_MAP()

const UINT CExtEditBase::g_arrStdCommands[8] = {
    ID_EDIT_UNDO, 0, ID_EDIT_CUT, ID_EDIT_COPY, ID_EDIT_PASTE, ID_EDIT_CLEAR, 0, ID_EDIT_SELECT_ALL};

namespace {

LPCSTR StdCommandFallbackText(UINT nID) {
  switch (nID) {
  case ID_EDIT_UNDO:
    return "&Undo";
  case ID_EDIT_CUT:
    return "Cu&t";
  case ID_EDIT_COPY:
    return "&Copy";
  case ID_EDIT_PASTE:
    return "&Paste";
  case ID_EDIT_CLEAR:
    return "Cl&ear";
  case ID_EDIT_SELECT_ALL:
    return "Select &All";
  default:
    return "";
  }
}

// The menu text of a standard command: the string resource's part after its first line feed,
// else the built-in text.
CString StdCommandText(UINT nID) {
  CString sText;
  if (g_ResourceManagerHolder->LoadString(sText, nID)) {
    sText.Replace('\t', ' ');
    sText.Remove('\r');
    sText.TrimLeft();
    sText.TrimRight();
    const int nLineFeed = sText.Find('\n');
    if (nLineFeed >= 0)
      sText = sText.Mid(nLineFeed + 1);
  }
  if (sText.IsEmpty())
    sText = StdCommandFallbackText(nID);
  return sText;
}

} // namespace

CExtEditBase::CExtEditBase()
    : m_nEditFlags(EDIT_STD_COMMANDS), m_clrBack((COLORREF)-1), m_clrBackBrush((COLORREF)-1),
      m_clrText((COLORREF)-1) {
  EnableToolTips(TRUE);
}

CExtEditBase::~CExtEditBase() = default;

void CExtEditBase::SetTooltipText(LPCSTR lpszText, BOOL bActivate) {
  ExtControlTip::SetText(this, m_wndToolTip, lpszText, GetTipMaxWidth(), bActivate);
}

void CExtEditBase::ActivateTooltip(BOOL bActivate) { ExtControlTip::Activate(m_wndToolTip, bActivate); }

int CExtEditBase::GetTipMaxWidth() const { return 250; }

BOOL CExtEditBase::PreTranslateMessage(MSG* pMsg) {
  ExtControlTip::Relay(this, m_wndToolTip, pMsg);
  return CEdit::PreTranslateMessage(pMsg);
}

INT_PTR CExtEditBase::OnToolHitTest(CPoint point, TOOLINFO* pTI) const {
  CExtEditBase* pThis = const_cast<CExtEditBase*>(this);
  INT_PTR nResult = -1;
  if (ExtControlTip::HitTestOnToolBar(pThis, GetParent(), pThis->m_wndToolTip, GetTipMaxWidth(), point, pTI,
                                      nResult))
    return nResult;
  return CEdit::OnToolHitTest(point, pTI);
}

// ---------------------------------------------------------------------------------------------
// Colours.

HBRUSH CExtEditBase::ThemedCtlColor(CWnd* pWnd, CDC* pDC, UINT nCtlColor, COLORREF clrText, COLORREF clrBack,
                                    bool bReadOnlyFace, COLORREF& clrBackBrush, CBrush& brBack) {
  if (nCtlColor != CTLCOLOR_MSGBOX && nCtlColor != CTLCOLOR_EDIT && nCtlColor != CTLCOLOR_STATIC)
    return NULL;
  CExtPaintManager* pPM = g_PaintManagerHolder.GetPM();
  if (clrText == (COLORREF)-1)
    clrText = pPM->ColorByLogicalId(pWnd->IsWindowEnabled() ? COLOR_WINDOWTEXT : COLOR_GRAYTEXT, pWnd);
  if (clrBack == (COLORREF)-1)
    clrBack = pPM->ColorByLogicalId(bReadOnlyFace ? COLOR_BTNFACE : COLOR_WINDOW, pWnd);
  pDC->SetTextColor(clrText);
  pDC->SetBkColor(clrBack);
  if (brBack.GetSafeHandle() == NULL || clrBackBrush != clrBack) {
    brBack.DeleteObject();
    if (!brBack.CreateSolidBrush(clrBack)) {
      clrBackBrush = (COLORREF)-1;
      return NULL;
    }
    clrBackBrush = clrBack;
  }
  return (HBRUSH)brBack.GetSafeHandle();
}

HBRUSH CExtEditBase::CtlColor(CDC* pDC, UINT nCtlColor) {
  return ThemedCtlColor(this, pDC, nCtlColor, m_clrText, m_clrBack, (GetStyle() & ES_READONLY) != 0,
                        m_clrBackBrush, m_brBack);
}

// ---------------------------------------------------------------------------------------------
// Standard edit commands.

bool CExtEditBase::QueryStdCommand(UINT nID, bool& bEnabled) const {
  int nStart = 0, nEnd = 0;
  GetSel(nStart, nEnd);
  const bool bWritable = (GetStyle() & ES_READONLY) == 0;
  const bool bSelection = nStart != nEnd;
  switch (nID) {
  case ID_EDIT_UNDO:
    bEnabled = CanUndo() && bWritable;
    return true;
  case ID_EDIT_CUT:
  case ID_EDIT_CLEAR:
    bEnabled = bSelection && bWritable;
    return true;
  case ID_EDIT_COPY:
    bEnabled = bSelection;
    return true;
  case ID_EDIT_PASTE:
    bEnabled = ::IsClipboardFormatAvailable(CF_TEXT) && bWritable;
    return true;
  case ID_EDIT_SELECT_ALL: {
    const int nLength = GetWindowTextLength();
    bEnabled = nLength > 0 && !(nStart == 0 && nEnd == nLength);
    return true;
  }
  default:
    return false;
  }
}

void CExtEditBase::ExecuteStdCommand(UINT nID) {
  switch (nID) {
  case ID_EDIT_UNDO:
    SendMessage(EM_UNDO, 0, 0);
    break;
  case ID_EDIT_CUT:
    SendMessage(WM_CUT, 0, 0);
    break;
  case ID_EDIT_COPY:
    SendMessage(WM_COPY, 0, 0);
    break;
  case ID_EDIT_PASTE:
    SendMessage(WM_PASTE, 0, 0);
    break;
  case ID_EDIT_CLEAR:
    SendMessage(WM_CLEAR, 0, 0);
    break;
  case ID_EDIT_SELECT_ALL:
    SendMessage(EM_SETSEL, 0, -1);
    SendMessage(EM_SCROLLCARET, 0, 0);
    break;
  default:
    break;
  }
}

BOOL CExtEditBase::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
  bool bEnabled = false;
  if ((m_nEditFlags & EDIT_STD_COMMANDS) == 0 || (nCode != CN_COMMAND && nCode != CN_UPDATE_COMMAND_UI) ||
      m_hWnd == NULL || !QueryStdCommand(nID, bEnabled))
    return CEdit::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
  if (nCode == CN_UPDATE_COMMAND_UI) {
    if (pExtra != NULL)
      static_cast<CCmdUI*>(pExtra)->Enable(bEnabled);
  } else if (pHandlerInfo == NULL) { // a probe only asks whether the command has a handler
    ExecuteStdCommand(nID);
  }
  return TRUE;
}

// ---------------------------------------------------------------------------------------------
// Context menu.

bool CExtEditBase::TrackStdContextMenu(CPoint ptScreen) {
  LPCSTR lpszProfile = g_CmdManagerHolder->GetProfileNameForWindow(m_hWnd);
  if (lpszProfile == NULL)
    return false;
  // The tracking site owns the menu once it is shown; until then it is ours.
  std::unique_ptr<CExtPopupMenuWnd> pPopup(new CExtPopupMenuWnd);
  if (!pPopup->InitTopLevel(m_hWnd))
    return false;
  for (UINT nID : g_arrStdCommands) {
    if (nID == 0) {
      pPopup->InsertItem(0);
      continue;
    }
    CExtCmdItem* pCmdItem = g_CmdManagerHolder->FindCommand(lpszProfile, nID);
    if (pCmdItem == NULL)
      pCmdItem = g_CmdManagerHolder->AllocCommand(lpszProfile, nID);
    if (pCmdItem == NULL)
      continue;
    if (pCmdItem->m_sMenuText.IsEmpty())
      pCmdItem->m_sMenuText = StdCommandText(nID);
    pCmdItem->SetBasic(true);
    pPopup->InsertItem(nID);
  }
  CRect rcClient;
  GetClientRect(&rcClient);
  ClientToScreen(&rcClient);
  // A menu asked for from the keyboard comes with a point outside the edit.
  if (!rcClient.PtInRect(ptScreen))
    ptScreen = rcClient.CenterPoint();
  SetFocus();
  if (!pPopup->RunTrackingLoop(CExtPopupMenuWnd::TPMX_MODAL_LOOP | CExtPopupMenuWnd::TPMX_OWNERDRAW_ITEMS,
                               ptScreen.x, ptScreen.y))
    return false;
  pPopup.release();
  return true;
}

void CExtEditBase::OnContextMenu(CWnd*, CPoint point) {
  if ((m_nEditFlags & EDIT_STD_COMMANDS) == 0) {
    Default();
    return;
  }
  const HWND hWnd = m_hWnd;
  if (!TrackStdContextMenu(point)) {
    if (::IsWindow(hWnd))
      Default();
    return;
  }
  if (::IsWindow(hWnd))
    RedrawWindow(NULL, NULL,
                 RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_ERASENOW | RDW_FRAME);
}

LRESULT CExtEditBase::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NOTIFY && m_wndToolTip.GetSafeHwnd() != NULL) {
    const NMHDR* pHdr = reinterpret_cast<const NMHDR*>(lParam);
    if (pHdr != NULL && pHdr->hwndFrom == m_wndToolTip.GetSafeHwnd() && pHdr->code == TTN_SHOW)
      m_wndToolTip.SetWindowPos(&CWnd::wndTop, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE);
  }
  if (message == WM_CONTEXTMENU) {
    CEdit::WindowProc(message, wParam, lParam);
    return 0;
  }
  return CEdit::WindowProc(message, wParam, lParam);
}
