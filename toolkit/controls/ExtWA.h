// The anchoring layer of the toolkit's resizable windows: child controls follow the client area
// by percentages of its size, and the window keeps within its track limits.
#pragma once

#include "framework/wnd/fw_wnd.h"

#include <windows.h>

#include <map>

// The layout flags of CExtWA.
enum ExtWindowAnchorFlags : BYTE {
  EXT_WA_INITIALIZED = 0x01, // the first size message has been seen
  EXT_WA_MAX_TRACK = 0x02,   // apply m_sizeMaxTrack
  EXT_WA_MIN_TRACK = 0x04,   // apply m_sizeMinTrack
  EXT_WA_MAXIMIZED = 0x08,   // apply m_sizeMax and m_ptMaxPos
};

template <class CExtWABase> class CExtWA : public CExtWABase {
public:
  // One anchored control: each corner is a point at a percentage of the client size plus the
  // control's offset from that point.
  struct RDI_t {
    int m_nX1, m_nY1;
    int m_nOffsetLeft, m_nOffsetTop;
    int m_nX2, m_nY2;
    int m_nOffsetRight, m_nOffsetBottom;
  };

  CExtWA();
  CExtWA(UINT nIDTemplate, CWnd* pParentWnd);

  // Anchors a direct child: its top-left corner at (nX1 %, nY1 %) of the client size, its
  // bottom-right corner at (nX2 %, nY2 %), or at the top-left anchor when both are -1 (the control
  // moves and keeps its size). Anchoring again replaces the record. FALSE when both top-left
  // values are -1 or hWnd is no child of this window.
  virtual BOOL AddAnchor(HWND hWnd, int nX1, int nY1, int nX2 = -1, int nY2 = -1);
  BOOL AddAnchor(HWND hWnd, const SIZE& sizeTopLeft, const SIZE& sizeBottomRight) {
    return AddAnchor(hWnd, sizeTopLeft.cx, sizeTopLeft.cy, sizeBottomRight.cx, sizeBottomRight.cy);
  }
  // Places every anchored control for a client area of cx x cy (the current one when either is
  // negative) and forgets controls that are gone.
  virtual void ArrangeLayout(int cx = -1, int cy = -1);

  CSize GetMinTrackSize() const { return m_sizeMinTrack; }

protected:
  LRESULT WindowProc(UINT nMessage, WPARAM wParam, LPARAM lParam) override;

  BYTE m_nLayoutFlags;
  CSize m_sizeMinTrack;
  CSize m_sizeMaxTrack;
  CSize m_sizeMax;
  CPoint m_ptMaxPos;
  std::map<HWND, RDI_t> m_mapRDI;

private:
  void OnWaGetMinMaxInfo(MINMAXINFO* pInfo) const;
  void OnWaSize(WPARAM wParam, LPARAM lParam);
};
