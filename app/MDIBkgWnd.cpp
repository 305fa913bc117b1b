#include "app/MDIBkgWnd.h"

#include "resources/resource.h"
#include "toolkit/foundation/ExtCmdManager.h"

IMPLEMENT_DYNAMIC(CMDIBkgWnd, CWnd)

BEGIN_MESSAGE_MAP(CMDIBkgWnd, CWnd)
ON_WM_ERASEBKGND()
ON_WM_SIZE()
ON_MESSAGE(WM_MDISETMENU, OnMdiSetMenu)
END_MESSAGE_MAP()

CMDIBkgWnd::CMDIBkgWnd() : m_size(0, 0) {
  CBitmap tile;
  if (tile.LoadBitmap(IDB_MDI_BACKGROUND))
    m_brush.CreatePatternBrush(&tile);
  else
    m_brush.CreateSolidBrush(::GetSysColor(COLOR_APPWORKSPACE));
  m_fontTitle.CreateFont(36, 0, 0, 0, FW_BOLD, TRUE, 0, 0, ANSI_CHARSET, 0, 0, 0, 0x11, "Arial");
  m_fontText.CreateFont(18, 0, 0, 0, FW_NORMAL, FALSE, 0, 0, ANSI_CHARSET, 0, 0, 0, 0x20, "Arial");
  m_strTitle = "Pixolet";
  m_strHint = "* Go to \"Capture\" menu on top to capture screens.\r\n* Use left side \"Tools\" to edit your "
              "capture.\r\n"
              "* Use right side \"Menus\" for advanced image processing.\r\n";
}

LRESULT CMDIBkgWnd::OnMdiSetMenu(WPARAM wParam, LPARAM) {
  // The themed menus take an item's text from its command, one text per command for both menus:
  // the menu shown brings its own texts, so that a command the two menus name differently (Paste
  // As New Image, with a mnemonic of its own in each) reads as its menu has it.
  HMENU hMenu = reinterpret_cast<HMENU>(wParam);
  if (hMenu != NULL && ::IsMenu(hMenu) && !m_strCommandProfile.IsEmpty())
    g_CmdManagerHolder->ImportMenu(m_strCommandProfile, hMenu, true, true, false);
  return Default();
}

void CMDIBkgWnd::OnSize(UINT nType, int cx, int cy) {
  CWnd::OnSize(nType, cx, cy);
  if (m_size == CSize(0, 0)) {
    m_size = CSize(cx, cy);
    return;
  }
  if (m_size != CSize(cx, cy)) {
    m_size = CSize(cx, cy);
    // The hints sit at the lower right: the whole area moves with a new size.
    RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_ERASENOW);
  }
}

BOOL CMDIBkgWnd::OnEraseBkgnd(CDC* pDC) {
  CBrush* pOldBrush = pDC->SelectObject(&m_brush);
  CRect rcClip;
  pDC->GetClipBox(&rcClip);
  pDC->PatBlt(rcClip.left, rcClip.top, rcClip.Width(), rcClip.Height(), PATCOPY);
  pDC->SelectObject(pOldBrush);

  CRect rcClient;
  GetClientRect(&rcClient);
  TEXTMETRIC tm = {};
  pDC->GetTextMetrics(&tm);
  CFont* pOldFont = pDC->SelectObject(&m_fontText);
  CSize hint = pDC->GetTextExtent(m_strHint);
  CRect rcHint = rcClient;
  rcHint.left = rcClient.right - hint.cx / 2 - tm.tmAveCharWidth / 2;
  rcHint.top = rcClient.bottom - 5 * hint.cy - tm.tmHeight / 5;
  int nOldMode = pDC->SetBkMode(TRANSPARENT);
  COLORREF clrOld = pDC->SetTextColor(RGB(0, 0, 0));
  pDC->DrawText(m_strHint, &rcHint, 0);

  pDC->SelectObject(&m_fontTitle);
  CSize title = pDC->GetTextExtent(m_strTitle);
  CRect rcTitle = rcClient;
  rcTitle.left = rcHint.left;
  rcTitle.top = rcHint.top - tm.tmHeight / 2 - title.cy;
  pDC->DrawText(m_strTitle, &rcTitle, 0);
  pDC->SetTextColor(RGB(255, 255, 255));
  rcTitle.left += (-3 * tm.tmAveCharWidth) / 5;
  pDC->DrawText(m_strTitle, &rcTitle, 0);
  pDC->SetTextColor(0x87B8DE);
  rcTitle.left += tm.tmAveCharWidth / 5;
  pDC->DrawText(m_strTitle, &rcTitle, 0);

  pDC->SelectObject(pOldFont);
  pDC->SetTextColor(clrOld);
  pDC->SetBkMode(nOldMode);
  return TRUE;
}
