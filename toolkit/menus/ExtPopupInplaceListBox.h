// The list boxes popup menus host: a general one that picks one item with the pointer or the
// keys, and the undo/redo list, whose selection is always a run of items from the first one.
// They talk to the owner through callbacks, or else through registered messages sent to the
// menu's command receiver; a list ends once, with OK or cancel, which closes the menu.
#pragma once

#include "framework/dlg/fw_ctrl.h"

class CExtPopupMenuWnd;
class CExtPopupUndoRedoMenuWnd;

// The period of an auto-scroll timer for a pointer d pixels beyond a scrolling edge (either side):
// 500 ms within 10 pixels, then 300, 200 and 100 ms per 10 pixels more, 50 ms from 40 pixels on.
UINT GetScrollTimerInterval(int nDistance);

class CExtPopupInplaceListBox : public CListBox {
  DECLARE_DYNAMIC(CExtPopupInplaceListBox)
public:
  enum SelectionCode : int { SEL_CHANGE = 0, SEL_OK = 1, SEL_CANCEL = 2 };
  enum : BYTE { LIST_SELECTION_ENDED = 0x01 };
  enum : UINT { ID_LIST = 1 };

  // Each callback answers true when it took the event; the registered message is sent otherwise.
  typedef bool (*PFN_SELECTION)(CExtPopupInplaceListBox& wndList, LPVOID pParam, int nCode);
  typedef bool (*PFN_INIT)(CExtPopupInplaceListBox& wndList, LPVOID pParam);
  typedef bool (*PFN_DRAW_ITEM)(CExtPopupInplaceListBox& wndList, LPVOID pParam, LPDRAWITEMSTRUCT pDrawItem);
  typedef bool (*PFN_MEASURE_ITEM)(CExtPopupInplaceListBox& wndList, LPVOID pParam,
                                   LPMEASUREITEMSTRUCT pMeasureItem);

  // The records of the registered messages (wParam their address, lParam the cookie); the init
  // message carries the list itself.
  struct ItemMeasureData_t {
    CExtPopupInplaceListBox* m_pListBox;
    LPMEASUREITEMSTRUCT m_pMeasureItem;
  };
  struct ItemDrawData_t {
    CExtPopupInplaceListBox* m_pListBox;
    LPDRAWITEMSTRUCT m_pDrawItem;
  };
  struct SelectionData_t {
    CExtPopupInplaceListBox* m_pListBox;
    int m_nCurSel;
  };

  static const UINT& g_nMsgPopupListBoxInitContent;
  static const UINT& g_nMsgPopupListBoxItemMeasure;
  static const UINT& g_nMsgPopupListBoxItemDraw;
  static const UINT& g_nMsgPopupListBoxSelEndOK;
  static const UINT& g_nMsgPopupListBoxSelEndCancel;
  static const UINT& g_nMsgPopupListBoxSelChange;

  CExtPopupInplaceListBox();
  ~CExtPopupInplaceListBox() override;

  // The selection ends once: the callback is asked first, else the receiver is told and the menu
  // closes. A list that goes without a choice only asks the callback.
  virtual void OnSelEndOK();
  virtual void OnSelEndCancel(bool bDestroying);
  virtual void OnSelChange();

  void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;
  void MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct) override;
  // The popup menu the list lies in; NULL when its parent is none.
  CExtPopupMenuWnd* GetMenu() const;

  PFN_SELECTION m_pfnSelection = NULL;
  LPVOID m_pSelectionParam = NULL;
  PFN_INIT m_pfnInit = NULL;
  LPVOID m_pInitParam = NULL;
  PFN_DRAW_ITEM m_pfnDrawItem = NULL;
  PFN_MEASURE_ITEM m_pfnMeasureItem = NULL;
  LPVOID m_pItemParam = NULL; // of the draw and measure callbacks
  LPARAM m_lParamCookie = 0;
  BYTE m_nListState = 0;
  // Set for the lists the menus make: the object goes with its window.
  bool m_bAutoDelete = false;

protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  void PostNcDestroy() override;
  // A key the menu hands over (no Alt, Ctrl or Shift); true when the list used it.
  virtual bool OnListKey(UINT nVirtKey, UINT nRepCnt, UINT nFlags);
  // The pointer moved over the list or, holding the capture, beyond it.
  virtual void OnPointerMove(const CPoint& ptClient);
  LRESULT SendToReceiver(UINT nMessage, WPARAM wParam);
  // The item nearest the point, -1 for an empty list.
  int ItemNearest(const CPoint& ptClient) const;
  int GetVisibleCount() const;

private:
  LRESULT OnInputRetranslate(WPARAM wParam);
  void EndSelection(UINT nMessage);
};

class CExtPopupUndoRedoListBox : public CExtPopupInplaceListBox {
  DECLARE_DYNAMIC(CExtPopupUndoRedoListBox)
public:
  enum : UINT { ID_TIMER_SCROLL_UP = 2, ID_TIMER_SCROLL_DOWN = 3 };
  enum : BYTE { TIMER_UP_RUNS = 0x01, TIMER_DOWN_RUNS = 0x02 };

  // Selects items 0 to nLast (clamped to the items) and nothing else, then notifies the change.
  void SelectUpTo(int nLast);
  int GetLastSelected() const { return m_nLastSelected; }
  void OnSelChange() override;

  BYTE m_nTimerState = 0;
  UINT m_nPeriodUp = 0, m_nPeriodDown = 0; // of the running timers

protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  bool OnListKey(UINT nVirtKey, UINT nRepCnt, UINT nFlags) override;
  void OnPointerMove(const CPoint& ptClient) override;

private:
  CExtPopupUndoRedoMenuWnd* GetUndoMenu() const;
  void RunScrollTimer(UINT nTimerId, int nDistance);
  void KillScrollTimers();
  void OnScrollTimer(UINT nTimerId);
  void Paint();
  void EnsureVisible(int nIndex);

  int m_nLastSelected = -1; // the end of the selected run
};
