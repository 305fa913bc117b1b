// The menu bar: a dockable tool bar whose buttons are the top-level items of a menu. It takes the
// native menu away from its frame, follows the MDI client's menu switches, shows the maximised
// child's document and caption buttons, and gives the frame keyboard access to the menu. As a hook
// sink it sees the messages of the frame, its top-level ancestor, the MDI client and the active MDI
// child. Split by concern: ExtMenuControlBar.cpp (creation, rebuild, MDI buttons, deferred work),
// ExtMenuControlBarHooks.cpp (the hooked windows' messages), ExtMenuControlBarKeyboard.cpp (the
// keyboard translation, keyboard-selection mode) and ExtMenuControlBarSysMenu.cpp (system menus and
// button-menu requests).
#pragma once

#include "framework/wnd/fw_wnd.h"
#include "toolkit/bars/ExtToolControlBar.h"
#include "toolkit/foundation/ExtHookSink.h"

class CExtBarMdiDocButton;
class CExtBarMdiRightButton;
struct MdiRightButtonsInfo;

class CExtMenuControlBar : public CExtToolControlBar, public CExtHookSink {
  DECLARE_DYNCREATE(CExtMenuControlBar)
public:
  // m_nMenuBarFlags.
  enum MenuBarFlags : BYTE {
    MBF_MDI_MODE = 0x01,
    MBF_NO_CHEVRON = 0x02,
    MBF_REHOOK_ARMED = 0x04,  // timer 13 posted
    MBF_REBUILD_ARMED = 0x08, // timer 14 posted
    MBF_SELECT_FIRST_BY_KEYBOARD = 0x10,
    MBF_FRAME_SYSMENU = 0x20,
    MBF_CHILD_SYSMENU = 0x40,
    MBF_DOC_BUTTON_DBLCLK_CLOSES = 0x80
  };
  // m_nKeyboardFlags.
  enum KeyboardFlags : BYTE { KF_SELECTION_MODE = 0x01, KF_SYSMENU_SHOWN = 0x02 };
  // Timers: deferred re-hook and rebuild (posted WM_TIMER), and the MDI client's second look.
  enum : UINT { TIMER_REHOOK = 13, TIMER_REBUILD = 14, TIMER_FIND_MDI_CLIENT = 15 };

  CExtMenuControlBar();
  ~CExtMenuControlBar() override;

  static const UINT& g_nMsgPrepareSystemMenu;
  // The next release of Alt is not to select the first button.
  static bool g_bKeyboardAltIgnore;

  // --- own virtuals, in order -------------------------------------------------------------------
  virtual bool GetMdiRightButtonsInfo(CExtBarMdiRightButton* pButton, MdiRightButtonsInfo& info, bool bHorz);
  virtual void UpdateKeyboardHighlight(bool bRedraw);
  virtual bool IsMdiMode() const { return (m_nMenuBarFlags & MBF_MDI_MODE) != 0; }
  virtual bool RebuildMenuButtons(bool bRecalc = true);
  virtual HMENU GetMenuInUse() const;
  virtual HWND GetActiveMdiChildWnd(bool& bMaximized) const;
  virtual bool SyncMdiButtons(bool bRecalc);
  virtual void RehookActiveMdiChild();
  virtual bool TrackWindowSystemMenu(CWnd* pWnd, const POINT* pPoint, bool bSelectFirst,
                                     const RECT* prcExclude = NULL, DWORD dwTrackFlags = (DWORD)-1,
                                     bool bCombined = false);
  virtual bool HookMdiClient(HWND hWndMdiClient);
  virtual void PostDeferredRehook();
  virtual void PostDeferredRebuild();
  virtual void SetMdiWindowPopupName(LPCSTR lpszName);
  virtual bool LoadMenuBar(UINT nResourceID);
  virtual bool TranslateFrameKeyboard(MSG* pMsg);
  virtual bool TrackFrameSystemMenu(const POINT* pPoint, bool bSelectFirst);
  virtual bool TrackMdiChildSystemMenu(const POINT* pPoint, bool bSelectFirst);
  virtual void DetachFrameMenu();
  virtual bool IsMdiButtonsEnabled() const { return true; }

  // Posts the track request for a button (replaces the tool bar's button-menu tracking).
  bool PostTrackButtonMenu(int nIndex, bool bSelectFirst, bool bDelayed, bool bFromKeyboard);
  HWND FindMdiClient() const;
  HWND GetHookedWindow() const { return m_hWndHooked; }
  bool IsKeyboardSelectionMode() const { return (m_nKeyboardFlags & KF_SELECTION_MODE) != 0; }
  int GetFlatTrackingIndex() const { return m_nFlatTrackingIndex; }
  const CString& GetMdiWindowPopupName() const { return m_strMdiWindowPopupName; }
  // The right button and the document button while they are shown, else NULL.
  CExtBarMdiRightButton* FindMdiRightButton() const;
  CExtBarMdiDocButton* FindMdiDocButton() const;
  // Trimmed, with every "&" removed (the window-list menu's name and the items compared with it).
  static CString CleanMenuName(LPCSTR lpszName);
  UINT GetMdiButtonsCmdId() const { return m_nMdiButtonsCmdId; }

  // --- overrides --------------------------------------------------------------------------------
  void PreSubclassWindow() override;
  BOOL PreTranslateMessage(MSG* pMsg) override;
  bool IsFullRowBar() const override { return true; }
  void RecalcParentFrameLayout() override;
  void OnDraggingStarted() override;
  void OnDraggingFinished(InternalDraggingState_t* pCurrent, InternalDraggingState_t* pNew,
                          bool bApplied) override;
  bool ProcessMouseMove(UINT nFlags, CPoint ptClient) override;
  CExtBarContentExpandButton* CreateContentExpandButton() override;
  bool TrackButtonMenu(int nIndex, bool bSelectAny = false, bool bDelayed = false,
                       bool bForceNoAnimation = false) override;
  bool IsLayoutRightToLeft() const override;
  bool IsInsertRightToLeft() const override;
  void RecalcButtonPositions() override;
  CSize GetDefButtonSize() const override { return CSize(23, 20); }
  bool IsSuspendedDockedLayout() const override;
  bool IsMenuBar() const override { return true; }
  BarKind GetBarKind() const override { return BAR_MENU; }
  // CExtHookSink: the hooked windows' messages.
  bool OnWindowMessage(LRESULT& lResult, HWND hWndHooked, UINT nMessage, WPARAM& wParam,
                       LPARAM& lParam) override;
  virtual bool HandleHookedFrameMessage(LRESULT& lResult, HWND hWndHooked, UINT nMessage, WPARAM wParam,
                                        LPARAM lParam);

  // --- fields -----------------------------------------------------------------------------------
  UINT m_nMdiButtonsCmdId;
  HWND m_hWndHooked;
  CString m_strMdiWindowPopupName;
  BYTE m_nKeyboardFlags;
  int m_nFlatTrackingIndex;
  int m_nOldTrackingIndex;
  CMenu m_menuFrame;
  CMenu m_menuDoc;
  BYTE m_nMenuBarFlags;
  // The frame's menu was loaded by the bar (LoadMenuBar), so the bar destroys it.
  bool m_bFrameMenuLoaded;

protected:
  // Lets go of both menus; only a menu the bar loaded itself is destroyed.
  void ReleaseMenus();
  LPCSTR GetBarProfileName() const;
  // One button for one top-level item of the menu; false when the item cannot be read or inserted.
  bool InsertMenuItemButton(HMENU hMenu, int nItem, LPCSTR lpszProfile);
  // Creation in a frame: takes its menu and hooks the frame, its top-level ancestor and the MDI
  // client (or looks for the client again by timer 15).
  void AttachToFrame(CFrameWnd* pFrame);
  // Creation without a frame (dialog mode): hooks the parent.
  void AttachToParent();

  afx_msg int OnCreate(LPCREATESTRUCT lpcs);
  afx_msg void OnDestroy();
  afx_msg void OnTimer(UINT nIDEvent);
  afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
  afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
  afx_msg LRESULT OnTrackButtonMenu(WPARAM wParam, LPARAM lParam);
  DECLARE_MESSAGE_MAP()
};
