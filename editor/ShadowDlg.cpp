#include "editor/ShadowDlg.h"

#include "framework/core/fw_geom.h"
#include "framework/core/fw_string.h"
#include "framework/gdi/fw_gdi.h"
#include "toolkit/menus/ExtPopupColorMenuWnd.h"

#include <commctrl.h>
#include <gdiplus.h>

#include <algorithm>

namespace {

const int kOpacityMax = 100;          // percent
const int kPreviewSquare = 50;        // side of the preview's square and of its shadow, pixels
const COLORREF kNoColor = 0xFFFFFFFF; // a colour notification that means "the button's own"

const DrawStyle kDefaultStyle = {
    0,          // mainColor
    0xFFFFFFFF, // backColor
    100,        // opacity
    2,          // width
    1,          // antialias
    0,          // dropShadow
    0xC0C0C0,   // shadowColor
    200,        // shadowOpacity
    5,          // shadowDepthX
    5,          // shadowDepthY
    1,          // shadowEdge
};

} // namespace

IMPLEMENT_DYNAMIC(CShadowDlg, CDialog)

BEGIN_MESSAGE_MAP(CShadowDlg, CDialog)
ON_WM_PAINT()
ON_WM_HSCROLL()
ON_NOTIFY(NM_RELEASEDCAPTURE, IDC_SHADOW_OPACITY, OnOpacityReleasedCapture)
ON_NOTIFY(UDN_DELTAPOS, IDC_SHADOW_DEPTH_X_SPIN, OnDepthXDeltaPos)
ON_NOTIFY(UDN_DELTAPOS, IDC_SHADOW_DEPTH_Y_SPIN, OnDepthYDeltaPos)
ON_REGISTERED_MESSAGE(CExtPopupColorMenuWnd::g_nMsgNotifyColorChangedFinally, OnColorChangedFinally)
END_MESSAGE_MAP()

CShadowDlg::CShadowDlg(CWnd* pParent)
    : CDialog(IDD, pParent), m_style(kDefaultStyle), m_bApplyAll(0), m_bLimited(0) {
  // The template holds a trackbar and up-down controls.
  AfxInitCommonControls(ICC_BAR_CLASSES | ICC_UPDOWN_CLASS);
}

void CShadowDlg::DoDataExchange(CDataExchange* pDX) {
  CDialog::DoDataExchange(pDX);
  DDX_Control(pDX, IDC_SHADOW_COLOR, m_btnShadowColor);
  DDX_Control(pDX, IDC_SHADOW_OPACITY, m_sliderOpacity);
  m_btnShadowColor.m_clrDefault = m_style.shadowColor;
}

BOOL CShadowDlg::OnInitDialog() {
  if (!CDialog::OnInitDialog())
    return FALSE; // the base has ended the dialog
  m_btnShadowColor.SetDrawFlag1(true);
  m_btnShadowColor.m_clrSelected = 0;

  m_sliderOpacity.SetTicFreq(20);
  m_sliderOpacity.SetLineSize(5);
  m_sliderOpacity.SetPageSize(10);
  m_sliderOpacity.SetRange(0, kOpacityMax, TRUE);
  const int nOpacity = std::clamp(m_style.shadowOpacity, 0, kOpacityMax);
  m_sliderOpacity.SetPos(nOpacity);
  ShowOpacity(nOpacity);

  SetDlgItemInt(IDC_SHADOW_DEPTH_X, m_style.shadowDepthX, TRUE);
  SetDlgItemInt(IDC_SHADOW_DEPTH_Y, m_style.shadowDepthY, TRUE);
  SendDlgItemMessage(IDC_SHADOW_EDGE, CB_SETCURSEL, m_style.shadowEdge);

  m_bApplyAll = 0;
  for (int nID : {IDC_SHADOW_OPACITY, IDC_SHADOW_OPACITY_VALUE, IDC_SHADOW_APPLY_ALL})
    ::EnableWindow(::GetDlgItem(m_hWnd, nID), !m_bLimited);
  return TRUE;
}

void CShadowDlg::OnOK() {
  m_bApplyAll = IsDlgButtonChecked(IDC_SHADOW_APPLY_ALL) == BST_CHECKED ? 1 : 0;
  // An edge the list did not know at the start leaves the list without a selection; it stays.
  const int nEdge = (int)SendDlgItemMessage(IDC_SHADOW_EDGE, CB_GETCURSEL);
  if (nEdge != CB_ERR)
    m_style.shadowEdge = nEdge;
  CDialog::OnOK();
}

void CShadowDlg::OnPaint() {
  CPaintDC dc(this);
  CWnd* pPreview = GetDlgItem(IDC_SHADOW_PREVIEW);
  if (pPreview == NULL)
    return;
  CRect rc;
  pPreview->GetClientRect(&rc);
  const CPoint ptCentre = rc.CenterPoint();
  const int x = ptCentre.x - kPreviewSquare / 2, y = ptCentre.y - kPreviewSquare / 2;

  Gdiplus::Graphics graphics(pPreview->m_hWnd);
  // A static control's DC may reach over its neighbours; the shadow keeps to the preview.
  graphics.SetClip(Gdiplus::Rect(rc.left, rc.top, rc.Width(), rc.Height()));
  const COLORREF clr = m_style.shadowColor;
  Gdiplus::SolidBrush shadow(
      Gdiplus::Color(LOBYTE(m_style.shadowOpacity), GetRValue(clr), GetGValue(clr), GetBValue(clr)));
  graphics.FillRectangle(&shadow, x + m_style.shadowDepthX, y + m_style.shadowDepthY, kPreviewSquare,
                         kPreviewSquare);
  Gdiplus::SolidBrush white(Gdiplus::Color(255, 255, 255, 255));
  graphics.FillRectangle(&white, x, y, kPreviewSquare, kPreviewSquare);
  Gdiplus::Pen black(Gdiplus::Color(255, 0, 0, 0), 1.0f);
  graphics.DrawRectangle(&black, x, y, kPreviewSquare - 1, kPreviewSquare - 1);
}

// The slider has already moved by the scroll code when it tells its parent, so its position is
// the user's choice; it becomes the opacity at once, so that keyboard moves count as mouse moves.
void CShadowDlg::OnHScroll(UINT, UINT, CScrollBar* pScrollBar) {
  if (pScrollBar == NULL || pScrollBar->m_hWnd != m_sliderOpacity.m_hWnd)
    return;
  const int nPos =
      std::clamp(m_sliderOpacity.GetPos(), m_sliderOpacity.GetRangeMin(), m_sliderOpacity.GetRangeMax());
  m_style.shadowOpacity = nPos;
  ShowOpacity(nPos);
  RepaintPreview();
}

void CShadowDlg::OnOpacityReleasedCapture(NMHDR*, LRESULT* pResult) {
  m_style.shadowOpacity = m_sliderOpacity.GetPos();
  RepaintPreview();
  *pResult = 0;
}

void CShadowDlg::OnDepthXDeltaPos(NMHDR* pNMHDR, LRESULT* pResult) {
  StepDepth(m_style.shadowDepthX, IDC_SHADOW_DEPTH_X, pNMHDR);
  *pResult = 0;
}

void CShadowDlg::OnDepthYDeltaPos(NMHDR* pNMHDR, LRESULT* pResult) {
  StepDepth(m_style.shadowDepthY, IDC_SHADOW_DEPTH_Y, pNMHDR);
  *pResult = 0;
}

// The up-downs keep their default range, upper 0 below lower 100, so that the up arrow gives a
// negative step: subtracting it makes the up arrow deepen the shadow.
void CShadowDlg::StepDepth(int& nDepth, int nIDEdit, const NMHDR* pNMHDR) {
  const NMUPDOWN* pUpDown = reinterpret_cast<const NMUPDOWN*>(pNMHDR);
  const long long nNew = (long long)nDepth - pUpDown->iDelta;
  nDepth = (int)std::clamp<long long>(nNew, -kMaxDepth, kMaxDepth);
  SetDlgItemInt(nIDEdit, nDepth, TRUE);
  RepaintPreview();
}

LRESULT CShadowDlg::OnColorChangedFinally(WPARAM wParam, LPARAM) {
  const COLORREF clr = (COLORREF)wParam;
  m_style.shadowColor = clr == kNoColor ? m_btnShadowColor.m_clrSelected : clr;
  RepaintPreview();
  return 0;
}

void CShadowDlg::ShowOpacity(int nPos) {
  CString strText;
  strText.Format("(%d%%)", nPos);
  SetDlgItemText(IDC_SHADOW_OPACITY_VALUE, strText);
}

// The dialog paints the preview, so the dialog is invalidated over it; its background is erased
// there first.
void CShadowDlg::RepaintPreview() {
  CWnd* pPreview = GetDlgItem(IDC_SHADOW_PREVIEW);
  if (pPreview == NULL)
    return;
  CRect rc;
  pPreview->GetWindowRect(&rc);
  ScreenToClient(&rc);
  InvalidateRect(&rc, TRUE);
}
