#include "toolkit/controls/ExtColorButton.h"

#include "framework/dlg/fw_dlg.h"
#include "toolkit/menus/ExtPopupColorMenuWnd.h"

IMPLEMENT_DYNCREATE(CExtColorButton, CButton)

BEGIN_MESSAGE_MAP(CExtColorButton, CButton)
ON_CONTROL_REFLECT(BN_CLICKED, OnClicked)
END_MESSAGE_MAP()

CExtColorButton::CExtColorButton() : m_clrDefault((COLORREF)-1), m_clrSelected(0), m_lParamCookie(0) {}

void CExtColorButton::SetColor(COLORREF clr) {
  m_clrSelected = clr;
  if (m_hWnd != NULL)
    Invalidate(FALSE);
}

void CExtColorButton::PreSubclassWindow() {
  CButton::PreSubclassWindow();
  // The face is a swatch of the colour, so the button draws itself.
  ModifyStyle(BS_TYPEMASK, BS_OWNERDRAW);
}

void CExtColorButton::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) {
  CDC* pDC = CDC::FromHandle(lpDrawItemStruct->hDC);
  CRect rect = lpDrawItemStruct->rcItem;
  const BOOL bPushed = (lpDrawItemStruct->itemState & ODS_SELECTED) != 0;
  pDC->DrawFrameControl(&rect, DFC_BUTTON, DFCS_BUTTONPUSH | (bPushed ? DFCS_PUSHED : 0));
  rect.DeflateRect(4, 4);
  if ((lpDrawItemStruct->itemState & ODS_DISABLED) == 0)
    pDC->FillSolidRect(&rect, m_clrSelected);
  pDC->FrameRect(&rect, CBrush::FromHandle((HBRUSH)::GetStockObject(BLACK_BRUSH)));
  if (lpDrawItemStruct->itemState & ODS_FOCUS) {
    rect.InflateRect(2, 2);
    pDC->DrawFocusRect(&rect);
  }
}

void CExtColorButton::OnClicked() {
  CColorDialog dlg(m_clrSelected, CC_FULLOPEN, this);
  if (dlg.DoModal() != IDOK)
    return;
  SetColor(dlg.GetColor());
  if (CWnd* pParent = GetParent())
    pParent->SendMessage(CExtPopupColorMenuWnd::g_nMsgNotifyColorChangedFinally, m_clrSelected,
                         m_lParamCookie);
}
