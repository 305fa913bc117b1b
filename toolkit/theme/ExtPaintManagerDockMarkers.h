// Dock markers: the arrow images shown over a dock target while a bar is dragged. The theme builds
// marker objects, colours them and lays them out against the target, then hands each to a marker
// window of the docking layer, which it reaches only through the two interfaces below.
#pragma once

#include "toolkit/theme/ExtPaintManager.h"

#include <vector>

// A marker window as the theme sees it; the docking layer's marker window implements it.
class CExtDockMarkerWndInfo {
public:
  virtual ~CExtDockMarkerWndInfo() = default;
  // NULL when the window could not be created.
  virtual HWND GetMarkerHwnd() const = 0;
  virtual int GetMarkerKind() const = 0;
  // The window's own state flag: the outline is drawn only while it is set.
  virtual bool GetMarkerState() const = 0;
  virtual CSize GetMarkerSize() const = 0;
};

typedef CArray<CExtDockMarkerWndInfo*, CExtDockMarkerWndInfo*> ExtDockMarkerWndArray_t;

// Makes and destroys marker windows. The docking layer constructs one; the one constructed last
// and not yet destroyed is the one the theme uses.
class CExtDockMarkerWndMaker {
public:
  CExtDockMarkerWndMaker();
  virtual ~CExtDockMarkerWndMaker();
  CExtDockMarkerWndMaker(const CExtDockMarkerWndMaker&) = delete;
  CExtDockMarkerWndMaker& operator=(const CExtDockMarkerWndMaker&) = delete;

  static CExtDockMarkerWndMaker* Get();

  // A new marker window, which owns the GDI objects from here on whether or not its window could
  // be made (its handle is then NULL).
  virtual CExtDockMarkerWndInfo* CreateMarkerWnd(CWnd* pParent, int nKind, HBITMAP hNormal, HBITMAP hHot,
                                                 HRGN hShape, const RECT& rcScreen, HBITMAP hOuter,
                                                 int nFrameOffsetX, int nFrameOffsetY, bool bOuterFrame) = 0;
  // Destroys each window of the array, or marks it for deferred destruction, and empties it.
  virtual void DestroyMarkers(ExtDockMarkerWndArray_t& arrMarkers, bool bDeferred) = 0;
};

class CExtPaintManager::DockMarkerBase {
public:
  enum Kind {
    KIND_EMPTY = -1,
    KIND_TOP = 0,
    KIND_BOTTOM = 1,
    KIND_LEFT = 2,
    KIND_RIGHT = 3,
    KIND_CENTER = 4,        // the cross behind the centre square
    KIND_CENTER_SQUARE = 5, // made by the centre cross
    KIND_CENTER2_SQUARE = 6,
    KIND_CENTER2 = 8, // the second style's cross
  };
  enum Flags : BYTE { DMF_OUTER_FRAME = 0x01 };
  // Pixels of this colour are outside the marker's shape.
  static const COLORREF KEY_COLOR = RGB(0, 255, 0);

  DockMarkerBase();
  DockMarkerBase(const DockMarkerBase&) = delete;
  DockMarkerBase& operator=(const DockMarkerBase&) = delete;

  virtual void CleanupChildren();
  // Deletes the images and the shape still held.
  virtual void ReleaseImages();
  virtual ~DockMarkerBase();
  virtual bool IsEmpty() const;
  // Releases what it holds; kind -1, no size, empty rectangle.
  virtual void Empty();
  // The two images from bitmap resources (a NULL module: the application's resources; a NULL
  // hot name: the normal image again), then as CreateFromBitmaps.
  virtual bool LoadFromResources(CExtPaintManager* pPM, const RECT& rcTarget, bool bNudge, int nKind,
                                 COLORREF clrKey, LPCSTR pszNormalName, LPCSTR pszNormalType,
                                 LPCSTR pszHotName, LPCSTR pszHotType, HMODULE hNormalModule,
                                 HMODULE hHotModule);
  // Takes both bitmaps; they must be of one size. Makes the shape from the normal image, places
  // the marker and lets the theme colour the images.
  virtual bool CreateFromBitmaps(CExtPaintManager* pPM, const RECT& rcTarget, bool bNudge, int nKind,
                                 COLORREF clrKey, HBITMAP hNormal, HBITMAP hHot);
  // The marker of the kind from the images built into the program; the centre crosses add their
  // centre square as a child.
  virtual bool CreateBuiltin(CExtPaintManager* pPM, const RECT& rcTarget, bool bNudge, int nKind);
  // Hands this marker and its children to new marker windows appended to the array; false when
  // a window could not be made or no maker is there.
  virtual bool CreateWindows(CWnd* pParent, ExtDockMarkerWndArray_t& arrWnds);
  // Places the marker against the target rectangle (screen coordinates).
  virtual void OnPaintSessionComplete(CExtPaintManager* pPM, int nKind, const RECT& rcTarget, bool bNudge);

  int m_nKind = KIND_EMPTY;
  CBitmap m_bmpNormal, m_bmpHot, m_bmpOuter;
  int m_nFrameOffsetX = 0, m_nFrameOffsetY = 0;
  CRgn m_rgnShape;
  CSize m_size;
  CArray<DockMarkerBase*, DockMarkerBase*> m_arrChildren;
  CRect m_rcScreen;
  BYTE m_nFlags = 0;

protected:
  // The BMP streams of the kind's normal and hot images in this marker style; false for a kind
  // the style has no image of.
  virtual bool GetBuiltinImages(CExtPaintManager* pPM, int nKind, std::vector<BYTE>& normal,
                                std::vector<BYTE>& hot);
};

class CExtPaintManager::DockMarkerBeta2 : public DockMarkerBase {
public:
  DockMarkerBeta2() = default;
  ~DockMarkerBeta2() override;
  void OnPaintSessionComplete(CExtPaintManager* pPM, int nKind, const RECT& rcTarget, bool bNudge) override;

protected:
  bool GetBuiltinImages(CExtPaintManager* pPM, int nKind, std::vector<BYTE>& normal,
                        std::vector<BYTE>& hot) override;
};
