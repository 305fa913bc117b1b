#include "editor/TextElement.h"

#include "imaging/GdipEffects.h"
#include "imaging/Globals.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <vector>

using namespace Gdiplus;

namespace {

// The shadow bitmap reaches this far beyond the text box on every side, room for the softening.
const int kShadowPad = 10;

LOGFONTA StartingFont() {
  LOGFONTA lf = {};
  lf.lfHeight = 10;
  lf.lfWeight = FW_NORMAL;
  lf.lfPitchAndFamily = FF_SWISS;
  std::strcpy(lf.lfFaceName, "Arial Narrow");
  return lf;
}

StringAlignment AlignmentOf(int nCode) {
  return nCode == 1 ? StringAlignmentCenter : nCode == 2 ? StringAlignmentFar : StringAlignmentNear;
}

// The font the LOGFONT describes, its height taken as points. A face the system lacks gives the
// generic sans-serif face rather than no text at all.
std::unique_ptr<Font> MakeGdipFont(const LOGFONTA& lf) {
  std::unique_ptr<wchar_t[]> face = AnsiToWideAlloc(lf.lfFaceName, LF_FACESIZE - 1);
  FontFamily family(face.get());
  const FontFamily* pFamily = family.GetLastStatus() == Ok ? &family : FontFamily::GenericSansSerif();
  INT style = FontStyleRegular;
  if (lf.lfWeight == FW_BOLD)
    style |= FontStyleBold;
  if (lf.lfItalic == 1)
    style |= FontStyleItalic;
  if (lf.lfUnderline == 1)
    style |= FontStyleUnderline;
  if (lf.lfStrikeOut == 1)
    style |= FontStyleStrikeout;
  return std::make_unique<Font>(pFamily, static_cast<REAL>(std::abs(lf.lfHeight)), style, UnitPoint);
}

// The shadow's look comes from the shell's text style, so preview and final rendering agree
// whatever style the caller holds.
DrawStyle ShadowStyleFor(const DrawStyle& given) {
  const CEditorAppState* pState = CEditorAppState::Get();
  return pState != NULL ? pState->m_styles[STYLE_TEXT] : given;
}

// Remembers the first failure of a sequence of GDI+ calls.
struct FirstFailure {
  Status status = Ok;
  void operator()(Status s) {
    if (status == Ok)
      status = s;
  }
};

} // namespace

CTextElement::CTextElement()
    : m_nAlignH(0), m_nAlignV(0), m_bAntialias(0), m_clrText(0xFF000000), m_nAngle(0), m_nOpacity(255),
      m_rect(0, 0, 0, 0) {
  LOGFONTA lf = StartingFont();
  m_font.CreateFontIndirect(&lf);
}

CTextElement::~CTextElement() = default;

void CTextElement::Serialize(CArchive& /*ar*/) {}

Status CTextElement::Draw(Bitmap* pPicture, Graphics* pGraphics, DrawStyle style, float /*fZoom*/,
                          int nScrollX, int nScrollY, BOOL bFinal) {
  if (pGraphics == NULL)
    return InvalidParameter;
  CRect box = m_rect;
  box.NormalizeRect();
  if (box.IsRectEmpty())
    return Ok;
  box.OffsetRect(nScrollX, nScrollY);
  const RectF layout(static_cast<REAL>(box.left), static_cast<REAL>(box.top), static_cast<REAL>(box.Width()),
                     static_cast<REAL>(box.Height()));

  const int opacity = std::min(std::max(m_nOpacity, 0), 255);
  m_clrText = (static_cast<DWORD>(opacity) << 24) | (m_clrText & 0x00FFFFFF);
  SolidBrush brush{Color(m_clrText)};
  LOGFONTA lf = {};
  if (m_font.GetSafeHandle() == NULL || !m_font.GetLogFont(&lf))
    lf = StartingFont();
  std::unique_ptr<Font> font = MakeGdipFont(lf);
  StringFormat format;
  format.SetAlignment(AlignmentOf(m_nAlignH));
  format.SetLineAlignment(AlignmentOf(m_nAlignV));
  format.SetTrimming(StringTrimmingEllipsisPath);

  FirstFailure failure;
  failure(font->GetLastStatus());
  const GraphicsState saved = pGraphics->Save();
  failure(pGraphics->SetSmoothingMode(m_bAntialias == 1 ? SmoothingModeHighQuality : SmoothingModeNone));
  const bool bUpright = m_nAngle == 0 || m_nAngle == 360;
  if (style.dropShadow && bUpright && pPicture != NULL && failure.status == Ok)
    failure(DrawShadow(pPicture, pGraphics, ShadowStyleFor(style), layout, *font, format,
                       bFinal == 1 ? 0 : g_nCanvasMargin));
  if (!bUpright) {
    // Turned about the box's centre.
    const REAL cx = layout.X + layout.Width / 2, cy = layout.Y + layout.Height / 2;
    failure(pGraphics->TranslateTransform(cx, cy, MatrixOrderPrepend));
    failure(pGraphics->RotateTransform(static_cast<REAL>(-m_nAngle), MatrixOrderPrepend));
    failure(pGraphics->TranslateTransform(-cx, -cy, MatrixOrderPrepend));
  }
  // GDI+ keeps a string inside its layout box on Windows but not under Wine; the clip keeps it
  // there everywhere (it turns with the text).
  failure(pGraphics->SetClip(layout, CombineModeIntersect));
  std::unique_ptr<wchar_t[]> text = AnsiToWideAlloc(m_strText);
  if (font->GetLastStatus() == Ok)
    failure(pGraphics->DrawString(text.get(), -1, font.get(), layout, &format, &brush));
  failure(pGraphics->Restore(saved));
  return failure.status;
}

Status CTextElement::DrawShadow(Bitmap* pPicture, Graphics* pGraphics, const DrawStyle& shadow,
                                const RectF& rcLayout, const Font& font, const StringFormat& format,
                                int nPictureOffset) {
  const int cx = static_cast<int>(rcLayout.Width) + 2 * kShadowPad;
  const int cy = static_cast<int>(rcLayout.Height) + 2 * kShadowPad;
  // A shadow opacity above 100 % saturates instead of wrapping into the colour's other bytes.
  const int alpha = std::min(std::max(shadow.opacity * shadow.shadowOpacity / 100, 0), 255);
  const Color colour(static_cast<BYTE>(alpha), GetRValue(shadow.shadowColor), GetGValue(shadow.shadowColor),
                     GetBValue(shadow.shadowColor));

  Bitmap bitmap(cx, cy, PixelFormat32bppARGB);
  if (bitmap.GetLastStatus() != Ok)
    return bitmap.GetLastStatus();
  FirstFailure failure;
  {
    Graphics graphics(&bitmap);
    failure(graphics.Clear(Color(0xFFFFFFFF)));
    failure(graphics.SetSmoothingMode(SmoothingModeHighQuality));
    const RectF box(static_cast<REAL>(kShadowPad), static_cast<REAL>(kShadowPad), rcLayout.Width,
                    rcLayout.Height);
    failure(graphics.SetClip(box));
    SolidBrush brush(colour);
    std::unique_ptr<wchar_t[]> text = AnsiToWideAlloc(m_strText);
    failure(graphics.DrawString(text.get(), -1, &font, box, &format, &brush));
  }
  if (failure.status != Ok)
    return failure.status;

  CGdipEffects effects;
  if (shadow.shadowEdge == 1 || shadow.shadowEdge == 2) {
    const int n = shadow.shadowEdge == 1 ? 3 : 5;
    const std::vector<int> kernel(static_cast<size_t>(n * n), 1);
    effects.SetSize(cx, cy);
    effects.Convolve(&bitmap, kernel.data(), n, n * n, 0, -1, -1);
  }
  // White in the shadow bitmap shows the picture under it unchanged; the rest darkens it.
  const int x = static_cast<int>(rcLayout.X) - kShadowPad + shadow.shadowDepthX;
  const int y = static_cast<int>(rcLayout.Y) - kShadowPad + shadow.shadowDepthY;
  const int px = x - nPictureOffset, py = y - nPictureOffset;
  effects.SetSize(static_cast<int>(pPicture->GetWidth()), static_cast<int>(pPicture->GetHeight()));
  if (!effects.MultiplyBlend(pPicture, &bitmap, px, py, px + cx, py + cy))
    return GenericError;
  return pGraphics->DrawImage(&bitmap, x, y, cx, cy);
}

Status CTextElement::DrawToDC(std::unique_ptr<Bitmap> pPicture, CDC* pDC, DrawStyle style, float fZoom,
                              int nScrollX, int nScrollY) {
  if (pDC == NULL || pDC->GetSafeHdc() == NULL)
    return InvalidParameter;
  Graphics graphics(pDC->GetSafeHdc());
  return Draw(pPicture.get(), &graphics, style, fZoom, nScrollX, nScrollY, FALSE);
}

Bitmap* CTextElement::DrawIntoImage(Bitmap* pImage, DrawStyle style, float fZoom, int nScrollX,
                                    int nScrollY) {
  if (pImage == NULL)
    return NULL;
  Graphics graphics(pImage);
  Draw(pImage, &graphics, style, fZoom, nScrollX, nScrollY, TRUE);
  return pImage;
}
