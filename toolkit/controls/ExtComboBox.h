// Themed combo boxes. CExtComboBoxBase subclasses a combo box and its edit child: type-ahead
// completion from the list, themed colours, a tooltip, tool-bar tips and the edit's standard
// command menu. CExtComboBox adds the themed frame and drop-down button with a hot look while the
// pointer is over it or it has the focus.
#pragma once

#include "framework/dlg/fw_ctrl.h"
#include "framework/gdi/fw_gdi.h"
#include "toolkit/controls/ExtEditBase.h"
#include "toolkit/foundation/ExtHookSink.h"

class CExtComboBoxBase;

// The edit child of a CExtComboBoxBase.
class CExtComboEditCtrlHook : public CExtEditBase {
  DECLARE_DYNCREATE(CExtComboEditCtrlHook)
public:
  CExtComboEditCtrlHook() = default;

  // The combo box the edit belongs to; NULL when the parent is none.
  CExtComboBoxBase* GetComboBox() const;
  INT_PTR OnToolHitTest(CPoint point, TOOLINFO* pTI) const override;

protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  afx_msg void OnContextMenu(CWnd* pWnd, CPoint point);
  afx_msg HBRUSH CtlColor(CDC* pDC, UINT nCtlColor);
  DECLARE_MESSAGE_MAP()
};

class CExtComboBoxBase : public CComboBox, public CExtMouseCaptureSink {
  DECLARE_DYNCREATE(CExtComboBoxBase)
public:
  enum ComboFlags : BYTE {
    COMBO_AUTO_COMPLETE = 0x01,     // type-ahead completion from the list
    COMBO_EDIT_STD_COMMANDS = 0x02, // the edit handles the standard edit commands and their menu
    COMBO_COMPLETE_ARMED = 0x04,    // the last key pressed was a character key
  };

  CExtComboBoxBase();
  ~CExtComboBoxBase() override;

  BYTE m_nComboFlags;
  CExtComboEditCtrlHook m_wndInnerEdit;
  COLORREF m_clrBack;      // -1: the theme's window colour
  COLORREF m_clrBackBrush; // the colour m_brBack was made for
  CBrush m_brBack;
  COLORREF m_clrText; // -1: the theme's window text (gray text when disabled)
  CToolTipCtrl m_wndToolTip;

  bool IsAutoCompleteEnabled() const { return (m_nComboFlags & COMBO_AUTO_COMPLETE) != 0; }
  void EnableAutoComplete(bool bEnable = true);

  void SetTooltipText(LPCSTR lpszText, BOOL bActivate = TRUE);
  void ActivateTooltip(BOOL bActivate = TRUE);
  virtual int GetTipMaxWidth() const;
  // Subclasses the edit child (once); answers its handle, NULL when there is none.
  virtual HWND HookInnerEdit();

  INT_PTR OnToolHitTest(CPoint point, TOOLINFO* pTI) const override;
  BOOL PreTranslateMessage(MSG* pMsg) override;
  // The colours of the combo and its edit (see CExtEditBase::ThemedCtlColor).
  HBRUSH CtlColor(CDC* pDC, UINT nCtlColor);
  // Called by the edit before a clipboard or undo command changes its text.
  void DisarmCompletion() { m_nComboFlags &= ~COMBO_COMPLETE_ARMED; }

protected:
  void PreSubclassWindow() override;
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

  // The combo draws its frame over the area its edit does not cover.
  void EnsureClipChildren();

  afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
  afx_msg BOOL OnEditUpdate();
  DECLARE_MESSAGE_MAP()
};

class CExtComboBox : public CExtComboBoxBase {
  DECLARE_DYNCREATE(CExtComboBox)
public:
  enum HoverFlags : BYTE {
    HOVER_SEEN = 0x01,          // the pointer came over the combo; the next timer step repaints
    HOVER_TIMER_RUNNING = 0x02, // the hover timer watches for the pointer to leave
  };

  CExtComboBox();
  ~CExtComboBox() override;

  BYTE m_nHoverFlags;
  UINT m_nTimerID;       // the hover timer's id
  UINT m_nTimerInterval; // its period in milliseconds

  bool IsHoverTimerRunning() const { return (m_nHoverFlags & HOVER_TIMER_RUNNING) != 0; }
  // Paints the combo: the platform's content, then the themed frame.
  virtual void OnPaintCombo(bool bPushed, bool bHover);
  // Paints the frame and drop-down button into pDC (the window's own DC when NULL).
  virtual void PaintComboFrame(bool bPushed, bool bHover, CDC* pDC = NULL);

  BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  // A pointer move over the combo or its edit: starts the hover timer when the combo's family is
  // active; answers whether it did.
  bool OnHoverMove();
  void HoverTimerStep();
  // The left button pressed on a drop-down combo: opens or closes the list; false when the press
  // must go on to the platform.
  bool OnDropDownPress();

  afx_msg void OnTimer(UINT nIDEvent);
  afx_msg void OnPaint();
  afx_msg BOOL OnEraseBkgnd(CDC* pDC);
  afx_msg void OnKillFocus(CWnd* pNewWnd);
  DECLARE_MESSAGE_MAP()
};
