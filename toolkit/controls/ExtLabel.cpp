#include "toolkit/controls/ExtLabel.h"

#include "toolkit/foundation/ExtCmdIcon.h"
#include "toolkit/foundation/ExtMemoryDC.h"
#include "toolkit/theme/ExtPaintManagerHolder.h"

IMPLEMENT_DYNCREATE(CExtLabel, CStatic)

BEGIN_MESSAGE_MAP(CExtLabel, CStatic)
ON_WM_ERASEBKGND()
ON_WM_PAINT()
END_MESSAGE_MAP()

namespace {

const COLORREF kNoColor = (COLORREF)-1;
const DWORD kStaticTypeMask = 0x1F;

// Rectangles, frames, bitmaps, metafiles, owner-drawn and etched statics: the platform paints them.
bool IsPlatformPaintedType(DWORD nType) {
  return (nType >= 4 && nType <= 10) || (nType >= 13 && nType <= 18);
}

} // namespace

CExtLabel::CExtLabel() = default;

LRESULT CExtLabel::SmallControlWindowProc(CWnd* pWnd, UINT message, WPARAM wParam, LPARAM lParam,
                                          const std::function<LRESULT()>& pfnDefault) {
  (void)wParam;
  (void)lParam;
  if (message == WM_UPDATEUISTATE)
    return 0;
  const LRESULT lResult = pfnDefault();
  if ((message == WM_SETTEXT || message == WM_ENABLE) && ::IsWindow(pWnd->GetSafeHwnd())) {
    pWnd->Invalidate(TRUE);
    pWnd->UpdateWindow();
  }
  return lResult;
}

void CExtLabel::PaintControlBackground(CDC& dc, CWnd* pWnd, const CRect& rc, COLORREF clrBackground) {
  CExtPaintManager* pPM = g_PaintManagerHolder.GetPM();
  bool bPainted = false;
  if (clrBackground == kNoColor && pPM->HasDockerBackground(pWnd)) {
    CExtPaintManager::ExcludeChildAreas(dc.GetSafeHdc(), pWnd->GetSafeHwnd(),
                                        &CExtPaintManager::FilterTransparentChild);
    bPainted = pPM->PaintDockerBackground(true, dc, pWnd);
  }
  if (!bPainted)
    dc.FillSolidRect(&rc, clrBackground != kNoColor ? clrBackground : pPM->ColorByLogicalId(1000, pWnd));
}

HFONT CExtLabel::ChooseControlFont(CWnd* pWnd) {
  HFONT hFont = (HFONT)pWnd->SendMessage(WM_GETFONT);
  if (hFont == NULL) {
    if (HWND hParent = ::GetParent(pWnd->GetSafeHwnd()))
      hFont = (HFONT)::SendMessage(hParent, WM_GETFONT, 0, 0);
  }
  if (hFont == NULL)
    hFont = (HFONT)::GetStockObject(DEFAULT_GUI_FONT);
  if (hFont == NULL)
    hFont = (HFONT)::GetStockObject(SYSTEM_FONT);
  return hFont;
}

LRESULT CExtLabel::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  return SmallControlWindowProc(this, message, wParam, lParam,
                                [&] { return CStatic::WindowProc(message, wParam, lParam); });
}

BOOL CExtLabel::OnEraseBkgnd(CDC*) { return TRUE; }

void CExtLabel::OnPaint() {
  const DWORD nType = GetStyle() & kStaticTypeMask;
  if (IsPlatformPaintedType(nType)) {
    Default();
    return;
  }
  CPaintDC dcPaint(this);
  CRect rcClient;
  GetClientRect(&rcClient);
  if (!dcPaint.RectVisible(&rcClient))
    return;
  CExtMemoryDC dc(&dcPaint, &rcClient, CExtMemoryDC::MDC_OFFSCREEN | CExtMemoryDC::MDC_FILL_BACKGROUND);
  CRgn rgnClip;
  if (rgnClip.CreateRectRgnIndirect(&rcClient))
    dc.SelectClipRgn(&rgnClip);
  PaintControlBackground(dc, this, rcClient, m_clrBackground);
  if (nType == SS_ICON)
    PaintIcon(dc, rcClient);
  else
    PaintText(dc, rcClient);
  g_PaintManagerHolder->OnPaintSessionComplete(this);
  dc.SelectClipRgn(NULL);
}

void CExtLabel::PaintIcon(CDC& dc, const CRect& rcClient) {
  const HICON hIcon = GetIcon();
  if (hIcon == NULL)
    return;
  const SIZE size = GetIconSize(hIcon);
  CPoint pt = rcClient.TopLeft();
  if ((GetStyle() & SS_CENTERIMAGE) != 0)
    pt.Offset((rcClient.Width() - size.cx) / 2, (rcClient.Height() - size.cy) / 2);
  ::DrawIconEx(dc.GetSafeHdc(), pt.x, pt.y, hIcon, size.cx, size.cy, 0, NULL, DI_NORMAL);
}

UINT CExtLabel::StaticTextFormat(DWORD dwStyle, const CString& sText) {
  UINT nFormat;
  switch (dwStyle & kStaticTypeMask) {
  case SS_CENTER:
    nFormat = DT_CENTER | DT_WORDBREAK;
    break;
  case SS_RIGHT:
    nFormat = DT_RIGHT | DT_WORDBREAK;
    break;
  case SS_LEFTNOWORDWRAP:
    nFormat = DT_LEFT;
    break;
  default:
    nFormat = DT_LEFT | DT_WORDBREAK;
    break;
  }
  if (sText.Find('\t') >= 0)
    nFormat |= DT_EXPANDTABS;
  return nFormat;
}

void CExtLabel::PaintText(CDC& dc, const CRect& rcClient) {
  CString sText;
  GetWindowText(sText);
  if (sText.IsEmpty())
    return;
  const DWORD dwStyle = GetStyle();
  UINT nFormat = StaticTextFormat(dwStyle, sText);
  if ((dwStyle & SS_CENTERIMAGE) != 0 && sText.Find("\r\n") < 0)
    nFormat |= DT_VCENTER | DT_SINGLELINE;
  nFormat |= DT_VCENTER | DT_END_ELLIPSIS;
  DrawLabelText(dc, rcClient, sText, nFormat, IsWindowEnabled() != FALSE);
}

void CExtLabel::DrawLabelText(CDC& dc, const CRect& rc, const CString& sText, UINT nFormat, bool bEnabled) {
  CFont font;
  LOGFONTA lf = {};
  if (::GetObjectA(ChooseControlFont(this), sizeof(lf), &lf) == sizeof(lf)) {
    lf.lfWeight = (m_nFontFlags & FONT_BOLD) != 0 ? FW_BOLD : FW_NORMAL;
    lf.lfItalic = (m_nFontFlags & FONT_ITALIC) != 0;
    lf.lfUnderline = (m_nFontFlags & FONT_UNDERLINE) != 0;
    lf.lfStrikeOut = (m_nFontFlags & FONT_STRIKEOUT) != 0;
    font.CreateFontIndirect(&lf); // without it the text goes out in the DC's current font
  }
  const HGDIOBJ hOldFont = font.GetSafeHandle() != NULL ? dc.SelectObject(font.GetSafeHandle()) : NULL;
  const int nOldMode = dc.SetBkMode(TRANSPARENT);
  const COLORREF clrOld = dc.SetTextColor(GetTextColor(bEnabled));
  CRect rcText = rc;
  dc.DrawText(sText, &rcText, nFormat);
  dc.SetTextColor(clrOld);
  dc.SetBkMode(nOldMode);
  if (hOldFont != NULL)
    dc.SelectObject(hOldFont);
}

COLORREF CExtLabel::GetTextColor(bool bEnabled) {
  const COLORREF clrSet = bEnabled ? m_clrTextNormal : m_clrTextDisabled;
  if (clrSet != kNoColor)
    return clrSet;
  CExtPaintManager* pPM = g_PaintManagerHolder.GetPM();
  CWindowDC dcScreen(NULL);
  const COLORREF clrTheme = pPM->QueryLabelBackground(dcScreen, bEnabled, 0, 0, 0, this);
  if (clrTheme != kNoColor)
    return clrTheme;
  return pPM->ColorByLogicalId(bEnabled ? COLOR_BTNTEXT : COLOR_BTNSHADOW, this);
}
