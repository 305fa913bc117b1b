// The frame of every image document's window: it opens maximised.
#pragma once

#include "framework/frame/fw_frame.h"

class CChildFrame : public CMDIChildWnd {
  DECLARE_DYNCREATE(CChildFrame)
public:
  BOOL PreCreateWindow(CREATESTRUCT& cs) override;

protected:
  DECLARE_MESSAGE_MAP()
};
