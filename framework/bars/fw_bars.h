// Control bars: the bar base with its borders and delayed show/hide, the dock bars that hold rows
// of bars along a frame's sides, the dock context, the mini frame that floats bars, and the status
// bar over the common control.
#pragma once

#include "framework/core/fw_coll.h"
#include "framework/core/fw_geom.h"
#include "framework/core/fw_string.h"
#include "framework/frame/fw_frame.h"
#include "framework/wnd/fw_wnd.h"

class CDockBar;
class CDockContext;

// CalcDynamicLayout modes.
#define LM_STRETCH 0x01
#define LM_HORZ 0x02
#define LM_MRUWIDTH 0x04
#define LM_HORZDOCK 0x08
#define LM_VERTDOCK 0x10
#define LM_LENGTHY 0x20
#define LM_COMMIT 0x40

// Tool-bar button styles.
#define TBBS_BUTTON 0x0000
#define TBBS_SEPARATOR 0x0001
#define TBBS_CHECKBOX 0x0002
#define TBBS_CHECKED 0x10000
#define TBBS_PRESSED 0x20000
#define TBBS_DISABLED 0x40000
#define TBBS_HIDDEN 0x80000
#define TBBS_INDETERMINATE 0x100000

// Metrics the bars share: twice the system border.
struct AUX_DATA {
  int cxBorder2;
  int cyBorder2;
};
extern AUX_DATA afxData;

class CControlBar : public CWnd {
  DECLARE_DYNAMIC(CControlBar)
public:
  CControlBar();
  ~CControlBar() override;

  enum StateFlags { delayHide = 1, delayShow = 2, tempHide = 4, statusSet = 8 };

  DWORD m_dwStyle;              // CBRS_ bits
  DWORD m_dwDockStyle;          // sides the bar may dock to
  CFrameWnd* m_pDockSite;       // the frame the bar was created in
  CDockBar* m_pDockBar;         // the dock bar holding it, NULL when none
  CDockContext* m_pDockContext; // made by EnableDocking; NULL while the frame shuts down
  BOOL m_bAutoDelete;           // delete the object after its window
  UINT m_nStateFlags;           // StateFlags
  int m_nMRUWidth;              // width a floating dynamic bar had last
  int m_cxLeftBorder, m_cxRightBorder;
  int m_cyTopBorder, m_cyBottomBorder;
  int m_cxDefaultGap;
  int m_nCount;  // items in m_pData
  void* m_pData; // item storage of derived bars

  void SetBorders(int cxLeft = 0, int cyTop = 0, int cxRight = 0, int cyBottom = 0);
  void SetBorders(LPCRECT lpRect) { SetBorders(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom); }
  CRect GetBorders() const { return CRect(m_cxLeftBorder, m_cyTopBorder, m_cxRightBorder, m_cyBottomBorder); }
  int GetCount() const { return m_nCount; }
  DWORD GetBarStyle() const { return m_dwStyle; }
  void SetBarStyle(DWORD dwStyle);
  void EnableDocking(DWORD dwDockStyle);
  CFrameWnd* GetDockingFrame() const;
  BOOL IsFloating() const;

  virtual CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz);
  virtual CSize CalcDynamicLayout(int nLength, DWORD dwMode);
  virtual void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) = 0;
  virtual void DoPaint(CDC* pDC);
  virtual void DrawBorders(CDC* pDC, CRect& rect);
  virtual void DrawGripper(CDC* pDC, const CRect& rect);
  virtual void DelayShow(BOOL bShow);
  virtual BOOL IsVisible() const;
  virtual DWORD RecalcDelayShow(AFX_SIZEPARENTPARAMS* lpLayout);
  virtual void CalcInsideRect(CRect& rect, BOOL bHorz) const;
  virtual void OnBarStyleChange(DWORD dwOldStyle, DWORD dwNewStyle);
  virtual BOOL IsDockBar() const;

  BOOL PreTranslateMessage(MSG* pMsg) override;
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  void PostNcDestroy() override;

protected:
  INT_PTR m_nFlyByHit; // the tool under the pointer for the fly-by prompt, -1 none

  // Leaves the dock site's list and the dock bar's array; shared by WM_DESTROY and the destructor.
  void Unplug();
  void TrackFlyBy(MSG* pMsg);
  // The size the bar asks of the parent's layout for the style RecalcDelayShow answered, within
  // the room left.
  CSize CalcSizeInParentLayout(const AFX_SIZEPARENTPARAMS* lpLayout, DWORD dwStyle);

  afx_msg int OnCreate(LPCREATESTRUCT lpcs);
  afx_msg void OnDestroy();
  afx_msg void OnPaint();
  afx_msg int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
  afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
  afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
  afx_msg void OnTimer(UINT nIDEvent);
  afx_msg LRESULT OnSizeParent(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnHelpHitTest(WPARAM wParam, LPARAM lParam);
  DECLARE_MESSAGE_MAP()
};

// ---------------------------------------------------------------------------------------------

// A bar that holds other bars in rows along one side of a frame, or inside a mini frame.
// m_arrBars: entry 0 is NULL, a NULL ends each row and the array; a value 1..65535 holds the place
// of a bar that left (its control id); anything else is a CControlBar*. Toolkit dock bars edit the
// same array.
class CDockBar : public CControlBar {
  DECLARE_DYNAMIC(CDockBar)
public:
  explicit CDockBar(BOOL bFloating = FALSE);
  ~CDockBar() override;

  BOOL m_bFloating;    // the dock bar of a mini frame
  CPtrArray m_arrBars; // rows of bars, see above
  BOOL m_bLayoutQuery; // the current layout pass only measures
  CRect m_rectLayout;  // the rectangle of the current layout pass

  virtual BOOL Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID);

  int FindBar(CControlBar* pBar, int nPosExclude = -1);
  int GetDockedCount() const;
  int GetDockedVisibleCount() const;
  CControlBar* GetDockedControlBar(int nPos) const;
  void ShowAll(BOOL bShow);
  void RemovePlaceHolder(CControlBar* pBar);

  virtual void DockControlBar(CControlBar* pBar, LPCRECT lpRect = NULL);
  virtual BOOL RemoveControlBar(CControlBar* pBar, int nPosExclude = -1, int nAddPlaceHolder = 0);
  void ReDockControlBar(CControlBar* pBar, LPCRECT lpRect = NULL);
  // Places pBar in the row that the point's cross coordinate falls in, after the last visible bar
  // that starts before the rectangle; a point below every row makes a new row at the end.
  int Insert(CControlBar* pBar, CRect rect, CPoint ptMid);

  CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
  void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;
  void DoPaint(CDC* pDC) override;
  BOOL IsDockBar() const override;

  static BOOL IsPlaceHolder(const void* p) {
    return p != NULL && HIWORD(reinterpret_cast<DWORD_PTR>(p)) == 0;
  }

protected:
  // The steps every docking takes: style and caption, the new place, and the tidying after.
  BOOL PrepareToTake(CControlBar* pBar); // answers whether the bar was hidden for the move
  void PlaceBar(CControlBar* pBar, LPCRECT lpRect);
  void FinishTake(CControlBar* pBar, BOOL bShow);

  afx_msg LRESULT OnSizeParent(WPARAM wParam, LPARAM lParam);
  DECLARE_MESSAGE_MAP()
};

// Remembers where a bar was docked and floated, so it can go back there.
class CDockContext {
public:
  explicit CDockContext(CControlBar* pBar);
  virtual ~CDockContext() = default;

  CControlBar* m_pBar;
  CFrameWnd* m_pDockSite;
  UINT m_uMRUDockID;       // dock bar the bar was last docked in, 0 unknown
  CRect m_rectMRUDockPos;  // where in that dock bar (its client coordinates)
  DWORD m_dwMRUFloatStyle; // style of the last floating frame
  CPoint m_ptMRUFloatPos;  // where it last floated; x CW_USEDEFAULT when never
  DWORD m_dwStyle;         // the bar's style when the context was made

  virtual void StartDrag(CPoint pt);
  virtual void StartResize(int nHitTest, CPoint pt);
  virtual void ToggleDocking();
};

// The mini frame of floating bars: its only child is a floating dock bar (id 59423) holding them.
class CMiniDockFrameWnd : public CMiniFrameWnd {
  DECLARE_DYNCREATE(CMiniDockFrameWnd)
public:
  CMiniDockFrameWnd();
  ~CMiniDockFrameWnd() override;

  CDockBar* m_pWndDockBar; // made by CreateDockBar, owned by this frame

  virtual BOOL Create(CWnd* pParent, DWORD dwBarStyle);
  // The dock bar of a new mini frame; derived frames supply their own kind.
  virtual CDockBar* CreateDockBar();
  CDockBar* GetDockBar() const { return m_pWndDockBar; }

  void RecalcLayout(BOOL bNotify = TRUE) override;

protected:
  afx_msg void OnClose();
  afx_msg void OnNcLButtonDown(UINT nHitTest, CPoint point);
  afx_msg void OnNcLButtonDblClk(UINT nHitTest, CPoint point);
  DECLARE_MESSAGE_MAP()
};

// ---------------------------------------------------------------------------------------------

// Pane styles of the status bar.
#define SBPS_NORMAL 0x0000
#define SBPS_NOBORDERS SBT_NOBORDERS
#define SBPS_POPOUT SBT_POPOUT
#define SBPS_OWNERDRAW SBT_OWNERDRAW
#define SBPS_DISABLED 0x04000000
#define SBPS_STRETCH 0x08000000

struct AFX_STATUSPANE {
  UINT nID;
  UINT nStyle;
  int nFlags; // SBPF_ flags
  int cxText;
  CString strText;
};
#define SBPF_UPDATE 0x0001

class CStatusBar : public CControlBar {
  DECLARE_DYNAMIC(CStatusBar)
public:
  CStatusBar();
  ~CStatusBar() override;

  int m_nMinHeight;

  virtual BOOL Create(CWnd* pParentWnd, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_BOTTOM,
                      UINT nID = AFX_IDW_STATUS_BAR);
  virtual BOOL SetIndicators(const UINT* lpIDArray, int nIDCount);

  int CommandToIndex(UINT nIDFind) const;
  UINT GetItemID(int nIndex) const;
  void GetItemRect(int nIndex, LPRECT lpRect) const;
  void GetPaneText(int nIndex, CString& rString) const;
  CString GetPaneText(int nIndex) const;
  BOOL SetPaneText(int nIndex, LPCSTR lpszNewText, BOOL bUpdate = TRUE);
  void GetPaneInfo(int nIndex, UINT& nID, UINT& nStyle, int& cxWidth) const;
  void SetPaneInfo(int nIndex, UINT nID, UINT nStyle, int cxWidth);
  UINT GetPaneStyle(int nIndex) const;
  void SetPaneStyle(int nIndex, UINT nStyle);
  void UpdateAllPanes(BOOL bUpdateRects, BOOL bUpdateText);

  CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
  void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;
  void CalcInsideRect(CRect& rect, BOOL bHorz) const override;

protected:
  std::vector<AFX_STATUSPANE> m_panes; // m_pData and m_nCount describe this

  AFX_STATUSPANE* GetPanePtr(int nIndex) const;
  // The text indicator nID shows; false makes SetIndicators fail (here: a missing string).
  virtual bool LoadIndicatorText(UINT nID, CString& strText);

  afx_msg void OnSize(UINT nType, int cx, int cy);
  afx_msg UINT OnNcHitTest(CPoint point);
  afx_msg void OnPaint();
  afx_msg LRESULT OnSetText(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnGetText(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnGetTextLength(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnSetMinHeight(WPARAM wParam, LPARAM lParam);
  DECLARE_MESSAGE_MAP()
};

// The command-update object of one status-bar pane.
class CStatusCmdUI : public CCmdUI {
public:
  void Enable(BOOL bOn = TRUE) override;
  void SetCheck(int nCheck = 1) override;
  void SetText(LPCSTR lpszText) override;
};
