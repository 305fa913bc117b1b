// The two bar buttons the menu bar shows while the active MDI child is maximised: the document
// button (the child's icon, opening its system menu) at the front of the row, and the right
// button, one bar button drawing the child's help, minimise, restore and close boxes.
#pragma once

#include "toolkit/bars/ExtBarButton.h"
#include "toolkit/foundation/ExtCmdIcon.h"

class CExtMenuControlBar;

// The layout record of the right buttons.
struct MdiRightButtonsInfo {
  enum Flags : BYTE { F_FILLED = 0x01, F_CLOSE = 0x02, F_MAXIMIZE = 0x04, F_MINIMIZE = 0x08, F_HELP = 0x10 };
  CWnd* m_pWndMdiChild = NULL;
  CExtMenuControlBar* m_pBar = NULL;
  int m_cxButton = 0;
  int m_cyButton = 0;
  int m_cxGroup = 0;
  int m_cyGroup = 0;
  BYTE m_nFlags = 0;
  CRect m_rcClose;
  CRect m_rcLoneMaximize;
  CRect m_rcRestore;
  CRect m_rcMinimize;
  CRect m_rcHelp;
  bool IsFilled() const { return (m_nFlags & F_FILLED) != 0; }
};

class CExtBarMdiDocButton : public CExtBarButton {
  DECLARE_DYNCREATE(CExtBarMdiDocButton)
public:
  enum DocFlags : BYTE { DF_DBLCLK_CLOSES = 0x01 };

  CExtBarMdiDocButton(CExtToolControlBar* pBar = NULL, UINT nCmdID = 0, UINT nStyle = 0);

  UINT GetStyle() const override;
  void SetStyle(UINT nStyle) override;
  void ModifyStyle(UINT nAdd, UINT nRemove = 0) override;
  CSize CalculateLayout(CDC& dc, CSize sizePreCalc, bool bHorz) override;
  bool InsertToPopupMenu(CExtPopupMenuWnd* pPopup) override;
  CExtCmdIcon* GetIconPtr() override;
  CWnd* GetCmdTargetWnd() override;
  UINT OnTrackPopup(CPoint point, bool bSelectAny, bool bForceNoAnimation) override;
  bool OnDblClick(CPoint point) override;
  bool IsPlainCommandButton() const override { return false; }

  // Empties the icon, then asks the child for one (query message, small and big icons, the class's).
  static void QueryChildIcon(HWND hWndChild, CExtCmdIcon& icon);
  HWND GetActiveMdiChild() const;
  void SetActiveMdiChild(HWND hWnd);
  bool IsDblClickCloses() const { return (m_nDocFlags & DF_DBLCLK_CLOSES) != 0; }
  void SetDblClickCloses(bool bSet) {
    bSet ? m_nDocFlags |= DF_DBLCLK_CLOSES : m_nDocFlags &= ~DF_DBLCLK_CLOSES;
  }

  CExtCmdIcon m_icon;
  HWND m_hWndActiveMdiChild;

protected:
  CExtMenuControlBar* GetMenuBar() const;
  BYTE m_nDocFlags;
};

class CExtBarMdiRightButton : public CExtBarMdiDocButton {
  DECLARE_DYNCREATE(CExtBarMdiRightButton)
public:
  CExtBarMdiRightButton(CExtToolControlBar* pBar = NULL, UINT nCmdID = 0, UINT nStyle = 0);

  CSize CalculateLayout(CDC& dc, CSize sizePreCalc, bool bHorz) override;
  bool InsertToPopupMenu(CExtPopupMenuWnd* pPopup) override;
  CExtCmdIcon* GetIconPtr() override { return NULL; }
  void Paint(CDC& dc, bool bHorz) override;
  UINT OnTrackPopup(CPoint point, bool bSelectAny, bool bForceNoAnimation) override;
  void OnClick(CPoint point, bool bDown) override;
  bool OnDblClick(CPoint point) override { return CExtBarButton::OnDblClick(point); }
  INT_PTR OnToolHitTest(CPoint point, TOOLINFO* pTI) override;
  int OnHelpHitTest(CPoint point) override;

  // Fills the five box rectangles of the record inside the group rectangle.
  static void CalcButtonRects(MdiRightButtonsInfo& info, const RECT& rcGroup, bool bHorz);
  // The system command of the box under the point (0 outside every box), with the info filled.
  UINT HitTestBox(CPoint point, MdiRightButtonsInfo& info);
};
