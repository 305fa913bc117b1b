// What the tool bar's sizing, placing and painting agree on: which buttons take part in a layout,
// and the bar font selected for measuring.
#pragma once

#include "framework/gdi/fw_gdi.h"
#include "toolkit/bars/ExtBarButton.h"
#include "toolkit/bars/ExtPanelControlBar.h"
#include "toolkit/bars/ExtToolControlBar.h"
#include "toolkit/theme/ExtPaintManager.h"
#include "toolkit/theme/ExtPaintManagerHolder.h"

namespace tool_bar_layout {

// The buttons before the chevron, which is always the last button when present.
inline int ContentCount(const CExtToolControlBar& bar) {
  int nCount = (int)bar.m_buttons.GetSize();
  if (bar.m_pRightBtn != NULL && nCount > 0 &&
      bar.m_buttons[nCount - 1] == static_cast<CExtBarButton*>(bar.m_pRightBtn))
    --nCount;
  return nCount;
}

inline bool IsHiddenStyle(const CExtBarButton* pButton) { return (pButton->GetStyle() & TBBS_HIDDEN) != 0; }

// A button no layout places: hidden, or a separator directly followed by a hidden button (it
// would separate nothing).
inline bool IsLeftOut(const CExtToolControlBar& bar, int nIndex) {
  const CExtBarButton* pButton = bar.m_buttons[nIndex];
  if (IsHiddenStyle(pButton))
    return true;
  if (!pButton->IsSeparator() || nIndex + 1 >= (int)bar.m_buttons.GetSize())
    return false;
  return IsHiddenStyle(bar.m_buttons[nIndex + 1]);
}

// Selects the bar font (the theme's own when the bar names none) for the object's lifetime.
class BarFontSelection {
public:
  BarFontSelection(CDC& dc, const CExtToolControlBar& bar, bool bVert) : m_dc(dc) {
    CFont* pFont = bar.GetBarFont(bVert);
    if (pFont == NULL || pFont->GetSafeHandle() == NULL)
      pFont = bVert ? &g_PaintManagerHolder->m_FontNormalVert : &g_PaintManagerHolder->m_FontNormal;
    if (pFont->GetSafeHandle() != NULL)
      m_pOld = m_dc.SelectObject(pFont);
  }
  ~BarFontSelection() {
    if (m_pOld != NULL)
      m_dc.SelectObject(m_pOld);
  }
  BarFontSelection(const BarFontSelection&) = delete;
  BarFontSelection& operator=(const BarFontSelection&) = delete;

private:
  CDC& m_dc;
  CFont* m_pOld = NULL;
};

} // namespace tool_bar_layout
