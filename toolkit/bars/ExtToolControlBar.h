// The toolkit's tool bar: a docking control bar owning an ordered array of bar buttons, built from
// a tool-bar resource through the command manager, laid out in rows (docked bars keep one row and
// hide what does not fit behind the chevron), painted through the theme, and turning mouse input
// into hover, press, click and drop-down menu tracking. One bar-button menu is open at a time in
// the whole process (g_bMenuTracking). The class is split by concern: ExtToolControlBar.cpp (data,
// buttons, tracked button, window procedure), ExtToolControlBarMouse.cpp (hit test, mouse, tips),
// ExtToolControlBarMenu.cpp (button menus, the popup callback, mnemonics, the help pick loop,
// command update), ExtToolControlBarLayout.cpp (sizing and wrapping), ExtToolControlBarPlace.cpp
// (placing the buttons, the chevron's overflow, background segments) and ExtToolControlBarPaint.cpp.
#pragma once

#include "framework/core/fw_coll.h"
#include "toolkit/bars/ExtBarButton.h"
#include "toolkit/docking/ExtControlBar.h"
#include "toolkit/theme/ExtPaintManagerRecordsBars.h"

#include <vector>

class CExtBarContentExpandButton;
class CExtMiniDockFrameWnd;

class CExtToolControlBar : public CExtControlBar, public CExtBarFaceSegmentsSite {
  DECLARE_DYNAMIC(CExtToolControlBar)
public:
  // Bar flags (m_nToolBarFlags).
  enum ToolBarFlags : BYTE {
    TBF_CHEVRON_MENU = 0x01,        // set at construction: the chevron lists the bars too
    TBF_PANEL = 0x02,               // no chevron, buttons never rotate, not counted in row extents
    TBF_THEMED_OUTSIDE_DOCK = 0x04, // the theme's bar background also outside a frame's docking
    TBF_XP_GRIPPER = 0x08,          // read by a theme; never set in this program
    TBF_UPDATING_CMD_UI = 0x10      // the command update runs: changed buttons repaint once at its end
  };
  // Layout flags (m_nLayoutFlags).
  enum LayoutFlags : BYTE {
    TLF_FULL_ROW = 0x01,   // the dock row gives the bar a row of its own
    TLF_SECOND_PASS = 0x02 // the re-layout that makes room for the chevron is running
  };
  // Layout modes: which wrap bit of a button counts.
  enum LayoutMode { MODE_DOCKED_HORZ = 0, MODE_DOCKED_VERT = 1, MODE_FLOATING = 2 };

  // The command-update object of one button: its "other" object is the bar, its index the
  // button's index.
  class CExtToolControlBarCmdUI : public CCmdUI {
  public:
    void Enable(BOOL bOn = TRUE) override;
    void SetCheck(int nCheck = 1) override;
    void SetRadio(BOOL bOn = TRUE) override;
    void SetText(LPCSTR lpszText) override;

  private:
    void ApplyCheck(int nCheck, bool bFromRadio);
  };

  // The rectangles behind the controls hosted in a tool bar, for themes that paint the bar's
  // gradient there.
  class ToolBarBackgroundSegments {
  public:
    ToolBarBackgroundSegments();
    ~ToolBarBackgroundSegments();
    // Finds the hosting tool bar above the child and records its button rows.
    bool FromChildWindow(CWnd* pChild);
    void ScreenToClientRects(CWnd* pTarget);
    void OffsetRectsToWindow(CWnd* pTarget);
    void Paint(CDC& dc);

    std::vector<RECT> m_arrRects;
    std::vector<LPARAM> m_arrKinds;
    CExtToolControlBar* m_pBar;
    CExtMiniDockFrameWnd* m_pMiniFrame;
  };

  CExtToolControlBar();
  ~CExtToolControlBar() override;

  // --- class-wide -------------------------------------------------------------------------------
  // True while a tool-bar or menu-bar button's menu is tracked.
  static bool g_bMenuTracking;
  // Set once the user expanded a popup to all its items; button menus then open expanded.
  static bool g_bMenuExpanded;
  static const UINT& g_nMsgTrackButtonMenu;
  static const UINT& g_nMsgContinueTrackMenu;
  // Clears g_bMenuTracking, resets every bar's tracked button and cancels an open popup.
  static void EndMenuTrackingInAllBars();
  // The popup callback passed with every button menu (CExtPopupMenuWnd's combined-area painter):
  // paints the tracked button of the bar (pCookie) onto the popup where the two overlap.
  static void PaintTrackedButtonOnPopup(LPVOID pCookie, CDC& dc, const CWnd& wndMenu, const RECT& rcArea,
                                        int nCombineSide);

  // --- buttons ----------------------------------------------------------------------------------
  int GetButtonCount() const;
  CExtBarButton* GetButton(int nIndex) const;
  int GetButtonIndex(const CExtBarButton* pButton) const;
  int CommandToIndex(UINT nCmdID) const;
  UINT GetButtonID(int nIndex) const;
  bool SetButtons(const UINT* lpIDArray = NULL, int nIDCount = 0);
  bool LoadToolBar(UINT nResourceID, COLORREF clrTransparent = RGB(192, 192, 192));
  bool InsertButton(int nPos = -1, UINT nCmdID = 0, bool bRecalc = true);
  // Inserts a button made by the caller (the bar takes it over); false leaves it to the caller.
  bool InsertSpecButton(int nPos, CExtBarButton* pButton, bool bRecalc = true);
  bool RemoveButton(int nPos, bool bRecalc = true);
  void RemoveAllButtons();
  void SetButtonStyle(int nIndex, UINT nStyle);
  UINT GetButtonStyle(int nIndex) const;
  bool SetButtonMenu(int nIndex, HMENU hMenu, bool bPopupMenu = true, bool bAutoDestroy = true,
                     bool bRecalc = true);
  bool SetButtonAppendMdiWindowsMenu(int nIndex, bool bAppend = true);
  // Hosts a window in the button (the button measures as the window).
  bool SetButtonCtrl(int nIndex, CWnd* pCtrl, bool bNoDelete = false);
  void InvalidateButton(int nIndex);
  void UpdateButtonCmdUI(int nIndex);
  void SetTrackedButton(int nIndex);
  int GetTrackedButton() const { return m_nBtnIdxMenuTracking; }
  int GetPressedButton() const { return m_nBtnIdxCapture; }
  int GetHoverButton() const { return m_nBtnIdxHover; }
  int FindButtonByMnemonic(TCHAR chr) const;
  int FindNextVisibleButton(int nIndex, bool bForward) const;
  int PickHelpCommand();
  CExtBarContentExpandButton* GetChevron() const { return m_pRightBtn; }
  bool IsPanelBar() const { return (m_nToolBarFlags & TBF_PANEL) != 0; }
  bool IsBarHorizontal() const { return (m_dwStyle & (CBRS_ALIGN_TOP | CBRS_ALIGN_BOTTOM)) != 0; }
  // 0 docked horizontally, 1 docked vertically, 2 floating or in dialog mode.
  int GetLayoutMode() const;
  int HitTestButton(CPoint point, UINT nRequiredStyle = 0, UINT nExcludedStyle = 0,
                    bool bNearest = false) const;

  // --- own virtuals -----------------------------------------------------------------------------
  virtual CRect GetButtonRect(int nIndex) const;
  virtual bool IsLargeIcons() const;
  virtual bool IsDisplayTips() const;
  virtual bool IsDisplayShortcutKeysInTips() const;
  virtual CExtBarButton* CreateButtonObject(UINT nCmdID, UINT nStyle);
  virtual CExtBarContentExpandButton* CreateContentExpandButton();
  virtual LPARAM GetButtonPaintParam(CDC& dc, CExtBarButton* pButton);
  virtual bool TrackButtonMenu(int nIndex, bool bSelectAny = false, bool bDelayed = false,
                               bool bForceNoAnimation = false);
  virtual bool IsLayoutRightToLeft() const;
  virtual bool IsInsertRightToLeft() const;
  virtual void RecalcButtonPositions();
  virtual CSize CalcLayout(DWORD dwMode, int nLength = -1);
  virtual CSize CalcSize(bool bVert);
  virtual void SizeToolBar(int nLength, bool bVert = false);
  virtual void WrapToolBarVertically(int nHeight);
  virtual int WrapToolBar(int nWidth, int nHeight = 32767);
  virtual CSize GetDefButtonSize() const;
  virtual bool QueryChevronMenuOption() const;
  virtual bool IsSuspendedDockedLayout() const;
  virtual CFont* GetBarFont(bool bVert) const;
  virtual int HitTestButtonNoSeparators(CPoint point) const;
  // The bar is the program's menu bar (buttons with menus are then not drop-down buttons).
  virtual bool IsMenuBar() const { return false; }

  // --- overrides of the control bar and the framework -------------------------------------------
  INT_PTR OnToolHitTest(CPoint point, TOOLINFO* pTI) const override;
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
  CSize CalcDynamicLayout(int nLength, DWORD dwMode) override;
  void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;
  void DoPaint(CDC* pDC) override;
  DWORD RecalcDelayShow(AFX_SIZEPARENTPARAMS* lpLayout) override;
  void CalcInsideRect(CRect& rect, BOOL bHorz) const override;
  bool IsFullRowBar() const override { return (m_nLayoutFlags & TLF_FULL_ROW) != 0; }
  CSize CalcMinSize() const override;
  OuterDockPosition* GetOuterDockPosition() override { return &m_OuterDockPosition; }
  void SetOuterDockPosition(const OuterDockPosition& pos) override;
  bool IsIncludedInRowExtent() const override { return !IsPanelBar(); }
  void RecalcParentFrameLayout() override;
  bool IsShowContentWhileDragging() const override { return true; }
  void OnDraggingStep(CPoint ptScreen, bool bForceFloat) override;
  void UpdateCursor(CPoint ptClient) override;
  bool IsUserResizable() const override { return false; }
  bool IsTabbedDockingAllowed(bool bIgnored = false) const override;
  void ToggleDocking() override;
  int HitTestItem(CPoint ptClient) const override;
  bool ProcessMouseMove(UINT nFlags, CPoint ptClient) override;
  BarKind GetBarKind() const override { return IsPanelBar() ? BAR_PANEL : BAR_TOOL; }
  // CExtBarFaceSegmentsSite: the button rows recorded by the last placement.
  void GetFaceSegments(std::vector<RECT>& segments) const override;

  // --- fields -----------------------------------------------------------------------------------
  CExtBarContentExpandButton* m_pRightBtn; // the chevron: the last button when present
  CArray<CExtBarButton*, CExtBarButton*> m_buttons;
  BYTE m_nToolBarFlags;
  OuterDockPosition m_OuterDockPosition;
  BYTE m_nLayoutFlags;
  int m_nBtnIdxMenuTracking;
  int m_nBtnIdxCapture;
  int m_nBtnIdxHover;
  // Where the last mouse move over the bar put the pointer, in screen coordinates.
  CPoint m_ptLastPointer;
  // The button rows of the last placement, in client coordinates (background painting).
  std::vector<RECT> m_arrRowRects;

  // Class-wide options, constant in this program.
  static bool g_bLargeIcons;
  static bool g_bDisplayTips;
  static bool g_bShowShortcutsInTips;

protected:
  // Hover update after a mouse move; the point is in client coordinates (negative: the cursor).
  void UpdateHover(CPoint point);
  // Notes where a mouse move reported at the client point puts the pointer, and whether that is
  // where the last one put it: Wine reports such a move when a window under the resting pointer
  // goes (a menu a key closed).
  bool NotePointer(CPoint ptClient);
  // The bar's top-level window is active, or owned by the active window.
  bool IsTopLevelActive() const;
  // Shows the hovered button's tip through the bar's shared tip window.
  void ShowHoverTip(CPoint point);
  // Drops the press, the hover and the capture (WM_CANCELMODE).
  void CancelButtonStates();
  // Asks for WM_MOUSELEAVE while a button is hot: the capture the hover takes brings no move once
  // the pointer is over no window of this program (Wine then reports none).
  void TrackPointerLeave();
  // The command target the buttons update against.
  CWnd* GetCmdUITarget() const;
  // Deletes every button and empties the chevron's list (each button once).
  void DeleteAllButtonObjects();
  // Breaks the rows (or, across, the columns) so that none runs past nExtent; the row count.
  int WrapAlong(bool bHorz, int nExtent);

  afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
  afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
  afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
  afx_msg void OnRButtonUp(UINT nFlags, CPoint point);
  afx_msg void OnCancelMode();
  afx_msg void OnSize(UINT nType, int cx, int cy);
  afx_msg void OnTimer(UINT nIDEvent);
  afx_msg void OnCaptureChanged(CWnd* pWnd);
  afx_msg void OnSettingChange(UINT uFlags, LPCSTR lpszSection);
  afx_msg LRESULT OnTrackButtonMenu(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnMouseLeave(WPARAM wParam, LPARAM lParam);
  DECLARE_MESSAGE_MAP()
};
