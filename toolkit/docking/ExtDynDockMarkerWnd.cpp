// Marker and highlight windows: creation, painting, fading in and out, the hot check and the
// highlight of the area under a marker.
#include "toolkit/docking/ExtDynDockMarkerWnd.h"

#include "toolkit/docking/ExtDockBar.h"
#include "toolkit/foundation/ExtWndClass.h"
#include "toolkit/theme/ExtPaintManager.h"
#include "toolkit/theme/ExtPaintManagerHolder.h"

#include <algorithm>

IMPLEMENT_DYNAMIC(CExtDynDockMarkerWnd, CWnd)
IMPLEMENT_DYNAMIC(CExtDynDockHighlightWnd, CWnd)

const char CExtDynDockMarkerWnd::kClassName[] = "Corvane-DynDockMarker";
const char CExtDynDockHighlightWnd::kClassName[] = "Corvane-DynDockHighlightWnd";

namespace {

// The hidden owner of every marker and highlight; destroyed at exit when it still exists.
class OwnerWindow {
public:
  ~OwnerWindow() {
    if (m_hWnd != NULL && ::IsWindow(m_hWnd))
      ::DestroyWindow(m_hWnd);
  }
  HWND Get() {
    if (m_hWnd == NULL || !::IsWindow(m_hWnd)) {
      m_hWnd = NULL;
      if (CExtDynDockMarkerWnd::RegisterWndClasses())
        m_hWnd = ::CreateWindowExA(0, CExtDynDockMarkerWnd::kClassName, "", WS_POPUP, 0, 0, 0, 0, NULL, NULL,
                                   ::GetModuleHandleA(NULL), NULL);
    }
    return m_hWnd;
  }

private:
  HWND m_hWnd = NULL;
};

struct MarkerGlobals {
  CExtDynDockMarkerWnd::MarkerArray_t arrOuter, arrBar;
  OwnerWindow owner;
  CSize sizeDefaultHighlight = CSize(30, 30);
  HWND hWndRemembered = NULL;
};

// Made on first use: nothing of marker docking exists until a drag asks for it.
MarkerGlobals& Globals() {
  static MarkerGlobals g;
  return g;
}

bool RegisterClassOnce(LPCSTR lpszClassName) { return ExtRegisterWndClass(lpszClassName, CS_GLOBALCLASS); }

void SetLayeredAlpha(HWND hWnd, int nPercent) {
  if (g_PaintManagerHolder.m_pfnSetLayeredWindowAttributes != NULL)
    g_PaintManagerHolder.m_pfnSetLayeredWindowAttributes(hWnd, 0, (BYTE)(nPercent * 255 / 100), LWA_ALPHA);
}

void DrawBitmap(CDC& dc, CBitmap& bmp, int x, int y) {
  BITMAP bm = {};
  if (bmp.GetSafeHandle() == NULL || ::GetObject(bmp.GetSafeHandle(), sizeof(bm), &bm) == 0)
    return;
  CDC dcMem;
  if (!dcMem.CreateCompatibleDC(&dc))
    return;
  CBitmap* pOld = dcMem.SelectObject(&bmp);
  dc.BitBlt(x, y, bm.bmWidth, bm.bmHeight, &dcMem, 0, 0, SRCCOPY);
  dcMem.SelectObject(pOld);
}

bool IsSideKind(int nKind) {
  return nKind >= CExtDynDockMarkerWnd::KIND_TOP && nKind <= CExtDynDockMarkerWnd::KIND_RIGHT;
}

// The side of rc that a side kind names, cut to nDepth (a half of rc when nDepth is negative).
CRect SideBand(const CRect& rc, int nKind, int nDepth) {
  CRect rcBand(rc);
  const int nDepthV = nDepth < 0 ? rc.Height() / 2 : std::min(nDepth, rc.Height());
  const int nDepthH = nDepth < 0 ? rc.Width() / 2 : std::min(nDepth, rc.Width());
  switch (nKind) {
  case CExtDynDockMarkerWnd::KIND_TOP:
    rcBand.bottom = rc.top + nDepthV;
    break;
  case CExtDynDockMarkerWnd::KIND_BOTTOM:
    rcBand.top = rc.bottom - nDepthV;
    break;
  case CExtDynDockMarkerWnd::KIND_LEFT:
    rcBand.right = rc.left + nDepthH;
    break;
  case CExtDynDockMarkerWnd::KIND_RIGHT:
    rcBand.left = rc.right - nDepthH;
    break;
  }
  return rcBand;
}

// The docking area between the frame's four outer dock bars, empty when it cannot be told.
CRect OuterDockArea(CFrameWnd* pFrame) {
  CExtDockBar* pSides[4] = {};
  for (UINT i = 0; i < 4; ++i) {
    pSides[i] =
        pFrame != NULL ? DYNAMIC_DOWNCAST(CExtDockBar, pFrame->GetControlBar(AFX_IDW_DOCKBAR_TOP + i)) : NULL;
    if (pSides[i] == NULL)
      return CRect(0, 0, 0, 0);
  }
  // Ids run top, left, right, bottom.
  return CRect(pSides[1]->m_rcInnerEdge.left, pSides[0]->m_rcInnerEdge.top, pSides[2]->m_rcInnerEdge.right,
               pSides[3]->m_rcInnerEdge.bottom);
}

// The messages the marker and highlight popups answer alike: a click neither activates them nor
// reaches them, they have no non-client area and paint whole, also into a WM_PRINT device context.
// False for any other message.
template <class Paint>
bool AnswerPicturePopup(CWnd* pWnd, UINT message, WPARAM wParam, Paint paint, LRESULT& lResult) {
  switch (message) {
  case WM_MOUSEACTIVATE:
    lResult = MA_NOACTIVATEANDEAT;
    return true;
  case WM_NCCALCSIZE:
    lResult = 0;
    return true;
  case WM_ERASEBKGND:
    lResult = 1;
    return true;
  case WM_PAINT: {
    CPaintDC dc(pWnd);
    paint(dc);
    lResult = 0;
    return true;
  }
  case WM_PRINT:
  case WM_PRINTCLIENT:
    if (CDC* pDC = CDC::FromHandle((HDC)wParam))
      paint(*pDC);
    lResult = 0;
    return true;
  default:
    return false;
  }
}

// Puts the markers above every other topmost window (the highlight among them).
void RaiseMarkers() {
  for (CExtDynDockMarkerWnd::MarkerArray_t* pArr :
       {&CExtDynDockMarkerWnd::OuterMarkers(), &CExtDynDockMarkerWnd::BarMarkers()})
    for (CExtDynDockMarkerWnd* pMarker : *pArr)
      if (pMarker->m_hWnd != NULL && pMarker->IsWindowVisible())
        ::SetWindowPos(pMarker->m_hWnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

} // namespace

// ---------------------------------------------------------------------------------------------
// Globals

CExtDynDockMarkerWnd::MarkerArray_t& CExtDynDockMarkerWnd::OuterMarkers() { return Globals().arrOuter; }
CExtDynDockMarkerWnd::MarkerArray_t& CExtDynDockMarkerWnd::BarMarkers() { return Globals().arrBar; }
HWND CExtDynDockMarkerWnd::GetOwnerWindow() { return Globals().owner.Get(); }
HWND CExtDynDockMarkerWnd::GetRememberedTarget() { return Globals().hWndRemembered; }
void CExtDynDockMarkerWnd::SetRememberedTarget(HWND hWnd) { Globals().hWndRemembered = hWnd; }
CSize& CExtDynDockMarkerWnd::DefaultHighlightExtents() { return Globals().sizeDefaultHighlight; }

bool CExtDynDockMarkerWnd::RegisterWndClasses() {
  return RegisterClassOnce(kClassName) && RegisterClassOnce(CExtDynDockHighlightWnd::kClassName);
}

bool CExtDynDockMarkerWnd::CanFade() {
  return CExtPaintManager::GetScreenBitsPerPixel() > 8 &&
         g_PaintManagerHolder.m_pfnSetLayeredWindowAttributes != NULL &&
         !g_PaintManagerHolder->IsDockMarkerStyle1();
}

const CExtControlBar::InternalDraggingState_t* CExtDynDockMarkerWnd::RunningDrag() {
  const CExtControlBar::InternalDraggingState_t* pState = g_pDraggingState;
  return pState != NULL && !pState->IsEmpty() && pState->m_pBarSource != NULL ? pState : NULL;
}

// ---------------------------------------------------------------------------------------------
// Creation and destruction

CExtDynDockMarkerWnd::CExtDynDockMarkerWnd()
    : m_bOuter(0), m_nKind(-1), m_hWndHotMarker(NULL), m_pHighlight(NULL), m_hWndTarget(NULL), m_nPictureX(0),
      m_nPictureY(0), m_nHotState(HOT_UNKNOWN), m_bState(0), m_nAlpha(100), m_nThemeKind(-1),
      m_rcArea(0, 0, 0, 0) {}

CExtDynDockMarkerWnd::~CExtDynDockMarkerWnd() {
  if (m_pHighlight != NULL) {
    if (::IsWindow(m_pHighlight->m_hWnd))
      m_pHighlight->DestroyWindow();
    delete m_pHighlight;
    m_pHighlight = NULL;
  }
}

bool CExtDynDockMarkerWnd::CreateMarker(int nKind, bool bOuter, HBITMAP hNormal, HBITMAP hHot, HRGN hShape,
                                        const RECT& rcScreen, HBITMAP hBackground, int nPictureX,
                                        int nPictureY) {
  m_nKind = nKind;
  m_bOuter = bOuter ? 1 : 0;
  m_bmpNormal.Attach(hNormal);
  m_bmpHot.Attach(hHot);
  m_bmpBackground.Attach(hBackground);
  m_rgn.Attach(hShape);
  m_nPictureX = nPictureX;
  m_nPictureY = nPictureY;
  HWND hOwner = GetOwnerWindow();
  if (hOwner == NULL)
    return false;
  const CRect rc(rcScreen);
  if (!CreateEx(WS_EX_TOPMOST, kClassName, "", WS_POPUP, rc.left, rc.top, rc.Width(), rc.Height(), hOwner,
                NULL))
    return false;
  // The system owns the region it is given; the marker keeps its own.
  if (m_rgn.GetSafeHandle() != NULL) {
    HRGN hCopy = ::CreateRectRgn(0, 0, 0, 0);
    if (hCopy != NULL && ::CombineRgn(hCopy, (HRGN)m_rgn.GetSafeHandle(), NULL, RGN_COPY) != ERROR)
      ::SetWindowRgn(m_hWnd, hCopy, FALSE);
    else if (hCopy != NULL)
      ::DeleteObject(hCopy);
  }
  SetTimer(kHotCheckTimer, kHotCheckPeriod, NULL);
  return true;
}

BOOL CExtDynDockMarkerWnd::DestroyWindow() {
  ShowHighlight(false);
  return CWnd::DestroyWindow();
}

void CExtDynDockMarkerWnd::PostNcDestroy() { delete this; }

void CExtDynDockMarkerWnd::DestroyMarkers(MarkerArray_t& arrMarkers, bool bDeferred) {
  // Taken out first: destroying a window runs code that may look at the arrays.
  MarkerArray_t arr;
  arr.swap(arrMarkers);
  if (&arrMarkers == &BarMarkers())
    SetRememberedTarget(NULL);
  for (CExtDynDockMarkerWnd* pMarker : arr) {
    if (pMarker->m_hWnd == NULL) {
      delete pMarker;
      continue;
    }
    if (bDeferred) {
      // A marker waits for a fade out to end (one fading in turns round); one that has no fade to
      // wait for would never go.
      if (((pMarker->m_bState & SF_FADING) == 0 || (pMarker->m_bState & SF_FADE_SHOWS) != 0) &&
          pMarker->IsWindowVisible() && CanFade())
        pMarker->StartFade(false);
      if ((pMarker->m_bState & SF_FADING) != 0) {
        pMarker->m_bState |= SF_DESTROY_AFTER_FADE;
        continue;
      }
    }
    pMarker->DestroyWindow();
  }
}

// ---------------------------------------------------------------------------------------------
// Showing, hiding and fading

void CExtDynDockMarkerWnd::ShowMarkers(MarkerArray_t& arrMarkers, bool bShow, bool bAllowFade) {
  const bool bFade = bAllowFade && CanFade();
  for (CExtDynDockMarkerWnd* pMarker : arrMarkers) {
    if (pMarker->m_hWnd == NULL)
      continue;
    if (bFade) {
      if ((pMarker->m_bState & SF_FADING) != 0 || (pMarker->IsWindowVisible() != FALSE) != bShow)
        pMarker->StartFade(bShow);
      continue;
    }
    pMarker->StopFade();
    pMarker->ShowWindow(bShow ? SW_SHOWNA : SW_HIDE);
  }
  CExtPaintManager::PumpPendingMessages(true, true, true);
}

void CExtDynDockMarkerWnd::StartFade(bool bShow) {
  // A fade already going this way goes on undisturbed: re-arming its timer at every call (the
  // hot check asks again and again) would keep it from ever stepping.
  const bool bWasFading = (m_bState & SF_FADING) != 0;
  if (bWasFading && ((m_bState & SF_FADE_SHOWS) != 0) == bShow)
    return;
  // A fade that turns round goes on from where it is.
  if (!bWasFading)
    m_nAlpha = bShow ? 0 : 100;
  m_bState |= SF_FADING;
  if (bShow)
    m_bState |= SF_FADE_SHOWS;
  else
    m_bState &= ~SF_FADE_SHOWS;
  ModifyStyleEx(0, WS_EX_LAYERED);
  SetLayeredAlpha(m_hWnd, m_nAlpha);
  // A window that fades in must be on the screen while it does.
  if (bShow)
    ShowWindow(SW_SHOWNA);
  if (!bWasFading)
    SetTimer(kFadeTimer, kFadePeriod, NULL);
}

// Ends a fade where it is, without showing, hiding or destroying anything.
void CExtDynDockMarkerWnd::StopFade() {
  if ((m_bState & SF_FADING) == 0 && (GetExStyle() & WS_EX_LAYERED) == 0)
    return;
  KillTimer(kFadeTimer);
  m_bState &= ~(SF_FADING | SF_FADE_SHOWS);
  m_nAlpha = 100;
  ModifyStyleEx(WS_EX_LAYERED, 0);
  RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW);
}

void CExtDynDockMarkerWnd::OnFadeStep() {
  const bool bShows = (m_bState & SF_FADE_SHOWS) != 0;
  if ((!bShows && m_nAlpha < 1) || (bShows && m_nAlpha >= 100)) {
    EndFade();
    return;
  }
  m_nAlpha = std::max(0, std::min(100, m_nAlpha + (bShows ? kFadeStep : -kFadeStep)));
  if (CanFade()) {
    SetLayeredAlpha(m_hWnd, m_nAlpha);
    RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW);
  }
}

void CExtDynDockMarkerWnd::EndFade() {
  KillTimer(kFadeTimer);
  ShowWindow((m_bState & SF_FADE_SHOWS) != 0 ? SW_SHOWNA : SW_HIDE);
  ModifyStyleEx(WS_EX_LAYERED, 0);
  RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW);
  m_bState &= ~(SF_FADING | SF_FADE_SHOWS);
  m_nAlpha = 100;
  if ((m_bState & SF_DESTROY_AFTER_FADE) != 0)
    DestroyWindow(); // deletes this
}

// ---------------------------------------------------------------------------------------------
// Hot state

void CExtDynDockMarkerWnd::OnHotCheck() {
  if (!IsWindowVisible())
    return;
  if (m_hWndTarget != NULL && !::IsWindow(m_hWndTarget)) {
    // The target went away under the markers: hide them and let the drag step look again, once for
    // the set. Every marker stays visible while it fades out; asking again at each of their checks
    // would run a drag step each time and hold back the fade, whose timer comes after the checks'.
    if ((m_bState & SF_TARGET_GONE) != 0)
      return;
    for (CExtDynDockMarkerWnd* pMarker : BarMarkers())
      pMarker->m_bState |= SF_TARGET_GONE;
    ShowMarkers(BarMarkers(), false, true);
    if (const CExtControlBar::InternalDraggingState_t* pDrag = RunningDrag()) {
      CExtControlBar* pBar = pDrag->m_pBarSource;
      POINT pt = {0, 0};
      if (::IsWindow(pBar->GetSafeHwnd()) && ::GetCursorPos(&pt)) {
        pBar->ScreenToClient(&pt);
        const WPARAM wFlags = (::GetKeyState(VK_CONTROL) & 0x8000) != 0 ? (MK_LBUTTON | MK_CONTROL) : 0;
        pBar->PostMessage(WM_MOUSEMOVE, wFlags, MAKELPARAM(pt.x, pt.y));
      }
    }
    return;
  }
  POINT pt = {0, 0};
  const int nHot = ::GetCursorPos(&pt) && ::WindowFromPoint(pt) == m_hWnd ? HOT_OVER : HOT_AWAY;
  if (nHot == m_nHotState)
    return;
  m_nHotState = nHot;
  if (nHot != HOT_OVER)
    ShowHighlight(false);
  if (!m_bOuter && m_nKind != KIND_FOLLOWER) {
    for (CExtDynDockMarkerWnd* pFollower : BarMarkers()) {
      if (pFollower->m_nKind != KIND_FOLLOWER || pFollower->m_hWndTarget != m_hWndTarget ||
          pFollower->m_hWnd == NULL)
        continue;
      if (nHot == HOT_OVER)
        pFollower->m_hWndHotMarker = m_hWnd;
      else if (pFollower->m_hWndHotMarker == m_hWnd)
        pFollower->m_hWndHotMarker = NULL;
      else
        break; // it follows another marker
      pFollower->RepaintNow();
      break;
    }
  }
  RepaintNow();
}

void CExtDynDockMarkerWnd::RepaintNow() {
  InvalidateRect(NULL, TRUE);
  UpdateWindow();
}

bool CExtDynDockMarkerWnd::GetMarkerState() const {
  return m_nHotState == HOT_OVER || (m_nKind == KIND_FOLLOWER && m_hWndHotMarker != NULL);
}

CSize CExtDynDockMarkerWnd::GetMarkerSize() const {
  CRect rc(0, 0, 0, 0);
  if (m_hWnd != NULL)
    GetClientRect(&rc);
  return rc.Size();
}

int CExtDynDockMarkerWnd::GetTargetType() const {
  if (m_bOuter)
    return IsSideKind(m_nKind) ? 14 + m_nKind : 0;
  if (m_hWndTarget == NULL)
    return 0;
  const bool bBar = DYNAMIC_DOWNCAST(CExtControlBar, CWnd::FromHandlePermanent(m_hWndTarget)) != NULL;
  if (IsSideKind(m_nKind))
    return (bBar ? 22 : 18) + m_nKind;
  return bBar && m_nKind == KIND_CENTER ? 26 : 0;
}

// ---------------------------------------------------------------------------------------------
// Painting and messages

void CExtDynDockMarkerWnd::PaintMarker(CDC* pDC) {
  if (m_bmpBackground.GetSafeHandle() != NULL)
    DrawBitmap(*pDC, m_bmpBackground, 0, 0);
  const bool bHot = GetMarkerState();
  DrawBitmap(*pDC, bHot && m_bmpHot.GetSafeHandle() != NULL ? m_bmpHot : m_bmpNormal, m_nPictureX,
             m_nPictureY);
  g_PaintManagerHolder->PaintDockMarkerWnd(*pDC, this, bHot);
}

LRESULT CExtDynDockMarkerWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT lResult = 0;
  if (AnswerPicturePopup(
          this, message, wParam, [this](CDC& dc) { PaintMarker(&dc); }, lResult))
    return lResult;
  switch (message) {
  case WM_TIMER:
    if (wParam == kHotCheckTimer) {
      OnHotCheck();
      return 0;
    }
    if (wParam == kFadeTimer) {
      OnFadeStep();
      return 0;
    }
    break;
  }
  return CWnd::WindowProc(message, wParam, lParam);
}

// ---------------------------------------------------------------------------------------------
// Highlight

bool CExtDynDockMarkerWnd::ShowHighlight(bool bShow) {
  if (m_pHighlight != NULL) {
    if (::IsWindow(m_pHighlight->m_hWnd))
      m_pHighlight->DestroyWindow();
    delete m_pHighlight;
    m_pHighlight = NULL;
  }
  if (!bShow)
    return true;
  for (MarkerArray_t* pArr : {&OuterMarkers(), &BarMarkers()})
    for (CExtDynDockMarkerWnd* pOther : *pArr)
      if (pOther != this)
        pOther->ShowHighlight(false);
  CExtPaintManager::PumpPendingMessages(true, true, true);
  m_pHighlight = new CExtDynDockHighlightWnd;
  if (m_pHighlight->CreateHighlight(CalcHighlightRect()))
    return true;
  ShowHighlight(false);
  return false;
}

CRect CExtDynDockMarkerWnd::CalcHighlightRect() const {
  if (!m_bOuter) {
    CRect rcTarget(m_rcArea);
    if (m_hWndTarget != NULL && ::IsWindow(m_hWndTarget))
      ::GetWindowRect(m_hWndTarget, &rcTarget);
    return IsSideKind(m_nKind) ? SideBand(rcTarget, m_nKind, -1) : rcTarget;
  }
  if (!IsSideKind(m_nKind))
    return CRect(0, 0, 0, 0);
  // A frame side: bounded by the outer dock bars of the dragged bar's frame when they tell it.
  const CExtControlBar::InternalDraggingState_t* pDrag = RunningDrag();
  CExtControlBar* pBar = pDrag != NULL ? pDrag->m_pBarSource : NULL;
  CRect rcArea(m_rcArea);
  const CRect rcOuter = OuterDockArea(pBar != NULL ? pBar->m_pDockSite : NULL);
  if (!rcOuter.IsRectEmpty())
    rcArea = rcOuter;
  int nLeft = 0, nTop = 0, nRight = 0, nBottom = 0;
  g_PaintManagerHolder->GetDockHighlightMargins(nLeft, nTop, nRight, nBottom);
  rcArea.InflateRect(nLeft, nTop, nRight, nBottom);
  const CSize sizeMin = DefaultHighlightExtents();
  const bool bHorz = m_nKind == KIND_TOP || m_nKind == KIND_BOTTOM;
  int nDepth = bHorz ? sizeMin.cy : sizeMin.cx;
  if (pBar != NULL)
    nDepth = std::max(nDepth, (int)(bHorz ? pBar->m_sizeDockedH.cy : pBar->m_sizeDockedV.cx));
  return SideBand(rcArea, m_nKind, nDepth);
}

bool CExtDynDockHighlightWnd::CreateHighlight(const CRect& rcScreen) {
  HWND hOwner = CExtDynDockMarkerWnd::GetOwnerWindow();
  if (hOwner == NULL || rcScreen.IsRectEmpty())
    return false;
  const int cx = rcScreen.Width(), cy = rcScreen.Height();
  BITMAPINFO bmi = {};
  bmi.bmiHeader.biSize = sizeof(bmi.bmiHeader);
  bmi.bmiHeader.biWidth = cx;
  bmi.bmiHeader.biHeight = -cy; // top-down
  bmi.bmiHeader.biPlanes = 1;
  bmi.bmiHeader.biBitCount = 32;
  bmi.bmiHeader.biCompression = BI_RGB;
  void* pBits = NULL;
  HBITMAP hDib = ::CreateDIBSection(NULL, &bmi, DIB_RGB_COLORS, &pBits, NULL, 0);
  if (hDib == NULL || pBits == NULL)
    return false;
  m_bmp.Attach(hDib);
  {
    CDC dcMem;
    if (!dcMem.CreateCompatibleDC(NULL))
      return false;
    CBitmap* pOld = dcMem.SelectObject(&m_bmp);
    HDC hScreen = ::GetDC(NULL);
    if (hScreen != NULL) {
      ::BitBlt(dcMem.GetSafeHdc(), 0, 0, cx, cy, hScreen, rcScreen.left, rcScreen.top, SRCCOPY);
      ::ReleaseDC(NULL, hScreen);
    }
    dcMem.SelectObject(pOld);
  }
  ::GdiFlush();
  g_PaintManagerHolder->PaintDockHighlight(static_cast<DWORD*>(pBits), cx, cy, CRect(0, 0, cx, cy), NULL,
                                           false, (COLORREF)-1, (COLORREF)-1, 2);
  if (!CExtDynDockMarkerWnd::RegisterWndClasses() ||
      !CreateEx(WS_EX_TOPMOST, kClassName, "", WS_POPUP, rcScreen.left, rcScreen.top, cx, cy, hOwner, NULL))
    return false;
  ShowWindow(SW_SHOWNA);
  // The markers stay above the highlight, so that the cursor still finds them.
  RaiseMarkers();
  UpdateWindow();
  return true;
}

LRESULT CExtDynDockHighlightWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT lResult = 0;
  if (AnswerPicturePopup(
          this, message, wParam, [this](CDC& dc) { DrawBitmap(dc, m_bmp, 0, 0); }, lResult))
    return lResult;
  return CWnd::WindowProc(message, wParam, lParam);
}

// ---------------------------------------------------------------------------------------------
// The maker the theme makes marker windows through

CExtDockMarkerWndInfo* CExtDynDockMarkerWndMaker::CreateMarkerWnd(CWnd* /*pParent*/, int nKind,
                                                                  HBITMAP hNormal, HBITMAP hHot, HRGN hShape,
                                                                  const RECT& rcScreen, HBITMAP hOuter,
                                                                  int nFrameOffsetX, int nFrameOffsetY,
                                                                  bool /*bOuterFrame*/) {
  // The theme's kinds: the centre crosses (4, 8) follow the others, their squares (5, 6) dock as a
  // tab. Markers are owned by the hidden owner window, never by the parent the theme names.
  int nWndKind = nKind;
  if (nKind == 4 || nKind == 8)
    nWndKind = CExtDynDockMarkerWnd::KIND_FOLLOWER;
  else if (nKind == 5 || nKind == 6)
    nWndKind = CExtDynDockMarkerWnd::KIND_CENTER;
  CExtDynDockMarkerWnd* pMarker = new CExtDynDockMarkerWnd;
  pMarker->m_nThemeKind = nKind;
  // The outer image, when there is one, is the background the picture sits in.
  pMarker->CreateMarker(nWndKind, false, hNormal, hHot, hShape, rcScreen, hOuter,
                        hOuter != NULL ? nFrameOffsetX : 0, hOuter != NULL ? nFrameOffsetY : 0);
  return pMarker;
}

void CExtDynDockMarkerWndMaker::DestroyMarkers(ExtDockMarkerWndArray_t& arrMarkers, bool bDeferred) {
  CExtDynDockMarkerWnd::MarkerArray_t arr;
  for (INT_PTR i = 0; i < arrMarkers.GetSize(); ++i)
    arr.push_back(static_cast<CExtDynDockMarkerWnd*>(arrMarkers[i]));
  arrMarkers.RemoveAll();
  CExtDynDockMarkerWnd::DestroyMarkers(arr, bDeferred);
}
