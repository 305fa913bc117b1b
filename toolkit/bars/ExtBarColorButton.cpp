// The colour bar button: its colour popup, its notification and its generated icon.
#include "framework/gdi/fw_gdi.h"
#include "toolkit/bars/ExtBarButton.h"
#include "toolkit/bars/ExtToolControlBar.h"
#include "toolkit/foundation/ExtCmdItem.h"
#include "toolkit/foundation/ExtCmdManager.h"
#include "toolkit/foundation/ExtGdiHandles.h"
#include "toolkit/menus/ExtPopupColorMenuWnd.h"
#include "toolkit/theme/ExtPaintManager.h"
#include "toolkit/theme/ExtPaintManagerHolder.h"

#include <cstring>
#include <memory>

IMPLEMENT_DYNCREATE(CExtBarColorButton, CExtBarButton)

namespace {

struct FontDeleter_t {
  void operator()(HFONT hFont) const {
    if (hFont != NULL)
      ::DeleteObject(hFont);
  }
};
using FontPtr_t = std::unique_ptr<std::remove_pointer_t<HFONT>, FontDeleter_t>;

// A 16 x 16 icon of the letter "A" in the colour, transparent round the letter.
HICON CreateLetterIcon(COLORREF clr) {
  LOGFONTA lf = {};
  if (g_PaintManagerHolder->m_FontNormal.GetLogFont(&lf) == 0)
    return NULL;
  lf.lfHeight = ::MulDiv(lf.lfHeight, 3, 2);
  lf.lfWidth = 0;
  lf.lfWeight = 900;
  lf.lfQuality = NONANTIALIASED_QUALITY;
  ::lstrcpynA(lf.lfFaceName, "Times New Roman", LF_FACESIZE);
  FontPtr_t font(::CreateFontIndirectA(&lf));
  HDC hScreen = ::GetDC(NULL);
  ExtBitmapPtr_t color(::CreateCompatibleBitmap(hScreen, 16, 16));
  ::ReleaseDC(NULL, hScreen);
  ExtBitmapPtr_t mask(::CreateBitmap(16, 16, 1, 1, NULL));
  if (font == NULL || color == NULL || mask == NULL)
    return NULL;
  // The mask is black under the letter and white around it; the colour part is the colour under
  // the letter and black around it, so that no smoothed edge shows another colour.
  {
    ExtMemDC_t dcMask;
    if (!dcMask.Select(mask.get()))
      return NULL;
    RECT rc = {0, 0, 16, 16};
    ::SetBkColor(dcMask.Get(), RGB(255, 255, 255));
    ::ExtTextOutA(dcMask.Get(), 0, 0, ETO_OPAQUE, &rc, NULL, 0, NULL);
    HGDIOBJ hOldFont = ::SelectObject(dcMask.Get(), font.get());
    ::SetBkMode(dcMask.Get(), TRANSPARENT);
    ::SetTextColor(dcMask.Get(), RGB(0, 0, 0));
    ::DrawTextA(dcMask.Get(), "A", 1, &rc, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    ::SelectObject(dcMask.Get(), hOldFont);

    ExtMemDC_t dcColor;
    if (!dcColor.Select(color.get()))
      return NULL;
    ::SetBkColor(dcColor.Get(), clr);
    ::ExtTextOutA(dcColor.Get(), 0, 0, ETO_OPAQUE, &rc, NULL, 0, NULL);
    // Monochrome white maps to the background colour, black to the text colour: DSna keeps the
    // colour where the mask is black and clears it where the mask is white.
    ::SetBkColor(dcColor.Get(), RGB(255, 255, 255));
    ::SetTextColor(dcColor.Get(), RGB(0, 0, 0));
    ::BitBlt(dcColor.Get(), 0, 0, 16, 16, dcMask.Get(), 0, 0, 0x00220326);
  }
  ICONINFO ii = {};
  ii.fIcon = TRUE;
  ii.hbmColor = color.get();
  ii.hbmMask = mask.get();
  return ::CreateIconIndirect(&ii);
}

} // namespace

CExtBarColorButton::CExtBarColorButton(CExtToolControlBar* pBar, UINT nCmdID, UINT nStyle, COLORREF clr,
                                       COLORREF clrDefault, LPARAM lCookie, int nIconKind)
    : CExtBarButton(pBar, nCmdID, nStyle), m_clr(clr), m_clrDefault(clrDefault), m_lCookie(lCookie),
      m_nPopupFlags(PF_DEFAULT_COLOR_ITEM | PF_CUSTOM_COLOR_ITEM), m_nIconKind(nIconKind) {
  OnSyncIcon();
}

bool CExtBarColorButton::IsAbleToTrackMenu(bool bCustomizeMode) const { return !bCustomizeMode; }

bool CExtBarColorButton::IsTrackingAllowedWhenDisabled() const { return false; }

bool CExtBarColorButton::InsertToPopupMenu(CExtPopupMenuWnd* pPopup) {
  if (pPopup == NULL)
    return false;
  std::unique_ptr<CExtPopupColorMenuWnd> pColorPopup(new CExtPopupColorMenuWnd);
  SetUpColorPopup(*pColorPopup);
  const CExtCmdItem* pItem = FindCmdItem();
  const CString sText = pItem != NULL ? pItem->m_sMenuText : CString();
  if (!pPopup->InsertPopupMenu(pColorPopup.get(), -1, sText, GetIconPtr()))
    return false;
  pColorPopup.release(); // the item owns it now
  const int nIndex = pPopup->GetItemCount() - 1;
  pPopup->ItemEnabledSet(nIndex, !IsDisabled());
  if ((pPopup->GetTrackFlags() & CExtPopupMenuWnd::TPMX_PALETTE) != 0)
    pPopup->ItemSetInline(nIndex, true);
  return true;
}

UINT CExtBarColorButton::OnTrackPopup(CPoint point, bool bSelectAny, bool bForceNoAnimation) {
  if (IsDisabled() || m_pBar == NULL || m_pBar->GetSafeHwnd() == NULL || !::IsWindow(m_pBar->GetSafeHwnd()))
    return 0;
  const int nIndex = m_pBar->GetButtonIndex(this);
  if (nIndex >= 0 && m_pBar->GetTrackedButton() == nIndex)
    return 0;
  const bool bWasTracking = PrepareMenuTracking();
  CWnd* pTarget = GetCmdTargetWnd();
  std::unique_ptr<CExtPopupColorMenuWnd> pPopup(new CExtPopupColorMenuWnd);
  if (pTarget == NULL || !pPopup->InitTopLevel(pTarget->GetSafeHwnd())) {
    CExtToolControlBar::g_bMenuTracking = bWasTracking;
    return 0;
  }
  CExtToolControlBar::g_bMenuTracking = bWasTracking;
  SetUpColorPopup(*pPopup);
  TrackBarMenu(std::unique_ptr<CExtPopupMenuWnd>(pPopup.release()), point,
               CalcTrackFlags(bSelectAny, bForceNoAnimation));
  return 0;
}

void CExtBarColorButton::OnDeliverCmd() {
  CWnd* pTarget = GetCmdTargetWnd();
  if (pTarget == NULL || pTarget->GetSafeHwnd() == NULL)
    return;
  pTarget->SendMessage(CExtPopupColorMenuWnd::g_nMsgNotifyColorChangedFinally, (WPARAM)GetColor(true),
                       m_lCookie);
}

int CExtBarColorButton::OnHelpHitTest(CPoint /*point*/) { return (int)GetCmdID(true); }

bool CExtBarColorButton::IsPlainCommandButton() const { return true; }

void CExtBarColorButton::OnSyncIcon() {
  LPCSTR lpszProfile = GetProfileName();
  if (lpszProfile == NULL || IsSeparator())
    return;
  HICON hIcon = NULL;
  if (!GenerateIcon(hIcon) || hIcon == NULL)
    return;
  // The manager takes the handle over.
  g_CmdManagerHolder->SetCommandIcon(lpszProfile, GetCmdID(true), hIcon, false);
}

COLORREF CExtBarColorButton::GetColor(bool bSelected) const { return bSelected ? m_clr : m_clrDefault; }

void CExtBarColorButton::SetColor(COLORREF clr, bool bDefault) {
  COLORREF& clrField = bDefault ? m_clrDefault : m_clr;
  if (clrField == clr)
    return;
  clrField = clr;
  OnSyncIcon();
}

LPARAM CExtBarColorButton::GetCookie() const { return m_lCookie; }

void CExtBarColorButton::SetCookie(LPARAM lCookie) { m_lCookie = lCookie; }

bool CExtBarColorButton::IsDefaultColorItemShown() const {
  return (m_nPopupFlags & PF_DEFAULT_COLOR_ITEM) != 0;
}

void CExtBarColorButton::ShowDefaultColorItem(bool bShow) {
  if (bShow)
    m_nPopupFlags |= PF_DEFAULT_COLOR_ITEM;
  else
    m_nPopupFlags &= (BYTE)~PF_DEFAULT_COLOR_ITEM;
}

bool CExtBarColorButton::IsCustomColorItemShown() const {
  return (m_nPopupFlags & PF_CUSTOM_COLOR_ITEM) != 0;
}

void CExtBarColorButton::ShowCustomColorItem(bool bShow) {
  if (bShow)
    m_nPopupFlags |= PF_CUSTOM_COLOR_ITEM;
  else
    m_nPopupFlags &= (BYTE)~PF_CUSTOM_COLOR_ITEM;
}

CString CExtBarColorButton::GetDefaultColorText() const { return m_sDefaultColorText; }

void CExtBarColorButton::SetDefaultColorText(LPCSTR lpszText) {
  m_sDefaultColorText = lpszText != NULL ? lpszText : "";
}

CString CExtBarColorButton::GetCustomColorText() const { return m_sCustomColorText; }

void CExtBarColorButton::SetCustomColorText(LPCSTR lpszText) {
  m_sCustomColorText = lpszText != NULL ? lpszText : "";
}

bool CExtBarColorButton::GenerateIcon(HICON& hIcon) {
  switch (m_nIconKind) {
  case ICON_FRAMED_SWATCH:
    hIcon = CExtPaintManager::CreateColorFrameIcon(m_clr);
    break;
  case ICON_LETTER_A:
    hIcon = CreateLetterIcon(m_clr);
    break;
  default:
    hIcon = CExtPaintManager::CreateColorSampleIcon(m_clr);
    break;
  }
  return hIcon != NULL;
}

void CExtBarColorButton::SetUpColorPopup(CExtPopupColorMenuWnd& popup) const {
  popup.m_lParamCookie = m_lCookie;
  popup.m_nButtonFlags = 0;
  if (IsDefaultColorItemShown())
    popup.m_nButtonFlags |= CExtPopupColorMenuWnd::BUTTON_DEFAULT;
  if (IsCustomColorItemShown())
    popup.m_nButtonFlags |= CExtPopupColorMenuWnd::BUTTON_CUSTOM;
  popup.m_clrDefault = m_clrDefault;
  popup.m_clrInitial = m_clr;
  if (!m_sDefaultColorText.IsEmpty())
    popup.m_sBtnTextDefault = m_sDefaultColorText;
  if (!m_sCustomColorText.IsEmpty())
    popup.m_sBtnTextCustom = m_sCustomColorText;
}
