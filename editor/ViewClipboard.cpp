// Clipboard, printing and metafiles of the image view.
#include "editor/FramletDoc.h"
#include "editor/FramletView.h"

void CFramletView::OnCopyAllToClipboard() {}
void CFramletView::OnEditCopy() {}
void CFramletView::OnEditCut() {}
void CFramletView::OnEditPaste() {}
BOOL CFramletView::SaveAsMetafile(LPCSTR) { return FALSE; }
BOOL CFramletView::OnPreparePrinting(CPrintInfo* pInfo) { return DoPreparePrinting(pInfo); }
void CFramletView::OnPrint(CDC*, CPrintInfo*) {}
