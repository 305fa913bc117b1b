// The tab strip of a tab container (CExtDynTabControlBar): one tab per bar held in the
// container, text and icon taken from the bar, placeholder tabs while a bar is dragged over the
// container or out of it, Ctrl+Page Up / Page Down to step through the tabs, a double click that
// floats a tab's bar, a press moved away that drags it, and the bars menu on a right click.
#pragma once

#include "framework/app/fw_ole.h"
#include "framework/core/fw_geom.h"
#include "framework/wnd/fw_wnd.h"
#include "toolkit/docking/ExtTabWnd.h"

class CExtControlBar;
class CExtDynTabControlBar;

class CExtDynTabWnd : public CExtTabWnd {
  DECLARE_DYNCREATE(CExtDynTabWnd)
public:
  // Item style bits of the container's tabs, beside the tab window's own.
  enum DynItemStyle : DWORD {
    TIS_DRAG_PLACEHOLDER = 0x10, // stands for a bar being dragged; never a live tab
    TIS_NO_CMD_ICON = 0x40       // the command profile had no icon for the bar
  };
  // Options, on from start-up.
  static bool g_bCtrlPageSwitching;
  static bool g_bAcceptOleDrags; // the strip registers a drop target for hover activation

  // Drags of any OLE data over the strip select the hovered tab (at once or after the bar's
  // hover delay); nothing is ever dropped on it.
  class CDynDropTarget : public COleDropTarget {
  public:
    explicit CDynDropTarget(CExtDynTabWnd* pStrip) : m_pStrip(pStrip) {}
    DROPEFFECT OnDragEnter(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point) override;
    DROPEFFECT OnDragOver(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point) override;

  private:
    CExtDynTabWnd* m_pStrip;
  };
  // How far a pressed tab must move before its bar is dragged.
  static const int kDragStartDistance = 5;

  CExtDynTabWnd() = default;

  // Adds a tab for the bar at the index (outside 0..count-1 appends) unless it has one already.
  void InsertBar(CExtControlBar* pBar, int nIndex, bool bPlaceholder, bool bUpdate);
  // The item's bar; NULL for a placeholder when asked to skip them, and for a bar whose window
  // is gone.
  CExtControlBar* GetBarAt(int nIndex, bool bSkipPlaceholders) const;
  // The first item of the bar, placeholders included when asked; -1 when none.
  int FindBarItem(const CExtControlBar* pBar, bool bPlaceholdersToo = false) const;
  void RemovePlaceholders(bool bUpdate);
  bool HasPlaceholders() const;
  bool IsLiveItem(int nIndex) const;
  // Ctrl+Page Up / Page Down: selects the next visible live tab whose bar shows, wrapping at
  // both ends and looking at each other tab at most once; false when none qualifies.
  bool StepSelection(bool bForward);
  // A press on a live tab moved far enough: the tab stands as a placeholder while its bar is
  // dragged. False when no drag could start.
  virtual bool OnTabWndStartDrag(int nIndex);
  CExtDynTabControlBar* GetContainer() const;

  BOOL PreTranslateMessage(MSG* pMsg) override;
  bool PressStart(int /*nButton*/, int /*nHitCode*/) override { return false; }
  bool OnItemClick(int nIndex, bool bDown, int nButton, UINT nFlags) override;
  void OnMouseMove(UINT nFlags, int x, int y) override;
  bool OnTabWndSelectionChange(int nOldIndex, int nNewIndex, bool bPreSelectionTest) override;
  CExtCmdIcon* OnTabWndQueryItemIcon(const TAB_ITEM_INFO* pItem) override;
  LPCSTR OnTabWndQueryItemText(const TAB_ITEM_INFO* pItem) override;
  void OnTabWndDrawItem(CDC& dc, const RECT& rcItemsArea, TAB_ITEM_INFO* pItem, const RECT& rcItem,
                        LPCSTR sText, CExtCmdIcon* pIcon, CFont* pFont, bool bSelected, bool bInGroupActive,
                        int nOrientation, bool bGroupedMode) override;
  TabWndKind GetTabWndKind() const override { return TAB_DYNAMIC; }

  CDynDropTarget& GetDropTarget() { return m_dropTarget; }

protected:
  CDynDropTarget m_dropTarget{this};
  // The live tab pressed with the left button and where, until the button goes up.
  int m_nDragCandidate = -1;
  CPoint m_ptDragCandidate = CPoint(0, 0);

  void ShowContextMenu(CPoint ptScreen);

  afx_msg LRESULT OnLButtonDblClkMsg(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnDefaultMsg(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnContextMenuMsg(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnCreateMsg(WPARAM wParam, LPARAM lParam);
  DECLARE_MESSAGE_MAP()
};
