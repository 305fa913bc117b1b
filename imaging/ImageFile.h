// Reading and writing picture files through GDI+.
#pragma once

#include "framework/core/fw_string.h"

#include <windows.h>

#include <gdiplus.h>

// A new GDI+ bitmap of the picture in the file, owned by the caller (delete it), or NULL when the
// file cannot be read or GDI+ cannot decode it. The file is read whole into memory that the
// bitmap keeps until it is deleted, since GDI+ may go back to the bytes while the bitmap lives;
// the decoder reads it through a stream that never reads past the file's bytes, and only once its
// header has passed IsSoundPictureHeader (imaging/PictureCheck.h). An enhanced or a placeable
// Windows metafile whose records keep within the file gives a 32-bit bitmap of its own size with its
// picture played over white (an EMF's size is its frame on the device it was recorded on, a WMF's
// its bounds at its units an inch, at 96 pixels an inch); a size beyond kMaxPicturePixels gives
// none, before anything is made. A run-length coded BMP is decoded here, its pixels that no run
// sets taking colour 0.
Gdiplus::Bitmap* LoadGdipBitmapFromFile(LPCSTR lpszPath);

// The picture of a file over opaque white, as a new 32-bit top-down DIB section the caller owns,
// with the file's horizontal resolution in *pnDpi (rounded); NULL when the file gives no
// picture or the picture cannot be held. A picture decoded here (metafiles, run-length coded
// bitmaps) is returned as it was made, without a second copy.
HBITMAP LoadPictureOverWhite(LPCSTR lpszPath, int* pnDpi);

// A GDI+ bitmap of the picture of hBitmap (no palette) for writing it, owned by the caller; NULL
// on failure. A 32-bit DIB section is used in place, so it must outlive the result and stay
// unchanged meanwhile; any other bitmap is copied.
Gdiplus::Bitmap* CreateGdipBitmapForWriting(HBITMAP hBitmap);

// The index of the first GDI+ image encoder whose MIME type is exactly pszMimeType, with its
// CLSID in *pClsid; -1 when there is none.
int GetEncoderClsid(const WCHAR* pszMimeType, CLSID* pClsid);

// Writes pBitmap to lpszPath with the encoder of pszMimeType (pParams may be NULL); a GIF is
// written from an 8-bit indexed copy (the picture's own colours when it has at most 256, else the
// nearest of a fixed 252-colour cube). The bytes go to a new file beside the target first, so a
// failure at any step leaves an existing file as it was. FALSE when there is no such encoder, the
// file cannot be written or what was written is not a whole file of a picture of that size, as far
// as its format's header and structure tell (a format without a known header is decoded again).
BOOL SaveGdipBitmapToFile(Gdiplus::Bitmap* pBitmap, LPCSTR lpszPath, const WCHAR* pszMimeType,
                          const Gdiplus::EncoderParameters* pParams);

// A new, empty file of a name no other file in the folder has, which no other program or copy of
// this one can take meanwhile: the prefix, this process's id, a serial number and the extension
// (writers choose the format by it). It is removed when the object goes, unless released.
class CNewFile {
public:
  // Makes the file (none for a NULL folder); IsReady() tells whether the folder took it.
  CNewFile(LPCSTR lpszFolder, LPCSTR lpszPrefix, LPCSTR lpszExt);
  ~CNewFile();
  CNewFile(const CNewFile&) = delete;
  CNewFile& operator=(const CNewFile&) = delete;

  BOOL IsReady() const { return !m_strPath.IsEmpty(); }
  const CString& GetPath() const { return m_strPath; }
  // Leaves the file (or what has taken its name) where it is.
  void Release() { m_strPath.Empty(); }

private:
  CString m_strPath; // empty when none was made or it was released
};

// A new, empty file beside a target, with the target's extension, that takes the target's place
// only when committed and is removed otherwise.
class CFileReplacement {
public:
  // Makes the new file; IsReady() tells whether the folder took it.
  explicit CFileReplacement(LPCSTR lpszTarget);
  CFileReplacement(const CFileReplacement&) = delete;
  CFileReplacement& operator=(const CFileReplacement&) = delete;

  BOOL IsReady() const { return m_newFile.IsReady(); }
  // Where the new contents are to be written.
  const CString& GetNewPath() const { return m_newFile.GetPath(); }
  // Moves the new file over the target (refused for a read-only one). FALSE, with the target as it
  // was, when that fails.
  BOOL Commit();

private:
  CString m_strTarget;
  CNewFile m_newFile;
};
