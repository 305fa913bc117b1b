// A frame with command handlers and a tool bar whose buttons sit at fixed places, so the tool-bar
// tests do not depend on the bar's own layout or the buttons' measuring.
#pragma once

#include "tests/common/window_support.h"

#include "framework/fw.h"
#include "toolkit/bars/ExtToolControlBar.h"

#include <functional>
#include <memory>
#include <vector>

// Commands 100-149 have a handler; 150-159 have a handler and an update handler; 190-199 none.
class CToolTestFrame : public CFrameWnd {
public:
  std::vector<UINT> m_fired; // the commands received, in order
  BOOL m_bEnable150 = TRUE;  // what the update handler of 150 says
  int m_nCheck150 = 0;
  int m_nRadio151 = -1; // -1: the update handler of 151 sets no radio state
  int m_nUpdates150 = 0;

protected:
  afx_msg int OnCreate(LPCREATESTRUCT lpcs);
  afx_msg void OnTestCommand(UINT nID);
  afx_msg void OnUpdate150(CCmdUI* pCmdUI);
  afx_msg void OnUpdate151(CCmdUI* pCmdUI);
  DECLARE_MESSAGE_MAP()
};

// A button with its own state bits and fixed text that fires its command to the bar's frame on
// release, and counts its menu openings.
class CFixedButton : public CExtBarButton {
public:
  CFixedButton(CExtToolControlBar* pBar, UINT nCmdID, UINT nStyle);

  CString m_sText;
  CString m_sTip;        // empty: no tip
  int m_nHelpAnswer = 0; // what OnHelpHitTest answers; 0: the command id
  int m_nTrackCalls = 0;
  int m_nPresses = 0;
  bool m_bOwnHover = false; // the bar button's own hover: prompt, and the bar takes the capture

  UINT GetStyle() const override { return m_nStyle; }
  void SetStyle(UINT nStyle) override { m_nStyle = nStyle; }
  void ModifyStyle(UINT nAdd, UINT nRemove = 0) override { m_nStyle = (m_nStyle | nAdd) & ~nRemove; }
  void SetPressedTracking() override { m_bPressedTracking = true; }
  void ClearPressedTracking() override { m_bPressedTracking = false; }
  bool IsPressedTracking() const override { return m_bPressedTracking; }
  bool IsSeparator() const override { return GetCmdID(false) == 0; }
  bool IsDisabled() const override { return (m_nStyle & TBBS_DISABLED) != 0; }
  bool IsIndeterminate() const override { return (m_nStyle & TBBS_INDETERMINATE) != 0; }
  bool IsPressed() const override { return (m_nStyle & TBBS_PRESSED) != 0; }
  void SetVisible(bool bVisible = true) override { m_bVisible = bVisible; }
  bool IsVisible() const override { return m_bVisible; }
  void SetHover(bool bHover = true) override { m_bHover = bHover; }
  bool IsHover() const override { return m_bHover; }
  CString GetText() const override { return m_sText; }
  void SetRect(const RECT& rc) override { m_rc = rc; }
  CRect GetRect() const override { return m_rc; }
  void SetMenu(HMENU hMenu, bool, bool) override { m_hMenu = hMenu; }
  bool IsAbleToTrackMenu(bool = false) const override { return m_hMenu != NULL; }
  UINT OnTrackPopup(CPoint, bool, bool) override;
  void OnHover(CPoint point, bool bHover, bool& bSuppressTip) override {
    bSuppressTip = false;
    if (m_bOwnHover)
      CExtBarButton::OnHover(point, bHover, bSuppressTip);
  }
  void OnClick(CPoint point, bool bDown) override;
  bool OnDblClick(CPoint) override { return false; }
  int OnHelpHitTest(CPoint) override { return m_nHelpAnswer != 0 ? m_nHelpAnswer : (int)GetCmdID(); }
  INT_PTR OnToolHitTest(CPoint point, TOOLINFO* pTI) override;
  void OnUpdateCmdUI(CWnd* pTarget, bool bDisableIfNoHandler, int nIndex) override;

private:
  bool m_bPressedTracking = false;
  bool m_bVisible = true;
  bool m_bHover = false;
};

// A tool bar of CFixedButtons placed in one row: 24 x 22 each, separators 8 wide, from x = 4.
class CFixedToolBar : public CExtToolControlBar {
public:
  explicit CFixedToolBar(bool bPanel = false);
  CFixedButton* Fixed(int nIndex) const { return dynamic_cast<CFixedButton*>(GetButton(nIndex)); }
  // The button's centre in screen coordinates.
  POINT ButtonCenter(int nIndex) const;

  CExtBarButton* CreateButtonObject(UINT nCmdID, UINT nStyle) override;
  void RecalcButtonPositions() override;
  CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
  CSize CalcDynamicLayout(int nLength, DWORD dwMode) override;

private:
  CSize RowSize() const;
};

// The frame (640 x 480, shown and active) with a tool bar of the ids docked at its top.
struct ToolBarLab {
  CToolTestFrame* pFrame = NULL;
  std::unique_ptr<CFixedToolBar> pBar;
  ~ToolBarLab();
};
std::unique_ptr<ToolBarLab> MakeToolBarLab(const std::vector<UINT>& ids, bool bPanel = false);
