// Printing and print preview of the image view: the picture at the document's resolution, shrunk to
// the printable area when it does not fit.
#include "editor/FramletDoc.h"
#include "editor/FramletView.h"
#include "framework/app/fw_app.h"
#include "framework/print/fw_print.h"

#include <gdiplus.h>

#include <cstdlib>
#include <memory>

namespace {

const char kTooBigQuestion[] =
    "The image size is bigger than the selected page in your printer.\nThe image will be automatically "
    "resized (maintaining width/height ratio)\nto fit your page.Do you want to continue?\n\n[NOTE: You "
    "can crop/resize your image or go to File ->Print Setup menu\nto select a different paper size.]";

// Without a printer to ask, a picture pixel takes 6.25 printer dots (600 dpi over 96).
CRect DefaultPrintRect(CSize picture) { return CRect(0, 0, picture.cx * 625 / 100, picture.cy * 625 / 100); }

CSize PictureSize(CFramletDoc* pDoc) {
  BITMAP bm;
  if (pDoc == NULL || pDoc->m_pImage == NULL || pDoc->m_pImage->GetBitmap()->GetSafeHandle() == NULL ||
      pDoc->m_pImage->GetBitmap()->GetBitmap(&bm) == 0)
    return CSize(0, 0);
  return CSize(bm.bmWidth, bm.bmHeight);
}

} // namespace

BOOL CFramletView::OnPreparePrinting(CPrintInfo* pInfo) {
  if (!DoPreparePrinting(pInfo))
    return FALSE;
  CFramletDoc* pDoc = GetDocument();
  const CSize picture = PictureSize(pDoc);
  CDC dc;
  if (!dc.Attach(pInfo->m_pPD->m_pd.hDC)) {
    m_rcPrint = DefaultPrintRect(picture);
    return DoPreparePrinting(pInfo);
  }
  const long long W = picture.cx, H = picture.cy;
  const long long R = pDoc != NULL && pDoc->m_nDpi > 0 ? pDoc->m_nDpi : 96;
  const int nPageX = dc.GetDeviceCaps(HORZRES), nPageY = dc.GetDeviceCaps(VERTRES);
  const int x0 = std::abs(dc.GetDeviceCaps(PHYSICALOFFSETX)),
            y0 = std::abs(dc.GetDeviceCaps(PHYSICALOFFSETY));
  // The picture's size on paper at the document's resolution.
  long long pw = dc.GetDeviceCaps(LOGPIXELSX) * W / R;
  long long ph = dc.GetDeviceCaps(LOGPIXELSY) * H / R;
  dc.Detach();
  if (W > 0 && H > 0 && (pw > nPageX || ph > nPageY)) {
    if (!pInfo->m_bPreview) {
      if (AfxMessageBox(kTooBigQuestion, MB_YESNO | MB_ICONINFORMATION) != IDYES)
        return FALSE;
      m_fPrintRatio = (float)pw / nPageX;
    }
    while (pw > nPageX || ph > nPageY) {
      pw -= 5;
      ph = pw * H / W;
    }
  }
  m_rcPrint.SetRect(x0, y0, x0 + (int)pw, y0 + (int)ph);
  return TRUE;
}

void CFramletView::OnPrint(CDC* pDC, CPrintInfo* pInfo) {
  CFramletDoc* pDoc = GetDocument();
  const CSize picture = PictureSize(pDoc);
  if (!pDC->IsPrinting() || picture.cx == 0 || picture.cy == 0)
    return;
  if (m_rcPrint.IsRectEmpty())
    m_rcPrint = DefaultPrintRect(picture);
  if (pInfo != NULL && pInfo->m_bPreview) {
    CDC mem;
    if (!mem.CreateCompatibleDC(pDC))
      return;
    CBitmap* pOld = mem.SelectObject(pDoc->m_pImage->GetBitmap());
    pDC->SetStretchBltMode(COLORONCOLOR);
    pDC->StretchBlt(m_rcPrint.left, m_rcPrint.top, m_rcPrint.Width(), m_rcPrint.Height(), &mem, 0, 0,
                    picture.cx, picture.cy, SRCCOPY);
    mem.SelectObject(pOld);
    return;
  }
  // The page shows what the preview showed: the picture in the rectangle fitted to the page, in
  // printer dots.
  std::unique_ptr<Gdiplus::Bitmap> pBitmap(pDoc->m_pImage->CreateGdipBitmap());
  if (pBitmap == NULL)
    return;
  Gdiplus::Graphics graphics(pDC->m_hDC);
  graphics.SetPageUnit(Gdiplus::UnitPixel);
  graphics.DrawImage(pBitmap.get(),
                     Gdiplus::Rect(m_rcPrint.left, m_rcPrint.top, m_rcPrint.Width(), m_rcPrint.Height()));
}
