#include "toolkit/controls/ExtSliderWnd.h"

#include "toolkit/controls/ExtLabel.h"
#include "toolkit/foundation/ExtCmdManager.h"
#include "toolkit/theme/ExtPaintManagerHolder.h"
#include "toolkit/theme/ExtPaintManagerRecords.h"

#include <commctrl.h>

IMPLEMENT_DYNCREATE(CExtSliderWnd, CSliderCtrl)

BEGIN_MESSAGE_MAP(CExtSliderWnd, CSliderCtrl)
ON_NOTIFY_REFLECT(NM_CUSTOMDRAW, OnCustomDraw)
FW_WNDMSG(WM_REFLECT_BASE + WM_CTLCOLORSTATIC, AfxSig_hbr_D_u, HBRUSH (CWnd::*)(CDC*, UINT),
          OnReflectCtlColor)
ON_WM_ERASEBKGND()
ON_WM_SYSCOLORCHANGE()
ON_WM_SETTINGCHANGE()
ON_MESSAGE(WM_DISPLAYCHANGE, OnDisplayChange)
ON_MESSAGE(WM_THEMECHANGED, OnThemeChanged)
END_MESSAGE_MAP()

namespace {
const COLORREF kNoColor = (COLORREF)-1;
const int kFaceColorId = 1000;
} // namespace

CExtSliderWnd::CExtSliderWnd() = default;

CExtSliderWnd::~CExtSliderWnd() = default;

void CExtSliderWnd::SetSliderStyle(int nStyle) {
  m_nSliderStyle = nStyle;
  if (::IsWindow(m_hWnd))
    RefreshSlider();
}

LRESULT CExtSliderWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  return CExtLabel::SmallControlWindowProc(this, message, wParam, lParam,
                                           [&] { return CSliderCtrl::WindowProc(message, wParam, lParam); });
}

void CExtSliderWnd::OnCustomDraw(NMHDR* pNotifyStruct, LRESULT* pResult) {
  NMCUSTOMDRAW* pDraw = reinterpret_cast<NMCUSTOMDRAW*>(pNotifyStruct);
  *pResult = CDRF_DODEFAULT;
  if (pDraw->dwDrawStage == CDDS_PREPAINT) {
    *pResult = CDRF_NOTIFYITEMDRAW;
    return;
  }
  if (pDraw->dwDrawStage != CDDS_ITEMPREPAINT)
    return;
  CDC* pDC = CDC::FromHandle(pDraw->hdc);
  CRect rcItem = pDraw->rc;
  bool bDrawn = false;
  switch (pDraw->dwItemSpec) {
  case TBCD_THUMB:
    bDrawn = OnSliderDrawThumb(*pDC, rcItem, pDraw->uItemState);
    break;
  case TBCD_CHANNEL:
    bDrawn = OnSliderDrawChannel(*pDC, rcItem, pDraw->uItemState);
    break;
  case TBCD_TICS:
    GetClientRect(&rcItem);
    bDrawn = OnSliderDrawTics(*pDC, rcItem, pDraw->uItemState);
    break;
  default:
    break;
  }
  if (bDrawn)
    *pResult = CDRF_SKIPDEFAULT;
}

bool CExtSliderWnd::OnSliderDrawChannel(CDC& dc, const CRect& rcItem, UINT) {
  if (m_nSliderStyle != STYLE_THEMED)
    return false;
  CExtPaintManager* pPM = g_PaintManagerHolder.GetPM();
  dc.FillSolidRect(&rcItem, pPM->ColorByLogicalId(kFaceColorId, this));
  const COLORREF clrShadow = pPM->ColorByLogicalId(COLOR_BTNSHADOW, this);
  dc.Draw3dRect(&rcItem, clrShadow, clrShadow);
  return true;
}

bool CExtSliderWnd::OnSliderDrawThumb(CDC& dc, const CRect& rcItem, UINT nItemState) {
  if ((m_nSliderStyle & STYLE_PLATFORM_THUMB) != 0)
    return false;
  const bool bEnabled = IsWindowEnabled() != FALSE;
  CPoint ptCursor;
  ::GetCursorPos(&ptCursor);
  ScreenToClient(&ptCursor);
  const bool bHover = rcItem.PtInRect(ptCursor) != FALSE;
  if (m_nSliderStyle != STYLE_THEMED)
    return false;
  PushButtonPaintData data(this, true, rcItem, "", NULL, false, bHover, (nItemState & CDIS_SELECTED) != 0,
                           false, bEnabled, false, false, false, 0);
  g_PaintManagerHolder->PaintPushButton(dc, data);
  return true;
}

bool CExtSliderWnd::OnSliderDrawTics(CDC&, const CRect&, UINT) { return false; }

HBRUSH CExtSliderWnd::OnReflectCtlColor(CDC* pDC, UINT nCtlColor) {
  if (nCtlColor != CTLCOLOR_STATIC)
    return NULL; // the parent's own answer stands
  if (m_clrBackground == kNoColor && g_PaintManagerHolder->HasDockerBackground(this)) {
    if (HBRUSH hBrush = PatternBackgroundBrush(*pDC))
      return hBrush;
  }
  return SolidBackgroundBrush();
}

// A brush of the theme's background as it lies behind the slider, painted into the track bar's
// DC; NULL when the DC cannot take a bitmap or the theme paints nothing there.
HBRUSH CExtSliderWnd::PatternBackgroundBrush(CDC& dc) {
  CRect rcClient;
  GetClientRect(&rcClient);
  CBitmap bmp;
  if (rcClient.IsRectEmpty() || !bmp.CreateCompatibleBitmap(&dc, rcClient.Width(), rcClient.Height()))
    return NULL;
  const HGDIOBJ hOldBitmap = dc.SelectObject(bmp.GetSafeHandle());
  if (hOldBitmap == NULL)
    return NULL; // not a memory DC: a bitmap cannot be drawn through it
  CExtPaintManager::ExcludeChildAreas(dc.GetSafeHdc(), m_hWnd, &CExtPaintManager::FilterTransparentChild);
  const bool bPainted = g_PaintManagerHolder->PaintDockerBackground(true, dc, this);
  dc.SelectObject(hOldBitmap);
  if (!bPainted)
    return NULL;
  m_brushBackground.DeleteObject();
  m_bPatternBrush = false;
  m_clrBrush = kNoColor;
  if (!m_brushBackground.CreatePatternBrush(&bmp))
    return NULL;
  ++m_nBrushCreations;
  m_bPatternBrush = true;
  return (HBRUSH)m_brushBackground.GetSafeHandle();
}

HBRUSH CExtSliderWnd::SolidBackgroundBrush() {
  const COLORREF clr = m_clrBackground != kNoColor
                           ? m_clrBackground
                           : g_PaintManagerHolder->ColorByLogicalId(kFaceColorId, this);
  // A pattern brush matches no colour, black included.
  if (m_bPatternBrush || clr != m_clrBrush || m_brushBackground.GetSafeHandle() == NULL) {
    m_brushBackground.DeleteObject();
    m_bPatternBrush = false;
    m_clrBrush = kNoColor;
    if (!m_brushBackground.CreateSolidBrush(clr))
      return NULL;
    ++m_nBrushCreations;
    m_clrBrush = clr;
  }
  return (HBRUSH)m_brushBackground.GetSafeHandle();
}

BOOL CExtSliderWnd::OnEraseBkgnd(CDC*) { return FALSE; }

void CExtSliderWnd::OnSysColorChange() {
  CSliderCtrl::OnSysColorChange();
  g_PaintManagerHolder.ForwardSysColorChange(this);
  g_CmdManagerHolder.OnSysColorChangeFor(this);
  RefreshSlider();
}

void CExtSliderWnd::OnSettingChange(UINT uFlags, LPCSTR lpszSection) {
  CSliderCtrl::OnSettingChange(uFlags, lpszSection);
  g_PaintManagerHolder.ForwardSettingChange(this, uFlags, reinterpret_cast<LPARAM>(lpszSection));
  g_CmdManagerHolder.OnSettingChangeFor(this, uFlags, lpszSection);
  RefreshSlider();
}

LRESULT CExtSliderWnd::OnDisplayChange(WPARAM wParam, LPARAM lParam) {
  const LRESULT lResult = CSliderCtrl::OnDisplayChange(wParam, lParam);
  const int nBitsPerPixel = static_cast<int>(wParam);
  g_PaintManagerHolder.ForwardDisplayChange(this, nBitsPerPixel, LOWORD(lParam), HIWORD(lParam));
  g_CmdManagerHolder.OnDisplayChangeFor(this, nBitsPerPixel, LOWORD(lParam), HIWORD(lParam));
  RefreshSlider();
  return lResult;
}

LRESULT CExtSliderWnd::OnThemeChanged(WPARAM wParam, LPARAM lParam) {
  const LRESULT lResult = Default();
  g_PaintManagerHolder.ForwardThemeChanged(this, wParam, lParam);
  g_CmdManagerHolder.OnThemeChangedFor(this, wParam, lParam);
  return lResult;
}

// The track bar redraws its focus state only when the focus moves, so it is moved away and back.
void CExtSliderWnd::RefreshSlider() {
  if (CWnd* pParent = GetParent()) {
    const HWND hWndFocus = ::GetFocus();
    if (hWndFocus == m_hWnd)
      pParent->SetFocus();
    else
      SetFocus();
    ::SetFocus(hWndFocus);
  }
  Invalidate(TRUE);
  UpdateWindow();
}
