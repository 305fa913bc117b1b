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

  // The buffers of an animation: bottom-up 32-bit DIB sections of the client size.
  bool CreateAnimationBuffers(int cx, int cy);
  // Composes one frame of the pixel effects (types 2-10 and -1) into the frame buffer for the
  // current step; w by h pixels; answers whether the frame buffer holds the frame to show (the
  // final buffer is shown as is for -1).
  bool ComposeFrame(int cx, int cy);

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

  // The menu's own frame painting reaches the base's pixel effects through these.
  void PaintFrameOfType(CDC& dc, int cx, int cy);
};
