// The colour popup: its table of named colours, the grid arithmetic and the moves of the arrow
// keys over it, the layout of the cells and the two buttons, the window and the painting. The
// mouse, the keys and the notifications are in ExtPopupColorMenuInput.cpp.
#include "toolkit/menus/ExtPopupColorMenuWnd.h"

#include "toolkit/foundation/ExtResourceManager.h"
#include "toolkit/theme/ExtPaintManagerHolder.h"

#include <algorithm>

IMPLEMENT_DYNCREATE(CExtPopupColorMenuWnd, CExtPopupMenuWnd)

BEGIN_MESSAGE_MAP(CExtPopupColorMenuWnd, CExtPopupMenuWnd)
ON_WM_QUERYNEWPALETTE()
ON_WM_PALETTECHANGED()
END_MESSAGE_MAP()

int CExtPopupColorMenuWnd::g_nTipStyle = 4;

namespace {

enum : UINT { IDS_CUSTOM_COLOR = 30010, IDS_DEFAULT_COLOR = 30011 };
enum : int {
  MIN_BUTTON_HEIGHT = 22,
  BUTTON_INSET = 3,       // between the border and a button
  BUTTON_TEXT_EXTRA = 6,  // added to a button text's width
  DEFAULT_BUTTON_GAP = 6, // below the default button, with the item spacing
  CUSTOM_BUTTON_GAP = 7,  // above the custom button, with the item spacing
};

CString LoadButtonText(UINT nId, LPCSTR lpszFallback) {
  CString sText;
  if (!g_ResourceManagerHolder->LoadString(sText, nId) || sText.IsEmpty())
    sText = lpszFallback;
  return sText;
}

// A button text's size in the theme's menu font, as one line without its '&' marks.
CSize MeasureButtonText(const CString& sText) {
  CString sPlain(sText);
  sPlain.Remove('&');
  CRect rcText(0, 0, 0, 0);
  HDC hDC = ::GetDC(NULL);
  if (hDC == NULL)
    return CSize();
  HGDIOBJ hOldFont = ::SelectObject(hDC, g_PaintManagerHolder->m_FontNormal.GetSafeHandle());
  ::DrawTextA(hDC, sPlain, sPlain.GetLength(), &rcText, DT_CALCRECT | DT_SINGLELINE | DT_VCENTER);
  if (hOldFont != NULL && hOldFont != HGDI_ERROR)
    ::SelectObject(hDC, hOldFont);
  ::ReleaseDC(NULL, hDC);
  return rcText.Size();
}

} // namespace

CExtPopupColorMenuWnd::CExtPopupColorMenuWnd()
    : m_sBtnTextDefault(LoadButtonText(IDS_DEFAULT_COLOR, "Default Color")),
      m_sBtnTextCustom(LoadButtonText(IDS_CUSTOM_COLOR, "Custom Color ...")) {
  LoadStandardColors();
}

CExtPopupColorMenuWnd::~CExtPopupColorMenuWnd() { RemoveAllColors(); }

// ---------------------------------------------------------------------------------------------
// The table and the grid.

CSize CExtPopupColorMenuWnd::GetCellSize() const { return m_sizeCell; }
CSize CExtPopupColorMenuWnd::GetCellMargin() const { return m_sizeCellMargin; }
int CExtPopupColorMenuWnd::GetColorCount() const { return (int)m_colors.size(); }
int CExtPopupColorMenuWnd::GetColumnCount() const { return m_nColumns; }

void CExtPopupColorMenuWnd::SetColumnCount(int nColumns) {
  // The grid divides by it.
  m_nColumns = std::max(1, nColumns);
}

CSize CExtPopupColorMenuWnd::GetGridSize() const {
  const int nColors = GetColorCount(), nColumns = GetColumnCount();
  const int nRows = (nColors + nColumns - 1) / nColumns;
  return CSize(nRows == 1 ? nColors : nColumns, nRows);
}

const CExtPopupColorMenuWnd::COLORREF_TABLE_ENTRY* CExtPopupColorMenuWnd::GetColorEntry(int nIndex) const {
  return nIndex >= 0 && nIndex < GetColorCount() ? m_colors[nIndex].get() : NULL;
}

COLORREF CExtPopupColorMenuWnd::GetColorAt(int nIndex) const {
  const COLORREF_TABLE_ENTRY* pEntry = GetColorEntry(nIndex);
  return pEntry != NULL ? pEntry->m_clr : 0;
}

CString CExtPopupColorMenuWnd::GetColorNameAt(int nIndex) const {
  const COLORREF_TABLE_ENTRY* pEntry = GetColorEntry(nIndex);
  return pEntry != NULL ? pEntry->GetName() : CString();
}

int CExtPopupColorMenuWnd::FindColorIndex(COLORREF clr) const {
  for (int i = 0; i < GetColorCount(); ++i)
    if (m_colors[i]->m_clr == clr)
      return i;
  return INDEX_NONE;
}

int CExtPopupColorMenuWnd::GetNextCellIndex(int nIndex, UINT nVirtKey) const {
  const int nColors = GetColorCount();
  if (nColors == 0)
    return INDEX_NONE;
  if (nIndex < 0 || nIndex >= nColors)
    return 0; // nothing or a button was hot: the keys start at the first cell
  const int nColumns = GetColumnCount();
  const CSize sizeGrid = GetGridSize();
  const int nRowLength = sizeGrid.cx, nRows = sizeGrid.cy;
  const int nLastRowCells = nColors % nColumns;
  const int nRow = nIndex / nColumns, nColumn = nIndex % nColumns;
  const bool bShortRow = nRow == nRows - 1 && nLastRowCells > 0;
  switch (nVirtKey) {
  case VK_LEFT:
    if (nRowLength == 1)
      return nIndex;
    return nColumn > 0 ? nIndex - 1 : nRow * nRowLength + (bShortRow ? nLastRowCells : nRowLength) - 1;
  case VK_RIGHT:
    if (nRowLength == 1)
      return nIndex;
    return nColumn < (bShortRow ? nLastRowCells - 1 : nRowLength - 1) ? nIndex + 1 : nRow * nRowLength;
  case VK_UP:
    if (nRows == 1)
      return nIndex;
    if (nRow > 0)
      return nIndex - nColumns;
    // Round to the last row, or the one before it where the short last row has no such cell.
    return (nRows - 1) * nColumns + nColumn < nColors ? (nRows - 1) * nColumns + nColumn
                                                      : (nRows - 2) * nColumns + nColumn;
  case VK_DOWN:
    if (nRows == 1)
      return nIndex;
    return nRow + 1 <= nRows - 1 && nIndex + nColumns < nColors ? nIndex + nColumns : nColumn;
  }
  return nIndex;
}

void CExtPopupColorMenuWnd::RemoveAllColors() { m_colors.clear(); }

void CExtPopupColorMenuWnd::LoadStandardColors() {
  SetColumnCount(8);
  RemoveAllColors();
  for (const COLORREF_TABLE_ENTRY& entry : g_StdColors40)
    m_colors.push_back(std::make_unique<COLORREF_TABLE_ENTRY>(entry));
}

// ---------------------------------------------------------------------------------------------
// Layout and hit test.

CSize CExtPopupColorMenuWnd::CalcCellsLayout(CRect* prcDefault, CRect* prcCustom) const {
  const CSize sizeCell = GetCellSize(), sizeMargin = GetCellMargin(), sizeGrid = GetGridSize();
  const int nBorder = GetBorderSize(), nSpacing = g_PaintManagerHolder->GetMenuItemSpacing();
  const int nShadow = std::max(0, GetShadowSize()); // 0 without a shadow
  const int nTearOff = IsTearOffEnabled() ? GetTearOffBarHeight() : 0;
  const int nGridHeight = (sizeCell.cy + 2 * sizeMargin.cy) * sizeGrid.cy;
  int nWidth = (sizeCell.cx + 2 * sizeMargin.cx) * sizeGrid.cx + 2 * nBorder + nShadow;
  int nHeight = nGridHeight + 2 * nBorder + nShadow;
  const bool bDefault = (m_nButtonFlags & BUTTON_DEFAULT) != 0;
  const bool bCustom = (m_nButtonFlags & BUTTON_CUSTOM) != 0;
  const int nInset = nBorder + BUTTON_INSET;
  int nDefaultHeight = 0;
  if (bDefault) {
    const CSize sizeText = MeasureButtonText(m_sBtnTextDefault);
    nDefaultHeight = std::max<int>(MIN_BUTTON_HEIGHT, sizeText.cy);
    nHeight += nSpacing + DEFAULT_BUTTON_GAP + nDefaultHeight;
    nWidth = std::max<int>(nWidth, sizeText.cx + BUTTON_TEXT_EXTRA);
  }
  int nCustomHeight = 0;
  if (bCustom) {
    const CSize sizeText = MeasureButtonText(m_sBtnTextCustom);
    nCustomHeight = std::max<int>(MIN_BUTTON_HEIGHT, sizeText.cy);
    nHeight += nSpacing + CUSTOM_BUTTON_GAP + nCustomHeight;
    nWidth = std::max<int>(nWidth, sizeText.cx + BUTTON_TEXT_EXTRA);
  }
  const CSize sizeContent(nWidth + m_nLeftAreaWidth, nHeight);
  if (prcDefault == NULL && prcCustom == NULL)
    return sizeContent; // measuring: the body may not be known yet
  // Client coordinates: the body's corner and the owner's left area before everything. Both
  // buttons span the menu, whichever text widened it.
  const CPoint ptOrigin = GetBodyRect().TopLeft() + CSize(m_nLeftAreaWidth, 0);
  if (prcDefault != NULL) {
    prcDefault->SetRectEmpty();
    if (bDefault)
      *prcDefault =
          CRect(nInset, nInset + nTearOff, nWidth - nInset - nShadow, nInset + nTearOff + nDefaultHeight) +
          ptOrigin;
  }
  if (prcCustom != NULL) {
    prcCustom->SetRectEmpty();
    int yCustom = nInset + nGridHeight + sizeMargin.cy + nBorder + nTearOff;
    if (bDefault)
      yCustom += nSpacing + nDefaultHeight + DEFAULT_BUTTON_GAP;
    if (bCustom)
      *prcCustom = CRect(nInset, yCustom, nWidth - nInset - nShadow, yCustom + nCustomHeight) + ptOrigin;
  }
  return sizeContent;
}

CSize CExtPopupColorMenuWnd::LayoutCells() { return CalcCellsLayout(&m_rcDefaultButton, &m_rcCustomButton); }

CSize CExtPopupColorMenuWnd::MeasureMenu() const { return CalcCellsLayout(NULL, NULL); }

CRect CExtPopupColorMenuWnd::GetCellRect(int nIndex) const {
  if (GetColorEntry(nIndex) == NULL)
    return CRect();
  const CSize sizeCell = GetCellSize(), sizeMargin = GetCellMargin();
  const int nColumns = GetColumnCount(), nBorder = GetBorderSize();
  CPoint pt((sizeCell.cx + 2 * sizeMargin.cx) * (nIndex % nColumns) + sizeMargin.cx + nBorder,
            (sizeCell.cy + 2 * sizeMargin.cy) * (nIndex / nColumns) + sizeMargin.cy + nBorder);
  if ((m_nButtonFlags & BUTTON_DEFAULT) != 0)
    pt.y += g_PaintManagerHolder->GetMenuItemSpacing() + m_rcDefaultButton.Height() + DEFAULT_BUTTON_GAP;
  pt += GetBodyRect().TopLeft() + CSize(m_nLeftAreaWidth, 0);
  if (IsTearOffEnabled())
    pt.y += GetTearOffBarHeight();
  return CRect(pt, sizeCell);
}

int CExtPopupColorMenuWnd::HitTestColor(const POINT& ptClient) const {
  for (int i = 0; i < GetColorCount(); ++i)
    if (GetCellRect(i).PtInRect(ptClient))
      return i;
  if (m_rcDefaultButton.PtInRect(ptClient))
    return INDEX_DEFAULT_BUTTON;
  if (m_rcCustomButton.PtInRect(ptClient))
    return INDEX_CUSTOM_BUTTON;
  return INDEX_NONE;
}

int CExtPopupColorMenuWnd::HitTest(const POINT&, bool* pbOnEdit, bool* pbOnDropDown) const {
  // There are no items to hit.
  if (pbOnEdit != NULL)
    *pbOnEdit = false;
  if (pbOnDropDown != NULL)
    *pbOnDropDown = false;
  return HIT_NOTHING;
}

bool CExtPopupColorMenuWnd::CanOpenFromItem() const { return !IsHelpMode() && !IsEffectsSuppressed(); }

int CExtPopupColorMenuWnd::GetItemTipStyle() const { return g_nTipStyle; }

// ---------------------------------------------------------------------------------------------
// The window and its painting.

bool CExtPopupColorMenuWnd::CreateMenuWindow(CWnd* pWndParent) {
  if (!CExtPopupMenuWnd::CreateMenuWindow(pWndParent))
    return false;
  m_nSelectedIndex = FindColorIndex(m_clrInitial);
  if (m_nSelectedIndex != INDEX_NONE)
    Invalidate();
  // The placement fixed the body: the buttons go where it lies now.
  LayoutCells();
  return true;
}

void CExtPopupColorMenuWnd::PaintContent(CDC& dc, bool bOnScreen) {
  // Background, border, left area, tear-off caption, joint and shadow are the menu's; the grid
  // and the buttons come in through PaintItems.
  CExtPopupMenuWnd::PaintContent(dc, bOnScreen);
}

void CExtPopupColorMenuWnd::PaintItems(CDC& dc) { PaintColorMenu(dc); }

void CExtPopupColorMenuWnd::PaintColorMenu(CDC& dc) {
  CExtPaintManager* pPM = g_PaintManagerHolder.GetPM();
  const int nSpacing = pPM->GetMenuItemSpacing();
  auto paintButton = [&](const CRect& rc, const CString& sText, bool bHot) {
    PushButtonPaintData button(this, true, rc, sText, NULL, true, bHot, false, false, true, bHot, false,
                               false, 5, NULL, false, 0, !bHot);
    pPM->PaintPushButton(dc, button);
  };
  auto paintSeparator = [&](const CRect& rcButton, int y) {
    pPM->PaintSeparator(dc, CRect(rcButton.left, y, rcButton.right, y + 1), false, true, this);
  };
  if ((m_nButtonFlags & BUTTON_DEFAULT) != 0 && !m_rcDefaultButton.IsRectEmpty()) {
    paintButton(m_rcDefaultButton, m_sBtnTextDefault, m_nHotIndex == INDEX_DEFAULT_BUTTON);
    paintSeparator(m_rcDefaultButton, m_rcDefaultButton.bottom + BUTTON_INSET + nSpacing / 2);
  }
  if ((m_nButtonFlags & BUTTON_CUSTOM) != 0 && !m_rcCustomButton.IsRectEmpty()) {
    paintButton(m_rcCustomButton, m_sBtnTextCustom, m_nHotIndex == INDEX_CUSTOM_BUTTON);
    paintSeparator(m_rcCustomButton, m_rcCustomButton.top - GetCellMargin().cy - nSpacing + nSpacing / 2);
  }
  const CSize sizeMargin = GetCellMargin();
  const COLORREF clrFrame = pPM->ColorByLogicalId(COLOR_3DDKSHADOW, this);
  for (int i = 0; i < GetColorCount(); ++i) {
    const CRect rcCell = GetCellRect(i);
    if (!dc.RectVisible(&rcCell))
      continue;
    const bool bMarked = i == m_nHotIndex || i == m_nSelectedIndex;
    PushButtonPaintData button(this, true, rcCell, "", NULL, true, bMarked, bMarked, false, true, bMarked,
                               false, false, 5, NULL, false, 0, !bMarked);
    pPM->PaintPushButton(dc, button);
    CRect rcSwatch(rcCell);
    rcSwatch.DeflateRect(sizeMargin);
    dc.FillSolidRect(&rcSwatch, GetColorAt(i));
    dc.Draw3dRect(&rcSwatch, clrFrame, clrFrame);
  }
}

BOOL CExtPopupColorMenuWnd::OnQueryNewPalette() {
  Invalidate();
  return (BOOL)Default();
}

void CExtPopupColorMenuWnd::OnPaletteChanged(CWnd* pFocusWnd) {
  Default();
  if (pFocusWnd == NULL || pFocusWnd->GetSafeHwnd() != m_hWnd)
    Invalidate();
}
