// The colour popup: a grid of the 40 standard colours with optional "Default Color" and "Custom
// Color ..." buttons, picked with the mouse or the keys; hovering posts previews and the choice
// is posted as a notification of its own. Opened by colour buttons, at the top or as a submenu.
//
// ExtPopupColorMenuWnd.cpp holds the table, the grid, the layout, the window and the painting;
// ExtPopupColorMenuInput.cpp the mouse, the keys and the notifications.
#pragma once

#include "framework/core/fw_string.h"
#include "toolkit/menus/ExtPopupMenuWnd.h"

#include <memory>
#include <vector>

class CExtPopupColorMenuWnd : public CExtPopupMenuWnd {
  DECLARE_DYNCREATE(CExtPopupColorMenuWnd)
public:
  // One named colour.
  class COLORREF_TABLE_ENTRY {
  public:
    COLORREF_TABLE_ENTRY(COLORREF clr = 0, LPCSTR lpszName = "") : m_clr(clr), m_sName(lpszName) {}
    COLORREF_TABLE_ENTRY(const COLORREF_TABLE_ENTRY& other) = default;
    virtual ~COLORREF_TABLE_ENTRY() = default;
    virtual CString GetName() const { return m_sName; }
    COLORREF m_clr;
    CString m_sName;
  };

  // Hot and selected index values that are no cell.
  enum : int { INDEX_NONE = -1, INDEX_DEFAULT_BUTTON = -101, INDEX_CUSTOM_BUTTON = -102 };
  enum : BYTE { BUTTON_DEFAULT = 0x01, BUTTON_CUSTOM = 0x02 };
  enum : BYTE { STATE_NOTIFYING = 0x01 };

  // Registered notifications, posted to the target (the receiver when none is set).
  static const UINT& g_nMsgNotifyColorChanged;
  static const UINT& g_nMsgNotifyColorChangedFinally;
  static const UINT& g_nMsgNotifyCustColor;

  // The 40 standard colours every colour popup shows, and a second table of 16 no operation
  // reads (defined with the toolkit's globals).
  static const std::vector<COLORREF_TABLE_ENTRY>& g_StdColors40;
  static const std::vector<COLORREF_TABLE_ENTRY>& g_StdColors16;
  static int g_nTipStyle; // the tip style of colour names (4)

  CExtPopupColorMenuWnd();
  ~CExtPopupColorMenuWnd() override;

  virtual CSize GetCellSize() const;
  virtual CSize GetCellMargin() const;
  virtual int GetColorCount() const;
  virtual int GetColumnCount() const;
  virtual void SetColumnCount(int nColumns);
  virtual CSize GetGridSize() const;
  virtual const COLORREF_TABLE_ENTRY* GetColorEntry(int nIndex) const;
  virtual COLORREF GetColorAt(int nIndex) const;
  virtual CString GetColorNameAt(int nIndex) const;
  virtual int GetNextCellIndex(int nIndex, UINT nVirtKey) const;
  virtual void RemoveAllColors();
  void LoadStandardColors();
  // The first cell of the colour, or INDEX_NONE.
  int FindColorIndex(COLORREF clr) const;
  // Posts the hot cell's or button's colour to the target: a preview, or with bFinal the choice
  // (also written through the result pointer). False when nothing was posted.
  bool NotifyColorTarget(bool bFinal);

  // Overrides of the popup menu.
  void PaintContent(CDC& dc, bool bOnScreen) override;
  // The menu's painting asks for the items where the grid and the buttons go.
  void PaintItems(CDC& dc) override;
  bool HasNoShownItems() const override { return false; }
  bool CreateMenuWindow(CWnd* pWndParent) override;
  int HitTest(const POINT& ptClient, bool* pbOnEdit = NULL, bool* pbOnDropDown = NULL) const override;
  bool HandleMouseMove(UINT nMsg, int x, int y, bool& bNoEat) override;
  bool HandleMouseClick(UINT nMsg, int x, int y, bool& bNoEat) override;
  bool HandleKeyboard(UINT nChar, UINT nRepCnt, UINT nFlags, bool& bNoEat) override;
  bool CanOpenFromItem() const override;
  int GetItemTipStyle() const override;
  CSize MeasureMenu() const override;

  // Lays the cells and buttons out; the content size.
  virtual CSize LayoutCells();
  // A cell's rectangle in client coordinates (empty for no cell); the index at a point (a cell,
  // a button code, or INDEX_NONE).
  CRect GetCellRect(int nIndex) const;
  int HitTestColor(const POINT& ptClient) const;
  // Paints the grid and the buttons.
  virtual void PaintColorMenu(CDC& dc);

  HWND m_hWndNotifyTarget = NULL;
  LPARAM m_lParamCookie = 0;
  COLORREF* m_pClrResult = NULL;
  COLORREF m_clrDefault = 0;
  COLORREF m_clrInitial = (COLORREF)-1;
  BYTE m_nButtonFlags = BUTTON_DEFAULT | BUTTON_CUSTOM;
  CString m_sBtnTextDefault;
  CString m_sBtnTextCustom;
  CRect m_rcDefaultButton;
  CRect m_rcCustomButton;
  int m_nHotIndex = INDEX_NONE;
  int m_nSelectedIndex = INDEX_NONE;
  int m_nColumns = 8;
  std::vector<std::unique_ptr<COLORREF_TABLE_ENTRY>> m_colors;
  CSize m_sizeCell{16, 16};
  CSize m_sizeCellMargin{2, 2};
  BYTE m_nColorState = 0;

protected:
  afx_msg BOOL OnQueryNewPalette();
  afx_msg void OnPaletteChanged(CWnd* pFocusWnd);
  DECLARE_MESSAGE_MAP()

private:
  // The content size (LayoutCells' answer) and, when asked, the button rectangles in client
  // coordinates (empty for a hidden button).
  CSize CalcCellsLayout(CRect* prcDefault, CRect* prcCustom) const;
  // The posted notification and "MenuCommand" of a choice; false when the hot index is no choice
  // or effects are suppressed.
  bool CommitChoice();
};
