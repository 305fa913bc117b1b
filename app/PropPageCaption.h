// The task sheet's caption page: a caption or time stamp written into the image.
#pragma once

#include "framework/dlg/fw_dlg.h"

class CPropPageCaption : public CPropertyPage {
  DECLARE_DYNCREATE(CPropPageCaption)
public:
  CPropPageCaption();
};
