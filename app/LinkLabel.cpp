#include "app/LinkLabel.h"

#include "toolkit/controls/ExtLabel.h"

#include <shellapi.h>

#include <algorithm>
#include <cstring>

IMPLEMENT_DYNAMIC(CLinkLabel, CStatic)

BEGIN_MESSAGE_MAP(CLinkLabel, CStatic)
ON_WM_PAINT()
ON_WM_ERASEBKGND()
ON_WM_TIMER()
ON_WM_LBUTTONDOWN()
ON_WM_LBUTTONDBLCLK()
ON_WM_SETCURSOR()
ON_WM_SYSCOLORCHANGE()
END_MESSAGE_MAP()

CLinkLabel::CLinkLabel()
    : m_crText(::GetSysColor(COLOR_WINDOWTEXT)), m_crHighlight(0xFFFFFF), m_bFlashState(FALSE),
      m_bTimerRunning(FALSE), m_nLinkType(kLinkNone), m_bTransparent(FALSE), m_b3DText(FALSE),
      m_bNotifyParent(FALSE), m_bRotation(FALSE), m_nFlashType(kFlashNone), m_hCursor(NULL),
      m_n3DDirection(0), m_bGradient(FALSE), m_crGradientEnd(0), m_crBk(0) {
  m_brFace.CreateSolidBrush(::GetSysColor(COLOR_3DFACE));
  std::memset(&m_lf, 0, sizeof(m_lf));
}

CLinkLabel::~CLinkLabel() = default;

BOOL CLinkLabel::PreCreateWindow(CREATESTRUCT& cs) { return CStatic::PreCreateWindow(cs); }

void CLinkLabel::PreSubclassWindow() {
  CStatic::PreSubclassWindow();
  HFONT hFont = (HFONT)SendMessage(WM_GETFONT, 0, 0);
  if (hFont == NULL)
    hFont = (HFONT)::GetStockObject(SYSTEM_FONT);
  ::GetObjectA(hFont, sizeof(m_lf), &m_lf);
  ReconstructFont();
}

void CLinkLabel::ReconstructFont() {
  // Wine's smoothing thins the strokes of small bold text ("Arial" is Liberation Sans there) to the
  // look of the regular weight, dark text on a light ground most of all: a bold label that leaves
  // the quality to the system is drawn unsmoothed, so that it reads as bold.
  LOGFONT lf = m_lf;
  if (lf.lfWeight >= FW_BOLD && lf.lfQuality == DEFAULT_QUALITY)
    lf.lfQuality = NONANTIALIASED_QUALITY;
  m_font.DeleteObject();
  m_font.CreateFontIndirect(&lf);
}

void CLinkLabel::RedrawLabel() {
  // A label not on the screen is painted whole when it shows; neither it nor what lies under it
  // needs painting now (this saves a page of labels many round trips while it is set up).
  if (!::IsWindow(m_hWnd) || !::IsWindowVisible(m_hWnd))
    return;
  RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  // A transparent label shows its parent's background: repaint what lies under it.
  CWnd* pParent = GetParent();
  if (pParent == NULL)
    return;
  CRect rc;
  GetWindowRect(&rc);
  pParent->ScreenToClient(&rc);
  pParent->InvalidateRect(&rc, TRUE);
  pParent->UpdateWindow();
}

CLinkLabel& CLinkLabel::SetBkColor(COLORREF crBk, COLORREF crGradientEnd, BOOL bGradient) {
  m_crBk = crBk;
  m_crGradientEnd = crGradientEnd;
  m_bGradient = bGradient;
  m_brBk.DeleteObject();
  if (!bGradient)
    m_brBk.CreateSolidBrush(crBk);
  RedrawLabel();
  return *this;
}

// The same colour or text again changes nothing on the screen, so it repaints nothing: a repaint
// also redraws the parent under the label at once, and pages set their labels on every change.
CLinkLabel& CLinkLabel::SetTextColor(COLORREF crText) {
  if (crText == m_crText)
    return *this;
  m_crText = crText;
  RedrawLabel();
  return *this;
}

CLinkLabel& CLinkLabel::SetText(const CString& strText) {
  if (::IsWindow(m_hWnd)) {
    CString strOld;
    GetWindowText(strOld);
    if (strOld == strText)
      return *this;
    SetWindowText(strText);
    RedrawLabel();
  }
  return *this;
}

CLinkLabel& CLinkLabel::SetFontBold(BOOL bBold) {
  m_lf.lfWeight = bBold ? FW_BOLD : FW_NORMAL;
  ReconstructFont();
  RedrawLabel();
  return *this;
}

CLinkLabel& CLinkLabel::SetFontName(const CString& strFace, BYTE nCharSet) {
  m_lf.lfCharSet = nCharSet;
  lstrcpynA(m_lf.lfFaceName, strFace, LF_FACESIZE);
  ReconstructFont();
  RedrawLabel();
  return *this;
}

CLinkLabel& CLinkLabel::SetFontUnderline(BOOL bSet) {
  m_lf.lfUnderline = (BYTE)(bSet ? 1 : 0);
  ReconstructFont();
  RedrawLabel();
  return *this;
}

CLinkLabel& CLinkLabel::SetFontItalic(BOOL bSet) {
  m_lf.lfItalic = (BYTE)(bSet ? 1 : 0);
  ReconstructFont();
  RedrawLabel();
  return *this;
}

CLinkLabel& CLinkLabel::SetFontSize(int nPoints) {
  CFont font;
  if (font.CreatePointFont(nPoints * 10, m_lf.lfFaceName)) {
    LOGFONT lf;
    font.GetObject(sizeof(lf), &lf);
    m_lf.lfHeight = lf.lfHeight;
    m_lf.lfWidth = lf.lfWidth;
  }
  ReconstructFont();
  RedrawLabel();
  return *this;
}

CLinkLabel& CLinkLabel::SetSunken(BOOL bSet) {
  ModifyStyleEx(bSet ? 0 : WS_EX_STATICEDGE, bSet ? WS_EX_STATICEDGE : 0, SWP_DRAWFRAME);
  return *this;
}

CLinkLabel& CLinkLabel::SetBorder(BOOL bSet) {
  ModifyStyle(bSet ? 0 : WS_BORDER, bSet ? WS_BORDER : 0, SWP_DRAWFRAME);
  return *this;
}

CLinkLabel& CLinkLabel::SetTransparent(BOOL bSet) {
  m_bTransparent = bSet;
  ModifyStyleEx(0, WS_EX_TRANSPARENT);
  RedrawLabel();
  return *this;
}

void CLinkLabel::StopFlashTimer() {
  if (m_bTimerRunning) {
    KillTimer(kFlashTimer);
    m_bTimerRunning = FALSE;
  }
}

CLinkLabel& CLinkLabel::FlashText(BOOL bActivate) {
  StopFlashTimer();
  if (!bActivate) {
    m_nFlashType = kFlashNone;
    return *this;
  }
  m_bFlashState = FALSE;
  m_bTimerRunning = TRUE;
  SetTimer(kFlashTimer, 500, NULL);
  m_nFlashType = kFlashText;
  return *this;
}

CLinkLabel& CLinkLabel::FlashBackground(BOOL bActivate) {
  StopFlashTimer();
  if (bActivate) {
    m_bFlashState = FALSE;
    m_bTimerRunning = TRUE;
    SetTimer(kFlashTimer, 500, NULL);
    m_nFlashType = kFlashBackground;
  }
  return *this;
}

CLinkLabel& CLinkLabel::SetLink(BOOL bLink, BOOL bNotifyParent) {
  m_nLinkType = bLink ? kLinkHyper : kLinkNone;
  m_bNotifyParent = bNotifyParent;
  ModifyStyle(bLink ? 0 : SS_NOTIFY, bLink ? SS_NOTIFY : 0);
  return *this;
}

CLinkLabel& CLinkLabel::SetMailLink(BOOL bLink, BOOL bNotifyParent) {
  m_nLinkType = bLink ? kLinkMail : kLinkNone;
  m_bNotifyParent = bNotifyParent;
  ModifyStyle(bLink ? 0 : SS_NOTIFY, bLink ? SS_NOTIFY : 0);
  return *this;
}

CLinkLabel& CLinkLabel::SetLinkCursor(HCURSOR hCursor) {
  m_hCursor = hCursor;
  return *this;
}

CLinkLabel& CLinkLabel::SetText3D(BOOL b3D, int nDirection) {
  m_b3DText = b3D;
  m_n3DDirection = nDirection;
  RedrawLabel();
  return *this;
}

CLinkLabel& CLinkLabel::SetRotationAngle(int nDegrees, BOOL bRotation) {
  m_lf.lfEscapement = m_lf.lfOrientation = nDegrees * 10;
  m_bRotation = bRotation;
  ReconstructFont();
  RedrawLabel();
  return *this;
}

CLinkLabel& CLinkLabel::SetHighlightColor(COLORREF crHighlight) {
  m_crHighlight = crHighlight;
  RedrawLabel();
  return *this;
}

CLinkLabel& CLinkLabel::SetFont(LOGFONT lf) {
  m_lf = lf;
  ReconstructFont();
  RedrawLabel();
  return *this;
}

CLinkLabel& CLinkLabel::SetLinkTarget(const CString& strTarget) {
  m_strLinkTarget = strTarget;
  return *this;
}

void CLinkLabel::DrawGradient(CDC* pDC, const RECT* pRect, COLORREF crFrom, COLORREF crTo, int nSteps) {
  const int nWidth = pRect->right - pRect->left;
  const int n = std::min(nSteps, nWidth);
  if (n < 1)
    return;
  // Channels in fixed point with eight fractional bits.
  int r = GetRValue(crFrom) << 8, g = GetGValue(crFrom) << 8, b = GetBValue(crFrom) << 8;
  const int dr = ((GetRValue(crTo) - GetRValue(crFrom)) << 8) / n;
  const int dg = ((GetGValue(crTo) - GetGValue(crFrom)) << 8) / n;
  const int db = ((GetBValue(crTo) - GetBValue(crFrom)) << 8) / n;
  const int nBand = nWidth / n;
  CGdiObject* pOldPen = pDC->SelectStockObject(NULL_PEN);
  int x = pRect->left;
  for (int i = 0; i < n; ++i) {
    const int x2 = (i == n - 1) ? pRect->right : x + nBand;
    CBrush brush(RGB(r >> 8, g >> 8, b >> 8));
    CBrush* pOldBrush = pDC->SelectObject(&brush);
    pDC->Rectangle(x, pRect->top, x2 + 1, pRect->bottom);
    pDC->SelectObject(pOldBrush);
    x = x2;
    r += dr;
    g += dg;
    b += db;
  }
  pDC->SelectObject(pOldPen);
}

UINT CLinkLabel::TextFormat(const CString& strText) const {
  const DWORD dwStyle = GetStyle();
  UINT nFormat = CExtLabel::StaticTextFormat(dwStyle, strText);
  if (dwStyle & SS_CENTERIMAGE)
    nFormat = (strText.Find("\r\n") >= 0) ? DT_CENTER : (DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  return nFormat;
}

void CLinkLabel::PaintContent(CDC* pDC, const CRect& rc, const CString& strText) {
  const int nOldMode = pDC->SetBkMode(TRANSPARENT);
  COLORREF crText = m_crText;
  CFont* pOldFont = pDC->SelectObject(&m_font);
  if (!m_bTransparent) {
    if (m_bGradient)
      DrawGradient(pDC, &rc, m_crBk, m_crGradientEnd, 100);
    else
      pDC->FillRect(&rc, m_brBk.GetSafeHandle() ? &m_brBk : &m_brFace);
  }
  if (m_nFlashType == kFlashText && !m_bFlashState)
    crText = m_brBk.GetSafeHandle() ? m_crBk : 0; // the text sinks into the background
  const COLORREF crOld = pDC->SetTextColor(crText);
  if (!m_bRotation) {
    CRect rcText = rc;
    const UINT nFormat = TextFormat(strText);
    pDC->DrawText(strText, &rcText, nFormat);
    if (m_b3DText) {
      pDC->SetTextColor(m_crHighlight);
      rcText.OffsetRect(m_n3DDirection == 0 ? -1 : 1, m_n3DDirection == 0 ? -1 : 1);
      pDC->DrawText(strText, &rcText, nFormat);
    }
  } else {
    const UINT nOldAlign = pDC->SetTextAlign(TA_BASELINE);
    const CPoint ptOld = pDC->SetViewportOrg(rc.CenterPoint());
    pDC->TextOut(0, 0, strText);
    pDC->SetViewportOrg(ptOld);
    pDC->SetTextAlign(nOldAlign);
  }
  pDC->SetBkMode(nOldMode);
  pDC->SelectObject(pOldFont);
  pDC->SetTextColor(crOld);
}

void CLinkLabel::OnPaint() {
  CPaintDC dc(this);
  CRect rc;
  GetClientRect(&rc);
  CString strText;
  GetWindowText(strText);
  if (m_bTransparent) {
    PaintContent(&dc, rc, strText);
    return;
  }
  // One copy to the screen: no flicker while the look changes.
  CDC memDC;
  CBitmap bitmap;
  if (!memDC.CreateCompatibleDC(&dc) || !bitmap.CreateCompatibleBitmap(&dc, rc.Width(), rc.Height())) {
    PaintContent(&dc, rc, strText);
    return;
  }
  CBitmap* pOldBitmap = memDC.SelectObject(&bitmap);
  PaintContent(&memDC, rc, strText);
  dc.BitBlt(0, 0, rc.Width(), rc.Height(), &memDC, 0, 0, SRCCOPY);
  memDC.SelectObject(pOldBitmap);
}

BOOL CLinkLabel::OnEraseBkgnd(CDC*) { return TRUE; }

void CLinkLabel::OnTimer(UINT nIDEvent) {
  m_bFlashState = !m_bFlashState;
  RedrawLabel();
  CStatic::OnTimer(nIDEvent);
}

void CLinkLabel::OnLButtonDown(UINT nFlags, CPoint point) {
  OnClicked();
  CStatic::OnLButtonDown(nFlags, point);
}

void CLinkLabel::OnLButtonDblClk(UINT nFlags, CPoint point) {
  OnClicked();
  CStatic::OnLButtonDblClk(nFlags, point);
}

void CLinkLabel::OnClicked() {
  if (m_bNotifyParent) {
    NMHDR nm;
    nm.hwndFrom = m_hWnd;
    nm.idFrom = (UINT_PTR)GetDlgCtrlID();
    nm.code = LLN_CLICKED;
    CWnd* pParent = GetParent();
    if (pParent != NULL)
      pParent->SendMessage(WM_NOTIFY, nm.idFrom, (LPARAM)&nm);
  } else if (m_nLinkType == kLinkHyper) {
    CString strTarget = m_strLinkTarget;
    if (strTarget.IsEmpty())
      GetWindowText(strTarget);
    ::ShellExecuteA(NULL, "open", strTarget, NULL, NULL, SW_SHOWNORMAL);
  } else if (m_nLinkType == kLinkMail) {
    CString strText;
    GetWindowText(strText);
    ::ShellExecuteA(NULL, NULL, "mailto:" + strText, NULL, NULL, SW_SHOWNORMAL);
  }
}

BOOL CLinkLabel::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message) {
  if (m_hCursor != NULL) {
    ::SetCursor(m_hCursor);
    return TRUE;
  }
  return CStatic::OnSetCursor(pWnd, nHitTest, message);
}

void CLinkLabel::OnSysColorChange() {
  m_brFace.DeleteObject();
  m_brFace.CreateSolidBrush(::GetSysColor(COLOR_3DFACE));
  RedrawLabel();
}
