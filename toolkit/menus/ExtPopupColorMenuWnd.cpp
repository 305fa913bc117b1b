// The colour popup.
// (stub: being built)
#include "toolkit/menus/ExtPopupColorMenuWnd.h"

IMPLEMENT_DYNCREATE(CExtPopupColorMenuWnd, CExtPopupMenuWnd)

BEGIN_MESSAGE_MAP(CExtPopupColorMenuWnd, CExtPopupMenuWnd)
END_MESSAGE_MAP()

int CExtPopupColorMenuWnd::g_nTipStyle = 4;

CExtPopupColorMenuWnd::CExtPopupColorMenuWnd() {}
CExtPopupColorMenuWnd::~CExtPopupColorMenuWnd() { RemoveAllColors(); }
CSize CExtPopupColorMenuWnd::GetCellSize() const { return m_sizeCell; }
CSize CExtPopupColorMenuWnd::GetCellMargin() const { return m_sizeCellMargin; }
int CExtPopupColorMenuWnd::GetColorCount() const { return (int)m_colors.size(); }
int CExtPopupColorMenuWnd::GetColumnCount() const { return m_nColumns; }
void CExtPopupColorMenuWnd::SetColumnCount(int nColumns) { m_nColumns = nColumns; }
CSize CExtPopupColorMenuWnd::GetGridSize() const { return CSize(); }
const CExtPopupColorMenuWnd::COLORREF_TABLE_ENTRY* CExtPopupColorMenuWnd::GetColorEntry(int) const {
  return NULL;
}
COLORREF CExtPopupColorMenuWnd::GetColorAt(int) const { return 0; }
CString CExtPopupColorMenuWnd::GetColorNameAt(int) const { return CString(); }
int CExtPopupColorMenuWnd::GetNextCellIndex(int nIndex, UINT) const { return nIndex; }
void CExtPopupColorMenuWnd::RemoveAllColors() {
  for (COLORREF_TABLE_ENTRY* pEntry : m_colors)
    delete pEntry;
  m_colors.clear();
}
void CExtPopupColorMenuWnd::LoadStandardColors() {}
void CExtPopupColorMenuWnd::PaintContent(CDC&, bool) {}
bool CExtPopupColorMenuWnd::CreateMenuWindow(CWnd* pWndParent) {
  return CExtPopupMenuWnd::CreateMenuWindow(pWndParent);
}
int CExtPopupColorMenuWnd::HitTest(const POINT&, bool* pbOnEdit, bool* pbOnDropDown) const {
  if (pbOnEdit != NULL)
    *pbOnEdit = false;
  if (pbOnDropDown != NULL)
    *pbOnDropDown = false;
  return -1;
}
bool CExtPopupColorMenuWnd::HandleMouseMove(UINT, int, int, bool&) { return false; }
bool CExtPopupColorMenuWnd::HandleMouseClick(UINT, int, int, bool&) { return false; }
bool CExtPopupColorMenuWnd::HandleKeyboard(UINT, UINT, UINT, bool&) { return false; }
bool CExtPopupColorMenuWnd::CanOpenFromItem() const { return true; }
int CExtPopupColorMenuWnd::GetItemTipStyle() const { return g_nTipStyle; }
CSize CExtPopupColorMenuWnd::MeasureMenu() const { return CExtPopupMenuWnd::MeasureMenu(); }
CSize CExtPopupColorMenuWnd::LayoutCells() { return CSize(); }
CRect CExtPopupColorMenuWnd::GetCellRect(int) const { return CRect(); }
int CExtPopupColorMenuWnd::HitTestColor(const POINT&) const { return INDEX_NONE; }
void CExtPopupColorMenuWnd::PaintColorMenu(CDC&) {}
