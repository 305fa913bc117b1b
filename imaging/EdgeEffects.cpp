// Pattern edges (torn, saw, shark, wave) with their drop shadow, the border, and the fade and
// bevel edges of the GDI+ pictures.
#include "imaging/CommonLib.h"

#include "imaging/CommonLibGdi.h"
#include "imaging/Dib32.h"
#include "imaging/GdipEffects.h"
#include "imaging/PixelOps.h"
#include "resources/resource.h"

#include <emmintrin.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <utility>
#include <vector>

using namespace commonlib;

namespace {

const int kSideLeft = 1, kSideTop = 2, kSideRight = 4, kSideBottom = 8;
const int kSides[4] = {kSideLeft, kSideTop, kSideRight, kSideBottom};

// The drop shadow surface is larger than the picture by this much on each side, so that the
// blur has room to fade out.
const int kShadowPad = 3;

int SideLength(int nSide, int w, int h) { return nSide == kSideLeft || nSide == kSideRight ? h : w; }

// Fills the cut-away part of one side. The pattern is given as (depth into the picture, position
// along the side), measured from the side's own edge.
void FillSide(CDC* pP, CDC* pS, CDC* pK, BOOL bDropShadow, int nSide, int w, int h, std::vector<POINT> pts) {
  if (pts.size() < 3)
    return;
  for (POINT& pt : pts) {
    int depth = pt.x, along = pt.y;
    switch (nSide) {
    case kSideTop:
      pt = {along, depth};
      break;
    case kSideRight:
      pt = {w - depth, along};
      break;
    case kSideBottom:
      pt = {along, h - depth};
      break;
    default:
      break;
    }
  }
  CDC* targets[3] = {pP, bDropShadow ? pS : NULL, bDropShadow ? pK : NULL};
  for (CDC* pDC : targets) {
    if (pDC == NULL)
      continue;
    pDC->BeginPath();
    pDC->Polygon(pts.data(), (int)pts.size());
    pDC->EndPath();
    pDC->FillPath();
  }
}

// Blurs the frame of a bitmap (bands nBandX wide at the left and right, nBandY high at the top and
// bottom) through the GDI+ filter kit. The bitmap must not be selected into a DC. FALSE when the
// pixels cannot be read, blurred or written back.
BOOL BlurFrame(CDC* pRef, CBitmap& bitmap, int cx, int cy, int nSoftness, int nBandX, int nBandY) {
  BITMAPINFO bmi = TopDownDib32(cx, cy);
  std::vector<DWORD> pixels((size_t)cx * cy);
  HBITMAP hBitmap = (HBITMAP)bitmap.GetSafeHandle();
  if (::GetDIBits(pRef->GetSafeHdc(), hBitmap, 0, cy, pixels.data(), &bmi, DIB_RGB_COLORS) != cy)
    return FALSE;
  for (DWORD& px : pixels)
    px |= 0xFF000000;
  {
    Gdiplus::Bitmap image(cx, cy, cx * 4, PixelFormat32bppARGB, (BYTE*)pixels.data());
    if (image.GetLastStatus() != Gdiplus::Ok)
      return FALSE;
    CGdipEffects fx;
    fx.SetSize(cx, cy);
    fx.Blur(&image, nSoftness, nBandX, nBandY);
    if (image.GetLastStatus() != Gdiplus::Ok)
      return FALSE;
    // Read the result through a lock: the library may keep its own copy of the pixels.
    Gdiplus::Rect rc(0, 0, cx, cy);
    Gdiplus::BitmapData data;
    if (image.LockBits(&rc, Gdiplus::ImageLockModeRead, PixelFormat32bppARGB, &data) != Gdiplus::Ok)
      return FALSE;
    for (int y = 0; y < cy; y++) {
      const BYTE* pRow = (const BYTE*)data.Scan0 + (ptrdiff_t)y * data.Stride;
      if (pRow != (const BYTE*)&pixels[(size_t)y * cx])
        memmove(&pixels[(size_t)y * cx], pRow, (size_t)cx * 4);
    }
    image.UnlockBits(&data);
  }
  return ::SetDIBits(pRef->GetSafeHdc(), hBitmap, 0, cy, pixels.data(), &bmi, DIB_RGB_COLORS) == cy;
}

// Every pattern's cut lies within twice its size of its side (the wave swings to 2 x size), plus
// a pixel of rasterisation.
int CutDepth(int nSize) { return 2 * nSize + 2; }

// Calls fn(x0, x1) for the spans of row y (of a w x h area) that a cut of the given depth may
// reach, and middle(x0, x1) for the span between them that no cut reaches.
template <class Near, class Middle> void FrameSpans(int y, int w, int h, int depth, Near fn, Middle middle) {
  if (y < depth || y >= h - depth || 2 * depth >= w) {
    fn(0, w);
    return;
  }
  fn(0, depth);
  middle(depth, w - depth);
  fn(w - depth, w);
}

// A top-down one-bit DIB section the cut is drawn on: its drawing is the same as on any other
// bitmap, and at one bit a pixel the pages the cut touches are few.
class CCutMask {
public:
  BOOL Create(CDC* pRef, int cx, int cy) {
    struct {
      BITMAPINFOHEADER header;
      RGBQUAD colours[2];
    } bmi = {};
    bmi.header.biSize = sizeof(BITMAPINFOHEADER);
    bmi.header.biWidth = cx;
    bmi.header.biHeight = -cy;
    bmi.header.biPlanes = 1;
    bmi.header.biBitCount = 1;
    bmi.header.biCompression = BI_RGB;
    bmi.colours[1] = {255, 255, 255, 0};
    void* pv = NULL;
    if (!m_bitmap.Attach(
            ::CreateDIBSection(pRef->GetSafeHdc(), (BITMAPINFO*)&bmi, DIB_RGB_COLORS, &pv, NULL, 0)) ||
        pv == NULL)
      return FALSE;
    m_pBits = static_cast<const BYTE*>(pv);
    m_nStride = (cx + 31) / 32 * 4;
    return TRUE;
  }
  CBitmap* Bitmap() { return &m_bitmap; }
  const BYTE* Row(int y) const { return m_pBits + (size_t)y * m_nStride; }
  static bool IsCut(const BYTE* row, int x) { return (row[x >> 3] & (0x80 >> (x & 7))) != 0; }

private:
  CBitmap m_bitmap;
  const BYTE* m_pBits = NULL;
  int m_nStride = 0;
};

// Fills the part of [from, to) that lies in [c0, c1) with the value.
inline void FillClipped(DWORD* row, int from, int to, DWORD value, int c0, int c1) {
  from = std::max(from, c0);
  to = std::min(to, c1);
  if (from < to)
    std::fill_n(row + from, to - from, value);
}

// The pattern edge with its drop shadow on a 32-bit picture, in one DIB section the size of the
// result (widened by the part of the shadow's padding that the result cuts off) instead of five
// whole-size bitmaps and the blits among them; it becomes the result. Same pixels as the blit
// road, which gives
//   result = shadow layer, with (shadow | keep) & picture over the picture's place,
// keep being white and the picture as it is outside the cut, keep black and the picture white
// inside it. The cut is drawn once, on a mask whose pages only the cut touches. Where the shadow
// under the picture is opaque and plain (no cut, no blur, no padding), shadow | keep is all ones:
// there the picture is only copied in, and only that copy touches the middle of the picture.
BOOL ShadowedEdgeOnDib(CDC* pRef, CBitmap* pBitmap, int w, int h, int nDepth,
                       const std::function<void(CDC*)>& drawCut, COLORREF clrBack, COLORREF clrShadow,
                       int nShadowX, int nShadowY, int nSoftness) {
  DWORD back, shade, white, black;
  if (!BrushPixel(pRef, clrBack, back) || !BrushPixel(pRef, clrShadow, shade) ||
      !BrushPixel(pRef, RGB(255, 255, 255), white) || !BrushPixel(pRef, RGB(0, 0, 0), black))
    return FALSE;
  CCutMask mask;
  {
    CSurface M;
    if (!mask.Create(pRef, w, h) || !M.OpenForFill(pRef, mask.Bitmap(), RGB(255, 255, 255)))
      return FALSE;
    drawCut(M.Get());
  }
  ::GdiFlush();

  // Result R, the shadow layer B (the picture's size plus the padding) placed at (ox, oy) in R,
  // the picture at (px, py); the section U starts at (ux, uy) of R. In U: B at (bx, by), the
  // picture at (qx, qy).
  const int pad = kShadowPad, cxB = w + 2 * pad, cyB = h + 2 * pad;
  const int cxR = w + abs(nShadowX) + 2 * pad, cyR = h + abs(nShadowY) + 2 * pad;
  const int ox = std::max(nShadowX, 0) - pad, oy = std::max(nShadowY, 0) - pad;
  const int px = std::max(-nShadowX, 0), py = std::max(-nShadowY, 0);
  const int ux = std::min(ox, 0), uy = std::min(oy, 0);
  const int cxU = cxR - ux, cyU = cyR - uy;
  const int bx = ox - ux, by = oy - uy, qx = px - ux, qy = py - uy;
  // The blur's read-back makes the whole layer opaque, its colours unchanged.
  const DWORD opaque = nSoftness > 0 ? 0xFF000000 : 0;
  const int bandX = abs(nShadowX) + nSoftness + 15, bandY = abs(nShadowY) + nSoftness + 15;

  // The plain part of the picture's place [x0, x1) x [y0, y1), in picture coordinates: beyond the
  // layer's padding, its cut and what the blur writes or reads.
  const int reachX = pad + nDepth + (nSoftness > 0 ? bandX + nSoftness + 1 : 0);
  const int reachY = pad + nDepth + (nSoftness > 0 ? bandY + nSoftness + 1 : 0);
  int x0 = std::max(nDepth, ox - px + reachX), x1 = std::min(w - nDepth, ox - px + cxB - reachX);
  int y0 = std::max(nDepth, oy - py + reachY), y1 = std::min(h - nDepth, oy - py + cyB - reachY);
  const bool copyPlain = ((shade | opaque) | white) == 0xFFFFFFFF;
  if (x0 >= x1 || y0 >= y1 || !copyPlain)
    x0 = x1 = y0 = y1 = 0;

  CDibSection U;
  if (!U.Create(pRef, cxU, cyU))
    return FALSE;
  // The layer before the blur, on the back colour; the plain part is left for the picture.
  auto writeRow = [&](int y, int c0, int c1) {
    DWORD* row = U.Row(y);
    const int yB = y - by, yS = yB - pad;
    if (yB < 0 || yB >= cyB) {
      FillClipped(row, 0, cxU, back, c0, c1);
      return;
    }
    FillClipped(row, 0, bx, back, c0, c1);
    FillClipped(row, bx + cxB, cxU, back, c0, c1);
    if (yS < 0 || yS >= h) {
      FillClipped(row, bx, bx + cxB, back | opaque, c0, c1);
      return;
    }
    FillClipped(row, bx, bx + pad, back | opaque, c0, c1);
    FillClipped(row, bx + pad + w, bx + cxB, back | opaque, c0, c1);
    const int sx = bx + pad; // the layer's picture-sized middle, cut like the picture
    const BYTE* cut = mask.Row(yS);
    FrameSpans(
        yS, w, h, nDepth,
        [&](int from, int to) {
          from = std::max(from, c0 - sx);
          to = std::min(to, c1 - sx);
          for (int x = from; x < to; x++)
            row[sx + x] = (CCutMask::IsCut(cut, x) ? back : shade) | opaque;
        },
        [&](int from, int to) { FillClipped(row, sx + from, sx + to, shade | opaque, c0, c1); });
  };
  for (int y = 0; y < cyU; y++) {
    if (y - qy >= y0 && y - qy < y1) {
      writeRow(y, 0, qx + x0);
      writeRow(y, qx + x1, cxU);
    } else {
      writeRow(y, 0, cxU);
    }
  }

  // The blur softens the layer's frame, in place.
  if (nSoftness > 0) {
    Gdiplus::Bitmap layer(cxB, cyB, cxU * 4, PixelFormat32bppARGB, (BYTE*)(U.Row(by) + bx));
    if (layer.GetLastStatus() != Gdiplus::Ok)
      return FALSE;
    CGdipEffects fx;
    fx.SetSize(cxB, cyB);
    fx.Blur(&layer, nSoftness, bandX, bandY);
    if (layer.GetLastStatus() != Gdiplus::Ok)
      return FALSE;
    Gdiplus::Rect rc(0, 0, cxB, cyB);
    Gdiplus::BitmapData data;
    if (layer.LockBits(&rc, Gdiplus::ImageLockModeRead, PixelFormat32bppARGB, &data) != Gdiplus::Ok)
      return FALSE;
    for (int y = 0; y < cyB; y++) {
      const BYTE* pRow = (const BYTE*)data.Scan0 + (ptrdiff_t)y * data.Stride;
      if (pRow != (const BYTE*)(U.Row(by + y) + bx))
        memmove(U.Row(by + y) + bx, pRow, (size_t)cxB * 4);
    }
    layer.UnlockBits(&data);
  }

  // Around the plain part: shadow | keep, the cut pixels kept aside to be ANDed with white.
  std::vector<std::pair<DWORD*, DWORD>> cutPixels;
  auto keepRow = [&](int y, int from, int to) {
    DWORD* row = U.Row(qy + y) + qx;
    const BYTE* cut = mask.Row(y);
    for (int x = from; x < to; x++) {
      if (CCutMask::IsCut(cut, x))
        cutPixels.push_back({row + x, (row[x] | black) & white});
      else
        row[x] |= white;
    }
  };
  for (int y = 0; y < h; y++) {
    if (y >= y0 && y < y1) {
      keepRow(y, 0, x0);
      keepRow(y, x1, w);
    } else {
      keepRow(y, 0, w);
    }
  }
  {
    CSurface dst, src;
    if (!dst.Open(pRef, U.Bitmap()) || !src.Open(pRef, pBitmap))
      return FALSE;
    const RECT around[4] = {{0, 0, w, y0}, {0, y1, w, h}, {0, y0, x0, y1}, {x1, y0, w, y1}};
    BOOL bDone = y0 < y1 ? dst->BitBlt(qx + x0, qy + y0, x1 - x0, y1 - y0, src.Get(), x0, y0, SRCCOPY)
                         : dst->BitBlt(qx, qy, w, h, src.Get(), 0, 0, SRCAND);
    for (const RECT& rc : around)
      if (bDone && y0 < y1 && rc.right > rc.left && rc.bottom > rc.top)
        bDone = dst->BitBlt(qx + rc.left, qy + rc.top, rc.right - rc.left, rc.bottom - rc.top, src.Get(),
                            rc.left, rc.top, SRCAND);
    if (!bDone)
      return FALSE;
  }
  ::GdiFlush();
  for (const auto& c : cutPixels)
    *c.first = c.second;

  // The section is the result when the layer's padding lies inside it, else the result is copied out.
  if (ux == 0 && uy == 0) {
    ReplaceBitmap(pBitmap, *U.Bitmap());
    return TRUE;
  }
  CDibSection R;
  if (!R.Create(pRef, cxR, cyR))
    return FALSE;
  for (int y = 0; y < cyR; y++)
    memcpy(R.Row(y), U.Row(y - uy) - ux, (size_t)cxR * 4);
  ReplaceBitmap(pBitmap, *R.Bitmap());
  return TRUE;
}

} // namespace

void CCommonLib::TornEdge(CDC* pP, CDC* pS, CDC* pK, int w, int h, int nSize, int nSides, BOOL bDropShadow) {
  for (int nSide : kSides) {
    if (!(nSides & nSide))
      continue;
    int len = SideLength(nSide, w, h);
    if (len < 2)
      continue;
    std::vector<POINT> pts(len);
    for (int i = 0; i < len; i++)
      pts[i] = {rand() % nSize, i};
    // A vertex every size / 2 rows: the points in between repeat the last vertex.
    for (int i = 0; i <= len - 2; i++)
      if (abs(pts[i + 1].y - pts[i].y) < nSize / 2)
        pts[i + 1] = pts[i];
    pts[0] = {0, 0};
    pts[1].y = 0;
    pts[len - 2].y = len;
    pts[len - 1] = {0, len};
    FillSide(pP, pS, pK, bDropShadow, nSide, w, h, pts);
  }
}

void CCommonLib::SawEdge(CDC* pP, CDC* pS, CDC* pK, int w, int h, int nSize, int nSides, BOOL bDropShadow) {
  for (int nSide : kSides) {
    if (!(nSides & nSide))
      continue;
    // Each corner is cut by one side only: a side leaves out the band of the neighbour that owns
    // the corner (left gives way to bottom, top to left, right to top, bottom to right).
    int len = SideLength(nSide, w, h), offset = 0;
    switch (nSide) {
    case kSideLeft:
      len -= (nSides & kSideBottom) ? nSize : 0;
      break;
    case kSideTop:
      offset = (nSides & kSideLeft) ? nSize : 0;
      len -= offset;
      break;
    case kSideRight:
      offset = (nSides & kSideTop) ? nSize : 0;
      len -= offset;
      break;
    case kSideBottom:
      len -= (nSides & kSideRight) ? nSize : 0;
      break;
    }
    // A side too short for one tooth (or a size below 2) stays as it is.
    int half = nSize / 2;
    if (half <= 0 || len <= 0)
      continue;
    int n = len / half;
    if (n % 2 == 0)
      n++;
    int teeth = (n - 1) / 2;
    if (teeth <= 0)
      continue;
    int step = len / teeth, longer = len % teeth;
    std::vector<POINT> pts;
    pts.reserve(2 * teeth + 1);
    int along = len;
    pts.push_back({0, offset + along});
    for (int k = 0; k < teeth; k++) {
      along -= step + (k < longer ? 1 : 0);
      pts.push_back({nSize, offset + along});
      pts.push_back({0, offset + along});
    }
    FillSide(pP, pS, pK, bDropShadow, nSide, w, h, pts);
  }
}

void CCommonLib::SharkEdge(CDC* pP, CDC* pS, CDC* pK, int w, int h, int nSize, int nSides, BOOL bDropShadow) {
  for (int nSide : kSides) {
    if (!(nSides & nSide))
      continue;
    int len = SideLength(nSide, w, h);
    int n = len / nSize + 2;
    if (n % 2 == 0)
      n++;
    // A side shorter than two teeth stays as it is.
    if (n - 3 <= 0)
      continue;
    int step = len / (n - 3), longer = len % (n - 3) - 1;
    std::vector<POINT> pts;
    pts.reserve(n);
    pts.push_back({0, 0});
    pts.push_back({nSize, 0});
    int along = 0;
    for (int k = 0; k < n - 4; k++) {
      along += step + (k < longer ? 1 : 0);
      pts.push_back({k % 2 == 0 ? 0 : nSize, along});
    }
    pts.push_back({nSize, len});
    pts.push_back({0, len});
    FillSide(pP, pS, pK, bDropShadow, nSide, w, h, pts);
  }
}

void CCommonLib::WaveEdge(CDC* pP, CDC* pS, CDC* pK, int w, int h, int nSize, int nSides, BOOL bDropShadow) {
  for (int nSide : kSides) {
    if (!(nSides & nSide))
      continue;
    int len = SideLength(nSide, w, h);
    int n = len / 2 + 2;
    std::vector<POINT> pts(n);
    for (int i = 1; i <= n - 2; i++) {
      int k = 100 * i / nSize; // degrees
      pts[i] = {(int)(nSize * (sin(k * 0.017453293005625408) + 1.0)), 2 * i};
    }
    pts[0] = {0, 0};
    pts[1].y = 0;
    pts[n - 2].y = len;
    pts[n - 1] = {0, len};
    FillSide(pP, pS, pK, bDropShadow, nSide, w, h, pts);
  }
}

BOOL CCommonLib::EdgeEffect(CDC* pDC, CBitmap* pBitmap, int nTaskId, int nSize, int nSides, COLORREF clrBack,
                            COLORREF /*clrSecond*/, int /*nSecondValue*/, BOOL bDropShadow,
                            COLORREF clrShadow, int /*nShadowOpacity*/, int nShadowX, int nShadowY,
                            int nSoftness) {
  if (pBitmap == NULL || pBitmap->GetSafeHandle() == NULL)
    return FALSE;
  if (nTaskId != TASK_TORN_EDGE && nTaskId != TASK_SAW_EDGE && nTaskId != TASK_SHARK_EDGE &&
      nTaskId != TASK_WAVE_EDGE)
    return FALSE;
  CSize size = BitmapSize(pBitmap);
  int w = size.cx, h = size.cy;
  if (nSize <= 0 || nSize + 5 >= w)
    return TRUE;
  CRefDC ref(pDC);
  if (ref.Get() == NULL)
    return FALSE;

  if (bDropShadow && m_bPixelRoads && Is32BitBitmap((HBITMAP)pBitmap->GetSafeHandle()) &&
      Makes32BitBitmaps(ref.Get())) {
    auto drawCut = [&](CDC* pCut) {
      switch (nTaskId) {
      case TASK_TORN_EDGE:
        TornEdge(pCut, NULL, NULL, w, h, nSize, nSides, FALSE);
        break;
      case TASK_SAW_EDGE:
        SawEdge(pCut, NULL, NULL, w, h, nSize, nSides, FALSE);
        break;
      case TASK_SHARK_EDGE:
        SharkEdge(pCut, NULL, NULL, w, h, nSize, nSides, FALSE);
        break;
      case TASK_WAVE_EDGE:
        WaveEdge(pCut, NULL, NULL, w, h, nSize, nSides, FALSE);
        break;
      }
    };
    return ShadowedEdgeOnDib(ref.Get(), pBitmap, w, h, CutDepth(nSize), drawCut, clrBack, clrShadow, nShadowX,
                             nShadowY, nSoftness);
  }

  // With the drop shadow the pattern is cut into a copy of the picture, which is left as it was
  // until the larger result replaces it.
  CBitmap copy;
  CBitmap* pPicture = pBitmap;
  if (bDropShadow) {
    if (!CreateFilledBitmap(ref.Get(), copy, w, h, RGB(255, 255, 255)))
      return FALSE;
    CSurface dst, src;
    if (!dst.Open(ref.Get(), &copy) || !src.Open(ref.Get(), pBitmap) ||
        !dst->BitBlt(0, 0, w, h, src.Get(), 0, 0, SRCCOPY))
      return FALSE;
    pPicture = &copy;
  }

  // S: the shadow's shape, K: the keep mask, P: the picture.
  CBitmap shade, keep;
  if (bDropShadow && (!CreateFilledBitmap(ref.Get(), shade, w, h, clrShadow) ||
                      !CreateFilledBitmap(ref.Get(), keep, w, h, RGB(255, 255, 255))))
    return FALSE;
  CBrush brP, brS, brK;
  if (!brP.CreateSolidBrush(bDropShadow ? RGB(255, 255, 255) : clrBack) || !brS.CreateSolidBrush(clrBack) ||
      !brK.CreateSolidBrush(RGB(0, 0, 0)))
    return FALSE;
  CSurface P, S, K;
  if (!P.Open(ref.Get(), pPicture) || !P.SelectBrush(brP.GetSafeHandle()))
    return FALSE;
  if (bDropShadow && (!S.Open(ref.Get(), &shade) || !S.SelectBrush(brS.GetSafeHandle()) ||
                      !K.Open(ref.Get(), &keep) || !K.SelectBrush(brK.GetSafeHandle())))
    return FALSE;

  switch (nTaskId) {
  case TASK_TORN_EDGE:
    TornEdge(P.Get(), S.Get(), K.Get(), w, h, nSize, nSides, bDropShadow);
    break;
  case TASK_SAW_EDGE:
    SawEdge(P.Get(), S.Get(), K.Get(), w, h, nSize, nSides, bDropShadow);
    break;
  case TASK_SHARK_EDGE:
    SharkEdge(P.Get(), S.Get(), K.Get(), w, h, nSize, nSides, bDropShadow);
    break;
  case TASK_WAVE_EDGE:
    WaveEdge(P.Get(), S.Get(), K.Get(), w, h, nSize, nSides, bDropShadow);
    break;
  }
  if (!bDropShadow)
    return TRUE;

  // The shadow's shape with room around it, softened at its edges.
  int cxBlur = w + 2 * kShadowPad, cyBlur = h + 2 * kShadowPad;
  CBitmap blurred;
  if (!CreateFilledBitmap(ref.Get(), blurred, cxBlur, cyBlur, clrBack))
    return FALSE;
  {
    CSurface B;
    if (!B.Open(ref.Get(), &blurred) || !B->BitBlt(kShadowPad, kShadowPad, w, h, S.Get(), 0, 0, SRCCOPY))
      return FALSE;
  }
  S.Close();
  // The frame to blur is measured with the softness (the blur size), not the pattern size: the
  // blur only has to cover the shadow's offset, its own reach and the padding.
  if (nSoftness > 0 && !BlurFrame(ref.Get(), blurred, cxBlur, cyBlur, nSoftness,
                                  abs(nShadowX) + nSoftness + 15, abs(nShadowY) + nSoftness + 15))
    return FALSE;

  // The result: shadow first, then the picture through the keep mask.
  CBitmap result;
  if (!CreateFilledBitmap(ref.Get(), result, w + abs(nShadowX) + 2 * kShadowPad,
                          h + abs(nShadowY) + 2 * kShadowPad, clrBack))
    return FALSE;
  {
    CSurface R, B;
    if (!R.Open(ref.Get(), &result) || !B.Open(ref.Get(), &blurred))
      return FALSE;
    int px = nShadowX < 0 ? -nShadowX : 0, py = nShadowY < 0 ? -nShadowY : 0;
    if (!R->BitBlt((nShadowX < 0 ? 0 : nShadowX) - kShadowPad, (nShadowY < 0 ? 0 : nShadowY) - kShadowPad,
                   cxBlur, cyBlur, B.Get(), 0, 0, SRCCOPY) ||
        !R->BitBlt(px, py, w, h, K.Get(), 0, 0, SRCPAINT) || !R->BitBlt(px, py, w, h, P.Get(), 0, 0, SRCAND))
      return FALSE;
  }
  P.Close();
  K.Close();
  ReplaceBitmap(pBitmap, result);
  return TRUE;
}

BOOL CCommonLib::BorderEffect(CDC* pDC, CBitmap* pBitmap, int nSize, int nPercent, int nFlags,
                              COLORREF clrMain, COLORREF clrHighlight, COLORREF clrShadow) {
  if (pBitmap == NULL || pBitmap->GetSafeHandle() == NULL)
    return FALSE;
  CSize size = BitmapSize(pBitmap);
  // A pen of width 0 would still draw one pixel, so a zero size is left alone here.
  const int s = nSize;
  if (s <= 0 || s + 5 >= size.cx)
    return TRUE;
  CRefDC ref(pDC);
  if (ref.Get() == NULL)
    return FALSE;

  // Half of the wide pen falls outside the picture, leaving a frame s pixels wide.
  CPen frame, highlight, shadow;
  if (!frame.CreatePen(PS_SOLID, 2 * s, clrMain) || !highlight.CreatePen(PS_SOLID, 1, clrHighlight) ||
      !shadow.CreatePen(PS_SOLID, 1, clrShadow))
    return FALSE;

  // Outside: the frame is drawn on a larger copy, which then replaces the picture.
  int W = size.cx, H = size.cy;
  CBitmap larger;
  CBitmap* pTarget = pBitmap;
  if (nFlags & 1) {
    if (!CreateFilledBitmap(ref.Get(), larger, W + 2 * s, H + 2 * s, RGB(255, 255, 255)))
      return FALSE;
    CSurface dst, src;
    if (!dst.Open(ref.Get(), &larger) || !src.Open(ref.Get(), pBitmap) ||
        !dst->BitBlt(s, s, W, H, src.Get(), 0, 0, SRCCOPY))
      return FALSE;
    pTarget = &larger;
    W += 2 * s;
    H += 2 * s;
  }

  {
    CSurface pic;
    if (!pic.Open(ref.Get(), pTarget) || !pic.SelectPen(frame.GetSafeHandle()) ||
        !pic.SelectBrush(::GetStockObject(NULL_BRUSH)))
      return FALSE;
    pic->Rectangle(0, 0, W, H);

    if (nFlags & 2) {
      auto line = [&pic](int x1, int y1, int x2, int y2) {
        pic->MoveTo(x1, y1);
        pic->LineTo(x2, y2);
      };
      int t = 2 * s * nPercent / 400;
      // Lit on the outer top-left and inner bottom-right, shaded on the inner top-left and outer
      // bottom-right: the frame looks raised.
      pic.SelectPen(highlight.GetSafeHandle());
      for (int i = 0; i <= t; i++) {
        line(i, H - i, i, i);
        line(i, i, W - i, i);
        line(s - i, H - s + i, W - s + i, H - s + i);
        line(W - s + i, H - s + i, W - s + i, s - i);
      }
      pic.SelectPen(shadow.GetSafeHandle());
      for (int i = 0; i <= t; i++) {
        line(s - i, H - s + i, s - i, s - i);
        line(s - i, s - i, W - s + i, s - i);
        line(i, H - i, W - i, H - i);
        line(W - i, H - i, W - i, i);
      }
    }
  }
  if (pTarget != pBitmap)
    ReplaceBitmap(pBitmap, larger);
  return TRUE;
}

using namespace Gdiplus;

namespace {

// Moves count pixels toward the back colour (blue, green, red, 0 as floats): pixel i by
// d = d0 + i x dStep steps of (back - c) / band, that quotient held in single precision, the
// product truncated. The same float operations as one channel at a time.
void FadeRun(DWORD* p, int count, int band, int d0, int dStep, __m128 back) {
  const __m128 bandF = _mm_set1_ps(static_cast<float>(band));
  const __m128i colourLanes = _mm_set_epi32(0, -1, -1, -1);
  const __m128i zero = _mm_setzero_si128();
  for (int i = 0; i < count; ++i) {
    __m128i c = _mm_unpacklo_epi16(Unpack1(p[i]), zero);
    __m128 q = _mm_div_ps(_mm_sub_ps(back, _mm_cvtepi32_ps(c)), bandF);
    __m128 t = _mm_mul_ps(q, _mm_set1_ps(static_cast<float>(d0 + i * dStep)));
    __m128i v = _mm_add_epi32(c, _mm_and_si128(_mm_cvttps_epi32(t), colourLanes));
    v = _mm_packs_epi32(v, v);
    p[i] = static_cast<DWORD>(_mm_cvtsi128_si32(_mm_packus_epi16(v, v)));
  }
}

// Adds (sign > 0) or subtracts a per-pixel amount 0..255 from blue, green and red, saturating.
inline DWORD ShiftPixel(DWORD v, int amount, int sign) {
  __m128i a = _mm_cvtsi32_si128(amount * 0x010101);
  __m128i p = _mm_cvtsi32_si128(static_cast<int>(v));
  return static_cast<DWORD>(_mm_cvtsi128_si32(sign > 0 ? _mm_adds_epu8(p, a) : _mm_subs_epu8(p, a)));
}

} // namespace

void CGdipEffects::FadeEdge(Bitmap* pBitmap, int nSizePercent, int nSides, COLORREF clrBack) {
  const int bx = cx * nSizePercent / 100;
  const int by = cy * nSizePercent / 100;
  if ((bx <= 0 && by <= 0) || (nSides & 0x0F) == 0)
    return;
  CGdipBitsLock lock(pBitmap, 0, 0, cx, cy);
  if (!lock.IsLocked())
    return;
  const __m128 back =
      _mm_set_ps(0.0f, static_cast<float>(GetRValue(clrBack)), static_cast<float>(GetGValue(clrBack)),
                 static_cast<float>(GetBValue(clrBack)));
  // Right and bottom: d counts from 0 at the band's inner border; left and top: from the band
  // width at the picture's edge down to 1.
  if ((nSides & 4) && bx > 0) {
    const int x0 = std::max(cx - bx, 0);
    for (int y = 0; y < cy; ++y)
      FadeRun(lock.Row(y) + x0, cx - x0, bx, x0 - (cx - bx), 1, back);
  }
  if ((nSides & 1) && bx > 0)
    for (int y = 0; y < cy; ++y)
      FadeRun(lock.Row(y), std::min(bx, cx), bx, bx, -1, back);
  if ((nSides & 8) && by > 0)
    for (int y = std::max(cy - by, 0); y < cy; ++y)
      FadeRun(lock.Row(y), cx, by, y - (cy - by), 0, back);
  if ((nSides & 2) && by > 0)
    for (int y = 0; y < std::min(by, cy); ++y)
      FadeRun(lock.Row(y), cx, by, by - y, 0, back);
}

void CGdipEffects::BevelEdge(Bitmap* pBitmap, int nSizePercent, int /*nUnused*/, COLORREF /*clrUnused*/) {
  const int b = std::min(cx, cy) * nSizePercent / 100;
  if (b < 1)
    return; // no band, and no step to divide 128 into
  CGdipBitsLock lock(pBitmap, 0, 0, cx, cy);
  if (!lock.IsLocked())
    return;
  const float f = 128.0f / static_cast<float>(b);
  const int depth = std::min(b, (std::min(cx, cy) + 1) / 2);
  // The amount at depth e from the edge (0 at the edge).
  std::vector<int> amount(depth);
  for (int e = 0; e < depth; ++e)
    amount[e] = std::min(static_cast<int>(static_cast<float>(b - e) * f), 255);
  // A pixel belongs to the band of its nearest edge; the top and bottom bands own the corner
  // diagonals, the top wins over the bottom and the left over the right on a middle line.
  // The top and left bands lighten, the others darken.
  for (int y = 0; y < cy; ++y) {
    DWORD* p = lock.Row(y);
    const int ev = std::min(y, cy - 1 - y);
    const int vSign = y <= cy - 1 - y ? 1 : -1;
    auto side = [&](int x) {
      const int eh = std::min(x, cx - 1 - x);
      p[x] = ShiftPixel(p[x], amount[eh], x <= cx - 1 - x ? 1 : -1);
    };
    if (ev < depth) {
      // Side bands left and right of the segment [ev, cx - 1 - ev], which has one amount.
      const int from = std::min(ev, cx), to = std::max(cx - 1 - ev, from - 1);
      for (int x = 0; x < from; ++x)
        side(x);
      const __m128i a = _mm_set1_epi32(amount[ev] * 0x010101);
      int x = from;
      for (; x + 4 <= to + 1; x += 4) {
        __m128i* q = reinterpret_cast<__m128i*>(p + x);
        __m128i v = _mm_loadu_si128(q);
        _mm_storeu_si128(q, vSign > 0 ? _mm_adds_epu8(v, a) : _mm_subs_epu8(v, a));
      }
      for (; x <= to; ++x)
        p[x] = ShiftPixel(p[x], amount[ev], vSign);
      for (x = to + 1; x < cx; ++x)
        side(x);
    } else {
      const int left = std::min(depth, cx);
      for (int x = 0; x < left; ++x)
        side(x);
      for (int x = std::max(cx - depth, left); x < cx; ++x)
        side(x);
    }
  }
}
