#include "toolkit/controls/ExtGroupBox.h"

#include "toolkit/controls/ExtLabel.h"
#include "toolkit/foundation/ExtMemoryDC.h"
#include "toolkit/theme/ExtPaintManagerHolder.h"

IMPLEMENT_DYNAMIC(CExtGroupBox, CButton)

namespace {

// The visual style's group-box part and its states.
const int kPartGroupBox = 4;
int GroupBoxState(bool bEnabled) { return bEnabled ? 1 : 2; }

COLORREF SysColor(int nIndex, CObject* pSource) {
  return g_PaintManagerHolder->ColorByLogicalId(nIndex, pSource);
}

// Windows drawn over the background of whatever lies under them: labels, track bars, other group
// boxes and windows that ask for it.
bool IsSeeThrough(HWND hWnd) {
  if ((::GetWindowLongA(hWnd, GWL_EXSTYLE) & WS_EX_TRANSPARENT) != 0)
    return true;
  char szClass[32] = "";
  ::GetClassNameA(hWnd, szClass, sizeof(szClass));
  if (lstrcmpiA(szClass, "Static") == 0 || lstrcmpiA(szClass, "msctls_trackbar32") == 0)
    return true;
  return lstrcmpiA(szClass, "Button") == 0 &&
         (::GetWindowLongA(hWnd, GWL_STYLE) & BS_TYPEMASK) == BS_GROUPBOX;
}

} // namespace

CExtGroupBox::CExtGroupBox() = default;

void CExtGroupBox::PreSubclassWindow() {
  // The frame paints over its whole client area; clipping keeps it off the controls it groups.
  ModifyStyle(0, WS_CLIPCHILDREN | WS_CLIPSIBLINGS);
  CButton::PreSubclassWindow();
}

LRESULT CExtGroupBox::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
  case WM_ERASEBKGND:
    return 1;
  case WM_PAINT:
    OnPaintGroupBox();
    return 0;
  case WM_UPDATEUISTATE:
  case WM_SETTEXT:
  case WM_ENABLE:
    return CExtLabel::SmallControlWindowProc(this, message, wParam, lParam,
                                             [&] { return CButton::WindowProc(message, wParam, lParam); });
  default:
    return CButton::WindowProc(message, wParam, lParam);
  }
}

void CExtGroupBox::OnPaintGroupBox() {
  CRect rcClient;
  GetClientRect(&rcClient);
  {
    CPaintDC dcPaint(this);
    ExcludeSiblingsBelow(dcPaint, rcClient);
    CExtMemoryDC dc(&dcPaint, &rcClient, CExtMemoryDC::MDC_OFFSCREEN | CExtMemoryDC::MDC_FILL_BACKGROUND);
    CExtLabel::PaintControlBackground(dc, this, rcClient, m_clrBackground);
    const int nOldMode = dc.SetBkMode(TRANSPARENT);
    CString sText;
    GetWindowText(sText);
    CRect rcFrame = rcClient;
    if (!sText.IsEmpty()) {
      UINT nFormat = DT_VCENTER | DT_END_ELLIPSIS;
      if (sText.Find('\t') >= 0)
        nFormat |= DT_EXPANDTABS;
      CRect rcCaption(9, 0, rcClient.right - 9, rcClient.bottom);
      DrawCaption(dc, rcCaption, sText, nFormat, IsWindowEnabled() != FALSE);
      if (!rcCaption.IsRectEmpty())
        dc.ExcludeClipRect(&rcCaption);
      // The frame line runs through the middle of the caption without crossing it.
      rcFrame.top += rcCaption.Height() / 2;
    } else {
      rcFrame.top += 6;
    }
    PaintFrame(dc, rcFrame);
    dc.SetBkMode(nOldMode);
    g_PaintManagerHolder->OnPaintSessionComplete(this);
  }
  RedrawSiblingsAbove(rcClient);
}

void CExtGroupBox::ExcludeSiblingsBelow(CDC& dc, const CRect& rcClient) {
  for (HWND hSibling = ::GetWindow(m_hWnd, GW_HWNDNEXT); hSibling != NULL;
       hSibling = ::GetWindow(hSibling, GW_HWNDNEXT)) {
    // Only the opaque controls the box frames: those drawn over its background need it, and a
    // window that only overlaps the box is no control of its group.
    if (!::IsWindowVisible(hSibling) || IsSeeThrough(hSibling))
      continue;
    CRect rcSibling;
    ::GetWindowRect(hSibling, &rcSibling);
    ScreenToClient(&rcSibling);
    CRect rcCommon;
    if (rcCommon.IntersectRect(&rcSibling, &rcClient) && rcCommon == rcSibling)
      dc.ExcludeClipRect(&rcSibling);
  }
}

void CExtGroupBox::RedrawSiblingsAbove(const CRect& rcClient) {
  HWND hParent = ::GetParent(m_hWnd);
  // Clipped to its siblings, the box never paints over those on top of it: redrawing them would
  // only paint the same pixels again (every control in a panel of them, at each first paint).
  if (hParent == NULL || (GetStyle() & WS_CLIPSIBLINGS) != 0)
    return;
  for (HWND hSibling = ::GetWindow(hParent, GW_CHILD); hSibling != NULL && hSibling != m_hWnd;
       hSibling = ::GetWindow(hSibling, GW_HWNDNEXT)) {
    CRect rcSibling;
    ::GetWindowRect(hSibling, &rcSibling);
    ScreenToClient(&rcSibling);
    CRect rcCommon;
    if (rcCommon.IntersectRect(&rcSibling, &rcClient))
      ::RedrawWindow(hSibling, NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_FRAME);
  }
}

void CExtGroupBox::DrawCaption(CDC& dc, CRect& rcCaption, const CString& sText, UINT nFormat, bool bEnabled) {
  if (m_nFrameStyle == STYLE_CAPTION) {
    // The band carries the caption; the frame line needs no gap.
    rcCaption.SetRectEmpty();
    return;
  }
  const HFONT hFont = CExtLabel::ChooseControlFont(this);
  const HGDIOBJ hOldFont = dc.SelectObject(hFont);
  const int nOldMode = dc.SetBkMode(TRANSPARENT);
  const COLORREF clrOld = dc.SetTextColor(SysColor(bEnabled ? COLOR_BTNTEXT : COLOR_BTNSHADOW, this));

  const RECT rcExtent = CExtPaintManager::CalcTextExtent(dc, hFont, sText, DT_CALCRECT | DT_SINGLELINE);
  const int cxText = rcExtent.right - rcExtent.left, cyText = rcExtent.bottom - rcExtent.top;
  switch (m_nCaptionAlignment) {
  case ALIGN_RIGHT:
    rcCaption.left = rcCaption.right - cxText;
    break;
  case ALIGN_CENTER:
    rcCaption.left += (rcCaption.Width() - cxText) / 2;
    rcCaption.right = rcCaption.left + cxText;
    break;
  default:
    rcCaption.right = rcCaption.left + cxText;
    break;
  }
  rcCaption.bottom = rcCaption.top + cyText;

  CExtVisualStyleApi& api = g_PaintManagerHolder.m_VisualStyleApi;
  bool bDrawn = false;
  if (api.IsVisualStyleActive(true) && api.OpenThemeData(m_hWnd, L"BUTTON") != NULL) {
    bDrawn = api.DrawThemeText(dc.GetSafeHdc(), kPartGroupBox, GroupBoxState(bEnabled), sText, -1, nFormat, 0,
                               &rcCaption) == S_OK;
    api.CloseThemeData();
  }
  if (!bDrawn) {
    CRect rcText = rcCaption;
    dc.DrawText(sText, &rcText, nFormat);
  }
  rcCaption.InflateRect(2, 0);
  dc.SetTextColor(clrOld);
  dc.SetBkMode(nOldMode);
  dc.SelectObject(hOldFont);
}

bool CExtGroupBox::PaintThemedFrame(CDC& dc, const CRect& rcFrame) {
  CExtVisualStyleApi& api = g_PaintManagerHolder.m_VisualStyleApi;
  if (!api.IsVisualStyleActive(true) || api.OpenThemeData(m_hWnd, L"BUTTON") == NULL)
    return false;
  const bool bDrawn =
      api.DrawThemeBackground(dc.GetSafeHdc(), kPartGroupBox, GroupBoxState(IsWindowEnabled() != FALSE),
                              &rcFrame, NULL) == S_OK;
  api.CloseThemeData();
  return bDrawn;
}

void CExtGroupBox::PaintFrame(CDC& dc, const CRect& rcFrame) {
  const COLORREF clrShadow = SysColor(COLOR_BTNSHADOW, this);
  const COLORREF clrWindow = SysColor(COLOR_WINDOW, this);
  switch (m_nFrameStyle) {
  case STYLE_SYSTEM:
    if (PaintThemedFrame(dc, rcFrame))
      break;
    // fall through: without a visual style the frame is etched
  case STYLE_ETCHED: {
    CRect rc = rcFrame;
    dc.Draw3dRect(&rc, clrShadow, clrWindow);
    rc.DeflateRect(1, 1);
    dc.Draw3dRect(&rc, clrWindow, clrShadow);
    break;
  }
  case STYLE_ROUNDED: {
    CPen pen;
    pen.CreatePen(PS_SOLID, 1, clrShadow);
    const HGDIOBJ hOldBrush = dc.SelectObject(::GetStockObject(NULL_BRUSH));
    const HGDIOBJ hOldPen = pen.GetSafeHandle() != NULL ? dc.SelectObject(pen.GetSafeHandle()) : NULL;
    dc.RoundRect(rcFrame.left, rcFrame.top, rcFrame.right, rcFrame.bottom, 10, 10);
    if (hOldPen != NULL)
      dc.SelectObject(hOldPen);
    dc.SelectObject(hOldBrush);
    break;
  }
  case STYLE_FLAT:
    dc.Draw3dRect(&rcFrame, clrShadow, clrShadow);
    break;
  case STYLE_CAPTION: {
    CRect rcClient;
    GetClientRect(&rcClient);
    PaintCaptionBand(dc, rcClient);
    break;
  }
  default:
    break;
  }
}

void CExtGroupBox::PaintCaptionBand(CDC& dc, const CRect& rcClient) {
  const COLORREF clrShadow = SysColor(COLOR_BTNSHADOW, this);
  dc.Draw3dRect(&rcClient, clrShadow, clrShadow);
  dc.FillSolidRect(rcClient.left, rcClient.top, rcClient.Width(), m_nCaptionBandHeight, clrShadow);
  CString sText;
  GetWindowText(sText);
  if (sText.IsEmpty())
    return;
  CFont fontBold;
  LOGFONTA lf = {};
  if (::GetObjectA(CExtLabel::ChooseControlFont(this), sizeof(lf), &lf) == sizeof(lf)) {
    lf.lfWeight = FW_BOLD;
    fontBold.CreateFontIndirect(&lf); // without it the caption goes out in the DC's current font
  }
  const HFONT hFont = (HFONT)fontBold.GetSafeHandle();
  const HGDIOBJ hOldFont = hFont != NULL ? dc.SelectObject(hFont) : NULL;
  const int nOldMode = dc.SetBkMode(TRANSPARENT);
  const COLORREF clrOld = dc.SetTextColor(SysColor(COLOR_WINDOW, this));
  UINT nFormat = DT_VCENTER | DT_END_ELLIPSIS;
  if (m_nCaptionAlignment == ALIGN_RIGHT)
    nFormat |= DT_RIGHT;
  else if (m_nCaptionAlignment == ALIGN_CENTER)
    nFormat |= DT_CENTER;
  if (sText.Find('\t') >= 0)
    nFormat |= DT_EXPANDTABS;
  const RECT rcExtent = CExtPaintManager::CalcTextExtent(dc, hFont, sText, DT_SINGLELINE);
  const int cyText = rcExtent.bottom - rcExtent.top;
  CRect rcText(5, (m_nCaptionBandHeight - cyText) / 2, rcClient.right - 4, rcClient.bottom);
  dc.DrawText(sText, &rcText, nFormat);
  dc.SetTextColor(clrOld);
  dc.SetBkMode(nOldMode);
  if (hOldFont != NULL)
    dc.SelectObject(hOldFont);
}
