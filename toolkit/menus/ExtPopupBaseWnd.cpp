// The popup window base: the animation's type and steps on timer 666, the image of the screen
// beneath, the delayed show and posted repaint, and the messages that keep a popup inactive. The
// pixel effects are in ExtPopupAnimation.cpp.
#include "toolkit/menus/ExtPopupBaseWnd.h"

#include "toolkit/foundation/ExtGdiHandles.h"
#include "toolkit/foundation/ExtResourceManager.h"
#include "toolkit/foundation/ExtSoundPlayer.h"
#include "toolkit/menus/ExtPopupMenuWnd.h"
#include "toolkit/theme/ExtPaintManagerHolder.h"

#include <initializer_list>

IMPLEMENT_DYNCREATE(CExtPopupBaseWnd, CWnd)

BEGIN_MESSAGE_MAP(CExtPopupBaseWnd, CWnd)
ON_WM_MOUSEACTIVATE()
ON_WM_ERASEBKGND()
ON_WM_PAINT()
ON_WM_NCPAINT()
ON_WM_NCCALCSIZE()
ON_WM_SIZE()
ON_WM_ACTIVATEAPP()
ON_WM_CANCELMODE()
ON_WM_SETCURSOR()
ON_WM_TIMER()
END_MESSAGE_MAP()

namespace {

const int kRandomTypeCount = 11;

} // namespace

CExtPopupBaseWnd::CExtPopupBaseWnd() : m_nAnimationType(g_nDefaultAnimation) {
  m_rcArea.SetRectEmpty();
  ValidateAnimationType();
}

CExtPopupBaseWnd::~CExtPopupBaseWnd() {
  ReleaseScreenBeneath();
  FreeAnimationBuffers();
}

BOOL CExtPopupBaseWnd::DestroyWindow() {
  if (m_hWnd == NULL || !::IsWindow(m_hWnd))
    return TRUE;
  // Destroying may end with the object deleted (a tracked menu's post-destroy): nothing of it is
  // touched afterwards.
  ReleaseScreenBeneath();
  return CWnd::DestroyWindow();
}

bool CExtPopupBaseWnd::IsRightToLeftLayout() const { return g_ResourceManagerHolder->IsRightToLeft(); }

int CExtPopupBaseWnd::GetOwnedShadowSize() const { return m_nOwnedShadow1 != 0 ? m_nOwnedShadow2 : 0; }

bool CExtPopupBaseWnd::IsMenuOfKind() const { return IsKindOf(RUNTIME_CLASS(CExtPopupMenuWnd)) != FALSE; }

bool CExtPopupBaseWnd::IsEffectsSuppressed() const { return false; }

int CExtPopupBaseWnd::NextRandom() {
  m_nRandomSeed = m_nRandomSeed * 214013u + 2531011u;
  return (int)((m_nRandomSeed >> 16) & 0x7FFF);
}

void CExtPopupBaseWnd::ValidateAnimationType() {
  m_nStep = m_nPrevStep = 0;
  AdjustAnimationType(m_nAnimationType);
  int& nType = m_nAnimationType;
  if (nType != ANIM_EXPAND && nType != ANIM_AT_ONCE && (nType < ANIM_NONE || nType > ANIM_CIRCLES_CLOSE))
    nType = ANIM_NONE;
  if (nType == ANIM_RANDOM) {
    nType = NextRandom() % kRandomTypeCount;
    if (nType == ANIM_NONE || nType == ANIM_RANDOM)
      nType = ANIM_FADE;
  }
  // A palette display cannot blend or move pixels smoothly: the popup shows at once.
  if (nType != ANIM_EXPAND && nType != ANIM_AT_ONCE && CExtPaintManager::GetScreenBitsPerPixel() <= 8)
    nType = ANIM_NONE;
  if (nType == ANIM_NONE)
    m_nState |= POPUP_ANIMATION_FINISHED;
  else
    m_nState &= (BYTE)~POPUP_ANIMATION_FINISHED;
}

void CExtPopupBaseWnd::StartAnimationTimer() {
  ValidateAnimationType();
  if (m_nAnimationType != ANIM_NONE && ::IsWindow(m_hWnd))
    SetTimer(ID_TIMER_ANIMATION, ANIMATION_PERIOD);
}

void CExtPopupBaseWnd::AdjustAnimationType(int&) {}

void CExtPopupBaseWnd::ReleaseAnimationBuffers() { FreeAnimationBuffers(); }

bool CExtPopupBaseWnd::IsShadowEnabled() const { return g_bShadows; }

void CExtPopupBaseWnd::PaintAnimationFrame(CDC& dc) { PaintContent(dc, true); }

int CExtPopupBaseWnd::GetShadowSize() const {
  if (!IsShadowEnabled() || g_PaintManagerHolder.GetPM() == NULL)
    return 0;
  return g_PaintManagerHolder->GetMenuShadowSize();
}

void CExtPopupBaseWnd::PaintContent(CDC&, bool) {}

void CExtPopupBaseWnd::PostDelayedRepaint() {
  if (m_hWnd != NULL && ::IsWindow(m_hWnd))
    PostMessage(WM_TIMER, ID_TIMER_REPAINT, 0);
}

void CExtPopupBaseWnd::GetContentRect(RECT& rc) const { ::GetClientRect(m_hWnd, &rc); }

bool CExtPopupBaseWnd::IsHelpMode() const { return false; }

void CExtPopupBaseWnd::StepAnimation() {
  if (IsAnimationFinished())
    return;
  const int nType = m_nAnimationType;
  if (nType == ANIM_EXPAND || (nType >= ANIM_SLIDE && nType <= ANIM_CIRCLES_CLOSE)) {
    m_nPrevStep = m_nStep;
    m_nStep += ANIMATION_STEP;
    if (m_nStep > 100)
      m_nState |= POPUP_ANIMATION_FINISHED;
  } else if (nType == ANIM_AT_ONCE) {
    m_nState |= POPUP_ANIMATION_FINISHED;
  }
  const bool bFinished = IsAnimationFinished();
  if (bFinished) {
    // Cleared either way: a sound kept for later would play at the wrong moment.
    const UINT nSound = m_nEndSound;
    m_nEndSound = 0;
    if (nSound != 0 && !IsEffectsSuppressed() && g_SoundPlayer.GetPtr() != NULL)
      g_SoundPlayer->PlayUiSound((CExtSoundPlayer::UiSoundId)nSound);
    if (::IsWindow(m_hWnd))
      KillTimer(ID_TIMER_ANIMATION);
    m_nAnimationType = g_nDefaultAnimation;
  }
  if (::IsWindow(m_hWnd)) {
    if (bFinished)
      ReleaseAnimationBuffers();
    // The last frame of some effects is not the content: the finished popup paints it anew.
    if (::IsWindow(m_hWnd))
      ::InvalidateRect(m_hWnd, NULL, FALSE);
  }
  if (bFinished && IsKindOf(RUNTIME_CLASS(CExtPopupMenuWnd)) &&
      g_PopupTrackSite.m_pAnimatedMenu == static_cast<CExtPopupMenuWnd*>(this))
    g_PopupTrackSite.m_pAnimatedMenu = NULL;
}

bool CExtPopupBaseWnd::CaptureScreenBeneath() {
  ReleaseScreenBeneath();
  CRect rc;
  if (m_hWnd == NULL || !::IsWindow(m_hWnd) || (GetStyle() & WS_VISIBLE) != 0 ||
      !::GetWindowRect(m_hWnd, &rc) || rc.IsRectEmpty())
    return false;
  {
    CClientDC dcScreen(NULL);
    if (dcScreen.GetSafeHdc() == NULL)
      return false;
    ExtBitmapPtr_t image(::CreateCompatibleBitmap(dcScreen.GetSafeHdc(), rc.Width(), rc.Height()));
    {
      ExtMemDC_t mem(dcScreen.GetSafeHdc());
      if (!image || !mem.Select(image.get()) ||
          !::BitBlt(mem.Get(), 0, 0, rc.Width(), rc.Height(), dcScreen.GetSafeHdc(), rc.left, rc.top,
                    SRCCOPY))
        return false;
    }
    m_bmpScreenBeneath.Attach(image.release());
  }
  // Under Wine the screen read is a round trip in which the thread's connection to X takes in
  // every event waiting for it, which the thread then handles only at its next wait. A focus change
  // among them (left by a window that closed just before, the object picker's say) raises the
  // frame over every window when handled: handled after the popup showed, it buries the popup.
  // The events are handled now, while the popup is still hidden.
  ::MsgWaitForMultipleObjects(0, NULL, FALSE, 0, QS_ALLINPUT);
  // Strips saved at an earlier showing are of another place or time.
  for (CExtPopupShadow* pShadow : {&m_shadow, &m_shadowArea}) {
    pShadow->Reset();
    pShadow->SetScreenSource((HBITMAP)m_bmpScreenBeneath.GetSafeHandle(), CPoint(0, 0));
  }
  return true;
}

void CExtPopupBaseWnd::ReleaseScreenBeneath() {
  m_shadow.SetScreenSource(NULL, CPoint(0, 0));
  m_shadowArea.SetScreenSource(NULL, CPoint(0, 0));
  m_bmpScreenBeneath.DeleteObject();
}

int CExtPopupBaseWnd::OnMouseActivate(CWnd*, UINT, UINT) {
  if (!IsEffectsSuppressed()) {
    // A click on a control the popup hosts activates the popup, so the control gets the focus.
    POINT pt;
    if (::GetWindow(m_hWnd, GW_CHILD) != NULL && ::GetCursorPos(&pt)) {
      const HWND hWndUnder = ::WindowFromPoint(pt);
      if (hWndUnder != NULL && (::GetWindowLongA(hWndUnder, GWL_STYLE) & WS_CHILD) != 0 &&
          ::GetParent(hWndUnder) == m_hWnd)
        return MA_ACTIVATE;
    }
    return MA_NOACTIVATEANDEAT;
  }
  if (IsKindOf(RUNTIME_CLASS(CExtPopupMenuWnd)))
    static_cast<CExtPopupMenuWnd*>(this)->RepaintOpenChain();
  else
    SetWindowPos(&wndTop, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE);
  return MA_NOACTIVATE;
}

BOOL CExtPopupBaseWnd::OnEraseBkgnd(CDC*) { return TRUE; }

void CExtPopupBaseWnd::OnPaint() {
  CPaintDC dc(this);
  if (!::IsWindow(m_hWnd) || (GetStyle() & WS_VISIBLE) == 0)
    return;
  CExtPaintManager::ExcludeChildAreas(dc.GetSafeHdc(), m_hWnd);
  if (IsAnimationFinished())
    PaintContent(dc, true);
  else
    PaintAnimationFrame(dc);
}

void CExtPopupBaseWnd::OnNcPaint() {}

// The whole window is client area.
void CExtPopupBaseWnd::OnNcCalcSize(BOOL, NCCALCSIZE_PARAMS*) {}

void CExtPopupBaseWnd::OnSize(UINT nType, int cx, int cy) {
  CWnd::OnSize(nType, cx, cy);
  Invalidate(FALSE);
}

void CExtPopupBaseWnd::OnActivateApp(BOOL bActive, DWORD dwThreadID) {
  CWnd::OnActivateApp(bActive, dwThreadID);
}

void CExtPopupBaseWnd::OnCancelMode() { CWnd::OnCancelMode(); }

BOOL CExtPopupBaseWnd::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message) {
  if (IsHelpMode()) {
    ::SetCursor(::LoadCursorA(NULL, IDC_HELP));
    return TRUE;
  }
  return CWnd::OnSetCursor(pWnd, nHitTest, message);
}

void CExtPopupBaseWnd::OnTimer(UINT nIDEvent) {
  switch (nIDEvent) {
  case ID_TIMER_ANIMATION:
    StepAnimation();
    return;
  case ID_TIMER_DELAYED_SHOW:
    KillTimer(ID_TIMER_DELAYED_SHOW);
    if ((GetStyle() & WS_VISIBLE) == 0)
      CaptureScreenBeneath();
    ShowWindow(SW_SHOWNA);
    Invalidate(FALSE);
    UpdateWindow();
    return;
  case ID_TIMER_REPAINT: {
    KillTimer(ID_TIMER_REPAINT);
    CClientDC dc(this);
    PaintContent(dc, true);
    return;
  }
  case ID_TIMER_TIP_RESERVED:
    return;
  default:
    CWnd::OnTimer(nIDEvent);
  }
}
