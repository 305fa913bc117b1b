// Dock-marker objects: their built-in images, creation, placement against a target and the hand-over
// to marker windows. Their colouring and the painting of marker and highlight windows are in
// ExtPaintManagerDockPaint.cpp.
#include "toolkit/theme/ExtPaintManagerDockMarkers.h"

#include <memory>

namespace {

typedef CExtPaintManager::DockMarkerBase Marker;

CExtDockMarkerWndMaker* g_pDockMarkerWndMaker = NULL;

const int kSideMarkerSize = 24;
// The second style's frames round the side markers: along the top and bottom edges, and (turned)
// along the left and right edges.
const int kOuterFrameLong = kSideMarkerSize + 10, kOuterFrameShort = kSideMarkerSize + 8;

struct MarkerColors {
  COLORREF clrBorder, clrFace, clrArrow, clrPanel;
};
const MarkerColors kStyle1Normal = {RGB(112, 112, 112), RGB(236, 236, 236), RGB(56, 88, 176),
                                    RGB(255, 255, 255)};
const MarkerColors kStyle1Hot = {RGB(80, 80, 80), RGB(252, 252, 252), RGB(40, 96, 232), RGB(255, 255, 255)};
const MarkerColors kBeta2Normal = {RGB(128, 128, 140), RGB(246, 246, 250), RGB(32, 80, 176),
                                   RGB(255, 255, 255)};
const MarkerColors kBeta2Hot = {RGB(96, 96, 112), RGB(255, 240, 200), RGB(16, 64, 200), RGB(255, 255, 255)};
const MarkerColors kBeta2Frame = {RGB(140, 140, 150), RGB(214, 214, 222), 0, 0};

// A small picture drawn pixel by pixel on the key colour and kept as a BMP stream, which the
// markers read back through the theme's in-memory BMP loader like any other image.
class MarkerArt {
public:
  MarkerArt(int cx, int cy) : m_cx(cx), m_cy(cy), m_px((size_t)cx * cy, Marker::KEY_COLOR) {}

  int Width() const { return m_cx; }
  int Height() const { return m_cy; }
  COLORREF At(int x, int y) const { return m_px[(size_t)y * m_cx + x]; }
  void Set(int x, int y, COLORREF clr) {
    if (x >= 0 && y >= 0 && x < m_cx && y < m_cy)
      m_px[(size_t)y * m_cx + x] = clr;
  }
  void Fill(int left, int top, int right, int bottom, COLORREF clr) {
    for (int y = top; y < bottom; ++y)
      for (int x = left; x < right; ++x)
        Set(x, y, clr);
  }
  void Frame(int left, int top, int right, int bottom, COLORREF clr) {
    Fill(left, top, right, top + 1, clr);
    Fill(left, bottom - 1, right, bottom, clr);
    Fill(left, top, left + 1, bottom, clr);
    Fill(right - 1, top, right, bottom, clr);
  }
  // A box with a one-pixel border and cut corners.
  void Box(int left, int top, int right, int bottom, const MarkerColors& colors) {
    Fill(left, top, right, bottom, colors.clrFace);
    Frame(left, top, right, bottom, colors.clrBorder);
    for (int x : {left, right - 1})
      for (int y : {top, bottom - 1})
        Set(x, y, Marker::KEY_COLOR);
  }
  // A triangle with its apex at (x, y), h rows deep, pointing the way of a side kind.
  void Arrow(int x, int y, int h, int nKind, COLORREF clr) {
    for (int i = 0; i < h; ++i)
      for (int j = -i; j <= i; ++j) {
        switch (nKind) {
        case Marker::KIND_TOP:
          Set(x + j, y + i, clr);
          break;
        case Marker::KIND_BOTTOM:
          Set(x + j, y - i, clr);
          break;
        case Marker::KIND_LEFT:
          Set(x + i, y + j, clr);
          break;
        default:
          Set(x - i, y + j, clr);
          break;
        }
      }
  }
  // This picture, drawn for the top side, turned for another side.
  MarkerArt Turned(int nKind) const {
    const bool bAcross = nKind == Marker::KIND_LEFT || nKind == Marker::KIND_RIGHT;
    MarkerArt art(bAcross ? m_cy : m_cx, bAcross ? m_cx : m_cy);
    for (int y = 0; y < m_cy; ++y)
      for (int x = 0; x < m_cx; ++x) {
        switch (nKind) {
        case Marker::KIND_BOTTOM:
          art.Set(x, m_cy - 1 - y, At(x, y));
          break;
        case Marker::KIND_LEFT:
          art.Set(y, x, At(x, y));
          break;
        case Marker::KIND_RIGHT:
          art.Set(m_cy - 1 - y, x, At(x, y));
          break;
        default:
          art.Set(x, y, At(x, y));
          break;
        }
      }
    return art;
  }
  // A bottom-up 24-bit BMP file image.
  std::vector<BYTE> ToBmp() const {
    const int nStride = (m_cx * 3 + 3) & ~3;
    const DWORD nBits = (DWORD)(nStride * m_cy);
    const DWORD nHeaders = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
    std::vector<BYTE> bytes(nHeaders + nBits, 0);
    BITMAPFILEHEADER head = {0x4D42, nHeaders + nBits, 0, 0, nHeaders};
    BITMAPINFOHEADER info = {sizeof(info), m_cx, m_cy, 1, 24, BI_RGB, nBits, 0, 0, 0, 0};
    memcpy(bytes.data(), &head, sizeof(head));
    memcpy(bytes.data() + sizeof(head), &info, sizeof(info));
    for (int y = 0; y < m_cy; ++y) {
      BYTE* pRow = bytes.data() + nHeaders + (size_t)(m_cy - 1 - y) * nStride;
      for (int x = 0; x < m_cx; ++x) {
        const COLORREF clr = At(x, y);
        pRow[x * 3] = GetBValue(clr);
        pRow[x * 3 + 1] = GetGValue(clr);
        pRow[x * 3 + 2] = GetRValue(clr);
      }
    }
    return bytes;
  }

private:
  int m_cx, m_cy;
  std::vector<COLORREF> m_px;
};

// A side marker: an arrow pointing to the side over the docked window it stands for.
MarkerArt SideMarkerArt(int nKind, const MarkerColors& colors) {
  const int s = kSideMarkerSize;
  MarkerArt art(s, s);
  art.Box(0, 0, s, s, colors);
  art.Arrow(s / 2, 4, 6, Marker::KIND_TOP, colors.clrArrow);
  art.Fill(5, 12, s - 5, s - 5, colors.clrPanel);
  art.Frame(5, 12, s - 5, s - 5, colors.clrArrow);
  art.Fill(5, 12, s - 5, 14, colors.clrArrow);
  return art.Turned(nKind);
}

// The centre square: a window with a tab below it, for docking as a tab.
MarkerArt CenterSquareArt(const MarkerColors& colors) {
  const int s = kSideMarkerSize;
  MarkerArt art(s, s);
  art.Box(0, 0, s, s, colors);
  art.Fill(5, 5, s - 5, s - 8, colors.clrPanel);
  art.Frame(5, 5, s - 5, s - 8, colors.clrArrow);
  art.Fill(5, 5, s - 5, 7, colors.clrArrow);
  art.Frame(5, s - 9, 11, s - 5, colors.clrArrow);
  return art;
}

// The centre cross: five cells of the side markers' size with an arrow in each arm; the centre
// cell stays plain for the centre square that lies over it.
MarkerArt CenterCrossArt(const MarkerColors& colors) {
  const int s = kSideMarkerSize;
  MarkerArt art(3 * s, 3 * s);
  auto inCross = [s](int x, int y) {
    return x >= 0 && y >= 0 && x < 3 * s && y < 3 * s && ((x >= s && x < 2 * s) || (y >= s && y < 2 * s));
  };
  for (int y = 0; y < 3 * s; ++y)
    for (int x = 0; x < 3 * s; ++x) {
      if (!inCross(x, y))
        continue;
      const bool bEdge = !inCross(x - 1, y) || !inCross(x + 1, y) || !inCross(x, y - 1) || !inCross(x, y + 1);
      art.Set(x, y, bEdge ? colors.clrBorder : colors.clrFace);
    }
  const int c = 3 * s / 2;
  art.Arrow(c, 6, 6, Marker::KIND_TOP, colors.clrArrow);
  art.Arrow(c, 3 * s - 7, 6, Marker::KIND_BOTTOM, colors.clrArrow);
  art.Arrow(6, c, 6, Marker::KIND_LEFT, colors.clrArrow);
  art.Arrow(3 * s - 7, c, 6, Marker::KIND_RIGHT, colors.clrArrow);
  return art;
}

// The second style's frame round a side marker, drawn for the top side.
MarkerArt OuterFrameArt(int nKind) {
  MarkerArt art(kOuterFrameLong, kOuterFrameShort);
  art.Box(0, 0, kOuterFrameLong, kOuterFrameShort, kBeta2Frame);
  return art.Turned(nKind);
}

bool IsSideKind(int nKind) { return nKind >= Marker::KIND_TOP && nKind <= Marker::KIND_RIGHT; }

bool BuiltinImages(int nKind, const MarkerColors& normal, const MarkerColors& hot,
                   std::vector<BYTE>& bmpNormal, std::vector<BYTE>& bmpHot) {
  if (IsSideKind(nKind)) {
    bmpNormal = SideMarkerArt(nKind, normal).ToBmp();
    bmpHot = SideMarkerArt(nKind, hot).ToBmp();
  } else if (nKind == Marker::KIND_CENTER || nKind == Marker::KIND_CENTER2) {
    // The cross has no hot look of its own: its centre square lights up instead.
    bmpNormal = bmpHot = CenterCrossArt(normal).ToBmp();
  } else if (nKind == Marker::KIND_CENTER_SQUARE || nKind == Marker::KIND_CENTER2_SQUARE) {
    bmpNormal = CenterSquareArt(normal).ToBmp();
    bmpHot = CenterSquareArt(hot).ToBmp();
  } else {
    return false;
  }
  return true;
}

HBITMAP LoadArt(const std::vector<BYTE>& bytes) {
  return CExtPaintManager::LoadBitmapFromMemory(bytes.data(), (DWORD)bytes.size());
}

CSize BitmapSize(HBITMAP hBitmap) {
  BITMAP bm = {};
  if (hBitmap == NULL || ::GetObject(hBitmap, sizeof(bm), &bm) == 0)
    return CSize(-1, -1);
  return CSize(bm.bmWidth, bm.bmHeight);
}

} // namespace

// ---------------------------------------------------------------------------------------------

CExtDockMarkerWndMaker::CExtDockMarkerWndMaker() { g_pDockMarkerWndMaker = this; }

CExtDockMarkerWndMaker::~CExtDockMarkerWndMaker() {
  if (g_pDockMarkerWndMaker == this)
    g_pDockMarkerWndMaker = NULL;
}

CExtDockMarkerWndMaker* CExtDockMarkerWndMaker::Get() { return g_pDockMarkerWndMaker; }

// ---------------------------------------------------------------------------------------------

CExtPaintManager::DockMarkerBase::DockMarkerBase() : m_size(0, 0), m_rcScreen(0, 0, 0, 0) {}

void CExtPaintManager::DockMarkerBase::CleanupChildren() {
  for (INT_PTR i = 0; i < m_arrChildren.GetSize(); ++i)
    delete m_arrChildren[i];
  m_arrChildren.RemoveAll();
}

void CExtPaintManager::DockMarkerBase::ReleaseImages() {
  m_bmpNormal.DeleteObject();
  m_bmpHot.DeleteObject();
  m_bmpOuter.DeleteObject();
  m_rgnShape.DeleteObject();
}

CExtPaintManager::DockMarkerBase::~DockMarkerBase() {
  CleanupChildren();
  ReleaseImages();
}

bool CExtPaintManager::DockMarkerBase::IsEmpty() const { return m_nKind == KIND_EMPTY; }

// Whatever is still held is released here: after a hand-over to a window nothing is left, and
// emptying a marker that still holds its images must not leak them.
void CExtPaintManager::DockMarkerBase::Empty() {
  ReleaseImages();
  m_nKind = KIND_EMPTY;
  m_size = CSize(0, 0);
  m_rcScreen.SetRectEmpty();
  m_nFrameOffsetX = m_nFrameOffsetY = 0;
}

bool CExtPaintManager::DockMarkerBase::LoadFromResources(CExtPaintManager* pPM, const RECT& rcTarget,
                                                         bool bNudge, int nKind, COLORREF clrKey,
                                                         LPCSTR pszNormalName, LPCSTR pszNormalType,
                                                         LPCSTR pszHotName, LPCSTR pszHotType,
                                                         HMODULE hNormalModule, HMODULE hHotModule) {
  if (pszHotName == NULL) {
    pszHotName = pszNormalName;
    pszHotType = pszNormalType;
    hHotModule = hNormalModule;
  }
  auto load = [](HMODULE hModule, LPCSTR pszName, LPCSTR pszType) -> HBITMAP {
    if (hModule == NULL)
      hModule = AfxGetResourceHandle();
    HRSRC hResource = ::FindResourceA(hModule, pszName, pszType);
    return hResource != NULL ? LoadBitmapResource(hModule, hResource) : NULL;
  };
  CBitmap bmpNormal, bmpHot;
  bmpNormal.Attach(load(hNormalModule, pszNormalName, pszNormalType));
  bmpHot.Attach(load(hHotModule, pszHotName, pszHotType));
  if (bmpNormal.GetSafeHandle() == NULL || bmpHot.GetSafeHandle() == NULL)
    return false;
  return CreateFromBitmaps(pPM, rcTarget, bNudge, nKind, clrKey, (HBITMAP)bmpNormal.Detach(),
                           (HBITMAP)bmpHot.Detach());
}

bool CExtPaintManager::DockMarkerBase::CreateFromBitmaps(CExtPaintManager* pPM, const RECT& rcTarget,
                                                         bool bNudge, int nKind, COLORREF clrKey,
                                                         HBITMAP hNormal, HBITMAP hHot) {
  CBitmap bmpNormal, bmpHot;
  bmpNormal.Attach(hNormal);
  // One bitmap passed twice is owned once: the hot image becomes a copy.
  bmpHot.Attach(hHot != hNormal ? hHot : CopyBitmapTo32BitDib(hNormal));
  const CSize size = BitmapSize(hNormal);
  if (pPM == NULL || size.cx <= 0 || size != BitmapSize((HBITMAP)bmpHot.GetSafeHandle()))
    return false;
  HRGN hShape = BitmapToRegion(hNormal, clrKey, 0);
  if (hShape == NULL)
    return false;
  ReleaseImages();
  m_bmpNormal.Attach(bmpNormal.Detach());
  m_bmpHot.Attach(bmpHot.Detach());
  m_rgnShape.Attach(hShape);
  m_size = size;
  m_nKind = nKind;
  OnPaintSessionComplete(pPM, nKind, rcTarget, bNudge);
  if (!pPM->GetDockMarkerColors(nKind, m_bmpNormal, clrKey, m_bmpHot, clrKey)) {
    Empty();
    return false;
  }
  return true;
}

bool CExtPaintManager::DockMarkerBase::GetBuiltinImages(CExtPaintManager*, int nKind,
                                                        std::vector<BYTE>& normal, std::vector<BYTE>& hot) {
  return BuiltinImages(nKind, kStyle1Normal, kStyle1Hot, normal, hot);
}

bool CExtPaintManager::DockMarkerBase::CreateBuiltin(CExtPaintManager* pPM, const RECT& rcTarget, bool bNudge,
                                                     int nKind) {
  std::vector<BYTE> normal, hot;
  if (pPM == NULL || !GetBuiltinImages(pPM, nKind, normal, hot))
    return false;
  // The third marker style frames the side markers.
  if (pPM->m_nDockMarkerStyle == 3 && IsSideKind(nKind))
    m_nFlags |= DMF_OUTER_FRAME;
  if (!CreateFromBitmaps(pPM, rcTarget, bNudge, nKind, KEY_COLOR, LoadArt(normal), LoadArt(hot)))
    return false;
  if (nKind == KIND_CENTER || nKind == KIND_CENTER2) {
    std::unique_ptr<DockMarkerBase> pChild(pPM->CreateDockMarkerObject());
    if (!pChild->CreateBuiltin(pPM, rcTarget, bNudge,
                               nKind == KIND_CENTER ? KIND_CENTER_SQUARE : KIND_CENTER2_SQUARE)) {
      Empty();
      return false;
    }
    m_arrChildren.Add(pChild.release());
  }
  return true;
}

bool CExtPaintManager::DockMarkerBase::CreateWindows(CWnd* pParent, ExtDockMarkerWndArray_t& arrWnds) {
  CExtDockMarkerWndMaker* pMaker = CExtDockMarkerWndMaker::Get();
  if (pMaker == NULL)
    return false;
  bool bOk = true;
  if (m_bmpNormal.GetSafeHandle() != NULL) {
    CExtDockMarkerWndInfo* pWnd =
        pMaker->CreateMarkerWnd(pParent, m_nKind, (HBITMAP)m_bmpNormal.Detach(), (HBITMAP)m_bmpHot.Detach(),
                                (HRGN)m_rgnShape.Detach(), m_rcScreen, (HBITMAP)m_bmpOuter.Detach(),
                                m_nFrameOffsetX, m_nFrameOffsetY, (m_nFlags & DMF_OUTER_FRAME) != 0);
    ReleaseImages();
    Empty();
    if (pWnd != NULL && pWnd->GetMarkerHwnd() != NULL) {
      arrWnds.Add(pWnd);
    } else {
      bOk = false;
      if (pWnd != NULL) {
        ExtDockMarkerWndArray_t arrFailed;
        arrFailed.Add(pWnd);
        pMaker->DestroyMarkers(arrFailed, false);
      }
    }
  }
  for (INT_PTR i = 0; i < m_arrChildren.GetSize(); ++i)
    bOk = m_arrChildren[i]->CreateWindows(pParent, arrWnds) && bOk;
  return bOk;
}

void CExtPaintManager::DockMarkerBase::OnPaintSessionComplete(CExtPaintManager*, int nKind,
                                                              const RECT& rcTarget, bool) {
  const CRect rcT(rcTarget);
  const int x = rcT.left + (rcT.Width() - m_size.cx) / 2, y = rcT.top + (rcT.Height() - m_size.cy) / 2;
  switch (nKind) {
  case KIND_TOP:
    m_rcScreen.SetRect(x, rcT.top, x + m_size.cx, rcT.top + m_size.cy);
    break;
  case KIND_BOTTOM:
    m_rcScreen.SetRect(x, rcT.bottom - m_size.cy, x + m_size.cx, rcT.bottom);
    break;
  case KIND_LEFT:
    m_rcScreen.SetRect(rcT.left, y, rcT.left + m_size.cx, y + m_size.cy);
    break;
  case KIND_RIGHT:
    m_rcScreen.SetRect(rcT.right - m_size.cx, y, rcT.right, y + m_size.cy);
    break;
  default:
    m_rcScreen.SetRect(x, y, x + m_size.cx, y + m_size.cy);
    break;
  }
}

// ---------------------------------------------------------------------------------------------

CExtPaintManager::DockMarkerBeta2::~DockMarkerBeta2() = default;

bool CExtPaintManager::DockMarkerBeta2::GetBuiltinImages(CExtPaintManager*, int nKind,
                                                         std::vector<BYTE>& normal, std::vector<BYTE>& hot) {
  return BuiltinImages(nKind, kBeta2Normal, kBeta2Hot, normal, hot);
}

void CExtPaintManager::DockMarkerBeta2::OnPaintSessionComplete(CExtPaintManager* pPM, int nKind,
                                                               const RECT& rcTarget, bool bNudge) {
  DockMarkerBase::OnPaintSessionComplete(pPM, nKind, rcTarget, bNudge);
  if ((m_nFlags & DMF_OUTER_FRAME) != 0 && m_bmpOuter.GetSafeHandle() == NULL && IsSideKind(nKind) &&
      pPM != NULL) {
    int nLeft = 0, nTop = 0, nRight = 0, nBottom = 0;
    pPM->GetDockHighlightMargins(nLeft, nTop, nRight, nBottom);
    HBITMAP hOuter = LoadArt(OuterFrameArt(nKind).ToBmp());
    HRGN hShape = hOuter != NULL ? BitmapToRegion(hOuter, KEY_COLOR, 0) : NULL;
    if (hShape != NULL) {
      m_bmpOuter.Attach(hOuter);
      const CSize sizeOuter = BitmapSize(hOuter);
      // The frame is centred on the arrow; the arrow sits one pixel further in.
      const int dx = (sizeOuter.cx - m_size.cx) / 2, dy = (sizeOuter.cy - m_size.cy) / 2;
      m_nFrameOffsetX = dx + 1;
      m_nFrameOffsetY = dy + 1;
      m_rcScreen.SetRect(m_rcScreen.left - dx, m_rcScreen.top - dy, m_rcScreen.left - dx + sizeOuter.cx,
                         m_rcScreen.top - dy + sizeOuter.cy);
      m_size = sizeOuter;
      const CPoint outwards[4] = {{0, -nTop}, {0, nBottom}, {-nLeft, 0}, {nRight, 0}};
      m_rcScreen.OffsetRect(outwards[nKind]);
      m_rgnShape.DeleteObject();
      m_rgnShape.Attach(hShape);
    } else if (hOuter != NULL) {
      ::DeleteObject(hOuter);
    }
  }
  static const CPoint nudges[4] = {{1, 10}, {1, -8}, {10, 1}, {-8, 1}};
  if (bNudge && IsSideKind(nKind))
    m_rcScreen.OffsetRect(nudges[nKind]);
  else if (nKind == KIND_CENTER2)
    m_rcScreen.OffsetRect(1, 1);
}

// ---------------------------------------------------------------------------------------------

CExtPaintManager::DockMarkerBase* CExtPaintManager::CreateDockMarkerObject() {
  switch (m_nDockMarkerStyle) {
  case 1:
    return new DockMarkerBase;
  case 2:
  case 3:
    return new DockMarkerBeta2;
  }
  AfxThrowNotSupportedException();
}

bool CExtPaintManager::InitDockMarkerWnd(CWnd* pParent, int nKind, const RECT& rcTarget,
                                         ExtDockMarkerWndArray_t& arrMarkers) {
  CExtDockMarkerWndMaker* pMaker = CExtDockMarkerWndMaker::Get();
  if (pMaker == NULL)
    return false;
  pMaker->DestroyMarkers(arrMarkers, true);
  std::unique_ptr<DockMarkerBase> pMarker(CreateDockMarkerObject());
  return pMarker->CreateBuiltin(this, rcTarget, true, nKind) && pMarker->CreateWindows(pParent, arrMarkers);
}
