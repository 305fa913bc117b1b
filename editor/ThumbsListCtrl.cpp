// The thumbnail list of the stamp and callout picker.
#include "editor/ThumbsListCtrl.h"

#include "framework/app/fw_app.h"
#include "imaging/ImageFile.h"

#include <gdiplus.h>

#include <memory>

IMPLEMENT_DYNAMIC(CThumbsListCtrl, CListCtrl)

BEGIN_MESSAGE_MAP(CThumbsListCtrl, CListCtrl)
ON_WM_CREATE()
ON_WM_DESTROY()
ON_WM_LBUTTONDBLCLK()
END_MESSAGE_MAP()

namespace {

const char* const kPictureExtensions[] = {".bmp", ".jpg", ".jpeg", ".gif", ".png", ".wmf", ".emf", ".tif"};

bool IsPictureFile(const CString& strPath) {
  int nDot = strPath.ReverseFind('.');
  if (nDot <= 0)
    return false;
  CString strExt = strPath.Mid(nDot);
  strExt.MakeLower();
  for (const char* pszExt : kPictureExtensions)
    if (strExt == pszExt)
      return true;
  return false;
}

// The folder's entries that look like pictures, in the order the directory gives them.
std::vector<CString> FindPictures(const CString& strFolder) {
  std::vector<CString> paths;
  WIN32_FIND_DATAA data;
  HANDLE hFind = ::FindFirstFileA(strFolder + "\\*.*", &data);
  if (hFind == INVALID_HANDLE_VALUE)
    return paths;
  do {
    CString strPath = strFolder + "\\" + data.cFileName;
    if (IsPictureFile(strPath))
      paths.push_back(strPath);
  } while (::FindNextFileA(hFind, &data));
  ::FindClose(hFind);
  return paths;
}

// Where a w x h picture goes in an s x s cell inside its 1-pixel frame: a picture much wider or
// taller than square keeps its shape, centred; one near square fills the cell.
Gdiplus::Rect FitIntoCell(int w, int h, int s) {
  const int nInner = s - 2;
  float r = (float)w / (float)h;
  if (r > 1.25f) {
    int nHeight = (int)(nInner / r);
    return Gdiplus::Rect(1, (s - nHeight) / 2, nInner, nHeight);
  }
  if (r < 0.8f) {
    int nWidth = (int)(nInner * r);
    return Gdiplus::Rect((s - nWidth) / 2, 1, nWidth, nInner);
  }
  return Gdiplus::Rect(1, 1, nInner, nInner);
}

// A white s x s cell framed in black with the file's picture fitted into it, as a GDI bitmap
// the caller owns; a file GDI+ cannot read leaves the cell empty. NULL when no bitmap is made.
HBITMAP MakeThumbnail(const CString& strPath, int s) {
  Gdiplus::Bitmap cell(s, s, PixelFormat32bppARGB);
  {
    Gdiplus::Graphics graphics(&cell);
    Gdiplus::SolidBrush white(Gdiplus::Color(0xFFFFFFFF));
    graphics.FillRectangle(&white, 0, 0, s, s);
    Gdiplus::Pen black(Gdiplus::Color(0xFF000000), 1.0f);
    graphics.DrawRectangle(&black, 0, 0, s - 1, s - 1);
    std::unique_ptr<Gdiplus::Bitmap> pPicture(LoadGdipBitmapFromFile(strPath));
    // Pixel centres at half coordinates: the picture covers exactly the pixels of its rectangle.
    graphics.SetPixelOffsetMode(Gdiplus::PixelOffsetModeHalf);
    // A picture without height has no shape to keep; it is left out like an unreadable one.
    if (pPicture && pPicture->GetWidth() > 0 && pPicture->GetHeight() > 0)
      graphics.DrawImage(pPicture.get(), FitIntoCell(pPicture->GetWidth(), pPicture->GetHeight(), s));
  }
  HBITMAP hBitmap = NULL;
  if (cell.GetHBITMAP(Gdiplus::Color(0xFFFFFFFF), &hBitmap) != Gdiplus::Ok)
    return NULL;
  return hBitmap;
}

} // namespace

CThumbsListCtrl::CThumbsListCtrl() : m_nKind(kStamps) {}

int CThumbsListCtrl::OnCreate(LPCREATESTRUCT lpCreateStruct) {
  if (CListCtrl::OnCreate(lpCreateStruct) == -1)
    return -1;
  const int s = ThumbSize();
  if (!m_imageList.Create(s, s, ILC_COLOR24, 0, 1))
    return -1;
  SetImageList(&m_imageList, LVSIL_NORMAL);
  return 0;
}

void CThumbsListCtrl::OnDestroy() {
  // Without LVS_SHAREIMAGELISTS the list view destroys its image list itself.
  m_imageList.Detach();
  CListCtrl::OnDestroy();
}

void CThumbsListCtrl::FillFromFolder(const CString& strFolder) {
  CWaitCursor wait;
  if (strFolder == m_strFolder)
    return;
  m_strFolder = strFolder;
  DeleteAllItems();
  m_paths = FindPictures(strFolder);
  if (m_paths.empty())
    return;

  SetRedraw(FALSE);
  m_imageList.Remove(-1);
  DeleteAllItems();
  m_imageList.SetImageCount((UINT)m_paths.size());
  const int s = ThumbSize();
  for (int i = 0; i < (int)m_paths.size(); i++) {
    CBitmap thumbnail;
    if (HBITMAP hThumbnail = MakeThumbnail(m_paths[i], s)) {
      thumbnail.Attach(hThumbnail);
      m_imageList.Replace(i, &thumbnail, NULL);
    }
    InsertItem(i, "", i);
  }
  SetRedraw(TRUE);
  SetFocus();
  SetItemState(0, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
}

CString CThumbsListCtrl::GetSelectedPath() const {
  int nItem = GetNextItem(-1, LVNI_SELECTED);
  if (nItem < 0 || nItem >= (int)m_paths.size())
    return CString();
  return m_paths[nItem];
}

void CThumbsListCtrl::OnLButtonDblClk(UINT nFlags, CPoint point) {
  CListCtrl::OnLButtonDblClk(nFlags, point);
  if (!GetSelectedPath().IsEmpty())
    GetParent()->SendMessage(WM_PARENTNOTIFY, kThumbChosenNotify, kThumbChosenNotify);
}
