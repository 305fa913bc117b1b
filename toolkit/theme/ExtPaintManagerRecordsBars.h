// What the painters of docking captions, expand buttons and separators read of the
// windows that ask them. The windows implement these next to CObject; the paint manager finds
// them behind the request's source object, so the theme never names the bar, menu or tab classes.
#pragma once

#include <windows.h>

#include <vector>

// Docking captions: the mini dock frame and the auto-hide slider (control bars answer through
// CExtControlBarSite).
class CExtCaptionSourceSite {
public:
  enum SourceKind { SOURCE_MINI_FRAME, SOURCE_AUTO_HIDE_SLIDER };

  virtual ~CExtCaptionSourceSite() = default;
  virtual SourceKind GetCaptionSourceKind() const = 0;
  // A mini frame whose floating bar is a fixed-size bar (a tool bar): its caption is cut to fit
  // instead of ending in an ellipsis.
  virtual bool IsFloatingBarFixedMode() const = 0;
};

// The hidden-items row of a popup menu: the menu's items.
class CExtPopupMenuItemsSite {
public:
  // An item with this state bit lends no icon-column width to the hidden-items row.
  enum : DWORD { ITEM_STATE_NO_ICON_AREA = 0x10 };

  virtual ~CExtPopupMenuItemsSite() = default;
  virtual int GetItemCount() const = 0;
  virtual int GetItemIconAreaWidth(int nIndex) const = 0;
  virtual DWORD GetItemState(int nIndex) const = 0;
};

// The status bar, whose separators run the full height.
class CExtStatusBarSite {
public:
  virtual ~CExtStatusBarSite() = default;
};

// Docked tool, panel and menu bars: the parts of the client area their child controls leave for
// the bar's face to show through.
class CExtBarFaceSegmentsSite {
public:
  virtual ~CExtBarFaceSegmentsSite() = default;
  // Appends the parts in client coordinates; none leaves the whole client area to the face.
  virtual void GetFaceSegments(std::vector<RECT>& segments) const = 0;
};
