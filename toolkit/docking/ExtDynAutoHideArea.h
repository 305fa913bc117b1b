// The strip of auto-hidden bars along one side of a frame: each bar is a tab, and selecting a tab
// slides the bar out of that side in the frame's CExtDynAutoHideSlider (ExtDynAutoHideSlider.h).
// No frame of the program makes one; a frame that wants them creates one per side with Create.
#pragma once

#include "framework/app/fw_ole.h"
#include "framework/core/fw_geom.h"
#include "framework/frame/fw_frame.h"
#include "framework/wnd/fw_wnd.h"
#include "toolkit/docking/ExtTabWnd.h"

class CExtControlBar;
class CExtDockBar;
class CExtDynAutoHideSlider;

class CExtDynAutoHideArea : public CExtTabWnd {
  DECLARE_DYNCREATE(CExtDynAutoHideArea)
public:
  // Item styles of the area's tabs.
  enum AreaItemStyle : DWORD { AIS_NO_ICON = 0x40 };
  // m_bInsertFlags: both bits together while bars are inserted, so no tab slides out.
  enum InsertFlags : BYTE { INSERTING = 0x03 };
  // m_bSelectFlags.
  enum SelectFlags : BYTE { SELECT_BY_KEYBOARD = 0x01 };

  // Option, on from start-up: the area registers a drop target for hover activation.
  static bool g_bAcceptOleDrags;

  // Drags of any OLE data over the area select the hovered tab at once; nothing is ever
  // dropped on it.
  class CDynDropTarget : public COleDropTarget {
  public:
    explicit CDynDropTarget(CExtDynAutoHideArea* pArea) : m_pArea(pArea) {}
    DROPEFFECT OnDragOver(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point) override;

  private:
    CExtDynAutoHideArea* m_pArea;
  };

  CExtDynAutoHideArea();
  ~CExtDynAutoHideArea() override;

  // Creates the strip of the side (59419 top, 59420 left, 59421 right, 59422 bottom) as a
  // visible child of the frame with the side's id and hands it to the frame's dock bars of that
  // side; false when the id is no side or the window cannot be made.
  virtual bool Create(CFrameWnd* pFrame, CExtDynAutoHideSlider* pSlider, UINT nDockBarId);

  // Appends the bar as a tab group of its own and marks it auto-hidden; unless bNoSlide, the
  // frame lays out and the bar slides out.
  void AppendBar(CExtControlBar* pBar, bool bNoSlide = false);
  // Takes the bar's tab away and gives the bar back to the frame; with bDelay the frame only
  // owes a layout.
  void RemoveBar(CExtControlBar* pBar, bool bDelay = false);
  // The area of the bar's frame whose tab carries the bar and the tab's index; NULL and -1 when
  // no area holds it.
  static CExtDynAutoHideArea* FindBarArea(CExtControlBar* pBar, int* pIndex = NULL);
  // Shows the bar's present text on its tab and in the slider's caption.
  void RefreshBarText(CExtControlBar* pBar);
  // The areas among the frame's children (a floating frame's parent frame stands for it).
  static void GetFrameAreas(CWnd* pWnd, CExtDynAutoHideArea** ppTop, CExtDynAutoHideArea** ppBottom,
                            CExtDynAutoHideArea** ppLeft, CExtDynAutoHideArea** ppRight);
  // Puts the frame's areas behind the outer dock bars across them, so that the frame lays them
  // out after those.
  static void AdjustFrameZOrder(CFrameWnd* pFrame);

  CExtDynAutoHideSlider* GetSlider() const { return m_pWndSlider; }
  // The slider going away clears itself here.
  void SetSlider(CExtDynAutoHideSlider* pSlider) { m_pWndSlider = pSlider; }
  CFrameWnd* GetFrame() const;
  UINT GetSideId() const { return static_cast<UINT>(GetDlgCtrlID()); }
  // The bar a tab carries.
  CExtControlBar* BarOfItem(int nIndex) const;
  // The outer dock bar of the frame whose edge the strip extends (left and right swap in a
  // right-to-left frame); NULL when the frame has none.
  CExtDockBar* GetOuterDockBar() const;
  bool IsInserting() const { return (m_bInsertFlags & INSERTING) != 0; }
  // Selects a tab as the keyboard does: the bar shows at once, without sliding.
  int SelectItemByKeyboard(int nIndex);
  // Ctrl+Page Up/Down over the tabs of hidden bars; the focus goes to the bar that slides out.
  // True when the key was taken.
  bool HandleCtrlPageKey(const MSG* pMsg);
  CDynDropTarget& GetDropTarget() { return m_dropTarget; }

  // --- the tab strip --------------------------------------------------------------------------
  TabWndKind GetTabWndKind() const override { return TAB_AUTO_HIDE_STRIP; }
  bool OnTabWndSelectionChange(int nOldIndex, int nNewIndex, bool bPreSelectionTest) override;
  void OnTabWndSyncVisibility() override;
  void OnTabWndQueryLayoutRect(RECT& rc) const override;

protected:
  void PostNcDestroy() override;

  afx_msg LRESULT OnSizeParent(WPARAM wParam, LPARAM lParam);
  afx_msg void OnSize(UINT nType, int cx, int cy);
  afx_msg void OnWindowPosChanged(WINDOWPOS* lpwndpos);
  afx_msg void OnDestroy();
  DECLARE_MESSAGE_MAP()

  // Hides the slider when the strip moved or changed size while a bar was out.
  void CancelSliderOnMove();

  CDynDropTarget m_dropTarget{this};
  CExtDynAutoHideSlider* m_pWndSlider = NULL;
  BYTE m_bInsertFlags = 0;
  CRect m_rcLastWindow = CRect(0, 0, 0, 0);
  BYTE m_bSelectFlags = 0;
};
