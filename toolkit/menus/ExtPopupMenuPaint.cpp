// Popup menu painting: background, border, items, separators, expand row, scroll buttons, the combined area,
// shadows and the expand effect. (stub: being built)
#include "toolkit/menus/ExtPopupMenuWnd.h"

void CExtPopupMenuWnd::PaintContent(CDC&, bool) {}
void CExtPopupMenuWnd::PaintAnimationFrame(CDC& dc) { PaintContent(dc, true); }
void CExtPopupMenuWnd::PaintItems(CDC&) {}
void CExtPopupMenuWnd::PaintItemsPalette(CDC&) {}
void CExtPopupMenuWnd::BuildVisibleItems(CDC&, VisibleItems_t&) {}
void CExtPopupMenuWnd::BuildVisibleItemsPalette(CDC&, VisibleItems_t&) {}
void CExtPopupMenuWnd::PaintItem(CDC&, const VisibleItemDefinition_t&, bool, bool, bool, bool, bool) {}
void CExtPopupMenuWnd::PaintExpandEffectFrame(CDC&, int) {}
void CExtPopupMenuWnd::RepaintOpenChain() {}
