// The pixel tools of the image view, the text tool and the stamps.
#include "editor/FramletDoc.h"
#include "editor/FramletView.h"

void CFramletView::SprayTick() {}
void CFramletView::AirBrushGuard() {}
void CFramletView::FillAt(CPoint) {}
void CFramletView::PickColor(UINT, CPoint) {}
void CFramletView::EraserMove(CPoint) {}
void CFramletView::EraserUp() {}
void CFramletView::HighlighterMove(CPoint) {}
void CFramletView::HighlighterUp(CPoint) {}
void CFramletView::PutTextAt(CPoint) {}
void CFramletView::ReopenTextDialog(CPoint) {}
void CFramletView::PlaceStamp(CPoint) {}
