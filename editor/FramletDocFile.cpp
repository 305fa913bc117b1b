// Files and mail of the image document: a picture file read into the document, the picture
// written in the format its extension names, the Save As dialog, the question before closing,
// sending the picture by mail and the resolution written into saved files.
#include "editor/FramletDoc.h"

#include "editor/EditorState.h"
#include "editor/FramletView.h"
#include "framework/core/fw_file.h"
#include "framework/dlg/fw_dlg.h"
#include "imaging/ImageFile.h"
#include "resources/resource.h"

#include <gdiplus.h>

#include <memory>
#include <vector>

// The filter last chosen in the Save As dialog (1-based; 0 shows the first), for the next one.
int g_nSaveFilterIndex = 0;

namespace {

const char kSaveFilter[] = "PNG - Portable Network Graphics(*.png)|*.png|JPEG Image(*.jpg)|*.jpg|"
                           "Windows Bitmap (*.bmp)|*.bmp|CompuServe GIF (*.gif)|*.gif|"
                           "Tiff - Tagged Image(*.tif)|*.tif|Windows Metafile(*.wmf)|*.wmf|"
                           "Windows Enhanced Metafile(*.emf)|*.emf||";
const DWORD kSaveFlags = OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_FILEMUSTEXIST | OFN_ENABLESIZING;
// The extension of each filter, in the filter text's order.
const char* const kFilterExtensions[] = {"png", "jpg", "bmp", "gif", "tif", "wmf", "emf"};
const int kDefaultJpegQuality = 80;
const int kMaxDpi = 31999;

// The text after the last backslash; "" when there is none.
CString GetFileNameFromPath(LPCSTR lpszPath) {
  CString strPath(lpszPath);
  int nSlash = strPath.ReverseFind('\\');
  return nSlash < 0 ? CString() : strPath.Mid(nSlash + 1);
}

// The extension of the path's file name in lower case; "" when it has none.
CString LowerExtension(LPCSTR lpszPath) {
  CString strName(lpszPath);
  int nSlash = strName.ReverseFind('\\');
  if (nSlash >= 0)
    strName = strName.Mid(nSlash + 1);
  int nDot = strName.ReverseFind('.');
  if (nDot < 0)
    return CString();
  CString strExt = strName.Mid(nDot + 1);
  strExt.MakeLower();
  return strExt;
}

BOOL IsSaveExtension(const CString& strExt) {
  for (const char* pszExt : kFilterExtensions)
    if (strExt == pszExt)
      return TRUE;
  return FALSE;
}

// A typed known extension wins over the chosen filter; any other name gets the filter's.
CString CompleteSaveName(const CString& strTyped, int nFilterIndex) {
  if (IsSaveExtension(LowerExtension(strTyped)))
    return strTyped;
  const int nTypes = (int)(sizeof(kFilterExtensions) / sizeof(kFilterExtensions[0]));
  LPCSTR pszType = nFilterIndex >= 1 && nFilterIndex <= nTypes ? kFilterExtensions[nFilterIndex - 1] : "png";
  return strTyped + "." + pszType;
}

const WCHAR* MimeTypeOf(const CString& strExt) {
  if (strExt == "jpg")
    return L"image/jpeg";
  if (strExt == "gif")
    return L"image/gif";
  if (strExt == "tif")
    return L"image/tiff";
  if (strExt == "png")
    return L"image/png";
  return L"image/bmp";
}

// The view writes metafiles; a new file takes the old one's place only when complete.
BOOL WriteMetafile(CFramletView* pView, LPCSTR lpszPath) {
  if (pView == NULL)
    return FALSE;
  CFileReplacement file(lpszPath);
  return file.IsReady() && pView->SaveAsMetafile(file.GetNewPath()) && file.Commit();
}

// Writes the bitmap in the format of the path's extension at the document's resolution, which
// is first brought into 1..31999. FALSE when nothing complete was written.
BOOL WritePicture(CFramletDoc* pDoc, CBitmap* pBitmap, LPCSTR lpszPath) {
  HBITMAP hBitmap = pBitmap != NULL ? (HBITMAP)pBitmap->GetSafeHandle() : NULL;
  if (hBitmap == NULL || lpszPath == NULL || *lpszPath == '\0')
    return FALSE;
  CString strExt = LowerExtension(lpszPath);
  std::unique_ptr<Gdiplus::Bitmap> pPicture(CreateGdipBitmapForWriting(hBitmap));
  if (!pPicture)
    return FALSE;
  if (pDoc->m_nDpi < 1)
    pDoc->m_nDpi = 96;
  else if (pDoc->m_nDpi > kMaxDpi)
    pDoc->m_nDpi = kMaxDpi;
  pPicture->SetResolution((Gdiplus::REAL)pDoc->m_nDpi, (Gdiplus::REAL)pDoc->m_nDpi);
  if (strExt == "wmf" || strExt == "emf")
    return WriteMetafile(pDoc->GetFirstView(), lpszPath);
  if (strExt != "jpg")
    return SaveGdipBitmapToFile(pPicture.get(), lpszPath, MimeTypeOf(strExt), NULL);
  CEditorShell* pShell = GetEditorShell();
  ULONG nQuality = (ULONG)(pShell != NULL ? pShell->GetJpegQuality() : kDefaultJpegQuality);
  Gdiplus::EncoderParameters params;
  params.Count = 1;
  params.Parameter[0].Guid = Gdiplus::EncoderQuality;
  params.Parameter[0].Type = Gdiplus::EncoderParameterValueTypeLong;
  params.Parameter[0].NumberOfValues = 1;
  params.Parameter[0].Value = &nQuality;
  return SaveGdipBitmapToFile(pPicture.get(), lpszPath, MimeTypeOf(strExt), &params);
}

void ReportSaveFailed() { AfxMessageBox("Save failed!", MB_OK); }

// Copies the file's bytes into the archive unchanged. Throws CFileException when the file cannot
// be read.
void CopyFileIntoArchive(CArchive& ar, LPCSTR lpszPath) {
  CFile file(lpszPath, CFile::modeRead | CFile::shareDenyWrite);
  std::vector<BYTE> buffer(64 * 1024);
  for (UINT nRead; (nRead = file.Read(buffer.data(), (UINT)buffer.size())) > 0;)
    ar.Write(buffer.data(), nRead);
}

void TellNotAPicture(LPCSTR lpszPath) {
  AfxMessageBox(AfxFileNameOf(lpszPath) + ": The file could not be opened as a picture.", MB_ICONEXCLAMATION);
}

} // namespace

BOOL CFramletDoc::OnOpenDocument(LPCSTR lpszPathName) {
  // The framework reads nothing from an empty file and would open a document without a picture.
  WIN32_FILE_ATTRIBUTE_DATA data = {};
  if (::GetFileAttributesExA(lpszPathName, GetFileExInfoStandard, &data) && data.nFileSizeHigh == 0 &&
      data.nFileSizeLow == 0) {
    TellNotAPicture(lpszPathName);
    return FALSE;
  }
  return CDocument::OnOpenDocument(lpszPathName);
}

void CFramletDoc::Serialize(CArchive& ar) {
  if (ar.IsStoring()) {
    // Only the mail road stores the document: the PNG it has just written.
    if (m_strTempImagePath.IsEmpty())
      AfxThrowArchiveException(CArchiveException::genericException);
    CopyFileIntoArchive(ar, m_strTempImagePath);
    return;
  }
  CString strPath = ar.GetFile()->GetFilePath();
  int nDpi = 96;
  HBITMAP hPicture = LoadPictureOverWhite(strPath, &nDpi);
  if (hPicture == NULL) {
    // Told here, so that the framework only takes the half-made document down again.
    TellNotAPicture(strPath);
    AfxThrowUserException();
  }
  if (!TakeOpenedPicture(hPicture, nDpi, strPath))
    AfxThrowUserException(); // the user was told that the picture cannot be kept
}

BOOL CFramletDoc::TakeOpenedPicture(HBITMAP hPicture, int nDpi, LPCSTR lpszPath) {
  std::unique_ptr<CImageItem> pItem(new CImageItem);
  CBitmap picture;
  picture.Attach(hPicture);
  pItem->AttachBitmap(&picture);
  delete m_pImage;
  m_pImage = pItem.release();
  delete m_pImage2;
  m_pImage2 = NULL;
  delete m_pSelection;
  m_pSelection = NULL;
  m_nDpi = nDpi;
  BITMAP bm = {};
  m_pImage->GetBitmap()->GetBitmap(&bm);
  PlacePicture(bm.bmWidth, bm.bmHeight);
  SetTitle(lpszPath);
  ShowNewPicture();
  UpdateAllViews(NULL);
  if (CEditorShell* pShell = GetEditorShell())
    pShell->SelectTool(ID_TOOL_POINTER);
  ResetUndoHistory();
  if (!PushUndo(m_pImage->GetBitmap(), FALSE))
    return FALSE;
  SetModifiedFlag(FALSE); // the file as it is on disk
  return TRUE;
}

BOOL CFramletDoc::SaveImage(CBitmap* pBitmap, LPCSTR lpszPath) {
  // Pending text and a floating piece belong in the picture before it is written; committing
  // may give the picture a new bitmap.
  const BOOL bPicture = m_pImage != NULL && pBitmap == m_pImage->GetBitmap();
  CFramletView* pView = GetFirstView();
  if (pView != NULL && pView->GetSafeHwnd() != NULL) {
    CClientDC dc(pView);
    pView->CommitFloatingObjects(&dc);
  }
  if (bPicture)
    pBitmap = m_pImage != NULL ? m_pImage->GetBitmap() : NULL;
  if (!WritePicture(this, pBitmap, lpszPath)) {
    ReportSaveFailed();
    return FALSE;
  }
  SetModifiedFlag(FALSE);
  return TRUE;
}

CString CFramletDoc::PromptSaveName() {
  CFileDialog dlg(FALSE, NULL, NULL, kSaveFlags, kSaveFilter);
  dlg.m_ofn.nFilterIndex = (DWORD)g_nSaveFilterIndex;
  if (dlg.DoModal() != IDOK)
    return CString();
  g_nSaveFilterIndex = (int)dlg.m_ofn.nFilterIndex;
  return CompleteSaveName(dlg.GetPathName(), g_nSaveFilterIndex);
}

BOOL CFramletDoc::OnFileSave() {
  if (m_strPath.IsEmpty())
    return OnFileSaveAs();
  return m_pImage != NULL && SaveImage(m_pImage->GetBitmap(), m_strPath);
}

BOOL CFramletDoc::OnFileSaveAs() {
  CString strPath = PromptSaveName();
  if (strPath.IsEmpty()) {
    m_strPath.Empty(); // the next Save asks again
    return FALSE;
  }
  // A failed save keeps the path and title the document had.
  if (m_pImage == NULL || !SaveImage(m_pImage->GetBitmap(), strPath))
    return FALSE;
  m_strPath = strPath;
  SetTitle(GetFileNameFromPath(m_strPath));
  return TRUE;
}

BOOL CFramletDoc::SaveModified() {
  if (!IsModified())
    return TRUE;
  switch (AfxMessageBox("Save changes to file?", MB_YESNOCANCEL | MB_ICONINFORMATION)) {
  case IDYES:
    return OnFileSave(); // a failed or cancelled save keeps the document open
  case IDNO:
    return TRUE;
  default:
    return FALSE;
  }
}

void CFramletDoc::OnSaveCommand() { OnFileSave(); }

void CFramletDoc::OnSaveAsCommand() { OnFileSaveAs(); }

void CFramletDoc::OnCopySelectionToFile() {
  if (m_pSelection == NULL)
    return;
  CString strPath = PromptSaveName();
  if (strPath.IsEmpty())
    return;
  // Only the piece is written: the document, its picture and its modified flag stay as they are.
  std::unique_ptr<CBitmap> pPiece(m_pSelection->CreateCBitmap());
  if (!pPiece || !WritePicture(this, pPiece.get(), strPath))
    ReportSaveFailed();
}

void CFramletDoc::SendByMail() {
  if (m_pImage == NULL)
    return;
  char szTempDir[MAX_PATH];
  DWORD nLength = ::GetTempPathA(MAX_PATH, szTempDir);
  CString strFolder(szTempDir, nLength > 0 && nLength < MAX_PATH ? (int)nLength : 0);
  if (!strFolder.IsEmpty() && strFolder.Right(1) != "\\")
    strFolder += "\\";
  // A name of its own, so that copies of the program sending at once never attach each other's
  // picture; removed when the send is over, however it ends.
  CNewFile attachment(strFolder.IsEmpty() ? NULL : (LPCSTR)strFolder, "Pixolet", ".png");
  struct CPathScope {
    CString& strPath;
    ~CPathScope() { strPath.Empty(); }
  } scope{m_strTempImagePath};
  m_strTempImagePath = attachment.GetPath();
  // Without a fresh PNG nothing goes.
  if (!attachment.IsReady()) {
    ReportSaveFailed();
    return;
  }
  if (!SaveImage(m_pImage->GetBitmap(), m_strTempImagePath))
    return;
  // Modified, so that the framework attaches a copy of the fresh PNG and never the document's
  // file on disk, which may predate the edits.
  SetModifiedFlag(TRUE);
  OnFileSendMail();
  SetModifiedFlag(TRUE);
}

void CFramletDoc::OnUpdateSendByMail(CCmdUI* pCmdUI) { OnUpdateFileSendMail(pCmdUI); }

void CFramletDoc::OnChangeResolution() {
  CEditorShell* pShell = GetEditorShell();
  int nDpi = m_nDpi;
  if (pShell != NULL && pShell->AskImageResolution(nDpi))
    m_nDpi = nDpi;
}
