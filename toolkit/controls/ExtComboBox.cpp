#include "toolkit/controls/ExtComboBox.h"

IMPLEMENT_DYNCREATE(CExtComboEditCtrlHook, CExtEditBase)
IMPLEMENT_DYNCREATE(CExtComboBoxBase, CComboBox)
IMPLEMENT_DYNCREATE(CExtComboBox, CExtComboBoxBase)

BEGIN_MESSAGE_MAP(CExtComboEditCtrlHook, CExtEditBase)
ON_WM_CONTEXTMENU()
ON_WM_CTLCOLOR_REFLECT()
END_MESSAGE_MAP()

BEGIN_MESSAGE_MAP(CExtComboBoxBase, CComboBox)
ON_WM_CREATE()
ON_WM_CTLCOLOR_REFLECT()
ON_CONTROL_REFLECT(CBN_EDITUPDATE, OnEditUpdate)
END_MESSAGE_MAP()

BEGIN_MESSAGE_MAP(CExtComboBox, CExtComboBoxBase)
ON_WM_TIMER()
ON_WM_PAINT()
ON_WM_ERASEBKGND()
ON_WM_KILLFOCUS()
END_MESSAGE_MAP()

CExtComboBoxBase* CExtComboEditCtrlHook::GetComboBox() const { return NULL; }
INT_PTR CExtComboEditCtrlHook::OnToolHitTest(CPoint point, TOOLINFO* pTI) const {
  return CExtEditBase::OnToolHitTest(point, pTI);
}
LRESULT CExtComboEditCtrlHook::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  return CExtEditBase::WindowProc(message, wParam, lParam);
}
void CExtComboEditCtrlHook::OnContextMenu(CWnd*, CPoint) { Default(); }
HBRUSH CExtComboEditCtrlHook::CtlColor(CDC*, UINT) { return NULL; }

CExtComboBoxBase::CExtComboBoxBase()
    : m_nComboFlags(COMBO_AUTO_COMPLETE | COMBO_EDIT_STD_COMMANDS | COMBO_COMPLETE_ARMED),
      m_clrBack((COLORREF)-1), m_clrBackBrush((COLORREF)-1), m_clrText((COLORREF)-1) {
  EnableToolTips(TRUE);
}
CExtComboBoxBase::~CExtComboBoxBase() = default;
void CExtComboBoxBase::EnableAutoComplete(bool) {}
void CExtComboBoxBase::SetTooltipText(LPCSTR, BOOL) {}
void CExtComboBoxBase::ActivateTooltip(BOOL) {}
int CExtComboBoxBase::GetTipMaxWidth() const { return 250; }
HWND CExtComboBoxBase::HookInnerEdit() { return NULL; }
INT_PTR CExtComboBoxBase::OnToolHitTest(CPoint point, TOOLINFO* pTI) const {
  return CComboBox::OnToolHitTest(point, pTI);
}
BOOL CExtComboBoxBase::PreTranslateMessage(MSG* pMsg) { return CComboBox::PreTranslateMessage(pMsg); }
HBRUSH CExtComboBoxBase::CtlColor(CDC*, UINT) { return NULL; }
void CExtComboBoxBase::PreSubclassWindow() { CComboBox::PreSubclassWindow(); }
LRESULT CExtComboBoxBase::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  return CComboBox::WindowProc(message, wParam, lParam);
}
int CExtComboBoxBase::OnCreate(LPCREATESTRUCT lpCreateStruct) { return CComboBox::OnCreate(lpCreateStruct); }
void CExtComboBoxBase::OnEditUpdate() { Default(); }

CExtComboBox::CExtComboBox() : m_nHoverFlags(0), m_nTimerID(10), m_nTimerInterval(50) {}
CExtComboBox::~CExtComboBox() = default;
void CExtComboBox::OnPaintCombo(bool, bool) {}
void CExtComboBox::PaintComboFrame(bool, bool, CDC*) {}
BOOL CExtComboBox::PreTranslateMessage(MSG* pMsg) { return CExtComboBoxBase::PreTranslateMessage(pMsg); }
LRESULT CExtComboBox::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  return CExtComboBoxBase::WindowProc(message, wParam, lParam);
}
bool CExtComboBox::OnHoverMove() { return false; }
void CExtComboBox::HoverTimerStep() {}
bool CExtComboBox::OnDropDownPress() { return false; }
void CExtComboBox::OnTimer(UINT nIDEvent) { CExtComboBoxBase::OnTimer(nIDEvent); }
void CExtComboBox::OnPaint() { Default(); }
BOOL CExtComboBox::OnEraseBkgnd(CDC*) { return TRUE; }
void CExtComboBox::OnKillFocus(CWnd* pNewWnd) { CExtComboBoxBase::OnKillFocus(pNewWnd); }
