// The themed check box (two- or three-state, and radio button): a CExtButton that draws its box
// with the platform's visual style when one is active, else with classic frame controls.
#pragma once

#include "toolkit/controls/ExtButton.h"

class CExtCheckBox : public CExtButton {
  DECLARE_DYNCREATE(CExtCheckBox)
public:
  // Bits of m_nPressFlags.
  enum : BYTE { PRESS_MOUSE = 0x01, PRESS_SPACE = 0x02 };

  CExtCheckBox();

  BOOL PreTranslateMessage(MSG* pMsg) override;
  void OnClick(bool bFromKeyboard, bool bDropDownPart) override;
  void PaintButton(CDC& dc, bool bBackgroundDone, bool bForMenu) override;
  virtual void PaintCheckBoxContent(CDC& dc, PushButtonPaintData& data);
  virtual void PaintCheckMark(CDC& dc, const CRect& rcBox, PushButtonPaintData& data);
  // True when the theme drew the box itself.
  virtual bool QueryCustomCheckMark(CDC& dc, const CRect& rcBox, int nState);

  BYTE m_nPressFlags;

protected:
  DECLARE_MESSAGE_MAP()
};
