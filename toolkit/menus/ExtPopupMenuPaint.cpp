// Popup menu painting: background, border, items, separators, expand row, scroll buttons, the combined area,
// shadows and the expand effect. Every part is drawn by the current theme; the receiver may take over the
// background, the left area and single items through the registered painting messages.
#include "toolkit/menus/ExtPopupMenuWnd.h"

#include "toolkit/foundation/ExtGdiHandles.h"
#include "toolkit/foundation/ExtMemoryDC.h"
#include "toolkit/theme/ExtPaintDcState.h"
#include "toolkit/theme/ExtPaintManagerHolder.h"

#include <algorithm>
#include <optional>

namespace {

// The theme's palette selected and realised on a palette device for one paint, the old one put back.
class CMenuPaletteScope {
public:
  explicit CMenuPaletteScope(CDC& dc) : m_hDC(dc.m_hDC) {
    if (m_hDC == NULL || (::GetDeviceCaps(m_hDC, RASTERCAPS) & RC_PALETTE) == 0)
      return;
    HPALETTE hPalette = (HPALETTE)g_PaintManagerHolder->m_PaletteWide.GetSafeHandle();
    if (hPalette == NULL)
      return;
    m_hOld = ::SelectPalette(m_hDC, hPalette, FALSE);
    ::RealizePalette(m_hDC);
  }
  ~CMenuPaletteScope() {
    if (m_hOld != NULL)
      ::SelectPalette(m_hDC, m_hOld, FALSE);
  }
  CMenuPaletteScope(const CMenuPaletteScope&) = delete;
  CMenuPaletteScope& operator=(const CMenuPaletteScope&) = delete;

private:
  HDC m_hDC;
  HPALETTE m_hOld = NULL;
};

// The theme's menu font in a DC for one paint.
class CMenuFontScope {
public:
  CMenuFontScope(CDC& dc, CFont& font)
      : m_hDC(dc.m_hDC), m_hOld(::SelectObject(m_hDC, font.GetSafeHandle())) {}
  ~CMenuFontScope() {
    if (m_hOld != NULL && m_hOld != HGDI_ERROR)
      ::SelectObject(m_hDC, m_hOld);
  }
  CMenuFontScope(const CMenuFontScope&) = delete;
  CMenuFontScope& operator=(const CMenuFontScope&) = delete;

private:
  HDC m_hDC;
  HGDIOBJ m_hOld;
};

LRESULT SendToReceiver(const CExtPopupMenuWnd& menu, UINT nMessage, LPARAM lParam) {
  const HWND hWndReceiver = menu.GetCmdReceiverHWND();
  if (hWndReceiver == NULL || !::IsWindow(hWndReceiver))
    return 0;
  return ::SendMessageA(hWndReceiver, nMessage, 0, lParam);
}

typedef CExtPopupMenuWnd::MENUITEMDATA Item_t;
typedef CExtPopupMenuWnd::VisibleItemDefinition_t Vid_t;

// A submenu item without a command of its own stands for rarely used commands when its child shows
// nothing and offers nothing to click.
bool IsSubmenuRarelyUsed(Item_t& item) {
  if ((item.m_nDisplayFlags & Item_t::DISPLAY_RARELY_USED_SHOWN) != 0)
    return false;
  if (item.GetCmdItem() != NULL)
    return item.IsRarelyUsedCommand();
  if (item.IsOwnData())
    return false;
  const CExtPopupMenuWnd* pChild = item.m_pPopup;
  if (pChild == NULL)
    return true;
  for (int i = 0; i < pChild->m_items.GetSize(); ++i) {
    const Item_t& child = pChild->m_items[i];
    if (child.IsDisplayed())
      return false;
    if (!child.IsSeparator() && child.m_pfnClickCallback != NULL)
      return false;
  }
  return true;
}

bool IsItemRarelyUsed(Item_t& item) {
  if (item.IsSeparator())
    return false;
  if (item.IsPopup())
    return IsSubmenuRarelyUsed(item);
  return item.m_pfnClickCallback == NULL && item.IsRarelyUsedCommand();
}

// Rows next to rarely used rows know it, so the theme draws one group; a separator between two
// rarely used rows joins their group.
void MarkRarelyUsedNeighbours(CExtPopupMenuWnd::VisibleItems_t& items) {
  const size_t n = items.size();
  auto rare = [&](size_t i) { return (items[i].m_nFlags & Vid_t::VID_RARELY_USED) != 0; };
  std::vector<bool> rareBefore(n);
  for (size_t i = 0; i < n; ++i)
    rareBefore[i] = rare(i);
  for (size_t i = 0; i < n; ++i) {
    if (i > 0 && rareBefore[i - 1])
      items[i].m_nFlags |= Vid_t::VID_PREV_RARELY;
    if (i + 1 < n && rareBefore[i + 1])
      items[i].m_nFlags |= Vid_t::VID_NEXT_RARELY;
  }
  const BYTE nBoth = Vid_t::VID_PREV_RARELY | Vid_t::VID_NEXT_RARELY;
  for (size_t i = 0; i < n; ++i) {
    Vid_t& vid = items[i];
    if ((vid.m_nFlags & Vid_t::VID_SEPARATOR) == 0 || (vid.m_nFlags & nBoth) != nBoth || rare(i))
      continue;
    vid.m_nFlags |= Vid_t::VID_RARELY_USED;
    items[i - 1].m_nFlags |= Vid_t::VID_NEXT_RARELY;
    items[i + 1].m_nFlags |= Vid_t::VID_PREV_RARELY;
  }
}

DWORD PaintStateOf(const Vid_t& vid, bool bOwnerDraw) {
  DWORD dwState = 0;
  if (CExtPopupMenuWnd::g_bMenuHighlightRarelyUsed) {
    if ((vid.m_nFlags & Vid_t::VID_NEXT_RARELY) != 0)
      dwState |= CExtPopupMenuWnd::IPS_NEXT_RARELY;
    if ((vid.m_nFlags & Vid_t::VID_PREV_RARELY) != 0)
      dwState |= CExtPopupMenuWnd::IPS_PREV_RARELY;
    if ((vid.m_nFlags & Vid_t::VID_RARELY_USED) != 0)
      dwState |= CExtPopupMenuWnd::IPS_RARELY_USED;
  }
  if ((vid.m_nFlags & Vid_t::VID_POPUP) != 0)
    dwState |= CExtPopupMenuWnd::IPS_POPUP;
  if (bOwnerDraw)
    dwState |= CExtPopupMenuWnd::IPS_OWNERDRAW;
  return dwState;
}

bool HasIcon(Item_t& item) {
  const CExtCmdIcon* pIcon = item.GetIcon();
  return pIcon != NULL && !pIcon->IsEmpty();
}

} // namespace

bool CExtPopupMenuWnd::HasCombinedArea() const {
  return (m_nFlags & POPUP_COMBINED_AREA) != 0 && m_nCombineSide >= 1 && m_nCombineSide <= 4 &&
         !m_rcArea.IsRectEmpty();
}

bool CExtPopupMenuWnd::IsOwnerDrawingItems() {
  return !IsEffectsSuppressed() && (GetTopMenu()->GetTrackFlags() & TPMX_OWNERDRAW_ITEMS) != 0;
}

void CExtPopupMenuWnd::PaintContent(CDC& dcTarget, bool bOnScreen) {
  if (m_hWnd == NULL || !::IsWindow(m_hWnd))
    return;
  CExtPaintManager* pPM = g_PaintManagerHolder.GetPM();
  CExtPaintManager::ExcludeChildAreas(dcTarget.m_hDC, m_hWnd);
  CMenuPaletteScope palette(dcTarget);
  CRect rcContent;
  GetContentRect(rcContent);
  const CRect rcBody = GetBodyRect();
  const bool bCombined = HasCombinedArea();
  {
    std::optional<CExtMemoryDC> memory;
    if (bOnScreen) {
      // A repaint of a few rows buffers and draws only those rows.
      CRect rcClip, rcBuffer(rcContent);
      if (dcTarget.GetClipBox(&rcClip) != ERROR && !rcClip.IsRectEmpty())
        rcBuffer.IntersectRect(rcContent, rcClip);
      if (rcBuffer.IsRectEmpty())
        rcBuffer = rcContent;
      memory.emplace(&dcTarget, &rcBuffer, CExtMemoryDC::MDC_DEFAULT);
      if (rcBuffer != rcContent)
        memory->IntersectClipRect(&rcBuffer);
    }
    CDC& dc = bOnScreen ? *memory : dcTarget;
    CMenuFontScope font(dc, pPM->m_FontNormal);

    DrawBackgroundData_t background{dc, rcBody, this};
    SendToReceiver(*this, g_nMsgPopupDrawBackground, (LPARAM)&background);
    if ((background.m_dwFlags & DrawBackgroundData_t::PAINTED_BACKGROUND) == 0) {
      if ((m_dwTrackFlags & TPMX_DOCKER_BACKGROUND) != 0) {
        CExtDcSaveGuard clip(dc);
        dc.IntersectClipRect(&rcBody);
        if (!pPM->PaintDockerBackground(true, dc, this))
          dc.FillSolidRect(&rcBody, pPM->ColorByLogicalId(1000, this));
      } else {
        const COLORREF clrBack = pPM->GetMenuBackgroundColor(this);
        if (clrBack != (COLORREF)-1)
          dc.FillSolidRect(&rcBody, clrBack);
      }
    }
    if ((background.m_dwFlags & DrawBackgroundData_t::PAINTED_BORDER) == 0)
      pPM->PaintMenuBorder(dc, rcBody, this);

    const bool bScrolling = (m_dwMenuState & MENU_SCROLLING) != 0;
    const bool bScrollUp = bScrolling && m_nScrollOffset < 0;
    const bool bScrollDown = bScrolling && m_nScrollOffset > GetMinScrollOffset();
    const bool bExpandRow = (m_dwMenuState & MENU_EXPAND_ROW) != 0;
    {
      // The items scroll under the rows that stay in place.
      CExtDcSaveGuard clip(dc);
      if (bExpandRow)
        dc.ExcludeClipRect(&m_rcExpandRow);
      if (IsTearOffEnabled())
        dc.ExcludeClipRect(&m_rcTearOff);
      if (bScrollUp)
        dc.ExcludeClipRect(&m_rcScrollUp);
      if (bScrollDown)
        dc.ExcludeClipRect(&m_rcScrollDown);
      const int nBorder = GetBorderSize();
      dc.ExcludeClipRect(rcBody.left, rcBody.top, rcBody.right, rcBody.top + nBorder);
      dc.ExcludeClipRect(rcBody.left, rcBody.bottom - nBorder, rcBody.right, rcBody.bottom);
      PaintItems(dc);
    }

    CPoint ptCursor(-32000, -32000);
    if (::GetCursorPos(&ptCursor))
      ScreenToClient(&ptCursor);
    if (bExpandRow)
      pPM->PaintMenuExpandButton(dc, m_rcExpandRow, m_rcExpandRow.PtInRect(ptCursor) != FALSE, this);
    if (IsTearOffEnabled())
      pPM->PaintMenuTearOffCaption(dc, m_rcTearOff, m_rcTearOff.PtInRect(ptCursor) && !IsEffectsSuppressed(),
                                   false, this);
    if (bScrollUp)
      PaintScrollButton(dc, m_rcScrollUp, true, m_rcScrollUp.PtInRect(ptCursor) != FALSE);
    if (bScrollDown)
      PaintScrollButton(dc, m_rcScrollDown, false, m_rcScrollDown.PtInRect(ptCursor) != FALSE);

    if (m_nLeftAreaWidth != 0) {
      // The band runs beside the items, so it moves with them.
      const int nBorder = GetBorderSize();
      CRect rcLeft(rcBody.left + nBorder, rcBody.top + nBorder, rcBody.left + nBorder + m_nLeftAreaWidth,
                   rcBody.bottom - nBorder);
      rcLeft.bottom = std::max(rcLeft.bottom, rcLeft.top + m_nContentHeight);
      rcLeft.OffsetRect(0, m_nScrollOffset);
      DrawLeftAreaData_t leftArea{dc, rcLeft, this};
      SendToReceiver(*this, g_nMsgPopupDrawLeftArea, (LPARAM)&leftArea);
    }
    if (bCombined)
      PaintCombinedArea(dc, rcBody);
  }

  CRect rcTargetClip;
  const bool bInsideBody = dcTarget.GetClipBox(&rcTargetClip) != ERROR && !rcTargetClip.IsRectEmpty() &&
                           (rcTargetClip & rcBody) == rcTargetClip;
  // The shadows lie outside the body: a repaint within it leaves them as they are.
  if (IsShadowEnabled() && IsAnimationFinished() && !bInsideBody) {
    const int nShadow = GetShadowSize();
    if (nShadow > 0) {
      CRect rcArea1, rcArea2;
      if (bCombined) {
        rcArea1 = rcBody;
        rcArea2 = m_rcArea;
      }
      CExtDcSaveGuard clip(dcTarget);
      if (bCombined && IsTopLevel()) {
        m_shadowArea.PaintFor(dcTarget, m_rcArea, rcArea1, rcArea2, nShadow, 75, 100, true, true, this);
        dcTarget.ExcludeClipRect(&m_rcArea);
      }
      m_shadow.PaintFor(dcTarget, rcBody, rcArea1, rcArea2, nShadow, 75, 100, true, true, this);
    }
  }
  if (bCombined && bOnScreen) {
    // The shadows may have touched the joint; it is drawn last, over them.
    CExtMemoryDC dc(&dcTarget, &m_rcArea, CExtMemoryDC::MDC_DEFAULT);
    PaintCombinedArea(dc, rcBody);
  }
  pPM->OnPaintSessionComplete(this);
}

void CExtPopupMenuWnd::PaintCombinedArea(CDC& dc, const CRect& rcBody) {
  g_PaintManagerHolder->PaintMenuCombinedJoint(dc, m_rcArea, rcBody, m_nCombineSide, this);
  if (m_pfnCombinedAreaPainter != NULL)
    m_pfnCombinedAreaPainter(m_pCombinedAreaCookie, dc, *this, m_rcArea, m_nCombineSide);
}

void CExtPopupMenuWnd::PaintScrollButton(CDC& dc, const CRect& rc, bool bUp, bool bHover) {
  if (rc.IsRectEmpty())
    return;
  CExtPaintManager* pPM = g_PaintManagerHolder.GetPM();
  // The glyph font's triangles: "5" points up, "6" down.
  PushButtonPaintData button(this, true, rc, bUp ? "5" : "6", NULL, true, bHover, false, false, true, true,
                             false, false, 5, (HFONT)pPM->m_FontMarlett.GetSafeHandle());
  pPM->PaintPushButton(dc, button);
}

void CExtPopupMenuWnd::PaintItems(CDC& dc) {
  if (IsPaletteLayout()) {
    PaintItemsPalette(dc);
    return;
  }
  CExtPaintManager* pPM = g_PaintManagerHolder.GetPM();
  VisibleItems_t items;
  BuildVisibleItems(dc, items);
  const bool bOwnerDraw = IsOwnerDrawingItems();
  for (size_t i = 0; i < items.size(); ++i) {
    const VisibleItemDefinition_t& vid = items[i];
    const MENUITEMDATA& item = m_items[vid.m_nIndex];
    if ((vid.m_nFlags & VisibleItemDefinition_t::VID_SEPARATOR) != 0) {
      const bool bAfterCell =
          i > 0 && (m_items[items[i - 1].m_nIndex].m_nDisplayFlags & MENUITEMDATA::DISPLAY_INLINE) != 0;
      if (bAfterCell)
        pPM->PaintSeparator(dc, vid.m_rcItem, false, true, this);
      else
        pPM->PaintMenuSeparator(dc, vid.m_rcItem, item.m_nIconAreaWidth,
                                g_bMenuHighlightRarelyUsed &&
                                    (vid.m_nFlags & VisibleItemDefinition_t::VID_RARELY_USED) != 0,
                                this);
      continue;
    }
    PaintOneItem(dc, vid, bOwnerDraw, false, false);
  }
}

void CExtPopupMenuWnd::PaintItemsPalette(CDC& dc) {
  CExtPaintManager* pPM = g_PaintManagerHolder.GetPM();
  VisibleItems_t items;
  BuildVisibleItemsPalette(dc, items);
  const bool bOwnerDraw = IsOwnerDrawingItems();
  for (const VisibleItemDefinition_t& vid : items) {
    if ((vid.m_nFlags & VisibleItemDefinition_t::VID_SEPARATOR) != 0) {
      pPM->PaintSeparator(dc, vid.m_rcItem, false, true, this);
      continue;
    }
    MENUITEMDATA& item = m_items[vid.m_nIndex];
    const bool bInplace = item.IsInplace();
    const bool bIconOnly =
        item.m_sText.IsEmpty() || (item.m_nExtraFlags & MENUITEMDATA::EXTRA_ZERO_SIZE_WITHOUT_ICON);
    PaintOneItem(dc, vid, bOwnerDraw, bInplace, bInplace || (bIconOnly && HasIcon(item)));
  }
}

void CExtPopupMenuWnd::PaintOneItem(CDC& dc, const VisibleItemDefinition_t& vid, bool bOwnerDraw,
                                    bool bNoIcon, bool bNoText) {
  if (bOwnerDraw) {
    DrawItemData_t data{
        dc, vid.m_rcItem, vid.m_rcInner, &m_items[vid.m_nIndex], this, PaintStateOf(vid, bOwnerDraw)};
    if (SendToReceiver(*this, g_nMsgPopupDrawItem, (LPARAM)&data) != 0)
      return;
  }
  PaintItem(dc, vid, bNoIcon, bNoText);
}

void CExtPopupMenuWnd::BuildVisibleItems(CDC& dc, VisibleItems_t& items) {
  if (IsPaletteLayout()) {
    BuildVisibleItemsPalette(dc, items);
    return;
  }
  items.clear();
  const bool bSuppressed = IsEffectsSuppressed();
  for (int i = 0; i < m_items.GetSize(); ++i) {
    MENUITEMDATA& item = m_items[i];
    if (!item.IsDisplayed())
      continue;
    VisibleItemDefinition_t vid;
    vid.m_nIndex = i;
    vid.m_nCmdId = item.m_nCmdId;
    GetItemRect(i, vid.m_rcItem, false);
    GetItemRect(i, vid.m_rcInner, true);
    if (vid.m_rcItem.IsRectEmpty() || !dc.RectVisible(&vid.m_rcItem))
      continue;
    if (item.IsSeparator())
      vid.m_nFlags |= VisibleItemDefinition_t::VID_SEPARATOR;
    if (item.IsPopup())
      vid.m_nFlags |= VisibleItemDefinition_t::VID_POPUP;
    if (!bSuppressed && IsItemRarelyUsed(item))
      vid.m_nFlags |= VisibleItemDefinition_t::VID_RARELY_USED;
    items.push_back(vid);
  }
  MarkRarelyUsedNeighbours(items);
}

void CExtPopupMenuWnd::BuildVisibleItemsPalette(CDC& dc, VisibleItems_t& items) {
  items.clear();
  for (int i = 0; i < m_items.GetSize(); ++i) {
    MENUITEMDATA& item = m_items[i];
    item.m_nDisplayFlags |= MENUITEMDATA::DISPLAY_SHOWN;
    VisibleItemDefinition_t vid;
    vid.m_nIndex = i;
    vid.m_nCmdId = item.m_nCmdId;
    GetItemRectPalette(i, vid.m_rcItem, false);
    vid.m_rcInner = vid.m_rcItem;
    if (vid.m_rcItem.IsRectEmpty() || !dc.RectVisible(&vid.m_rcItem))
      continue;
    if (item.IsSeparator())
      vid.m_nFlags |= VisibleItemDefinition_t::VID_SEPARATOR;
    if (item.IsPopup())
      vid.m_nFlags |= VisibleItemDefinition_t::VID_POPUP;
    items.push_back(vid);
  }
}

void CExtPopupMenuWnd::PaintItem(CDC& dc, const VisibleItemDefinition_t& vid, bool bNoIcon, bool bNoText,
                                 bool bNoCheck, bool bForceEnabled, bool bNoSelection) {
  if (vid.m_nIndex < 0 || vid.m_nIndex >= m_items.GetSize())
    return;
  CExtPaintManager* pPM = g_PaintManagerHolder.GetPM();
  MENUITEMDATA& item = m_items[vid.m_nIndex];
  CExtCmdIcon* pIcon = bNoIcon ? NULL : item.GetIcon();
  const bool bEnabled = bForceEnabled || item.IsEnabled();
  bool bSelected = !bNoSelection && (item.m_nDisplayFlags & MENUITEMDATA::DISPLAY_CURRENT) != 0;
  // The row of an open submenu stays marked while the pointer is in the submenu.
  if (item.IsPopup() && item.m_pPopup != NULL && item.m_pPopup->GetSafeHwnd() != NULL &&
      ::IsWindowVisible(item.m_pPopup->GetSafeHwnd()))
    bSelected = true;
  const BYTE nState = item.m_nStateFlags;
  const bool bChecked = !bNoCheck && (nState & MENUITEMDATA::STATE_CHECKED) != 0;
  const bool bRadio = !bNoCheck && (nState & MENUITEMDATA::STATE_RADIO) != 0;
  const bool bIndeterminate = !bNoCheck && (nState & MENUITEMDATA::STATE_INDETERMINATE) != 0;
  LPCSTR pszText = bNoText ? "" : (LPCSTR)item.m_sText;

  if ((item.m_nDisplayFlags & MENUITEMDATA::DISPLAY_INLINE) != 0 && !item.IsInplace()) {
    PushButtonPaintData button(this, true, vid.m_rcItem, pszText, pIcon, true, bSelected, bChecked,
                               bIndeterminate, bEnabled, true, false, false, 5);
    pPM->PaintPushButton(dc, button);
    return;
  }

  const DWORD dwState = PaintStateOf(vid, false);
  HFONT hFont = item.IsDefault() ? (HFONT)pPM->m_FontBold.GetSafeHandle() : NULL;
  MenuItemPaintData data(this, vid.m_rcItem, vid.m_rcInner, item.m_nIconAreaWidth, pszText,
                         bNoText ? "" : (LPCSTR)item.m_sAccelText, pIcon, item.IsPopup(), bSelected, bChecked,
                         bRadio, bIndeterminate, bEnabled, (dwState & IPS_RARELY_USED) != 0,
                         (dwState & IPS_PREV_RARELY) != 0, (dwState & IPS_NEXT_RARELY) != 0,
                         IsSystemCommandId(item.m_nCmdId) ? item.m_nCmdId : 0, hFont);
  if (item.IsInplace()) {
    data.editRect = CalcEditRect(vid.m_rcInner, item);
    data.editText = (item.m_nInplaceFlags & 0x02) != 0 ? item.m_sInplaceText : *item.m_pInplaceValue;
  }
  pPM->PaintMenuItem(dc, data);
}

void CExtPopupMenuWnd::PaintExpandEffectFrame(CDC& dc, int nStep) {
  if (m_bmpFinal.GetSafeHandle() == NULL || m_bmpBackground.GetSafeHandle() == NULL) {
    PaintContent(dc, true);
    return;
  }
  const int nPercent = std::clamp(nStep, 0, 100);
  CRect rcClient;
  GetClientRect(rcClient);
  ExtMemDC_t dcFinal, dcFrame;
  if (!dcFinal.Select((HBITMAP)m_bmpFinal.GetSafeHandle())) {
    PaintContent(dc, true);
    return;
  }
  // The frame is composed off-screen when the frame buffer exists, so the window never shows a half-made one.
  const bool bComposed =
      m_bmpFrame.GetSafeHandle() != NULL && dcFrame.Select((HBITMAP)m_bmpFrame.GetSafeHandle());
  const HDC hTarget = bComposed ? dcFrame.Get() : dc.m_hDC;
  {
    ExtMemDC_t dcBackground;
    if (dcBackground.Select((HBITMAP)m_bmpBackground.GetSafeHandle()))
      ::BitBlt(hTarget, 0, 0, rcClient.Width(), rcClient.Height(), dcBackground.Get(), 0, 0, SRCCOPY);
  }
  if (HasCombinedArea())
    ::BitBlt(hTarget, m_rcArea.left, m_rcArea.top, m_rcArea.Width(), m_rcArea.Height(), dcFinal.Get(),
             m_rcArea.left, m_rcArea.top, SRCCOPY);

  const CRect rcBody = GetBodyRect();
  VisibleItems_t items;
  BuildVisibleItems(dc, items);
  m_expandRects.clear();
  for (size_t i = 0; i < items.size(); ++i) {
    // Rows span the body so that the border and the left area grow with them.
    ExpandEffectRect_t pair;
    pair.m_rcSource = items[i].m_rcItem;
    pair.m_rcSource.left = rcBody.left;
    pair.m_rcSource.right = rcBody.right;
    if (i == 0)
      pair.m_rcSource.top = rcBody.top;
    if (i + 1 == items.size())
      pair.m_rcSource.bottom = rcBody.bottom;
    const int nTop = i == 0 ? pair.m_rcSource.top : m_expandRects.back().m_rcTarget.bottom;
    int nHeight = pair.m_rcSource.Height();
    if ((items[i].m_nFlags & VisibleItemDefinition_t::VID_RARELY_USED) != 0)
      nHeight = nHeight * nPercent / 100;
    pair.m_rcTarget.SetRect(pair.m_rcSource.left, nTop, pair.m_rcSource.right, nTop + nHeight);
    m_expandRects.push_back(pair);
  }
  if (!m_expandRects.empty() && m_nCombineSide == 2 && HasCombinedArea()) {
    // The area lies below: the menu grows upwards from it.
    const int dy = m_expandRects.back().m_rcSource.bottom - m_expandRects.back().m_rcTarget.bottom;
    for (ExpandEffectRect_t& pair : m_expandRects)
      pair.m_rcTarget.OffsetRect(0, dy);
  }
  for (const ExpandEffectRect_t& pair : m_expandRects) {
    if (pair.m_rcTarget.IsRectEmpty())
      continue;
    ::BitBlt(hTarget, pair.m_rcTarget.left, pair.m_rcTarget.top, pair.m_rcTarget.Width(),
             pair.m_rcTarget.Height(), dcFinal.Get(), pair.m_rcSource.left, pair.m_rcSource.top, SRCCOPY);
  }
  if (m_expandRects.empty()) {
    const int nHeight = rcBody.Height() * nPercent / 100;
    if (nHeight > 0) {
      const bool bHalftone = (g_PaintManagerHolder->m_nFlags & 0x20) != 0;
      const int nOldMode = ::SetStretchBltMode(hTarget, bHalftone ? HALFTONE : COLORONCOLOR);
      ::StretchBlt(hTarget, rcBody.left, rcBody.top, rcBody.Width(), nHeight, dcFinal.Get(), rcBody.left,
                   rcBody.top, rcBody.Width(), rcBody.Height(), SRCCOPY);
      ::SetStretchBltMode(hTarget, nOldMode);
    }
  }
  if (bComposed)
    ::BitBlt(dc.m_hDC, 0, 0, rcClient.Width(), rcClient.Height(), dcFrame.Get(), 0, 0, SRCCOPY);
}

void CExtPopupMenuWnd::PaintAnimationFrame(CDC& dc) {
  CRect rcClient;
  GetClientRect(rcClient);
  if (m_nAnimationType != ANIM_EXPAND) {
    if (!PaintFrameOfType(dc, rcClient.Width(), rcClient.Height(), HasCombinedArea() ? m_nCombineSide : 0))
      PaintContent(dc, true);
    return;
  }
  const bool bBuffers =
      (m_pBackground != NULL && m_cxBuffers == rcClient.Width() && m_cyBuffers == rcClient.Height()) ||
      (CreateAnimationBuffers(rcClient.Width(), rcClient.Height()) && FillAnimationBuffers(dc));
  if (!bBuffers) {
    PaintContent(dc, true);
    return;
  }
  CMenuPaletteScope palette(dc);
  PaintExpandEffectFrame(dc, m_nStep);
}

void CExtPopupMenuWnd::RepaintOpenChain() {
  // The deepest open submenu first, each parent then just below its child.
  CExtPopupMenuWnd* pMenu = this;
  for (;;) {
    const int nCurrent = pMenu->m_nCurIndex;
    if (nCurrent < 0 || nCurrent >= pMenu->m_items.GetSize())
      break;
    CExtPopupMenuWnd* pChild = pMenu->m_items[nCurrent].m_pPopup;
    if (!pMenu->m_items[nCurrent].IsPopup() || pChild == NULL || pChild->GetSafeHwnd() == NULL ||
        !::IsWindowVisible(pChild->GetSafeHwnd()))
      break;
    pMenu = pChild;
  }
  HWND hWndChild = NULL;
  for (; pMenu != NULL; pMenu = pMenu->m_pParentMenu) {
    const HWND hWnd = pMenu->GetSafeHwnd();
    if (hWnd == NULL || !::IsWindow(hWnd))
      break;
    if (hWndChild != NULL)
      ::SetWindowPos(hWnd, hWndChild, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOREDRAW | SWP_NOACTIVATE);
    CClientDC dc(pMenu);
    if (pMenu->IsAnimationFinished())
      pMenu->PaintContent(dc, true);
    else
      pMenu->PaintAnimationFrame(dc);
    hWndChild = hWnd;
  }
}
