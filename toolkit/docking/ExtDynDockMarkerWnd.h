// The windows of marker docking: the small marker windows shown over the frame's sides and over
// the bar under the cursor while a bar is dragged in marker mode, and the translucent highlight of
// the area a marker stands for. The theme draws and places the markers; it makes their windows
// through the marker maker declared here. Split by concern: ExtDynDockMarkerWnd.cpp (the windows,
// fades, hot check and highlight) and ExtDynDockTarget.cpp (the marker sets and the search for the
// dock target under the cursor).
#pragma once

#include "framework/gdi/fw_gdi.h"
#include "framework/wnd/fw_wnd.h"
#include "toolkit/docking/ExtControlBar.h"
#include "toolkit/theme/ExtPaintManagerDockMarkers.h"

#include <vector>

class CExtDynDockHighlightWnd;

class CExtDynDockMarkerWnd : public CWnd, public CExtDockMarkerWndInfo {
  DECLARE_DYNAMIC(CExtDynDockMarkerWnd)
public:
  enum Kind {
    KIND_TOP = 0,
    KIND_BOTTOM = 1,
    KIND_LEFT = 2,
    KIND_RIGHT = 3,
    KIND_FOLLOWER = 4, // lights up with the other markers of its target (the centre cross)
    KIND_CENTER = 8    // docks as a tab
  };
  enum HotState { HOT_UNKNOWN = 0, HOT_OVER = 1, HOT_AWAY = 2 };
  enum StateFlags : BYTE {
    SF_DESTROY_AFTER_FADE = 0x01,
    SF_FADING = 0x02,
    SF_FADE_SHOWS = 0x04,
    SF_TARGET_GONE = 0x08 // the set was hidden for its vanished target and a drag step asked for
  };
  static const UINT kHotCheckTimer = 77, kHotCheckPeriod = 50;
  static const UINT kFadeTimer = 88, kFadePeriod = 1;
  static const int kFadeStep = 25; // percent per fade tick
  static const char kClassName[];  // "Corvane-DynDockMarker"
  typedef std::vector<CExtDynDockMarkerWnd*> MarkerArray_t;

  CExtDynDockMarkerWnd();
  ~CExtDynDockMarkerWnd() override;

  BYTE m_bOuter; // stands for a side of the frame rather than for a window
  int m_nKind;
  HWND m_hWndHotMarker;                  // kept by a follower: the hot marker of its target
  CExtDynDockHighlightWnd* m_pHighlight; // owned
  HWND m_hWndTarget;                     // the bar or window the marker stands for
  CBitmap m_bmpNormal, m_bmpHot, m_bmpBackground;
  int m_nPictureX, m_nPictureY; // where the picture sits over the background
  CRgn m_rgn;
  int m_nHotState;
  BYTE m_bState;
  int m_nAlpha;     // percent
  int m_nThemeKind; // the kind the theme made the marker as
  CRect m_rcArea;   // the screen area the marker stands over

  // Takes the GDI objects whether or not the window can be made; false when it cannot. The window
  // is a hidden topmost pop-up owned by the markers' hidden owner window.
  bool CreateMarker(int nKind, bool bOuter, HBITMAP hNormal, HBITMAP hHot, HRGN hShape, const RECT& rcScreen,
                    HBITMAP hBackground, int nPictureX, int nPictureY);
  // On: this marker's highlight replaces every other; false when its window cannot be made. Off:
  // the highlight goes; true.
  bool ShowHighlight(bool bShow);
  // The screen area the highlight covers: a half of the target on the marker's side (all of it
  // for the centre), or for a frame side a band as deep as the dragged bar's docked extent.
  CRect CalcHighlightRect() const;
  // The drop the marker stands for: 14-17 a frame side, 18-21 a side of a window that is no bar,
  // 22-25 a side of a bar, 26 a tab in a bar; 0 none.
  int GetTargetType() const;
  virtual void PaintMarker(CDC* pDC);
  BOOL DestroyWindow() override;

  // The markers of the frame's sides and those of the bar under the cursor.
  static MarkerArray_t& OuterMarkers();
  static MarkerArray_t& BarMarkers();
  // Destroys each marker now, or lets it fade out first (one that cannot fade goes now), and
  // empties the array. Emptying the bar markers forgets the target they stood for.
  static void DestroyMarkers(MarkerArray_t& arrMarkers, bool bDeferred);
  // Shows or hides the markers, fading where the display and the theme allow it.
  static void ShowMarkers(MarkerArray_t& arrMarkers, bool bShow, bool bAllowFade);
  // The frame-side markers over the frame's free client area, shown or hidden without fading.
  static bool CreateOuterMarkers(CFrameWnd* pDockSite, bool bShow);
  // The bar markers over the target window: the sides only over the view pane, else also the
  // centre; shown or hidden with fading.
  static bool CreateBarMarkers(HWND hWndTarget, bool bPane, bool bShow);
  // The hidden window that owns every marker and highlight; NULL when it cannot be made.
  static HWND GetOwnerWindow();
  // The target the bar markers stand for (the dock target search remembers it).
  static HWND GetRememberedTarget();
  static void SetRememberedTarget(HWND hWnd);
  // Extents of a frame-side highlight when the dragged bar remembers none smaller.
  static CSize& DefaultHighlightExtents();
  static bool CanFade();
  static bool RegisterWndClasses();

  // The drag's current dragging record. The drag engine points this at its record; NULL, an empty
  // record or one without a dragged bar all mean that no drag runs.
  static const CExtControlBar::InternalDraggingState_t* g_pDraggingState;
  // The record while a drag runs, else NULL.
  static const CExtControlBar::InternalDraggingState_t* RunningDrag();

  // --- CExtDockMarkerWndInfo (what the theme reads) ---------------------------------------------
  HWND GetMarkerHwnd() const override { return m_hWnd; }
  int GetMarkerKind() const override { return m_nThemeKind; }
  bool GetMarkerState() const override;
  CSize GetMarkerSize() const override;

protected:
  void PostNcDestroy() override;
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  void StartFade(bool bShow);
  void StopFade();
  void OnFadeStep();
  void EndFade();
  void OnHotCheck();
  void RepaintNow();
};

// The translucent picture of the area a marker stands for: the screen under it with the theme's
// highlight painted over.
class CExtDynDockHighlightWnd : public CWnd {
  DECLARE_DYNAMIC(CExtDynDockHighlightWnd)
public:
  static const char kClassName[]; // "Corvane-DynDockHighlightWnd"
  // Takes the picture and shows the window over the rectangle, below the markers.
  bool CreateHighlight(const CRect& rcScreen);

  CBitmap m_bmp;

protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};

// Makes CExtDynDockMarkerWnd windows for the theme while it lives.
class CExtDynDockMarkerWndMaker : public CExtDockMarkerWndMaker {
public:
  CExtDockMarkerWndInfo* CreateMarkerWnd(CWnd* pParent, int nKind, HBITMAP hNormal, HBITMAP hHot, HRGN hShape,
                                         const RECT& rcScreen, HBITMAP hOuter, int nFrameOffsetX,
                                         int nFrameOffsetY, bool bOuterFrame) override;
  void DestroyMarkers(ExtDockMarkerWndArray_t& arrMarkers, bool bDeferred) override;
};
