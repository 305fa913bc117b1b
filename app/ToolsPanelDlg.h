// The tools panel: the dialog docked in the main frame's panel bar with the 47 tool buttons and
// the style controls of the current tool group (opacity, width, antialias, drop shadow, the main
// and back colours and the shadow settings button).
#pragma once

#include "app/ToolButton.h"
#include "editor/EditorState.h"
#include "framework/gdi/fw_gdi.h"
#include "toolkit/controls/ExtButton.h"
#include "toolkit/controls/ExtCheckBox.h"
#include "toolkit/controls/ExtColorButton.h"
#include "toolkit/controls/ExtGroupBox.h"
#include "toolkit/controls/ExtLabel.h"
#include "toolkit/controls/ExtSliderWnd.h"
#include "toolkit/controls/ExtResizableDialog.h"

#include <memory>
#include <vector>

// The number of tool buttons: the first children of the dialog, in the order of the tool ids.
const int kToolButtonCount = 47;
// The position of the first sub-tool button and of the first style control among the children.
const int kFirstSubToolPosition = 16;
const int kFirstStyleControlPosition = 47;

// The tooltip text of the tool button at a 1-based position; "Click and draw" outside 1..47.
const char* GetToolTooltip(int nPosition);
// The tool id of the button at a 0-based position (1000-1042, then 1051-1054); 0 outside.
int ToolIdAtPosition(int nPosition);
// The 0-based button position of a tool id; -1 for an id without a button.
int PositionOfTool(int nToolId);
// The style record of a tool's group; -1 for tools without one.
int StyleGroupOfTool(int nToolId);

class CToolsPanelDlg : public CExtResizableDialog {
  DECLARE_DYNAMIC(CToolsPanelDlg)
public:
  CToolsPanelDlg();
  ~CToolsPanelDlg() override;

  // Creates the dialog inside the panel bar, shown and without its size grip.
  BOOL CreateInBar(CWnd* pParentBar);
  // Subclasses the first 56 children in their order (tool buttons with icons and tips, the opacity
  // slider, the check boxes, the labels) and the four group boxes; the button at position 20
  // becomes the current tool button of the host. FALSE when a child or a picture is missing.
  BOOL SetUpControls(CToolButtonHost* pHost);
  // Hides every sub-tool row and shows the row and the style controls of a main tool.
  void ShowToolControls(int nToolId);
  // Shows the working style in the controls.
  void RefreshStyleControls();
  // Repaints all tool buttons without erasing.
  void RepaintToolButtons();
  // Copies the working style into the record of the tool's group (nothing for a tool without
  // one); a text style repaints the documents, whose open text shows in it.
  void StoreToolStyle(int nToolId);
  // The child window at a position in the dialog's child order; NULL past the end.
  CWnd* GetChildAt(int nPosition) const;
  CToolButton* GetToolButton(int nPosition) const;

  DrawStyle m_style; // the style of the current group as the controls show it
  CExtButton m_btnShadowSettings;
  CExtColorButton m_btnMainColor;
  CExtColorButton m_btnBackColor;
  CExtSliderWnd m_sliderOpacity;
  CExtCheckBox m_checkAntialias;
  CExtCheckBox m_checkDropShadow;
  CExtGroupBox m_groupTools;
  CExtGroupBox m_groupMoreOptions;
  CExtGroupBox m_groupColor;
  CExtGroupBox m_groupStyle;

protected:
  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnInitDialog() override;
  // Delivers the WM_ENABLE messages the buttons posted themselves while the panel is hidden.
  void DeliverPostedEnables();

  afx_msg void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
  afx_msg LRESULT OnColorChanged(WPARAM wParam, LPARAM lParam);
  afx_msg void OnWidthSpin(NMHDR* pNMHDR, LRESULT* pResult);
  afx_msg void OnAntialias();
  afx_msg void OnDropShadow();
  afx_msg void OnShadowSettings();

  std::vector<std::unique_ptr<CToolButton>> m_toolButtons;
  std::vector<std::unique_ptr<CExtLabel>> m_labels;
  CImageList m_images[6]; // the tool pictures, one list per strip

  DECLARE_MESSAGE_MAP()
};
