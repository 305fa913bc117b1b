// Small stand-ins for the toolkit windows that paint through the theme: a popup menu, a bar
// button and a control bar, each answering what the painters read of it.
#pragma once

#include "toolkit/theme/ExtPaintManagerRecords.h"

class FakePopupMenu : public CObject, public CExtPopupMenuSite {
public:
  explicit FakePopupMenu(bool bRtl) : m_bRtl(bRtl) {}
  bool IsRightToLeft() const override { return m_bRtl; }

private:
  bool m_bRtl;
};

class FakeBarButton : public CObject, public CExtBarButtonSite {
public:
  explicit FakeBarButton(HWND hBar) : m_hBar(hBar) {}
  HWND GetBarSafeHwnd() const override { return m_hBar; }

private:
  HWND m_hBar;
};

class FakeControlBar : public CExtControlBarSite {
public:
  FakeControlBar(BarKind eKind, BYTE nOptions, bool bFloating, bool bInDockBar, bool bVertical,
                 bool bDockSite, bool bSiteStyleBit)
      : m_eKind(eKind), m_nOptions(nOptions), m_bFloating(bFloating), m_bInDockBar(bInDockBar),
        m_bVertical(bVertical), m_bDockSite(bDockSite), m_bSiteStyleBit(bSiteStyleBit) {}
  BarKind GetBarKind() const override { return m_eKind; }
  BYTE GetOptionBits() const override { return m_nOptions; }
  bool IsFloating() const override { return m_bFloating; }
  bool IsInDockBar() const override { return m_bInDockBar; }
  bool IsDockedVertically() const override { return m_bVertical; }
  bool HasDockSite() const override { return m_bDockSite; }
  bool IsDockSiteStyleBitSet() const override { return m_bSiteStyleBit; }

private:
  BarKind m_eKind;
  BYTE m_nOptions;
  bool m_bFloating, m_bInDockBar, m_bVertical, m_bDockSite, m_bSiteStyleBit;
};
