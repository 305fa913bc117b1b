// The frame's status bar: the framework's status bar over the common status control, its panes,
// borders, separators and size grip painted through the current theme, with pane icons,
// per-pane tips, the frame's bars context menu and child windows placed over panes.
// ExtStatusControlBar.cpp holds the data, panes, tips and messages; ExtStatusControlBarPaint.cpp
// the painting.
#pragma once

#include "framework/bars/fw_bars.h"
#include "framework/core/fw_coll.h"
#include "toolkit/theme/ExtPaintManagerRecordsBars.h"

#include <memory>
#include <vector>

class CExtStatusControlBar : public CStatusBar, public CExtStatusBarSite {
  DECLARE_DYNAMIC(CExtStatusControlBar)
public:
  // Bits of m_nBarFlags.
  enum StatusBarFlags : BYTE {
    STATUS_FIRST_PANE_BORDER = 0x01, // the first pane gets a border too
    STATUS_TOOLKIT_PAINT = 0x02,     // panes drawn by this class (clear: by the common control)
    STATUS_SEPARATORS = 0x04,        // separators between panes instead of pane borders
    STATUS_DISABLED_TEXT = 0x08,     // the text of disabled panes is drawn
    STATUS_NO_ICONS = 0x10,          // pane icons are not drawn
    STATUS_DEFAULT_FLAGS = STATUS_TOOLKIT_PAINT | STATUS_DISABLED_TEXT,
  };

  // Per pane id: how its text is drawn and its tip.
  struct _ED_ {
    UINT m_nDrawTextFlags = DT_SINGLELINE | DT_VCENTER;
    CString m_strTipText;
  };
  // A window placed over the pane with the id.
  struct _STATUSBAR_PANE_CTRL_ {
    HWND m_hWnd = NULL;
    UINT m_nID = 0;
    bool m_bDestroyOnClose = false; // destroyed with the bar
  };

  // Shows the size grip's picture; process-wide, on unless turned off.
  static bool g_bGripperVisible;

  CExtStatusControlBar();
  ~CExtStatusControlBar() override;

  BOOL SetIndicators(const UINT* lpIDArray, int nIDCount) override;
  void SetPaneInfo(int nIndex, UINT nID, UINT nStyle, int cxWidth);
  using CStatusBar::GetPaneInfo;
  // Id, style, width and text of the pane; false for an index out of range.
  bool GetPaneInfo(int nIndex, UINT& nID, UINT& nStyle, int& cxWidth, CString& strText) const;
  // The pane's id; 0 for an index out of range or without a window.
  UINT GetPaneID(int nIndex) const;

  // Enables or disables the windows over the pane, then redraws the bar with its children.
  void EnablePaneControl(int nPaneIndex, bool bEnable = true);
  // Moves every window of m_arrPaneCtrls over the pane with its id.
  void RepositionPaneControls();

  // Places the window over the pane with the id (replacing a window already there); the bar
  // destroys it with itself when bDestroyOnClose. False without a window.
  bool AddPaneControl(HWND hWnd, UINT nID, bool bDestroyOnClose);
  // Forgets the window over the pane with the id (the window stays); false when there is none.
  bool RemovePaneControl(UINT nID);
  int GetPaneControlCount() const { return static_cast<int>(m_arrPaneCtrls.size()); }

  // The drawing flags and tip of the pane with the id; a pane without them draws with
  // m_nDefaultTextFlags and has no tip of its own.
  void SetPaneData(UINT nID, UINT nDrawTextFlags, LPCSTR lpszTipText);
  bool RemovePaneData(UINT nID);

  BYTE GetBarFlags() const { return m_nBarFlags; }
  void SetBarFlags(BYTE nFlags, bool bRedraw = true);

  // The pane's rectangle as it is painted: the last pane ends after its text, or before the size
  // grip when it stretches. Empty for an index out of range.
  CRect GetPaneRect(int nIndex) const;
  // The client rectangle of the size grip; empty when the parent is maximised or has no border.
  CRect GetGripRect() const;

  virtual int HitTestPane(int x, int y) const;

  INT_PTR OnToolHitTest(CPoint point, TOOLINFO* pTI) const override;
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;
  void DrawBorders(CDC* pDC, CRect& rect) override;

  virtual void PaintBackground(CDC& dc, const CRect& rcClient);
  // A hook between the pane's framework text and its drawing; does nothing here.
  virtual void OnQueryPaneText(int nIndex, CString& strText) const;
  virtual void DrawPaneContent(CDC& dc, int nIndex, const CRect& rcPane, UINT nStyle, HICON hIcon,
                               const CString& strText, UINT nDrawTextFlags);
  // The text colour of the pane; -1 leaves it to the bar.
  virtual COLORREF GetPaneTextColor(int nIndex) const;
  virtual bool IsGripperVisible() const;
  virtual void PaintGripper(CDC& dc, const CRect& rcGrip);
  virtual void PaintPaneSeparator(CDC& dc, int nIndex, const CRect& rcPrev, const CRect& rcPane);

  // Own fields after the framework's.
  BYTE m_bSuppressPaint : 1; // the common control is handling SB_SETTEXT or SB_SETICON
  BYTE m_bPainting : 1;      // inside WM_PAINT: pane texts set now need no repaint of their own
  BYTE m_bUpdatingCmdUI : 1; // inside the command update: the bar repaints once at its end
  CMap<UINT, UINT, _ED_, const _ED_&> m_mapPaneData;
  BYTE m_nBarFlags = STATUS_DEFAULT_FLAGS;
  UINT m_nDefaultTextFlags = DT_SINGLELINE | DT_VCENTER;
  COLORREF m_clrBackground = static_cast<COLORREF>(-1);
  COLORREF m_clrLight = 0;
  COLORREF m_clrGripBack = 0;
  COLORREF m_clrText = 0;
  COLORREF m_clrTextDisabled = 0;
  std::vector<std::unique_ptr<_STATUSBAR_PANE_CTRL_>> m_arrPaneCtrls;

protected:
  bool LoadIndicatorText(UINT nID, CString& strText) override;
  // Reads the theme's and the system's colours; a new background goes to the control as well.
  void ReadThemeColors();
  // Invalidates and paints the bar with its children at once.
  void RedrawNow();
  // The pane rectangle a window over it takes.
  CRect PaneControlRect(int nIndex) const;
  // Every pane's icon, text and border or separator, in the bar's font and text colour.
  void PaintPanes(CDC& dc);

  afx_msg int OnCreate(LPCREATESTRUCT lpcs);
  afx_msg void OnPaint();
  afx_msg BOOL OnEraseBkgnd(CDC* pDC);
  afx_msg void OnNcPaint();
  afx_msg UINT OnNcHitTest(CPoint point);
  afx_msg void OnContextMenu(CWnd* pWnd, CPoint point);
  afx_msg void OnSysColorChange();
  afx_msg void OnSettingChange(UINT uFlags, LPCSTR lpszSection);
  afx_msg LRESULT OnDisplayChange(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnThemeChanged(WPARAM wParam, LPARAM lParam);
  DECLARE_MESSAGE_MAP()
};
