// Selections, floating pieces and crop of the image view.
#include "editor/FramletDoc.h"
#include "editor/FramletView.h"

void CFramletView::BeginSelection(UINT, CPoint) {}
void CFramletView::FinishSelection(CPoint) {}
void CFramletView::CommitFloatingObjects(CDC*) {}
BOOL CFramletView::PasteImageFile(LPCSTR) { return FALSE; }
void CFramletView::SetFloatingPiece(Gdiplus::Bitmap* pPicture) { delete pPicture; }
void CFramletView::ResetSelection() {}
void CFramletView::RubberBand(UINT, CPoint, BOOL) {}
void CFramletView::LiftSelection() {}
void CFramletView::ClosePolygon(CPoint) {}
void CFramletView::AddPoint(POINT) {}
void CFramletView::SetOutline(const CRect&) {}
void CFramletView::OnClearSelection() {}
void CFramletView::OnCropToSelection() {}
void CFramletView::OnSelectAll() {}
void CFramletView::OnPasteFromFile() {}
void CFramletView::OnUpdateSelectionCommand(CCmdUI*) {}
void CFramletView::OnUpdateCropCommand(CCmdUI*) {}
