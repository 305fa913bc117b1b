// The floating frame of toolkit bars.
#pragma once

#include "toolkit/docking/ExtDockBar.h"

// The floating frame of toolkit bars: its dock bar is a toolkit dock bar. Its themed look (caption,
// borders, own resize loop) comes with the floating frame's work.
class CExtMiniDockFrameWnd : public CMiniDockFrameWnd {
  DECLARE_DYNCREATE(CExtMiniDockFrameWnd)
public:
  CExtMiniDockFrameWnd() = default;
  CDockBar* CreateDockBar() override;
  CExtDockBar* GetExtDockBar() const;
  static CRuntimeClass* GetFloatingFrameClass() { return RUNTIME_CLASS(CExtMiniDockFrameWnd); }
};
