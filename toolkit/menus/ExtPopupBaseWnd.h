// The base of every transient popup window of the toolkit (menus, tips, the colour and control
// popups): the opening animation and its timer, the two drop shadows, the delayed show, the
// posted repaint and the messages that keep a popup from taking the activation. Each popup paints
// its content in PaintContent.
#pragma once

#include "framework/wnd/fw_wnd.h"
#include "toolkit/menus/ExtPopupShadow.h"

class CExtPopupBaseWnd : public CWnd {
  DECLARE_DYNCREATE(CExtPopupBaseWnd)
public:
  // Values of the animation type.
  enum AnimationType_t {
    ANIM_EXPAND = -2, // menus only: rarely used items grow into place
    ANIM_AT_ONCE = -1,
    ANIM_NONE = 0,
    ANIM_RANDOM = 1,
    ANIM_SLIDE = 2,
    ANIM_SLIDE_VERT = 3,
    ANIM_FADE = 4,
    ANIM_UNFOLD = 5,
    ANIM_UNFOLD_VERT = 6,
    ANIM_RANDOM_PIXELS = 7,
    ANIM_BLOCKS = 8,
    ANIM_CIRCLES_GROW = 9,
    ANIM_CIRCLES_CLOSE = 10,
  };
  // Private timers of a popup window.
  enum Timers_t : UINT {
    ID_TIMER_ANIMATION = 666, // one animation step every 30 ms
    ID_TIMER_DELAYED_SHOW = 669,
    ID_TIMER_REPAINT = 672, // posted, never set
    ID_TIMER_TIP_RESERVED = 673,
  };
  enum : UINT { ANIMATION_PERIOD = 30, ANIMATION_STEP = 20 };
  // Bits of m_nFlags.
  enum : BYTE { POPUP_FLAG_0 = 0x01, POPUP_COMBINED_AREA = 0x02 };
  // Bits of m_nState.
  enum : BYTE { POPUP_ANIMATION_FINISHED = 0x01 };

  // The default animation of new popups and the shadow switch, set by the application.
  static int g_nDefaultAnimation;
  static bool g_bShadows;

  CExtPopupBaseWnd();
  ~CExtPopupBaseWnd() override;

  BOOL DestroyWindow() override;

  virtual bool IsRightToLeftLayout() const;
  virtual int GetOwnedShadowSize() const;
  // Whether the popup is a popup menu (a CExtPopupMenuWnd or a class derived from it).
  virtual bool IsMenuOfKind() const;
  virtual bool IsEffectsSuppressed() const;
  virtual void ValidateAnimationType();
  virtual void StartAnimationTimer();
  virtual void AdjustAnimationType(int& nType);
  virtual void ReleaseAnimationBuffers();
  virtual bool IsShadowEnabled() const;
  virtual void PaintAnimationFrame(CDC& dc);
  virtual int GetShadowSize() const;
  virtual void PaintContent(CDC& dc, bool bOnScreen);
  virtual void PostDelayedRepaint();
  virtual void GetContentRect(RECT& rc) const;
  virtual bool IsHelpMode() const;

  bool IsAnimationFinished() const { return (m_nState & POPUP_ANIMATION_FINISHED) != 0; }
  // Runs timer 666 once: a test seam and the body of the timer handler.
  void StepAnimation();

  // What the screen shows beneath the popup. Under Wine a popup's own DC answers its own surface,
  // never the screen beneath, so the image is taken from the screen DC while the popup is still
  // hidden. The order of showing a popup:
  //   1. create the window hidden at its final place and size;
  //   2. CaptureScreenBeneath() (timer 669 does it itself before its SW_SHOWNA);
  //   3. show it (SWP_SHOWWINDOW | SWP_NOACTIVATE), then StartAnimationTimer().
  // The image covers the window rectangle (client coordinates are window coordinates: popups have
  // no non-client area); it becomes the animation's background and the source the two shadows save
  // their strips from. Without it both fall back to the popup's DC. False (and no image) when the
  // window does not exist, is visible or empty, or the screen cannot be read.
  bool CaptureScreenBeneath();
  // Forgets the image; the shadows then save from the DC they paint on.
  void ReleaseScreenBeneath();
  bool HasScreenBeneath() const { return m_bmpScreenBeneath.GetSafeHandle() != NULL; }

  // The pixel effects of types -1 and 2-10. A popup's PaintAnimationFrame override calls
  // PaintFrameOfType, which makes and fills the buffers on first use; the rest are its steps, usable
  // on in-memory buffers without a window.
  //
  // The buffers of an animation: three bottom-up 32-bit DIB sections of cx by cy, zero-filled;
  // m_pBackground, m_pFinal and m_pFrame point at their bits (row 0 is the bottom row). False, with
  // nothing kept, when one cannot be made.
  bool CreateAnimationBuffers(int cx, int cy);
  // Fills made buffers: the background from the captured screen image, else from what dcWindow
  // shows at (0, 0); the final image is the background with PaintContent (on-screen FALSE) over
  // it; the frame starts as the background, so pixels an effect has not reached yet show the
  // screen beneath.
  bool FillAnimationBuffers(CDC& dcWindow);
  // Composes the frame of the current step (m_nStep, m_nPrevStep) and type into the frame buffer,
  // cx by cy. nCombineSide is where a combined area lies (0 none, 1 above, 2 below, 3 right,
  // 4 left): slides and unfolds start from that side. Random pixels and circles leave the frame as
  // it was when the step has not moved, and circles when their radius is 0. False when the buffers
  // do not exist or the type has no pixel effect.
  bool ComposeFrame(int cx, int cy, int nCombineSide = 0);
  // True for the types whose frames ComposeFrame makes (-1 and 2-10).
  static bool IsPixelEffect(int nType) {
    return nType == ANIM_AT_ONCE || (nType >= ANIM_SLIDE && nType <= ANIM_CIRCLES_CLOSE);
  }

  CRect m_rcArea;       // a menu: the part combined with the button; the tip: the hover area
  BYTE m_nFlags = 0;    // POPUP_COMBINED_AREA
  int m_nAnimationType; // AnimationType_t
  UINT m_nEndSound = 0; // played when the animation finishes; 0 = none
  DWORD* m_pBackground = NULL;
  DWORD* m_pFinal = NULL;
  DWORD* m_pFrame = NULL;
  int m_nStep = 0;
  int m_nPrevStep = 0;
  BYTE m_nState = 0;
  int m_nOwnedShadow1 = 1;
  int m_nOwnedShadow2 = 1;
  CExtPopupShadow m_shadow;
  CExtPopupShadow m_shadowArea;
  CBitmap m_bmpBackground;
  CBitmap m_bmpFinal;
  CBitmap m_bmpFrame;
  int m_cxBuffers = 0, m_cyBuffers = 0;
  // The random-pixel effect's generator (the runtime's linear-congruential one).
  unsigned m_nRandomSeed = 1;
  int NextRandom();
  CBitmap m_bmpScreenBeneath; // CaptureScreenBeneath's image, window-sized

protected:
  afx_msg int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
  afx_msg BOOL OnEraseBkgnd(CDC* pDC);
  afx_msg void OnPaint();
  afx_msg void OnNcPaint();
  afx_msg void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp);
  afx_msg void OnSize(UINT nType, int cx, int cy);
  afx_msg void OnActivateApp(BOOL bActive, DWORD dwThreadID);
  afx_msg void OnCancelMode();
  afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
  afx_msg void OnTimer(UINT nIDEvent);
  DECLARE_MESSAGE_MAP()

  // Paints the frame of the current step of a pixel effect (IsPixelEffect) on the client DC, cx by
  // cy: makes and fills the buffers on first use, composes the frame and copies it. With a combined
  // area (POPUP_COMBINED_AREA, m_rcArea) the area is shown final at once and kept, with its shadow,
  // out of the effect. On a palette device the theme's palette is used. False when the type has no
  // pixel effect or the buffers cannot be made: the caller then paints the content plainly.
  bool PaintFrameOfType(CDC& dc, int cx, int cy, int nCombineSide = 0);

private:
  void FreeAnimationBuffers();
  void ComposeFade(int nCount);
  void ComposeRandomPixels(int nCount);
  void ComposeBlocks(int cx, int cy);
  void ComposeCircles(int cx, int cy);
  void ComposeSlide(int cx, int cy, int nCombineSide);
  bool ComposeUnfold(int cx, int cy, int nCombineSide);
  void CopyCombinedArea(CDC& dc, CDC& dcFinal, CDC& dcBackground, int cx, int cy, int nCombineSide);
};
