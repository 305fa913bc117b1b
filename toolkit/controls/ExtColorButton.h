// The themed colour button: a CExtButton whose face shows a swatch of the chosen colour and whose
// drop-down is the colour popup, with a custom-colour dialog behind it (the system's or the
// toolkit's). The choice goes to the parent as CExtPopupColorMenuWnd::g_nMsgNotifyColorChangedFinally
// with the colour (-1 for the default colour) and m_lParamCookie.
#pragma once

#include "framework/core/fw_string.h"
#include "toolkit/controls/ExtButton.h"

class CExtColorButton : public CExtButton {
  DECLARE_DYNCREATE(CExtColorButton)
public:
  CExtColorButton();

  void OnClick(bool bFromKeyboard, bool bDropDownPart) override;
  bool OnTrackDropDownMenu(bool bSelectFirst) override;
  bool HasMenu() const override;
  void PaintButton(CDC& dc, bool bBackgroundDone, bool bForMenu) override;
  // A 16 x 16 swatch of m_clrSelected; bOwned tells the caller to destroy it.
  virtual void CreateColorIcon(HICON& hIcon, bool& bOwned);

  CString m_strDefaultColorText; // the popup's default-colour button text (its own when empty)
  CString m_strCustomColorText;  // the popup's custom-colour button text (its own when empty)
  bool m_bShowDefaultColorButton;
  bool m_bShowCustomColorButton;
  bool m_bUseSystemColorDialog; // false: the toolkit's colour dialog
  COLORREF m_clrDefault;        // the popup's default colour; -1 none
  COLORREF m_clrSelected;       // the colour shown and reported
  LPARAM m_lParamCookie;        // sent back as the notifications' lParam

protected:
  afx_msg LRESULT OnColorChanged(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnColorChangedFinally(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnCustomColor(WPARAM wParam, LPARAM lParam);
  DECLARE_MESSAGE_MAP()

  // Runs the chosen custom-colour dialog; true with the colour on OK.
  virtual bool RunColorDialog(COLORREF& clr);
};
