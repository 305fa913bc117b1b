// The frame of the drag tests: a logging frame with the toolkit's dock bars, resizable panels
// (their minimum sizes adjustable) and fixed bars made in it, and the areas a drop aims at.
#pragma once

#include "tests/unit/toolkit/docking/drag_support.h"

#include <memory>
#include <string>
#include <vector>

// A resizable panel holding one black child window.
class CPanelBar : public CExtControlBar {
public:
  int m_nMinW = -1, m_nMinH = -1; // -1: the bar's own minimum
  int CalcMinWidth() const override { return m_nMinW >= 0 ? m_nMinW : CExtControlBar::CalcMinWidth(); }
  int CalcMinHeight() const override { return m_nMinH >= 0 ? m_nMinH : CExtControlBar::CalcMinHeight(); }
};

class DragFixture : public ::testing::Test {
protected:
  void SetUp() override;
  void TearDown() override;
  CPanelBar* AddPanel(UINT nId, UINT nSide, LPCSTR lpszName);
  CFixedDragBar* AddFixed(UINT nId, LPCSTR lpszName, CSize size);
  CDragLogFrame& Log() { return *m_pLog; }
  std::string Dump() const;
  // The free client area and the area between the outer dock bars, in screen coordinates.
  CRect FreeArea() const;
  CRect DockingArea() const;
  CPoint ClientCentre() const { return FreeArea().CenterPoint(); }

  CDragLogFrame* m_pLog = NULL;
  FramePtr m_pFrame;
  std::vector<std::unique_ptr<CExtControlBar>> m_bars;
};
