// The task sheet's effect page: the parameters of one image operation, previewed on the active
// view after every change. Sliders, colour buttons and check boxes are made once and shown in the
// rows the chosen operation needs; their values come from and go to "Options\ImgProcess".
// PropPageParamRows.cpp holds the operations' rows and the loaders that build them.
#pragma once

#include "app/LinkLabel.h"
#include "editor/EffectParams.h"
#include "framework/dlg/fw_dlg.h"
#include "toolkit/controls/ExtButton.h"
#include "toolkit/controls/ExtCheckBox.h"
#include "toolkit/controls/ExtColorButton.h"
#include "toolkit/controls/ExtSliderWnd.h"

struct EffectRow;
struct EffectDef;

class CPropPageParam : public CPropertyPage {
  DECLARE_DYNCREATE(CPropPageParam)
public:
  CPropPageParam();
  ~CPropPageParam() override;

  enum {
    kSaveId = 5000,
    kMainMenuId = 5001,
    kOkId = 5002,
    kCancelId = 5003,
    kFirstSliderId = 5004,
    kFirstValueId = 5008,
    kFirstColorId = 5012,
    kFirstCheckId = 5015,
    kShadowButtonId = 5021,
  };
  enum { kSliderCount = 4, kColorCount = 3, kCheckCount = 6 };
  // The width the page's content takes: its title's and its separator line's, in pixels.
  enum { kContentWidth = 180 };

  // The operation the page was last opened for (UM_SELECT_EFFECT's wParam), 5003 after Cancel;
  // 0 before.
  int GetTaskId() const { return m_nTaskId; }
  // The block as last sent to the view.
  const EffectParams& GetParams() const { return m_params; }
  // The y of the separator line below the rows.
  int GetSeparatorY() const { return m_nSeparatorY; }

  // The twenty operations the page serves.
  static bool IsParamTask(int nTaskId);

protected:
  BOOL OnInitDialog() override;
  BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

  afx_msg LRESULT OnSelectEffect(WPARAM wParam, LPARAM lParam);
  afx_msg void OnPaint();
  afx_msg void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
  afx_msg void OnCheckClicked(UINT nId);
  afx_msg LRESULT OnColorChanged(WPARAM wParam, LPARAM lParam);
  afx_msg void OnShadowSettings();
  DECLARE_MESSAGE_MAP()

  void CreateParamControls();
  void CreateLinks();
  void HideParamControls();
  void SelectEffect();
  void PlaceLinks();
  // Makes the page tall enough for the "Save these settings" link below the rows.
  void GrowToHoldLinks();
  void ApplyCurrentEffect();
  void SaveSettings();

  // The family loaders: each reads the operation's values and builds its rows from the top.
  void LoadEdge(LPCSTR lpszName, int nTaskId);
  void LoadShadowEdge(LPCSTR lpszName, int nTaskId);
  void LoadFilter(LPCSTR lpszName, int nTaskId);
  void LoadBorder(LPCSTR lpszName, int nTaskId);
  void LoadGeometry(LPCSTR lpszName, int nTaskId);
  void LoadColor(LPCSTR lpszName, int nTaskId);

  // Row builders; each places its controls at y and answers the advance.
  int AddSliderRow(int nIndex, int y, LPCSTR lpszLabel, int nMin, int nMax, int nValue);
  int AddColorRow(int nIndex, int y, LPCSTR lpszLabel, COLORREF clr);
  int AddCheckRow(int nIndex, int y, LPCSTR lpszLabel, BOOL bTicked);
  int AddCheckRowWithButton(int nIndex, int y, LPCSTR lpszLabel, BOOL bTicked);

private:
  typedef void (CPropPageParam::*Loader)(LPCSTR, int);
  friend struct EffectDef;

  static const EffectDef* FindEffect(int nTaskId);
  // Reads the operation's values (absent ones give the defaults), titles the page and builds the
  // rows; every loader ends here.
  void LoadRows(const EffectDef& def, LPCSTR lpszName, LPCSTR lpszTitleEnd);
  // The row's value in the block (the field of its kind and index).
  int BlockValue(const EffectRow& row) const;
  void ShowSaveLink(BOOL bSaved);

  int m_nTaskId;
  EffectParams m_params;
  COLORREF m_colors[kColorCount];
  int m_nPos;         // the running layout position
  int m_nSeparatorY;  // the separator line below the rows, as long as the content is wide; 0: none yet
  int m_nEndedSlider; // the slider whose scroll ended last, -1 while one is under way

  CLinkLabel m_linkMainMenu;
  CLinkLabel m_labelTitle;
  CLinkLabel m_linkOk;
  CLinkLabel m_linkCancel;
  CLinkLabel m_linkSave;
  CLinkLabel m_sliderTitles[kSliderCount];
  CExtSliderWnd m_sliders[kSliderCount];
  CLinkLabel m_sliderValues[kSliderCount];
  CLinkLabel m_colorLabels[kColorCount];
  CExtColorButton m_colorButtons[kColorCount];
  CExtButton m_btnShadow;
  CExtCheckBox m_checks[kCheckCount];
};
