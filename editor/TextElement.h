// The pending text of the view: a block of text in a box over the picture, drawn on every
// repaint until the view draws it into the picture for good.
#pragma once

#include "editor/EditorState.h"
#include "framework/core/fw_core.h"
#include "framework/core/fw_geom.h"
#include "framework/core/fw_string.h"
#include "framework/gdi/fw_gdi.h"

#include <gdiplus.h>

#include <memory>

class CTextElement : public CObject {
public:
  // An empty text in an empty box, opaque black, in 10-unit "Arial Narrow".
  CTextElement();
  ~CTextElement() override;
  CTextElement(const CTextElement&) = delete;
  CTextElement& operator=(const CTextElement&) = delete;

  CString m_strText;
  int m_nAlignH;    // in the box: 0 left, 1 centre, 2 right
  int m_nAlignV;    // in the box: 0 top, 1 middle, 2 bottom
  int m_bAntialias; // 1 = smooth drawing
  CFont m_font;     // face, size (lfHeight, drawn as points) and style
  DWORD m_clrText;  // ARGB; its alpha is replaced by m_nOpacity at every drawing
  int m_nAngle;     // degrees, 0..360, turned about the box's centre
  int m_nOpacity;   // 0..255
  CRect m_rect;     // the box before scrolling (canvas at scroll 0); empty: no text pending

  void Serialize(CArchive& ar) override;

  // Draws the text into m_rect moved by the scroll offsets, after its drop shadow when the style
  // asks for one and the text is not turned. The shadow darkens pPicture (a copy of the picture,
  // not taken over; no shadow without it) under the shadow's place: the target is the canvas in
  // a preview and the picture itself when bFinal is 1. The shadow's look comes from the shell's
  // text style. Text is only kept at 100 %, so the zoom is not used. Answers the first failing
  // GDI+ status, Ok when everything was drawn.
  virtual Gdiplus::Status Draw(Gdiplus::Bitmap* pPicture, Gdiplus::Graphics* pGraphics, DrawStyle style,
                               float fZoom, int nScrollX, int nScrollY, BOOL bFinal);
  // The preview: draws on the device context and deletes the picture copy.
  virtual Gdiplus::Status DrawToDC(std::unique_ptr<Gdiplus::Bitmap> pPicture, CDC* pDC, DrawStyle style,
                                   float fZoom, int nScrollX, int nScrollY);
  // The final rendering into pImage, which also serves as the shadow's picture; m_rect must be in
  // picture coordinates. Answers pImage.
  Gdiplus::Bitmap* DrawIntoImage(Gdiplus::Bitmap* pImage, DrawStyle style, float fZoom, int nScrollX,
                                 int nScrollY);

protected:
  // Draws the shadow of the unturned text laid out in rcLayout (target coordinates); nPictureOffset
  // is the target position of picture pixel (0, 0) along both axes.
  Gdiplus::Status DrawShadow(Gdiplus::Bitmap* pPicture, Gdiplus::Graphics* pGraphics, const DrawStyle& shadow,
                             const Gdiplus::RectF& rcLayout, const Gdiplus::Font& font,
                             const Gdiplus::StringFormat& format, int nPictureOffset);
};
