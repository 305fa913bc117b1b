// Clipboard and metafiles of the image view: the picture or the selection's shape out to the
// clipboard, a clipboard picture in as the floating piece, the picture as an enhanced or a
// placeable Windows metafile.
#include "editor/CanvasCoords.h"
#include "editor/ClipboardAccess.h"
#include "editor/FramletDoc.h"
#include "editor/FramletView.h"
#include "framework/app/fw_app.h"
#include "framework/core/fw_file.h"
#include "imaging/CommonLib.h"
#include "imaging/Globals.h"
#include "imaging/MetafileFormat.h"
#include "resources/resource.h"

#include <gdiplus.h>

#include <cstring>
#include <memory>
#include <vector>

namespace {

// Gives the bitmap to the clipboard, which owns it from then on. FALSE, the bitmap staying with the
// caller and the user told, when the clipboard stays held by another program or refuses it.
BOOL PutOnClipboard(CWnd* pWnd, CBitmap& bitmap) {
  BOOL bPut = FALSE;
  if (OpenClipboardWhenFree(pWnd->GetSafeHwnd())) {
    bPut = ::EmptyClipboard() && ::SetClipboardData(CF_BITMAP, bitmap.GetSafeHandle()) != NULL;
    ::CloseClipboard();
  }
  if (!bPut) {
    AfxMessageBox("The picture could not be put on the clipboard: another program is using it.",
                  MB_ICONEXCLAMATION);
    return FALSE;
  }
  bitmap.Detach();
  return TRUE;
}

// Cuts the picture's area (picture coordinates) to the shape, white outside it, onto the clipboard.
// The points are canvas points at 100 %.
BOOL CopyShape(CFramletView* pView, CRect rcArea, const std::vector<POINT>& points, ShapeType nShape) {
  CFramletDoc* pDoc = pView->GetDocument();
  if (pDoc == NULL || pDoc->m_pImage == NULL)
    return FALSE;
  CWaitCursor wait;
  CBitmap* pPicture = pDoc->m_pImage->GetBitmap();
  BITMAP bm;
  if (pPicture->GetSafeHandle() == NULL || pPicture->GetBitmap(&bm) == 0)
    return FALSE;
  // Rounding at odd zooms must not push the area off the picture, which would copy nothing.
  rcArea.IntersectRect(rcArea, CRect(0, 0, bm.bmWidth, bm.bmHeight));
  if (rcArea.IsRectEmpty())
    return FALSE;
  CClientDC dc(pView);
  CBitmap cut, mask;
  CCommonLib lib;
  if (!lib.CutBitmapToShape(&dc, &cut, &mask, pPicture, rcArea.left, rcArea.top, rcArea.right, rcArea.bottom,
                            points.data(), (int)points.size(), nShape))
    return FALSE;
  return PutOnClipboard(pView, cut);
}

// --- Metafiles ---------------------------------------------------------------------------------

// The picture as an EMF+ dual recording on the reference DC, framed by what is drawn. The
// raster goes in as a GDI record inside the recording, so GDI readers and GDI+ readers both see it
// (GDI+ draws a GDI record that follows its GetDC record).
BOOL RecordPicture(HDC hRef, CBitmap* pPicture, EnhMetafilePtr& emf) {
  BITMAP bm;
  if (pPicture->GetSafeHandle() == NULL || pPicture->GetBitmap(&bm) == 0)
    return FALSE;
  BITMAPINFO bmi = {};
  bmi.bmiHeader.biSize = sizeof(bmi.bmiHeader);
  bmi.bmiHeader.biWidth = bm.bmWidth;
  bmi.bmiHeader.biHeight = bm.bmHeight;
  bmi.bmiHeader.biPlanes = 1;
  bmi.bmiHeader.biBitCount = 24;
  bmi.bmiHeader.biCompression = BI_RGB;
  std::vector<BYTE> bits((size_t)((bm.bmWidth * 3 + 3) & ~3) * bm.bmHeight);
  if (::GetDIBits(hRef, (HBITMAP)pPicture->GetSafeHandle(), 0, bm.bmHeight, bits.data(), &bmi,
                  DIB_RGB_COLORS) != bm.bmHeight)
    return FALSE;

  Gdiplus::Metafile metafile(hRef, Gdiplus::EmfTypeEmfPlusDual);
  if (metafile.GetLastStatus() != Gdiplus::Ok)
    return FALSE;
  {
    Gdiplus::Graphics graphics(&metafile);
    if (graphics.GetLastStatus() != Gdiplus::Ok)
      return FALSE;
    HDC hDC = graphics.GetHDC();
    if (hDC == NULL)
      return FALSE;
    int nLines = ::StretchDIBits(hDC, 0, 0, bm.bmWidth, bm.bmHeight, 0, 0, bm.bmWidth, bm.bmHeight,
                                 bits.data(), &bmi, DIB_RGB_COLORS, SRCCOPY);
    graphics.ReleaseHDC(hDC);
    if (nLines <= 0)
      return FALSE;
  }
  emf.reset(metafile.GetHENHMETAFILE());
  return emf != nullptr;
}

// Sets the window of the converted records (the first window extent they set) to the picture's
// cx x cy: the conversion sets it a unit short, as the enhanced frame counts both of its edges, and
// readers map a placeable metafile's window onto its box, which would stretch the picture by a
// pixel.
void SetWindowToBox(BYTE* pRecords, size_t nBytes, int cx, int cy) {
  const size_t kHeader = 18;
  for (size_t at = kHeader; at + 6 <= nBytes;) {
    DWORD nWords = 0;
    WORD wFunction = 0;
    std::memcpy(&nWords, pRecords + at, 4);
    std::memcpy(&wFunction, pRecords + at + 4, 2);
    if (wFunction == 0 || nWords < 3 || nWords > (nBytes - at) / 2)
      return;
    if (wFunction == META_SETWINDOWEXT && nWords >= 5) {
      const SHORT extent[2] = {(SHORT)cy, (SHORT)cx};
      std::memcpy(pRecords + at + 6, extent, sizeof(extent));
      return;
    }
    at += (size_t)nWords * 2;
  }
}

// The enhanced metafile converted to a Windows metafile behind a placeable header; its units are
// pixels of the reference device, so the picture of cx x cy pixels is its bounds and its window.
BOOL PlaceableBits(HENHMETAFILE hEmf, int cx, int cy, std::vector<BYTE>& bytes) {
  if (cx <= 0 || cy <= 0 || cx > 0x7FFF || cy > 0x7FFF)
    return FALSE;
  // The conversion plays the picture into the reference DC's clip box, so the reference is a DC
  // whose surface is just the picture's size.
  CDC ref;
  if (!ref.CreateCompatibleDC(NULL))
    return FALSE;
  CBitmap surface;
  if (!surface.CreateBitmap(cx, cy, 1, 1, NULL))
    return FALSE;
  CBitmap* pOld = ref.SelectObject(&surface);
  UINT nSize = ::GetWinMetaFileBits(hEmf, 0, NULL, MM_ANISOTROPIC, ref.m_hDC);
  bytes.assign(sizeof(PlaceableHeader) + nSize, 0);
  BOOL bMade = nSize != 0 && ::GetWinMetaFileBits(hEmf, nSize, bytes.data() + sizeof(PlaceableHeader),
                                                  MM_ANISOTROPIC, ref.m_hDC) == nSize;
  ref.SelectObject(pOld);
  if (!bMade)
    return FALSE;
  SetWindowToBox(bytes.data() + sizeof(PlaceableHeader), nSize, cx, cy);
  const WORD wInch = (WORD)::MulDiv(ref.GetDeviceCaps(HORZRES), 254, ref.GetDeviceCaps(HORZSIZE) * 10);
  PlaceableHeader header = {kPlaceableKey, 0, 0, 0, (SHORT)cx, (SHORT)cy, wInch, 0, 0};
  const WORD* pWords = reinterpret_cast<const WORD*>(&header);
  for (int i = 0; i < 10; i++)
    header.wChecksum ^= pWords[i];
  std::memcpy(bytes.data(), &header, sizeof(header));
  return TRUE;
}

// Writes the whole file; a file that could not be completed is removed.
BOOL WriteWholeFile(LPCSTR lpszPath, const std::vector<BYTE>& bytes) {
  CFile file;
  if (!file.Open(lpszPath, CFile::modeCreate | CFile::modeWrite | CFile::shareExclusive))
    return FALSE;
  try {
    file.Write(bytes.data(), (UINT)bytes.size());
    file.Close();
  } catch (CException* e) {
    e->Delete();
    file.Abort();
    ::DeleteFileA(lpszPath);
    return FALSE;
  }
  return TRUE;
}

BOOL HasExtension(LPCSTR lpszPath, LPCSTR lpszExt) {
  size_t nPath = std::strlen(lpszPath), nExt = std::strlen(lpszExt);
  return nPath >= nExt && ::lstrcmpiA(lpszPath + nPath - nExt, lpszExt) == 0;
}

} // namespace

namespace {

BOOL CopyAll(CFramletView* pView) {
  CFramletDoc* pDoc = pView->GetDocument();
  if (pDoc == NULL || pDoc->m_pImage == NULL)
    return FALSE;
  CRect rcImage = pDoc->m_pImage->m_rect;
  rcImage.OffsetRect(-g_nCanvasMargin, -g_nCanvasMargin);
  return CopyShape(pView, rcImage, std::vector<POINT>(), ID_TOOL_SELECT_REGION);
}

} // namespace

void CFramletView::OnCopyAllToClipboard() { CopyAll(this); }

void CFramletView::OnEditCopy() { CopySelectionOrAll(); }

BOOL CFramletView::CopySelectionOrAll() {
  if (m_selTracker.m_rect.IsRectEmpty())
    return CopyAll(this);
  CRect rcArea = RescaleRect(m_selTracker.m_rectLogical, 1.0f, m_fZoom);
  rcArea.OffsetRect(-g_nCanvasMargin, -g_nCanvasMargin);
  // The view's points stay as the selection made them (logical, at the zoom); the cut takes them
  // at 100 %, so copying again copies the same area.
  std::vector<POINT> points = m_pPoints;
  if (points.size() > 2)
    ScaleAroundMargin(points.data(), (int)points.size(), 1.0f, m_fZoom);
  return CopyShape(this, rcArea, points, m_nSelectionShape != 0 ? m_nSelectionShape : ID_TOOL_SELECT_REGION);
}

// What was cut must be on the clipboard before it leaves the picture.
void CFramletView::OnEditCut() {
  if (!CopySelectionOrAll())
    return;
  OnClearSelection();
  Invalidate();
}

void CFramletView::OnEditPaste() {
  EnsureSnapshot();
  CBitmap copy;
  {
    CWaitCursor wait;
    copy.Attach(CopyClipboardPicture(m_hWnd));
  }
  if (copy.GetSafeHandle() == NULL)
    return;
  std::unique_ptr<Gdiplus::Bitmap> pPicture(
      Gdiplus::Bitmap::FromHBITMAP((HBITMAP)copy.GetSafeHandle(), NULL));
  if (pPicture == NULL || pPicture->GetLastStatus() != Gdiplus::Ok)
    return;
  SetFloatingPiece(pPicture.release());
  Invalidate();
}

BOOL CFramletView::SaveAsMetafile(LPCSTR lpszPath) {
  CFramletDoc* pDoc = GetDocument();
  if (pDoc == NULL || pDoc->m_pImage == NULL || lpszPath == NULL || *lpszPath == '\0')
    return FALSE;
  EnhMetafilePtr emf;
  {
    CClientDC ref(this);
    if (!RecordPicture(ref.m_hDC, pDoc->m_pImage->GetBitmap(), emf))
      return FALSE;
  }
  BITMAP bm = {};
  pDoc->m_pImage->GetBitmap()->GetBitmap(&bm);
  std::vector<BYTE> bytes;
  if (!(HasExtension(lpszPath, ".wmf") ? PlaceableBits(emf.get(), bm.bmWidth, bm.bmHeight, bytes)
                                       : EnhancedBits(emf.get(), bytes)))
    return FALSE;
  return WriteWholeFile(lpszPath, bytes);
}
