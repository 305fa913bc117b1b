// The paint-data records' constructors and right-to-left answers, and the layout answers that
// read control bars.
#include "toolkit/theme/ExtPaintManagerRecords.h"

#include "toolkit/foundation/ExtResourceManager.h"
#include "toolkit/theme/ExtPaintManagerXP.h"

namespace {

LPCSTR NotNull(LPCSTR psz) { return psz != NULL ? psz : ""; }

bool IsLayoutRtl(HWND hWnd) {
  return hWnd != NULL && (::GetWindowLongA(hWnd, GWL_EXSTYLE) & WS_EX_LAYOUTRTL) != 0;
}

// The answer of a popup menu or bar button that asks; false for any other source.
bool SourceIsRightToLeft(CObject* pSource) {
  if (pSource == NULL)
    return false;
  if (const auto* pMenu = dynamic_cast<const CExtPopupMenuSite*>(pSource))
    return pMenu->IsRightToLeft();
  if (const auto* pButton = dynamic_cast<const CExtBarButtonSite*>(pSource)) {
    const HWND hBar = pButton->GetBarSafeHwnd();
    if (hBar == NULL)
      return false;
    return g_ResourceManagerHolder->IsRightToLeft() || IsLayoutRtl(hBar) || IsLayoutRtl(::GetParent(hBar));
  }
  return false;
}

} // namespace

NcAreaButtonPaintData::NcAreaButtonPaintData(CObject* pSource, const RECT& rc, int nGlyph, bool bHover,
                                             bool bPushed, bool bEnabled, bool bInCaption, bool bActive,
                                             bool bFloating)
    : sourceObject(pSource), rect(rc), glyph(nGlyph), hover(bHover), pushed(bPushed), enabled(bEnabled),
      inCaption(bInCaption), active(bActive), floating(bFloating) {}

PushButtonPaintData::PushButtonPaintData(CObject* pSource, bool bHorz, const RECT& rc, LPCSTR sText,
                                         CExtCmdIcon* pIcon, bool bFlat, bool bHover, bool bPushed,
                                         bool bExtraState, bool bEnabled, bool bDrawBorder,
                                         bool bDrawFocusRect, bool bDefaultButton, UINT nAlignment,
                                         HFONT hFont, bool bDropDown, UINT nSysCommandId,
                                         bool bTransparentBackground)
    : sourceObject(pSource), rect(rc), text(NotNull(sText)), icon(pIcon), alignment(nAlignment), font(hFont),
      sysCommandId(nSysCommandId), horizontal(bHorz), flat(bFlat), hover(bHover), pushed(bPushed),
      extraState(bExtraState), enabled(bEnabled), drawBorder(bDrawBorder), drawFocusRect(bDrawFocusRect),
      defaultButton(bDefaultButton), dropDown(bDropDown), transparentBackground(bTransparentBackground),
      splitDropDown(0), dropDownPushed(0), wordBreak(0),
      textAlign(((nAlignment & 1) != 0 ? 1 : (nAlignment & 2)) | (nAlignment & 4)), noDisabledEmboss(0),
      rightToLeft(0), rtlReading(0) {}

bool PushButtonPaintData::IsRightToLeft() const { return rightToLeft || SourceIsRightToLeft(sourceObject); }

ComboButtonPaintData::ComboButtonPaintData(CObject* pSource, const RECT& rc, bool bHover, bool bPushed,
                                           bool bEnabled)
    : sourceObject(pSource), rect(rc), hover(bHover), pushed(bPushed), enabled(bEnabled), noOuterRing(0) {}

DockingFramePaintData::DockingFramePaintData(CObject* pSource, const RECT& rcWindow, const RECT& rcClient,
                                             bool bFloating, bool bResizable, bool bNoDottedOutline)
    : sourceObject(pSource), windowRect(rcWindow), clientRect(rcClient), floating(bFloating),
      resizable(bResizable), noDottedOutline(bNoDottedOutline) {}

DockingCaptionPaintData::DockingCaptionPaintData(CObject* pSource, const RECT& rcCaption, const RECT& rcText,
                                                 bool bActive, bool bFloatingFrame, bool bVertical,
                                                 bool bCaptionBar, LPCSTR sText, bool bRightToLeft)
    : sourceObject(pSource), captionRect(rcCaption), textRect(rcText), active(bActive),
      floatingFrame(bFloatingFrame), vertical(bVertical), captionBar(bCaptionBar), text(NotNull(sText)),
      transparentCaption(0), rightToLeft(bRightToLeft) {}

ControlBarBordersPaintData::ControlBarBordersPaintData(CObject* pSource, int nKind, DWORD dwStyle,
                                                       const RECT& rc)
    : sourceObject(pSource), kind(nKind), style(dwStyle), rect(rc) {}

InheritedBackgroundPaintData::InheritedBackgroundPaintData(bool bClient, CDC& dcTarget, CWnd* pWnd,
                                                           LPARAM lParamValue)
    : client(bClient), painted(0), stopSearch(0), dc(&dcTarget), window(pWnd), lParam(lParamValue) {}

MenuItemPaintData::MenuItemPaintData(CObject* pSource, const RECT& rcItem, const RECT& rcBack,
                                     int nIconAreaWidth, LPCSTR sText, LPCSTR sAccelText, CExtCmdIcon* pIcon,
                                     bool bPopup, bool bSelected, bool bCheckMark, bool bRadio,
                                     bool bIndeterminate, bool bEnabled, bool bRarelyUsed,
                                     bool bRarelyUsedAbove, bool bRarelyUsedBelow, UINT nSysCommandId,
                                     HFONT hFont)
    : sourceObject(pSource), itemRect(rcItem), backRect(rcBack), iconAreaWidth(nIconAreaWidth),
      text(NotNull(sText)), accelText(NotNull(sAccelText)), icon(pIcon), sysCommandId(nSysCommandId),
      font(hFont), popup(bPopup), selected(bSelected), checkMark(bCheckMark), radio(bRadio),
      indeterminate(bIndeterminate), enabled(bEnabled), rarelyUsed(bRarelyUsed),
      rarelyUsedAbove(bRarelyUsedAbove), rarelyUsedBelow(bRarelyUsedBelow), noIconColumn(0), glyphArrow(0),
      splitPopup(0), centerIconBox(0), secondCheckLayout(0), editHot(0) {}

bool MenuItemPaintData::IsRightToLeft() const {
  const auto* pMenu = dynamic_cast<const CExtPopupMenuSite*>(sourceObject);
  return pMenu != NULL && pMenu->IsRightToLeft();
}

IconPaintData::IconPaintData(CObject* pSource, HICON hIcon, HICON hIconSelected, const RECT& rcItem,
                             const RECT& rcIcon, const RECT& rcText, LPCSTR sText, HFONT hFont, BYTE nState)
    : sourceObject(pSource), icon(hIcon), iconSelected(hIconSelected), itemRect(rcItem), iconRect(rcIcon),
      textRect(rcText), text(NotNull(sText)), font(hFont), state(nState) {}

ComboBoxFacePaintData::ComboBoxFacePaintData(CObject* pSource, const RECT& rcFace, LPCSTR sText,
                                             bool bHasButton, bool bHover, bool bPushed, bool bEnabled)
    : sourceObject(pSource), text(NotNull(sText)), faceRect(rcFace), hasButton(bHasButton), hover(bHover),
      pushed(bPushed), enabled(bEnabled) {}

// ---------------------------------------------------------------------------------------------
// Layout answers that read the bar.

void CExtPaintManager::AdjustControlBarNcRect(CExtControlBarSite* pBar, RECT& rc) {
  if (pBar == NULL)
    return;
  if (pBar->IsDockedVertically())
    ::InflateRect(&rc, -1, -3);
  else
    ::InflateRect(&rc, -3, -1);
}

int CExtPaintManager::GetToolBarRowDistance(CExtControlBarSite* pBar) {
  return pBar != NULL && pBar->GetBarKind() == CExtControlBarSite::BAR_MENU ? 0 : 6;
}

bool CExtPaintManager::IsToolBarGradientBackground(CExtControlBarSite*) { return false; }

void CExtPaintManagerOffice2003::AdjustControlBarNcRect(CExtControlBarSite*, RECT& rc) {
  if (GetScreenBitsPerPixel() <= 8)
    ::InflateRect(&rc, -1, -1);
}

// The gradient look belongs to bars docked in the frame's dock bars; floating ones keep the
// classic distance.
int CExtPaintManagerOffice2003::GetToolBarRowDistance(CExtControlBarSite* pBar) {
  if (pBar != NULL && pBar->IsInDockBar() && !pBar->IsFloating() &&
      (pBar->GetOptionBits() & CExtControlBarSite::OPT_NO_GRADIENT) == 0 && GetScreenBitsPerPixel() > 8)
    return 0;
  return CExtPaintManagerXP::GetToolBarRowDistance(pBar);
}

bool CExtPaintManagerOffice2003::IsToolBarGradientBackground(CExtControlBarSite* pBar) {
  if (pBar == NULL)
    return false;
  const BYTE nOptions = pBar->GetOptionBits();
  const CExtControlBarSite::BarKind eKind = pBar->GetBarKind();
  if ((nOptions & CExtControlBarSite::OPT_NO_GRADIENT) != 0 || !pBar->IsInDockBar() ||
      eKind == CExtControlBarSite::BAR_MENU || eKind == CExtControlBarSite::BAR_PANEL || pBar->IsFloating() ||
      GetScreenBitsPerPixel() <= 8)
    return false;
  return (pBar->HasDockSite() && !pBar->IsDockSiteStyleBitSet()) ||
         (nOptions & CExtControlBarSite::OPT_GRADIENT_DOCKED) != 0;
}
