// OLE drag and drop: a window's drop target and the data object a drag carries. The application
// initialises OLE with AfxOleInit (fw_app.h) before any target registers.
#pragma once

#include "framework/wnd/fw_wnd.h"

#include <windows.h>

#include <memory>
#include <ole2.h>

typedef DWORD DROPEFFECT;

// A thin holder of the IDataObject of a drag or of the clipboard.
class COleDataObject {
public:
  COleDataObject() = default;
  ~COleDataObject() { Release(); }
  COleDataObject(const COleDataObject&) = delete;
  COleDataObject& operator=(const COleDataObject&) = delete;

  // Holds the interface; with bAutoRelease the holder owns one reference of it and releases it.
  void Attach(LPDATAOBJECT lpDataObject, BOOL bAutoRelease = TRUE);
  LPDATAOBJECT Detach();
  void Release();
  // The interface, with a reference of the caller's own when asked.
  LPDATAOBJECT GetIDataObject(BOOL bAddRef);
  BOOL IsDataAvailable(CLIPFORMAT cfFormat, LPFORMATETC lpFormatEtc = NULL) const;
  // The data as global memory the caller frees with GlobalFree; NULL when the source has none.
  HGLOBAL GetGlobalData(CLIPFORMAT cfFormat, LPFORMATETC lpFormatEtc = NULL) const;

  LPDATAOBJECT m_lpDataObject = NULL;
  BOOL m_bAutoRelease = TRUE;
};

// A window's drop target: Register hands the window to OLE, and the drags that cross it reach
// the virtuals with points in the window's client coordinates. Revoked by Revoke, by the
// destructor, and when the window is destroyed.
class COleDropTarget : public CCmdTarget {
public:
  COleDropTarget();
  ~COleDropTarget() override;
  COleDropTarget(const COleDropTarget&) = delete;
  COleDropTarget& operator=(const COleDropTarget&) = delete;

  // FALSE when OLE is not initialised, the window is missing or OLE refuses it.
  BOOL Register(CWnd* pWnd);
  virtual void Revoke();
  HWND GetRegisteredHwnd() const { return m_hWnd; }

  // What a drop here would do; DROPEFFECT_NONE refuses it.
  virtual DROPEFFECT OnDragEnter(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point);
  virtual DROPEFFECT OnDragOver(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point);
  virtual void OnDragLeave(CWnd* pWnd);
  // Takes the data; FALSE when it was not taken.
  virtual BOOL OnDrop(CWnd* pWnd, COleDataObject* pDataObject, DROPEFFECT dropEffect, CPoint point);
  // Scrolls the window when the point calls for it and answers DROPEFFECT_SCROLL (with the drop
  // effect) then; DROPEFFECT_NONE lets OnDragOver answer.
  virtual DROPEFFECT OnDragScroll(CWnd* pWnd, DWORD dwKeyState, CPoint point);

  // The window is being destroyed: whatever target it has lets go of it.
  static void RevokeWindow(HWND hWnd);

private:
  class CBridge;
  friend class CBridge;
  struct BridgeRelease {
    void operator()(CBridge* pBridge) const;
  };

  // What the bridge calls; pt in screen coordinates.
  DROPEFFECT Enter(IDataObject* pDataObject, DWORD dwKeyState, POINTL pt, DWORD dwAllowed);
  DROPEFFECT Over(DWORD dwKeyState, POINTL pt, DWORD dwAllowed, bool bEnter);
  void Leave();
  DROPEFFECT Drop(IDataObject* pDataObject, DWORD dwKeyState, POINTL pt, DWORD dwAllowed);
  CPoint ClientPoint(POINTL pt) const;

  HWND m_hWnd = NULL;
  std::unique_ptr<CBridge, BridgeRelease> m_bridge; // one reference ours; OLE holds another
  COleDataObject m_dataObject;                      // the data of the drag over the window
};
