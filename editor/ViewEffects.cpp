// The image operations of the task sheet on the image view.
#include "editor/FramletDoc.h"
#include "editor/EffectParams.h"
#include "editor/FramletView.h"

void CFramletView::ApplyImageEffect(int, const EffectParams*, CDC*, HWND) {}
LRESULT CFramletView::OnApplyEffectMessage(WPARAM, LPARAM) { return 0; }
LRESULT CFramletView::OnSaveOriginal(WPARAM, LPARAM) { return 0; }
LRESULT CFramletView::OnTaskEdit(WPARAM, LPARAM) { return 0; }
