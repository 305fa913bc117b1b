// The undo history of the image document. Each record is the XOR of the picture before and after
// a change, run-length coded; XOR-ing it onto either picture gives the other. Records of two
// 32-bit pictures of one size are made and applied on the pictures' rows directly, touching only
// the changed rows; any other record goes through GDI bitmaps. Both ways give the same bytes.
//
// The first view's snapshot is kept equal to the picture after the last recorded step, so a change
// that reaches the picture without being recorded is found and recorded before it could make Undo
// XOR a record onto a picture it was not made from.

#include "editor/FramletDoc.h"

#include "editor/FramletView.h"
#include "framework/app/fw_app.h"
#include "imaging/CommonLib.h"
#include "imaging/Globals.h"
#include "imaging/PixelPlane.h"
#include "imaging/UndoDelta.h"

#include <gdiplus.h>

#include <cstring>
#include <memory>

namespace {

const int kLastRecord = CFramletDoc::kUndoRecords - 1;

// The DC records are made for: the first view's, or the display's when there is no view window.
class CRecordDC {
public:
  explicit CRecordDC(CFramletView* pView) {
    if (pView != NULL && ::IsWindow(pView->m_hWnd) && m_dc.Attach(::GetDC(pView->m_hWnd)))
      m_hWnd = pView->m_hWnd;
    else
      m_dc.CreateDC("DISPLAY", NULL, NULL, NULL);
  }
  ~CRecordDC() {
    if (m_hWnd != NULL)
      ::ReleaseDC(m_hWnd, m_dc.Detach());
  }
  CRecordDC(const CRecordDC&) = delete;
  CRecordDC& operator=(const CRecordDC&) = delete;
  CDC* Get() { return m_dc.GetSafeHdc() != NULL ? &m_dc : NULL; }
  int BitsPerPixel() {
    return Get() != NULL ? m_dc.GetDeviceCaps(BITSPIXEL) * m_dc.GetDeviceCaps(PLANES) : 0;
  }

private:
  CDC m_dc;
  HWND m_hWnd = NULL;
};

CSize SizeOf(CBitmap* pBitmap) {
  BITMAP bm;
  if (pBitmap == NULL || pBitmap->GetSafeHandle() == NULL || pBitmap->GetBitmap(&bm) == 0)
    return CSize(0, 0);
  return CSize(bm.bmWidth, bm.bmHeight);
}

int BitsOf(CBitmap* pBitmap) {
  BITMAP bm;
  return pBitmap != NULL && pBitmap->GetSafeHandle() != NULL && pBitmap->GetBitmap(&bm) != 0
             ? bm.bmBitsPixel * bm.bmPlanes
             : 0;
}

// Bytes per row of a device-dependent bitmap: rows are padded to whole 16-bit words.
unsigned long long DeviceRowBytes(int cx, int nBits) {
  return ((unsigned long long)cx * nBits + 15) / 16 * 2;
}

void TellNoMemory(LPCSTR lpszText) { AfxMessageBox(lpszText, MB_OK | MB_ICONEXCLAMATION); }

// Copies pixels of one bitmap onto another of the same size through GDI.
BOOL CopyPixels(CDC* pRef, CBitmap* pTarget, CBitmap* pSource, int cx, int cy) {
  CDC src, dst;
  if (!src.CreateCompatibleDC(pRef) || !dst.CreateCompatibleDC(pRef))
    return FALSE;
  CBitmap* pOldSrc = src.SelectObject(pSource);
  CBitmap* pOldDst = dst.SelectObject(pTarget);
  BOOL bDone = pOldSrc != NULL && pOldDst != NULL && dst.BitBlt(0, 0, cx, cy, &src, 0, 0, SRCCOPY);
  if (pOldSrc != NULL)
    src.SelectObject(pOldSrc);
  if (pOldDst != NULL)
    dst.SelectObject(pOldDst);
  return bDone;
}

} // namespace

BOOL CFramletDoc::IsDeltaEmpty(CBitmap* pDelta) {
  if (pDelta == NULL || pDelta->GetSafeHandle() == NULL)
    return TRUE;
  Gdiplus::Bitmap bitmap((HBITMAP)pDelta->GetSafeHandle(), NULL);
  const int cx = (int)bitmap.GetWidth(), cy = (int)bitmap.GetHeight();
  Gdiplus::Rect all(0, 0, cx, cy);
  Gdiplus::BitmapData data;
  if (bitmap.LockBits(&all, Gdiplus::ImageLockModeRead | Gdiplus::ImageLockModeWrite, PixelFormat32bppARGB,
                      &data) != Gdiplus::Ok)
    return FALSE; // unreadable: better a record too many than a lost change
  BOOL bEmpty = TRUE;
  for (int y = 0; y < cy && bEmpty; y++) {
    const DWORD* pRow =
        reinterpret_cast<const DWORD*>(static_cast<const BYTE*>(data.Scan0) + y * data.Stride);
    for (int x = 0; x < cx; x++) {
      if ((pRow[x] & 0x00FFFFFF) != 0) {
        bEmpty = FALSE;
        break;
      }
    }
  }
  bitmap.UnlockBits(&data);
  return bEmpty;
}

BOOL CFramletDoc::PushUndo(CBitmap* pBefore, BOOL bDelete, int x, int y) {
  // A picture one pixel wide or high (a canvas dragged to its least) records its changes like any
  // other: one left out would be lost, or garbled, by the next Undo.
  if (m_pImage == NULL || SizeOf(pBefore).cx < 1 || SizeOf(pBefore).cy < 1)
    return TRUE;
  UndoRecord record;
  int nFirstRow = 0, nLastRow = -1;
  RecordResult result = MakeRecord(pBefore, x, y, record, nFirstRow, nLastRow);
  if (result == recordFailed) {
    TellNoMemory("There is not enough memory to record this change for Undo, so it has been taken back.");
    TakeBackChange(pBefore, bDelete);
    SyncSnapshot(0, INT_MAX);
    return FALSE;
  }
  if (result == recordMade) {
    AppendRecord(record);
    // The view's snapshot is refreshed in place below rather than made again.
    CFramletView* pView = GetFirstView();
    if (bDelete && (pView == NULL || pView->m_pSnapshot != pBefore))
      pBefore->DeleteObject();
  }
  SyncSnapshot(nFirstRow, nLastRow);
  return TRUE;
}

CFramletDoc::RecordResult CFramletDoc::MakeRecord(CBitmap* pBefore, int x, int y, UndoRecord& record,
                                                  int& nFirstRow, int& nLastRow) {
  const CSize before = SizeOf(pBefore), picture = SizeOf(m_pImage->GetBitmap());
  const CSize image = GetImageSize();
  const BOOL bSameBitmap = pBefore->GetSafeHandle() == m_pImage->GetBitmap()->GetSafeHandle();
  CRecordDC dc(GetFirstView());
  if (before == image && picture == image && x == 0 && y == 0 && dc.BitsPerPixel() == 32) {
    CPixelPlane after, prior;
    CRawBytes afterCopy, priorCopy;
    if (bSameBitmap || (ReadPixelPlane((HBITMAP)m_pImage->GetBitmap()->GetSafeHandle(), after, afterCopy) &&
                        ReadPixelPlane((HBITMAP)pBefore->GetSafeHandle(), prior, priorCopy))) {
      if (bSameBitmap) {
        after.cx = prior.cx = image.cx;
        after.cy = prior.cy = image.cy;
      }
      RecordResult result = recordFailed;
      MakePlaneRecord(after, prior, bSameBitmap, record, result, nFirstRow, nLastRow);
      return result;
    }
  }
  if (bSameBitmap && before == image) {
    nFirstRow = 0; // a new base: the snapshot becomes this picture
    nLastRow = INT_MAX;
    // A picture against itself: a delta of zeros of the device format, coded without making it.
    const int nBits = dc.BitsPerPixel();
    unsigned long long nRaw = DeviceRowBytes(image.cx, nBits) * image.cy;
    if (nBits == 0 || nRaw > 0x7FFFFFFF)
      return recordFailed;
    record.pData = AllocateRawBytes(EncodeZeroDelta((DWORD)nRaw, NULL));
    if (!record.pData)
      return recordFailed;
    record.nCodedSize = EncodeZeroDelta((DWORD)nRaw, record.pData.get());
    record.nRawSize = (DWORD)nRaw;
    record.nDeltaWidth = record.nUndoWidth = record.nRedoWidth = image.cx;
    record.nDeltaHeight = record.nUndoHeight = record.nRedoHeight = image.cy;
    record.nBitsPerPixel = nBits;
    return m_nUndoPos == -1 || m_nUndoLast == -1 ? recordMade : recordNothing;
  }
  nFirstRow = 0;
  nLastRow = INT_MAX;
  return MakeBitmapRecord(pBefore, x, y, record);
}

BOOL CFramletDoc::MakePlaneRecord(const CPixelPlane& after, const CPixelPlane& before, BOOL bSameBitmap,
                                  UndoRecord& record, RecordResult& result, int& nFirstRow, int& nLastRow) {
  const BOOL bHistoryEmpty = m_nUndoPos == -1 || m_nUndoLast == -1;
  const DWORD nRaw = after.RowBytes() * (DWORD)after.cy;
  CPlaneDiff diff;
  if (bSameBitmap) {
    diff.spans.assign(after.cy, {0, 0});
    diff.counts[0] = nRaw;
  } else if (!ScanPlaneDiff(after, before, diff)) {
    result = recordFailed;
    return FALSE;
  }
  nFirstRow = diff.nFirstRow;
  nLastRow = diff.nLastRow;
  if (bSameBitmap) {
    // A new base: whatever the snapshot held before, it becomes this picture.
    nFirstRow = 0;
    nLastRow = INT_MAX;
  }
  if (!bHistoryEmpty && !diff.bColourChanged) {
    result = recordNothing;
    return TRUE;
  }
  // The worst case is only reserved, not touched; when even that is not to be had, count first.
  CRawBytes coded = AllocateRawBytes(RleBound(nRaw));
  DWORD nCoded = 0;
  if (coded) {
    nCoded = EncodePlaneDiff(after, before, diff, coded.get());
    coded = ShrinkRawBytes(std::move(coded), nCoded);
  } else {
    nCoded = EncodePlaneDiff(after, before, diff, NULL);
    coded = AllocateRawBytes(nCoded);
    if (!coded) {
      result = recordFailed;
      return FALSE;
    }
    EncodePlaneDiff(after, before, diff, coded.get());
  }
  record.pData = std::move(coded);
  record.nCodedSize = nCoded;
  record.nRawSize = nRaw;
  record.nDeltaWidth = record.nUndoWidth = record.nRedoWidth = after.cx;
  record.nDeltaHeight = record.nUndoHeight = record.nRedoHeight = after.cy;
  record.nBitsPerPixel = 32;
  result = recordMade;
  return TRUE;
}

CFramletDoc::RecordResult CFramletDoc::MakeBitmapRecord(CBitmap* pBefore, int x, int y, UndoRecord& record) {
  const CSize before = SizeOf(pBefore), image = GetImageSize();
  const BOOL bSameSize = before == image;
  CRecordDC dc(GetFirstView());
  CCommonLib lib;
  std::unique_ptr<CBitmap> pCut;
  CBitmap* pCurrent = m_pImage->GetBitmap();
  if (!bSameSize) {
    const int m = g_nCanvasMargin;
    pCut.reset(
        lib.CopyBitmapRect(dc.Get(), pCurrent, m_rcImage.left - m, m_rcImage.top - m, image.cx, image.cy));
    if (pCut == NULL)
      return recordFailed;
    pCurrent = pCut.get();
  }
  std::unique_ptr<CBitmap> pDelta(lib.XorBitmaps(dc.Get(), pCurrent, pBefore, x, y));
  if (pDelta == NULL)
    return recordFailed;
  pCut.reset();
  if (bSameSize && m_nUndoPos != -1 && m_nUndoLast != -1 && IsDeltaEmpty(pDelta.get()))
    return recordNothing;
  BITMAP bm;
  if (pDelta->GetBitmap(&bm) == 0)
    return recordFailed;
  unsigned long long nRaw = (unsigned long long)bm.bmHeight * bm.bmWidthBytes;
  CRawBytes raw = AllocateRawBytes(nRaw);
  if (!raw || pDelta->GetBitmapBits((DWORD)nRaw, raw.get()) != (DWORD)nRaw)
    return recordFailed;
  pDelta.reset();
  CRawBytes coded = AllocateRawBytes(RleBound((DWORD)nRaw));
  if (!coded)
    return recordFailed;
  DWORD nCoded = RleEncode(raw.get(), coded.get(), (DWORD)nRaw);
  raw.reset();
  record.pData = ShrinkRawBytes(std::move(coded), nCoded);
  record.nCodedSize = nCoded;
  record.nRawSize = (DWORD)nRaw;
  record.nDeltaWidth = bm.bmWidth;
  record.nDeltaHeight = bm.bmHeight;
  record.nBitsPerPixel = bm.bmBitsPixel;
  record.nUndoWidth = before.cx;
  record.nUndoHeight = before.cy;
  record.nRedoWidth = image.cx;
  record.nRedoHeight = image.cy;
  return recordMade;
}

void CFramletDoc::AppendRecord(UndoRecord& record) {
  // A new step drops the steps that could have been redone.
  for (int i = m_nUndoPos + 1; i <= m_nUndoLast; i++)
    m_undo[i].Free();
  if (m_nUndoPos < m_nUndoLast)
    m_nUndoLast = m_nUndoPos;
  if (++m_nUndoLast > kLastRecord) {
    // The oldest record goes; the next one becomes the base.
    for (int i = 0; i < kLastRecord; i++)
      m_undo[i] = std::move(m_undo[i + 1]);
    m_nUndoLast = kLastRecord;
  }
  m_nUndoPos = m_nUndoLast;
  m_undo[m_nUndoPos] = std::move(record);
}

void CFramletDoc::TakeBackChange(CBitmap* pBefore, BOOL bDelete) {
  const CSize before = SizeOf(pBefore);
  if (pBefore->GetSafeHandle() == m_pImage->GetBitmap()->GetSafeHandle())
    return;
  CRecordDC dc(GetFirstView());
  if (before == SizeOf(m_pImage->GetBitmap()) &&
      CopyPixels(dc.Get(), m_pImage->GetBitmap(), pBefore, before.cx, before.cy)) {
    PlacePicture(before.cx, before.cy);
    return;
  }
  if (!bDelete)
    return; // the caller keeps that bitmap: nothing to put in place without memory for a copy
  m_pImage->AttachBitmap(pBefore);
  pBefore->Detach();
  PlacePicture(before.cx, before.cy);
}

BOOL CFramletDoc::Undo() {
  CWaitCursor wait;
  if (m_nUndoPos < 0)
    return FALSE;
  RecordUnrecordedChange();
  int nFirstRow = 0, nLastRow = -1;
  if (!ApplyRecord(m_nUndoPos, TRUE, nFirstRow, nLastRow)) {
    TellNoMemory("There is not enough memory to undo this change.");
    return FALSE;
  }
  const UndoRecord& record = m_undo[m_nUndoPos];
  PlacePicture(record.nUndoWidth, record.nUndoHeight);
  m_nUndoPos--;
  SyncSnapshot(nFirstRow, nLastRow);
  return TRUE;
}

BOOL CFramletDoc::Redo() {
  CWaitCursor wait;
  RecordUnrecordedChange(); // a change recorded now leaves nothing to redo
  if (m_nUndoPos >= m_nUndoLast)
    return FALSE;
  int nFirstRow = 0, nLastRow = -1;
  if (!ApplyRecord(m_nUndoPos + 1, FALSE, nFirstRow, nLastRow)) {
    TellNoMemory("There is not enough memory to redo this change.");
    return FALSE;
  }
  m_nUndoPos++;
  CSize size = SizeOf(m_pImage->GetBitmap());
  PlacePicture(size.cx, size.cy);
  SyncSnapshot(nFirstRow, nLastRow);
  return TRUE;
}

BOOL CFramletDoc::ApplyRecord(int nIndex, BOOL bUndo, int& nFirstRow, int& nLastRow) {
  const UndoRecord& record = m_undo[nIndex];
  const int cx = bUndo ? record.nUndoWidth : record.nRedoWidth;
  const int cy = bUndo ? record.nUndoHeight : record.nRedoHeight;
  CBitmap* pPicture = m_pImage != NULL ? m_pImage->GetBitmap() : NULL;
  if (pPicture == NULL || record.pData == NULL)
    return FALSE;
  const CSize picture = SizeOf(pPicture);
  if (record.nBitsPerPixel == 32 && BitsOf(pPicture) == 32 &&
      picture == CSize(record.nDeltaWidth, record.nDeltaHeight) && picture == CSize(cx, cy)) {
    CPixelPlane plane;
    if (!OpenPixelPlane((HBITMAP)pPicture->GetSafeHandle(), plane)) {
      // A device bitmap has no rows to write: move the picture into one that has, once.
      CBitmap rows;
      if (!rows.Attach(CreatePlaneBitmap(picture.cx, picture.cy, &plane)))
        return FALSE;
      CRecordDC dc(GetFirstView());
      if (!CopyPixels(dc.Get(), &rows, pPicture, picture.cx, picture.cy))
        return FALSE;
      m_pImage->AttachBitmap(&rows);
      rows.Detach();
    }
    // The snapshot equals the picture here; it takes the changed bytes as they are written.
    CPixelPlane snapshot;
    CFramletView* pView = GetFirstView();
    BOOL bMirror = pView != NULL && pView->m_pSnapshot != NULL &&
                   OpenPixelPlane((HBITMAP)pView->m_pSnapshot->GetSafeHandle(), snapshot) &&
                   snapshot.cx == plane.cx && snapshot.cy == plane.cy;
    if (!XorCodedDelta(plane, record.pData.get(), record.nCodedSize, &nFirstRow, &nLastRow,
                       bMirror ? &snapshot : NULL))
      return FALSE;
    if (bMirror) {
      nFirstRow = 0;
      nLastRow = -1;
    }
    return TRUE;
  }
  nFirstRow = 0;
  nLastRow = INT_MAX;
  return ApplyBitmapRecord(record, cx, cy);
}

BOOL CFramletDoc::ApplyBitmapRecord(const UndoRecord& record, int cx, int cy) {
  CRawBytes raw = AllocateRawBytes(record.nRawSize);
  if (!raw || RleDecode(record.pData.get(), raw.get(), record.nCodedSize, record.nRawSize) != record.nRawSize)
    return FALSE;
  CBitmap delta;
  if (!delta.CreateBitmap(record.nDeltaWidth, record.nDeltaHeight, 1, record.nBitsPerPixel, NULL) ||
      delta.SetBitmapBits(record.nRawSize, raw.get()) != record.nRawSize)
    return FALSE;
  raw.reset();
  CRecordDC dc(GetFirstView());
  CCommonLib lib;
  std::unique_ptr<CBitmap> pXor(lib.XorBitmaps(dc.Get(), m_pImage->GetBitmap(), &delta, 0, 0));
  if (pXor == NULL)
    return FALSE;
  std::unique_ptr<CBitmap> pCut(lib.CopyBitmapRect(dc.Get(), pXor.get(), 0, 0, cx, cy));
  if (pCut == NULL)
    return FALSE;
  m_pImage->AttachBitmap(pCut.get());
  pCut->Detach();
  return TRUE;
}

void CFramletDoc::RecordUnrecordedChange() {
  CFramletView* pView = GetFirstView();
  if (pView != NULL && pView->m_pSnapshot != NULL && pView->m_pSnapshot->GetSafeHandle() != NULL)
    PushUndo(pView->m_pSnapshot, TRUE);
}

void CFramletDoc::SyncSnapshot(int nFirstRow, int nLastRow) {
  CFramletView* pView = GetFirstView();
  if (pView == NULL || m_pImage == NULL)
    return;
  CPixelPlane picture, snapshot;
  if (pView->m_pSnapshot != NULL &&
      OpenPixelPlane((HBITMAP)m_pImage->GetBitmap()->GetSafeHandle(), picture) &&
      OpenPixelPlane((HBITMAP)pView->m_pSnapshot->GetSafeHandle(), snapshot) && picture.cx == snapshot.cx &&
      picture.cy == snapshot.cy) {
    for (int y = std::max(nFirstRow, 0); y <= nLastRow && y < picture.cy; y++)
      std::memcpy(snapshot.Row(y), picture.Row(y), picture.RowBytes());
    return;
  }
  pView->TakeSnapshot();
}
