// Painting the tool bar: background, row gradients, buttons and separators through the theme,
// into an off-screen buffer copied to the screen in one block.
#include "toolkit/bars/ExtToolControlBar.h"
#include "toolkit/bars/ExtToolControlBarLayoutUtil.h"
#include "toolkit/foundation/ExtMemoryDC.h"

using tool_bar_layout::BarFontSelection;
using tool_bar_layout::IsLeftOut;

namespace {
const int kBarTextColor = 1010;
} // namespace

void CExtToolControlBar::DoPaint(CDC* pDC) {
  CRect rcClient;
  GetClientRect(&rcClient);
  if (rcClient.IsRectEmpty() || !pDC->RectVisible(&rcClient))
    return;
  CExtMemoryDC dc(pDC, &rcClient);
  PaintClientBackground(dc);
  CExtPaintManager* pPM = g_PaintManagerHolder.operator->();
  dc.SetTextColor(pPM->ColorByLogicalId(kBarTextColor, this));
  dc.SetBkMode(TRANSPARENT);
  const bool bPanel = IsPanelBar();
  const bool bHorz = IsBarHorizontal() || bPanel;
  BarFontSelection font(dc, *this, !bHorz);
  if (pPM->IsToolBarGradientBackground(this))
    for (const RECT& rcRow : m_arrRowRects)
      pPM->PaintToolBarChildBackground(dc, this, 0, rcRow);

  // Only floating and panel bars break rows at wrap bits; docked ones keep one row.
  const bool bRows = IsFloating() || bPanel;
  const int nMode = GetLayoutMode();
  const int nRowGap = pPM->GetToolBarRowDistance(this);
  for (int i = 0; i < (int)m_buttons.GetSize(); ++i) {
    CExtBarButton* pButton = m_buttons[i];
    if (!pButton->IsVisible() || IsLeftOut(*this, i))
      continue;
    CRect rc = pButton->GetRect();
    if (!pButton->IsSeparator()) {
      if (!dc.RectVisible(&rc))
        continue;
      if (pButton->IsHover() && pButton->IsHotBackgroundRequested())
        pPM->PaintToolBarButtonBackground(dc, pButton);
      pButton->Paint(dc, bHorz);
      continue;
    }
    if (bRows && pButton->IsWrap(nMode)) {
      // A row break: a line across the gap between the rows, as thick as the gap.
      if (nRowGap == 0)
        continue;
      CRect rcLine = bHorz ? CRect(rcClient.left + 2, rc.bottom, rcClient.right - 2, rc.bottom + nRowGap)
                           : CRect(rc.left - nRowGap, rcClient.top + 2, rc.left, rcClient.bottom - 2);
      if (dc.RectVisible(&rcLine))
        pPM->PaintSeparator(dc, rcLine, !bHorz, true, this);
      continue;
    }
    if (dc.RectVisible(&rc))
      pPM->PaintSeparator(dc, rc, bHorz, true, this);
  }
}
