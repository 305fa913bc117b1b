// controlslab: one dialog per family of themed controls in a frame; each dialog logs every
// notification its controls send it. See controlslab.cpp.
#pragma once

#include "framework/fw.h"
#include "tests/harness/controlslab_res.h"
#include "tests/harness/lab_script.h"
#include "toolkit/controls/ExtButton.h"
#include "toolkit/controls/ExtCheckBox.h"
#include "toolkit/controls/ExtColorButton.h"
#include "toolkit/controls/ExtColorCtrl.h"
#include "toolkit/controls/ExtComboBox.h"
#include "toolkit/controls/ExtDatePickerWnd.h"
#include "toolkit/controls/ExtEditBase.h"
#include "toolkit/controls/ExtGroupBox.h"
#include "toolkit/controls/ExtLabel.h"
#include "toolkit/controls/ExtSliderWnd.h"

#include <memory>
#include <string>
#include <vector>

namespace clab {

// A dialog of the lab: it logs what its controls tell it, as "<family>: <notification>" lines.
class CLabDialog : public CDialog {
public:
  CLabDialog(UINT nIDTemplate, const char* pszFamily)
      : CDialog(nIDTemplate), m_nTemplate(nIDTemplate), m_strFamily(pszFamily) {}
  const std::string& Family() const { return m_strFamily; }
  bool CreateIn(CWnd* pParent) { return Create(m_nTemplate, pParent) != FALSE; }
  // The control's centre on the screen.
  CPoint ItemCentre(UINT nId);
  CRect ItemRect(UINT nId);

protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  // Lines of the notifications only this family's controls send; empty for any other message.
  virtual std::string DescribeOwn(UINT message, WPARAM wParam, LPARAM lParam);
  void OnOK() override {}
  void OnCancel() override {}

private:
  UINT m_nTemplate;
  std::string m_strFamily;
};

class CButtonsDialog : public CLabDialog {
public:
  CButtonsDialog() : CLabDialog(IDD_CLAB_BUTTONS, "buttons") {}
  CExtButton m_push, m_default, m_disabled, m_menuButton;
  CExtColorButton m_color;
  CExtCheckBox m_check, m_check3, m_checkOff;
  CExtCheckBox m_radio[3];

protected:
  BOOL OnInitDialog() override;
  // The menu button's commands: a handler enables them (the log shows them).
  afx_msg void OnMenuCommand(UINT) {}
  DECLARE_MESSAGE_MAP()
};

class CStaticDialog : public CLabDialog {
public:
  CStaticDialog() : CLabDialog(IDD_CLAB_STATIC, "static") {}
  CExtGroupBox m_group;
  CExtLabel m_label, m_labelOff;
  CExtSliderWnd m_slider, m_sliderOff;

protected:
  BOOL OnInitDialog() override;
};

class CComboDialog : public CLabDialog {
public:
  CComboDialog() : CLabDialog(IDD_CLAB_COMBO, "combo") {}
  CExtComboBox m_combo, m_comboList, m_comboOff;
  CExtEditBase m_edit;

protected:
  BOOL OnInitDialog() override;
};

// The colour control with its mode list, and a button opening the colour dialog.
class CColorDialogFamily : public CLabDialog {
public:
  CColorDialogFamily() : CLabDialog(IDD_CLAB_COLOR, "colour") {}
  CExtColorCtrl m_colorCtrl;
  CExtComboBox m_mode;
  CExtButton m_openDialog;
  COLORREF m_clrDialog = RGB(0, 128, 255); // the colour the colour dialog starts with

protected:
  BOOL OnInitDialog() override;
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
  std::string DescribeOwn(UINT message, WPARAM wParam, LPARAM lParam) override;
};

// The date picker: two months side by side, a range selected by clicks and drags.
class CDateDialog : public CLabDialog {
public:
  CDateDialog() : CLabDialog(IDD_CLAB_DATE, "date") {}
  CExtDatePickerWnd m_picker;
  // The first month the picker shows, for pictures that do not change with the day.
  static COleDateTime FirstMonth() { return COleDateTime(2024, 5, 1, 0, 0, 0); }

protected:
  BOOL OnInitDialog() override;
  std::string DescribeOwn(UINT message, WPARAM wParam, LPARAM lParam) override;
};

// One family: its dialog and the steps that drive it.
struct Family {
  std::unique_ptr<CLabDialog> pDialog;
  void (*addSteps)(lab::CLabScript& script, CLabDialog& dialog);
};

void AddButtonsSteps(lab::CLabScript& script, CLabDialog& dialog);
void AddStaticSteps(lab::CLabScript& script, CLabDialog& dialog);
void AddComboSteps(lab::CLabScript& script, CLabDialog& dialog);
void AddDateSteps(lab::CLabScript& script, CLabDialog& dialog);
void AddColorSteps(lab::CLabScript& script, CLabDialog& dialog);

// The toolkit's modal colour dialog while it is open, else NULL; the centre of its item on the
// screen and the item's text.
HWND OpenColorDialog();
CPoint ColorDialogItemCentre(UINT nId);
std::string ColorDialogText(UINT nId);

// "2024-05-10", or "null" / "invalid".
std::string DateText(const COleDateTime& dt);

} // namespace clab
