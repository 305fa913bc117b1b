// The popup menu's item record: texts and the accelerator character, measuring, the command the
// item stands for and its status tip; the command-update record of one item and the update pass.
#include "toolkit/menus/ExtPopupMenuWnd.h"

#include "toolkit/foundation/ExtCmdItem.h"
#include "toolkit/foundation/ExtCmdManager.h"
#include "toolkit/foundation/ExtResourceManager.h"
#include "toolkit/theme/ExtPaintManagerHolder.h"

#include <algorithm>

namespace {

// Room an item needs beside its text: the gap between the text and the icon column, the gap
// before the accelerator text, the submenu arrow box and the insets the theme paints with.
const int kItemTextMargins = 48;
const int kMinItemHeight = 22;
const int kMinIconSize = 16;

// The screen's device context for measuring when the caller has none.
class CScreenMeasureDC : public CDC {
public:
  CScreenMeasureDC() {
    if (!Attach(::GetDC(NULL)))
      AfxThrowResourceException();
  }
  ~CScreenMeasureDC() override { ::ReleaseDC(NULL, Detach()); }
  CScreenMeasureDC(const CScreenMeasureDC&) = delete;
  CScreenMeasureDC& operator=(const CScreenMeasureDC&) = delete;
};

// The text as it shows: a lone '&' only marks the next character, "&&" shows one '&'.
CString TextWithoutAccelMarks(const CString& sText) {
  CString sShown;
  for (int i = 0, n = sText.GetLength(); i < n; i++) {
    const char ch = sText[i];
    if (ch != '&') {
      sShown += ch;
      continue;
    }
    if (i + 1 < n && sText[i + 1] == '&')
      sShown += sText[++i];
  }
  return sShown;
}

// The standard window commands whose prompts the framework ships (size, move, minimise, maximise,
// next and previous window, close, restore, task list).
bool HasFrameworkPrompt(UINT nCmdId) {
  switch (nCmdId) {
  case 0xF000:
  case 0xF010:
  case 0xF020:
  case 0xF030:
  case 0xF040:
  case 0xF050:
  case 0xF060:
  case 0xF120:
  case 0xF130:
    return true;
  default:
    return false;
  }
}

bool IsMdiWindowId(UINT nCmdId) {
  return nCmdId >= CExtPopupMenuWnd::ID_FIRST_MDI_CHILD && nCmdId <= CExtPopupMenuWnd::ID_MORE_WINDOWS;
}

} // namespace

// ---------------------------------------------------------------------------------------------
// The item record.

CExtPopupMenuWnd::MENUITEMDATA::MENUITEMDATA() {}

bool CExtPopupMenuWnd::MENUITEMDATA::IsEnabled() const {
  return (m_nStateFlags & STATE_ENABLED) != 0 || (m_nDisplayFlags & DISPLAY_ALWAYS_ENABLED) != 0;
}

void CExtPopupMenuWnd::MENUITEMDATA::SetText(LPCSTR lpszText) {
  if (IsSeparator())
    return;
  m_sText = lpszText != NULL ? lpszText : "";
  if (!IsCommandItem())
    return;
  const int nTab = m_sText.Find('\t');
  if (nTab < 0)
    return;
  m_sAccelText = m_sText.Mid(nTab + 1);
  m_sText = m_sText.Left(nTab);
}

void CExtPopupMenuWnd::MENUITEMDATA::UpdateAccelChar() {
  m_cAccelChar = 0;
  for (int i = 0, n = m_sText.GetLength(); i < n; i++) {
    if (m_sText[i] != '&')
      continue;
    if (i + 1 >= n)
      return; // a closing '&' marks nothing
    const char chNext = m_sText[i + 1];
    if (chNext == '&') {
      ++i; // "&&" is a shown '&', not a mark
      continue;
    }
    m_cAccelChar = (BYTE)(DWORD_PTR)::CharUpperA((LPSTR)(DWORD_PTR)(BYTE)chNext);
    return;
  }
}

void CExtPopupMenuWnd::MENUITEMDATA::MeasureItem(CDC* pDC) {
  CExtPaintManager* pPM = g_PaintManagerHolder.GetPM();
  if (IsSeparator()) {
    m_nWidth = 0;
    m_nHeight = pPM->GetMenuItemSpacing();
    return;
  }
  const bool bInline = (m_nDisplayFlags & DISPLAY_INLINE) != 0;
  CString sMeasured = m_sText;
  if (!IsInplace() && !bInline)
    sMeasured += m_sAccelText;
  sMeasured = TextWithoutAccelMarks(sMeasured);

  const HFONT hFont = (HFONT)(IsDefault() ? pPM->m_FontBold.m_hObject : pPM->m_FontNormal.m_hObject);
  RECT rcText;
  if (pDC != NULL) {
    rcText = CExtPaintManager::CalcTextExtent(*pDC, hFont, sMeasured, DT_SINGLELINE | DT_NOPREFIX);
  } else {
    CScreenMeasureDC dc;
    rcText = CExtPaintManager::CalcTextExtent(dc, hFont, sMeasured, DT_SINGLELINE | DT_NOPREFIX);
  }
  m_nWidth = rcText.right - rcText.left + 4;
  m_nHeight = rcText.bottom - rcText.top + 4;
  if (IsDefault())
    m_nWidth += 5;

  m_nIconAreaWidth = bInline ? 0 : kMinIconSize;
  const CExtCmdIcon* pIcon = (bInline && IsInplace()) ? NULL : GetIcon();
  if (pIcon != NULL) {
    const SIZE size = pIcon->GetSize();
    const int cx = std::max<int>(size.cx, kMinIconSize);
    int cy = std::max<int>(size.cy, kMinIconSize);
    if (cx <= 18)
      cy = std::max(cy, cx);
    m_nHeight = std::max(m_nHeight, cy + 4);
    if (bInline)
      m_nWidth += cx + 4;
    m_nIconAreaWidth = std::max(m_nIconAreaWidth, cx);
  } else if ((m_nExtraFlags & EXTRA_ZERO_SIZE_WITHOUT_ICON) != 0) {
    m_nWidth = m_nHeight = 0;
    return;
  }
  m_nHeight = std::max(m_nHeight, kMinItemHeight);
  m_nWidth += m_nIconAreaWidth + kItemTextMargins;
  if (IsInplace())
    m_nWidth += m_nInplaceExtent;
}

void CExtPopupMenuWnd::MENUITEMDATA::UpdateFromCommand() {
  const CExtCmdItem* pCmdItem = GetCmdItem();
  if (pCmdItem == NULL)
    return;
  m_sAccelText = pCmdItem->m_sAccelText;
  MeasureItem(NULL);
}

bool CExtPopupMenuWnd::MENUITEMDATA::FillFromCmdItem(const CExtCmdItem* pCmdItem, int nItemIndex) {
  m_sText.Empty();
  m_sAccelText.Empty();
  m_nCmdId = pCmdItem != NULL ? pCmdItem->m_nCmdId : 0;
  if (!IsCommandIdValid(m_nCmdId)) {
    m_nCmdId = 0;
    m_nItemIndex = -100;
    return false;
  }
  if (nItemIndex >= 0)
    m_nItemIndex = nItemIndex;
  SetText(pCmdItem->m_sMenuText);
  m_sAccelText = pCmdItem->m_sAccelText;
  UpdateAccelChar();
  MeasureItem(NULL);
  return true;
}

void CExtPopupMenuWnd::MENUITEMDATA::SetPopup(int nItemIndex, LPCSTR lpszText, const CExtCmdIcon* pIcon,
                                              CExtPopupMenuWnd* pPopup) {
  m_nCmdId = ID_SUBMENU;
  if (nItemIndex >= 0)
    m_nItemIndex = nItemIndex;
  if (pPopup != NULL && pPopup != m_pPopup) {
    DestroySubmenu(m_pPopup);
    m_pPopup = pPopup;
  }
  CreateSubmenu();
  SetText(lpszText);
  UpdateAccelChar();
  SetIcon(pIcon);
  MeasureItem(NULL);
}

CExtPopupMenuWnd* CExtPopupMenuWnd::MENUITEMDATA::CreateSubmenu() {
  if (m_pPopup == NULL)
    m_pPopup = new CExtPopupMenuWnd;
  m_pPopup->m_hWndCmdReceiver = m_hWndCmdReceiver;
  return m_pPopup;
}

CString CExtPopupMenuWnd::MENUITEMDATA::GetTipText() const {
  if (IsSeparator() || IsPopup())
    return CString();
  if (!m_sTipText.IsEmpty() || IsOwnData())
    return m_sTipText;
  const CExtCmdItem* pCmdItem = GetCmdItem();
  if (pCmdItem == NULL)
    return CString();
  if (HasFrameworkPrompt(m_nCmdId)) {
    CString sPrompt;
    if (g_ResourceManagerHolder->LoadString(sPrompt, 0xEF00 + (m_nCmdId - 0xF000) / 16)) {
      const int nBreak = sPrompt.FindOneOf("\r\n");
      return nBreak >= 0 ? sPrompt.Left(nBreak) : sPrompt;
    }
  }
  return pCmdItem->m_sTipStatus;
}

bool CExtPopupMenuWnd::MENUITEMDATA::SetCommandFlag4(bool bEnabled) {
  const bool bWas = (m_nStateFlags & STATE_ENABLED) != 0;
  if (IsCommandItem()) {
    if (bEnabled)
      m_nStateFlags |= STATE_ENABLED;
    else
      m_nStateFlags &= ~STATE_ENABLED;
  }
  return bWas;
}

namespace {
void SetBits(BYTE& nFlags, BYTE nBits, bool bOn) {
  nFlags = bOn ? (BYTE)(nFlags | nBits) : (BYTE)(nFlags & ~nBits);
}
} // namespace

void CExtPopupMenuWnd::MENUITEMDATA::SetCheck(bool bOn) { SetBits(m_nStateFlags, STATE_CHECKED, bOn); }
void CExtPopupMenuWnd::MENUITEMDATA::SetRadio(bool bOn) { SetBits(m_nStateFlags, STATE_RADIO, bOn); }
void CExtPopupMenuWnd::MENUITEMDATA::SetIndeterminate(bool bOn) {
  SetBits(m_nStateFlags, STATE_INDETERMINATE, bOn);
}
void CExtPopupMenuWnd::MENUITEMDATA::SetDefault(bool bOn) { SetBits(m_nDisplayFlags, DISPLAY_DEFAULT, bOn); }

CExtCmdItem* CExtPopupMenuWnd::MENUITEMDATA::GetCmdItem() const {
  if (!IsCommandItem() || !IsCommandIdValid(m_nCmdId))
    return NULL;
  CExtCmdManager* pManager = g_CmdManagerHolder.GetPtr();
  return pManager->FindCommand(pManager->GetProfileNameForWindow(m_hWndCmdReceiver), m_nCmdId);
}

CExtCmdIcon* CExtPopupMenuWnd::MENUITEMDATA::GetIcon() {
  if (!m_icon.IsEmpty())
    return &m_icon;
  if (!IsCommandItem() || IsOwnData() || !IsCommandIdValid(m_nCmdId))
    return NULL;
  CExtCmdManager* pManager = g_CmdManagerHolder.GetPtr();
  CExtCmdIcon* pIcon =
      pManager->GetCommandIcon(pManager->GetProfileNameForWindow(m_hWndCmdReceiver), m_nCmdId);
  return pIcon != NULL && !pIcon->IsEmpty() ? pIcon : NULL;
}

void CExtPopupMenuWnd::MENUITEMDATA::SetIcon(const CExtCmdIcon* pIcon) {
  if (pIcon == NULL || pIcon->IsEmpty())
    m_icon.Empty();
  else
    m_icon = *pIcon;
}

bool CExtPopupMenuWnd::MENUITEMDATA::IsRarelyUsedCommand() const {
  if (IsOwnData() || m_pfnClickCallback != NULL)
    return false;
  const CExtCmdItem* pCmdItem = GetCmdItem();
  return pCmdItem != NULL && pCmdItem->IsRarelyUsed();
}

// ---------------------------------------------------------------------------------------------
// The command-update record.

void CExtPopupMenuWnd::CExtPopupMenuCmdUI::Enable(BOOL bOn) {
  m_bEnableChanged = TRUE;
  if (m_pItem == NULL || m_pItem->IsPopup() || m_pItem->IsSeparator())
    return;
  m_pItem->SetCommandFlag4((m_pItem->m_nDisplayFlags & MENUITEMDATA::DISPLAY_ALWAYS_ENABLED) != 0 || bOn);
}

void CExtPopupMenuWnd::CExtPopupMenuCmdUI::SetCheck(int nCheck) {
  if (m_pItem != NULL && !m_pItem->IsPopup())
    m_pItem->SetCheck(nCheck != 0);
}

void CExtPopupMenuWnd::CExtPopupMenuCmdUI::SetRadio(BOOL bOn) {
  if (m_pItem != NULL && !m_pItem->IsPopup())
    m_pItem->SetRadio(bOn != FALSE);
}

void CExtPopupMenuWnd::CExtPopupMenuCmdUI::SetText(LPCSTR lpszText) {
  if (lpszText == NULL || m_pItem == NULL || m_pItem->IsPopup())
    return;
  m_pItem->SetText(lpszText);
  m_pItem->UpdateAccelChar();
  m_pItem->MeasureItem(NULL);
}

void CExtPopupMenuWnd::UpdateItemsCmdUI() {
  if (IsTopLevel() && (m_dwTrackFlags & TPMX_NO_CMD_UI) != 0)
    return;
  CExtPopupMenuCmdUI cmdUI(this, NULL);
  cmdUI.m_nIndexMax = (UINT)GetItemCount();
  bool bRelayout = false;
  for (int nIndex = 0; nIndex < GetItemCount(); nIndex++) {
    MENUITEMDATA& item = m_items[nIndex];
    cmdUI.m_pItem = &item;
    cmdUI.m_nIndex = (UINT)nIndex;
    cmdUI.m_nID = item.m_nCmdId;
    if (item.IsCommandItem() && !item.IsOwnData() && !IsSystemCommandId(item.m_nCmdId))
      item.UpdateFromCommand();
    if (item.IsOwnData() || item.IsSeparator())
      continue;
    if (item.IsPopup()) {
      if (item.m_pPopup != NULL)
        item.m_pPopup->UpdateItemsCmdUI();
      continue;
    }
    if (item.m_pfnClickCallback != NULL) {
      bRelayout = true;
      continue;
    }
    if (IsSystemCommandId(item.m_nCmdId) || IsMdiWindowId(item.m_nCmdId))
      continue; // set from the receiver's placement when the menu is prepared
    const HWND hWndReceiver = item.m_hWndCmdReceiver != NULL ? item.m_hWndCmdReceiver : m_hWndCmdReceiver;
    if (hWndReceiver == NULL || !::IsWindow(hWndReceiver))
      continue; // nobody to ask: the item keeps its state
    cmdUI.DoUpdate(CWnd::FromHandle(hWndReceiver), TRUE);
  }
  if (bRelayout)
    RelayoutChain();
}
