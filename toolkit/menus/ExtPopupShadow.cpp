// The soft drop shadow of popup windows.
// (stub: being built)
#include "toolkit/menus/ExtPopupShadow.h"

CExtPopupShadow::CExtPopupShadow() {}
CExtPopupShadow::~CExtPopupShadow() {}
void CExtPopupShadow::Reset() {}
void CExtPopupShadow::ResetAll() {}
bool CExtPopupShadow::HasSavedScreen() const { return false; }
bool CExtPopupShadow::SaveScreen(CDC&) { return false; }
bool CExtPopupShadow::RestoreScreen(CDC&) { return false; }
bool CExtPopupShadow::PaintCached(CDC&) { return false; }
void CExtPopupShadow::CacheRendered(CDC&) {}
void CExtPopupShadow::DiscardRendered() {}
bool CExtPopupShadow::PaintFor(CDC&, const RECT&, const RECT&, const RECT&, int, int, int, bool, bool, CWnd*,
                               CWnd*, const RECT*) {
  return true;
}
bool CExtPopupShadow::Render(CDC&, CWnd*, CWnd*, const RECT*) { return true; }
bool CExtPopupShadow::RenderAlpha(CDC&, CWnd*, CWnd*, const RECT*) { return true; }
bool CExtPopupShadow::RenderHalftone(CDC&, CWnd*, CWnd*, const RECT*) { return true; }
void CExtPopupShadow::ApplyAlpha(int, int, int, COLORREF) {}
CRect CExtPopupShadow::RightStripRect() const { return CRect(); }
CRect CExtPopupShadow::BottomStripRect() const { return CRect(); }
