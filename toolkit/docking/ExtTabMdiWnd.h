// The tabs over the children of an MDI frame: one item per MDI child, kept in step with the MDI
// client by watching its messages through a hook sink. Selecting a tab activates its child, the
// close and help buttons act on the active child, the strip hides itself while there is no child,
// and it draws a border around the MDI client. Items carry the child's window handle as lParam;
// their text and icon are asked of the child each time (the icon copied only when it changed).
#pragma once

#include "framework/core/fw_core.h"
#include "framework/core/fw_string.h"
#include "framework/frame/fw_frame.h"
#include "framework/wnd/fw_wnd.h"
#include "toolkit/docking/ExtTabWnd.h"
#include "toolkit/foundation/ExtCmdIcon.h"
#include "toolkit/foundation/ExtHookSink.h"

#include <map>
#include <memory>

template <class TBase> class CExtTMWI : public TBase, public CExtHookSink {
public:
  enum { TIMER_MDI_SYNC = 3 };
  enum : BYTE { SYNC_RUNNING = 0x01 };
  // The strip's and the MDI client's border on the sides that do not face each other.
  enum { MDI_BORDER = 2 };

  CExtTMWI();
  ~CExtTMWI() override;

  BOOL Create(CWnd* pParentWnd, const RECT& rc, UINT nID, DWORD dwWindowStyle, DWORD dwTabStyle,
              CCreateContext* pContext = NULL) override;

  virtual HWND GetMdiFrameWnd() const;
  // The parent's MDI client: the MDI frame's own, else the parent's first child of class
  // "mdiclient"; NULL when none.
  virtual HWND GetMdiClientWnd() const;
  // Brings the items in step with the MDI client's children (what timer 3 runs).
  virtual void SyncMdiChildren();
  virtual void UpdateVisibility();
  virtual int ItemFindChild(HWND hWndChild, int nStartAfter = -1, bool bVisible = false,
                            bool bHidden = false) const {
    return this->ItemFindByLParam(reinterpret_cast<LPARAM>(hWndChild), nStartAfter, bVisible, bHidden);
  }
  virtual void OnMdiClientNcCalcSize(RECT& /*rcClient*/) {}
  virtual void OnMdiClientNcPaint(CDC& /*dc*/, const RECT& /*rcInner*/) {}

  bool IsSyncing() const { return (m_bSyncFlags & SYNC_RUNNING) != 0; }

  void OnTabWndSyncVisibility() override;
  bool PressStart(int nButton, int nHitCode) override { return TBase::PressStart(nButton, nHitCode); }
  bool StartHover(int nHitCode) override { return TBase::StartHover(nHitCode); }
  bool OnButtonClick(int nHitCode, bool bDown, int nButton, UINT nFlags) override;
  bool OnItemClick(int nIndex, bool bDown, int nButton, UINT nFlags) override;
  bool OnTabWndSelectionChange(int nOldIndex, int nNewIndex, bool bPreSelectionTest) override;
  CExtCmdIcon* OnTabWndQueryItemIcon(const typename TBase::TAB_ITEM_INFO* pItem) override;
  LPCSTR OnTabWndQueryItemText(const typename TBase::TAB_ITEM_INFO* pItem) override;
  void OnTabWndItemInsert(int nIndex, typename TBase::TAB_ITEM_INFO* pItem) override;
  void OnTabWndRemoveItem(int nFirst, int nCount, bool bPreRemove) override;
  void OnTabWndRemoveAllItems(bool bPreRemove) override;

  bool OnWindowMessage(LRESULT& lResult, HWND hWndHooked, UINT nMessage, WPARAM& wParam,
                       LPARAM& lParam) override;

  // Extra non-client margins of the MDI client, added to its border.
  CRect m_rcClientMargins1 = CRect(0, 0, 0, 0);
  CRect m_rcClientMargins2 = CRect(0, 0, 0, 0);

protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

  // The child window an item stands for, NULL when it is gone.
  static HWND ChildOf(const typename TBase::TAB_ITEM_INFO* pItem);
  HWND ActiveChild() const;
  // The side of the MDI client facing the visible strip: an orientation, or -1 when hidden.
  int SideFacingStrip() const;
  void PostSync();
  // Runs an item change of the strip's own, so that its notifications do nothing.
  template <class F> void WhileSyncing(F f) {
    const BYTE bOld = m_bSyncFlags;
    m_bSyncFlags |= SYNC_RUNNING;
    f();
    m_bSyncFlags = bOld;
  }
  void SendClientFrameChange(UINT nExtraFlags);
  void ShowContextMenu(CPoint ptScreen);
  void CalcClientNcSize(RECT& rc);
  void PaintClientNcArea(HWND hWndClient);
  LRESULT OnOwnNcCalcSize(WPARAM wParam, LPARAM lParam);
  void PaintOwnNcArea();
  bool IsOwnChange() const { return IsSyncing() || this->IsItemDragging(); }

  // Drops the icon copies of children that no longer have an item.
  void ForgetStaleChildIcons();

  // Each child's 16 by 16 icon copy with the handle it was made from: copying is costly and the
  // strip asks for icons on every layout and paint, so a copy is made again only when the child
  // answers another handle.
  struct ChildIcon {
    HICON hSource = NULL;
    CExtCmdIcon icon;
  };
  std::map<HWND, std::unique_ptr<ChildIcon>> m_childIcons;
  BYTE m_bSyncFlags = 0;
};

extern template class CExtTMWI<CExtTabWnd>;

class CExtTabMdiWnd : public CExtTMWI<CExtTabWnd> {
  DECLARE_DYNCREATE(CExtTabMdiWnd)
public:
  CExtTabMdiWnd() = default;
  ~CExtTabMdiWnd() override;
};
