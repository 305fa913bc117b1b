// A button of the tools panel: flat, with its tool's icon, drawn pressed while it is the frame's
// current tool button. It never keeps the keyboard focus: the focus goes to the frame, so the
// keys keep reaching the view while the user picks tools.
#pragma once

#include "toolkit/controls/ExtButton.h"

// The frame that keeps the current tool button (the main frame; a test's frame in the tests).
class CToolButtonHost {
public:
  virtual ~CToolButtonHost() = default;
  virtual HWND GetCurrentToolButton() const = 0;
  virtual void SetCurrentToolButton(HWND hButton) = 0;
};

class CToolButton : public CExtButton {
  DECLARE_DYNAMIC(CToolButton)
public:
  CToolButton();
  ~CToolButton() override;

  // The frame the panel belongs to: the button's parent frame, or that frame's own parent frame
  // when the panel floats in a mini frame.
  CFrameWnd* GetToolFrame() const;
  // The tool frame as the keeper of the current tool button; NULL when it keeps none.
  CToolButtonHost* GetHost() const;
  bool IsCurrentTool() const;
  // The tip shown when the pointer rests on the button; its window is made when the pointer
  // first reaches the button, so that a panel of many buttons starts without one each.
  void SetTipOnHover(const char* pszTip) { m_pszHoverTip = pszTip; }
  // The icon, taken from the image list when the button first paints: a sub-tool that never
  // shows never makes one. The list must outlive the button's painting.
  void SetIconOnPaint(CImageList* pImages, int nImage) {
    m_pIconImages = pImages;
    m_nIconImage = nImage;
  }

protected:
  BOOL PreTranslateMessage(MSG* pMsg) override;
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  bool IsButtonEnabled() const override;
  // Becomes the current tool button and sends its command to the tool frame.
  void OnClick(bool bFromKeyboard, bool bDropDownPart) override;
  void PaintButton(CDC& dc, bool bBackgroundDone, bool bForMenu) override;

private:
  const char* m_pszHoverTip = nullptr; // a tip not yet given to the button's tip window
  CImageList* m_pIconImages = nullptr; // the icon's list while the icon is not yet made
  int m_nIconImage = 0;
};
