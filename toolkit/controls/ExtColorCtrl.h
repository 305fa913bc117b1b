// The colour control: a child window that lets the user pick a colour in one of several pickers.
// Each picker is a model object nested in the class (defined in ExtColorModels.h); the window
// routes mouse input to the model of the current mode and keeps the colours. It is attached to an
// existing dialog item by subclassing and tells its parent of every colour the mouse picks.
#pragma once

#include "framework/core/fw_string.h"
#include "framework/wnd/fw_wnd.h"
#include "toolkit/foundation/ExtHookSink.h"

#include <windows.h>

#include <memory>

class CExtColorCtrl : public CWnd, public CExtMouseCaptureSink {
public:
  // The picker models.
  struct any_picker_data_t;
  struct hsl_panel_data_t;
  struct hsl_basic_hue_data_t;
  struct hsl_roller_data_t;
  struct xyz_plain_data_t;
  struct rgb_cube_data_t;
  struct cmy_cube_data_t;
  struct cell_t;
  struct cell_based_data_t;
  struct grayscale_mixer_data_t;
  struct rgb_mixer_data_t;
  struct cmy_mixer_data_t;
  struct diff_data_t;

  // The pickers, by mode number.
  enum Mode : int {
    MODE_BASIC_COLORS = 0,
    MODE_HSL_PANEL = 1,
    MODE_HSL_BASIC_HUE = 2,
    MODE_HSL_ROLLER = 3,
    MODE_RGB_CUBE = 4,
    MODE_RGB_MIXER = 5,
    MODE_GRAYSCALE_MIXER = 6,
    MODE_CMY_CUBE = 7,
    MODE_CMY_MIXER = 8,
    MODE_AXIS_RED = 9,
    MODE_AXIS_GREEN = 10,
    MODE_AXIS_BLUE = 11,
    MODE_AXIS_CYAN = 12,
    MODE_AXIS_MAGENTA = 13,
    MODE_AXIS_YELLOW = 14,
    MODE_DIFF = 15, // the current colour above the reference colour; has no name
    MODE_COUNT = 16,
    MODE_NAMED_COUNT = 15
  };

  // The first of the string ids that name the modes; missing strings give the built-in names.
  enum { IDS_FIRST_MODE_NAME = 30343 };

  explicit CExtColorCtrl(int nMode = MODE_BASIC_COLORS);
  ~CExtColorCtrl() override;
  CExtColorCtrl(const CExtColorCtrl&) = delete;
  CExtColorCtrl& operator=(const CExtColorCtrl&) = delete;

  // The display name of a mode (each begins with a blank); empty for the unnamed modes.
  static CString GetModeName(int nMode);

  // Rebuilds the current model at the window's size; unless bGeometryOnly, every model first drops
  // its cached pictures.
  void Rebuild(bool bGeometryOnly);
  void ReleaseAllModels();
  // Shows clr in the current model and repaints; tells the parent only when asked and the colour
  // changed. The previous colour stays.
  void SetCurrentColor(COLORREF clr, bool bNotify);
  // The model of the current mode; NULL when the mode is out of range.
  any_picker_data_t* GetCurrentModel() const;

  // Sends g_nMsgColorChanged to the parent: wParam the control's window, lParam the address of
  // three COLORREFs, the reference, current and previous colours.
  virtual void NotifyColorChanged();

  static const UINT& g_nMsgColorChanged;

  int m_nMode;
  bool m_bCaptured;
  COLORREF m_clrReference;
  COLORREF m_clrCurrent;
  COLORREF m_clrPrevious; // the current colour before the last change made with the mouse
  any_picker_data_t* m_pModels[MODE_COUNT];

protected:
  void PreSubclassWindow() override;
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

  afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
  afx_msg void OnMouseMove(UINT nFlags, CPoint point);
  afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
  afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
  afx_msg void OnCancelMode();
  afx_msg void OnKillFocus(CWnd* pNewWnd);
  afx_msg void OnCaptureChanged(CWnd* pWnd);
  afx_msg void OnPaint();
  afx_msg BOOL OnEraseBkgnd(CDC* pDC);
  afx_msg void OnSize(UINT nType, int cx, int cy);
  afx_msg BOOL OnQueryNewPalette();
  afx_msg void OnPaletteChanged(CWnd* pFocusWnd);
  DECLARE_MESSAGE_MAP()

private:
  struct model_set_t;

  // Takes the model's colour as the current one when it differs: the old one becomes the previous
  // colour, the parent is told and the window repainted.
  void TakeModelColor(any_picker_data_t* pModel);
  void EndDrag();
  void RepaintNow();

  std::unique_ptr<model_set_t> m_pModelSet; // the sixteen models m_pModels points into
};
