// Colours, the drop shadow and the direct pixel paths of the drawing elements.
//
// Under some GDI+ implementations (Wine's among them) every fill or image drawn into a bitmap
// goes pixel by pixel through the bitmap's accessors, so a fill of a whole 4K picture or a shadow
// as large takes the better part of a second. Where the result is fixed by simple arithmetic (a
// rectangle of whole pixels, an opaque image copied at a whole-pixel place) the pixels are
// written here directly, in the picture's own format, which costs about one copy of the area.
#include "editor/ElementDrawing.h"

#include "imaging/GdipEffects.h"

#include <emmintrin.h>

#include <algorithm>
#include <cstring>
#include <new>

using namespace Gdiplus;

namespace {

bool IsWhole(REAL v) { return v == static_cast<REAL>(static_cast<int>(v)); }

bool IsSmoothing(Graphics* pGraphics) {
  SmoothingMode mode = pGraphics->GetSmoothingMode();
  return mode == SmoothingModeHighQuality || mode >= SmoothingModeAntiAlias;
}

// The part of (l, t)-(r, b) inside a cx x cy bitmap; false when nothing is.
bool ClipTo(int cx, int cy, int& l, int& t, int& r, int& b) {
  l = std::max(l, 0);
  t = std::max(t, 0);
  r = std::min(r, cx);
  b = std::min(b, cy);
  return l < r && t < b;
}

// Multiplies the shade by the picture copy under it, as CGdipEffects::MultiplyBlend does over
// the whole picture, but locking only the part of the picture under the shade and in its own
// format: the blend reads colour channels only, so a 32bpp RGB picture serves as it is.
Status MultiplyUnderShadow(Bitmap* pImage, Bitmap* pShade, int l, int t, int r, int b) {
  CGdipEffects fx;
  const int cx = static_cast<int>(pImage->GetWidth()), cy = static_cast<int>(pImage->GetHeight());
  const PixelFormat format = pImage->GetPixelFormat();
  if (format != PixelFormat32bppRGB && format != PixelFormat32bppARGB) {
    fx.SetSize(cx, cy);
    fx.MultiplyBlend(pImage, pShade, l, t, r, b);
    return pImage->GetLastStatus();
  }
  int cl = l, ct = t, cr = r, cb = b;
  if (!ClipTo(cx, cy, cl, ct, cr, cb))
    return Ok; // nothing of the picture lies under the shadow
  Rect area(cl, ct, cr - cl, cb - ct);
  BitmapData data;
  Status st = pImage->LockBits(&area, ImageLockModeRead, format, &data);
  if (st != Ok)
    return st;
  {
    Bitmap under(area.Width, area.Height, data.Stride, PixelFormat32bppARGB, static_cast<BYTE*>(data.Scan0));
    fx.SetSize(area.Width, area.Height);
    fx.MultiplyBlend(&under, pShade, l - cl, t - ct, r - cl, b - ct);
    st = under.GetLastStatus();
  }
  pImage->UnlockBits(&data);
  return st;
}

// Copies opaque w x h pixels into a 32bpp RGB picture at (x, y): what drawing an opaque image
// there at its own size gives. False, with nothing changed, for another format.
bool CopyIntoPicture(Bitmap* pPicture, const DWORD* pSource, int w, int h, int x, int y) {
  if (pPicture->GetPixelFormat() != PixelFormat32bppRGB)
    return false;
  int l = x, t = y, r = x + w, b = y + h;
  if (!ClipTo(static_cast<int>(pPicture->GetWidth()), static_cast<int>(pPicture->GetHeight()), l, t, r, b))
    return true;
  Rect area(l, t, r - l, b - t);
  BitmapData data;
  if (pPicture->LockBits(&area, ImageLockModeWrite, PixelFormat32bppRGB, &data) != Ok)
    return false;
  for (int j = 0; j < area.Height; ++j)
    std::memcpy(static_cast<BYTE*>(data.Scan0) + j * data.Stride,
                pSource + static_cast<size_t>(t - y + j) * w + (l - x), static_cast<size_t>(area.Width) * 4);
  pPicture->UnlockBits(&data);
  return true;
}

// The colour laid over opaque white, as a source-over fill gives it.
ARGB OverWhite(ARGB argb) {
  const unsigned a = argb >> 24;
  ARGB result = 0xFF000000;
  for (int shift = 0; shift < 24; shift += 8)
    result |= (((argb >> shift) & 0xFF) * a + 255 * (255 - a)) / 255 << shift;
  return result;
}

// Whether the poly-line turns by 90 degrees or more at point i, or has no direction there; a
// mitred join there may be cut to a bevel, which a round cap would overreach.
bool IsSharpTurn(const std::vector<PointF>& points, size_t i) {
  if (i == 0 || i + 1 >= points.size())
    return false;
  const PointF a = points[i] - points[i - 1], b = points[i + 1] - points[i];
  return a.X * b.X + a.Y * b.Y <= 0;
}

const size_t kPolylinePiece = 24; // points per piece

const int kSoftKernel[9] = {1, 1, 1, 1, 1, 1, 1, 1, 1};
const int kSofterKernel[25] = {1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1};

} // namespace

ARGB ElementArgb(COLORREF clr, int nAlpha) {
  const ARGB a = static_cast<ARGB>(std::min(std::max(nAlpha, 0), 255));
  return (a << 24) | (ARGB(GetRValue(clr)) << 16) | (ARGB(GetGValue(clr)) << 8) | GetBValue(clr);
}

ARGB ShadowArgb(const DrawStyle& style) {
  // Shadow opacities above 100 % are offered by the tools; the product must still fit a byte.
  return ElementArgb(style.shadowColor, (style.opacity * style.shadowOpacity) / 100);
}

Status DrawElementShadow(Bitmap* pImage, Graphics* pGraphics, Bitmap* pPicture, const DrawStyle& style,
                         const RectF& rc, const ShadowShape& shape) {
  if (pImage == NULL || pGraphics == NULL)
    return Ok;
  const int e = style.width + 10;
  const REAL fW = rc.Width + 2.0f * e, fH = rc.Height + 2.0f * e;
  const int W = static_cast<int>(fW), H = static_cast<int>(fH);
  if (W <= 0 || H <= 0)
    return InvalidParameter;
  std::vector<DWORD> pixels;
  try {
    pixels.assign(static_cast<size_t>(W) * H, 0xFFFFFFFF);
  } catch (const std::bad_alloc&) {
    return OutOfMemory;
  }
  Bitmap shade(W, H, W * 4, PixelFormat32bppARGB, reinterpret_cast<BYTE*>(pixels.data()));
  Status st = shade.GetLastStatus();
  if (st != Ok)
    return st;
  {
    const ARGB argb = OverWhite(ShadowArgb(style));
    Graphics g(&shade);
    Pen pen(Color(argb), static_cast<REAL>(style.width));
    SolidBrush brush{Color(argb)};
    st = shape(g, pen, brush, e - rc.X, e - rc.Y);
  }
  if (style.shadowEdge == 1 || style.shadowEdge == 2) {
    CGdipEffects fx;
    fx.SetSize(W, H);
    if (style.shadowEdge == 1)
      fx.Convolve(&shade, kSoftKernel, 3, 9, 0, -1, -1);
    else
      fx.Convolve(&shade, kSofterKernel, 5, 25, 0, -1, -1);
  }
  const int l = static_cast<int>(rc.X) - e + style.shadowDepthX,
            t = static_cast<int>(rc.Y) - e + style.shadowDepthY;
  const int r = static_cast<int>(rc.X + rc.Width) + e + style.shadowDepthX;
  const int b = static_cast<int>(rc.Y + rc.Height) + e + style.shadowDepthY;
  Status blend = MultiplyUnderShadow(pImage, &shade, l, t, r, b);
  if (blend != Ok)
    return blend;
  const REAL x = rc.X - e + style.shadowDepthX, y = rc.Y - e + style.shadowDepthY;
  // White and shadow alike are opaque here, so drawing the bitmap copies it.
  if (pPicture != NULL && IsWhole(x) && IsWhole(y) && fW == W && fH == H &&
      CopyIntoPicture(pPicture, pixels.data(), W, H, static_cast<int>(x), static_cast<int>(y)))
    return st;
  const Status drawn = pGraphics->DrawImage(&shade, RectF(x, y, fW, fH));
  return st != Ok ? st : drawn;
}

bool BlendIntoPicture(Bitmap* pPicture, int l, int t, int r, int b, ARGB argb) {
  if (pPicture == NULL || pPicture->GetPixelFormat() != PixelFormat32bppRGB)
    return false;
  if (!ClipTo(static_cast<int>(pPicture->GetWidth()), static_cast<int>(pPicture->GetHeight()), l, t, r, b))
    return true;
  const int a = static_cast<int>(argb >> 24);
  if (a == 0)
    return true;
  Rect area(l, t, r - l, b - t);
  BitmapData data;
  if (pPicture->LockBits(&area, ImageLockModeRead | ImageLockModeWrite, PixelFormat32bppRGB, &data) != Ok)
    return false;
  // Per channel (s * a + d * (255 - a)) / 255, truncated, as a solid fill over an opaque pixel;
  // v / 255 for v <= 255 x 255 is (v + (v >> 8) + 1) >> 8. The unused top byte is kept.
  const __m128i zero = _mm_setzero_si128(), one = _mm_set1_epi16(1);
  const __m128i top = _mm_set1_epi32(static_cast<int>(0xFF000000));
  const __m128i source = _mm_mullo_epi16(_mm_unpacklo_epi8(_mm_set1_epi32(static_cast<int>(argb)), zero),
                                         _mm_set1_epi16(static_cast<short>(a)));
  const __m128i keep = _mm_set1_epi16(static_cast<short>(255 - a));
  auto blend = [&](__m128i d) {
    const __m128i v = _mm_add_epi16(source, _mm_mullo_epi16(d, keep));
    return _mm_srli_epi16(_mm_add_epi16(_mm_add_epi16(v, _mm_srli_epi16(v, 8)), one), 8);
  };
  for (int j = 0; j < area.Height; ++j) {
    DWORD* p = reinterpret_cast<DWORD*>(static_cast<BYTE*>(data.Scan0) + j * data.Stride);
    int i = 0;
    for (; i + 4 <= area.Width; i += 4) {
      const __m128i d = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i));
      const __m128i out =
          _mm_packus_epi16(blend(_mm_unpacklo_epi8(d, zero)), blend(_mm_unpackhi_epi8(d, zero)));
      _mm_storeu_si128(reinterpret_cast<__m128i*>(p + i),
                       _mm_or_si128(_mm_and_si128(d, top), _mm_andnot_si128(top, out)));
    }
    for (; i < area.Width; ++i) {
      BYTE* pb = reinterpret_cast<BYTE*>(p + i);
      for (int c = 0; c < 3; ++c) {
        const unsigned s = (argb >> (8 * c)) & 0xFF;
        const unsigned v = s * a + pb[c] * (255u - a);
        pb[c] = static_cast<BYTE>((v + (v >> 8) + 1) >> 8);
      }
    }
  }
  pPicture->UnlockBits(&data);
  return true;
}

Status FillElementRect(Graphics* pGraphics, Bitmap* pPicture, const RectF& rc, ARGB argb) {
  if (pGraphics == NULL)
    return InvalidParameter;
  if (pPicture != NULL && rc.Width > 0 && rc.Height > 0 && IsWhole(rc.X) && IsWhole(rc.Y) &&
      IsWhole(rc.Width) && IsWhole(rc.Height) && !IsSmoothing(pGraphics) &&
      BlendIntoPicture(pPicture, static_cast<int>(rc.X), static_cast<int>(rc.Y),
                       static_cast<int>(rc.X + rc.Width), static_cast<int>(rc.Y + rc.Height), argb))
    return Ok;
  SolidBrush brush{Color(argb)};
  return pGraphics->FillRectangle(&brush, rc);
}

RectF ElementRectF(const RECT& rc) {
  return RectF(REAL(rc.left), REAL(rc.top), REAL(rc.right - rc.left), REAL(rc.bottom - rc.top));
}

std::vector<PointF> ShiftedPoints(const std::vector<PointF>& points, float dx, float dy) {
  std::vector<PointF> shifted(points);
  for (PointF& pt : shifted) {
    pt.X += dx;
    pt.Y += dy;
  }
  return shifted;
}

Status DrawPolyline(Graphics& g, Pen& pen, const std::vector<PointF>& points) {
  Color color;
  pen.GetColor(&color);
  const LineJoin join = pen.GetLineJoin();
  const bool bPieces = points.size() > kPolylinePiece && color.GetA() == 255 &&
                       pen.GetDashStyle() == DashStyleSolid && pen.GetStartCap() == LineCapRound &&
                       pen.GetEndCap() == LineCapRound && (join == LineJoinMiter || join == LineJoinRound);
  if (!bPieces) {
    GraphicsPath path;
    path.AddLines(points.data(), static_cast<INT>(points.size()));
    return g.DrawPath(&pen, &path);
  }
  // A piece ends at point `last` and the next starts at last - 1: the caps at both ends of the
  // shared segment lie inside the other piece's mitred joins while those joins are gentle.
  Status st = Ok;
  for (size_t first = 0; first + 1 < points.size();) {
    size_t last = std::min(first + kPolylinePiece, points.size()) - 1;
    while (last + 1 < points.size() && (IsSharpTurn(points, last - 1) || IsSharpTurn(points, last)))
      ++last;
    GraphicsPath path;
    path.AddLines(points.data() + first, static_cast<INT>(last - first + 1));
    const Status piece = g.DrawPath(&pen, &path);
    if (st == Ok)
      st = piece;
    if (last + 1 >= points.size())
      break;
    first = last - 1;
  }
  return st;
}
