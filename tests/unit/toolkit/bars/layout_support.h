// What the tool-bar layout tests share: buttons of fixed sizes that keep their own state bits (so
// the tests need nothing of the real buttons' measuring), a bar made of them, and the bar hosted
// in a plain window (docked at the side its style names) or floating from a frame.
#pragma once

#include "framework/fw.h"
#include "tests/common/window_support.h"
#include "toolkit/bars/ExtPanelControlBar.h"
#include "toolkit/bars/ExtToolControlBar.h"

#include <memory>
#include <vector>

// A button of one size that paints itself in one colour (or only a dot in its middle).
template <class Base> class CLayoutProbe : public Base {
public:
  template <class... Args>
  CLayoutProbe(CSize size, COLORREF clr, UINT nStyle, Args... args)
      : Base(args...), m_sizeFixed(size), m_clr(clr), m_nProbeStyle(nStyle) {}

  CSize m_sizeFixed;
  COLORREF m_clr;
  UINT m_nProbeStyle;
  BYTE m_nWrapBits = 0;
  bool m_bShown = true, m_bHot = false, m_bHotBackground = false, m_bDotOnly = false;
  CRect m_rcProbe;

  UINT GetStyle() const override { return m_nProbeStyle; }
  void SetStyle(UINT nStyle) override { m_nProbeStyle = nStyle; }
  bool IsSeparator() const override { return (m_nProbeStyle & TBBS_SEPARATOR) != 0; }
  bool IsWrap(int nMode) const override { return ((m_nWrapBits >> nMode) & 1) != 0; }
  void SetWrap(int nMode, bool bWrap) override {
    m_nWrapBits = bWrap ? (BYTE)(m_nWrapBits | (1 << nMode)) : (BYTE)(m_nWrapBits & ~(1 << nMode));
  }
  void SetVisible(bool bVisible) override { m_bShown = bVisible; }
  bool IsVisible() const override { return m_bShown; }
  void SetHover(bool bHover) override { m_bHot = bHover; }
  bool IsHover() const override { return m_bHot; }
  void SetRect(const RECT& rc) override { m_rcProbe = rc; }
  CRect GetRect() const override { return m_rcProbe; }
  RECT GetButtonRect() const override { return m_rcProbe; }
  void SetVertical(bool) override {}
  bool IsHotBackgroundRequested() const override { return m_bHotBackground; }
  // Separators are 6 pixels along the bar; the layout stretches them across.
  CSize CalculateLayout(CDC&, CSize, bool bHorz) override {
    if (IsSeparator())
      return bHorz ? CSize(6, 0) : CSize(0, 6);
    return m_sizeFixed;
  }
  void Paint(CDC& dc, bool) override {
    CRect rc = m_rcProbe;
    if (m_bDotOnly)
      rc = CRect(rc.CenterPoint() - CSize(2, 2), CSize(4, 4));
    dc.FillSolidRect(&rc, m_clr);
  }
};

using CButtonProbe = CLayoutProbe<CExtBarButton>;
using CChevronProbe = CLayoutProbe<CExtBarContentExpandButton>;

// A tool bar of probes; it deletes them itself and leaves the base nothing to delete.
class CLayoutTestBar : public CExtToolControlBar {
public:
  ~CLayoutTestBar() override;
  bool m_bRtl = false;
  bool IsLayoutRightToLeft() const override { return m_bRtl; }

  CButtonProbe* AddButton(CSize size, COLORREF clr = RGB(0, 0, 255), UINT nStyle = 0);
  CButtonProbe* AddSeparator() { return AddButton(CSize(0, 0), 0, TBBS_SEPARATOR); }
  // The chevron goes last; add it after the buttons.
  CChevronProbe* AddChevron(CSize size = CSize(12, 22));
  std::vector<CExtBarButton*> HiddenList() const;
  int IndexOf(const CExtBarButton* pButton) const;
  // Sizes the window (not the frame) and places the buttons.
  void PlaceAt(int cx, int cy);
};

// A plain top-level window holding a bar in dialog mode, docked at the side of dwAlign.
struct HostedBar {
  HostedBar(DWORD dwAlign = CBRS_ALIGN_TOP);
  ~HostedBar();
  std::unique_ptr<CHostWnd> host;
  std::unique_ptr<CLayoutTestBar> bar;
};

// A frame with docking holding a bar; Float() lets the bar float in its own mini frame.
struct FramedBar {
  FramedBar();
  ~FramedBar();
  // Floats the bar at the screen point and lays it out; false when it did not float.
  bool Float(CPoint ptScreen = CPoint(300, 200));
  CFrameWnd* frame = NULL;
  std::unique_ptr<CLayoutTestBar> bar;
};
