// The window that slides an auto-hidden bar out of its strip (CExtDynAutoHideArea) over the
// frame: the bar becomes its child while shown, a caption with the bar's buttons runs along its
// top and a resize band along its edge toward the frame's inside. It hides again when the pointer
// has left it and its strip for half a second, unless the focus is inside. Split by concern:
// ExtDynAutoHideSlider.cpp (class, showing and hiding, timers, input hooks) and
// ExtDynAutoHideSliderNc.cpp (non-client area: caption, buttons, resize band, bars menu).
#pragma once

#include "framework/dlg/fw_ctrl.h"
#include "framework/frame/fw_frame.h"
#include "framework/wnd/fw_wnd.h"
#include "toolkit/theme/ExtPaintManagerRecordsBars.h"

#include <windows.h>

class CExtBarNcAreaButton;
class CExtControlBar;
class CExtDynAutoHideArea;
class CExtPopupMenuTipWnd;

class CExtDynAutoHideSlider : public CWnd, public CExtCaptionSourceSite {
  DECLARE_DYNCREATE(CExtDynAutoHideSlider)
public:
  enum SliderFlags : BYTE {
    SF_BAR_SHOWN = 0x01,
    SF_ACTIVE = 0x02, // the focus is inside: the caption paints active
    SF_HIDE_TIMER = 0x04,
    SF_ANIMATING = 0x08
  };
  // m_nState: normal, or the hit code of the edge being resized.
  enum { STATE_NORMAL = 1 };
  enum { TIMER_WATCH = 1, TIMER_HIDE = 2 };
  enum : UINT { WATCH_PERIOD = 100, HIDE_DELAY = 500 };
  // The sliding options, fixed in this program.
  static constexpr int kSlideSteps = 5;
  static constexpr int kStepPeriod = 10; // milliseconds
  static constexpr bool kNoAnimationShow = false;
  static constexpr bool kNoAnimationHide = false;
  // Less free frame area than this in either direction shows nothing; resizing keeps this much
  // of the frame free.
  static constexpr int kMinExtent = 20;
  static constexpr int kInset = 2;      // on every side of the bar
  static constexpr int kInnerExtra = 3; // more toward the frame's inside: with kInset, the resize band
  static constexpr int kResizeBand = kInset + kInnerExtra;

  static const char kClassName[]; // "Corvane-AutohideSlider"
  static bool RegisterWindowClass();

  CExtDynAutoHideSlider();
  ~CExtDynAutoHideSlider() override;

  // Creates the hidden slider as a child of the frame; false when it cannot be made.
  virtual bool Create(CFrameWnd* pFrame);
  // The tip window of the bar shown (the bar's own), NULL when none is shown.
  virtual CExtPopupMenuTipWnd* GetBarToolTip() const;

  // Shows the bar of the area's selected tab, or hides the bar shown; animated steps only when
  // asked and the options allow. Answers whether the bar is out after the call (showing) or in
  // (hiding).
  bool SlideWindow(CExtControlBar* pBar, bool bShow, bool bAnimate);
  // The area that last asked to show a bar (set before SlideWindow shows it).
  void SetArea(CExtDynAutoHideArea* pArea) { m_pWndArea = pArea; }
  CExtDynAutoHideArea* GetArea() const { return m_pWndArea; }
  CExtControlBar* GetShownBar() const { return m_pBar; }
  BYTE GetSliderFlags() const { return m_bSliderFlags; }
  int GetState() const { return m_nState; }
  bool IsBarShown() const { return (m_bSliderFlags & SF_BAR_SHOWN) != 0; }
  // The caption band in window coordinates; empty when the bar shows no caption.
  CRect GetCaptionRect() const;
  // The frame's client area the slider may use: its client minus its outer dock bars.
  static CRect FreeFrameArea(CFrameWnd* pFrame);
  // The slider owning the thread's input hooks, NULL when no hooks are in.
  static CExtDynAutoHideSlider* GetHookOwner();

  // The caption's source for the theme.
  SourceKind GetCaptionSourceKind() const override { return SOURCE_AUTO_HIDE_SLIDER; }
  bool IsFloatingBarFixedMode() const override { return false; }

  BOOL PreTranslateMessage(MSG* pMsg) override;
  // What the thread's mouse hook hands on: true eats the message.
  bool OnHookedMouse(UINT nMessage, const MOUSEHOOKSTRUCT& info);

  // The thread's mouse and keyboard hooks while a bar is out; unhooked when destroyed.
  class ThreadHooks {
  public:
    ThreadHooks() = default;
    ~ThreadHooks() { Remove(); }
    ThreadHooks(const ThreadHooks&) = delete;
    ThreadHooks& operator=(const ThreadHooks&) = delete;
    bool Install(CExtDynAutoHideSlider* pOwner);
    void Remove();
    CExtDynAutoHideSlider* Owner() const { return m_pOwner; }

  private:
    static LRESULT CALLBACK MouseProc(int nCode, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK KeyboardProc(int nCode, WPARAM wParam, LPARAM lParam);
    CExtDynAutoHideSlider* m_pOwner = NULL;
    HHOOK m_hMouse = NULL;
    HHOOK m_hKeyboard = NULL;
  };
  static ThreadHooks g_Hooks;

protected:
  // The rectangle of the slider in frame client coordinates for the bar fully out, and the
  // bar's size (its client) inside it.
  bool CalcShownLayout(CExtControlBar* pBar, CRect& rcSlider, CSize& sizeBar);
  // The slider's window rectangle, in frame client coordinates, after step i of n out of the side.
  CRect StepRect(const CRect& rcFull, int nNumerator) const;
  void MoveForStep(const CRect& rcFull, int nNumerator);
  void ShowBar(CExtControlBar* pBar, bool bAnimate);
  void HideBar(bool bAnimate);
  // The side the slider comes out of (the area's orientation, 0 top, 1 bottom, 2 left, 3 right).
  int Side() const;
  // The insets around the bar: left, top, right, bottom.
  CRect Insets(CExtControlBar* pBar) const;
  bool IsCursorOutside() const;
  void SyncActiveCaption();
  void ResetFields();
  // Writes the client size back into the bar's remembered extent for the side.
  void StoreBarExtent(int cx, int cy);
  // The bar's caption button under the screen point (only while the bar is out).
  CExtBarNcAreaButton* ButtonAt(CPoint ptScreen) const;
  void PaintNc(CDC& dc);
  // The bar's tip for the caption button under the pointer; none hides the one up.
  void ShowButtonTip(CExtBarNcAreaButton* pButton, CPoint ptScreen);

  void PostNcDestroy() override;

  afx_msg void OnTimer(UINT nIDEvent);
  afx_msg void OnDestroy();
  afx_msg void OnCancelMode();
  afx_msg void OnSize(UINT nType, int cx, int cy);
  afx_msg BOOL OnEraseBkgnd(CDC* pDC);
  afx_msg void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp);
  afx_msg UINT OnNcHitTest(CPoint point);
  afx_msg void OnNcPaint();
  afx_msg void OnNcLButtonDown(UINT nHitTest, CPoint point);
  afx_msg void OnNcMouseMove(UINT nHitTest, CPoint point);
  afx_msg void OnMouseMove(UINT nFlags, CPoint point);
  afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
  afx_msg void OnCaptureChanged(CWnd* pWnd);
  afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
  afx_msg void OnContextMenu(CWnd* pWnd, CPoint point);
  afx_msg void OnNcRButtonUp(UINT nHitTest, CPoint point);
  afx_msg LRESULT OnCustomNcAreaQuery(WPARAM wParam, LPARAM lParam);
  DECLARE_MESSAGE_MAP()

  void ResizeStep(CPoint ptScreen);

  CExtDynAutoHideArea* m_pWndArea = NULL;
  CExtControlBar* m_pBar = NULL;
  LONG m_nClientWidth = 0;
  LONG m_nClientHeight = 0;
  BYTE m_bSliderFlags = 0;
  int m_nState = STATE_NORMAL;
  LONG m_nResizeStartX = 0;
  LONG m_nResizeStartY = 0;
  CExtBarNcAreaButton* m_pBtnHover = NULL;
  CExtBarNcAreaButton* m_pBtnTip = NULL;
  CExtBarNcAreaButton* m_pBtnPressed = NULL;
  CToolTipCtrl m_wndToolTip;
  CRect m_rcFrameClient = CRect(0, 0, 0, 0);
  CRect m_rcResizeStart = CRect(0, 0, 0, 0);
};
