// The themed push button: subclasses a dialog's button, turns it owner-drawn (keeping its former
// type and check state), tracks hover, takes Space and Return itself, shows an optional icon, an
// optional drop-down menu (the whole button or a separated arrow part) and a tip of its own, and
// paints every state through the current paint manager.
//
// ExtButton.cpp holds the state, the messages and the painting; ExtButtonInput.cpp the mouse,
// the keys, the click and the drop-down menu.
#pragma once

#include "framework/dlg/fw_ctrl.h"
#include "framework/gdi/fw_gdi.h"
#include "framework/wnd/fw_wnd.h"
#include "toolkit/foundation/ExtCmdIcon.h"
#include "toolkit/foundation/ExtHookSink.h"

class CExtPopupMenuWnd;
class CExtCmdIcon;
struct PushButtonPaintData;

class CExtButton : public CButton, public CExtMouseCaptureSink {
  DECLARE_DYNCREATE(CExtButton)
public:
  // Bits of m_nMnemonicFlags.
  enum : BYTE { MNEMONIC_ENABLED = 0x01, MNEMONIC_DROPDOWN = 0x02 };
  // Bits of m_nStateFlags.
  enum : BYTE {
    STATE_FOCUS_RECT = 0x01,
    STATE_BORDER = 0x02,
    STATE_HOVER = 0x04,
    STATE_PUSHED = 0x08,
    STATE_MOUSE_TRACKING = 0x10,
    STATE_KEY_PUSHED = 0x20,
    STATE_SEPARATED_DROPDOWN = 0x40,
    STATE_SYNC_MENU = 0x80,
  };
  // Bits of m_nStateFlags2.
  // STATE2_ENABLING: the platform's own drawing on WM_ENABLE is left out, since the button
  // repaints itself right after it.
  enum : BYTE { STATE2_TAKE_CHOSEN_COMMAND = 0x01, STATE2_ENABLING = 0x02 };
  // Parts of the button: m_nPushedPart and HitTest answers.
  enum : int { PART_NONE = 0, PART_MAIN = 1, PART_DROPDOWN = 2 };

  CExtButton();
  ~CExtButton() override;

  // Icons shown while hovered and otherwise (NULL out: the hover icon serves for both); the
  // button owns them from here on.
  void SetIcon(HICON hIconIn, HICON hIconOut = NULL);
  // The same from icon resources.
  void SetIcon(UINT nIdIn, UINT nIdOut = 0);
  void SetFlat(bool bFlat = true);
  bool GetFlat() const;
  // Sets or clears the border flag handed to the painter.
  void SetDrawFlag1(bool bSet = true);
  bool IsDefaultButton() const;
  void SetTooltipText(const char* lpszText, bool bActivate = true);
  // The cursor shown over the button (NULL: the class cursor); the button owns it.
  void SetBtnCursor(HCURSOR hCursor);
  // Separated arrow part: a click on the main part sends the command, on the arrow opens the menu.
  void SetSeparatedDropDown(bool bSet = true);
  // Which part of the button the client point hits (PART_*).
  int HitTest(const POINT& ptClient) const;
  // The former button type (BS_PUSHBUTTON ... BS_OWNERDRAW).
  UINT GetButtonType() const { return m_nButtonType; }

  virtual bool IsButtonEnabled() const;
  virtual void OnClick(bool bFromKeyboard, bool bDropDownPart);
  virtual bool OnTrackDropDownMenu(bool bSelectFirst);
  virtual bool HasMenu() const;
  virtual bool PutToPopupMenu(CExtPopupMenuWnd* pPopup);
  virtual bool OnMnemonicActivate();
  virtual bool IsMnemonicKey(UINT nVirtKey) const;
  virtual int GetTipMaxWidth(const CString& sText) const;
  virtual void PaintButton(CDC& dc, bool bBackgroundDone, bool bForMenu);
  virtual void GetButtonText(CString& sText) const;
  virtual HFONT GetButtonFont() const;

  CMenu m_menu;
  UINT m_nMenuAlign;
  int m_nMenuLeftAreaWidth;
  BYTE m_nMnemonicFlags;
  UINT m_nTextAlign;
  UINT m_nButtonType;
  int m_nCheck;
  BYTE m_nStateFlags;
  BYTE m_nStateFlags2;
  int m_nPushedPart;
  HCURSOR m_hCursor;
  CToolTipCtrl m_wndToolTip;
  HICON m_hIconIn;
  HICON m_hIconOut;
  // The painting's copy of the icon last painted (m_hIconPainted), kept between paints: copying
  // an icon costs more than painting the whole button.
  CExtCmdIcon m_iconPainted;
  HICON m_hIconPainted = NULL;
  COLORREF m_clrOverride[5];

protected:
  void PreSubclassWindow() override;
  INT_PTR OnToolHitTest(CPoint point, TOOLINFO* pTI) const override;
  BOOL PreTranslateMessage(MSG* pMsg) override;
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;

  // Repaints at once when the window still exists.
  void RepaintNow();
  // The parent's answer to a popup-menu message (0 without a parent).
  LRESULT PassToParent(UINT message, WPARAM wParam, LPARAM lParam);
  // Hands WM_COMMAND with the control id to the parent; false without a parent.
  bool SendCommandToParent();
  // Owner and alignment of a drop-down: the bar chain's window when hosted in a bar, else NULL
  // (nAlign is left as it is then).
  CWnd* FindBarMenuOwner(UINT& nAlign) const;
  // True when the cursor is over the button itself (and over the part unless nPart is PART_NONE).
  bool IsCursorOver(int nPart) const;
  // The same for a point on the screen: where the pointer was when a message was made.
  bool IsPointOver(int nPart, POINT ptScreen) const;
  // Sets the check of a radio button and clears the other auto-radios of its group.
  // After a click changed the state: BN_CLICKED to the parent, then a repaint while the window
  // lives.
  void NotifyClicked();
  void CheckRadioInGroup();
  // Clears hover, push and tracking and releases the capture.
  void ClearPushState();
  // What every face starts from: the client rectangle, text and style, the focus (when the focus
  // rectangle is wanted), flatness and hover (while no menu is tracked); inside a control bar a
  // face is flat and shows no focus.
  struct FaceState {
    CRect rcClient;
    CString sText;
    DWORD dwStyle = 0;
    bool bFocus = false;
    bool bFlat = false;
    bool bHover = false;
  };
  // False when there is no window to paint.
  bool ReadFaceState(FaceState& face) const;
  // The push-button face: with a swatch, the colour button's face (no check glyphs; border and
  // focus only while no menu is tracked, focus only with a text).
  void PaintFace(CDC& dc, bool bBackgroundDone, bool bForMenu, HICON hSwatch);
  // Paints the background unless done; answers whether the background counts as done.
  bool PaintBackground(CDC& dc, const CRect& rcClient, bool bFocus, bool bFlat);
  // A copy of the button font, bold or normal.
  bool CreatePaintFont(CFont& font, bool bBold) const;
  // Paints the button joined to its menu (the cookie is the button).
  static void PaintJoinedToMenu(LPVOID pCookie, CDC& dc, const CWnd& wndMenu, const RECT& rcArea,
                                int nCombineSide);

  afx_msg void OnCaptureChanged(CWnd* pWnd);
  afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
  afx_msg void OnKillFocus(CWnd* pNewWnd);
  afx_msg void OnMouseMove(UINT nFlags, CPoint point);
  afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
  afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
  afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
  afx_msg void OnPaint();
  afx_msg BOOL OnEraseBkgnd(CDC* pDC);
  afx_msg void OnEnable(BOOL bEnable);
  afx_msg void OnSysColorChange();
  afx_msg void OnSettingChange(UINT uFlags, LPCSTR lpszSection);
  afx_msg LRESULT OnDisplayChange(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnThemeChanged(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnPutToPopupMenu(WPARAM wParam, LPARAM lParam);
  DECLARE_MESSAGE_MAP()

private:
  void DestroyIcons();
};
