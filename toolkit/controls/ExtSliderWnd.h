// A themed track bar: its background follows the theme's dialog background and, in the themed
// style, it draws its channel and thumb in theme colours.
#pragma once

#include "framework/dlg/fw_ctrl.h"

class CExtSliderWnd : public CSliderCtrl {
  DECLARE_DYNCREATE(CExtSliderWnd)
public:
  enum SliderStyle {
    STYLE_PLATFORM = 0,          // the platform draws channel and thumb
    STYLE_THEMED = 1,            // channel and thumb in theme colours
    STYLE_PLATFORM_THUMB = 0x80, // in the low byte: the slider never draws the thumb itself
  };

  CExtSliderWnd();
  ~CExtSliderWnd() override;

  COLORREF m_clrBackground = (COLORREF)-1; // -1: the theme's background

  // Stores the style and, for a live window, redraws the slider with it.
  void SetSliderStyle(int nStyle);
  int GetSliderStyle() const { return m_nSliderStyle; }

  // How many background brushes this slider has made (tests only).
  int TestBrushCreations() const { return m_nBrushCreations; }

protected:
  // Each answers true when it drew its part itself.
  virtual bool OnSliderDrawChannel(CDC& dc, const CRect& rcItem, UINT nItemState);
  virtual bool OnSliderDrawThumb(CDC& dc, const CRect& rcItem, UINT nItemState);
  virtual bool OnSliderDrawTics(CDC& dc, const CRect& rcItem, UINT nItemState);

  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  afx_msg void OnCustomDraw(NMHDR* pNotifyStruct, LRESULT* pResult);
  afx_msg HBRUSH OnReflectCtlColor(CDC* pDC, UINT nCtlColor);
  afx_msg BOOL OnEraseBkgnd(CDC* pDC);
  afx_msg void OnSysColorChange();
  afx_msg void OnSettingChange(UINT uFlags, LPCSTR lpszSection);
  afx_msg LRESULT OnDisplayChange(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnThemeChanged(WPARAM wParam, LPARAM lParam);
  DECLARE_MESSAGE_MAP()

private:
  void RefreshSlider();
  HBRUSH PatternBackgroundBrush(CDC& dc);
  HBRUSH SolidBackgroundBrush();

  COLORREF m_clrBrush = (COLORREF)-1; // colour of m_brushBackground when it is solid
  bool m_bPatternBrush = false;       // m_brushBackground is a picture of the theme's background
  CBrush m_brushBackground;
  int m_nSliderStyle = STYLE_PLATFORM;
  int m_nBrushCreations = 0;
};
