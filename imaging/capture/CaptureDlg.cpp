// The capture overlay: the frozen screen shown full size, rubber bands drawn with XOR pens, the
// magnifier, and the cut of the frozen screen to the marked shape.
#include "imaging/capture/CaptureDlg.h"

#include "imaging/Globals.h"
#include "imaging/capture/ScreenGrab.h"

#include <windowsx.h>

#include <algorithm>
#include <cstdlib>

namespace {

const COLORREF kRubberBandColor = 0x00FFFF00;
const COLORREF kMagnifierFrameColor = 0x00808080;
const COLORREF kCrossHairColor = 0x000000FF;
const COLORREF kBandColor = 0x00C08040;
const int kMagnifierMargin = 25;
const int kRoundCorner = 50;

bool IsKnownMarkingShape(int nMode) {
  return nMode == kCaptureRectangle || nMode == kCaptureCircle || nMode == kCaptureRoundRect;
}

} // namespace

void TakeKeyboard(HWND hWnd) {
  // Wine hands the window system's keyboard to a window with the time of its thread's last
  // message, and the window system refuses a change older than the last one it made: the input
  // that started a capture came before the window the system activated in the hidden frame's place
  // took the keyboard, so the thread first takes a message of now.
  static const UINT s_nNow = ::RegisterWindowMessageA("Pixolet.KeyboardNow");
  MSG msg;
  if (s_nNow != 0 && ::PostMessageA(hWnd, s_nNow, 0, 0))
    ::PeekMessageA(&msg, hWnd, s_nNow, s_nNow, PM_REMOVE);
  ::SetForegroundWindow(hWnd);
  ::SetFocus(hWnd);
}

IMPLEMENT_DYNAMIC(CCaptureDlg, CDialog)

BEGIN_MESSAGE_MAP(CCaptureDlg, CDialog)
ON_WM_PAINT()
ON_WM_ERASEBKGND()
ON_WM_SETCURSOR()
ON_WM_MOUSEMOVE()
ON_WM_LBUTTONDOWN()
ON_WM_LBUTTONUP()
ON_WM_LBUTTONDBLCLK()
ON_WM_KEYDOWN()
ON_WM_GETDLGCODE()
END_MESSAGE_MAP()

CCaptureDlg::CCaptureDlg(CWnd* pParent)
    : CDialog(IDD, pParent), m_hCaptured(NULL), m_nCaptureType(kCaptureRectangle), m_bIncludeMouse(FALSE),
      m_hTargetWindow(NULL), m_nClicks(0), m_rcMagnifier(0, 0, 150, 240), m_bPolygonOpen(FALSE),
      m_lastPathMove() {}

// The result belongs to the caller once DoModal has returned, so it is not deleted here.
CCaptureDlg::~CCaptureDlg() {}

INT_PTR CCaptureDlg::DoModal() {
  INT_PTR nResult = CDialog::DoModal();
  // Only an OK ending hands a bitmap over; any other way out (a failed creation, a quit message
  // in the modal loop) would otherwise leave the frozen screen posing as a result.
  if (nResult != IDOK)
    DeleteCaptured();
  return nResult;
}

HBITMAP CCaptureDlg::DetachCaptured() {
  HBITMAP hBitmap = m_hCaptured;
  m_hCaptured = NULL;
  return hBitmap;
}

void CCaptureDlg::DeleteCaptured() {
  if (m_hCaptured != NULL)
    ::DeleteObject(m_hCaptured);
  m_hCaptured = NULL;
}

CRect CCaptureDlg::TargetRect() const {
  CRect rcDesktop;
  ::GetWindowRect(::GetDesktopWindow(), &rcDesktop);
  if (m_nCaptureType != kCaptureActiveWindow)
    return rcDesktop;
  // Right after the caller hid its main window there is often no foreground window at all.
  CRect rc;
  HWND hWindow = m_hTargetWindow != NULL && ::IsWindowVisible(m_hTargetWindow) ? m_hTargetWindow
                                                                               : ::GetForegroundWindow();
  if (hWindow == NULL || !::GetWindowRect(hWindow, &rc) || rc.IsRectEmpty())
    return rcDesktop;
  return rc;
}

BOOL CCaptureDlg::OnInitDialog() {
  // The base fails only after it has ended the dialog itself.
  if (!CDialog::OnInitDialog())
    return FALSE;

  // The grab comes first, while the overlay is still hidden.
  m_rcScreen = TargetRect();
  m_hCaptured = GrabScreenRect(m_rcScreen, m_bIncludeMouse);

  m_rcMagnifier.SetRect(0, 0, 150, 240);
  m_nClicks = 0;

  switch (m_nCaptureType) {
  case kCaptureActiveWindow:
  case kCaptureFullScreen:
    // Nothing to mark: the grab is the result and the overlay is never shown.
    EndDialog(IDOK);
    return FALSE;
  case kCaptureObject:
    if (!m_rcPreset.IsRectEmpty() && m_hCaptured != NULL) {
      CBitmap whole;
      whole.Attach(m_hCaptured);
      m_hCaptured = NULL;
      CBitmap cut, mask;
      CClientDC dc(this);
      CCommonLib lib;
      if (lib.CutBitmapToShape(&dc, &cut, &mask, &whole, m_rcPreset.left, m_rcPreset.top, m_rcPreset.right,
                               m_rcPreset.bottom, NULL, 0, kCaptureRectangle, 0))
        m_hCaptured = (HBITMAP)cut.Detach();
    }
    EndDialog(IDOK);
    return FALSE;
  default:
    break;
  }

  ::GetCursorPos(&m_ptCurrent);
  // Shown without the activation, which TakeKeyboard gives it: a window activated as it is shown
  // asks for the keyboard with the time of the input that started the capture.
  UINT nFlags = SWP_SHOWWINDOW | SWP_NOZORDER | SWP_NOACTIVATE;
  if (g_nOsVersionCode != 110)
    nFlags |= SWP_NOREDRAW;
  SetWindowPos(NULL, 0, 0, m_rcScreen.right, m_rcScreen.bottom, nFlags);
  // Without controls the keys go to the overlay itself, and only while it has the focus.
  TakeKeyboard(m_hWnd);
  ::SetCursor(::LoadCursorA(NULL, IDC_CROSS));
  return FALSE;
}

void CCaptureDlg::AddPolygonVertex(int x, int y) {
  if (!m_vertices.empty() && m_vertices.back().x == x && m_vertices.back().y == y)
    return;
  m_vertices.push_back(POINT{x, y});
}

std::vector<CPoint> CCaptureDlg::TakeMergedMoves() {
  // The window system keeps the pointer's recent positions, the newest first; those after the
  // last one the path took and before this move were merged into it.
  const DWORD dwPos = ::GetMessagePos();
  MOUSEMOVEPOINT now = {};
  now.x = GET_X_LPARAM(dwPos);
  now.y = GET_Y_LPARAM(dwPos);
  now.time = (DWORD)::GetMessageTime();
  MOUSEMOVEPOINT history[64];
  int n = ::GetMouseMovePointsEx(sizeof(now), &now, history, 64, GMMP_USE_DISPLAY_POINTS);
  const MOUSEMOVEPOINT last = m_lastPathMove;
  m_lastPathMove = now;
  std::vector<CPoint> merged;
  for (int i = 1; i < n; i++) {
    const MOUSEMOVEPOINT& pt = history[i];
    if (pt.x == last.x && pt.y == last.y && pt.time == last.time)
      break;
    // The history goes on to the moves before the path began.
    if ((LONG)(pt.time - last.time) >= 0)
      merged.push_back(CPoint(pt.x, pt.y));
  }
  std::reverse(merged.begin(), merged.end());
  for (CPoint& pt : merged)
    ScreenToClient(&pt);
  return merged;
}

CRect CCaptureDlg::VertexBounds() const {
  CRect rc(99999, 99999, 0, 0);
  for (const POINT& pt : m_vertices) {
    rc.left = std::min<LONG>(rc.left, pt.x);
    rc.top = std::min<LONG>(rc.top, pt.y);
    rc.right = std::max<LONG>(rc.right, pt.x);
    rc.bottom = std::max<LONG>(rc.bottom, pt.y);
  }
  return rc;
}

void CCaptureDlg::FinishCapture(const CRect& rc, ShapeType nShape) {
  CBitmap frozen;
  if (m_hCaptured != NULL)
    frozen.Attach(m_hCaptured);
  m_hCaptured = NULL;
  if (frozen.GetSafeHandle() != NULL) {
    CBitmap cut, mask;
    CClientDC dc(this);
    CCommonLib lib;
    if (lib.CutBitmapToShape(&dc, &cut, &mask, &frozen, rc.left, rc.top, rc.right, rc.bottom,
                             m_vertices.empty() ? NULL : m_vertices.data(), (int)m_vertices.size(), nShape,
                             0))
      m_hCaptured = (HBITMAP)cut.Detach();
  }
  EndDialog(IDOK);
}

void CCaptureDlg::FinishVertexCapture(ShapeType nShape, int nInset) {
  CRect box = VertexBounds();
  if (box.Width() < 2 || box.Height() < 2) {
    CancelCapture();
    return;
  }
  box.DeflateRect(nInset, nInset);
  FinishCapture(box, nShape);
}

void CCaptureDlg::CancelCapture() {
  DeleteCaptured();
  EndDialog(IDCANCEL);
}

void CCaptureDlg::ClosePolygon() {
  if (m_vertices.size() < 3) {
    m_vertices.clear();
    m_vertices.shrink_to_fit();
    m_bPolygonOpen = FALSE;
    CancelCapture();
    return;
  }
  POINT first = m_vertices.front();
  AddPolygonVertex(first.x, first.y);
  m_bPolygonOpen = FALSE;
  FinishVertexCapture(kCapturePolygon, 1);
}

// ---------------------------------------------------------------------------------------------
// Painting

BOOL CCaptureDlg::OnEraseBkgnd(CDC* pDC) {
  // The frozen screen covers every pixel that is painted, so erasing first would only flash.
  if (m_hCaptured != NULL)
    return TRUE;
  return CDialog::OnEraseBkgnd(pDC);
}

void CCaptureDlg::OnPaint() {
  CPaintDC dc(this);
  if (m_hCaptured == NULL)
    return;
  CRect rcClient;
  GetClientRect(&rcClient);
  DrawBitmapWithPalette(&dc, rcClient, m_hCaptured, rcClient.TopLeft(), NULL);
}

void CCaptureDlg::DrawMagnifierText(CDC* pDC, int x, int y, const CString& strText) {
  pDC->TextOut(x, y, strText);
}

void CCaptureDlg::DrawMagnifier(CDC* pDC, const RECT& rcBox, HBITMAP hPicture, const RECT& rcSource,
                                CPalette* pPalette, int x, int y, int cx, int cy) {
  CRect box(rcBox), source(rcSource);

  // The picture, enlarged; white where the source rectangle leaves the picture.
  CBrush white(RGB(255, 255, 255));
  pDC->FillRect(box, &white);
  CDC memory;
  if (hPicture != NULL && memory.CreateCompatibleDC(pDC)) {
    HGDIOBJ hOldBitmap = ::SelectObject(memory.GetSafeHdc(), hPicture);
    CPalette* pOldPalette = pPalette != NULL ? pDC->SelectPalette(pPalette, FALSE) : NULL;
    if (pPalette != NULL)
      pDC->RealizePalette();
    int nOldStretch = pDC->SetStretchBltMode(COLORONCOLOR);
    pDC->StretchBlt(box.left, box.top, box.Width(), box.Height(), &memory, source.left, source.top,
                    source.Width(), source.Height(), SRCCOPY);
    pDC->SetStretchBltMode(nOldStretch);
    if (pOldPalette != NULL)
      pDC->SelectPalette(pOldPalette, TRUE);
    ::SelectObject(memory.GetSafeHdc(), hOldBitmap);
  }

  // Frame and cross-hair stay visible on any picture.
  CPen framePen(PS_SOLID, 2, kMagnifierFrameColor);
  CPen crossPen(PS_SOLID, 2, kCrossHairColor);
  CPen bandPen(PS_SOLID, 3, kBandColor);
  CBrush bandBrush(kBandColor);
  int nOldRop = pDC->SetROP2(R2_NOTXORPEN);
  CPen* pOldPen = pDC->SelectObject(&framePen);
  CGdiObject* pOldBrush = pDC->SelectStockObject(NULL_BRUSH);
  pDC->Rectangle(box);
  pDC->SelectObject(&crossPen);
  int nMiddleY = (box.top + box.bottom) / 2, nMiddleX = (box.left + box.right) / 2;
  pDC->MoveTo(box.left, nMiddleY);
  pDC->LineTo(box.right, nMiddleY);
  pDC->MoveTo(nMiddleX, box.top);
  pDC->LineTo(nMiddleX, box.bottom);

  // The band is solid so that its text reads on any picture.
  pDC->SetROP2(R2_COPYPEN);
  pDC->SelectObject(&bandPen);
  pDC->SelectObject(&bandBrush);
  pDC->Rectangle(box.left, box.bottom - 50, box.right, box.bottom);

  int nOldBkMode = pDC->SetBkMode(TRANSPARENT);
  CString strText;
  strText.Format("Mouse: %d, %d", x, y);
  DrawMagnifierText(pDC, box.left + 5, box.bottom - 20, strText);
  if (m_nClicks > 0 && m_nCaptureType != kCaptureFreehand && m_nCaptureType != kCapturePolygon) {
    strText.Format("Size: %d x %d", cx, cy);
    DrawMagnifierText(pDC, box.left + 5, box.bottom - 40, strText);
  }

  pDC->SetBkMode(nOldBkMode);
  pDC->SelectObject(pOldBrush);
  pDC->SelectObject(pOldPen);
  pDC->SetROP2(nOldRop);
}

// ---------------------------------------------------------------------------------------------
// Mouse and keys

BOOL CCaptureDlg::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message) {
  if (nHitTest == HTCLIENT) {
    ::SetCursor(::LoadCursorA(NULL, IDC_CROSS));
    return TRUE;
  }
  return CDialog::OnSetCursor(pWnd, nHitTest, message);
}

void CCaptureDlg::OnMouseMove(UINT nFlags, CPoint point) {
  ::SetCursor(::LoadCursorA(NULL, IDC_CROSS));

  // The magnifier gets out of the pointer's way: from the top-left corner to the bottom-right
  // one and back.
  CRect rcNear = m_rcMagnifier;
  rcNear.InflateRect(kMagnifierMargin, kMagnifierMargin);
  if (rcNear.PtInRect(point) && m_rcMagnifier.top == 0) {
    CRect rcOld = m_rcMagnifier;
    rcOld.InflateRect(5, 5);
    InvalidateRect(rcOld, TRUE);
    m_rcMagnifier.SetRect(m_rcScreen.right - 160, m_rcScreen.bottom - 240, m_rcScreen.right,
                          m_rcScreen.bottom);
  }
  rcNear = m_rcMagnifier;
  rcNear.InflateRect(kMagnifierMargin, kMagnifierMargin);
  if (rcNear.PtInRect(point) && m_rcMagnifier.bottom == m_rcScreen.bottom) {
    CRect rcOld = m_rcMagnifier;
    rcOld.InflateRect(5, 5);
    InvalidateRect(rcOld, TRUE);
    m_rcMagnifier.SetRect(0, 0, 160, 240);
  }

  CClientDC dc(this);
  CRect rcSource(point.x - 16, point.y - 24, point.x + 16, point.y + 24);
  DrawMagnifier(&dc, m_rcMagnifier, m_hCaptured, rcSource, NULL, point.x, point.y,
                std::abs(m_ptAnchor.x - point.x), std::abs(m_ptAnchor.y - point.y));

  // Rubber bands are drawn twice with an XOR pen: the first erases the last one.
  CPen pen(PS_SOLID, 2, kRubberBandColor);
  CPen* pOldPen = dc.SelectObject(&pen);
  int nOldRop = dc.SetROP2(R2_XORPEN);

  if (m_nCaptureType == kCapturePolygon && m_bPolygonOpen) {
    dc.MoveTo(m_ptAnchor);
    dc.LineTo(m_ptCurrent);
    dc.MoveTo(m_ptAnchor);
    dc.LineTo(point);
    m_ptCurrent = point;
  }

  bool bDraw;
  if (nFlags & MK_LBUTTON) {
    m_nClicks = 2;
    bDraw = true;
  } else {
    bDraw = m_nClicks == 1;
  }
  if (bDraw) {
    CGdiObject* pOldBrush = dc.SelectStockObject(HOLLOW_BRUSH);
    bool bDrawn = true;
    switch (m_nCaptureType) {
    case kCaptureRectangle:
    case kCaptureMultiRect:
      dc.Rectangle(CRect(m_ptAnchor, m_ptCurrent));
      dc.Rectangle(CRect(m_ptAnchor, point));
      break;
    case kCaptureCircle:
      dc.Ellipse(CRect(m_ptAnchor, m_ptCurrent));
      dc.Ellipse(CRect(m_ptAnchor, point));
      break;
    case kCaptureRoundRect:
      dc.RoundRect(m_ptAnchor.x, m_ptAnchor.y, m_ptCurrent.x, m_ptCurrent.y, kRoundCorner, kRoundCorner);
      dc.RoundRect(m_ptAnchor.x, m_ptAnchor.y, point.x, point.y, kRoundCorner, kRoundCorner);
      break;
    case kCaptureFreehand:
      // The path stays on screen. It takes the moves merged into this one too: a stroke
      // quicker than the overlay would otherwise lose its corners, or collapse to a line and
      // capture nothing.
      for (const CPoint& pt : TakeMergedMoves()) {
        dc.MoveTo(m_ptCurrent);
        dc.LineTo(pt);
        AddPolygonVertex(pt.x, pt.y);
        m_ptCurrent = pt;
      }
      dc.MoveTo(m_ptCurrent);
      dc.LineTo(point);
      AddPolygonVertex(point.x, point.y);
      break;
    default:
      bDrawn = false;
      break;
    }
    if (bDrawn)
      m_ptCurrent = point;
    dc.SelectObject(pOldBrush);
  }

  dc.SetROP2(nOldRop);
  dc.SelectObject(pOldPen);
  CDialog::OnMouseMove(nFlags, point);
}

void CCaptureDlg::OnLButtonDown(UINT nFlags, CPoint point) {
  m_nClicks++;
  if (m_nCaptureType == kCapturePolygon) {
    m_bPolygonOpen = TRUE;
    m_ptAnchor = m_ptCurrent = point;
    AddPolygonVertex(point.x, point.y);
    return;
  }
  m_ptCurrent = point;
  if (m_nClicks % 2 == 1)
    m_ptAnchor = point;
  if (m_nCaptureType == kCaptureFreehand && m_nClicks % 2 == 1) {
    // The path starts here: what the pointer did before is not part of it.
    m_lastPathMove = MOUSEMOVEPOINT{};
    const DWORD dwPos = ::GetMessagePos();
    m_lastPathMove.x = GET_X_LPARAM(dwPos);
    m_lastPathMove.y = GET_Y_LPARAM(dwPos);
    m_lastPathMove.time = (DWORD)::GetMessageTime();
  }
  CDialog::OnLButtonDown(nFlags, point);
}

void CCaptureDlg::OnLButtonUp(UINT /*nFlags*/, CPoint point) {
  if (m_nCaptureType == kCapturePolygon)
    return;
  if (m_nCaptureType == kCaptureMultiRect) {
    // Each release adds one corner pair; Enter finishes.
    m_ptCurrent = point;
    AddPolygonVertex(m_ptAnchor.x, m_ptAnchor.y);
    AddPolygonVertex(m_ptCurrent.x, m_ptCurrent.y);
    return;
  }
  // An odd press has only set the first corner.
  if (m_nClicks % 2 == 1)
    return;

  if (m_ptAnchor.x > m_ptCurrent.x)
    std::swap(m_ptAnchor.x, m_ptCurrent.x);
  if (m_ptAnchor.y > m_ptCurrent.y)
    std::swap(m_ptAnchor.y, m_ptCurrent.y);
  CRect rc(m_ptAnchor.x, m_ptAnchor.y, m_ptCurrent.x, m_ptCurrent.y);

  if (m_nCaptureType == kCaptureFreehand) {
    FinishVertexCapture(kCaptureFreehand, 1);
    return;
  }
  if (rc.Width() < 1 || rc.Height() < 1) {
    CancelCapture();
    return;
  }
  FinishCapture(rc, IsKnownMarkingShape(m_nCaptureType) ? m_nCaptureType : (int)kCaptureRectangle);
}

void CCaptureDlg::OnLButtonDblClk(UINT nFlags, CPoint point) {
  if (m_nCaptureType != kCapturePolygon) {
    CDialog::OnLButtonDblClk(nFlags, point);
    return;
  }
  ClosePolygon();
}

void CCaptureDlg::OnOK() {
  if (m_nCaptureType == kCapturePolygon) {
    ClosePolygon();
    return;
  }
  if (m_nCaptureType == kCaptureMultiRect) {
    FinishVertexCapture(kCaptureMultiRect, 0);
    return;
  }
  // Before a marking is finished Enter takes the whole frozen screen.
  EndDialog(IDOK);
}

void CCaptureDlg::OnCancel() { CancelCapture(); }

void CCaptureDlg::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) {
  int nStep = ::GetKeyState(VK_CONTROL) < 0 ? 10 : 1;
  int dx = 0, dy = 0;
  switch (nChar) {
  case VK_LEFT:
    dx = -nStep;
    break;
  case VK_RIGHT:
    dx = nStep;
    break;
  case VK_UP:
    dy = -nStep;
    break;
  case VK_DOWN:
    dy = nStep;
    break;
  default:
    break;
  }
  if (dx != 0 || dy != 0) {
    // A real pointer movement, so that the mouse-move handling updates rubber band and magnifier.
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dx = dx;
    input.mi.dy = dy;
    input.mi.dwFlags = MOUSEEVENTF_MOVE;
    ::SendInput(1, &input, sizeof(INPUT));
  }
  CDialog::OnKeyDown(nChar, nRepCnt, nFlags);
}

UINT CCaptureDlg::OnGetDlgCode() {
  // The overlay has no controls: without this the dialog manager would spend the arrow keys on
  // moving between controls. Enter and Esc still become OK and Cancel.
  return DLGC_WANTARROWS;
}
