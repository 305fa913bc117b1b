// Stand-ins for the toolkit windows that paint through the theme, each answering what the painters
// read of it; themes whose parent-window backgrounds are stand-ins; real windows for the fakes
// that need a handle.
#pragma once

#include "framework/wnd/fw_wnd.h"
#include "tests/unit/toolkit/theme/theme_support.h"
#include "toolkit/theme/ExtPaintManagerRecords.h"
#include "toolkit/theme/ExtPaintManagerRecordsBars.h"

class FakePopupMenu : public CObject, public CExtPopupMenuSite {
public:
  explicit FakePopupMenu(bool bRtl) : m_bRtl(bRtl) {}
  bool IsRightToLeft() const override { return m_bRtl; }
  bool m_bRtl;
};

class FakeBarButton : public CObject, public CExtBarButtonSite {
public:
  explicit FakeBarButton(HWND hBar, const RECT& rc = RECT{0, 0, 0, 0}, bool bVertical = false,
                         bool bNoFrame = false)
      : m_hBar(hBar), m_rc(rc), m_bVertical(bVertical), m_bNoFrame(bNoFrame) {}
  HWND GetBarSafeHwnd() const override { return m_hBar; }
  RECT GetButtonRect() const override { return m_rc; }
  bool IsBarVertical() const override { return m_bVertical; }
  bool IsHotFrameSuppressed() const override { return m_bNoFrame; }
  HWND m_hBar;
  RECT m_rc;
  bool m_bVertical, m_bNoFrame;
};

// A control bar of a kind; Base is CWnd where the painter asks the bar's window.
template <class Base> class FakeBarOf : public Base, public CExtControlBarSite {
public:
  explicit FakeBarOf(BarKind eKind, bool bFloating = false, BYTE nOptions = 0, bool bVertical = false)
      : m_eKind(eKind), m_nOptions(nOptions), m_bFloating(bFloating), m_bInDockBar(!bFloating),
        m_bVertical(bVertical) {}
  BarKind GetBarKind() const override { return m_eKind; }
  BYTE GetOptionBits() const override { return m_nOptions; }
  bool IsFloating() const override { return m_bFloating; }
  bool IsInDockBar() const override { return m_bInDockBar; }
  bool IsDockedVertically() const override { return m_bVertical; }
  bool HasDockSite() const override { return true; }
  bool IsDockSiteStyleBitSet() const override { return m_bSiteBit; }
  BarKind m_eKind;
  BYTE m_nOptions;
  bool m_bFloating, m_bInDockBar, m_bVertical, m_bSiteBit = false;
};
using FakeBar = FakeBarOf<CObject>;

class FakeCaptionSource : public CObject, public CExtCaptionSourceSite {
public:
  FakeCaptionSource(SourceKind eKind, bool bFixedMode) : m_eKind(eKind), m_bFixedMode(bFixedMode) {}
  SourceKind GetCaptionSourceKind() const override { return m_eKind; }
  bool IsFloatingBarFixedMode() const override { return m_bFixedMode; }
  SourceKind m_eKind;
  bool m_bFixedMode;
};

// A tab window; nOptions 1 is the option bit, 2 the tab window's own wish for the docking area.
class FakeTabWnd : public CWnd, public CExtTabWndSite {
public:
  FakeTabWnd(DWORD dwStyle, TabWndKind eKind = TAB_PLAIN, BYTE nOptions = 0, HWND hFrame = NULL)
      : m_dwStyle(dwStyle), m_eKind(eKind), m_nOptions(nOptions), m_hFrame(hFrame) {}
  DWORD GetTabWndStyle() const override { return m_dwStyle; }
  TabWndKind GetTabWndKind() const override { return m_eKind; }
  BYTE GetTabOptionBits() const override { return m_nOptions & 1; }
  bool WantsDockerBackground() const override { return (m_nOptions & 2) != 0; }
  HWND GetParentFrameHwnd() const override { return m_hFrame; }
  DWORD m_dwStyle;
  TabWndKind m_eKind;
  BYTE m_nOptions;
  HWND m_hFrame;
};

class FakeDockBarWnd : public CWnd, public CExtDockBarSite {
public:
  FakeDockBarWnd(bool bOuter, HWND hFrame) : m_bOuter(bOuter), m_hFrame(hFrame) {}
  bool IsOuterDockBar() const override { return m_bOuter; }
  HWND GetParentFrameHwnd() const override { return m_hFrame; }
  bool m_bOuter;
  HWND m_hFrame;
};

class FakeMenuItems : public CObject, public CExtPopupMenuItemsSite {
public:
  FakeMenuItems(int nIconAreaWidth, DWORD dwLastState) : m_nWidth(nIconAreaWidth), m_dwState(dwLastState) {}
  int GetItemCount() const override { return 3; }
  int GetItemIconAreaWidth(int nIndex) const override { return nIndex == 2 ? m_nWidth : 0; }
  DWORD GetItemState(int nIndex) const override { return nIndex == 2 ? m_dwState : 0; }
  int m_nWidth;
  DWORD m_dwState;
};

class FakeStatusBar : public CObject, public CExtStatusBarSite {};

const COLORREF kDockerMark = RGB(250, 0, 250), kInheritedMark = RGB(0, 250, 250);

// The docking-area background paints a flat marker colour wherever the clip allows (or declines).
class DockerProbe : public CExtPaintManagerOffice2003 {
public:
  bool PaintDockerBackground(bool, CDC& dc, CWnd* pWnd, LPARAM) override {
    ++m_nCalls;
    m_pLastWnd = pWnd;
    if (m_bDecline)
      return false;
    dc.FillSolidRect(0, 0, 2000, 2000, kDockerMark);
    return true;
  }
  int m_nCalls = 0;
  CWnd* m_pLastWnd = NULL;
  bool m_bDecline = false;
};

// The inherited background paints a marker colour (or declines) and counts how often it was asked.
template <class Base> class InheritProbe : public Base {
public:
  bool PaintInheritedBackground(CDC& dc, bool, CObject*, LPARAM) override {
    ++m_nCalls;
    if (!m_bPaint)
      return false;
    dc.FillSolidRect(0, 0, 2000, 2000, kInheritedMark);
    return true;
  }
  int m_nCalls = 0;
  bool m_bPaint = false;
};

// A hidden popup window (hParent NULL) or child window; NULL when it cannot be made.
inline HWND MakeTestWindow(HWND hParent, int x, int y, int cx, int cy) {
  return ::CreateWindowExA(0, "STATIC", "", hParent != NULL ? WS_CHILD : WS_POPUP, x, y, cx, cy, hParent,
                           NULL, ::GetModuleHandleA(NULL), NULL);
}
