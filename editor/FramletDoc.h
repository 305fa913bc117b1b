// The image document: one picture on a canvas with a fixed margin, its kept original for
// operation previews, its resolution, the floating piece and an undo history of twenty steps.
#pragma once

#include "editor/Trackers.h"
#include "framework/doc/fw_doc.h"
#include "imaging/ImageItem.h"
#include "imaging/UndoCodec.h"

class CFramletView;
struct CPlaneDiff;
struct CPixelPlane;

class CFramletDoc : public COleDocument {
  DECLARE_DYNCREATE(CFramletDoc)
public:
  CFramletDoc();
  ~CFramletDoc() override;

  // The history keeps the base record of the picture and twenty steps.
  enum { kUndoRecords = 21 };

  CString m_strTempImagePath; // the PNG written while the picture is mailed
  CImageItem* m_pImage;       // the picture, owned
  CImageItem* m_pImage2;      // the kept original of an open operation page, owned; NULL otherwise
  int m_nDpi;                 // resolution written into saved files
  UndoRecord m_undo[kUndoRecords];
  CShapeTracker m_tracker;    // the image rectangle on the canvas
  RECT m_rcImage;             // the image rectangle, margin included
  int m_nUndoPos;             // the record the next Undo applies; -1 none
  int m_nUndoLast;            // the last valid record; -1 none
  CZoomTracker* m_pSelection; // the floating piece, owned; NULL none
  CString m_strPath;          // where the picture was last saved; empty when never

  // A white 400 x 300 picture with its base record.
  BOOL OnNewDocument() override;
  // The picture a capture or a paste brings: takes the handle over, frees the previous picture,
  // starts a new history and shows the picture in the first view. FALSE, with the document as it
  // was and the handle not taken, when hBitmap is not a picture or no history can be kept for it.
  BOOL TakeNewPicture(HBITMAP hBitmap);
  // An opened file's picture (taken over in every case), its resolution and its path as the title,
  // with a fresh undo history and nothing to save. FALSE when it cannot be recorded (said).
  BOOL TakeOpenedPicture(HBITMAP hPicture, int nDpi, LPCSTR lpszPath);
  CSize GetImageSize() const;
  // A new image rectangle on the canvas (a crop or a canvas handle): the rectangle and its tracker
  // take it; the picture follows at the next paint, which cuts or grows it.
  void SetImageRect(const RECT& rect);
  // The first view's screen resolution becomes the document's.
  void SetResolutionFromView();
  CFramletView* GetFirstView() const;

  // Records the change from pBefore (the picture before it; bDelete deletes that bitmap after
  // recording) to the current picture, whose rectangle is m_rcImage. A change that leaves every
  // colour as it was records nothing, except as the first record of an empty history. When the
  // change cannot be recorded (memory), it is taken back and the user is told; FALSE then.
  BOOL PushUndo(CBitmap* pBefore, BOOL bDelete, int x = 0, int y = 0);
  // Step back or forward through the history. FALSE when there is nothing to do or it cannot be
  // done (the user is told); the position and the picture then stay as they were.
  BOOL Undo();
  BOOL Redo();
  // Whether the blue, green and red of every pixel of the delta are 0.
  static BOOL IsDeltaEmpty(CBitmap* pDelta);

  // Empties the history.
  void ResetUndoHistory();

  // --- Files and mail ---------------------------------------------------------------------------
  // Loading reads the picture from the archive's file; storing writes the bytes of the PNG made for
  // mailing (m_strTempImagePath).
  BOOL OnOpenDocument(LPCSTR lpszPathName) override;
  void Serialize(CArchive& ar) override;
  // Writes pBitmap to lpszPath in the format of its extension, replacing an existing file only
  // when the new one is complete. "Save failed!" and FALSE when it cannot be written.
  BOOL SaveImage(CBitmap* pBitmap, LPCSTR lpszPath);
  // The Save As dialog: the path with a known extension, or "" when cancelled.
  CString PromptSaveName();
  // FALSE when the picture was not saved (failed or cancelled).
  BOOL OnFileSave();
  BOOL OnFileSaveAs();
  // Asks "Save changes to file?" for a modified document; a failed or cancelled save keeps it open.
  BOOL SaveModified() override;

protected:
  afx_msg void OnSaveCommand();
  afx_msg void OnSaveAsCommand();
  afx_msg void OnCopySelectionToFile();
  afx_msg void SendByMail();
  afx_msg void OnUpdateSendByMail(CCmdUI* pCmdUI);
  afx_msg void OnChangeResolution();

public:
protected:
  // Sets the image rectangle, the tracker's and the picture's to w x h at the canvas margin.
  void PlacePicture(int cx, int cy);
  // Tells the first view about a new picture: scroll sizes, size and zoom status, no selection.
  void ShowNewPicture();

  enum RecordResult { recordMade, recordNothing, recordFailed };
  RecordResult MakeRecord(CBitmap* pBefore, int x, int y, UndoRecord& record, int& nFirstRow, int& nLastRow);
  BOOL MakePlaneRecord(const CPixelPlane& after, const CPixelPlane& before, BOOL bSameBitmap,
                       UndoRecord& record, RecordResult& result, int& nFirstRow, int& nLastRow);
  RecordResult MakeBitmapRecord(CBitmap* pBefore, int x, int y, UndoRecord& record);
  void AppendRecord(UndoRecord& record);
  // Puts record nIndex onto the picture, leaving it at the undo or the redo size.
  BOOL ApplyRecord(int nIndex, BOOL bUndo, int& nFirstRow, int& nLastRow);
  BOOL ApplyBitmapRecord(const UndoRecord& record, int cx, int cy);
  // Gives the picture back the pixels of pBefore after a change that could not be recorded.
  void TakeBackChange(CBitmap* pBefore, BOOL bDelete);
  // Records a change that reached the picture without being recorded, so that Undo and Redo
  // work on the picture their records were made from.
  void RecordUnrecordedChange();
  // Makes the first view's snapshot equal the picture again, copying only rows nFirst..nLast
  // where the snapshot can be kept.
  void SyncSnapshot(int nFirstRow, int nLastRow);

  DECLARE_MESSAGE_MAP()
};
